// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Replacing a file's contents without ever leaving it half written.
//
// The text goes to a new temporary file in the folder of the file it replaces; every write, the
// flush to the disk and the close are checked; only then does the temporary file take the file's
// name. A symbolic link is followed to the file it names, which is replaced, and the link stays
// (also a relative link, or a chain of links). A path that exists and is not an ordinary file (a
// folder, a device, a named pipe, a socket) is refused and left alone, as is a write-protected
// file. The replacement keeps the permissions of the file it replaces and, where the system lets
// the user give it, its owner and group.

#include <filesystem>
#include <string>
#include <string_view>

// A replacement in two steps, for a command that writes several files and must change none of them
// unless all can be written: Prepare writes the complete new text to a temporary file beside the
// target (all the checks and the write of ReplaceFileContents), Commit gives it the target's name.
// A prepared replacement that is destroyed or abandoned before its commit leaves the target as it
// was and removes its temporary file.
class CPreparedReplacement {
  public:
    CPreparedReplacement() = default;
    ~CPreparedReplacement();
    CPreparedReplacement(CPreparedReplacement&& other) noexcept;
    CPreparedReplacement& operator=(CPreparedReplacement&&) = delete;
    CPreparedReplacement(const CPreparedReplacement&) = delete;
    CPreparedReplacement& operator=(const CPreparedReplacement&) = delete;

    bool Prepare(const std::filesystem::path& path, std::string_view text, std::string& error);
    bool Commit(std::string& error);
    void Abandon();

  private:
    std::filesystem::path mTarget;    // the file the links lead to
    std::filesystem::path mTemporary; // empty once committed or abandoned
};

// On failure the file is as it was, no temporary file is left and `error` says why (e.g.
// "writing failed (No space left on device)").
bool ReplaceFileContents(const std::filesystem::path& target, std::string_view text, std::string& error);

// The path of the file that a path names once the symbolic links it ends in are followed (a relative
// link counts from the link's folder); the path itself when it is no link. A link to nothing gives
// the path where the file would be. False with a reason for a loop of links.
bool ResolveFileLinks(const std::filesystem::path& path, std::filesystem::path& resolved, std::string& error);
