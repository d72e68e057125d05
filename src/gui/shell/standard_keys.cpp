// SPDX-License-Identifier: BSD-3-Clause
#include "gui/shell/standard_keys.hpp"

#include <QAction>
#include <vector>

namespace {

using C = CAppCommand;

struct CStandardCommand {
    CAppCommand command;
    QKeySequence::StandardKey key;
    QList<QKeySequence> usual; // kept whatever the desktop says
};

const std::vector<CStandardCommand>& StandardCommands() {
    using K = QKeySequence;
    static const std::vector<CStandardCommand> commands = {
        {C::FileNew, K::New, {K("Ctrl+N")}},
        {C::FileOpen, K::Open, {K("Ctrl+O")}},
        // The sub-windows' own menus bind neither of these (sub_window_keys.hpp).
        {C::FileClose, K::Close, {K("Ctrl+W"), K("Ctrl+F4")}},
        {C::FileSave, K::Save, {K("Ctrl+S")}},
        {C::FileSaveAs, K::SaveAs, {K("Ctrl+Shift+S")}},
        {C::FilePrint, K::Print, {K("Ctrl+P")}},
        {C::FileExit, K::Quit, {K("Ctrl+Q")}},
        {C::EditUndo, K::Undo, {K("Ctrl+Z"), K("Alt+Backspace")}},
        {C::EditRedo, K::Redo, {K("Ctrl+Shift+Z")}},
        {C::EditCut, K::Cut, {K("Ctrl+X"), K("Shift+Del")}},
        {C::EditCopy, K::Copy, {K("Ctrl+C"), K("Ctrl+Ins")}},
        {C::EditPaste, K::Paste, {K("Ctrl+V"), K("Shift+Ins")}},
        {C::EditClear, K::Delete, {K(Qt::Key_Delete)}},
        {C::EditSelectAll, K::SelectAll, {K("Ctrl+A")}},
        {C::HelpContents, K::HelpContents, {K(Qt::Key_F1)}},
    };
    return commands;
}

bool IsStandard(CAppCommand command) {
    for (const CStandardCommand& standard : StandardCommands())
        if (standard.command == command) return true;
    return false;
}

} // namespace

void BindStandardKeys(const std::map<CAppCommand, QAction*>& actions) {
    QList<QKeySequence> taken;
    for (const auto& [command, action] : actions)
        if (!IsStandard(command) && command != C::AlphaBetaCurvePage) taken += action->shortcuts();
    for (const CStandardCommand& standard : StandardCommands()) {
        QList<QKeySequence> keys;
        for (const QKeySequence& key : QKeySequence::keyBindings(standard.key) + standard.usual)
            if (!taken.contains(key) && !keys.contains(key)) keys << key;
        actions.at(standard.command)->setShortcuts(keys);
    }
}

void SelectAllOwnsCtrlA(const std::map<CAppCommand, QAction*>& actions, bool selectAll) {
    const QKeySequence ctrlA("Ctrl+A");
    QList<QKeySequence> selectAllKeys = QKeySequence::keyBindings(QKeySequence::SelectAll);
    if (!selectAllKeys.contains(ctrlA)) selectAllKeys << ctrlA;
    actions.at(C::EditSelectAll)->setShortcuts(selectAll ? selectAllKeys : QList<QKeySequence>{});
    actions.at(C::AlphaBetaCurvePage)->setShortcuts(selectAll ? QList<QKeySequence>{} : QList{ctrlA});
}
