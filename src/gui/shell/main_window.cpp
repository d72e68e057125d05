// SPDX-License-Identifier: BSD-3-Clause
#include "gui/shell/main_window.hpp"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include "documents/alpha_beta_plot_document.hpp"
#include "documents/phase_diag_document.hpp"
#include "gui/plot/crossings_dialog.hpp"
#include "gui/plot/plot_windows.hpp"
#include "gui/shell/about_dialog.hpp"
#include "gui/shell/document_layout.hpp"
#include "gui/shell/document_window.hpp"
#include "gui/shell/help_window.hpp"
#include "gui/shell/icons.hpp"
#include "gui/shell/log_window.hpp"
#include "gui/shell/mnemonics.hpp"
#include "gui/shell/qt_services.hpp"
#include "gui/shell/settings.hpp"
#include "gui/shell/standard_keys.hpp"
#include "gui/shell/sub_window_keys.hpp"
#include "gui/shell/tool_panels.hpp"
#include "gui/shell/zephon_app.hpp"

namespace {

using C = CAppCommand;

QString TitleOf(const CWDocument& document) {
    return QString::fromStdString(document.GetTitle());
}

// Commands that act on the active window rather than on the application.
bool IsWindowCommand(CAppCommand command) {
    switch (command) {
    case C::FilePageSetup:
    case C::FilePrint:
    case C::FileExportPicture:
    case C::FileImport:
    case C::FileExport:
    case C::EditUndo:
    case C::EditRedo:
    case C::EditCut:
    case C::EditCopy:
    case C::EditPaste:
    case C::EditClear:
    case C::EditSelectAll:
    case C::EditAddRow:
    case C::EditDeleteRow:
    case C::EditNormalize:
    case C::ViewZoomToData:
        return true;
    default:
        return false;
    }
}

} // namespace

CMainWindow::CMainWindow(CZephonApp& app) : mApp(app) {
    setObjectName("ZephonMainWindow");
    setWindowIcon(ZephonIcon());
    setAcceptDrops(true);
    mMdiArea = new QMdiArea(this);
    mMdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mMdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mMdiArea);
    connect(mMdiArea, &QMdiArea::subWindowActivated, this, &CMainWindow::OnSubWindowActivated);

    RegisterTableWindows(mRegistry);
    RegisterPlotWindows(mRegistry);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    statusBar()->showMessage("Ready");
    ReadSettings();
    UpdateWindowTitles();
}

CMainWindow::~CMainWindow() {
    Shutdown();
}

void CMainWindow::Shutdown() {
    mShutDown = true;
    disconnect(mMdiArea, nullptr, this, nullptr);
}

// ---- actions and menus ----

QAction* CMainWindow::MakeAction(CAppCommand command, const QString& caption, const QKeySequence& shortcut,
                                 bool checkable) {
    auto* action = new QAction(caption, this);
    action->setShortcut(shortcut);
    // The menu shortcuts work while a tool panel has the focus; the edit shortcuts stay with the
    // window that has it, so that the panels' own fields keep copy and paste.
    if (!IsWindowCommand(command)) action->setShortcutContext(Qt::ApplicationShortcut);
    action->setCheckable(checkable);
    connect(action, &QAction::triggered, this, [this, command] { Run(command); });
    mActions[command] = action;
    return action;
}

