// The inclusion table of a 5 000-inclusion file: opening the file into its document and table model
// (with the texts of the first screen of rows), and the texts of every cell, as a view that shows all
// rows once would ask for them.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/table_inclusion_models.hpp"
#include "documents/data_documents.hpp"
#include "silent_services.hpp"

namespace {

constexpr long kInclusions = 5000;
constexpr long kScreenRows = 40;

// A file of 5 000 inclusions with 0 to 7 bubble-volume measurements each, written once.
const std::filesystem::path& InclusionFile() {
    static const std::filesystem::path path = [] {
        SilentServices services;
        CInclusionDataDocument document(services);
        for (long i = 0; i < kInclusions; ++i) {
            auto* inclusion = new CInclusionRecordEx;
            inclusion->mInclusionName = "FI-" + std::to_string(i + 1);
            inclusion->mTh = 60 + 0.01 * static_cast<double>(i % 9000);
            inclusion->mFv = 2 + static_cast<double>(i % 17);
            inclusion->mTv = 20;
            inclusion->mHomog = i % 5 != 0;
            inclusion->mCO2 = 0.1 * static_cast<double>(i % 30);
            for (long k = 0; k < i % 8; ++k)
                inclusion->mVolumeDataList.Add(new CVolumeRecord(20.0 + 15.0 * k, 10.0 - k));
            document.mInclusionList.Add(inclusion);
        }
        const auto file = std::filesystem::temp_directory_path() / "zephon-bench-5000.inc";
        if (!document.OnSaveDocument(file)) std::abort();
        return file;
    }();
    return path;
}

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

} // namespace

BENCHMARK_MAIN();
