#pragma once
// The alpha-beta oil: 17 components whose overall mole fractions follow from alpha, beta and
// the measured N2, CO2 and H2S contents, with the two heavy pseudo-components recomputed from
// alpha; and the search for the alpha that reproduces one inclusion measurement (Th, the
// homogenisation mode, the vapour fraction fv0 at Tf) for a given beta.
#include "thermo/alpha_beta_distribution.hpp"
#include "thermo/cla_cubic.hpp"
#include "thermo/oil.hpp"
#include "thermo/solver.hpp"

#include <cstdint>
#include <memory>

namespace zephon::thermo {

// Codes the alpha search leaves in errorflag (0 = success).
enum OilSearchError : short {
    kAlphaSearchFailed = 1,     // the secant on alpha did not converge
    kHomogenisationFailed = 5,  // no homogenisation state at Th
    kRoomTemperatureFailed = 6, // no two-phase state with the measured vapour fraction at Tf
    kNoInitialEstimate = 8      // the estimate tables cannot start this measurement
};

class Oil1 : public Oil {
  public:
    double alpha = 0.5;                 // ratio of successive carbon-number fractions in the heavy tail
    double beta = 0.0;                  // shape of the light ends
    short nc = 0;                       // carbon-number classes of the current distribution
    std::unique_ptr<Secant> algorithm0; // the alpha search, bound to equation4
    double mGOR0 = 0., mAPI0 = 0.;      // targets of equation5 and equation6
    double zN2 = 0., zCO2 = 0., zH2S = 0.;

    // The composition arithmetic (fractions by carbon number, lumping, cut properties).
    AlphaBetaDistribution distribution;

    // Both phases must be table phases: the pseudo-components are written into them.
    Oil1(TableCubic& liquid, TableCubic& vapour);

    // Stores the five values (gases as mole fractions) and updates the distribution.
    std::uint16_t SetDistributionParameters(double alpha, double beta, double CO2, double N2, double H2S);
    // Recomputes the distribution from alpha, beta and the gases, writes the pseudo-components
    // into both phases and sets the feed. Out-of-range values are clamped in place; returns the
    // DistributionStatus bits.
    std::uint16_t UpdateDistribution();
    // Lumps the fractions by carbon number into the 17 feed fractions (xcompo).
    void Regroupe();
    std::uint16_t CalcCoupe(short first, short last, double& Tc, double& Pc, double& Vc, double& omega,
                            double& Mw, double& sc) const;
    // Normalised fractions by carbon number: xx()[k] is carbon number k+1, nc of them.
    const std::array<double, kMaxCarbonNumbers>& xx() const { return distribution.xx; }

    // Solves equation4 = 0 for alpha in [0, 1] from the current alpha, the gases and beta as
    // they are. The result is in alpha, the outcome in errorflag (OilSearchError, 0 success).
    void FindAlpha(double Th, double Tf, double fv0, double epsilon, char homog);

    // Start of the alpha search for beta = 0 from the estimate tables: returns 0 and sets alpha
    // (here and in the argument), beta = 0, the distribution and the flash's start values
    // (Pnc, xnc, ync); returns 1 with errorflag kNoInitialEstimate when the tables give none.
    char EstimateInitial(char homog, double Th, double Fv, double& alpha);

    // Volume residual of alpha: molar volume at homogenisation minus that of the two phases
    // at Tf with the measured vapour fraction.
    double equation4(double alpha) override;
    // Gas-oil ratio and API gravity residuals of alpha (targets mGOR0, mAPI0).
    double equation5(double alpha) override;
    double equation6(double alpha) override;
    // The oil of this alpha at standard conditions (GOR, API); false, with the model's error
    // set, when its distribution is unusable or it does not split there.
    bool standard_conditions_at(double alpha);

    short read_component_data(short i, const char* name) override;
    double GetCH4() override { return xcompo[3]; }

  private:
    TableCubic* mTableLiquid;
    TableCubic* mTableVapour;
    // Set by EstimateInitial: the first homogenisation starts from Pnc, xnc, ync rather than
    // from the ideal mixture.
    bool mHasInitialEstimate = false;

    bool distribution_usable(std::uint16_t status) const;
    // Wilson's estimate of the K-value of component i at T (K) and P (Pa).
    double wilson_k_value(short i, double T, double P) const;
    double fail_evaluation(short code);
};

} // namespace zephon::thermo
