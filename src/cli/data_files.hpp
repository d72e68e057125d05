// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The tool's side of Zephon's files: telling the file types apart and writing pictures.

#include <filesystem>
#include <string>

namespace zephon::cli {

enum class CFileKind { Inclusions, Correlation, FluidModel, AlphaBetaPlot, PhaseDiagram, Unknown };

// By extension (.inc, .abe, .flu, .abp, .ptd; case-insensitive).
CFileKind KindOfFile(const std::filesystem::path& path);
const char* DescribeKind(CFileKind kind);

// Writes the text as the documents save (a complete new file replaces the old one, or nothing
// changes); a usage error naming the file when it cannot be written.
void SaveText(const std::filesystem::path& path, const std::string& text);

} // namespace zephon::cli
