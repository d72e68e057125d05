// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// A canvas that keeps what is drawn, for checking geometry.

#include <cmath>
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
    zephon::plot::Rect ink; // of a text: where its (turned) extent lands
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
    void DrawText(std::string_view text, const zephon::plot::Rect& box, unsigned flags) override {
        Add("text", {}, box);
        shapes.back().text = std::string(text);
        const zephon::plot::Size e = GetTextExtent(text);
        const bool turned = std::fmod(std::abs(mFont.rotation), 180.0) == 90;
        const zephon::plot::Size ink = turned ? zephon::plot::Size{e.cy, e.cx} : e;
        const auto [x, y] = zephon::plot::PlaceTextCentre(box, e, mFont.rotation, flags);
        const int left = static_cast<int>(std::lround(x - ink.cx / 2.0));
        const int top = static_cast<int>(std::lround(y - ink.cy / 2.0));
        shapes.back().ink = {left, top, left + ink.cx, top + ink.cy};
    }

    std::vector<DrawnShape> shapes;

  private:
    void Add(const char* kind, std::vector<zephon::plot::Point> points, zephon::plot::Rect box) {
        shapes.push_back({kind, std::move(points), box, mPen, mBrush, {}, mClip, {}});
    }
    zephon::plot::Pen mPen;
    zephon::plot::Brush mBrush;
    zephon::plot::Font mFont;
    std::optional<zephon::plot::Rect> mClip;
};
