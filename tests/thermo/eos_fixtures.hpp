// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Mixtures shared by the equation-of-state tests.
#include "reference_data.hpp"
#include "thermo/cla_cubic.hpp"

#include <memory>
#include <string>
#include <vector>

namespace zephon::testing {

// The 17-component oil of the reference case with CO2 and N2, its pseudo-components
// included, with a little H2S added so that every component is present.
inline std::vector<double> reference_oil_composition(thermo::TableCubic* phase = nullptr) {
    const CsvTable table = read_reference_csv("oil_compositions.csv");
    std::vector<double> z(17, 0.0);
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        if (table.text(r, "case") != "a0.6_b0.3_co20.05_n20.02_h2s0") continue;
        const int i = std::stoi(table.text(r, "index"));
        z[i] = table.number(r, "z");
        if (phase && i == 15) {
            phase->Tc15 = table.number(r, "Tc_K"), phase->Pc15 = table.number(r, "Pc_Pa");
            phase->om15 = table.number(r, "omega"), phase->mw15 = table.number(r, "Mw");
            phase->Vc15 = table.number(r, "Vc_m3mol"), phase->sc15 = table.number(r, "shift_s");
        }
        if (phase && i == 16) {
            phase->Tc16 = table.number(r, "Tc_K"), phase->Pc16 = table.number(r, "Pc_Pa");
            phase->om16 = table.number(r, "omega"), phase->mw16 = table.number(r, "Mw");
            phase->Vc16 = table.number(r, "Vc_m3mol"), phase->sc16 = table.number(r, "shift_s");
        }
    }
    z[2] = 0.01;
    double sum = 0.0;
    for (double v : z)
        sum += v;
    for (double& v : z)
        v /= sum;
    return z;
}

inline std::unique_ptr<thermo::TableCubic> make_table_oil(short phaseFlag) {
    auto phase = std::make_unique<thermo::TableCubic>(phaseFlag);
    const auto z = reference_oil_composition(phase.get());
    phase->number_of_components(17);
    for (short i = 0; i < 17; ++i)
        phase->add_component(i, thermo::kComponentTable[i].name);
    for (short i = 0; i < 17; ++i)
        phase->composition_of_component(i, z[i]);
    return phase;
}

// A 17-component table phase holding one pure component (mole fraction 1 at row k).
inline std::unique_ptr<thermo::TableCubic> make_table_pure(short phaseFlag, short row) {
    auto phase = std::make_unique<thermo::TableCubic>(phaseFlag);
    phase->number_of_components(17);
    for (short i = 0; i < 17; ++i)
        phase->add_component(i, thermo::kComponentTable[i].name);
    for (short i = 0; i < 17; ++i)
        phase->composition_of_component(i, i == row ? 1.0 : 0.0);
    return phase;
}

// The 8-component reference fluid, with constants given explicitly; `shifts` are
// dimensionless volume shifts (the reference file has none).
inline std::unique_ptr<thermo::Peng> make_fluid8(short phaseFlag, const std::vector<double>& shifts = {}) {
    const CsvTable table = read_reference_csv("fluid8_components.csv");
    auto phase = std::make_unique<thermo::Peng>(phaseFlag);
    const short n = static_cast<short>(table.rows.size());
    phase->number_of_components(n);
    for (short i = 0; i < n; ++i) {
        phase->Tc[i] = table.number(i, "Tc_K");
        phase->Pc[i] = table.number(i, "Pc_Pa");
        phase->Vc[i] = table.number(i, "Vc_m3mol");
        phase->omega[i] = table.number(i, "omega");
        phase->mw[i] = table.number(i, "Mw");
        phase->c0[i] = shifts.empty() ? 0.0 : shifts[i];
        phase->add_component(i, table.text(i, "name").c_str());
    }
    for (short i = 0; i < n; ++i)
        phase->composition_of_component(i, table.number(i, "z"));
    return phase;
}

} // namespace zephon::testing
