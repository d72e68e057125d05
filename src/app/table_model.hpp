// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// One table: a record list of a data document shown in rows and columns, without a toolkit.
//
// The model says what each cell shows and offers, reads what is typed into a cell (a refused text
// leaves the record as it is and gives the reason for the status line), adds and deletes rows,
// normalises, copies rows as tab-separated text and pastes such text, checked as an import is.
// Every change goes to the session as one undoable step. The desktop layer wraps one model in a
// table view and hears of its rows through a CTableObserver.

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/table_changes.hpp"
#include "app/table_session.hpp"
#include "base/data_list.hpp"
#include "data/cell_rules.hpp"
#include "data/delimited_table.hpp"

// Whoever shows a model: told of rows to come, go and change, in the model's own rows.
class CTableObserver {
  public:
    virtual ~CTableObserver() = default;
    virtual void OnTableEvent(const CListEvent& event) = 0;
};

// What became of a typed text, a paste or an import: refused ones say why.
struct CEditOutcome {
    bool accepted = true;
    std::string reason;
};

class CTableModel : public CTableListener {
  public:
    ~CTableModel() override;
    CTableModel(const CTableModel&) = delete;
    CTableModel& operator=(const CTableModel&) = delete;

    void SetObserver(CTableObserver* observer) { mObserver = observer; }
    CTableSession& Session() const { return mSession; }
    // The address of the record list the model shows, as list events name it.
    const void* ListKey() const { return mListKey; }

    std::span<const CColumnRule> Columns() const { return mColumns; }
    int ColumnCount() const { return static_cast<int>(mColumns.size()); }
    const CColumnRule& Column(int column) const { return mColumns[static_cast<std::size_t>(column)]; }
    virtual long RowCount() const = 0;
    // The text a cell shows.
    virtual std::string CellText(long row, int column) const = 0;
    // The text an editor of the cell starts with: numbers in full, so that an edit never rounds.
    std::string EditText(long row, int column) const;
    // The entries a list cell offers (L and G, or the components); empty for other cells.
    std::vector<std::string> Choices(int column) const;
    // The caption of the button that opens a row's sub-table ("Volume", "Composition"), or null.
    virtual const char* SubTableButton() const { return nullptr; }

    // Reads the text into the cell's record as one step. A text that reads as the value the cell
    // holds changes nothing.
    CEditOutcome EditCell(long row, int column, std::string_view text);
    // Appends a row with the table's initial values; its index.
    long AddRow();
    // Asks "Are you sure to remove the data of the ..." and deletes the row on Yes.
    bool DeleteRow(long row);
    virtual bool CanNormalize() const { return false; }
    // Scales the mole percentages to 100; false when there is nothing to scale.
    bool Normalize();
    // A header of the column titles, then the rows, tab-separated, numbers in full.
    virtual std::string CopyRows(std::span<const long> rows) const;
    // Rows of tab-separated text (a header naming the columns is optional): they overwrite the
    // rows from `firstRow` on and the rest are appended (all are appended when `firstRow` is -1 or
    // past the end). The whole text is checked first: a fault pastes nothing.
    CEditOutcome Paste(std::string_view text, long firstRow);

  protected:
    CTableModel(CTableSession& session, const void* listKey, std::vector<CColumnRule> columns);

    // The value a cell holds.
    virtual CCellValue ValueAt(long row, int column) const = 0;
    virtual std::unique_ptr<CTableChange> MakeEdit(long row, int column, const CCellValue& value) = 0;
    virtual std::unique_ptr<CTableChange> MakeAdd() = 0;
    virtual std::unique_ptr<CTableChange> MakeRemove(long row) = 0;
    virtual std::unique_ptr<CTableChange> MakeNormalize() { return nullptr; }
    // A pasted row over an existing row, or as a new row at `row`.
    virtual std::unique_ptr<CTableChange> MakeOverwrite(long row, const CTableRow& values) = 0;
    virtual std::unique_ptr<CTableChange> MakeAppend(long row, const CTableRow& values) = 0;
    // Further numbered pairs of columns a pasted row may carry.
    virtual const CRepeatedColumns* PastedPairs() const { return nullptr; }
    // Runs after every change of this table and after it is taken back (values derived from the
    // records); nothing by default.
    virtual std::function<void()> AfterEachChange() { return {}; }
    // The row cache follows the list.
    virtual void ListChanged() = 0;
    // Why rows cannot take these names: `names` go to the rows from `firstRow` on (over existing
    // rows, then appended). Empty: they can. Tables whose names need not differ accept any.
    virtual std::string RefusedNames(const std::vector<std::string>& /*names*/, long /*firstRow*/) const {
        return {};
    }

    // Hands the change to the session as one step.
    void Execute(std::unique_ptr<CTableChange> change);
    void OnListEvent(const CListEvent& event) override;

  private:
    CTableSession& mSession;
    const void* mListKey;
    std::vector<CColumnRule> mColumns;
    CTableObserver* mObserver = nullptr;
};

// A model over one CDataList, with its rows at hand by index.
template <class Record> class CListTableModel : public CTableModel {
  public:
    long RowCount() const override { return static_cast<long>(mRows.size()); }
    Record* RecordAt(long row) const {
        return row >= 0 && row < RowCount() ? mRows[static_cast<std::size_t>(row)] : nullptr;
    }
    CDataList<Record>& List() const { return mList; }

  protected:
    CListTableModel(CTableSession& session, CDataList<Record>& list, std::vector<CColumnRule> columns)
        : CTableModel(session, &list, std::move(columns)), mList(list) {
        ListChanged();
    }
    void ListChanged() override { mRows.assign(mList.begin(), mList.end()); }
    std::unique_ptr<CTableChange> MakeRemove(long row) override {
        return std::make_unique<CRowChange<Record>>(Session(), "Delete row", mList, row);
    }
    std::unique_ptr<CTableChange> MakeInsert(std::string text, std::unique_ptr<Record> record, long row) {
        return std::make_unique<CRowChange<Record>>(Session(), std::move(text), mList, std::move(record),
                                                    row);
    }
    template <class Values>
    std::unique_ptr<CTableChange> MakeValues(std::string text, long row, Values before, Values after,
                                             typename CEditRowChange<Record, Values>::Assign assign) {
        return std::make_unique<CEditRowChange<Record, Values>>(Session(), std::move(text), mList,
                                                                *RecordAt(row), std::move(before),
                                                                std::move(after), std::move(assign));
    }

  private:
    CDataList<Record>& mList;
    std::vector<Record*> mRows;
};
