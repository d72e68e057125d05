// SPDX-License-Identifier: BSD-3-Clause
// The linear systems of the flash (Newton steps, final corrections, continuation derivatives),
// solved through the structure of their Jacobian.
//
// Row i < N, the material balance of component i, holds only x_i, y_i (in the Nl and Nv columns),
// Nl (in the x_i column) and Nv (in the y_i column). Through it one of x_i, y_i is expressed by the
// other and the amounts, so the N balances take N unknowns out of the system, and Gaussian
// elimination runs on the N + 4 that remain instead of 2N + 4: about a sixth of the work for the
// 17-component oil. The eliminated unknown is the one whose coefficient (Nl or Nv) is larger, so
// the multipliers stay of the order of the row's own entries, as partial pivoting would keep them.
#include "thermo/eos_flash.hpp"

#include "thermo/linear_system.hpp"

#include <cmath>

namespace zephon::thermo {

namespace {
// A balance row serves as pivot only when its coefficient is not small next to the row.
constexpr double kSmallestBalancePivot = 1e-3;
} // namespace

void EosFlash::solve_linearised_system(short number, double** dG, double* G, double* x, short n, short& ir) {
    if (number != 0 || n != size || N < 1) {
        Equation::solve_linearised_system(number, dG, G, x, n, ir);
        return;
    }
    solve_flash_system(dG, G, x, ir);
}

bool EosFlash::solve_with_last_factors(short number, const double* G, double* x) {
    return number == 0 && solve_with_last_factorisation(G, x);
}

void EosFlash::solve_flash_system(double** J, double* r, double* solution, short& ir) {
    const int n = size;
    const int m = N + 4; // unknowns left: T, P, Nl, Nv and one of x_i, y_i per component
    // The workspace is about to hold another matrix.
    mReducedFactorised = false;
    mFactorisation.valid = false;

    // Choose the eliminated unknown of each component before anything is changed, so that the
    // full elimination can still take over. The coefficients are Nl and Nv in every balance, so
    // the choice is the same for all: the eliminated unknowns are the whole x block or y block.
    const bool eliminateX = N > 0 && std::fabs(J[0][4]) >= std::fabs(J[0][4 + N]);
    for (int i = 0; i < N; ++i) {
        const double* balance = J[i];
        const double cx = balance[4 + i], cy = balance[4 + N + i];
        const double pivot = eliminateX ? cx : cy;
        const double scale = std::fabs(balance[2]) + std::fabs(balance[3]) + std::fabs(cx) + std::fabs(cy);
        if (eliminateX != (std::fabs(cx) >= std::fabs(cy)) ||
            !(std::fabs(pivot) > kSmallestBalancePivot * scale)) {
            // The rows may come unscaled (the fugacities' in Pa): each to a unit sum of magnitudes,
            // for the pivoting.
            for (int row = 0; row < n; ++row) {
                double magnitude = 0.0;
                for (int c = 0; c < n; ++c)
                    magnitude += std::fabs(J[row][c]);
                if (!(magnitude > 0.0) || !std::isfinite(magnitude)) continue;
                const double inverse = 1.0 / magnitude;
                for (int c = 0; c < n; ++c)
                    J[row][c] *= inverse;
                r[row] *= inverse;
            }
            solve_the_linear_system(J, r, solution, static_cast<short>(n), ir);
            return;
        }
        // The balance as: eliminated unknown = rhs - nl Nl - nv Nv - kept coefficient * kept.
        const double inversePivot = 1.0 / pivot;
        mBalanceNl[i] = balance[2] * inversePivot;
        mBalanceNv[i] = balance[3] * inversePivot;
        mBalanceKept[i] = (eliminateX ? cy : cx) * inversePivot;
        mBalanceRhs[i] = r[i] * inversePivot;
        mBalanceInversePivot[i] = inversePivot;
    }
    mEliminatedFirst = static_cast<short>(eliminateX ? 4 : 4 + N);
    mKeptFirst = static_cast<short>(eliminateX ? 4 + N : 4);

    // Substitute into the other rows and gather the reduced system: columns T, P, Nl, Nv, then
    // the kept unknown of each component.
    for (int k = 0; k < m; ++k) {
        const double* row = J[N + k];
        const double* eliminated = row + mEliminatedFirst;
        const double* kept = row + mKeptFirst;
        double* reduced = mReducedJacobian[k];
        double* elimination = mEliminationFactors[k];
        std::copy(eliminated, eliminated + N, elimination);
        for (int i = 0; i < N; ++i)
            reduced[4 + i] = kept[i] - eliminated[i] * mBalanceKept[i];
        double nl = row[2], nv = row[3], rhs = r[N + k];
        for (int i = 0; i < N; ++i) {
            const double c = eliminated[i];
            nl -= c * mBalanceNl[i];
            nv -= c * mBalanceNv[i];
            rhs -= c * mBalanceRhs[i];
        }
        reduced[0] = row[0];
        reduced[1] = row[1];
        reduced[2] = nl;
        reduced[3] = nv;
        // Each row scaled to a unit sum of magnitudes: the fugacity rows (in Pa) would otherwise
        // outweigh the rows of the specified variables when the pivots are chosen.
        double magnitude = 0.0;
        for (int c = 0; c < m; ++c)
            magnitude += std::fabs(reduced[c]);
        mReducedRowScale[k] = 1.0;
        if (magnitude > 0.0 && std::isfinite(magnitude)) {
            const double inverse = 1.0 / magnitude;
            for (int c = 0; c < m; ++c)
                reduced[c] *= inverse;
            rhs *= inverse;
            mReducedRowScale[k] = inverse;
        }
        mReducedRhs[k] = rhs;
    }
    // The factors are kept (in the reduced matrix's rows, reordered) for further right-hand sides.
    std::copy(mReducedJacobian.rows(), mReducedJacobian.rows() + m, mReducedRows.begin());
    factor_the_linear_system(mReducedRows.data(), mReducedPivots.data(), static_cast<short>(m), ir);
    if (ir != 0) return;
    mReducedFactorised = true;
    recover_full_solution(solution, ir);
}

void EosFlash::recover_full_solution(double* solution, short& ir) {
    const int n = size, m = N + 4;
    solve_the_factored_system(mReducedRows.data(), mReducedPivots.data(), mReducedRhs.data(),
                              mReducedSolution.data(), static_cast<short>(m), ir);
    if (ir != 0) return;

    // Back to the full vector; the eliminated unknowns from their balances.
    const double dNl = mReducedSolution[2], dNv = mReducedSolution[3];
    for (int c = 0; c < 4; ++c)
        mFlashSolution[c] = mReducedSolution[c];
    for (int i = 0; i < N; ++i) {
        const double kept = mReducedSolution[4 + i];
        mFlashSolution[mKeptFirst + i] = kept;
        mFlashSolution[mEliminatedFirst + i] =
            mBalanceRhs[i] - mBalanceNl[i] * dNl - mBalanceNv[i] * dNv - mBalanceKept[i] * kept;
    }
    for (int c = 0; c < n; ++c) {
        if (!std::isfinite(mFlashSolution[c])) {
            ir = 1;
            return;
        }
    }
    for (int c = 0; c < n; ++c)
        solution[c] = mFlashSolution[c];
}

bool EosFlash::solve_with_last_factorisation(const double* r, double* solution) {
    if (!mReducedFactorised) return false;
    const int m = N + 4;
    for (int i = 0; i < N; ++i)
        mBalanceRhs[i] = r[i] * mBalanceInversePivot[i];
    for (int k = 0; k < m; ++k) {
        const double* elimination = mEliminationFactors[k];
        double rhs = r[N + k];
        for (int i = 0; i < N; ++i)
            rhs -= elimination[i] * mBalanceRhs[i];
        mReducedRhs[k] = rhs * mReducedRowScale[k];
    }
    short ir = 0;
    recover_full_solution(solution, ir);
    return ir == 0;
}

} // namespace zephon::thermo
