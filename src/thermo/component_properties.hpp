// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Ideal-mixture data of the oil components: the saturation-pressure correlation that gives
// the first K-values of a flash, the normal boiling temperature and the critical constants.
// Rows are looked up by component index (the alpha-beta oil) or by component name (fluid
// models whose components the user names).
#include <array>
#include <optional>

namespace zephon::thermo {

enum class SaturationKind { Clapeyron, Antoine };

struct AntoineTriple {
    double A, B, C; // for pressure in mmHg and temperature in degrees Celsius
};

// The Antoine constants by position. Positions 0 to 9 serve C1 to C10 (3 serves both butanes,
// 4 both pentanes), 11 serves "Cn1" and 15 "Cn2"; the other positions are not used.
extern const std::array<AntoineTriple, 18> kAntoineConstants;

struct IdealComponentData {
    const char* name = nullptr;
    SaturationKind kind = SaturationKind::Antoine;
    // Clapeyron: c[0..3] = Tc (K), Pc (Pa), Tb (K), Pb (Pa). Antoine: c[0..2] = A, B, C.
    std::array<double, 4> c{};
    double Tc = 0.0; // K
    double Pc = 0.0; // Pa
    double Tb = 0.0; // K, normal boiling temperature
    double Mw = 0.0; // g/mol
};

inline constexpr short kIdealComponentCount = 17;

// Temperature (K) at which the Antoine correlation gives the pressure p (Pa).
double antoine_temperature(const AntoineTriple& k, double p);

// Row i (0 to 16) of the oil components; empty for any other index.
std::optional<IdealComponentData> ideal_component_by_index(short i);

// Row index for a component name: one of the 17 names exactly, otherwise "C" followed by a
// carbon number n (the text after the first character read as a decimal integer; 0 when it
// is not one): n of 25 or more gives the "Cn2" row, any smaller n the "Cn1" row. A null name
// reads as carbon number 0.
short ideal_component_row_by_name(const char* name);

// ideal_component_by_index(ideal_component_row_by_name(name)).
IdealComponentData ideal_component_by_name(const char* name);

} // namespace zephon::thermo
