// SPDX-License-Identifier: BSD-3-Clause
// Reads arbitrary bytes as a whole document, the way the program opens a file of that kind (every
// section: the aqueous isochores with their crossings and bands, the volume-temperature plots and the
// tagged sections such as the envelopes' key points), saves it, and opens and saves what was saved:
// the second text reads back as itself.
//
// Built with libFuzzer (clang, -DZEPHON_FUZZ=ON) this is a fuzz target; otherwise an ordinary program
// that replays the files and folders on its command line (the saved corpus) under CTest.
//
// ZEPHON_FUZZ_DOCUMENT_KIND: 1 inclusions, 2 correlation, 3 fluid model, 4 alpha-beta plot,
// 5 P-T diagram.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "documents/alpha_beta_plot_document.hpp"
#include "documents/data_documents.hpp"
#include "documents/phase_diag_document.hpp"
#include "fake_application_services.hpp"

#ifndef ZEPHON_FUZZ_DOCUMENT_KIND
#error "ZEPHON_FUZZ_DOCUMENT_KIND must name the document kind"
#endif

namespace {

#if ZEPHON_FUZZ_DOCUMENT_KIND == 1
using Document = CInclusionDataDocument;
constexpr const char* kName = "fuzz.inc";
#elif ZEPHON_FUZZ_DOCUMENT_KIND == 2
using Document = CAlphaBetaDataDocument;
constexpr const char* kName = "fuzz.abe";
#elif ZEPHON_FUZZ_DOCUMENT_KIND == 3
using Document = CFluidModelDataDocument;
constexpr const char* kName = "fuzz.flu";
#elif ZEPHON_FUZZ_DOCUMENT_KIND == 4
using Document = CAlphaBetaPlotDocument;
constexpr const char* kName = "fuzz.abp";
#elif ZEPHON_FUZZ_DOCUMENT_KIND == 5
using Document = CPhaseDiagDocument;
constexpr const char* kName = "fuzz.ptd";
#else
#error "unknown ZEPHON_FUZZ_DOCUMENT_KIND"
#endif

// What the program keeps of a file: nothing when it refuses it, else the text a save writes.
std::string OpenAndSave(const std::string& text) {
    zephon::testing::FakeApplicationServices services;
    Document document(services);
    if (!document.OnOpenText(text, kName, CUnreadableFile::Refuse)) return {};
    return document.SaveToText();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    // The first pass may still normalise numbers and absent lists; from then on a saved document
    // opens and saves as itself.
    const std::string first = OpenAndSave(input);
    if (first.empty()) return 0;
    const std::string second = OpenAndSave(first);
    const std::string third = OpenAndSave(second);
    if (second != third) {
        std::fprintf(stderr, "a saved document does not open and save as itself\n");
        std::abort();
    }
    return 0;
}

#include "corpus_replay.hpp"
