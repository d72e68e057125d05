// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The log file "Zephon.log": a new, empty one at every start (the previous session's is kept as
// "Zephon.log.1"), then every line the panels log is appended and flushed at once, so that the
// file holds the log even if the program stops unexpectedly.
//
// It goes in the current folder when that is a place of the user's work; started from the desktop
// menu the current folder is the home folder, and a log there would clutter it, so then (and when
// the current folder cannot be written) it goes in the user's state folder.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class CLogFile {
  public:
    static constexpr const char* kName = "Zephon.log";
    static constexpr const char* kPreviousName = "Zephon.log.1";

    // Where the log may go, in order: the current folder unless it is the home folder, then the
    // user's state folder ($XDG_STATE_HOME, or ~/.local/state when that is not an absolute path),
    // subfolder "zephon".
    static std::vector<std::filesystem::path> Folders(const std::filesystem::path& current,
                                                      const std::filesystem::path& home,
                                                      const std::string& xdgStateHome);

    // Starts a new "Zephon.log" in the first folder of the list where it can be written (folders
    // are made when missing), keeping the one there as "Zephon.log.1". False when none can;
    // appending then does nothing.
    bool Start(const std::vector<std::filesystem::path>& folders);
    // Appends the text; false when it could not be written.
    bool Append(std::string_view text);
    // Empty before a successful Start.
    const std::filesystem::path& Path() const { return mPath; }

  private:
    std::filesystem::path mPath;
};
