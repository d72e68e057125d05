// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Composition of the alpha-beta oil: the mole fractions by carbon number that follow from
// alpha (ratio of successive carbon numbers in the heavy tail) and beta (shape of the light
// ends), their lumping into the 17 components of the oil model, and the critical properties
// of the two heavy pseudo-components "Cn1" (carbon numbers 11 to 25) and "Cn2" (26 and above).
#include <array>
#include <cstdint>

namespace zephon::thermo {

class TableCubic;

inline constexpr int kOilComponentCount = 17;
inline constexpr short kMaxCarbonNumbers = 500;

// Highest alpha accepted. Any alpha of 1 or more already spreads the oil over all 500 carbon
// numbers; far above it the unnormalised tail (alpha^499) would overflow.
inline constexpr double kMaxAlpha = 2.0;

// Status bits returned by the distribution operations (0 = computed from the given values).
enum DistributionStatus : std::uint16_t {
    kDistributionOk = 0,
    kAlphaClamped = 1,           // alpha outside [0, kMaxAlpha]: clamped
    kBetaClamped = 2,            // beta outside [0, 1]: clamped (beyond, fractions turn negative)
    kGasClamped = 4,             // a gas content negative or not finite (set to 0), or gases above 1
    kParameterNotFinite = 8,     // alpha or beta not finite: rejected, previous distribution kept
    kPseudoComponentInvalid = 16 // a cut's critical pressure or other property is not finite and positive
};

// Critical properties of a cut of carbon numbers (a pseudo-component).
struct CutProperties {
    double Tc = 0.0;    // K
    double Pc = 0.0;    // Pa
    double Vc = 0.0;    // m3/mol
    double omega = 0.0; // acentric factor
    double Mw = 0.0;    // g/mol
    double sc = 0.0;    // volume shift, in units of the co-volume
};

class AlphaBetaDistribution {
  public:
    // Names and molar weights (g/mol) of the 17 components, in index order. The molar weights of
    // "Cn1" and "Cn2" are fixed placeholders; the computed ones are those of cn1 and cn2.
    static const std::array<const char*, kOilComponentCount> kComponentNames;
    static const std::array<double, kOilComponentCount> kComponentMolarWeights;

    // Inputs. Set them and call UpdateDistribution, or use SetDistributionParameters.
    double alpha = 0.5;
    double beta = 0.0;
    double zN2 = 0.0, zCO2 = 0.0, zH2S = 0.0; // overall mole fractions of the gases

    // Results.
    short nc = 0;                                    // carbon-number classes in xx (at most 500)
    std::array<double, kMaxCarbonNumbers> xx{};      // xx[k]: normalised fraction of carbon number k+1
    std::array<double, kOilComponentCount> xcompo{}; // overall mole fractions of the 17 components
    std::array<double, kOilComponentCount> mw{};     // molar weight of each component (g/mol)
    CutProperties cn1;                               // component 15, carbon numbers 11 to 25
    CutProperties cn2;                               // component 16, carbon numbers 26 to 499

    // Builds the distribution of alpha 0.5, beta 0, no gases.
    AlphaBetaDistribution();

    // Stores the five values (gases as mole fractions) and calls UpdateDistribution.
    std::uint16_t SetDistributionParameters(double alpha, double beta, double CO2, double N2, double H2S);

    // Recomputes nc, xx, xcompo, cn1 and cn2 from the inputs. Out-of-range inputs are clamped
    // in place; non-finite alpha or beta restore the inputs of the previous distribution, which is
    // kept. Returns the DistributionStatus bits.
    std::uint16_t UpdateDistribution();

    // Lumps xx into xcompo, the gases taken from zN2, zCO2 and zH2S.
    void Regroupe();

    // Properties of the cut of carbon numbers first to last inclusive, the carbon number n
    // weighted by alpha^(n - first). Returns kPseudoComponentInvalid when a property is not
    // finite or Tc, Pc, Vc or Mw is not positive, else 0.
    std::uint16_t CalcCoupe(short first, short last, double& Tc, double& Pc, double& Vc, double& omega,
                            double& Mw, double& sc) const;

    // Overall mole fraction of methane.
    double GetCH4() const { return xcompo[3]; }

  private:
    // Inputs of the last distribution computed from finite parameters.
    double lastAlpha_ = 0.5, lastBeta_ = 0.0, lastN2_ = 0.0, lastCO2_ = 0.0, lastH2S_ = 0.0;

    std::uint16_t clamp_inputs();
};

// Writes cn1 and cn2 into the phase's pseudo-component members (Tc15 ... sc15, Tc16 ... sc16)
// and rereads rows 15 "Cn1" and 16 "Cn2". The phase must hold the 17 oil components.
void store_pseudo_components(const AlphaBetaDistribution& distribution, TableCubic& phase);

} // namespace zephon::thermo
