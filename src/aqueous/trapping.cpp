// SPDX-License-Identifier: BSD-3-Clause
#include "aqueous/trapping.hpp"

namespace zephon::aqueous {

AqueousIsochore::Made aqueous_isochore_of(const AqueousMeasurement& m, double densityFactor) {
    const SalinityResult salinity = salinity_from(m.source, m.measured);
    if (!salinity.ok) return {nullptr, salinity.message};
    return AqueousIsochore::make({m.th, salinity.weightPercent, m.host, m.legacy, densityFactor});
}

TrappingResult calculate_trapping(OilInclusionModel& oil, const AqueousIsochore& aqueous,
                                  const AqueousMeasurement& measurement, const TrappingUncertainties& sd) {
    TrappingResult result;
    result.crossing = find_crossing(oil.isochore(), aqueous);
    if (result.crossing.status != CrossingStatus::Found || !sd.any()) return result;

    // The oil's bubble fraction enters only through an alpha-beta oil's alpha.
    const bool fvMatters = oil.is_alpha_beta() && (sd.thOil > 0 || sd.fv > 0);
    const std::optional<double> fv = fvMatters ? oil.bubble_fraction() : std::nullopt;
    if (fvMatters && !fv) {
        result.bandMessage = "The uncertainty band needs the oil's bubble fraction at its measurement "
                             "temperature, which could not be calculated.";
        return result;
    }
    const double thOil = oil.isochore().start_temperature();
    const std::vector<UncertainInput> inputs{{"Th (aq.)", measurement.th, sd.thAqueous},
                                             {measurement.source == SalinitySource::IceMelting ? "Tm,ice"
                                              : measurement.source == SalinitySource::HaliteDissolution
                                                  ? "Tm,halite"
                                                  : "the salinity",
                                              measurement.measured, sd.measured},
                                             {"Th (oil)", thOil, sd.thOil},
                                             {"Fv", fv.value_or(0), oil.is_alpha_beta() ? sd.fv : 0.0},
                                             {"the brine density", 0.0, sd.brineDensity}};
    const CrossingOfInputs crossingOf =
        [&](const std::vector<double>& x) -> std::optional<std::pair<double, double>> {
        AqueousMeasurement changed = measurement;
        changed.th = x[0];
        changed.measured = x[1];
        const bool sameAqueous = x[0] == measurement.th && x[1] == measurement.measured && x[4] == 0;
        AqueousIsochore::Made made;
        if (!sameAqueous) {
            made = aqueous_isochore_of(changed, 1.0 + x[4] / 100.0);
            if (!made.isochore) return std::nullopt;
        }
        const bool sameOil = x[2] == thOil && x[3] == inputs[3].value;
        std::unique_ptr<OilIsochore> changedOil;
        if (!sameOil) {
            changedOil = oil.varied(x[2], x[3]);
            if (!changedOil) return std::nullopt;
        }
        const CrossingResult r =
            find_crossing(sameOil ? oil.isochore() : *changedOil, sameAqueous ? aqueous : *made.isochore);
        if (r.status != CrossingStatus::Found) return std::nullopt;
        return std::make_pair(r.crossing.T, r.crossing.P);
    };
    const BandResult band = propagate_uncertainty(crossingOf, inputs, {{0, 2, sd.thCorrelation}});
    if (band.ok)
        result.band = band.band;
    else
        result.bandMessage = band.message;
    result.bandHalved = band.halved;
    return result;
}

} // namespace zephon::aqueous
