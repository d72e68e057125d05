// SPDX-License-Identifier: BSD-3-Clause
// Scalar root finders, the Newton system solver and the dense linear solver.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "thermo/allocate.hpp"
#include "thermo/linear_system.hpp"
#include "thermo/nle_solver.hpp"
#include "thermo/solver.hpp"

using namespace zephon::thermo;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kCubicRoot = 2.0945514815423265; // x^3 - 2x - 5 = 0
double cubic(double x) {
    return x * x * x - 2.0 * x - 5.0;
}

// Scalar model on slot 3; records its arguments and fails where `fails` says so.
struct ScalarModel : Equation {
    std::function<double(double)> fn;
    std::function<bool(double)> fails = [](double) { return false; };
    std::vector<double> args;
    explicit ScalarModel(std::function<double(double)> g) : fn(std::move(g)) {}
    double equation(double) override { return -42.0; }
    double equation3(double x) override {
        args.push_back(x);
        if (fails(x)) error = 7;
        return fn(x);
    }
};

template <class S> S solver_for(ScalarModel& model, double a, double b) {
    S s;
    s.set_equation(model, 3);
    s.x0 = a;
    s.x1 = b;
    return s;
}

} // namespace

TEST(ScalarSolver, StopAndEvaluation) {
    ScalarModel model([](double x) { return x < 0.0 ? kNaN : 2.0 * x; });
    model.fails = [](double x) { return x == 5.0; };
    auto s = solver_for<Secant>(model, -5.0, -5.0 + 2e-9);
    EXPECT_FALSE(s.stop()); // below 1 the tolerance is absolute
    s.x0 = 5.0;
    s.x1 = 5.0 + 2e-9;
    EXPECT_TRUE(s.stop());

    s.boundsflag = 1;
    s.min = 1.0;
    s.max = 3.0;
    EXPECT_EQ(s.f(0.5), 0.0);
    EXPECT_EQ(s.errorflag, 2);
    EXPECT_EQ(s.f(3.5), 0.0);
    EXPECT_EQ(s.errorflag, 3);
    EXPECT_TRUE(model.args.empty()) << "refused arguments must not reach the model";
    s.boundsflag = 0;
    for (double x : {5.0, -1.0, kNaN}) { // model error, NaN value, NaN argument
        EXPECT_EQ(s.f(x), 0.0);
        EXPECT_EQ(s.errorflag, 4);
    }
    EXPECT_EQ(model.error, 0) << "the model's error is cleared";
    EXPECT_EQ(model.args.size(), 2u);
    s.set_equation(model, 99); // an unknown slot number selects `equation`
    EXPECT_EQ(s.f(1.0), -42.0);
}

TEST(Secant, ConvergesIncludingNearABound) {
    ScalarModel c(cubic);
    auto s = solver_for<Secant>(c, 0.0, 1.0);
    EXPECT_NEAR(s.solve(), kCubicRoot, 1e-12);
    EXPECT_EQ(s.errorflag, 0);

    // Root at 1e-4: the secant overshoots below the bound 0 and is relaxed back.
    ScalarModel root([](double x) { return std::sqrt(x) - 0.01; });
    auto b = solver_for<Secant>(root, 1.0, 0.5);
    b.boundsflag = 1;
    b.min = 0.0;
    EXPECT_NEAR(b.solve(), 1e-4, 1e-12);
    EXPECT_EQ(b.errorflag, 0);
}

TEST(Secant, FailedTrialsAreHalvedSevenTimesThenEndTheSolve) {
    ScalarModel model([](double x) { return x + 1000.0; });
    model.fails = [](double x) { return x < 0.0; };
    auto s = solver_for<Secant>(model, 2.0, 1.0);
    const double x = s.solve();
    EXPECT_EQ(s.errorflag, 4);
    ASSERT_EQ(model.args.size(), 9u);
    for (int k = 0; k < 7; ++k)
        EXPECT_DOUBLE_EQ(model.args[2 + k], 1.0 - 1001.0 / std::pow(2.0, k));
    EXPECT_DOUBLE_EQ(x, 1.0 - 1001.0 / 64.0); // continues with the last trial
    EXPECT_EQ(s.x0, 1.0);
}

TEST(Secant, FailuresAreNeverReportedAsConvergence) {
    // Evaluation fails within 0.99e-10 of the root; the last relaxed trial is closer to x1
    // than the tolerance, but it failed.
    ScalarModel model([](double x) { return x - 1.0; });
    model.fails = [](double x) { return std::fabs(x - 1.0) < 0.99e-10; };
    auto s = solver_for<Secant>(model, 1.0 + 2e-10, 1.0 + 1e-10);
    s.solve();
    EXPECT_EQ(s.errorflag, 4);

    ScalarModel no_root([](double x) { return x * x + 1.0; });
    auto a = solver_for<Secant>(no_root, 1.0, 2.0);
    a.solve();
    EXPECT_EQ(a.errorflag, 1);
    a.oscillationflag = 1;
    a.x0 = 1.0;
    a.x1 = 2.0;
    a.solve();
    EXPECT_EQ(a.errorflag, 5);
    a.x0 = kNaN;
    EXPECT_EQ(a.solve(), 0.0);
    EXPECT_EQ(a.errorflag, 4);
}

