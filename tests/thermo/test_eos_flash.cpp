// SPDX-License-Identifier: BSD-3-Clause
// The Newton flash: every problem code on a binary, a ternary and a 17-component oil, each
// converged state checked against its own equations (equal fugacities, material balance,
// both specified variables); the Jacobian against finite differences; the plausibility test.
#include "flash_fixtures.hpp"
#include "thermo/linear_system.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace zephon::thermo;
using namespace zephon::testing;

namespace {

// The equations a converged flash must satisfy, independently of how it got there.
void expect_equilibrium(const EosFlash& f) {
    ASSERT_EQ(f.errorflag, 0);
    for (short i = 0; i < f.N; ++i) {
        EXPECT_NEAR(f.Nv * f.y[i] + f.Nl * f.x[i], f.n[i], 1e-10) << "balance " << i;
        if (f.z[i] > 0.0) {
            EXPECT_NEAR(f.vapour->fugacity[i] / f.liquid->fugacity[i], 1.0, 1e-8)
                << "fugacity " << f.component[i];
        }
    }
    double sx = 0.0, sy = 0.0, dist = 0.0;
    for (short i = 0; i < f.N; ++i)
        sx += f.x[i], sy += f.y[i], dist += std::fabs(f.x[i] - f.y[i]);
    EXPECT_NEAR(sx, 1.0, 1e-10);
    EXPECT_NEAR(sy, 1.0, 1e-10);
    EXPECT_GT(dist, 0.01) << "trivial solution";
    EXPECT_NEAR(f.Nl + f.Nv, f.Ntot, 1e-12);
    // The phases describe the reported state.
    EXPECT_EQ(f.liquid->T, f.T);
    EXPECT_NEAR(f.vapour->P / f.P, 1.0, 1e-15);
    EXPECT_NEAR(f.V, f.Nl * f.liquid->V + f.Nv * f.vapour->V, 1e-18);
}

// One flash of the given code from the ideal-mixture start; targets in SI (T K, P Pa).
short flash(EosFlash& f, short code, double first, double second, short init = 2) {
    f.set_type_of_problem(code);
    auto specify = [&f](short digit, double v) {
        switch (digit) {
        case 1:
            f.set_the_temperature(v);
            break;
        case 2:
            f.set_the_pressure(v / 1e5);
            break;
        case 3:
            f.set_the_vaporization_ratio(v);
            break;
        case 4:
            f.set_the_volume(v);
            break;
        case 5:
            f.set_the_vaporization_ratio1(v);
            break;
        }
    };
    specify(static_cast<short>(code / 10), first);
    specify(static_cast<short>(code % 10), second);
    f.set_initialization_flag(init);
    f.calculateVLE();
    return f.errorflag;
}

struct Mixture {
    const char* name;
    std::vector<short> rows;
    std::vector<double> z;
};

const std::vector<Mixture> kMixtures = {
    {"C1-nC5", {3, 9}, {0.4, 0.6}},
    {"C1-C3-C10", {3, 5, 14}, {0.5, 0.2, 0.3}},
};

} // namespace

TEST(EosFlash, EveryProblemCodeSatisfiesItsEquations) {
    for (const Mixture& m : kMixtures) {
        SCOPED_TRACE(m.name);
        FlashRig rig = make_table_mixture(m.rows, m.z);
        EosFlash& f = *rig.flash;

        // 12: T and P inside the two-phase region.
        ASSERT_EQ(flash(f, 12, 320.0, 40e5), 0);
        expect_equilibrium(f);
        EXPECT_NEAR(f.T, 320.0, 1e-9);
        EXPECT_NEAR(f.P, 40e5, 1e-3);
        const double V12 = f.V, Fvv12 = f.Fvv, Nv12 = f.Nv;

        // 13 and 23: the same split, specified by vapour moles.
        ASSERT_EQ(flash(f, 13, 320.0, Nv12), 0);
        expect_equilibrium(f);
        EXPECT_NEAR(f.P / 40e5, 1.0, 1e-7);
        ASSERT_EQ(flash(f, 23, 40e5, Nv12), 0);
        expect_equilibrium(f);
        EXPECT_NEAR(f.T, 320.0, 1e-6);

        // 14 and 24: total volume (start from the 12 solution: the ideal start has no volume).
        ASSERT_EQ(flash(f, 12, 320.0, 40e5), 0);
        ASSERT_EQ(flash(f, 14, 320.0, V12, 1), 0);
        expect_equilibrium(f);
        EXPECT_NEAR(f.V / V12, 1.0, 1e-8);
        EXPECT_NEAR(f.P / 40e5, 1.0, 1e-6);
        ASSERT_EQ(flash(f, 24, 40e5, V12, 1), 0);
        expect_equilibrium(f);
        EXPECT_NEAR(f.T, 320.0, 1e-5);

        // 15: vapour volume fraction, from the ideal start.
        ASSERT_EQ(flash(f, 15, 320.0, Fvv12), 0);
        expect_equilibrium(f);
        EXPECT_NEAR(f.Fvv, Fvv12, 1e-9);
        EXPECT_NEAR(f.P / 40e5, 1.0, 1e-6);

        // Bubble and dew points.
        ASSERT_EQ(saturation_at(f, 300.0, true), 0);
        expect_equilibrium(f);
        EXPECT_LT(f.Nv, 1e-12);
        ASSERT_EQ(saturation_at(f, 300.0, false), 0);
        expect_equilibrium(f);
    }
}

