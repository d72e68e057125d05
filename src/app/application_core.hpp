// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The application's bookkeeping, without a toolkit.
//
// It owns the open documents and finds a file that is open already before opening it twice; it
// keeps the active document (with the lock that file commands hold while they ask questions), the
// current alpha-beta plot, P-T diagram, volume-temperature plot and plot view, and passes change
// and selection notifications on to whoever listens (tool panels, the axis range window). Every
// document closes by one path, CloseDocument, which clears it from everything that holds it.
//
// The lifetime rule: from the moment a document starts to close (or a file that was being opened
// turns out unreadable) until it is destroyed, it is "closing". Forget clears it from the active
// document, the next active one, the current plots and plot views before anything is destroyed,
// and nothing can make a closing document (or a view of it) active or current again: activations
// of its windows while they are taken down (the multi-document area activates the next window,
// often another one of the same document) are ignored. Only documents in the list of open
// documents ever become active or current. A plot document's removals are undoable: the core
// keeps one history per open plot document and marks its clean state when the document is saved.
//
// Every change a document reports reaches the core (it is the documents' CDocumentEvents) and goes
// on from here in one order: the core's own bookkeeping first, then every CAppListener in the order
// they were added (tool panel pages, the axis range window, the recovery copies), then the windows
// (menus, titles). The desktop program and the headless tests run this same routing.
//
// The desktop layer gives it a CDocumentWindows to open and close the windows of documents and
// tells it which window was activated; the tests give it fakes of both.

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/document_kinds.hpp"
#include "app/plot_history.hpp"
#include "documents/application_services.hpp"

class CWDocument;
class CFluidModelDataDocument;
class CAlphaBetaPlotDocument;
class CPhaseDiagDocument;
class CVolumePlotView;
class CPlotView;

// Whether the view is one of the document's plots (its own view, or one of its
// volume-temperature plots).
bool ShowsDocument(const CPlotView* view, CWDocument& document);

// Something that follows the application: a tool panel, the axis range window.
class CAppListener {
  public:
    virtual ~CAppListener() = default;
    virtual void OnAppNotification(CAppNotification) {}
    // The document is about to go: forget it, its records and its plots now.
    virtual void OnDocumentClosing(CWDocument&) {}
};

// The windows of documents, as the application asks for them.
class CDocumentWindows {
  public:
    virtual ~CDocumentWindows() = default;
    // A document was made or opened: show it in its window.
    virtual void ShowDocument(CWDocument& document) = 0;
    virtual void BringToFront(CWDocument& document) = 0;
    // Every window of the document goes, without asking anything; the document still exists
    // during the call and is destroyed right after it.
    virtual void CloseWindows(CWDocument& document) = 0;
    // The title or the modified flag of the document changed.
    virtual void DocumentStateChanged(CWDocument&) {}
    // Volume-temperature plots come and go with their P-T diagram and by themselves.
    virtual void OpenVTPlotWindow(CPhaseDiagDocument&, CVolumePlotView&) {}
    virtual void CloseVTPlotWindow(CPhaseDiagDocument&, CVolumePlotView&) {}
    // A change or selection was passed on to every listener: the menus and titles follow it. The
    // windows hear every change last.
    virtual void Notified(CAppNotification) {}
    // A document was closed and destroyed: what is shown now follows the state after the close.
    virtual void DocumentClosed() {}
};

class CApplicationCore : public CDocumentEvents {
  public:
    static constexpr std::size_t kRecentFiles = 5;

    explicit CApplicationCore(CApplicationServices& services);
    ~CApplicationCore() override;

    void SetWindows(CDocumentWindows* windows) { mWindows = windows; }
    CApplicationServices& Services() const { return mServices; }

    // ---- documents ----

    // A new empty document titled by its kind and a number ("Inclusion Data1"), shown.
    CWDocument* NewDocument(CDocumentKind kind);
    // Opens a file as a document of the kind its extension names and shows it. A file that is
    // open already is brought to the front instead. Null (the person told why) when the file is
    // not a Zephon file or cannot be read.
    CWDocument* OpenDocument(const std::filesystem::path& path);
    // A document reopened from its recovery copy: read from the copy's text, it belongs to its
    // original file (which is not read) and is modified; one never saved (or whose file is open
    // already) is titled "Untitled". Null (the person told why) when the copy cannot be read.
    CWDocument* OpenRecovered(CDocumentKind kind, const std::string& text,
                              const std::filesystem::path& original);
    // The open document of that file, if any (compared by canonical path).
    CWDocument* FindDocument(const std::filesystem::path& path) const;
    // The one way a document closes: a modified one asks whether to save first (Cancel, or a
    // save that fails, keeps it open and returns false). Then every listener, the current
    // documents and plot views and the active-document tracking forget it, its windows close, and
    // it is destroyed.
    bool CloseDocument(CWDocument& document);
    // Closes every document. Each modified one is asked about first (Save, Discard or Cancel),
    // before any document closes: Cancel at any question, or a save that fails, keeps every
    // document open and returns false.
    bool CloseAllDocuments();
    // Closes every document without a question (the application is ending).
    void DiscardAllDocuments();
    // Saves under the document's name, asking for one when it has none.
    bool SaveDocument(CWDocument& document);
    // Asks for a new name and saves under it.
    bool SaveDocumentAs(CWDocument& document);
    // Reopens the document's file: a modified document asks first ("Do you want to discard
    // changes ..."). The file is read into a new document first; only when that succeeds does it
    // replace the old one, otherwise the person is told and the document stays as it is.
    // Returns the document that is open afterwards (the new one, or the old one), null when
    // there was none.
    CWDocument* RevertDocument(CWDocument& document);
    static std::string RevertQuestion(const std::string& title);

