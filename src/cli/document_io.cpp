// SPDX-License-Identifier: BSD-3-Clause
#include "cli/document_io.hpp"

#include "app/document_kinds.hpp"
#include "cli/command_line.hpp"
#include "cli/terminal_services.hpp"

#include "base/input_file.hpp"
#include "documents/alpha_beta_plot_document.hpp"
#include "documents/phase_diag_document.hpp"

namespace zephon::cli {

namespace fs = std::filesystem;

namespace {

void RefuseIfDamaged(const CWDocument& document, const std::string& name) {
    if (!document.WasOpenedDamaged()) return;
    // A file of another kind given where this one is wanted is not damaged: it is the wrong file.
    const std::optional<CDocumentKind> named = KindOfFile(name);
    if (named && *named != document.Kind())
        throw UsageError(name + ": not " + document.FileKind() + " (" +
                         std::filesystem::path(name).extension().string() + " is the extension of " +
                         KindInfo(*named).description + " files)");
    const CReadStop& stop = document.GetReadStop();
    if (stop.atEnd)
        throw UsageError(name + ": line " + std::to_string(stop.line) +
                         ": the file ends before its data is complete (damaged file?)");
    throw UsageError(name + ": line " + std::to_string(stop.line) + ", column " +
                     std::to_string(stop.column) + ": this field cannot be read (damaged file?)");
}

} // namespace

std::string OpenFailureOf(const CWDocument& document, const std::string& otherwise) {
    return document.GetOpenFailure().empty() ? otherwise : document.GetOpenFailure();
}

void OpenDocumentStrictly(CWDocument& document, const fs::path& path, CTerminalServices& services) {
    std::error_code ec;
    if (!fs::exists(path, ec)) throw UsageError(path.string() + ": no such file");
    if (fs::is_directory(path, ec)) throw UsageError(path.string() + ": is a folder, not a data file");
    // A FIFO, a device or a file beyond the size limit is refused here, by its reason, before reading.
    if (const std::string problem = CheckInputFile(path); !problem.empty())
        throw UsageError(path.string() + ": " + problem);
    // The document tells of a damaged file in a message box; here the refusal says it instead.
    const bool wasQuiet = services.SetQuiet(true);
    const bool opened = document.OnOpenDocument(path);
    services.SetQuiet(wasQuiet);
    if (!opened) throw UsageError(path.string() + ": " + OpenFailureOf(document, "cannot be opened"));
    RefuseIfDamaged(document, path.string());
}

void OpenTextStrictly(CWDocument& document, const std::string& text, const std::string& name,
                      CTerminalServices& services) {
    const bool wasQuiet = services.SetQuiet(true);
    const bool opened = document.OnOpenText(text, name);
    services.SetQuiet(wasQuiet);
    if (!opened) throw UsageError(name + ": " + OpenFailureOf(document, "cannot be read"));
    RefuseIfDamaged(document, name);
}

std::unique_ptr<CInclusionDataDocument> OpenInclusions(const fs::path& path, CTerminalServices& services) {
    auto document = std::make_unique<CInclusionDataDocument>(services);
    OpenDocumentStrictly(*document, path, services);
    return document;
}

std::unique_ptr<CFluidModelDataDocument> OpenFluidModel(const fs::path& path, CTerminalServices& services) {
    auto document = std::make_unique<CFluidModelDataDocument>(services);
    OpenDocumentStrictly(*document, path, services);
    return document;
}

} // namespace zephon::cli
