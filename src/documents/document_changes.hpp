// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Undoable changes of a plot document: the removals of curves, markers, correlations, diagrams,
// isochore pairs, trapping lines and plotted volume-temperature data. A removal takes the records
// out of their lists and their drawn objects out of the view, and keeps both; taking it back puts
// them back where they were, so nothing is computed again. A record a change took out belongs to
// the change until the change puts it back.
//
// A document hands each change to its sink (the application keeps one undo history per open plot
// document); without a sink the change is simply applied and forgotten, as the command-line tool
// and the documents' own tests want.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/data_list.hpp"
#include "plot/plot_view.hpp"

class CDocumentChange {
  public:
    explicit CDocumentChange(std::string text = {}) : mText(std::move(text)) {}
    virtual ~CDocumentChange() = default;
    CDocumentChange(const CDocumentChange&) = delete;
    CDocumentChange& operator=(const CDocumentChange&) = delete;

    virtual void Apply() = 0;
    virtual void Revert() = 0;
    // What the change does, for Undo and Redo: "Remove curve".
    const std::string& Text() const { return mText; }

  private:
    std::string mText;
};

// Where a document's changes go to be applied and kept.
class CDocumentChangeSink {
  public:
    virtual ~CDocumentChangeSink() = default;
    // Applies the change and keeps it for Undo.
    virtual void Execute(std::unique_ptr<CDocumentChange> change) = 0;
};

// Several changes as one, applied in order and taken back in reverse order; `after` runs after
// both (redraw the plot, mark the document and tell the application).
class CCompositeDocumentChange : public CDocumentChange {
  public:
    CCompositeDocumentChange(std::string text, std::function<void()> after)
        : CDocumentChange(std::move(text)), mAfter(std::move(after)) {}
    void Add(std::unique_ptr<CDocumentChange> change) { mChanges.push_back(std::move(change)); }
    bool IsEmpty() const { return mChanges.empty(); }
    void Apply() override {
        for (auto& change : mChanges)
            change->Apply();
        if (mAfter) mAfter();
    }
    void Revert() override {
        for (auto it = mChanges.rbegin(); it != mChanges.rend(); ++it)
            (*it)->Revert();
        if (mAfter) mAfter();
    }

  private:
    std::vector<std::unique_ptr<CDocumentChange>> mChanges;
    std::function<void()> mAfter;
};

// What a change touches may belong to something that can go before the change does (a
// volume-temperature plot closes by itself): such an owner gives its life token, and once it is
// gone the change leaves its things alone.
class CGuardedChange : public CDocumentChange {
  protected:
    explicit CGuardedChange(std::weak_ptr<const void> ownerLife)
        : mOwnerLife(std::move(ownerLife)), mGuarded(!mOwnerLife.expired()) {}
    bool OwnerGone() const { return mGuarded && mOwnerLife.expired(); }

  private:
    std::weak_ptr<const void> mOwnerLife;
    bool mGuarded;
};

// A record leaves its list, and comes back at the same place. `owned`: the record belongs to the
// change while it is out (a record that lives inside another removed record is not owned).
template <class Record> class CUnlinkChange : public CGuardedChange {
  public:
    CUnlinkChange(CDataList<Record>& list, Record* record, bool owned,
                  std::weak_ptr<const void> ownerLife = {})
        : CGuardedChange(std::move(ownerLife)), mList(list), mRecord(record), mOwned(owned) {}
    ~CUnlinkChange() override {
        if (mOwned && !mInList) delete mRecord;
    }
    void Apply() override {
        if (OwnerGone() || !mInList) return;
        mPosition = mList.IndexOf(mRecord);
        mInList = !mList.Remove(mRecord);
    }
    void Revert() override {
        if (OwnerGone() || mInList) return;
        mList.InsertAt(mPosition, mRecord);
        mInList = true;
    }

  private:
    CDataList<Record>& mList;
    Record* mRecord;
    bool mOwned;
    bool mInList = true;
    long mPosition = 0;
};

// A drawn object leaves its view, and comes back at its place in the drawing order and the
// legend.
class CTakeDrawingChange : public CGuardedChange {
  public:
    CTakeDrawingChange(CPlotView& view, CGraphObject* object, std::weak_ptr<const void> viewLife = {})
        : CGuardedChange(std::move(viewLife)), mView(view), mObject(object) {}
    void Apply() override {
        if (OwnerGone() || mObject == nullptr) return;
        mTaken = mView.TakeGraphObject(mObject);
    }
    void Revert() override {
        if (OwnerGone() || !mTaken.object) return;
        mView.PutBackGraphObject(std::move(mTaken));
        mTaken = {};
    }

  private:
    CPlotView& mView;
    CGraphObject* mObject;
    CPlotView::TakenObject mTaken;
};
