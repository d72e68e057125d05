// SPDX-License-Identifier: BSD-3-Clause
#include "gui/shell/icons.hpp"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

constexpr QColor kQuartz(214, 226, 236);
constexpr QColor kQuartzEdge(92, 112, 134);
constexpr QColor kOil(214, 150, 40);
constexpr QColor kOilEdge(120, 70, 10);
constexpr QColor kInk(60, 60, 70);

// Everything is drawn in a 100 x 100 box and scaled.
void DrawGrain(QPainter& p) {
    QPolygonF grain;
    grain << QPointF(30, 4) << QPointF(74, 6) << QPointF(96, 44) << QPointF(78, 94) << QPointF(26, 96)
          << QPointF(4, 52);
    p.setPen(QPen(kQuartzEdge, 4));
    p.setBrush(kQuartz);
    p.drawPolygon(grain);

    QPainterPath inclusion;
    inclusion.moveTo(24, 50);
    inclusion.cubicTo(24, 28, 52, 22, 70, 32);
    inclusion.cubicTo(84, 40, 82, 66, 64, 74);
    inclusion.cubicTo(46, 82, 24, 72, 24, 50);
    p.setPen(QPen(kOilEdge, 4));
    p.setBrush(kOil);
    p.drawPath(inclusion);

    p.setPen(QPen(kOilEdge, 2.5));
    p.setBrush(QColor(250, 250, 245));
    p.drawEllipse(QRectF(50, 38, 18, 18));
}

QPixmap Paint(int size, void (*draw)(QPainter&)) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 100.0, size / 100.0);
    draw(painter);
    return pixmap;
}

void DrawPage(QPainter& p) {
    QPolygonF page;
    page << QPointF(20, 6) << QPointF(62, 6) << QPointF(82, 26) << QPointF(82, 94) << QPointF(20, 94);
    p.setPen(QPen(kInk, 6));
    p.setBrush(Qt::white);
    p.drawPolygon(page);
    p.drawPolyline(QPolygonF() << QPointF(62, 6) << QPointF(62, 26) << QPointF(82, 26));
}

void DrawFolder(QPainter& p) {
    p.setPen(QPen(kInk, 6));
    p.setBrush(QColor(240, 200, 90));
    p.drawPolygon(QPolygonF() << QPointF(6, 22) << QPointF(38, 22) << QPointF(46, 32) << QPointF(94, 32)
                              << QPointF(94, 86) << QPointF(6, 86));
}

void DrawDisk(QPainter& p) {
    p.setPen(QPen(kInk, 6));
    p.setBrush(QColor(70, 110, 170));
    p.drawRect(QRectF(8, 8, 84, 84));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(24, 8, 52, 30));
    p.drawRect(QRectF(22, 56, 56, 36));
}

void DrawPrinter(QPainter& p) {
    p.setPen(QPen(kInk, 6));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(26, 6, 48, 30));
    p.setBrush(QColor(150, 150, 160));
    p.drawRect(QRectF(6, 36, 88, 38));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(26, 60, 48, 34));
}

void DrawAbout(QPainter& p) {
    p.setPen(QPen(kInk, 6));
    p.setBrush(QColor(230, 238, 250));
    p.drawEllipse(QRectF(6, 6, 88, 88));
    QFont font("DejaVu Sans");
    font.setPixelSize(64);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(6, 6, 88, 88), Qt::AlignCenter, "?");
}

} // namespace

QPixmap ZephonPicture(int size) {
    return Paint(size, DrawGrain);
}

QIcon ZephonIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(ZephonPicture(size));
    return icon;
}

QIcon ToolIcon(CToolIcon which) {
    void (*draw)(QPainter&) = DrawPage;
    switch (which) {
    case CToolIcon::New:
        draw = DrawPage;
        break;
    case CToolIcon::Open:
        draw = DrawFolder;
        break;
    case CToolIcon::Save:
        draw = DrawDisk;
        break;
    case CToolIcon::Print:
        draw = DrawPrinter;
        break;
    case CToolIcon::About:
        draw = DrawAbout;
        break;
    }
    QIcon icon;
    for (int size : {16, 24, 32})
        icon.addPixmap(Paint(size, draw));
    return icon;
}