void CMainWindow::CreateActions() {
    // The standard commands take their keys from the desktop (BindStandardKeys, below).
    MakeAction(C::FileNew, "&New")->setIcon(ToolIcon(CToolIcon::New));
    MakeAction(C::FileOpen, "&Open")->setIcon(ToolIcon(CToolIcon::Open));
    MakeAction(C::FileClose, "&Close");
    MakeAction(C::FileSave, "&Save")->setIcon(ToolIcon(CToolIcon::Save));
    MakeAction(C::FileSaveAs, "Save &as");
    MakeAction(C::FileRevert, "&Revert");
    MakeAction(C::FilePageSetup, "Page Set&up");
    MakeAction(C::FilePrint, "&Print")->setIcon(ToolIcon(CToolIcon::Print));
    MakeAction(C::FileExportPicture, "Export pic&ture...");
    MakeAction(C::FileImport, "&Import...");
    MakeAction(C::FileExport, "&Export...");
    MakeAction(C::FileExit, "E&xit");

    MakeAction(C::EditUndo, "&Undo");
    MakeAction(C::EditRedo, "&Redo");
    MakeAction(C::EditCut, "&Cut");
    MakeAction(C::EditCopy, "C&opy");
    MakeAction(C::EditPaste, "&Paste");
    MakeAction(C::EditClear, "Cle&ar");
    MakeAction(C::EditSelectAll, "Select a&ll");
    MakeAction(C::EditAddRow, "A&dd row", QKeySequence("Ctrl+K"));
    MakeAction(C::EditDeleteRow, "D&elete row");
    MakeAction(C::EditNormalize, "&Normalize");
    MakeAction(C::EditSetAxisRanges, "Set A&xis Ranges", {}, true);
    MakeAction(C::EditShowLog, "Show lo&g");

    MakeAction(C::NewAlphaBetaPlot, "&New Alpha-Beta Plot", QKeySequence("Ctrl+R"));
    MakeAction(C::OpenAlphaBetaPlot, "&Open Alpha-Beta Plot...", QKeySequence("Ctrl+L"));
    MakeAction(C::AlphaBetaCurvePage, "Beta(&Alpha) Curve...", QKeySequence("Ctrl+A"), true);
    MakeAction(C::AlphaBetaFluidPage, "Alpha-Beta &Fluid...", QKeySequence("Ctrl+B"), true);
    MakeAction(C::NewCorrelation, "New &Correlation...");
    MakeAction(C::EditCorrelation, "&Edit Correlation...");
    MakeAction(C::PlotCorrelation, "&Plot Correlation...");
    MakeAction(C::RemoveCorrelationPage, "&Remove Correlation...", {}, true);

    MakeAction(C::NewFluidModel, "&New Fluid Model...");
    MakeAction(C::OpenFluidModel, "&Open Fluid Model...");
    MakeAction(C::PvtProperties, "&PVT properties...");

    MakeAction(C::NewPTDiagram, "&New P-T diagram", QKeySequence("Ctrl+D"));
    MakeAction(C::OpenPTDiagram, "&Open P-T diagram...");
    MakeAction(C::IsoplethsPage, "Iso&pleths...", QKeySequence("Ctrl+T"), true);
    MakeAction(C::IsochorsPage, "Iso&chors...", QKeySequence("Ctrl+I"), true);
    MakeAction(C::TrappingPage, "&Trapping pressures...", QKeySequence("Ctrl+Y"), true);
    MakeAction(C::RemoveCurvePage, "&Remove curve...", {}, true);

    MakeAction(C::NewVTPlot, "&New Volume-T plot");
    MakeAction(C::PlotInclusionVTPage, "Plot &inclusion V-T data...", {}, true);
    MakeAction(C::PlotCalculatedVTPage, "Plot calculated V-T &curve...", {}, true);

    // The menu shows the key, which the plot with the focus takes itself: a plain F stays a letter
    // in the panels' lists and in the tables.
    MakeAction(C::ViewZoomToData, "&Zoom to data", QKeySequence(Qt::Key_F))
        ->setShortcutContext(Qt::WidgetShortcut);
    MakeAction(C::FindCrossings, "F&ind crossings...");

    MakeAction(C::WindowCascade, "&Cascade");
    MakeAction(C::WindowTileHorizontally, "Tile &horizontally");
    MakeAction(C::WindowTileVertically, "Tile &vertically");
    MakeAction(C::WindowArrangeIcons, "&Arrange icons");
    MakeAction(C::HelpContents, "&Contents");
    MakeAction(C::HelpAbout, "&About Zephon...")->setIcon(ToolIcon(CToolIcon::About));

    BindStandardKeys(mActions);
    SelectAllOwnsCtrlA(mActions, false);
}

