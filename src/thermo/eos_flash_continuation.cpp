// SPDX-License-Identifier: BSD-3-Clause
// Predictors of the next point of a phase envelope (isopleth) or of an isochore: the tangent at the
// saved point, and for the isopleth the cubic through its last two points and their tangents.
#include "thermo/eos_flash.hpp"

#include <algorithm>
#include <cmath>

namespace zephon::thermo {

namespace {
// Where |dP/dT| exceeds this (Pa/K) the curve is steep and is stepped in pressure.
constexpr double kSteepSlope = 100000.0;
// The second-order predictor extrapolates at most this many times the stretch between its nodes.
constexpr double kMostExtrapolation = 2.0;
// The flash refuses two phases whose compositions differ by less than this (sum_i |x_i - y_i|).
constexpr double kAlikePhases = 0.01;
} // namespace

void EosFlash::calculate_derivatives(double* dUout, short parameter1, short parameter2) {
    // Asked again at the same point (after a failed step), or right after the flash that found it:
    // the derivatives are known, or its factorised Jacobian is (the equations of the two variables
    // held are those of its problem; a volume row scaled by Ntot solves the same).
    Derivatives& known = mDerivatives;
    if (known.valid && known.parameter1 == parameter1 && known.parameter2 == parameter2 &&
        known.Ntot == Ntot && is_current_state(known.state)) {
        std::copy(known.dU.begin(), known.dU.end(), dUout);
        return;
    }
    for (short i = 0; i < size; ++i)
        mConstraintVector[i] = 0.0;
    mConstraintVector[2 * N + 2] = 1.0;
    const bool factorised = mFactorisation.valid && mFactorisation.problem == 10 * parameter1 + parameter2 &&
                            is_current_state(mFactorisation.state) &&
                            solve_with_last_factorisation(mConstraintVector.data(), dUout);
    if (!factorised) {
        if (mPhasesOutOfDate) {
            apply_conditions();
            vapour->describe();
            liquid->describe();
            mPhasesOutOfDate = false;
        }
        fill_in_the_Jacobian_matrix(mJacobian.rows());
        set_constraint(mJacobian.rows(), parameter1, 1);
        set_constraint(mJacobian.rows(), parameter2, 2);
        short ir = 0;
        solve_flash_system(mJacobian.rows(), mConstraintVector.data(), dUout, ir);
    }
    known.valid = true;
    known.parameter1 = parameter1;
    known.parameter2 = parameter2;
    known.Ntot = Ntot;
    current_state(known.state);
    std::copy(dUout, dUout + size, known.dU.begin());
}

void EosFlash::restore_saved_state() {
    restore_saved_values();
    mPhasesOutOfDate = true;
}

// One prediction: derivatives at the saved point in the current stepping variable, a switch
// between temperature and pressure stepping where the slope demands it (keeping the
// direction of travel), then the linear estimate. `stepT`/`stepP` are the sizes a switch
// starts with.
bool EosFlash::predict(double lambda, double dT0, double stepT, double stepP, short fixedVariable,
                       ContinuationStep& memory) {
    const short inT = static_cast<short>(10 + fixedVariable);
    const short inP = static_cast<short>(20 + fixedVariable);
    if (type_of_problem == inT) {
        calculate_derivatives(dU.data(), 1, fixedVariable);
        dPdT = dU[1];
    } else if (type_of_problem == inP) {
        calculate_derivatives(dU.data(), 2, fixedVariable);
        dPdT = 1.0 / dU[0];
    } else {
        return false;
    }
    if (gradeflag == 0) {
        memory.dT = dT0;
        memory.dP = dPdT * memory.dT;
    }
    ++gradeflag;

    if (std::fabs(dPdT) < kSteepSlope) {
        if (type_of_problem == inP) {
            set_type_of_problem(inT);
            calculate_derivatives(dU.data(), 1, fixedVariable);
            memory.dT = memory.dP * dPdT > 0.0 ? stepT : -stepT;
        }
        const double step = lambda * memory.dT;
        set_the_temperature(Tnc0 + step);
        Tnc = T_star;
        Pnc = Pnc0 + dPdT * step;
        for (short i = 0; i < N; ++i) {
            xnc[i] = xnc0[i] + dU[4 + i] * step;
            ync[i] = ync0[i] + dU[4 + N + i] * step;
        }
    } else {
        if (type_of_problem == inT) {
            set_type_of_problem(inP);
            calculate_derivatives(dU.data(), 2, fixedVariable);
            memory.dP = memory.dT * dPdT > 0.0 ? stepP : -stepP;
        }
        const double step = lambda * memory.dP;
        set_the_pressure((Pnc0 + step) / 100000.0);
        // The target pressure is also the estimate, so that a negative one is caught below.
        Pnc = Pnc0 + step;
        Tnc = Tnc0 + dU[0] * step;
        for (short i = 0; i < N; ++i) {
            xnc[i] = xnc0[i] + dU[4 + i] * step;
            ync[i] = ync0[i] + dU[4 + N + i] * step;
        }
    }
    return true;
}

void EosFlash::remember_isopleth_node(bool restart) {
    IsoplethNode& newest = mIsoplethNodes[1];
    const short variable = static_cast<short>(type_of_problem / 10);
    bool same = newest.valid && newest.state[0] == Tnc0 && newest.state[1] == Pnc0;
    for (short i = 0; same && i < N; ++i)
        same = newest.state[4 + i] == xnc0[i] && newest.state[4 + N + i] == ync0[i];
    if (same && newest.variable == variable) return; // the same point again, after a failed step
    if (restart) {
        mIsoplethNodes[0].valid = false;
    } else if (!same) {
        std::swap(mIsoplethNodes[0], mIsoplethNodes[1]);
    }
    IsoplethNode& node = mIsoplethNodes[1];
    node.valid = true;
    node.variable = variable;
    node.state[0] = Tnc0;
    node.state[1] = Pnc0;
    node.state[2] = Nl0;
    node.state[3] = Nv0;
    for (short i = 0; i < N; ++i) {
        node.state[4 + i] = xnc0[i];
        node.state[4 + N + i] = ync0[i];
    }
    std::copy(dU.begin(), dU.end(), node.dU.begin());
}

bool EosFlash::add_isopleth_curvature(double step) {
    const IsoplethNode& older = mIsoplethNodes[0];
    const IsoplethNode& newer = mIsoplethNodes[1];
    const short variable = static_cast<short>(type_of_problem / 10);
    if (!older.valid || !newer.valid || newer.variable != variable || (variable != 1 && variable != 2))
        return false;
    const short s = static_cast<short>(variable - 1); // index of the stepped variable
    const double H = older.state[s] - newer.state[s]; // the older node, from the newer
    // Only forwards, along the stretch the two nodes span, and not far beyond it.
    if (!(H != 0.0) || !(step * H < 0.0) || !(std::fabs(step) <= kMostExtrapolation * std::fabs(H)))
        return false;
    // The older node's derivatives in the variable stepped now.
    double scale = 1.0;
    if (older.variable != variable) {
        const double d = older.dU[variable == 1 ? 0 : 1]; // dT/dP or dP/dT there
        if (!(d != 0.0) || !std::isfinite(d)) return false;
        scale = 1.0 / d;
    }
    // u(newer + h) = u + u' h + c2 h^2 + c3 h^3 through the older node's value and slope at h = H.
    auto curvature = [&](short j) {
        const double a = (older.state[j] - newer.state[j] - newer.dU[j] * H) / (H * H);
        const double b = (older.dU[j] * scale - newer.dU[j]) / H;
        const double c3 = (b - 2.0 * a) / H, c2 = 3.0 * a - b;
        return step * step * (c2 + c3 * step);
    };
    const short other = static_cast<short>(1 - s);
    const double T1 = s == 0 ? Tnc : Tnc + curvature(other);
    const double P1 = s == 1 ? Pnc : Pnc + curvature(other);
    if (!(P1 > 0.0) || !(T1 > 0.0) || !std::isfinite(T1) || !std::isfinite(P1)) return false;
    // The refined mole fractions, kept within [0, 1] up to a rounding as the linear ones are.
    std::vector<double>& refined = mIsoplethEstimate;
    for (short i = 0; i < N; ++i) {
        refined[4 + i] = xnc[i] + curvature(static_cast<short>(4 + i));
        refined[4 + N + i] = ync[i] + curvature(static_cast<short>(4 + N + i));
    }
    for (short j = 4; j < size; ++j) {
        if (!(refined[j] > -1e-15 && refined[j] < 1.000000000000001)) return false;
        refined[j] = std::clamp(refined[j], 0.0, 1.0);
    }
    // Where the linear estimate lies in the critical region (phases alike or inverted, which the
    // flash refuses), it is kept: the step fails and halves there, and the branch ends as it did.
    // So does a refined estimate that would fall in that region.
    double distanceLinear = 0.0, distance = 0.0;
    for (short i = 0; i < N; ++i) {
        distanceLinear += std::fabs(xnc[i] - ync[i]);
        distance += std::fabs(refined[4 + i] - refined[4 + N + i]);
    }
    if (!(distanceLinear >= kAlikePhases) || !(distance >= kAlikePhases)) return false;
    const int m = mMostVolatileComponentIndex;
    if (m >= 0 && m < N && (xnc[m] > ync[m] || refined[4 + m] > refined[4 + N + m])) return false;
    Tnc = T1;
    Pnc = P1;
    for (short i = 0; i < N; ++i) {
        xnc[i] = refined[4 + i];
        ync[i] = refined[4 + N + i];
    }
    return true;
}

void EosFlash::estimateNextIsoplethPoint(double lambda, double dT0, double dP0) {
    const bool restart = gradeflag == 0;
    for (;;) {
        if (!predict(lambda, dT0, dT0, dP0, 3, mIsoplethStep)) return;
        if (Pnc < 0.0) {
            lambda /= 2.0;
            if (lambda < 0.01) return;
            continue;
        }
        bool admissible = true;
        for (short i = 0; i < N; ++i) {
            for (double* v : {&xnc[i], &ync[i]}) {
                if (*v > -1e-15 && *v < 0.0) *v = 0.0;
                if (*v > 1.0 && *v < 1.000000000000001) *v = 1.0;
                if (*v > 1.0 || *v < 0.0) admissible = false;
            }
        }
        if (admissible) {
            // The step as the linear estimate chose it; the second-order terms refine the estimate
            // at that step.
            remember_isopleth_node(restart);
            add_isopleth_curvature(lambda *
                                   (type_of_problem / 10 == 1 ? mIsoplethStep.dT : mIsoplethStep.dP));
            return;
        }
        lambda /= 2.0;
        if (lambda < 0.01) return;
    }
}

void EosFlash::estimateNextIsochorPoint(double lambda, double dT0) {
    for (;;) {
        if (!predict(lambda, dT0, 10.0, 1000000.0, 4, mIsochorStep)) return;
        if (Pnc < 0.0) {
            lambda /= 2.0;
            if (lambda < 1e-5) return;
            continue;
        }
        bool admissible = true;
        for (short i = 0; i < N; ++i)
            if (xnc[i] > 1.0000000001 || xnc[i] < -1e-10 || ync[i] > 1.0000000001 || ync[i] < -1e-10)
                admissible = false;
        if (admissible) return;
        lambda /= 2.0;
        if (lambda < 0.0001) return;
    }
}

} // namespace zephon::thermo
