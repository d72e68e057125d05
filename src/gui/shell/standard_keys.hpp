// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The keys of the standard commands (Open, Save, Undo, Copy, Select all, Help...): those the
// desktop gives them (QKeySequence::StandardKey), plus the usual ones where a desktop has none
// (Save as: Ctrl+Shift+S, Exit: Ctrl+Q) or that the menus always had. A key the menus give to one
// of the program's own commands stays there: a desktop's secondary key (Ctrl+Y for Redo, Ctrl+D
// for Delete) does not take it away.

#include <QKeySequence>
#include <QList>
#include <map>

#include "app/app_commands.hpp"

class QAction;

// Sets the keys of every standard command among the actions, once all of them have their own.
// Ctrl+A is the exception: both Select all and "Beta(Alpha) Curve..." keep it (SelectAllOwnsCtrlA
// decides which holds it at a time).
void BindStandardKeys(const std::map<CAppCommand, QAction*>& actions);

// Ctrl+A selects all where there is something to select, and opens the alpha-beta panel
// elsewhere: the key is on one of the two actions at a time, so that it is never ambiguous.
void SelectAllOwnsCtrlA(const std::map<CAppCommand, QAction*>& actions, bool selectAll);
