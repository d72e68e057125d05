// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Inclusions made from known alpha-beta oils, and the independent check of an oil against an
// inclusion. An oil trapped at its homogenisation temperature Th (on its bubble curve for an
// inclusion that homogenises into the liquid, on a dew curve for one that homogenises into the
// vapour) keeps its molar volume while the inclusion cools along its isochore to the room
// temperature Tf, where the two phases show the bubble. The alpha search of the oil model
// must find the oil again from (Th, Tf, bubble, gases); the check below follows the way the
// phase-diagram document computes an isochore, not the residual the search solves.
#include "thermo/alpha_beta_model_interface.hpp"
#include "thermo/calculation_interface.hpp"
#include "thermo/envelope_saturation.hpp"

#include <algorithm>
#include <memory>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace zephon::testing {

struct KnownOil {
    double alpha = 0, beta = 0;
    double co2 = 0, n2 = 0, h2s = 0; // mole fractions
};

struct OilInclusion {
    double Th = 0, Tf = 0; // K
    double Fv = 0;         // vapour volume fraction at Tf
    char homog = 1;        // 1 into the liquid, 0 into the vapour
    double Ph = 0;         // homogenisation pressure (Pa)
    bool upperDew = false; // homogenises on the upper (retrograde) dew branch
};

inline std::unique_ptr<zephon::thermo::CCalculationInterface> interface_for(const KnownOil& oil) {
    auto ci = std::make_unique<zephon::thermo::CCalculationInterface>(1);
    ci->mAlpha = oil.alpha, ci->mBeta = oil.beta;
    ci->mCO2 = oil.co2, ci->mN2 = oil.n2, ci->mH2S = oil.h2s;
    ci->Finalize();
    return ci;
}

// The saturation states of the oil at Th on the bubble or dew branch, lowest pressure first:
// the branch traced by the phase-diagram interface, the state solved at Th from every traced
// point within 15 K of Th (near a cricondentherm two dew points lie between the same traced
// points) and from the ideal mixture.
inline std::vector<zephon::thermo::SaturationState> saturation_states_at(const KnownOil& oil, double Th,
                                                                         bool bubble, long* flashes) {
    using namespace zephon::thermo;
    auto ci = interface_for(oil);
    Oil& o = ci->system();
    struct Traced {
        double T, P;
        std::vector<double> x, y;
    };
    std::vector<Traced> traced;
    ci->mBranch = bubble ? 1 : 0;
    double t = 0, p = 0;
    if (ci->FirstIsoplethPoint(&t, &p) == 0) {
        traced.push_back({o.T, o.P, o.x, o.y});
        for (int k = 0; k < 2000; ++k) {
            const signed char r = ci->NextIsoplethPoint(&t, &p);
            if (r < 0) break;
            if (r == 0) traced.push_back({o.T, o.P, o.x, o.y});
        }
    }
    std::vector<SaturationState> states;
    auto solve = [&](int init, const Traced* from) {
        o.set_type_of_problem(13);
        o.set_the_temperature(Th);
        o.set_the_vaporization_ratio(bubble ? 0.0 : 1.0);
        if (from) {
            o.Pnc = from->P;
            for (short i = 0; i < o.N; ++i) {
                o.xcomposition(i, from->x[i]);
                o.ycomposition(i, from->y[i]);
            }
        }
        o.set_initialization_flag(static_cast<short>(init));
        o.calculateVLE();
        if (o.errorflag != 0) return;
        for (const SaturationState& s : states)
            if (std::fabs(s.P / o.P - 1.0) < 1e-6) return;
        states.push_back({o.T, o.P, o.x, o.y, o.liquid->V, o.vapour->V});
    };
    for (const Traced& point : traced)
        if (std::fabs(point.T - Th) <= 15.0) solve(0, &point);
    solve(2, nullptr);
    if (flashes) *flashes += o.mFlashCount;
    std::sort(states.begin(), states.end(), [](const auto& a, const auto& b) { return a.P < b.P; });
    return states;
}

// The cricondentherm of the oil (K), from its dew branch as the phase-diagram interface traces it;
// 0 when it cannot be found.
inline double cricondentherm_of(const KnownOil& oil) {
    using namespace zephon::thermo;
    auto ci = interface_for(oil);
    IsoplethData dew;
    const short n = ci->GetNumberOfComponents();
    for (short i = 0; i < n; ++i)
        dew.mxref.push_back(ci->GetIsoplethComposition(i));
    ci->mBranch = 0;
    double t = 0, p = 0;
    auto add = [&] {
        IsoplethData::Point point{t, p, {}};
        for (short i = 0; i < n; ++i)
            point.mz.push_back(ci->GetLiquidComposition(i));
        dew.points.push_back(std::move(point));
    };
    if (ci->FirstIsoplethPoint(&t, &p) != 0) return 0;
    add();
    for (int k = 0; k < 2000; ++k) {
        signed char r = 1;
        while (r == 1)
            r = ci->NextIsoplethPoint(&t, &p);
        if (r == 0 || r == -2) add();
        if (r < 0) break;
    }
    const EnvelopeKeyPoint found = ci->CalculateEnvelopeKeyPoints(nullptr, &dew).cricondentherm;
    return found.found ? found.T + 273.15 : 0;
}

