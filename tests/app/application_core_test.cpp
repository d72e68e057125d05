// SPDX-License-Identifier: BSD-3-Clause
#include "app/app_commands.hpp"
#include "app/application_core.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "documents/alpha_beta_plot_document.hpp"
#include "documents/data_documents.hpp"
#include "documents/phase_diag_document.hpp"
#include "fake_application_services.hpp"
#include "listener_order.hpp"
#include "scratch_folder.hpp"

namespace {

using zephon::testing::FakeApplicationServices;
using zephon::testing::TestFolder;

// Records what the application asks of its windows.
struct FakeWindows : CDocumentWindows {
    std::vector<CWDocument*> shown, fronted, closed;
    // What taking the windows down does meanwhile (a multi-document area activates the next one).
    std::function<void(CWDocument&)> whileClosing;
    std::vector<std::string>* heard = nullptr; // what was passed on to the windows
    void ShowDocument(CWDocument& document) override { shown.push_back(&document); }
    void BringToFront(CWDocument& document) override { fronted.push_back(&document); }
    void CloseWindows(CWDocument& document) override {
        closed.push_back(&document);
        if (whileClosing) whileClosing(document);
    }
    void Notified(CAppNotification notification) override {
        if (heard != nullptr && notification != CAppNotification::CurrentChanged)
            heard->push_back(std::string("windows:") + zephon::testing::NotificationName(notification));
    }
};

struct Listener : CAppListener {
    std::vector<CWDocument*> closing;
    int current = 0;
    void OnAppNotification(CAppNotification n) override { current += n == CAppNotification::CurrentChanged; }
    void OnDocumentClosing(CWDocument& document) override { closing.push_back(&document); }
};

class ApplicationCoreTest : public ::testing::Test {
  protected:
    ApplicationCoreTest() : folder("zephon-app-") {
        core.SetWindows(&windows);
        core.AddListener(&listener);
    }

    std::filesystem::path WriteInclusions(const std::string& name, const std::string& content) {
        const auto path = folder.Path() / name;
        std::ofstream(path) << content;
        return path;
    }

