// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Graduations on round values.
//
// An axis is graduated at whole multiples of a step of 1, 2, 2.5 or 5 times a power of ten that
// lie inside its range (the range itself is never changed to suit the ticks), with as many
// decimals as the step needs, so that every label reads exactly the value its tick stands at and
// no two labels are alike. Among the steps whose ticks fit, the one whose count comes closest to
// the axis's own count is taken, simpler steps first (1 before 5, 2 and 2.5), in the manner of
// Heckbert's "nice numbers".

#include <string>
#include <vector>

namespace zephon::plot {

struct CAxisTicks {
    std::vector<double> values; // increasing, inside the range
    double step = 0;
    int decimals = 0; // what the step needs: 0 for 50, 1 for 2.5, 2 for 0.05 or 0.25

    std::string Label(std::size_t index) const;
};

// Fewer ticks than this are taken only when no more fit; more than kMaxAxisTicks never.
inline constexpr int kMinAxisTicks = 3;
inline constexpr int kMaxAxisTicks = 10;

// The ticks of [min, max] whose count comes closest to `target` (held within kMinAxisTicks and
// `maxCount`), never more than `maxCount` (itself at most kMaxAxisTicks). An empty, inverted or not
// finite range, or no room for a single tick, gives none.
CAxisTicks ChooseAxisTicks(double min, double max, int target, int maxCount = kMaxAxisTicks);

// "%.*f" of a graduation, never "-0".
std::string FormatTickValue(double value, int decimals);

} // namespace zephon::plot
