// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/oil.hpp"

#include <algorithm>
#include <cmath>
#include <memory>

namespace zephon::thermo {

namespace {

constexpr double kStandardTemperature = 288.15; // K
constexpr double kStandardPressure = 1.0;       // bar
constexpr double kCelsius = 273.15;
constexpr double kLowBubblePressure = 2000000.0; // Pa: below it the bubble branch starts where it is
constexpr double kLowDewPressure = 10000.0;      // Pa
constexpr double kDistinctMethane = 0.03;        // methane fraction difference of two distinct phases
constexpr double kIsoplethStepT = 10.0;          // K
constexpr double kIsoplethStepP = 500000.0;      // Pa
// A step is kept only where the final corrections brought Newton's scaled residual this low.
constexpr double kPolishedResidual = 1e-11;

// Pressure ramp from the one-phase liquid (last resort of the bubble-branch search).
constexpr double kRampTemperature = 523.15;  // K
constexpr double kRampStartPressure = 100.0; // bar
constexpr double kRampLiquidAmount = 0.99;
constexpr int kRampMaxSteps = 3000; // 1 bar each: far beyond any pressure the envelope reaches

} // namespace

Oil::Oil(FluidPhase& liquid, FluidPhase& vapour)
    : EosFlash(liquid, vapour), mw(kOilArrayRoom, 0.0), xcompo(kOilArrayRoom, 0.0) {}

void Oil::number_of_components(short n) {
    EosFlash::number_of_components(n);
    const std::size_t room = std::max<std::size_t>(kOilArrayRoom, static_cast<std::size_t>(N));
    mw.assign(room, 0.0);
    xcompo.assign(room, 0.0);
    for (auto* v : {&xh, &yh, &xf, &yf, &xh0, &yh0, &xf0, &yf0})
        *v = allocate(N);
    Ph = Pf = Ph0 = Pf0 = 0.0;
    mMethaneIndex = 3;
}

void Oil::copy_values(const std::vector<double>& from, std::vector<double>& to) {
    std::copy_n(from.begin(), std::min(from.size(), to.size()), to.begin());
}

void Oil::calculateMw() {
    mwl = mwv = 0.0;
    for (short i = 0; i < N; ++i) {
        mwl += mw[i] * liquid->x[i];
        mwv += mw[i] * vapour->x[i];
    }
    Vliq = liquid->V * 1000000.0;
    Vvap = vapour->V * 1000000.0;
    // A phase without a volume has no density (rather than an infinite one).
    dliq = Vliq > 0.0 ? mwl / Vliq : 0.0;
    dvap = Vvap > 0.0 ? mwv / Vvap : 0.0;
}

double Oil::calculateBulkMw() const {
    double sum = 0.0;
    for (short i = 0; i < N; ++i)
        sum += mw[i] * z[i];
    return sum;
}

void Oil::CalculateGOR() {
    bool split = false;
    if (N > 0) {
        set_type_of_problem(12);
        set_the_temperature(kStandardTemperature);
        set_the_pressure(kStandardPressure);
        set_initialization_flag(2);
        calculateVLE();
        // A converged split must leave some liquid with a density to weigh.
        split = errorflag == 0 && Nl > 0.0 && liquid->V > 0.0 && vapour->V > 0.0;
        if (split) {
            calculateMw();
            split = dliq > 0.0 && std::isfinite(dliq);
        }
    }
    if (!split) {
        if (errorflag == 0) errorflag = 1;
        mGOR = mAPI = mMassVolLiq = mLiqMolarWeight = 0.0;
        if (N > 0) {
            // The whole feed as one liquid-type phase at standard conditions.
            liquid->temperature(kStandardTemperature);
            liquid->pressure(kStandardPressure);
            liquid->total_number_of_moles(Ntot);
            for (short i = 0; i < N; ++i)
                liquid->composition_of_component(i, z[i]);
            liquid->describe();
        }
        return;
    }
    mGOR = (vapour->V * Nv) / (liquid->V * Nl);
    mAPI = 141.5 / dliq - 131.5;
    mMassVolLiq = 1.0 / dliq;
    mLiqMolarWeight = mwl;
}

bool Oil::saturation_point(double t, bool bubble) {
    set_type_of_problem(13);
    set_the_temperature(t);
    set_the_vaporization_ratio(bubble ? 0.0 : 1.0);
    calculateVLE();
    return errorflag == 0;
}

void Oil::finish_first_point(double& t, double& p, char& error) {
    error = static_cast<char>(errorflag & 0xFF);
    if (errorflag != 0) {
        t = p = 0.0;
        return;
    }
    save();
    t = T - kCelsius;
    p = P / 100000.0;
}

void Oil::FirstLiquidIsoplethPoint(double& t, double& p, char& error, char& behavesAsAGas) {
    if (N <= 0) {
        errorflag = 1;
        finish_first_point(t, p, error);
        return;
    }
    set_initialization_flag(2);
    gradeflag = 0;

    if (saturation_point(273.15, true)) {
        if (P > kLowBubblePressure) {
            if (!saturation_point(224.15, true)) {
                saturation_point(273.15, true);
            } else if (P > kLowBubblePressure) {
                if (!saturation_point(200.15, true)) saturation_point(224.15, true);
            }
        }
        finish_first_point(t, p, error);
        return;
    }
    if (saturation_point(224.15, true)) {
        behavesAsAGas = 1;
        if (P > kLowBubblePressure && !saturation_point(194.15, true)) saturation_point(224.15, true);
        finish_first_point(t, p, error);
        return;
    }
    if (saturation_point(473.15, true)) {
        finish_first_point(t, p, error);
        return;
    }
    behavesAsAGas = 1;
    if (saturation_point(194.15, true)) {
        finish_first_point(t, p, error);
        return;
    }

    // From the one-phase liquid: raise the pressure at 523.15 K until almost everything is
    // liquid, then find the bubble point from there.
    set_type_of_problem(12);
    set_the_temperature(kRampTemperature);
    set_the_pressure(kRampStartPressure);
    calculateVLE();
    for (int step = 0; step < kRampMaxSteps && errorflag == 0 && Nl < kRampLiquidAmount; ++step) {
        for (short i = 0; i < N; ++i) {
            xcomposition(i, x[i]);
            ycomposition(i, y[i]);
        }
        set_initialization_flag(0);
        set_the_temperature(kRampTemperature);
        set_the_pressure(P * 0.00001 + 1.0);
        calculateVLE();
    }
    if (errorflag == 0 && Nl >= kRampLiquidAmount) {
        for (short i = 0; i < N; ++i) {
            xcomposition(i, x[i]);
            ycomposition(i, y[i]);
        }
        set_initialization_flag(0); // from the last flash: Pnc is its pressure
        saturation_point(kRampTemperature, true);
    } else if (errorflag == 0) {
        errorflag = 1; // the ramp ran out of steps
    }
    finish_first_point(t, p, error);
}

void Oil::FirstGasIsoplethPoint(double& t, double& p, char& error) {
    if (N <= 0) {
        errorflag = 1;
        finish_first_point(t, p, error);
        return;
    }
    set_initialization_flag(2);
    gradeflag = 0;
    if (saturation_point(373.15, false)) {
        if (P > kLowDewPressure && !saturation_point(273.15, false)) saturation_point(373.15, false);
    } else {
        for (double temperature : {273.15, 323.15, 223.15, 173.15})
            if (saturation_point(temperature, false)) break;
    }
    finish_first_point(t, p, error);
}

char Oil::CheckLLG() const {
    const short m = mMethaneIndex;
    if (m < 0 || m >= N) return 0;
    return std::fabs(x[m] - y[m]) >= kDistinctMethane ? 1 : 0;
}

signed char Oil::next_isopleth_point(double& lambda, bool bubbleBranch, bool behavesAsAGas) {
    set_initialization_flag(0);
    estimateNextIsoplethPoint(lambda, kIsoplethStepT, kIsoplethStepP);
    // The estimate is close enough for Newton's first factors to finish the step (and give the
    // next estimate's derivatives) where the point lies near it.
    mPolishWithLastFactors = true;
    calculateVLE();
    mPolishWithLastFactors = false;
    if (errorflag == 0 && !(mPolishedResidual < kPolishedResidual)) errorflag = 1;
    if (errorflag != 0) {
        lambda /= 2.0;
        if (lambda < 0.01) return CheckLLG() ? -3 : -1;
        restore_saved_state();
        return 1;
    }
    save();
    if (lambda < 1.0) lambda = std::min(1.0, lambda * 1.2);
    const double t = T - kCelsius, p = P / 100000.0;
    if (behavesAsAGas ? t < -101.0 : (bubbleBranch && t < -80.0)) return -2;
    if (p > 2000.0) return -2;
    return 0;
}

} // namespace zephon::thermo
