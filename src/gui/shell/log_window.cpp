#include "gui/shell/log_window.hpp"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>

#include "gui/shell/font_families.hpp"
#include "gui/shell/sub_window_keys.hpp"

CLogWindow::CLogWindow(QMdiArea& area, const std::vector<std::filesystem::path>& folders) : mArea(area) {
    setObjectName("LogWindow");
    mFile.Start(folders);
    setReadOnly(true); // the window shows the file; what is typed would not reach it
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(ScreenFont("Elite", 16));
    setWindowTitle("Zephon.log");
    mSubWindow = area.addSubWindow(this);
    UnbindSystemMenuKeys(*mSubWindow);
    mSubWindow->installEventFilter(this);
    mSubWindow->hide();
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

void CLogWindow::PlaceInArea() {
    // Low in the area, two thirds wide, five lines high.
    const QSize client = mArea.viewport()->size();
    mSubWindow->setGeometry(10, std::max(0, client.height() - 180),
                            static_cast<int>((client.width() - 10) * 0.67), 120);
    mPlaced = true;
}

void CLogWindow::ShowLog() {
    if (!mPlaced) PlaceInArea();
    mSubWindow->show();
    mArea.setActiveSubWindow(mSubWindow);
}

bool CLogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mSubWindow && event->type() == QEvent::Close) {
        event->ignore();
        mSubWindow->hide();
        return true;
    }
    return QPlainTextEdit::eventFilter(watched, event);
}
