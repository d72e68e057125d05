// SPDX-License-Identifier: BSD-3-Clause
// What the engine now gives exactly instead of reading it off traced points: the critical point,
// cricondenbar and cricondentherm of envelopes (against the independent programs' values for the
// 8-component reference fluid, against criticality conditions evaluated by a Peng-Robinson
// written here from the textbook fugacity, not the engine's, and against a dense trace of the
// envelope whose extreme is found by Newton's method on difference quotients of saturation
// pressures), and the one-phase isochore P(T, V) that trapping pressures come from.
#include "reference_data.hpp"
#include "thermo/alpha_beta_model_interface.hpp"
#include "thermo/calculation_interface.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace zephon::thermo;
using namespace zephon::testing;

namespace {

constexpr double kKelvin = 273.15;

// Peng-Robinson in long double, from its component constants, for the criticality conditions.
struct TextbookPengRobinson {
    std::vector<long double> Tc, Pc, omega, z;
    std::vector<std::vector<long double>> kij;
    static constexpr long double R = 8.31451198983133L;

    std::size_t size() const { return z.size(); }

    // The pure-component parameters a_i(T) and b_i.
    void pure_parameters(long double T, std::vector<long double>& a, std::vector<long double>& b) const {
        a.resize(size());
        b.resize(size());
        for (std::size_t i = 0; i < size(); ++i) {
            const long double k = 0.37464L + 1.54226L * omega[i] - 0.26992L * omega[i] * omega[i];
            const long double s = 1 + k * (1 - std::sqrt(T / Tc[i]));
            a[i] = 0.45724L * R * R * Tc[i] * Tc[i] / Pc[i] * s * s;
            b[i] = 0.0778L * R * Tc[i] / Pc[i];
        }
    }

    // The pressure of the feed z at T and untranslated molar volume w.
    long double pressure(long double T, long double w) const {
        std::vector<long double> a, b;
        pure_parameters(T, a, b);
        long double am = 0, bm = 0;
        for (std::size_t i = 0; i < size(); ++i) {
            bm += z[i] * b[i];
            for (std::size_t j = 0; j < size(); ++j)
                am += z[i] * z[j] * std::sqrt(a[i] * a[j]) * (1 - kij[i][j]);
        }
        return R * T / (w - bm) - am / (w * w + 2 * w * bm - bm * bm);
    }

