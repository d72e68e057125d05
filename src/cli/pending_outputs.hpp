// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The files a command writes are put in place only once the command has computed and checked
// everything it reports: a command that fails leaves every file it names as it was. The texts are
// kept until the command returns; then each goes to a temporary file beside its target, and only
// when all of them are written do they take their names (standard output, which cannot be taken
// back, comes last).

#include <ostream>
#include <string>
#include <vector>

namespace zephon::cli {

class CTerminalServices;

class CPendingOutputs {
  public:
    // `warning` is told once the file is in place (values that were no numbers, saved as 0).
    void Add(std::string path, std::string text, std::string warning = {});
    // Every file in place, or none of them and a usage error naming the file that failed.
    void Commit(std::ostream& standardOutput, CTerminalServices& services);
    bool Empty() const { return mEntries.empty(); }

  private:
    struct CEntry {
        std::string path;
        std::string text;
        std::string warning;
    };
    std::vector<CEntry> mEntries;
};

} // namespace zephon::cli
