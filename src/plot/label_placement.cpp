// SPDX-License-Identifier: BSD-3-Clause
#include "plot/label_placement.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

namespace zephon::plot {

namespace {

constexpr int kGap = 3;           // between an anchor (or its marker) and its caption
constexpr int kLeaderOffset = 14; // sideways distance of a stacked caption from its anchor
constexpr int kMaxStackLines = 8; // how far up or down a caption is stacked before giving up

bool Inside(const Rect& box, const Rect& area) {
    return box.left >= area.left && box.right <= area.right && box.top >= area.top &&
           box.bottom <= area.bottom;
}

Rect Box(int left, int top, Size extent) {
    return {left, top, left + extent.cx, top + extent.cy};
}

// The places around an anchor, in the order the kind of caption prefers them.
std::vector<Rect> Around(const CPlotLabel& label, Point at) {
    const Size e = label.extent;
    const int g = label.clearance + kGap;
    const Rect aboveRight = Box(at.x + g, at.y - g - e.cy, e);
    const Rect right = Box(at.x + g, at.y - e.cy / 2, e);
    const Rect belowRight = Box(at.x + g, at.y + g, e);
    const Rect aboveLeft = Box(at.x - g - e.cx, at.y - g - e.cy, e);
    const Rect left = Box(at.x - g - e.cx, at.y - e.cy / 2, e);
    const Rect belowLeft = Box(at.x - g - e.cx, at.y + g, e);
    const Rect above = Box(at.x - e.cx / 2, at.y - g - e.cy, e);
    const Rect below = Box(at.x - e.cx / 2, at.y + g, e);
    switch (label.kind) {
    case CPlotLabel::Kind::CurveEnd:
        return {aboveRight, right, belowRight, aboveLeft, left, belowLeft, above, below};
    case CPlotLabel::Kind::Point:
        return {right, left, aboveRight, belowRight, aboveLeft, belowLeft, above, below};
    case CPlotLabel::Kind::Background:
        return {Box(at.x - e.cx / 2, at.y - e.cy / 2, e), aboveRight, belowLeft};
    }
    return {};
}

// The point of the box nearest to p.
Point Nearest(const Rect& box, Point p) {
    return {std::clamp(p.x, box.left, box.right), std::clamp(p.y, box.top, box.bottom)};
}

// Whether the segment passes through the box (Liang-Barsky clipping keeps some part of it).
bool SegmentCrosses(Point a, Point b, const Rect& box) {
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const std::array<double, 4> p{-dx, dx, -dy, dy};
    const std::array<double, 4> q{static_cast<double>(a.x - box.left), static_cast<double>(box.right - a.x),
                                  static_cast<double>(a.y - box.top), static_cast<double>(box.bottom - a.y)};
    for (std::size_t i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return true;
}

bool LineCrosses(const CPlotLine& line, const Rect& box) {
    // Most lines lie wholly beside the box (bounds of a straight line may be one pixel wide).
    const Rect& b = line.bounds;
    if (!Overlaps({b.left - 1, b.top - 1, b.right + 1, b.bottom + 1}, box)) return false;
    for (std::size_t k = 1; k < line.points.size(); ++k)
        if (SegmentCrosses(line.points[k - 1], line.points[k], box)) return true;
    return false;
}

// Which lines a caption keeps clear of: none, or those that matter to it but its own.
struct Clearance {
    bool lines = false;
    bool background = false; // the background's lines too
    int own = -1;
};

class Placer {
  public:
    Placer(const Rect& area, const std::vector<Rect>& obstacles, const CPlotLines& lines)
        : mArea(area), mTaken(obstacles), mLines(lines) {}

    // Free of the other captions and the obstacles; when `clearOfLines`, also of every drawn line
    // but `own` (the curve a background value is written on).
    bool IsFree(const Rect& box, const Clearance& clear = {}) const {
        if (!Inside(box, mArea)) return false;
        if (std::any_of(mTaken.begin(), mTaken.end(),
                        [&](const Rect& taken) { return Overlaps(box, taken); }))
            return false;
        if (!clear.lines) return true;
        for (std::size_t i = 0; i < mLines.size(); ++i) {
            if (static_cast<int>(i) == clear.own || (mLines[i].background && !clear.background)) continue;
            if (LineCrosses(mLines[i], box)) return false;
        }
        return true;
    }

    std::optional<Rect> FirstFree(const std::vector<Rect>& candidates, const Clearance& clear = {}) const {
        for (const Rect& box : candidates)
            if (IsFree(box, clear)) return box;
        return std::nullopt;
    }

    // Captions stacked line by line above and below the anchor's height, beside it on the side
    // with room, nearest first.
    std::optional<Rect> Stacked(const CPlotLabel& label, const Clearance& clear = {}) const {
        const Size e = label.extent;
        const int step = e.cy + 2;
        const int rightLeft = label.anchor.x + label.clearance + kLeaderOffset;
        const int leftLeft = label.anchor.x - label.clearance - kLeaderOffset - e.cx;
        const bool rightFirst = rightLeft + e.cx <= mArea.right;
        for (int line = 0; line <= kMaxStackLines; ++line) {
            for (const int sign : {-1, 1}) {
                if (line == 0 && sign > 0) continue;
                const int top = label.anchor.y - e.cy / 2 + sign * line * step;
                const std::array<int, 2> sides = rightFirst ? std::array<int, 2>{rightLeft, leftLeft}
                                                            : std::array<int, 2>{leftLeft, rightLeft};
                for (const int left : sides) {
                    const Rect box = Box(left, top, e);
                    if (IsFree(box, clear)) return box;
                }
            }
        }
        return std::nullopt;
    }

    void Take(const Rect& box) { mTaken.push_back(box); }

  private:
    Rect mArea;
    std::vector<Rect> mTaken;
    const CPlotLines& mLines;
};

} // namespace

bool Overlaps(const Rect& a, const Rect& b) {
    const Rect p = a.Normalized();
    const Rect q = b.Normalized();
    return p.left < q.right && q.left < p.right && p.top < q.bottom && q.top < p.bottom;
}

CPlotLine MakePlotLine(std::vector<Point> points, bool background) {
    CPlotLine line;
    line.points = std::move(points);
    line.background = background;
    if (line.points.empty()) return line;
    line.bounds = {line.points[0].x, line.points[0].y, line.points[0].x, line.points[0].y};
    for (const Point& p : line.points) {
        line.bounds.left = std::min(line.bounds.left, p.x);
        line.bounds.right = std::max(line.bounds.right, p.x);
        line.bounds.top = std::min(line.bounds.top, p.y);
        line.bounds.bottom = std::max(line.bounds.bottom, p.y);
    }
    return line;
}

std::vector<CPlacedLabel> PlaceLabels(const std::vector<CPlotLabel>& labels, const Rect& area,
                                      const std::vector<Rect>& obstacles, const CPlotLines& lines) {
    Placer placer(area.Normalized(), obstacles, lines);
    std::vector<CPlacedLabel> placed;
    for (std::size_t index = 0; index < labels.size(); ++index) {
        const CPlotLabel& label = labels[index];
        if (label.text.empty() || label.extent.cx <= 0 || label.extent.cy <= 0) continue;
        CPlacedLabel result;
        result.label = index;
        const bool background = label.kind == CPlotLabel::Kind::Background;
        std::optional<Rect> box;
        bool leader = false;
        // Clear of the lines first, then, only where that is impossible, across them.
        for (const bool clearOfLines : {true, false}) {
            const Clearance clear{clearOfLines, background, background ? label.line : -1};
            box = placer.FirstFree(Around(label, label.anchor), clear);
            if (!box && !background) {
                box = placer.Stacked(label, clear);
                leader = box.has_value();
            }
            for (std::size_t k = 0; !box && k < label.along.size(); ++k)
                box = placer.FirstFree(Around(label, label.along[k]), clear);
            if (box || lines.empty()) break;
        }
        if (!box) continue;
        if (leader) {
            result.leader = true;
            result.from = label.anchor;
            result.to = Nearest(*box, label.anchor);
        }
        result.box = *box;
        placer.Take(*box);
        placed.push_back(result);
    }
    return placed;
}

} // namespace zephon::plot
