// SPDX-License-Identifier: BSD-3-Clause
// The two calculation interfaces end to end: alpha-beta curves that reproduce their
// inclusions, phase envelopes closing at the critical point, isochores, the
// standard-condition summary, and fluid models that keep their volume translation.
#include "thermo/alpha_beta_model_interface.hpp"
#include "thermo/calculation_interface.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

using namespace zephon::thermo;

namespace {

constexpr double kRoom = 293.15; // K, where the bubbles are measured

struct Inclusion {
    double ThC, Fv, CO2;
    char homog;
};

struct Curve {
    char firstCode = -1;
    std::vector<std::pair<double, double>> points; // (alpha, beta)
};

Curve trace_curve(const Inclusion& inc, int maxPoints = 200) {
    CAlphaBetaModelInterface ab;
    ab.mTh = inc.ThC + 273.15;
    ab.mTfv = kRoom;
    ab.mFv = inc.Fv;
    ab.mCO2 = inc.CO2;
    ab.mHomog = inc.homog;
    Curve c;
    double a = 0, b = 0;
    c.firstCode = ab.FirstAlphaBeta(&a, &b);
    if (c.firstCode != 0) return c;
    c.points.emplace_back(a, b);
    for (int k = 0; k < 4 * maxPoints && static_cast<int>(c.points.size()) < maxPoints; ++k) {
        const signed char r = ab.NextAlphaBeta(&a, &b);
        if (r == -1) break;
        if (r == 0) c.points.emplace_back(a, b);
    }
    return c;
}

// The measurement recomputed for one oil, independently of the residual the search solved:
// the oil's envelope, the homogenisation state on it at Th, then the inclusion cooled along
// its isochore to room temperature. Returns the vapour fraction it shows there (NaN when a
// state fails).
double bubble_fraction_of(double alpha, double beta, const Inclusion& inc);

struct Envelope {
    std::vector<IsoplethData::Point> points;
    char endCode = 0;
};

Envelope trace_envelope(CCalculationInterface& ci, char branch) {
    Envelope env;
    ci.mBranch = branch;
    double T = 0, P = 0;
    if (ci.FirstIsoplethPoint(&T, &P) != 0) return env;
    auto keep = [&] {
        const Oil& oil = ci.system();
        IsoplethData::Point p{T, P, {}};
        for (short i = 0; i < oil.N; ++i)
            p.mz.push_back(branch == 1 ? oil.y[i] : oil.x[i]);
        env.points.push_back(p);
    };
    keep();
    for (int k = 0; k < 2000; ++k) {
        const signed char r = ci.NextIsoplethPoint(&T, &P);
        if (r < 0) {
            env.endCode = r;
            break;
        }
        if (r == 0) keep();
    }
    return env;
}

IsoplethData as_isopleth(const Envelope& env, const CCalculationInterface& ci) {
    IsoplethData d;
    d.points = env.points;
    d.mMinT = 1e9, d.mMaxT = -1e9, d.mMaxP = 0;
    for (const auto& p : env.points) {
        d.mMinT = std::min(d.mMinT, p.mT);
        d.mMaxT = std::max(d.mMaxT, p.mT);
        d.mMaxP = std::max(d.mMaxP, p.mP);
    }
    for (short i = 0; i < ci.GetNumberOfComponents(); ++i)
        d.mxref.push_back(ci.GetIsoplethComposition(i));
    return d;
}

// The direct way: the homogenisation state from the ideal-mixture start, then the room state
// near the measured fraction and finally at exactly the homogenisation volume.
double bubble_fraction_directly(double alpha, double beta, const Inclusion& inc) {
    TableCubic liquid(2), vapour(1);
    Oil1 oil(liquid, vapour);
    oil.SetDistributionParameters(alpha, beta, inc.CO2, 0.0, 0.0);
    oil.set_type_of_problem(13);
    oil.set_the_temperature(inc.ThC + 273.15);
    oil.set_the_vaporization_ratio(inc.homog ? 0.0 : 1.0);
    oil.set_initialization_flag(2);
    oil.calculateVLE();
    if (oil.errorflag != 0) return std::nan("");
    const double V = inc.homog ? liquid.V : vapour.V;
    oil.set_type_of_problem(15);
    oil.set_the_temperature(kRoom);
    oil.set_the_vaporization_ratio1(inc.Fv);
    oil.set_initialization_flag(2);
    oil.calculateVLE();
    if (oil.errorflag != 0) return std::nan("");
    oil.set_type_of_problem(14);
    oil.set_the_volume(V);
    oil.set_initialization_flag(1);
    oil.calculateVLE();
    if (oil.errorflag != 0) return std::nan("");
    EXPECT_NEAR(oil.V / V, 1.0, 1e-8);
    return oil.Fvv;
}

// Along the envelope and the isochore, the way the phase-diagram document computes it.
double bubble_fraction_along_isochore(double alpha, double beta, const Inclusion& inc) {
    CCalculationInterface ci(1);
    ci.mAlpha = alpha, ci.mBeta = beta, ci.mCO2 = inc.CO2;
    ci.Finalize();
    const Envelope env = trace_envelope(ci, inc.homog ? 1 : 0);
    if (env.points.empty()) return std::nan("");
    const IsoplethData iso = as_isopleth(env, ci);
    ci.mIsopleth = &iso;
    ci.mTh = inc.ThC;
    ci.mHomog = inc.homog;
    ci.CalculateIsochorsLimits(&iso, nullptr);
    ci.mMinIsocT = -100.0;
    double T = 0, P = 0;
    if (ci.FirstIsochor2Point(&T, &P) != 0) return std::nan("");
    const double V = ci.mBulkVolume;
    for (int k = 0; k < 400 && T > kRoom - 273.15 + 10.5; ++k) {
        const signed char r = ci.NextIsochor2Point(&T, &P);
        if (r < 0) return std::nan("");
    }
    Oil& oil = ci.system();
    oil.set_type_of_problem(14);
    oil.set_the_temperature(kRoom);
    oil.set_the_volume(V);
    oil.set_initialization_flag(1);
    oil.calculateVLE();
    if (oil.errorflag != 0) return std::nan("");
    EXPECT_NEAR(oil.V / V, 1.0, 1e-8);
    return oil.Fvv;
}

double bubble_fraction_of(double alpha, double beta, const Inclusion& inc) {
    const double direct = bubble_fraction_directly(alpha, beta, inc);
    return std::isfinite(direct) ? direct : bubble_fraction_along_isochore(alpha, beta, inc);
}

} // namespace

