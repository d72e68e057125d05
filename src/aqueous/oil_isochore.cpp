// SPDX-License-Identifier: BSD-3-Clause
#include "aqueous/oil_isochore.hpp"

#include <cmath>
#include <limits>

#include "thermo/envelope_saturation.hpp"
#include "thermo/oil1.hpp"

namespace zephon::aqueous {

namespace {
constexpr double kKelvin = 273.15;
constexpr double kPaPerBar = 1e5;
// The alpha of a changed measurement is solved this closely: far below what the uncertainties
// move it by.
constexpr double kAlphaTolerance = 1e-9;
} // namespace

OnePhasePressure one_phase_pressure(thermo::ICubic& phase, double T, double v) {
    phase.temperature(T);
    phase.volume(v);
    phase.calculate_pressure();
    // calculate_pressure differentiates at constant untranslated volume w = v + cm(T); at constant
    // v, w moves with the shift's temperature dependence.
    return {phase.P, phase.dPdT + phase.dPdV * phase.dcmdT, phase.dPdV};
}

// The equation of state of one fluid, shared by the isochores of its nominal and changed
// measurements; an alpha-beta oil's pseudo-components are rewritten whenever alpha changes.
class OilEngine {
  public:
    explicit OilEngine(const OilFluid& fluid) : mFluid(fluid), mInterface(fluid.alphaBeta ? 1 : 0) {
        if (fluid.alphaBeta) {
            mInterface.mAlpha = fluid.alpha;
            mInterface.mBeta = fluid.beta;
            mInterface.mCO2 = fluid.co2;
            mInterface.mN2 = fluid.n2;
            mInterface.mH2S = fluid.h2s;
            mOil1 = dynamic_cast<thermo::Oil1*>(&mInterface.system());
            mReady = mOil1 != nullptr;
        } else {
            mReady = !fluid.components.empty() && mInterface.SetModelFluid(fluid.components);
        }
    }
    bool ready() const { return mReady; }
    thermo::CCalculationInterface& interface() { return mInterface; }
    thermo::Oil1* oil1() { return mOil1; }
    thermo::ICubic& phase() { return *mInterface.mLiquid; }

    // The calculation interface sets the diagram's alpha itself.
    void interface_set_nominal() { mCurrentAlpha = mFluid.alpha; }
    void alpha_now(double alpha) { mCurrentAlpha = alpha; }
    void use_alpha(double alpha) {
        if (mOil1 == nullptr || alpha == mCurrentAlpha) return;
        mOil1->SetDistributionParameters(alpha, mFluid.beta, mFluid.co2, mFluid.n2, mFluid.h2s);
        mCurrentAlpha = alpha;
    }

