// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The application services for a terminal: messages and warnings go to standard error, questions
// take their default answer (a batch run has nobody to ask), progress loops report on standard
// error when it is a terminal, and Ctrl-C stops them.

#include <atomic>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "documents/application_services.hpp"

namespace zephon::cli {

// Set by the interrupt handler of the program; every long loop of the tool looks at it.
std::atomic<bool>& StopRequest();
bool StopRequested();

// A batch run has no application core: the services hear the documents' events themselves and
// keep the fluid-model documents a run generates.
class CTerminalServices : public CApplicationServices, private CDocumentEvents {
  public:
    // `showProgress`: standard error is a terminal a person watches.
    CTerminalServices(std::ostream& err, bool showProgress);
    ~CTerminalServices() override;

    void ShowMessage(const CUserMessage& message) override;
    // Nobody to ask: the answer is No.
    bool AskYesNo(const std::string& question, const std::string& caption) override;
    // The proposed answer.
    std::optional<std::string> PromptText(const std::string& title, const std::string& label,
                                          const std::string& proposal) override;
    // Nothing is chosen in a batch run.
    std::optional<std::filesystem::path> ChooseFileToOpen(const CFileChoice& choice) override;
    void BeginWaitCursor() override { ++mWaitDepth; }
    void EndWaitCursor() override {
        if (mWaitDepth > 0) --mWaitDepth;
    }
    // Runs the steps; false when Ctrl-C stopped the loop.
    bool RunProgressLoop(const CProgressLoop& loop, const std::function<CProgressStep()>& step) override;
    std::filesystem::path GetApplicationFolder() const override;

    // One progress line on standard error (only when showing progress); overwritten by the next.
    void Progress(const std::string& text);
    // Clears a pending progress line.
    void EndProgress();

    // While quiet, messages are kept but not printed (the caller reports them its own way).
    // Returns the previous setting.
    bool SetQuiet(bool quiet) {
        const bool previous = mQuiet;
        mQuiet = quiet;
        return previous;
    }

    // Everything shown, for the callers that collect messages into their output.
    const std::vector<std::string>& Messages() const { return mMessages; }

  private:
    // A fluid-model document kept for the rest of the run.
    CFluidModelDataDocument* NewFluidModelDocument() override;

    std::ostream& mErr;
    bool mShowProgress;
    bool mProgressPending = false;
    bool mQuiet = false;
    int mWaitDepth = 0;
    std::vector<std::string> mMessages;
    std::vector<std::unique_ptr<CFluidModelDataDocument>> mFluidDocuments;
};

} // namespace zephon::cli
