// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/ideal_mixture.hpp"

#include <cmath>

namespace zephon::thermo {

IdealMixture::IdealMixture(FluidPhase& fluid1, FluidPhase& fluid2) : VLE(fluid1, fluid2) {
    IdealMixture::reset_to_zero();
    set_thermodynamic_models(fluid1, fluid2);
}

void IdealMixture::reset_to_zero() {
    VLE::reset_to_zero();
    saturatedLiquid.clear();
    algorithm = std::make_unique<Muller>();
}

void IdealMixture::number_of_components(short ncomp) {
    VLE::number_of_components(ncomp);
    Ki = allocate(N);
    saturatedLiquid.clear();
    saturatedLiquid.resize(N);
    Tb = allocate(N);
    Tc = allocate(N);
    Pc = allocate(N);
}

// A component without a correlation has no vapour pressure: it stays in the liquid.
double IdealMixture::Psat(short i, double t) {
    return saturatedLiquid[i] ? saturatedLiquid[i]->Psat(t) : 0.0;
}

double IdealMixture::Tsat(short i, double p) {
    return saturatedLiquid[i] ? saturatedLiquid[i]->Tsat(p) : 0.0;
}

void IdealMixture::set_ideal_component(short i, const IdealComponentData& data) {
    if (i < 0 || i >= N) return;
    if (data.kind == SaturationKind::Clapeyron) {
        auto correlation = std::make_unique<Clapeyron>();
        correlation->set_constants(data.c[0], data.c[1], data.c[2], data.c[3]);
        saturatedLiquid[i] = std::move(correlation);
    } else {
        auto correlation = std::make_unique<Antoine>();
        correlation->set_constants(data.c[0], data.c[1], data.c[2]);
        saturatedLiquid[i] = std::move(correlation);
    }
    Tb[i] = data.Tb;
    Tc[i] = data.Tc;
    Pc[i] = data.Pc;
}

double IdealMixture::split_residual(double phi) {
    double sum = 0.0;
    for (short i = 0; i < N; ++i) {
        x[i] = z[i] / (phi * Ki[i] + (1.0 - phi));
        y[i] = Ki[i] * x[i];
        sum += x[i] - y[i];
    }
    return sum;
}

double IdealMixture::equation1(double fv) {
    return split_residual(fv);
}

double IdealMixture::equation2(double p) {
    for (short i = 0; i < N; ++i)
        Ki[i] = Psat(i, T_star) / p;
    return split_residual(Nv_star);
}

double IdealMixture::equation3(double t) {
    for (short i = 0; i < N; ++i)
        Ki[i] = Psat(i, t) / P_star;
    return split_residual(Nv_star);
}

void IdealMixture::calculateVLE() {
    const short code = type_of_problem;
    VLE::initialize();
    if (is_code(code, 1, 2)) {
        calculate_with_fixed_P_and_T();
    } else if (is_code(code, 1, 4) || is_code(code, 2, 4)) {
        // nothing: the ideal mixture has no volume
    } else if (is_code(code, 1, 3)) {
        calculate_with_fixed_T_and_Fv();
    } else if (is_code(code, 1, 5)) {
        Nv_star = Fv_star / (Fv_star + 10.0 * (1.0 - Fv_star));
        calculate_with_fixed_T_and_Fv();
    } else if (is_code(code, 2, 3)) {
        calculate_with_fixed_P_and_Fv();
    } else if (is_code(code, 2, 5)) {
        Nv_star = Fv_star / (Fv_star + 10.0 * (1.0 - Fv_star));
        calculate_with_fixed_P_and_Fv();
    } else {
        return;
    }
    estimate_next_state();
}

void IdealMixture::calculate_with_fixed_P_and_T() {
    algorithm->set_equation(*this, 1);
    for (short i = 0; i < N; ++i)
        Ki[i] = Psat(i, T_star) / P_star;
    algorithm->epsilon = 0.001;
    algorithm->x0 = 0.0;
    algorithm->x1 = 1.0;
    algorithm->itermax = 50;
    double phi = algorithm->solve();
    if (algorithm->errorflag != 0) {
        algorithm->x0 = 0.0;
        algorithm->x1 = 0.1;
        phi = algorithm->solve();
        if (algorithm->errorflag != 0) errorflag = 1;
    }
    Nv = Ntot * phi;
    Nl = Ntot - Nv;
    Fv = Nv / Ntot;
}

void IdealMixture::calculate_with_fixed_T_and_Fv() {
    algorithm->set_equation(*this, 2);
    algorithm->epsilon = 1e-6;
    algorithm->itermax = 50;
    double Pmin = 1e10, Pmax = 0.0;
    for (short i = 0; i < N; ++i) {
        const double ps = Psat(i, T_star);
        if (ps > 1e-50 && ps < Pmin) Pmin = ps;
        if (ps > Pmax) Pmax = ps;
    }
    for (int attempt = 0; attempt < 10; ++attempt) {
        errorflag = 0;
        algorithm->x0 = Pmin;
        algorithm->x1 = Pmax;
        P = algorithm->solve();
        if (algorithm->errorflag == 0) break;
        errorflag = 1;
        Pmax *= 1.1;
        Pmin *= 0.9;
    }
}

void IdealMixture::calculate_with_fixed_P_and_Fv() {
    algorithm->set_equation(*this, 3);
    algorithm->epsilon = 0.001;
    algorithm->itermax = 50;
    double Tmin = 1e10, Tmax = 0.0;
    for (short i = 0; i < N; ++i) {
        const double ts = Tsat(i, P_star);
        if (ts < Tmin) Tmin = ts;
        if (ts > Tmax) Tmax = ts;
    }
    for (int attempt = 0; attempt < 10; ++attempt) {
        errorflag = 0;
        algorithm->x0 = Tmin;
        algorithm->x1 = Tmax;
        T = algorithm->solve();
        if (algorithm->errorflag == 0) break;
        errorflag = 1;
        Tmax *= 1.1;
        Tmin *= 0.9;
    }
}

} // namespace zephon::thermo
