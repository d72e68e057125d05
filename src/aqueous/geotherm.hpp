// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// A basin's geotherm as a line on the P-T plane: the temperature rises from the surface
// temperature by a constant gradient (degrees C per km) and the pressure from 1 atm by a constant
// gradient (bar per km): hydrostatic (water of 1.00 g/cm3), lithostatic (rock of 2.50 g/cm3) or
// given. Where an isochore crosses it lie the trapping conditions of an inclusion with no coeval
// partner, at the depth the line gives. Degrees Celsius, bar, km.
#include <optional>
#include <string>

#include "aqueous/isochore_crossing.hpp"
#include "aqueous/isochore_curve.hpp"

namespace zephon::aqueous {

enum class PressureRegime { Hydrostatic, Lithostatic, Given };

// "hydrostatic", "lithostatic", "given": the words in files.
const char* pressure_regime_word(PressureRegime regime);
bool pressure_regime_from_word(const std::string& word, PressureRegime& regime);

inline constexpr double kSurfacePressure = 1.01325;       // bar
inline constexpr double kHydrostaticGradient = 98.0665;   // bar/km: 1.00 g/cm3 under 9.80665 m/s2
inline constexpr double kLithostaticGradient = 245.16625; // bar/km: 2.50 g/cm3
// The ranges a geotherm is accepted in.
inline constexpr double kLowestSurfaceTemperature = -30.0, kHighestSurfaceTemperature = 60.0;
inline constexpr double kLowestThermalGradient = 5.0, kHighestThermalGradient = 200.0;    // C/km
inline constexpr double kLowestPressureGradient = 10.0, kHighestPressureGradient = 400.0; // bar/km

struct Geotherm {
    double surfaceT = 20; // degrees Celsius
    double gradient = 30; // degrees Celsius per km
    PressureRegime regime = PressureRegime::Hydrostatic;
    double barPerKm = 0; // the given regime's
    double pressure_gradient() const;
};

// Why a geotherm is refused (the range named), or empty.
std::string geotherm_refusal(const Geotherm& geotherm);

class GeothermLine : public IsochoreCurve {
  public:
    explicit GeothermLine(const Geotherm& geotherm) : mGeotherm(geotherm) {}
    double start_temperature() const override { return mGeotherm.surfaceT; }
    // The line up to 5000 bar.
    std::optional<IsochorePoint> at(double T) const override;
    double depth_at(double T) const { return (T - mGeotherm.surfaceT) / mGeotherm.gradient; } // km

  private:
    Geotherm mGeotherm;
};

struct GeothermCrossing {
    double T = 0, P = 0, depthKm = 0;
};
struct GeothermCrossingResult {
    std::optional<GeothermCrossing> crossing;
    std::string message; // why there is none
};
// Where an isochore crosses the geotherm (above the isochore's homogenisation temperature and
// below 5000 bar).
GeothermCrossingResult cross_geotherm(const IsochoreCurve& isochore, const Geotherm& geotherm);

} // namespace zephon::aqueous
