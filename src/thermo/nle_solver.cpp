#include "thermo/nle_solver.hpp"

#include <algorithm>
#include <cmath>

namespace zephon::thermo {

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
    modG0 = 1e15;
    modG = 1e15;
    std::fill(dU.begin(), dU.end(), 0.0);
    iter = 0;
    do {
        calculate_the_next_vector();
        if (errorflag == 0) {
            for (int i = 0; i < neq; ++i)
                G[i] = -G[i];
            p_equation->solve_linearised_system(vector_slot(), dG.rows(), G.data(), dU.data(), ninc,
                                                errorflag);
        }
    } while (!convergence());
}

void Newton::calculate_the_next_vector() {
    errorflag = 0;
    U0 = U;

    // Step limitation: no unknown may move by more than its dUmax.
    double s = 1.0;
    for (int i = 0; i < ninc; ++i) {
        const double r = std::fabs(dU[i] / dUmax[i]);
        if (r > s) s = r;
    }
    for (int i = 0; i < ninc; ++i)
        dU[i] /= s;

    double relax = 1.0;
    for (;;) {
        for (int i = 0; i < ninc; ++i)
            U[i] = U0[i] + relax * dU[i];
        short failure = 0;
        calculate(U.data(), G.data(), dG.rows(), failure, 1);

        bool rejected = failure != 0;
        if (!rejected) {
            // Row scaling; a row of zeros (residual and Jacobian) is left as it is and the
            // linear solve reports the system singular.
            modG = 0.0;
            for (int i = 0; i < neq; ++i) {
                double d = std::fabs(G[i]);
                double* row = dG[i];
                for (int j = 0; j < ninc; ++j)
                    d += std::fabs(row[j]);
                div[i] = d;
                if (d != 0.0) {
                    // One division a row; the Jacobian entries by the reciprocal (a rounding apart).
                    const double inverse = 1.0 / d;
                    for (int j = 0; j < ninc; ++j)
                        row[j] *= inverse;
                    G[i] /= d;
                }
                modG += std::fabs(G[i]);
            }
            // A residual that is not a number is a failed evaluation, not an improvement.
            rejected = !(modG <= modG0);
        }
        if (!rejected) {
            modG0 = modG;
            return;
        }

        if (iter == 0) relax = relaxation_limit;
        relax /= 2.0;
        // relax > 0 keeps a zero or negative limit from halving for ever.
        if (!(relax >= relaxation_limit) || !(relax > 0.0)) {
            errorflag = 1;
            U = U0;
            return;
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
