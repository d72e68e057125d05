// SPDX-License-Identifier: BSD-3-Clause
// Analytic derivatives of the cubic equation of state against central finite differences.
// The Newton flash builds its Jacobian from these, so every one is checked, for the liquid
// and the vapour root, on a 17-component oil and on an explicit fluid with volume shifts.
#include "eos_fixtures.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace zephon::thermo;
using namespace zephon::testing;

namespace {

constexpr double kRelTol = 1e-6;

// Central difference of a scalar function of one variable.
double central(const std::function<double(double)>& f, double x, double h) {
    return (f(x + h) - f(x - h)) / (2.0 * h);
}

void expect_close(double analytic, double numeric, double scale, const std::string& what) {
    EXPECT_LE(std::fabs(analytic - numeric), kRelTol * scale)
        << what << ": analytic " << analytic << " finite difference " << numeric;
}

// Checks every derivative of one phase at (T, P) on its current composition.
void check_all_derivatives(ICubic& ph, double T, double P) {
    const short N = ph.N;
    const std::vector<double> x0 = ph.x;
    auto at = [&](double t, double p, const std::vector<double>& x) {
        ph.T = t;
        ph.P = p;
        ph.x = x;
        ph.describe();
    };
    at(T, P, x0);
    ASSERT_TRUE(std::isfinite(ph.V));
    const ICubic base = ph; // analytic values at the state itself
    const double hT = T * 1e-5, hP = P * 1e-5, hx = 1e-6;

    // Volume derivatives at constant composition, from the root solution.
    expect_close(base.dVdT,
                 central(
                     [&](double t) {
                         at(t, P, x0);
                         return ph.V;
                     },
                     T, hT),
                 std::fabs(base.dVdT), "dVdT");
    expect_close(base.dVdP,
                 central(
                     [&](double p) {
                         at(T, p, x0);
                         return ph.V;
                     },
                     P, hP),
                 std::fabs(base.dVdP), "dVdP");
    for (short j = 0; j < N; ++j) {
        auto vx = [&](double xj) {
            auto x = x0;
            x[j] = xj;
            at(T, P, x);
            return ph.V;
        };
        expect_close(base.dVdx[j], central(vx, x0[j], hx), std::fabs(base.V), "dVdx " + std::to_string(j));
    }

    // Fugacity derivatives: T and P at constant composition, each x_j at constant T, P.
    for (short i = 0; i < N; ++i) {
        const double scale = std::fabs(base.fugacity[i]) + P * std::exp(base.alphi[i]) * 1e-3;
        auto fT = [&](double t) {
            at(t, P, x0);
            return ph.fugacity[i];
        };
        auto fP = [&](double p) {
            at(T, p, x0);
            return ph.fugacity[i];
        };
        expect_close(base.dfugacitydT[i], central(fT, T, hT), std::fabs(base.dfugacitydT[i]) + scale / T,
                     "dfugacitydT " + std::to_string(i));
        expect_close(base.dfugacitydP[i], central(fP, P, hP), std::fabs(base.dfugacitydP[i]) + scale / P,
                     "dfugacitydP " + std::to_string(i));
        const double rowScale = std::fabs(base.fugacity[i]) + P * std::exp(base.alphi[i]);
        for (short j = 0; j < N; ++j) {
            auto fx = [&](double xj) {
                auto x = x0;
                x[j] = xj;
                at(T, P, x);
                return ph.fugacity[i];
            };
            expect_close(base.dfugacitydx[i][j], central(fx, x0[j], hx), rowScale,
                         "dfugacitydx " + std::to_string(i) + "," + std::to_string(j));
        }
    }

    // Pressure derivatives at given T, V from the explicit form.
    const double V = base.V;
    auto pressureAt = [&](double t, double v, const std::vector<double>& x) {
        ph.T = t;
        ph.V = v;
        ph.x = x;
        ph.calculate_pressure();
        return ph.P;
    };
    EXPECT_NEAR(pressureAt(T, V, x0) / P, 1.0, 1e-9) << "pressure at the root volume";
    const ICubic atV = ph;
    expect_close(atV.dPdT, central([&](double t) { return pressureAt(t, V, x0); }, T, hT),
                 std::fabs(atV.dPdT), "dPdT");
    expect_close(atV.dPdV, central([&](double v) { return pressureAt(T, v, x0); }, V, V * 1e-6),
                 std::fabs(atV.dPdV), "dPdV");
    for (short j = 0; j < N; ++j) {
        auto px = [&](double xj) {
            auto x = x0;
            x[j] = xj;
            return pressureAt(T, V, x);
        };
        expect_close(atV.dPdx[j], central(px, x0[j], hx), P, "dPdx " + std::to_string(j));
    }
    // The root solution's own dPdV and dPdT are those of the explicit form at that volume.
    expect_close(base.dPdV, atV.dPdV, std::fabs(atV.dPdV), "dPdV root vs explicit");
    expect_close(base.dPdT, atV.dPdT, std::fabs(atV.dPdT), "dPdT root vs explicit");
}

} // namespace

TEST(CubicEosDerivatives, SeventeenComponentOilLiquidAndVapourRoots) {
    // At 275 K and 6 bar the oil's cubic has three admissible roots, so the two phase
    // flags really pick different volumes.
    auto liquid = make_table_oil(2);
    auto vapour = make_table_oil(1);
    for (auto* ph : {liquid.get(), vapour.get()}) {
        ph->T = 275.0;
        ph->P = 6e5;
        ph->describe();
    }
    ASSERT_GT(vapour->Z, 5.0 * liquid->Z);
    check_all_derivatives(*liquid, 275.0, 6e5);
    check_all_derivatives(*vapour, 275.0, 6e5);
    // And the dense liquid at reservoir pressure.
    check_all_derivatives(*liquid, 380.0, 350e5);
}

TEST(CubicEosDerivatives, ExplicitFluidWithVolumeShift) {
    const std::vector<double> shifts = {-0.154, -0.1002, -0.08501, -0.06413, -0.04183, -0.01478, 0.05, 0.12};
    auto liquid = make_fluid8(2, shifts);
    auto vapour = make_fluid8(1, shifts);
    for (auto* ph : {liquid.get(), vapour.get()}) {
        ph->T = 300.0;
        ph->P = 10e5;
        ph->describe();
    }
    ASSERT_GT(vapour->Z, 5.0 * liquid->Z);
    ASSERT_NE(liquid->cm, 0.0);
    check_all_derivatives(*liquid, 300.0, 10e5);
    check_all_derivatives(*vapour, 300.0, 10e5);
}