void CMainWindow::CreateMenus() {
    auto add = [this](QMenu* menu, std::initializer_list<CAppCommand> commands) {
        for (CAppCommand command : commands)
            menu->addAction(mActions.at(command));
    };
    QMenu* file = menuBar()->addMenu("&File");
    add(file, {C::FileNew, C::FileOpen, C::FileClose});
    file->addSeparator();
    add(file, {C::FileSave, C::FileSaveAs, C::FileRevert});
    file->addSeparator();
    add(file, {C::FileImport, C::FileExport, C::FileExportPicture});
    file->addSeparator();
    add(file, {C::FilePageSetup, C::FilePrint});
    file->addSeparator();
    mRecentMenu = file->addMenu("Recent &files");
    file->addSeparator();
    add(file, {C::FileExit});

    QMenu* edit = menuBar()->addMenu("&Edit");
    add(edit, {C::EditUndo, C::EditRedo});
    edit->addSeparator();
    add(edit, {C::EditCut, C::EditCopy, C::EditPaste, C::EditClear, C::EditSelectAll});
    edit->addSeparator();
    add(edit, {C::EditAddRow, C::EditDeleteRow, C::EditNormalize});
    edit->addSeparator();
    add(edit, {C::EditSetAxisRanges, C::EditShowLog});
    edit->addSeparator();
    mToolBarToggle = edit->addAction("Show &Tool Bar");
    mStatusBarToggle = edit->addAction("Show &Status Bar");

    QMenu* view = menuBar()->addMenu("V&iew");
    add(view, {C::ViewZoomToData, C::FindCrossings});

    QMenu* alphaBeta = menuBar()->addMenu("&Alpha-Beta Model");
    add(alphaBeta, {C::NewAlphaBetaPlot, C::OpenAlphaBetaPlot});
    alphaBeta->addSeparator();
    add(alphaBeta, {C::AlphaBetaCurvePage, C::AlphaBetaFluidPage});
    alphaBeta->addSeparator();
    add(alphaBeta, {C::NewCorrelation, C::EditCorrelation, C::PlotCorrelation, C::RemoveCorrelationPage});
    alphaBeta->addSeparator();
    add(alphaBeta, {C::FindCrossings});

    QMenu* fluid = menuBar()->addMenu("F&luid Model");
    add(fluid, {C::NewFluidModel, C::OpenFluidModel});
    fluid->addSeparator();
    add(fluid, {C::PvtProperties});

    QMenu* phase = menuBar()->addMenu("&Phase Diagrams");
    add(phase, {C::NewPTDiagram, C::OpenPTDiagram});
    phase->addSeparator();
    add(phase, {C::IsoplethsPage, C::IsochorsPage, C::TrappingPage, C::RemoveCurvePage});

    QMenu* vt = menuBar()->addMenu("&V-T plots");
    add(vt, {C::NewVTPlot});
    vt->addSeparator();
    add(vt, {C::PlotInclusionVTPage, C::PlotCalculatedVTPage});

    mWindowMenu = menuBar()->addMenu("&Window");
    connect(mWindowMenu, &QMenu::aboutToShow, this, &CMainWindow::UpdateWindowMenu);

    QMenu* help = menuBar()->addMenu("&Help");
    add(help, {C::HelpContents, C::HelpAbout});
    // What a menu shows is checked again when it opens (a panel or window may have closed).
    for (QMenu* menu : {file, edit, view, alphaBeta, fluid, phase, vt, mWindowMenu, help})
        connect(menu, &QMenu::aboutToShow, this, &CMainWindow::UpdateActions);
    // Every item above has its letter; whatever joins a menu later gets a free one.
    AssignMnemonics(*menuBar());
    UpdateRecentFilesMenu();
}