  private:
    OilFluid mFluid;
    thermo::CCalculationInterface mInterface;
    thermo::Oil1* mOil1 = nullptr;
    bool mReady = false;
    double mCurrentAlpha = std::numeric_limits<double>::quiet_NaN();
};

OilIsochore::OilIsochore(std::shared_ptr<OilEngine> engine, double alpha, std::vector<double> composition,
                         double th, double ph, double vh, HostMineral host)
    : mEngine(std::move(engine)), mAlpha(alpha), mComposition(std::move(composition)), mTh(th), mPh(ph),
      mVh(vh), mHost(host) {}

std::optional<IsochorePoint> OilIsochore::at(double T) const {
    if (!std::isfinite(T) || T < mTh) return std::nullopt;
    mEngine->use_alpha(mAlpha);
    thermo::ICubic& phase = mEngine->phase();
    for (short i = 0; i < phase.N && i < static_cast<short>(mComposition.size()); ++i)
        phase.composition_of_component(i, mComposition[i]);
    const double tK = T + kKelvin;

    OnePhasePressure r = one_phase_pressure(phase, tK, mVh);
    double P = r.P / kPaPerBar, v = mVh;
    const HostProperties host = host_properties(mHost);
    if (mHost != HostMineral::None) {
        // P = P_eos(T, v_h V(T, P) / V_h): Newton on P, the cavity's volume moving little with it.
        if (T > host.highestT) return std::nullopt;
        for (int iteration = 0; iteration < 50; ++iteration) {
            v = mVh * std::exp(host_log_volume_ratio(mHost, mTh, mPh, T, P));
            r = one_phase_pressure(phase, tK, v);
            const double g = P - r.P / kPaPerBar;
            const double dg = 1.0 + host.beta * v * r.dPdV / kPaPerBar;
            const double step = g / dg;
            P -= step;
            if (!std::isfinite(P)) return std::nullopt;
            if (std::fabs(step) <= 1e-12 * std::fabs(P)) break;
        }
        v = mVh * std::exp(host_log_volume_ratio(mHost, mTh, mPh, T, P));
        r = one_phase_pressure(phase, tK, v);
        P = r.P / kPaPerBar;
    }
    if (!std::isfinite(P) || P > kHighestIsochorePressure) return std::nullopt;
    // dP/dT = (dP/dT|v + dP/dv v alpha_V) / (1 + dP/dv v beta), the host terms zero without one.
    const double alphaV = mHost == HostMineral::None ? 0.0 : host_expansion(mHost, T);
    const double slope =
        (r.dPdT + r.dPdV * v * alphaV) / (kPaPerBar * (1.0 + host.beta * v * r.dPdV / kPaPerBar));
    return IsochorePoint{T, P, slope};
}

OilInclusionModel::OilInclusionModel(const OilInclusion& inclusion, HostMineral host,
                                     std::shared_ptr<OilEngine> engine)
    : mInclusion(inclusion), mHost(host), mEngine(std::move(engine)) {}

OilInclusionModel::~OilInclusionModel() = default;

namespace {

const char* homogenisation_failure(char code) {
    switch (code) {
    case 1:
        return "The oil's homogenisation temperature lies below its envelope branch.";
    case 2:
        return "The oil's homogenisation temperature lies above its envelope branch.";
    default:
        break;
    }
    return "The oil's homogenisation state could not be calculated.";
}

} // namespace

OilInclusionModel::Made OilInclusionModel::make(const OilInclusion& inclusion, HostMineral host) {
    Made made;
    auto engine = std::make_shared<OilEngine>(inclusion.fluid);
    if (!engine->ready()) {
        made.message = "The oil's fluid model has no component, or one the equation of state cannot use.";
        return made;
    }
    std::unique_ptr<OilInclusionModel> model(new OilInclusionModel(inclusion, host, engine));
    thermo::CCalculationInterface& ci = engine->interface();
    ci.mTh = inclusion.th;
    ci.mPh = inclusion.phHint;
    ci.mHomog = static_cast<char>(inclusion.homog == 1 ? 1 : 0);
    ci.mIsopleth = &model->mInclusion.branch;
    double t = 0, p = 0;
    const char code = ci.FirstIsochor2Point(&t, &p);
    engine->interface_set_nominal();
    if (code != 0 || !(ci.mBulkVolume > 0)) {
        made.message = homogenisation_failure(code);
        return made;
    }
    std::vector<double> composition(ci.GetNumberOfComponents());
    for (short i = 0; i < ci.GetNumberOfComponents(); ++i)
        composition[i] = ci.GetIsoplethComposition(i);
    model->mNominal = std::make_unique<OilIsochore>(engine, inclusion.fluid.alpha, std::move(composition),
                                                    inclusion.th, p, ci.mBulkVolume, host);
    made.model = std::move(model);
    return made;
}

std::optional<double> OilInclusionModel::bubble_fraction() {
    if (mBubbleFractionTried) return mBubbleFraction;
    mBubbleFractionTried = true;
    if (mInclusion.tfv >= mInclusion.th) return std::nullopt;
    // From the homogenisation state down the two-phase isochore to Tfv.
    thermo::CCalculationInterface& ci = mEngine->interface();
    ci.mTh = mInclusion.th;
    ci.mPh = mNominal->homogenisation_pressure();
    double t = 0, p = 0;
    const char code = ci.FirstIsochor2Point(&t, &p);
    mEngine->interface_set_nominal();
    if (code != 0) return std::nullopt;
    thermo::Oil& oil = ci.system();
    if (!thermo::state_down_the_isochore(oil, mInclusion.tfv + kKelvin, ci.mBulkVolume)) return std::nullopt;
    mBubbleFraction = oil.Fvv * 100.0;
    return mBubbleFraction;
}

std::unique_ptr<OilIsochore> OilInclusionModel::varied(double th, double fvPercent) {
    thermo::CCalculationInterface& ci = mEngine->interface();
    if (!mInclusion.fluid.alphaBeta) {
        // The same fluid homogenising at another temperature.
        ci.mTh = th;
        ci.mPh = mNominal->homogenisation_pressure();
        double t = 0, p = 0;
        const char code = ci.FirstIsochor2Point(&t, &p);
        if (code != 0 || !(ci.mBulkVolume > 0)) return nullptr;
        std::vector<double> composition(ci.GetNumberOfComponents());
        for (short i = 0; i < ci.GetNumberOfComponents(); ++i)
            composition[i] = ci.GetIsoplethComposition(i);
        return std::make_unique<OilIsochore>(mEngine, 0.0, std::move(composition), th, p, ci.mBulkVolume,
                                             mHost);
    }

    // The alpha (same beta and gases) whose oil reproduces the changed measurement.
    if (!bubble_fraction() || !(fvPercent > 0) || !(fvPercent < 100)) return nullptr;
    thermo::Oil1* oil = mEngine->oil1();
    mEngine->use_alpha(mNominal->alpha());
    oil->FindAlpha(th + kKelvin, mInclusion.tfv + kKelvin, fvPercent / 100.0, kAlphaTolerance,
                   static_cast<char>(mInclusion.homog == 1 ? 1 : 0));
    // The search leaves the distribution at its last alpha (the root on success).
    mEngine->alpha_now(oil->alpha);
    if (oil->errorflag != 0 || !(oil->Vl0 > 0)) return nullptr;
    std::vector<double> composition(oil->N);
    for (short i = 0; i < oil->N; ++i)
        composition[i] = oil->z[i];
    return std::make_unique<OilIsochore>(mEngine, oil->alpha, std::move(composition), th, oil->Ph / kPaPerBar,
                                         oil->Vl0, mHost);
}

} // namespace zephon::aqueous
