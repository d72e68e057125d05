// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// How the cells of a data table are edited and drawn: number and name cells in a line edit (its
// text selected), the homogenisation type and component names in drop-down lists, and the buttons
// that open a row's sub-table.

#include <QStyledItemDelegate>
#include <functional>

class CTableItemModel;

class CTableDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    CTableDelegate(CTableItemModel& model, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
    // Whether whole rows (or several cells) are selected: an editor then leaves Copy and Paste to
    // the table, which copies and pastes rows.
    void SetRowsSelected(std::function<bool()> rowsSelected) { mRowsSelected = std::move(rowsSelected); }

  protected:
    bool eventFilter(QObject* editor, QEvent* event) override;

  signals:
    // The button of a row was pressed.
    void ButtonClicked(int row);

  private:
    CTableItemModel& mModel;
    std::function<bool()> mRowsSelected;
};
