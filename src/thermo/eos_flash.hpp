// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Liquid-vapour equilibrium with the cubic equation of state: material balances, equal
// fugacities and the two specified variables solved together by damped Newton iteration.
//
// Unknowns U (2N + 4): T (K), P (Pa), Nl, Nv, liquid x_0..x_{N-1}, vapour y_0..y_{N-1}.
// Residuals G: N balances, N fugacity differences (Pa), sum(x - y), Nl + Nv - Ntot and the
// two rows of the specified variables.
//
// The object also predicts the next point of a phase envelope (isopleth) or an isochore
// from the derivatives of the converged equilibrium (the isopleth's from its last two points
// and their derivatives). The signed steps and points it carries from one point of a curve to
// the next are members, so independent flashes can run concurrently.
#include "thermo/ideal_mixture.hpp"
#include "thermo/nle_solver.hpp"

namespace zephon::thermo {

class EosFlash : public IdealMixture {
  public:
    short size = 0; // 2N + 4

    // Weights of the two equations of the specified variables (one of each set is 1, the others 0).
    double AkT = 0., AkP = 0., AkNv = 0., AkV = 0., AkFv = 0.;
    double BkT = 0., BkP = 0., BkNv = 0., BkV = 0., BkFv = 0.;

    std::vector<double> U0;    // start vector
    std::vector<double> dUmax; // largest change of each unknown in one Newton step
    std::vector<double> dU;    // derivative of the unknowns along the curve being traced

    std::vector<double> mConstraintVector;
    Matrix mJacobian;

    double dPdT = 0.;  // slope of the curve being traced
    double dNvdT = 0.; // not computed here
    double dPdx = 0.;  // not computed here

    Newton algorithm;
    int mMostVolatileComponentIndex = 0;

    // Work done since construction: flashes attempted and Newton iterations they took.
    long mFlashCount = 0;
    long mNewtonIterationCount = 0;
    // Newton's scaled residual where the last flash ended, after its final corrections (infinite
    // when it failed).
    double mPolishedResidual = 0.0;
    // Set by a caller that wants the final corrections of its converged flashes solved with the
    // factors of Newton's last step where they suffice (see polish_with_last_factors): the
    // isopleth's steps, whose derivatives are only those of the next estimate.
    bool mPolishWithLastFactors = false;

    EosFlash(FluidPhase& fluid1, FluidPhase& fluid2);

    void number_of_components(short ncomp) override;
    // A new feed (an oil model sets it whenever its distribution changes, pseudo-components
    // included) makes the kept factorisation and derivatives those of another fluid.
    void composition(short i, double zi) override;
    void set_type_of_problem(short problem) override;
    void calculateVLE() override;
    void initialize() override;
    void calculate_vector_function(double* U, double* G, double** dG, short& failure, short flag) override;
    // Newton steps of slot 0 through the structure of the flash Jacobian (eos_flash_linear_system.cpp).
    void solve_linearised_system(short number, double** dG, double* G, double* x, short n,
                                 short& ir) override;
    bool solve_with_last_factors(short number, const double* G, double* x) override;
    // Row sums of the Jacobian laid out by fill_in_the_Jacobian_matrix, its zeros skipped.
    bool jacobian_row_sums(short number, double* const* dG, double* sums, short n) const override;
    void fill_in_the_Jacobian_matrix(double** dG);
    // Plausibility test and repair of a trial state; 1 rejects it.
    short the_calculated_vector_is_not_good();

    // Continuation (see eos_flash_continuation.cpp).
    void set_constraint(double** dG, short constraint, short nb);
    void calculate_derivatives(double* dUout, short parameter1, short parameter2);
    void estimateNextIsoplethPoint(double lambda, double dT0, double dP0);
    void estimateNextIsochorPoint(double lambda, double dT0);
    // Back to the saved point after a step that failed, as VLE::restore, but the phases are
    // described there only when the continuation's derivatives need them.
    void restore_saved_state();

    // The signed steps of the two predictors, kept from one point of a curve to the next.
    struct ContinuationStep {
        double dT = 0.0; // K
        double dP = 0.0; // Pa
    };
    ContinuationStep mIsoplethStep;
    ContinuationStep mIsochorStep;

    // A converged point of the isopleth and the derivatives of its unknowns along the curve in
    // the variable it was stepped from (1 temperature, 2 pressure).
    struct IsoplethNode {
        bool valid = false;
        short variable = 0;
        std::vector<double> state; // T, P, Nl, Nv, x, y
        std::vector<double> dU;    // d(state)/d(variable)
    };