    // ln f_i - ln n_i (smooth in the mole numbers, unlike ln n_i) at temperature T, total volume
    // V (untranslated) and mole numbers n.
    std::vector<long double> residual_ln_fugacities(long double T, long double V,
                                                    const std::vector<long double>& n) const {
        const std::size_t m = size();
        std::vector<long double> a, b;
        pure_parameters(T, a, b);
        long double N = 0, B = 0, D = 0;
        std::vector<long double> Dn(m, 0);
        for (std::size_t i = 0; i < m; ++i) {
            N += n[i];
            B += n[i] * b[i];
            for (std::size_t j = 0; j < m; ++j) {
                const long double aij = std::sqrt(a[i] * a[j]) * (1 - kij[i][j]);
                Dn[i] += n[j] * aij;
                D += n[i] * n[j] * aij;
            }
        }
        const long double v = V / N, bm = B / N, am = D / (N * N);
        const long double P = R * T / (v - bm) - am / (v * v + 2 * v * bm - bm * bm);
        const long double Z = P * v / (R * T), A = am * P / (R * R * T * T), Bd = bm * P / (R * T);
        const long double s2 = std::sqrt(2.0L);
        const long double logTerm = std::log((Z + (1 + s2) * Bd) / (Z + (1 - s2) * Bd));
        std::vector<long double> r(m);
        for (std::size_t i = 0; i < m; ++i) {
            const long double lnphi = b[i] / bm * (Z - 1) - std::log(Z - Bd) -
                                      A / (2 * s2 * Bd) * (2 * Dn[i] / (N * am) - b[i] / bm) * logTerm;
            r[i] = std::log(P / N) + lnphi;
        }
        return r;
    }
};

// The quadratic and the cubic form of the Helmholtz energy along dn at (T, V), scaled as the
// criticality conditions are (dn = sqrt(z) v with v of unit length): the largest component of
// sqrt(z_i) (d ln f_i / dn) dn, and sum dn_i d2 ln f_i / ds2. The ideal part ln n_i is
// differentiated by hand, the rest by central differences.
struct Forms {
    long double quadraticResidual = 0, cubic = 0;
};
Forms forms_along(const TextbookPengRobinson& pr, long double T, long double V,
                  const std::vector<long double>& dn) {
    auto at = [&](long double s) {
        std::vector<long double> n(pr.size());
        for (std::size_t i = 0; i < n.size(); ++i)
            n[i] = pr.z[i] + s * dn[i];
        return pr.residual_ln_fugacities(T, V, n);
    };
    const long double h1 = 1e-6L, h2 = 1e-4L;
    const auto p1 = at(h1), m1 = at(-h1), p2 = at(h2), m2 = at(-h2), zero = at(0);
    Forms forms;
    for (std::size_t i = 0; i < pr.size(); ++i) {
        const long double z = pr.z[i];
        const long double first = dn[i] / z + (p1[i] - m1[i]) / (2 * h1);
        const long double second = -dn[i] * dn[i] / (z * z) + (p2[i] - 2 * zero[i] + m2[i]) / (h2 * h2);
        forms.quadraticResidual = std::max(forms.quadraticResidual, std::sqrt(z) * std::fabs(first));
        forms.cubic += dn[i] * second;
    }
    return forms;
}

struct TracedEnvelope {
    IsoplethData liquid, vapour;
};

IsoplethData trace_branch(CCalculationInterface& ci, char branch) {
    IsoplethData data;
    ci.mBranch = branch;
    const short n = ci.GetNumberOfComponents();
    for (short i = 0; i < n; ++i)
        data.mxref.push_back(ci.GetIsoplethComposition(i));
    double T = 0, P = 0;
    auto add = [&] {
        IsoplethData::Point p{T, P, {}};
        for (short i = 0; i < n; ++i)
            p.mz.push_back(branch ? ci.GetVapourComposition(i) : ci.GetLiquidComposition(i));
        data.points.push_back(std::move(p));
    };
    if (ci.FirstIsoplethPoint(&T, &P) != 0) return data;
    add();
    for (int k = 0; k < 2000; ++k) {
        signed char r = 1;
        while (r == 1)
            r = ci.NextIsoplethPoint(&T, &P);
        if (r == 0 || r == -2) add();
        if (r < 0) break;
    }
    return data;
}

std::unique_ptr<CCalculationInterface> fluid8(TextbookPengRobinson* pr) {
    const CsvTable table = read_reference_csv("fluid8_components.csv");
    const CsvTable kij = read_reference_csv("fluid8_kij.csv");
    auto ci = std::make_unique<CCalculationInterface>(0);
    std::vector<ModelFluidComponent> components;
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        components.push_back({table.text(i, "name"), table.number(i, "Tc_K") - kKelvin,
                              table.number(i, "Pc_Pa") / 1e5, table.number(i, "omega"), table.number(i, "Mw"),
                              table.number(i, "Vc_m3mol") * 1e6, 0.0, table.number(i, "z") * 100});
        pr->Tc.push_back(table.number(i, "Tc_K"));
        pr->Pc.push_back(table.number(i, "Pc_Pa"));
        pr->omega.push_back(table.number(i, "omega"));
        pr->z.push_back(table.number(i, "z"));
    }
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        pr->kij.emplace_back();
        for (std::size_t j = 0; j < table.rows.size(); ++j)
            pr->kij.back().push_back(kij.number(i, table.text(j, "name")));
    }
    EXPECT_TRUE(ci->SetModelFluid(components));
    return ci;
}

std::unique_ptr<CCalculationInterface> alpha_beta_oil(double alpha, double beta, double co2, double n2,
                                                      TextbookPengRobinson* pr) {
    auto ci = std::make_unique<CCalculationInterface>(1);
    ci->mAlpha = alpha, ci->mBeta = beta, ci->mCO2 = co2, ci->mN2 = n2;
    ci->Finalize();
    CAlphaBetaModelInterface constants;
    constants.CalculateComposition(alpha, beta, co2, n2, 0.0);
    for (short i = 0; i < constants.GetNumberOfComponents(); ++i) {
        if (!(constants.GetMoleFraction(i) > 0)) continue; // the textbook fluid holds what is present
        pr->Tc.push_back(constants.GetTc(i));
        pr->Pc.push_back(constants.GetPc(i));
        pr->omega.push_back(constants.GetOmega(i));
        pr->z.push_back(constants.GetMoleFraction(i));
        pr->kij.emplace_back();
        for (short j = 0; j < constants.GetNumberOfComponents(); ++j)
            if (constants.GetMoleFraction(j) > 0)
                pr->kij.back().push_back(mkij[std::max(i, j)][std::min(i, j)]);
    }
    return ci;
}