TEST(EosFlash, SeventeenComponentOil) {
    FlashRig rig = make_reference_oil("a0.7_b0.2_co20_n20_h2s0");
    EosFlash& f = *rig.flash;
    ASSERT_EQ(saturation_at(f, 373.15, true), 0);
    expect_equilibrium(f);
    const double Pb = f.P;
    // Below the bubble point the oil splits; the volume and volume-fraction problems of an
    // inclusion cooled to room temperature.
    ASSERT_EQ(flash(f, 12, 373.15, 0.6 * Pb), 0);
    expect_equilibrium(f);
    const double V = f.V;
    ASSERT_EQ(flash(f, 14, 373.15, V, 1), 0);
    expect_equilibrium(f);
    EXPECT_NEAR(f.V / V, 1.0, 1e-8);
    ASSERT_EQ(flash(f, 15, 293.15, 0.1), 0);
    expect_equilibrium(f);
    EXPECT_NEAR(f.Fvv, 0.1, 1e-9);
    ASSERT_EQ(flash(f, 24, 0.6 * Pb, V, 1), 0);
    expect_equilibrium(f);
    EXPECT_NEAR(f.T, 373.15, 1e-4);
}

TEST(EosFlash, JacobianMatchesFiniteDifferencesOfTheResiduals) {
    for (short code : {13, 14, 15}) {
        FlashRig rig = make_table_mixture({3, 5, 14}, {0.5, 0.2, 0.3});
        EosFlash& f = *rig.flash;
        ASSERT_EQ(flash(f, 12, 320.0, 40e5), 0);
        f.set_type_of_problem(code);
        f.set_the_temperature(320.0);
        f.set_the_vaporization_ratio(0.3);
        f.set_the_volume(1e-4);
        f.set_the_vaporization_ratio1(0.4);
        const short n = f.size;
        std::vector<double> U = {f.T, f.P, f.Nl, f.Nv};
        for (short i = 0; i < f.N; ++i)
            U.push_back(f.x[i]);
        for (short i = 0; i < f.N; ++i)
            U.push_back(f.y[i]);
        std::vector<double> G(n), Gp(n), Gm(n);
        Matrix J = allocate(n, n), scratch = allocate(n, n);
        short failure = 0;
        auto Ucopy = U;
        f.calculate_vector_function(Ucopy.data(), G.data(), J.rows(), failure, 1);
        ASSERT_EQ(failure, 0);
        const std::vector<double> steps = {1e-4, 1.0, 1e-7, 1e-7};
        for (short j = 0; j < n; ++j) {
            const double h = j < 4 ? steps[j] : 1e-7;
            auto up = U, down = U;
            up[j] += h;
            down[j] -= h;
            f.calculate_vector_function(up.data(), Gp.data(), scratch.rows(), failure, 0);
            ASSERT_EQ(failure, 0);
            f.calculate_vector_function(down.data(), Gm.data(), scratch.rows(), failure, 0);
            ASSERT_EQ(failure, 0);
            for (short i = 0; i < n; ++i) {
                // An entry is judged against the row's size: sum_k |J_ik| |U_k| / |U_j|.
                double rowSize = 0.0;
                for (short k = 0; k < n; ++k)
                    rowSize += std::fabs(J[i][k]) * std::max(std::fabs(U[k]), 1e-3);
                const double entryScale = rowSize / std::max(std::fabs(U[j]), 1e-3);
                const double fd = (Gp[i] - Gm[i]) / (2 * h);
                EXPECT_NEAR(J[i][j], fd, 1e-6 * std::max(std::fabs(J[i][j]), 1e-3 * entryScale))
                    << "code " << code << " row " << i << " column " << j;
            }
        }
    }
}