void CMainWindow::CreateToolBar() {
    QToolBar* bar = addToolBar("Tool Bar");
    bar->setObjectName("MainToolBar");
    bar->addAction(mActions.at(C::FileNew));
    bar->addAction(mActions.at(C::FileOpen));
    bar->addAction(mActions.at(C::FileSave));
    bar->addSeparator();
    bar->addAction(mActions.at(C::FilePrint));
    bar->addSeparator();
    bar->addAction(mActions.at(C::HelpAbout));

    // The toggles of the Edit menu follow the bars, whoever hides them.
    QAction* toolBarShown = bar->toggleViewAction();
    mToolBarToggle->setCheckable(true);
    mToolBarToggle->setChecked(true);
    connect(mToolBarToggle, &QAction::toggled, bar, &QToolBar::setVisible);
    connect(toolBarShown, &QAction::toggled, mToolBarToggle, &QAction::setChecked);
    mStatusBarToggle->setCheckable(true);
    mStatusBarToggle->setChecked(true);
    connect(mStatusBarToggle, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
}

QAction* CMainWindow::Action(CAppCommand command) const {
    const auto it = mActions.find(command);
    return it == mActions.end() ? nullptr : it->second;
}

CShellState CMainWindow::ShellState() const {
    CShellState state;
    state.alphaBetaPanelPage = mApp.Panels().ShownPage(CToolPanelKind::AlphaBeta);
    state.phaseDiagPanelPage = mApp.Panels().ShownPage(CToolPanelKind::PhaseDiagram);
    state.volumePanelPage = mApp.Panels().ShownPage(CToolPanelKind::BubbleSize);
    state.axisRangeWindowOpen = mApp.IsAxisRangeWindowOpen();
    if (CDocumentWindow* window = ActiveDocumentWindow()) state.activeWindow = window->Abilities();
    return state;
}

void CMainWindow::UpdateActions() {
    if (mShutDown) return;
    const CShellState shell = ShellState();
    for (auto& [command, action] : mActions) {
        const CCommandState state = CommandState(command, mApp.Core(), shell);
        action->setEnabled(state.enabled);
        if (action->isCheckable()) action->setChecked(state.checked);
    }
    SelectAllOwnsCtrlA(mActions, mActions.at(C::EditSelectAll)->isEnabled());
    UpdateWindowTitles();
}

// ---- commands ----

void CMainWindow::Run(CAppCommand command) {
    // A command may open dialogs; enabling is checked again when it runs, because a shortcut can
    // reach an action before its menu was ever shown.
    if (!CommandState(command, mApp.Core(), ShellState()).enabled) return;
    // What the status line said belongs to the command before; this one may say something new.
    statusBar()->clearMessage();
    CApplicationCore& core = mApp.Core();
    CToolPanels& panels = mApp.Panels();
    if (IsWindowCommand(command)) {
        if (CDocumentWindow* window = ActiveDocumentWindow()) window->RunCommand(command);
        UpdateActions();
        return;
    }
    switch (command) {
    case C::FileNew:
        core.NewDocument(CDocumentKind::InclusionData);
        break;
    case C::FileOpen:
        OpenWithDialog(CDocumentKind::InclusionData, "Open");
        core.Notify(CAppNotification::InclusionsDataDocModified);
        break;
    case C::FileClose:
    case C::FileSave:
    case C::FileSaveAs:
    case C::FileRevert:
        RunFileCommand(command);
        break;
    case C::FileExit:
        close();
        break;
    case C::EditSetAxisRanges:
        mApp.DisplayAxisRangeDialog();
        break;
    case C::EditShowLog:
        mApp.Log().ShowLog();
        break;
    case C::NewAlphaBetaPlot:
        core.NewDocument(CDocumentKind::AlphaBetaPlot);
        panels.Display(CToolPanelKind::AlphaBeta, 0);
        break;
    case C::OpenAlphaBetaPlot:
        OpenWithDialog(CDocumentKind::AlphaBetaPlot, "Open Alpha-Beta Plot");
        break;
    case C::AlphaBetaCurvePage:
        panels.Display(CToolPanelKind::AlphaBeta, 0);
        break;
    case C::AlphaBetaFluidPage:
        panels.Display(CToolPanelKind::AlphaBeta, 1);
        break;
    case C::RemoveCorrelationPage:
        panels.Display(CToolPanelKind::AlphaBeta, 2);
        break;
    case C::NewCorrelation:
        core.NewDocument(CDocumentKind::Correlation);
        break;
    case C::EditCorrelation:
        OpenWithDialog(CDocumentKind::Correlation, "Edit Correlation");
        break;
    case C::FindCrossings:
        if (CAlphaBetaPlotDocument* plot = core.CurrentAlphaBetaPlotDoc()) {
            CCrossingsDialog dialog(*plot, this);
            dialog.exec();
        }
        break;
    case C::PlotCorrelation:
        if (CAlphaBetaPlotDocument* plot = core.CurrentAlphaBetaPlotDoc())
            plot->SelectAndPlotAlphaBetaCorrelation();
        break;
    case C::NewFluidModel:
        core.NewDocument(CDocumentKind::FluidModel);
        break;
    case C::OpenFluidModel:
        OpenWithDialog(CDocumentKind::FluidModel, "Open Fluid Model");
        break;
    case C::NewPTDiagram:
        core.NewDocument(CDocumentKind::PhaseDiagram);
        panels.Display(CToolPanelKind::PhaseDiagram, 0);
        break;
    case C::OpenPTDiagram:
        OpenWithDialog(CDocumentKind::PhaseDiagram, "Open P-T diagram");
        break;
    case C::IsoplethsPage:
        panels.Display(CToolPanelKind::PhaseDiagram, 0);
        break;
    case C::IsochorsPage:
        panels.Display(CToolPanelKind::PhaseDiagram, 1);
        break;
    case C::TrappingPage:
        panels.Display(CToolPanelKind::PhaseDiagram, 2);
        break;
    case C::RemoveCurvePage:
        panels.Display(CToolPanelKind::PhaseDiagram, 3);
        break;
    case C::NewVTPlot:
        if (CPhaseDiagDocument* diagram = core.CurrentPhaseDiagDoc()) {
            diagram->DisplayNewVTPlot();
            panels.Display(CToolPanelKind::BubbleSize, 0);
        }
        break;
    case C::PlotInclusionVTPage:
        panels.Display(CToolPanelKind::BubbleSize, 0);
        break;
    case C::PlotCalculatedVTPage:
        panels.Display(CToolPanelKind::BubbleSize, 1);
        break;
    case C::WindowCascade:
        mMdiArea->cascadeSubWindows();
        break;
    case C::WindowTileHorizontally:
        TileSubWindows(Qt::Vertical);
        break;
    case C::WindowTileVertically:
        TileSubWindows(Qt::Horizontal);
        break;
    case C::WindowArrangeIcons:
        ArrangeMinimizedWindows();
        break;
    case C::HelpContents:
        ShowHelpContents(this);
        break;
    case C::HelpAbout:
        ShowAboutBox(this);
        break;
    default:
        break;
    }
    UpdateActions();
}

void CMainWindow::RunFileCommand(CAppCommand command) {
    CApplicationCore& core = mApp.Core();
    CWDocument* document = core.ActiveDocument();
    if (document == nullptr) return;
    switch (command) {
    case C::FileClose:
        // A window that is not its document's own (a volume-temperature plot, a sub-table) closes
        // by itself; the document's own window closes the document.
        if (CDocumentWindow* window = ActiveDocumentWindow();
            window != nullptr && !window->ClosesDocument()) {
            if (QMdiSubWindow* sub = mMdiArea->currentSubWindow()) sub->close();
        } else {
            core.CloseDocument(*document);
        }
        break;
    case C::FileSave:
        core.SaveDocument(*document);
        break;
    case C::FileSaveAs:
        core.SaveDocumentAs(*document);
        break;
    case C::FileRevert:
        core.RevertDocument(*document);
        break;
    default:
        break;
    }
    UpdateRecentFilesMenu();
}

void CMainWindow::OpenWithDialog(CDocumentKind kind, const char* title) {
    const CDocumentKindInfo& info = KindInfo(kind);
    // The kind's own files first; any Zephon file may be chosen.
    std::string filter = info.openFilter;
    filter.resize(filter.size() - 1); // drop one of the closing "||"
    filter += AllFilesFilter().substr(0, AllFilesFilter().find(";;"));
    filter += "|*||";
    const auto path = mApp.Services().ChooseFileToOpen({title, info.extension, filter});
    if (!path) return;
    mApp.Core().OpenDocument(*path);
    UpdateRecentFilesMenu();
}

void CMainWindow::UpdateRecentFilesMenu() {
    mRecentMenu->clear();
    const auto& files = mApp.Core().RecentFiles();
    int number = 1;
    for (const auto& file : files) {
        const QString path = QString::fromStdString(file.string());
        QAction* action =
            mRecentMenu->addAction(QString("&%1 %2").arg(number++).arg(QDir::toNativeSeparators(path)));
        connect(action, &QAction::triggered, this, [this, path] { mApp.OpenFiles({path}); });
    }
    mRecentMenu->setEnabled(!files.empty());
}

void CMainWindow::UpdateWindowMenu() {
    mWindowMenu->clear();
    for (CAppCommand command :
         {C::WindowCascade, C::WindowTileHorizontally, C::WindowTileVertically, C::WindowArrangeIcons})
        mWindowMenu->addAction(mActions.at(command));
    const QList<QMdiSubWindow*> windows = mMdiArea->subWindowList();
    bool first = true;
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        if (!window->isVisible()) continue;
        if (first) mWindowMenu->addSeparator();
        first = false;
        QAction* action =
            mWindowMenu->addAction(QString("&%1 %2").arg(number++).arg(window->windowTitle().remove("[*]")));
        action->setCheckable(true);
        action->setChecked(window == mMdiArea->activeSubWindow());
        connect(action, &QAction::triggered, this, [this, window] { mMdiArea->setActiveSubWindow(window); });
    }
}

