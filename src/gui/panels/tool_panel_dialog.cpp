// SPDX-License-Identifier: BSD-3-Clause
#include "gui/panels/tool_panel_dialog.hpp"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTabWidget>
#include <QVBoxLayout>

#include "gui/panels/alpha_beta_pages.hpp"
#include "gui/panels/phase_diagram_pages.hpp"
#include "gui/panels/volume_pages.hpp"
#include "gui/shell/main_window.hpp"
#include "gui/shell/zephon_app.hpp"

namespace {

// The widget of each page of a panel.
std::vector<QWidget*> MakePageWidgets(CToolPanel& panel, CZephonApp& app) {
    if (auto* alphaBeta = dynamic_cast<CAlphaBetaPanelModel*>(&panel))
        return {new CAlphaBetaCurvesWidget(alphaBeta->mCurves, app),
                new CAlphaBetaFluidsWidget(alphaBeta->mFluids, app),
                new CCorrelationsWidget(alphaBeta->mCorrelations, app)};
    if (auto* phaseDiag = dynamic_cast<CPhaseDiagPanelModel*>(&panel))
        return {new CIsoplethsWidget(phaseDiag->mIsopleths, app),
                new CIsochorsWidget(phaseDiag->mIsochors, app),
                new CTrappingWidget(phaseDiag->mTrapping, app), new CCleanWidget(phaseDiag->mClean, app)};
    if (auto* volume = dynamic_cast<CVolumePanelModel*>(&panel))
        return {new CVolumePageWidget(volume->mInclusions,
                                      {"Non-plotted Inclusions", "Plotted Inclusions",
                                       "Plot Inclusion V-T data >>", "<< Remove Inclusion data"},
                                      app),
                new CVolumePageWidget(
                    volume->mCurves,
                    {"Non-plotted isochors", "Plotted Isochors", "Plot Isochor >>", "<< Remove Isochor"},
                    app)};
    return {};
}

} // namespace

CToolPanelDialog::CToolPanelDialog(std::unique_ptr<CToolPanel> panel, CZephonApp& app)
    : QDockWidget(&app.MainWindow()), mPanel(std::move(panel)), mApp(app) {
    setAttribute(Qt::WA_DeleteOnClose);
    const QString title = QString::fromStdString(mPanel->Title());
    setWindowTitle(title);
    setObjectName(title + " dock"); // the name its place is saved under
    auto* content = new QWidget(this);
    mTabs = new QTabWidget(content);
    const std::vector<QWidget*> pages = MakePageWidgets(*mPanel, app);
    for (int i = 0; i < static_cast<int>(pages.size()); ++i)
        mTabs->addTab(pages[i], QString::fromStdString(mPanel->Page(i).Title()));
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(mTabs);
    setWidget(content);
    connect(mTabs, &QTabWidget::currentChanged, this, &CToolPanelDialog::PageChanged);
    // The main window's commands keep their shortcuts while the panel floats and has the focus.
    for (int command = 0; command <= static_cast<int>(CAppCommand::HelpAbout); ++command)
        if (QAction* action = mApp.MainWindow().Action(static_cast<CAppCommand>(command))) addAction(action);
}

CToolPanelDialog::~CToolPanelDialog() {
    // The page widgets go before the pages they show, and nothing they do while going reaches one.
    for (QWidget* child : findChildren<QWidget*>())
        child->blockSignals(true);
    delete mTabs;
    mPanel->Close();
}

void CToolPanelDialog::ShowPage(int page) {
    if (page < 0 || page >= mTabs->count()) return;
    const QSignalBlocker guard(mTabs);
    mTabs->setCurrentIndex(page);
    PageChanged(page);
    if (!mPlaced) mApp.MainWindow().PlacePanelDock(*this);
    mPlaced = true;
    show();
    raise();
}

int CToolPanelDialog::ShownPage() const {
    // A panel tabbed behind another still shows its page: it is one click away.
    return isHidden() ? -1 : mTabs->currentIndex();
}

void CToolPanelDialog::PageChanged(int page) {
    mPanel->ShowPage(page);
    mApp.MainWindow().UpdateActions();
}

void CToolPanelDialog::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu("Tool Dialog", this);
    menu.addAction("&Close dialog box...", this, &QWidget::close);
    menu.exec(event->globalPos());
}

void CToolPanelDialog::closeEvent(QCloseEvent* event) {
    mPanel->Close();
    QDockWidget::closeEvent(event);
    // After the close: the menu's check marks no longer show a page of this panel.
    QMetaObject::invokeMethod(&mApp.MainWindow(), &CMainWindow::UpdateActions, Qt::QueuedConnection);
}
