// SPDX-License-Identifier: BSD-3-Clause
#include "cli/terminal_services.hpp"

#include "base/program_folder.hpp"

#include <ostream>

#include "documents/data_documents.hpp"

namespace zephon::cli {

std::atomic<bool>& StopRequest() {
    static std::atomic<bool> stop{false};
    return stop;
}

bool StopRequested() {
    return StopRequest().load(std::memory_order_relaxed);
}

CTerminalServices::CTerminalServices(std::ostream& err, bool showProgress)
    : mErr(err), mShowProgress(showProgress) {
    SetDocumentEvents(this);
}

CTerminalServices::~CTerminalServices() = default;

CFluidModelDataDocument* CTerminalServices::NewFluidModelDocument() {
    mFluidDocuments.push_back(std::make_unique<CFluidModelDataDocument>(*this));
    return mFluidDocuments.back().get();
}

void CTerminalServices::ShowMessage(const CUserMessage& message) {
    EndProgress();
    std::string text = message.text;
    if (!message.caption.empty()) text += " " + message.caption;
    mMessages.push_back(text);
    if (mQuiet) return;
    const char* prefix = message.icon == CMessageIcon::Information ? "note: " : "warning: ";
    mErr << prefix << text << '\n';
}

bool CTerminalServices::AskYesNo(const std::string& question, const std::string&) {
    EndProgress();
    mErr << "question (answered No in a batch run): " << question << '\n';
    return false;
}

std::optional<std::string> CTerminalServices::PromptText(const std::string&, const std::string&,
                                                         const std::string& proposal) {
    return proposal;
}

std::optional<std::filesystem::path> CTerminalServices::ChooseFileToOpen(const CFileChoice&) {
    return std::nullopt;
}

bool CTerminalServices::RunProgressLoop(const CProgressLoop& loop,
                                        const std::function<CProgressStep()>& step) {
    for (;;) {
        if (StopRequested()) {
            EndProgress();
            return false;
        }
        const CProgressStep result = step();
        if (!result.text.empty())
            Progress(loop.title.empty() ? result.text : loop.title + ": " + result.text);
        if (!result.more) break;
    }
    EndProgress();
    return true;
}

std::filesystem::path CTerminalServices::GetApplicationFolder() const {
    return FindProgramDataFolder();
}

void CTerminalServices::Progress(const std::string& text) {
    if (!mShowProgress) return;
    mErr << '\r' << text << "\x1b[K" << std::flush;
    mProgressPending = true;
}

void CTerminalServices::EndProgress() {
    if (!mProgressPending) return;
    mErr << "\r\x1b[K" << std::flush;
    mProgressPending = false;
}

} // namespace zephon::cli
