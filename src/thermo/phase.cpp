// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/phase.hpp"

namespace zephon::thermo {

void Phase::number_of_components(short number) {
    if (number < 0) number = 0;
    N = number;
    x = allocate(N);
    n = allocate(N);
    fugacity = allocate(N);
    gamfug = allocate(N);
    fugcoef = allocate(N);
    fugacity0 = allocate(N);
    molarWeight = allocate(N);
    component.assign(N, std::string());
    dfugacitydT = allocate(N);
    dfugacitydP = allocate(N);
    dfugacitydV = allocate(N);
    dfugacitydx = allocate(N, N);
    if (number == 1) {
        ntot = 1.0;
        x[0] = 1.0;
        n[0] = 1.0;
    }
}

void Phase::add_component(short i, const char* c0) {
    if (i < 0 || i >= N) return; // an index the phase has no room for is ignored
    component[i] = c0 ? c0 : "";
    read_component_data(i, component[i].c_str());
    if (i == N - 1) read_remaining_component_data();
}

void Phase::composition_of_component(short i, double xi) {
    x[i] = xi;
    if (ntot != 0.0) n[i] = ntot * x[i];
}

void Phase::number_of_moles_of_component(short i, double ni) {
    n[i] = ni;
    if (ntot != 0.0) x[i] = n[i] / ntot;
}

void FluidPhase::number_of_components(short number) {
    Phase::number_of_components(number);
    dZdx = allocate(N);
    dPdx = allocate(N);
    dHdx = allocate(N);
    dVdx = allocate(N);
}

} // namespace zephon::thermo
