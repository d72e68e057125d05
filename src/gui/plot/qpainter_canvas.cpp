// SPDX-License-Identifier: BSD-3-Clause
#include "gui/plot/qpainter_canvas.hpp"

#include <QFontMetrics>
#include <QPolygon>
#include <cmath>

#include "gui/shell/font_families.hpp"

using namespace zephon::plot;

QString ToQString(std::string_view text) {
    const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
    QString decoded = QString::fromUtf8(bytes);
    // A replacement character that was not in the text marks bytes that are not UTF-8.
    if (decoded.contains(QChar::ReplacementCharacter) && !bytes.contains("\xEF\xBF\xBD"))
        return QString::fromLatin1(bytes);
    return decoded;
}

QColor ToQColor(Color color) {
    return QColor(static_cast<int>(GetRed(color)), static_cast<int>(GetGreen(color)),
                  static_cast<int>(GetBlue(color)));
}

Color FromQColor(const QColor& color) {
    return MakeColor(static_cast<unsigned>(color.red()), static_cast<unsigned>(color.green()),
                     static_cast<unsigned>(color.blue()));
}

namespace {

// The canvas's rectangles include their left and top edges and end before right and bottom, as
// the graph objects lay them out: a marker box (x - 3, y - 3, x + 4, y + 4) covers 7 x 7 pixels.
QRect ToQRect(const Rect& r) {
    const Rect n = r.Normalized();
    return QRect(n.left, n.top, n.Width(), n.Height());
}

// The same pixels for an outlined shape: Qt strokes a rectangle of width w over w + 1 pixels.
QRect ToOutlineRect(const Rect& r) {
    const Rect n = r.Normalized();
    return QRect(n.left, n.top, std::max(n.Width() - 1, 0), std::max(n.Height() - 1, 0));
}

Qt::BrushStyle ToQtHatch(HatchStyle hatch) {
    switch (hatch) {
    case HatchStyle::Horizontal:
        return Qt::HorPattern;
    case HatchStyle::Vertical:
        return Qt::VerPattern;
    case HatchStyle::ForwardDiagonal:
        return Qt::FDiagPattern;
    case HatchStyle::BackwardDiagonal:
        return Qt::BDiagPattern;
    case HatchStyle::Cross:
        return Qt::CrossPattern;
    case HatchStyle::DiagonalCross:
        return Qt::DiagCrossPattern;
    }
    return Qt::HorPattern;
}

} // namespace

CQPainterCanvas::CQPainterCanvas(QPainter& painter) : mPainter(painter) {
    mPainter.setBackgroundMode(Qt::TransparentMode);
    SetPen(Pen{});
    SetBrush(Brush::Solid(kWhite));
    SetFont(Font{});
}

void CQPainterCanvas::SetPen(const Pen& pen) {
    Qt::PenStyle style = Qt::SolidLine;
    switch (pen.style) {
    case PenStyle::Solid:
        style = Qt::SolidLine;
        break;
    case PenStyle::Dash:
        style = Qt::DashLine;
        break;
    case PenStyle::Dot:
        style = Qt::DotLine;
        break;
    case PenStyle::None:
        style = Qt::NoPen;
        break;
    }
    // A thin line stops before its end point, as the plot's geometry counts ticks and axes; wider
    // pens have round ends and joins.
    const bool thin = pen.width <= 1;
    mPen = QPen(ToQColor(pen.color), std::max(pen.width, 0), style, thin ? Qt::FlatCap : Qt::RoundCap,
                thin ? Qt::MiterJoin : Qt::RoundJoin);
    if (pen.width <= 0) mPen.setCosmetic(true);
    mPainter.setPen(mPen);
}

void CQPainterCanvas::SetBrush(const Brush& brush) {
    switch (brush.style) {
    case BrushStyle::Solid:
        mBrush = QBrush(ToQColor(brush.color));
        break;
    case BrushStyle::Hatched:
        mBrush = QBrush(ToQColor(brush.color), ToQtHatch(brush.hatch));
        break;
    case BrushStyle::Hollow:
        mBrush = Qt::NoBrush;
        break;
    }
    mPainter.setBrush(mBrush);
}

void CQPainterCanvas::SetFont(const Font& font) {
    mFont = ScreenFont(font.face, font.height, font.weight >= 600, font.italic);
    mMetrics.emplace(mFont, mPainter.device());
    mRotation = std::isfinite(font.rotation) ? font.rotation : 0;
    mPainter.setFont(mFont);
}

void CQPainterCanvas::SetClip(std::optional<Rect> clip) {
    mClip = clip;
    if (clip)
        mPainter.setClipRect(ToQRect(*clip));
    else
        mPainter.setClipping(false);
}

QPolygon CQPainterCanvas::ToPolygon(std::span<const Point> points) const {
    QPolygon polygon(static_cast<int>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i)
        polygon.setPoint(static_cast<int>(i), points[i].x, points[i].y);
    return polygon;
}

void CQPainterCanvas::DrawLine(Point from, Point to) {
    mPainter.drawLine(from.x, from.y, to.x, to.y);
}

void CQPainterCanvas::DrawPolyline(std::span<const Point> points) {
    if (points.size() >= 2) mPainter.drawPolyline(ToPolygon(points));
}

void CQPainterCanvas::DrawRectangle(const Rect& box) {
    mPainter.drawRect(ToOutlineRect(box));
}

void CQPainterCanvas::DrawEllipse(const Rect& box) {
    mPainter.drawEllipse(ToOutlineRect(box));
}

void CQPainterCanvas::DrawPolygon(std::span<const Point> points) {
    if (points.size() >= 2) mPainter.drawPolygon(ToPolygon(points));
}

void CQPainterCanvas::FillRect(const Rect& box, Color color) {
    mPainter.fillRect(ToQRect(box), ToQColor(color));
}

Size CQPainterCanvas::GetTextExtent(std::string_view text) const {
    return Size{mMetrics->horizontalAdvance(ToQString(text)), mMetrics->height()};
}

void CQPainterCanvas::DrawText(std::string_view text, const Rect& box, unsigned flags) {
    const QString shown = ToQString(text);
    const Rect r = box.Normalized();
    const Size extent = GetTextExtent(text);
    const auto [cx, cy] = PlaceTextCentre(r, extent, mRotation, flags);

    mPainter.save();
    if (!(flags & kTextNoClip)) {
        const QRect own(r.left, r.top, r.Width(), r.Height());
        mPainter.setClipRect(own, mClip ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    mPainter.setPen(mTextColor);
    mPainter.translate(cx, cy);
    mPainter.rotate(-mRotation);
    mPainter.drawText(QPointF(-extent.cx / 2.0, -extent.cy / 2.0 + mMetrics->ascent()), shown);
    mPainter.restore();
}
