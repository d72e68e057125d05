// SPDX-License-Identifier: BSD-3-Clause
// zephon-cli: batch runs of Zephon's calculations from a terminal or a script.
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_commands.hpp"
#include "cli/command_line.hpp"
#include "cli/terminal_services.hpp"

namespace {

extern "C" void OnInterrupt(int) {
    // The first Ctrl-C asks the running calculation to stop and keep what it has; a second one
    // ends the program at once.
    if (zephon::cli::StopRequest().exchange(true)) std::_Exit(130);
}

// What is still buffered reaches standard output now, and a write that failed at any time (a full
// disk, a closed pipe's other end gone) fails the run: a script must never take a cut output for a
// finished one.
bool FinishStandardOutput() {
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    const int error = errno;
    if (flushed && std::fclose(stdout) == 0) return true;
    const int reason = error != 0 ? error : errno;
    std::fprintf(stderr, "zephon-cli: cannot write standard output%s%s%s\n", reason != 0 ? " (" : "",
                 reason != 0 ? std::strerror(reason) : "", reason != 0 ? ")" : "");
    return false;
}

} // namespace

int main(int argc, char** argv) {
    std::signal(SIGINT, OnInterrupt);
    std::vector<std::string> arguments(argv + 1, argv + argc);
    int code = zephon::cli::RunCli(arguments, std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
    // A failed write that RunCli saw is reported already.
    const bool reported = !std::cout;
    if (!reported && !FinishStandardOutput() && code == zephon::cli::kExitSuccess)
        code = zephon::cli::kExitBadUsage;
    return code;
}