TEST(AlphaBetaCurves, RealisticInclusionsGiveCurvesThatReproduceThem) {
    const std::vector<Inclusion> inclusions = {
        {40.0, 0.02, 0.0, 1},
        {80.0, 0.05, 0.05, 1},
        {120.0, 0.15, 0.0, 1},
        {160.0, 0.25, 0.05, 1},
    };
    for (const Inclusion& inc : inclusions) {
        SCOPED_TRACE("Th " + std::to_string(inc.ThC) + " Fv " + std::to_string(inc.Fv));
        const Curve c = trace_curve(inc, 15);
        ASSERT_EQ(c.firstCode, 0);
        EXPECT_GE(c.points.size(), 10u);
        EXPECT_EQ(c.points.front().second, 0.0);
        for (std::size_t k = 1; k < c.points.size(); ++k) {
            EXPECT_GT(c.points[k].second, c.points[k - 1].second);
            EXPECT_LE(c.points[k].second - c.points[k - 1].second,
                      CAlphaBetaModelInterface::kBetaStep + 1e-12);
        }
        // Every point reproduces the measured bubble.
        for (std::size_t k = 0; k < c.points.size(); ++k) {
            const double fv = bubble_fraction_of(c.points[k].first, c.points[k].second, inc);
            EXPECT_NEAR(fv, inc.Fv, 1e-4) << "alpha " << c.points[k].first << " beta " << c.points[k].second;
        }
    }
}

TEST(AlphaBetaCurves, DewPointInclusionsAndImpossibleMeasurements) {
    const Inclusion gas{100.0, 0.9, 0.0, 0};
    const Curve c = trace_curve(gas, 12);
    ASSERT_EQ(c.firstCode, 0);
    EXPECT_GE(c.points.size(), 10u);
    EXPECT_NEAR(bubble_fraction_of(c.points.back().first, c.points.back().second, gas), 0.9, 1e-4);

    // A 2 % bubble with Th at 160 C needs an oil heavier than any the model has: a clear
    // code, not a hang. So does a vapour inclusion whose bubble is too small for any table.
    EXPECT_NE(trace_curve({160.0, 0.02, 0.0, 1}).firstCode, 0);
    EXPECT_EQ(trace_curve({100.0, 0.3, 0.0, 0}).firstCode, 8);
}

