#include "thermo/linear_system.hpp"

#include <cmath>
#include <utility>

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

void solve_the_linear_system(double** A, double* y, double* x, short n, short& ir) {
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
        if (k != i) {
            for (int c = i; c < n; ++c)
                std::swap(A[i][c], A[k][c]);
            std::swap(y[i], y[k]);
        }

        double* pivotRow = A[i];
        const double pivot = pivotRow[i];
        for (int c = i + 1; c < n; ++c)
            pivotRow[c] /= pivot;
        y[i] /= pivot;
        const double yi = y[i];
        for (int j = i + 1; j < n; ++j) {
            double* row = A[j];
            const double factor = row[i];
            subtract_multiple(row, pivotRow, factor, i + 1, n);
            y[j] -= factor * yi;
        }
    }

    for (int i = n - 1; i >= 0; --i) {
        const double* row = A[i];
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

} // namespace zephon::thermo
