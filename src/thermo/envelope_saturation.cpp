// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/envelope_saturation.hpp"

#include <cmath>

namespace zephon::thermo {

namespace {

constexpr int kMaxEnvelopePoints = 2000; // far more than any envelope takes
constexpr double kSamePoint = 1e-7;      // relative pressure difference of one point found twice
constexpr double kIsochorStep = 10.0;    // K, as the phase-diagram interface steps
constexpr int kMaxIsochorSteps = 400;

struct EnvelopePoint {
    double T = 0., P = 0.; // K, Pa
    std::vector<double> x, y;
};

EnvelopePoint capture(const Oil& oil) {
    return {oil.T, oil.P, oil.x, oil.y};
}

// The saturation point at T started from the envelope state a + t (b - a); t may lie beyond 1
// at the end of the traced envelope.
bool solve_between(Oil& oil, const EnvelopePoint& a, const EnvelopePoint& b, double t, double T, bool bubble,
                   SaturationState& out) {
    const double P = a.P + (b.P - a.P) * t;
    if (!(P > 0.0)) return false;
    for (short i = 0; i < oil.N; ++i) {
        // Linear extrapolation of a composition must not leave [0, 1].
        oil.xcomposition(i, std::fmin(1.0, std::fmax(0.0, a.x[i] + (b.x[i] - a.x[i]) * t)));
        oil.ycomposition(i, std::fmin(1.0, std::fmax(0.0, a.y[i] + (b.y[i] - a.y[i]) * t)));
    }
    oil.Pnc = P;
    oil.set_type_of_problem(13);
    oil.set_the_temperature(T);
    oil.set_the_vaporization_ratio(bubble ? 0.0 : 1.0);
    oil.set_initialization_flag(0);
    oil.calculateVLE();
    if (oil.errorflag != 0 || !(oil.P > 0.0) || !std::isfinite(oil.P)) return false;
    out = {oil.T, oil.P, oil.x, oil.y, oil.liquid->V, oil.vapour->V};
    return true;
}

bool already_found(const std::vector<SaturationState>& points, double P) {
    for (const SaturationState& s : points)
        if (std::fabs(s.P - P) <= kSamePoint * s.P) return true;
    return false;
}

} // namespace

EnvelopeSaturationResult saturation_points_on_envelope(Oil& oil, double T, bool bubble, bool firstOnly,
                                                       bool quickStart) {
    EnvelopeSaturationResult result;
    const long flashes0 = oil.mFlashCount;
    if (!(T > 0.0) || !std::isfinite(T) || oil.N <= 0) return result;

    double t = 0.0, p = 0.0;
    char error = 0, behavesAsAGas = 0;
    if (bubble && quickStart) {
        // The first bubble point at the temperatures the interface tries, without its ramp.
        oil.set_initialization_flag(2);
        oil.gradeflag = 0;
        error = 1;
        for (double t0 : {273.15, 224.15, 473.15, 194.15}) {
            oil.set_type_of_problem(13);
            oil.set_the_temperature(t0);
            oil.set_the_vaporization_ratio(0.0);
            oil.calculateVLE();
            if (oil.errorflag != 0) continue;
            error = 0;
            behavesAsAGas = t0 == 224.15 || t0 == 194.15;
            oil.save();
            break;
        }
    } else if (bubble) {
        oil.FirstLiquidIsoplethPoint(t, p, error, behavesAsAGas);
    } else {
        oil.FirstGasIsoplethPoint(t, p, error);
    }
    double lambda = 1.0;
    if (error != 0) {
        // No first point where the envelope usually starts (the dew points of heavy oils lie
        // at vanishing pressures there): the envelope is taken up at T itself, where the
        // flash from the ideal mixture may find a point, and followed from there.
        oil.set_type_of_problem(13);
        oil.set_the_temperature(T);
        oil.set_the_vaporization_ratio(bubble ? 0.0 : 1.0);
        oil.set_initialization_flag(2);
        oil.calculateVLE();
        if (oil.errorflag != 0 || !(oil.P > 0.0)) {
            result.flashes = oil.mFlashCount - flashes0;
            return result;
        }
        result.points.push_back({oil.T, oil.P, oil.x, oil.y, oil.liquid->V, oil.vapour->V});
        oil.gradeflag = 0;
        oil.save();
        if (firstOnly) {
            result.flashes = oil.mFlashCount - flashes0;
            return result;
        }
    }
    EnvelopePoint last = capture(oil), beforeLast;
    bool haveTwo = false;

    // Solves at T from the bracket; the envelope's own state is kept for its next step.
    auto solve = [&](const EnvelopePoint& a, const EnvelopePoint& b, double s) {
        SaturationState state;
        if (solve_between(oil, a, b, s, T, bubble, state) && !already_found(result.points, state.P))
            result.points.push_back(std::move(state));
    };

    for (int k = 0; k < kMaxEnvelopePoints; ++k) {
        const signed char r = oil.next_isopleth_point(lambda, bubble, behavesAsAGas != 0);
        if (r == 1) continue;
        if (r < 0) break;
        EnvelopePoint current = capture(oil);
        const bool brackets = (last.T <= T && T < current.T) || (current.T < T && T <= last.T);
        if (brackets) {
            const std::size_t found = result.points.size();
            // The continuation goes on from where it was, in the variable it was stepping.
            const short problem = oil.type_of_problem;
            const double Tstar = oil.T_star, Pstar = oil.P_star;
            solve(last, current, (T - last.T) / (current.T - last.T));
            oil.set_type_of_problem(problem);
            oil.T_star = Tstar;
            oil.P_star = Pstar;
            oil.restore();
            if (firstOnly && result.points.size() > found) break;
        }
        beforeLast = std::move(last);
        last = std::move(current);
        haveTwo = true;
    }

    // The tracing stops short of the critical point: a temperature just beyond its last point
    // (by no more than its last step), or at that point itself, is reached by extrapolation.
    const bool wanted = !(firstOnly && !result.points.empty());
    if (wanted && haveTwo) {
        const double step = last.T - beforeLast.T;
        const double beyond = T - last.T;
        if (step != 0.0 && beyond * step >= 0.0 && std::fabs(beyond) <= std::fabs(step))
            solve(beforeLast, last, (T - beforeLast.T) / step);
    }
    if (!result.points.empty()) {
        // The fluid holds the last point found, saved for a continuation from it.
        const SaturationState& s = result.points.back();
        oil.temperature(s.T);
        oil.pressure(s.P / 100000.0);
        oil.vaporization_ratio(bubble ? 0.0 : 1.0);
        for (short i = 0; i < oil.N; ++i) {
            oil.x[i] = s.x[i];
            oil.y[i] = s.y[i];
        }
        oil.apply_conditions();
        oil.vapour->describe();
        oil.liquid->describe();
        oil.errorflag = 0;
        oil.save();
    }
    result.flashes = oil.mFlashCount - flashes0;
    return result;
}

bool saturation_point_at(Oil& oil, double T, bool bubble, bool quickStart) {
    if (!(T > 0.0) || !std::isfinite(T) || oil.N <= 0) return false;
    oil.set_type_of_problem(13);
    oil.set_the_temperature(T);
    oil.set_the_vaporization_ratio(bubble ? 0.0 : 1.0);
    oil.set_initialization_flag(2);
    oil.calculateVLE();
    bool found = oil.errorflag == 0 && std::isfinite(oil.P) && oil.P > 0.0;
    // Two identical phases are no saturation point.
    double difference = 0.0;
    for (short i = 0; found && i < oil.N; ++i)
        difference = std::fmax(difference, std::fabs(oil.x[i] - oil.y[i]));
    if (found && difference >= 1e-7) return true;
    return !saturation_points_on_envelope(oil, T, bubble, true, quickStart).points.empty();
}

bool state_down_the_isochore(Oil& oil, double T, double V) {
    oil.save();
    oil.gradeflag = 0;
    double lambda = 1.0;
    for (int k = 0; k < kMaxIsochorSteps && oil.T > T + kIsochorStep + 0.5; ++k) {
        oil.set_initialization_flag(0);
        oil.set_type_of_problem(14);
        oil.set_the_volume(V);
        oil.estimateNextIsochorPoint(lambda, -kIsochorStep);
        oil.calculateVLE();
        if (oil.errorflag != 0) {
            lambda /= 2.0;
            if (lambda < 0.1) return false;
            oil.restore();
            continue;
        }
        oil.save();
        if (lambda < 1.0) lambda = std::fmin(1.0, lambda * 1.2);
    }
    oil.set_type_of_problem(14);
    oil.set_the_temperature(T);
    oil.set_the_volume(V);
    oil.set_initialization_flag(1);
    oil.calculateVLE();
    return oil.errorflag == 0 && std::fabs(oil.V / V - 1.0) < 1e-8;
}

} // namespace zephon::thermo
