// SPDX-License-Identifier: BSD-3-Clause
#include "base/program_folder.hpp"

#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

fs::path FindProgramDataFolder(fs::path program) {
    std::error_code ec;
    if (const char* chosen = std::getenv("ZEPHON_DATA_DIR"); chosen != nullptr && *chosen != '\0')
        return fs::path(chosen);
    if (program.empty()) program = fs::read_symlink("/proc/self/exe", ec);
    const fs::path folder = (ec || program.empty()) ? fs::current_path(ec) : program.parent_path();
    const fs::path candidates[] = {folder, folder.parent_path() / "share" / "zephon"};
    for (const fs::path& candidate : candidates)
        if (fs::is_directory(candidate / "Resources", ec)) return candidate;
    return folder;
}
