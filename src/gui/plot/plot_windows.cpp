// SPDX-License-Identifier: BSD-3-Clause
#include "gui/plot/plot_windows.hpp"

#include <QCloseEvent>

#include "documents/alpha_beta_plot_document.hpp"
#include "documents/phase_diag_document.hpp"
#include "gui/plot/plot_window.hpp"
#include "gui/shell/window_registry.hpp"

namespace {

// A volume-temperature plot closes by itself; its P-T document stays open.
class CVTPlotWindow : public CPlotWindow {
  public:
    CVTPlotWindow(CPhaseDiagDocument& document, CVolumePlotView& view, CZephonApp& app)
        : CPlotWindow(document, view, app), mDiagrams(&document), mVolumeView(&view),
          mTitle(QString::fromStdString(view.mTitle)) {}
    void DetachDocument() override {
        mDiagrams = nullptr;
        mVolumeView = nullptr;
        CPlotWindow::DetachDocument();
    }
    QString WindowTitle() const override {
        return mVolumeView != nullptr ? QString::fromStdString(mVolumeView->mTitle) : mTitle;
    }
    bool ClosesDocument() const override { return false; }

  protected:
    // The person closes the plot: its document forgets it (and asks for this window to go).
    void closeEvent(QCloseEvent* event) override {
        if (mDiagrams != nullptr) mDiagrams->KillVTPlot(mVolumeView);
        event->accept();
    }

  private:
    // Both null once the window is detached.
    CPhaseDiagDocument* mDiagrams;
    CVolumePlotView* mVolumeView;
    QString mTitle;
};

} // namespace

void RegisterPlotWindows(CWindowRegistry& registry) {
    registry.Register(CDocumentKind::AlphaBetaPlot, [](CWDocument& document, CZephonApp& app) -> QWidget* {
        auto& plot = static_cast<CAlphaBetaPlotDocument&>(document);
        return new CPlotWindow(plot, plot.GetPlotView(), app);
    });
    registry.Register(CDocumentKind::PhaseDiagram, [](CWDocument& document, CZephonApp& app) -> QWidget* {
        auto& diagram = static_cast<CPhaseDiagDocument&>(document);
        return new CPlotWindow(diagram, diagram.GetPlotView(), app);
    });
}

QWidget* CreateVTPlotWindow(CPhaseDiagDocument& document, CVolumePlotView& view, CZephonApp& app) {
    return new CVTPlotWindow(document, view, app);
}
