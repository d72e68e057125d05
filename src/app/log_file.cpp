#include "app/log_file.hpp"

#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

bool CLogFile::Start(const std::vector<fs::path>& folders) {
    mPath.clear();
    for (const fs::path& folder : folders) {
        if (folder.empty()) continue;
        std::error_code ec;
        fs::create_directories(folder, ec);
        const fs::path candidate = folder / kName;
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
