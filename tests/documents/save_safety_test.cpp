// SPDX-License-Identifier: BSD-3-Clause
// Saving never destroys the previous file, and damaged files open with what could be read while
// the person is told where reading stopped.

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

#include "document_test_util.hpp"
#include "documents/data_documents.hpp"

using namespace zephon::testing;

namespace {

void AddInclusions(CInclusionDataDocument& document, int count) {
    for (int i = 0; i < count; ++i) {
        auto* inclusion = new CInclusionRecordEx();
        inclusion->mInclusionName = "Inclusion " + std::to_string(i);
        inclusion->mTh = 80 + i;
        inclusion->mFv = 5;
        inclusion->mVolumeDataList.Add(new CVolumeRecord(20, 5));
        document.mInclusionList.Add(inclusion);
    }
    document.SetModifiedFlag();
}

// Lowers the largest file this process may write, for the life of the object.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &mPrevious);
        mPreviousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = mPrevious;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &mPrevious);
        std::signal(SIGXFSZ, mPreviousHandler);
    }

  private:
    rlimit mPrevious{};
    void (*mPreviousHandler)(int) = nullptr;
};

} // namespace

TEST(SaveSafety, AWriteFailureKeepsThePreviousFileAndTheModifiedFlag) {
    TempFolder folder;
    FakeApplicationServices services;
    CInclusionDataDocument small(services);
    AddInclusions(small, 1);
    ASSERT_TRUE(small.OnSaveDocument(folder / "data.inc"));
    const std::string before = ReadText(folder / "data.inc");

    CInclusionDataDocument large(services);
    AddInclusions(large, 200);
    ASSERT_GT(large.SaveToText().size(), 4000u);
    bool saved = true;
    {
        FileSizeLimit limit(2000);
        saved = large.OnSaveDocument(folder / "data.inc");
    }
    EXPECT_FALSE(saved);
    EXPECT_TRUE(large.IsModified());
    EXPECT_EQ(ReadText(folder / "data.inc"), before);
    EXPECT_EQ(CountFiles(folder.Path()), 1) << "no temporary file is left behind";
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_NE(services.LastMessage().find("could not save"), std::string::npos) << services.LastMessage();
    EXPECT_TRUE(large.GetPathName().empty()) << "a failed save does not adopt the path";

    // Once the disk has room again the same document saves.
    EXPECT_TRUE(large.OnSaveDocument(folder / "data.inc"));
    EXPECT_EQ(ReadText(folder / "data.inc"), large.SaveToText());
}

TEST(SaveSafety, UnwritablePlacesFailWithAMessage) {
    TempFolder folder;
    FakeApplicationServices services;
    CInclusionDataDocument document(services);
    AddInclusions(document, 2);

    EXPECT_FALSE(document.OnSaveDocument(folder / "missing-folder" / "x.inc"));
    std::filesystem::create_directory(folder / "taken.inc");
    EXPECT_FALSE(document.OnSaveDocument(folder / "taken.inc"));
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(services.messages.size(), 2u);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "taken.inc"));
    EXPECT_EQ(CountFiles(folder.Path()), 1);
}

