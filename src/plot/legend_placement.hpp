// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Where a legend hides the least of a plot: one of the plot area's four inner corners, or outside
// the plot on its right when every corner would cover data and the window has room for it there.

#include <memory>
#include <span>
#include <vector>

#include "plot/graph_object.hpp"

namespace zephon::plot {

enum class CLegendSpot { TopRight, TopLeft, BottomRight, BottomLeft, OutsideRight };

// Pixels between a legend in a corner and the plot area's edges.
inline constexpr int kLegendInset = 8;

// The box of a legend of that size in an inner corner of the plot area (not OutsideRight).
Rect LegendBoxInCorner(CLegendSpot spot, const Rect& plot, Size legend);

// How much of the drawn data each box would hide, the plot mapped as given: each marker and each
// curve segment in a box counts, the objects a person works with (selectable ones) four times as
// much as background curves; hidden objects, texts and the legend do not count.
std::vector<long> CoveredData(const std::vector<std::unique_ptr<CGraphObject>>& objects,
                              const PlotMapping& mapping, std::span<const Rect> boxes);

// The corner whose box hides the least data (top right, top left, bottom right, bottom left on
// equal terms), with what it hides.
struct CLegendCorner {
    CLegendSpot spot = CLegendSpot::TopRight;
    long covered = 0;
};
CLegendCorner BestLegendCorner(const std::vector<std::unique_ptr<CGraphObject>>& objects,
                               const PlotMapping& mapping, Size legend);

} // namespace zephon::plot