  private:
    // Solves J x = r for a Jacobian laid out by fill_in_the_Jacobian_matrix (rows may be scaled):
    // the balances eliminate one of x_i, y_i per component, then the N + 4 others are solved by
    // Gaussian elimination. ir as for solve_the_linear_system; J and r may be overwritten.
    void solve_flash_system(double** J, double* r, double* solution, short& ir);
    // Its workspace, sized by number_of_components. The factors of the last reduced system stay
    // there (mReducedRows, mReducedPivots, with what reduced it) until the next solve.
    short mEliminatedFirst = 0, mKeptFirst = 0; // the first columns of the x and y blocks, by role
    std::vector<double> mBalanceNl, mBalanceNv, mBalanceKept, mBalanceRhs, mBalanceInversePivot;
    Matrix mReducedJacobian, mEliminationFactors;
    std::vector<double*> mReducedRows;
    std::vector<short> mReducedPivots;
    std::vector<double> mReducedRowScale;
    std::vector<double> mReducedRhs, mReducedSolution, mFlashSolution;
    bool mReducedFactorised = false;
    // The reduced right-hand side in mReducedRhs solved with the kept factors, and the full
    // solution recovered from it.
    void recover_full_solution(double* solution, short& ir);
    // J x = r for another right-hand side r of the last system solve_flash_system factorised
    // (r is not changed); false when it kept no factors.
    bool solve_with_last_factorisation(const double* r, double* solution);

    // The factors kept after a converged flash: of its Jacobian, unscaled, at the state it
    // ended in (T, P, Nl, Nv, x, y) for the problem it solved. The continuation's derivatives
    // at that state are solved with them, without a Jacobian or an elimination of their own.
    struct Factorisation {
        bool valid = false;
        short problem = 0;
        std::vector<double> state;
    };
    Factorisation mFactorisation;
    // The derivatives last computed by calculate_derivatives, with what they depend on; a step
    // that failed comes back to the same point and asks for them again.
    struct Derivatives {
        bool valid = false;
        short parameter1 = 0, parameter2 = 0;
        double Ntot = 0.;
        std::vector<double> state, dU;
    };
    Derivatives mDerivatives;
    // The phases do not describe the current state (restore_saved_state left them).
    bool mPhasesOutOfDate = false;
    // The current state (T, P, Nl, Nv, x, y) into `state`.
    void current_state(std::vector<double>& state) const;
    bool is_current_state(const std::vector<double>& state) const;

    // Workspace of the final correction steps (sized once, so a solve never allocates).
    std::vector<double> mPolishU, mPolishTrial, mPolishG, mPolishStep;
    Matrix mPolishJacobian;

    // Newton's test stops once the scaled residual is below its tolerance, one quadratic step
    // short of full precision; a couple of full steps, each kept only when it lowers the
    // residual, bring the fugacities of trace components to equality as well. Returns the
    // scaled residual where it ends.
    double polish_solution();
    // The same corrections solved with the factors of Newton's last step instead of a Jacobian at
    // the point: only where Newton evaluated one Jacobian, at its start, and the point lies within
    // kNearStart of that start (those factors then serve the continuation's derivatives as well),
    // and only while each correction divides the residual by 10 at least. False where they do not
    // bring it to its rounding (the state is then anywhere near the point); `residual` where they do.
    bool polish_with_last_factors(double& residual);
    long mJacobiansBeforeSolve = 0; // Newton's count of Jacobians before the current solve
    // Newton's scaled residual norm, sum_i |G_i| / (|G_i| + sum_j |J_ij|); the row sums are kept
    // (mPolishRowSums) for a residual evaluated without a Jacobian near by.
    double scaled_residual(const std::vector<double>& G, const Matrix& J);
    double scaled_residual(const std::vector<double>& G) const;
    std::vector<double> mPolishRowSums;

    void write_volume_row(double* row) const;
    void write_vapour_volume_fraction_row(double* row) const;
    void fill_target_row(double* row, double wT, double wP, double wNv, double wV, double wFv) const;
    // The linear estimate of the next point from the saved one, stepping in T or in P, for
    // the curve kept at `fixedVariable` (3 vapour moles, 4 volume). Returns false when the
    // problem code is not one the predictor handles.
    bool predict(double lambda, double dT0, double dPswitchT, double dPswitchP, short fixedVariable,
                 ContinuationStep& memory);

    // The last two points of the isopleth the predictor started from (mIsoplethNodes[1] the saved
    // point, [0] the one before it), for the curvature of the second-order predictor.
    IsoplethNode mIsoplethNodes[2];
    std::vector<double> mIsoplethEstimate; // the refined estimate's mole fractions (workspace)
    // Keeps the saved point and its derivatives (dU, in the variable of type_of_problem) as the
    // newest node; a new curve (`restart`) forgets the older one.
    void remember_isopleth_node(bool restart);
    // Adds to the linear estimate the cubic Hermite terms through the two nodes; false (the
    // estimate left linear) where they are not both of this stretch of the curve or the estimate
    // would leave the admissible mole fractions.
    bool add_isopleth_curvature(double step);
};

} // namespace zephon::thermo
