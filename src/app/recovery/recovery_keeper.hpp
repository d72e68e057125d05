// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Keeps a recovery copy of every modified document, and reopens copies an earlier program left.
//
// When: a few seconds after a document last changed (kQuiet), and at the latest `interval` after
// its first change not yet copied while it keeps changing. A document that is saved, or reverted
// to its saved state, loses its copy; so does one that is closed or discarded. A document first
// seen modified (one reopened from a copy) is copied at once.
//
// Where the time goes: the document's text is made on the calling thread (the documents are not
// shared between threads); writing it to the disk, the slow part, runs on a thread of its own, so
// no keystroke or repaint waits for the disk. A copy that cannot be written is reported once
// (FailureToReport) and the program goes on; the documents themselves are never affected.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/application_core.hpp"
#include "app/recovery/recovery_session.hpp"

class CRecoveryKeeper : public CAppListener {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds kQuiet{3};
    static constexpr std::chrono::seconds kDefaultInterval{20};

    CRecoveryKeeper(CApplicationCore& core, std::unique_ptr<CRecoverySession> session,
                    std::chrono::milliseconds interval = kDefaultInterval);
    // Finishes the writes already handed over.
    ~CRecoveryKeeper() override;
    CRecoveryKeeper(const CRecoveryKeeper&) = delete;
    CRecoveryKeeper& operator=(const CRecoveryKeeper&) = delete;

    // Looks at every open document: called regularly (a timer of the desktop program; the tests
    // pass their own clock).
    void Tick(Clock::time_point now);
    // Waits until every write handed over is on the disk (or failed).
    void Flush();
    // The first failure to write a copy, once; nothing when all went well or it was told already.
    std::optional<std::string> FailureToReport();
    // Whether a copy could not be written (told or not).
    bool Failed();

    const CRecoverySession& Session() const { return *mSession; }

    // ---- CAppListener ----
    void OnDocumentClosing(CWDocument& document) override;

  private:
    struct Tracked {
        int number = 0;
        CDocumentKind kind = CDocumentKind::InclusionData;
        long seenEdits = -1; // -1: never looked at
        bool pending = false;
        bool hasCopy = false;
        Clock::time_point firstPending, lastChange;
        std::int64_t changed = 0; // wall-clock time of the last change, for the offer
    };
    void Copy(CWDocument& document, Tracked& tracked);
    void Post(std::function<void()> job);
    void WriterLoop();

    CApplicationCore& mCore;
    std::unique_ptr<CRecoverySession> mSession;
    std::chrono::milliseconds mInterval;
    std::map<const CWDocument*, Tracked> mTracked;
    int mNextNumber = 0;

    std::mutex mMutex;
    std::condition_variable mWake, mIdle;
    std::deque<std::function<void()>> mJobs;
    bool mBusy = false, mStop = false;
    std::string mFailure;
    bool mFailureTold = false;
    std::thread mWriter;
};

// Reopens the chosen copies as modified documents (a document never saved as "Untitled"): each is
// read as its kind, keeps the name of its original file (which is not touched) and is copied again
// by the keeper at once. The copies found are discarded afterwards, the chosen and the others
// alike, once the reopened documents have copies of their own. Returns the documents reopened.
std::vector<CWDocument*> RecoverDocuments(CApplicationCore& core, CRecoveryKeeper* keeper,
                                          CRecoverableCopies& found, const std::vector<std::size_t>& chosen);
