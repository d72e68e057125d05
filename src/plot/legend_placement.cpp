#include "plot/legend_placement.hpp"

#include <algorithm>
#include <array>
#include <cmath>

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

long CountCurve(const CGraphPointList& curve, const PlotMapping& mapping, const Rect& box) {
    long count = 0;
    const CPointRecord* previous = nullptr;
    PixelPoint from{};
    for (const auto& point : curve.mPointsList) {
        const PixelPoint to = ToPixel(mapping, point->mX, point->mY);
        if (previous != nullptr && !point->mSkip && std::isfinite(to.x) && std::isfinite(to.y) &&
            SegmentMeetsBox(from, to, box))
            ++count;
        previous = point.get();
        from = to;
    }
    // A curve of one vertex is a dot.
    if (curve.mPointsList.size() == 1 && Inside(from, box)) ++count;
    return count;
}

long CountMarkers(const CGraphPointList& list, const PlotMapping& mapping, const Rect& box) {
    long count = 0;
    for (const auto& point : list.mPointsList)
        count += Inside(ToPixel(mapping, point->mX, point->mY), box) ? 1 : 0;
    return count;
}

} // namespace

Rect LegendBoxInCorner(CLegendSpot spot, const Rect& plot, Size legend) {
    const bool right = spot == CLegendSpot::TopRight || spot == CLegendSpot::BottomRight;
    const bool top = spot == CLegendSpot::TopRight || spot == CLegendSpot::TopLeft;
    const int left = right ? plot.right - kLegendInset - legend.cx : plot.left + kLegendInset;
    const int y = top ? plot.top + kLegendInset : plot.bottom - kLegendInset - legend.cy;
    return {left, y, left + legend.cx, y + legend.cy};
}

long CoveredData(const std::vector<std::unique_ptr<CGraphObject>>& objects, const PlotMapping& mapping,
                 const Rect& box) {
    if (!(mapping.maxX > mapping.minX) || !(mapping.maxY > mapping.minY)) return 0;
    // Markers just outside still touch the box.
    const Rect widened{box.left - 3, box.top - 3, box.right + 3, box.bottom + 3};
    long covered = 0;
    for (const auto& object : objects) {
        if (object->mHidden) continue;
        long count = 0;
        switch (object->mType) {
        case CGraphObject::kCurve:
            count = CountCurve(static_cast<const CGraphPointList&>(*object), mapping, box);
            break;
        case CGraphObject::kPointList:
        case CGraphObject::kStringPointList:
            count = CountMarkers(static_cast<const CGraphPointList&>(*object), mapping, widened);
            break;
        case CGraphObject::kPoint: {
            const CPointRecord& p = static_cast<const CGraphPoint&>(*object).mPoint;
            count = Inside(ToPixel(mapping, p.mX, p.mY), widened) ? 1 : 0;
            break;
        }
        default:
            break;
        }
        covered += count * (object->mSelectable ? 4 : 1);
    }
    return covered;
}

CLegendCorner BestLegendCorner(const std::vector<std::unique_ptr<CGraphObject>>& objects,
                               const PlotMapping& mapping, Size legend) {
    CLegendCorner best{CLegendSpot::TopRight, -1};
    for (const CLegendSpot spot :
         {CLegendSpot::TopRight, CLegendSpot::TopLeft, CLegendSpot::BottomRight, CLegendSpot::BottomLeft}) {
        const long covered = CoveredData(objects, mapping, LegendBoxInCorner(spot, mapping.plotRect, legend));
        if (best.covered < 0 || covered < best.covered) best = {spot, covered};
    }
    return best;
}

} // namespace zephon::plot
