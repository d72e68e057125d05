// SPDX-License-Identifier: BSD-3-Clause
#include "cli/data_files.hpp"

#include <algorithm>
#include <cctype>

#include "cli/command_line.hpp"
#include "documents/w_document.hpp"

namespace zephon::cli {

void SaveText(const std::filesystem::path& path, const std::string& text) {
    std::string error;
    if (!ReplaceFileContents(path, text, error))
        throw UsageError(path.string() + ": cannot write the file (" + error + ")");
}

} // namespace zephon::cli
