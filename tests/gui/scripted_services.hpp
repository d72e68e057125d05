// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The Qt services with every modal dialog answered from a script and recorded, so that desktop
// tests never block on a box; everything else (notifications, windows, progress) is the real one.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "gui/shell/qt_services.hpp"

class CScriptedServices : public CQtServices {
  public:
    std::deque<bool> yesNoAnswers;                                       // default: No
    std::deque<CSaveAnswer> saveChangesAnswers;                          // default: Cancel
    std::deque<std::optional<std::string>> textAnswers;                  // default: the proposal
    std::deque<std::optional<std::filesystem::path>> openAnswers;        // default: cancelled
    std::deque<std::optional<std::filesystem::path>> saveAnswers;        // default: cancelled
    std::deque<std::optional<std::vector<std::size_t>>> recoveryAnswers; // default: Not Now

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> saveChangesAsked;
    std::vector<std::filesystem::path> saveProposals; // the names the save dialogs proposed
    std::vector<std::vector<CRecoveryCopy>> recoveryOffers;

    void ShowMessage(const CUserMessage& message) override { messages.push_back(message.text); }
    bool AskYesNo(const std::string& question, const std::string&) override {
        questions.push_back(question);
        return Next(yesNoAnswers, false);
    }
    std::optional<std::string> PromptText(const std::string&, const std::string&,
                                          const std::string& proposal) override {
        return Next(textAnswers, std::optional<std::string>(proposal));
    }
    std::optional<std::filesystem::path> ChooseFileToOpen(const CFileChoice&) override {
        return Next(openAnswers, std::optional<std::filesystem::path>());
    }
    std::optional<std::filesystem::path> ChooseFileToSave(const CFileSaveChoice& choice) override {
        saveProposals.push_back(choice.proposal);
        return Next(saveAnswers, std::optional<std::filesystem::path>());
    }
    CSaveAnswer AskSaveChanges(const std::string& title) override {
        saveChangesAsked.push_back(title);
        return Next(saveChangesAnswers, CSaveAnswer::Cancel);
    }

    std::optional<std::vector<std::size_t>>
    ChooseDocumentsToRecover(const std::vector<CRecoveryCopy>& copies) override {
        recoveryOffers.push_back(copies);
        return Next(recoveryAnswers, std::optional<std::vector<std::size_t>>());
    }

  private:
    template <class T> static T Next(std::deque<T>& answers, T fallback) {
        if (answers.empty()) return fallback;
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
