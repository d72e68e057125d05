// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Trapping temperature and pressure from an oil inclusion and a coeval aqueous inclusion: the
// aqueous inclusion's isochore from its Th and salinity, its crossing with the oil's one-phase
// isochore, and the band the measurements' uncertainties give the crossing.
#include <optional>
#include <string>
#include <vector>

#include "aqueous/aqueous_isochore.hpp"
#include "aqueous/crossing_band.hpp"
#include "aqueous/isochore_crossing.hpp"
#include "aqueous/oil_isochore.hpp"
#include "aqueous/salinity.hpp"

namespace zephon::aqueous {

// What is measured on the aqueous inclusion.
struct AqueousMeasurement {
    double th = 0;                                 // degrees Celsius
    SalinitySource source = SalinitySource::Typed; // what `measured` is
    double measured = 0;                           // Tm,ice or Tm,halite (C), or the salinity (wt%)
    HostMineral host = HostMineral::None;
    bool legacy = false;
};

// Standard uncertainties; 0 leaves a measurement out of the band.
struct TrappingUncertainties {
    double thAqueous = 0; // K
    double measured = 0;  // K for a melting or dissolution temperature, wt% for a typed salinity
    double thOil = 0;     // K
    double fv = 0;        // bubble volume percent (alpha-beta oils only)
    // The brine density correlation's own uncertainty, percent of the homogenisation density
    // (Driesner 2007 quotes about 0.05 %); 0 leaves it out.
    double brineDensity = 0;
    // The correlation of the errors of the two Th (-1 to 1): 1 for a calibration offset of the
    // heating stage that moves both alike.
    double thCorrelation = 0;
    bool any() const { return thAqueous > 0 || measured > 0 || thOil > 0 || fv > 0 || brineDensity > 0; }
};

// The aqueous isochore of a measurement, or why there is none; densityFactor as in
// AqueousInclusion.
AqueousIsochore::Made aqueous_isochore_of(const AqueousMeasurement& measurement, double densityFactor = 1.0);

struct TrappingResult {
    CrossingResult crossing;             // status Found, or why not
    std::optional<CrossingBand> band;    // with uncertainties, once the crossing is found
    std::string bandMessage;             // why the band could not be calculated
    std::vector<std::string> bandHalved; // inputs the band could move by only part of their sd
};

// The crossing of the oil inclusion's isochore with the aqueous inclusion's, and its band.
TrappingResult calculate_trapping(OilInclusionModel& oil, const AqueousIsochore& aqueous,
                                  const AqueousMeasurement& measurement, const TrappingUncertainties& sd);

} // namespace zephon::aqueous
