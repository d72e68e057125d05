#pragma once
// The log file "Zephon.log": emptied at every start, then every line the panels log is appended
// and flushed at once, so that the file holds the log even if the program stops unexpectedly.
//
// It goes in the current folder; when that folder cannot be written (a read-only working folder,
// a program started from a system folder), in the user's application-data folder instead.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class CLogFile {
  public:
    static constexpr const char* kName = "Zephon.log";

    // Empties "Zephon.log" in the first folder of the list where it can be written (folders are
    // made when missing). False when none can; appending then does nothing.
    bool Start(const std::vector<std::filesystem::path>& folders);
    // Appends the text; false when it could not be written.
    bool Append(std::string_view text);
    // Empty before a successful Start.
    const std::filesystem::path& Path() const { return mPath; }

  private:
    std::filesystem::path mPath;
};