    std::vector<CWDocument*> Documents() const;
    std::vector<CWDocument*> Documents(CDocumentKind kind) const;
    bool IsOpen(const CWDocument* document) const;
    // Open and not closing: the only documents that may become active or current.
    bool IsLive(const CWDocument* document) const;
    // The open document a plot view shows (its own view or one of its volume-temperature plots).
    CWDocument* DocumentOfView(const CPlotView* view) const;

    // The undo history of an open plot document (alpha-beta plot, P-T diagram); null for others.
    CPlotHistory* History(const CWDocument* document) const;

    // Most recent first, at most kRecentFiles, each once.
    const std::vector<std::filesystem::path>& RecentFiles() const { return mRecentFiles; }
    void SetRecentFiles(std::vector<std::filesystem::path> files);
    void AddRecentFile(const std::filesystem::path& path);

    // ---- the active document ----

    // A window of the document (null: a window without one) was activated.
    void WindowActivated(CWDocument* document);
    // The active window closed.
    void WindowClosed();
    CWDocument* ActiveDocument() const { return mActiveDocument; }
    CWDocument* NextActiveDocument() const { return mNextActiveDocument; }
    bool IsActiveDocumentLocked() const { return mLockedActiveDocument > 0; }
    // While a file command runs, activations only change the next active document; the
    // command's end makes the most recently activated document the active one.
    class ActiveDocumentLock {
      public:
        explicit ActiveDocumentLock(CApplicationCore& core);
        ~ActiveDocumentLock();
        ActiveDocumentLock(const ActiveDocumentLock&) = delete;
        ActiveDocumentLock& operator=(const ActiveDocumentLock&) = delete;

      private:
        CApplicationCore& mCore;
    };

    // ---- current plots ----

    void SetCurrentAlphaBetaPlotDoc(CAlphaBetaPlotDocument* document);
    void SetCurrentPhaseDiagDoc(CPhaseDiagDocument* document);
    void SetCurrentVTPlotView(CVolumePlotView* view);
    CAlphaBetaPlotDocument* CurrentAlphaBetaPlotDoc() const { return mAlphaBetaPlotDoc; }
    CPhaseDiagDocument* CurrentPhaseDiagDoc() const { return mPhaseDiagDoc; }
    CVolumePlotView* CurrentVTPlotView() const { return mCurrentVTPlotView; }
    // The view of the most recently activated plot window; the axis range window follows it.
    void NotifyPlotWindowActivated(CPlotView* view);
    void NotifyPlotWindowClosed(CPlotView* view);
    CPlotView* CurrentPlotView() const { return mCurrentPlotView; }

    // ---- notifications ----

    void AddListener(CAppListener* listener);
    void RemoveListener(CAppListener* listener);

    // ---- CDocumentEvents: what the documents report ----

    // To every listener in the order they were added, then to the windows.
    void Notify(CAppNotification notification) override;
    // A document of the application, shown in its window.
    CFluidModelDataDocument* NewFluidModelDocument() override;
    // The new plot gets its window and becomes the current volume-temperature plot.
    void VTPlotCreated(CPhaseDiagDocument& document, CVolumePlotView& view) override;
    // Its window closes and nothing holds it any longer.
    void VTPlotDestroyed(CPhaseDiagDocument& document, CVolumePlotView& view) override;

  private:
    CWDocument* Adopt(std::unique_ptr<CWDocument> document);
    // Clears the document from everything that holds it, closes its windows and destroys it.
    void Discard(CWDocument& document);
    // The document is closing (or was never opened): it stops being active, next active and
    // current, and so do its plot views. Used before anything of it is destroyed.
    void Forget(CWDocument& document);
    // A document that could not be read goes, with whatever it opened while reading.
    void DropUnopened(std::unique_ptr<CWDocument> document);
    void ForgetView(CPlotView* view);
    void StateChanged(CWDocument& document);
    // A save succeeded: Undo returns to this state as unmodified.
    void MarkSaved(CWDocument& document);
    // After a file command: the most recently activated document becomes the active one.
    void Unlock();

    CApplicationServices& mServices;
    CDocumentWindows* mWindows = nullptr;
    std::vector<std::unique_ptr<CWDocument>> mDocuments;
    std::vector<CAppListener*> mListeners;
    std::vector<const CWDocument*> mClosing; // being closed or dropped, not yet destroyed
    std::map<const CWDocument*, std::unique_ptr<CPlotHistory>> mHistories;
    std::vector<std::filesystem::path> mRecentFiles;
    std::array<int, kDocumentKindCount> mNewDocumentCount{};

    CWDocument* mActiveDocument = nullptr;
    CWDocument* mNextActiveDocument = nullptr;
    int mLockedActiveDocument = 0;
    CAlphaBetaPlotDocument* mAlphaBetaPlotDoc = nullptr;
    CPhaseDiagDocument* mPhaseDiagDoc = nullptr;
    CVolumePlotView* mCurrentVTPlotView = nullptr;
    CPlotView* mCurrentPlotView = nullptr;
};
