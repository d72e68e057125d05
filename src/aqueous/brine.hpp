// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The density of H2O-NaCl liquid from Driesner (2007, Geochim. Cosmochim. Acta 71, 4902-4919): the
// brine at T, P and x has the molar volume of pure water at the scaled temperature T_V(T, P, x) and
// the same pressure, water being IAPWS-95. Temperatures in degrees Celsius, pressures in bar, x the
// mole fraction of NaCl.
#include <optional>
#include <string>

namespace zephon::aqueous {

inline constexpr double kNaClMolarMass = 58.443; // g/mol

// The scaled temperature T_V and its derivative in T at constant P and x.
struct ScaledTemperature {
    double T_V = 0;   // degrees Celsius
    double dT_dT = 0; // dT_V/dT
};
ScaledTemperature driesner_scaled_temperature(double T, double P, double x);

// Density (kg/m3) and the derivatives of its logarithm, per K and per bar.
struct BrineState {
    double rho = 0;
    double rhoWater = 0; // of water at (T_V, P): a start for the next state nearby
    double dlnrho_dT = 0;
    double dlnrho_dP = 0;
};
struct BrineResult {
    bool ok = false;
    BrineState state;
    std::string message; // why there is none
};
// The liquid brine at T, P, x. Refused where the scaled temperature leaves the liquid water of
// IAPWS-95 (below its triple point, or where water at T_V and P is no liquid): the paper's
// extrapolation for such states is not used.
// waterStart: a density of water near the one at (T_V, P) (the last state's), or 0.
BrineResult brine_state(double T, double P, double x, double waterStart = 0);

} // namespace zephon::aqueous
