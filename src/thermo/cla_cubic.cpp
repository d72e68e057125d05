#include "thermo/cla_cubic.hpp"

#include <cmath>
#include <cstring>
#include <numbers>

namespace zephon::thermo {

void ClaCubic0::number_of_components(short ncomp)
{
    QuadraMix::number_of_components(ncomp);
    Tc = allocate(N);
    Pc = allocate(N);
    Vc = allocate(N);
    omega = allocate(N);
    slope = allocate(N);
    ac = allocate(N);
    bc = allocate(N);
    mw = allocate(N);
}

void ClaCubic0::set_peng_robinson_constants(short nphase)
{
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

void ClaCubic0::derive_component_parameters(short i)
{
    slope[i] = Am0 + Am1 * omega[i] + Am2 * omega[i] * omega[i];
    c1[i] = 0.0;
    ac[i] = omega_A * kGasConstant * kGasConstant * Tc[i] * Tc[i] / Pc[i];
    bc[i] = omega_B * kGasConstant * Tc[i] / Pc[i];
    c0[i] = c0[i] * bc[i];
}

void ClaCubic0::read_BIP()
{
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

void ClaCubic0::calculate_parameters_of_pure_components()
{
    for (short i = 0; i < N; ++i) {
        const double sqrtTTc = std::sqrt(T * Tc[i]);
        const double sqrtAlpha = 1.0 + slope[i] * (1.0 - std::sqrt(T / Tc[i]));
        const double alpha = sqrtAlpha * sqrtAlpha;
        const double dalpha = -slope[i] * sqrtAlpha / sqrtTTc;
        const double d2alpha = slope[i] * sqrtAlpha * (1.0 / T - dalpha / alpha) / (2.0 * sqrtTTc);
        const double ka = 1.0 - svka[i][i];
        a[i][i] = ka * ac[i] * alpha;
        dadT[i][i] = ka * ac[i] * dalpha;
        d2adT2[i][i] = ka * ac[i] * d2alpha;
        b[i][i] = (1.0 - svkb[i][i]) * bc[i];
        e[i][i] = a[i][i] / b[i][i];
        dedT[i][i] = dadT[i][i] / b[i][i];
        c[i] = c0[i] + T * c1[i];
    }
    for (short i = 0; i < N; ++i) {
        const double ri = dadT[i][i] / a[i][i];
        const double si = (d2adT2[i][i] - dadT[i][i] * dadT[i][i] / a[i][i]) / a[i][i];
        for (short j = i + 1; j < N; ++j) {
            const double rj = dadT[j][j] / a[j][j];
            const double sj = (d2adT2[j][j] - dadT[j][j] * dadT[j][j] / a[j][j]) / a[j][j];
            const double aij = std::sqrt(a[i][i] * a[j][j]) * (1.0 - svka[i][j]);
            const double dadTij = aij * (ri + rj) / 2.0;
            const double d2adT2ij = (aij / 2.0) * (si + sj) + dadTij * (ri + rj) / 2.0;
            const double bij = (b[i][i] + b[j][j]) * (1.0 - svkb[i][j]) / 2.0;
            a[i][j] = a[j][i] = aij;
            dadT[i][j] = dadT[j][i] = dadTij;
            d2adT2[i][j] = d2adT2[j][i] = d2adT2ij;
            b[i][j] = b[j][i] = bij;
            e[i][j] = e[j][i] = aij / bij;
            dedT[i][j] = dedT[j][i] = dadTij / bij;
        }
    }
}

Peng::Peng(short nphase) { set_peng_robinson_constants(nphase); }

void Peng::read_component_data(short i, const char*)
{
    if (i < 0 || i >= N) return;
    derive_component_parameters(i);
    molarWeight[i] = mw[i];
    if (i == N - 1) ClaCubic0::read_BIP();
}

TableCubic::TableCubic(short nphase) { set_peng_robinson_constants(nphase); }

void TableCubic::read_component_data(short i, const char* compo)
{
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

void TableCubic::read_BIP()
{
    for (short i = 0; i < N && i < kTableComponentCount; ++i)
        for (short j = 0; j < i; ++j) set_binary_interaction_kaij(i, j, mkij[i][j]);
}

} // namespace zephon::thermo
