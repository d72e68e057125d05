// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/one_phase_state.hpp"

#include <cmath>

namespace zephon::thermo {

OnePhaseState one_phase_state(ICubic& phase, double T, double V) {
    OnePhaseState state;
    if (!(T > 0.0) || !std::isfinite(T) || !std::isfinite(V)) return state;
    phase.temperature(T);
    phase.volume(V);
    phase.calculate_pressure();
    if (!std::isfinite(phase.P)) return state;
    // calculate_pressure gives the slope at constant untranslated volume w = V + cm(T); a shift
    // that changes with temperature moves w along the isochore by dcm/dT.
    state.P = phase.P;
    state.dPdT = phase.dPdT + phase.dPdV * phase.dcmdT;
    state.valid = std::isfinite(state.dPdT);
    return state;
}

} // namespace zephon::thermo
