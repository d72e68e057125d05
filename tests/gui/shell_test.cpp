// SPDX-License-Identifier: BSD-3-Clause
// The shell: start-up, menus in each state, opening, closing and reverting documents, the docks and
// window sizes found again after reopening, and every damaged file opened through the application.
#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>
#include <csignal>

#include "documents/alpha_beta_plot_document.hpp"
#include "documents/phase_diag_document.hpp"
#include "gui/panels/tool_panel_dialog.hpp"
#include "gui/shell/document_window.hpp"
#include "gui/shell/help_window.hpp"
#include "gui/shell/log_window.hpp"
#include "gui/shell/main_window.hpp"
#include "gui/shell/mnemonics.hpp"
#include "gui/shell/termination_signals.hpp"
#include "gui/shell/tool_panels.hpp"
#include "gui/shell/zephon_app.hpp"
#include "listener_order.hpp"
#include "scripted_services.hpp"

namespace {

std::filesystem::path ToPath(const QString& file) {
    return std::filesystem::path(file.toStdString());
}

QByteArray ReadAll(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir mDemo;                       // the demonstration's documents, made once
    std::unique_ptr<QTemporaryDir> mTemporary; // a fresh folder per test
    QDir mFolder;
    std::unique_ptr<CZephonApp> mApp;
    CScriptedServices* mServices = nullptr;

    void Start() {
        auto services = std::make_unique<CScriptedServices>();
        mServices = services.get();
        CZephonApp::Options options;
        options.splash = false;
        options.logFolder = ToPath(mFolder.absolutePath());
        mApp = std::make_unique<CZephonApp>(options, std::move(services));
    }
    QString Demo(const char* name) const { return mDemo.filePath(name); }
    CMainWindow& Main() { return mApp->MainWindow(); }
    bool Enabled(CAppCommand command) { return Main().Action(command)->isEnabled(); }
    bool Checked(CAppCommand command) { return Main().Action(command)->isChecked(); }
    int VisibleSubWindows() {
        int count = 0;
        for (QMdiSubWindow* sub : Main().MdiArea()->subWindowList())
            count += sub->isVisible();
        return count;
    }

  private slots:
    void initTestCase() {
        QVERIFY(mDemo.isValid());
        QProcess demo;
        demo.start(ZEPHON_CLI, {"demo", "--out", mDemo.path()});
        QVERIFY(demo.waitForFinished(120000));
        QCOMPARE(demo.exitCode(), 0);
        QVERIFY(QFile::exists(Demo("phase_diagram.ptd")));
    }

    void init() {
        mTemporary = std::make_unique<QTemporaryDir>();
        QVERIFY(mTemporary->isValid());
        mFolder = QDir(mTemporary->path());
    }

    void cleanup() { mApp.reset(); }

    // The desktop program routes what documents report as the headless core does: the same
    // listeners hear the same events in the same order, and the Qt services hear none of them.
    void listenersHearChangesInTheCoresOrder() {
        Start();
        QVERIFY(&mServices->Events() == static_cast<CDocumentEvents*>(&mApp->Core()));
        std::vector<std::string> log;
        zephon::testing::RecordListenerOrder(mApp->Core(), log);
        QVERIFY(log == zephon::testing::kListenerOrder);
    }

    void logIsNewAtStartKeepingThePreviousOne() {
        QFile old(mFolder.filePath("Zephon.log"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("previous session\r\n");
        old.close();
        Start();
        QCOMPARE(ReadAll(mFolder.filePath("Zephon.log")), QByteArray());
        QCOMPARE(ReadAll(mFolder.filePath("Zephon.log.1")), QByteArray("previous session\r\n"));
        mApp->Log().InsertText("GOR = 1 234\r\n");
        QCOMPARE(ReadAll(mFolder.filePath("Zephon.log")), QByteArray("GOR = 1 234\r\n"));
        QCOMPARE(mApp->Log().toPlainText(), QString("GOR = 1 234\n"));
    }

    void menusFollowTheActiveWindow() {
        Start();
        QVERIFY(!Enabled(CAppCommand::FileClose));
        QVERIFY(!Enabled(CAppCommand::FileSave));
        QVERIFY(!Enabled(CAppCommand::FilePrint));
        QVERIFY(!Enabled(CAppCommand::NewVTPlot));
        QVERIFY(!Enabled(CAppCommand::PlotCalculatedVTPage));
        QVERIFY(!Enabled(CAppCommand::PvtProperties));
        QVERIFY(!Checked(CAppCommand::AlphaBetaCurvePage));

        mApp->OpenFiles({Demo("inclusions.inc")});
        QVERIFY(Enabled(CAppCommand::FileClose));
        QVERIFY(!Enabled(CAppCommand::FileSave));
        QVERIFY(!Enabled(CAppCommand::FilePrint)); // a table prints nothing

        mApp->OpenFiles({Demo("phase_diagram.ptd")});
        QVERIFY(Enabled(CAppCommand::FilePrint));
        QVERIFY(Enabled(CAppCommand::NewVTPlot));
        mApp->Core().ActiveDocument()->SetModifiedFlag();
        Main().UpdateActions();
        QVERIFY(Enabled(CAppCommand::FileSave));
        QVERIFY(Main().MdiArea()->currentSubWindow()->isWindowModified());
    }

    void layoutComesBackAfterReopening() {
        Start();
        mApp->OpenFiles({Demo("alpha_beta.abp")});
        QMdiSubWindow* plot = Main().MdiArea()->currentSubWindow();
        plot->resize(523, 377);
        dynamic_cast<CAlphaBetaPlotDocument&>(*mApp->Core().ActiveDocument()).ShowIsoGORCurves();
        Main().Action(CAppCommand::IsochorsPage)->trigger();
        Main().Action(CAppCommand::EditShowLog)->trigger();
        auto* panel = Main().findChild<QDockWidget*>("Phase Diagrams dock");
        QVERIFY(panel != nullptr);
        QCOMPARE(Main().dockWidgetArea(panel), Qt::RightDockWidgetArea);
        panel->setFloating(true);
        QVERIFY(Main().close()); // writes the layout, as quitting does
        mApp.reset();

        Start();
        QVERIFY(!Main().findChild<QDockWidget*>("LogDock")->isHidden());
        mApp->OpenFiles({Demo("alpha_beta.abp")});
        // The size it had, as far as the area holds it.
        QCOMPARE(Main().MdiArea()->currentSubWindow()->size(),
                 QSize(523, 377).boundedTo(Main().MdiArea()->viewport()->size()));
        const auto& reopened = dynamic_cast<CAlphaBetaPlotDocument&>(*mApp->Core().ActiveDocument());
        QVERIFY(!reopened.GetIsoGORCurves().empty() && !reopened.GetIsoGORCurves().front()->mHidden);
        QVERIFY(reopened.GetIsoAPICurves().empty());
        Main().Action(CAppCommand::IsochorsPage)->trigger();
        QVERIFY(Main().findChild<QDockWidget*>("Phase Diagrams dock")->isFloating());
    }

    void aFileOpenAlreadyComesToTheFront() {
        Start();
        mApp->OpenFiles({Demo("alpha_beta.abp"), Demo("inclusions.inc")});
        const int windows = VisibleSubWindows();
        mApp->OpenFiles({QDir(mDemo.path()).filePath("./alpha_beta.abp")});
        QCOMPARE(VisibleSubWindows(), windows);
        QCOMPARE(mApp->Core().Documents().size(), std::size_t{2});
        auto* active = Main().ActiveDocumentWindow();
        QVERIFY(active != nullptr);
        QCOMPARE(QString::fromStdString(active->Document()->GetTitle()), QString("alpha_beta.abp"));
    }

    void droppedFilesOpen() {
        Start();
        QMimeData data;
        data.setUrls(
            {QUrl::fromLocalFile(Demo("fluid_model.flu")), QUrl::fromLocalFile(Demo("correlation.abe"))});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&Main(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&Main(), &drop);
        QCOMPARE(mApp->Core().Documents().size(), std::size_t{2});
    }

    void cancellingTheSavePromptKeepsTheDocumentOpen() {
        Start();
        mApp->OpenFiles({Demo("alpha_beta.abp")});
        CWDocument* document = mApp->Core().ActiveDocument();
        QVERIFY(document != nullptr);
        document->SetModifiedFlag();
        mServices->saveChangesAnswers = {CSaveAnswer::Cancel};
        Main().Action(CAppCommand::FileClose)->trigger();
        QCOMPARE(mServices->saveChangesAsked, std::vector<std::string>{"alpha_beta.abp"});
        QVERIFY(mApp->Core().IsOpen(document));
        QVERIFY(!mApp->Core().IsActiveDocumentLocked());

        // The window's own close box takes the same path; Discard closes it for good, and the
        // plot stops being the current one.
        mServices->saveChangesAnswers = {CSaveAnswer::Discard};
        Main().MdiArea()->currentSubWindow()->close();
        QVERIFY(!mApp->Core().IsOpen(document));
        QCOMPARE(mApp->Core().CurrentAlphaBetaPlotDoc(), nullptr);
        QCOMPARE(mApp->Core().CurrentPlotView(), nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(VisibleSubWindows(), 0);
    }

    // A signal arriving while an operation waits in a modal dialog cancels that dialog first; the
    // window closes only after the operation has returned.
    void terminationClosesModalDialogsBeforeTheWindow() {
        QWidget window;
        window.show();
        QuitOnTerminationSignals(window);
        bool windowVisibleWhenDialogEnded = false;
        QTimer::singleShot(0, &window, [&] {
            QDialog operation(&window);
            QTimer::singleShot(0, [] { std::raise(SIGTERM); });
            operation.exec();
            windowVisibleWhenDialogEnded = window.isVisible();
        });
        QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 5000);
        QVERIFY(windowVisibleWhenDialogEnded);
    }

    void revertAsksOnlyWhenModified() {
        Start();
        QFile::copy(Demo("inclusions.inc"), mFolder.filePath("a.inc"));
        mApp->OpenFiles({mFolder.filePath("a.inc")});
        Main().Action(CAppCommand::FileRevert)->trigger();
        QVERIFY(mServices->questions.empty());
        QCOMPARE(mApp->Core().Documents().size(), std::size_t{1});

        mApp->Core().ActiveDocument()->SetModifiedFlag();
        mServices->yesNoAnswers = {false};
        Main().Action(CAppCommand::FileRevert)->trigger();
        QCOMPARE(mServices->questions.back(),
                 std::string("Do you want to discard changes made on the document \"a.inc\" ?"));
        QVERIFY(mApp->Core().ActiveDocument()->IsModified());

        QFile::remove(mFolder.filePath("a.inc"));
        mServices->yesNoAnswers = {true};
        Main().Action(CAppCommand::FileRevert)->trigger();
        QVERIFY(mApp->Core().ActiveDocument() != nullptr);
        QVERIFY(mApp->Core().ActiveDocument()->IsModified());
        QVERIFY(!mServices->messages.empty());
    }

    // Every file of the readers' corpus, whole and cut short, opens with a message or not at all,
    // and never takes the application down.
    void damagedFilesOpenThroughTheApplication() {
        Start();
        const QStringList types = {"inc", "abe", "flu", "abp", "ptd"};
        int opened = 0;
        for (const QString& type : types) {
            QDir corpus(QString(ZEPHON_FUZZ_CORPUS_DIR) + "/" + type);
            for (const QString& seed : corpus.entryList(QDir::Files)) {
                const QByteArray content = ReadAll(corpus.filePath(seed));
                for (qsizetype cut : {content.size(), content.size() / 2, content.size() / 3, qsizetype{7}}) {
                    const QString file = mFolder.filePath(QString("%1-%2.%3").arg(seed).arg(cut).arg(type));
                    QFile out(file);
                    QVERIFY(out.open(QIODevice::WriteOnly));
                    out.write(content.left(cut));
                    out.close();
                    mServices->messages.clear();
                    mApp->OpenFiles({file});
                    CWDocument* document = mApp->Core().FindDocument(ToPath(file));
                    if (document == nullptr) {
                        QVERIFY2(!mServices->messages.empty(), qPrintable(file));
                        continue;
                    }
                    ++opened;
                    QVERIFY(mApp->Core().CloseDocument(*document) || document->IsModified());
                    if (mApp->Core().IsOpen(document)) {
                        mServices->saveChangesAnswers = {CSaveAnswer::Discard};
                        QVERIFY(mApp->Core().CloseDocument(*document));
                    }
                    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                }
            }
        }
        QVERIFY(opened > 0);
        QVERIFY(mApp->Core().Documents().empty());
    }

    // Alt and a letter reach every menu item and every caption of the tool panels: each has a
    // letter, unique in its menu or on its page.
    void everyMenuItemAndPanelCaptionHasALetterOfItsOwn() {
        Start();
        mApp->OpenFiles({Demo("alpha_beta.abp"), Demo("phase_diagram.ptd")});
        for (CToolPanelKind kind :
             {CToolPanelKind::AlphaBeta, CToolPanelKind::PhaseDiagram, CToolPanelKind::BubbleSize})
            mApp->Panels().Display(kind, 0);
        // A caption goes without a letter only on a page so crowded that each of its letters is
        // another caption's.
        auto verifyLetters = [](const QStringList& captions, const QString& where) {
            QSet<QChar> letters;
            for (const QString& caption : captions) {
                const QChar letter = MnemonicOf(caption);
                if (letter.isNull()) continue;
                QVERIFY2(!letters.contains(letter), qPrintable(where + ": " + caption + " repeats a letter"));
                letters.insert(letter);
            }
            for (const QString& caption : captions) {
                if (!MnemonicOf(caption).isNull()) continue;
                for (const QChar c : caption)
                    QVERIFY2(!c.isLetterOrNumber() || c.unicode() > 127 || letters.contains(c.toLower()),
                             qPrintable(where + ": " + caption + " has no letter, and " + c + " is free"));
            }
        };
        QStringList menus;
        for (QAction* title : Main().menuBar()->actions()) {
            menus << title->text();
            emit title->menu()->aboutToShow(); // the Window menu is filled when it opens
            QStringList items;
            for (QAction* item : title->menu()->actions())
                if (!item->isSeparator()) items << item->text();
            verifyLetters(items, title->text());
        }
        verifyLetters(menus, "menu bar");
        QCOMPARE(menus.last(), QString("&Help"));
        const auto panels = Main().findChildren<CToolPanelDialog*>();
        QCOMPARE(panels.size(), 3);
        for (CToolPanelDialog* panel : panels) {
            for (int page = 0; page < panel->Tabs().count(); ++page) {
                QWidget* widget = panel->Tabs().widget(page);
                QStringList captions;
                for (QLabel* label : widget->findChildren<QLabel*>()) {
                    if (label->text().isEmpty()) continue;
                    QVERIFY2(label->buddy() != nullptr, qPrintable(label->text() + " focuses nothing"));
                    captions << label->text();
                }
                for (QGroupBox* box : widget->findChildren<QGroupBox*>())
                    captions << box->title();
                for (QAbstractButton* button : widget->findChildren<QAbstractButton*>())
                    if (!button->text().isEmpty()) captions << button->text();
                verifyLetters(captions, panel->Tabs().tabText(page));
            }
        }
    }

    // The About box shows the licence and offers Qt's own.
    void aboutBoxShowsTheLicenceAndAboutQt() {
        Start();
        QString licence;
        bool aboutQt = false;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (box == nullptr) return;
            if (auto* text = box->findChild<QPlainTextEdit*>("licence")) licence = text->toPlainText();
            aboutQt = box->findChild<QPushButton*>("aboutQt") != nullptr;
            box->close();
        });
        Main().Action(CAppCommand::HelpAbout)->trigger();
        QVERIFY(licence.startsWith("BSD 3-Clause License\n\nCopyright the Zephon developers."));
        QVERIFY(aboutQt);
    }

    // Help > Contents shows the manual carried inside the program, once however often it is asked.
    void helpContentsShowsTheManual() {
        Start();
        Main().Action(CAppCommand::HelpContents)->trigger();
        Main().Action(CAppCommand::HelpContents)->trigger();
        const auto windows = Main().findChildren<CHelpWindow*>();
        QCOMPARE(windows.size(), 1);
        QVERIFY(windows.front()->isVisible());
        QTextBrowser& browser = windows.front()->Browser();
        QCOMPARE(browser.documentTitle(), QString("Zephon user manual"));
        QVERIFY(browser.toPlainText().contains("zephon-cli abcurve"));
    }
};

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
