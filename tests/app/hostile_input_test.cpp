// SPDX-License-Identifier: BSD-3-Clause
// The tables and hostile input: a value that is not a number never shows as "inf" or "nan", names
// that spreadsheets would run as formulas go out guarded and come back as they were, and an import
// from something that is no regular file is refused at once.
#include <gtest/gtest.h>

#include <limits>
#include <sys/stat.h>

#include "app/table_fluid_models.hpp"
#include "app/table_formats.hpp"
#include "app/table_inclusion_models.hpp"
#include "documents/data_documents.hpp"
#include "fake_application_services.hpp"
#include "scratch_folder.hpp"

namespace {

using zephon::testing::FakeApplicationServices;
using zephon::testing::TestFolder;

template <class Document> struct Editing {
    FakeApplicationServices services;
    Document document{services};
    CTableHistory history{document};
    CTableSession session{document, history};
};

} // namespace

TEST(HostileInput, CellsShowValuesThatAreNotNumbersInWords) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    Editing<CInclusionDataDocument> e;
    CInclusionTableModel model(e.session, e.document);
    model.AddRow();
    CInclusionRecordEx& inclusion = *e.document.mInclusionList.mInclusionData.First();
    inclusion.mTh = inf;
    inclusion.mFv = nan;
    inclusion.mTv = -inf;
    for (int column : {1, 2, 3})
        EXPECT_EQ(model.CellText(0, column), "not a number") << column;
    for (double value : {nan, inf, -inf})
        EXPECT_EQ(MolePercentText(value), "not a number");
    // A typed number replaces it.
    EXPECT_TRUE(model.EditCell(0, 1, "95.5").accepted);
    EXPECT_EQ(model.CellText(0, 1), "95.5");
}

TEST(HostileInput, GuardedNamesCopyAndPasteBackExactly) {
    Editing<CInclusionDataDocument> e;
    CInclusionTableModel model(e.session, e.document);
    const char* names[] = {"=cmd|calc", "'=x", "+1"};
    for (const char* name : names) {
        const long row = model.AddRow();
        ASSERT_TRUE(model.EditCell(row, 0, name).accepted) << name;
    }
    const long rows[] = {0, 1, 2};
    const std::string copied = model.CopyRows(rows);
    EXPECT_NE(copied.find("\n'=cmd|calc\t"), std::string::npos) << copied;
    EXPECT_NE(copied.find("\n''=x\t"), std::string::npos) << copied;
    EXPECT_NE(copied.find("\n+1\t"), std::string::npos) << copied; // a number is no formula

    Editing<CInclusionDataDocument> other;
    CInclusionTableModel pasted(other.session, other.document);
    ASSERT_TRUE(pasted.Paste(copied, -1).accepted);
    ASSERT_EQ(pasted.RowCount(), 3);
    for (long row = 0; row < 3; ++row)
        EXPECT_EQ(pasted.CellText(row, 0), names[row]);
}

TEST(HostileInput, ImportRefusesWhatIsNoRegularFileAtOnce) {
    TestFolder folder("zephon-hostile-");
    Editing<CInclusionDataDocument> e;
    CInclusionTableModel model(e.session, e.document);
    ASSERT_EQ(::mkfifo((folder.Path() / "pipe.csv").c_str(), 0600), 0);
    const CEditOutcome fifo = model.ImportFile(folder.Path() / "pipe.csv");
    EXPECT_FALSE(fifo.accepted);
    EXPECT_NE(fifo.reason.find("it is a named pipe (FIFO), not a regular file"), std::string::npos)
        << fifo.reason;
    EXPECT_EQ(model.RowCount(), 0);
}
