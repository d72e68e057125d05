// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The commands of the main menu and when each is enabled or checked.
//
// The desktop layer makes one action per command and asks CommandState after every activation,
// command and notification; what depends only on the toolkit (which panel page is shown, whether
// the axis range window exists, what the active window can do) it passes in as a CShellState.

#include "app/application_core.hpp"

enum class CAppCommand {
    // File
    FileNew,
    FileOpen,
    FileClose,
    FileSave,
    FileSaveAs,
    FileRevert,
    FilePageSetup,
    FilePrint,
    FileExportPicture,
    FileImport,
    FileExport,
    FileExit,
    // Edit
    EditUndo,
    EditRedo,
    EditCut,
    EditCopy,
    EditPaste,
    EditClear,
    EditSelectAll,
    EditAddRow,
    EditDeleteRow,
    EditNormalize,
    EditSetAxisRanges,
    EditShowLog,
    // Alpha-Beta Model
    NewAlphaBetaPlot,
    OpenAlphaBetaPlot,
    AlphaBetaCurvePage,
    AlphaBetaFluidPage,
    NewCorrelation,
    EditCorrelation,
    PlotCorrelation,
    RemoveCorrelationPage,
    // Fluid Model
    NewFluidModel,
    OpenFluidModel,
    PvtProperties,
    // Phase Diagrams
    NewPTDiagram,
    OpenPTDiagram,
    IsoplethsPage,
    IsochorsPage,
    TrappingPage,
    RemoveCurvePage,
    // V-T plots
    NewVTPlot,
    PlotInclusionVTPage,
    PlotCalculatedVTPage,
    // View (plot windows)
    ViewZoomToData, // "Zoom to data", key F: the current plot's ranges that hold all of its data
    FindCrossings,  // "Find crossings": where the current alpha-beta plot's curves cross
    // Window, help
    WindowCascade,
    WindowTileHorizontally,
    WindowTileVertically,
    WindowArrangeIcons,
    HelpContents,
    HelpAbout,
};

// What the active window can do with the edit commands; a window that is not a table or a plot
// leaves them all off.
struct CWindowAbilities {
    bool prints = false; // a plot: Print, Page Setup and Export picture
    bool undo = false;   // the window's own undo stack has something to undo
    bool redo = false;
    bool copy = false;
    bool paste = false;
    bool cut = false;
    bool clear = false;
    bool selectAll = false;
    bool addRow = false;
    bool deleteRow = false;
    bool normalize = false;
    bool importExport = false; // File > Import... / Export... (inclusion tables)
};

// The page a tool panel shows, -1 while the panel is closed.
struct CShellState {
    int alphaBetaPanelPage = -1;
    int phaseDiagPanelPage = -1;
    int volumePanelPage = -1;
    bool axisRangeWindowOpen = false;
    CWindowAbilities activeWindow;
};

struct CCommandState {
    bool enabled = true;
    bool checked = false;
    friend bool operator==(const CCommandState&, const CCommandState&) = default;
};

CCommandState CommandState(CAppCommand command, const CApplicationCore& core, const CShellState& shell);
