// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The five kinds of documents the application opens and makes: what they are called, which files
// they read, and how one is made. The core, menus, file dialogs, dropped files, the recovery copies,
// the command-line tool and the tests all go through this one table; a document says its own kind
// (CWDocument::Kind), and the desktop's window registry holds one window maker per kind.

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "documents/application_services.hpp"
#include "documents/document_kind.hpp"

class CWDocument;

struct CDocumentKindInfo {
    CDocumentKind kind;
    const char* newName;     // "Inclusion Data": a new document is titled this and a number
    const char* filter;      // "Inclusion data files (*.inc)", for file dialogs
    const char* extension;   // ".inc"
    const char* openFilter;  // the filter of the menu's own open command
    const char* description; // "inclusion data": what the command-line tool reports a file as
    std::unique_ptr<CWDocument> (*create)(CApplicationServices& services);
};

// In the order of the templates: inclusions, fluid models, correlations, alpha-beta plots, P-T
// diagrams.
std::span<const CDocumentKindInfo> AllDocumentKinds();
const CDocumentKindInfo& KindInfo(CDocumentKind kind);
// By the file's extension, whatever its case; nothing for a file no document reads.
std::optional<CDocumentKind> KindOfFile(const std::filesystem::path& path);

// "Inclusion data files (*.inc);;Fluid model files (*.flu);;..." with "All Zephon files" first.
std::string AllFilesFilter();

// The name a picture of a plot is proposed under: the document's name (its file's name, or the
// title of a document never saved, or a plot window's title) with the picture's extension in
// place of a document's own: "study.abp" and ".svg" give "study.svg". Characters that file names
// cannot hold (a volume-temperature plot is titled "study.ptd:1") become "-".
std::filesystem::path DefaultPictureName(const std::string& documentName, const std::string& extension);
