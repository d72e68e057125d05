// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Pure-component parameters of the cubic equation of state: critical constants, the
// Soave-type alpha function, co-volume and volume shift, the pair parameters built from
// them and the interaction coefficients. `Peng` takes its component constants from the
// caller; `TableCubic` from its built-in table of the 17 oil components.
#include "thermo/cubic_eos.hpp"

#include <array>

namespace zephon::thermo {

class ClaCubic0 : public QuadraMix {
  public:
    double Am0 = 0., Am1 = 0., Am2 = 0.; // m(omega) = Am0 + Am1 omega + Am2 omega^2
    std::vector<double> Tc;              // K
    std::vector<double> Pc;              // Pa
    std::vector<double> Vc;              // m3/mol
    std::vector<double> omega;           // acentric factor
    std::vector<double> slope;           // m_i of the alpha function
    std::vector<double> ac;              // omega_A R^2 Tc^2 / Pc
    std::vector<double> bc;              // omega_B R Tc / Pc
    std::vector<double> mw;              // g/mol

    void number_of_components(short ncomp) override;
    void calculate_parameters_of_pure_components() override;
    // Interaction coefficients of light hydrocarbons from their critical constants.
    virtual void read_BIP();

  protected:
    // Constants shared by both parameter sets (the Peng-Robinson form).
    void set_peng_robinson_constants(short nphase);
    // slope, c1, ac, bc and the shift made a volume (c0 times bc), for component i.
    void derive_component_parameters(short i);

  private:
    // Per-component values the pair parameters are built from, at the current T:
    // sqrt(a_ii) and (da_ii/dT) / a_ii.
    std::vector<double> mSqrtA, mLogSlopeA;

    // What the parameters were last calculated from. A flash evaluates its phases at one
    // temperature again and again (whenever T is specified), so an unchanged set of inputs skips
    // the calculation; every input is compared, so no change made to them can be missed (the
    // interaction coefficients, which change only through set_binary_interaction_kaij, by their
    // version).
    bool pure_parameter_inputs_unchanged() const;
    void remember_pure_parameter_inputs();
    bool mHaveInputs = false;
    double mInputT = 0.0;
    std::vector<double> mInputTc, mInputSlope, mInputAc, mInputBc, mInputC0, mInputC1;
    unsigned long mInputKaVersion = 0;
};

class Peng : public ClaCubic0 {
  public:
    explicit Peng(short nphase);
    // Before add_component(i, ...), Tc, Pc, Vc, omega, mw and c0 (dimensionless shift) of
    // component i must hold its data. c0 is converted in place into a volume.
    void read_component_data(short i, const char* compo) override;
};

struct TableComponent {
    const char* name;
    double Tc;    // K
    double Pc;    // bar
    double omega; // acentric factor
    double Mw;    // g/mol
    double Vc;    // cm3/mol
    double shift; // dimensionless, in units of the co-volume
};

inline constexpr int kTableComponentCount = 17;
extern const std::array<TableComponent, kTableComponentCount> kComponentTable;
extern const std::array<std::array<double, kTableComponentCount>, kTableComponentCount> mkij;

class TableCubic : public ClaCubic0 {
  public:
    // The two heavy pseudo-components (rows 15 "Cn1" and 16 "Cn2"); the oil model
    // rewrites them and rereads the rows. Units K, Pa, -, m3/mol, g/mol, dimensionless.
    double Tc15 = 713.0, Pc15 = 2000000.0, om15 = 0.6, Vc15 = 0.00104, mw15 = 200.0, sc15 = 0.1;
    double Tc16 = 903.0, Pc16 = 1300000.0, om16 = 0.8, Vc16 = 0.0016, mw16 = 440.0, sc16 = 0.2;

    explicit TableCubic(short nphase);
    // compo must be the table name of row i, exactly; otherwise nothing is read.
    void read_component_data(short i, const char* compo) override;
    void read_BIP() override;
};

} // namespace zephon::thermo
