// SPDX-License-Identifier: BSD-3-Clause
// First-order predictors of the next point of a phase envelope (isopleth) or of an isochore.
#include "thermo/eos_flash.hpp"

#include <algorithm>
#include <cmath>

namespace zephon::thermo {

namespace {
// Where |dP/dT| exceeds this (Pa/K) the curve is steep and is stepped in pressure.
constexpr double kSteepSlope = 100000.0;
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

void EosFlash::estimateNextIsoplethPoint(double lambda, double dT0, double dP0) {
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
        if (admissible) return;
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
