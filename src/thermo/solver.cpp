// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/solver.hpp"

#include <cmath>
#include <utility>

namespace zephon::thermo {

void Solver::initialize() {
    iter = 0;
    itermax = 15;
    epsilon = 1e-9;
    errorflag = 0;
    boundsflag = 0;
    min = -1e15;
    max = 1e15;
}

void Solver::set_equation(Equation& problem, short number) {
    p_equation = &problem;
    equation_number = (number >= 1 && number <= 17) ? number : 0;
}

double Solver::f(double xx) {
    errorflag = 0;
    if (boundsflag != 0 && xx < min) {
        errorflag = 2;
        return 0.0;
    }
    if (boundsflag != 0 && xx > max) {
        errorflag = 3;
        return 0.0;
    }
    // A non-finite argument (a degenerate secant step, a NaN start point) or a missing model
    // cannot be evaluated; the model never sees such an argument.
    if (!std::isfinite(xx) || p_equation == nullptr) {
        errorflag = 4;
        return 0.0;
    }
    const double value = p_equation->call_equation(equation_number, xx);
    if (p_equation->error != 0 || !std::isfinite(value)) {
        p_equation->error = 0;
        errorflag = 4;
        return 0.0;
    }
    return value;
}

bool Solver::stop() const {
    const double scale = x0 < 1.0 ? 1.0 : x0;
    return std::fabs(x1 - x0) < epsilon * scale;
}

bool Solver::convergence() {
    // A step that ended on a refused or failed evaluation is never taken for convergence,
    // however short it is: the solve ends with that evaluation's code.
    if (errorflag == 0 && stop()) return true;
    ++iter;
    if (errorflag != 0) return true;
    if (iter > itermax) {
        errorflag = 1;
        return true;
    }
    return false;
}

double Secant::solve() {
    iter = 0;
    double f0 = f(x0);
    if (errorflag != 0) return 0.0;
    fx1 = f(x1);
    if (errorflag != 0) return 0.0;

    for (;;) {
        double relax = relax0;
        double x = x1;
        double fx = 0.0;
        do {
            const double xs = (x0 * fx1 - x1 * f0) / (fx1 - f0);
            x = x1 + relax * (xs - x1);
            fx = f(x);
            relax /= 2.0;
            if (oscillationflag != 0 && iter > 1 && std::fabs(fx) > std::fabs(fx1) && fx * fx1 > 0.0)
                errorflag = 5;
            // relax != 0 keeps a caller's zero or negative relax1 from looping for ever.
        } while (relax > relax1 && relax != 0.0 && errorflag != 0);

        x0 = x1;
        f0 = fx1;
        x1 = x;
        fx1 = fx;
        if (convergence()) return x;
    }
}

double Muller::solve() {
    iter = 0;
    double f0 = f(x0);
    if (errorflag != 0) return 0.0;
    double f1 = f(x1);
    if (errorflag != 0) return 0.0;
    if (!(f0 * f1 <= 0.0)) {
        errorflag = 4;
        return 0.0;
    }

    for (;;) {
        // Midpoint; keep the root between x0 and xm, x1 being the end on xm's side.
        const double xm = 0.5 * (x0 + x1);
        const double fm = f(xm);
        if (errorflag != 0) {
            ++iter;
            return xm;
        }
        if (f1 * fm < 0.0) {
            std::swap(x0, x1);
            std::swap(f0, f1);
        }

        // Quadratic interpolation through (x0, f0), (xm, fm), (x1, f1). Two coinciding
        // values (exact roots at an end and at the midpoint) leave no finite point: the
        // midpoint is used then.
        double x = xm;
        double fx = fm;
        const double w = f1 * (f1 - f0) - 2.0 * fm * (fm - f0);
        if (w > 0.0) {
            const double xq = x0 + w * f0 * (x1 - x0) / ((fm - f0) * (f1 - fm) * 2.0 * (f0 - f1));
            if (std::isfinite(xq)) {
                x = xq;
                fx = f(x);
                if (errorflag != 0) {
                    ++iter;
                    return x;
                }
            }
        }

        if (f0 * fx > 0.0) {
            x0 = x;
            x1 = xm;
            f0 = fx;
            f1 = fm;
        } else {
            x1 = x;
            f1 = fx;
        }
        if (convergence()) return x;
    }
}

} // namespace zephon::thermo
