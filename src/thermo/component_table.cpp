// SPDX-License-Identifier: BSD-3-Clause
// The built-in table of the 17 oil components and their interaction coefficients.
#include "thermo/cla_cubic.hpp"

namespace zephon::thermo {

// Pc in bar and Vc in cm3/mol as stored; converted when a row is read. Rows 15 and 16 hold
// the defaults of the pseudo-component members, which are what is actually used.
const std::array<TableComponent, kTableComponentCount> kComponentTable = {{
    {"N2", 126.2, 33.94, 0.04, 28.01, 89.0, -0.1927},
    {"CO2", 304.2, 73.76, 0.225, 44.01, 93.0, -0.817},
    {"H2S", 373.2, 89.37, 0.1, 34.08, 117.0, -0.1288},
    {"C1", 190.6, 45.0, 0.0115, 16.04, 99.2, -0.1595},
    {"C2", 305.4, 48.0, 0.0908, 30.07, 148.0, -0.1134},
    {"C3", 369.8, 42.46, 0.1454, 44.1, 203.0, -0.0863},
    {"iC4", 408.2, 36.48, 0.176, 58.12, 263.0, -0.073},
    {"nC4", 425.3, 38.0, 0.1928, 58.12, 255.0, -0.073},
    {"iC5", 464.7, 34.72, 0.2235, 71.95, 306.0, -0.046},
    {"nC5", 469.6, 33.74, 0.2273, 72.15, 304.0, -0.046},
    {"C6", 513.0, 32.0, 0.2637, 85.26, 385.0, 0.03},
    {"C7", 551.0, 30.0, 0.2897, 98.4, 425.0, 0.03},
    {"C8", 583.0, 28.5, 0.3245, 112.0, 506.0, 0.03},
    {"C9", 609.0, 26.5, 0.3791, 126.0, 570.0, 0.03},
    {"C10", 631.0, 24.8, 0.4363, 140.0, 630.0, 0.03},
    {"Cn1", 713.0, 20.0, 0.6, 200.0, 1040.0, 0.1},
    {"Cn2", 903.0, 13.0, 0.8, 440.0, 1600.0, 0.2},
}};

namespace {
enum Row { N2, CO2, H2S, C1, C2, C3, iC4, nC4, iC5, nC5, C6, C7, C8, C9, C10, Cn1, Cn2 };

using KijTable = std::array<std::array<double, kTableComponentCount>, kTableComponentCount>;

constexpr KijTable build_kij() {
    KijTable k{};
    auto set = [&k](int i, int j, double v) {
        k[i][j] = v;
        k[j][i] = v;
    };
    set(N2, CO2, -0.02);
    set(N2, H2S, 0.18);
    set(N2, C1, 0.04);
    set(N2, C2, 0.05);
    set(N2, C3, 0.08);
    set(CO2, H2S, 0.10);
    set(CO2, C1, 0.10);
    set(CO2, C2, 0.14);
    set(CO2, C3, 0.14);
    set(H2S, C1, 0.08);
    set(H2S, C2, 0.08);
    set(H2S, C3, 0.08);
    for (int j = C6; j <= C10; ++j) {
        set(C1, j, 0.03);
        set(C2, j, 0.02);
        set(C3, j, 0.01);
    }
    set(C1, Cn1, 0.05);
    set(C1, Cn2, 0.07);
    set(C2, Cn1, 0.03);
    set(C2, Cn2, 0.05);
    set(C3, Cn1, 0.01);
    set(C3, Cn2, 0.03);
    return k;
}
} // namespace

const KijTable mkij = build_kij();

} // namespace zephon::thermo
