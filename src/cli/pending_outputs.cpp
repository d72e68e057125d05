// SPDX-License-Identifier: BSD-3-Clause
#include "cli/pending_outputs.hpp"

#include <utility>

#include "base/file_replace.hpp"
#include "cli/command_line.hpp"
#include "cli/standard_streams.hpp"
#include "cli/terminal_services.hpp"

namespace zephon::cli {

void CPendingOutputs::Add(std::string path, std::string text, std::string warning) {
    mEntries.push_back({std::move(path), std::move(text), std::move(warning)});
}

void CPendingOutputs::Commit(std::ostream& standardOutput, CTerminalServices& services) {
    std::vector<CEntry> entries = std::move(mEntries);
    mEntries.clear();
    // Destroyed before their commit (a later file failing), the prepared files leave no trace.
    std::vector<CPreparedReplacement> prepared(entries.size());
    std::string error;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (IsStandardStream(entries[i].path)) continue;
        if (!prepared[i].Prepare(entries[i].path, entries[i].text, error))
            throw UsageError(entries[i].path + ": cannot write the file (" + error + ")");
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (IsStandardStream(entries[i].path)) continue;
        if (!prepared[i].Commit(error))
            throw UsageError(entries[i].path + ": cannot write the file (" + error + ")");
    }
    for (const CEntry& entry : entries)
        if (IsStandardStream(entry.path)) standardOutput << entry.text;
    for (const CEntry& entry : entries)
        if (!entry.warning.empty()) services.ShowMessage({entry.warning, "", CMessageIcon::Warning, false});
}

} // namespace zephon::cli
