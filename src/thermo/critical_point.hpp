// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The critical point of a mixture of fixed composition with the cubic equation of state, by the
// criticality conditions of Heidemann and Khalil (1980) in the form Michelsen (1980) gave them:
// at temperature T and (untranslated) molar volume w,
//   - the Hessian of the Helmholtz energy in the mole numbers at constant T and volume,
//     scaled as B_ij = sqrt(z_i z_j) d2(A/RT)/dn_i dn_j, has a zero eigenvalue (the quadratic form
//     of the stability test vanishes along its eigenvector u), and
//   - the cubic form, the third derivative of A/RT along dn = sqrt(z) u, vanishes too.
// The two conditions are solved for T and w by Newton's method from an estimate (the point where
// the two traced branches of the envelope meet). The derivatives along dn come from truncated
// Taylor series of the residual Helmholtz energy, so they are exact to rounding.
//
// A constant volume translation shifts every phase's volume by the same amount at a given
// composition and leaves the critical temperature and pressure where they are; the translated
// critical volume is reported beside them.
#include "thermo/cla_cubic.hpp"

#include <vector>

namespace zephon::thermo {

struct CriticalPointResult {
    bool found = false;
    double T = 0.; // K
    double P = 0.; // Pa
    double V = 0.; // translated molar volume, m3/mol
    int iterations = 0;
};

// The two criticality conditions at (T, w) for composition z (mole fractions): the smallest
// eigenvalue of the scaled Hessian B (dimensionless) and the cubic form along its eigenvector,
// the eigenvector being scaled to unit length and signed so that it adds co-volume. For tests
// and diagnosis; `valid` is false where the equation of state has no meaning (w below the
// co-volume).
struct CriticalityConditions {
    bool valid = false;
    double smallestEigenvalue = 0.;
    double cubicForm = 0.;
    std::vector<double> direction; // dn_i = sqrt(z_i) u_i
};
CriticalityConditions criticality_conditions(ClaCubic0& phase, const std::vector<double>& z, double T,
                                             double w);

// The critical point of composition z nearest the estimate (T0 in K, P0 in Pa), converged to
// 1e-10 relative in T and in the volume. `phase` supplies the component parameters and is left
// at the critical point (temperature, composition, volume and pressure); it must not be in use by
// a calculation at the same time. Not found when Newton's method does not converge or lands far
// from the estimate (more than 10 % in T or 50 % in P).
CriticalPointResult critical_point(ClaCubic0& phase, const std::vector<double>& z, double T0, double P0);

} // namespace zephon::thermo