TEST(EosFlash, PlausibilityTestRepairsRejectsAndRelabels) {
    FlashRig rig = make_table_mixture({3, 9}, {0.4, 0.6});
    EosFlash& f = *rig.flash;
    ASSERT_EQ(flash(f, 12, 320.0, 40e5), 0);
    auto reset = [&f] {
        f.T = 320.0, f.P = 40e5, f.Nl = 0.6, f.Nv = 0.4;
        f.x = {0.2, 0.8};
        f.y = {0.9, 0.1};
    };
    reset();
    EXPECT_EQ(f.the_calculated_vector_is_not_good(), 0);
    f.x[1] = -0.5; // repaired and accepted
    EXPECT_EQ(f.the_calculated_vector_is_not_good(), 0);
    EXPECT_EQ(f.x[1], 1e-10);
    reset();
    f.y[0] = 1.2;
    EXPECT_EQ(f.the_calculated_vector_is_not_good(), 0);
    EXPECT_EQ(f.y[0], 0.999999999);
    reset();
    f.x[1] = -2.0;
    EXPECT_EQ(f.the_calculated_vector_is_not_good(), 1);
    reset();
    f.Nv = 1.00005;
    EXPECT_EQ(f.the_calculated_vector_is_not_good(), 0);
    f.Nv = 1.0002;
    EXPECT_EQ(f.the_calculated_vector_is_not_good(), 1);
    reset();
    f.y = {0.201, 0.799}; // trivial: both phases alike
    EXPECT_EQ(f.the_calculated_vector_is_not_good(), 1);
    reset();
    std::swap(f.x, f.y); // methane richer in the liquid: inverted
    EXPECT_EQ(f.the_calculated_vector_is_not_good(), 1);
    reset();
    f.vapour->set_the_phase_as(2);
    EXPECT_EQ(f.the_calculated_vector_is_not_good(), 1);
    EXPECT_EQ(f.vapour->phase, 1);
    EXPECT_EQ(f.liquid->phase, 2);
}

TEST(EosFlash, ProblemCodesAndFailuresEndClearly) {
    FlashRig rig = make_table_mixture({3, 9}, {0.4, 0.6});
    EosFlash& f = *rig.flash;
    f.set_type_of_problem(45);
    EXPECT_EQ(f.AkV, 1.0);
    EXPECT_EQ(f.BkFv, 1.0);
    EXPECT_EQ(f.AkT + f.AkP + f.AkNv + f.AkFv + f.BkT + f.BkP + f.BkNv + f.BkV, 0.0);

    // Both specified variables on T: the Jacobian is singular.
    ASSERT_EQ(flash(f, 12, 320.0, 40e5), 0);
    f.set_type_of_problem(11);
    f.set_the_temperature(320.0);
    f.set_initialization_flag(1);
    f.calculateVLE();
    EXPECT_EQ(f.errorflag, 1);

    // A failing ideal-mixture start ends before any Newton iteration.
    f.algorithm.iter = 0;
    f.set_type_of_problem(13);
    f.set_the_temperature(std::nan(""));
    f.set_the_vaporization_ratio(0.0);
    f.set_initialization_flag(2);
    f.calculateVLE();
    EXPECT_EQ(f.errorflag, 1);
    EXPECT_EQ(f.algorithm.iter, 0);

    // Above the mixture's critical region there is no bubble point: a clear failure within
    // the iteration limits, and NaN targets never hang.
    EXPECT_EQ(saturation_at(f, 700.0, true), 1);
    EXPECT_EQ(flash(f, 12, std::nan(""), 40e5), 1);
    EXPECT_EQ(flash(f, 12, 320.0, -5e5), 1);
}

// The flash solves its linear systems through the material balances; its solutions must satisfy
// the whole system as well as those of plain Gaussian elimination do, at a bubble point (no
// vapour), a dew point (no liquid), a split whose second row is the volume, and where the amounts
// are too small to serve as pivots.
TEST(EosFlash, StepsThroughTheBalancesSolveTheWholeSystem) {
    FlashRig rig = make_reference_oil("a0.6_b0.3_co20.05_n20.02_h2s0");
    EosFlash& f = *rig.flash;
    const short n = f.size;
    auto check = [&](const char* what) {
        SCOPED_TRACE(what);
        Matrix J = allocate(n, n);
        f.fill_in_the_Jacobian_matrix(J.rows());
        f.set_constraint(J.rows(), 1, 1);
        f.set_constraint(J.rows(), 4, 2);
        std::vector<double> rhs(n);
        rhs[2 * f.N + 2] = 1.0; // the derivatives of the state along T at constant volume
        // Largest residual of a solution, each row against the size of its terms.
        auto worstResidual = [&](const std::vector<double>& x) {
            double worst = 0.0;
            for (short i = 0; i < n; ++i) {
                double r = rhs[i], size = std::fabs(rhs[i]);
                for (short j = 0; j < n; ++j)
                    r -= J[i][j] * x[j], size += std::fabs(J[i][j] * x[j]);
                worst = std::max(worst, std::fabs(r) / size);
            }
            return worst;
        };
        Matrix work = J, dense = J;
        std::vector<double> r1 = rhs, r2 = rhs, x(n), xDense(n);
        short ir = -1, irDense = -1;
        f.solve_linearised_system(0, work.rows(), r1.data(), x.data(), n, ir);
        solve_the_linear_system(dense.rows(), r2.data(), xDense.data(), n, irDense);
        ASSERT_EQ(irDense, 0);
        ASSERT_EQ(ir, 0);
        EXPECT_LT(worstResidual(x), 1e-12);
        EXPECT_LT(worstResidual(xDense), 1e-12);
    };
    ASSERT_EQ(saturation_at(f, 373.15, true), 0);
    check("bubble point");
    ASSERT_EQ(saturation_at(f, 373.15, false), 0);
    check("dew point");
    ASSERT_EQ(flash(f, 12, 373.15, 50e5), 0);
    check("two phases");
    f.Nl = f.Nv = 1e-5;
    check("small amounts");
}
