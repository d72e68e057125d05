// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The bash completion of zephon-cli, made from the tool's own tables of commands and options, so
// that it completes whatever the parser knows.

#include <string>

namespace zephon::cli {

// A script for bash: commands after the program's name, each command's options after the command,
// file names elsewhere (also for the options' values).
std::string BashCompletionScript();

} // namespace zephon::cli
