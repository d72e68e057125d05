// SPDX-License-Identifier: BSD-3-Clause
// What the alpha-beta panel's fluid page computes on each keystroke in the alpha or beta field:
// the GOR, API gravity and methane content of the fluid typed so far, on a fresh calculation
// interface (a flash at standard conditions). It must stay well below what a person notices
// (20 ms). Counter: the GOR shown, so that a page that computed nothing cannot pass unseen.
#include "app/application_core.hpp"
#include "app/document_kinds.hpp"
#include "app/tool_panels.hpp"
#include "silent_services.hpp"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_FluidPageKeystroke(benchmark::State& state) {
    SilentServices services;
    CApplicationCore core(services);
    core.WindowActivated(core.NewDocument(CDocumentKind::AlphaBetaPlot));
    CAlphaBetaPanelModel panel(core);
    panel.ShowPage(1);
    CAlphaBetaFluidsPage& page = panel.mFluids;
    page.EditField(CAlphaBetaFluidsPage::kBeta, "0.2");
    page.EditField(CAlphaBetaFluidsPage::kCO2, "1.5");
    // Typing 0.8134 digit by digit, and again: each keystroke a new fluid.
    const std::string typed[] = {"0.8", "0.81", "0.813", "0.8134"};
    std::size_t k = 0;
    for (auto _ : state) {
        page.EditField(CAlphaBetaFluidsPage::kAlpha, typed[k++ % std::size(typed)]);
        benchmark::DoNotOptimize(page.Result(CAlphaBetaFluidsPage::kGOR).text);
    }
    std::string gor = page.Result(CAlphaBetaFluidsPage::kGOR).text;
    if (gor.empty()) state.SkipWithError("the page computed no GOR");
    std::erase(gor, ','); // grouped thousands
    state.counters["GOR"] = gor.empty() ? 0.0 : std::stod(gor);
}
BENCHMARK(BM_FluidPageKeystroke)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
