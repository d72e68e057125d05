// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/calculation_interface.hpp"

#include "thermo/critical_point.hpp"
#include "thermo/envelope_extremes.hpp"

#include <algorithm>
#include <cmath>

namespace zephon::thermo {

namespace {
constexpr double kKelvin = 273.15;
constexpr double kPaPerBar = 100000.0;
constexpr double kLLGPressureBar = 1500.0;
constexpr int kMaxLLGSteps = 2000; // a bound on the march towards the bubble point
// Branches whose last points are further apart than this (degrees) do not meet at a critical
// point; the diagram's record draws no estimate then either.
constexpr double kBranchesMeet = 10.0;

// The traced points of a branch as saturation states (K, Pa); the feed is the liquid of a bubble
// point and the vapour of a dew point. A point whose incipient phase is the feed itself is the
// estimated critical point a stored diagram appends, no saturation state: it is left out.
std::vector<SaturationState> saturation_states_of(const IsoplethData* branch, bool bubble) {
    std::vector<SaturationState> states;
    if (!branch) return states;
    for (const IsoplethData::Point& p : branch->points) {
        if (p.mz.size() != branch->mxref.size() || p.mz == branch->mxref) continue;
        SaturationState s;
        s.T = p.mT + kKelvin;
        s.P = p.mP * kPaPerBar;
        s.x = bubble ? branch->mxref : p.mz;
        s.y = bubble ? p.mz : branch->mxref;
        states.push_back(std::move(s));
    }
    return states;
}

EnvelopeKeyPoint to_key_point(bool found, double T, double P) {
    return found ? EnvelopeKeyPoint{true, T - kKelvin, P / kPaPerBar} : EnvelopeKeyPoint{};
}
} // namespace

CCalculationInterface::CCalculationInterface(char modelType) : mModelType(modelType) {
    if (modelType != 0) {
        auto liquid = std::make_unique<TableCubic>(2);
        auto vapour = std::make_unique<TableCubic>(1);
        auto oil = std::make_unique<Oil1>(*liquid, *vapour);
        mOil1 = oil.get();
        mSystem = std::move(oil);
        mLiquid = std::move(liquid);
        mVapour = std::move(vapour);
    } else {
        auto liquid = std::make_unique<Peng>(2);
        auto vapour = std::make_unique<Peng>(1);
        auto oil = std::make_unique<Oil2>(*liquid, *vapour);
        mOil2 = oil.get();
        mSystem = std::move(oil);
        mLiquid = std::move(liquid);
        mVapour = std::move(vapour);
    }
}

bool CCalculationInterface::SetModelFluid(const std::vector<ModelFluidComponent>& components) {
    if (!mOil2) return false;
    const short count = static_cast<short>(std::min<std::size_t>(components.size(), 1000));
    mOil2->number_of_components(count);
    for (short i = 0; i < count; ++i) {
        const ModelFluidComponent& c = components[i];
        // The shift is the fluid's own, in cm3/mol: it reaches the phases as exactly that volume.
        if (mOil2->set_component_constants(i, c.Tc + kKelvin, c.Pc * kPaPerBar, c.Vc * 1e-6, c.omega, c.Mw,
                                           c.Ct * 1e-6) != 0) {
            mOil2->number_of_components(0);
            return false;
        }
        mOil2->composition(i, c.molePercent / 100.0);
        mOil2->add_component(i, c.name.c_str());
    }
    return true;
}

void CCalculationInterface::set_distribution() {
    if (mOil1) mOil1->SetDistributionParameters(mAlpha, mBeta, mCO2, mN2, mH2S);
}

void CCalculationInterface::Finalize() {
    set_distribution();
}

double CCalculationInterface::GetIsoplethComposition(short i) const {
    return i >= 0 && i < mSystem->N ? mSystem->z[i] : 0.0;
}
double CCalculationInterface::GetLiquidComposition(short i) const {
    return i >= 0 && i < mSystem->N ? mSystem->x[i] : 0.0;
}
double CCalculationInterface::GetVapourComposition(short i) const {
    return i >= 0 && i < mSystem->N ? mSystem->y[i] : 0.0;
}

void CCalculationInterface::accept_step(double* T, double* P, double& t, double& p) {
    mSystem->save();
    report_state(&t, &p);
    if (T) *T = t;
    if (P) *P = p;
    if (mLambda < 1.0) mLambda = std::min(1.0, mLambda * 1.2);
}

void CCalculationInterface::report_state(double* T, double* P) const {
    if (T) *T = mSystem->T - kKelvin;
    if (P) *P = mSystem->P / kPaPerBar;
}

char CCalculationInterface::FirstIsoplethPoint(double* T, double* P) {
    set_distribution();
    double t = 0.0, p = 0.0;
    if (mBranch == 1)
        mSystem->FirstLiquidIsoplethPoint(t, p, mErrorMessageIndex, mBehavesAsAGas);
    else
        mSystem->FirstGasIsoplethPoint(t, p, mErrorMessageIndex);
    mLambda = 1.0;
    if (T) *T = t;
    if (P) *P = p;
    return mErrorMessageIndex;
}

signed char CCalculationInterface::NextIsoplethPoint(double* T, double* P) {
    const signed char r = mSystem->next_isopleth_point(mLambda, mBranch == 1, mBehavesAsAGas != 0);
    mErrorMessageIndex = static_cast<char>(mSystem->errorflag);
    if (r == 0 || r == -2) report_state(T, P);
    return r;
}

void CCalculationInterface::FirstLLGIsoplethPoint(double T, double* Tout, double* Pout) {
    Oil& oil = *mSystem;
    if (Tout) *Tout = 0.0;
    if (Pout) *Pout = 0.0;
    auto flashAt = [&oil](double tK) {
        oil.set_type_of_problem(12);
        oil.set_the_temperature(tK);
        oil.set_the_pressure(kLLGPressureBar);
        oil.set_initialization_flag(0);
        oil.calculateVLE();
        return oil.errorflag == 0;
    };
    oil.gradeflag = 0;
    double t = T + kKelvin;
    if (!flashAt(t)) return;
    oil.save();
    double step = 5.0;
    bool lastFailed = false;
    for (int k = 0; k < kMaxLLGSteps && (oil.Nv > 1e-12 || lastFailed); ++k) {
        if (flashAt(t + step)) {
            oil.save();
            t += step;
            lastFailed = false;
        } else {
            step *= 0.66;
            oil.restore();
            lastFailed = true;
            if (step < 0.01) break;
        }
    }
    oil.restore();
    oil.set_type_of_problem(13);
    oil.set_the_temperature(t);
    oil.set_the_vaporization_ratio(0.0);
    oil.set_initialization_flag(1);
    oil.calculateVLE();
    mErrorMessageIndex = static_cast<char>(oil.errorflag);
    if (oil.errorflag != 0) return;
    oil.save();
    report_state(Tout, Pout);
}

void CCalculationInterface::CalculateGOR() {
    Oil& oil = *mSystem;
    oil.CalculateGOR();
    mGOR = oil.mGOR;
    mAPI = oil.mAPI;
    mLiqMolarWeight = oil.mLiqMolarWeight;
    mMassVolLiq = oil.mMassVolLiq;
    mCH4 = oil.GetCH4() * 100.0;
    // The fluid's overall molar weight, which the fluid page logs.
    mMolarWeight = oil.calculateBulkMw();
}

void CCalculationInterface::CalculateIsochorsLimits(const IsoplethData* a, const IsoplethData* b) {
    const double minA = a ? a->mMinT : 0.0, minB = b ? b->mMinT : 0.0;
    const double maxTA = a ? a->mMaxT : 0.0, maxTB = b ? b->mMaxT : 0.0;
    const double maxPA = a ? a->mMaxP : 0.0, maxPB = b ? b->mMaxP : 0.0;
    mMinIsocT = std::min(minA, minB);
    mMaxIsocT = std::max(maxTA, maxTB) + 423.15;
    mMaxIsocP = std::min(std::max(maxPA, maxPB) + 500.0, 2000.0);
}

char CCalculationInterface::FirstIsochor1Point(double* T, double* P) {
    set_distribution();
    mHomogPhase = mHomog == 1 ? mSystem->liquid : mSystem->vapour;
    if (!mIsopleth) return 1;
    for (short i = 0; i < mHomogPhase->N && i < static_cast<short>(mIsopleth->mxref.size()); ++i)
        mHomogPhase->composition_of_component(i, mIsopleth->mxref[i]);
    mHomogPhase->volume(mBulkVolume);
    mIsochor1T = mTh + kKelvin;
    mHomogPhase->temperature(mIsochor1T);
    mHomogPhase->calculate_pressure();
    const double p = mHomogPhase->P / kPaPerBar;
    if (T) *T = mTh;
    if (P) *P = p;
    mPh = p;
    return std::isfinite(p) ? 0 : 4;
}

signed char CCalculationInterface::NextIsochor1Point(double* T, double* P) {
    if (!mHomogPhase) return -1;
    mIsochor1T += 20.0;
    mHomogPhase->temperature(mIsochor1T);
    mHomogPhase->volume(mBulkVolume);
    mHomogPhase->calculate_pressure();
    const double p = mHomogPhase->P / kPaPerBar;
    if (T) *T = mIsochor1T - kKelvin;
    if (P) *P = p;
    if (!std::isfinite(p)) return -1;
    if (p > mMaxIsocP || mIsochor1T > mMaxIsocT) return -2;
    return 0;
}

char CCalculationInterface::FirstIsochor2Point(double* T, double* P) {
    set_distribution();
    if (T) *T = 0.0;
    if (P) *P = 0.0;
    if (!mIsopleth || mIsopleth->points.empty()) return 1;
    const auto& pts = mIsopleth->points;
    const std::size_t n = pts.size();
    double lowest = 2000.0, highest = -2000.0;
    std::size_t prev = 0, cur = 0;
    double t = 1.0;
    bool found = false, endStart = false;
    std::size_t highestIndex = 0;

    auto note = [&](std::size_t k) {
        lowest = std::min(lowest, pts[k].mT);
        if (pts[k].mT > highest) {
            highest = pts[k].mT;
            highestIndex = k;
        }
    };
    if (mHomog == 1) {
        note(0);
        for (std::size_t k = 1; k < n && !found; ++k) {
            note(k);
            if (pts[k - 1].mT <= mTh && mTh < pts[k].mT) {
                prev = k - 1, cur = k;
                t = (mTh - pts[prev].mT) / (pts[cur].mT - pts[prev].mT);
                found = true;
            }
        }
        if (!found) cur = prev = n - 1;
    } else {
        // From the last point backwards; keep the first two bracketing pairs and choose the
        // one whose pressure is nearer the known homogenisation pressure.
        struct Bracket {
            std::size_t prev, cur;
            double t, p;
        };
        std::vector<Bracket> brackets;
        note(n - 1);
        for (std::size_t k = n - 1; k-- > 0;) {
            note(k);
            const double tPrev = pts[k + 1].mT, tCur = pts[k].mT;
            const bool inside = (mTh >= tPrev && mTh < tCur) || (mTh <= tPrev && mTh > tCur);
            if (inside && brackets.size() < 2) {
                const double tt = (mTh - tPrev) / (tCur - tPrev);
                brackets.push_back({k + 1, k, tt, tt * pts[k].mP + (1.0 - tt) * pts[k + 1].mP});
            }
        }
        if (!brackets.empty()) {
            Bracket use = brackets[0];
            if (brackets.size() == 2 && mPh > 0.0 &&
                std::fabs(brackets[1].p - mPh) < std::fabs(brackets[0].p - mPh))
                use = brackets[1];
            prev = use.prev, cur = use.cur, t = use.t;
            found = true;
        } else {
            cur = prev = 0;
        }
    }
    if (!found) {
        if (mTh < lowest) return 1;
        if (mTh > highest) {
            if (mTh - highest >= 2.0) return 2;
            prev = cur = highestIndex;
            t = 1.0;
            endStart = true;
        }
    }

    Oil& oil = *mSystem;
    const IsoplethData::Point& a = pts[prev];
    const IsoplethData::Point& b = pts[cur];
    const short N = oil.N;
    for (short i = 0; i < N; ++i) {
        const double zi = i < static_cast<short>(mIsopleth->mxref.size()) ? mIsopleth->mxref[i] : 0.0;
        const double za = i < static_cast<short>(a.mz.size()) ? a.mz[i] : 0.0;
        const double zb = i < static_cast<short>(b.mz.size()) ? b.mz[i] : 0.0;
        const double incipient = za + (zb - za) * t;
        oil.composition(i, zi);
        if (mHomog == 1) {
            oil.xcomposition(i, zi);
            oil.ycomposition(i, incipient);
        } else {
            oil.ycomposition(i, zi);
            oil.xcomposition(i, incipient);
        }
    }
    oil.Pnc = (a.mP + (b.mP - a.mP) * t) * kPaPerBar;
    oil.set_initialization_flag(0);
    if (endStart) {
        oil.set_type_of_problem(23);
        oil.set_the_pressure(mPh);
        oil.Tnc = mTh + kKelvin;
    } else {
        oil.set_type_of_problem(13);
        oil.set_the_temperature(mTh + kKelvin);
    }
    oil.set_the_vaporization_ratio(mHomog == 1 ? 0.0 : 1.0);
    oil.gradeflag = 0;
    oil.calculateVLE();
    if (oil.errorflag == 0) {
        oil.save();
        const FluidPhase& homogeneous = mHomog == 1 ? *oil.liquid : *oil.vapour;
        mBulkVolume = homogeneous.V;
        mMolarWeight = homogeneous.bMolarWeight;
        mBulkDensity = mMolarWeight / (mBulkVolume * 1000000.0);
        report_state(T, P);
    }
    mErrorMessageIndex = static_cast<char>(oil.errorflag);
    mLambda = 1.0;
    return oil.errorflag != 0 ? 4 : 0;
}

signed char CCalculationInterface::NextIsochor2Point(double* T, double* P) {
    Oil& oil = *mSystem;
    oil.set_initialization_flag(0);
    oil.set_type_of_problem(14);
    oil.set_the_volume(mBulkVolume);
    oil.estimateNextIsochorPoint(mLambda, -10.0);
    oil.calculateVLE();
    mErrorMessageIndex = static_cast<char>(oil.errorflag);
    if (oil.errorflag != 0) {
        mLambda /= 2.0;
        if (mLambda < 0.1) return -1;
        oil.restore();
        return 1;
    }
    double t = 0.0, p = 0.0;
    accept_step(T, P, t, p);
    if (t < mMinIsocT || p > mMaxIsocP) return -2;
    return 0;
}

EnvelopeKeyPoints CCalculationInterface::CalculateEnvelopeKeyPoints(const IsoplethData* liquid,
                                                                    const IsoplethData* vapour) {
    EnvelopeKeyPoints points;
    set_distribution();
    Oil& oil = *mSystem;
    if (oil.N <= 0) return points;
    const std::vector<SaturationState> bubble = saturation_states_of(liquid, true);
    const std::vector<SaturationState> dew = saturation_states_of(vapour, false);
    const EnvelopeExtreme bar = cricondenbar(oil, bubble, dew);
    points.cricondenbar = to_key_point(bar.found, bar.T, bar.P);
    const EnvelopeExtreme therm = cricondentherm(oil, bubble, dew);
    points.cricondentherm = to_key_point(therm.found, therm.T, therm.P);
    if (!bubble.empty() && !dew.empty()) {
        // Started from the estimate: the middle of the two branches' last points (an appended
        // estimate is that middle already).
        const IsoplethData::Point& a = liquid->points.back();
        const IsoplethData::Point& b = vapour->points.back();
        if (std::fabs(a.mT - b.mT) <= kBranchesMeet) {
            const double T0 = 0.5 * (a.mT + b.mT) + kKelvin, P0 = 0.5 * (a.mP + b.mP) * kPaPerBar;
            const CriticalPointResult critical = critical_point(*mLiquid, oil.z, T0, P0);
            points.critical = to_key_point(critical.found, critical.T, critical.P);
        }
    }
    return points;
}

OnePhaseState CCalculationInterface::OnePhaseStateAt(double temperatureK, double molarVolumeM3) {
    FluidPhase& phase = *mVapour;
    for (short i = 0; i < phase.N && i < mSystem->N; ++i)
        phase.composition_of_component(i, mSystem->z[i]);
    return one_phase_state(*mVapour, temperatureK, molarVolumeM3);
}

} // namespace zephon::thermo