TEST(SaveSafety, ASuccessfulSaveReplacesTheFileAndKeepsItsPermissions) {
    TempFolder folder;
    FakeApplicationServices services;
    WriteText(folder / "old.inc", "0\t\n");
    std::filesystem::permissions(folder / "old.inc", std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::owner_write |
                                                         std::filesystem::perms::group_read);
    CInclusionDataDocument document(services);
    AddInclusions(document, 3);
    ASSERT_TRUE(document.OnSaveDocument(folder / "old.inc"));
    EXPECT_EQ(ReadText(folder / "old.inc"), document.SaveToText());
    EXPECT_EQ(std::filesystem::status(folder / "old.inc").permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
    EXPECT_EQ(CountFiles(folder.Path()), 1);
    EXPECT_TRUE(services.messages.empty());
}

TEST(DamagedFiles, MissingFileFailsAndLeavesTheDocumentAlone) {
    TempFolder folder;
    FakeApplicationServices services;
    CInclusionDataDocument document(services);
    AddInclusions(document, 1);
    EXPECT_FALSE(document.OnOpenDocument(folder / "nowhere.inc"));
    EXPECT_EQ(document.mInclusionList.Count(), 1);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_NE(services.LastMessage().find("cannot open"), std::string::npos);
}

TEST(DamagedFiles, ATruncatedFileOpensWithWhatPrecedesTheCutAndSaysWhere) {
    TempFolder folder;
    FakeApplicationServices services;
    CInclusionDataDocument original(services);
    AddInclusions(original, 3);
    const std::string full = original.SaveToText();
    // Cut in the middle of the third inclusion's line.
    const std::size_t third = full.find("Inclusion_2");
    ASSERT_NE(third, std::string::npos);
    const std::string cut = full.substr(0, third + 20);
    WriteText(folder / "cut.inc", cut);

    CInclusionDataDocument document(services);
    ASSERT_TRUE(document.OnOpenDocument(folder / "cut.inc"));
    EXPECT_TRUE(document.WasOpenedDamaged());
    EXPECT_TRUE(document.GetReadStop().atEnd);
    EXPECT_GE(document.mInclusionList.Count(), 2);
    EXPECT_EQ(document.mInclusionList.mInclusionData.First()->mInclusionName, "Inclusion 0");
    ASSERT_EQ(services.messages.size(), 1u);
    const long lines = static_cast<long>(std::count(cut.begin(), cut.end(), '\n')) + 1;
    EXPECT_EQ(services.LastMessage(), "The file \"cut.inc\" is damaged: the file ends at line " +
                                          std::to_string(lines) +
                                          " before all of its content could be read. The document shows what "
                                          "could be read before that point.");
    EXPECT_FALSE(document.IsModified());

    // Saving over the damaged file is a choice: No leaves it as it was, Yes replaces it.
    document.SetModifiedFlag();
    services.yesNoAnswers = {false, true};
    EXPECT_FALSE(document.OnSaveDocument(folder / "cut.inc"));
    EXPECT_EQ(ReadText(folder / "cut.inc"), cut);
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(document.OnSaveDocument(folder / "cut.inc"));
    EXPECT_EQ(services.questions.size(), 2u);
    EXPECT_FALSE(document.WasOpenedDamaged());
    // Saved elsewhere, nothing is asked.
    EXPECT_TRUE(document.OnSaveDocument(folder / "copy.inc"));
    EXPECT_EQ(services.questions.size(), 2u);
}

TEST(DamagedFiles, AWordWhereANumberBelongsStopsReadingThere) {
    TempFolder folder;
    FakeApplicationServices services;
    // Second line: name, Th, then a word where Fv belongs.
    WriteText(folder / "bad.inc", "1\t\nA\t95.00\toops\t20.00\tL\t0\t0\t0\t\n3\t255\t0\t0\t3\t0\t\n");
    CInclusionDataDocument document(services);
    ASSERT_TRUE(document.OnOpenDocument(folder / "bad.inc"));
    EXPECT_EQ(document.GetReadStop().line, 2);
    EXPECT_EQ(document.GetReadStop().column, 9);
    EXPECT_FALSE(document.GetReadStop().atEnd);
    ASSERT_EQ(document.mInclusionList.Count(), 1);
    EXPECT_EQ(document.mInclusionList.mInclusionData.First()->mTh, 95.0);
    EXPECT_NE(services.LastMessage().find("reading stopped at line 2, column 9"), std::string::npos)
        << services.LastMessage();
}

TEST(DamagedFiles, ReadStopCountsTokensAcrossLines) {
    EXPECT_EQ(LocateReadStop("a b\n  c", 2).line, 2);
    EXPECT_EQ(LocateReadStop("a b\n  c", 2).column, 3);
    EXPECT_TRUE(LocateReadStop("a b\n", 2).atEnd);
    EXPECT_EQ(LocateReadStop("a b\n", 2).line, 2);
    EXPECT_EQ(LocateReadStop("", 0).line, 1);
}
