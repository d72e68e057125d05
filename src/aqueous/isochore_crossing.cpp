// SPDX-License-Identifier: BSD-3-Clause
#include "aqueous/isochore_crossing.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace zephon::aqueous {

namespace {

constexpr double kLargestStep = 25.0;          // K, between two looks for a change of sign
constexpr double kSmallestStep = 0.05;         // K
constexpr double kTemperatureTolerance = 1e-7; // K
constexpr int kMaxSteps = 2000;

double degrees(double radians) {
    return radians * 180.0 / std::numbers::pi;
}

} // namespace

double crossing_angle(double s1, double s2) {
    if (s1 * s2 <= 0) return s1 == s2 ? 0.0 : 90.0;
    const double g = std::sqrt(s1 * s2) * (s1 > 0 ? 1.0 : -1.0);
    return degrees(std::fabs(std::atan(s1 / g) - std::atan(s2 / g)));
}

CrossingResult find_crossing(const IsochoreCurve& oil, const IsochoreCurve& aqueous) {
    CrossingResult result;
    struct Look {
        double T;
        IsochorePoint o, a;
        double gap() const { return o.P - a.P; }
    };
    auto look = [&](double T) -> std::optional<Look> {
        const std::optional<IsochorePoint> o = oil.at(T);
        if (!o) return std::nullopt;
        const std::optional<IsochorePoint> a = aqueous.at(T);
        if (!a) return std::nullopt;
        return Look{T, *o, *a};
    };
    auto found = [&](const Look& l) {
        result.status = CrossingStatus::Found;
        result.crossing = {l.T, 0.5 * (l.o.P + l.a.P), l.o.dPdT, l.a.dPdT,
                           crossing_angle(l.o.dPdT, l.a.dPdT)};
        return result;
    };

    const double start = std::max(oil.start_temperature(), aqueous.start_temperature());
    std::optional<Look> previous = look(start);
    if (!previous) {
        result.message =
            "The isochores cannot be calculated where the higher homogenisation temperature lies.";
        return result;
    }
    if (previous->gap() == 0) return found(*previous);

    // March up until the gap changes sign, each step aimed at the crossing the slopes predict.
    std::optional<Look> next;
    for (int step = 0; step < kMaxSteps; ++step) {
        const double gap = previous->gap();
        const double closing = previous->a.dPdT - previous->o.dPdT; // d(gap)/dT, negated
        double dT = kLargestStep;
        if (closing != 0 && gap / closing > 0)
            dT = std::clamp(1.2 * gap / closing, kSmallestStep, kLargestStep);
        next = look(previous->T + dT);
        // Past the end of either isochore: close in on that end in case the sign changes before it.
        while (!next && dT > kSmallestStep) {
            dT /= 2;
            next = look(previous->T + dT);
        }
        if (!next) {
            result.status = CrossingStatus::NotBelowHighestPressure;
            result.message = "The isochores do not cross below 5000 bar.";
            return result;
        }
        if (next->gap() == 0) return found(*next);
        if ((next->gap() > 0) != (gap > 0)) break;
        previous = next;
        next.reset();
    }
    if (!next) {
        result.status = CrossingStatus::NotBelowHighestPressure;
        result.message = "The isochores do not cross below 5000 bar.";
        return result;
    }

    // Refine inside the bracket: a Newton step on the gap, bisection when it leaves the bracket.
    Look lo = *previous, hi = *next;
    Look best = std::fabs(lo.gap()) < std::fabs(hi.gap()) ? lo : hi;
    for (int iteration = 0; iteration < 200 && hi.T - lo.T > kTemperatureTolerance; ++iteration) {
        const double slope = best.o.dPdT - best.a.dPdT;
        double T = slope != 0 ? best.T - best.gap() / slope : 0.5 * (lo.T + hi.T);
        if (!(T > lo.T && T < hi.T)) T = 0.5 * (lo.T + hi.T);
        const std::optional<Look> l = look(T);
        if (!l) {
            result.message = "The isochores could not be calculated near their crossing.";
            return result;
        }
        best = *l;
        if (l->gap() == 0) break;
        if ((l->gap() > 0) == (lo.gap() > 0))
            lo = *l;
        else
            hi = *l;
        // A Newton step that is already this small has converged.
        if (slope != 0 && std::fabs(best.gap() / slope) < kTemperatureTolerance) break;
    }
    return found(best);
}

} // namespace zephon::aqueous
