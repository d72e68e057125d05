// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/cubic_roots.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zephon::thermo {

namespace {
constexpr double kEps = 1e-15;
constexpr double kLogCap = 87.0; // keeps exp() of the error estimates finite

double sign_or_plus(double v) {
    return v >= 0.0 ? 1.0 : -1.0;
}

// Monic cubic z^3 + a z^2 + b z + c and its derivative.
struct Monic {
    double a, b, c;
    double value(double z) const { return ((z + a) * z + b) * z + c; }
    double slope(double z) const { return (3.0 * z + 2.0 * a) * z + b; }
};

// A few Newton steps, each kept only when it lowers the residual; this takes a closed-form
// root to the accuracy the rounded coefficients allow.
double polish(const Monic& p, double z) {
    if (!std::isfinite(z)) return z;
    double fz = std::fabs(p.value(z));
    for (int k = 0; k < 4 && fz > 0.0; ++k) {
        const double d = p.slope(z);
        if (d == 0.0 || !std::isfinite(d)) break;
        const double trial = z - p.value(z) / d;
        const double ft = std::fabs(p.value(trial));
        if (!(ft < fz)) break;
        z = trial;
        fz = ft;
    }
    return z;
}

// The closed form cannot separate two roots closer than about 1e-4 relative (its
// discriminant test is deliberately coarse) and then returns their midpoint twice. Keep the
// best-conditioned root, polished, and take the other two from the deflated quadratic.
void refine_three_roots(const Monic& p, double* X) {
    int best = 0;
    double bestSlope = -1.0;
    for (int k = 0; k < 3; ++k) {
        X[k] = polish(p, X[k]);
        const double sl = std::fabs(p.slope(X[k]));
        if (sl > bestSlope) {
            bestSlope = sl;
            best = k;
        }
    }
    const double r = X[best];
    if (!std::isfinite(r)) return;
    const double q1 = p.a + r;
    const double q0 = (std::fabs(r) > 1.0 && r != 0.0) ? -p.c / r : p.b + r * q1;
    const double disc = q1 * q1 - 4.0 * q0;
    double u, v;
    if (disc >= 0.0) {
        const double t = -(q1 + sign_or_plus(q1) * std::sqrt(disc)) / 2.0;
        u = t;
        v = t != 0.0 ? q0 / t : -q1 - t;
        u = polish(p, u);
        v = polish(p, v);
    } else {
        // A complex pair within rounding of the real axis: its real part stands for both.
        u = v = -q1 / 2.0;
    }
    const int i1 = (best + 1) % 3, i2 = (best + 2) % 3;
    // Keep the closed form's order as far as possible: each slot gets the nearer value.
    if (std::fabs(X[i1] - u) + std::fabs(X[i2] - v) <= std::fabs(X[i1] - v) + std::fabs(X[i2] - u)) {
        X[i1] = u;
        X[i2] = v;
    } else {
        X[i1] = v;
        X[i2] = u;
    }
}
} // namespace

void degree3(const double* coef, short& nr, double* X) {
    const double a = coef[2] / coef[3];
    const double b = coef[1] / coef[3];
    const double c = coef[0] / coef[3];
    const double s = a / 3.0;

    // Depressed cubic t^3 + q t + r = 0 with z = t - s; terms lost in rounding are set to 0.
    const double qScale = (a * a / 3.0) * (a * a / 3.0) + b * b;
    double q = b - a * a / 3.0;
    if (q * q < qScale * kEps) q = 0.0;
    const double rScale = (b * s) * (b * s) + c * c + (2.0 * s * s * s) * (2.0 * s * s * s);
    double r = c - b * s + 2.0 * s * s * s;
    if (r * r < rScale * kEps) r = 0.0;

    double delta = r * r / 4.0 + q * q * q / 27.0;

    if (q < 0.0) {
        // Squared rounding error of delta, from both of its forms; keep the more accurate one.
        const double L1 =
            std::min(std::log(qScale * kEps) + 4.0 * std::log(std::fabs(q)) - std::log(81.0), kLogCap);
        const double L2 =
            std::min(std::log(rScale * kEps) + 2.0 * std::log(std::fabs(r)) - std::log(4.0), kLogCap);
        double err = std::exp(L1) + std::exp(L2);
        const double t1 = b * b * b / 27.0;
        const double t2 = -a * a * b * b / 108.0;
        const double t3 = c * c / 4.0;
        const double t4 = -a * b * c / 6.0;
        const double t5 = c * s * s * s;
        const double deltaExpanded = t1 + t2 + t3 + t4 + t5;
        const double errExpanded = kEps * (t1 * t1 + t2 * t2 + t3 * t3 + t4 * t4 + t5 * t5);
        if (err >= errExpanded) {
            delta = deltaExpanded;
            err = errExpanded;
        }
        if (delta * delta < err) delta = 0.0;
    }

    if (delta <= 0.0) {
        const double m = std::sqrt(-q / 3.0);
        const double theta =
            (std::fabs(delta) + std::fabs(r) == 0.0) ? 0.0 : std::atan2(r, 2.0 * std::sqrt(-delta));
        double sigma;
        if (a == 0.0)
            sigma = sign_or_plus(r);
        else
            sigma = sign_or_plus(a);
        const double t = -2.0 * sigma * m * std::cos(std::numbers::pi / 6.0 - sigma * theta / 3.0);
        X[0] = t - s;
        if (a * r > 0.0) {
            const double S = (a * b - c) / 2.0;
            const double K = r / t + 2.0 * t * s - 4.0 * s * s;
            const double W = 2.0 * t * t - r / t;
            X[1] = S / K - sign_or_plus(S) * std::fabs(std::sqrt(-27.0 * delta) / W);
        } else {
            X[1] = 2.0 * m * std::sin(theta / 3.0) - s;
        }
        if (delta == 0.0 && a * r < 0.0) {
            X[2] = -c / (X[0] * X[0]);
            X[1] = X[0];
        } else if (delta == 0.0) {
            X[2] = X[0];
            X[0] = X[1];
        } else {
            X[2] = X[0];
            if (X[1] != 0.0) X[2] = -c / (X[0] * X[1]);
        }
        nr = 3;
        refine_three_roots(Monic{a, b, c}, X);
    } else {
        const double u = std::cbrt(std::fabs(r / 2.0) + std::sqrt(delta));
        double g;
        if (q >= 0.0)
            g = u * u + q / 3.0 + q * q / (9.0 * u * u);
        else
            g = std::fabs(r) * u / (u * u - q / 3.0);
        if (a * r >= 0.0)
            X[0] = -r / g - s;
        else
            X[0] = -c / (s * s + g - r * s / g);
        nr = 1;
        X[0] = polish(Monic{a, b, c}, X[0]);
    }
}

} // namespace zephon::thermo
