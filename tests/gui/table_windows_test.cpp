// SPDX-License-Identifier: BSD-3-Clause
// The table windows in the running application, offscreen: rows added and deleted with their
// numbers and the focus, Up and Down, sub-windows, paste, undo of every kind of change with the
// document's modified flag, the status line for refused texts, and pictures of two tables.
#include <QClipboard>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QtTest>

#include "app/table_model.hpp"
#include "documents/data_documents.hpp"
#include "gui/shell/main_window.hpp"
#include "gui/tables/table_editing.hpp"
#include "gui/tables/table_window.hpp"
#include "gui_test_support.hpp"

using namespace zephon::testing;

namespace {

CTableWindow* MainTableOf(CZephonApp& app, CWDocument& document) {
    for (CDocumentWindow* window : app.MainWindow().DocumentWindows())
        if (window->Document() == &document && window->ClosesDocument())
            return dynamic_cast<CTableWindow*>(window);
    return nullptr;
}

std::vector<CTableWindow*> SubTables(CZephonApp& app) {
    std::vector<CTableWindow*> windows;
    for (CDocumentWindow* window : app.MainWindow().DocumentWindows())
        if (!window->ClosesDocument()) windows.push_back(dynamic_cast<CTableWindow*>(window));
    return windows;
}

QStringList Column(const CTableWindow& window, int column) {
    QStringList texts;
    const QAbstractItemModel* model = window.View()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, column).data().toString();
    return texts;
}

QPoint Current(const CTableWindow& window) {
    const QModelIndex index = window.View()->currentIndex();
    return {index.row(), index.column()};
}

void SetCurrent(CTableWindow& window, int row, int column) {
    window.View()->setCurrentIndex(window.View()->model()->index(row, column));
}

