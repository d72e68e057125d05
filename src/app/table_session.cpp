// SPDX-License-Identifier: BSD-3-Clause
#include "app/table_session.hpp"

#include <algorithm>

#include "documents/data_documents.hpp"

void CTableChange::Redo() {
    Apply();
    mSession.DocumentChanged();
}

void CTableChange::Undo() {
    Revert();
    mSession.DocumentChanged();
}

void CTableSession::AddListener(CTableListener* listener) {
    if (std::find(mListeners.begin(), mListeners.end(), listener) == mListeners.end())
        mListeners.push_back(listener);
}

void CTableSession::RemoveListener(CTableListener* listener) {
    std::erase(mListeners, listener);
}

void CTableSession::Broadcast(const CListEvent& event) {
    // A window told that its record goes may close, and its tables stop listening.
    const std::vector<CTableListener*> listeners = mListeners;
    for (CTableListener* listener : listeners)
        if (std::find(mListeners.begin(), mListeners.end(), listener) != mListeners.end())
            listener->OnListEvent(event);
}

void CTableSession::DocumentChanged() {
    mDocument.SetModifiedFlag(true);
    if (mDocument.Kind() == CDocumentKind::InclusionData)
        mDocument.Services().Events().Notify(CAppNotification::InclusionsDataDocModified);
    else if (mDocument.Kind() == CDocumentKind::FluidModel)
        mDocument.Services().Events().Notify(CAppNotification::FluidModelDataDocModified);
}

CTableHistory::CTableHistory(CWDocument& document)
    : mDocument(document), mClean(document.IsModified() ? -1 : 0) {}

void CTableHistory::Execute(std::unique_ptr<CTableChange> change) {
    change->Redo();
    // The steps that were taken back are gone for good, and so is a clean state among them.
    mChanges.erase(mChanges.begin() + static_cast<long>(mIndex), mChanges.end());
    if (mClean > static_cast<long>(mIndex)) mClean = -1;
    mChanges.push_back(std::move(change));
    ++mIndex;
    FollowCleanState();
}

void CTableHistory::Undo() {
    if (!CanUndo()) return;
    mChanges[--mIndex]->Undo();
    FollowCleanState();
}

void CTableHistory::Redo() {
    if (!CanRedo()) return;
    mChanges[mIndex++]->Redo();
    FollowCleanState();
}

void CTableHistory::SetClean() {
    mClean = static_cast<long>(mIndex);
    FollowCleanState();
}

void CTableHistory::FollowCleanState() {
    mDocument.SetModifiedFlag(!IsClean());
}
