// SPDX-License-Identifier: BSD-3-Clause
#include "app/table_inclusion_models.hpp"

#include "base/number_field.hpp"
#include "data/inclusion_csv.hpp"
#include "documents/data_documents.hpp"

namespace {

// The number fields of an inclusion by their column (CInclusionRecord, const or not).
template <class Inclusion> auto& NumberField(Inclusion& inclusion, int column) {
    switch (column) {
    case kIncTh:
        return inclusion.mTh;
    case kIncFv:
        return inclusion.mFv;
    case kIncTv:
        return inclusion.mTv;
    case kIncCO2:
        return inclusion.mCO2;
    case kIncN2:
        return inclusion.mN2;
    default:
        return inclusion.mH2S;
    }
}

void AssignFields(CInclusionRecordEx& inclusion, const CInclusionRecord& values) {
    inclusion.CopyFieldsFrom(values);
}

void AssignVolume(CVolumeRecord& volume, const CVolumeRecord& values) {
    volume.mT = values.mT;
    volume.mVolume = values.mVolume;
}

std::vector<CColumnRule> VolumeColumns() {
    return {TemperatureColumn("T (°C)"), PercentColumn("% Gas")};
}

} // namespace

// ---- inclusions ----

CInclusionTableModel::CInclusionTableModel(CTableSession& session, CInclusionDataDocument& document)
    : CListTableModel(session, document.mInclusionList.mInclusionData,
                      std::vector<CColumnRule>(InclusionColumns().begin(), InclusionColumns().end())) {}

std::string CInclusionTableModel::CellText(long row, int column) const {
    const CInclusionRecordEx* inclusion = RecordAt(row);
    if (inclusion == nullptr) return {};
    if (column == kIncName) return inclusion->mInclusionName;
    if (column == kIncHomog) return HomogText(inclusion->mHomog);
    // The value as stored: a file keeps 2 decimals of temperatures and % gas, 3 of gas contents.
    const bool gas = column == kIncCO2 || column == kIncN2 || column == kIncH2S;
    return FormatWithOwnDecimals(NumberField(*inclusion, column), 1, gas ? 3 : 2);
}

CCellValue CInclusionTableModel::ValueAt(long row, int column) const {
    const CInclusionRecordEx& inclusion = *RecordAt(row);
    if (column == kIncName) return {inclusion.mInclusionName};
    if (column == kIncHomog) return {"", static_cast<double>(inclusion.mHomog)};
    return {"", NumberField(inclusion, column)};
}

std::unique_ptr<CTableChange> CInclusionTableModel::MakeEdit(long row, int column, const CCellValue& value) {
    const CInclusionRecord before = *RecordAt(row);
    CInclusionRecord after = before;
    if (column == kIncName)
        after.mInclusionName = value.text;
    else if (column == kIncHomog)
        after.mHomog = static_cast<int>(value.number);
    else
        NumberField(after, column) = value.number;
    return MakeValues<CInclusionRecord>("Edit " + Column(column).title, row, before, after, AssignFields);
}

std::string CInclusionTableModel::RefusedNames(const std::vector<std::string>& names, long firstRow) const {
    const long count = static_cast<long>(names.size());
    for (long i = 0; i < count; ++i) {
        const std::string& name = names[static_cast<std::size_t>(i)];
        for (long j = 0; j < i; ++j)
            if (names[static_cast<std::size_t>(j)] == name) return "the name \"" + name + "\" comes twice";
        for (long row = 0; row < RowCount(); ++row) {
            const bool replaced = row >= firstRow && row < firstRow + count;
            if (!replaced && RecordAt(row)->mInclusionName == name)
                return "the name \"" + name + "\" is that of row " + std::to_string(row + 1);
        }
    }
    return {};
}

std::unique_ptr<CTableChange> CInclusionTableModel::MakeAdd() {
    auto inclusion = std::make_unique<CInclusionRecordEx>();
    // Named by its row, or by the next number no inclusion of the table has.
    long number = RowCount() + 1;
    while (!RefusedNames({"Inclusion" + std::to_string(number)}, RowCount()).empty())
        ++number;
    inclusion->mInclusionName = "Inclusion" + std::to_string(number);
    inclusion->mTh = 100.0;
    inclusion->mFv = 0.0;
    inclusion->mTv = 20.0;
    inclusion->mHomog = 1;
    return MakeInsert("Add row", std::move(inclusion), RowCount());
}

