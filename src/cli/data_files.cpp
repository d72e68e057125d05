// SPDX-License-Identifier: BSD-3-Clause
#include "cli/data_files.hpp"

#include <algorithm>
#include <cctype>

#include "cli/command_line.hpp"
#include "documents/w_document.hpp"

namespace zephon::cli {

CFileKind KindOfFile(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".inc") return CFileKind::Inclusions;
    if (extension == ".abe") return CFileKind::Correlation;
    if (extension == ".flu") return CFileKind::FluidModel;
    if (extension == ".abp") return CFileKind::AlphaBetaPlot;
    if (extension == ".ptd") return CFileKind::PhaseDiagram;
    return CFileKind::Unknown;
}

const char* DescribeKind(CFileKind kind) {
    switch (kind) {
    case CFileKind::Inclusions:
        return "inclusion data";
    case CFileKind::Correlation:
        return "alpha-beta correlation";
    case CFileKind::FluidModel:
        return "fluid model";
    case CFileKind::AlphaBetaPlot:
        return "alpha-beta plot";
    case CFileKind::PhaseDiagram:
        return "P-T phase diagram";
    case CFileKind::Unknown:
        break;
    }
    return "unknown";
}

} // namespace zephon::cli
