// SPDX-License-Identifier: BSD-3-Clause
// The alphas at which an oil first has a dew point at Th: where its cricondentherm reaches Th.
// Just above that alpha the inclusion's two dew points at Th (the lower and the upper, retrograde,
// one) are close together beside the cricondentherm; a little higher the upper one turns into a
// bubble point once the critical temperature passes Th. For a heavy oil that leaves a window of
// alpha narrower than a step of the scan's grid, and neither the flash from the ideal mixture nor
// the envelope traced in steps of 10 K finds dew points that close to the cricondentherm. The
// cricondentherm, converged, does: it is followed in alpha to where it lies just above Th, and the
// two dew points are solved on either side of it.
#include "thermo/oil1.hpp"

#include <algorithm>
#include <cmath>

namespace zephon::thermo {

namespace {

// The first alpha scanned has its cricondentherm this much above Th (K): close enough that the
// inclusion's oil is rarely below it, far enough that the two dew points are told apart.
constexpr double kSeedMargin = 0.01;
// The steps of alpha after the seed grow by this factor from span / growth^steps to span / share.
constexpr double kWindowGrowth = 3.0;
constexpr double kWindowSteps = 5.0;
constexpr double kFinestShare = 6.0;
constexpr std::size_t kMostWindowAlphas = 24;
constexpr int kMostSecantSteps = 40;
// The dew branch is traced until it has come this many points back from its hottest one.
constexpr int kPointsPastTheNose = 3;
constexpr int kMostTracedPoints = 400;
// Where the dew branch is taken up when its usual first point fails: so far below Th (K).
constexpr double kDewStartsBelowTh[] = {0.0, 50.0, 100.0, 150.0};
// Pressures about a neighbouring cricondentherm within which it is looked for.
constexpr double kNearSpread = 0.05;
// The pressure of a cricondentherm followed in alpha is found to this (its temperature, which is
// what the window needs, to far better).
constexpr double kNearTolerance = 1e-6;

} // namespace

EnvelopeExtreme Oil1::cricondentherm_at(double a, const EnvelopeExtreme* near) {
    alpha = a;
    if (!distribution_usable(UpdateDistribution())) return {};
    if (near != nullptr && near->found) {
        const EnvelopeExtreme found = cricondentherm_near(*this, near->state, kNearSpread, kNearTolerance);
        if (found.found) return found;
    }
    double t = 0.0, p = 0.0;
    char error = 0;
    FirstGasIsoplethPoint(t, p, error);
    // The dew points of heavy oils lie at vanishing pressures where the branch usually starts: it
    // is taken up nearer Th then.
    for (double below : kDewStartsBelowTh) {
        if (error == 0) break;
        set_type_of_problem(13);
        set_the_temperature(Th - below);
        set_the_vaporization_ratio(1.0);
        set_initialization_flag(2);
        calculateVLE();
        error = errorflag == 0 && P > 0.0 ? 0 : 1;
        if (error == 0) {
            gradeflag = 0;
            save();
        }
    }
    if (error != 0) return {};
    std::vector<SaturationState> dew{{T, P, x, y, liquid->V, vapour->V}};
    double lambda = 1.0, hottest = T;
    int past = 0;
    for (int k = 0; k < kMostTracedPoints && past < kPointsPastTheNose; ++k) {
        const signed char r = next_isopleth_point(lambda, false, false);
        if (r == 1) continue;
        if (r < 0) break;
        dew.push_back({T, P, x, y, liquid->V, vapour->V});
        if (T > hottest) {
            hottest = T;
            past = 0;
        } else {
            ++past;
        }
    }
    return cricondentherm(*this, {}, dew);
}

Oil1::DewWindow Oil1::dew_window(const std::vector<double>& grid) {
    DewWindow window;
    if (grid.size() < 2) return window;
    const double target = Th + kSeedMargin;
    // The cricondentherm rises with alpha. An oil whose dew branch cannot be traced at all is a
    // heavy one (its dew points vanish into the vacuum): taken as above Th.
    auto above = [target](const EnvelopeExtreme& e) { return !e.found || e.T > target; };
    // The first grid alpha where it is above Th, by halving.
    std::size_t lo = 0, hi = grid.size() - 1;
    EnvelopeExtreme atLo = cricondentherm_at(grid[lo], nullptr);
    if (above(atLo)) return window; // from the grid's start: the scan finds its dew points
    EnvelopeExtreme atHi = cricondentherm_at(grid[hi], nullptr);
    if (!above(atHi)) return window;
    while (hi - lo > 1) {
        const std::size_t mid = (lo + hi) / 2;
        const EnvelopeExtreme atMid = cricondentherm_at(grid[mid], nullptr);
        (above(atMid) ? hi : lo) = mid;
        (above(atMid) ? atHi : atLo) = atMid;
    }
    const double gridHigh = grid[hi];

    // The alpha where the cricondentherm is kSeedMargin above Th, by secant steps kept inside the
    // bracket (halving while a side is not known), each cricondentherm followed from the nearest
    // one found above the target.
    double aLo = grid[lo], aHi = grid[hi];
    double gLo = atLo.found ? atLo.T - target : 0.0; // 0: not known
    double gHi = atHi.found ? atHi.T - target : 0.0;
    EnvelopeExtreme nearest = atHi, seed;
    double aSeed = aHi;
    for (int step = 0; step < kMostSecantSteps; ++step) {
        double a = gLo < 0.0 && gHi > 0.0 ? aHi - gHi * (aHi - aLo) / (gHi - gLo) : 0.5 * (aLo + aHi);
        const double margin = 0.02 * (aHi - aLo);
        a = std::clamp(a, aLo + margin, aHi - margin);
        const EnvelopeExtreme found = cricondentherm_at(a, nearest.found ? &nearest : nullptr);
        const double g = found.found ? found.T - target : 0.0;
        if (found.found && g > -0.8 * kSeedMargin && g <= 2.0 * kSeedMargin) {
            seed = found;
            aSeed = a;
            break;
        }
        if (above(found)) {
            aHi = a, gHi = g;
            if (found.found) nearest = found;
        } else {
            aLo = a, gLo = g;
        }
        if (aHi - aLo < 1e-12) break;
    }
    if (!seed.found) return window;

    // The dew points at Th on either side of the cricondentherm, T(P) being a parabola there.
    alpha = aSeed;
    UpdateDistribution();
    const double spread = seed.curvature < 0.0 ? std::sqrt(2.0 * (seed.T - Th) / -seed.curvature) : 0.0;
    for (double sign : {-1.0, 1.0}) {
        if (!(spread > 0.0)) break;
        set_type_of_problem(13);
        set_the_temperature(Th);
        set_the_vaporization_ratio(1.0);
        temperature(Th);
        if (!flash_from(seed.P + sign * spread, seed.state.x, seed.state.y, 1.0)) continue;
        const bool seen =
            std::any_of(window.seeds.begin(), window.seeds.end(),
                        [this](const SaturationState& s) { return std::fabs(s.P / P - 1.0) < 1e-6; });
        if (!seen) window.seeds.push_back({T, P, x, y, liquid->V, vapour->V});
    }
    if (window.seeds.empty()) return window;

    // Then further from the cricondentherm up to the grid alpha above it: in steps that grow
    // geometrically from the seed (the dew points move away from each other as the square root of
    // the distance) and at least as fine as a tenth of the way (the upper one turns into a bubble
    // point where the critical temperature reaches Th, possibly before the grid alpha).
    window.end = gridHigh;
    window.alphas.push_back(aSeed);
    const double span = gridHigh - aSeed;
    double offset = span / std::pow(kWindowGrowth, kWindowSteps);
    for (double a = aSeed + offset; a < gridHigh - 1e-9 && window.alphas.size() < kMostWindowAlphas;
         a = window.alphas.back() + (offset = std::min(offset * kWindowGrowth, span / kFinestShare)))
        window.alphas.push_back(a);
    return window;
}

} // namespace zephon::thermo
