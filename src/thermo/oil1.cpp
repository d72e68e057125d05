// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/oil1.hpp"

#include "thermo/initial_estimates.hpp"

#include <cmath>

namespace zephon::thermo {

namespace {

constexpr short kAlphaSlot = 4; // equation4
constexpr short kSearchMaxIterations = 20;
constexpr double kSearchTolerance = 1e-8;

bool finite_positive(double v) {
    return std::isfinite(v) && v > 0.0;
}

} // namespace

Oil1::Oil1(TableCubic& liquid, TableCubic& vapour)
    : Oil(liquid, vapour), mTableLiquid(&liquid), mTableVapour(&vapour) {
    // The Newton settings of number_of_components below take precedence over this one.
    algorithm.maxsumres = 0.1;
    algorithm0 = std::make_unique<Secant>();
    algorithm0->relax0 = 1.0;
    algorithm0->relax1 = 0.01;
    algorithm0->oscillationflag = 0;
    algorithm0->set_equation(*this, kAlphaSlot);
    algorithm0->epsilon = kSearchTolerance;
    algorithm0->itermax = kSearchMaxIterations;

    number_of_components(kOilComponentCount);
    for (short i = 0; i < kOilComponentCount; ++i) {
        add_component(i, AlphaBetaDistribution::kComponentNames[i]);
        mw[i] = AlphaBetaDistribution::kComponentMolarWeights[i];
    }
    zN2 = zCO2 = zH2S = 0.0;
    // A usable feed from the start: the default distribution.
    UpdateDistribution();
}

short Oil1::read_component_data(short i, const char*) {
    const auto data = ideal_component_by_index(i);
    if (data) set_ideal_component(i, *data);
    return 0;
}

std::uint16_t Oil1::SetDistributionParameters(double alpha_, double beta_, double CO2, double N2,
                                              double H2S) {
    alpha = alpha_;
    beta = beta_;
    zCO2 = CO2;
    zN2 = N2;
    zH2S = H2S;
    return UpdateDistribution();
}

std::uint16_t Oil1::UpdateDistribution() {
    distribution.alpha = alpha;
    distribution.beta = beta;
    distribution.zN2 = zN2;
    distribution.zCO2 = zCO2;
    distribution.zH2S = zH2S;
    const std::uint16_t status = distribution.UpdateDistribution();
    // Clamped or rejected inputs come back as the distribution holds them.
    alpha = distribution.alpha;
    beta = distribution.beta;
    zN2 = distribution.zN2;
    zCO2 = distribution.zCO2;
    zH2S = distribution.zH2S;
    nc = distribution.nc;
    for (short i = 0; i < kOilComponentCount; ++i)
        xcompo[i] = distribution.xcompo[i];
    if (!(status & kPseudoComponentInvalid)) {
        store_pseudo_components(distribution, *mTableLiquid);
        store_pseudo_components(distribution, *mTableVapour);
    }
    for (short i = 0; i < kOilComponentCount; ++i)
        composition(i, xcompo[i]);
    return status;
}

void Oil1::Regroupe() {
    distribution.Regroupe();
    for (short i = 0; i < kOilComponentCount; ++i)
        xcompo[i] = distribution.xcompo[i];
}

std::uint16_t Oil1::CalcCoupe(short first, short last, double& Tc_, double& Pc_, double& Vc, double& omega,
                              double& Mw, double& sc) const {
    return distribution.CalcCoupe(first, last, Tc_, Pc_, Vc, omega, Mw, sc);
}

bool Oil1::distribution_usable(std::uint16_t status) const {
    return !(status & (kParameterNotFinite | kPseudoComponentInvalid));
}

double Oil1::wilson_k_value(short i, double T_, double P_) const {
    const TableCubic& phase = *mTableLiquid;
    return phase.Pc[i] / P_ * std::exp(5.373 * (1.0 + phase.omega[i]) * (1.0 - phase.Tc[i] / T_));
}

double Oil1::fail_evaluation(short code) {
    error = 1;
    errorflag = code;
    return 0.0;
}

bool Oil1::standard_conditions_at(double alpha_) {
    alpha = alpha_;
    if (!distribution_usable(UpdateDistribution())) {
        error = 1;
        return false;
    }
    CalculateGOR();
    if (mGOR == 0.0) { // the oil does not split at standard conditions
        error = 1;
        return false;
    }
    return true;
}

double Oil1::equation5(double alpha_) {
    return standard_conditions_at(alpha_) ? mGOR - mGOR0 : 0.0;
}

double Oil1::equation6(double alpha_) {
    return standard_conditions_at(alpha_) ? mAPI - mAPI0 : 0.0;
}

char Oil1::EstimateInitial(char homog, double Th_, double Fv, double& alpha_) {
    alpha_ = 0.0;
    errorflag = 0;
    mHasInitialEstimate = false;
    InitialEstimate estimate;
    if (lookup_initial_estimate(homog, Th_, Fv, estimate) != 0 || !finite_positive(estimate.alpha) ||
        !finite_positive(estimate.P)) {
        errorflag = kNoInitialEstimate;
        return 1;
    }
    alpha_ = estimate.alpha;
    alpha = estimate.alpha;
    beta = 0.0;
    UpdateDistribution();

    const bool liquidBranch = homog != 0;
    Pnc = estimate.P;
    // The tables are made without gases: a feed component they lack (or hold only as a trace
    // a million times below its feed fraction) gets its fraction in the incipient phase from
    // Wilson's K-value at the estimate's temperature and pressure, so that the start holds
    // every component of the feed (nitrogen, being the most volatile, must be richer in the
    // vapour).
    std::vector<double>& incipient = liquidBranch ? ync : xnc;
    std::vector<double>& feed = liquidBranch ? xnc : ync;
    double sum = 0.0;
    for (short i = 0; i < kOilComponentCount; ++i) {
        feed[i] = z[i];
        incipient[i] = estimate.incipient[i];
        if (z[i] > 0.0 && !(incipient[i] > 1e-6 * z[i])) {
            const double K = wilson_k_value(i, Th_, estimate.P);
            incipient[i] = liquidBranch ? K * z[i] : z[i] / K;
        }
        sum += incipient[i];
    }
    if (sum > 0.0)
        for (short i = 0; i < kOilComponentCount; ++i)
            incipient[i] /= sum;
    mHasInitialEstimate = true;
    return 0;
}

} // namespace zephon::thermo
