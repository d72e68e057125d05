// SPDX-License-Identifier: BSD-3-Clause
#include "gui/shell/log_window.hpp"

#include <QDockWidget>
#include <QMainWindow>

#include "gui/shell/font_families.hpp"

CLogWindow::CLogWindow(QMainWindow& main, const std::vector<std::filesystem::path>& folders) {
    setObjectName("LogWindow");
    mFile.Start(folders);
    setReadOnly(true); // the window shows the file; what is typed would not reach it
    // Read-only, yet the keyboard selects (Ctrl+A) and copies (Ctrl+C) its text, ahead of the menus'
    // shortcuts.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(ScreenFont("Elite", 16));
    mDock = new QDockWidget("Zephon.log", &main);
    mDock->setObjectName("LogDock"); // the name its place is saved under
    mDock->setWidget(this);
    main.addDockWidget(Qt::RightDockWidgetArea, mDock);
    mDock->hide();
}

void CLogWindow::InsertText(const QString& text) {
    // The log file uses CR LF line ends; the window shows plain lines.
    mFile.Append(text.toStdString());
    QString shown = text;
    shown.remove('\r');
    moveCursor(QTextCursor::End);
    insertPlainText(shown);
    moveCursor(QTextCursor::End);
}

void CLogWindow::ShowLog() {
    mDock->show();
    mDock->raise();
}
