// SPDX-License-Identifier: BSD-3-Clause
#include "app/recovery/recovery_keeper.hpp"

#include <algorithm>

#include "documents/w_document.hpp"

CRecoveryKeeper::CRecoveryKeeper(CApplicationCore& core, std::unique_ptr<CRecoverySession> session,
                                 std::chrono::milliseconds interval)
    : mCore(core), mSession(std::move(session)), mInterval(interval) {
    mWriter = std::thread([this] { WriterLoop(); });
    mCore.AddListener(this);
}

CRecoveryKeeper::~CRecoveryKeeper() {
    mCore.RemoveListener(this);
    {
        std::lock_guard lock(mMutex);
        mStop = true;
    }
    mWake.notify_all();
    mWriter.join();
}

void CRecoveryKeeper::Tick(Clock::time_point now) {
    std::vector<const CWDocument*> open;
    for (CWDocument* document : mCore.Documents()) {
        if (!mCore.IsLive(document)) continue;
        open.push_back(document);
        auto [it, added] = mTracked.try_emplace(document);
        Tracked& tracked = it->second;
        if (added) {
            tracked.number = ++mNextNumber;
            tracked.kind = document->Kind();
        }
        if (!document->IsModified()) {
            // Saved, or back at its saved state: nothing to recover.
            if (tracked.hasCopy) {
                const int number = tracked.number;
                const CDocumentKind kind = tracked.kind;
                Post([this, number, kind] { mSession->Remove(number, kind); });
            }
            tracked.hasCopy = tracked.pending = false;
            tracked.seenEdits = document->EditCount();
            continue;
        }
        const bool firstSight = tracked.seenEdits < 0;
        if (document->EditCount() != tracked.seenEdits) {
            tracked.seenEdits = document->EditCount();
            tracked.lastChange = now;
            tracked.changed = std::chrono::duration_cast<std::chrono::seconds>(
                                  std::chrono::system_clock::now().time_since_epoch())
                                  .count();
            if (!tracked.pending) tracked.firstPending = now;
            tracked.pending = true;
        }
        if (tracked.pending &&
            (firstSight || now - tracked.lastChange >= kQuiet || now - tracked.firstPending >= mInterval))
            Copy(*document, tracked);
    }
    // Documents that went without being told (none should) are forgotten.
    std::erase_if(mTracked, [&](const auto& entry) {
        return std::find(open.begin(), open.end(), entry.first) == open.end();
    });
}

void CRecoveryKeeper::Copy(CWDocument& document, Tracked& tracked) {
    CRecoveryCopy copy;
    copy.number = tracked.number;
    copy.kind = tracked.kind;
    copy.title = document.GetTitle();
    copy.original = document.GetPathName();
    copy.changed = tracked.changed;
    copy.file = mSession->CopyFile(copy.number, copy.kind);
    // The text is made here, where the document lives; the disk is the writer's.
    Post([this, copy, text = document.SaveToText()] {
        std::string error;
        if (!mSession->Write(copy, text, error)) {
            std::lock_guard lock(mMutex);
            if (mFailure.empty()) mFailure = error;
        }
    });
    tracked.pending = false;
    tracked.hasCopy = true;
}

void CRecoveryKeeper::OnDocumentClosing(CWDocument& document) {
    const auto it = mTracked.find(&document);
    if (it == mTracked.end()) return;
    const int number = it->second.number;
    const CDocumentKind kind = it->second.kind;
    if (it->second.hasCopy) Post([this, number, kind] { mSession->Remove(number, kind); });
    mTracked.erase(it);
}

void CRecoveryKeeper::Post(std::function<void()> job) {
    {
        std::lock_guard lock(mMutex);
        mJobs.push_back(std::move(job));
    }
    mWake.notify_one();
}

void CRecoveryKeeper::Flush() {
    std::unique_lock lock(mMutex);
    mIdle.wait(lock, [this] { return mJobs.empty() && !mBusy; });
}

bool CRecoveryKeeper::Failed() {
    std::lock_guard lock(mMutex);
    return !mFailure.empty();
}

std::optional<std::string> CRecoveryKeeper::FailureToReport() {
    std::lock_guard lock(mMutex);
    if (mFailure.empty() || mFailureTold) return std::nullopt;
    mFailureTold = true;
    return mFailure;
}

void CRecoveryKeeper::WriterLoop() {
    std::unique_lock lock(mMutex);
    for (;;) {
        mWake.wait(lock, [this] { return mStop || !mJobs.empty(); });
        if (mJobs.empty()) break; // stopping, and everything handed over is written
        std::function<void()> job = std::move(mJobs.front());
        mJobs.pop_front();
        mBusy = true;
        lock.unlock();
        job();
        lock.lock();
        mBusy = false;
        if (mJobs.empty()) mIdle.notify_all();
    }
    mIdle.notify_all();
}

std::vector<CWDocument*> RecoverDocuments(CApplicationCore& core, CRecoveryKeeper* keeper,
                                          CRecoverableCopies& found, const std::vector<std::size_t>& chosen) {
    std::vector<CWDocument*> reopened;
    for (std::size_t index : chosen) {
        if (index >= found.Copies().size()) continue;
        const CRecoveryCopy& copy = found.Copies()[index];
        std::string text, error;
        if (!CRecoverableCopies::Read(copy, text, error)) {
            core.Services().ShowMessage(
                {"Zephon cannot reopen the recovered document \"" + copy.title + "\": " + error + ".", "",
                 CMessageIcon::Warning, false});
            continue;
        }
        if (CWDocument* document = core.OpenRecovered(copy.kind, text, copy.original))
            reopened.push_back(document);
    }
    // The reopened documents have copies of their own before the old ones go.
    if (keeper != nullptr) {
        keeper->Tick(CRecoveryKeeper::Clock::now());
        keeper->Flush();
        if (keeper->Failed()) {
            // Without new copies, the old ones are all there is: they stay for the next start.
            return reopened;
        }
    }
    found.DiscardAll();
    return reopened;
}