// Types into the cell's editor and presses Enter, as a person does.
void TypeInto(CTableWindow& window, int row, int column, const QString& text) {
    QTableView* view = window.View();
    SetCurrent(window, row, column);
    if (view->indexWidget(view->currentIndex()) == nullptr) view->edit(view->currentIndex());
    auto* editor = qobject_cast<QLineEdit*>(view->indexWidget(view->currentIndex()));
    QVERIFY(editor != nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the view commits an editor's text after the key
}

void ProcessDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TableWindowsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TestApplication> t;

    CApplicationCore& Core() { return t->app->Core(); }
    CTableWindow* NewTable(CDocumentKind kind, CWDocument** document = nullptr) {
        CWDocument* made = Core().NewDocument(kind);
        if (document != nullptr) *document = made;
        return MainTableOf(*t->app, *made);
    }

  private slots:
    void init() { t = std::make_unique<TestApplication>(); }
    void cleanup() {
        t.reset();
        ProcessDeletes();
    }

    void addAndDeleteRowsRenumberAndMoveTheFocus() {
        CWDocument* document = nullptr;
        CTableWindow* table = NewTable(CDocumentKind::InclusionData, &document);
        QVERIFY(table != nullptr);
        for (int i = 0; i < 5; ++i)
            t->app->MainWindow().Action(CAppCommand::EditAddRow)->trigger();
        QCOMPARE(Column(*table, 0),
                 QStringList({"Inclusion1", "Inclusion2", "Inclusion3", "Inclusion4", "Inclusion5"}));
        QCOMPARE(Current(*table), QPoint(4, 0)); // the new row's first cell
        QCOMPARE(table->View()->model()->headerData(1, Qt::Horizontal).toString(), QString("Th (°C)"));
        QCOMPARE(table->View()->model()->index(0, 8).data().toString(), QString("Volume"));

        // No keeps the row; Yes deletes row 2 and the rows below move up; the focus stays in place.
        SetCurrent(*table, 1, 3);
        QVERIFY(!table->DeleteCurrentRow());
        QCOMPARE(table->View()->model()->rowCount(), 5);
        t->services->yesNoAnswers = {true};
        QVERIFY(table->DeleteCurrentRow());
        QCOMPARE(t->services->questions.back(),
                 std::string("Are you sure to remove the data of the 2nd row ?"));
        QCOMPARE(Column(*table, 0), QStringList({"Inclusion1", "Inclusion3", "Inclusion4", "Inclusion5"}));
        QCOMPARE(Current(*table), QPoint(1, 3));
        // The last of several: the focus goes up.
        SetCurrent(*table, 3, 2);
        t->services->yesNoAnswers = {true};
        QVERIFY(table->DeleteCurrentRow());
        QCOMPARE(Current(*table), QPoint(2, 2));
        QVERIFY(document->IsModified());
        QCOMPARE(t->services->inclusionNotifications, 1 + 5 + 2); // made, the adds and the deletes
    }

    void upAndDownStopAtBothEnds() {
        CTableWindow* table = NewTable(CDocumentKind::InclusionData);
        for (int i = 0; i < 3; ++i)
            table->AddRow();
        SetCurrent(*table, 0, 1);
        // To the cell's editor, as the focus would send them.
        auto press = [&](Qt::Key key) {
            QWidget* editor = table->View()->indexWidget(table->View()->currentIndex());
            QTest::keyClick(editor != nullptr ? editor : table->View(), key);
        };
        press(Qt::Key_Up);
        QCOMPARE(Current(*table), QPoint(0, 1));
        press(Qt::Key_Down);
        QCOMPARE(Current(*table), QPoint(1, 1));
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        QCOMPARE(Current(*table), QPoint(2, 1));
        // The editor of the cell arrived at has its text selected.
        auto* editor = qobject_cast<QLineEdit*>(table->View()->indexWidget(table->View()->currentIndex()));
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->selectedText(), QString("100"));
    }

    void subWindowOpenedTwiceComesToFrontAndFollowsTheName() {
        CTableWindow* table = NewTable(CDocumentKind::InclusionData);
        table->AddRow();
        table->AddRow();
        table->OpenSubTable(0);
        QCOMPARE(SubTables(*t->app).size(), std::size_t(1));
        CTableWindow* volumes = SubTables(*t->app).front();
        QCOMPARE(volumes->WindowTitle(), QString("Inclusion1"));
        QCOMPARE(volumes->View()->model()->headerData(0, Qt::Horizontal).toString(), QString("T (°C)"));
        QMdiArea* area = t->app->MainWindow().MdiArea();
        area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(table->parentWidget()));
        table->OpenSubTable(0);
        QCOMPARE(SubTables(*t->app).size(), std::size_t(1));
        QCOMPARE(area->activeSubWindow(), volumes->parentWidget());
        // Editing in it is in the inclusion's record, and the window's title follows the name.
        volumes->AddRow();
        TypeInto(*volumes, 0, 1, "12.5");
        auto& inclusions = dynamic_cast<CInclusionDataDocument&>(*table->Document());
        QCOMPARE(inclusions.mInclusionList.mInclusionData.First()->mVolumeDataList.mList.First()->mVolume,
                 12.5);
        TypeInto(*table, 0, 0, "FI-9");
        QCOMPARE(volumes->parentWidget()->windowTitle(), QString("FI-9[*]"));
    }

    void deletingARowClosesItsSubWindowFirst() {
        CTableWindow* table = NewTable(CDocumentKind::InclusionData);
        table->AddRow();
        table->OpenSubTable(0);
        QPointer<CTableWindow> volumes = SubTables(*t->app).front();
        volumes->AddRow();
        SetCurrent(*table, 0, 0);
        t->services->yesNoAnswers = {true};
        QVERIFY(table->DeleteCurrentRow());
        QVERIFY(volumes.isNull() || volumes->Model() == nullptr);
        ProcessDeletes();
        QVERIFY(volumes.isNull());
        QVERIFY(SubTables(*t->app).empty());
        // Undo brings the inclusion back with its measurement; its window opens again.
        table->RunCommand(CAppCommand::EditUndo);
        QCOMPARE(table->View()->model()->rowCount(), 1);
        table->OpenSubTable(0);
        QCOMPARE(SubTables(*t->app).front()->View()->model()->rowCount(), 1);
    }

    void closingTheDocumentClosesItsSubWindows() {
        CWDocument* document = nullptr;
        CTableWindow* table = NewTable(CDocumentKind::Correlation, &document);
        table->AddRow();
        table->AddRow();
        table->OpenSubTable(0);
        table->OpenSubTable(1);
        QCOMPARE(SubTables(*t->app).size(), std::size_t(2));
        QCOMPARE(SubTables(*t->app).front()->WindowTitle(), QString("Fluid1"));
        QVERIFY(SubTables(*t->app).front()->NormalizeButton() != nullptr);
        t->services->saveChangesAnswers = {CSaveAnswer::Discard};
        QVERIFY(Core().CloseDocument(*document));
        ProcessDeletes();
        QVERIFY(t->app->MainWindow().DocumentWindows().empty());
    }

    void pasteTabSeparatedRows() {
        CTableWindow* table = NewTable(CDocumentKind::InclusionData);
        table->AddRow();
        QGuiApplication::clipboard()->setText("FI-7\t81.5\t4\t20\tG\t1\t0\t0\t\t\n"
                                              "FI-8\t92\t6\t20\tL\t0\t0\t0\t30\t5\n");
        table->RunCommand(CAppCommand::EditPaste);
        QCOMPARE(Column(*table, 0), QStringList({"Inclusion1", "FI-7", "FI-8"}));
        QCOMPARE(Column(*table, 4), QStringList({"L", "G", "L"}));
        // Over selected rows, with the copied header.
        table->View()->selectRow(0);
        table->RunCommand(CAppCommand::EditCopy);
        QVERIFY(QGuiApplication::clipboard()->text().startsWith("Inclusion\tTh (°C)"));
        table->View()->clearSelection();
        table->View()->selectRow(2);
        table->RunCommand(CAppCommand::EditPaste); // two rows of one name: refused
        QCOMPARE(Column(*table, 0), QStringList({"Inclusion1", "FI-7", "FI-8"}));
        table->Model()->EditCell(0, 0, "FI-6");
        table->View()->selectRow(2);
        table->RunCommand(CAppCommand::EditPaste);
        QCOMPARE(Column(*table, 0), QStringList({"FI-6", "FI-7", "Inclusion1"}));
        // A bad row pastes nothing and says why in the status line.
        QGuiApplication::clipboard()->setText("A\t80\t5\t20\tL\t0\t0\t0\nB\t80\t5\t20\tQ\t0\t0\t0\n");
        table->View()->clearSelection();
        table->RunCommand(CAppCommand::EditPaste);
        QCOMPARE(table->View()->model()->rowCount(), 3);
        QVERIFY(t->app->MainWindow().statusBar()->currentMessage().startsWith(
            "Nothing was pasted: line 2, column 5"));
        QVERIFY(t->services->messages.empty());
    }

    void everyKindOfChangeIsUndoneAndSavingMarksTheCleanState() {
        CWDocument* document = nullptr;
        CTableWindow* table = NewTable(CDocumentKind::FluidModel, &document);
        QVERIFY(table->NormalizeButton() != nullptr);
        const std::string empty = document->SaveToText();
        table->AddRow();
        table->AddRow();
        TypeInto(*table, 0, 1, "10");
        TypeInto(*table, 1, 1, "30");
        table->NormalizeButton()->click();
        QCOMPARE(Column(*table, 1), QStringList({"25.00", "75.00"}));
        QGuiApplication::clipboard()->setText("C1\t5\t-82.6\t46\t0.011\n");
        table->RunCommand(CAppCommand::EditPaste);
        SetCurrent(*table, 0, 0);
        t->services->yesNoAnswers = {true};
        table->RunCommand(CAppCommand::EditDeleteRow);
        QCOMPARE(Column(*table, 0), QStringList({"CO2", "C1"}));
        const std::string edited = document->SaveToText();
        QVERIFY(t->services->fluidNotifications >= 7);

        // Saving makes this the clean state; undo makes it modified again, redo clean again.
        t->services->saveAnswers = {t->Path("model.flu")};
        QVERIFY(Core().SaveDocument(*document));
        QVERIFY(!document->IsModified());
        QAction* undo = t->app->MainWindow().Action(CAppCommand::EditUndo);
        QVERIFY(undo->isEnabled());
        undo->trigger();
        QVERIFY(document->IsModified());
        t->app->MainWindow().Action(CAppCommand::EditRedo)->trigger();
        QVERIFY(!document->IsModified());
        QCOMPARE(document->SaveToText(), edited);
        // Every step taken back: delete, paste, normalize, two edits, two adds.
        for (int i = 0; i < 7; ++i)
            undo->trigger();
        QCOMPARE(document->SaveToText(), empty);
        QVERIFY(document->IsModified());
        QVERIFY(!undo->isEnabled());
    }

    void aRefusedTextKeepsTheValueAndSaysWhyInTheStatusLine() {
        CWDocument* document = nullptr;
        CTableWindow* table = NewTable(CDocumentKind::InclusionData, &document);
        table->AddRow();
        TypeInto(*table, 0, 2, "4.2");
        TypeInto(*table, 0, 2, "4.2x");
        auto& inclusions = dynamic_cast<CInclusionDataDocument&>(*document);
        QCOMPARE(inclusions.mInclusionList.mInclusionData.First()->mFv, 4.2);
        QCOMPARE(t->app->MainWindow().statusBar()->currentMessage(),
                 QString("% Gas: \"4.2x\" is not a number; the cell keeps 4.2."));
        QVERIFY(t->services->messages.empty());
        QCOMPARE(table->Editing()->Stack().count(), 2); // the add and the one accepted edit
    }

    void picturesOfTheExampleInclusionsAndFluidModel() {
        for (const char* name : {"inclusions", "fluid_model"}) {
            const QString file =
                QString(ZEPHON_EXAMPLES_DIR) + "/" + name + (name[0] == 'i' ? ".inc" : ".flu");
            t->app->OpenFiles({file});
            CWDocument* document = Core().FindDocument(file.toStdString());
            QVERIFY(document != nullptr);
            CTableWindow* table = MainTableOf(*t->app, *document);
            QVERIFY(table != nullptr);
            // The window at its own size in a main window large enough, without focus or selection.
            t->app->MainWindow().resize(1400, 900);
            auto* sub = qobject_cast<QMdiSubWindow*>(table->parentWidget());
            sub->resize(sub->sizeHint());
            QCoreApplication::processEvents();
            t->app->MainWindow().statusBar()->setFocus();
            table->View()->setCurrentIndex({});
            table->View()->clearSelection();
            QCoreApplication::processEvents();
            QString why;
            QVERIFY2(MatchesGolden(table->grab().toImage(), QString("table_") + name, why), qPrintable(why));
        }
    }
};

int main(int argc, char** argv) {
    QTemporaryDir profile;
    PrepareTestEnvironment(profile);
    QApplication application(argc, argv);
    FixTheLook();
    TableWindowsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "table_windows_test.moc"