void CMainWindow::TileSubWindows(Qt::Orientation stacking) {
    // "Tile horizontally" stacks full-width windows one above the other; "vertically" puts
    // full-height windows side by side. Minimised windows keep their place.
    std::vector<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : mMdiArea->subWindowList())
        if (sub->isVisible() && !sub->isMinimized()) windows.push_back(sub);
    if (windows.empty()) return;
    const QRect area = mMdiArea->viewport()->rect();
    const int count = static_cast<int>(windows.size());
    for (int i = 0; i < count; ++i) {
        windows[i]->showNormal();
        if (stacking == Qt::Vertical) {
            const int top = area.height() * i / count, bottom = area.height() * (i + 1) / count;
            windows[i]->setGeometry(0, top, area.width(), bottom - top);
        } else {
            const int left = area.width() * i / count, right = area.width() * (i + 1) / count;
            windows[i]->setGeometry(left, 0, right - left, area.height());
        }
    }
}

void CMainWindow::ArrangeMinimizedWindows() {
    // Minimised windows in rows along the bottom of the area, left to right.
    const QRect area = mMdiArea->viewport()->rect();
    int x = 0;
    int rowTop = -1;
    for (QMdiSubWindow* sub : mMdiArea->subWindowList()) {
        if (!sub->isVisible() || !sub->isMinimized()) continue;
        if (rowTop < 0) rowTop = area.height() - sub->height();
        if (x > 0 && x + sub->width() > area.width()) {
            x = 0;
            rowTop -= sub->height();
        }
        sub->move(x, rowTop);
        x += sub->width();
    }
}

