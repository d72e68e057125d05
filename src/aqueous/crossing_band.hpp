// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The uncertainty of a crossing of isochores: standard uncertainties of the measurements it was
// computed from (the aqueous Th, its ice melting temperature or salinity, the oil's Th and bubble
// fraction) propagated to its temperature and pressure by central differences, one measurement at
// a time, each changed by its own standard uncertainty. The result is the standard uncertainty of
// T and of P and their correlation, and the ellipse they make on the P-T plane.
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zephon::aqueous {

struct CrossingBand {
    double sdT = 0;         // K
    double sdP = 0;         // bar
    double correlation = 0; // of T and P, -1 to 1
};

// One measurement the crossing depends on.
struct UncertainInput {
    std::string name; // for messages: "Th (aq.)", ...
    double value = 0;
    double sd = 0; // standard uncertainty; 0 leaves the input out
};

// T and P of the crossing for a set of input values (in the order of the inputs); none where it
// cannot be calculated.
using CrossingOfInputs = std::function<std::optional<std::pair<double, double>>(const std::vector<double>&)>;

// The correlation of two inputs' errors (indices into the inputs), e.g. of two homogenisation
// temperatures read on the same heating stage: a shared calibration offset moves both.
struct InputCorrelation {
    std::size_t first = 0, second = 0;
    double r = 0; // -1 to 1
};

struct BandResult {
    bool ok = false;
    CrossingBand band;
    std::string message;             // which input could not be varied
    std::vector<std::string> halved; // inputs moved by less than their sd: the band is there a
                                     // local derivative, as the crossing does not exist that far
};

// Each input is moved by +-sd (by +-sd/2, +-sd/4... where the crossing does not exist that far);
// the derivatives combine with the inputs' covariance, sd_i sd_j r_ij off the diagonal.
BandResult propagate_uncertainty(const CrossingOfInputs& crossing, const std::vector<UncertainInput>& inputs,
                                 const std::vector<InputCorrelation>& correlations = {});

// The ellipse that holds the crossing with the given probability (the two-dimensional normal
// distribution of the band), as count points (T, P) around the centre, the first repeated last.
inline constexpr double kEllipseCoverage = 0.95;
std::vector<std::pair<double, double>> uncertainty_ellipse(double T, double P, const CrossingBand& band,
                                                           double coverage = kEllipseCoverage,
                                                           int count = 73);

} // namespace zephon::aqueous
