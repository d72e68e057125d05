// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Saturation points at one temperature found along the phase envelope. A flash started from
// the ideal mixture misses the saturation points near the critical point, where the two
// phases differ little; the envelope traced point by point reaches them. Every pair of
// consecutive envelope points that brackets the temperature gives a start (pressure and both
// compositions interpolated) from which the saturation point is solved at that temperature.
#include "thermo/oil.hpp"

#include <vector>

namespace zephon::thermo {

struct SaturationState {
    double T = 0.; // K
    double P = 0.; // Pa
    std::vector<double> x, y;
    double Vl = 0., Vv = 0.; // phase molar volumes (m3/mol)
};

struct EnvelopeSaturationResult {
    // In the order the envelope meets them: on the dew branch the lower dew point comes
    // first, then the upper (retrograde) one where the temperature has two.
    std::vector<SaturationState> points;
    long flashes = 0; // flashes spent, tracing included
};

// The saturation points of the bubble branch (bubble = true) or of the dew branch at T (K) of
// the oil's feed, the envelope being traced as the phase-diagram interface traces it (first
// point, then Oil::next_isopleth_point). With `firstOnly`
// the tracing stops at the first point found. Between the last envelope point and the
// critical point, where the tracing ends, the start is extrapolated from the last two points.
// The fluid is left in the state of the last point solved, saved for the continuation.
// With `quickStart` the bubble branch starts only at the interface's fixed temperatures
// (its pressure ramp, hundreds of flashes, is left out): for searches that try many fluids.
EnvelopeSaturationResult saturation_points_on_envelope(Oil& oil, double T, bool bubble, bool firstOnly,
                                                       bool quickStart = false);

// From the converged saturation state the oil holds (its feed of molar volume V there) down
// the two-phase isochore to T (K), stepped as the phase-diagram interface steps it, then the
// state at T and V itself. True when found; the oil then holds it.
bool state_down_the_isochore(Oil& oil, double T, double V);

// One saturation point at T (K): the flash from the ideal-mixture start, and where it fails,
// the first point the envelope gives at T. True when found; the fluid then holds the point.
// Where the temperature has two dew points, the one the direct flash converges to is kept.
bool saturation_point_at(Oil& oil, double T, bool bubble, bool quickStart = false);

} // namespace zephon::thermo
