// SPDX-License-Identifier: BSD-3-Clause
// Reads arbitrary bytes as one kind of data file, the way a document loads it, then checks that what
// was read is written and read again without change.
//
// Built with libFuzzer (clang, -DZEPHON_FUZZ=ON) this is a fuzz target; otherwise it is an ordinary
// program that replays the files and folders given on its command line (the saved corpus), so every
// input that once troubled a reader is checked again by CTest.
//
// ZEPHON_FUZZ_FILE_TYPE selects the file: 1 inclusions, 2 correlation, 3 fluid model,
// 4 alpha-beta plot, 5 P-T diagram, 6 inclusions as CSV.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "data/alpha_beta_record.hpp"
#include "data/aqueous_record.hpp"
#include "data/composition_record.hpp"
#include "data/inclusion_csv.hpp"
#include "data/inclusion_record.hpp"
#include "data/phase_diagram_record.hpp"
#include "plot/plot_format.hpp"

#ifndef ZEPHON_FUZZ_FILE_TYPE
#error "ZEPHON_FUZZ_FILE_TYPE must name the file type"
#endif

namespace {

// The records of one file, in file order.
struct FileContent {
#if ZEPHON_FUZZ_FILE_TYPE == 1
    CInclusionList inclusions;
    void Read(CDataHandleStream& s) {
        inclusions.Read(s);
    }
    void Write(CDataHandleStream& s) {
        inclusions.Write(s);
    }
#elif ZEPHON_FUZZ_FILE_TYPE == 2
    CAlphaBetaCorrelation correlation;
    void Read(CDataHandleStream& s) {
        correlation.Read(s);
    }
    void Write(CDataHandleStream& s) {
        correlation.Write(s);
    }
#elif ZEPHON_FUZZ_FILE_TYPE == 3
    CModelFluid fluid;
    void Read(CDataHandleStream& s) {
        fluid.Read(s);
    }
    void Write(CDataHandleStream& s) {
        fluid.Write(s);
    }
#elif ZEPHON_FUZZ_FILE_TYPE == 4
    CAlphaBetaCurvesList curves;
    CAlphaBetaPointsList points;
    CAlphaBetaCorrelationsList correlations;
    CPlotFormat format;
    void Read(CDataHandleStream& s) {
        curves.Read(s);
        points.Read(s);
        correlations.Read(s);
        format.Read(s);
    }
    void Write(CDataHandleStream& s) {
        curves.Write(s);
        points.Write(s);
        correlations.Write(s);
        format.Write(s);
        s.NextLine();
    }
#elif ZEPHON_FUZZ_FILE_TYPE == 5
    CPlotFormat format;
    CPhaseDiagramsList diagrams;
    CAqueousIsochorsList aqueous;
    void Read(CDataHandleStream& s) {
        format.Read(s);
        diagrams.Read(s);
        if (s.ReadWordIf(kAqueousSectionWord)) aqueous.Read(s);
    }
    void Write(CDataHandleStream& s) {
        format.Write(s);
        s.NextLine();
        diagrams.Write(s);
        if (aqueous.Count() > 0) {
            s << kAqueousSectionWord;
            aqueous.Write(s);
        }
    }
#elif ZEPHON_FUZZ_FILE_TYPE == 6
#else
#error "unknown ZEPHON_FUZZ_FILE_TYPE"
#endif
};

#if ZEPHON_FUZZ_FILE_TYPE == 6
// CSV is refused whole or read whole: what was read is written as text that reads back as itself.
std::string ReadAndWrite(const std::string& text) {
    std::vector<std::unique_ptr<CInclusionRecordEx>> inclusions;
    CTextProblem problem;
    if (!ReadInclusionsCsv(text, true, inclusions, problem)) return WriteInclusionsCsv({}, ',');
    std::vector<const CInclusionRecordEx*> view;
    for (const auto& inclusion : inclusions)
        view.push_back(inclusion.get());
    return WriteInclusionsCsv(view, ',');
}
#else
std::string ReadAndWrite(const std::string& text) {
    auto in = CDataHandleStream::FromText(text);
    FileContent content;
    content.Read(in);
    CDataHandleStream out;
    content.Write(out);
    return out.Text();
}
#endif

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    // Whatever was read from damaged input is written in a form that reads back unchanged after one
    // more pass (the first pass may still normalise numbers and absent lists).
    const std::string first = ReadAndWrite(input);
    const std::string second = ReadAndWrite(first);
    const std::string third = ReadAndWrite(second);
    if (second != third) {
        std::fprintf(stderr, "written text does not read back unchanged\n");
        std::abort();
    }
    return 0;
}

#include "corpus_replay.hpp"
