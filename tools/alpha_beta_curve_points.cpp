// SPDX-License-Identifier: BSD-3-Clause
// The points and end codes of the alpha-beta curves of the benchmarks' twenty-four inclusions (the
// bundled examples among them), to full precision, with the work each curve took: two builds of the
// engine are compared by the difference of their outputs.
//
// Usage: alpha_beta_curve_points [--scan-only] [--verify]
// (--scan-only: every point by the alpha search, the continuation turned off; --verify: each point
// checked independently, by the inclusion its oil makes: the bubble at Tf after cooling the
// homogenisation state at constant volume, against the measured one, turned into a distance in
// alpha by the same at alpha + 1e-6.)
#include "known_oil_inclusions.hpp"
#include "thermo/alpha_beta_model_interface.hpp"
#include "twenty_four_inclusions.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

using namespace zephon::thermo;

namespace {

// The bubble the oil (alpha, beta, gases) makes nearest to fv0; NaN where it makes none.
double nearest_bubble(zephon::testing::KnownOil oil, double Th, char homog, double Tf, double fv0) {
    double best = std::nan("");
    for (const zephon::testing::OilInclusion& made : zephon::testing::inclusions_of(oil, Th, homog, Tf))
        if (!(std::fabs(made.Fv - fv0) >= std::fabs(best - fv0))) best = made.Fv;
    return best;
}

// How far in alpha the point lies from the curve by the independent check (NaN: no check).
double distance_in_alpha(const zephon::testing::KnownOil& oil, double Th, char homog, double Tf, double fv0) {
    constexpr double kStep = 1e-6;
    const double at = nearest_bubble(oil, Th, homog, Tf, fv0);
    zephon::testing::KnownOil shifted = oil;
    shifted.alpha -= kStep;
    const double before = nearest_bubble(shifted, Th, homog, Tf, fv0);
    return std::fabs(at - fv0) / std::fabs((at - before) / kStep);
}

// The alpha the search finds at beta from alpha + 1e-4 with an oil that has no memory of the curve
// (NaN where it finds none).
double found_again(const CAlphaBetaModelInterface& curve, double alpha, double beta) {
    CAlphaBetaModelInterface fresh;
    Oil1& oil = *fresh.mSystem;
    oil.SetDistributionParameters(alpha + 1e-4, beta, curve.mCO2, curve.mN2, curve.mH2S);
    oil.FindAlpha(curve.mTh, curve.mTfv, curve.mFv, 1e-10, curve.mHomog);
    return oil.errorflag == 0 ? oil.alpha : std::nan("");
}

} // namespace

int main(int argc, char** argv) {
    bool continuation = true, verify = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--scan-only")) {
            continuation = false;
        } else if (!std::strcmp(argv[i], "--verify")) {
            verify = true;
        } else {
            std::fprintf(stderr, "usage: %s [--scan-only] [--verify]\n", argv[0]);
            return 2;
        }
    }
    long allPoints = 0, allFlashes = 0, allNewton = 0, unchecked = 0;
    double farthest = 0.0;
    for (const CInclusionRecord& inclusion : TwentyFourInclusions()) {
        CAlphaBetaModelInterface ab;
        ab.mContinuation = continuation;
        ab.mTh = inclusion.mTh + 273.15, ab.mTfv = inclusion.mTv + 273.15;
        ab.mFv = inclusion.mFv / 100.0, ab.mHomog = static_cast<char>(inclusion.mHomog);
        ab.mCO2 = inclusion.mCO2 / 100.0, ab.mN2 = inclusion.mN2 / 100.0, ab.mH2S = inclusion.mH2S / 100.0;
        double a = 0, b = 0;
        long points = 0;
        std::printf("%s\n", inclusion.mInclusionName.c_str());
        auto print = [&] {
            if (!verify) {
                std::printf("  %.17g %.17g\n", a, b);
                return;
            }
            const double d =
                distance_in_alpha({a, b, ab.mCO2, ab.mN2, ab.mH2S}, ab.mTh, ab.mHomog, ab.mTfv, ab.mFv);
            if (std::isfinite(d))
                farthest = std::max(farthest, d);
            else
                ++unchecked;
            std::printf("  %.17g %.17g  off by %.2g, found again %.2g away\n", a, b, d,
                        std::fabs(found_again(ab, a, b) - a));
        };
        if (ab.FirstAlphaBeta(&a, &b) == 0) {
            print();
            for (points = 1; points < 200;) {
                const signed char r = ab.NextAlphaBeta(&a, &b);
                if (r < 0) break;
                if (r == 0) {
                    print();
                    ++points;
                }
            }
        }
        const long flashes = ab.mSystem->mFlashCount, newton = ab.mSystem->mNewtonIterationCount;
        std::printf("  end code %d, %ld points; work: %ld flashes (%ld for the first point), %ld Newton "
                    "iterations\n",
                    ab.mErrorMessageIndex, points, flashes, ab.mFirstPointFlashes, newton);
        allPoints += points, allFlashes += flashes, allNewton += newton;
    }
    std::printf("total: %ld points, %.2f flashes and %.1f Newton iterations per point\n", allPoints,
                static_cast<double>(allFlashes) / static_cast<double>(allPoints),
                static_cast<double>(allNewton) / static_cast<double>(allPoints));
    if (verify)
        std::printf("independent check: largest distance in alpha %.2g, %ld points without a check\n",
                    farthest, unchecked);
    return 0;
}
