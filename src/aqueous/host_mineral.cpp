// SPDX-License-Identifier: BSD-3-Clause
#include "aqueous/host_mineral.hpp"

namespace zephon::aqueous {

const char* host_mineral_word(HostMineral host) {
    switch (host) {
    case HostMineral::Quartz:
        return "quartz";
    case HostMineral::Calcite:
        return "calcite";
    case HostMineral::Fluorite:
        return "fluorite";
    case HostMineral::None:
        break;
    }
    return "none";
}

bool host_mineral_from_word(const std::string& word, HostMineral& host) {
    for (HostMineral h :
         {HostMineral::None, HostMineral::Quartz, HostMineral::Calcite, HostMineral::Fluorite}) {
        if (word == host_mineral_word(h)) {
            host = h;
            return true;
        }
    }
    return false;
}

const char* host_mineral_label(HostMineral host) {
    switch (host) {
    case HostMineral::Quartz:
        return "Quartz";
    case HostMineral::Calcite:
        return "Calcite";
    case HostMineral::Fluorite:
        return "Fluorite";
    case HostMineral::None:
        break;
    }
    return "None";
}

HostProperties host_properties(HostMineral host) {
    switch (host) {
    case HostMineral::Quartz:
        // Alpha quartz, up to its transition to beta quartz at 573 degrees C.
        return {30.484e-6, 0.033128e-6, 3.9391e-11, 2.7e-6, 573.0};
    case HostMineral::Calcite:
        // Room-temperature data, taken as constant over basin temperatures. Expansion: along c
        // +25e-6 per K, across c -5.6e-6 per K (the tabulated single-crystal values at 25 degrees
        // C), so alpha_V = 25 - 2 x 5.6 = 13.8e-6 per K. Compressibility: 1 / K with K = 73.3 GPa,
        // the Voigt-Reuss-Hill average of the room-temperature single-crystal elastic constants
        // C11 144, C12 53.9, C13 51.1, C14 -20.5, C33 84, C44 33.5 GPa (the bulk modulus Dandekar
        // 1968, J. Appl. Phys. 39, 3694, reports).
        return {13.8e-6, 0, 0, 1.0 / 73.3e4};
    case HostMineral::Fluorite:
        // CaF2. Expansion: 3 x 18.9e-6 per K, the linear expansion at room temperature (Batchelder
        // & Simmons 1964, J. Chem. Phys. 41, 2324), taken as constant. Compressibility: 1 / K with
        // K = (C11 + 2 C12) / 3 = 84.05 GPa from C11 164.20 and C12 43.98 GPa at 298 K (CRC
        // Handbook of Chemistry and Physics, 82nd ed., elastic constants of cubic crystals).
        return {56.7e-6, 0, 0, 1.0 / 84.05e4};
    case HostMineral::None:
        break;
    }
    return {};
}

double host_expansion(HostMineral host, double T) {
    const HostProperties h = host_properties(host);
    return h.a0 + h.a1 * T + h.a2 * T * T;
}

double host_log_volume_ratio(HostMineral host, double th, double ph, double T, double P) {
    const HostProperties h = host_properties(host);
    auto primitive = [&h](double t) { return t * (h.a0 + t * (h.a1 / 2.0 + t * h.a2 / 3.0)); };
    return primitive(T) - primitive(th) - h.beta * (P - ph);
}

} // namespace zephon::aqueous
