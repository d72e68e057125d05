// SPDX-License-Identifier: BSD-3-Clause
#include "aqueous/geotherm.hpp"

#include <cmath>
#include <cstdio>

namespace zephon::aqueous {

const char* pressure_regime_word(PressureRegime regime) {
    switch (regime) {
    case PressureRegime::Lithostatic:
        return "lithostatic";
    case PressureRegime::Given:
        return "given";
    case PressureRegime::Hydrostatic:
        break;
    }
    return "hydrostatic";
}

bool pressure_regime_from_word(const std::string& word, PressureRegime& regime) {
    for (PressureRegime r :
         {PressureRegime::Hydrostatic, PressureRegime::Lithostatic, PressureRegime::Given}) {
        if (word == pressure_regime_word(r)) {
            regime = r;
            return true;
        }
    }
    return false;
}

double Geotherm::pressure_gradient() const {
    switch (regime) {
    case PressureRegime::Lithostatic:
        return kLithostaticGradient;
    case PressureRegime::Given:
        return barPerKm;
    case PressureRegime::Hydrostatic:
        break;
    }
    return kHydrostaticGradient;
}

std::string geotherm_refusal(const Geotherm& g) {
    char text[256];
    auto outside = [](double v, double lo, double hi) { return !std::isfinite(v) || v < lo || v > hi; };
    if (outside(g.surfaceT, kLowestSurfaceTemperature, kHighestSurfaceTemperature)) {
        std::snprintf(text, sizeof text,
                      "The surface temperature %.4g \xC2\xB0"
                      "C is outside the range %.0f to %.0f \xC2\xB0"
                      "C.",
                      g.surfaceT, kLowestSurfaceTemperature, kHighestSurfaceTemperature);
        return text;
    }
    if (outside(g.gradient, kLowestThermalGradient, kHighestThermalGradient)) {
        std::snprintf(text, sizeof text,
                      "The geothermal gradient %.4g \xC2\xB0"
                      "C/km is outside the range %.0f to %.0f \xC2\xB0"
                      "C/km.",
                      g.gradient, kLowestThermalGradient, kHighestThermalGradient);
        return text;
    }
    if (g.regime == PressureRegime::Given &&
        outside(g.barPerKm, kLowestPressureGradient, kHighestPressureGradient)) {
        std::snprintf(text, sizeof text,
                      "The pressure gradient %.4g bar/km is outside the range %.0f to %.0f bar/km.",
                      g.barPerKm, kLowestPressureGradient, kHighestPressureGradient);
        return text;
    }
    return "";
}

std::optional<IsochorePoint> GeothermLine::at(double T) const {
    if (!std::isfinite(T) || T < mGeotherm.surfaceT) return std::nullopt;
    const double slope = mGeotherm.pressure_gradient() / mGeotherm.gradient;
    const double P = kSurfacePressure + slope * (T - mGeotherm.surfaceT);
    if (P > kHighestIsochorePressure) return std::nullopt;
    return IsochorePoint{T, P, slope};
}

GeothermCrossingResult cross_geotherm(const IsochoreCurve& isochore, const Geotherm& geotherm) {
    GeothermCrossingResult result;
    result.message = geotherm_refusal(geotherm);
    if (!result.message.empty()) return result;
    const GeothermLine line(geotherm);
    const CrossingResult r = find_crossing(isochore, line);
    if (r.status != CrossingStatus::Found) {
        result.message = r.status == CrossingStatus::NotBelowHighestPressure
                             ? "The isochore does not cross the geotherm below 5000 bar."
                             : r.message;
        return result;
    }
    result.crossing = GeothermCrossing{r.crossing.T, r.crossing.P, line.depth_at(r.crossing.T)};
    return result;
}

} // namespace zephon::aqueous