    TestFolder folder;
    FakeApplicationServices services;
    FakeWindows windows;
    Listener listener;
    CApplicationCore core{services};
};

const char* kOneInclusion =
    "1\t\nI1\t80.00\t12.00\t20.00\tL\t0.000\t0.000\t0.000\t\n3\t65280\t0\t0\t3\t0\t\n";

TEST_F(ApplicationCoreTest, NewDocumentsAreNumberedPerKind) {
    auto* first = core.NewDocument(CDocumentKind::InclusionData);
    auto* second = core.NewDocument(CDocumentKind::InclusionData);
    auto* fluid = dynamic_cast<CFluidModelDataDocument*>(core.NewDocument(CDocumentKind::FluidModel));
    EXPECT_EQ(first->GetTitle(), "Inclusion Data1");
    EXPECT_EQ(second->GetTitle(), "Inclusion Data2");
    ASSERT_NE(fluid, nullptr);
    EXPECT_EQ(fluid->mModelFluid.mName, "Fluid Model1");
    EXPECT_EQ(windows.shown.size(), 3u);
}

TEST_F(ApplicationCoreTest, ListenersHearEveryChangeInTheOrderTheyWereAddedAndTheWindowsLast) {
    std::vector<std::string> log;
    windows.heard = &log;
    zephon::testing::RecordListenerOrder(core, log);
    std::vector<std::string> expected;
    for (const std::string& entry : zephon::testing::kListenerOrder) {
        expected.push_back(entry);
        if (entry.starts_with("axes:") && entry != "axes:closing")
            expected.push_back("windows:" + entry.substr(5));
    }
    EXPECT_EQ(log, expected);
    // The fake services heard none of it: the core is the documents' one listener.
    EXPECT_EQ(services.Count("FluidModelDataDocModified"), 0);
}

TEST_F(ApplicationCoreTest, AFileOpenAlreadyComesToTheFrontInsteadOfOpeningTwice) {
    const auto path = WriteInclusions("a.inc", kOneInclusion);
    CWDocument* first = core.OpenDocument(path);
    ASSERT_NE(first, nullptr);
    CWDocument* again = core.OpenDocument(folder.Path() / "." / "a.inc");
    EXPECT_EQ(again, first);
    EXPECT_EQ(core.Documents().size(), 1u);
    EXPECT_EQ(windows.fronted, std::vector<CWDocument*>{first});
    EXPECT_EQ(core.RecentFiles().size(), 1u);

    EXPECT_EQ(core.OpenDocument(folder.Path() / "notes.txt"), nullptr);
    EXPECT_EQ(core.OpenDocument(folder.Path() / "missing.inc"), nullptr);
    EXPECT_EQ(services.messages.size(), 2u);
    EXPECT_EQ(core.Documents().size(), 1u);
}

TEST_F(ApplicationCoreTest, RevertReadsTheFileFirstAndKeepsTheDocumentWhenItCannot) {
    const auto path = WriteInclusions("a.inc", kOneInclusion);
    auto* document = dynamic_cast<CInclusionDataDocument*>(core.OpenDocument(path));
    ASSERT_NE(document, nullptr);

    // Unmodified: no question, a fresh document from the file.
    CWDocument* fresh = core.RevertDocument(*document);
    EXPECT_TRUE(services.questions.empty());
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(core.Documents(), std::vector<CWDocument*>{fresh});

    // Modified: the exact question; No keeps the changes.
    fresh->SetModifiedFlag();
    EXPECT_EQ(core.RevertDocument(*fresh), fresh);
    ASSERT_EQ(services.questions.size(), 1u);
    EXPECT_EQ(services.questions[0], "Do you want to discard changes made on the document \"a.inc\" ?");
    EXPECT_TRUE(fresh->IsModified());

    // The file is gone: the person is told and the document stays, changes and all.
    std::filesystem::remove(path);
    services.yesNoAnswers = {true};
    EXPECT_EQ(core.RevertDocument(*fresh), fresh);
    EXPECT_TRUE(core.IsOpen(fresh));
    EXPECT_TRUE(fresh->IsModified());
    EXPECT_EQ(services.messages.size(), 2u); // cannot open, not reverted
}

TEST_F(ApplicationCoreTest, CancellingTheSavePromptKeepsTheDocumentAndUnlocksTracking) {
    CWDocument* a = core.NewDocument(CDocumentKind::InclusionData);
    CWDocument* b = core.NewDocument(CDocumentKind::InclusionData);
    core.WindowActivated(a);
    a->SetModifiedFlag();
    services.saveChangesAnswers = {CSaveAnswer::Cancel};
    EXPECT_FALSE(core.CloseDocument(*a));
    EXPECT_TRUE(core.IsOpen(a));
    EXPECT_EQ(services.saveChangesQuestions, std::vector<std::string>{"Inclusion Data1"});
    EXPECT_FALSE(core.IsActiveDocumentLocked());
    core.WindowActivated(b);
    EXPECT_EQ(core.ActiveDocument(), b);

    // Save without a name asks for one; cancelling that keeps the document too.
    services.saveChangesAnswers = {CSaveAnswer::Save};
    EXPECT_FALSE(core.CloseDocument(*a));
    EXPECT_TRUE(core.IsOpen(a));
    services.saveChangesAnswers = {CSaveAnswer::Save};
    services.saveAnswers = {folder.Path() / "saved.inc"};
    EXPECT_TRUE(core.CloseDocument(*a));
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "saved.inc"));
}

