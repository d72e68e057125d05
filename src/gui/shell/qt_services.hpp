// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The application services with Qt: message boxes, questions, the text prompt, file dialogs, the
// wait cursor, progress loops with a Cancel button, the tool panels and the log. What documents
// report goes to the application core, not through here. Tests derive from it and answer the
// dialogs themselves.

#include <QString>

#include <vector>

#include "app/recovery/recovery_session.hpp"
#include "documents/application_services.hpp"

class CZephonApp;
class QWidget;

class CQtServices : public CApplicationServices {
  public:
    CQtServices() = default;

    // Called once by the application before anything is shown.
    void Attach(CZephonApp& app) { mApp = &app; }

    void ShowMessage(const CUserMessage& message) override;
    bool AskYesNo(const std::string& question, const std::string& caption) override;
    std::optional<std::string> PromptText(const std::string& title, const std::string& label,
                                          const std::string& proposal) override;
    std::optional<std::filesystem::path> ChooseFileToOpen(const CFileChoice& choice) override;
    std::optional<std::filesystem::path> ChooseFileToSave(const CFileSaveChoice& choice) override;
    CSaveAnswer AskSaveChanges(const std::string& documentTitle) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    bool RunProgressLoop(const CProgressLoop& loop, const std::function<CProgressStep()>& step) override;
    // The recovery offer at start-up: the copies to reopen (the others are thrown away), or
    // nothing to decide at the next start.
    virtual std::optional<std::vector<std::size_t>>
    ChooseDocumentsToRecover(const std::vector<CRecoveryCopy>& copies);

    void DisplayToolPanel(CToolPanelKind kind, int page) override;
    void WriteLog(const std::string& lines) override;
    void ShowStatus(const std::string& text) override;

    std::filesystem::path GetApplicationFolder() const override;

    // The file dialogs' filters are written "Name (*.ext)|*.ext||"; Qt wants "Name (*.ext)".
    static QString ToQtFilter(const std::string& filter);

  protected:
    // The window dialogs belong to: the main window once it exists.
    QWidget* DialogParent() const;
    CZephonApp* App() const { return mApp; }

  private:
    CZephonApp* mApp = nullptr;
    int mWaitDepth = 0;
};
