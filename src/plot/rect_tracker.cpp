// SPDX-License-Identifier: BSD-3-Clause
#include "plot/rect_tracker.hpp"

using namespace zephon::plot;

namespace {

constexpr std::array<CTrackerHit, 8> kHandleHits{
    CTrackerHit::TopLeft,     CTrackerHit::Top,    CTrackerHit::TopRight,   CTrackerHit::Right,
    CTrackerHit::BottomRight, CTrackerHit::Bottom, CTrackerHit::BottomLeft, CTrackerHit::Left};

Rect Square(int x, int y) {
    constexpr int s = CRectTracker::kHandleSize;
    return {x - s, y - s, x + s, y + s};
}

} // namespace

std::array<Rect, 8> CRectTracker::Handles(const Rect& frame) {
    const Rect r = frame.Normalized();
    const int midX = r.left + r.Width() / 2;
    const int midY = r.top + r.Height() / 2;
    return {Square(r.left, r.top),    Square(midX, r.top),       Square(r.right, r.top),
            Square(r.right, midY),    Square(r.right, r.bottom), Square(midX, r.bottom),
            Square(r.left, r.bottom), Square(r.left, midY)};
}

CTrackerHit CRectTracker::HitTest(const Rect& frame, Point p) {
    const std::array<Rect, 8> handles = Handles(frame);
    for (std::size_t i = 0; i < handles.size(); ++i)
        if (handles[i].Contains(p.x, p.y)) return kHandleHits[i];
    const Rect r = frame.Normalized();
    const Rect grip{r.left - kHandleSize, r.top - kHandleSize, r.right + kHandleSize, r.bottom + kHandleSize};
    return grip.Contains(p.x, p.y) ? CTrackerHit::Move : CTrackerHit::None;
}

Rect CRectTracker::Track(const Rect& frame, CTrackerHit hit, Point from, Point to) {
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    Rect r = frame.Normalized();
    switch (hit) {
    case CTrackerHit::None:
        break;
    case CTrackerHit::Move:
        r = r.Offset(dx, dy);
        break;
    case CTrackerHit::TopLeft:
        r.left += dx, r.top += dy;
        break;
    case CTrackerHit::Top:
        r.top += dy;
        break;
    case CTrackerHit::TopRight:
        r.right += dx, r.top += dy;
        break;
    case CTrackerHit::Right:
        r.right += dx;
        break;
    case CTrackerHit::BottomRight:
        r.right += dx, r.bottom += dy;
        break;
    case CTrackerHit::Bottom:
        r.bottom += dy;
        break;
    case CTrackerHit::BottomLeft:
        r.left += dx, r.bottom += dy;
        break;
    case CTrackerHit::Left:
        r.left += dx;
        break;
    }
    return r;
}
