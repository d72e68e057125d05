// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The oil inclusion's side of the crossing: its one-phase isochore straight from the equation of
// state at the homogenisation molar volume (no interpolation between stored points), the cavity
// following its host mineral when one is given, and the same isochore for a changed homogenisation
// temperature or bubble fraction, which the uncertainty of the crossing needs.
//
// An alpha-beta oil is what its inclusion's measurements make it: changing Th or the bubble
// fraction (measured at Tfv) changes alpha at the same beta and gases, so each change solves alpha
// again. A fluid model keeps its composition; only its homogenisation volume moves with Th.
#include <memory>
#include <string>
#include <vector>

#include "aqueous/host_mineral.hpp"
#include "aqueous/isochore_curve.hpp"
#include "thermo/calculation_interface.hpp"

namespace zephon::aqueous {

// The pressure (Pa) of a fluid at T (K) and translated molar volume v (m3/mol), with dP/dT at
// constant v (Pa/K) and dP/dv at constant T: the one place this layer asks the equation of state
// for a pressure. The phase keeps its composition.
struct OnePhasePressure {
    double P = 0, dPdT = 0, dPdV = 0;
};
OnePhasePressure one_phase_pressure(thermo::ICubic& phase, double T, double v);

struct OilFluid {
    bool alphaBeta = true;
    double alpha = 0, beta = 0, co2 = 0, n2 = 0, h2s = 0; // gases as mole fractions
    std::vector<thermo::ModelFluidComponent> components;  // a fluid model
};

struct OilInclusion {
    OilFluid fluid;
    double th = 0;               // degrees Celsius
    int homog = 1;               // 1 homogenisation to liquid, 0 to vapour
    thermo::IsoplethData branch; // the envelope branch of that type: the start of the homogenisation state
    double phHint = 0;           // bar; picks between two dew points at Th
    double tfv = 20;             // degrees Celsius: where the bubble fraction is measured
};

class OilEngine;

class OilIsochore : public IsochoreCurve {
  public:
    OilIsochore(std::shared_ptr<OilEngine> engine, double alpha, std::vector<double> composition, double th,
                double ph, double vh, HostMineral host);
    double start_temperature() const override { return mTh; }
    std::optional<IsochorePoint> at(double T) const override;

    double homogenisation_pressure() const { return mPh; } // bar
    double homogenisation_volume() const { return mVh; }   // m3/mol
    double alpha() const { return mAlpha; }

  private:
    std::shared_ptr<OilEngine> mEngine;
    double mAlpha;
    std::vector<double> mComposition;
    double mTh, mPh, mVh;
    HostMineral mHost;
};

class OilInclusionModel {
  public:
    struct Made {
        std::unique_ptr<OilInclusionModel> model; // null when refused
        std::string message;
    };
    static Made make(const OilInclusion& inclusion, HostMineral host);
    ~OilInclusionModel();

    const OilIsochore& isochore() const { return *mNominal; }
    bool is_alpha_beta() const { return mInclusion.fluid.alphaBeta; }
    // The bubble volume fraction (percent) at Tfv of the inclusion's oil: what the alpha of a
    // changed measurement must reproduce. Computed on first use; none where it cannot be.
    std::optional<double> bubble_fraction();
    // The isochore of the inclusion measured with Th and bubble fraction (percent) changed.
    std::unique_ptr<OilIsochore> varied(double th, double fvPercent);

  private:
    OilInclusionModel(const OilInclusion& inclusion, HostMineral host, std::shared_ptr<OilEngine> engine);

    OilInclusion mInclusion;
    HostMineral mHost;
    std::shared_ptr<OilEngine> mEngine;
    std::unique_ptr<OilIsochore> mNominal;
    std::optional<double> mBubbleFraction;
    bool mBubbleFractionTried = false;
};

} // namespace zephon::aqueous
