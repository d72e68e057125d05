// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The main window: menus, toolbar and status line around a multi-document area holding the
// windows of the open documents, with the tool panels and the log in docks on its right. One QAction per
// command, made once and shared by menus and toolbar; UpdateActions asks the application's logic which are
// enabled or checked.

#include <QMainWindow>
#include <QPointer>
#include <map>

#include "app/app_commands.hpp"
#include "app/application_core.hpp"
#include "gui/shell/window_registry.hpp"

class CZephonApp;
class CDocumentWindow;
class CPhaseDiagDocument;
class CVolumePlotView;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QAction;
class QDockWidget;

class CMainWindow : public QMainWindow, public CDocumentWindows {
    Q_OBJECT

  public:
    explicit CMainWindow(CZephonApp& app);
    ~CMainWindow() override;

    QAction* Action(CAppCommand command) const;
    QMdiArea* MdiArea() const { return mMdiArea; }
    // The document window of the active sub-window (not the log), or null.
    CDocumentWindow* ActiveDocumentWindow() const;
    std::vector<CDocumentWindow*> DocumentWindows() const;
    // What the toolkit alone knows, for the enabling rules.
    CShellState ShellState() const;

    // Puts a window in a sub-window of its own and shows it.
    QMdiSubWindow* AddSubWindow(QWidget* window);

    // The docks as the person left them (the log's dock made first; a panel made later finds its
    // place through PlacePanelDock).
    void RestoreDocks();
    // A tool panel's dock shown for the first time.
    void PlacePanelDock(QDockWidget& dock);

    // The application is ending: window activations are no longer reported.
    void Shutdown();

    // Status line text for a while (an empty text clears it).
    void ShowStatus(const QString& text);

    // ---- CDocumentWindows ----
    void ShowDocument(CWDocument& document) override;
    void BringToFront(CWDocument& document) override;
    void CloseWindows(CWDocument& document) override;
    void DocumentStateChanged(CWDocument& document) override;
    void DocumentClosed() override;
    void OpenVTPlotWindow(CPhaseDiagDocument& document, CVolumePlotView& view) override;
    void CloseVTPlotWindow(CPhaseDiagDocument& document, CVolumePlotView& view) override;
    void Notified(CAppNotification notification) override;

  public slots:
    void UpdateActions();
    void UpdateRecentFilesMenu();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    QAction* MakeAction(CAppCommand command, const QString& caption, const QKeySequence& shortcut = {},
                        bool checkable = false);
    void Run(CAppCommand command);
    void RunFileCommand(CAppCommand command);
    void OpenWithDialog(CDocumentKind kind, const char* title);
    void UpdateWindowMenu();
    void TileSubWindows(Qt::Orientation stacking);
    void ArrangeMinimizedWindows();
    void UpdateWindowTitles();
    void OnSubWindowActivated(QMdiSubWindow* window);
    CDocumentWindow* WindowOf(QMdiSubWindow* window) const;
    QMdiSubWindow* SubWindowOf(CWDocument& document) const;
    // Detaches the window from its document and takes it out of the area; deleted later.
    void RemoveSubWindow(QMdiSubWindow* sub);
    void ReadSettings();
    void WriteSettings() const;

    CZephonApp& mApp;
    QMdiArea* mMdiArea = nullptr;
    CWindowRegistry mRegistry;
    std::map<CAppCommand, QAction*> mActions;
    QMenu* mRecentMenu = nullptr;
    QMenu* mWindowMenu = nullptr;
    QAction* mToolBarToggle = nullptr;
    QAction* mStatusBarToggle = nullptr;
    bool mShutDown = false;
};
