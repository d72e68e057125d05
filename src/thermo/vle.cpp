// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/vle.hpp"

namespace zephon::thermo {

VLE::VLE(FluidPhase& fluid1, FluidPhase& fluid2) {
    VLE::reset_to_zero();
    set_thermodynamic_models(fluid1, fluid2);
}

void VLE::set_thermodynamic_models(FluidPhase& fluid1, FluidPhase& fluid2) {
    if (fluid1.phase == 2 && fluid2.phase == 1) {
        liquid = &fluid1;
        vapour = &fluid2;
        VLEflag = 0;
    } else if (fluid1.phase == 1 && fluid2.phase == 2) {
        liquid = &fluid2;
        vapour = &fluid1;
        VLEflag = 0;
    } else if (fluid1.phase == 2 && fluid2.phase == 2) {
        liquid = &fluid1;
        vapour = &fluid2;
        VLEflag = 1;
    }
}

void VLE::reset_to_zero() {
    component.clear();
    N = 0;
    n.clear();
    z.clear();
    Ntot = 1.0;
    liquid = vapour = nullptr;
    T_star = P_star = Nv_star = Nl_star = V_star = Fv_star = 0.0;
    T = P = V = Nv = Nl = Fv = Fvv = 0.0;
    x.clear();
    y.clear();
    Tnc = Pnc = Tnc0 = Pnc0 = Nv0 = Nl0 = dTnc = dPnc = 0.0;
    xnc.clear();
    ync.clear();
    xnc0.clear();
    ync0.clear();
    dxnc.clear();
    dync.clear();
    relaxation_factor = 1.0;
    VLEflag = type_of_problem = init_flag = errorflag = gradeflag = 0;
    firstpointflag = 2;
    isothermflag = isobarflag = isoplethflag = 0;
}

void VLE::number_of_components(short ncomp) {
    N = ncomp > 0 ? ncomp : 0;
    component.assign(N, std::string());
    for (auto* v : {&n, &z, &x, &y, &xnc, &ync, &xnc0, &ync0, &dxnc, &dync})
        *v = allocate(N);
    if (liquid) liquid->number_of_components(N);
    if (vapour) vapour->number_of_components(N);
}

void VLE::add_component(short i, const char* c0) {
    if (i < 0 || i >= N) return;
    component[i] = c0 ? c0 : "";
    if (liquid) liquid->add_component(i, component[i].c_str());
    if (vapour) vapour->add_component(i, component[i].c_str());
    read_component_data(i, component[i].c_str());
}

void VLE::composition(short i, double zi) {
    z[i] = zi;
    n[i] = Ntot * zi;
}

void VLE::xcomposition(short i, double x0) {
    xnc[i] = x0;
    x[i] = x0;
}

void VLE::ycomposition(short i, double y0) {
    ync[i] = y0;
    y[i] = y0;
}

void VLE::set_the_vaporization_ratio(double fv) {
    Nv_star = Ntot * fv;
    Nl_star = Ntot * (1.0 - fv);
}

void VLE::set_the_vaporization_ratio1(double fv) {
    Fv_star = Fvv = fv;
    Fv = fv / (fv + 100.0 * (1.0 - fv));
    Nv = Ntot * Fv;
    Nl = Ntot * (1.0 - Fv);
}

void VLE::temperature(double t) {
    Tnc0 = Tnc = T = t;
    if (liquid) liquid->temperature(t);
    if (vapour) vapour->temperature(t);
}

void VLE::pressure(double p) {
    Pnc0 = Pnc = P = p * 100000.0;
    if (liquid) liquid->pressure(p);
    if (vapour) vapour->pressure(p);
}

void VLE::vaporization_ratio(double fv) {
    Fv = fv;
    Nv = Ntot * fv;
    Nl = Ntot * (1.0 - fv);
    if (vapour) vapour->total_number_of_moles(Nv);
    if (liquid) liquid->total_number_of_moles(Nl);
}

void VLE::vaporization_ratio1(double fv) {
    Fvv = fv;
    vaporization_ratio(fv / (fv + 100.0 * (1.0 - fv)));
}

void VLE::apply_conditions() {
    for (FluidPhase* ph : {liquid, vapour}) {
        ph->temperature(T);
        ph->pressure(P / 100000.0);
    }
    liquid->total_number_of_moles(Nl);
    vapour->total_number_of_moles(Nv);
    for (short i = 0; i < N; ++i) {
        liquid->composition_of_component(i, x[i]);
        vapour->composition_of_component(i, y[i]);
    }
}

void VLE::save() {
    xnc0 = x;
    ync0 = y;
    Tnc0 = T;
    Pnc0 = P;
    Nv0 = Nv;
    Nl0 = Nl;
}

void VLE::restore_saved_values() {
    x = xnc0;
    y = ync0;
    T = Tnc0;
    P = Pnc0;
    Nv = Nv0;
    Nl = Nl0;
}

void VLE::restore() {
    restore_saved_values();
    apply_conditions();
    vapour->describe();
    liquid->describe();
}

void VLE::initialize() {
    const short code = type_of_problem;
    if (is_code(code, 1, 2)) {
        Tnc = T_star;
        Pnc = P_star;
    } else if (is_code(code, 1, 3) || is_code(code, 2, 3)) {
        if (is_code(code, 1, 3))
            Tnc = T_star;
        else
            Pnc = P_star;
        Nv = Nv_star;
        Nl_star = (1.0 - Nv_star) * Ntot;
        Nl = Nl_star;
        vapour->total_number_of_moles(Nv);
        liquid->total_number_of_moles(Nl);
    } else if (is_code(code, 1, 4) || is_code(code, 1, 5)) {
        Tnc = T_star;
    } else if (is_code(code, 2, 4) || is_code(code, 2, 5)) {
        Pnc = P_star;
    } else {
        return;
    }
    T = Tnc;
    P = Pnc;
    x = xnc;
    y = ync;
}

void VLE::calculateVLE() {
    const short code = type_of_problem;
    const bool handled = is_code(code, 1, 2) || is_code(code, 1, 3) || is_code(code, 2, 3) ||
                         is_code(code, 1, 4) || is_code(code, 2, 4) || is_code(code, 1, 5) ||
                         is_code(code, 2, 5);
    if (!handled) return;
    initialize();
    if (is_code(code, 1, 2))
        calculate_with_fixed_P_and_T();
    else if (is_code(code, 1, 3))
        calculate_with_fixed_T_and_Fv();
    else if (is_code(code, 2, 3))
        calculate_with_fixed_P_and_Fv();
    else
        return;
    estimate_next_state();
}

} // namespace zephon::thermo
