// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// What a document asks of the person in front of the screen (messages, questions, a text prompt,
// file choice, the wait cursor, progress loops, the tool panels and the log) and where the program's
// own files are. The desktop application implements it with its toolkit, the command-line tool for a
// terminal, and the tests with a scripted fake. No document talks to a person any other way.
//
// What a document reports (its changes, new fluid-model documents, volume-temperature plots) goes
// to the document events the services lead to: the application core's once it runs.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "documents/document_events.hpp"

enum class CMessageIcon { Warning, Information, Error };

// The three modeless tool panels: "Alpha-Beta Plots", "Phase Diagrams", "Bubble size variation".
enum class CToolPanelKind { AlphaBeta, PhaseDiagram, BubbleSize };

// One modal message box.
struct CUserMessage {
    std::string text;
    std::string caption; // empty: no title of its own
    CMessageIcon icon = CMessageIcon::Warning;
    bool systemModal = false;
};

// A file-open dialog: only existing files may be chosen.
struct CFileChoice {
    std::string title;
    std::string defaultExtension; // ".abe"
    std::string filter;           // "Alpha-Beta correlations (*.abe)|*.abe||"
};

// A file-save dialog: the chosen path may be new; an existing file is confirmed by the dialog.
struct CFileSaveChoice {
    std::string title;
    std::string defaultExtension; // ".inc"
    std::string filter;           // "Inclusion data files (*.inc)"
    std::filesystem::path proposal;
};

// The three answers to "save the changes before closing?".
enum class CSaveAnswer { Save, Discard, Cancel };

// What one step of a progress loop reports.
struct CProgressStep {
    bool more = true;     // false: the loop ends after this step
    bool advance = false; // move the bar one step on
    std::string text;     // shown when not empty
};

struct CProgressLoop {
    std::string title;
    int range = 20; // steps of the bar; 0: the end cannot be foreseen, the bar only shows activity
};

class CApplicationServices {
  public:
    CApplicationServices() = default;
    CApplicationServices(const CApplicationServices&) = delete;
    CApplicationServices& operator=(const CApplicationServices&) = delete;
    virtual ~CApplicationServices() = default;

    // ---- talking to people ----

    virtual void ShowMessage(const CUserMessage& message) = 0;
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(const std::string& question, const std::string& caption) = 0;
    // A one-line text prompt with a proposed answer; nothing when cancelled.
    virtual std::optional<std::string> PromptText(const std::string& title, const std::string& label,
                                                  const std::string& proposal) = 0;
    // Nothing when cancelled.
    virtual std::optional<std::filesystem::path> ChooseFileToOpen(const CFileChoice& choice) = 0;
    // Nothing when cancelled; without a dialog of its own nothing is chosen.
    virtual std::optional<std::filesystem::path> ChooseFileToSave(const CFileSaveChoice&) {
        return std::nullopt;
    }
    // Asked before a modified document closes. Without a three-way box of its own the question is
    // a Yes/No one, and No keeps the document open.
    virtual CSaveAnswer AskSaveChanges(const std::string& documentTitle) {
        return AskYesNo(SaveChangesQuestion(documentTitle), "") ? CSaveAnswer::Save : CSaveAnswer::Cancel;
    }
    static std::string SaveChangesQuestion(const std::string& documentTitle) {
        return "The document \"" + documentTitle + "\" has been modified.\nDo you want to save your changes?";
    }
    // Nested calls: the cursor is restored by the last EndWaitCursor.
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // Calls step until it reports no more, showing its texts and moving the bar. The result is false
    // when the person stopped the loop before its end.
    virtual bool RunProgressLoop(const CProgressLoop& loop, const std::function<CProgressStep()>& step) = 0;

    // Opens a tool panel (made on first use) on the page; without panels nothing happens.
    virtual void DisplayToolPanel(CToolPanelKind, int /*page*/) {}
    // Appends lines (each ended by CR LF) to the application's log; without a log nothing happens.
    virtual void WriteLog(const std::string& /*lines*/) {}
    // One line in the status bar, for what is worth knowing but not worth a box.
    virtual void ShowStatus(const std::string& /*text*/) {}

    // ---- document events ----

    // Where documents report their changes: the events set last (the application core's), or
    // none that anybody hears.
    CDocumentEvents& Events() const { return mEvents != nullptr ? *mEvents : NoEvents(); }
    void SetDocumentEvents(CDocumentEvents* events) { mEvents = events; }

    // ---- places ----

    // The folder of the program; its "Resources" folder holds the background-curve files.
    virtual std::filesystem::path GetApplicationFolder() const = 0;

  private:
    static CDocumentEvents& NoEvents() {
        static CDocumentEvents none; // holds nothing: safe from every thread
        return none;
    }

    CDocumentEvents* mEvents = nullptr;
};

// Shows the wait cursor for the life of the object.
class CWaitCursor {
  public:
    explicit CWaitCursor(CApplicationServices& services) : mServices(services) {
        mServices.BeginWaitCursor();
    }
    ~CWaitCursor() { mServices.EndWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

  private:
    CApplicationServices& mServices;
};
