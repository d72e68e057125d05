// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Reading a whole input file into memory, safely: every data file and CSV file the programs open
// (documents, imports, `zephon-cli convert` and `info`) is read by ReadWholeFile.
//
// Only regular files are read (a symbolic link to one is fine): a folder, a FIFO, a device or a
// socket is refused with a reason and never blocks the program, because the file is opened without
// waiting and its type is checked on what was opened. A file larger than the limit is refused before
// anything is read, and a file that grows past the limit while it is read is refused too, so no
// input makes the program hold more than the limit.
//
// The checks live in two functions that a caller can use alone: InputFileProblem (what a file's type
// and size allow; CheckInputFile applies it to a path without opening it) and ReadInputStream (the
// limit, on any open stream, such as standard input, which has no path to check).

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

// The largest input the programs read: 256 MB (MiB), far above any data file or CSV table.
inline constexpr std::uintmax_t kMaxInputBytes = std::uintmax_t{256} * 1024 * 1024;

// A size for messages: "256 MB" for whole MiB, "4 KB" for whole KiB, otherwise "1 500 bytes".
std::string ByteSizeText(std::uintmax_t bytes);

// Why a file of this type and size cannot be read ("" when it can): "it is a folder", "it is a named
// pipe (FIFO), not a regular file", "it is larger than 256 MB, the most Zephon reads"...
std::string InputFileProblem(std::filesystem::file_type type, std::uintmax_t size,
                             std::uintmax_t maxBytes = kMaxInputBytes);

// The same for a path, following symbolic links and without opening it (nothing blocks): "" when the
// file can be read, "there is no such file" when there is none.
std::string CheckInputFile(const std::filesystem::path& path, std::uintmax_t maxBytes = kMaxInputBytes);

// Reads an open stream to its end, at most `maxBytes`. False with the reason (the content is then
// empty) when there is more or the stream cannot be read.
bool ReadInputStream(std::FILE* stream, std::string& content, std::string& error,
                     std::uintmax_t maxBytes = kMaxInputBytes);

// Reads a whole regular file: false with the reason (a phrase such as "it is a folder") when it cannot
// be opened, is not a regular file, is larger than `maxBytes` or cannot be read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& content, std::string& error,
                   std::uintmax_t maxBytes = kMaxInputBytes);