TEST_F(ApplicationCoreTest, ClosingClearsTheDocumentFromEverythingThatHoldsIt) {
    auto* plot = dynamic_cast<CAlphaBetaPlotDocument*>(core.NewDocument(CDocumentKind::AlphaBetaPlot));
    auto* diagram = dynamic_cast<CPhaseDiagDocument*>(core.NewDocument(CDocumentKind::PhaseDiagram));
    core.WindowActivated(plot);
    core.NotifyPlotWindowActivated(&plot->GetPlotView());
    core.WindowActivated(diagram);
    CVolumePlotView* vt = diagram->DisplayNewVTPlot();
    core.SetCurrentVTPlotView(vt);
    core.NotifyPlotWindowActivated(vt);

    EXPECT_TRUE(core.CloseDocument(*plot));
    EXPECT_EQ(core.CurrentAlphaBetaPlotDoc(), nullptr);
    EXPECT_EQ(core.CurrentPlotView(), vt);
    EXPECT_EQ(core.CurrentPhaseDiagDoc(), diagram);

    EXPECT_TRUE(core.CloseDocument(*diagram)); // modified by its new plot: Discard by default
    EXPECT_EQ(core.CurrentPhaseDiagDoc(), nullptr);
    EXPECT_EQ(core.CurrentVTPlotView(), nullptr);
    EXPECT_EQ(core.CurrentPlotView(), nullptr);
    EXPECT_EQ(core.ActiveDocument(), nullptr);
    EXPECT_EQ(listener.closing, (std::vector<CWDocument*>{plot, diagram}));
    EXPECT_EQ(windows.closed, (std::vector<CWDocument*>{plot, diagram}));
    EXPECT_TRUE(core.Documents().empty());
}

// While its windows go one by one, the next window activated is often another one of the closing
// document: nothing of it may become active or current again.
TEST_F(ApplicationCoreTest, AClosingDocumentNeverComesBack) {
    CWDocument* other = core.NewDocument(CDocumentKind::InclusionData);
    auto* diagram = dynamic_cast<CPhaseDiagDocument*>(core.NewDocument(CDocumentKind::PhaseDiagram));
    CVolumePlotView* vt = diagram->DisplayNewVTPlot();
    windows.whileClosing = [&](CWDocument& document) {
        core.WindowActivated(&document);
        core.SetCurrentPhaseDiagDoc(diagram);
        core.SetCurrentVTPlotView(vt);
        core.NotifyPlotWindowActivated(vt);
        core.WindowActivated(other);
    };
    core.WindowActivated(diagram);
    core.SetCurrentVTPlotView(vt);
    services.saveChangesAnswers = {CSaveAnswer::Discard};
    EXPECT_TRUE(core.CloseDocument(*diagram));
    EXPECT_EQ(core.ActiveDocument(), other);
    EXPECT_EQ(core.NextActiveDocument(), other);
    EXPECT_EQ(core.CurrentPhaseDiagDoc(), nullptr);
    EXPECT_EQ(core.CurrentVTPlotView(), nullptr);
    EXPECT_EQ(core.CurrentPlotView(), nullptr);
    EXPECT_FALSE(CommandState(CAppCommand::NewVTPlot, core, {}).enabled);
}

// A file of which nothing can be read as its extension's kind opens no document, whatever the
// extension.
TEST_F(ApplicationCoreTest, ATextFileOfAnyExtensionIsRefused) {
    for (const auto& kind : AllDocumentKinds()) {
        const auto path =
            WriteInclusions(std::string("notes") + kind.extension,
                            "Notes on sample twelve: measured twice,\nsee the notebook, page 4.\n");
        services.messages.clear();
        EXPECT_EQ(core.OpenDocument(path), nullptr) << kind.extension;
        ASSERT_EQ(services.messages.size(), 1u) << kind.extension;
        EXPECT_NE(services.messages[0].text.find("it is not a"), std::string::npos)
            << services.messages[0].text;
    }
    EXPECT_TRUE(core.Documents().empty());
    EXPECT_TRUE(windows.shown.empty());
    EXPECT_EQ(core.NextActiveDocument(), nullptr);
}

