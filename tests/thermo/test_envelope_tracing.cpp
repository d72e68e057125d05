// SPDX-License-Identifier: BSD-3-Clause
// The envelope's continuation as the interfaces run it: every traced point against the saturation
// point solved again from its neighbours, the second-order estimate against the tangent, and the
// return to the saved point after a failed step.
#include "flash_fixtures.hpp"
#include "thermo/calculation_interface.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace zephon::thermo;
using namespace zephon::testing;

namespace {

struct Fluid {
    double alpha, beta, co2;
};

std::unique_ptr<CCalculationInterface> oil_interface(const Fluid& f) {
    auto ci = std::make_unique<CCalculationInterface>(1);
    ci->mAlpha = f.alpha, ci->mBeta = f.beta, ci->mCO2 = f.co2;
    ci->Finalize();
    return ci;
}

struct State {
    double T, P;
    std::vector<double> x, y;
};

State state_of(const Oil& oil) {
    return {oil.T, oil.P, oil.x, oil.y};
}

// One branch traced by the interface, every point's state kept.
std::vector<State> trace_branch(CCalculationInterface& ci, char branch) {
    std::vector<State> states;
    ci.mBranch = branch;
    double T = 0, P = 0;
    if (ci.FirstIsoplethPoint(&T, &P) != 0) return states;
    states.push_back(state_of(ci.system()));
    for (int k = 0; k < 2000; ++k) {
        const signed char r = ci.NextIsoplethPoint(&T, &P);
        if (r < 0) break;
        if (r == 0) states.push_back(state_of(ci.system()));
    }
    return states;
}

// The saturation point of `oil` at the temperature (mode 13) or the pressure (mode 23) of `target`,
// reached from `from` in `steps` equal steps, each a flash from the one before; NaN where a flash
// fails or its final corrections did not bring the residual to its rounding (near a critical
// point Newton may stop short of the point by 1e-6). Returns the other variable (P at T, T at P).
double solved_again(Oil& oil, const State& from, const State& target, short mode, bool bubble, int steps) {
    State s = from;
    for (int k = 1; k <= steps; ++k) {
        for (short i = 0; i < oil.N; ++i) {
            oil.xcomposition(i, s.x[i]);
            oil.ycomposition(i, s.y[i]);
        }
        oil.set_initialization_flag(0);
        const double f = static_cast<double>(k) / steps;
        if (mode == 13) {
            oil.Pnc = s.P;
            oil.set_type_of_problem(13);
            oil.set_the_temperature(from.T + (target.T - from.T) * f);
        } else {
            oil.Tnc = s.T;
            oil.Pnc = from.P + (target.P - from.P) * f;
            oil.set_type_of_problem(23);
            oil.set_the_pressure(oil.Pnc / 100000.0);
        }
        oil.set_the_vaporization_ratio(bubble ? 0.0 : 1.0);
        oil.calculateVLE();
        if (oil.errorflag != 0 || !(oil.mPolishedResidual < 1e-11)) return NAN;
        s = state_of(oil);
    }
    return mode == 13 ? oil.P : oil.T;
}

} // namespace

// Near the critical point Newton's scaled residual can stop falling 1e-6 short of the saturation
// point (two dew points of the first oil next to its critical point were kept that far off): only
// steps whose final corrections reached the rounding of the residual are kept.
TEST(EnvelopeTracing, EveryPointIsTheSaturationPointSolvedAgainFromItsNeighbours) {
    const std::vector<Fluid> fluids = {{0.9, 0.5, 0.0}, {0.85, 0.35, 0.02}};
    for (const Fluid& fluid : fluids) {
        for (char branch : {char(1), char(0)}) {
            SCOPED_TRACE("alpha " + std::to_string(fluid.alpha) + (branch == 1 ? " bubble" : " dew"));
            auto tracer = oil_interface(fluid);
            const std::vector<State> states = trace_branch(*tracer, branch);
            ASSERT_GT(states.size(), 20u);
            auto checker = oil_interface(fluid);
            Oil& oil = checker->system();
            int checked = 0;
            for (std::size_t k = 1; k < states.size(); ++k) {
                const State& point = states[k];
                // From the point before, and from the one after (or two before) as well.
                const State& other = k + 1 < states.size() ? states[k + 1] : states[k - 2];
                // Each solve that converges finds the point itself, or another saturation point
                // far from it (the other side of a turning point of the branch), never one near.
                double nearest = HUGE_VAL, nearby = 0.0;
                for (const State* from : {&states[k - 1], &other}) {
                    for (short mode : {short(13), short(23)}) {
                        const double v = solved_again(oil, *from, point, mode, branch == 1, 5);
                        if (!std::isfinite(v)) continue;
                        const double d =
                            mode == 13 ? std::fabs(v - point.P) / point.P : std::fabs(v - point.T) / point.T;
                        nearest = std::min(nearest, d);
                        if (d < 1e-3) nearby = std::max(nearby, d);
                    }
                }
                EXPECT_LT(nearest, 1e-9) << "at T " << point.T << " K, P " << point.P << " Pa";
                EXPECT_LT(nearby, 1e-9) << "at T " << point.T << " K, P " << point.P << " Pa";
                checked += nearest < 1e-9;
            }
            EXPECT_EQ(checked, static_cast<int>(states.size()) - 1);
        }
    }
}

