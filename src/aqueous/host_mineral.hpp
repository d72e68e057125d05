// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The host mineral of coeval inclusions: the cavity's volume follows the host's thermal expansion
// and compressibility, V(T, P) = V_h exp( integral from Th to T of alpha_V dT - beta (P - P_h) ),
// V_h and P_h at homogenisation. Temperatures in degrees Celsius, pressures in bar.
#include <string>

namespace zephon::aqueous {

enum class HostMineral { None, Quartz, Calcite, Fluorite };

// The word on the command line and in files: "none", "quartz", "calcite", "fluorite".
const char* host_mineral_word(HostMineral host);
bool host_mineral_from_word(const std::string& word, HostMineral& host);
// What a person reads: "None", "Quartz", "Calcite", "Fluorite".
const char* host_mineral_label(HostMineral host);

// alpha_V(T) = (a0 + a1 T + a2 T^2) per K with T in degrees Celsius (calcite, fluorite: quartz's
// expansion is its own, see quartz_linear_strain); beta per bar; the data hold up to highestT (for
// quartz, its alpha-beta transition).
struct HostProperties {
    double a0 = 0, a1 = 0, a2 = 0;
    double beta = 0;
    double highestT = 1e9;
};

// The linear thermal strains of alpha quartz from 25 degrees C, perpendicular (a) and parallel (c)
// to its c axis, with their derivatives in T (per K).
struct QuartzStrain {
    double a = 0, c = 0, dadT = 0, dcdT = 0;
};
QuartzStrain quartz_linear_strain(double T);
HostProperties host_properties(HostMineral host);

// Volumetric thermal expansion at T, per K.
double host_expansion(HostMineral host, double T);
// ln(V(T, P) / V_h) for a cavity that homogenised at (th, ph).
double host_log_volume_ratio(HostMineral host, double th, double ph, double T, double P);

} // namespace zephon::aqueous
