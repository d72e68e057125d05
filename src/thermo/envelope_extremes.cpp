// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/envelope_extremes.hpp"

#include <algorithm>
#include <cmath>

namespace zephon::thermo {

namespace {

constexpr int kMostSteps = 60;
constexpr double kTolerance = 1e-11; // relative step of the fixed variable that ends the search

// Saturation points with one variable held: the temperature (for the cricondenbar, slope dP/dT)
// or the pressure (for the cricondentherm, slope dT/dP).
struct BranchSolver {
    Oil& oil;
    bool bubble;
    bool fixedTemperature;

    double fixed_value(const SaturationState& s) const { return fixedTemperature ? s.T : s.P; }

    // The saturation point at `value` started from `start`; its slope in `slope`.
    bool solve(const SaturationState& start, double value, SaturationState& out, double& slope) const {
        for (short i = 0; i < oil.N; ++i) {
            oil.xcomposition(i, std::clamp(start.x[i], 0.0, 1.0));
            oil.ycomposition(i, std::clamp(start.y[i], 0.0, 1.0));
        }
        if (fixedTemperature) {
            oil.set_type_of_problem(13);
            oil.set_the_temperature(value);
            oil.Pnc = start.P;
        } else {
            oil.set_type_of_problem(23);
            oil.set_the_pressure(value / 100000.0);
            oil.Tnc = start.T;
        }
        oil.set_the_vaporization_ratio(bubble ? 0.0 : 1.0);
        oil.set_initialization_flag(0);
        oil.calculateVLE();
        if (oil.errorflag != 0 || !(oil.P > 0.0) || !std::isfinite(oil.P)) return false;
        // The tangent of the envelope at this point, with the vapour amount held.
        oil.calculate_derivatives(oil.dU.data(), fixedTemperature ? 1 : 2, 3);
        slope = fixedTemperature ? oil.dU[1] : oil.dU[0];
        out = {oil.T, oil.P, oil.x, oil.y, oil.liquid->V, oil.vapour->V};
        return std::isfinite(slope);
    }
};

// The state between a and b at the fixed variable `value`, by linear interpolation.
SaturationState between(const BranchSolver& solver, const SaturationState& a, const SaturationState& b,
                        double value) {
    const double ua = solver.fixed_value(a), ub = solver.fixed_value(b);
    const double t = ub != ua ? (value - ua) / (ub - ua) : 0.0;
    SaturationState s = a;
    s.T = a.T + (b.T - a.T) * t;
    s.P = a.P + (b.P - a.P) * t;
    for (std::size_t i = 0; i < s.x.size(); ++i) {
        s.x[i] = a.x[i] + (b.x[i] - a.x[i]) * t;
        s.y[i] = a.y[i] + (b.y[i] - a.y[i]) * t;
    }
    return s;
}

// The zero of the slope between the traced points of `branch` around index k, where the branch
// reaches its largest temperature or pressure.
EnvelopeExtreme refine(const BranchSolver& solver, const std::vector<SaturationState>& branch, std::size_t k,
                       double tolerance = kTolerance) {
    EnvelopeExtreme result;
    // The slope at the traced points around k; a bracket is a pair where it goes from rising to
    // falling in the fixed variable.
    struct Known {
        SaturationState state;
        double slope = 0.0;
    };
    std::vector<Known> known;
    const std::size_t first = k > 0 ? k - 1 : 0, last = std::min(branch.size() - 1, k + 1);
    for (std::size_t i = first; i <= last; ++i) {
        Known point;
        if (solver.solve(branch[i], solver.fixed_value(branch[i]), point.state, point.slope))
            known.push_back(std::move(point));
    }
    std::sort(known.begin(), known.end(), [&](const Known& a, const Known& b) {
        return solver.fixed_value(a.state) < solver.fixed_value(b.state);
    });
    const Known* low = nullptr;
    const Known* high = nullptr;
    for (std::size_t i = 0; i + 1 < known.size() && !low; ++i) {
        if (known[i].slope >= 0.0 && known[i + 1].slope <= 0.0) {
            low = &known[i];
            high = &known[i + 1];
        }
    }
    if (!low) return result;

    // Secant steps through the last two points (superlinear), kept strictly inside the bracket,
    // which every point shrinks; halving where a step would leave it or a point cannot be solved.
    Known lo = *low, hi = *high, older = lo, latest = hi;
    for (int step = 0; step < kMostSteps; ++step) {
        const double ulo = solver.fixed_value(lo.state), uhi = solver.fixed_value(hi.state);
        const double curvature = (hi.slope - lo.slope) / (uhi - ulo);
        if (lo.slope == 0.0 || hi.slope == 0.0) {
            const Known& exact = lo.slope == 0.0 ? lo : hi;
            return {true, exact.state.T, exact.state.P, exact.state, curvature};
        }
        const double u1 = solver.fixed_value(older.state), u2 = solver.fixed_value(latest.state);
        double u = latest.slope != older.slope ? u2 - latest.slope * (u2 - u1) / (latest.slope - older.slope)
                                               : 0.5 * (ulo + uhi);
        if (!(u > ulo && u < uhi)) u = 0.5 * (ulo + uhi);
        Known next;
        if (!solver.solve(between(solver, lo.state, hi.state, u), u, next.state, next.slope)) {
            u = 0.5 * (ulo + uhi);
            if (!solver.solve(between(solver, lo.state, hi.state, u), u, next.state, next.slope))
                return result;
        }
        if (std::fabs(u - u2) <= tolerance * std::fabs(u) || std::fabs(uhi - ulo) <= tolerance * std::fabs(u))
            return {true, next.state.T, next.state.P, next.state, curvature};
        (next.slope > 0.0 ? lo : hi) = next;
        older = std::move(latest);
        latest = std::move(next);
    }
    return result;
}

// The extreme of the traced envelope in pressure (byPressure) or temperature, refined on its branch.
EnvelopeExtreme extreme(Oil& oil, const std::vector<SaturationState>& bubble,
                        const std::vector<SaturationState>& dew, bool byPressure) {
    const std::vector<SaturationState>* branch = nullptr;
    std::size_t k = 0;
    double largest = -1.0;
    for (const auto* candidate : {&bubble, &dew}) {
        for (std::size_t i = 0; i < candidate->size(); ++i) {
            const double v = byPressure ? (*candidate)[i].P : (*candidate)[i].T;
            if (v > largest) {
                largest = v;
                branch = candidate;
                k = i;
            }
        }
    }
    if (!branch || oil.N <= 0) return {};
    const BranchSolver solver{oil, branch == &bubble, byPressure};
    return refine(solver, *branch, k);
}

} // namespace

EnvelopeExtreme cricondentherm_near(Oil& oil, const SaturationState& near, double spread, double tolerance) {
    const BranchSolver solver{oil, false, false};
    for (int widen = 0; widen < 3; ++widen, spread *= 2.0) {
        std::vector<SaturationState> probes(3, near);
        probes[0].P = near.P * (1.0 - spread);
        probes[2].P = near.P * (1.0 + spread);
        const EnvelopeExtreme found = refine(solver, probes, 1, tolerance);
        if (found.found) return found;
    }
    return {};
}

EnvelopeExtreme cricondenbar(Oil& oil, const std::vector<SaturationState>& bubble,
                             const std::vector<SaturationState>& dew) {
    return extreme(oil, bubble, dew, true);
}

EnvelopeExtreme cricondentherm(Oil& oil, const std::vector<SaturationState>& bubble,
                               const std::vector<SaturationState>& dew) {
    return extreme(oil, bubble, dew, false);
}

} // namespace zephon::thermo
