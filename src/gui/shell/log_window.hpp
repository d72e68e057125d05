#pragma once
// The log window: the panels' result lines, kept in "Zephon.log" as they are written. It lives
// from start-up to the end, hidden until shown; closing it only hides it.

#include <QPlainTextEdit>

#include "app/log_file.hpp"

class QMdiArea;
class QMdiSubWindow;

class CLogWindow : public QPlainTextEdit {
    Q_OBJECT

  public:
    // Empties the log file in the first writable folder of the list; the window is made in the
    // area, hidden.
    CLogWindow(QMdiArea& area, const std::vector<std::filesystem::path>& folders);

    // Appends the text at the end of the log, in the window and in the file.
    void InsertText(const QString& text);
    void ShowLog();
    const CLogFile& File() const { return mFile; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void PlaceInArea();

    QMdiArea& mArea;
    QMdiSubWindow* mSubWindow = nullptr;
    CLogFile mFile;
    bool mPlaced = false;
};
