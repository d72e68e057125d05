// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// How the data tables show their values and word their questions.

#include <span>
#include <string>
#include <vector>

// Mole percentages: "0.00" below 1e-12, two significant digits below 0.01 ("0.004"), otherwise two
// decimals ("12.50"). Negative values keep their sign; a value that is not finite shows "not a number".
std::string MolePercentText(double percent);

// "Are you sure to remove the data of the 2nd row ?" (rows from 1).
std::string DeleteRowQuestion(long row);

// The components the component lists offer, in their order.
std::span<const char* const> ComponentChoices();

// The component a new row proposes: the first of the list that the fluid does not hold yet, "Other"
// when it holds them all.
std::string NextComponentName(std::span<const std::string> held);

// Scales the percentages so that they sum to 100; false (nothing changed) when the sum is 0 or less.
bool NormalizePercentages(std::span<double> percentages);

// The row that gets the focus after a row was deleted (rows from 0): the previous row when the
// deleted one was the last of several, otherwise the row now at its place; -1 when none is left.
long RowToFocusAfterDelete(long deletedRow, long rowsBefore);
