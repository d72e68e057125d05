// SPDX-License-Identifier: BSD-3-Clause
#include "aqueous/aqueous_isochore.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "aqueous/brine.hpp"
#include "aqueous/iapws95.hpp"
#include "aqueous/salinity.hpp"

namespace zephon::aqueous {

namespace {

constexpr double kKelvin = 273.15;
constexpr double kPaPerBar = 1e5;
// The brine density correlation's lowest pressure.
constexpr double kLowestBrinePressure = 1.0; // bar
// How far a slope may lie from the one the neighbouring points give (relative), besides their own
// spread: the isochores of the correlation turn quickly in their first kelvin (a slope of 13.6
// bar/K at Th 50 C, 5 wt%, 11.9 one kelvin on), but a slope that has it wrong is out by far more.
constexpr double kSlopeTolerance = 0.25;
// The triple point of water, 0.01 degrees C as the range states it (273.16 - 273.15 is a little
// more in binary); its saturation state is taken at the triple point itself.
constexpr double kLowestTh = 0.01;
// The homogenisation pressure comes from water's saturation pressure, which ends at its critical
// point.
constexpr double kHighestTh = iapws95::kCriticalTemperature - kKelvin - 0.01;

std::string format(const char* pattern, double a, double b = 0, double c = 0) {
    char text[320];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

} // namespace

double bodnar_vityk_slope(double salinity, double th) {
    // Bodnar & Vityk (1994): dP/dT = a + b Th + c Th^2 (bar per degree), a, b and c quartic in S.
    const double S = salinity;
    const double a = 18.28 + S * (1.4413 + S * (0.0047241 + S * (-0.0024213 + S * 0.000038064)));
    const double b =
        0.019041 + S * (-0.015268 + S * (0.000566012 + S * (-0.0000042329 + S * -0.000000030354)));
    const double c =
        -0.00015988 + S * (0.000036892 + S * (-0.0000019473 + S * (0.000000041674 + S * -0.00000000033008)));
    return a + th * (b + th * c);
}

AqueousIsochore::AqueousIsochore(const AqueousInclusion& inclusion, const HomogenisationState& h, double x)
    : mInclusion(inclusion), mHomogenisation(h), mX(x), mHighestT(host_properties(inclusion.host).highestT) {
    if (inclusion.legacy) mLegacySlope = bodnar_vityk_slope(inclusion.salinity, inclusion.th);
}

bool aqueous_th_in_range(double th) {
    return std::isfinite(th) && th >= kLowestTh && th <= kHighestTh;
}

AqueousIsochore::Made AqueousIsochore::make(const AqueousInclusion& inclusion) {
    Made made;
    const double th = inclusion.th;
    if (!aqueous_th_in_range(th)) {
        made.message = format("The aqueous homogenisation temperature %.2f \xC2\xB0"
                              "C is outside the range %.2f to %.1f \xC2\xB0"
                              "C of the aqueous isochores.",
                              th, kLowestTh, kHighestTh);
        return made;
    }
    const SalinityResult salinity = typed_salinity(inclusion.salinity);
    if (!salinity.ok) {
        made.message = salinity.message;
        return made;
    }
    // A liquid more saline than halite saturation at Th holds halite when it homogenises to the
    // liquid: it homogenises by halite dissolution, at a pressure on the halite liquidus that the
    // liquid-vapour rule below does not give.
    if (const double saturated = halite_saturation_salinity(th); inclusion.salinity > saturated) {
        made.message = format("The salinity %.2f wt%% is above halite saturation at Th (%.2f wt%% at %.2f "
                              "\xC2\xB0"
                              "C): such an inclusion homogenises by halite dissolution, which the "
                              "aqueous isochores do not cover.",
                              inclusion.salinity, saturated, th);
        return made;
    }
    if (inclusion.legacy && inclusion.host != HostMineral::None) {
        made.message = "The legacy isochores have no host-mineral correction: choose no host mineral.";
        return made;
    }
    if (inclusion.legacy && inclusion.salinity > kHighestLegacySalinity) {
        made.message =
            format("The legacy isochores cover salinities from 0 to %.0f wt%%.", kHighestLegacySalinity);
        return made;
    }
    if (th > host_properties(inclusion.host).highestT) {
        made.message = format("The aqueous homogenisation temperature %.2f \xC2\xB0"
                              "C lies above the range of the host mineral's data (%.0f \xC2\xB0"
                              "C).",
                              th, host_properties(inclusion.host).highestT);
        return made;
    }

    const std::optional<iapws95::Saturation> water =
        iapws95::saturation(std::max(th + kKelvin, iapws95::kTriplePointTemperature));
    if (!water) {
        made.message = format("The saturation state of water at %.2f \xC2\xB0"
                              "C could not be calculated.",
                              th);
        return made;
    }
    HomogenisationState h;
    h.T = th;
    const double x = mole_fraction_of_salinity(inclusion.salinity);
    if (inclusion.salinity == 0) {
        // Pure water homogenises on its own saturation curve.
        h.P = water->p / kPaPerBar;
        h.rho = water->rho_liquid;
    } else {
        // The brine's homogenisation pressure: Raoult's law on the vapour pressure of water, and no
        // less than the density correlation's lowest pressure. A liquid-vapour curve of H2O-NaCl can
        // replace this rule here; everything downstream takes P_h as it comes.
        h.P = std::max(kLowestBrinePressure, (1.0 - x) * water->p / kPaPerBar);
        const BrineResult brine = brine_state(th, h.P, x);
        if (!brine.ok) {
            made.message = brine.message;
            return made;
        }
        h.rho = brine.state.rho;
    }
    h.rho *= inclusion.densityFactor;
    // Water below about 4 degrees C (and a cold brine) contracts on heating: no liquid of the
    // homogenisation density exists above Th at P_h or more.
    if (!inclusion.legacy) {
        const BrineResult start = brine_state(th, h.P, x);
        if (start.ok && start.state.dlnrho_dT + host_expansion(inclusion.host, th) >= 0) {
            made.message = format("The liquid contracts on heating at Th %.2f \xC2\xB0"
                                  "C (water's density rises up to about 4 \xC2\xB0"
                                  "C): its isochore does not rise from Th.",
                                  th);
            return made;
        }
    }
    made.isochore.reset(new AqueousIsochore(inclusion, h, x));
    return made;
}

std::optional<IsochorePoint> AqueousIsochore::at(double T) const {
    return solve(T, mHomogenisation.P + 15.0 * (T - mInclusion.th));
}

std::optional<IsochorePoint> AqueousIsochore::solve(double T, double hint) const {
    const double th = mInclusion.th, ph = mHomogenisation.P;
    if (!std::isfinite(T) || T < th || T > mHighestT) return std::nullopt;
    if (mInclusion.legacy) {
        const double P = ph + mLegacySlope * (T - th);
        if (P > kHighestIsochorePressure) return std::nullopt;
        return IsochorePoint{T, P, mLegacySlope};
    }

    // F(P) = ln rho(T, P) + ln(V / V_h) - ln rho_h rises with P (the liquid is far more
    // compressible than any host): Newton kept inside a bracket that bisection falls back on.
    const double lnRhoH = std::log(mHomogenisation.rho);
    const HostMineral host = mInclusion.host;
    const double beta = host_properties(host).beta;
    double lo = ph, hi = kHighestIsochorePressure;
    double P = std::clamp(hint, lo, hi);
    double water = 0; // the water density of the last state: the next one starts there
    for (int iteration = 0; iteration < 100; ++iteration) {
        const BrineResult brine = brine_state(T, P, mX, water);
        if (!brine.ok) {
            // No liquid there: the isochore lies on the other side of the bracket.
            if (P > lo) {
                hi = P;
                P = 0.5 * (lo + hi);
                continue;
            }
            return std::nullopt;
        }
        const BrineState& s = brine.state;
        water = s.rhoWater;
        const double F = std::log(s.rho) + host_log_volume_ratio(host, th, ph, T, P) - lnRhoH;
        const double dFdP = s.dlnrho_dP - beta;
        if (F > 0)
            hi = P;
        else
            lo = P;
        double next = P - F / dFdP;
        if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
        const bool converged = std::fabs(next - P) <= 1e-11 * P || F == 0 || hi - lo <= 1e-11 * P;
        if (converged) {
            // Pinned at the top of the bracket with the density still too low: the isochore
            // passes 5000 bar before T. Pinned at P_h with the density already too high: the
            // liquid would have to lie below its homogenisation pressure, which it cannot.
            if (F < 0 && P >= kHighestIsochorePressure * (1 - 1e-9)) return std::nullopt;
            if (T > th && F > 1e-9 && P <= ph * (1 + 1e-9)) return std::nullopt;
            const double slope = -(s.dlnrho_dT + host_expansion(host, T)) / dFdP;
            return IsochorePoint{T, P, slope};
        }
        P = next;
    }
    return std::nullopt;
}

std::optional<IsochorePoint> AqueousIsochore::top_of_range(const IsochorePoint& last, double beyond) const {
    // Newton on the temperature at which the isochore passes 5000 bar, from the last point's slope;
    // halving towards the last point where a step goes past what can be calculated.
    double good = last.T, bad = beyond;
    IsochorePoint at = last;
    std::optional<IsochorePoint> best;
    for (int iteration = 0; iteration < 60 && bad - good > 1e-7; ++iteration) {
        double T = at.dPdT > 0 ? at.T + (kHighestIsochorePressure - at.P) / at.dPdT : 0.5 * (good + bad);
        if (!(T > good && T < bad)) T = 0.5 * (good + bad);
        const std::optional<IsochorePoint> p = solve(T, at.P + at.dPdT * (T - at.T));
        if (!p) {
            bad = T;
            continue;
        }
        good = T;
        at = *p;
        best = p;
        if (kHighestIsochorePressure - p->P < 1e-6) break;
    }
    return best;
}

std::optional<IsochorePoint> AqueousIsochore::end_before(double beyond) const {
    std::optional<IsochorePoint> start = at(mInclusion.th);
    if (!start) return std::nullopt;
    // The slope at Th can be far off the isochore's (see trace): Newton starts from a secant.
    if (auto near = solve(mInclusion.th + 1.0, start->P)) {
        start->dPdT = (near->P - start->P) / 1.0;
        if (!(start->dPdT > 0)) start->dPdT = 1.0;
    }
    return top_of_range(*start, beyond);
}

std::vector<IsochorePoint> AqueousIsochore::trace(double tmax, int count) const {
    std::vector<IsochorePoint> points;
    const double th = mInclusion.th;
    count = std::max(count, 2);
    double top = std::min(tmax, mHighestT);
    if (!(top > th)) {
        if (auto p = at(th)) points.push_back(*p);
        return points;
    }
    // Where the isochore ends first (at 5000 bar), the points are spread up to that end.
    std::optional<IsochorePoint> end;
    if (!at(top)) {
        // Only an end at 5000 bar: where the calculation fails before (near the critical point of
        // water) the points go up to that failure from the steps below.
        end = end_before(top);
        if (end && end->P >= kHighestIsochorePressure * (1 - 1e-6))
            top = end->T;
        else
            end.reset();
    }
    const double dT = (top - th) / (count - 1);
    for (int i = 0; i < count; ++i) {
        if (i + 1 == count && end) {
            points.push_back(*end);
            break;
        }
        const double T = i + 1 == count ? top : th + i * dT;
        const double hint =
            points.empty() ? mHomogenisation.P : points.back().P + points.back().dPdT * (T - points.back().T);
        if (auto p = solve(T, hint)) {
            points.push_back(*p);
            continue;
        }
        // The isochore ends between the last point and T.
        if (points.empty()) break;
        if (auto last = top_of_range(points.back(), T)) points.push_back(*last);
        break;
    }
    drop_contradicted_slopes(points);
    return points;
}

void drop_contradicted_slopes(std::vector<IsochorePoint>& points) {
    const std::size_t n = points.size();
    if (n < 3) return;
    // The slope at point i of the parabola through points a, a + 1 and a + 2.
    auto parabola_slope = [&points](std::size_t a, std::size_t i) {
        const IsochorePoint &p0 = points[a], &p1 = points[a + 1], &p2 = points[a + 2];
        const double s01 = (p1.P - p0.P) / (p1.T - p0.T), s12 = (p2.P - p1.P) / (p2.T - p1.T);
        const double curvature = (s12 - s01) / (p2.T - p0.T); // half the second derivative
        return s01 + curvature * (2 * points[i].T - p0.T - p1.T);
    };
    std::vector<bool> keep(n, true);
    for (std::size_t i = 0; i < n; ++i) {
        const double s = points[i].dPdT;
        const std::size_t a = i == 0 ? 0 : (i + 1 == n ? n - 3 : i - 1);
        const double estimate = parabola_slope(a, i);
        const double spread =
            std::fabs((points[a + 2].P - points[a + 1].P) / (points[a + 2].T - points[a + 1].T) -
                      (points[a + 1].P - points[a].P) / (points[a + 1].T - points[a].T));
        keep[i] =
            std::isfinite(s) && std::fabs(s - estimate) <= kSlopeTolerance * std::fabs(estimate) + spread;
    }
    for (std::size_t i = 0; i < n; ++i)
        if (!keep[i]) points[i].dPdT = std::numeric_limits<double>::quiet_NaN();
}

} // namespace zephon::aqueous
