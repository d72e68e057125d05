// SPDX-License-Identifier: BSD-3-Clause
#include "gui/shell/splash.hpp"

#include <QApplication>
#include <QPainter>
#include <QTimer>

#include "gui/shell/font_families.hpp"
#include "gui/shell/icons.hpp"

QPixmap SplashPicture() {
    QPixmap picture(440, 240);
    picture.fill(QColor(250, 248, 240));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, 440, 0);
    band.setColorAt(0, QColor(214, 150, 40));
    band.setColorAt(1, QColor(120, 70, 10));
    painter.fillRect(QRect(0, 200, 440, 40), band);
    painter.drawPixmap(24, 36, ZephonPicture(140));
    painter.setPen(QColor(40, 40, 50));
    painter.setFont(ScreenFont("Arial", 44, true));
    painter.drawText(QRect(190, 50, 240, 60), Qt::AlignLeft | Qt::AlignVCenter, "Zephon");
    painter.setFont(ScreenFont("Arial", 15));
    painter.drawText(QRect(192, 110, 240, 70), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     "Petroleum fluid inclusions\nversion 1.0");
    painter.setPen(Qt::white);
    painter.setFont(ScreenFont("Arial", 13));
    painter.drawText(QRect(16, 200, 408, 40), Qt::AlignLeft | Qt::AlignVCenter,
                     "Oil models, phase envelopes, isochores and trapping pressures");
    return picture;
}

CSplashScreen::CSplashScreen(QWidget& over) : QLabel(&over), mOver(over) {
    setObjectName("SplashScreen");
    setPixmap(SplashPicture());
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setCursor(Qt::ArrowCursor);
    adjustSize();
    Place();
    raise();
    show();
    qApp->installEventFilter(this);
    QTimer::singleShot(kShownMilliseconds, this, &CSplashScreen::Dismiss);
}

CSplashScreen::~CSplashScreen() {
    qApp->removeEventFilter(this);
}

void CSplashScreen::Place() {
    move(mOver.rect().center() - rect().center());
}

bool CSplashScreen::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        Dismiss();
        return true;
    case QEvent::Resize:
        if (watched == &mOver) Place();
        return false;
    default:
        return false;
    }
}

void CSplashScreen::Dismiss() {
    qApp->removeEventFilter(this);
    hide();
    deleteLater();
}