// The textbook fluid at the engine's critical point: the Hessian of its Helmholtz energy has a null
// vector (found here by inverse iteration on difference quotients), along which the cubic form
// vanishes too.
void expect_critical(const TextbookPengRobinson& pr, const EnvelopeKeyPoint& critical) {
    ASSERT_TRUE(critical.found);
    const long double T = critical.T + kKelvin, P = critical.P * 1e5;
    // The volume at the engine's pressure: near the critical point P(V) falls monotonically.
    const std::size_t m = pr.size();
    std::vector<long double> a, b;
    pr.pure_parameters(T, a, b);
    long double bm = 0;
    for (std::size_t i = 0; i < m; ++i)
        bm += pr.z[i] * b[i];
    long double lo = bm * 1.0001L, hi = 100 * bm;
    for (int k = 0; k < 200; ++k) {
        const long double V = 0.5L * (lo + hi);
        (pr.pressure(T, V) > P ? lo : hi) = V;
    }
    const long double V = 0.5L * (lo + hi);
    // The null vector of the Hessian by inverse iteration on its difference quotient.
    std::vector<std::vector<long double>> H(m, std::vector<long double>(m));
    const long double h = 1e-7L;
    for (std::size_t j = 0; j < m; ++j) {
        auto plus = pr.z, minus = pr.z;
        plus[j] += h;
        minus[j] -= h;
        const auto fp = pr.residual_ln_fugacities(T, V, plus), fm = pr.residual_ln_fugacities(T, V, minus);
        for (std::size_t i = 0; i < m; ++i)
            H[i][j] = (fp[i] - fm[i]) / (2 * h) + (i == j ? 1 / pr.z[i] : 0);
    }
    // Inverse iteration: H x = dn grows x along the null vector.
    std::vector<long double> dn(m, 1.0L);
    for (int iteration = 0; iteration < 8; ++iteration) {
        auto A = H;
        std::vector<long double> x = dn;
        for (std::size_t c = 0; c < m; ++c) {
            std::size_t p = c;
            for (std::size_t r = c + 1; r < m; ++r)
                if (std::fabs(A[r][c]) > std::fabs(A[p][c])) p = r;
            std::swap(A[c], A[p]);
            std::swap(x[c], x[p]);
            for (std::size_t r = c + 1; r < m; ++r) {
                const long double f = A[r][c] / A[c][c];
                for (std::size_t k = c; k < m; ++k)
                    A[r][k] -= f * A[c][k];
                x[r] -= f * x[c];
            }
        }
        for (std::size_t c = m; c-- > 0;) {
            for (std::size_t k = c + 1; k < m; ++k)
                x[c] -= A[c][k] * x[k];
            x[c] /= A[c][c];
        }
        long double norm = 0; // of v = dn / sqrt(z)
        for (std::size_t i = 0; i < m; ++i)
            norm += x[i] * x[i] / pr.z[i];
        for (std::size_t i = 0; i < m; ++i)
            dn[i] = x[i] / std::sqrt(norm);
    }
    const Forms exact = forms_along(pr, T, V, dn);
    // And 0.01 K higher, to show the test would notice a point that far off.
    const Forms off = forms_along(pr, T + 0.01L, V, dn);
    EXPECT_LT(exact.quadraticResidual, 1e-7L);
    EXPECT_GT(off.quadraticResidual, 100 * exact.quadraticResidual);
    EXPECT_LT(std::fabs(exact.cubic), 1e-5L);
}

} // namespace

