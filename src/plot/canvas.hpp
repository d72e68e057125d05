// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The drawing surface of plots.
//
// Graph objects and the plot view draw through this interface only. The windowing layer
// implements it with its own painter; SvgCanvas (svg_canvas.hpp) renders to SVG text for
// the command-line tool and the tests. Coordinates are integer pixels, x to the right and
// y downward, as on every screen surface.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zephon::plot {

// A colour packed as 0x00BBGGRR: red in the low byte, green in the next, blue in the third.
using Color = std::uint32_t;

constexpr Color MakeColor(unsigned red, unsigned green, unsigned blue) {
    return (red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16);
}
constexpr unsigned GetRed(Color c) {
    return c & 0xFFu;
}
constexpr unsigned GetGreen(Color c) {
    return (c >> 8) & 0xFFu;
}
constexpr unsigned GetBlue(Color c) {
    return (c >> 16) & 0xFFu;
}

constexpr Color kBlack = MakeColor(0, 0, 0);
constexpr Color kWhite = MakeColor(255, 255, 255);
constexpr Color kRed = MakeColor(255, 0, 0);

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// A pixel rectangle. A point lies in it when left <= x <= right and top <= y <= bottom
// (borders included), which is what the hit tests of graph objects need.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    // The same rectangle with left <= right and top <= bottom.
    Rect Normalized() const;
    Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    // Smallest rectangle holding both (an empty rectangle does not count as empty here:
    // the union of rectangles is taken corner by corner).
    Rect Union(const Rect& other) const;
    // Common part of two normalised rectangles; width or height 0 when they do not overlap.
    Rect Intersect(const Rect& other) const;
    friend bool operator==(const Rect&, const Rect&) = default;
};

enum class PenStyle { Solid, Dash, Dot, None };

struct Pen {
    int width = 1; // in pixels; 0 draws one pixel wide, like a cosmetic pen
    Color color = kBlack;
    PenStyle style = PenStyle::Solid;
    friend bool operator==(const Pen&, const Pen&) = default;
};

enum class BrushStyle { Solid, Hatched, Hollow };
enum class HatchStyle { Horizontal, Vertical, ForwardDiagonal, BackwardDiagonal, Cross, DiagonalCross };

struct Brush {
    BrushStyle style = BrushStyle::Solid;
    Color color = kWhite;
    HatchStyle hatch = HatchStyle::Horizontal; // used by hatched brushes only
    friend bool operator==(const Brush&, const Brush&) = default;

    static Brush Solid(Color c) { return {BrushStyle::Solid, c, HatchStyle::Horizontal}; }
    static Brush Hatched(Color c, HatchStyle h) { return {BrushStyle::Hatched, c, h}; }
    static Brush Hollow() { return {BrushStyle::Hollow, kWhite, HatchStyle::Horizontal}; }
};

struct Font {
    std::string face = "Arial";
    int height = 12;  // character height in pixels
    int weight = 400; // 400 normal, 700 bold
    bool italic = false;
    double rotation = 0; // degrees, counter-clockwise (90: the text runs upward)
    friend bool operator==(const Font&, const Font&) = default;
};

// Placement of a text in its box (DrawText). Horizontal and vertical choices combine with |.
enum TextFlags : unsigned {
    kTextLeft = 0,
    kTextHCenter = 1,
    kTextRight = 2,
    kTextTop = 0,
    kTextVCenter = 4,
    kTextBottom = 8,
    kTextNoClip = 16, // the text may overflow its box; otherwise it is clipped to the box
};

// Where DrawText puts the centre of a text of this extent turned by `degrees` (counter-clockwise):
// its turned bounding box is placed in `box` as the flags say. Every canvas places text this way.
struct TextCentre {
    double x = 0;
    double y = 0;
};
TextCentre PlaceTextCentre(const Rect& box, Size extent, double degrees, unsigned flags);

class Canvas {
  public:
    Canvas() = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    virtual ~Canvas() = default;

    // Current drawing tools; they stay selected until replaced.
    virtual void SetPen(const Pen& pen) = 0;
    virtual void SetBrush(const Brush& brush) = 0;
    virtual void SetFont(const Font& font) = 0;
    virtual void SetTextColor(Color color) = 0;

    // Everything drawn afterwards is limited to the rectangle; nullopt removes the limit.
    virtual void SetClip(std::optional<Rect> clip) = 0;
    virtual std::optional<Rect> GetClip() const = 0;

    // Lines and polylines use the pen; closed shapes are outlined with the pen and filled
    // with the brush. Rectangles and ellipses take their bounding box.
    virtual void DrawLine(Point from, Point to) = 0;
    virtual void DrawPolyline(std::span<const Point> points) = 0;
    virtual void DrawRectangle(const Rect& box) = 0;
    virtual void DrawEllipse(const Rect& box) = 0;
    virtual void DrawPolygon(std::span<const Point> points) = 0;
    // Fills the rectangle with a colour, no outline, whatever pen and brush are selected.
    virtual void FillRect(const Rect& box, Color color) = 0;

    // Size of a single line of text in the current font, unrotated.
    virtual Size GetTextExtent(std::string_view text) const = 0;
    // Draws one line of text in the current font and text colour (transparent background),
    // placed in the box by the flags. A rotated font turns the text about its own centre;
    // its rotated bounding box is what the flags place.
    virtual void DrawText(std::string_view text, const Rect& box, unsigned flags) = 0;
};

// Restores the canvas clip on leaving a scope.
class ClipGuard {
  public:
    explicit ClipGuard(Canvas& canvas) : mCanvas(canvas), mSaved(canvas.GetClip()) {}
    ClipGuard(const ClipGuard&) = delete;
    ClipGuard& operator=(const ClipGuard&) = delete;
    ~ClipGuard() { mCanvas.SetClip(mSaved); }
    const std::optional<Rect>& Saved() const { return mSaved; }

  private:
    Canvas& mCanvas;
    std::optional<Rect> mSaved;
};

} // namespace zephon::plot
