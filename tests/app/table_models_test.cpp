// SPDX-License-Identifier: BSD-3-Clause
// The data tables without a toolkit: what cells show, what typed and pasted text does to the records,
// and that every change is one undoable step that marks the document and tells the application.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "app/table_fluid_models.hpp"
#include "app/table_formats.hpp"
#include "app/table_inclusion_models.hpp"
#include "documents/data_documents.hpp"
#include "fake_application_services.hpp"
#include "scratch_folder.hpp"

namespace {

using zephon::testing::FakeApplicationServices;
using zephon::testing::TestFolder;

// Every list event, with whether the record of the first row was still in the list when told.
struct EventLog : CTableListener {
    std::vector<CListEvent> events;
    void OnListEvent(const CListEvent& event) override { events.push_back(event); }
    int Count(CListEventKind kind) const {
        return static_cast<int>(
            std::count_if(events.begin(), events.end(), [&](const CListEvent& e) { return e.kind == kind; }));
    }
};

template <class Document> struct Editing {
    FakeApplicationServices services;
    Document document{services};
    CTableHistory history{document};
    CTableSession session{document, history};
};

std::vector<std::string> RowTexts(const CTableModel& model, long row) {
    std::vector<std::string> texts;
    for (int c = 0; c < model.ColumnCount(); ++c)
        texts.push_back(model.CellText(row, c));
    return texts;
}

std::vector<std::string> Names(const CInclusionTableModel& model) {
    std::vector<std::string> names;
    for (long r = 0; r < model.RowCount(); ++r)
        names.push_back(model.CellText(r, 0));
    return names;
}

using Strings = std::vector<std::string>;

} // namespace

TEST(TableFormats, MolePercentsQuestionsNormalizeAndFocus) {
    EXPECT_EQ(MolePercentText(0.004), "0.004");
    EXPECT_EQ(MolePercentText(12.5), "12.50");
    EXPECT_EQ(MolePercentText(0), "0.00");
    EXPECT_EQ(MolePercentText(1e-13), "0.00");
    EXPECT_EQ(MolePercentText(0.0001234), "0.00012");
    EXPECT_EQ(MolePercentText(0.01), "0.01");
    EXPECT_EQ(MolePercentText(-2.5), "-2.50"); // a negative value is not hidden as 0.00

    EXPECT_EQ(DeleteRowQuestion(1), "Are you sure to remove the data of the 1st row ?");
    EXPECT_EQ(DeleteRowQuestion(2), "Are you sure to remove the data of the 2nd row ?");
    EXPECT_EQ(DeleteRowQuestion(3), "Are you sure to remove the data of the 3rd row ?");
    EXPECT_EQ(DeleteRowQuestion(12), "Are you sure to remove the data of the 12th row ?");

    std::vector<double> p = {10, 20, 20};
    EXPECT_TRUE(NormalizePercentages(p));
    EXPECT_EQ(p, (std::vector<double>{20, 40, 40}));
    std::vector<double> zero = {0, 0}, negative = {-1, 0.5};
    EXPECT_FALSE(NormalizePercentages(zero));
    EXPECT_FALSE(NormalizePercentages(negative));
    EXPECT_EQ(negative, (std::vector<double>{-1, 0.5}));

    EXPECT_EQ(RowToFocusAfterDelete(4, 5), 3); // the last of several: the row above
    EXPECT_EQ(RowToFocusAfterDelete(1, 5), 1); // otherwise the row that moved up
    EXPECT_EQ(RowToFocusAfterDelete(0, 1), -1);
}

