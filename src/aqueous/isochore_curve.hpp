// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// A one-phase isochore as the crossing of two of them needs it: the pressure and its slope at a
// temperature, from the homogenisation temperature up. Degrees Celsius, bar, bar/K.
#include <optional>

namespace zephon::aqueous {

// Isochores are followed up to this pressure and no further.
inline constexpr double kHighestIsochorePressure = 5000.0; // bar

struct IsochorePoint {
    double T = 0;    // degrees Celsius
    double P = 0;    // bar
    double dPdT = 0; // bar/K along the isochore
};

class IsochoreCurve {
  public:
    virtual ~IsochoreCurve() = default;
    // The homogenisation temperature: the isochore starts there.
    virtual double start_temperature() const = 0;
    // The point at T; none below the start, above the highest pressure or where the fluid's
    // description does not reach.
    virtual std::optional<IsochorePoint> at(double T) const = 0;
};

} // namespace zephon::aqueous
