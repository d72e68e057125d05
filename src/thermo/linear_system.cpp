#include "thermo/linear_system.hpp"

#include <cmath>
#include <utility>

namespace zephon::thermo {

namespace {
constexpr double kSmallestPivot = 1.02e-25;
}

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

        const double pivot = A[i][i];
        for (int c = i + 1; c < n; ++c)
            A[i][c] /= pivot;
        y[i] /= pivot;
        for (int j = i + 1; j < n; ++j) {
            const double factor = A[j][i];
            for (int c = i + 1; c < n; ++c)
                A[j][c] -= factor * A[i][c];
            y[j] -= factor * y[i];
        }
    }

    for (int i = n - 1; i >= 0; --i) {
        for (int j = i + 1; j < n; ++j)
            y[i] -= y[j] * A[i][j];
    }

    for (int i = 0; i < n; ++i) {
        if (!std::isfinite(y[i])) return;
    }
    ir = 0;
    for (int i = 0; i < n; ++i)
        x[i] = y[i];
}

} // namespace zephon::thermo
