// zephon-cli: batch runs of Zephon's calculations from a terminal or a script.
#include <unistd.h>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_commands.hpp"
#include "cli/terminal_services.hpp"

namespace {

extern "C" void OnInterrupt(int) {
    // The first Ctrl-C asks the running calculation to stop and keep what it has; a second one
    // ends the program at once.
    if (zephon::cli::StopRequest().exchange(true)) std::_Exit(130);
}

} // namespace

int main(int argc, char** argv) {
    std::signal(SIGINT, OnInterrupt);
    std::vector<std::string> arguments(argv + 1, argv + argc);
    const int code = zephon::cli::RunCli(arguments, std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
    std::cout.flush();
    return code;
}
