// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/equation.hpp"

#include "thermo/linear_system.hpp"

namespace zephon::thermo {

double Equation::call_equation(short number, double x) {
    switch (number) {
    case 0:
        return equation(x);
    case 1:
        return equation1(x);
    case 2:
        return equation2(x);
    case 3:
        return equation3(x);
    case 4:
        return equation4(x);
    case 5:
        return equation5(x);
    case 6:
        return equation6(x);
    case 7:
        return equation7(x);
    case 8:
        return equation8(x);
    case 9:
        return equation9(x);
    case 10:
        return equation10(x);
    case 11:
        return equation11(x);
    case 12:
        return equation12(x);
    case 13:
        return equation13(x);
    case 14:
        return equation14(x);
    case 15:
        return equation15(x);
    case 16:
        return equation16(x);
    case 17:
        return equation17(x);
    default:
        return 0.0;
    }
}

void Equation::call_fequation(short number, double x, double& f, double& df) {
    switch (number) {
    case 0:
        fequation(x, f, df);
        break;
    case 1:
        fequation1(x, f, df);
        break;
    case 2:
        fequation2(x, f, df);
        break;
    case 3:
        fequation3(x, f, df);
        break;
    case 4:
        fequation4(x, f, df);
        break;
    case 5:
        fequation5(x, f, df);
        break;
    case 6:
        fequation6(x, f, df);
        break;
    case 7:
        fequation7(x, f, df);
        break;
    default:
        break;
    }
}

void Equation::call_vector_function(short number, double* U, double* G, double** dG, short& failure,
                                    short flag) {
    switch (number) {
    case 0:
        calculate_vector_function(U, G, dG, failure, flag);
        break;
    case 1:
        calculate_vector_function1(U, G, dG, failure, flag);
        break;
    case 2:
        calculate_vector_function2(U, G, dG, failure, flag);
        break;
    case 3:
        calculate_vector_function3(U, G, dG, failure, flag);
        break;
    case 4:
        calculate_vector_function4(U, G, dG, failure, flag);
        break;
    case 5:
        calculate_vector_function5(U, G, dG, failure, flag);
        break;
    case 6:
        calculate_vector_function6(U, G, dG, failure, flag);
        break;
    case 7:
        calculate_vector_function7(U, G, dG, failure, flag);
        break;
    case 8:
        calculate_vector_function8(U, G, dG, failure, flag);
        break;
    case 9:
        calculate_vector_function9(U, G, dG, failure, flag);
        break;
    case 10:
        calculate_vector_function10(U, G, dG, failure, flag);
        break;
    case 11:
        calculate_vector_function11(U, G, dG, failure, flag);
        break;
    case 12:
        calculate_vector_function12(U, G, dG, failure, flag);
        break;
    default:
        break;
    }
}

void Equation::solve_linearised_system(short, double** dG, double* G, double* x, short n, short& ir) {
    solve_the_linear_system(dG, G, x, n, ir);
}

} // namespace zephon::thermo
