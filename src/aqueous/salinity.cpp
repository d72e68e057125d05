// SPDX-License-Identifier: BSD-3-Clause
#include "aqueous/salinity.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "aqueous/iapws95.hpp"

namespace zephon::aqueous {

namespace {

constexpr double kNaClMolarMass = 58.443; // g/mol

std::string format(const char* pattern, double a, double b = 0, double c = 0) {
    char text[256];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

SalinityResult refused(std::string message) {
    return {false, 0, std::move(message)};
}

} // namespace

const char* salinity_source_word(SalinitySource source) {
    switch (source) {
    case SalinitySource::IceMelting:
        return "ice";
    case SalinitySource::HaliteDissolution:
        return "halite";
    case SalinitySource::Typed:
        break;
    }
    return "typed";
}

bool salinity_source_from_word(const std::string& word, SalinitySource& source) {
    for (SalinitySource s :
         {SalinitySource::IceMelting, SalinitySource::HaliteDissolution, SalinitySource::Typed}) {
        if (word == salinity_source_word(s)) {
            source = s;
            return true;
        }
    }
    return false;
}

SalinityResult salinity_from_ice_melting(double tmIce) {
    if (!std::isfinite(tmIce) || tmIce > 0 || tmIce < kLowestIceMelting)
        return refused(format("The final ice melting temperature %.2f \xC2\xB0"
                              "C is outside the range of the salinity formula (0 to %.1f \xC2\xB0"
                              "C).",
                              tmIce, kLowestIceMelting));
    // 0 - Tm rather than -Tm: a melting point of 0 gives +0, never a salinity printed as -0.00.
    const double t = 0.0 - tmIce;
    return {true, 1.78 * t - 0.0442 * t * t + 0.000557 * t * t * t, ""};
}

SalinityResult salinity_from_halite_dissolution(double tmHalite) {
    if (!std::isfinite(tmHalite) || tmHalite < kLowestHaliteDissolution ||
        tmHalite > kHighestHaliteDissolution)
        return refused(format("The halite dissolution temperature %.2f \xC2\xB0"
                              "C is outside the range of the salinity formula (%.1f to %.0f \xC2\xB0"
                              "C).",
                              tmHalite, kLowestHaliteDissolution, kHighestHaliteDissolution));
    return {true, halite_saturation_salinity(tmHalite), ""};
}

double halite_saturation_salinity(double T) {
    const double p = T / 100.0;
    // Horner form of the polynomial of the formula.
    const double s =
        26.242 +
        p * (0.4928 +
             p * (1.42 + p * (-0.223 + p * (0.04129 + p * (0.006295 + p * (-0.001967 + p * 0.0001112))))));
    return std::min(s, 100.0);
}

SalinityResult typed_salinity(double weightPercent) {
    if (!std::isfinite(weightPercent) || weightPercent < 0 || weightPercent >= kHighestTypedSalinity)
        return refused(format("The salinity %.2f wt%% is outside the range 0 to %.0f wt%% (not included).",
                              weightPercent, kHighestTypedSalinity));
    return {true, weightPercent + 0.0, ""}; // + 0.0: a typed -0 is 0
}

SalinityResult salinity_from(SalinitySource source, double value) {
    switch (source) {
    case SalinitySource::IceMelting:
        return salinity_from_ice_melting(value);
    case SalinitySource::HaliteDissolution:
        return salinity_from_halite_dissolution(value);
    case SalinitySource::Typed:
        break;
    }
    return typed_salinity(value);
}

double mole_fraction_of_salinity(double weightPercent) {
    const double salt = weightPercent / kNaClMolarMass;
    const double water = (100.0 - weightPercent) / iapws95::kMolarMass;
    return salt / (salt + water);
}

} // namespace zephon::aqueous
