// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Flash set-ups for the equilibrium tests: a Newton flash on two equation-of-state phases,
// with ideal-mixture start values from a Clapeyron line through each component's critical
// point and its vapour pressure at 0.7 Tc (the acentric factor's definition).
#include "eos_fixtures.hpp"
#include "thermo/eos_flash.hpp"

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace zephon::testing {

class TestFlash : public thermo::EosFlash {
  public:
    using EosFlash::EosFlash;
    short read_component_data(short i, const char*) override {
        auto* ph = static_cast<thermo::ClaCubic0*>(liquid);
        auto corr = std::make_unique<thermo::Clapeyron>();
        const double tc = ph->Tc[i], pc = ph->Pc[i];
        corr->set_constants(tc, pc, 0.7 * tc, pc * std::pow(10.0, -1.0 - ph->omega[i]));
        Tc[i] = tc;
        Pc[i] = pc;
        Tb[i] = corr->Tsat(101325.0);
        saturatedLiquid[i] = std::move(corr);
        return 0;
    }
};

struct FlashRig {
    std::unique_ptr<thermo::ClaCubic0> liquid, vapour;
    std::unique_ptr<TestFlash> flash;
    short N = 0;
};

// Feed rows of the built-in table with mole fractions, as explicit Peng components.
inline FlashRig make_table_mixture(const std::vector<short>& rows, const std::vector<double>& z) {
    FlashRig rig;
    rig.liquid = std::make_unique<thermo::Peng>(2);
    rig.vapour = std::make_unique<thermo::Peng>(1);
    rig.flash = std::make_unique<TestFlash>(*rig.liquid, *rig.vapour);
    rig.N = static_cast<short>(rows.size());
    rig.flash->number_of_components(rig.N);
    for (short i = 0; i < rig.N; ++i) {
        const thermo::TableComponent& c = thermo::kComponentTable[rows[i]];
        for (auto* ph : {rig.liquid.get(), rig.vapour.get()}) {
            ph->Tc[i] = c.Tc, ph->Pc[i] = c.Pc * 1e5, ph->Vc[i] = c.Vc * 1e-6;
            ph->omega[i] = c.omega, ph->mw[i] = c.Mw, ph->c0[i] = c.shift;
        }
        rig.flash->add_component(i, c.name);
    }
    for (short i = 0; i < rig.N; ++i)
        rig.flash->composition(i, z[i]);
    return rig;
}

// A reference alpha-beta oil: 17 table components with the case's pseudo-components.
inline FlashRig make_reference_oil(const std::string& caseId) {
    FlashRig rig;
    auto liquid = std::make_unique<thermo::TableCubic>(2);
    auto vapour = std::make_unique<thermo::TableCubic>(1);
    const CsvTable table = read_reference_csv("oil_compositions.csv");
    std::vector<double> z(17, 0.0);
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        if (table.text(r, "case") != caseId) continue;
        const int i = std::stoi(table.text(r, "index"));
        z[i] = table.number(r, "z");
        for (auto* ph : {liquid.get(), vapour.get()}) {
            double* fields[6];
            if (i == 15)
                fields[0] = &ph->Tc15, fields[1] = &ph->Pc15, fields[2] = &ph->om15, fields[3] = &ph->mw15,
                fields[4] = &ph->Vc15, fields[5] = &ph->sc15;
            else if (i == 16)
                fields[0] = &ph->Tc16, fields[1] = &ph->Pc16, fields[2] = &ph->om16, fields[3] = &ph->mw16,
                fields[4] = &ph->Vc16, fields[5] = &ph->sc16;
            else
                continue;
            const char* cols[6] = {"Tc_K", "Pc_Pa", "omega", "Mw", "Vc_m3mol", "shift_s"};
            for (int k = 0; k < 6; ++k)
                *fields[k] = table.number(r, cols[k]);
        }
    }
    rig.flash = std::make_unique<TestFlash>(*liquid, *vapour);
    rig.N = 17;
    rig.flash->number_of_components(17);
    for (short i = 0; i < 17; ++i)
        rig.flash->add_component(i, thermo::kComponentTable[i].name);
    for (short i = 0; i < 17; ++i)
        rig.flash->composition(i, z[i]);
    rig.liquid = std::move(liquid);
    rig.vapour = std::move(vapour);
    return rig;
}

// The explicit 8-component reference fluid (no volume shift).
inline FlashRig make_reference_fluid8() {
    FlashRig rig;
    rig.liquid = std::make_unique<thermo::Peng>(2);
    rig.vapour = std::make_unique<thermo::Peng>(1);
    rig.flash = std::make_unique<TestFlash>(*rig.liquid, *rig.vapour);
    const CsvTable table = read_reference_csv("fluid8_components.csv");
    rig.N = static_cast<short>(table.rows.size());
    rig.flash->number_of_components(rig.N);
    for (short i = 0; i < rig.N; ++i) {
        for (auto* ph : {rig.liquid.get(), rig.vapour.get()}) {
            ph->Tc[i] = table.number(i, "Tc_K"), ph->Pc[i] = table.number(i, "Pc_Pa");
            ph->Vc[i] = table.number(i, "Vc_m3mol"), ph->omega[i] = table.number(i, "omega");
            ph->mw[i] = table.number(i, "Mw"), ph->c0[i] = 0.0;
        }
        rig.flash->add_component(i, table.text(i, "name").c_str());
    }
    for (short i = 0; i < rig.N; ++i)
        rig.flash->composition(i, table.number(i, "z"));
    return rig;
}

// A saturation point at T (K): bubble (vapour moles 0) or dew (vapour moles 1), from the
// ideal-mixture start. Returns the flash's errorflag.
inline short saturation_at(thermo::EosFlash& flash, double T, bool bubble) {
    flash.set_type_of_problem(13);
    flash.set_the_temperature(T);
    flash.set_the_vaporization_ratio(bubble ? 0.0 : 1.0);
    flash.set_initialization_flag(2);
    flash.calculateVLE();
    return flash.errorflag;
}

} // namespace zephon::testing
