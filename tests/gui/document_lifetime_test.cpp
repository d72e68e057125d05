// SPDX-License-Identifier: BSD-3-Clause
// Documents closing by every path from each of their windows, with every window that depends on
// them open; the keys of the main window; Undo of the plot documents' removals; a fluid model
// generated into its table.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProcess>
#include <QShortcut>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <map>

#include "app/application_core.hpp"
#include "documents/alpha_beta_plot_document.hpp"
#include "documents/data_documents.hpp"
#include "documents/phase_diag_document.hpp"
#include "gui/plot/plot_window.hpp"
#include "gui/shell/document_window.hpp"
#include "gui/shell/main_window.hpp"
#include "gui/shell/tool_panels.hpp"
#include "gui/shell/zephon_app.hpp"
#include "gui/tables/table_window.hpp"
#include "plot/plot_view.hpp"
#include "scripted_services.hpp"

namespace {

std::filesystem::path ToPath(const QString& file) {
    return std::filesystem::path(file.toStdString());
}

enum class ClosePath { CloseBox, CloseSave, CloseDiscard, Revert, ExitCancel, ExitDiscard };

const char* Name(ClosePath path) {
    switch (path) {
    case ClosePath::CloseBox:
        return "close box";
    case ClosePath::CloseSave:
        return "Close, Save";
    case ClosePath::CloseDiscard:
        return "Close, Discard";
    case ClosePath::Revert:
        return "Revert";
    case ClosePath::ExitCancel:
        return "Exit, Cancel";
    case ClosePath::ExitDiscard:
        break;
    }
    return "Exit, Discard";
}

} // namespace

class DocumentLifetimeTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir mDemo;
    std::unique_ptr<QTemporaryDir> mFolder;
    std::unique_ptr<CZephonApp> mApp;
    CScriptedServices* mServices = nullptr;
    QTimer mModalCloser; // a print or about box that a command opens must not block the test

    void Start() {
        auto services = std::make_unique<CScriptedServices>();
        mServices = services.get();
        CZephonApp::Options options;
        options.splash = false;
        options.logFolder = ToPath(mFolder->path());
        mApp = std::make_unique<CZephonApp>(options, std::move(services));
    }
    CMainWindow& Main() { return mApp->MainWindow(); }
    CApplicationCore& Core() { return mApp->Core(); }
    // A copy of a demonstration file, so that saving and reverting touch nothing shared.
    QString Copy(const char* name) {
        const QString copy = mFolder->filePath(name);
        QFile::remove(copy);
        QFile::copy(mDemo.filePath(name), copy);
        QFile(copy).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        return copy;
    }
    std::vector<QMdiSubWindow*> WindowsOf(const CWDocument* document) {
        std::vector<QMdiSubWindow*> windows;
        for (QMdiSubWindow* sub : Main().MdiArea()->subWindowList()) {
            auto* window = dynamic_cast<CDocumentWindow*>(sub->widget());
            if (window != nullptr && window->Document() == document && sub->isVisible())
                windows.push_back(sub);
        }
        return windows;
    }
    QMdiSubWindow* MainWindowOf(const CWDocument* document) {
        for (QMdiSubWindow* sub : WindowsOf(document))
            if (dynamic_cast<CDocumentWindow*>(sub->widget())->ClosesDocument()) return sub;
        return nullptr;
    }
    void Settle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Opens a document with every window that can depend on it, and modifies it.
    CWDocument* OpenWithDependents(const char* file) {
        mApp->OpenFiles({Copy(file)});
        CWDocument* document = Core().FindDocument(ToPath(mFolder->filePath(file)));
        if (document == nullptr) return nullptr;
        auto* main = dynamic_cast<CDocumentWindow*>(MainWindowOf(document)->widget());
        if (auto* table = dynamic_cast<CTableWindow*>(main)) {
            table->OpenSubTable(0);
            table->Model()->EditCell(0, 0, "Edited");
        } else if (auto* diagram = dynamic_cast<CPhaseDiagDocument*>(document)) {
            diagram->DisplayNewVTPlot();
        } else {
            document->SetModifiedFlag();
        }
        for (CToolPanelKind kind :
             {CToolPanelKind::AlphaBeta, CToolPanelKind::PhaseDiagram, CToolPanelKind::BubbleSize})
            mApp->Panels().Display(kind, 0);
        Main().UpdateActions();
        return document;
    }

    // Whatever the application holds as active or current is an open document's.
    void VerifyNothingHeldIsGone() {
        CApplicationCore& core = Core();
        for (CWDocument* held : {core.ActiveDocument(), core.NextActiveDocument(),
                                 static_cast<CWDocument*>(core.CurrentAlphaBetaPlotDoc()),
                                 static_cast<CWDocument*>(core.CurrentPhaseDiagDoc())})
            QVERIFY(held == nullptr || core.IsOpen(held));
        for (const CPlotView* view :
             {static_cast<CPlotView*>(core.CurrentVTPlotView()), core.CurrentPlotView()})
            QVERIFY(view == nullptr || core.DocumentOfView(view) != nullptr);
        const CWDocument* active = core.ActiveDocument();
        QCOMPARE(Main().Action(CAppCommand::FileClose)->isEnabled(), active != nullptr);
        QCOMPARE(Main().Action(CAppCommand::FileSaveAs)->isEnabled(), active != nullptr);
        QCOMPARE(Main().Action(CAppCommand::NewVTPlot)->isEnabled(), core.CurrentPhaseDiagDoc() != nullptr);
        QCOMPARE(Main().Action(CAppCommand::PlotInclusionVTPage)->isEnabled(),
                 core.CurrentVTPlotView() != nullptr);
        QCOMPARE(Main().windowTitle(),
                 active ? "Zephon - " + QString::fromStdString(active->GetTitle()) : QString("Zephon"));
    }

    void ClickEveryPanelButton() {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top == &Main() || !top->isVisible()) continue;
            for (QAbstractButton* button : top->findChildren<QAbstractButton*>())
                if (button->isEnabled() && button->isVisible()) button->click();
            Settle();
        }
    }

    void TriggerEveryMenuCommand() {
        for (QAction* action : Main().menuBar()->actions()) {
            if (action->menu() == nullptr) continue;
            emit action->menu()->aboutToShow(); // as opening the menu does
            for (QAction* command : action->menu()->actions())
                if (command->menu() == nullptr && command->isEnabled() && !command->isSeparator()) {
                    command->trigger();
                    Settle();
                }
        }
    }

  private slots:
    void initTestCase() {
        QVERIFY(mDemo.isValid());
        QProcess demo;
        demo.start(ZEPHON_CLI, {"demo", "--out", mDemo.path()});
        QVERIFY(demo.waitForFinished(120000));
        QCOMPARE(demo.exitCode(), 0);
        connect(&mModalCloser, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        });
        mModalCloser.start(50);
    }

    void init() {
        mFolder = std::make_unique<QTemporaryDir>();
        QVERIFY(mFolder->isValid());
    }

    void cleanup() {
        mApp.reset();
        Settle();
    }

    void closingByEveryPathFromEveryWindow_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("path");
        QTest::addColumn<int>("window");
        for (const char* file :
             {"inclusions.inc", "correlation.abe", "fluid_model.flu", "alpha_beta.abp", "phase_diagram.ptd"})
            for (ClosePath path : {ClosePath::CloseBox, ClosePath::CloseSave, ClosePath::CloseDiscard,
                                   ClosePath::Revert, ClosePath::ExitCancel, ClosePath::ExitDiscard})
                for (int window = 0; window < 3; ++window)
                    QTest::newRow(qPrintable(QString("%1, %2, window %3").arg(file, Name(path)).arg(window)))
                        << QString(file) << static_cast<int>(path) << window;
    }

    // Which window is active when the close starts decides where the multi-document area goes
    // next; the document must never come back as active or current.
    void closingByEveryPathFromEveryWindow() {
        QFETCH(QString, file);
        QFETCH(int, path);
        QFETCH(int, window);
        Start();
        CWDocument* document = OpenWithDependents(qPrintable(file));
        QVERIFY(document != nullptr);
        const std::vector<QMdiSubWindow*> windows = WindowsOf(document);
        if (window >= static_cast<int>(windows.size())) QSKIP("the document has fewer windows");
        Main().MdiArea()->setActiveSubWindow(windows[static_cast<std::size_t>(window)]);
        const std::size_t windowsBefore = Main().MdiArea()->subWindowList().size();

        switch (static_cast<ClosePath>(path)) {
        case ClosePath::CloseBox:
            mServices->saveChangesAnswers = {CSaveAnswer::Discard};
            MainWindowOf(document)->close();
            break;
        case ClosePath::CloseSave:
        case ClosePath::CloseDiscard:
            mServices->saveChangesAnswers = {static_cast<ClosePath>(path) == ClosePath::CloseSave
                                                 ? CSaveAnswer::Save
                                                 : CSaveAnswer::Discard};
            // Close acts on the active window: a window that is not its document's own goes
            // alone, and the document's own window then closes the document.
            if (!dynamic_cast<CDocumentWindow*>(windows[static_cast<std::size_t>(window)]->widget())
                     ->ClosesDocument()) {
                Main().Action(CAppCommand::FileClose)->trigger();
                Settle();
                QVERIFY(Core().IsOpen(document));
                QCOMPARE(WindowsOf(document).size(), windows.size() - 1);
                Main().MdiArea()->setActiveSubWindow(MainWindowOf(document));
            }
            Main().Action(CAppCommand::FileClose)->trigger();
            break;
        case ClosePath::Revert:
            mServices->yesNoAnswers = {true};
            Main().Action(CAppCommand::FileRevert)->trigger();
            break;
        case ClosePath::ExitCancel:
        case ClosePath::ExitDiscard:
            mServices->saveChangesAnswers = {static_cast<ClosePath>(path) == ClosePath::ExitCancel
                                                 ? CSaveAnswer::Cancel
                                                 : CSaveAnswer::Discard};
            Main().Action(CAppCommand::FileExit)->trigger();
            break;
        }
        Settle();
        if (static_cast<ClosePath>(path) == ClosePath::ExitCancel) {
            QVERIFY(Core().IsOpen(document));
            QVERIFY(document->IsModified());
            QCOMPARE(Main().MdiArea()->subWindowList().size(), windowsBefore);
        } else if (static_cast<ClosePath>(path) != ClosePath::Revert) {
            QVERIFY(!Core().IsOpen(document));
        }
        VerifyNothingHeldIsGone();

        ClickEveryPanelButton();
        TriggerEveryMenuCommand();
        VerifyNothingHeldIsGone();
    }

    // Each key bound to a command of the main window or its sub-windows (their own menus included),
    // as shown in the menus, with the names of what binds it.
    std::map<QString, QStringList> KeyOwners() {
        std::map<QString, QStringList> owners;
        for (QAction* action : Main().findChildren<QAction*>())
            for (const QKeySequence& key : action->shortcuts())
                owners[key.toString()] << action->text();
        for (QShortcut* shortcut : Main().findChildren<QShortcut*>())
            owners[shortcut->key().toString()] << shortcut->objectName();
        return owners;
    }

    // Every standard command has the desktop's keys, save one that a command of the program's own
    // holds (Redo's Ctrl+Y elsewhere is Trapping pressures' here), and a key where the desktop has
    // none; every key is bound once, so that Qt never finds it ambiguous and runs nothing. Checked
    // with a table and with a plot active: Ctrl+A selects all in the one and opens the alpha-beta
    // panel from the other.
    void everyStandardCommandHasItsKeysAndNoKeyIsBoundTwice() {
        using K = QKeySequence;
        const std::vector<std::pair<CAppCommand, K::StandardKey>> standard = {
            {CAppCommand::FileOpen, K::Open},           {CAppCommand::FileSave, K::Save},
            {CAppCommand::FileSaveAs, K::SaveAs},       {CAppCommand::FileClose, K::Close},
            {CAppCommand::FileExit, K::Quit},           {CAppCommand::EditUndo, K::Undo},
            {CAppCommand::EditRedo, K::Redo},           {CAppCommand::EditCut, K::Cut},
            {CAppCommand::EditCopy, K::Copy},           {CAppCommand::EditPaste, K::Paste},
            {CAppCommand::EditSelectAll, K::SelectAll}, {CAppCommand::HelpContents, K::HelpContents}};
        Start();
        for (const char* file :
             {"correlation.abe", "fluid_model.flu", "alpha_beta.abp", "phase_diagram.ptd", "inclusions.inc"})
            QVERIFY(OpenWithDependents(file) != nullptr);
        const CWDocument* plot = Core().FindDocument(ToPath(mFolder->filePath("alpha_beta.abp")));
        for (const bool tableActive : {true, false}) {
            if (!tableActive) Main().MdiArea()->setActiveSubWindow(MainWindowOf(plot));
            Main().UpdateActions();
            const std::map<QString, QStringList> owners = KeyOwners();
            for (const auto& [key, names] : owners)
                QVERIFY2(names.size() == 1, qPrintable(key + " is bound by " + names.join(", ")));
            QCOMPARE(owners.at("Ctrl+A").front(),
                     Main()
                         .Action(tableActive ? CAppCommand::EditSelectAll : CAppCommand::AlphaBetaCurvePage)
                         ->text());
            for (const auto& [command, key] : standard) {
                if (command == CAppCommand::EditSelectAll && !tableActive) continue;
                const QList<K> keys = Main().Action(command)->shortcuts();
                QVERIFY2(!keys.isEmpty(), qPrintable(Main().Action(command)->text()));
                for (const K& expected : K::keyBindings(key))
                    QVERIFY2(keys.contains(expected) || owners.count(expected.toString()),
                             qPrintable(Main().Action(command)->text() + " lacks " + expected.toString()));
            }
            for (const char* usual :
                 {"Ctrl+Shift+S", "Ctrl+Q", "Ctrl+W", "Ctrl+F4", "F1", "Ctrl+Shift+Z", "Ctrl+K", "Ctrl+R",
                  "Ctrl+L", "Ctrl+B", "Ctrl+D", "Ctrl+T", "Ctrl+I", "Ctrl+Y"})
                QVERIFY2(owners.count(usual), usual);
        }
    }

    void ctrlASelectsAllInATableAndOpensTheAlphaBetaPanelElsewhere() {
        Start();
        mApp->OpenFiles({Copy("inclusions.inc"), Copy("alpha_beta.abp")});
        const CWDocument* table = Core().FindDocument(ToPath(mFolder->filePath("inclusions.inc")));
        Main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Main()));
        Main().MdiArea()->setActiveSubWindow(MainWindowOf(table));
        auto* view = MainWindowOf(table)->widget()->findChild<QTableView*>();
        view->setFocus();
        QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(view->selectionModel()->selectedRows().size(), view->model()->rowCount());
        QVERIFY(!Main().Action(CAppCommand::AlphaBetaCurvePage)->isChecked());

        QMdiSubWindow* plot = MainWindowOf(Core().FindDocument(ToPath(mFolder->filePath("alpha_beta.abp"))));
        Main().MdiArea()->setActiveSubWindow(plot);
        plot->widget()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        Settle();
        Main().UpdateActions();
        QVERIFY(Main().Action(CAppCommand::AlphaBetaCurvePage)->isChecked());
    }

    void ctrlWAndCtrlF4CloseTheActiveDocument_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("key");
        for (const char* file : {"inclusions.inc", "alpha_beta.abp"})
            for (int key : {int(Qt::Key_W), int(Qt::Key_F4)})
                QTest::newRow(
                    qPrintable(QString("%1, %2").arg(file).arg(key == Qt::Key_W ? "Ctrl+W" : "Ctrl+F4")))
                    << QString(file) << key;
    }

    void ctrlWAndCtrlF4CloseTheActiveDocument() {
        QFETCH(QString, file);
        QFETCH(int, key);
        Start();
        mApp->OpenFiles({Copy(qPrintable(file))});
        CWDocument* document = Core().ActiveDocument();
        QVERIFY(document != nullptr);
        Main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Main()));
        QWidget* window = MainWindowOf(document)->widget();
        window->setFocus();
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : window;
        QTest::keyClick(focus, static_cast<Qt::Key>(key), Qt::ControlModifier);
        Settle();
        QVERIFY(!Core().IsOpen(document));
    }

    // A window comes back framed and inside the area whatever the others do, and a new plot
    // takes a share of the area.
    void windowsReopenInsideTheAreaAtAUsefulSize() {
        Start();
        Main().resize(1200, 900);
        Main().show();
        const QString table = Copy("inclusions.inc");
        mApp->OpenFiles({table});
        CWDocument* document = Core().ActiveDocument();
        QMdiSubWindow* sub = MainWindowOf(document);
        sub->resize(200, 150);
        sub->move(5000, 5000); // a person dragged it far off
        QVERIFY(Core().CloseDocument(*document));
        Settle();
        mApp->OpenFiles({Copy("alpha_beta.abp")});
        QMdiSubWindow* plot = Main().MdiArea()->activeSubWindow();
        const QRect area = Main().MdiArea()->viewport()->rect();
        QVERIFY2(plot->width() >= area.width() / 2 && plot->height() >= area.height() / 2,
                 qPrintable(QString("%1 x %2 in %3 x %4")
                                .arg(plot->width())
                                .arg(plot->height())
                                .arg(area.width())
                                .arg(area.height())));
        plot->showMaximized();
        mApp->OpenFiles({table});
        Settle();
        QMdiSubWindow* reopened = MainWindowOf(Core().ActiveDocument());
        QVERIFY(reopened != nullptr && reopened != plot);
        QCOMPARE(Main().MdiArea()->activeSubWindow(), reopened);
        // Maximised as the others are, or framed wholly inside the area.
        QVERIFY2(reopened->isMaximized() || area.contains(reopened->geometry()),
                 qPrintable(QString("%1,%2 %3 x %4")
                                .arg(reopened->x())
                                .arg(reopened->y())
                                .arg(reopened->width())
                                .arg(reopened->height())));
        if (reopened->isMaximized()) QCOMPARE(reopened->size(), area.size());
    }

    void ctrlWOnAVolumePlotClosesThatWindowOnly() {
        Start();
        auto* diagram = dynamic_cast<CPhaseDiagDocument*>(OpenWithDependents("phase_diagram.ptd"));
        QVERIFY(diagram != nullptr);
        const std::size_t plots = diagram->GetVTPlots().size();
        QVERIFY(plots >= 1);
        Main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Main()));
        QMdiSubWindow* volume = nullptr;
        for (QMdiSubWindow* sub : WindowsOf(diagram))
            if (!dynamic_cast<CDocumentWindow*>(sub->widget())->ClosesDocument()) volume = sub;
        QVERIFY(volume != nullptr);
        Main().MdiArea()->setActiveSubWindow(volume);
        volume->widget()->setFocus();
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : volume->widget();
        QTest::keyClick(focus, Qt::Key_W, Qt::ControlModifier);
        Settle();
        QVERIFY(Core().IsOpen(diagram));
        QCOMPARE(diagram->GetVTPlots().size(), plots - 1);
        QVERIFY(MainWindowOf(diagram) != nullptr);
    }

    // Rows selected by their header open an editor on their first cell; Ctrl+C still copies the
    // rows, and Ctrl+V pastes them back as rows.
    void copyAndPasteOfHeaderSelectedRowsActOnRows() {
        Start();
        mApp->OpenFiles({Copy("inclusions.inc")});
        auto* table = dynamic_cast<CTableWindow*>(Main().ActiveDocumentWindow());
        QVERIFY(table != nullptr);
        Main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Main()));
        QHeaderView* header = table->View()->verticalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(5, header->sectionViewportPosition(1) + 5));
        Settle();
        QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY2(copied.startsWith("Inclusion\t") && copied.count('\n') == 2, qPrintable(copied));
        const long rows = table->Model()->RowCount();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        Settle();
        QCOMPARE(table->Model()->RowCount(), rows);
        QCOMPARE(Main().statusBar()->currentMessage(), QString());
    }

    // The table of a generated fluid model shows its components as they are stored; a row added
    // comes last, and the file holds what was shown.
    void aGeneratedFluidModelShowsItsComponents() {
        Start();
        mApp->OpenFiles({Copy("alpha_beta.abp")});
        CAlphaBetaPlotDocument* plot = Core().CurrentAlphaBetaPlotDoc();
        QVERIFY(plot != nullptr);
        CFluidModelDataDocument* fluid = plot->GenerateFluidModel(0.82, 0.2, 0.01, 0, 0);
        QVERIFY(fluid != nullptr);
        Settle();
        auto* table = dynamic_cast<CTableWindow*>(MainWindowOf(fluid)->widget());
        QVERIFY(table != nullptr);
        QCOMPARE(table->View()->model()->rowCount(), 17);
        QVERIFY(fluid->IsModified());
        QVERIFY(!fluid->GetTitle().empty() && fluid->GetTitle().back() != ' ');
        Main().MdiArea()->setActiveSubWindow(MainWindowOf(fluid));
        Main().Action(CAppCommand::EditAddRow)->trigger();
        QCOMPARE(table->View()->model()->rowCount(), 18);
        mServices->saveAnswers = {ToPath(mFolder->filePath("generated.flu"))};
        QVERIFY(Core().SaveDocumentAs(*fluid));
        CFluidModelDataDocument saved(*mServices);
        QVERIFY(saved.OnOpenDocument(ToPath(mFolder->filePath("generated.flu"))));
        QCOMPARE(saved.mModelFluid.Count(), 18);
        long row = 0;
        for (const CCompositionRecordEx* component : saved.mModelFluid.mList)
            QCOMPARE(QString::fromStdString(component->mComponentName),
                     QString::fromStdString(table->Model()->CellText(row++, 0)));
    }

    void undoTakesBackEveryPlotRemoval_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("removal");
        for (const char* removal : {"curve", "marker", "correlation"})
            QTest::newRow(removal) << QString("alpha_beta.abp") << QString(removal);
        for (const char* removal : {"envelope", "isochor", "trapping line", "V-T curve", "V-T inclusion"})
            QTest::newRow(removal) << QString("phase_diagram.ptd") << QString(removal);
    }

    // Edit > Undo puts back exactly what was removed (the saved text is the same again, and so is
    // every drawn object), without computing anything; the saved state is unmodified again.
    void undoTakesBackEveryPlotRemoval() {
        QFETCH(QString, file);
        QFETCH(QString, removal);
        Start();
        mApp->OpenFiles({Copy(qPrintable(file))});
        CWDocument* document = Core().ActiveDocument();
        auto* plot = dynamic_cast<CAlphaBetaPlotDocument*>(document);
        auto* diagrams = dynamic_cast<CPhaseDiagDocument*>(document);
        const auto drawn = [&] {
            std::size_t count = plot ? plot->GetPlotView().GetGraphObjects().size()
                                     : diagrams->GetPlotView().GetGraphObjects().size();
            if (diagrams)
                for (const auto& vt : diagrams->GetVTPlots())
                    count += vt->GetGraphObjects().size();
            return count;
        };
        const std::string before = document->SaveToText();
        const std::size_t drawnBefore = drawn();

        const std::map<QString, std::function<bool()>> removals = {
            {"curve",
             [&] {
                 return plot->mAlphaBetaCurvesList.Count() > 0 &&
                        (plot->RemoveAlphaBetaCurve(plot->mAlphaBetaCurvesList.mList.First()), true);
             }},
            {"marker",
             [&] {
                 return plot->mAlphaBetaPointsList.mList.Count() > 0 &&
                        (plot->RemoveAlphaBetaPoint(plot->mAlphaBetaPointsList.mList.First()), true);
             }},
            {"correlation",
             [&] {
                 return plot->mAlphaBetaCorrelationsList.Count() > 0 &&
                        (plot->RemoveAlphaBetaCorrelation(plot->mAlphaBetaCorrelationsList.mList.First()),
                         true);
             }},
            {"envelope",
             [&] {
                 return diagrams->mPhaseDiagramsList.Count() > 0 &&
                        (diagrams->RemoveFluidPhaseDiagram(diagrams->mPhaseDiagramsList.mList.First()), true);
             }},
            {"isochor",
             [&] {
                 CPhaseDiagram* diagram = diagrams->mPhaseDiagramsList.mList.First();
                 if (!diagram || !diagram->mMonoIsochorsList ||
                     diagram->mMonoIsochorsList->mList.Count() == 0)
                     return false;
                 diagrams->DeleteIsochor(diagram->mMonoIsochorsList->mList.First());
                 return true;
             }},
            {"trapping line",
             [&] {
                 for (CPhaseDiagram* diagram : diagrams->mPhaseDiagramsList.mList)
                     if (diagram->mMonoIsochorsList)
                         for (CIsochor* isochor : diagram->mMonoIsochorsList->mList)
                             if (isochor->mTrappingLines && isochor->mTrappingLines->mList.Count() > 0) {
                                 diagrams->RemoveTrappingLine(isochor->mTrappingLines->mList.First());
                                 return true;
                             }
                 return false;
             }},
            {"V-T curve",
             [&] {
                 if (diagrams->GetVTPlots().empty()) return false;
                 CVolumePlotView& vt = *diagrams->GetVTPlots().front();
                 return vt.mPlottedCurvesList.mList.Count() > 0 &&
                        (vt.RemoveIsochor(vt.mPlottedCurvesList.mList.First()), true);
             }},
            {"V-T inclusion",
             [&] {
                 if (diagrams->GetVTPlots().empty()) return false;
                 CVolumePlotView& vt = *diagrams->GetVTPlots().front();
                 return vt.mPlottedInclusionsList.Count() > 0 &&
                        (vt.RemoveInclusion(vt.mPlottedInclusionsList.mInclusionData.First()), true);
             }},
        };
        QVERIFY2(removals.at(removal)(), "the demonstration's document holds one");
        const std::string after = document->SaveToText();
        QVERIFY(after != before);
        QVERIFY(document->IsModified());

        Main().MdiArea()->setActiveSubWindow(MainWindowOf(document));
        Main().UpdateActions();
        QVERIFY(Main().Action(CAppCommand::EditUndo)->isEnabled());
        Main().Action(CAppCommand::EditUndo)->trigger();
        QCOMPARE(document->SaveToText(), before);
        QCOMPARE(drawn(), drawnBefore);
        QVERIFY(!document->IsModified());
        QVERIFY(Main().Action(CAppCommand::EditRedo)->isEnabled());
        Main().Action(CAppCommand::EditRedo)->trigger();
        QCOMPARE(document->SaveToText(), after);
        QVERIFY(document->IsModified());
    }

    // Exit asks about every modified document before any closes; Cancel at the second question
    // leaves the first one (and the unmodified ones) open.
    void exitAsksAboutEveryDocumentFirst() {
        Start();
        mApp->OpenFiles({Copy("phase_diagram.ptd"), Copy("alpha_beta.abp"), Copy("inclusions.inc")});
        for (CWDocument* document : Core().Documents())
            if (document->GetTitle() != "phase_diagram.ptd") document->SetModifiedFlag();
        mServices->saveChangesAnswers = {CSaveAnswer::Discard, CSaveAnswer::Cancel};
        Main().Action(CAppCommand::FileExit)->trigger();
        Settle();
        QCOMPARE(mServices->saveChangesAsked.size(), std::size_t{2});
        QCOMPARE(Core().Documents().size(), std::size_t{3});
        QVERIFY(Main().isVisible());
    }
};

QTEST_MAIN(DocumentLifetimeTest)
#include "document_lifetime_test.moc"
