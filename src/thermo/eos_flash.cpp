// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/eos_flash.hpp"

#include <algorithm>
#include <cmath>

namespace zephon::thermo {

namespace {
// The scaled residual (a sum over the 2N + 4 equations) at which they are solved to the
// rounding of their terms: a further Newton step then changes nothing that matters.
constexpr double kRoundedResidual = 1e-13;
// A correction that divides the residual by this much or more is converging quadratically: the next
// one would only reach the rounding.
constexpr double kQuadraticFall = 1e-3;
constexpr int kMostPolishSteps = 4;
// A correction with older factors must divide the residual by this much at least.
constexpr double kChordFall = 0.1;
// How far (relative T and P, mole fractions) a converged point may lie from the start of a Newton
// solve for the factors of the start's Jacobian to serve its corrections and derivatives.
constexpr double kNearStart = 1e-4;
} // namespace

EosFlash::EosFlash(FluidPhase& fluid1, FluidPhase& fluid2) : IdealMixture(fluid1, fluid2) {}

void EosFlash::number_of_components(short ncomp) {
    IdealMixture::number_of_components(ncomp);
    size = static_cast<short>(2 * N + 4);
    algorithm.set_equations(*this, size, 0);
    U0 = allocate(size);
    dUmax = allocate(size);
    dU = allocate(size);
    mConstraintVector = allocate(size);
    mJacobian = allocate(size, size);
    mPolishU = allocate(size);
    mPolishTrial = allocate(size);
    mPolishG = allocate(size);
    mPolishStep = allocate(size);
    mPolishJacobian = allocate(size, size);
    mPolishRowSums = allocate(size);
    mBalanceNl = allocate(N);
    mBalanceNv = allocate(N);
    mBalanceKept = allocate(N);
    mBalanceRhs = allocate(N);
    mBalanceInversePivot = allocate(N);
    mReducedJacobian = allocate(static_cast<short>(N + 4), static_cast<short>(N + 4));
    mEliminationFactors = allocate(static_cast<short>(N + 4), N);
    mReducedRows.assign(static_cast<std::size_t>(N + 4), nullptr);
    mReducedPivots.assign(static_cast<std::size_t>(N + 4), 0);
    mReducedRowScale = allocate(static_cast<short>(N + 4));
    mReducedFactorised = false;
    mFactorisation = {false, 0, allocate(size)};
    mDerivatives = {false, 0, 0, 0.0, allocate(size), allocate(size)};
    mReducedRhs = allocate(static_cast<short>(N + 4));
    mReducedSolution = allocate(static_cast<short>(N + 4));
    mFlashSolution = allocate(size);
    for (IsoplethNode& node : mIsoplethNodes)
        node = {false, 0, allocate(size), allocate(size)};
    mIsoplethEstimate = allocate(size);
    algorithm.epsilon = 1e-8;
    algorithm.maxsumres = 0.001;
    algorithm.relaxation_limit = 0.001;
    algorithm.reuse_jacobian = true;
    algorithm.scale_jacobian = false; // solve_flash_system scales the rows it keeps
    // A bubble point sought from a start thousands of bar away walks there in cut steps (50 bar
    // each) and runs out of iterations: where the walk cannot end in time it is given up early.
    algorithm.give_up_after_cut_steps = 8;
}

void EosFlash::composition(short i, double zi) {
    IdealMixture::composition(i, zi);
    mFactorisation.valid = false;
    mDerivatives.valid = false;
    for (IsoplethNode& node : mIsoplethNodes)
        node.valid = false;
}

void EosFlash::set_type_of_problem(short problem) {
    type_of_problem = problem;
    AkT = AkP = AkNv = AkV = AkFv = 0.0;
    BkT = BkP = BkNv = BkV = BkFv = 0.0;
    auto weight = [](short digit, double& wT, double& wP, double& wNv, double& wV, double& wFv) {
        switch (digit) {
        case 1:
            wT = 1.0;
            break;
        case 2:
            wP = 1.0;
            break;
        case 3:
            wNv = 1.0;
            break;
        case 4:
            wV = 1.0;
            break;
        case 5:
            wFv = 1.0;
            break;
        default:
            break;
        }
    };
    weight(static_cast<short>(problem / 10), AkT, AkP, AkNv, AkV, AkFv);
    weight(static_cast<short>(problem % 10), BkT, BkP, BkNv, BkV, BkFv);
}

void EosFlash::calculateVLE() {
    set_initialization_flag(init_flag);
    initialize();
    ++mFlashCount;
    mPhasesOutOfDate = false;
    if (errorflag != 0) return;
    mJacobiansBeforeSolve = algorithm.jacobian_evaluations;
    algorithm.solve();
    mNewtonIterationCount += algorithm.iter;
    if (algorithm.errorflag != 0 && errorflag == 0) errorflag = 1;
    mPolishedResidual = errorflag == 0 ? polish_solution() : HUGE_VAL;
    estimate_next_state();
}

double EosFlash::scaled_residual(const std::vector<double>& G, const Matrix& J) {
    jacobian_row_sums(0, J.rows(), mPolishRowSums.data(), size);
    return scaled_residual(G);
}

bool EosFlash::jacobian_row_sums(short number, double* const* dG, double* sums, short n) const {
    if (number != 0 || n != size) return false;
    auto add = [](const double* row, int from, int to, double sum) {
        for (int c = from; c < to; ++c)
            sum += std::fabs(row[c]);
        return sum;
    };
    const int amounts = 2 * N + 4; // past the last mole fraction
    for (short i = 0; i < N; ++i) {
        // Balance: x_i, y_i, then Nl and Nv in the columns of x_i and y_i.
        const double* balance = dG[i];
        sums[i] = std::fabs(balance[2]) + std::fabs(balance[3]) + std::fabs(balance[4 + i]) +
                  std::fabs(balance[4 + N + i]);
        // Fugacity difference: everything but the amounts.
        const double* fugacity = dG[N + i];
        sums[N + i] = add(fugacity, 4, amounts, std::fabs(fugacity[0]) + std::fabs(fugacity[1]));
    }
    sums[2 * N] = add(dG[2 * N], 4, amounts, 0.0);
    sums[2 * N + 1] = std::fabs(dG[2 * N + 1][2]) + std::fabs(dG[2 * N + 1][3]);
    // The rows of the specified variables may hold anything.
    sums[2 * N + 2] = add(dG[2 * N + 2], 0, size, 0.0);
    sums[2 * N + 3] = add(dG[2 * N + 3], 0, size, 0.0);
    return true;
}

double EosFlash::scaled_residual(const std::vector<double>& G) const {
    double sum = 0.0;
    for (short i = 0; i < size; ++i) {
        const double scale = std::fabs(G[i]) + mPolishRowSums[i];
        if (scale > 0.0) sum += std::fabs(G[i]) / scale;
    }
    return sum;
}

void EosFlash::current_state(std::vector<double>& state) const {
    state[0] = T;
    state[1] = P;
    state[2] = Nl;
    state[3] = Nv;
    for (short i = 0; i < N; ++i) {
        state[4 + i] = x[i];
        state[4 + N + i] = y[i];
    }
}

bool EosFlash::is_current_state(const std::vector<double>& state) const {
    if (state.size() != static_cast<std::size_t>(size)) return false;
    // Exactly the same numbers: anything else is another point.
    if (state[0] != T || state[1] != P || state[2] != Nl || state[3] != Nv) return false;
    for (short i = 0; i < N; ++i)
        if (state[4 + i] != x[i] || state[4 + N + i] != y[i]) return false;
    return true;
}

bool EosFlash::polish_with_last_factors(double& residual) {
    double norm = algorithm.modG0;
    if (!(norm > 0.0) || algorithm.row_sums.size() != static_cast<std::size_t>(size)) return false;
    // Newton evaluated one Jacobian, at its start U0 (the estimate), and solved every step with its
    // factors: near that start they are close to the point's own Jacobian.
    if (algorithm.jacobian_evaluations != mJacobiansBeforeSolve + 1) return false;
    double moved = std::max(std::fabs(T - U0[0]) / T, std::fabs(P - U0[1]) / P);
    for (short i = 0; i < N; ++i)
        moved = std::max({moved, std::fabs(x[i] - U0[4 + i]), std::fabs(y[i] - U0[4 + N + i])});
    if (!(moved <= kNearStart)) return false;
    std::copy(algorithm.row_sums.begin(), algorithm.row_sums.end(), mPolishRowSums.begin());
    std::copy(algorithm.dU.begin(), algorithm.dU.end(), mPolishStep.begin());
    for (int pass = 0; pass < kMostPolishSteps; ++pass) {
        for (short i = 0; i < size; ++i)
            mPolishTrial[i] = mPolishU[i] + mPolishStep[i];
        short failure = 0;
        calculate_vector_function(mPolishTrial.data(), mPolishG.data(), mPolishJacobian.rows(), failure, 0);
        if (failure != 0) return false;
        const double trialNorm = scaled_residual(mPolishG);
        const bool rounded = !(trialNorm > kRoundedResidual);
        if (!rounded && !(trialNorm < kChordFall * norm)) return false;
        mPolishU = mPolishTrial;
        norm = trialNorm;
        if (rounded) {
            // The factors stand for the Jacobian of this point, as the other corrections' do.
            mFactorisation.valid = true;
            mFactorisation.problem = type_of_problem;
            current_state(mFactorisation.state);
            residual = norm;
            return true;
        }
        for (short i = 0; i < size; ++i)
            mPolishG[i] = -mPolishG[i];
        if (!solve_with_last_factorisation(mPolishG.data(), mPolishStep.data())) return false;
    }
    return false;
}

double EosFlash::polish_solution() {
    current_state(mPolishU);
    if (mPolishWithLastFactors) {
        double residual = 0.0;
        if (polish_with_last_factors(residual)) return residual;
        // Back to Newton's point (Newton leaves it in U), evaluated again below.
        std::copy(algorithm.U.begin(), algorithm.U.end(), mPolishU.begin());
    }
    // The converged point is the last one Newton evaluated, and the step it solved there (not
    // taken, since it had converged) is the first correction; its scaled residual is the norm
    // the corrections must lower. That step may have been solved with older factors; the second
    // correction is the true Newton step, from its Jacobian at the point the first one reached
    // (or at the converged point, where the first did not lower the residual). The factors of that
    // Jacobian are kept for the continuation's derivatives.
    double norm = algorithm.modG0;
    short failure = 0;
    if (norm > 0.0) {
        for (short i = 0; i < size; ++i)
            mPolishTrial[i] = mPolishU[i] + algorithm.dU[i];
        calculate_vector_function(mPolishTrial.data(), mPolishG.data(), mPolishJacobian.rows(), failure, 1);
        const double firstNorm = failure == 0 ? scaled_residual(mPolishG, mPolishJacobian) : norm;
        if (failure == 0 && firstNorm < norm) {
            mPolishU = mPolishTrial;
            norm = firstNorm;
        } else {
            failure = 0;
        }
    }
    if (!is_current_state(mPolishU) || norm == algorithm.modG0) {
        // Back to the converged point, phases included, with its Jacobian.
        calculate_vector_function(mPolishU.data(), mPolishG.data(), mPolishJacobian.rows(), failure, 1);
        scaled_residual(mPolishG, mPolishJacobian);
    }
    // True Newton steps while the residuals are not yet rounded: usually one, more where the
    // convergence is slow (near a critical point). A step that falls fast is evaluated without a
    // Jacobian; the phases then keep the derivatives of the point before it, which is closer than
    // Newton's tolerance.
    for (int pass = 0; pass < kMostPolishSteps; ++pass) {
        for (short i = 0; i < size; ++i)
            mPolishG[i] = -mPolishG[i];
        short ir = 0;
        solve_flash_system(mPolishJacobian.rows(), mPolishG.data(), mPolishStep.data(), ir);
        if (ir != 0 || failure != 0) return norm;
        mFactorisation.valid = true;
        mFactorisation.problem = type_of_problem;
        current_state(mFactorisation.state);
        if (!(norm > kRoundedResidual)) return norm;
        for (short i = 0; i < size; ++i)
            mPolishTrial[i] = mPolishU[i] + mPolishStep[i];
        calculate_vector_function(mPolishTrial.data(), mPolishG.data(), mPolishJacobian.rows(), failure, 0);
        const double trialNorm = failure == 0 ? scaled_residual(mPolishG) : norm;
        if (failure != 0 || !(trialNorm < norm)) {
            // Worse or refused: back to the point, phases included.
            calculate_vector_function(mPolishU.data(), mPolishG.data(), mPolishJacobian.rows(), failure, 1);
            current_state(mFactorisation.state); // as evaluating again may have repaired it
            return norm;
        }
        // The factors, of the point before this step, serve its derivatives as well.
        current_state(mFactorisation.state);
        if (!(trialNorm > kRoundedResidual) || trialNorm < kQuadraticFall * norm) return trialNorm;
        // Slow: on from here with this point's own Jacobian.
        mPolishU = mPolishTrial;
        calculate_vector_function(mPolishU.data(), mPolishG.data(), mPolishJacobian.rows(), failure, 1);
        norm = scaled_residual(mPolishG, mPolishJacobian);
    }
    return norm;
}

void EosFlash::initialize() {
    errorflag = 0;
    const short code = type_of_problem;
    if (init_flag == 0) {
        if (is_code(code, 1, 2)) {
            Tnc = T_star;
            Pnc = P_star;
        } else if (is_code(code, 2, 4) || is_code(code, 2, 5)) {
            Pnc = P_star;
        } else if (is_code(code, 1, 3)) {
            Tnc = T_star;
            vaporization_ratio(Nv_star);
        } else if (is_code(code, 2, 3)) {
            Pnc = P_star;
            vaporization_ratio(Nv_star);
        } else if (is_code(code, 1, 4) || is_code(code, 1, 5)) {
            Tnc = T_star;
        }
        T = Tnc;
        P = Pnc;
        x = xnc;
        y = ync;
    } else if (init_flag == 2) {
        IdealMixture::calculateVLE();
        if (errorflag != 0) return;
    }

    // The most volatile component present in the feed: the plausibility test checks that it
    // is richer in the vapour. Components absent from the feed cannot tell the phases apart.
    mMostVolatileComponentIndex = -1;
    for (short i = 0; i < N; ++i) {
        if (!(z[i] > 0.0)) continue;
        if (mMostVolatileComponentIndex < 0 || Tb[i] < Tb[mMostVolatileComponentIndex])
            mMostVolatileComponentIndex = i;
    }
    if (mMostVolatileComponentIndex < 0) mMostVolatileComponentIndex = 0;

    U0[0] = T;
    U0[1] = P;
    U0[2] = Nl;
    U0[3] = Nv;
    for (short i = 0; i < N; ++i) {
        U0[4 + i] = x[i];
        U0[4 + N + i] = y[i];
    }
    algorithm.set_initial_values(U0.data());

    dUmax[0] = 50.0;
    dUmax[1] = 5000000.0;
    dUmax[2] = Ntot / 2.0;
    dUmax[3] = Ntot / 2.0;
    for (short i = 0; i < 2 * N; ++i)
        dUmax[4 + i] = 0.3;
    algorithm.dUmax = dUmax;
}

short EosFlash::the_calculated_vector_is_not_good() {
    for (short i = 0; i < N; ++i) {
        const bool xInside = x[i] > -1e-5 && x[i] < 1.00001;
        const bool yInside = y[i] > -1e-5 && y[i] < 1.00001;
        if (xInside && yInside) continue;
        if (x[i] < -1.5 || y[i] < -1.5 || x[i] > 1.5 || y[i] > 1.5) return 1;
        for (double* v : {&x[i], &y[i]}) {
            if (*v <= -1e-5) *v = 1e-10;
            if (*v >= 1.00001) *v = 0.999999999;
        }
    }
    if (!(T > 0.0) || !(P > 0.0) || Nv < -1e-5 || Nl < -1e-5 || Nv > 1.0001 || Nl > 1.0001) return 1;
    if (VLEflag == 0) {
        if (vapour->phase != 1 || liquid->phase != 2) {
            vapour->set_the_phase_as(1);
            liquid->set_the_phase_as(2);
            return 1;
        }
    } else if (VLEflag == 1) {
        if (vapour->phase != 2 || liquid->phase != 2) {
            vapour->set_the_phase_as(2);
            liquid->set_the_phase_as(2);
            return 1;
        }
    }
    double distance = 0.0;
    for (short i = 0; i < N; ++i)
        distance += std::fabs(x[i] - y[i]);
    if (distance < 0.01) return 1; // the trivial solution
    const int m = mMostVolatileComponentIndex;
    if (m >= 0 && m < N && x[m] > y[m]) return 1; // inverted phases
    return 0;
}

void EosFlash::calculate_vector_function(double* U, double* G, double** dG, short& failure, short flag) {
    failure = 0;
    T = U[0];
    P = U[1];
    Nl = U[2];
    Nv = U[3];
    for (short i = 0; i < N; ++i) {
        x[i] = U[4 + i];
        y[i] = U[4 + N + i];
    }
    if (the_calculated_vector_is_not_good() == 1) {
        failure = 1;
        return;
    }
    // The repaired mole fractions are the point evaluated: keep the unknowns in step.
    for (short i = 0; i < N; ++i) {
        U[4 + i] = x[i];
        U[4 + N + i] = y[i];
    }
    apply_conditions();
    // Without a Jacobian the phases' derivatives are not needed.
    if (flag != 0) {
        vapour->describe();
        liquid->describe();
    } else {
        vapour->describe_fugacities();
        liquid->describe_fugacities();
    }

    const double Vl = liquid->V, Vv = vapour->V;
    V = Nv * Vv + Nl * Vl;
    double sumXY = 0.0;
    for (short i = 0; i < N; ++i) {
        G[i] = Nv * y[i] + Nl * x[i] - n[i];
        G[N + i] = vapour->fugacity[i] - liquid->fugacity[i];
        sumXY += x[i] - y[i];
    }
    G[2 * N] = sumXY;
    G[2 * N + 1] = Nv + Nl - Ntot;
    Fvv = Nv * Vv / V;
    G[2 * N + 2] = (P - P_star) * AkP + (T - T_star) * AkT + (Nv - Nv_star) * AkNv +
                   (V - V_star) * AkV * Ntot + (Fvv - Fv_star) * AkFv;
    G[2 * N + 3] = (P - P_star) * BkP + (T - T_star) * BkT + (Nv - Nv_star) * BkNv +
                   (V - V_star) * BkV * Ntot + (Fvv - Fv_star) * BkFv;

    if (flag != 0) {
        fill_in_the_Jacobian_matrix(dG);
        fill_target_row(dG[2 * N + 2], AkT, AkP, AkNv, AkV * Ntot, AkFv);
        fill_target_row(dG[2 * N + 3], BkT, BkP, BkNv, BkV * Ntot, BkFv);
    }
}

void EosFlash::fill_in_the_Jacobian_matrix(double** dG) {
    // Every row cleared but the fugacity rows, of which all but the amounts' columns are written.
    for (short r = 0; r < size; ++r) {
        if (r >= N && r < 2 * N) {
            dG[r][2] = dG[r][3] = 0.0;
            continue;
        }
        std::fill(dG[r], dG[r] + size, 0.0);
    }
    for (short i = 0; i < N; ++i) {
        double* balance = dG[i];
        balance[2] = x[i];
        balance[3] = y[i];
        balance[4 + i] = Nl;
        balance[4 + N + i] = Nv;

        double* fug = dG[N + i];
        fug[0] = vapour->dfugacitydT[i] - liquid->dfugacitydT[i];
        fug[1] = vapour->dfugacitydP[i] - liquid->dfugacitydP[i];
        for (short j = 0; j < N; ++j) {
            fug[4 + j] = -liquid->dfugacitydx[i][j];
            fug[4 + N + j] = vapour->dfugacitydx[i][j];
        }
        dG[2 * N][4 + i] = 1.0;
        dG[2 * N][4 + N + i] = -1.0;
    }
    dG[2 * N + 1][2] = 1.0;
    dG[2 * N + 1][3] = 1.0;
}

// Derivatives of the total volume Nl Vl + Nv Vv with respect to the unknowns.
void EosFlash::write_volume_row(double* row) const {
    row[0] = Nl * liquid->dVdT + Nv * vapour->dVdT;
    row[1] = Nl * liquid->dVdP + Nv * vapour->dVdP;
    row[2] = liquid->V;
    row[3] = vapour->V;
    for (short i = 0; i < N; ++i) {
        row[4 + i] = Nl * liquid->dVdx[i];
        row[4 + N + i] = Nv * vapour->dVdx[i];
    }
}

// Derivatives of the vapour volume fraction Nv Vv / (Nl Vl + Nv Vv).
void EosFlash::write_vapour_volume_fraction_row(double* row) const {
    const double Vl = liquid->V, Vv = vapour->V;
    const double D = Nl * Vl + Nv * Vv;
    const double D2 = D * D;
    const double dDdT = Nl * liquid->dVdT + Nv * vapour->dVdT;
    const double dDdP = Nl * liquid->dVdP + Nv * vapour->dVdP;
    row[0] = (Nv * vapour->dVdT * D - Nv * Vv * dDdT) / D2;
    row[1] = (Nv * vapour->dVdP * D - Nv * Vv * dDdP) / D2;
    row[2] = -Vl * Nv * Vv / D2;
    row[3] = (Vv * D - Vv * Nv * Vv) / D2;
    for (short i = 0; i < N; ++i) {
        row[4 + i] = -Vv * Nv * Nl * liquid->dVdx[i] / D2;
        row[4 + N + i] = (D * Nv * vapour->dVdx[i] - Vv * Nv * Nv * vapour->dVdx[i]) / D2;
    }
}

void EosFlash::fill_target_row(double* row, double wT, double wP, double wNv, double wV, double wFv) const {
    for (short c = 0; c < size; ++c)
        row[c] = 0.0;
    row[0] = wT;
    row[1] = wP;
    row[3] = wNv;
    if (wV != 0.0) {
        write_volume_row(row);
        for (short c = 0; c < size; ++c)
            row[c] *= wV;
    }
    if (wFv != 0.0) write_vapour_volume_fraction_row(row);
}

void EosFlash::set_constraint(double** dG, short constraint, short nb) {
    double* row = dG[2 * N + 1 + nb];
    switch (constraint) {
    case 1:
        row[0] = 1.0;
        break;
    case 2:
        row[1] = 1.0;
        break;
    case 3:
        row[3] = 1.0;
        break;
    case 4:
        write_volume_row(row);
        break;
    case 5:
        write_vapour_volume_fraction_row(row);
        break;
    default:
        break;
    }
}

} // namespace zephon::thermo
