// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Mnemonics (the underlined letter that Alt and the letter reach) for every caption that has none,
// unique among their neighbours: the first letter of a word when it is free, else any free letter
// or digit. Captions that have one keep it, and their letters are taken first.

#include <QString>
#include <QStringList>

class QMenu;
class QMenuBar;
class QWidget;

// The texts with a mnemonic each, where a free letter was found.
QStringList WithMnemonics(const QStringList& texts);
// The letter a text's mnemonic names, or a null character.
QChar MnemonicOf(const QString& text);

// The actions of a menu, and of its submenus each on their own.
void AssignMnemonics(QMenu& menu);
// The menus of a menu bar.
void AssignMnemonics(QMenuBar& bar);
// The captions of a panel: buttons, labels (those that focus a control) and group boxes; the
// labels of read-only fields take what letters are left.
void AssignMnemonics(QWidget& panel);
