// SPDX-License-Identifier: BSD-3-Clause
#include "aqueous/crossing_band.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zephon::aqueous {

namespace {
constexpr int kStepHalvings = 4;
}

BandResult propagate_uncertainty(const CrossingOfInputs& crossing, const std::vector<UncertainInput>& inputs,
                                 const std::vector<InputCorrelation>& correlations) {
    BandResult result;
    std::vector<double> x(inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i)
        x[i] = inputs[i].value;
    // dT/dx_i sd_i and dP/dx_i sd_i from the central difference over +-h.
    std::vector<double> gT(inputs.size(), 0.0), gP(inputs.size(), 0.0);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const double sd = inputs[i].sd;
        if (!(sd > 0)) continue;
        bool done = false;
        for (int k = 0; k <= kStepHalvings && !done; ++k) {
            const double h = sd / std::pow(2.0, k);
            std::vector<double> up = x, down = x;
            up[i] += h;
            down[i] -= h;
            const auto a = crossing(up), b = crossing(down);
            if (!a || !b) continue;
            gT[i] = (a->first - b->first) / (2 * h) * sd;
            gP[i] = (a->second - b->second) / (2 * h) * sd;
            if (k > 0) result.halved.push_back(inputs[i].name);
            done = true;
        }
        if (!done) {
            result.message = "The crossing could not be calculated with " + inputs[i].name +
                             " changed by its uncertainty.";
            return result;
        }
    }
    double varT = 0, varP = 0, covTP = 0;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        varT += gT[i] * gT[i];
        varP += gP[i] * gP[i];
        covTP += gT[i] * gP[i];
    }
    for (const InputCorrelation& c : correlations) {
        if (c.first >= inputs.size() || c.second >= inputs.size() || c.first == c.second) continue;
        const double r = std::clamp(c.r, -1.0, 1.0);
        varT += 2 * r * gT[c.first] * gT[c.second];
        varP += 2 * r * gP[c.first] * gP[c.second];
        covTP += r * (gT[c.first] * gP[c.second] + gT[c.second] * gP[c.first]);
    }
    result.ok = true;
    result.band.sdT = std::sqrt(std::max(varT, 0.0));
    result.band.sdP = std::sqrt(std::max(varP, 0.0));
    const double denominator = result.band.sdT * result.band.sdP;
    result.band.correlation = denominator > 0 ? std::clamp(covTP / denominator, -1.0, 1.0) : 0.0;
    return result;
}

std::vector<std::pair<double, double>> uncertainty_ellipse(double T, double P, const CrossingBand& band,
                                                           double coverage, int count) {
    // For two normal variables the probability inside the ellipse of Mahalanobis radius k is
    // 1 - exp(-k^2 / 2).
    const double k = std::sqrt(-2.0 * std::log(1.0 - coverage));
    // Cholesky factor of the covariance: (T, P) = centre + k L (cos t, sin t).
    const double r = band.correlation;
    const double l11 = band.sdT, l21 = r * band.sdP, l22 = band.sdP * std::sqrt(std::max(0.0, 1.0 - r * r));
    std::vector<std::pair<double, double>> points;
    count = std::max(count, 3);
    for (int i = 0; i < count; ++i) {
        const double t = 2.0 * std::numbers::pi * i / (count - 1);
        const double c = std::cos(t), s = std::sin(t);
        points.emplace_back(T + k * l11 * c, P + k * (l21 * c + l22 * s));
    }
    return points;
}

} // namespace zephon::aqueous
