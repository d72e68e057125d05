// SPDX-License-Identifier: BSD-3-Clause
// What a call from Python costs beside the same calculation in C++: the phase envelope of an oil,
// the alpha-beta curve of one inclusion and an aqueous isochore of 100 points, each once through
// the zephon module (called as Python calls it, arguments and results converted) and once through
// the layers it binds; and a `gor` from Python against starting zephon-cli for it. Wall time, each
// pair in one program; the target is a ratio: Python at most 1.1 times C++, and zephon-cli at least
// 20 times Python for `gor`.
#include <benchmark/benchmark.h>
#include <pybind11/embed.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include "aqueous/trapping.hpp"
#include "cli/alpha_beta_curves.hpp"
#include "cli/fluid_calculations.hpp"
#include "documents/phase_diag_document.hpp"
#include "silent_services.hpp"

extern char** environ;

namespace py = pybind11;
using namespace zephon;

namespace {

constexpr double kAlpha = 0.82, kBeta = 0.2, kCO2 = 1.0;

py::module_& Module() {
    static py::module_ zephonModule = py::module_::import("zephon");
    return zephonModule;
}

void BM_EnvelopeCpp(benchmark::State& state) {
    const cli::CFluidSpec fluid = cli::CFluidSpec::AlphaBeta(kAlpha, kBeta, kCO2);
    for (auto _ : state) {
        SilentServices services;
        CPhaseDiagDocument document(services);
        cli::MakeCalculation(fluid);
        benchmark::DoNotOptimize(
            document.CalculateImmiscibilityLoop(1, kAlpha, kBeta, kCO2 / 100, 0, 0, nullptr, ""));
    }
}
BENCHMARK(BM_EnvelopeCpp)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EnvelopePython(benchmark::State& state) {
    py::object envelope = Module().attr("envelope");
    for (auto _ : state)
        benchmark::DoNotOptimize(envelope(kAlpha, kBeta, py::arg("co2") = kCO2).ptr());
}
BENCHMARK(BM_EnvelopePython)->Unit(benchmark::kMillisecond)->UseRealTime();

CInclusionRecord FI2() {
    CInclusionRecord inclusion;
    inclusion.mInclusionName = "FI-2";
    inclusion.mTh = 89.3, inclusion.mFv = 11.67, inclusion.mTv = 20, inclusion.mCO2 = 1;
    return inclusion;
}

void BM_CurveCpp(benchmark::State& state) {
    const CInclusionRecord inclusion = FI2();
    for (auto _ : state)
        benchmark::DoNotOptimize(cli::TraceAlphaBetaCurves({inclusion}, 1).size());
}
BENCHMARK(BM_CurveCpp)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CurvePython(benchmark::State& state) {
    py::object inclusion = Module().attr("Inclusion")("FI-2", py::arg("Th") = 89.3, py::arg("Fv") = 11.67,
                                                      py::arg("Tv") = 20.0, py::arg("CO2") = 1.0);
    py::object abcurve = Module().attr("abcurve");
    for (auto _ : state)
        benchmark::DoNotOptimize(abcurve(inclusion).ptr());
}
BENCHMARK(BM_CurvePython)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AqueousIsochoreCpp(benchmark::State& state) {
    const aqueous::AqueousMeasurement measurement{140.0, aqueous::SalinitySource::IceMelting, -6.6,
                                                  aqueous::HostMineral::Quartz, false};
    for (auto _ : state) {
        const aqueous::AqueousIsochore::Made made = aqueous::aqueous_isochore_of(measurement);
        benchmark::DoNotOptimize(made.isochore->trace(400, 100).data());
    }
}
BENCHMARK(BM_AqueousIsochoreCpp)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AqueousIsochorePython(benchmark::State& state) {
    py::object aqueous = Module().attr("aqueous");
    for (auto _ : state)
        benchmark::DoNotOptimize(aqueous(140.0, py::arg("tm_ice") = -6.6, py::arg("host") = "quartz").ptr());
}
BENCHMARK(BM_AqueousIsochorePython)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GorPython(benchmark::State& state) {
    py::object gor = Module().attr("gor");
    for (auto _ : state)
        benchmark::DoNotOptimize(gor(kAlpha, kBeta, py::arg("co2") = kCO2).ptr());
}
BENCHMARK(BM_GorPython)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The tool started for one `gor`, its output thrown away, as a script would run it.
void BM_GorStartingTheTool(benchmark::State& state) {
    const char* arguments[] = {ZEPHON_CLI_PROGRAM, "gor",  "--alpha", "0.82", "--beta", "0.2", "--co2", "1",
                               "--json",           nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t child = 0;
        if (posix_spawn(&child, ZEPHON_CLI_PROGRAM, &actions, nullptr, const_cast<char**>(arguments),
                        environ) != 0) {
            state.SkipWithError("zephon-cli could not be started");
            break;
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("zephon-cli gor failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(BM_GorStartingTheTool)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    py::scoped_interpreter interpreter;
    py::module_::import("sys").attr("path").attr("insert")(0, ZEPHON_PYTHON_DIR);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