TEST(Muller, ConvergesOnBrackets) {
    struct Case {
        double (*fn)(double);
        double a, b, root;
        short itermax;
    };
    const Case cases[] = {
        {cubic, 0.0, 10.0, kCubicRoot, 15},
        {cubic, 2.0, 3.0, kCubicRoot, 50}, // approached from one side the bracket only halves
        {[](double x) { return std::log(x) + 5.0; }, 1e-6, 1.0, std::exp(-5.0), 15},
        {[](double x) { return x * (x - 0.5); }, 0.0, 1.0, 0.0, 15}, // roots at an end and the middle
    };
    for (const auto& c : cases) {
        ScalarModel model(c.fn);
        auto s = solver_for<Muller>(model, c.a, c.b);
        s.itermax = c.itermax;
        EXPECT_NEAR(s.solve(), c.root, 1e-9) << c.a << " " << c.b;
        EXPECT_EQ(s.errorflag, 0) << c.a << " " << c.b;
    }
}

TEST(Muller, FailuresEndWithTheirCode) {
    ScalarModel model([](double x) { return x * x + 1.0; });
    auto s = solver_for<Muller>(model, -1.0, 2.0);
    EXPECT_EQ(s.solve(), 0.0);
    EXPECT_EQ(s.errorflag, 4);
    EXPECT_EQ(model.args.size(), 2u);

    // A failed midpoint is not hidden by the interpolated evaluation after it.
    ScalarModel holes([](double x) { return x - 0.3; });
    holes.fails = [](double x) { return x == 0.5; };
    auto h = solver_for<Muller>(holes, 0.0, 1.0);
    h.solve();
    EXPECT_EQ(h.errorflag, 4);
}