TEST(EnvelopeKeyPoints, EightComponentFluidMatchesTheIndependentPrograms) {
    TextbookPengRobinson pr;
    auto ci = fluid8(&pr);
    const IsoplethData liquid = trace_branch(*ci, 1), vapour = trace_branch(*ci, 0);
    const EnvelopeKeyPoints key = ci->CalculateEnvelopeKeyPoints(&liquid, &vapour);
    const CsvTable summary = read_reference_csv("fluid8_envelope_summary.csv");
    // The two programs' critical points (one along the envelope, one direct) differ by 2e-9 in T
    // and 5e-9 in P; the direct one's cubic form is not quite zero on the textbook fluid.
    ASSERT_TRUE(key.critical.found);
    EXPECT_NEAR((key.critical.T + kKelvin) / summary.number(0, "Tcrit_K_direct"), 1.0, 1e-8);
    EXPECT_NEAR(key.critical.P * 1e5 / summary.number(0, "Pcrit_Pa_direct"), 1.0, 2e-8);
    // An extreme's value is well conditioned, its place along the envelope much less so.
    ASSERT_TRUE(key.cricondenbar.found);
    EXPECT_NEAR(key.cricondenbar.P * 1e5 / summary.number(0, "P_cricondenbar_Pa"), 1.0, 1e-9);
    EXPECT_NEAR(key.cricondenbar.T + kKelvin, summary.number(0, "T_cricondenbar_K"), 5e-5);
    ASSERT_TRUE(key.cricondentherm.found);
    EXPECT_NEAR((key.cricondentherm.T + kKelvin) / summary.number(0, "T_cricondentherm_K"), 1.0, 1e-9);
    EXPECT_NEAR(key.cricondentherm.P * 1e5 / summary.number(0, "P_cricondentherm_Pa"), 1.0, 1e-6);
    // Better than the traced points' approximations.
    EXPECT_LT(std::fabs(key.cricondenbar.P * 1e5 - summary.number(0, "P_cricondenbar_Pa")),
              0.01 * std::fabs(summary.number(0, "P_cricondenbar_Pa_tp_approx") -
                               summary.number(0, "P_cricondenbar_Pa")));
    expect_critical(pr, key.critical);
}

TEST(EnvelopeKeyPoints, CriticalPointsOfOilsWithAndWithoutGasesSatisfyTheConditionsBetweenTheBranchEnds) {
    const double oils[][4] = {{0.8, 0.2, 0, 0}, {0.6, 0.3, 0.05, 0.02}, {0.35, 0.0, 0, 0}};
    for (const auto& o : oils) {
        SCOPED_TRACE("alpha " + std::to_string(o[0]) + " beta " + std::to_string(o[1]));
        TextbookPengRobinson pr;
        auto ci = alpha_beta_oil(o[0], o[1], o[2], o[3], &pr);
        const IsoplethData liquid = trace_branch(*ci, 1), vapour = trace_branch(*ci, 0);
        const EnvelopeKeyPoints key = ci->CalculateEnvelopeKeyPoints(&liquid, &vapour);
        expect_critical(pr, key.critical);
        // The branches end on either side of it, close by.
        const IsoplethData::Point &a = liquid.points.back(), &b = vapour.points.back();
        EXPECT_GT(key.critical.T, std::min(a.mT, b.mT));
        EXPECT_LT(key.critical.T, std::max(a.mT, b.mT));
        EXPECT_LT(std::fabs(key.critical.P / a.mP - 1), 0.02);
        EXPECT_LT(std::fabs(key.critical.P / b.mP - 1), 0.02);
    }
}

namespace {

struct DenseState {
    bool bubble;
    double T, P; // K, Pa
    std::vector<double> x, y;
};

// Both branches traced in steps ten times shorter than the interface's.
std::vector<DenseState> dense_trace(CCalculationInterface& ci) {
    std::vector<DenseState> states;
    Oil& oil = ci.system();
    for (char branch : {char(1), char(0)}) {
        ci.mBranch = branch;
        double T = 0, P = 0;
        if (ci.FirstIsoplethPoint(&T, &P) != 0) continue;
        for (int k = 0; k < 20000; ++k) {
            states.push_back({branch == 1, oil.T, oil.P, oil.x, oil.y});
            signed char r = 1;
            while (r == 1) {
                ci.mLambda = std::min(ci.mLambda, 0.1);
                r = ci.NextIsoplethPoint(&T, &P);
            }
            if (r < 0) break;
        }
    }
    return states;
}

// The largest pressure (byPressure) or temperature of the envelope near a dense state, by
// Newton's method on central differences of saturation points at fixed T (or P).
DenseState newton_extreme(Oil& oil, const DenseState& near, bool byPressure) {
    auto solve = [&](double u) {
        for (short i = 0; i < oil.N; ++i) {
            oil.xcomposition(i, near.x[i]);
            oil.ycomposition(i, near.y[i]);
        }
        oil.set_type_of_problem(byPressure ? 13 : 23);
        if (byPressure) {
            oil.set_the_temperature(u);
            oil.Pnc = near.P;
        } else {
            oil.set_the_pressure(u / 1e5);
            oil.Tnc = near.T;
        }
        oil.set_the_vaporization_ratio(near.bubble ? 0.0 : 1.0);
        oil.set_initialization_flag(0);
        oil.calculateVLE();
        EXPECT_EQ(oil.errorflag, 0);
        return byPressure ? oil.P : oil.T;
    };
    double u = byPressure ? near.T : near.P;
    const double h = byPressure ? 0.02 : 2000.0; // K or Pa
    for (int k = 0; k < 6; ++k) {
        const double plus = solve(u + h), minus = solve(u - h), here = solve(u);
        u -= (plus - minus) / (2 * h) / ((plus - 2 * here + minus) / (h * h));
    }
    solve(u);
    return {near.bubble, oil.T, oil.P, oil.x, oil.y};
}

} // namespace

