// SPDX-License-Identifier: BSD-3-Clause
#include "gui/plot/context_menu.hpp"

#include <QAction>
#include <QMenu>

#include "gui/plot/qpainter_canvas.hpp"
#include "gui/shell/mnemonics.hpp"

void FillMenu(QMenu& menu, const std::vector<CMenuItem>& items) {
    for (const CMenuItem& item : items) {
        switch (item.kind) {
        case CMenuItem::Kind::Separator:
            menu.addSeparator();
            break;
        case CMenuItem::Kind::Popup:
            FillMenu(*menu.addMenu(ToQString(item.caption)), item.items);
            break;
        case CMenuItem::Kind::Command: {
            QAction* action = menu.addAction(ToQString(item.caption));
            action->setData(item.command);
            action->setEnabled(item.enabled);
            action->setCheckable(item.checked);
            action->setChecked(item.checked);
            break;
        }
        }
    }
}

std::optional<int> ExecContextMenu(const CPlotContextMenu& model, QWidget* parent, QPoint globalAt) {
    QMenu menu(parent);
    menu.setObjectName("plotContextMenu");
    menu.setTitle(ToQString(model.name));
    FillMenu(menu, model.items);
    // The documents name the commands; the keyboard reaches each by a letter of its own.
    AssignMnemonics(menu);
    const QAction* chosen = menu.exec(globalAt);
    if (chosen == nullptr || !chosen->data().isValid()) return std::nullopt;
    return chosen->data().toInt();
}