TEST(LinearSystem, PivotingAndDegenerateSystems) {
    Matrix a(3, 3); // zero leading pivot; solution (1, -2, 3)
    const double rows[3][3] = {{0.0, 2.0, 1.0}, {1.0, 1.0, 1.0}, {4.0, -1.0, 2.0}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            a[i][j] = rows[i][j];
    std::vector<double> y = {-1.0, 2.0, 12.0}, x(3, 0.0);
    short ir = -1;
    solve_the_linear_system(a.rows(), y.data(), x.data(), 3, ir);
    ASSERT_EQ(ir, 0);
    EXPECT_NEAR(x[0], 1.0, 1e-14);
    EXPECT_NEAR(x[1], -2.0, 1e-14);
    EXPECT_NEAR(x[2], 3.0, 1e-14);

    solve_the_linear_system(nullptr, nullptr, nullptr, 0, ir);
    EXPECT_EQ(ir, 2);
    x = {7.0, 7.0};
    Matrix m(2, 2); // zero first column, then a NaN
    m[0][1] = 1.0;
    m[1][1] = 2.0;
    y = {1.0, 1.0};
    solve_the_linear_system(m.rows(), y.data(), x.data(), 2, ir);
    EXPECT_EQ(ir, 1);
    m[0][0] = kNaN;
    y = {1.0, 1.0};
    solve_the_linear_system(m.rows(), y.data(), x.data(), 2, ir);
    EXPECT_EQ(ir, 1);
    EXPECT_EQ(x, (std::vector<double>{7.0, 7.0}));
}

namespace {

// Vector model on slot 2; records every U it is evaluated at.
struct SystemModel : Equation {
    using Fn = std::function<void(const double*, double*, double**, short&)>;
    short n;
    Fn fn;
    std::vector<std::vector<double>> seen;
    SystemModel(short size, Fn g) : n(size), fn(std::move(g)) {}
    void calculate_vector_function2(double* U, double* G, double** dG, short& failure, short) override {
        seen.emplace_back(U, U + n);
        fn(U, G, dG, failure);
    }
};

Newton newton_for(SystemModel& model, std::vector<double> start) {
    Newton solver;
    solver.set_equations(model, model.n, 2);
    solver.set_initial_values(start.data());
    return solver;
}

// g(u) = u - 1, refused above `limit`.
SystemModel line(double limit) {
    return SystemModel(1, [limit](const double* u, double* g, double** dg, short& failure) {
        g[0] = u[0] - 1.0;
        dg[0][0] = 1.0;
        if (u[0] > limit) failure = 1;
    });
}

} // namespace

TEST(Newton, SolvesCircleAndParabola) {
    // x^2 + y^2 = 4 and y = x^2 - 1: x^2 = (1 + sqrt 13)/2, y = (sqrt 13 - 1)/2.
    SystemModel model(2, [](const double* u, double* g, double** dg, short&) {
        g[0] = u[0] * u[0] + u[1] * u[1] - 4.0;
        g[1] = u[1] - u[0] * u[0] + 1.0;
        dg[0][0] = 2.0 * u[0];
        dg[0][1] = 2.0 * u[1];
        dg[1][0] = -2.0 * u[0];
        dg[1][1] = 1.0;
    });
    auto s = newton_for(model, {-3.0, 0.5});
    s.dUmax = {0.5, 0.5};
    s.solve();
    ASSERT_EQ(s.errorflag, 0);
    EXPECT_NEAR(s.U[0], -std::sqrt((1.0 + std::sqrt(13.0)) / 2.0), 1e-12);
    EXPECT_NEAR(s.U[1], (std::sqrt(13.0) - 1.0) / 2.0, 1e-12);
    for (std::size_t k = 1; k < model.seen.size(); ++k) // dUmax bounds every move
        for (int i = 0; i < 2; ++i)
            EXPECT_LE(std::fabs(model.seen[k][i] - model.seen[k - 1][i]), 0.5 + 1e-15);
}

TEST(Newton, StartOnTheRootEndsAfterOneIteration) {
    // The scaled residual at 1 + 1e-12 is below 1e-11 at once; the step 1e-12 is tiny
    // against the default dUmax and too large against 1e-5.
    auto model = line(1e300);
    auto s = newton_for(model, {1.0 + 1e-12});
    s.solve();
    EXPECT_EQ(s.errorflag, 0);
    EXPECT_EQ(s.iter, 1);
    s.U = {1.0 + 1e-12};
    s.dUmax = {1e-5};
    s.solve();
    EXPECT_EQ(s.errorflag, 3);
    EXPECT_EQ(s.iter, 1);
}

TEST(Newton, RelaxationHalvesAtMostSixTimes) {
    // From -9 the full step to 1 is refused above -8.8: trials at 1, -4 ... -9 + 10/64,
    // the last accepted; from there no relaxed step is short enough.
    auto model = line(-8.8);
    auto s = newton_for(model, {-9.0});
    s.solve();
    EXPECT_EQ(s.errorflag, 1);
    ASSERT_EQ(model.seen.size(), 1u + 7u + 7u);
    for (int k = 0; k < 7; ++k)
        EXPECT_DOUBLE_EQ(model.seen[1 + k][0], -9.0 + 10.0 / std::pow(2.0, k));
    EXPECT_DOUBLE_EQ(s.U[0], -9.0 + 10.0 / 64.0) << "U holds the last accepted point";

    auto tighter = line(-8.85); // would need a seventh halving
    auto t = newton_for(tighter, {-9.0});
    t.solve();
    EXPECT_EQ(t.errorflag, 1);
    EXPECT_EQ(tighter.seen.size(), 8u);
    EXPECT_EQ(t.U[0], -9.0);
}

TEST(Newton, FailuresEndWithCodeOne) {
    auto refused = line(-10.0); // the first evaluation fails: the solve ends at once
    auto a = newton_for(refused, {0.0});
    a.solve();
    EXPECT_EQ(a.errorflag, 1);
    a.U = {kNaN}; // a NaN start never reaches the model
    a.solve();
    EXPECT_EQ(a.errorflag, 1);
    EXPECT_EQ(refused.seen.size(), 1u);

    SystemModel twice(2, [](const double* u, double* g, double** dg, short&) {
        g[0] = g[1] = u[0] + u[1] - 1.0; // the same equation twice: singular
        dg[0][0] = dg[0][1] = dg[1][0] = dg[1][1] = 1.0;
    });
    auto d = newton_for(twice, {3.0, 3.0});
    d.solve();
    EXPECT_EQ(d.errorflag, 1);
    EXPECT_EQ(d.iter, 1);
}

TEST(Newton, GivesUpARootOutOfReachOfItsCutSteps) {
    // g(u) = u - 1 from -999 with steps cut to 1: 1000 iterations away. Without giving up the solve
    // runs out of its 25 iterations; with it, it ends after the eighth cut step in a row.
    auto far = line(1e300);
    auto a = newton_for(far, {-999.0});
    a.dUmax = {1.0};
    a.solve();
    EXPECT_EQ(a.errorflag, 1);
    EXPECT_EQ(a.iter, 26);
    a.give_up_after_cut_steps = 8;
    a.U = {-999.0};
    a.solve();
    EXPECT_EQ(a.errorflag, 1);
    EXPECT_EQ(a.iter, 8);

    // A root 20 cut steps away is reached in time, as is one whose Newton step is a fair estimate of
    // the distance while it is cut (u^2 - 1 from 20: half the distance, 19 cut steps, then Newton).
    auto near = line(1e300);
    auto b = newton_for(near, {-19.0});
    b.dUmax = {1.0};
    b.give_up_after_cut_steps = 8;
    b.solve();
    EXPECT_EQ(b.errorflag, 0);
    EXPECT_NEAR(b.U[0], 1.0, 1e-12);
    SystemModel parabola(1, [](const double* u, double* g, double** dg, short&) {
        g[0] = u[0] * u[0] - 1.0;
        dg[0][0] = 2.0 * u[0];
    });
    auto c = newton_for(parabola, {20.0});
    c.dUmax = {1.0};
    c.give_up_after_cut_steps = 8;
    c.solve();
    EXPECT_EQ(c.errorflag, 0);
    EXPECT_NEAR(c.U[0], 1.0, 1e-12);
}
