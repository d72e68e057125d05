// SPDX-License-Identifier: BSD-3-Clause
#include "app/document_kinds.hpp"

#include <algorithm>
#include <array>
#include <cctype>

#include "documents/alpha_beta_plot_document.hpp"
#include "documents/data_documents.hpp"
#include "documents/phase_diag_document.hpp"

namespace {

template <class Document> std::unique_ptr<CWDocument> Make(CApplicationServices& services) {
    return std::make_unique<Document>(services);
}

constexpr std::array<CDocumentKindInfo, kDocumentKindCount> kKinds = {{
    {CDocumentKind::InclusionData, "Inclusion Data", "Inclusion data files (*.inc)", ".inc",
     "Inclusion files (*.inc)|*.inc||", "inclusion data", &Make<CInclusionDataDocument>},
    {CDocumentKind::FluidModel, "Fluid Model", "Fluid model files (*.flu)", ".flu",
     "Fluid models (*.flu)|*.flu||", "fluid model", &Make<CFluidModelDataDocument>},
    {CDocumentKind::Correlation, "Alpha-Beta Correlation", "Alpha Beta Correlations files (*.abe)", ".abe",
     "Alpha-Beta correlations (*.abe)|*.abe||", "alpha-beta correlation", &Make<CAlphaBetaDataDocument>},
    {CDocumentKind::AlphaBetaPlot, "Alpha-Beta Plot", "Alpha Beta Plot (*.abp)", ".abp",
     "Alpha-Beta plots (*.abp)|*.abp||", "alpha-beta plot", &Make<CAlphaBetaPlotDocument>},
    {CDocumentKind::PhaseDiagram, "Phase Diagram", "Phase Diagrams (*.ptd)", ".ptd",
     "PT diagrams (*.ptd)|*.ptd||", "P-T phase diagram", &Make<CPhaseDiagDocument>},
}};

// Each kind's entry at its own index.
static_assert([] {
    for (std::size_t i = 0; i < kKinds.size(); ++i)
        if (KindIndex(kKinds[i].kind) != i) return false;
    return true;
}());

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

std::span<const CDocumentKindInfo> AllDocumentKinds() {
    return kKinds;
}

const CDocumentKindInfo& KindInfo(CDocumentKind kind) {
    return kKinds[KindIndex(kind)];
}

std::optional<CDocumentKind> KindOfFile(const std::filesystem::path& path) {
    const std::string extension = Lowered(path.extension().string());
    for (const auto& info : kKinds)
        if (extension == info.extension) return info.kind;
    return std::nullopt;
}

std::string AllFilesFilter() {
    std::string all = "All Zephon files (";
    std::string each;
    for (const auto& info : kKinds) {
        all += std::string(all.back() == '(' ? "*" : " *") + info.extension;
        each += std::string(";;") + info.filter;
    }
    return all + ")" + each;
}

std::filesystem::path DefaultPictureName(const std::string& documentName, const std::string& extension) {
    std::string name = std::filesystem::path(documentName).filename().string();
    // "study.ptd:1": the document's extension goes, the plot's number stays.
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const CDocumentKindInfo& info : AllDocumentKinds()) {
        const std::string own = info.extension;
        const std::size_t at = lower.rfind(own);
        if (at == std::string::npos || at == 0) continue;
        const std::size_t after = at + own.size();
        if (after == lower.size() || lower[after] == ':') {
            name.erase(at, own.size());
            break;
        }
    }
    for (char& c : name)
        if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos ||
            static_cast<unsigned char>(c) < 32)
            c = '-';
    while (!name.empty() && (name.back() == ' ' || name.back() == '.'))
        name.pop_back();
    if (name.empty()) name = "plot";
    return std::filesystem::path(name + extension);
}
