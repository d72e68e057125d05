// SPDX-License-Identifier: BSD-3-Clause
#include "gui/tables/table_delegate.hpp"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include "gui/tables/table_item_model.hpp"

namespace {

// The button of a row, inside its cell.
QRect ButtonRect(const QRect& cell) {
    return cell.adjusted(2, 1, -2, -1);
}

} // namespace

CTableDelegate::CTableDelegate(CTableItemModel& model, QObject* parent)
    : QStyledItemDelegate(parent), mModel(model) {}

QWidget* CTableDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
    if (index.column() == mModel.ButtonColumn()) return nullptr;
    const CCellKind kind = mModel.Table().Column(index.column()).kind;
    if (kind == CCellKind::Homog || kind == CCellKind::Component) {
        auto* list = new QComboBox(parent);
        for (const std::string& choice : mModel.Table().Choices(index.column()))
            list->addItem(QString::fromStdString(choice));
        // A component that is not in the list may be typed.
        list->setEditable(kind == CCellKind::Component);
        list->setInsertPolicy(QComboBox::NoInsert);
        // A choice is in the record at once. (Qt makes editors in a const function; the delegate
        // itself is not changed, only its signal sent.)
        auto* self = const_cast<CTableDelegate*>(this);
        connect(list, &QComboBox::activated, self, [self, list] { emit self->commitData(list); });
        return list;
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void CTableDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        const int at = list->findText(text);
        if (at >= 0)
            list->setCurrentIndex(at);
        else
            list->setEditText(text);
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) line->selectAll();
}

void CTableDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const {
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, list->currentText(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

void CTableDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    if (index.column() != mModel.ButtonColumn()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionButton button;
    button.rect = ButtonRect(option.rect);
    button.text = index.data(Qt::DisplayRole).toString();
    button.state = QStyle::State_Enabled | QStyle::State_Raised;
    button.fontMetrics = option.fontMetrics;
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_PushButton, &button, painter, widget);
}

bool CTableDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) {
    if (index.column() != mModel.ButtonColumn())
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            ButtonRect(option.rect).contains(mouse->position().toPoint())) {
            emit ButtonClicked(index.row());
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit ButtonClicked(index.row());
            return true;
        }
    }
    return false;
}

bool CTableDelegate::eventFilter(QObject* editor, QEvent* event) {
    // Not taking the key over lets the table's own Copy or Paste shortcut run.
    if (event->type() == QEvent::ShortcutOverride && mRowsSelected && mRowsSelected()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste)) return true;
    }
    return QStyledItemDelegate::eventFilter(editor, event);
}
