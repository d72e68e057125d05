// SPDX-License-Identifier: BSD-3-Clause
#include "data/inclusion_csv.hpp"

#include <algorithm>

namespace {

std::vector<CColumnRule> MakeInclusionColumns() {
    CColumnRule name{"Inclusion", CCellKind::Name};
    CColumnRule homog{"Homog.", CCellKind::Homog};
    std::vector<CColumnRule> columns = {
        name,  TemperatureColumn("Th (°C)"), PercentColumn("% Gas"), TemperatureColumn("Tv (°C)"),
        homog, PercentColumn("% CO2"),       PercentColumn("% N2"),  PercentColumn("% H2S")};
    for (int gas : {kIncCO2, kIncN2, kIncH2S})
        columns[static_cast<std::size_t>(gas)].optional = true;
    return columns;
}

} // namespace

std::span<const CColumnRule> InclusionColumns() {
    static const std::vector<CColumnRule> columns = MakeInclusionColumns();
    return columns;
}

const CRepeatedColumns& VolumeColumnPairs() {
    static const CRepeatedColumns pairs{TemperatureColumn("T# (°C)"), PercentColumn("% Gas #")};
    return pairs;
}

std::string WriteInclusionsCsv(std::span<const CInclusionRecordEx* const> inclusions, char separator) {
    long pairs = 0;
    for (const CInclusionRecordEx* inclusion : inclusions)
        pairs = std::max(pairs, inclusion->mVolumeDataList.Count());
    std::vector<std::string> cells;
    for (const CColumnRule& column : InclusionColumns())
        cells.push_back(column.title);
    for (int n = 1; n <= pairs; ++n) {
        cells.push_back(PairTitle(VolumeColumnPairs().first, n));
        cells.push_back(PairTitle(VolumeColumnPairs().second, n));
    }
    std::string text = JoinCells(cells, separator);
    for (const CInclusionRecordEx* inclusion : inclusions) {
        cells = {inclusion->mInclusionName,      NumberCellText(inclusion->mTh),
                 NumberCellText(inclusion->mFv), NumberCellText(inclusion->mTv),
                 HomogText(inclusion->mHomog),   NumberCellText(inclusion->mCO2),
                 NumberCellText(inclusion->mN2), NumberCellText(inclusion->mH2S)};
        for (const CVolumeRecord* volume : inclusion->mVolumeDataList.mList) {
            cells.push_back(NumberCellText(volume->mT));
            cells.push_back(NumberCellText(volume->mVolume));
        }
        cells.resize(InclusionColumns().size() + 2 * static_cast<std::size_t>(pairs));
        text += JoinCells(cells, separator);
    }
    return text;
}

std::unique_ptr<CInclusionRecordEx> InclusionFromRow(const CTableRow& row) {
    auto inclusion = std::make_unique<CInclusionRecordEx>();
    inclusion->mInclusionName = row.cells[kIncName].text;
    inclusion->mTh = row.cells[kIncTh].number;
    inclusion->mFv = row.cells[kIncFv].number;
    inclusion->mTv = row.cells[kIncTv].number;
    inclusion->mHomog = static_cast<int>(row.cells[kIncHomog].number);
    inclusion->mCO2 = row.cells[kIncCO2].number;
    inclusion->mN2 = row.cells[kIncN2].number;
    inclusion->mH2S = row.cells[kIncH2S].number;
    for (const auto& [t, volume] : row.pairs)
        inclusion->mVolumeDataList.Add(new CVolumeRecord(t.number, volume.number));
    return inclusion;
}

bool ReadInclusionsCsv(std::string_view text, bool headerRequired,
                       std::vector<std::unique_ptr<CInclusionRecordEx>>& inclusions, CTextProblem& problem,
                       const CTextLimits& limits) {
    inclusions.clear();
    CTableReadOptions options;
    options.limits = limits;
    options.headerRequired = headerRequired;
    options.pairs = &VolumeColumnPairs();
    CTableReading reading;
    if (!ReadTableRows(text, InclusionColumns(), options, reading, problem)) return false;
    for (const CTableRow& row : reading.rows)
        inclusions.push_back(InclusionFromRow(row));
    return true;
}
