// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The salinity of an aqueous inclusion, in weight percent NaCl equivalent, from what is measured
// on it: the final melting of ice (Bodnar 1993, Geochim. Cosmochim. Acta 57, 683), the dissolution
// of halite (Sterner, Hall & Bodnar 1988, Geochim. Cosmochim. Acta 52, 989), or typed directly.
// A value outside a formula's range is refused with a message that names the range.
#include <string>

namespace zephon::aqueous {

enum class SalinitySource { IceMelting, HaliteDissolution, Typed };

// The word that names a source in files and on the command line: "ice", "halite", "typed".
const char* salinity_source_word(SalinitySource source);
bool salinity_source_from_word(const std::string& word, SalinitySource& source);

struct SalinityResult {
    bool ok = false;
    double weightPercent = 0; // wt% NaCl equivalent
    std::string message;      // why the value was refused
};

// Ranges of the formulas, degrees Celsius.
inline constexpr double kLowestIceMelting = -21.2;         // the eutectic
inline constexpr double kLowestHaliteDissolution = 0.1;    // the hydrohalite peritectic
inline constexpr double kHighestHaliteDissolution = 801.0; // the melting point of halite
// Typed salinities go from 0 up to, not including, pure salt.
inline constexpr double kHighestTypedSalinity = 100.0;

// S = 1.78 t - 0.0442 t^2 + 0.000557 t^3 with t = -Tm,ice (degrees C), for Tm,ice from 0 to -21.2.
SalinityResult salinity_from_ice_melting(double tmIce);
// S = 26.242 + 0.4928 p + 1.42 p^2 - 0.223 p^3 + 0.04129 p^4 + 0.006295 p^5 - 0.001967 p^6
//     + 0.0001112 p^7 with p = Tm,halite / 100, for Tm,halite from 0.1 to 801 degrees C.
SalinityResult salinity_from_halite_dissolution(double tmHalite);
SalinityResult typed_salinity(double weightPercent);
// The salinity of a liquid saturated in halite at T (degrees C, 0 to 801): the same liquidus.
double halite_saturation_salinity(double T);
// The salinity the source and its measured (or typed) value give.
SalinityResult salinity_from(SalinitySource source, double value);

// Mole fraction of NaCl of a solution of the given weight percent.
double mole_fraction_of_salinity(double weightPercent);

} // namespace zephon::aqueous
