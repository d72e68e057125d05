// SPDX-License-Identifier: BSD-3-Clause
// The alpha of a measurement by continuation along its alpha-beta curve: alpha, the
// homogenisation state at Th and the state at Tf with the measured bubble as one Newton system.
//
// Unknowns: alpha, the homogenisation state Uh and the room state Uf (each T, P, Nl, Nv, x, y as
// the flash has them). Equations: the two flashes' residuals Gh(Uh, alpha), Gf(Uf, alpha) and the
// volume condition F = Vh(Uh, alpha) - Vf(Uf, alpha) = 0, the inclusion's molar volume being the
// same at Th and at Tf. The system is bordered: with the flashes' own Jacobians Jh and Jf,
//   dUh = Jh^-1 (-Gh) - Jh^-1 dGh/dalpha * dalpha   (and the same for Uf),
// and the volume row then gives dalpha. The derivatives in alpha at fixed states come from one
// more residual evaluation at alpha + h (the distribution's pseudo-components have no analytic
// ones); those in the states are the flash Jacobians' and the phases' volume derivatives.
#include "thermo/oil1.hpp"

#include <algorithm>
#include <cmath>

namespace zephon::thermo {

namespace {

// From a start on the curve's tangent the system converges in three to five iterations; one that
// takes longer is near a turning point or an end of the curve, where the alpha search decides.
constexpr int kMostIterations = 7;
// Step of alpha for the residuals' derivatives in alpha: the forward difference's error (about
// this relative) only slows the convergence from quadratic to a fall of 1e-7 per iteration.
constexpr double kAlphaDifference = 1e-7;
// Converged once a step moves alpha by less than this and the states' pressures (relative) and
// mole fractions by less than kStateConverged: the step taken, the point is at the rounding of
// the flashes' residuals.
constexpr double kAlphaConverged = 1e-11;
constexpr double kStateConverged = 1e-9;
// One step moves alpha by no more than this, and a pressure by no more than this fraction of it.
constexpr double kLargestAlphaStep = 0.02;
constexpr double kLargestPressureStep = 0.3;
// A solution farther from its start than this (alpha: also more than half the change of alpha
// from the point before; the homogenisation pressure, relative) may lie on another branch of the
// curve, across a turning point: the alpha search decides there. From a single point (no tangent
// yet: the start is its alpha) the limit is kFarthestAlphaFromOnePoint.
constexpr double kFarthestAlpha = 0.002;
constexpr double kFarthestAlphaFromOnePoint = 0.05;
constexpr double kFarthestPressure = 0.3;
// States are extrapolated from the last two points at most this many times their distance in beta.
constexpr double kLargestExtrapolation = 2.0;
// A step refused where it lands is halved at most this many times.
constexpr int kMostHalvings = 4;

bool finite_positive(double v) {
    return std::isfinite(v) && v > 0.0;
}

double dot(const std::vector<double>& a, const std::vector<double>& b) {
    double sum = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i)
        sum += a[i] * b[i];
    return sum;
}

// Mole fractions extrapolated by t along (last - before), kept inside [0, 1] and summing to 1.
void extrapolate_fractions(const std::vector<double>& last, const std::vector<double>* before, double t,
                           double* out, short n) {
    double sum = 0.0;
    for (short i = 0; i < n; ++i) {
        out[i] = before ? std::clamp(last[i] + (last[i] - (*before)[i]) * t, 0.0, 1.0) : last[i];
        sum += out[i];
    }
    if (sum > 0.0)
        for (short i = 0; i < n; ++i)
            out[i] /= sum;
}

} // namespace

bool Oil1::continuation_residual(bool homogenisation, std::vector<double>& U, std::vector<double>& G,
                                 Matrix* J, double& volume, std::vector<double>* volumeRow) {
    const bool bubble = mHomog == 1;
    if (homogenisation) {
        set_type_of_problem(13);
        set_the_temperature(Th);
        set_the_vaporization_ratio(bubble ? 0.0 : 1.0);
    } else {
        set_type_of_problem(15);
        set_the_temperature(Tf);
        set_the_vaporization_ratio1(fv0);
    }
    short failure = 0;
    calculate_vector_function(U.data(), G.data(), J ? J->rows() : nullptr, failure, J ? 1 : 0);
    if (failure != 0) return false;
    for (double g : G)
        if (!std::isfinite(g)) return false;
    const FluidPhase& homogeneous = bubble ? *liquid : *vapour;
    volume = homogenisation ? homogeneous.V : vapour->V * Nv + liquid->V * Nl;
    if (!finite_positive(volume)) return false;
    if (!volumeRow) return true;
    std::vector<double>& row = *volumeRow;
    std::fill(row.begin(), row.end(), 0.0);
    if (homogenisation) {
        row[0] = homogeneous.dVdT;
        row[1] = homogeneous.dVdP;
        const short first = static_cast<short>(bubble ? 4 : 4 + N);
        for (short i = 0; i < N; ++i)
            row[first + i] = homogeneous.dVdx[i];
    } else {
        row[0] = Nl * liquid->dVdT + Nv * vapour->dVdT;
        row[1] = Nl * liquid->dVdP + Nv * vapour->dVdP;
        row[2] = liquid->V;
        row[3] = vapour->V;
        for (short i = 0; i < N; ++i) {
            row[4 + i] = Nl * liquid->dVdx[i];
            row[4 + N + i] = Nv * vapour->dVdx[i];
        }
    }
    for (double d : row)
        if (!std::isfinite(d)) return false;
    return true;
}

