// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The undo history of one plot document (an alpha-beta plot or a P-T diagram): its removals in
// order, a position, and the position of the last save.
//
// Unlike a table, a plot document also changes in ways that are not steps of the history (a curve
// computed, a trapping line placed, a colour chosen). Such a change after the save makes the saved
// state unreachable by Undo: the document is unmodified only at the saved position and only while
// nothing else changed it since. The history tells its own changes from the others by the
// document's count of modifications.

#include <memory>
#include <string>
#include <vector>

#include "documents/w_document.hpp"

class CPlotHistory : public CDocumentChangeSink {
  public:
    // Becomes the document's sink; the document's modified flag decides the clean state.
    explicit CPlotHistory(CWDocument& document);
    ~CPlotHistory() override;
    CPlotHistory(const CPlotHistory&) = delete;
    CPlotHistory& operator=(const CPlotHistory&) = delete;

    void Execute(std::unique_ptr<CDocumentChange> change) override;
    bool CanUndo() const { return mIndex > 0; }
    bool CanRedo() const { return mIndex < mChanges.size(); }
    void Undo();
    void Redo();
    std::string UndoText() const { return CanUndo() ? mChanges[mIndex - 1]->Text() : std::string(); }
    std::string RedoText() const { return CanRedo() ? mChanges[mIndex]->Text() : std::string(); }
    // The document was saved: this position is clean.
    void SetClean();

  private:
    // Runs one of the history's own steps, counting the modifications it makes.
    template <class Step> void Own(Step step);
    void FollowCleanState();

    CWDocument& mDocument;
    std::vector<std::unique_ptr<CDocumentChange>> mChanges;
    std::size_t mIndex = 0;
    long mClean = 0;      // -1 when the saved state can no longer be reached
    long mCleanEdits = 0; // the document's count of modifications at the save
    long mOwnEdits = 0;   // of those since, how many the history's steps made
};