std::unique_ptr<CTableChange> CInclusionTableModel::MakeOverwrite(long row, const CTableRow& values) {
    // The pasted row replaces the inclusion's data, measurements included; its marker stays.
    auto pasted = InclusionFromRow(values);
    auto step = std::make_unique<CCompositeChange>(Session(), "Paste");
    step->Add(MakeValues<CInclusionRecord>("Paste", row, *RecordAt(row), *pasted, AssignFields));
    std::vector<std::unique_ptr<CVolumeRecord>> volumes;
    for (const CVolumeRecord* volume : pasted->mVolumeDataList.mList)
        volumes.push_back(std::make_unique<CVolumeRecord>(volume->mT, volume->mVolume));
    step->Add(std::make_unique<CReplaceListChange<CVolumeRecord>>(
        Session(), "Paste", RecordAt(row)->mVolumeDataList.mList, std::move(volumes)));
    return step;
}

std::unique_ptr<CTableChange> CInclusionTableModel::MakeAppend(long row, const CTableRow& values) {
    return MakeInsert("Paste", InclusionFromRow(values), row);
}

const CRepeatedColumns* CInclusionTableModel::PastedPairs() const {
    return &VolumeColumnPairs();
}

std::string CInclusionTableModel::CopyRows(std::span<const long> rows) const {
    std::vector<const CInclusionRecordEx*> inclusions;
    for (long row : rows)
        if (const CInclusionRecordEx* inclusion = RecordAt(row)) inclusions.push_back(inclusion);
    return WriteInclusionsCsv(inclusions, '\t');
}

CEditOutcome CInclusionTableModel::Import(std::string_view csv) {
    std::vector<std::unique_ptr<CInclusionRecordEx>> inclusions;
    CTextProblem problem;
    if (!ReadInclusionsCsv(csv, true, inclusions, problem))
        return {false, "Nothing was imported: " + problem.Text() + "."};
    if (inclusions.empty()) return {false, "Nothing was imported: the file holds no inclusions."};
    std::vector<std::string> names;
    for (const auto& inclusion : inclusions)
        names.push_back(inclusion->mInclusionName);
    if (const std::string refused = RefusedNames(names, RowCount()); !refused.empty())
        return {false, "Nothing was imported: " + refused + "."};
    auto step = std::make_unique<CCompositeChange>(Session(), "Import");
    long row = RowCount();
    for (auto& inclusion : inclusions)
        step->Add(MakeInsert("Import", std::move(inclusion), row++));
    Execute(std::move(step));
    return {};
}

CEditOutcome CInclusionTableModel::ImportFile(const std::filesystem::path& path) {
    std::string text, error;
    if (!ReadWholeFile(path, text, error))
        return {false, "Nothing was imported from \"" + path.string() + "\": " + error};
    CEditOutcome outcome = Import(text);
    if (!outcome.accepted) outcome.reason = "\"" + path.filename().string() + "\": " + outcome.reason;
    return outcome;
}

std::string CInclusionTableModel::ExportText() const {
    std::vector<const CInclusionRecordEx*> inclusions(List().begin(), List().end());
    return WriteInclusionsCsv(inclusions, ',');
}

bool CInclusionTableModel::ExportFile(const std::filesystem::path& path, std::string& error) const {
    return ReplaceFileContents(path, ExportText(), error);
}

// ---- bubble-volume measurements ----

CVolumeTableModel::CVolumeTableModel(CTableSession& session, CInclusionRecordEx& inclusion)
    : CListTableModel(session, inclusion.mVolumeDataList.mList, VolumeColumns()), mInclusion(inclusion) {}

std::string CVolumeTableModel::CellText(long row, int column) const {
    const CVolumeRecord* volume = RecordAt(row);
    if (volume == nullptr) return {};
    return FormatWithOwnDecimals(column == 0 ? volume->mT : volume->mVolume, 1, 2);
}

CCellValue CVolumeTableModel::ValueAt(long row, int column) const {
    const CVolumeRecord* volume = RecordAt(row);
    return {"", column == 0 ? volume->mT : volume->mVolume};
}

std::unique_ptr<CTableChange> CVolumeTableModel::MakeEdit(long row, int column, const CCellValue& value) {
    const CVolumeRecord before = *RecordAt(row);
    CVolumeRecord after = before;
    (column == 0 ? after.mT : after.mVolume) = value.number;
    return MakeValues<CVolumeRecord>("Edit " + Column(column).title, row, before, after, AssignVolume);
}

std::unique_ptr<CTableChange> CVolumeTableModel::MakeAdd() {
    return MakeInsert("Add row", std::make_unique<CVolumeRecord>(100.0, 0.0), RowCount());
}

std::unique_ptr<CTableChange> CVolumeTableModel::MakeOverwrite(long row, const CTableRow& values) {
    const CVolumeRecord after(values.cells[0].number, values.cells[1].number);
    return MakeValues<CVolumeRecord>("Paste", row, *RecordAt(row), after, AssignVolume);
}

std::unique_ptr<CTableChange> CVolumeTableModel::MakeAppend(long row, const CTableRow& values) {
    return MakeInsert("Paste",
                      std::make_unique<CVolumeRecord>(values.cells[0].number, values.cells[1].number), row);
}
