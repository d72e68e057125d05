// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The tool's side of Zephon's files: telling the file types apart.

#include <filesystem>
#include <string>

namespace zephon::cli {

enum class CFileKind { Inclusions, Correlation, FluidModel, AlphaBetaPlot, PhaseDiagram, Unknown };

// By extension (.inc, .abe, .flu, .abp, .ptd; case-insensitive).
CFileKind KindOfFile(const std::filesystem::path& path);
const char* DescribeKind(CFileKind kind);

} // namespace zephon::cli
