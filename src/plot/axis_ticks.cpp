// SPDX-License-Identifier: BSD-3-Clause
#include "plot/axis_ticks.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

namespace zephon::plot {

namespace {

struct Mantissa {
    double value;
    int extraDecimals; // 2.5 needs one decimal more than its power of ten
    double penalty;    // how much less simple than 1 the step reads
};

constexpr std::array<Mantissa, 4> kMantissas{{{1, 0, 0}, {5, 0, 0.1}, {2, 0, 0.2}, {2.5, 1, 0.4}}};

// Exact powers of ten for the exponents a step can have; beyond them the axis is not graduated.
constexpr int kMaxExponent = 22;

double PowerOfTen(int exponent) {
    double power = 1;
    for (int i = 0; i < std::abs(exponent); ++i)
        power *= 10;
    return power;
}

// k times the step, divided rather than multiplied by a power of ten below 1 so that the value
// is the double nearest to its decimal text (0.3, not 0.30000000000000004).
double TickValue(double k, const Mantissa& mantissa, int exponent) {
    const double units = k * mantissa.value;
    return exponent >= 0 ? units * PowerOfTen(exponent) : units / PowerOfTen(-exponent);
}

} // namespace

std::string FormatTickValue(double value, int decimals) {
    decimals = std::clamp(decimals, 0, 30);
    char buffer[512];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    if (length <= 0 || length >= static_cast<int>(sizeof buffer)) return {};
    std::string text(buffer, static_cast<std::size_t>(length));
    if (text.front() == '-' && text.find_first_of("123456789") == std::string::npos) text.erase(0, 1);
    return text;
}

std::string CAxisTicks::Label(std::size_t index) const {
    return index < values.size() ? FormatTickValue(values[index], decimals) : std::string();
}

CAxisTicks ChooseAxisTicks(double min, double max, int target, int maxCount) {
    CAxisTicks best;
    maxCount = std::min(maxCount, kMaxAxisTicks);
    const double span = max - min;
    if (!std::isfinite(min) || !std::isfinite(max) || !std::isfinite(span) || !(span > 0) || maxCount < 1)
        return best;
    target = std::clamp(target, std::min(kMinAxisTicks, maxCount), maxCount);

    const int top = static_cast<int>(std::floor(std::log10(span)));
    double bestScore = std::numeric_limits<double>::infinity();
    for (int exponent = top - 3; exponent <= top + 1; ++exponent) {
        if (std::abs(exponent) > kMaxExponent) continue;
        for (const Mantissa& mantissa : kMantissas) {
            const double step = TickValue(1, mantissa, exponent);
            // Ticks at the range's ends count as inside, whatever the rounding of the division.
            const double first = std::ceil(min / step - 1e-9);
            const double last = std::floor(max / step + 1e-9);
            // Beyond 2^53 whole steps the values can no longer be told apart.
            if (!(std::fabs(first) < 9e15 && std::fabs(last) < 9e15)) continue;
            const double count = last - first + 1;
            if (count < 1 || count > maxCount) continue;
            // Fewer than kMinAxisTicks only when nothing else fits.
            const double scarcity = count < kMinAxisTicks ? 10.0 * (kMinAxisTicks - count) : 0.0;
            const double score = std::fabs(count - target) + mantissa.penalty + scarcity;
            if (!(score < bestScore)) continue;
            bestScore = score;
            best.step = step;
            best.decimals = std::max(0, mantissa.extraDecimals - exponent);
            best.values.clear();
            for (double k = first; k <= last; ++k)
                best.values.push_back(TickValue(k, mantissa, exponent));
        }
    }
    return best;
}

} // namespace zephon::plot
