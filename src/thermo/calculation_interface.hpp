// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The phase-diagram calculations of one fluid, an alpha-beta oil or a fluid model given
// component by component: the phase envelope point by point, the branch bordering a
// three-phase region, one-phase and two-phase isochores, and the standard-condition summary.
// Temperatures cross this interface in degrees Celsius and pressures in bar.
//
// The engine knows nothing of records: a fluid model arrives as a list of components and an
// isopleth as its points and limits, in the units the records keep.
#include "thermo/cla_cubic.hpp"
#include "thermo/oil.hpp"
#include "thermo/oil1.hpp"
#include "thermo/oil2.hpp"
#include "thermo/one_phase_state.hpp"

#include <memory>
#include <string>
#include <vector>

namespace zephon::thermo {

// One component of a fluid model, in the units of the fluid-model file.
struct ModelFluidComponent {
    std::string name;
    double Tc = 0.;          // degrees Celsius
    double Pc = 0.;          // bar
    double omega = 0.;       // acentric factor
    double Mw = 0.;          // g/mol
    double Vc = 0.;          // cm3/mol
    double Ct = 0.;          // volume translation, cm3/mol
    double molePercent = 0.; // overall, percent
};

// What the isochores need of a computed isopleth.
struct IsoplethData {
    struct Point {
        double mT = 0.;         // degrees Celsius
        double mP = 0.;         // bar
        std::vector<double> mz; // composition of the incipient phase
    };
    double mMinT = 0., mMaxT = 0., mMaxP = 0.; // degrees Celsius, bar
    std::vector<double> mxref;                 // overall composition
    std::vector<Point> points;
};

// A point of the phase envelope found by convergence rather than read off the traced points.
struct EnvelopeKeyPoint {
    bool found = false;
    double T = 0.; // degrees Celsius
    double P = 0.; // bar
};

// The exact critical point, cricondenbar and cricondentherm of a traced envelope.
struct EnvelopeKeyPoints {
    EnvelopeKeyPoint critical, cricondenbar, cricondentherm;
};

// The label under which the fluid's overall molar weight is logged.
inline constexpr const char* kBulkMolarWeightLogLabel =
    "        Bulk molar weight (g/mol)                     :  %.4f";

class CCalculationInterface {
  public:
    std::unique_ptr<ClaCubic0> mLiquid, mVapour;
    std::unique_ptr<Oil> mSystem; // an Oil1 for an alpha-beta fluid, else an Oil2
    char mBranch = 1;             // 1 liquid (bubble) branch first, 0 gas (dew) branch
    char mBehavesAsAGas = 0;
    char mModelType = 0; // 0 fluid model by components, otherwise alpha-beta fluid
    double mAlpha = 0., mBeta = 0., mCO2 = 0., mN2 = 0., mH2S = 0.;
    double mGOR = 0., mAPI = 0.;
    double mCH4 = 0.; // overall methane, mole percent
    double mMassVolLiq = 0., mLiqMolarWeight = 0.;
    double mLambda = 0.;
    double mAlpha0 = 0., mBeta0 = 0.;
    char mHomog = 1;                         // 1 the inclusion homogenises into the liquid, 0 into the vapour
    double mTh = 0.;                         // degrees Celsius
    double mBulkVolume = 0.;                 // m3/mol
    double mMolarWeight = 0.;                // g/mol
    double mBulkDensity = 0.;                // g/cm3
    double mPh = 0.;                         // bar
    const IsoplethData* mIsopleth = nullptr; // not owned
    FluidPhase* mHomogPhase = nullptr;
    double mMinIsocT = 0.; // degrees Celsius
    double mMaxIsocT = 0.; // K
    double mMaxIsocP = 0.; // bar
    char mErrorMessageIndex = 0;

    explicit CCalculationInterface(char modelType);
    CCalculationInterface(const CCalculationInterface&) = delete;
    CCalculationInterface& operator=(const CCalculationInterface&) = delete;

    // A fluid given component by component (fluid models only). Returns false, declaring no
    // component, when a component's constants cannot make an equation of state.
    bool SetModelFluid(const std::vector<ModelFluidComponent>& components);
    void Finalize();

    short GetNumberOfComponents() const { return mSystem->N; }
    double GetIsoplethComposition(short i) const;
    double GetLiquidComposition(short i) const;
    double GetVapourComposition(short i) const;
    double GetLiquidVolume() const { return mSystem->liquid->V; }
    double GetVapourVolume() const { return mSystem->vapour->V; }
    double GetBubbleVolumeFraction() const { return mSystem->Fvv; }
    Oil& system() { return *mSystem; }

    char FirstIsoplethPoint(double* T, double* P);
    // 0 a point, 1 retry (step halved), -1 cannot continue, -2 out of range, -3 ended with
    // two distinct phases (a three-phase region).
    signed char NextIsoplethPoint(double* T, double* P);
    void FirstLLGIsoplethPoint(double T, double* Tout, double* Pout);
    void CalculateGOR();
    void CalculateIsochorsLimits(const IsoplethData* a, const IsoplethData* b);
    char FirstIsochor1Point(double* T, double* P);
    signed char NextIsochor1Point(double* T, double* P);
    // 0 found, 1 Th below the isopleth, 2 above it by 2 degrees or more, 4 the homogenisation
    // state failed.
    char FirstIsochor2Point(double* T, double* P);
    signed char NextIsochor2Point(double* T, double* P);

    // The exact critical point (from the estimate where the branches' last points are within
    // 10 degrees, as the diagram's record estimates it), the cricondenbar and the cricondentherm of
    // the envelope traced in `liquid` and `vapour` (either may be null). A last point whose
    // incipient phase is the feed itself (the estimate a stored diagram appends) is left out.
    // The fluid's state is changed.
    EnvelopeKeyPoints CalculateEnvelopeKeyPoints(const IsoplethData* liquid, const IsoplethData* vapour);

    // The feed as one phase at temperatureK and the translated molar volume molarVolumeM3
    // (m3/mol): its pressure in Pa and the slope dP/dT along the isochore, in SI like
    // one_phase_state, which it applies to the feed (one_phase_state.hpp). The one-phase isochore
    // of an inclusion is this at its homogenisation volume. An alpha-beta fluid must have its
    // distribution set first (Finalize); the vapour phase object is used.
    OnePhaseState OnePhaseStateAt(double temperatureK, double molarVolumeM3);

  private:
    Oil1* mOil1 = nullptr; // the same object as mSystem, typed
    Oil2* mOil2 = nullptr;
    void set_distribution();
    void report_state(double* T, double* P) const;
    // A converged continuation step: save it, report it (C, bar) and let the step grow again.
    void accept_step(double* T, double* P, double& t, double& p);
    double mIsochor1T = 0.; // K, the last one-phase isochore point
};

} // namespace zephon::thermo
