// SPDX-License-Identifier: BSD-3-Clause
#include "app/table_formats.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/number_field.hpp"

std::string MolePercentText(double percent) {
    if (!std::isfinite(percent)) return kNotANumberText; // never "0.00", "nan" or "inf"
    const double magnitude = std::fabs(percent);
    if (!(magnitude >= 1e-12)) return "0.00";
    if (magnitude >= 0.01) return FormatFixed(percent, 2);
    // "%.2g", in the "C" conventions whatever the process locale is.
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, percent, std::chars_format::general, 2);
    return std::string(buffer, result.ptr);
}

std::string DeleteRowQuestion(long row) {
    const char* ending = row == 1 ? "st row ?" : row == 2 ? "nd row ?" : row == 3 ? "rd row ?" : "th row ?";
    return "Are you sure to remove the data of the " + std::to_string(row) + ending;
}

std::span<const char* const> ComponentChoices() {
    static const char* const names[] = {"N2",  "CO2", "H2S", "C1",  "C2",  "C3",  "iC4", "nC4",  "iC5",
                                        "nC5", "C6",  "C7",  "C8",  "C9",  "C10", "C11", "C12",  "C13",
                                        "C14", "C15", "C17", "C20", "C24", "C30", "C35", "Other"};
    return names;
}

std::string NextComponentName(std::span<const std::string> held) {
    for (const char* name : ComponentChoices())
        if (std::find(held.begin(), held.end(), name) == held.end()) return name;
    return "Other";
}

bool NormalizePercentages(std::span<double> percentages) {
    double sum = 0;
    for (double p : percentages)
        sum += p;
    if (!(sum > 0) || !std::isfinite(sum)) return false;
    for (double& p : percentages)
        p *= 100 / sum;
    return true;
}

long RowToFocusAfterDelete(long deletedRow, long rowsBefore) {
    if (rowsBefore <= 1) return -1;
    return deletedRow >= rowsBefore - 1 ? rowsBefore - 2 : deletedRow;
}
