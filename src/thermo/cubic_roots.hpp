// SPDX-License-Identifier: BSD-3-Clause
#pragma once

namespace zephon::thermo {

// Real roots of coef[3] z^3 + coef[2] z^2 + coef[1] z + coef[0]. Sets nr to 1 or 3 and writes
// the roots into X (room for three); a double root is returned twice. Written to keep full
// relative accuracy near multiple roots and for coefficients of very different sizes.
void degree3(const double* coef, short& nr, double* X);

} // namespace zephon::thermo
