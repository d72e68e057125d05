// SPDX-License-Identifier: BSD-3-Clause
// Recovery copies of the largest documents: making the text (on the thread that paints, the only
// part a person could notice) and writing it through the safe save (on the writer's thread).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/recovery/recovery_session.hpp"
#include "documents/data_documents.hpp"
#include "documents/phase_diag_document.hpp"
#include "five_thousand_inclusions.hpp"
#include "phase_diagram_fixture.hpp"

namespace {

template <class Document> void CopyText(benchmark::State& state, const std::filesystem::path& file) {
    SilentServices services;
    Document document(services);
    if (!document.OnOpenDocument(file)) state.SkipWithError("cannot open");
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = document.SaveToText();
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

template <class Document> void CopyWrite(benchmark::State& state, const std::filesystem::path& file) {
    SilentServices services;
    Document document(services);
    if (!document.OnOpenDocument(file)) state.SkipWithError("cannot open");
    const std::string text = document.SaveToText();
    std::string error;
    auto session =
        CRecoverySession::Start(std::filesystem::temp_directory_path() / "zephon-bench-recovery", error);
    if (!session) {
        state.SkipWithError(error.c_str());
        return;
    }
    CRecoveryCopy copy;
    copy.number = 1;
    copy.kind = document.Kind();
    copy.title = document.GetTitle();
    copy.file = session->CopyFile(copy.number, copy.kind);
    for (auto _ : state)
        if (!session->Write(copy, text, error)) state.SkipWithError(error.c_str());
    session->Remove(copy.number, copy.kind);
}

void BM_RecoveryTextOfInclusionTable(benchmark::State& state) {
    CopyText<CInclusionDataDocument>(state, InclusionFile());
}
void BM_RecoveryWriteOfInclusionTable(benchmark::State& state) {
    CopyWrite<CInclusionDataDocument>(state, InclusionFile());
}
void BM_RecoveryTextOfPTDiagram(benchmark::State& state) {
    CopyText<CPhaseDiagDocument>(state, TwentyEnvelopesFile());
}
void BM_RecoveryWriteOfPTDiagram(benchmark::State& state) {
    CopyWrite<CPhaseDiagDocument>(state, TwentyEnvelopesFile());
}
BENCHMARK(BM_RecoveryTextOfInclusionTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecoveryWriteOfInclusionTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecoveryTextOfPTDiagram)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecoveryWriteOfPTDiagram)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