void CMainWindow::ShowStatus(const QString& text) {
    if (text.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(text);
}

// ---- windows of documents ----

CDocumentWindow* CMainWindow::WindowOf(QMdiSubWindow* window) const {
    return window != nullptr ? dynamic_cast<CDocumentWindow*>(window->widget()) : nullptr;
}

CDocumentWindow* CMainWindow::ActiveDocumentWindow() const {
    return WindowOf(mMdiArea->currentSubWindow());
}

std::vector<CDocumentWindow*> CMainWindow::DocumentWindows() const {
    std::vector<CDocumentWindow*> windows;
    for (QMdiSubWindow* sub : mMdiArea->subWindowList())
        if (CDocumentWindow* window = WindowOf(sub)) windows.push_back(window);
    return windows;
}

QMdiSubWindow* CMainWindow::SubWindowOf(CWDocument& document) const {
    for (QMdiSubWindow* sub : mMdiArea->subWindowList()) {
        CDocumentWindow* window = WindowOf(sub);
        if (window != nullptr && window->Document() == &document && window->ClosesDocument()) return sub;
    }
    return nullptr;
}

QMdiSubWindow* CMainWindow::AddSubWindow(QWidget* window) {
    QMdiSubWindow* sub = mMdiArea->addSubWindow(window);
    UnbindSystemMenuKeys(*sub);
    sub->installEventFilter(this);
    sub->show();
    PlaceSubWindow(*sub,
                   NewSubWindowSize(*sub, dynamic_cast<CDocumentWindow*>(window) != nullptr &&
                                              dynamic_cast<CDocumentWindow*>(window)->PlotView() != nullptr));
    mMdiArea->setActiveSubWindow(sub);
    UpdateWindowTitles();
    return sub;
}

void CMainWindow::ShowDocument(CWDocument& document) {
    QWidget* window = mRegistry.MakeWindow(document, mApp);
    if (window == nullptr) return;
    RestoreDocumentLayout(document, *AddSubWindow(window));
    UpdateActions();
}

void CMainWindow::BringToFront(CWDocument& document) {
    if (QMdiSubWindow* sub = SubWindowOf(document)) {
        if (sub->isMinimized()) sub->showNormal();
        mMdiArea->setActiveSubWindow(sub);
    }
}

void CMainWindow::CloseWindows(CWDocument& document) {
    // All of them first: detaching a table detaches its sub-tables too, which then no longer
    // name the document.
    std::vector<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : mMdiArea->subWindowList())
        if (CDocumentWindow* window = WindowOf(sub); window != nullptr && window->Document() == &document) {
            if (window->ClosesDocument()) RememberDocumentLayout(document, *sub);
            windows.push_back(sub);
        }
    for (QMdiSubWindow* sub : windows)
        RemoveSubWindow(sub);
    UpdateActions();
}

