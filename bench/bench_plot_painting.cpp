// SPDX-License-Identifier: BSD-3-Clause
// Repainting the 20-envelope, 40-isochore P-T document at 1600 x 1000 pixels: through the QPainter
// canvas into an image (what a plot window does for every paint), and into a canvas that discards
// everything (the view's own share of that time).
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include "gui/plot/qpainter_canvas.hpp"
#include "phase_diagram_fixture.hpp"

namespace {

struct OpenDocument {
    SilentServices services;
    CPhaseDiagDocument document{services};
    OpenDocument() {
        document.OnOpenDocument(TwentyEnvelopesFile());
        document.GetPlotView().SetClientRect({0, 0, 1600, 1000});
    }
};

void BM_RepaintPhaseDiagramNullCanvas(benchmark::State& state) {
    OpenDocument open;
    std::size_t calls = 0;
    for (auto _ : state) {
        NullCanvas canvas;
        open.document.GetPlotView().Draw(canvas);
        calls = canvas.calls;
        benchmark::DoNotOptimize(calls);
    }
    state.counters["draw_calls"] = static_cast<double>(calls);
}
BENCHMARK(BM_RepaintPhaseDiagramNullCanvas)->Unit(benchmark::kMillisecond);

void BM_RepaintPhaseDiagramQPainter(benchmark::State& state) {
    OpenDocument open;
    QImage image(1600, 1000, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        CQPainterCanvas canvas(painter);
        open.document.GetPlotView().Draw(canvas);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["graph_objects"] =
        static_cast<double>(open.document.GetPlotView().GetGraphObjects().size());
}
BENCHMARK(BM_RepaintPhaseDiagramQPainter)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Fonts need the application object; no window is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
