// SPDX-License-Identifier: BSD-3-Clause
#include "app/table_model.hpp"

#include <algorithm>

#include "app/table_formats.hpp"
#include "documents/w_document.hpp"

CTableModel::CTableModel(CTableSession& session, const void* listKey, std::vector<CColumnRule> columns)
    : mSession(session), mListKey(listKey), mColumns(std::move(columns)) {
    mSession.AddListener(this);
}

CTableModel::~CTableModel() {
    mSession.RemoveListener(this);
}

std::string CTableModel::EditText(long row, int column) const {
    if (row < 0 || row >= RowCount()) return {};
    const CCellValue value = ValueAt(row, column);
    switch (Column(column).kind) {
    case CCellKind::Number:
        return NumberCellText(value.number);
    case CCellKind::Homog:
        return HomogText(static_cast<int>(value.number));
    case CCellKind::Name:
    case CCellKind::Component:
        break;
    }
    return value.text;
}

std::vector<std::string> CTableModel::Choices(int column) const {
    switch (Column(column).kind) {
    case CCellKind::Homog:
        return {"L", "G"};
    case CCellKind::Component:
        return {ComponentChoices().begin(), ComponentChoices().end()};
    case CCellKind::Name:
    case CCellKind::Number:
        break;
    }
    return {};
}

CEditOutcome CTableModel::EditCell(long row, int column, std::string_view text) {
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) return {false, ""};
    const CColumnRule& rule = Column(column);
    CCellValue value;
    std::string reason;
    if (!ReadCell(rule, text, CNumberSource::TypedCell, false, value, reason))
        return {false, rule.title + ": " + reason + "; the cell keeps " + CellText(row, column) + "."};
    const CCellValue current = ValueAt(row, column);
    const bool same = (rule.kind == CCellKind::Name || rule.kind == CCellKind::Component)
                          ? value.text == current.text
                          : value.number == current.number;
    if (same) return {};
    if (rule.kind == CCellKind::Name)
        if (const std::string refused = RefusedNames({value.text}, row); !refused.empty())
            return {false, rule.title + ": " + refused + "; the cell keeps " + CellText(row, column) + "."};
    Execute(MakeEdit(row, column, value));
    return {};
}

long CTableModel::AddRow() {
    Execute(MakeAdd());
    return RowCount() - 1;
}

bool CTableModel::DeleteRow(long row) {
    if (row < 0 || row >= RowCount()) return false;
    if (!mSession.Document().Services().AskYesNo(DeleteRowQuestion(row + 1), "")) return false;
    Execute(MakeRemove(row));
    return true;
}

bool CTableModel::Normalize() {
    if (!CanNormalize()) return false;
    auto change = MakeNormalize();
    if (!change) return false;
    Execute(std::move(change));
    return true;
}

std::string CTableModel::CopyRows(std::span<const long> rows) const {
    std::vector<std::string> cells;
    for (const CColumnRule& column : mColumns)
        cells.push_back(column.title);
    std::string text = JoinCells(cells, '\t');
    for (long row : rows) {
        if (row < 0 || row >= RowCount()) continue;
        cells.clear();
        for (int c = 0; c < ColumnCount(); ++c)
            cells.push_back(EditText(row, c));
        text += JoinCells(cells, '\t');
    }
    return text;
}

CEditOutcome CTableModel::Paste(std::string_view text, long firstRow) {
    CTableReadOptions options;
    options.headerRequired = false;
    options.pairs = PastedPairs();
    CTableReading reading;
    CTextProblem problem;
    if (!ReadTableRows(text, mColumns, options, reading, problem))
        return {false, "Nothing was pasted: " + problem.Text() + "."};
    if (reading.rows.empty()) return {false, "Nothing was pasted: the text holds no rows."};
    long row = firstRow < 0 || firstRow > RowCount() ? RowCount() : firstRow;
    const auto name = std::find_if(mColumns.begin(), mColumns.end(),
                                   [](const CColumnRule& rule) { return rule.kind == CCellKind::Name; });
    if (name != mColumns.end()) {
        std::vector<std::string> names;
        for (const CTableRow& values : reading.rows)
            names.push_back(values.cells[static_cast<std::size_t>(name - mColumns.begin())].text);
        if (const std::string refused = RefusedNames(names, row); !refused.empty())
            return {false, "Nothing was pasted: " + refused + "."};
    }
    auto step = std::make_unique<CCompositeChange>(mSession, "Paste");
    for (const CTableRow& values : reading.rows) {
        step->Add(row < RowCount() ? MakeOverwrite(row, values) : MakeAppend(row, values));
        ++row;
    }
    Execute(std::move(step));
    return {};
}

void CTableModel::Execute(std::unique_ptr<CTableChange> change) {
    if (auto after = AfterEachChange()) {
        auto wrapped = std::make_unique<CCompositeChange>(mSession, change->Text(), std::move(after));
        wrapped->Add(std::move(change));
        change = std::move(wrapped);
    }
    mSession.Execute(std::move(change));
}

void CTableModel::OnListEvent(const CListEvent& event) {
    if (event.list != mListKey) return;
    if (event.kind == CListEventKind::Inserted || event.kind == CListEventKind::Removed ||
        event.kind == CListEventKind::Reset)
        ListChanged();
    if (mObserver != nullptr) mObserver->OnTableEvent(event);
}
