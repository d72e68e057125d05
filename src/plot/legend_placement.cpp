// SPDX-License-Identifier: BSD-3-Clause
#include "plot/legend_placement.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace zephon::plot {

namespace {

struct PixelPoint {
    double x;
    double y;
};

// The plot's world-to-pixel mapping, without truncation to whole pixels.
PixelPoint ToPixel(const PlotMapping& m, double x, double y) {
    const Rect& r = m.plotRect;
    const double sx = m.maxX - m.minX;
    const double sy = m.maxY - m.minY;
    return {r.left + (r.right - r.left) * (x - m.minX) / sx,
            r.bottom + (r.top - r.bottom) * (y - m.minY) / sy};
}

bool Inside(const PixelPoint& p, const Rect& box) {
    return p.x >= box.left && p.x <= box.right && p.y >= box.top && p.y <= box.bottom;
}

// Whether the segment crosses the box (Liang-Barsky clipping: some part of it survives).
bool SegmentMeetsBox(const PixelPoint& a, const PixelPoint& b, const Rect& box) {
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const std::array<double, 4> p{-dx, dx, -dy, dy};
    const std::array<double, 4> q{a.x - box.left, box.right - a.x, a.y - box.top, box.bottom - a.y};
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

// The boxes tried, and what each hides; every point is mapped once for all of them.
struct Tally {
    std::span<const Rect> boxes;
    std::vector<long>& counts;
    long weight;

    void Segment(const PixelPoint& a, const PixelPoint& b) {
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const Rect& box = boxes[i];
            // Most segments lie wholly beside a box.
            if (std::max(a.x, b.x) < box.left || std::min(a.x, b.x) > box.right ||
                std::max(a.y, b.y) < box.top || std::min(a.y, b.y) > box.bottom)
                continue;
            if (SegmentMeetsBox(a, b, box)) counts[i] += weight;
        }
    }
    // Markers just outside still touch a box.
    void Marker(const PixelPoint& p) {
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const Rect& b = boxes[i];
            if (Inside(p, {b.left - 3, b.top - 3, b.right + 3, b.bottom + 3})) counts[i] += weight;
        }
    }
};

void CountCurve(const CGraphPointList& curve, const PlotMapping& mapping, Tally& tally) {
    bool first = true;
    PixelPoint from{};
    for (const auto& point : curve.mPointsList) {
        const PixelPoint to = ToPixel(mapping, point->mX, point->mY);
        const bool usable = std::isfinite(to.x) && std::isfinite(to.y);
        if (!first && !point->mSkip && usable) tally.Segment(from, to);
        first = false;
        from = to;
    }
    // A curve of one vertex is a dot.
    if (curve.mPointsList.size() == 1) tally.Segment(from, from);
}

void CountMarkers(const CGraphPointList& list, const PlotMapping& mapping, Tally& tally) {
    for (const auto& point : list.mPointsList)
        tally.Marker(ToPixel(mapping, point->mX, point->mY));
}

} // namespace

Rect LegendBoxInCorner(CLegendSpot spot, const Rect& plot, Size legend) {
    const bool right = spot == CLegendSpot::TopRight || spot == CLegendSpot::BottomRight;
    const bool top = spot == CLegendSpot::TopRight || spot == CLegendSpot::TopLeft;
    const int left = right ? plot.right - kLegendInset - legend.cx : plot.left + kLegendInset;
    const int y = top ? plot.top + kLegendInset : plot.bottom - kLegendInset - legend.cy;
    return {left, y, left + legend.cx, y + legend.cy};
}

std::vector<long> CoveredData(const std::vector<std::unique_ptr<CGraphObject>>& objects,
                              const PlotMapping& mapping, std::span<const Rect> boxes) {
    std::vector<long> counts(boxes.size(), 0);
    if (!(mapping.maxX > mapping.minX) || !(mapping.maxY > mapping.minY)) return counts;
    for (const auto& object : objects) {
        if (object->mHidden) continue;
        Tally tally{boxes, counts, object->mSelectable ? 4 : 1};
        switch (object->mType) {
        case CGraphObject::kCurve:
            CountCurve(static_cast<const CGraphPointList&>(*object), mapping, tally);
            break;
        case CGraphObject::kPointList:
        case CGraphObject::kStringPointList:
            CountMarkers(static_cast<const CGraphPointList&>(*object), mapping, tally);
            break;
        case CGraphObject::kPoint: {
            const CPointRecord& p = static_cast<const CGraphPoint&>(*object).mPoint;
            tally.Marker(ToPixel(mapping, p.mX, p.mY));
            break;
        }
        default:
            break;
        }
    }
    return counts;
}

CLegendCorner BestLegendCorner(const std::vector<std::unique_ptr<CGraphObject>>& objects,
                               const PlotMapping& mapping, Size legend) {
    constexpr std::array<CLegendSpot, 4> spots{CLegendSpot::TopRight, CLegendSpot::TopLeft,
                                               CLegendSpot::BottomRight, CLegendSpot::BottomLeft};
    std::array<Rect, 4> boxes;
    for (std::size_t i = 0; i < spots.size(); ++i)
        boxes[i] = LegendBoxInCorner(spots[i], mapping.plotRect, legend);
    const std::vector<long> covered = CoveredData(objects, mapping, boxes);
    CLegendCorner best{spots[0], covered[0]};
    for (std::size_t i = 1; i < spots.size(); ++i)
        if (covered[i] < best.covered) best = {spots[i], covered[i]};
    return best;
}

} // namespace zephon::plot
