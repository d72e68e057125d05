// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Every sub-window of the multi-document area has its own menu whose entries bind keys (Close:
// Ctrl+W and Ctrl+F4), once per sub-window. With the same keys on File > Close, Qt would find each
// key ambiguous and run nothing; the menus keep their entries without keys.

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>

inline void UnbindSystemMenuKeys(QMdiSubWindow& sub) {
    if (QMenu* menu = sub.systemMenu())
        for (QAction* action : menu->actions())
            action->setShortcuts({});
}
