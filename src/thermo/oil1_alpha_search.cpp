// SPDX-License-Identifier: BSD-3-Clause
// The search for the alpha that reproduces one inclusion measurement: the volume residual
// (homogenisation state at Th, two-phase state at Tf with the measured bubble) and the
// bounded secant on it.
#include "thermo/envelope_saturation.hpp"
#include "thermo/oil1.hpp"

#include <algorithm>
#include <cmath>

namespace zephon::thermo {

namespace {

constexpr double kAlphaMin = 0.0, kAlphaMax = 1.0;
constexpr double kSecondIterate = 1.001; // x1 = 1.001 alpha without a slope
// A Newton step from a slope of an earlier search moves alpha by no more than this.
constexpr double kLargestHintedStep = 0.05;
// Distances from a start that does not evaluate at which alpha is tried instead.
constexpr double kProbeSteps[] = {0.002, 0.005, 0.01, 0.02};
// The bubble at Tf is grown from the bubble point in steps of at most this vapour fraction.
constexpr double kRoomFractionStep = 0.1;
// A flash start is extrapolated from the last two states at most this many times their
// distance in alpha.
constexpr double kLargestExtrapolation = 2.0;

bool finite_positive(double v) {
    return std::isfinite(v) && v > 0.0;
}

} // namespace

bool Oil1::flash_from(double P_, const std::vector<double>& xs, const std::vector<double>& ys, double Nv_) {
    pressure(P_ / 100000.0);
    for (short i = 0; i < N; ++i) {
        xcomposition(i, xs[i]);
        ycomposition(i, ys[i]);
    }
    vaporization_ratio(Nv_);
    set_initialization_flag(0);
    calculateVLE();
    return errorflag == 0;
}

bool Oil1::flash_from_track(double lastAlpha, double P_, const std::vector<double>& xs,
                            const std::vector<double>& ys, double Nv_, const FlashState& before) {
    if (before.valid && before.alpha != lastAlpha) {
        const double t = (alpha - lastAlpha) / (lastAlpha - before.alpha);
        const double Pe = P_ + (P_ - before.P) * t;
        if (t != 0.0 && std::fabs(t) <= kLargestExtrapolation && Pe > 0.0) {
            std::vector<double> xe(xs.size()), ye(ys.size());
            for (std::size_t i = 0; i < xe.size(); ++i) {
                xe[i] = std::clamp(xs[i] + (xs[i] - before.x[i]) * t, 0.0, 1.0);
                ye[i] = std::clamp(ys[i] + (ys[i] - before.y[i]) * t, 0.0, 1.0);
            }
            if (flash_from(Pe, xe, ye, std::clamp(Nv_ + (Nv_ - before.Nv) * t, 0.0, 1.0))) return true;
        }
    }
    return flash_from(P_, xs, ys, Nv_);
}

bool Oil1::homogenisation_state() {
    const bool bubble = mHomog == 1;
    auto setUp = [this, bubble] {
        set_type_of_problem(13);
        set_the_temperature(Th);
        set_the_vaporization_ratio(bubble ? 0.0 : 1.0);
        temperature(Th);
    };
    setUp();
    if (Ph != 0.0) return flash_from_track(mHomogAlpha, Ph, xh, yh, bubble ? 0.0 : 1.0, mHomogBefore);

    // Without a previous state: the estimate from the tables, the ideal mixture's start, and
    // at last the envelope traced to Th (on a dew curve, the point nearest the estimate).
    const double estimatedP = mHasInitialEstimate ? Pnc : 0.0;
    if (mHasInitialEstimate) {
        set_initialization_flag(0);
        calculateVLE();
        if (errorflag == 0) return true;
    }
    set_initialization_flag(2);
    calculateVLE();
    if (errorflag == 0) return true;
    const EnvelopeSaturationResult found = saturation_points_on_envelope(*this, Th, bubble, bubble, true);
    if (found.points.empty()) return false;
    const SaturationState* pick = &found.points.front();
    if (estimatedP > 0.0)
        for (const SaturationState& s : found.points)
            if (std::fabs(std::log(s.P / estimatedP)) < std::fabs(std::log(pick->P / estimatedP))) pick = &s;
    setUp();
    return flash_from(pick->P, pick->x, pick->y, bubble ? 0.0 : 1.0);
}

bool Oil1::room_temperature_state() {
    auto setUp = [this] {
        set_type_of_problem(15);
        set_the_temperature(Tf);
        set_the_vaporization_ratio1(fv0);
        temperature(Tf);
    };
    setUp();
    bool found = false;
    if (Pf == 0.0) {
        set_initialization_flag(2);
        calculateVLE();
        found = errorflag == 0;
    } else {
        found = flash_from_track(mRoomAlpha, Pf, xf, yf, mNvf > 0.0 ? mNvf : Nv, mRoomBefore);
    }
    if (found) return true;

    // From a saturation point at Tf, which the ideal mixture misses for volatile oils, the
    // bubble is moved to the measured one in steps of the vapour fraction: from the bubble
    // point, or, for a fluid above its critical temperature there, from a dew point. The
    // envelope is traced only for the first state of a search: later ones fail for their
    // alpha, not for their start.
    if (Pf == 0.0) {
        if (saturation_point_at(*this, Tf, true, true) && room_state_from(P, x, y, 0.0)) return true;
        const EnvelopeSaturationResult dew = saturation_points_on_envelope(*this, Tf, false, false, true);
        for (auto it = dew.points.rbegin(); it != dew.points.rend(); ++it) // the upper one first
            if (room_state_from(it->P, it->x, it->y, 1.0)) return true;
        return false;
    }
    set_type_of_problem(13);
    set_the_temperature(Tf);
    set_the_vaporization_ratio(0.0);
    set_initialization_flag(2);
    calculateVLE();
    return errorflag == 0 && room_state_from(P, x, y, 0.0);
}

bool Oil1::room_state_from(double P_, const std::vector<double>& xs_, const std::vector<double>& ys_,
                           double fraction) {
    double Ps = P_, Nvs = fraction, reached = fraction;
    std::vector<double> xs = xs_, ys = ys_;
    double step = kRoomFractionStep;
    while (reached != fv0 && step >= kRoomFractionStep / 64.0) {
        const double target = fv0 > reached ? std::min(fv0, reached + step) : std::max(fv0, reached - step);
        set_type_of_problem(15);
        set_the_temperature(Tf);
        set_the_vaporization_ratio1(target);
        temperature(Tf);
        if (flash_from(Ps, xs, ys, Nvs > 0.0 && Nvs < 1.0 ? Nvs : Nv)) {
            reached = target;
            Ps = P, xs = x, ys = y, Nvs = Nv;
            step = std::min(2.0 * step, kRoomFractionStep);
        } else {
            step /= 2.0;
        }
    }
    return reached == fv0; // the last flash solved the measured bubble itself
}

double Oil1::equation4(double alpha_) {
    alpha = alpha_;
    if (!distribution_usable(UpdateDistribution())) return fail_evaluation(kHomogenisationFailed);

    // Homogenisation: the saturation point at Th of the phase the inclusion homogenises into.
    const bool homogenised = homogenisation_state();
    Vl0 = mHomog == 1 ? liquid->V : vapour->V;
    if (!homogenised || !finite_positive(Vl0)) return fail_evaluation(kHomogenisationFailed);
    if (Ph != 0.0) mHomogBefore = {true, mHomogAlpha, Ph, 0.0, xh, yh};
    Ph = P;
    copy_values(x, xh);
    copy_values(y, yh);
    mHomogAlpha = alpha;
    calculateMw();
    dl0 = dliq;
    mwl0 = mwl;

    // Room temperature: the two phases with the measured vapour volume fraction at Tf.
    if (!room_temperature_state()) return fail_evaluation(kRoomTemperatureFailed);
    if (Pf != 0.0) mRoomBefore = {true, mRoomAlpha, Pf, mNvf, xf, yf};
    Pf = P;
    copy_values(x, xf);
    copy_values(y, yf);
    mNvf = Nv;
    mRoomAlpha = alpha;
    // The inclusion's molar volume is the same at Th and at Tf.
    return Vl0 - (vapour->V * Nv + liquid->V * Nl);
}

bool Oil1::evaluate_alpha(double a, double& f) {
    if (!(a >= kAlphaMin && a <= kAlphaMax)) return false; // outside the bounds: refused
    error = 0;
    f = equation4(a);
    const bool ok = error == 0 && std::isfinite(f);
    error = 0;
    return ok;
}

bool Oil1::secant_on_alpha(double start, double epsilon, const AlphaSearchHints& hints, double& root) {
    const double relaxMin = algorithm0->relax1;
    double x0 = start, f0 = 0.0;
    bool good = evaluate_alpha(x0, f0);
    // A start that does not evaluate is a step too far from the last alpha that did.
    if (!good && hints.lastGood > kAlphaMin && hints.lastGood <= kAlphaMax && hints.lastGood != start) {
        for (double relax = 0.5; !good && relax > relaxMin; relax /= 2.0) {
            x0 = hints.lastGood + relax * (start - hints.lastGood);
            good = evaluate_alpha(x0, f0);
        }
        if (!good) {
            x0 = hints.lastGood;
            good = evaluate_alpha(x0, f0);
        }
    }
    // Where no state exists at the start (near the cricondentherm, a change of beta can take
    // the homogenisation state away from this alpha), alphas on either side are tried.
    for (std::size_t k = 0; !good && k < std::size(kProbeSteps); ++k) {
        for (double sign : {1.0, -1.0}) {
            x0 = start + sign * kProbeSteps[k];
            if ((good = evaluate_alpha(x0, f0))) break;
        }
    }
    if (!good) return false;
    root = x0;
    if (f0 == 0.0) return true;

    double x1 = kSecondIterate * x0 <= kAlphaMax ? kSecondIterate * x0 : x0 / kSecondIterate;
    if (hints.slope != 0.0 && std::isfinite(hints.slope)) {
        const double newton = x0 - f0 / hints.slope;
        if (std::isfinite(newton) && newton != x0)
            x1 = std::clamp(newton, x0 - kLargestHintedStep, x0 + kLargestHintedStep);
    }
    for (short iter = 0; iter <= algorithm0->itermax; ++iter) {
        // A trial that fails or leaves the bounds is too far: back towards x0 by halves.
        const double step = x1 - x0;
        double x = x1, fx = 0.0;
        good = false;
        for (double relax = algorithm0->relax0; !good && relax > relaxMin; relax /= 2.0) {
            x = x0 + relax * step;
            good = evaluate_alpha(x, fx);
        }
        if (!good) return false;
        root = x;
        if (x != x0) mLastSearchSlope = (fx - f0) / (x - x0);
        // Converged when the last step, or the next one the secant would take, is below the
        // tolerance (relative once alpha passes 1); x is the last alpha evaluated.
        if (std::fabs(x - x0) < epsilon * std::max(1.0, x0)) return true;
        if (fx == f0) return false;
        const double next = -fx * (x - x0) / (fx - f0);
        if (std::fabs(next) < epsilon * std::max(1.0, x)) return true;
        x0 = x;
        f0 = fx;
        x1 = x + next;
    }
    return false;
}

void Oil1::FindAlpha(double Th_, double Tf_, double fv0_, double epsilon, char homog) {
    FindAlpha(Th_, Tf_, fv0_, epsilon, homog, AlphaSearchHints{});
}

void Oil1::FindAlpha(double Th_, double Tf_, double fv0_, double epsilon, char homog,
                     const AlphaSearchHints& hints) {
    Th = Th_;
    Tf = Tf_;
    fv0 = fv0_;
    mHomog = homog == 0 ? 0 : 1;
    errorflag = 0;

    // Measurements no state can match are refused before any flash.
    if (!finite_positive(Th)) {
        errorflag = kHomogenisationFailed;
        mHasInitialEstimate = false;
        return;
    }
    if (!finite_positive(Tf) || !std::isfinite(fv0) || fv0 < 0.0 || fv0 > 1.0) {
        errorflag = kRoomTemperatureFailed;
        mHasInitialEstimate = false;
        return;
    }
    const double start = alpha;
    if (!finite_positive(start) || start > kAlphaMax) {
        errorflag = kAlphaSearchFailed;
        mHasInitialEstimate = false;
        return;
    }

    if (Ph0 != 0.0) {
        Pf = Pf0;
        Ph = Ph0;
        mNvf = mNvf0;
        mHomogAlpha = mRoomAlpha = mSearchAlpha0;
        mHomogBefore = mHomogSearchBefore;
        mRoomBefore = mRoomSearchBefore;
        copy_values(xf0, xf);
        copy_values(yf0, yf);
        copy_values(xh0, xh);
        copy_values(yh0, yh);
    }

    double root = start;
    const bool converged = secant_on_alpha(start, epsilon, hints, root);
    mHasInitialEstimate = false;
    if (!converged) {
        if (errorflag == 0) errorflag = kAlphaSearchFailed;
        // Leave the oil as it was before the search, composition included.
        const short code = errorflag;
        alpha = start;
        UpdateDistribution();
        errorflag = code;
        return;
    }
    alpha = root;
    remember_search(root);
}

void Oil1::remember_search(double root) {
    if (Ph0 != 0.0) {
        mHomogSearchBefore = {true, mSearchAlpha0, Ph0, 0.0, xh0, yh0, mSearchBeta0};
        mRoomSearchBefore = {true, mSearchAlpha0, Pf0, mNvf0, xf0, yf0, mSearchBeta0};
    }
    mSearchAlpha0 = root;
    mSearchBeta0 = beta;
    Pf0 = Pf;
    Ph0 = Ph;
    mNvf0 = mNvf;
    copy_values(xf, xf0);
    copy_values(yf, yf0);
    copy_values(xh, xh0);
    copy_values(yh, yh0);
}

Oil1::SearchMemory Oil1::search_memory() const {
    return {Ph0,         Pf0, mNvf0, mSearchAlpha0, xh0, yh0, xf0, yf0, mHomogSearchBefore, mRoomSearchBefore,
            mSearchBeta0};
}

void Oil1::restore_search_memory(const SearchMemory& m) {
    Ph0 = m.Ph0;
    Pf0 = m.Pf0;
    mNvf0 = m.Nvf0;
    mSearchAlpha0 = m.alpha0;
    mSearchBeta0 = m.beta0;
    copy_values(m.xh0, xh0);
    copy_values(m.yh0, yh0);
    copy_values(m.xf0, xf0);
    copy_values(m.yf0, yf0);
    mHomogSearchBefore = m.homogBefore;
    mRoomSearchBefore = m.roomBefore;
}

} // namespace zephon::thermo
