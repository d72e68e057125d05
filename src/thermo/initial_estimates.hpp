// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Start of the alpha search for one inclusion measurement: a value of alpha (beta = 0), the
// saturation pressure at the homogenisation temperature and the composition of the incipient
// phase, interpolated in tables of saturation states of beta = 0 oils.
#include "thermo/alpha_beta_distribution.hpp"

#include <array>

namespace zephon::thermo {

struct InitialEstimate {
    double alpha = 0.0; // distribution parameter (beta = 0)
    double P = 0.0;     // saturation pressure at Th (Pa)
    std::array<double, kOilComponentCount>
        incipient{}; // the vapour of a bubble point, the liquid of a dew point
};

// homog: 1 homogenisation into the liquid (2 is read as 1), 0 into the vapour; Th in K; Fv the
// measured vapour volume fraction (0 to 1). Returns 0 and fills `estimate` when the tables give
// one, 1 when they do not.
char lookup_initial_estimate(char homog, double Th, double Fv, InitialEstimate& estimate);

} // namespace zephon::thermo
