// SPDX-License-Identifier: BSD-3-Clause
#include "gui/shell/zephon_app.hpp"

#include <QApplication>
#include <QDir>
#include <QFileOpenEvent>
#include <QMdiArea>
#include <QTimer>

#include "app/recovery/recovery_keeper.hpp"
#include "gui/shell/log_window.hpp"
#include "gui/shell/main_window.hpp"
#include "gui/shell/qt_services.hpp"
#include "gui/shell/settings.hpp"
#include "gui/shell/splash.hpp"
#include "gui/shell/tool_panels.hpp"

namespace {

CZephonApp* gZephonApp = nullptr;

// Where the log may go: the given folder (the tests'), else the current one unless it is the home
// folder, else the user's state folder.
std::vector<std::filesystem::path> LogFolders(const std::filesystem::path& given) {
    std::vector<std::filesystem::path> folders;
    if (!given.empty()) folders.push_back(given);
    const std::vector<std::filesystem::path> usual =
        CLogFile::Folders(QDir::currentPath().toStdString(), QDir::homePath().toStdString(),
                          qEnvironmentVariable("XDG_STATE_HOME").toStdString());
    folders.insert(folders.end(), usual.begin(), usual.end());
    return folders;
}

} // namespace

CZephonApp::CZephonApp(Options options, std::unique_ptr<CQtServices> services)
    : mOptions(std::move(options)),
      mServices(services ? std::move(services) : std::make_unique<CQtServices>()) {
    gZephonApp = this;
    mServices->Attach(*this);
    mCore = std::make_unique<CApplicationCore>(*mServices);
    mPanels = CreateToolPanels(*this);
    mMainWindow = std::make_unique<CMainWindow>(*this);
    mCore->SetWindows(mMainWindow.get());
    mLog = new CLogWindow(*mMainWindow, LogFolders(mOptions.logFolder));
    mMainWindow->RestoreDocks();
    qApp->installEventFilter(this);
    mMainWindow->show();
    if (mOptions.splash) new CSplashScreen(*mMainWindow);
    mMainWindow->UpdateActions();
}

CZephonApp::~CZephonApp() {
    qApp->removeEventFilter(this);
    // Panels go before the documents they follow; the documents close without questions (quitting
    // asked already) and detach their windows; the main window goes last.
    mMainWindow->Shutdown();
    if (mAxisRangeWindow) delete mAxisRangeWindow.data();
    mPanels.reset();
    if (mRecoveryTimer != nullptr) mRecoveryTimer->stop();
    mCore->DiscardAllDocuments(); // their copies go with them
    mRecovery.reset();
    mCore->SetWindows(nullptr);
    mCore.reset();
    mMainWindow.reset();
    if (gZephonApp == this) gZephonApp = nullptr;
}

CZephonApp* CZephonApp::Instance() {
    return gZephonApp;
}

const std::filesystem::path& CZephonApp::LogFile() const {
    return mLog->File().Path();
}

void CZephonApp::OpenFiles(const QStringList& paths) {
    for (const QString& path : paths)
        mCore->OpenDocument(std::filesystem::path(path.toStdString()));
    mMainWindow->UpdateRecentFilesMenu();
    mMainWindow->UpdateActions();
}

void CZephonApp::OpenStartFiles(const QStringList& paths) {
    OpenFiles(paths);
    if (mMainWindow->DocumentWindows().size() > 1) mMainWindow->MdiArea()->tileSubWindows();
    // The file named first is the one the person wants to see first.
    if (!paths.isEmpty())
        if (CWDocument* first = mCore->FindDocument(std::filesystem::path(paths.front().toStdString())))
            mMainWindow->BringToFront(*first);
}

void CZephonApp::StartRecovery(const std::filesystem::path& folder) {
    const std::filesystem::path where =
        !folder.empty() ? folder
                        : DefaultRecoveryFolder(qEnvironmentVariable("XDG_STATE_HOME").toStdString(),
                                                QDir::homePath().toStdString());
    const int seconds = ZephonSettings().value(kRecoveryIntervalKey, kDefaultRecoveryInterval).toInt();
    if (seconds > 0 && !mRecovery) {
        std::string error;
        if (auto session = CRecoverySession::Start(where, error)) {
            mRecovery =
                std::make_unique<CRecoveryKeeper>(*mCore, std::move(session), std::chrono::seconds(seconds));
            mRecoveryTimer = new QTimer(this);
            mRecoveryTimer->setInterval(1000);
            connect(mRecoveryTimer, &QTimer::timeout, this, &CZephonApp::TickRecovery);
            mRecoveryTimer->start();
        } else {
            ReportRecoveryFailure(where, error);
        }
    }
    CRecoverableCopies found(where);
    if (found.Copies().empty()) return;
    // Nothing chosen: the copies wait for the next start.
    if (const auto chosen = mServices->ChooseDocumentsToRecover(found.Copies())) {
        RecoverDocuments(*mCore, mRecovery.get(), found, *chosen);
        mMainWindow->UpdateActions();
    }
}

void CZephonApp::TickRecovery() {
    // A running operation (a progress loop, a question) may hold a document half changed: its copy
    // waits for the operation's end.
    if (!mRecovery || QApplication::activeModalWidget() != nullptr ||
        QApplication::overrideCursor() != nullptr)
        return;
    mRecovery->Tick(CRecoveryKeeper::Clock::now());
    if (const auto failure = mRecovery->FailureToReport())
        ReportRecoveryFailure(mRecovery->Session().Folder().parent_path(), *failure);
}

void CZephonApp::ReportRecoveryFailure(const std::filesystem::path& folder, const std::string& why) {
    const std::string text = "Zephon cannot keep recovery copies of your documents in \"" + folder.string() +
                             "\": " + why + ". Your documents are not affected; save them as usual.";
    mLog->InsertText(QString::fromStdString(text + "\r\n"));
    mServices->ShowMessage({text, "", CMessageIcon::Warning, false});
}

void CZephonApp::DisplayAxisRangeDialog() {
    if (mAxisRangeWindow.isNull()) mAxisRangeWindow = CreateAxisRangeWindow(*this, mMainWindow.get());
    if (mAxisRangeWindow.isNull()) return;
    mAxisRangeWindow->show();
    mAxisRangeWindow->raise();
    mAxisRangeWindow->activateWindow();
    mMainWindow->UpdateActions();
}

bool CZephonApp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FileOpen && watched == qApp) {
        OpenFiles({static_cast<QFileOpenEvent*>(event)->file()});
        return true;
    }
    return QObject::eventFilter(watched, event);
}
