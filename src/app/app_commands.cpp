// SPDX-License-Identifier: BSD-3-Clause
#include "app/app_commands.hpp"

#include "documents/alpha_beta_plot_document.hpp"
#include "documents/w_document.hpp"

namespace {

CCommandState Enabled(bool enabled) {
    return {enabled, false};
}

// Panel commands are always available and checked while their page is the one shown.
CCommandState PageShown(int shownPage, int page) {
    return {true, shownPage == page};
}

} // namespace

CCommandState CommandState(CAppCommand command, const CApplicationCore& core, const CShellState& shell) {
    const CWDocument* active = core.ActiveDocument();
    const CWindowAbilities& window = shell.activeWindow;
    switch (command) {
    case CAppCommand::FileClose:
    case CAppCommand::FileSaveAs:
        return Enabled(active != nullptr);
    case CAppCommand::FileSave:
        return Enabled(active != nullptr && active->IsModified());
    case CAppCommand::FileRevert:
        // Without a file there is nothing to go back to.
        return Enabled(active != nullptr && !active->GetPathName().empty());
    case CAppCommand::FilePageSetup:
    case CAppCommand::FilePrint:
    case CAppCommand::FileExportPicture:
        return Enabled(active != nullptr && window.prints);
    case CAppCommand::FileImport:
    case CAppCommand::FileExport:
        return Enabled(active != nullptr && window.importExport);

    case CAppCommand::EditUndo:
        return Enabled(window.undo);
    case CAppCommand::EditRedo:
        return Enabled(window.redo);
    case CAppCommand::EditCut:
        return Enabled(window.cut);
    case CAppCommand::EditCopy:
        return Enabled(window.copy);
    case CAppCommand::EditPaste:
        return Enabled(window.paste);
    case CAppCommand::EditClear:
        return Enabled(window.clear);
    case CAppCommand::EditSelectAll:
        return Enabled(window.selectAll);
    case CAppCommand::EditAddRow:
        return Enabled(window.addRow);
    case CAppCommand::EditDeleteRow:
        return Enabled(window.deleteRow);
    case CAppCommand::EditNormalize:
        return Enabled(window.normalize);
    case CAppCommand::EditSetAxisRanges:
        return {true, shell.axisRangeWindowOpen};

    case CAppCommand::AlphaBetaCurvePage:
        return PageShown(shell.alphaBetaPanelPage, 0);
    case CAppCommand::AlphaBetaFluidPage:
        return PageShown(shell.alphaBetaPanelPage, 1);
    case CAppCommand::RemoveCorrelationPage:
        return PageShown(shell.alphaBetaPanelPage, 2);
    case CAppCommand::PlotCorrelation:
        return Enabled(core.CurrentAlphaBetaPlotDoc() != nullptr);

    case CAppCommand::PvtProperties:
        return Enabled(false);

    case CAppCommand::IsoplethsPage:
        return PageShown(shell.phaseDiagPanelPage, 0);
    case CAppCommand::IsochorsPage:
        return PageShown(shell.phaseDiagPanelPage, 1);
    case CAppCommand::TrappingPage:
        return PageShown(shell.phaseDiagPanelPage, 2);
    case CAppCommand::RemoveCurvePage:
        return PageShown(shell.phaseDiagPanelPage, 3);

    // A volume-temperature plot belongs to a P-T diagram: without a current one the command
    // would do nothing.
    case CAppCommand::NewVTPlot:
        return Enabled(core.CurrentPhaseDiagDoc() != nullptr);
    case CAppCommand::PlotInclusionVTPage:
        return {core.CurrentVTPlotView() != nullptr, shell.volumePanelPage == 0};
    case CAppCommand::PlotCalculatedVTPage:
        return {core.CurrentVTPlotView() != nullptr, shell.volumePanelPage == 1};

    // In a plot window that shows data; the other commands of the plot's menus decide for themselves.
    case CAppCommand::ViewZoomToData:
        return Enabled(window.prints && core.CurrentPlotView() != nullptr &&
                       core.CurrentPlotView()->CanZoomToData());
    // Two curves at least, or nothing can cross.
    case CAppCommand::FindCrossings:
        return Enabled(core.CurrentAlphaBetaPlotDoc() != nullptr &&
                       core.CurrentAlphaBetaPlotDoc()->mAlphaBetaCurvesList.Count() >= 2);

    case CAppCommand::FileNew:
    case CAppCommand::FileOpen:
    case CAppCommand::FileExit:
    case CAppCommand::EditShowLog:
    case CAppCommand::NewAlphaBetaPlot:
    case CAppCommand::OpenAlphaBetaPlot:
    case CAppCommand::NewCorrelation:
    case CAppCommand::EditCorrelation:
    case CAppCommand::NewFluidModel:
    case CAppCommand::OpenFluidModel:
    case CAppCommand::NewPTDiagram:
    case CAppCommand::OpenPTDiagram:
    case CAppCommand::WindowCascade:
    case CAppCommand::WindowTileHorizontally:
    case CAppCommand::WindowTileVertically:
    case CAppCommand::WindowArrangeIcons:
    case CAppCommand::HelpContents:
    case CAppCommand::HelpAbout:
        return Enabled(true);
    }
    return Enabled(false);
}
