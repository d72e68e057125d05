// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// zephon-cli: the commands, their options and their output (a readable table, or one JSON object
// with --json). Exit codes: 0 success, 1 the calculation failed, 2 bad usage or unreadable input.

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/command_line.hpp"

namespace zephon::cli {

// Runs one command line (the arguments after the program name). `in` is what a file named "-" reads
// (standard input when null).
int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
           bool errIsTerminal = false, std::istream* in = nullptr);

// The text of --help.
std::string HelpText();
// The text of --version.
std::string VersionText();

// Every command with the options its parser declares (for shell completion and its checks).
struct CCommandOptions {
    std::string name;
    COptionSpec spec;
    std::string help; // what `help NAME` prints: the usage line, then each option with its value
};
std::vector<CCommandOptions> CommandOptions();

// printf into a string ("C" number conventions are those of the process; the tool keeps "C").
std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace zephon::cli
