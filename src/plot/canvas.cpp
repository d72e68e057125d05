// SPDX-License-Identifier: BSD-3-Clause
#include "plot/canvas.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zephon::plot {

Rect Rect::Normalized() const {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

Rect Rect::Union(const Rect& other) const {
    return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
            std::max(bottom, other.bottom)};
}

Rect Rect::Intersect(const Rect& other) const {
    Rect r{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
           std::min(bottom, other.bottom)};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

TextCentre PlaceTextCentre(const Rect& box, Size extent, double degrees, unsigned flags) {
    const Rect r = box.Normalized();
    const double angle = degrees * std::numbers::pi / 180.0;
    const double c = std::abs(std::cos(angle));
    const double s = std::abs(std::sin(angle));
    const double boundsWidth = extent.cx * c + extent.cy * s;
    const double boundsHeight = extent.cx * s + extent.cy * c;

    TextCentre centre{r.left + boundsWidth / 2, r.top + boundsHeight / 2};
    if (flags & kTextHCenter)
        centre.x = (r.left + r.right) / 2.0;
    else if (flags & kTextRight)
        centre.x = r.right - boundsWidth / 2;
    if (flags & kTextVCenter)
        centre.y = (r.top + r.bottom) / 2.0;
    else if (flags & kTextBottom)
        centre.y = r.bottom - boundsHeight / 2;
    return centre;
}

} // namespace zephon::plot
