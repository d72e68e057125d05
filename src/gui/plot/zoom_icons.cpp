// SPDX-License-Identifier: BSD-3-Clause
#include "gui/plot/zoom_icons.hpp"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap Glyph(CZoomIcon which, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 24.0, size / 24.0);
    const QColor ink(40, 60, 90);
    if (which == CZoomIcon::ToData) {
        // Three data points held by the corners of the range that fits them.
        painter.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (const QPointF corner : {QPointF(2, 2), QPointF(22, 2), QPointF(22, 22), QPointF(2, 22)}) {
            const QPointF inward((corner.x() < 12 ? 5 : -5), (corner.y() < 12 ? 5 : -5));
            painter.drawPolyline(
                QPolygonF{corner + QPointF(0, inward.y()), corner, corner + QPointF(inward.x(), 0)});
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(213, 94, 0));
        for (const QPointF point : {QPointF(7, 15), QPointF(12, 8), QPointF(17, 13)})
            painter.drawEllipse(point, 2.4, 2.4);
        return pixmap;
    }
    if (which == CZoomIcon::Reset) {
        // The whole plot: a frame with its axes.
        painter.setPen(QPen(ink, 1.5));
        painter.drawRect(QRectF(2.5, 2.5, 15, 15));
        painter.drawLine(QPointF(5, 5), QPointF(5, 15));
        painter.drawLine(QPointF(5, 15), QPointF(15, 15));
    }
    // The glass and its handle.
    painter.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(QColor(225, 238, 250));
    painter.drawEllipse(QPointF(10, 10), 6.5, 6.5);
    painter.setPen(QPen(ink, 3.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(15, 15), QPointF(21, 21));
    painter.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap));
    if (which != CZoomIcon::Reset) painter.drawLine(QPointF(7, 10), QPointF(13, 10));
    if (which == CZoomIcon::ZoomIn) painter.drawLine(QPointF(10, 7), QPointF(10, 13));
    if (which == CZoomIcon::Reset) painter.drawEllipse(QPointF(10, 10), 1.2, 1.2);
    return pixmap;
}

} // namespace

QIcon ZoomIcon(CZoomIcon which) {
    QIcon icon;
    for (int size : {16, 24, 32})
        icon.addPixmap(Glyph(which, size));
    return icon;
}
