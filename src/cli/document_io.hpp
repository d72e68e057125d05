// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Opening data documents for the tool: the documents read the files, and the tool refuses a file
// that cannot be opened or was damaged, naming the file and the line where reading stopped.

#include <filesystem>
#include <memory>
#include <string>

#include "documents/data_documents.hpp"
#include "documents/w_document.hpp"

namespace zephon::cli {

class CTerminalServices;

// Why the document could not open its file, in a few words; `otherwise` when it gave no reason.
std::string OpenFailureOf(const CWDocument& document, const std::string& otherwise);

// Opens the file into the document; a usage error when it cannot be opened or is damaged.
void OpenDocumentStrictly(CWDocument& document, const std::filesystem::path& path,
                          CTerminalServices& services);

// The same for a file's text read from elsewhere (standard input), named `name` in messages.
void OpenTextStrictly(CWDocument& document, const std::string& text, const std::string& name,
                      CTerminalServices& services);

std::unique_ptr<CInclusionDataDocument> OpenInclusions(const std::filesystem::path& path,
                                                       CTerminalServices& services);
std::unique_ptr<CFluidModelDataDocument> OpenFluidModel(const std::filesystem::path& path,
                                                        CTerminalServices& services);

} // namespace zephon::cli
