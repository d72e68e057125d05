// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Where two one-phase isochores cross (the intersecting-isochores method: an oil inclusion and a
// coeval aqueous inclusion were trapped at the same temperature and pressure), above both
// homogenisation temperatures and below 5000 bar, with the slopes of both there and the angle
// between them: when the slopes are close the crossing is ill-conditioned.
#include <string>

#include "aqueous/isochore_curve.hpp"

namespace zephon::aqueous {

struct IsochoreCrossing {
    double T = 0;            // degrees Celsius
    double P = 0;            // bar
    double slopeOil = 0;     // bar/K
    double slopeAqueous = 0; // bar/K
    double angle = 0;        // degrees, see crossing_angle
};

enum class CrossingStatus { Found, NotBelowHighestPressure, Failed };

struct CrossingResult {
    CrossingStatus status = CrossingStatus::Failed;
    IsochoreCrossing crossing;
    std::string message; // why there is none
};

// Below this angle the crossing is called ill-conditioned.
inline constexpr double kIllConditionedAngle = 5.0; // degrees

// The angle (degrees) between two lines of slopes s1 and s2 drawn with the pressure axis scaled so
// that their geometric-mean slope is 45 degrees: it does not depend on the units, is 0 for
// parallel lines and 90 for slopes of opposite signs.
double crossing_angle(double s1, double s2);

// The crossing of the two isochores, found to 1e-6 K.
CrossingResult find_crossing(const IsochoreCurve& oil, const IsochoreCurve& aqueous);

} // namespace zephon::aqueous