TEST(InclusionTable, RowsStartWithTheInitialTextsAndRenumberOnDelete) {
    Editing<CInclusionDataDocument> e;
    CInclusionTableModel model(e.session, e.document);
    EventLog log;
    e.session.AddListener(&log);
    EXPECT_EQ(model.Column(1).title, "Th (°C)");
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(model.AddRow(), i);
    EXPECT_EQ(RowTexts(model, 0), (Strings{"Inclusion1", "100.0", "0.0", "20.0", "L", "0.0", "0.0", "0.0"}));
    EXPECT_EQ(e.document.mInclusionList.mInclusionData.At(4)->mInclusionName, "Inclusion5");
    EXPECT_EQ(model.SubTableButton(), std::string("Volume"));

    // "No" keeps the row; "Yes" deletes row 2, and rows 3 to 5 become 2 to 4.
    EXPECT_FALSE(model.DeleteRow(1));
    EXPECT_EQ(model.RowCount(), 5);
    e.services.yesNoAnswers = {true};
    EXPECT_TRUE(model.DeleteRow(1));
    EXPECT_EQ(e.services.questions.back(), "Are you sure to remove the data of the 2nd row ?");
    EXPECT_EQ(Names(model), (Strings{"Inclusion1", "Inclusion3", "Inclusion4", "Inclusion5"}));
    EXPECT_EQ(e.document.mInclusionList.Count(), 4);
    EXPECT_EQ(log.Count(CListEventKind::AboutToRemove), 1);
    EXPECT_FALSE(model.DeleteRow(7)); // no such row: nothing asked
    EXPECT_EQ(e.services.questions.size(), 2u);

    // Adding, deleting and editing each tell the application and mark the document.
    EXPECT_EQ(e.services.Count("InclusionsDataDocModified"), 6);
    EXPECT_TRUE(e.document.IsModified());
    EXPECT_TRUE(model.EditCell(0, 1, "95.5").accepted);
    EXPECT_EQ(e.services.Count("InclusionsDataDocModified"), 7);
}

