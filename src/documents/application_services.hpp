// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Everything a document asks of the application around it: talking to the person in front of the
// screen (messages, questions, a text prompt, file choice, the wait cursor, progress loops), opening
// new documents and windows, the application's change and selection notifications, and where the
// program's own files are.
//
// The desktop application implements it with its toolkit, the command-line tool for a terminal,
// and the tests with a scripted fake. No document talks to a person any other way.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class CWDocument;
class CFluidModelDataDocument;
class CPhaseDiagDocument;
class CVolumePlotView;

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

    // ---- documents and windows ----

    // A new, empty fluid-model document with its window, owned by the application; null when the
    // application cannot make one.
    virtual CFluidModelDataDocument* NewFluidModelDocument() = 0;
    // A volume-temperature plot was made for a P-T document and wants a window / is going away.
    virtual void VTPlotCreated(CPhaseDiagDocument&, CVolumePlotView&) {}
    virtual void VTPlotDestroyed(CPhaseDiagDocument&, CVolumePlotView&) {}
    // A document's own close step ran and it is about to be destroyed. The application has
    // forgotten it already (it is neither active nor current from the moment it starts to close);
    // nothing needs to answer this.
    virtual void DocumentClosing(CWDocument&) {}
    // Opens a tool panel (made on first use) on the page; without panels nothing happens.
    virtual void DisplayToolPanel(CToolPanelKind, int /*page*/) {}
    // Appends lines (each ended by CR LF) to the application's log; without a log nothing happens.
    virtual void WriteLog(const std::string& /*lines*/) {}
    // One line in the status bar, for what is worth knowing but not worth a box.
    virtual void ShowStatus(const std::string& /*text*/) {}

    // ---- notifications ----

    virtual void NotifyAlphaBetaPlotModified() {}
    virtual void NotifyAlphaBetaPlotSelection() {}
    virtual void NotifyPTPlotModified() {}
    virtual void NotifyPTPlotSelection() {}
    virtual void NotifyVTPlotSelection() {}
    virtual void NotifyInclusionsDataDocModified() {}
    virtual void NotifyFluidModelDataDocModified() {}
    virtual void NotifyAxisRangesChanged() {}
    virtual void SetCurrentVTPlotView(CVolumePlotView*) {}

    // ---- places ----

    // The folder of the program; its "Resources" folder holds the background-curve files.
    virtual std::filesystem::path GetApplicationFolder() const = 0;
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
