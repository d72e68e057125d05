// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The interface through which the numerical solvers call back into a model.
//
// A scalar solver evaluates one of the residual slots equation ... equation17, a system
// solver one of calculate_vector_function ... calculate_vector_function12 (which also fills
// the Jacobian). A model overrides only the slots it needs; the slot a solver uses is
// chosen by number when the model is attached to it.

namespace zephon::thermo {

class Equation {
  public:
    // Set nonzero by a model when an evaluation cannot be carried out. The scalar solvers
    // read it after every call, treat nonzero as a failed evaluation and reset it to 0.
    short error = 0;

    Equation() = default;
    Equation(const Equation&) = default;
    Equation& operator=(const Equation&) = default;
    virtual ~Equation() = default;

    virtual double equation(double) { return 0.0; }
    virtual double equation1(double) { return 0.0; }
    virtual double equation2(double) { return 0.0; }
    virtual double equation3(double) { return 0.0; }
    virtual double equation4(double) { return 0.0; }
    virtual double equation5(double) { return 0.0; }
    virtual double equation6(double) { return 0.0; }
    virtual double equation7(double) { return 0.0; }
    virtual double equation8(double) { return 0.0; }
    virtual double equation9(double) { return 0.0; }
    virtual double equation10(double) { return 0.0; }
    virtual double equation11(double) { return 0.0; }
    virtual double equation12(double) { return 0.0; }
    virtual double equation13(double) { return 0.0; }
    virtual double equation14(double) { return 0.0; }
    virtual double equation15(double) { return 0.0; }
    virtual double equation16(double) { return 0.0; }
    virtual double equation17(double) { return 0.0; }

    virtual void fequation(double, double&, double&) {}
    virtual void fequation1(double, double&, double&) {}
    virtual void fequation2(double, double&, double&) {}
    virtual void fequation3(double, double&, double&) {}
    virtual void fequation4(double, double&, double&) {}
    virtual void fequation5(double, double&, double&) {}
    virtual void fequation6(double, double&, double&) {}
    virtual void fequation7(double, double&, double&) {}

    // U: unknowns; G: residuals; dG: Jacobian rows dG[i][j] = dG_i/dU_j.
    virtual void calculate_vector_function(double*, double*, double**, short&, short) {}
    virtual void calculate_vector_function1(double*, double*, double**, short&, short) {}
    virtual void calculate_vector_function2(double*, double*, double**, short&, short) {}
    virtual void calculate_vector_function3(double*, double*, double**, short&, short) {}
    virtual void calculate_vector_function4(double*, double*, double**, short&, short) {}
    virtual void calculate_vector_function5(double*, double*, double**, short&, short) {}
    virtual void calculate_vector_function6(double*, double*, double**, short&, short) {}
    virtual void calculate_vector_function7(double*, double*, double**, short&, short) {}
    virtual void calculate_vector_function8(double*, double*, double**, short&, short) {}
    virtual void calculate_vector_function9(double*, double*, double**, short&, short) {}
    virtual void calculate_vector_function10(double*, double*, double**, short&, short) {}
    virtual void calculate_vector_function11(double*, double*, double**, short&, short) {}
    virtual void calculate_vector_function12(double*, double*, double**, short&, short) {}

    // Dispatch by slot number, as the solvers attach to a model: 0 is `equation`,
    // k is `equationk`. An unknown number evaluates to 0.0, like an unused slot.
    double call_equation(short number, double x);
    void call_fequation(short number, double x, double& f, double& df);
    void call_vector_function(short number, double* U, double* G, double** dG, short& failure, short flag);

    // Solves dG x = G for the n unknowns of vector slot `number` (a Newton step); dG and G may be
    // overwritten, ir is that of solve_the_linear_system. A model that knows the structure of its
    // Jacobian can solve it faster; the default is dense Gaussian elimination.
    virtual void solve_linearised_system(short number, double** dG, double* G, double* x, short n, short& ir);
    // Solves with the factors of the last system solve_linearised_system solved for slot `number`,
    // for another right-hand side G (not changed); false when the model keeps no factors (the
    // default), and then the caller solves with a Jacobian of its own.
    virtual bool solve_with_last_factors(short, const double*, double*) { return false; }
    // sums[i] = sum_j |dG[i][j]| over the n x n Jacobian of vector slot `number` as evaluated,
    // for the row scaling of Newton's method; false when the model leaves them to the caller (the
    // default). A model that knows where its Jacobian holds zeros adds only the other entries,
    // in the order of their columns: the same sums.
    virtual bool jacobian_row_sums(short, double* const*, double*, short) const { return false; }
};

} // namespace zephon::thermo
