// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The alpha-beta oil: 17 components whose overall mole fractions follow from alpha, beta and
// the measured N2, CO2 and H2S contents, with the two heavy pseudo-components recomputed from
// alpha; and the search for the alpha that reproduces one inclusion measurement (Th, the
// homogenisation mode, the vapour fraction fv0 at Tf) for a given beta.
#include "thermo/alpha_beta_distribution.hpp"
#include "thermo/cla_cubic.hpp"
#include "thermo/envelope_extremes.hpp"
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

    // What a caller tracing a curve knows that makes the alpha search shorter and safer.
    struct AlphaSearchHints {
        double slope = 0.0;     // d(equation4)/d(alpha) near the root (m3/mol); 0 unknown
        double lastGood = -1.0; // an alpha whose evaluation succeeded nearby; -1 none
    };

    // Solves equation4 = 0 for alpha in [0, 1] from the current alpha, the gases and beta as
    // they are: a bounded secant that treats a failed evaluation as a step too far and goes
    // back towards the last alpha that evaluated. The result is in alpha, the outcome in
    // errorflag (OilSearchError, 0 success). With hints, the second iterate is a Newton step
    // with the given slope, and a start that does not evaluate moves towards `lastGood`.
    void FindAlpha(double Th, double Tf, double fv0, double epsilon, char homog);
    void FindAlpha(double Th, double Tf, double fv0, double epsilon, char homog,
                   const AlphaSearchHints& hints);
    // The secant slope of the last converged search (0 before any).
    double LastSearchSlope() const { return mLastSearchSlope; }

    // Looks for the alpha of the measurement at the current beta and gases without the
    // estimate tables: alpha is scanned on a coarse grid for a change of sign of equation4,
    // each homogenisation state at Th (the bubble point, or each dew point where the fluid has
    // two) being followed along the grid, and the first change of sign is refined by
    // FindAlpha. True when that converged (as after FindAlpha); otherwise false, with
    // errorflag kNoInitialEstimate when no change of sign was found, else the refinement's.
    // Roots within 1e-4 of an alpha in `excluded` are passed over. For homogenisation into the
    // vapour, when the grid gives no root, the alphas just above the one where the oil's
    // cricondentherm reaches Th are scanned (dew_window): only there do the upper dew points of an
    // inclusion near the cricondentherm exist, often over less than a step of the grid.
    bool ScanForAlpha(double Th, double Tf, double fv0, double epsilon, char homog,
                      const std::vector<double>& excluded = {});

    // A converged flash state kept for the starts of later flashes of the same kind, with the
    // alpha it was found at.
    struct FlashState {
        bool valid = false;
        double alpha = 0.0, P = 0.0, Nv = 0.0;
        std::vector<double> x, y;
        double beta = 0.0; // of the curve point a search state belongs to
    };
    // What one search hands to the next: the last converged states (the 0-suffixed copies)
    // and those the extrapolated starts use; a curve traced in two directions from one point
    // takes it up again there.
    struct SearchMemory {
        double Ph0 = 0.0, Pf0 = 0.0, Nvf0 = 0.0, alpha0 = 0.0;
        std::vector<double> xh0, yh0, xf0, yf0;
        FlashState homogBefore, roomBefore;
        double beta0 = 0.0;
    };
    SearchMemory search_memory() const;
    void restore_search_memory(const SearchMemory& memory);

    // The alpha of the measurement at the current beta (and gases) by continuation from the last
    // converged search (FindAlpha's or this one's, at another beta of the same curve): alpha, the
    // homogenisation state at Th and the state at Tf with the measured bubble are solved together
    // as one Newton system, with the molar volumes of the two states equal as its last equation,
    // from the current alpha (the caller's prediction) and the last two searches' states
    // extrapolated in beta. True with the result as after a converged FindAlpha (to a tighter
    // tolerance); false, with the oil and the search memory as they were, where the system does
    // not converge near its start: FindAlpha is then the way to the point.
    bool ContinueAlpha(double Th, double Tf, double fv0, char homog);
    // Work of ContinueAlpha: systems solved and their Newton iterations (each factorises the two
    // states' Jacobians once).
    long mContinuationSolves = 0, mContinuationIterations = 0;

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

    // The dew points at Th close to the cricondentherm, where it first exceeds Th as alpha rises
    // at the current beta and gases: the alphas to scan from there up to the next alpha of
    // `grid` (increasing), and the dew points at the first of them. Empty when the
    // cricondentherm does not cross Th between the grid's ends.
    struct DewWindow {
        std::vector<double> alphas;
        std::vector<SaturationState> seeds;
        double end = 0.0; // the grid alpha above the window
    };
    DewWindow dew_window(const std::vector<double>& grid);

  private:
    TableCubic* mTableLiquid;
    TableCubic* mTableVapour;
    // Set by EstimateInitial: the first homogenisation starts from Pnc, xnc, ync rather than
    // from the ideal mixture.
    bool mHasInitialEstimate = false;

    // Molar vapour fraction of the state at Tf, last evaluated and last converged (0: none).
    double mNvf = 0.0, mNvf0 = 0.0;
    double mLastSearchSlope = 0.0;

    // Beside Ph/xh/yh and Pf/xf/yf (the last evaluation): the alpha of the last evaluation and
    // the state of the one before it; beside the 0-suffixed copies (the last converged
    // search): its alpha and the converged state of the search before it. A flash starts
    // from the linear extrapolation in alpha of the last two.
    double mHomogAlpha = 0.0, mRoomAlpha = 0.0, mSearchAlpha0 = 0.0, mSearchBeta0 = 0.0;
    FlashState mHomogBefore, mRoomBefore;
    FlashState mHomogSearchBefore, mRoomSearchBefore;

    bool distribution_usable(std::uint16_t status) const;
    // The two halves of equation4; false when the state cannot be found.
    bool homogenisation_state();
    bool room_temperature_state();
    // The state at Tf with the measured bubble, reached from a saturation state there (P, x,
    // y with vapour volume fraction `fraction`, 0 or 1) in steps of the fraction.
    bool room_state_from(double P, const std::vector<double>& xs, const std::vector<double>& ys,
                         double fraction);
    // Solves the problem set up (code, targets) from the given start: P (Pa), x, y, Nv.
    bool flash_from(double P, const std::vector<double>& xs, const std::vector<double>& ys, double Nv);
    // The same from the last state (lastAlpha, P, xs, ys, Nv) moved along the line through
    // `before` to the current alpha, and from the last state itself if that fails.
    bool flash_from_track(double lastAlpha, double P, const std::vector<double>& xs,
                          const std::vector<double>& ys, double Nv, const FlashState& before);
    // The search memory after a converged search at `root`: the states found there become the
    // last converged ones, the previous ones those before them.
    void remember_search(double root);
    // One residual evaluation of a state of ContinueAlpha: the flash residuals G of state U (with
    // the Jacobian J when given), its molar volume (homogenisation state: that of its homogeneous
    // phase; room state: the total) and, with J, the volume's derivatives in `volumeRow`. False
    // where the state is refused.
    bool continuation_residual(bool homogenisation, std::vector<double>& U, std::vector<double>& G, Matrix* J,
                               double& volume, std::vector<double>* volumeRow);
    // Runs the secant; true when it converged, the result in `root`.
    bool secant_on_alpha(double start, double epsilon, const AlphaSearchHints& hints, double& root);
    // equation4 with the bounds of the search; false on a failed or refused evaluation.
    bool evaluate_alpha(double a, double& f);
    // Wilson's estimate of the K-value of component i at T (K) and P (Pa).
    double wilson_k_value(short i, double T, double P) const;
    double fail_evaluation(short code);
    // The cricondentherm of the oil of alpha a: traced from the first dew point and refined, or
    // from `near` (that of a neighbouring alpha) when given.
    EnvelopeExtreme cricondentherm_at(double a, const EnvelopeExtreme* near);
};

} // namespace zephon::thermo
