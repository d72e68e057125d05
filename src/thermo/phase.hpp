// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// One homogeneous phase of a mixture of N named components, and the derivative fields an
// equation of state fills. Units are SI: K, Pa, m3/mol, g/mol, kg/m3.
#include "thermo/allocate.hpp"
#include "thermo/equation.hpp"

#include <string>
#include <vector>

namespace zephon::thermo {

inline constexpr double kGasConstant = 8.31451198983133; // J/(mol K)

class Phase : public Equation {
  public:
    short N = 0;           // number of components; 0 until number_of_components
    double ntot = 0.;      // total number of moles
    std::vector<double> x; // mole fractions
    std::vector<double> n; // moles per component
    std::vector<std::string> component;
    std::vector<double> molarWeight; // g/mol
    short phase = 0;                 // 1 vapour, 2 liquid, 0 not set
    short errorflag = 0;
    double P = 0.;                // Pa
    double T = 0.;                // K
    double V = 0.;                // molar volume, m3/mol
    double density = 0.;          // kg/m3
    double bMolarWeight = 0.;     // mean molar weight, g/mol
    std::vector<double> fugacity; // Pa
    std::vector<double> gamfug;
    std::vector<double> fugcoef;
    std::vector<double> fugacity0;
    std::vector<double> dfugacitydT;
    std::vector<double> dfugacitydP;
    std::vector<double> dfugacitydV;
    Matrix dfugacitydx; // dfugacitydx[i][j] = d fugacity_i / d x_j

    Phase() { Phase::set_the_phase_as(0); }

    virtual void set_the_phase_as(short n_phase) { phase = n_phase; }
    virtual void number_of_components(short number);
    virtual void add_component(short i, const char* c0);
    virtual void read_component_data(short, const char*) {}
    virtual void read_remaining_component_data() {}
    virtual void temperature(double t) { T = t; }
    // The argument is in bar; P is stored in Pa.
    virtual void pressure(double p) { P = p * 100000.0; }
    virtual void volume(double v) { V = v; }
    virtual void composition_of_component(short i, double xi);
    virtual void number_of_moles_of_component(short i, double ni);
    virtual void total_number_of_moles(double nn) { ntot = nn; }
    virtual void describe() {}
    virtual void calculate_molar_volume() {}
};

class FluidPhase : public Phase {
  public:
    double Z = 0.;
    double dPdV = 0., dVdT = 0., dVdP = 0., dPdT = 0.;
    std::vector<double> dVdx; // at constant T and P
    double dZdV = 0., dZdP = 0., dZdT = 0., dHdT = 0., dHdP = 0.;
    std::vector<double> dHdx;
    std::vector<double> dZdx;
    std::vector<double> dPdx; // at constant T and V

    FluidPhase() = default;
    // The first argument is kept for call compatibility and not used.
    FluidPhase(short, short n_phase) {
        set_the_phase_as(n_phase);
        errorflag = 0;
    }

    void number_of_components(short number) override;
    void describe() override {
        calculate_molar_volume();
        calculate_fugacities();
    }
    // Volume and fugacities without their derivatives, for an evaluation that needs no Jacobian;
    // the derivative fields keep the values of the last describe(). The default describes fully.
    virtual void describe_fugacities() { describe(); }
    virtual void calculate_fixed_parameters() {}
    virtual void calculate_pressure() {}
    virtual void calculate_fugacities() {}
};

} // namespace zephon::thermo
