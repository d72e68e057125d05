// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// An oil given component by component (a fluid model): the components are recognised by name
// for their ideal-mixture data and molar weights, and both phases are Peng phases whose
// constants the caller supplies.
#include "thermo/cla_cubic.hpp"
#include "thermo/oil.hpp"

namespace zephon::thermo {

class Oil2 : public Oil {
  public:
    Oil2(Peng& liquid, Peng& vapour);

    void number_of_components(short n) override;

    // Writes the constants of component i into both phases, to be called after
    // number_of_components and before add_component(i, name). Units: Tc K, Pc Pa, Vc m3/mol,
    // molar weight g/mol, shift (volume translation) m3/mol. The phases hold the shift in units
    // of the component's co-volume until the component is added; it is converted here so that
    // the phases end up with exactly `shift`. Returns 0, or 1 (nothing written) when i is out
    // of range, Tc or Pc is not finite and positive, or another value is not finite.
    short set_component_constants(short i, double Tc, double Pc, double Vc, double omega, double mw,
                                  double shift);

    // Ideal-mixture data and molar weight by name: one of the 17 oil component names exactly,
    // otherwise "C" followed by a carbon number (25 and above read as "Cn2", below as "Cn1").
    short read_component_data(short i, const char* name) override;
    // Overall mole fraction of the component named "C1"; 0 when the fluid has none.
    double GetCH4() override;

  private:
    Peng* mPengLiquid;
    Peng* mPengVapour;
    short mMethaneComponent = -1; // index of "C1", -1 when absent
};

} // namespace zephon::thermo
