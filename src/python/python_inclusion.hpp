// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// An oil inclusion's measurements as a plain Python object, and its conversion to and from the
// program's record.

#include <string>
#include <utility>
#include <vector>

#include "data/inclusion_record.hpp"
#include "python_calls.hpp"

namespace zephon::python {

// Field names as `zephon-cli info --json` writes them. Degrees Celsius, percent, mole percent.
struct CPyInclusion {
    std::string name = "Inclusion";
    double Th = 0, Fv = 0, Tv = 20;
    std::string homog = "liquid";
    double CO2 = 0, N2 = 0, H2S = 0;
    std::vector<std::pair<double, double>> volumes; // (T, bubble volume %) measured on a heating stage
    CPointFormat marker{3, zephon::plot::kRed, 3};  // the volume-temperature plot's marker, kept as read

    bool operator==(const CPyInclusion& other) const;
};

CPyInclusion InclusionOf(const CInclusionRecord& record);
CPyInclusion InclusionOf(const CInclusionRecordEx& record);
// ValueError when homog is neither 'liquid' nor 'vapour'.
CInclusionRecord RecordOf(const CPyInclusion& inclusion);
void FillRecord(CInclusionRecordEx& record, const CPyInclusion& inclusion);

} // namespace zephon::python