bool Oil1::ContinueAlpha(double Th_, double Tf_, double fv0_, char homog) {
    // Only from a converged search of the same measurement, and for a bubble of both phases.
    if (Ph0 == 0.0 || Pf0 == 0.0 || !finite_positive(Th_) || !finite_positive(Tf_) || !(fv0_ > 0.0) ||
        !(fv0_ < 1.0))
        return false;
    const double start = alpha;
    if (!(start > 0.0 && start <= 1.0)) return false;
    Th = Th_;
    Tf = Tf_;
    fv0 = fv0_;
    mHomog = homog == 0 ? 0 : 1;
    const bool bubble = mHomog == 1;
    ++mContinuationSolves;

    const short n = size;
    std::vector<double> Uh = allocate(n), Uf = allocate(n);
    // The start: the last point's states moved along the line through the point before it to this
    // beta; the homogeneous phase is the feed.
    const FlashState* beforeH = mHomogSearchBefore.valid ? &mHomogSearchBefore : nullptr;
    const FlashState* beforeF = mRoomSearchBefore.valid ? &mRoomSearchBefore : nullptr;
    double t = 0.0;
    if (beforeH && beforeF && beforeH->beta != mSearchBeta0)
        t = (beta - mSearchBeta0) / (mSearchBeta0 - beforeH->beta);
    if (!(std::fabs(t) <= kLargestExtrapolation)) t = 0.0;
    if (t == 0.0) beforeH = beforeF = nullptr;
    auto extrapolated = [t](double last, const FlashState* before, double FlashState::*field) {
        const double e = before ? last + (last - before->*field) * t : last;
        return e > 0.0 ? e : last;
    };
    Uh[0] = Th;
    Uh[1] = extrapolated(Ph0, beforeH, &FlashState::P);
    Uh[2] = bubble ? Ntot : 0.0;
    Uh[3] = bubble ? 0.0 : Ntot;
    extrapolate_fractions(xh0, beforeH ? &beforeH->x : nullptr, t, &Uh[4], N);
    extrapolate_fractions(yh0, beforeH ? &beforeH->y : nullptr, t, &Uh[4 + N], N);
    for (short i = 0; i < N; ++i)
        Uh[(bubble ? 4 : 4 + N) + i] = z[i];
    Uf[0] = Tf;
    Uf[1] = extrapolated(Pf0, beforeF, &FlashState::P);
    const double Nvf = std::clamp(beforeF ? mNvf0 + (mNvf0 - beforeF->Nv) * t : mNvf0, 0.0, Ntot);
    Uf[2] = Ntot - Nvf;
    Uf[3] = Nvf;
    extrapolate_fractions(xf0, beforeF ? &beforeF->x : nullptr, t, &Uf[4], N);
    extrapolate_fractions(yf0, beforeF ? &beforeF->y : nullptr, t, &Uf[4 + N], N);
    const double predictedPh = Uh[1];

    std::vector<double> Gh = allocate(n), Gf = allocate(n), shiftedG = allocate(n), shiftedU = allocate(n);
    std::vector<double> ah = allocate(n), bh = allocate(n), af = allocate(n), bf = allocate(n);
    std::vector<double> rowh = allocate(n), rowf = allocate(n), rhs = allocate(n);
    std::vector<double> stepH = allocate(n), stepF = allocate(n), lastUh = Uh, lastUf = Uf;
    Matrix Jh = allocate(n, n), Jf = allocate(n, n);
    double a = start, lastA = start, stepA = 0.0, scale = 1.0, slope = 0.0, Vh = 0.0;
    int halvings = 0;
    bool converged = false;

    for (int iteration = 0; iteration < kMostIterations && !converged; ++iteration) {
        ++mContinuationIterations;
        // The residuals and Jacobians at (a, Uh, Uf); a point refused there is a step too long.
        alpha = a;
        double Vf = 0.0;
        const bool evaluated = distribution_usable(UpdateDistribution()) &&
                               continuation_residual(true, Uh, Gh, &Jh, Vh, &rowh) &&
                               continuation_residual(false, Uf, Gf, &Jf, Vf, &rowf);
        if (!evaluated) {
            if (iteration == 0 || ++halvings > kMostHalvings) break;
            scale /= 2.0;
            a = lastA + scale * stepA;
            for (short i = 0; i < n; ++i) {
                Uh[i] = lastUh[i] + scale * stepH[i];
                Uf[i] = lastUf[i] + scale * stepF[i];
            }
            continue;
        }
        // The residuals at alpha + h with the same states, for their derivatives in alpha.
        const double h = a + kAlphaDifference <= 1.0 ? kAlphaDifference : -kAlphaDifference;
        alpha = a + h;
        if (!distribution_usable(UpdateDistribution())) break;
        double shiftedVh = 0.0, shiftedVf = 0.0;
        shiftedU = Uh;
        if (!continuation_residual(true, shiftedU, shiftedG, nullptr, shiftedVh, nullptr)) break;
        for (short i = 0; i < n; ++i)
            bh[i] = (shiftedG[i] - Gh[i]) / h;
        shiftedU = Uf;
        if (!continuation_residual(false, shiftedU, shiftedG, nullptr, shiftedVf, nullptr)) break;
        for (short i = 0; i < n; ++i)
            bf[i] = (shiftedG[i] - Gf[i]) / h;
        const double F = Vh - Vf;
        const double dFdAlpha = (shiftedVh - shiftedVf - F) / h;

        // Each state's Newton step and its change with alpha, from one factorisation.
        short ir = 0;
        for (short i = 0; i < n; ++i)
            rhs[i] = -Gh[i];
        solve_linearised_system(0, Jh.rows(), rhs.data(), ah.data(), n, ir);
        if (ir != 0 || !solve_with_last_factors(0, bh.data(), bh.data())) break;
        for (short i = 0; i < n; ++i)
            rhs[i] = -Gf[i];
        solve_linearised_system(0, Jf.rows(), rhs.data(), af.data(), n, ir);
        if (ir != 0 || !solve_with_last_factors(0, bf.data(), bf.data())) break;

        // The volume row closes the system: F + rowh dUh - rowf dUf + dF/dalpha dalpha = 0.
        slope = dFdAlpha - dot(rowh, bh) + dot(rowf, bf);
        const double da = (-F - dot(rowh, ah) + dot(rowf, af)) / slope;
        if (!std::isfinite(da) || !std::isfinite(slope) || slope == 0.0) break;
        double largest = 0.0;
        for (short i = 0; i < n; ++i) {
            stepH[i] = ah[i] - bh[i] * da;
            stepF[i] = af[i] - bf[i] * da;
            const double moveH = i == 1 ? std::fabs(stepH[i]) / Uh[1] : std::fabs(stepH[i]);
            const double moveF = i == 1 ? std::fabs(stepF[i]) / Uf[1] : std::fabs(stepF[i]);
            if (i != 0) largest = std::max({largest, moveH, moveF});
        }
        if (!std::isfinite(largest)) break;
        converged = std::fabs(da) < kAlphaConverged && largest < kStateConverged;

        // A step no longer than kLargestAlphaStep and the flash's own limits, but for the pressure a
        // relative one: near the ends of a curve the homogenisation pressure reaches thousands of
        // bar, where the flash's 50 bar would take dozens of steps.
        scale = std::fabs(da) > kLargestAlphaStep ? kLargestAlphaStep / std::fabs(da) : 1.0;
        for (short i = 0; i < n; ++i) {
            const double limitH = i == 1 ? kLargestPressureStep * Uh[1] : dUmax[i];
            const double limitF = i == 1 ? kLargestPressureStep * Uf[1] : dUmax[i];
            if (std::fabs(stepH[i]) * scale > limitH) scale = limitH / std::fabs(stepH[i]);
            if (std::fabs(stepF[i]) * scale > limitF) scale = limitF / std::fabs(stepF[i]);
        }
        stepA = da;
        lastA = a;
        lastUh = Uh;
        lastUf = Uf;
        a += scale * da;
        for (short i = 0; i < n; ++i) {
            Uh[i] += scale * stepH[i];
            Uf[i] += scale * stepF[i];
        }
        halvings = 0;
        if (!(a > 0.0 && a <= 1.0)) break;
    }

    // Near the start only: farther, the system may have gone over to another branch.
    const double lastChange =
        beforeH ? std::fabs(mSearchAlpha0 - beforeH->alpha) : kFarthestAlphaFromOnePoint / 0.5;
    const bool accepted = converged && std::fabs(a - start) <= std::max(kFarthestAlpha, 0.5 * lastChange) &&
                          std::fabs(std::log(Uh[1] / predictedPh)) <= kFarthestPressure && Uf[3] > 0.0 &&
                          Uf[2] > 0.0;
    alpha = accepted ? a : start;
    if (!accepted || !distribution_usable(UpdateDistribution())) {
        alpha = start; // and the distribution as it was
        UpdateDistribution();
        return false;
    }
    // The point as a converged search leaves it.
    errorflag = 0;
    mLastSearchSlope = slope;
    Vl0 = Vh;
    Ph = Uh[1];
    Pf = Uf[1];
    mNvf = Uf[3];
    for (short i = 0; i < N; ++i) {
        xh[i] = Uh[4 + i];
        yh[i] = Uh[4 + N + i];
        xf[i] = Uf[4 + i];
        yf[i] = Uf[4 + N + i];
    }
    mHomogAlpha = mRoomAlpha = a;
    remember_search(a);
    return true;
}

} // namespace zephon::thermo