void CMainWindow::RemoveSubWindow(QMdiSubWindow* sub) {
    if (CDocumentWindow* window = WindowOf(sub)) window->DetachDocument();
    sub->removeEventFilter(this);
    sub->hide();
    mMdiArea->removeSubWindow(sub);
    // The close may have started inside this very window's event handler.
    sub->deleteLater();
}

void CMainWindow::DocumentStateChanged(CWDocument& document) {
    for (CDocumentWindow* window : DocumentWindows())
        if (window->Document() == &document) window->DocumentStateChanged();
    UpdateWindowTitles();
}

void CMainWindow::DocumentClosed() {
    UpdateActions();
}

void CMainWindow::Notified(CAppNotification) {
    UpdateActions();
}

void CMainWindow::OpenVTPlotWindow(CPhaseDiagDocument& document, CVolumePlotView& view) {
    if (QWidget* window = CreateVTPlotWindow(document, view, mApp)) AddSubWindow(window);
}

void CMainWindow::CloseVTPlotWindow(CPhaseDiagDocument&, CVolumePlotView& view) {
    for (QMdiSubWindow* sub : mMdiArea->subWindowList())
        if (CDocumentWindow* window = WindowOf(sub);
            window != nullptr && window->PlotView() == static_cast<CPlotView*>(&view))
            RemoveSubWindow(sub);
}

void CMainWindow::UpdateWindowTitles() {
    for (QMdiSubWindow* sub : mMdiArea->subWindowList()) {
        CDocumentWindow* window = WindowOf(sub);
        if (window == nullptr) continue;
        const CWDocument* document = window->Document();
        if (document == nullptr) continue; // going with its document
        const QString own = window->WindowTitle();
        sub->setWindowTitle((own.isEmpty() ? TitleOf(*document) : own) + "[*]");
        sub->setWindowModified(document->IsModified());
    }
    CWDocument* active = mApp.Core().ActiveDocument();
    setWindowTitle(active != nullptr ? "Zephon - " + TitleOf(*active) : QString("Zephon"));
}