TEST(EnvelopeKeyPoints, CricondenbarAndCricondenthermAgreeWithADenseTraceRefinedByNewton) {
    TextbookPengRobinson unused;
    std::vector<std::unique_ptr<CCalculationInterface>> fluids;
    fluids.push_back(fluid8(&unused));
    fluids.push_back(alpha_beta_oil(0.7, 0.2, 0.0, 0.0, &unused));
    for (auto& ci : fluids) {
        const IsoplethData liquid = trace_branch(*ci, 1), vapour = trace_branch(*ci, 0);
        const EnvelopeKeyPoints key = ci->CalculateEnvelopeKeyPoints(&liquid, &vapour);
        ASSERT_TRUE(key.cricondenbar.found);
        ASSERT_TRUE(key.cricondentherm.found);
        const std::vector<DenseState> dense = dense_trace(*ci);
        ASSERT_GT(dense.size(), 300u);
        const DenseState* highest = &dense.front();
        const DenseState* hottest = &dense.front();
        for (const DenseState& s : dense) {
            if (s.P > highest->P) highest = &s;
            if (s.T > hottest->T) hottest = &s;
        }
        const DenseState bar = newton_extreme(ci->system(), *highest, true);
        EXPECT_NEAR(key.cricondenbar.P * 1e5 / bar.P, 1.0, 1e-9);
        EXPECT_NEAR(key.cricondenbar.T + kKelvin, bar.T, 1e-3);
        const DenseState therm = newton_extreme(ci->system(), *hottest, false);
        EXPECT_NEAR((key.cricondentherm.T + kKelvin) / therm.T, 1.0, 1e-9);
        EXPECT_NEAR(key.cricondentherm.P * 1e5 / therm.P, 1.0, 1e-4);
        // The traced points alone fall short of both.
        EXPECT_GE(key.cricondenbar.P * 1e5, highest->P);
        EXPECT_GE(key.cricondentherm.T + kKelvin, hottest->T);
    }
}

TEST(OnePhaseState, IsTheEquationOfStateAtTheTranslatedVolumeWithItsSlopeAlongTheIsochore) {
    TextbookPengRobinson fluid8pr, oilpr;
    std::vector<std::pair<std::unique_ptr<CCalculationInterface>, TextbookPengRobinson*>> fluids;
    fluids.emplace_back(fluid8(&fluid8pr), &fluid8pr);
    fluids.emplace_back(alpha_beta_oil(0.7, 0.2, 0.02, 0.0, &oilpr), &oilpr);
    for (auto& [ci, pr] : fluids) {
        // The shift of the feed (0 for the reference fluid), from the component constants.
        double cm = 0;
        CAlphaBetaModelInterface constants;
        if (ci->mModelType != 0) {
            constants.CalculateComposition(0.7, 0.2, 0.02, 0.0, 0.0);
            for (short i = 0; i < constants.GetNumberOfComponents(); ++i)
                cm += constants.GetMoleFraction(i) * constants.GetCt(i);
        }
        for (double T : {350.0, 500.0}) {
            for (double V : {1.2e-4, 4e-4}) {
                const OnePhaseState state = ci->OnePhaseStateAt(T, V);
                ASSERT_TRUE(state.valid);
                EXPECT_NEAR(state.P / pr->pressure(T, V + cm), 1, 1e-12);
                const long double slope =
                    (pr->pressure(T + 1e-3L, V + cm) - pr->pressure(T - 1e-3L, V + cm)) / 2e-3L;
                EXPECT_NEAR(state.dPdT / slope, 1, 1e-8);
            }
        }
        EXPECT_FALSE(ci->OnePhaseStateAt(400.0, 1e-7).valid) << "below the co-volume";
    }
}
