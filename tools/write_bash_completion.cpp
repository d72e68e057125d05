// SPDX-License-Identifier: BSD-3-Clause
// Prints the bash completion script of zephon-cli; the build installs its output.
#include <cstdio>

#include "cli/shell_completion.hpp"

int main() {
    const std::string script = zephon::cli::BashCompletionScript();
    return std::fwrite(script.data(), 1, script.size(), stdout) == script.size() && std::fflush(stdout) == 0
               ? 0
               : 1;
}
