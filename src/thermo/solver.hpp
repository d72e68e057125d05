// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// One-dimensional root finders driven through an Equation's scalar residual slots.
//
// Result codes left in `errorflag` after solve():
//   0 converged
//   1 more than `itermax` iterations
//   2 an evaluation was requested below `min` (only with `boundsflag`)
//   3 an evaluation was requested above `max` (only with `boundsflag`)
//   4 the model set Equation::error, or f was not a finite number
//     (Muller: also no sign change over the starting bracket)
//   5 Secant with `oscillationflag`: |f| grew without a change of sign
// Callers must test `errorflag` before using the value returned by solve().
#include "thermo/equation.hpp"

namespace zephon::thermo {

class Solver {
  public:
    Equation* p_equation = nullptr; // the model; not owned
    short equation_number = 0;      // scalar slot: 0 = equation, k = equationk (1 ... 17)
    double x0 = 0.0;                // the two current iterates, or the bracket ends
    double x1 = 0.0;
    short iter = 0;
    short itermax = 15;
    short errorflag = 0;
    double epsilon = 1e-9; // relative tolerance on |x1 - x0| (absolute while x0 < 1)
    short boundsflag = 0;  // when nonzero, evaluations outside [min, max] are refused
    double min = -1e15;
    double max = 1e15;

    Solver() { initialize(); }
    Solver(const Solver&) = default;
    Solver& operator=(const Solver&) = default;
    virtual ~Solver() = default;

    // Restores the default counters, limits and tolerance.
    void initialize();
    // Binds the model; numbers 1 ... 17 select equation1 ... equation17, anything else `equation`.
    void set_equation(Equation& problem, short number);
    // One evaluation of the bound slot. Clears `errorflag`; a refused or failed evaluation
    // sets its code and returns 0.0.
    double f(double xx);

    // True when |x1 - x0| < epsilon * s, with s = 1 while x0 < 1 and s = x0 otherwise.
    virtual bool stop() const;
    // Counts one iteration and decides whether the solve ends: converged (code 0), a pending
    // evaluation failure (its code), or the iteration limit (code 1).
    virtual bool convergence();
    virtual double solve() = 0;
};

// Secant iteration with step relaxation: a refused, failed or (with `oscillationflag`)
// growing trial is retried with half the step until the factor drops to `relax1`.
class Secant : public Solver {
  public:
    double relax0 = 1.0;  // first relaxation factor
    double relax1 = 0.01; // smallest relaxation factor
    double fx1 = 0.0;     // f at x1
    short oscillationflag = 0;

    double solve() override;
};

// Bracketing search: halves the bracket [x0, x1] and refines with a quadratic
// interpolation through the ends and the midpoint. f(x0) and f(x1) must differ in sign.
class Muller : public Solver {
  public:
    double solve() override;
};

} // namespace zephon::thermo
