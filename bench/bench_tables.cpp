// SPDX-License-Identifier: BSD-3-Clause
// The inclusion table of a 5 000-inclusion file. Without a toolkit: opening the file into its
// document and table model (with the texts of the first screen of rows), and the texts of every cell.
// In the desktop application, offscreen: opening the file into its table window and painting it
// once, and repainting the table scrolled by a page each time into an image.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <filesystem>
#include <string>

#include "app/table_inclusion_models.hpp"
#include "documents/data_documents.hpp"
#include "five_thousand_inclusions.hpp"
#include "gui/shell/main_window.hpp"
#include "gui/shell/qt_services.hpp"
#include "gui/shell/zephon_app.hpp"
#include "gui/tables/table_window.hpp"
#include "silent_services.hpp"

namespace {

constexpr long kScreenRows = 40;

void BM_OpenInclusionTable(benchmark::State& state) {
    const auto& path = InclusionFile();
    SilentServices services;
    std::size_t characters = 0;
    for (auto _ : state) {
        CInclusionDataDocument document(services);
        if (!document.OnOpenDocument(path)) state.SkipWithError("cannot open");
        CTableHistory history(document);
        CTableSession session(document, history);
        CInclusionTableModel model(session, document);
        for (long row = 0; row < kScreenRows; ++row)
            for (int column = 0; column < model.ColumnCount(); ++column)
                characters += model.CellText(row, column).size();
        benchmark::DoNotOptimize(characters);
    }
    state.counters["rows"] = static_cast<double>(kInclusions);
}
BENCHMARK(BM_OpenInclusionTable)->Unit(benchmark::kMillisecond);

void BM_InclusionTableAllCellTexts(benchmark::State& state) {
    SilentServices services;
    CInclusionDataDocument document(services);
    if (!document.OnOpenDocument(InclusionFile())) state.SkipWithError("cannot open");
    CTableHistory history(document);
    CTableSession session(document, history);
    CInclusionTableModel model(session, document);
    std::size_t characters = 0;
    for (auto _ : state) {
        for (long row = 0; row < model.RowCount(); ++row)
            for (int column = 0; column < model.ColumnCount(); ++column)
                characters += model.CellText(row, column).size();
        benchmark::DoNotOptimize(characters);
    }
    state.counters["cells"] = static_cast<double>(model.RowCount() * model.ColumnCount());
}
BENCHMARK(BM_InclusionTableAllCellTexts)->Unit(benchmark::kMillisecond);

// ---- in the desktop application ----

// The application without its start-up picture and with its log in a folder of its own.
struct DesktopApp {
    QTemporaryDir folder;
    CZephonApp app{[this] {
        CZephonApp::Options options;
        options.splash = false;
        options.logFolder = folder.path().toStdString();
        return options;
    }()};

    CTableWindow* Open(const std::filesystem::path& file) {
        app.OpenFiles({QString::fromStdString(file.string())});
        CWDocument* document = app.Core().FindDocument(file);
        for (CDocumentWindow* window : app.MainWindow().DocumentWindows())
            if (window->Document() == document) return dynamic_cast<CTableWindow*>(window);
        return nullptr;
    }
    void CloseAll() { app.Core().CloseAllDocuments(); }
};

constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;

void BM_OpenInclusionTableWindow(benchmark::State& state) {
    const auto& path = InclusionFile();
    DesktopApp desktop;
    desktop.app.MainWindow().resize(1200, 900);
    QImage image(kWindowWidth, kWindowHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        CTableWindow* table = desktop.Open(path);
        if (table == nullptr) {
            state.SkipWithError("no table window");
            break;
        }
        table->parentWidget()->resize(kWindowWidth, kWindowHeight);
        table->render(&image);
        state.PauseTiming();
        desktop.CloseAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(kInclusions);
}
BENCHMARK(BM_OpenInclusionTableWindow)->Unit(benchmark::kMillisecond);

void BM_RepaintScrolledInclusionTable(benchmark::State& state) {
    DesktopApp desktop;
    desktop.app.MainWindow().resize(1200, 900);
    CTableWindow* table = desktop.Open(InclusionFile());
    if (table == nullptr) {
        state.SkipWithError("no table window");
        return;
    }
    auto* sub = qobject_cast<QMdiSubWindow*>(table->parentWidget());
    sub->resize(kWindowWidth, kWindowHeight);
    QCoreApplication::processEvents();
    QImage image(table->size(), QImage::Format_ARGB32_Premultiplied);
    QScrollBar* bar = table->View()->verticalScrollBar();
    for (auto _ : state) {
        const int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        table->render(&image);
    }
    state.counters["visible_rows"] = bar->pageStep();
    desktop.CloseAll();
}
BENCHMARK(BM_RepaintScrolledInclusionTable)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir profile;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", profile.path().toLocal8Bit());
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
