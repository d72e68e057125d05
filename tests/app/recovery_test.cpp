// SPDX-License-Identifier: BSD-3-Clause
// Recovery copies: when they are written and removed, what a program started after a crash finds
// and reopens, and a state folder that cannot be written.
#include "app/recovery/recovery_keeper.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "base/input_file.hpp"
#include "documents/data_documents.hpp"
#include "fake_application_services.hpp"
#include "scratch_folder.hpp"

namespace {

using namespace std::chrono_literals;
using zephon::testing::FakeApplicationServices;
using zephon::testing::TestFolder;
namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
    std::string text, error;
    ReadWholeFile(path, text, error);
    return text;
}

class RecoveryTest : public ::testing::Test {
  protected:
    RecoveryTest() : folder("zephon-recovery-") {
        fs::copy_file(fs::path(ZEPHON_EXAMPLES_DIR) / "inclusions.inc", Original());
        original = Contents(Original());
    }
    fs::path Original() const { return folder.Path() / "study.inc"; }
    fs::path State() const { return folder.Path() / "state"; }
    // A program's core and keeper with its own session.
    struct Program {
        FakeApplicationServices services;
        CApplicationCore core{services};
        std::unique_ptr<CRecoveryKeeper> keeper;
        explicit Program(const fs::path& state) {
            std::string error;
            auto session = CRecoverySession::Start(state, error);
            EXPECT_NE(session, nullptr) << error;
            keeper = std::make_unique<CRecoveryKeeper>(core, std::move(session), 10s);
        }
        // The process ends without closing anything (killed): the lock goes, the copies stay.
        void Die() { keeper.reset(); }
    };
    static void Edit(CInclusionDataDocument& document, const std::string& name) {
        document.mInclusionList.mInclusionData.First()->mInclusionName = name;
        document.SetModifiedFlag(true);
    }
    static std::vector<fs::path> CopiesIn(const CRecoverySession& session) {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(session.Folder()))
            if (entry.path().extension() == ".inc") files.push_back(entry.path());
        return files;
    }

    TestFolder folder;
    std::string original;
};

TEST_F(RecoveryTest, ACopyFollowsAQuietPauseOrTheIntervalAndGoesWithTheSaveOrTheClose) {
    Program program(State());
    auto* document = dynamic_cast<CInclusionDataDocument*>(program.core.OpenDocument(Original()));
    ASSERT_NE(document, nullptr);
    CRecoveryKeeper& keeper = *program.keeper;
    const auto start = CRecoveryKeeper::Clock::now();

    keeper.Tick(start); // unmodified: nothing
    Edit(*document, "Edited1");
    keeper.Tick(start + 1s);
    keeper.Tick(start + 3s); // 2 s after the change: not yet
    keeper.Flush();
    EXPECT_TRUE(CopiesIn(keeper.Session()).empty());
    keeper.Tick(start + 4s); // 3 s of quiet
    keeper.Flush();
    ASSERT_EQ(CopiesIn(keeper.Session()).size(), 1u);
    EXPECT_NE(Contents(CopiesIn(keeper.Session())[0]).find("Edited1"), std::string::npos);

    // Changing every second: no quiet pause, but a copy once the interval is over.
    for (int s = 5; s <= 14; ++s) {
        Edit(*document, "Edited" + std::to_string(s));
        keeper.Tick(start + std::chrono::seconds(s));
    }
    keeper.Flush();
    EXPECT_NE(Contents(CopiesIn(keeper.Session())[0]).find("Edited1\t"), std::string::npos);
    Edit(*document, "Edited15");
    keeper.Tick(start + 15s); // 10 s after the first change not copied
    keeper.Flush();
    EXPECT_NE(Contents(CopiesIn(keeper.Session())[0]).find("Edited15"), std::string::npos);

    ASSERT_TRUE(program.core.SaveDocument(*document));
    keeper.Tick(start + 20s);
    keeper.Flush();
    EXPECT_TRUE(CopiesIn(keeper.Session()).empty());

    Edit(*document, "Unsaved");
    keeper.Tick(start + 21s);
    keeper.Tick(start + 30s);
    keeper.Flush();
    EXPECT_EQ(CopiesIn(keeper.Session()).size(), 1u);
    program.services.saveChangesAnswers = {CSaveAnswer::Discard};
    ASSERT_TRUE(program.core.CloseDocument(*document));
    keeper.Flush();
    EXPECT_TRUE(CopiesIn(keeper.Session()).empty());
}

