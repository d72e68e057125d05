// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The desktop application: it owns the application's logic (CApplicationCore), the Qt services
// through which documents talk to people, the main window, the log, the tool panels and the axis
// range window, and starts them in order. One exists per process; windows and panels reach it
// through CZephonApp::Instance().

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <filesystem>
#include <memory>

#include "app/application_core.hpp"

class CQtServices;
class CMainWindow;
class CLogWindow;
class CToolPanels;
class CRecoveryKeeper;
class QTimer;
#include <QWidget>

class CZephonApp : public QObject {
    Q_OBJECT

  public:
    struct Options {
        bool splash = true;              // the start-up picture for 10 seconds
        std::filesystem::path logFolder; // empty: the current folder or the user's state folder
    };

    // Services may be given (the tests answer dialogs through their own); otherwise Qt's.
    explicit CZephonApp(Options options, std::unique_ptr<CQtServices> services = nullptr);
    ~CZephonApp() override;
    CZephonApp(const CZephonApp&) = delete;
    CZephonApp& operator=(const CZephonApp&) = delete;

    static CZephonApp* Instance();

    CApplicationCore& Core() { return *mCore; }
    CQtServices& Services() { return *mServices; }
    CMainWindow& MainWindow() { return *mMainWindow; }
    CLogWindow& Log() { return *mLog; }
    CToolPanels& Panels() { return *mPanels; }

    // Opens files as documents (command line, drops, the desktop); a file that is open already
    // comes to the front.
    void OpenFiles(const QStringList& paths);
    // The files named on the command line: opened, then tiled when there are several, so that every
    // plot shows whole at start, with the first one named in front.
    void OpenStartFiles(const QStringList& paths);

    // Recovery copies: offers what an earlier program left in the folder (empty: the user's state
    // folder), then keeps copies of modified documents there as often as the settings say.
    void StartRecovery(const std::filesystem::path& folder = {});
    CRecoveryKeeper* Recovery() const { return mRecovery.get(); }

    // The modeless axis range window, made on first use and bound to the current plot view.
    void DisplayAxisRangeDialog();
    bool IsAxisRangeWindowOpen() const { return !mAxisRangeWindow.isNull(); }
    QWidget* AxisRangeWindow() const { return mAxisRangeWindow; }

    // The file that the log writes to.
    const std::filesystem::path& LogFile() const;

  protected:
    // Files the desktop asks the running program to open.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Options mOptions;
    std::unique_ptr<CQtServices> mServices;
    std::unique_ptr<CApplicationCore> mCore;
    std::unique_ptr<CMainWindow> mMainWindow;
    CLogWindow* mLog = nullptr; // in a dock of the main window
    std::unique_ptr<CToolPanels> mPanels;
    QPointer<QWidget> mAxisRangeWindow;
    std::unique_ptr<CRecoveryKeeper> mRecovery;
    QTimer* mRecoveryTimer = nullptr;

    void TickRecovery();
    void ReportRecoveryFailure(const std::filesystem::path& folder, const std::string& why);
};

// Made by the plot module (plot/axis_range_window.hpp): the window follows the core's current
// plot view by itself.
QWidget* CreateAxisRangeWindow(CZephonApp& app, QWidget* parent);
