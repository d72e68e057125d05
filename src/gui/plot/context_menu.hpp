// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// A plot view's context menu on the screen: the model's items become actions of a QMenu, greyed
// and checked as the model says, each carrying the number of its command.

#include <QPoint>
#include <optional>
#include <vector>

#include "plot/plot_menu.hpp"

class QMenu;
class QWidget;

// The command number an action of a filled menu stands for (QAction::data).
void FillMenu(QMenu& menu, const std::vector<CMenuItem>& items);

// Opens the menu at a point of the screen and waits for the choice; the chosen command's number,
// or nothing when the menu was dismissed.
std::optional<int> ExecContextMenu(const CPlotContextMenu& model, QWidget* parent, QPoint globalAt);