TEST_F(RecoveryTest, TheNextProgramReopensWhatAKilledOneLeftAndARunningOneKeepsItsOwn) {
    auto first = std::make_unique<Program>(State());
    auto* study = dynamic_cast<CInclusionDataDocument*>(first->core.OpenDocument(Original()));
    auto* fresh =
        dynamic_cast<CInclusionDataDocument*>(first->core.NewDocument(CDocumentKind::InclusionData));
    ASSERT_TRUE(study && fresh);
    Edit(*study, "Edited\nname"); // a line break in a name survives the description
    fresh->mInclusionList.Add(new CInclusionRecordEx);
    fresh->SetModifiedFlag(true);
    const std::string studyText = study->SaveToText(), freshText = fresh->SaveToText();
    const auto start = CRecoveryKeeper::Clock::now();
    first->keeper->Tick(start);
    first->keeper->Tick(start + 5s);
    first->keeper->Flush();

    // While the first program runs, a second one finds nothing to recover.
    EXPECT_TRUE(CRecoverableCopies(State()).Copies().empty());

    first->Die();
    CRecoverableCopies found(State());
    ASSERT_EQ(found.Copies().size(), 2u);
    // Another program starting meanwhile does not offer them a second time.
    EXPECT_TRUE(CRecoverableCopies(State()).Copies().empty());

    Program second(State());
    const std::vector<CWDocument*> reopened =
        RecoverDocuments(second.core, second.keeper.get(), found, {0, 1});
    ASSERT_EQ(reopened.size(), 2u);
    for (CWDocument* document : reopened) {
        EXPECT_TRUE(document->IsModified());
        if (document->GetPathName().empty()) {
            EXPECT_EQ(document->GetTitle(), "Untitled");
            EXPECT_EQ(document->SaveToText(), freshText);
        } else {
            EXPECT_EQ(fs::canonical(document->GetPathName()), fs::canonical(Original()));
            EXPECT_EQ(document->GetTitle(), "study.inc");
            EXPECT_EQ(document->SaveToText(), studyText);
        }
    }
    EXPECT_EQ(Contents(Original()), original);
    // The old copies went once the reopened documents had their own.
    EXPECT_TRUE(found.Copies().empty());
    EXPECT_EQ(CopiesIn(second.keeper->Session()).size(), 2u);
    second.Die();
    EXPECT_EQ(CRecoverableCopies(State()).Copies().size(), 2u);
}

TEST_F(RecoveryTest, AStateFolderThatCannotBeWrittenIsReportedOnceAndTheDocumentsGoOn) {
    // A file where the folder should be: nothing can be made there.
    std::ofstream(folder.Path() / "blocked") << "x";
    std::string error;
    EXPECT_EQ(CRecoverySession::Start(folder.Path() / "blocked" / "recovery", error), nullptr);
    EXPECT_NE(error.find("cannot be made"), std::string::npos) << error;

    // A folder that goes away while the program runs: writing fails, is told once.
    Program program(State());
    auto* document = dynamic_cast<CInclusionDataDocument*>(program.core.OpenDocument(Original()));
    ASSERT_NE(document, nullptr);
    fs::remove_all(program.keeper->Session().Folder());
    std::ofstream(program.keeper->Session().Folder()) << "x";
    const auto start = CRecoveryKeeper::Clock::now();
    Edit(*document, "Edited");
    program.keeper->Tick(start);
    program.keeper->Tick(start + 5s);
    program.keeper->Flush();
    EXPECT_TRUE(program.keeper->FailureToReport().has_value());
    EXPECT_FALSE(program.keeper->FailureToReport().has_value());
    EXPECT_TRUE(document->IsModified());
    EXPECT_TRUE(program.core.SaveDocument(*document));
    fs::remove(program.keeper->Session().Folder());
}

} // namespace
