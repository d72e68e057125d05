// SPDX-License-Identifier: BSD-3-Clause
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

// The same elimination in two halves, for a matrix that serves several right-hand sides: A is
// overwritten by its factors (A = P L U, with the pivots on L's diagonal and a unit diagonal
// for U) and `pivots` (n entries) receives the row chosen at each step; ir 0, or 1 singular, or
// 2 n < 1. Then each right-hand side y (overwritten) gives x exactly as solve_the_linear_system
// would, operation for operation; ir 1 when the solution is not finite (x unchanged).
void factor_the_linear_system(double** A, short* pivots, short n, short& ir);
void solve_the_factored_system(double* const* LU, const short* pivots, double* y, double* x, short n,
                               short& ir);

} // namespace zephon::thermo
