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

TEST(KnownOilSweep, AMeasurementNoOilGivesEndsWithCodeEightAfterABoundedScan) {
    // A vapour inclusion with a 5 % bubble.
    OilInclusion impossible{373.15, kRoom, 0.05, 0, 0.0, false};
    zephon::thermo::CAlphaBetaModelInterface ab;
    ab.mTh = impossible.Th, ab.mTfv = impossible.Tf, ab.mFv = impossible.Fv, ab.mHomog = 0;
    double a = 0, b = 0;
    EXPECT_EQ(ab.FirstAlphaBeta(&a, &b), 8);
    EXPECT_LT(ab.mFirstPointFlashes, 2500);
}
