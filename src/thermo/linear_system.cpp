// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/linear_system.hpp"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace zephon::thermo {

namespace {
constexpr double kSmallestPivot = 1.02e-25;

// row[c] -= factor * pivotRow[c] for c in [from, to). Unrolled by hand: the compiler does not
// vectorise loops of unknown length at the default optimisation level, and the flash spends
// most of its time here. Every element sees the same operations as in the plain loop.
void subtract_multiple(double* __restrict row, const double* __restrict pivotRow, double factor, int from,
                       int to) {
    int c = from;
    for (; c + 4 <= to; c += 4) {
        const double p0 = pivotRow[c], p1 = pivotRow[c + 1], p2 = pivotRow[c + 2], p3 = pivotRow[c + 3];
        row[c] -= factor * p0;
        row[c + 1] -= factor * p1;
        row[c + 2] -= factor * p2;
        row[c + 3] -= factor * p3;
    }
    for (; c < to; ++c)
        row[c] -= factor * pivotRow[c];
}
} // namespace

void factor_the_linear_system(double** A, short* pivots, short n, short& ir) {
    if (n < 1) {
        ir = 2;
        return;
    }
    ir = 1;
    for (int i = 0; i < n; ++i) {
        // Partial pivoting: the first row holding the largest magnitude in column i.
        int k = i;
        double largest = std::fabs(A[i][i]);
        for (int r = i + 1; r < n; ++r) {
            const double a = std::fabs(A[r][i]);
            if (a > largest) {
                largest = a;
                k = r;
            }
        }
        if (!(largest > kSmallestPivot)) return; // also catches a NaN column
        pivots[i] = static_cast<short>(k);
        // Whole rows change places, so that the multipliers of earlier columns follow their rows.
        if (k != i) std::swap(A[i], A[k]);

        double* pivotRow = A[i];
        // The pivot row by the pivot's reciprocal: one division instead of one per element (a
        // division costs several multiplications), the same numbers to within a rounding.
        const double inversePivot = 1.0 / pivotRow[i];
        bool zerosRightOfThePivot = true;
        for (int c = i + 1; c < n; ++c) {
            pivotRow[c] *= inversePivot;
            zerosRightOfThePivot = zerosRightOfThePivot && pivotRow[c] == 0.0;
        }
        // A row of one unknown alone (a specified temperature or pressure) changes no other row.
        if (zerosRightOfThePivot) continue;
        for (int j = i + 1; j < n; ++j) {
            double* row = A[j];
            subtract_multiple(row, pivotRow, row[i], i + 1, n);
        }
    }
    ir = 0;
}

void solve_the_factored_system(double* const* LU, const short* pivots, double* y, double* x, short n,
                               short& ir) {
    ir = 1;
    // Each right-hand side entry sees the divisions and subtractions the elimination of A gave its
    // row, in the same order.
    for (int i = 0; i < n; ++i)
        if (pivots[i] != i) std::swap(y[i], y[pivots[i]]);
    for (int i = 0; i < n; ++i) {
        y[i] /= LU[i][i];
        const double yi = y[i];
        for (int j = i + 1; j < n; ++j)
            y[j] -= LU[j][i] * yi;
    }
    for (int i = n - 1; i >= 0; --i) {
        const double* row = LU[i];
        double s = y[i];
        for (int j = i + 1; j < n; ++j)
            s -= y[j] * row[j];
        y[i] = s;
    }
    for (int i = 0; i < n; ++i) {
        if (!std::isfinite(y[i])) return;
    }
    ir = 0;
    for (int i = 0; i < n; ++i)
        x[i] = y[i];
}

void solve_the_linear_system(double** A, double* y, double* x, short n, short& ir) {
    if (n < 1) {
        ir = 2;
        return;
    }
    // The rows are exchanged through their pointers, which belong to the caller: a copy of them
    // is exchanged instead, and the matrix's rows are left in their places.
    constexpr int kOnStack = 64;
    double* stackRows[kOnStack];
    short stackPivots[kOnStack];
    std::vector<double*> heapRows;
    std::vector<short> heapPivots;
    double** rows = stackRows;
    short* pivots = stackPivots;
    if (n > kOnStack) {
        heapRows.assign(A, A + n);
        heapPivots.assign(n, 0);
        rows = heapRows.data();
        pivots = heapPivots.data();
    } else {
        std::copy(A, A + n, rows);
    }
    factor_the_linear_system(rows, pivots, n, ir);
    if (ir != 0) return;
    solve_the_factored_system(rows, pivots, y, x, n, ir);
}

} // namespace zephon::thermo
