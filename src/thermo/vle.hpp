// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Base of every two-phase equilibrium model: a feed of N components split into a liquid and
// a vapour phase, with the two specified state variables (the problem code), the specified
// values, the current solution and a saved copy of it for continuation.
//
// A problem code is two digits naming the specified variables, in either order:
// 1 temperature, 2 pressure, 3 moles of vapour, 4 volume, 5 vapour volume fraction.
#include "thermo/equation.hpp"
#include "thermo/phase.hpp"

#include <string>
#include <vector>

namespace zephon::thermo {

class VLE : public Equation {
  public:
    std::vector<std::string> component;
    short N = 0;
    std::vector<double> n; // feed moles
    std::vector<double> z; // feed mole fractions
    double Ntot = 1.0;

    FluidPhase* liquid = nullptr; // not owned
    FluidPhase* vapour = nullptr; // not owned

    // Specified values (targets of the solve).
    double T_star = 0., P_star = 0., Nv_star = 0., Nl_star = 0., V_star = 0., Fv_star = 0.;

    // Current state.
    double T = 0., P = 0., V = 0., Nv = 0., Nl = 0.;
    std::vector<double> x, y; // liquid and vapour mole fractions
    double Fv = 0.;           // molar vapour fraction
    double Fvv = 0.;          // vapour volume fraction

    // Continuation: the next estimate, the saved solution and the steps.
    double Tnc = 0., Pnc = 0.;
    std::vector<double> xnc, ync;
    double Tnc0 = 0., Pnc0 = 0.;
    std::vector<double> xnc0, ync0;
    double Nv0 = 0., Nl0 = 0.;
    double dTnc = 0., dPnc = 0.;
    std::vector<double> dxnc, dync;

    double relaxation_factor = 1.0;

    short VLEflag = 0; // 0 liquid-vapour, 1 two liquid-type phases
    short type_of_problem = 0;
    short init_flag = 0;
    short errorflag = 0; // 0 success, 1 failure
    short gradeflag = 0;
    short firstpointflag = 2;
    short isothermflag = 0, isobarflag = 0, isoplethflag = 0;

    VLE(FluidPhase& fluid1, FluidPhase& fluid2);
    VLE(const VLE&) = delete;
    VLE& operator=(const VLE&) = delete;

    void set_thermodynamic_models(FluidPhase& fluid1, FluidPhase& fluid2);

    virtual void reset_to_zero();
    virtual short read_component_data(short, const char*) { return 0; }
    virtual void calculate_with_fixed_P_and_T() {}
    virtual void calculate_with_fixed_T_and_Fv() {}
    virtual void calculate_with_fixed_P_and_Fv() {}
    virtual void apply_conditions();
    virtual void initialize();
    virtual void estimate_next_state() {}
    virtual void set_initialization_flag(short flag) { init_flag = flag; }
    virtual void set_the_temperature(double t) { T_star = t; }
    virtual void set_the_pressure(double p) { P_star = p * 100000.0; } // bar in
    virtual void set_the_volume(double v) { V_star = v; }
    virtual void set_the_vaporization_ratio(double fv);
    virtual void set_the_vaporization_ratio1(double fv);
    virtual void temperature(double t);
    virtual void pressure(double p); // bar in
    virtual void vaporization_ratio(double fv);
    virtual void vaporization_ratio1(double fv);
    virtual void number_of_components(short ncomp);
    virtual void set_type_of_problem(short typeOfProblem) { type_of_problem = typeOfProblem; }
    virtual void add_component(short i, const char* c0);
    virtual void composition(short i, double zi);
    virtual void xcomposition(short i, double x0);
    virtual void ycomposition(short i, double y0);
    virtual void calculateVLE();

    void save();
    void restore();

  protected:
    // The saved state back into T, P, Nl, Nv, x, y, without describing the phases there.
    void restore_saved_values();

    // The digits of a problem code, in order; false for codes the framework does not handle.
    static bool is_code(short code, short a, short b) { return code == a * 10 + b || code == b * 10 + a; }
};

} // namespace zephon::thermo
