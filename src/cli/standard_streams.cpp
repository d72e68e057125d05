// SPDX-License-Identifier: BSD-3-Clause
#include "cli/standard_streams.hpp"

#include <streambuf>

#include "base/input_file.hpp"
#include "cli/document_io.hpp"
#include "documents/w_document.hpp"

namespace zephon::cli {

namespace {

// Where the report goes once standard output carries a file.
class CDiscardBuffer : public std::streambuf {
  protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

} // namespace

CFileKind KindOfInput(const CCommandLine& line, const std::string& path) {
    if (!IsStandardStream(path)) {
        if (line.Has("--kind")) throw UsageError(line.Command() + ": --kind is for standard input (-) only");
        return KindOfFile(path);
    }
    const auto kind = line.Text("--kind");
    if (!kind)
        throw UsageError(line.Command() + ": standard input has no file name to tell its kind: give --kind "
                                          "(inc, flu, abe, abp or ptd)");
    const CFileKind known = KindOfFile("input." + *kind);
    if (known == CFileKind::Unknown)
        throw UsageError(line.Command() + ": --kind takes inc, flu, abe, abp or ptd, not \"" + *kind + "\"");
    return known;
}

std::string ReadStandardInput(CCommandContext& context) {
    // The size limit of every input holds here too; being a pipe is what standard input may be.
    std::string text;
    char chunk[65536];
    while (context.in.read(chunk, sizeof chunk) || context.in.gcount() > 0) {
        text.append(chunk, static_cast<std::size_t>(context.in.gcount()));
        if (text.size() > kMaxInputBytes)
            throw UsageError("standard input is larger than " + ByteSizeText(kMaxInputBytes) +
                             ", the most Zephon reads");
    }
    if (context.in.bad()) throw UsageError("standard input cannot be read");
    return text;
}

void ClaimStandardOutput(CCommandContext& context, const CCommandLine& line) {
    static CDiscardBuffer discard;
    if (context.out.rdbuf() == &discard) return;
    int named = 0;
    for (const char* option : {"--out", "--svg"})
        named += line.Text(option) == "-" ? 1 : 0;
    if (named > 1) throw UsageError(line.Command() + ": only one output can go to standard output (-)");
    if (line.Has("--json"))
        throw UsageError(line.Command() + ": --json and an output named - cannot share standard output");
    context.out.rdbuf(&discard);
}

void WriteTextOutput(CCommandContext& context, const CCommandLine& line, const std::string& path,
                     const std::string& text) {
    if (IsStandardStream(path)) ClaimStandardOutput(context, line);
    context.outputs.Add(path, text);
}

void WriteDocumentOutput(CCommandContext& context, const CCommandLine& line, CWDocument& document,
                         const std::string& path) {
    if (IsStandardStream(path)) ClaimStandardOutput(context, line);
    CWDocument::CSaveText saved = document.SaveToTextFor(path);
    context.outputs.Add(path, std::move(saved.text), std::move(saved.warning));
}

} // namespace zephon::cli
