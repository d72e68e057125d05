// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The kinds of change a table makes to a record list: a row comes, a row goes, a row's values
// change, a list's content is replaced, and several changes as one.

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "app/table_session.hpp"
#include "base/data_list.hpp"

// A row that comes or goes: inserting a record at a row, or removing the record of a row; taking it
// back does the opposite. The record belongs to the change while it is not in the list.
template <class Record> class CRowChange : public CTableChange {
  public:
    // Inserts the record at the row.
    CRowChange(CTableSession& session, std::string text, CDataList<Record>& list,
               std::unique_ptr<Record> record, long row)
        : CTableChange(session, std::move(text)), mList(list), mRecord(record.release()), mRow(row),
          mInserts(true), mInList(false) {}
    // Removes the record of the row.
    CRowChange(CTableSession& session, std::string text, CDataList<Record>& list, long row)
        : CTableChange(session, std::move(text)), mList(list), mRecord(list.At(row)), mRow(row),
          mInserts(false), mInList(true) {}
    ~CRowChange() override {
        if (!mInList) delete mRecord;
    }
    void Apply() override { mInserts ? Put() : Take(); }
    void Revert() override { mInserts ? Take() : Put(); }

  private:
    void Put() {
        Session().Broadcast({&mList, CListEventKind::AboutToInsert, mRow, 1});
        mList.InsertAt(mRow, mRecord);
        mInList = true;
        Session().Broadcast({&mList, CListEventKind::Inserted, mRow, 1});
    }
    void Take() {
        Session().Broadcast({&mList, CListEventKind::AboutToRemove, mRow, 1});
        mList.Remove(mRecord);
        mInList = false;
        Session().Broadcast({&mList, CListEventKind::Removed, mRow, 1});
    }

    CDataList<Record>& mList;
    Record* mRecord;
    long mRow;
    bool mInserts;
    bool mInList;
};

// Sets the values of one record: `assign` copies a snapshot of values into the record.
template <class Record, class Values> class CEditRowChange : public CTableChange {
  public:
    using Assign = std::function<void(Record&, const Values&)>;
    CEditRowChange(CTableSession& session, std::string text, CDataList<Record>& list, Record& record,
                   Values before, Values after, Assign assign)
        : CTableChange(session, std::move(text)), mList(list), mRecord(record), mBefore(std::move(before)),
          mAfter(std::move(after)), mAssign(std::move(assign)) {}
    void Apply() override { Set(mAfter); }
    void Revert() override { Set(mBefore); }

  private:
    void Set(const Values& values) {
        mAssign(mRecord, values);
        Session().Broadcast({&mList, CListEventKind::Changed, mList.IndexOf(&mRecord), 1});
    }

    CDataList<Record>& mList;
    Record& mRecord;
    Values mBefore;
    Values mAfter;
    Assign mAssign;
};

// Replaces the whole content of a list by other records; taking it back swaps them again. The
// records not in the list belong to the change.
template <class Record> class CReplaceListChange : public CTableChange {
  public:
    CReplaceListChange(CTableSession& session, std::string text, CDataList<Record>& list,
                       std::vector<std::unique_ptr<Record>> replacement)
        : CTableChange(session, std::move(text)), mList(list) {
        for (auto& record : replacement)
            mOther.push_back(record.release());
    }
    ~CReplaceListChange() override {
        for (Record* record : mOther)
            delete record;
    }
    void Apply() override { Swap(); }
    void Revert() override { Swap(); }

  private:
    void Swap() {
        Session().Broadcast({&mList, CListEventKind::AboutToReset, 0, mList.Count()});
        std::vector<Record*> held(mList.begin(), mList.end());
        mList.RemoveAll();
        for (Record* record : mOther)
            mList.Add(record);
        mOther = std::move(held);
        Session().Broadcast({&mList, CListEventKind::Reset, 0, mList.Count()});
    }

    CDataList<Record>& mList;
    std::vector<Record*> mOther;
};

// Several changes as one step, applied in order and taken back in reverse order; `after` runs
// after both (to keep values derived from the records up to date).
class CCompositeChange : public CTableChange {
  public:
    CCompositeChange(CTableSession& session, std::string text, std::function<void()> after = {})
        : CTableChange(session, std::move(text)), mAfter(std::move(after)) {}
    void Add(std::unique_ptr<CTableChange> change) { mChanges.push_back(std::move(change)); }
    bool IsEmpty() const { return mChanges.empty(); }
    void Apply() override {
        for (auto& change : mChanges)
            change->Apply();
        if (mAfter) mAfter();
    }
    void Revert() override {
        for (auto it = mChanges.rbegin(); it != mChanges.rend(); ++it)
            (*it)->Revert();
        if (mAfter) mAfter();
    }

  private:
    std::vector<std::unique_ptr<CTableChange>> mChanges;
    std::function<void()> mAfter;
};