void CMainWindow::OnSubWindowActivated(QMdiSubWindow* sub) {
    CApplicationCore& core = mApp.Core();
    if (sub == nullptr) {
        // Also sent when another top-level window (a tool panel) takes the focus; only a
        // main window without windows has no active document.
        if (mMdiArea->currentSubWindow() == nullptr) core.WindowClosed();
    } else if (CDocumentWindow* window = WindowOf(sub)) {
        // The core ignores the windows of a document that is closing.
        if (CWDocument* document = window->Document()) core.WindowActivated(document);
        if (CPlotView* view = window->PlotView()) core.NotifyPlotWindowActivated(view);
        // A volume-temperature plot becomes the current one, its P-T diagram with it.
        if (auto* volume = dynamic_cast<CVolumePlotView*>(window->PlotView()))
            core.SetCurrentVTPlotView(volume);
    } else {
        // The log: no document is active, and the file commands have nothing to act on.
        core.WindowActivated(nullptr);
    }
    UpdateActions();
}

// ---- events ----

bool CMainWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* sub = qobject_cast<QMdiSubWindow*>(watched);
    if (sub != nullptr && event->type() == QEvent::Close) {
        CDocumentWindow* window = WindowOf(sub);
        if (window != nullptr && window->ClosesDocument() && window->Document() != nullptr) {
            // The document closes by the application's one path, which closes this window too
            // when the person does not cancel.
            event->ignore();
            mApp.Core().CloseDocument(*window->Document());
            UpdateActions();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainWindow::closeEvent(QCloseEvent* event) {
    if (!mApp.Core().CloseAllDocuments()) {
        event->ignore();
        UpdateActions();
        return;
    }
    WriteSettings();
    event->accept();
    QApplication::closeAllWindows();
}

void CMainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainWindow::dropEvent(QDropEvent* event) {
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) files << url.toLocalFile();
    event->acceptProposedAction();
    mApp.OpenFiles(files);
}

// ---- settings ----

void CMainWindow::ReadSettings() {
    QSettings settings = ZephonSettings();
    std::vector<std::filesystem::path> recent;
    for (const QString& file : settings.value(kRecentFilesKey).toStringList())
        recent.emplace_back(file.toStdString());
    mApp.Core().SetRecentFiles(recent);
    const QByteArray geometry = settings.value(kMainWindowGeometryKey).toByteArray();
    if (!geometry.isEmpty() && restoreGeometry(geometry)) return;
    // A first start: most of the screen, centred, so that plots and the docks beside them have room.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect room = screen->availableGeometry();
        resize(room.size() * 0.9);
        move(room.center() - rect().center());
    }
}

void CMainWindow::RestoreDocks() {
    restoreState(ZephonSettings().value(kMainWindowStateKey).toByteArray());
}

void CMainWindow::PlacePanelDock(QDockWidget& dock) {
    // Where the person left it last time; else on the right, tabbed with the panels there and
    // above the log.
    if (restoreDockWidget(&dock)) return;
    QDockWidget* tabbedWith = nullptr;
    for (QDockWidget* other : findChildren<QDockWidget*>())
        if (other != &dock && other != &mApp.Log().Dock() && !other->isFloating() &&
            dockWidgetArea(other) == Qt::RightDockWidgetArea)
            tabbedWith = other;
    if (tabbedWith != nullptr) {
        tabifyDockWidget(tabbedWith, &dock);
        return;
    }
    addDockWidget(Qt::RightDockWidgetArea, &dock, Qt::Vertical);
    // A third of the window, or what the pages need: the plots keep the rest.
    resizeDocks({&dock}, {std::max(dock.minimumSizeHint().width(), width() / 3)}, Qt::Horizontal);
    QDockWidget& log = mApp.Log().Dock();
    if (!log.isFloating() && dockWidgetArea(&log) == Qt::RightDockWidgetArea)
        splitDockWidget(&dock, &log, Qt::Vertical);
}

void CMainWindow::WriteSettings() const {
    QSettings settings = ZephonSettings();
    QStringList recent;
    for (const auto& file : mApp.Core().RecentFiles())
        recent << QString::fromStdString(file.string());
    settings.setValue(kRecentFilesKey, recent);
    settings.setValue(kMainWindowGeometryKey, saveGeometry());
    settings.setValue(kMainWindowStateKey, saveState());
}
