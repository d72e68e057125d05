// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The start-up picture: shown in the middle of the main window for 10 seconds, or until the first
// key or mouse button press anywhere in the application (that press is used up by it).
//
// It is drawn as a frameless layer of the main window rather than a window of its own: a separate
// window over the main one is left unpainted on X servers without a window manager and hidden
// behind the main window where the manager ignores "stay on top"; a layer always shows.

#include <QLabel>

class CSplashScreen : public QLabel {
    Q_OBJECT

  public:
    static constexpr int kShownMilliseconds = 10000;

    explicit CSplashScreen(QWidget& over);
    ~CSplashScreen() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Place();
    void Dismiss();

    QWidget& mOver;
};

// The picture itself: the application's icon, name and version.
QPixmap SplashPicture();
