// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/cla_cubic.hpp"

#include <cmath>
#include <cstring>
#include <numbers>

namespace zephon::thermo {

void ClaCubic0::number_of_components(short ncomp) {
    QuadraMix::number_of_components(ncomp);
    Tc = allocate(N);
    Pc = allocate(N);
    Vc = allocate(N);
    omega = allocate(N);
    slope = allocate(N);
    ac = allocate(N);
    bc = allocate(N);
    mw = allocate(N);
    mSqrtA = allocate(N);
    mLogSlopeA = allocate(N);
    mHaveInputs = false;
}

void ClaCubic0::set_peng_robinson_constants(short nphase) {
    phase = nphase;
    omega_A = 0.45724;
    omega_B = 0.0778;
    Zc = 1.0 / 3.0;
    Al2 = std::numbers::ln2;
    Am0 = 0.37464;
    Am1 = 1.54226;
    Am2 = -0.26992;
    R1 = std::numbers::sqrt2 - 1.0;
    R2 = -1.0 / R1;
}

void ClaCubic0::derive_component_parameters(short i) {
    slope[i] = Am0 + Am1 * omega[i] + Am2 * omega[i] * omega[i];
    c1[i] = 0.0;
    ac[i] = omega_A * kGasConstant * kGasConstant * Tc[i] * Tc[i] / Pc[i];
    bc[i] = omega_B * kGasConstant * Tc[i] / Pc[i];
    c0[i] = c0[i] * bc[i];
}

void ClaCubic0::read_BIP() {
    auto excluded = [this](short k) {
        const std::string& name = component[k];
        return name == "CO2" || name == "N2" || name == "H2O" || mw[k] > 156.0;
    };
    for (short i = 0; i < N; ++i) {
        for (short j = 0; j < i; ++j) {
            if (excluded(i) || excluded(j)) continue;
            const double zci = Pc[i] * Vc[i] / (kGasConstant * Tc[i]);
            const double zcj = Pc[j] * Vc[j] / (kGasConstant * Tc[j]);
            const double n_exp = (zci + zcj) / 2.0;
            const double kij = 1.0 - std::pow(2.0 * std::sqrt(Tc[i] * Tc[j]) / (Tc[i] + Tc[j]), n_exp);
            set_binary_interaction_kaij(i, j, kij);
        }
    }
}

namespace {
bool same_bits(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
}
} // namespace

bool ClaCubic0::pure_parameter_inputs_unchanged() const {
    return mHaveInputs && std::memcmp(&mInputT, &T, sizeof(double)) == 0 && same_bits(mInputTc, Tc) &&
           same_bits(mInputSlope, slope) && same_bits(mInputAc, ac) && same_bits(mInputBc, bc) &&
           same_bits(mInputC0, c0) && same_bits(mInputC1, c1) && mInputKaVersion == interaction_version();
}

void ClaCubic0::remember_pure_parameter_inputs() {
    mInputT = T;
    mInputTc = Tc;
    mInputSlope = slope;
    mInputAc = ac;
    mInputBc = bc;
    mInputC0 = c0;
    mInputC1 = c1;
    mInputKaVersion = interaction_version();
    mHaveInputs = true;
}

void ClaCubic0::calculate_parameters_of_pure_components() {
    if (pure_parameter_inputs_unchanged()) return;
    for (short i = 0; i < N; ++i) {
        const double sqrtTTc = std::sqrt(T * Tc[i]);
        const double sqrtAlpha = 1.0 + slope[i] * (1.0 - std::sqrt(T / Tc[i]));
        const double alpha = sqrtAlpha * sqrtAlpha;
        const double dalpha = -slope[i] * sqrtAlpha / sqrtTTc;
        const double ka = 1.0 - interaction_coefficients()[i][i];
        const double aii = ka * ac[i] * alpha;
        const double dadTii = ka * ac[i] * dalpha;
        const double bii = bc[i];
        a[i][i] = aii;
        dadT[i][i] = dadTii;
        b[i][i] = bii;
        e[i][i] = aii / bii;
        dedT[i][i] = dadTii / bii;
        c[i] = c0[i] + T * c1[i];
        // What every pair of i needs, once per component: sqrt(a_ii) and the logarithmic
        // derivative of a_ii.
        mSqrtA[i] = std::sqrt(aii);
        mLogSlopeA[i] = dadTii / aii;
    }
    // The pairs: a_ij = sqrt(a_ii a_jj) (1 - k_ij), so that d(ln a_ij)/dT is the mean of the
    // components' (e and dedT are only ever read on their diagonal).
    for (short i = 0; i < N; ++i) {
        const double ri = mLogSlopeA[i], sqrtAi = mSqrtA[i], bii = b[i][i];
        const double* kai = interaction_coefficients()[i];
        double* ai = a[i];
        double* dadTi = dadT[i];
        double* bi = b[i];
        for (short j = i + 1; j < N; ++j) {
            const double rij = (ri + mLogSlopeA[j]) / 2.0;
            const double aij = sqrtAi * mSqrtA[j] * (1.0 - kai[j]);
            const double dadTij = aij * rij;
            const double bij = (bii + b[j][j]) / 2.0;
            ai[j] = a[j][i] = aij;
            dadTi[j] = dadT[j][i] = dadTij;
            bi[j] = b[j][i] = bij;
        }
    }
    remember_pure_parameter_inputs();
}

Peng::Peng(short nphase) {
    set_peng_robinson_constants(nphase);
}

void Peng::read_component_data(short i, const char*) {
    if (i < 0 || i >= N) return;
    derive_component_parameters(i);
    molarWeight[i] = mw[i];
    if (i == N - 1) ClaCubic0::read_BIP();
}

TableCubic::TableCubic(short nphase) {
    set_peng_robinson_constants(nphase);
}

void TableCubic::read_component_data(short i, const char* compo) {
    if (i < 0 || i >= N || i >= kTableComponentCount || compo == nullptr) return;
    const TableComponent& row = kComponentTable[i];
    if (std::strcmp(compo, row.name) != 0) return;
    if (i == 15) {
        Tc[i] = Tc15, Pc[i] = Pc15, omega[i] = om15, mw[i] = mw15, Vc[i] = Vc15, c0[i] = sc15;
    } else if (i == 16) {
        Tc[i] = Tc16, Pc[i] = Pc16, omega[i] = om16, mw[i] = mw16, Vc[i] = Vc16, c0[i] = sc16;
    } else {
        Tc[i] = row.Tc;
        Pc[i] = row.Pc * 100000.0;
        omega[i] = row.omega;
        mw[i] = row.Mw;
        Vc[i] = row.Vc * 1e-6;
        c0[i] = row.shift;
    }
    molarWeight[i] = mw[i];
    derive_component_parameters(i);
    if (i == N - 1) read_BIP();
}

void TableCubic::read_BIP() {
    for (short i = 0; i < N && i < kTableComponentCount; ++i)
        for (short j = 0; j < i; ++j)
            set_binary_interaction_kaij(i, j, mkij[i][j]);
}

} // namespace zephon::thermo
