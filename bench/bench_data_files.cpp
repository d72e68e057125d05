// SPDX-License-Identifier: BSD-3-Clause
// Writing and reading a phase-diagram file of 20 diagrams, each with two 200-point envelope branches
// of a 17-component fluid and a few isochores. Reports the text throughput in bytes per second.
#include "data/phase_diagram_record.hpp"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>

namespace {

std::unique_ptr<CIsopleth> MakeBranch(int state, double shift) {
    auto branch = std::make_unique<CIsopleth>();
    branch->mState = state;
    branch->mTh = 100 + shift;
    for (int i = 0; i < 17; ++i)
        branch->mxref.push_back(0.01 * (i + 1) + shift * 1e-4);
    for (int k = 0; k < 200; ++k) {
        auto* point = new CIsoplethPoint;
        point->mT = -50 + 2.1 * k + shift;
        point->mP = 150 * std::sin(k * 0.0157) + 1;
        point->mLiquidV = 1e-4 * (1 + 0.001 * k);
        point->mVapourV = 1e-2 / (1 + 0.01 * k);
        for (int i = 0; i < 17; ++i)
            point->mz.push_back(0.0123456 * (i + 1) / (1 + 0.002 * k));
        branch->Add(point);
    }
    return branch;
}

std::string MakeFileText() {
    CPhaseDiagramsList list;
    for (int d = 0; d < 20; ++d) {
        auto* diagram = new CPhaseDiagram;
        diagram->SetNameByDefault(d, 0.5 + 0.01 * d, 0.25);
        auto model = std::make_unique<CAlphaBetaModel>();
        model->mAlpha = 0.5 + 0.01 * d;
        model->mBeta = 0.25;
        diagram->mThermoModel.SetAlphaBetaModel(std::move(model));
        diagram->mLiquidIsopleth = MakeBranch(1, d);
        diagram->mVapourIsopleth = MakeBranch(0, d + 0.5);
        diagram->mBiphIsochorsList = std::make_unique<CIsochorsList>();
        diagram->mMonoIsochorsList = std::make_unique<CIsochorsList>();
        for (int i = 0; i < 3; ++i) {
            auto* isochor = new CIsochor;
            isochor->mName = "Isochore " + std::to_string(i);
            for (int k = 0; k < 50; ++k)
                isochor->Add(new CIsochorPoint(80 + 4 * k, 10 + 12.5 * k, 1.2e-4));
            diagram->mMonoIsochorsList->Add(isochor);
        }
        list.Add(diagram);
    }
    CDataHandleStream out;
    list.Write(out);
    return out.Text();
}

void BM_WritePhaseDiagramFile(benchmark::State& state) {
    CPhaseDiagramsList list;
    {
        auto in = CDataHandleStream::FromText(MakeFileText());
        list.Read(in);
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        CDataHandleStream out;
        list.Write(out);
        bytes += out.Text().size();
        benchmark::DoNotOptimize(out.Text().data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(BM_WritePhaseDiagramFile)->Unit(benchmark::kMillisecond);

void BM_ReadPhaseDiagramFile(benchmark::State& state) {
    const std::string text = MakeFileText();
    for (auto _ : state) {
        auto in = CDataHandleStream::FromText(text);
        CPhaseDiagramsList list;
        list.Read(in);
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetBytesProcessed(static_cast<int64_t>(text.size()) * state.iterations());
}
BENCHMARK(BM_ReadPhaseDiagramFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
