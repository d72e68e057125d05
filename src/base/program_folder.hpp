#pragma once
// Where the program's own files are: the folder whose "Resources" folder holds the background-curve
// files. Beside the program as built; <prefix>/share/zephon when installed in <prefix>/bin; the
// source tree's for programs run from elsewhere in the build (the tests).

#include <filesystem>

// `program` is the path of the running program (empty: /proc/self/exe); `sourceFallback` the
// source tree's resources folder, or empty. The first candidate with a "Resources" folder wins;
// without one, the program's folder.
std::filesystem::path FindProgramDataFolder(std::filesystem::path program = {},
                                            const std::filesystem::path& sourceFallback = {});
