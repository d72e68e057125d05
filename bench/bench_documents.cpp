// SPDX-License-Identifier: BSD-3-Clause
// Opening a phase-diagram document of 20 computed envelopes and 40 isochores from its file and
// drawing it to a canvas that discards everything (so only the document and view work is timed).
#include "documents/phase_diag_document.hpp"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "phase_diagram_fixture.hpp"

namespace {

void BM_OpenAndDrawPhaseDiagramDocument(benchmark::State& state) {
    const auto& path = TwentyEnvelopesFile();
    SilentServices services;
    long diagrams = 0, objects = 0;
    std::size_t calls = 0;
    for (auto _ : state) {
        CPhaseDiagDocument document(services);
        document.OnOpenDocument(path);
        CPhaseDiagView& view = document.GetPlotView();
        view.SetClientRect({0, 0, 1000, 700});
        NullCanvas canvas;
        view.Draw(canvas);
        diagrams = document.mPhaseDiagramsList.Count();
        objects = static_cast<long>(view.GetGraphObjects().size());
        calls = canvas.calls;
        benchmark::DoNotOptimize(calls);
    }
    state.counters["diagrams"] = static_cast<double>(diagrams);
    state.counters["graph_objects"] = static_cast<double>(objects);
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(path));
    state.counters["draw_calls"] = static_cast<double>(calls);
}
BENCHMARK(BM_OpenAndDrawPhaseDiagramDocument)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
