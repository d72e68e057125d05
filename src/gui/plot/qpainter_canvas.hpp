// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The plots' drawing surface on a QPainter: the screen, an image, a printer or a PDF file.
//
// Pens, brushes and fonts are mapped once when selected; fonts named as stored in the files are
// drawn with the Linux family of the same kind (font_families.hpp). Text that is not valid UTF-8
// is taken as Latin-1, as the files of older versions hold it.

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "plot/canvas.hpp"

QString ToQString(std::string_view text);
QColor ToQColor(zephon::plot::Color color);
zephon::plot::Color FromQColor(const QColor& color);

class CQPainterCanvas : public zephon::plot::Canvas {
  public:
    // The painter must stay active for the life of the canvas.
    explicit CQPainterCanvas(QPainter& painter);

    void SetPen(const zephon::plot::Pen& pen) override;
    void SetBrush(const zephon::plot::Brush& brush) override;
    void SetFont(const zephon::plot::Font& font) override;
    void SetTextColor(zephon::plot::Color color) override { mTextColor = ToQColor(color); }
    void SetClip(std::optional<zephon::plot::Rect> clip) override;
    std::optional<zephon::plot::Rect> GetClip() const override { return mClip; }

    void DrawLine(zephon::plot::Point from, zephon::plot::Point to) override;
    void DrawPolyline(std::span<const zephon::plot::Point> points) override;
    void DrawRectangle(const zephon::plot::Rect& box) override;
    void DrawEllipse(const zephon::plot::Rect& box) override;
    void DrawPolygon(std::span<const zephon::plot::Point> points) override;
    void FillRect(const zephon::plot::Rect& box, zephon::plot::Color color) override;

    zephon::plot::Size GetTextExtent(std::string_view text) const override;
    void DrawText(std::string_view text, const zephon::plot::Rect& box, unsigned flags) override;

  private:
    QPolygon ToPolygon(std::span<const zephon::plot::Point> points) const;

    QPainter& mPainter;
    QPen mPen;
    QBrush mBrush;
    QFont mFont;
    // Of mFont on the painter's device: the plot's layout measures many texts in one font.
    std::optional<QFontMetrics> mMetrics;
    double mRotation = 0;
    QColor mTextColor = Qt::black;
    std::optional<zephon::plot::Rect> mClip;
};
