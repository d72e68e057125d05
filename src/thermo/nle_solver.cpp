// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/nle_solver.hpp"

#include <algorithm>
#include <cmath>

namespace zephon::thermo {

namespace {
// With reuse_jacobian, old factors serve the next step while a step divides the residual by at
// least this much.
constexpr double kChordContraction = 0.1;
// How many times the iterations left a step may need before the solution counts as out of reach.
constexpr double kOutOfReachMargin = 2.0;
} // namespace

void NLESolver::set_equations(Equation& p, short nsize, short nequation_number) {
    ninc = nsize;
    neq = nsize;
    iter = 0;
    itermax = 25;
    errorflag = 0;
    sensitive = 1;
    epsilon = 1e-11;
    modG = 1e15;
    modG0 = 1e15;
    G = allocate(neq);
    U = allocate(ninc);
    U0 = allocate(ninc);
    dU = allocate(ninc);
    dUmax = allocate(ninc);
    dG = allocate(neq, ninc);
    std::fill(dUmax.begin(), dUmax.end(), 10000.0);
    p_equation = &p;
    equation_number = nequation_number;
}

void NLESolver::set_initial_values(const double* u0) {
    for (int i = 0; i < ninc; ++i) {
        U0[i] = u0[i];
        U[i] = u0[i];
    }
}

void NLESolver::calculate(double* u, double* g, double** dg, short& failure, short flag) {
    failure = 0;
    bool acceptable = p_equation != nullptr;
    for (int i = 0; acceptable && i < ninc; ++i)
        acceptable = std::isfinite(u[i]);
    if (!acceptable) {
        failure = 1;
        return;
    }
    p_equation->call_vector_function(vector_slot(), u, g, dg, failure, flag);
}

void Newton::set_equations(Equation& p, short nsize, short nequation_number) {
    NLESolver::set_equations(p, nsize, nequation_number);
    maxsumres = 1e-8;
    relaxation_limit = 0.01;
    div = allocate(neq);
}

void Newton::solve() {
    if (div.size() != G.size()) div.assign(G.size(), 0.0);
    row_sums.resize(G.size());
    mFactorScale.resize(G.size());
    mRhs.resize(G.size());
    modG0 = 1e15;
    modG = 1e15;
    std::fill(dU.begin(), dU.end(), 0.0);
    iter = 0;
    bool withJacobian = true, exactStep = true;
    int cutSteps = 0;
    do {
        const double before = modG0;
        const bool jacobian = calculate_the_next_vector(withJacobian, exactStep);
        exactStep = true;
        if (errorflag == 0) {
            if (jacobian) {
                solve_with_jacobian();
            } else {
                // The right-hand side scaled as the factorised rows were.
                for (int i = 0; i < neq; ++i)
                    mRhs[i] = -G[i] * div[i] / mFactorScale[i];
                exactStep = false;
                if (!p_equation->solve_with_last_factors(vector_slot(), mRhs.data(), dU.data())) {
                    newton_step_at_accepted_point();
                    exactStep = true;
                }
            }
        }
        // The old factors serve the next step while the residual falls fast.
        withJacobian = !reuse_jacobian || !(modG0 <= kChordContraction * before);
        if (errorflag == 0 && out_of_reach(cutSteps)) errorflag = 1;
    } while (!convergence());
}

bool Newton::out_of_reach(int& cutSteps) const {
    if (give_up_after_cut_steps <= 0) return false;
    // The step in units of the largest step, as calculate_the_next_vector will cut it.
    double s = 0.0;
    for (int i = 0; i < ninc; ++i)
        s = std::max(s, std::fabs(dU[i] / dUmax[i]));
    cutSteps = s > 1.0 ? cutSteps + 1 : 0;
    const int iterationsLeft = itermax + 1 - iter;
    return cutSteps >= give_up_after_cut_steps && s > kOutOfReachMargin * iterationsLeft;
}

void Newton::solve_with_jacobian() {
    // Rows the model's solver does not want scaled are solved as they are, with the residuals
    // as they are.
    for (int i = 0; i < neq; ++i) {
        G[i] = scale_jacobian ? -G[i] : -G[i] * div[i];
        mFactorScale[i] = scale_jacobian ? div[i] : 1.0;
    }
    p_equation->solve_linearised_system(vector_slot(), dG.rows(), G.data(), dU.data(), ninc, errorflag);
}

void Newton::scale_rows(bool withJacobian) {
    // A row of zeros (residual and Jacobian) is left as it is and the linear solve reports the
    // system singular.
    modG = 0.0;
    if (withJacobian &&
        !(neq == ninc && p_equation->jacobian_row_sums(vector_slot(), dG.rows(), row_sums.data(), ninc))) {
        for (int i = 0; i < neq; ++i) {
            double sum = 0.0;
            const double* row = dG[i];
            for (int j = 0; j < ninc; ++j)
                sum += std::fabs(row[j]);
            row_sums[i] = sum;
        }
    }
    for (int i = 0; i < neq; ++i) {
        const double d = std::fabs(G[i]) + row_sums[i];
        div[i] = d;
        if (d != 0.0) {
            if (withJacobian && scale_jacobian) {
                // One division a row; the Jacobian entries by the reciprocal (a rounding apart).
                const double inverse = 1.0 / d;
                double* row = dG[i];
                for (int j = 0; j < ninc; ++j)
                    row[j] *= inverse;
            }
            G[i] /= d;
        }
        modG += std::fabs(G[i]);
    }
}

void Newton::newton_step_at_accepted_point() {
    U = U0;
    short failure = 0;
    calculate(U.data(), G.data(), dG.rows(), failure, 1);
    ++jacobian_evaluations;
    if (failure != 0) { // it was accepted before: a model that changed its mind
        errorflag = 1;
        return;
    }
    scale_rows(true);
    modG0 = modG;
    solve_with_jacobian();
}

bool Newton::calculate_the_next_vector(bool withJacobian, bool exactStep) {
    errorflag = 0;
    U0 = U;
    bool jacobian = withJacobian;

    // Step limitation: no unknown may move by more than its dUmax.
    auto limit_step = [this] {
        double s = 1.0;
        for (int i = 0; i < ninc; ++i) {
            const double r = std::fabs(dU[i] / dUmax[i]);
            if (r > s) s = r;
        }
        for (int i = 0; i < ninc; ++i)
            dU[i] /= s;
    };
    limit_step();

    double relax = 1.0;
    for (;;) {
        for (int i = 0; i < ninc; ++i)
            U[i] = U0[i] + relax * dU[i];
        short failure = 0;
        calculate(U.data(), G.data(), dG.rows(), failure, jacobian ? 1 : 0);
        if (jacobian && failure == 0) ++jacobian_evaluations;

        bool rejected = failure != 0;
        if (!rejected) {
            scale_rows(jacobian);
            // A residual that is not a number is a failed evaluation, not an improvement. A step of
            // old factors must divide it by 10 at least: slower progress is that of a difficult
            // point, where the true Newton steps are taken, as without reuse.
            rejected = !(modG <= (exactStep ? 1.0 : kChordContraction) * modG0);
        }
        if (!rejected) {
            modG0 = modG;
            return jacobian;
        }
        jacobian = true; // every trial from here on with its Jacobian
        if (!exactStep) {
            // The step of old factors did not do: the true Newton step from the last accepted
            // point, relaxed from there as without reuse.
            newton_step_at_accepted_point();
            if (errorflag != 0) {
                U = U0;
                return true;
            }
            limit_step();
            exactStep = true;
            relax = 1.0;
            continue;
        }

        if (iter == 0) relax = relaxation_limit;
        relax /= 2.0;
        // relax > 0 keeps a zero or negative limit from halving for ever.
        if (!(relax >= relaxation_limit) || !(relax > 0.0)) {
            errorflag = 1;
            U = U0;
            return true;
        }
    }
}

bool Newton::convergence() {
    ++iter;
    if (errorflag != 0) return true;
    if (iter > itermax) {
        errorflag = 1;
        return true;
    }
    if (modG0 > epsilon || std::isnan(modG0)) return false;
    double sum = 0.0;
    for (int i = 0; i < ninc; ++i)
        sum += std::fabs(dU[i] / dUmax[i]);
    errorflag = (sum <= maxsumres) ? 0 : 3;
    return true;
}

} // namespace zephon::thermo
