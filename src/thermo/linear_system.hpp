#pragma once
// Dense linear solver used by the Newton iterations and the continuation derivatives.

namespace zephon::thermo {

// Solves A x = y for n unknowns by Gaussian elimination with partial pivoting. A and y are
// overwritten; x may not alias either. Result in ir:
//   0 solved, x holds the solution;
//   1 singular (a pivot of magnitude <= 1.02e-25, or the elimination produced a value that
//     is not a finite number); x is left unchanged;
//   2 n < 1; nothing is touched.
void solve_the_linear_system(double** A, double* y, double* x, short n, short& ir);

} // namespace zephon::thermo
