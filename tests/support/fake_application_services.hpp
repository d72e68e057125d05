// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Application services for tests: everything shown is recorded, questions, prompts and file choices
// are answered from a script (with a recorded default when the script is empty), progress loops run
// to their end (or stop after a scripted number of steps). Until an application core takes the
// documents' events over, the fake hears them itself: it counts notifications and keeps new
// documents and volume-temperature plots.

#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "documents/application_services.hpp"
#include "documents/data_documents.hpp"

namespace zephon::testing {

// The name a notification is counted under: "PTPlotModified".
inline const char* NotificationName(CAppNotification notification) {
    static const char* const names[] = {
        "AlphaBetaPlotModified",     "AlphaBetaPlotSelection", "PTPlotModified",
        "PTPlotSelection",           "VTPlotSelection",        "InclusionsDataDocModified",
        "FluidModelDataDocModified", "AxisRangesChanged",      "CurrentChanged"};
    return names[static_cast<int>(notification)];
}

class FakeApplicationServices : public CApplicationServices, public CDocumentEvents {
  public:
    FakeApplicationServices() { SetDocumentEvents(this); }

    // ---- scripts ----
    std::deque<bool> yesNoAnswers;                                // default: No
    std::deque<std::optional<std::string>> textAnswers;           // default: the proposal
    std::deque<std::optional<std::filesystem::path>> fileAnswers; // default: cancelled
    std::deque<std::optional<std::filesystem::path>> saveAnswers; // default: cancelled
    std::deque<CSaveAnswer> saveChangesAnswers;                   // default: Discard
    std::optional<int> stopProgressAfter;                         // steps before the person stops it
    std::filesystem::path applicationFolder = ".";

    // ---- what happened ----
    std::vector<CUserMessage> messages;
    std::vector<std::string> questions;
    std::vector<std::string> prompts; // the proposals offered
    std::vector<std::string> promptLabels;
    std::vector<CFileChoice> fileChoices;
    std::vector<CFileSaveChoice> saveChoices;
    std::vector<std::string> saveChangesQuestions; // the titles asked about
    std::vector<std::string> progressTexts;
    int progressAdvances = 0;
    int progressLoops = 0;
    std::string log;    // what went to the application's log
    std::string status; // the status line's last text
    int waitDepth = 0;
    int maxWaitDepth = 0;
    std::map<std::string, int> notifications;
    std::vector<std::unique_ptr<CFluidModelDataDocument>> fluidDocuments;
    std::vector<CVolumePlotView*> openVTPlots;
    std::vector<CWDocument*> closedDocuments;
    CVolumePlotView* currentVTPlot = nullptr;
    std::vector<std::pair<CToolPanelKind, int>> panelsShown; // each tool panel opened, with its page

    // The texts of the messages shown so far.
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& message : messages)
            texts.push_back(message.text);
        return texts;
    }
    std::string LastMessage() const { return messages.empty() ? std::string() : messages.back().text; }
    int Count(const std::string& notification) const {
        const auto it = notifications.find(notification);
        return it == notifications.end() ? 0 : it->second;
    }
    void Clear() {
        messages.clear();
        questions.clear();
        prompts.clear();
        progressTexts.clear();
        progressAdvances = 0;
        notifications.clear();
    }

    // ---- CApplicationServices ----
    void ShowMessage(const CUserMessage& message) override { messages.push_back(message); }
    bool AskYesNo(const std::string& question, const std::string&) override {
        questions.push_back(question);
        if (yesNoAnswers.empty()) return false;
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    std::optional<std::string> PromptText(const std::string&, const std::string& label,
                                          const std::string& proposal) override {
        prompts.push_back(proposal);
        promptLabels.push_back(label);
        if (textAnswers.empty()) return proposal;
        auto answer = textAnswers.front();
        textAnswers.pop_front();
        return answer;
    }
    std::optional<std::filesystem::path> ChooseFileToOpen(const CFileChoice& choice) override {
        fileChoices.push_back(choice);
        if (fileAnswers.empty()) return std::nullopt;
        auto answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
    std::optional<std::filesystem::path> ChooseFileToSave(const CFileSaveChoice& choice) override {
        saveChoices.push_back(choice);
        if (saveAnswers.empty()) return std::nullopt;
        auto answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    CSaveAnswer AskSaveChanges(const std::string& documentTitle) override {
        saveChangesQuestions.push_back(documentTitle);
        if (saveChangesAnswers.empty()) return CSaveAnswer::Discard;
        const CSaveAnswer answer = saveChangesAnswers.front();
        saveChangesAnswers.pop_front();
        return answer;
    }
    void BeginWaitCursor() override {
        ++waitDepth;
        if (waitDepth > maxWaitDepth) maxWaitDepth = waitDepth;
    }
    void EndWaitCursor() override { --waitDepth; }
    void WriteLog(const std::string& lines) override { log += lines; }
    void ShowStatus(const std::string& text) override { status = text; }
    void DisplayToolPanel(CToolPanelKind kind, int page) override { panelsShown.emplace_back(kind, page); }
    bool RunProgressLoop(const CProgressLoop&, const std::function<CProgressStep()>& step) override {
        ++progressLoops;
        for (int steps = 0;; ++steps) {
            if (stopProgressAfter && steps >= *stopProgressAfter) return false;
            const CProgressStep result = step();
            if (!result.text.empty()) progressTexts.push_back(result.text);
            if (result.advance) ++progressAdvances;
            if (!result.more) return true;
        }
    }
    // ---- CDocumentEvents ----
    CFluidModelDataDocument* NewFluidModelDocument() override {
        fluidDocuments.push_back(std::make_unique<CFluidModelDataDocument>(*this));
        fluidDocuments.back()->SetTitle("Fluid Model" + std::to_string(fluidDocuments.size()));
        return fluidDocuments.back().get();
    }
    void VTPlotCreated(CPhaseDiagDocument&, CVolumePlotView& plot) override { openVTPlots.push_back(&plot); }
    void VTPlotDestroyed(CPhaseDiagDocument&, CVolumePlotView& plot) override {
        std::erase(openVTPlots, &plot);
        if (currentVTPlot == &plot) currentVTPlot = nullptr;
    }
    void DocumentClosing(CWDocument& document) override { closedDocuments.push_back(&document); }

    void Notify(CAppNotification notification) override { ++notifications[NotificationName(notification)]; }

    std::filesystem::path GetApplicationFolder() const override { return applicationFolder; }
};

} // namespace zephon::testing