TEST(AlphaBetaCurves, StepShrinksByHalvesAndEnds) {
    CAlphaBetaModelInterface ab;
    ab.mTh = 373.15, ab.mTfv = kRoom, ab.mFv = 0.1, ab.mHomog = 1;
    double a = 0, b = 0;
    ASSERT_EQ(ab.FirstAlphaBeta(&a, &b), 0);
    // The first point is handed out once the curve is known to go on from it.
    ASSERT_EQ(ab.NextAlphaBeta(&a, &b), 0);
    EXPECT_NEAR(b, 0.04, 1e-12);
    // From here on no oil can match: three halvings, then the end.
    ab.mFv = 5.0;
    EXPECT_EQ(ab.NextAlphaBeta(&a, &b), 1);
    EXPECT_EQ(ab.mLambda, 0.5);
    EXPECT_EQ(ab.NextAlphaBeta(&a, &b), 1);
    EXPECT_EQ(ab.NextAlphaBeta(&a, &b), 1);
    EXPECT_EQ(ab.NextAlphaBeta(&a, &b), -1);
    EXPECT_NE(ab.mErrorMessageIndex, 0);
    EXPECT_NEAR(ab.mBeta0, 0.04, 1e-12); // the last accepted point is kept
}

TEST(PhaseDiagrams, EnvelopesCloseAtTheCriticalPointAndSummariesAreTypical) {
    struct Oil {
        double alpha, beta, gorMin, gorMax, apiMin, apiMax;
    };
    // A black oil, a heavy oil and a volatile oil (GOR in Sm3/Sm3).
    const std::vector<Oil> oils = {
        {0.8, 0.2, 50, 360, 25, 45}, {0.9, 0.3, 10, 150, 10, 30}, {0.5, 0.1, 350, 1500, 45, 65}};
    for (const Oil& o : oils) {
        SCOPED_TRACE("alpha " + std::to_string(o.alpha));
        CCalculationInterface bubble(1), dew(1);
        for (auto* ci : {&bubble, &dew}) {
            ci->mAlpha = o.alpha, ci->mBeta = o.beta;
            ci->Finalize();
        }
        bubble.CalculateGOR();
        EXPECT_GT(bubble.mGOR, o.gorMin);
        EXPECT_LT(bubble.mGOR, o.gorMax);
        EXPECT_GT(bubble.mAPI, o.apiMin);
        EXPECT_LT(bubble.mAPI, o.apiMax);
        EXPECT_GT(bubble.mMolarWeight, 20.0);
        const Envelope lb = trace_envelope(bubble, 1);
        const Envelope gb = trace_envelope(dew, 0);
        ASSERT_GT(lb.points.size(), 15u);
        ASSERT_GT(gb.points.size(), 15u);
        EXPECT_LT(std::fabs(lb.points.back().mT - gb.points.back().mT), 10.0);
        EXPECT_LT(std::fabs(lb.points.back().mP - gb.points.back().mP), 15.0);
    }
}

TEST(PhaseDiagrams, IsochoresFromTheHomogenisationPoint) {
    CCalculationInterface ci(1);
    ci.mAlpha = 0.8, ci.mBeta = 0.2;
    ci.Finalize();
    const Envelope env = trace_envelope(ci, 1);
    ASSERT_GT(env.points.size(), 10u);
    const IsoplethData iso = as_isopleth(env, ci);
    ci.mIsopleth = &iso;
    ci.mTh = 120.0;
    ci.mHomog = 1;
    ci.CalculateIsochorsLimits(&iso, nullptr);
    EXPECT_EQ(ci.mMaxIsocP, std::min(iso.mMaxP + 500.0, 2000.0));

    double T = 0, P = 0;
    ASSERT_EQ(ci.FirstIsochor2Point(&T, &P), 0);
    EXPECT_NEAR(T, 120.0, 1e-9);
    EXPECT_NEAR(ci.GetBubbleVolumeFraction(), 0.0, 1e-12);
    EXPECT_GT(ci.mBulkDensity, 0.4);
    EXPECT_LT(ci.mBulkDensity, 1.0);
    const double Ph = P;
    double lastT = T, lastFv = 0.0;
    int points = 0;
    for (int k = 0; k < 200; ++k) {
        const signed char r = ci.NextIsochor2Point(&T, &P);
        if (r < 0) break;
        if (r != 0) continue;
        ++points;
        EXPECT_LT(T, lastT);
        EXPECT_GT(ci.GetBubbleVolumeFraction(), lastFv); // the bubble grows on cooling
        lastT = T, lastFv = ci.GetBubbleVolumeFraction();
    }
    EXPECT_GE(points, 5);
    EXPECT_LT(P, Ph);

    ASSERT_EQ(ci.FirstIsochor1Point(&T, &P), 0);
    EXPECT_NEAR(P / Ph, 1.0, 1e-6); // the one-phase isochore starts where the other began
    double last = P;
    int rising = 0;
    for (int k = 0; k < 200; ++k) {
        const signed char r = ci.NextIsochor1Point(&T, &P);
        if (r != 0) break;
        EXPECT_GT(P, last);
        last = P;
        ++rising;
    }
    EXPECT_GE(rising, 5);
    ci.mTh = 400.0;
    EXPECT_EQ(ci.FirstIsochor2Point(&T, &P), 2); // far above the envelope
    ci.mTh = -150.0;
    EXPECT_EQ(ci.FirstIsochor2Point(&T, &P), 1); // below it
}

