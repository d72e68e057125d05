// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Editing one data document in tables: every change is an undoable step, and whoever shows one of
// the document's record lists hears of every change to it.
//
// A step is applied through the session's sink: the desktop layer's sink puts it on the document's
// undo stack, the headless CTableHistory keeps it in a list. Applying or taking back a step changes
// the records at once, tells the listeners of the lists it touches (before and after rows come or
// go, so that a window can close what shows a record that goes), marks the document modified and
// tells the application, so that panels offering the document's records refresh.
//
// A step holds the records it touches, never a table: a record that a step took out of its list
// belongs to the step until the step puts it back, so older steps always find their records.

#include <memory>
#include <string>
#include <vector>

class CWDocument;
class CTableSession;

enum class CListEventKind { AboutToInsert, Inserted, AboutToRemove, Removed, Changed, AboutToReset, Reset };

// Rows [first, first + count) of one record list; `list` is the address of the list's CDataList.
struct CListEvent {
    const void* list = nullptr;
    CListEventKind kind = CListEventKind::Changed;
    long first = 0;
    long count = 0;
};

class CTableListener {
  public:
    virtual ~CTableListener() = default;
    virtual void OnListEvent(const CListEvent& event) = 0;
};

// One undoable change of a document's records.
class CTableChange {
  public:
    CTableChange(CTableSession& session, std::string text) : mSession(session), mText(std::move(text)) {}
    virtual ~CTableChange() = default;
    CTableChange(const CTableChange&) = delete;
    CTableChange& operator=(const CTableChange&) = delete;

    // Applies (takes back) the change, then marks the document modified and tells the application.
    void Redo();
    void Undo();
    // What the change does, for the Undo and Redo commands: "Add row", "Edit Th (°C)".
    const std::string& Text() const { return mText; }

    // The change alone, without telling the document: for changes made of changes.
    virtual void Apply() = 0;
    virtual void Revert() = 0;

  protected:
    CTableSession& Session() const { return mSession; }

  private:
    CTableSession& mSession;
    std::string mText;
};

// Where the session's changes go to be applied and kept.
class CChangeSink {
  public:
    virtual ~CChangeSink() = default;
    // Applies the change (Redo) and keeps it for Undo.
    virtual void Execute(std::unique_ptr<CTableChange> change) = 0;
};

class CTableSession {
  public:
    CTableSession(CWDocument& document, CChangeSink& sink) : mDocument(document), mSink(sink) {}
    CTableSession(const CTableSession&) = delete;
    CTableSession& operator=(const CTableSession&) = delete;

    CWDocument& Document() const { return mDocument; }
    void Execute(std::unique_ptr<CTableChange> change) { mSink.Execute(std::move(change)); }

    void AddListener(CTableListener* listener);
    // A listener may remove itself (or others) while an event is being told.
    void RemoveListener(CTableListener* listener);
    void Broadcast(const CListEvent& event);

    // The document's records changed: it is marked modified and the application is told (inclusion
    // and fluid-model documents have panels that offer their records).
    void DocumentChanged();

  private:
    CWDocument& mDocument;
    CChangeSink& mSink;
    std::vector<CTableListener*> mListeners;
};

// The undo history of one document without a toolkit (the desktop layer uses its toolkit's stack
// instead): changes in order, a position, and the clean position of the last save. The document is
// modified exactly when the position is not the clean one.
class CTableHistory : public CChangeSink {
  public:
    // A document that is modified already (damaged when opened, made by a calculation) never
    // becomes clean by taking changes back; only a save makes it so.
    explicit CTableHistory(CWDocument& document);

    void Execute(std::unique_ptr<CTableChange> change) override;
    bool CanUndo() const { return mIndex > 0; }
    bool CanRedo() const { return mIndex < mChanges.size(); }
    void Undo();
    void Redo();
    std::string UndoText() const { return CanUndo() ? mChanges[mIndex - 1]->Text() : std::string(); }
    std::string RedoText() const { return CanRedo() ? mChanges[mIndex]->Text() : std::string(); }
    std::size_t Count() const { return mChanges.size(); }
    // The document was saved: this position is clean.
    void SetClean();
    bool IsClean() const { return mClean == static_cast<long>(mIndex); }

  private:
    void FollowCleanState();

    CWDocument& mDocument;
    std::vector<std::unique_ptr<CTableChange>> mChanges;
    std::size_t mIndex = 0;
    long mClean = 0; // -1 when the saved state can no longer be reached
};
