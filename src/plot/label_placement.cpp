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

class Placer {
  public:
    Placer(const Rect& area, const std::vector<Rect>& obstacles) : mArea(area), mTaken(obstacles) {}

    bool IsFree(const Rect& box) const {
        if (!Inside(box, mArea)) return false;
        return std::none_of(mTaken.begin(), mTaken.end(),
                            [&](const Rect& taken) { return Overlaps(box, taken); });
    }

    std::optional<Rect> FirstFree(const std::vector<Rect>& candidates) const {
        for (const Rect& box : candidates)
            if (IsFree(box)) return box;
        return std::nullopt;
    }

    // Captions stacked line by line above and below the anchor's height, beside it on the side
    // with room, nearest first.
    std::optional<Rect> Stacked(const CPlotLabel& label) const {
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
                    if (IsFree(box)) return box;
                }
            }
        }
        return std::nullopt;
    }

    void Take(const Rect& box) { mTaken.push_back(box); }

  private:
    Rect mArea;
    std::vector<Rect> mTaken;
};

} // namespace

bool Overlaps(const Rect& a, const Rect& b) {
    const Rect p = a.Normalized();
    const Rect q = b.Normalized();
    return p.left < q.right && q.left < p.right && p.top < q.bottom && q.top < p.bottom;
}

std::vector<CPlacedLabel> PlaceLabels(const std::vector<CPlotLabel>& labels, const Rect& area,
                                      const std::vector<Rect>& obstacles) {
    Placer placer(area.Normalized(), obstacles);
    std::vector<CPlacedLabel> placed;
    for (std::size_t index = 0; index < labels.size(); ++index) {
        const CPlotLabel& label = labels[index];
        if (label.text.empty() || label.extent.cx <= 0 || label.extent.cy <= 0) continue;
        CPlacedLabel result;
        result.label = index;
        std::optional<Rect> box = placer.FirstFree(Around(label, label.anchor));
        if (!box && label.kind != CPlotLabel::Kind::Background) {
            box = placer.Stacked(label);
            if (box) {
                result.leader = true;
                result.from = label.anchor;
                result.to = Nearest(*box, label.anchor);
            }
        }
        for (std::size_t k = 0; !box && k < label.along.size(); ++k)
            box = placer.FirstFree(Around(label, label.along[k]));
        if (!box) continue;
        result.box = *box;
        placer.Take(*box);
        placed.push_back(result);
    }
    return placed;
}

} // namespace zephon::plot
