// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// A fluid as one homogeneous phase at a given temperature and molar volume. The equation of state
// is explicit in pressure, so the one-phase isochore of an inclusion (the fluid at its
// homogenisation molar volume, heated beyond homogenisation) is known exactly at every
// temperature: P(T) = P(T, V_h), with its slope for intersecting it with another curve.
#include "thermo/cubic_eos.hpp"

namespace zephon::thermo {

struct OnePhaseState {
    bool valid = false; // false where V is at or below the co-volume or T is not positive
    double P = 0.;      // Pa
    double dPdT = 0.;   // Pa/K, along the isochore (constant translated molar volume)
};

// `phase` must hold the composition (composition_of_component for every component); it is left
// at (T, V) with its pressure. T in K; V is the translated molar volume in m3/mol, the volume
// the rest of the program sees (a phase's V, an isochore's bulk volume). No state is kept
// anywhere else, so phases of independent calculations may be evaluated on several threads.
OnePhaseState one_phase_state(ICubic& phase, double T, double V);

} // namespace zephon::thermo
