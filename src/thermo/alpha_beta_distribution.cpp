// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/alpha_beta_distribution.hpp"

#include "thermo/cla_cubic.hpp"

#include <algorithm>
#include <cmath>

namespace zephon::thermo {

namespace {

constexpr double kTailCutoff = 1e-10; // the tail stops at the first unnormalised fraction below this
constexpr short kFirstTailIndex = 11; // xx index from which the tail is purely geometric
constexpr short kCn1First = 11, kCn1Last = 25, kCn2First = 26, kCn2Last = 499;

bool finite_positive(double v) {
    return std::isfinite(v) && v > 0.0;
}

// Normalises x[0..n-1] to sum 1; a zero or non-finite sum leaves them as they are.
void normalise(std::array<double, kMaxCarbonNumbers>& x, short n) {
    double sum = 0.0;
    for (short k = 0; k < n; ++k)
        sum += x[k];
    if (!finite_positive(sum)) return;
    for (short k = 0; k < n; ++k)
        x[k] /= sum;
}

} // namespace

const std::array<const char*, kOilComponentCount> AlphaBetaDistribution::kComponentNames = {
    "N2",  "CO2", "H2S", "C1", "C2", "C3",  "iC4", "nC4", "iC5",
    "nC5", "C6",  "C7",  "C8", "C9", "C10", "Cn1", "Cn2"};

const std::array<double, kOilComponentCount> AlphaBetaDistribution::kComponentMolarWeights = {
    28.01, 44.01, 34.08, 16.04, 30.07, 44.1,  58.12, 58.12, 71.95,
    72.15, 85.26, 98.4,  112.0, 126.0, 140.0, 200.0, 440.0};

AlphaBetaDistribution::AlphaBetaDistribution() : mw(kComponentMolarWeights) {
    UpdateDistribution();
}

std::uint16_t AlphaBetaDistribution::SetDistributionParameters(double alpha_, double beta_, double CO2,
                                                               double N2, double H2S) {
    alpha = alpha_;
    beta = beta_;
    zCO2 = CO2;
    zN2 = N2;
    zH2S = H2S;
    return UpdateDistribution();
}

std::uint16_t AlphaBetaDistribution::clamp_inputs() {
    if (!std::isfinite(alpha) || !std::isfinite(beta)) {
        alpha = lastAlpha_, beta = lastBeta_, zN2 = lastN2_, zCO2 = lastCO2_, zH2S = lastH2S_;
        return kParameterNotFinite;
    }
    std::uint16_t status = kDistributionOk;
    if (alpha < 0.0 || alpha > kMaxAlpha) {
        alpha = std::clamp(alpha, 0.0, kMaxAlpha);
        status |= kAlphaClamped;
    }
    if (beta < 0.0 || beta > 1.0) {
        beta = std::clamp(beta, 0.0, 1.0);
        status |= kBetaClamped;
    }
    for (double* gas : {&zN2, &zCO2, &zH2S}) {
        if (!std::isfinite(*gas) || *gas < 0.0) {
            *gas = 0.0;
            status |= kGasClamped;
        }
    }
    const double gases = zN2 + zCO2 + zH2S;
    if (gases > 1.0) {
        zN2 /= gases, zCO2 /= gases, zH2S /= gases;
        status |= kGasClamped;
    }
    return status;
}

std::uint16_t AlphaBetaDistribution::UpdateDistribution() {
    std::uint16_t status = clamp_inputs();
    if (status & kParameterNotFinite) return status;
    lastAlpha_ = alpha, lastBeta_ = beta, lastN2_ = zN2, lastCO2_ = zCO2, lastH2S_ = zH2S;

    const double a = alpha;
    const double b = beta;
    std::array<double, kMaxCarbonNumbers>& X = xx;
    X.fill(0.0);

    X[0] = 1.0;
    X[1] = a * (1.0 - b) * X[0];
    X[2] = a * (1.0 - b / std::sqrt(2.0)) * X[1];
    X[3] = a * (1.0 - b / std::sqrt(3.0)) * X[2];
    X[4] = a * (1.0 - b / 2.0) * X[3];
    X[5] = (1.0 - b / std::sqrt(5.0)) * X[4];
    X[6] = X[5];
    X[7] = a * (1.0 - b / 7.0) * X[6];
    X[8] = a * (1.0 - b / 8.0) * X[7];
    X[9] = a * (1.0 - b / 9.0) * X[8];
    X[10] = a * (1.0 - b / 10.0) * X[9];

    short n = kMaxCarbonNumbers;
    for (short k = kFirstTailIndex; k < kMaxCarbonNumbers; ++k) {
        const double next = a * X[k - 1];
        if (next < kTailCutoff) {
            n = k;
            break;
        }
        X[k] = next;
    }
    normalise(X, n);

    // Light ends, on the normalised fractions.
    const double S = X[2] + X[3] + X[4];
    const double T = 0.94 * S * std::sqrt(std::fabs(X[0] * (1.8 - X[0])));
    X[2] = 0.4341 * T;
    X[3] = a * X[2] / (b + 0.8);
    X[4] = a * X[3] / (0.7 * b * b + 0.9);
    X[1] = 2.15 * X[2] * (X[0] + 0.19);

    const double heavyFactor = 1.4 * (1.0 + 10.0 * (a - 0.9) * (a - 0.9));
    for (short k = 5; k <= 9; ++k) {
        X[k] *= 1.0 - 0.28 * (10 - k) / 5.0;
        X[k] *= heavyFactor;
    }
    normalise(X, n);
    nc = n;

    Regroupe();
    status |= CalcCoupe(kCn1First, kCn1Last, cn1.Tc, cn1.Pc, cn1.Vc, cn1.omega, cn1.Mw, cn1.sc);
    status |= CalcCoupe(kCn2First, kCn2Last, cn2.Tc, cn2.Pc, cn2.Vc, cn2.omega, cn2.Mw, cn2.sc);
    return status;
}

void AlphaBetaDistribution::Regroupe() {
    const short n = std::clamp<short>(nc, 0, kMaxCarbonNumbers);
    const auto at = [&](short k) { return k < n ? xx[k] : 0.0; };

    xcompo[0] = zN2;
    xcompo[1] = zCO2;
    xcompo[2] = zH2S;
    xcompo[3] = at(0);
    xcompo[4] = at(1);
    xcompo[5] = at(2);
    xcompo[6] = at(3) / 3.24;
    xcompo[7] = at(3) / 1.4465;
    xcompo[8] = at(4) / 1.86207;
    xcompo[9] = at(4) / 1.16;
    for (short j = 10; j <= 14; ++j)
        xcompo[j] = at(j - 5);
    double heavy1 = 0.0, heavy2 = 0.0;
    for (short k = 10; k < std::min<short>(n, 25); ++k)
        heavy1 += xx[k];
    for (short k = 25; k < n; ++k)
        heavy2 += xx[k];
    xcompo[15] = heavy1;
    xcompo[16] = heavy2;

    const double g = xcompo[0] + xcompo[1] + xcompo[2];
    double s = 0.0;
    for (int j = 3; j < kOilComponentCount; ++j)
        s += xcompo[j];
    if (s > 0.0) {
        const double factor = (1.0 - g) / s;
        for (int j = 3; j < kOilComponentCount; ++j)
            xcompo[j] *= factor;
    }
}

std::uint16_t AlphaBetaDistribution::CalcCoupe(short first, short last, double& Tc, double& Pc, double& Vc,
                                               double& omega, double& Mw, double& sc) const {
    double weight = 1.0, sumWeights = 0.0, sumMw = 0.0;
    for (short n = first; n <= last; ++n) {
        sumWeights += weight;
        sumMw += weight * 12.5 * n;
        weight *= alpha;
    }
    Mw = sumMw / sumWeights;
    const double N = Mw / 12.5;
    omega = 0.025 * N + 0.14 - 0.00017 * N * N;
    sc = 1.0 - 2.5 * std::pow(Mw, -0.2);
    Tc = 90.0 * std::log(Mw) + 96.0 + 0.75 * Mw - 4100.0 / Mw;
    Pc = 655398.1443946692 * Tc / (14.0 * N + 22.5 - 0.08 * N * N);
    Vc = 2.5558574518639996 * Tc / Pc;

    const bool valid = finite_positive(Tc) && finite_positive(Pc) && finite_positive(Vc) &&
                       finite_positive(Mw) && std::isfinite(omega) && std::isfinite(sc);
    return valid ? kDistributionOk : kPseudoComponentInvalid;
}

void store_pseudo_components(const AlphaBetaDistribution& distribution, TableCubic& phase) {
    const CutProperties& c1 = distribution.cn1;
    const CutProperties& c2 = distribution.cn2;
    phase.Tc15 = c1.Tc, phase.Pc15 = c1.Pc, phase.om15 = c1.omega;
    phase.Vc15 = c1.Vc, phase.mw15 = c1.Mw, phase.sc15 = c1.sc;
    phase.read_component_data(15, "Cn1");
    phase.Tc16 = c2.Tc, phase.Pc16 = c2.Pc, phase.om16 = c2.omega;
    phase.Vc16 = c2.Vc, phase.mw16 = c2.Mw, phase.sc16 = c2.sc;
    phase.read_component_data(16, "Cn2");
}

} // namespace zephon::thermo
