// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The tool's side of Zephon's files: writing them as the documents save. Which kind a file is comes
// from the application's one table of document kinds (app/document_kinds.hpp).

#include <filesystem>
#include <string>

#include "app/document_kinds.hpp"

namespace zephon::cli {

// Writes the text as the documents save (a complete new file replaces the old one, or nothing
// changes); a usage error naming the file when it cannot be written.
void SaveText(const std::filesystem::path& path, const std::string& text);

} // namespace zephon::cli