// The bubble at Tf of every homogenisation state of the oil at Th on the inclusion's branch,
// lowest homogenisation pressure first; flashes spent are added to `flashes` when given.
inline std::vector<OilInclusion> inclusions_of(const KnownOil& oil, double Th, char homog, double Tf,
                                               long* flashes = nullptr) {
    using namespace zephon::thermo;
    std::vector<OilInclusion> made;
    auto make = [&oil] { return interface_for(oil); };
    struct {
        std::vector<SaturationState> points;
    } found{saturation_states_at(oil, Th, homog != 0, flashes)};
    for (std::size_t k = 0; k < found.points.size(); ++k) {
        const SaturationState& s = found.points[k];
        auto ci = make();
        Oil& o = ci->system();
        // The homogenisation state, solved again on a fresh fluid from the envelope's point.
        o.Pnc = s.P;
        for (short i = 0; i < o.N; ++i) {
            o.xcomposition(i, s.x[i]);
            o.ycomposition(i, s.y[i]);
        }
        o.set_type_of_problem(13);
        o.set_the_temperature(Th);
        o.set_the_vaporization_ratio(homog != 0 ? 0.0 : 1.0);
        o.set_initialization_flag(0);
        o.calculateVLE();
        if (o.errorflag != 0) continue;
        const double V = homog != 0 ? o.liquid->V : o.vapour->V;
        // Down the two-phase isochore to within 10.5 K of Tf, then the state at Tf itself.
        o.save();
        o.gradeflag = 0;
        ci->mBulkVolume = V;
        ci->mLambda = 1.0;
        ci->mMinIsocT = -273.0;
        ci->mMaxIsocP = 1e6;
        double t = Th - 273.15, p = 0;
        bool ok = true;
        for (int step = 0; step < 2000 && t > Tf - 273.15 + 10.5; ++step) {
            const signed char r = ci->NextIsochor2Point(&t, &p);
            if (r < 0) {
                ok = false;
                break;
            }
        }
        if (ok) {
            o.set_type_of_problem(14);
            o.set_the_temperature(Tf);
            o.set_the_volume(V);
            o.set_initialization_flag(1);
            o.calculateVLE();
            ok = o.errorflag == 0 && std::fabs(o.V / V - 1.0) < 1e-8 && o.Fvv > 0.0 && o.Fvv < 1.0;
        }
        if (flashes) *flashes += o.mFlashCount;
        if (!ok) continue;
        made.push_back({Th, Tf, o.Fvv, homog, s.P, homog == 0 && k > 0});
    }
    return made;
}

// True when some homogenisation state of the oil at Th reproduces the inclusion's bubble at
// Tf within `tolerance`.
inline bool oil_reproduces(const KnownOil& oil, const OilInclusion& inc, double tolerance = 1e-4) {
    for (const OilInclusion& made : inclusions_of(oil, inc.Th, inc.homog, inc.Tf))
        if (std::fabs(made.Fv - inc.Fv) <= tolerance) return true;
    return false;
}

struct TracedCurve {
    std::vector<std::pair<double, double>> points; // (alpha, beta)
    int code = 0;                                  // the engine's code at the end
    long flashes = 0, newton = 0;
    long firstPointFlashes = 0; // scans included
};

// The curve of an inclusion, traced as the application does, until it passes `betaEnd`.
inline TracedCurve trace_curve(const OilInclusion& inc, const KnownOil& gases, double betaEnd) {
    zephon::thermo::CAlphaBetaModelInterface ab;
    ab.mTh = inc.Th, ab.mTfv = inc.Tf, ab.mFv = inc.Fv, ab.mHomog = inc.homog;
    ab.mCO2 = gases.co2, ab.mN2 = gases.n2, ab.mH2S = gases.h2s;
    TracedCurve c;
    double a = 0, b = 0;
    if (ab.FirstAlphaBeta(&a, &b) == 0) {
        c.points.emplace_back(a, b);
        for (int k = 0; k < 800 && b < betaEnd; ++k) {
            const signed char r = ab.NextAlphaBeta(&a, &b);
            if (r == 0) c.points.emplace_back(a, b);
            if (r < 0) break;
        }
    }
    c.code = ab.mErrorMessageIndex;
    // A continuation solve finds both states of a point: two flashes.
    c.flashes = ab.mSystem->mFlashCount + 2 * ab.mSystem->mContinuationSolves;
    c.firstPointFlashes = ab.mFirstPointFlashes;
    c.newton = ab.mSystem->mNewtonIterationCount + 2 * ab.mSystem->mContinuationIterations;
    return c;
}

// Alpha of the curve at beta: quadratic through the three points nearest beta; NaN outside
// the curve.
inline double alpha_at(const TracedCurve& c, double beta) {
    const auto& p = c.points;
    if (p.empty() || beta < p.front().second - 1e-12 || beta > p.back().second + 1e-12)
        return std::numeric_limits<double>::quiet_NaN();
    if (p.size() == 1) return p.front().first;
    std::size_t k = 0;
    while (k + 1 < p.size() && p[k + 1].second <= beta)
        ++k;
    if (std::fabs(p[k].second - beta) < 1e-12) return p[k].first;
    if (p.size() == 2) {
        const double t = (beta - p[0].second) / (p[1].second - p[0].second);
        return p[0].first + t * (p[1].first - p[0].first);
    }
    // The three points around beta, beta nearer the middle one where there is a choice.
    std::size_t first = k == 0 ? 0 : (beta - p[k].second < p[k + 1].second - beta ? k - 1 : k);
    if (first + 3 > p.size()) first = p.size() - 3;
    double sum = 0;
    for (std::size_t i = first; i < first + 3; ++i) {
        double w = p[i].first;
        for (std::size_t j = first; j < first + 3; ++j)
            if (j != i) w *= (beta - p[j].second) / (p[i].second - p[j].second);
        sum += w;
    }
    return sum;
}

} // namespace zephon::testing
