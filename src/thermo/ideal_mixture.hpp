// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Two-phase equilibrium with ideal K-values from per-component saturation-pressure
// correlations: the start values of the Newton flash.
#include "thermo/component_properties.hpp"
#include "thermo/psat_correlation.hpp"
#include "thermo/solver.hpp"
#include "thermo/vle.hpp"

#include <memory>

namespace zephon::thermo {

class IdealMixture : public VLE {
  public:
    // One correlation per component, created by the subclass that reads the component data.
    std::vector<std::unique_ptr<PsatCorr>> saturatedLiquid;
    std::vector<double> Ki; // K-values
    std::unique_ptr<Muller> algorithm;
    std::vector<double> Tb, Tc, Pc;

    IdealMixture(FluidPhase& fluid1, FluidPhase& fluid2);

    void reset_to_zero() override;
    void number_of_components(short ncomp) override;
    void calculateVLE() override;
    void calculate_with_fixed_P_and_T() override;
    void calculate_with_fixed_T_and_Fv() override;
    void calculate_with_fixed_P_and_Fv() override;

    // Residual sum(x - y) of the ideal split: in the vapour fraction (K-values fixed), in the
    // pressure and in the temperature.
    double equation1(double fv) override;
    double equation2(double p) override;
    double equation3(double t) override;

    double Psat(short i, double t);
    double Tsat(short i, double p);

    // Creates component i's saturation correlation and fills Tb, Tc, Pc from a table row.
    void set_ideal_component(short i, const IdealComponentData& data);

  private:
    double split_residual(double phi);
};

} // namespace zephon::thermo
