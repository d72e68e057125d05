// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Where the program's own files are: the folder whose "Resources" folder holds the background-curve
// files. Beside the program as built; <prefix>/share/zephon when installed in <prefix>/bin. The
// environment variable ZEPHON_DATA_DIR, when set, names it instead: the tests, whose programs are
// neither, pass the source tree's folder that way, so no path of the build machine is compiled in.

#include <filesystem>

// `program` is the path of the running program (empty: /proc/self/exe). The first candidate with a
// "Resources" folder wins; without one, the program's folder.
std::filesystem::path FindProgramDataFolder(std::filesystem::path program = {});
