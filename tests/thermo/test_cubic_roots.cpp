// SPDX-License-Identifier: BSD-3-Clause
// The cubic root finder against roots refined in long double, on ordinary and on nasty
// cubics: multiple and nearly multiple roots and coefficients of very different sizes.
#include "thermo/cubic_roots.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

using zephon::thermo::degree3;

namespace {

struct Cubic {
    long double r0, r1, r2; // real roots of the monic cubic when three are real
    double scale;           // leading coefficient
};

// Monic-scaled coefficients of scale (z - r0)(z - r1)(z - r2), rounded to double.
std::vector<double> coefficients(const Cubic& c) {
    const long double s = c.scale;
    return {static_cast<double>(-s * c.r0 * c.r1 * c.r2),
            static_cast<double>(s * (c.r0 * c.r1 + c.r0 * c.r2 + c.r1 * c.r2)),
            static_cast<double>(-s * (c.r0 + c.r1 + c.r2)), static_cast<double>(s)};
}

long double poly(const std::vector<double>& k, long double z) {
    return ((static_cast<long double>(k[3]) * z + k[2]) * z + k[1]) * z + k[0];
}

long double dpoly(const std::vector<double>& k, long double z) {
    return (3.0L * k[3] * z + 2.0L * k[2]) * z + k[1];
}

// A residual bound for a computed root: what evaluating the polynomial in double
// precision near z can distinguish from zero.
long double residual_scale(const std::vector<double>& k, long double z) {
    const long double az = std::fabs(z);
    return (std::fabs(k[3]) * az * az * az + std::fabs(k[2]) * az * az + std::fabs(k[1]) * az +
            std::fabs(k[0]));
}

void expect_roots_satisfy_polynomial(const std::vector<double>& k, short nr, const double* X) {
    for (short i = 0; i < nr; ++i) {
        ASSERT_TRUE(std::isfinite(X[i])) << "root " << i;
        const long double res = std::fabs(poly(k, X[i]));
        EXPECT_LE(res, 64.0L * 2.2e-16L * residual_scale(k, X[i])) << "root " << i << " = " << X[i];
    }
}

} // namespace

TEST(Degree3, TripleRootIsReturnedThreeTimes) {
    const double k[4] = {-1.0, 3.0, -3.0, 1.0};
    short nr = 0;
    double X[3];
    degree3(k, nr, X);
    ASSERT_EQ(nr, 3);
    for (double r : X)
        EXPECT_DOUBLE_EQ(r, 1.0);
}

TEST(Degree3, RandomCubicsWithThreeRealRoots) {
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> root(-10.0, 10.0);
    std::uniform_real_distribution<double> logScale(-8.0, 8.0);
    for (int trial = 0; trial < 20000; ++trial) {
        Cubic c{root(rng), root(rng), root(rng), std::pow(10.0, logScale(rng))};
        const auto k = coefficients(c);
        short nr = 0;
        double X[3];
        degree3(k.data(), nr, X);
        expect_roots_satisfy_polynomial(k, nr, X);
        if (::testing::Test::HasFailure()) return;
        // Well-separated roots must all be found.
        std::vector<long double> want = {c.r0, c.r1, c.r2};
        std::sort(want.begin(), want.end());
        if (want[1] - want[0] > 0.05 && want[2] - want[1] > 0.05) {
            ASSERT_EQ(nr, 3) << "trial " << trial;
            std::vector<double> got(X, X + 3);
            std::sort(got.begin(), got.end());
            for (int i = 0; i < 3; ++i)
                EXPECT_NEAR(got[i], static_cast<double>(want[i]), 1e-8 * (1 + std::fabs(got[i])));
        }
    }
}

TEST(Degree3, OneRealRootCubics) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> u(-10.0, 10.0);
    for (int trial = 0; trial < 20000; ++trial) {
        // (z - r)(z^2 + p z + q) with p^2 < 4q: one real root.
        const long double r = u(rng), p = u(rng);
        const long double q = p * p / 4.0L + std::fabs(u(rng)) + 1e-3L;
        const std::vector<double> k = {static_cast<double>(-r * q), static_cast<double>(q - r * p),
                                       static_cast<double>(p - r), 1.0};
        short nr = 0;
        double X[3];
        degree3(k.data(), nr, X);
        ASSERT_EQ(nr, 1) << "trial " << trial;
        expect_roots_satisfy_polynomial(k, nr, X);
        EXPECT_NEAR(X[0], static_cast<double>(r), 1e-9 * (1.0 + std::fabs(X[0])));
    }
}

TEST(Degree3, NastyCubics) {
    // Double roots, nearly double roots, tiny and huge roots together, and the cubics an
    // equation of state produces near its critical point (three nearly equal roots).
    const std::vector<Cubic> cases = {
        {2.0L, 2.0L, -1.0L, 1.0},   {2.0L, 2.0L + 1e-9L, 5.0L, 1.0}, {1e-6L, 1.0L, 1e6L, 1.0},
        {-1e-8L, 1e-8L, 3.0L, 1.0}, {0.3L, 0.3L, 0.3L, 1e-12},       {0.3L, 0.3L + 1e-7L, 0.3L - 1e-7L, 1.0},
        {0.0L, 0.0L, 1.0L, 1.0},    {0.0L, 1.0L, 1.0L, 1.0},         {1e-300L, 1.0L, 2.0L, 1.0},
        {0.05L, 0.2L, 0.95L, 1e20}, {1e5L, 1e5L, 1e5L, 1.0},         {-3.0L, -3.0L, 7.0L, 1e-5},
    };
    for (const Cubic& c : cases) {
        const auto k = coefficients(c);
        short nr = 0;
        double X[3];
        degree3(k.data(), nr, X);
        ASSERT_TRUE(nr == 1 || nr == 3);
        expect_roots_satisfy_polynomial(k, nr, X);
        // The largest root is always found to within what the rounded coefficients allow.
        const long double largest = std::max({c.r0, c.r1, c.r2});
        const double found = *std::max_element(X, X + nr);
        const long double slope = std::fabs(dpoly(k, largest));
        const long double tol =
            slope > 0 ? 1e-6L * (1 + std::fabs(largest)) : 1e-4L * (1 + std::fabs(largest));
        EXPECT_NEAR(found, static_cast<double>(largest), static_cast<double>(tol))
            << "roots " << static_cast<double>(c.r0) << " " << static_cast<double>(c.r1) << " "
            << static_cast<double>(c.r2);
    }
}
