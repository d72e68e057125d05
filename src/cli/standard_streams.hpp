// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Files named "-": standard input for the commands that read a saved file (info, render, convert),
// standard output for the files the commands write (--out, --svg, the OUT of convert). Every file
// the tool writes is text, so each of them may go to standard output; the command's own report (its
// table or JSON) is then left out, so that standard output holds the file alone.

#include <string>

#include "cli/command_context.hpp"
#include "cli/data_files.hpp"

class CWDocument;

namespace zephon::cli {

inline bool IsStandardStream(const std::string& path) {
    return path == "-";
}

// What an input file holds: by its extension, or for "-" by the option --kind (an extension
// without its dot); a usage error when "-" comes without it.
CFileKind KindOfInput(const CCommandLine& line, const std::string& path);

// All of standard input.
std::string ReadStandardInput(CCommandContext& context);

// Writes a text file: to standard output for "-", otherwise as the documents save; the file is put
// in place when the command has succeeded (a command that fails writes nothing).
void WriteTextOutput(CCommandContext& context, const CCommandLine& line, const std::string& path,
                     const std::string& text);
// Saves a document: to standard output for "-", otherwise as the desktop program saves.
void WriteDocumentOutput(CCommandContext& context, const CCommandLine& line, CWDocument& document,
                         const std::string& path);

// Standard output is taken by a file: at most one may have it, never together with --json, and
// the command's report is left out from here on.
void ClaimStandardOutput(CCommandContext& context, const CCommandLine& line);

} // namespace zephon::cli
