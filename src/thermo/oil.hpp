// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The petroleum fluid of one inclusion as a two-phase equilibrium problem: on top of the
// Newton flash it keeps the homogenisation state and the state at room temperature, the
// molar weights and densities of both phases, the gas-oil ratio and API gravity at standard
// conditions, and finds a first point on the bubble or dew branch of the phase envelope.
//
// Units: K, Pa and m3/mol inside; Vliq/Vvap in cm3/mol, dliq/dvap in g/cm3, molar weights in
// g/mol. The first-point searches return degrees Celsius and bar.
#include "thermo/component_properties.hpp"
#include "thermo/eos_flash.hpp"

#include <vector>

namespace zephon::thermo {

// Room the molar-weight and feed arrays always have; a fluid of more components gets more.
inline constexpr short kOilArrayRoom = 18;

class Oil : public EosFlash {
  public:
    double Th = 0.;  // homogenisation temperature (K)
    double Tf = 0.;  // temperature at which the vapour fraction was measured (K)
    double fv0 = 0.; // measured vapour volume fraction at Tf
    double Vl0 = 0.; // molar volume of the homogeneous fluid at Th (m3/mol)
    char mHomog = 1; // 1 homogenisation into the liquid (bubble point), 0 into the vapour (dew point)
    double Vliq = 0., Vvap = 0.; // cm3/mol
    double dliq = 0., dvap = 0.; // g/cm3
    double mwl = 0., mwv = 0.;   // g/mol
    std::vector<double> mw;      // molar weight of each component (g/mol)
    std::vector<double> xcompo;  // overall mole fractions built by a distribution
    double dl0 = 0., mwl0 = 0.;  // liquid density and molar weight at homogenisation
    double mGOR = 0.;            // gas-oil ratio at standard conditions (gas volume / liquid volume)
    double mAPI = 0.;            // API gravity of the stock-tank liquid
    double mMassVolLiq = 0.;     // specific volume of the stock-tank liquid (cm3/g)
    double mLiqMolarWeight = 0.; // molar weight of the stock-tank liquid (g/mol)

    // Working estimates of the homogenisation state (Ph, xh, yh) and of the state at Tf
    // (Pf, xf, yf), overwritten by every evaluation of the alpha search; the 0-suffixed
    // copies are the last converged ones. A pressure of 0 means "no previous state".
    double Ph = 0.;
    std::vector<double> xh, yh;
    double Pf = 0.;
    std::vector<double> xf, yf;
    double Ph0 = 0.;
    std::vector<double> xh0, yh0;
    double Pf0 = 0.;
    std::vector<double> xf0, yf0;

    // Component whose fractions tell two distinct phases apart in CheckLLG (methane).
    short mMethaneIndex = 3;

    Oil(FluidPhase& liquid, FluidPhase& vapour);

    short read_component_data(short, const char*) override { return 0; }
    void number_of_components(short n) override;
    // Overall mole fraction of methane; 0 when the model does not know it.
    virtual double GetCH4() { return 0.0; }

    // Molar weights, molar volumes and densities of both phases of the current state.
    void calculateMw();
    // Molar weight of the feed (g/mol).
    double calculateBulkMw() const;
    // Flash at 288.15 K and 1 bar: mGOR, mAPI, mMassVolLiq, mLiqMolarWeight (all 0 when the
    // fluid does not split there).
    void CalculateGOR();
    // A first saturation point of the bubble (liquid) or dew (gas) branch of the feed's
    // envelope: T in degrees Celsius, P in bar, both 0 on failure; `error` is the low byte
    // of errorflag. On success the state is saved for the continuation.
    void FirstLiquidIsoplethPoint(double& T, double& P, char& error, char& behavesAsAGas);
    void FirstGasIsoplethPoint(double& T, double& P, char& error);
    // 1 when the methane fractions of the two phases of the last flash differ by 0.03 or more
    // (two distinct phases), else 0.
    char CheckLLG() const;
    // One step along the isopleth from the saved point, with the step factor `lambda` (halved
    // on failure, grown again on success): 0 a point (saved), 1 the step failed (the saved
    // point restored, its phases described again only where needed; call again), -1 the curve
    // cannot be continued, -2 it left the range (below -80 C on the bubble branch, -101 C for a
    // fluid that behaves as a gas, above 2000 bar), -3 it ended with two distinct phases. A flash
    // whose final corrections did not bring the residual to its rounding is a failed step: near a
    // critical point Newton's tolerance may leave it 1e-6 off the saturation point.
    signed char next_isopleth_point(double& lambda, bool bubbleBranch, bool behavesAsAGas);

  protected:
    // Saturation point at T (K): bubble (vapour moles 0) or dew (1), with the initialisation
    // flag as it stands. True on success.
    bool saturation_point(double T, bool bubble);
    // Copies n values (from and to vectors of the component count).
    static void copy_values(const std::vector<double>& from, std::vector<double>& to);
    // Ends a first-point search: save and convert on success, zeros on failure.
    void finish_first_point(double& T, double& P, char& error);
};

} // namespace zephon::thermo
