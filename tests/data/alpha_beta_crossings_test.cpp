// SPDX-License-Identifier: BSD-3-Clause
// Where alpha-beta curves cross: curves drawn by hand whose crossings are known by construction.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "data/alpha_beta_crossings.hpp"

namespace {

struct Expected {
    double alpha, beta, angle;
    std::size_t first, second;
};

} // namespace

TEST(CurveCrossings, KnownCrossingsPairByPairAndAlongTheFirstCurve) {
    struct Case {
        const char* what;
        std::vector<std::vector<std::pair<double, double>>> curves;
        std::vector<Expected> crossings;
    };
    // The diagonals of a 0.2 x 0.4 box cross in its middle at atan(0.5) * 2 = 53.13 degrees.
    const double diagonals = 2 * std::atan(0.5) * 180 / M_PI;
    const std::vector<Case> cases{
        {"two diagonals", {{{0.5, 0}, {0.7, 0.4}}, {{0.7, 0}, {0.5, 0.4}}}, {{0.6, 0.2, diagonals, 0, 1}}},
        {"parallel curves", {{{0.5, 0}, {0.7, 0.4}}, {{0.6, 0}, {0.8, 0.4}}}, {}},
        {"segments on one line", {{{0.5, 0}, {0.7, 0.4}}, {{0.6, 0.2}, {0.8, 0.6}}}, {}},
        {"a zigzag crosses a line twice, in its own order",
         {{{0, 0.5}, {1, 0.5}}, {{0.8, 0}, {0.6, 1}, {0.4, 0}}},
         {{0.5, 0.5, 90 - std::atan(0.2) * 180 / M_PI, 0, 1},
          {0.7, 0.5, 90 - std::atan(0.2) * 180 / M_PI, 0, 1}}},
        {"a crossing at a shared vertex is given once",
         {{{0, 0}, {0.5, 0.5}, {1, 1}}, {{0, 1}, {0.5, 0.5}, {1, 0}}},
         {{0.5, 0.5, 90, 0, 1}}},
        {"curves meeting at their ends",
         {{{0, 0}, {0.5, 0.5}}, {{0.5, 0.5}, {1, 0}}},
         {{0.5, 0.5, 90, 0, 1}}},
        {"three curves: pairs (0, 1), (0, 2), (1, 2)",
         {{{0, 0.1}, {1, 0.1}}, {{0.2, 0}, {0.2, 1}}, {{0, 0.9}, {0.9, 0}}},
         {{0.2, 0.1, 90, 0, 1}, {0.8, 0.1, 45, 0, 2}, {0.2, 0.7, 45, 1, 2}}},
        {"a curve of one point and one of no usable points cross nothing",
         {{{0.5, 0.5}}, {{NAN, 0}, {0.3, NAN}}, {{0, 0}, {1, 1}}},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::unique_ptr<CAlphaBetaCurve>> owned;
        std::vector<const CAlphaBetaCurve*> curves;
        for (const auto& points : c.curves) {
            owned.push_back(std::make_unique<CAlphaBetaCurve>());
            for (const auto& [alpha, beta] : points)
                owned.back()->Add(new CAlphaBetaRecord(alpha, beta));
            curves.push_back(owned.back().get());
        }
        const std::vector<CCurveCrossing> found = FindCurveCrossings(curves);
        ASSERT_EQ(found.size(), c.crossings.size());
        for (std::size_t k = 0; k < found.size(); ++k) {
            EXPECT_NEAR(found[k].alpha, c.crossings[k].alpha, 1e-12);
            EXPECT_NEAR(found[k].beta, c.crossings[k].beta, 1e-12);
            EXPECT_NEAR(found[k].angle, c.crossings[k].angle, 1e-9);
            EXPECT_EQ(found[k].firstIndex, c.crossings[k].first);
            EXPECT_EQ(found[k].secondIndex, c.crossings[k].second);
            EXPECT_EQ(found[k].first, curves[c.crossings[k].first]);
            EXPECT_EQ(found[k].second, curves[c.crossings[k].second]);
        }
    }
}

TEST(CurveCrossings, StraightCurvesCrossOnceWhereverTheirOrderTurns) {
    // Curve i runs straight from beta a_i at alpha 0 to b_i at alpha 1, sampled at 25 points: two of
    // them cross once exactly when their order at alpha 0 and at alpha 1 differ.
    const int n = 50;
    std::vector<std::unique_ptr<CAlphaBetaCurve>> owned;
    std::vector<const CAlphaBetaCurve*> curves;
    std::vector<double> a, b;
    for (int i = 0; i < n; ++i) {
        a.push_back((i + 0.5) / n);
        b.push_back(((i * 17) % n + 0.25) / n);
        owned.push_back(std::make_unique<CAlphaBetaCurve>());
        for (int k = 0; k < 25; ++k) {
            const double alpha = k / 24.0;
            owned.back()->Add(new CAlphaBetaRecord(alpha, a[i] + (b[i] - a[i]) * alpha));
        }
        curves.push_back(owned.back().get());
    }
    std::size_t inversions = 0;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            inversions += (a[i] - a[j]) * (b[i] - b[j]) < 0 ? 1 : 0;
    const std::vector<CCurveCrossing> found = FindCurveCrossings(curves);
    EXPECT_EQ(found.size(), inversions);
    for (const CCurveCrossing& crossing : found) {
        // On both straight lines, where they meet.
        const std::size_t i = crossing.firstIndex, j = crossing.secondIndex;
        EXPECT_NEAR(crossing.beta, a[i] + (b[i] - a[i]) * crossing.alpha, 1e-12);
        EXPECT_NEAR(crossing.beta, a[j] + (b[j] - a[j]) * crossing.alpha, 1e-12);
        EXPECT_NEAR(crossing.alpha, (a[j] - a[i]) / ((b[i] - a[i]) - (b[j] - a[j])), 1e-12);
    }
}
