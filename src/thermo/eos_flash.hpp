#pragma once
// Liquid-vapour equilibrium with the cubic equation of state: material balances, equal
// fugacities and the two specified variables solved together by damped Newton iteration.
//
// Unknowns U (2N + 4): T (K), P (Pa), Nl, Nv, liquid x_0..x_{N-1}, vapour y_0..y_{N-1}.
// Residuals G: N balances, N fugacity differences (Pa), sum(x - y), Nl + Nv - Ntot and the
// two rows of the specified variables.
//
// The object also predicts the next point of a phase envelope (isopleth) or an isochore
// from the derivatives of the converged equilibrium. The signed steps it carries from one
// point of a curve to the next are members, so independent flashes can run concurrently.
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

    EosFlash(FluidPhase& fluid1, FluidPhase& fluid2);

    void number_of_components(short ncomp) override;
    void set_type_of_problem(short problem) override;
    void calculateVLE() override;
    void initialize() override;
    void calculate_vector_function(double* U, double* G, double** dG, short& failure, short flag) override;
    // Newton steps of slot 0 through the structure of the flash Jacobian (eos_flash_linear_system.cpp).
    void solve_linearised_system(short number, double** dG, double* G, double* x, short n,
                                 short& ir) override;
    void fill_in_the_Jacobian_matrix(double** dG);
    // Plausibility test and repair of a trial state; 1 rejects it.
    short the_calculated_vector_is_not_good();

    // Continuation (see eos_flash_continuation.cpp).
    void set_constraint(double** dG, short constraint, short nb);
    void calculate_derivatives(double* dUout, short parameter1, short parameter2);
    void estimateNextIsoplethPoint(double lambda, double dT0, double dP0);
    void estimateNextIsochorPoint(double lambda, double dT0);

    // The signed steps of the two predictors, kept from one point of a curve to the next.
    struct ContinuationStep {
        double dT = 0.0; // K
        double dP = 0.0; // Pa
    };
    ContinuationStep mIsoplethStep;
    ContinuationStep mIsochorStep;

  private:
    // Solves J x = r for a Jacobian laid out by fill_in_the_Jacobian_matrix (rows may be scaled):
    // the balances eliminate one of x_i, y_i per component, then the N + 4 others are solved by
    // Gaussian elimination. ir as for solve_the_linear_system; J and r may be overwritten.
    void solve_flash_system(double** J, double* r, double* solution, short& ir);
    // Its workspace, sized by number_of_components.
    std::vector<short> mEliminatedColumn, mKeptColumn;
    std::vector<double> mBalanceNl, mBalanceNv, mBalanceKept, mBalanceRhs;
    Matrix mReducedJacobian;
    std::vector<double> mReducedRhs, mReducedSolution, mFlashSolution;

    // Workspace of the final correction steps (sized once, so a solve never allocates).
    std::vector<double> mPolishU, mPolishTrial, mPolishG, mPolishStep;
    Matrix mPolishJacobian;

    // Newton's test stops once the scaled residual is below its tolerance, one quadratic
    // step short of full precision; a couple of full steps, each kept only when it lowers
    // the residual, bring the fugacities of trace components to equality as well.
    void polish_solution();
    double scaled_residual(const std::vector<double>& G, const Matrix& J) const;

    void write_volume_row(double* row) const;
    void write_vapour_volume_fraction_row(double* row) const;
    void fill_target_row(double* row, double wT, double wP, double wNv, double wV, double wFv) const;
    // The linear estimate of the next point from the saved one, stepping in T or in P, for
    // the curve kept at `fixedVariable` (3 vapour moles, 4 volume). Returns false when the
    // problem code is not one the predictor handles.
    bool predict(double lambda, double dT0, double dPswitchT, double dPswitchP, short fixedVariable,
                 ContinuationStep& memory);
};

} // namespace zephon::thermo
