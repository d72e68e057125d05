// SPDX-License-Identifier: BSD-3-Clause
// Inclusions made from known oils give curves through those oils: the measurement is made by
// the envelope and the isochore (known_oil_inclusions.hpp), the alpha search must find the oil
// again, and the points around the oil reproduce the bubble when recomputed the same way.
// tools/known_oil_sweep runs the larger grid.
#include "known_oil_inclusions.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace zephon::testing;

namespace {

constexpr double kRoom = 293.15;

struct Case {
    KnownOil oil;
    double ThC;
    char homog;
    bool upperDew; // for an inclusion that homogenises into the vapour
};

std::string describe(const Case& c) {
    return "alpha " + std::to_string(c.oil.alpha) + " beta " + std::to_string(c.oil.beta) + " CO2 " +
           std::to_string(c.oil.co2) + " N2 " + std::to_string(c.oil.n2) + " H2S " +
           std::to_string(c.oil.h2s) + " Th " + std::to_string(c.ThC) +
           (c.homog      ? " liquid"
            : c.upperDew ? " upper dew"
                         : " lower dew");
}

} // namespace

TEST(KnownOilSweep, CurvesPassThroughTheOilsThatMadeTheInclusions) {
    const Case cases[] = {
        // Nitrogen (absent from the estimate tables), other gases, large bubbles.
        {{0.7, 0.2, 0.0, 0.01, 0.0}, 100, 1, false},
        {{0.8, 0.0, 0.02, 0.005, 0.0}, 60, 1, false},
        {{0.9, 0.45, 0.0, 0.0, 0.02}, 140, 1, false},
        {{0.5, 0.3, 0.0, 0.0, 0.0}, 60, 1, false},
        // Vapour inclusions on either dew branch, most beyond the estimate tables.
        {{0.35, 0.0, 0.0, 0.0, 0.0}, 80, 0, true},
        {{0.4, 0.2, 0.0, 0.0, 0.0}, 80, 0, true},
        {{0.6, 0.4, 0.0, 0.0, 0.0}, 180, 0, true},
        {{0.8, 0.2, 0.02, 0.005, 0.0}, 280, 0, true},
        {{0.9, 0.0, 0.0, 0.0, 0.0}, 430, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(describe(c));
        const auto made = inclusions_of(c.oil, c.ThC + 273.15, c.homog, kRoom);
        ASSERT_FALSE(made.empty());
        const OilInclusion& inclusion = c.upperDew ? made.back() : made.front();
        ASSERT_EQ(inclusion.upperDew, c.upperDew && made.size() > 1);
        const TracedCurve curve = trace_curve(inclusion, c.oil, c.oil.beta + 0.05);
        ASSERT_FALSE(curve.points.empty()) << "code " << curve.code;
        EXPECT_NEAR(alpha_at(curve, c.oil.beta), c.oil.alpha, 0.002);
        // The points on either side of the oil, recomputed along the isochore.
        for (const auto& [alpha, beta] : curve.points) {
            if (std::fabs(beta - c.oil.beta) > 0.04 + 1e-9) continue;
            KnownOil point = c.oil;
            point.alpha = alpha, point.beta = beta;
            EXPECT_TRUE(oil_reproduces(point, inclusion)) << "point " << alpha << ", " << beta;
        }
    }
}

TEST(KnownOilSweep, VapourInclusionsNearTheCricondenthermFindTheirOils) {
    // Heavy oils, whose upper dew points at Th exist over a window of alpha narrower than the
    // scan's grid, and a lighter one with gases; Th 2 and 12 K below the cricondentherm.
    const KnownOil oils[] = {{0.9, 0.1, 0, 0, 0}, {0.85, 0.2, 0.02, 0.005, 0}, {0.6, 0.4, 0, 0, 0}};
    int cases = 0;
    for (const KnownOil& oil : oils) {
        const double cricondentherm = cricondentherm_of(oil);
        ASSERT_GT(cricondentherm, 0);
        for (double below : {2.0, 12.0}) {
            for (const OilInclusion& inclusion : inclusions_of(oil, cricondentherm - below, 0, kRoom)) {
                if (inclusion.Fv < 0.6 || inclusion.Fv > 0.95) continue;
                SCOPED_TRACE(describe({oil, inclusion.Th - 273.15, 0, inclusion.upperDew}));
                const TracedCurve curve = trace_curve(inclusion, oil, oil.beta + 0.05);
                ASSERT_FALSE(curve.points.empty()) << "code " << curve.code;
                EXPECT_NEAR(alpha_at(curve, oil.beta), oil.alpha, 0.002);
                ++cases;
            }
        }
    }
    EXPECT_GE(cases, 6);
}

TEST(KnownOilSweep, AMeasurementNoOilGivesEndsWithCodeEightAfterABoundedScan) {
    // A vapour inclusion with a 5 % bubble.
    OilInclusion impossible{373.15, kRoom, 0.05, 0, 0.0, false};
    zephon::thermo::CAlphaBetaModelInterface ab;
    ab.mTh = impossible.Th, ab.mTfv = impossible.Tf, ab.mFv = impossible.Fv, ab.mHomog = 0;
    double a = 0, b = 0;
    EXPECT_EQ(ab.FirstAlphaBeta(&a, &b), 8);
    EXPECT_LT(ab.mFirstPointFlashes, 2500);
}

namespace {

// Every point of a curve, the way the application asks for them.
std::vector<std::pair<double, double>> points_of(zephon::thermo::CAlphaBetaModelInterface& ab, int count) {
    std::vector<std::pair<double, double>> points;
    double a = 0, b = 0;
    if (ab.FirstAlphaBeta(&a, &b) != 0) return points;
    points.emplace_back(a, b);
    for (int k = 0; k < 4 * count && static_cast<int>(points.size()) < count; ++k) {
        const signed char r = ab.NextAlphaBeta(&a, &b);
        if (r == 0) points.emplace_back(a, b);
        if (r < 0) break;
    }
    return points;
}

} // namespace

TEST(KnownOilSweep, ACurveWithoutAPointAtBetaZeroStartsHigherInIncreasingBeta) {
    // On the upper dew curve near its cricondentherm, this inclusion has no oil at beta = 0.
    const KnownOil oil{0.8, 0.2, 0.0, 0.0, 0.0};
    const auto made = inclusions_of(oil, 553.15, 0, kRoom);
    ASSERT_EQ(made.size(), 2u);
    const OilInclusion& upper = made.back();
    zephon::thermo::CAlphaBetaModelInterface ab, other, alone;
    for (auto* each : {&ab, &alone})
        each->mTh = upper.Th, each->mTfv = kRoom, each->mFv = upper.Fv, each->mHomog = 0;
    other.mTh = 373.15, other.mTfv = kRoom, other.mFv = 0.1, other.mHomog = 1;

    // Traced alternately with another curve: the same points as traced alone.
    std::vector<std::pair<double, double>> curve, otherCurve;
    double a = 0, b = 0;
    ASSERT_EQ(ab.FirstAlphaBeta(&a, &b), 0);
    curve.emplace_back(a, b);
    ASSERT_EQ(other.FirstAlphaBeta(&a, &b), 0);
    otherCurve.emplace_back(a, b);
    while (curve.size() < 8) {
        if (ab.NextAlphaBeta(&a, &b) == 0) curve.emplace_back(a, b);
        if (other.NextAlphaBeta(&a, &b) == 0) otherCurve.emplace_back(a, b);
    }
    EXPECT_EQ(points_of(alone, 8), curve);

    EXPECT_GT(curve.front().second, 0.0);
    EXPECT_LT(curve.front().second, oil.beta);
    for (std::size_t k = 1; k < curve.size(); ++k)
        EXPECT_GT(curve[k].second, curve[k - 1].second);
    TracedCurve traced;
    traced.points = curve;
    EXPECT_NEAR(alpha_at(traced, oil.beta), oil.alpha, 0.002);
    KnownOil first = oil;
    first.alpha = curve.front().first, first.beta = curve.front().second;
    EXPECT_TRUE(oil_reproduces(first, upper));
}
