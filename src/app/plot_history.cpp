// SPDX-License-Identifier: BSD-3-Clause
#include "app/plot_history.hpp"

CPlotHistory::CPlotHistory(CWDocument& document)
    : mDocument(document), mClean(document.IsModified() ? -1 : 0), mCleanEdits(document.EditCount()) {
    mDocument.SetChangeSink(this);
}

CPlotHistory::~CPlotHistory() {
    if (mDocument.GetChangeSink() == this) mDocument.SetChangeSink(nullptr);
}

template <class Step> void CPlotHistory::Own(Step step) {
    const long before = mDocument.EditCount();
    step();
    mOwnEdits += mDocument.EditCount() - before;
}

void CPlotHistory::Execute(std::unique_ptr<CDocumentChange> change) {
    Own([&] { change->Apply(); });
    // The steps that were taken back are gone for good, and so is a clean state among them.
    mChanges.erase(mChanges.begin() + static_cast<long>(mIndex), mChanges.end());
    if (mClean > static_cast<long>(mIndex)) mClean = -1;
    mChanges.push_back(std::move(change));
    ++mIndex;
    FollowCleanState();
}

void CPlotHistory::Undo() {
    if (!CanUndo()) return;
    Own([&] { mChanges[--mIndex]->Revert(); });
    FollowCleanState();
}

void CPlotHistory::Redo() {
    if (!CanRedo()) return;
    Own([&] { mChanges[mIndex++]->Apply(); });
    FollowCleanState();
}

void CPlotHistory::SetClean() {
    mClean = static_cast<long>(mIndex);
    mCleanEdits = mDocument.EditCount();
    mOwnEdits = 0;
}

void CPlotHistory::FollowCleanState() {
    const bool otherChanges = mDocument.EditCount() - mCleanEdits != mOwnEdits;
    // Once something else changed the document, only a save makes it unmodified again.
    if (otherChanges) mClean = -1;
    if (mClean == static_cast<long>(mIndex)) mDocument.SetModifiedFlag(false);
}
