// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The isochore of an aqueous (H2O-NaCl) inclusion: the liquid's density at homogenisation (T = Th,
// P = P_h) held for T > Th, the cavity following its host mineral when one is given, up to
// 5000 bar. Or, as an option for comparison with older studies, the straight-line isochores of
// Bodnar & Vityk (1994), which overestimate the pressure at basin conditions.
// Degrees Celsius, bar, weight percent NaCl equivalent, kg/m3.
#include <memory>
#include <string>
#include <vector>

#include "aqueous/host_mineral.hpp"
#include "aqueous/isochore_curve.hpp"

namespace zephon::aqueous {

struct AqueousInclusion {
    double th = 0;       // homogenisation temperature (to the liquid)
    double salinity = 0; // wt% NaCl equivalent
    HostMineral host = HostMineral::None;
    bool legacy = false; // Bodnar & Vityk (1994) straight lines
    // The homogenisation density times this: how an error of the brine density correlation moves
    // the isochore (the uncertainty band only).
    double densityFactor = 1.0;
};

struct HomogenisationState {
    double T = 0;   // degrees Celsius
    double P = 0;   // bar
    double rho = 0; // kg/m3
};

// The label of the legacy option, as the person sees it.
inline constexpr const char* kLegacyIsochoreLabel = "legacy, overestimates P at basin conditions";
// Salinities the legacy slopes were fitted for.
inline constexpr double kHighestLegacySalinity = 40.0;

// Whether an aqueous homogenisation temperature (C) lies in the range of the aqueous isochores.
bool aqueous_th_in_range(double th);

// dP/dT (bar/K) of the Bodnar & Vityk (1994) isochore for a salinity and Th.
double bodnar_vityk_slope(double salinity, double th);

// Sets to NaN the slope of each point of a traced isochore that its neighbours contradict: one
// farther from the slope of the parabola through it and its neighbours (the nearest three at an
// end) than a quarter of that slope plus the spread of their secants. The brine density
// correlation hardly rises with pressure, or even falls, near 1 bar above about 15 wt%: the
// derivative there gives slopes of thousands of bar/K or negative ones at Th, while the isochore
// leaves that point over a fraction of a kelvin.
void drop_contradicted_slopes(std::vector<IsochorePoint>& points);

class AqueousIsochore : public IsochoreCurve {
  public:
    struct Made {
        std::unique_ptr<AqueousIsochore> isochore; // null when refused
        std::string message;                       // why it was refused
    };
    // The isochore of an inclusion, or the reason there is none (Th out of range, a salinity or
    // combination the formulations do not cover).
    static Made make(const AqueousInclusion& inclusion);

    const AqueousInclusion& inclusion() const { return mInclusion; }
    const HomogenisationState& homogenisation() const { return mHomogenisation; }
    double start_temperature() const override { return mInclusion.th; }
    std::optional<IsochorePoint> at(double T) const override;
    // count points evenly spaced from Th to tmax, or to where the isochore reaches 5000 bar (or
    // its host's range) if that comes first. The slope is NaN at a point where it is not borne out
    // by its neighbours (see drop_contradicted_slopes).
    std::vector<IsochorePoint> trace(double tmax, int count) const;

  private:
    AqueousIsochore(const AqueousInclusion& inclusion, const HomogenisationState& h, double x);
    // P at T by Newton on ln rho(T, P) + ln(V/V_h) - ln rho_h = 0 from the pressure hint.
    std::optional<IsochorePoint> solve(double T, double hint) const;
    // The last point the isochore has between a point and a temperature beyond its end.
    std::optional<IsochorePoint> top_of_range(const IsochorePoint& last, double beyond) const;
    // Where the isochore ends, for a temperature beyond its end.
    std::optional<IsochorePoint> end_before(double beyond) const;

    AqueousInclusion mInclusion;
    HomogenisationState mHomogenisation;
    double mX = 0;           // mole fraction of NaCl
    double mLegacySlope = 0; // bar/K, the legacy isochore only
    double mHighestT = 1e9;  // the host mineral's range
};

} // namespace zephon::aqueous
