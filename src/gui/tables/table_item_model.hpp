// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// A data table as Qt's table views see it: the headless table model's cells, titles and rows, plus
// a last column of buttons when the rows open a sub-table ("Volume", "Composition").

#include <QAbstractTableModel>

#include "app/table_model.hpp"

class CTableItemModel : public QAbstractTableModel, public CTableObserver {
    Q_OBJECT

  public:
    explicit CTableItemModel(CTableModel& table, QObject* parent = nullptr);
    ~CTableItemModel() override;

    CTableModel& Table() const { return mTable; }
    // The column of the sub-table buttons, -1 when there is none.
    int ButtonColumn() const { return mTable.SubTableButton() != nullptr ? mTable.ColumnCount() : -1; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Typed text goes through the table model; a refused text changes nothing and is told.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    void OnTableEvent(const CListEvent& event) override;

  signals:
    void Refused(const QString& reason);
    // A typed text went into its record.
    void Accepted();

  private:
    CTableModel& mTable;
};
