// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/component_properties.hpp"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstring>

namespace zephon::thermo {

const std::array<AntoineTriple, 18> kAntoineConstants = {{
    {6.1184, 389.93, 266.0},     // 0: C1
    {6.80266, 656.4, 256.0},     // 1: C2
    {6.84343, 818.54, 248.677},  // 2: C3
    {6.80896, 935.86, 238.73},   // 3: C4
    {6.87632, 1075.78, 233.205}, // 4: C5
    {6.87776, 1171.53, 224.366}, // 5: C6
    {6.89386, 1264.37, 216.64},  // 6: C7
    {6.93142, 1358.8, 209.855},  // 7: C8
    {6.93442, 1429.46, 201.82},  // 8: C9
    {6.95707, 1503.57, 194.738}, // 9: C10
    {6.98291, 1627.71, 180.521}, // 10
    {7.55991, 2175.55, 212.249}, // 11: Cn1
    {7.0143, 1865.1, 149.2},     // 12
    {7.01529, 1932.8, 137.55},   // 13
    {7.077, 2022.5, 125.5},      // 14
    {6.01958, 1760.77, 96.824},  // 15: Cn2
    {15.18913, 7749.05, 273.15}, // 16
    {7.1804, 2471.2, 26.3},      // 17
}};

namespace {

constexpr double kAtmosphere = 101325.0; // Pa

struct Row {
    const char* name;
    SaturationKind kind;
    std::array<double, 4> clapeyron; // Tc, Pc, Tb, Pb when kind is Clapeyron
    int antoine;                     // position in kAntoineConstants when kind is Antoine
    double Tc, Pc, Mw;
};

constexpr SaturationKind kCl = SaturationKind::Clapeyron;
constexpr SaturationKind kAn = SaturationKind::Antoine;

constexpr std::array<Row, kIdealComponentCount> kRows = {{
    {"N2", kCl, {126.2, 3390000.0, 75.0, kAtmosphere}, -1, 126.2, 3390000.0, 28.01},
    {"CO2", kCl, {304.21, 7382500.0, 185.0, kAtmosphere}, -1, 304.21, 7382500.0, 44.01},
    {"H2S", kCl, {373.2, 8820000.0, 212.85, kAtmosphere}, -1, 373.2, 8820000.0, 34.08},
    {"C1", kAn, {}, 0, 190.6, 4500000.0, 16.04},
    {"C2", kAn, {}, 1, 305.4, 4800000.0, 30.07},
    {"C3", kAn, {}, 2, 369.8, 4246000.0, 44.1},
    {"iC4", kAn, {}, 3, 408.2, 3648000.0, 58.12},
    {"nC4", kAn, {}, 3, 425.3, 3800000.0, 58.12},
    {"iC5", kAn, {}, 4, 464.7, 3472000.0, 71.95},
    {"nC5", kAn, {}, 4, 469.6, 3374000.0, 72.15},
    {"C6", kAn, {}, 5, 513.0, 3200000.0, 85.26},
    {"C7", kAn, {}, 6, 551.0, 3000000.0, 98.4},
    {"C8", kAn, {}, 7, 583.0, 2850000.0, 112.0},
    {"C9", kAn, {}, 8, 609.0, 2650000.0, 126.0},
    {"C10", kAn, {}, 9, 631.0, 2480000.0, 140.0},
    {"Cn1", kAn, {}, 11, 713.0, 2000000.0, 200.0},
    {"Cn2", kAn, {}, 15, 903.0, 1300000.0, 440.0},
}};

constexpr short kCn1Row = 15, kCn2Row = 16;
constexpr long kHeavyCarbonNumber = 25;

// The leading decimal integer of text (optional blanks and sign, then digits), saturated at
// the range of long; 0 when there is none.
long leading_integer(const char* text) {
    while (*text == ' ' || *text == '\t')
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = (*text++ == '-');
    long value = 0;
    for (; std::isdigit(static_cast<unsigned char>(*text)); ++text) {
        const int digit = *text - '0';
        if (value > (LONG_MAX - digit) / 10) {
            value = LONG_MAX;
            break;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

} // namespace

double antoine_temperature(const AntoineTriple& k, double p) {
    return k.B / (k.A - std::log10(p * 760.0 / kAtmosphere)) - k.C + 273.15;
}

std::optional<IdealComponentData> ideal_component_by_index(short i) {
    if (i < 0 || i >= kIdealComponentCount) return std::nullopt;
    const Row& row = kRows[i];
    IdealComponentData data;
    data.name = row.name;
    data.kind = row.kind;
    data.Tc = row.Tc;
    data.Pc = row.Pc;
    data.Mw = row.Mw;
    if (row.kind == SaturationKind::Clapeyron) {
        data.c = row.clapeyron;
        data.Tb = row.clapeyron[2];
    } else {
        const AntoineTriple& k = kAntoineConstants[row.antoine];
        data.c = {k.A, k.B, k.C, 0.0};
        data.Tb = antoine_temperature(k, kAtmosphere);
    }
    return data;
}

short ideal_component_row_by_name(const char* name) {
    if (name == nullptr) return kCn1Row;
    for (short i = 0; i < kIdealComponentCount; ++i)
        if (std::strcmp(name, kRows[i].name) == 0) return i;
    const long carbonNumber = name[0] == '\0' ? 0 : leading_integer(name + 1);
    return carbonNumber >= kHeavyCarbonNumber ? kCn2Row : kCn1Row;
}

IdealComponentData ideal_component_by_name(const char* name) {
    return *ideal_component_by_index(ideal_component_row_by_name(name));
}

} // namespace zephon::thermo