TEST(PhaseDiagrams, FluidModelKeepsItsVolumeTranslation) {
    // A fluid model written from an alpha-beta oil, in the file's units.
    CAlphaBetaModelInterface ab;
    ab.CalculateComposition(0.7, 0.2, 0.02, 0.01, 0.0);
    std::vector<ModelFluidComponent> components;
    double shiftSum = 0.0;
    for (short i = 0; i < ab.GetNumberOfComponents(); ++i) {
        components.push_back({ab.GetComponentName(i), ab.GetTc(i) - 273.15, ab.GetPc(i) / 1e5, ab.GetOmega(i),
                              ab.GetMw(i), ab.GetVc(i) * 1e6, ab.GetCt(i) * 1e6,
                              ab.GetMoleFraction(i) * 100});
        shiftSum += ab.GetMoleFraction(i) * ab.GetCt(i);
    }
    // The same fluid without its shifts: translation moves no saturation pressure and shifts
    // the liquid's molar volume by exactly sum x_i Ct_i.
    std::vector<ModelFluidComponent> unshifted = components;
    for (auto& c : unshifted)
        c.Ct = 0.0;
    CCalculationInterface model(0), plain(0);
    ASSERT_TRUE(model.SetModelFluid(components));
    ASSERT_TRUE(plain.SetModelFluid(unshifted));
    for (auto* ci : {&model, &plain}) {
        Oil& o = ci->system();
        o.set_type_of_problem(13);
        o.set_the_temperature(373.15);
        o.set_the_vaporization_ratio(0.0);
        o.set_initialization_flag(2);
        o.calculateVLE();
        ASSERT_EQ(o.errorflag, 0);
    }
    EXPECT_NEAR(model.system().P / plain.system().P, 1.0, 1e-9);
    EXPECT_NEAR(model.GetLiquidVolume(), plain.GetLiquidVolume() - shiftSum, 1e-12);
    const auto* liquid = static_cast<const ICubic*>(model.system().liquid);
    EXPECT_NEAR(liquid->V, liquid->w - shiftSum, 1e-12);
    EXPECT_GT(std::fabs(shiftSum), 1e-7); // a real shift, not a vanishing one

    // A fluid model of nonsense constants is refused whole.
    CCalculationInterface bad(0);
    EXPECT_FALSE(bad.SetModelFluid({{"C1", std::nan(""), 45, 0.01, 16, 99, 0, 100}}));
    EXPECT_EQ(bad.GetNumberOfComponents(), 0);
}

TEST(PhaseDiagrams, ExplicitFluidModelEnvelopeEndsAtItsCriticalPoint) {
    // The reference 8-component fluid, read from its constants file; its critical point was
    // found independently (fluid8_envelope_summary.csv): 560.06 K, 196.45 bar.
    std::ifstream in(std::string(ZEPHON_REFERENCE_DIR) + "/fluid8_components.csv");
    std::string line;
    std::getline(in, line);
    std::vector<ModelFluidComponent> components;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::stringstream ss(line);
        std::vector<std::string> f;
        for (std::string cell; std::getline(ss, cell, ',');)
            f.push_back(cell);
        if (f.size() < 8) continue;
        components.push_back({f[1], std::stod(f[3]) - 273.15, std::stod(f[4]) / 1e5, std::stod(f[5]),
                              std::stod(f[6]), std::stod(f[7]) * 1e6, 0.0, std::stod(f[2]) * 100.0});
    }
    ASSERT_EQ(components.size(), 8u);
    double ends[2][2] = {};
    for (char branch : {char(1), char(0)}) {
        CCalculationInterface ci(0);
        ASSERT_TRUE(ci.SetModelFluid(components));
        const Envelope env = trace_envelope(ci, branch);
        ASSERT_GT(env.points.size(), 15u);
        ends[int(branch)][0] = env.points.back().mT + 273.15;
        ends[int(branch)][1] = env.points.back().mP;
    }
    for (const auto& e : ends) {
        EXPECT_NEAR(e[0], 560.06, 10.0);
        EXPECT_NEAR(e[1], 196.45, 15.0);
    }
}
