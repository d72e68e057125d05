// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// A canvas that records what is drawn as an SVG document.
//
// Text is measured with a fixed metric of character classes (MeasureText), so the same
// drawing gives the same bytes on every machine; a viewer's own font may make the text
// slightly wider or narrower than the boxes computed from it. Every text written into the
// document is escaped, and bytes that are not valid UTF-8 are taken as Latin-1, so the
// result is always well-formed XML whatever the names contain.

#include "plot/canvas.hpp"

#include <map>
#include <string>
#include <tuple>

namespace zephon::plot {

class SvgCanvas : public Canvas {
  public:
    SvgCanvas(int width, int height);

    void SetPen(const Pen& pen) override { mPen = pen; }
    void SetBrush(const Brush& brush) override { mBrush = brush; }
    void SetFont(const Font& font) override { mFont = font; }
    void SetTextColor(Color color) override { mTextColor = color; }
    void SetClip(std::optional<Rect> clip) override;
    std::optional<Rect> GetClip() const override { return mClip; }

    void DrawLine(Point from, Point to) override;
    void DrawPolyline(std::span<const Point> points) override;
    void DrawRectangle(const Rect& box) override;
    void DrawEllipse(const Rect& box) override;
    void DrawPolygon(std::span<const Point> points) override;
    void FillRect(const Rect& box, Color color) override;

    Size GetTextExtent(std::string_view text) const override { return MeasureText(mFont, text); }
    void DrawText(std::string_view text, const Rect& box, unsigned flags) override;

    // The complete document: XML declaration, the svg element with its definitions
    // (clip paths and hatch patterns) and everything drawn so far.
    std::string GetSvg() const;

    // The deterministic metric: the height is the font height; the width is the sum of
    // per-character advances (a fraction of the height by character class), 10 % wider
    // for bold fonts, rounded to the nearest pixel.
    static Size MeasureText(const Font& font, std::string_view text);

  private:
    std::string StrokeAttributes() const;
    std::string FillAttribute(const Brush& brush);
    std::string ClipAttribute(const std::optional<Rect>& clip);
    std::string PatternId(Color color, HatchStyle hatch);
    void AppendPoints(std::span<const Point> points);

    int mWidth;
    int mHeight;
    Pen mPen;
    Brush mBrush;
    Font mFont;
    Color mTextColor = kBlack;
    std::optional<Rect> mClip;
    std::string mDefs;
    std::string mBody;
    std::map<std::tuple<int, int, int, int>, std::string> mClipIds;
    std::map<std::pair<Color, int>, std::string> mPatternIds;
};

// Appends text to XML character data or an attribute value: markup characters escaped,
// characters XML does not allow dropped, invalid UTF-8 bytes read as Latin-1.
void AppendXmlEscaped(std::string& out, std::string_view text);

} // namespace zephon::plot
