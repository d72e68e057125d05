// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Water as the IAPWS-95 formulation gives it (the IAPWS release R6-95(2018); Wagner & Pruss 2002,
// J. Phys. Chem. Ref. Data 31, 387): the reduced Helmholtz energy and the properties the aqueous
// inclusions need, the liquid density at a temperature and pressure, and the saturation state.
// Units are SI: K, Pa, kg/m3, J/(kg K), m/s.
#include <optional>

namespace zephon::aqueous::iapws95 {

inline constexpr double kCriticalTemperature = 647.096;   // K
inline constexpr double kCriticalDensity = 322.0;         // kg/m3
inline constexpr double kCriticalPressure = 22.064e6;     // Pa
inline constexpr double kSpecificGasConstant = 461.51805; // J/(kg K)
inline constexpr double kMolarMass = 18.015268;           // g/mol
inline constexpr double kTriplePointTemperature = 273.16; // K

// A part of the reduced Helmholtz energy phi(delta, tau), delta = rho / rhoc, tau = Tc / T, with
// its first and second derivatives (d: in delta, t: in tau).
struct HelmholtzTerms {
    double phi = 0, d = 0, dd = 0, t = 0, tt = 0, dt = 0;
};
HelmholtzTerms ideal_part(double delta, double tau);
HelmholtzTerms residual_part(double delta, double tau);

// Pressure and its derivatives at a temperature and density.
struct PressureState {
    double p = 0;       // Pa
    double dp_drho = 0; // Pa m3/kg, at constant T
    double dp_dT = 0;   // Pa/K, at constant density
};
PressureState pressure_state(double T, double rho);
double pressure(double T, double rho);

double isochoric_heat_capacity(double T, double rho); // J/(kg K)
double speed_of_sound(double T, double rho);          // m/s
double specific_entropy(double T, double rho);        // J/(kg K)

// The density of the liquid (the dense fluid above the critical temperature) at T and P, the
// metastable liquid below the saturation pressure included as long as it is mechanically stable;
// none where no such liquid exists (past the spinodal) or the solution does not converge.
// A start near the answer (a density of the same branch, e.g. the last one found) saves steps;
// 0 starts from the saturated liquid.
std::optional<double> liquid_density(double T, double P, double start = 0);

struct Saturation {
    double p = 0;          // Pa
    double rho_liquid = 0; // kg/m3
    double rho_vapour = 0; // kg/m3
};
// Liquid-vapour equilibrium at T (equal pressures and Gibbs energies), for T from the triple point
// to just below the critical temperature; none outside.
std::optional<Saturation> saturation(double T);

// Wagner & Pruss (1993) auxiliary equations: starts for the solves above.
double auxiliary_saturation_pressure(double T);
double auxiliary_liquid_density(double T);
double auxiliary_vapour_density(double T);

} // namespace zephon::aqueous::iapws95
