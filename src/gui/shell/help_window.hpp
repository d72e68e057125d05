// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Help > Contents: the user manual (docs/manual, carried inside the program) in a window of its
// own beside the main window, with back, forward and a way home to the table of contents.

#include <QWidget>

class QTextBrowser;

class CHelpWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* kManualUrl = "qrc:/manual/zephon-manual.html";

    explicit CHelpWindow(QWidget* parent);
    QTextBrowser& Browser() { return *mBrowser; }

  private:
    QTextBrowser* mBrowser;
};

// The manual and the licence, carried inside the program (":/manual/...", ":/licence/LICENSE").
void LoadDocumentationResources();

// Shows the manual's window (made on first use, then brought to the front).
void ShowHelpContents(QWidget* parent);
