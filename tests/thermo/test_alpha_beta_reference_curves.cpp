// SPDX-License-Identifier: BSD-3-Clause
// Curves that the alpha search traced before its starts and fallbacks were reworked, stored in
// data/alpha_beta_reference_curves.txt: every stored point must come out again, alpha within
// 1e-6 at the same beta.
#include "thermo/alpha_beta_model_interface.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace zephon::thermo;

namespace {

struct ReferenceCurve {
    double ThC = 0, TfC = 0, FvPercent = 0, co2 = 0, n2 = 0, h2s = 0;
    int homog = 1;
    std::vector<std::pair<double, double>> points; // (alpha, beta)
};

std::vector<ReferenceCurve> read_reference_curves() {
    std::ifstream in(std::string(ZEPHON_THERMO_TEST_DATA) + "/alpha_beta_reference_curves.txt");
    std::vector<ReferenceCurve> curves;
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("curve ", 0) != 0) continue;
        std::istringstream head(line.substr(6));
        ReferenceCurve c;
        std::size_t count = 0;
        head >> c.ThC >> c.TfC >> c.FvPercent >> c.homog >> c.co2 >> c.n2 >> c.h2s >> count;
        for (std::size_t k = 0; k < count && std::getline(in, line); ++k) {
            std::istringstream point(line);
            double a = 0, b = 0;
            point >> a >> b;
            c.points.emplace_back(a, b);
        }
        curves.push_back(std::move(c));
    }
    return curves;
}

} // namespace

void set_inclusion(CAlphaBetaModelInterface& ab, const ReferenceCurve& ref) {
    ab.mTh = ref.ThC + 273.15;
    ab.mTfv = ref.TfC + 273.15;
    ab.mFv = ref.FvPercent / 100.0;
    ab.mCO2 = ref.co2 / 100.0;
    ab.mN2 = ref.n2 / 100.0;
    ab.mH2S = ref.h2s / 100.0;
    ab.mHomog = static_cast<char>(ref.homog);
}

// Every stored point is solved again at its own beta, from the point before it, and the
// curve traced as the application traces it passes through the stored points it shares a beta
// with. (Where a stored curve halved its step after a failure, a curve that no longer fails
// there takes other betas.)
TEST(AlphaBetaReferenceCurves, EveryStoredPointIsReproduced) {
    const auto curves = read_reference_curves();
    ASSERT_GE(curves.size(), 16u);
    for (const ReferenceCurve& ref : curves) {
        SCOPED_TRACE("Th " + std::to_string(ref.ThC) + " C, Fv " + std::to_string(ref.FvPercent) + " %");
        CAlphaBetaModelInterface walker;
        set_inclusion(walker, ref);
        double a = 0, b = 0;
        ASSERT_EQ(walker.FirstAlphaBeta(&a, &b), 0);
        Oil1& oil = *walker.mSystem;
        for (const auto& [alpha, beta] : ref.points) {
            if (beta > 0.0) {
                oil.SetDistributionParameters(a, beta, walker.mCO2, walker.mN2, walker.mH2S);
                oil.FindAlpha(walker.mTh, walker.mTfv, walker.mFv, 1e-8, walker.mHomog);
                ASSERT_EQ(oil.errorflag, 0) << "at beta " << beta;
                a = oil.alpha;
            }
            EXPECT_NEAR(a, alpha, 1e-6) << "at beta " << beta;
        }

        CAlphaBetaModelInterface ab;
        set_inclusion(ab, ref);
        std::vector<std::pair<double, double>> traced;
        ASSERT_EQ(ab.FirstAlphaBeta(&a, &b), 0);
        traced.emplace_back(a, b);
        while (traced.back().second < ref.points.back().second - 1e-12) {
            const signed char r = ab.NextAlphaBeta(&a, &b);
            if (r == 0) traced.emplace_back(a, b);
            ASSERT_GE(r, 0) << "the curve ends before the stored one, at beta " << traced.back().second;
        }
        std::size_t k = 0;
        for (const auto& [alpha, beta] : ref.points) {
            while (k < traced.size() && traced[k].second < beta - 1e-9)
                ++k;
            if (k == traced.size() || traced[k].second > beta + 1e-9) continue;
            EXPECT_NEAR(traced[k].first, alpha, 1e-6) << "at beta " << beta;
        }
    }
}

// The continuation and the alpha search it falls back on find the same points: each stored curve is
// traced with the continuation and with the search alone, and wherever both have a point at the same
// beta their alphas agree to the search's tolerance. Most points must come from the continuation.
TEST(AlphaBetaReferenceCurves, ContinuationAndAlphaSearchFindTheSamePoints) {
    auto trace = [](const ReferenceCurve& ref, bool continuation, long* continued) {
        CAlphaBetaModelInterface ab;
        set_inclusion(ab, ref);
        ab.mContinuation = continuation;
        std::vector<std::pair<double, double>> points;
        double a = 0, b = 0;
        if (ab.FirstAlphaBeta(&a, &b) != 0) return points;
        points.emplace_back(a, b);
        for (int k = 0; k < 400 && points.size() < 60; ++k) {
            const signed char r = ab.NextAlphaBeta(&a, &b);
            if (r < 0) break;
            if (r == 0) points.emplace_back(a, b);
        }
        if (continued) *continued = ab.mContinuedPoints;
        return points;
    };
    long continued = 0, shared = 0, all = 0;
    for (const ReferenceCurve& ref : read_reference_curves()) {
        SCOPED_TRACE("Th " + std::to_string(ref.ThC) + " C, Fv " + std::to_string(ref.FvPercent) + " %");
        long n = 0;
        const auto fast = trace(ref, true, &n);
        const auto alone = trace(ref, false, nullptr);
        ASSERT_FALSE(fast.empty());
        ASSERT_FALSE(alone.empty());
        continued += n;
        all += static_cast<long>(fast.size());
        for (const auto& [alpha, beta] : alone) {
            const auto same = std::find_if(fast.begin(), fast.end(), [beta = beta](const auto& p) {
                return std::fabs(p.second - beta) < 1e-12;
            });
            if (same == fast.end()) continue;
            ++shared;
            EXPECT_NEAR(same->first, alpha, 1e-8) << "at beta " << beta;
        }
    }
    EXPECT_GT(shared, all * 9 / 10);
    EXPECT_GT(continued, all * 3 / 4);
}
