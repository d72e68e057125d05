#pragma once
// A canvas that keeps what is drawn, for checking geometry.

#include <string>
#include <vector>

#include "plot/canvas.hpp"

struct DrawnShape {
    std::string kind; // "line", "polyline", "rect", "ellipse", "polygon", "text"
    std::vector<zephon::plot::Point> points;
    zephon::plot::Rect box;
    zephon::plot::Pen pen;
    zephon::plot::Brush brush;
    std::string text;
    std::optional<zephon::plot::Rect> clip;
};

class RecordingCanvas : public zephon::plot::Canvas {
  public:
    void SetPen(const zephon::plot::Pen& pen) override { mPen = pen; }
    void SetBrush(const zephon::plot::Brush& brush) override { mBrush = brush; }
    void SetFont(const zephon::plot::Font& font) override { mFont = font; }
    void SetTextColor(zephon::plot::Color) override {}
    void SetClip(std::optional<zephon::plot::Rect> clip) override { mClip = clip; }
    std::optional<zephon::plot::Rect> GetClip() const override { return mClip; }
    void DrawLine(zephon::plot::Point a, zephon::plot::Point b) override { Add("line", {a, b}, {}); }
    void DrawPolyline(std::span<const zephon::plot::Point> p) override {
        Add("polyline", {p.begin(), p.end()}, {});
    }
    void DrawRectangle(const zephon::plot::Rect& r) override { Add("rect", {}, r); }
    void DrawEllipse(const zephon::plot::Rect& r) override { Add("ellipse", {}, r); }
    void DrawPolygon(std::span<const zephon::plot::Point> p) override {
        Add("polygon", {p.begin(), p.end()}, {});
    }
    void FillRect(const zephon::plot::Rect& r, zephon::plot::Color) override { Add("fill", {}, r); }
    zephon::plot::Size GetTextExtent(std::string_view text) const override {
        return {static_cast<int>(text.size()) * 6, mFont.height};
    }
    void DrawText(std::string_view text, const zephon::plot::Rect& box, unsigned) override {
        Add("text", {}, box);
        shapes.back().text = std::string(text);
    }

    std::vector<DrawnShape> shapes;

  private:
    void Add(const char* kind, std::vector<zephon::plot::Point> points, zephon::plot::Rect box) {
        shapes.push_back({kind, std::move(points), box, mPen, mBrush, {}, mClip});
    }
    zephon::plot::Pen mPen;
    zephon::plot::Brush mBrush;
    zephon::plot::Font mFont;
    std::optional<zephon::plot::Rect> mClip;
};