// Undo of a plot document's removal returns to the saved state as unmodified, unless something
// that Undo cannot take back changed the document meanwhile.
TEST_F(ApplicationCoreTest, APlotDocumentIsCleanOnlyInItsSavedState) {
    auto* plot = dynamic_cast<CAlphaBetaPlotDocument*>(core.NewDocument(CDocumentKind::AlphaBetaPlot));
    CPlotHistory* history = core.History(plot);
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(core.History(core.NewDocument(CDocumentKind::InclusionData)), nullptr);
    plot->AddAlphaBetaPoint(0.5, 0.5, 0, 0, 0);
    plot->AddAlphaBetaPoint(0.6, 0.4, 0, 0, 0);
    services.saveAnswers = {folder.Path() / "p.abp"};
    ASSERT_TRUE(core.SaveDocumentAs(*plot));

    plot->RemoveAlphaBetaPoint(plot->mAlphaBetaPointsList.mList.First());
    EXPECT_TRUE(plot->IsModified());
    EXPECT_EQ(history->UndoText(), "Remove marker");
    history->Undo();
    EXPECT_FALSE(plot->IsModified());
    EXPECT_EQ(plot->mAlphaBetaPointsList.mList.Count(), 2);
    history->Redo();
    EXPECT_TRUE(plot->IsModified());

    plot->AddAlphaBetaPoint(0.7, 0.3, 0, 0, 0); // not a step of the history
    history->Undo();
    EXPECT_TRUE(plot->IsModified());
    EXPECT_FALSE(history->CanUndo());
}

TEST_F(ApplicationCoreTest, MenuEnablingAndChecks) {
    CShellState shell;
    auto state = [&](CAppCommand c) { return CommandState(c, core, shell); };
    EXPECT_FALSE(state(CAppCommand::FileClose).enabled);
    EXPECT_FALSE(state(CAppCommand::FileSave).enabled);
    EXPECT_FALSE(state(CAppCommand::PlotCorrelation).enabled);
    EXPECT_FALSE(state(CAppCommand::NewVTPlot).enabled);
    EXPECT_FALSE(state(CAppCommand::PlotCalculatedVTPage).enabled);
    EXPECT_FALSE(state(CAppCommand::PvtProperties).enabled);

    // The alpha-beta panel on page 1 checks its fluid command only.
    shell.alphaBetaPanelPage = 1;
    EXPECT_FALSE(state(CAppCommand::AlphaBetaCurvePage).checked);
    EXPECT_TRUE(state(CAppCommand::AlphaBetaFluidPage).checked);
    EXPECT_FALSE(state(CAppCommand::RemoveCorrelationPage).checked);

    CWDocument* inclusions = core.NewDocument(CDocumentKind::InclusionData);
    core.WindowActivated(inclusions);
    EXPECT_TRUE(state(CAppCommand::FileClose).enabled);
    EXPECT_FALSE(state(CAppCommand::FileSave).enabled);
    EXPECT_FALSE(state(CAppCommand::FileRevert).enabled); // never saved
    EXPECT_FALSE(state(CAppCommand::FilePrint).enabled);  // a table prints nothing
    inclusions->SetModifiedFlag();
    EXPECT_TRUE(state(CAppCommand::FileSave).enabled);

    auto* diagram = dynamic_cast<CPhaseDiagDocument*>(core.NewDocument(CDocumentKind::PhaseDiagram));
    core.WindowActivated(diagram);
    shell.activeWindow.prints = true;
    EXPECT_TRUE(state(CAppCommand::FilePrint).enabled);
    EXPECT_TRUE(state(CAppCommand::NewVTPlot).enabled);
    EXPECT_FALSE(state(CAppCommand::PlotInclusionVTPage).enabled);
    core.SetCurrentVTPlotView(diagram->DisplayNewVTPlot());
    EXPECT_TRUE(state(CAppCommand::PlotInclusionVTPage).enabled);
}

} // namespace
