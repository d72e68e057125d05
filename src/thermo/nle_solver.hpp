// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Solver of a square nonlinear system G(U) = 0 driven through an Equation's vector slots.
//
// Result codes left in `errorflag` by Newton::solve():
//   0 converged
//   1 more than `itermax` iterations, a step that could not be relaxed further (any rejected
//     trial on the first iteration, or a relaxation factor below `relaxation_limit`), or a
//     singular linear system
//   2 a system of no unknowns
//   3 the residual is below `epsilon` but the scaled step sum_i |dU_i / dUmax_i| is above
//     `maxsumres`
#include <vector>

#include "thermo/allocate.hpp"
#include "thermo/equation.hpp"

namespace zephon::thermo {

class NLESolver {
  public:
    Equation* p_equation = nullptr; // the model; not owned
    short equation_number = 0;      // vector slot: k = calculate_vector_functionk (1 ... 12), else 0
    short ninc = 0;                 // number of unknowns
    short neq = 0;                  // number of equations (= ninc)
    short iter = 0;
    short itermax = 25;
    short sensitive = 1;
    std::vector<double> G;     // residuals [neq]
    std::vector<double> U;     // unknowns [ninc]
    Matrix dG;                 // Jacobian [neq][ninc], dG[i][j] = dG_i/dU_j
    std::vector<double> U0;    // unknowns at the start of the step
    std::vector<double> dU;    // Newton step
    std::vector<double> dUmax; // largest change of each unknown in one step
    double epsilon = 1e-11;
    double modG0 = 1e15; // residual norm of the last accepted point
    short errorflag = 0;
    double modG = 1e15; // residual norm of the trial point

    // Sizes the system, restores the defaults and binds vector slot `nequation_number`.
    void set_equations(Equation& p, short nsize, short nequation_number);
    // Copies ninc values into U0 and U.
    void set_initial_values(const double* u0);
    // One evaluation of the bound slot at u. `failure` is nonzero when the model refused u;
    // a u holding a value that is not a finite number is refused without calling the model.
    void calculate(double* u, double* g, double** dg, short& failure, short flag);

  protected:
    // The vector slot bound: 1 ... 12, anything else is slot 0.
    short vector_slot() const {
        return (equation_number >= 1 && equation_number <= 12) ? equation_number : 0;
    }
};

// Damped Newton iteration with row-scaled residuals.
class Newton : public NLESolver {
  public:
    std::vector<double> div; // row scale factors [neq]
    double maxsumres = 1e-8;
    double relaxation_limit = 0.01;
    // With reuse_jacobian, the steps after the first are solved with the factors of the last
    // Jacobian (the model's solve_with_last_factors) and their trials evaluated without a Jacobian
    // (flag 0), for as long as each step divides the residual by 10 at least. A step of older factors
    // that fails or does not divide it by 10 is not relaxed: it is taken again from the last accepted
    // point with that point's Jacobian, and from there, while progress is slow, every step is the
    // true Newton step, relaxed as without reuse: a difficult point is solved (or not) exactly as
    // without reuse. The convergence test is the same; rows are scaled with the sums of the last
    // Jacobian.
    bool reuse_jacobian = false;
    // False: the model's linear solve scales rows itself, and the Jacobian and the right-hand side
    // reach it as evaluated (the residuals are scaled for the convergence test all the same).
    bool scale_jacobian = true;
    std::vector<double> row_sums;  // sum_j |dG_ij| of the last Jacobian
    long jacobian_evaluations = 0; // evaluations with a Jacobian, since construction
    // A solution out of reach: after this many Newton steps in a row cut to the largest step
    // (dUmax), a next step that would take more than twice the iterations left at that pace ends
    // the solve with code 1, as running out of iterations would, without the iterations. Newton's
    // step estimates the distance to the root; where it keeps being cut in a steady walk (the
    // flash's walks in pressure) the estimate is fair, and a root twice as far as the iterations
    // left can cover is not reached. A strongly curved residual, whose step overestimates the
    // distance many times over, could be given up wrongly: a model sets this only where its walks
    // are of the first kind. 0 (the default) never gives up early.
    short give_up_after_cut_steps = 0;

    void set_equations(Equation& p, short nsize, short nequation_number);
    // Iterates from U; the result is in U, the code in errorflag. After a failure U holds the
    // last accepted point.
    void solve();
    // Tries U0 + relax * dU, halving relax while the trial fails or raises the scaled
    // residual norm; accepts the first trial that does neither. Evaluates with a Jacobian when
    // `withJacobian`; returns whether the accepted one had one. `exactStep`: dU was solved with the
    // Jacobian of U itself (not with older factors).
    bool calculate_the_next_vector(bool withJacobian = true, bool exactStep = true);
    bool convergence();

  private:
    // Row scaling of an evaluation: with its Jacobian, div_i = |G_i| + sum_j |dG_ij| (the sums are
    // kept); without, the kept sums stand for the Jacobian's. G (and dG) are divided by div; modG.
    void scale_rows(bool withJacobian);
    // Counts the steps cut to dUmax in a row (`cutSteps`, the step dU just solved included) and
    // tells whether the solution is out of reach (see give_up_after_cut_steps).
    bool out_of_reach(int& cutSteps) const;
    // The step from U with the Jacobian there (evaluated again): the true Newton step.
    void newton_step_at_accepted_point();
    // dU from the evaluation just accepted, with its Jacobian.
    void solve_with_jacobian();
    std::vector<double> mFactorScale; // the row scales the last factorised Jacobian had
    std::vector<double> mRhs;
};

} // namespace zephon::thermo
