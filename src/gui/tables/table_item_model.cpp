// SPDX-License-Identifier: BSD-3-Clause
#include "gui/tables/table_item_model.hpp"

CTableItemModel::CTableItemModel(CTableModel& table, QObject* parent)
    : QAbstractTableModel(parent), mTable(table) {
    mTable.SetObserver(this);
}

CTableItemModel::~CTableItemModel() {
    mTable.SetObserver(nullptr);
}

int CTableItemModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(mTable.RowCount());
}

int CTableItemModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : mTable.ColumnCount() + (ButtonColumn() >= 0 ? 1 : 0);
}

QVariant CTableItemModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int column = index.column();
    if (column == ButtonColumn()) {
        if (role == Qt::DisplayRole) return QString(mTable.SubTableButton());
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(mTable.CellText(index.row(), column));
    case Qt::EditRole:
        return QString::fromStdString(mTable.EditText(index.row(), column));
    case Qt::TextAlignmentRole:
        if (mTable.Column(column).kind == CCellKind::Number)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        if (mTable.Column(column).kind == CCellKind::Homog) return QVariant::fromValue(Qt::AlignCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant CTableItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical) return section + 1;
    if (section >= 0 && section < mTable.ColumnCount())
        return QString::fromStdString(mTable.Column(section).title);
    return QString();
}

Qt::ItemFlags CTableItemModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    if (index.column() == ButtonColumn()) return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool CTableItemModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() == ButtonColumn()) return false;
    const CEditOutcome outcome = mTable.EditCell(index.row(), index.column(), value.toString().toStdString());
    if (!outcome.accepted) {
        emit Refused(QString::fromStdString(outcome.reason));
        return false;
    }
    emit Accepted();
    return true;
}

void CTableItemModel::OnTableEvent(const CListEvent& event) {
    const int first = static_cast<int>(event.first);
    const int last = static_cast<int>(event.first + event.count - 1);
    switch (event.kind) {
    case CListEventKind::AboutToInsert:
        beginInsertRows({}, first, last);
        break;
    case CListEventKind::Inserted:
        endInsertRows();
        break;
    case CListEventKind::AboutToRemove:
        beginRemoveRows({}, first, last);
        break;
    case CListEventKind::Removed:
        endRemoveRows();
        break;
    case CListEventKind::AboutToReset:
        beginResetModel();
        break;
    case CListEventKind::Reset:
        endResetModel();
        break;
    case CListEventKind::Changed:
        if (event.count > 0) emit dataChanged(index(first, 0), index(last, columnCount() - 1));
        break;
    }
}
