// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The log window: the panels' result lines, kept in "Zephon.log" as they are written. It lives
// from start-up to the end in a dock of the main window, on the right below the tool panels,
// hidden until shown; closing it only hides it.

#include <QPlainTextEdit>

#include "app/log_file.hpp"

class QDockWidget;
class QMainWindow;

class CLogWindow : public QPlainTextEdit {
    Q_OBJECT

  public:
    // Empties the log file in the first writable folder of the list; the dock is made in the main
    // window, hidden.
    CLogWindow(QMainWindow& main, const std::vector<std::filesystem::path>& folders);

    // Appends the text at the end of the log, in the window and in the file.
    void InsertText(const QString& text);
    // Shows the dock and brings it in front of the docks it is tabbed with; the plots in the
    // middle of the main window stay uncovered.
    void ShowLog();
    QDockWidget& Dock() const { return *mDock; }
    const CLogFile& File() const { return mFile; }

  private:
    QDockWidget* mDock = nullptr;
    CLogFile mFile;
};