TEST(InclusionTable, TypedTextsAreCheckedAndRefusalsKeepTheValue) {
    Editing<CInclusionDataDocument> e;
    CInclusionTableModel model(e.session, e.document);
    model.AddRow();
    const CInclusionRecordEx& inc = *e.document.mInclusionList.mInclusionData.First();
    const std::string tooLong(256, 'x');
    struct Case {
        int column;
        const char* text;
        const char* reason; // empty: accepted
    };
    const Case cases[] = {
        {1, "95.53", ""},
        {1, "12a", "Th (°C): \"12a\" is not a number; the cell keeps 95.53."},
        {1, "nan", "not a number"},
        {1, "-0", "a zero is typed with the digit 0"},
        {1, "1,5", "not a number"},
        {2, "150", "% Gas: 150 is outside 0 to 100"},
        {3, "-300", "Tv (°C): -300 is below -273.15"},
        {0, "  ", "Inclusion: a name cannot be empty"},
        {0, tooLong.c_str(), "at most 255 characters"},
        {4, "G", ""},
        {5, "2.5", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const CEditOutcome outcome = model.EditCell(0, c.column, c.text);
        EXPECT_EQ(outcome.accepted, std::string(c.reason).empty());
        EXPECT_NE(outcome.reason.find(c.reason), std::string::npos) << outcome.reason;
    }
    EXPECT_EQ(inc.mTh, 95.53);
    // A cell shows the decimals the value has, at least one, at most those the file keeps.
    EXPECT_EQ(model.CellText(0, 1), "95.53");
    EXPECT_EQ(model.CellText(0, 3), "20.0");
    EXPECT_EQ(model.CellText(0, 5), "2.5");
    EXPECT_EQ(model.EditText(0, 1), "95.53"); // an editor starts from the whole value
    EXPECT_EQ(inc.mFv, 0);
    EXPECT_EQ(inc.mInclusionName, "Inclusion1");
    EXPECT_EQ(inc.mHomog, 0);
    EXPECT_EQ(inc.mCO2, 2.5);
    model.EditCell(0, 2, "11.6749");
    EXPECT_EQ(model.CellText(0, 2), "11.67");
    // Typing what the cell holds already is no change.
    const std::size_t steps = e.history.Count();
    EXPECT_TRUE(model.EditCell(0, 1, "95.530").accepted);
    EXPECT_EQ(e.history.Count(), steps);
}

TEST(InclusionTable, EveryKindOfChangeIsUndoneAndTheSavedStateIsClean) {
    Editing<CInclusionDataDocument> e;
    CInclusionTableModel model(e.session, e.document);
    model.AddRow();
    model.AddRow();
    e.history.SetClean(); // as a save does
    EXPECT_FALSE(e.document.IsModified());

    const std::string before = e.document.SaveToText();
    model.EditCell(0, 0, "FI-1");
    e.services.yesNoAnswers = {true};
    model.DeleteRow(1);
    model.AddRow();
    ASSERT_TRUE(model.Paste("FI-7\t80\t5\t20\tG\t0\t0\t0\t25\t4\n", 0).accepted);
    const std::string after = e.document.SaveToText();
    EXPECT_EQ(e.history.Count(), 6u);
    EXPECT_EQ(e.history.UndoText(), "Paste");
    EXPECT_TRUE(e.document.IsModified());

    for (int i = 0; i < 4; ++i)
        e.history.Undo();
    EXPECT_EQ(e.document.SaveToText(), before);
    EXPECT_FALSE(e.document.IsModified());
    while (e.history.CanRedo())
        e.history.Redo();
    EXPECT_EQ(e.document.SaveToText(), after);
    EXPECT_TRUE(e.document.IsModified());
    EXPECT_EQ(Names(model), (Strings{"FI-7", "Inclusion2"}));
    // A new change after taking one back drops the saved state for good.
    e.history.Undo();
    e.history.Undo();
    e.history.Undo();
    model.AddRow();
    while (e.history.CanUndo())
        e.history.Undo();
    EXPECT_TRUE(e.document.IsModified());
}

TEST(InclusionTable, CopiedRowsPasteBackAndBadTextPastesNothing) {
    Editing<CInclusionDataDocument> e;
    CInclusionTableModel model(e.session, e.document);
    model.AddRow();
    model.EditCell(0, 0, "FI, \"one\"");
    model.EditCell(0, 1, "87.125");
    CVolumeTableModel volumes(e.session, *e.document.mInclusionList.mInclusionData.First());
    volumes.AddRow();
    volumes.EditCell(0, 1, "3.25");
    model.AddRow();

    const long rows[] = {0};
    const std::string copied = model.CopyRows(rows);
    EXPECT_EQ(copied.substr(0, copied.find('\n')),
              "Inclusion\tTh (°C)\t% Gas\tTv (°C)\tHomog.\t% CO2\t% N2\t% H2S\tT1 (°C)\t% Gas 1");
    // Over row 2 once row 1 has another name; appended again it would name two rows alike.
    EXPECT_FALSE(model.Paste(copied, 1).accepted);
    model.EditCell(0, 0, "kept");
    ASSERT_TRUE(model.Paste(copied, 1).accepted);
    EXPECT_EQ(model.Paste(copied, -1).reason,
              "Nothing was pasted: the name \"FI, \"one\"\" is that of row 2.");
    ASSERT_EQ(model.RowCount(), 2);
    const CInclusionRecordEx& pasted = *e.document.mInclusionList.mInclusionData.At(1);
    EXPECT_EQ(pasted.mInclusionName, "FI, \"one\"");
    EXPECT_EQ(pasted.mTh, 87.125);
    ASSERT_EQ(pasted.mVolumeDataList.Count(), 1);
    EXPECT_EQ(pasted.mVolumeDataList.mList.First()->mVolume, 3.25);

    const std::string before = e.document.SaveToText();
    const std::size_t steps = e.history.Count();
    const CEditOutcome bad = model.Paste("A\t80\t5\t20\tL\t0\t0\t0\nB\t80\tfive\t20\tL\t0\t0\t0\n", 0);
    EXPECT_FALSE(bad.accepted);
    EXPECT_EQ(bad.reason, "Nothing was pasted: line 2, column 3 (% Gas): \"five\" is not a number.");
    EXPECT_EQ(e.document.SaveToText(), before);
    EXPECT_EQ(e.history.Count(), steps);
}

TEST(InclusionTable, DeletingAnInclusionToldBeforeItGoesAndItsEditsSurviveUndo) {
    Editing<CInclusionDataDocument> e;
    CInclusionTableModel model(e.session, e.document);
    model.AddRow();
    CInclusionRecordEx* inclusion = e.document.mInclusionList.mInclusionData.First();
    auto volumes = std::make_unique<CVolumeTableModel>(e.session, *inclusion);
    volumes->AddRow();
    EXPECT_EQ(RowTexts(*volumes, 0), (Strings{"100.0", "0.0"}));
    volumes->EditCell(0, 0, "60");

    // A window told that the inclusion goes can close its volume table while the record exists.
    struct Closer : CTableListener {
        CInclusionDataDocument* document;
        std::unique_ptr<CVolumeTableModel>* volumes;
        bool recordWasThere = false;
        void OnListEvent(const CListEvent& event) override {
            if (event.kind != CListEventKind::AboutToRemove) return;
            recordWasThere = document->mInclusionList.Count() == 1;
            volumes->reset();
        }
    } closer;
    closer.document = &e.document;
    closer.volumes = &volumes;
    e.session.AddListener(&closer);
    e.services.yesNoAnswers = {true};
    model.DeleteRow(0);
    EXPECT_TRUE(closer.recordWasThere);
    EXPECT_EQ(volumes, nullptr);
    e.session.RemoveListener(&closer);

    e.history.Undo();
    ASSERT_EQ(e.document.mInclusionList.mInclusionData.First(), inclusion);
    e.history.Undo(); // the volume edit finds its record again
    EXPECT_EQ(inclusion->mVolumeDataList.mList.First()->mT, 100);
    e.history.Redo();
    EXPECT_EQ(inclusion->mVolumeDataList.mList.First()->mT, 60);
    EXPECT_EQ(e.services.Count("InclusionsDataDocModified"), 7);
}

TEST(InclusionTable, ImportAndExportFiles) {
    TestFolder folder("zephon-tables-");
    Editing<CInclusionDataDocument> e;
    CInclusionTableModel model(e.session, e.document);
    model.AddRow();
    model.EditCell(0, 1, "91.25");
    std::string error;
    ASSERT_TRUE(model.ExportFile(folder.Path() / "out.csv", error)) << error;

    Editing<CInclusionDataDocument> other;
    CInclusionTableModel imported(other.session, other.document);
    ASSERT_TRUE(imported.ImportFile(folder.Path() / "out.csv").accepted);
    EXPECT_EQ(other.document.SaveToText(), e.document.SaveToText());
    EXPECT_EQ(other.history.UndoText(), "Import");

    std::ofstream(folder.Path() / "bad.csv")
        << "Inclusion;Th (°C);% Gas;Tv (°C);Homog.\nA;80;5;20;L\nB;80;5;20;Q\n";
    const CEditOutcome bad = imported.ImportFile(folder.Path() / "bad.csv");
    EXPECT_FALSE(bad.accepted);
    EXPECT_EQ(bad.reason, "\"bad.csv\": Nothing was imported: line 3, column 5 (Homog.): \"Q\" is not a "
                          "homogenisation type (L to liquid, G to gas).");
    EXPECT_EQ(imported.RowCount(), 1);
    EXPECT_FALSE(imported.ImportFile(folder.Path() / "missing.csv").accepted);
}

TEST(FluidModelTable, ComponentsGetTheirConstantsAndNormalize) {
    Editing<CFluidModelDataDocument> e;
    CFluidModelTableModel model(e.session, e.document);
    model.AddRow();
    model.AddRow();
    EXPECT_EQ(RowTexts(model, 0), (Strings{"N2", "0.00", "-146.95", "33.90", "0.0400"}));
    EXPECT_EQ(model.CellText(1, 0), "CO2");
    EXPECT_EQ(e.services.Count("FluidModelDataDocModified"), 2);

    // Naming a component sets its constants; taking it back restores them.
    ASSERT_TRUE(model.EditCell(1, 0, "C7").accepted);
    EXPECT_EQ(RowTexts(model, 1), (Strings{"C7", "0.00", "267.15", "26.98", "0.3510"}));
    EXPECT_EQ(e.document.mModelFluid.mList.At(1)->mMw, 98.4);
    e.history.Undo();
    EXPECT_EQ(e.document.mModelFluid.mList.At(1)->mMw, 44.01);
    EXPECT_FALSE(model.EditCell(1, 0, std::string(33, 'C')).accepted);
    EXPECT_FALSE(model.EditCell(1, 3, "-1").accepted);

    model.EditCell(0, 1, "10");
    model.EditCell(1, 1, "30");
    ASSERT_TRUE(model.Normalize());
    EXPECT_EQ(model.CellText(0, 1), "25.00");
    EXPECT_EQ(model.CellText(1, 1), "75.00");
    e.history.Undo();
    EXPECT_EQ(model.CellText(1, 1), "30.00");
    model.EditCell(0, 1, "0");
    model.EditCell(1, 1, "0");
    const std::size_t steps = e.history.Count();
    EXPECT_FALSE(model.Normalize()); // nothing to scale
    EXPECT_EQ(e.history.Count(), steps);
}

TEST(CorrelationTables, PointsAndTheirCompositions) {
    Editing<CAlphaBetaDataDocument> e;
    CCorrelationTableModel points(e.session, e.document);
    points.AddRow();
    EXPECT_EQ(RowTexts(points, 0), (Strings{"Fluid1", "0.0000", "0.0000"}));
    EXPECT_EQ(points.SubTableButton(), std::string("Composition"));
    points.EditCell(0, 1, "0.823456");
    EXPECT_EQ(points.CellText(0, 1), "0.823456"); // as stored: 4 decimals at least, 6 at most
    points.EditCell(0, 2, "0.2");
    EXPECT_EQ(points.CellText(0, 2), "0.2000");

    CAlphaBetaRecordEx& point = *e.document.mCorrelation.mList.First();
    CCompositionTableModel composition(e.session, point);
    composition.AddRow();
    composition.AddRow();
    EXPECT_EQ(RowTexts(composition, 1), (Strings{"CO2", "0.00"}));
    // The fluid's gas contents follow the composition, and its undo.
    composition.EditCell(1, 1, "0.004");
    EXPECT_EQ(composition.CellText(1, 1), "0.004");
    EXPECT_EQ(point.mCO2, 0.004);
    composition.EditCell(1, 0, "C1");
    EXPECT_EQ(point.mCO2, 0);
    e.history.Undo();
    EXPECT_EQ(point.mCO2, 0.004);
    EXPECT_TRUE(e.document.IsModified());
}

// Two inclusions of a table never share a name, whichever way it comes: typed, pasted, imported;
// a new row takes the next free number.
TEST(InclusionTable, NamesOfOneTableDiffer) {
    Editing<CInclusionDataDocument> e;
    CInclusionTableModel model(e.session, e.document);
    for (int i = 0; i < 3; ++i)
        model.AddRow();
    EXPECT_EQ(model.EditCell(2, 0, "Inclusion1").reason,
              "Inclusion: the name \"Inclusion1\" is that of row 1; the cell keeps Inclusion3.");
    EXPECT_TRUE(model.EditCell(2, 0, "Inclusion3").accepted); // its own name
    e.services.yesNoAnswers = {true};
    ASSERT_TRUE(model.DeleteRow(0));
    model.AddRow();
    EXPECT_EQ(Names(model), (Strings{"Inclusion2", "Inclusion3", "Inclusion4"}));
    const std::string header = "Inclusion,Th (°C),% Gas,Tv (°C),Homog.\n";
    EXPECT_EQ(model.Import(header + "A,80,5,20,L\nA,90,5,20,L\n").reason,
              "Nothing was imported: the name \"A\" comes twice.");
    EXPECT_FALSE(model.Import(header + "Inclusion2,80,5,20,L\n").accepted);
    EXPECT_TRUE(model.Import(header + "A,80,5,20,L\n").accepted);
    EXPECT_EQ(model.RowCount(), 4);
}