// Between two nodes the cubic through their values and slopes lands much closer to the converged
// point than the tangent of the last one.
TEST(EnvelopeTracing, SecondOrderEstimateLandsCloserThanTheTangent) {
    FlashRig rig = make_reference_fluid8();
    EosFlash& f = *rig.flash;
    ASSERT_EQ(saturation_at(f, 250.0, true), 0);
    f.gradeflag = 0;
    double lambda = 1.0;
    std::vector<double> ratios;
    for (int k = 0; k < 200 && lambda >= 0.01; ++k) {
        f.save();
        f.estimateNextIsoplethPoint(lambda, 10.0, 500000.0);
        const bool inT = f.type_of_problem == 13;
        const double estimate = inT ? f.Pnc : f.Tnc;
        // The tangent's estimate at the same step.
        const double tangent =
            inT ? f.Pnc0 + f.dPdT * (f.T_star - f.Tnc0) : f.Tnc0 + (f.P_star - f.Pnc0) / f.dPdT;
        f.set_initialization_flag(0);
        f.calculateVLE();
        if (f.errorflag != 0) {
            f.restore();
            lambda /= 2.0;
            continue;
        }
        lambda = std::min(1.0, lambda * 1.2);
        const double converged = inT ? f.P : f.T;
        if (k >= 2 && tangent != estimate)
            ratios.push_back(std::fabs(estimate - converged) / std::fabs(tangent - converged));
    }
    // The bubble curve of the 8-component fluid up to its critical region: the cubic misses by a
    // thousandth of the tangent's miss in the median, by less than a hundredth at worst.
    ASSERT_GT(ratios.size(), 30u);
    std::sort(ratios.begin(), ratios.end());
    EXPECT_LT(ratios[ratios.size() / 2], 0.01);
    EXPECT_LT(ratios.back(), 0.05);
}

// A failed step returns to the saved point without describing its phases again; where the next
// estimate needs a Jacobian there (another pair of variables than the factors kept), they are
// described then, and its derivatives are those of a full return.
TEST(EnvelopeTracing, ReturnWithoutPhasesGivesTheDerivativesOfAFullReturn) {
    FlashRig rig = make_table_mixture({3, 5, 14}, {0.5, 0.2, 0.3});
    EosFlash& f = *rig.flash;
    std::vector<double> full(f.size), lazy(f.size);
    for (bool useFull : {true, false}) {
        ASSERT_EQ(saturation_at(f, 330.0, true), 0);
        f.save();
        ASSERT_EQ(saturation_at(f, 360.0, true), 0); // the phases now describe another point
        // No kept factors or derivatives of the saved point's.
        for (short i = 0; i < f.N; ++i)
            f.composition(i, f.z[i]);
        if (useFull)
            f.restore();
        else
            f.restore_saved_state();
        f.calculate_derivatives((useFull ? full : lazy).data(), 2, 3);
        EXPECT_EQ(f.T, f.Tnc0);
        EXPECT_EQ(f.liquid->T, f.Tnc0);
        EXPECT_DOUBLE_EQ(f.vapour->P, f.Pnc0);
    }
    for (short i = 0; i < f.size; ++i)
        EXPECT_EQ(lazy[i], full[i]) << "unknown " << i;
}
