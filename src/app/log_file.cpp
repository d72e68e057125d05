// SPDX-License-Identifier: BSD-3-Clause
#include "app/log_file.hpp"

#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

std::vector<fs::path> CLogFile::Folders(const fs::path& current, const fs::path& home,
                                        const std::string& xdgStateHome) {
    std::vector<fs::path> folders;
    std::error_code ec;
    const bool currentIsHome = !home.empty() && fs::equivalent(current, home, ec);
    if (!current.empty() && !currentIsHome) folders.push_back(current);
    // A relative XDG_STATE_HOME is ignored, as the XDG base directory rules require.
    const fs::path state = fs::path(xdgStateHome).is_absolute() ? fs::path(xdgStateHome)
                           : home.empty()                       ? fs::path()
                                                                : home / ".local" / "state";
    if (!state.empty()) folders.push_back(state / "zephon");
    return folders;
}

bool CLogFile::Start(const std::vector<fs::path>& folders) {
    mPath.clear();
    for (const fs::path& folder : folders) {
        if (folder.empty()) continue;
        std::error_code ec;
        fs::create_directories(folder, ec);
        const fs::path candidate = folder / kName;
        // Something else under the log's name (a folder, a device) is left alone, and so is the
        // place.
        const fs::file_status status = fs::symlink_status(candidate, ec);
        if (fs::exists(status) && !fs::is_regular_file(status)) continue;
        // Renaming needs a folder that can be written: where it fails, the log cannot go either.
        if (fs::exists(status)) {
            fs::rename(candidate, folder / kPreviousName, ec);
            if (ec) continue;
        }
        std::ofstream file(candidate, std::ios::binary | std::ios::trunc);
        if (file && file.flush()) {
            mPath = candidate;
            return true;
        }
    }
    return false;
}

bool CLogFile::Append(std::string_view text) {
    if (mPath.empty()) return false;
    std::ofstream file(mPath, std::ios::binary | std::ios::app);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.flush();
    return static_cast<bool>(file);
}
