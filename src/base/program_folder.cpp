#include "base/program_folder.hpp"

#include <system_error>

namespace fs = std::filesystem;

fs::path FindProgramDataFolder(fs::path program, const fs::path& sourceFallback) {
    std::error_code ec;
    if (program.empty()) program = fs::read_symlink("/proc/self/exe", ec);
    const fs::path folder = (ec || program.empty()) ? fs::current_path(ec) : program.parent_path();
    const fs::path candidates[] = {folder, folder.parent_path() / "share" / "zephon", sourceFallback};
    for (const fs::path& candidate : candidates)
        if (!candidate.empty() && fs::is_directory(candidate / "Resources", ec)) return candidate;
    return folder;
}
