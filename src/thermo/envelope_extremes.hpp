// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The cricondenbar (the greatest pressure of the phase envelope, where dP/dT = 0 along it) and
// the cricondentherm (the greatest temperature, where dT/dP = 0), converged from a traced
// envelope rather than read off its points: the slope of the envelope at a saturation point comes
// from the derivatives of the converged equilibrium (the continuation's tangent), and its zero is
// bracketed by the traced points around the largest one and closed in by safeguarded secant steps,
// saturation points being solved at fixed temperature (cricondenbar) or fixed pressure
// (cricondentherm), where the envelope is well conditioned.
#include "thermo/envelope_saturation.hpp"
#include "thermo/oil.hpp"

#include <vector>

namespace zephon::thermo {

struct EnvelopeExtreme {
    bool found = false;
    double T = 0.;         // K
    double P = 0.;         // Pa
    SaturationState state; // the saturation point there
    // The rate of change of the slope there: d2P/dT2 (Pa/K2) at a cricondenbar, d2T/dP2 (K/Pa2)
    // at a cricondentherm; negative at a maximum.
    double curvature = 0.;
};

// The two branches as traced, in the order of tracing: the bubble branch (x the feed, y the
// incipient vapour) and the dew branch (y the feed, x the incipient liquid); either may be empty.
// Not found when the extreme lies beyond the traced points, between the ends of the branches
// and the critical point, where saturation points cannot be solved. The oil is left in the state
// of the last flash.
EnvelopeExtreme cricondenbar(Oil& oil, const std::vector<SaturationState>& bubble,
                             const std::vector<SaturationState>& dew);
EnvelopeExtreme cricondentherm(Oil& oil, const std::vector<SaturationState>& bubble,
                               const std::vector<SaturationState>& dew);

// The cricondentherm near a dew point `near` (the cricondentherm of a neighbouring oil, for one),
// bracketed within pressures `spread` times above and below its own (widened up to four times
// when the bracket misses it), its pressure converged to `tolerance` (relative; its temperature,
// flat there, to far better).
EnvelopeExtreme cricondentherm_near(Oil& oil, const SaturationState& near, double spread, double tolerance);

} // namespace zephon::thermo
