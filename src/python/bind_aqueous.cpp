// SPDX-License-Identifier: BSD-3-Clause
// The aqueous layer from Python: the isochore of a coeval aqueous (H2O-NaCl) inclusion from its Th
// and its salinity (measured or typed), as the `aqueous` command computes it.
#include <pybind11/stl.h>

#include <algorithm>
#include <cmath>

#include "aqueous/aqueous_isochore.hpp"
#include "aqueous/host_mineral.hpp"
#include "cli/command_line.hpp"
#include "cli/fluid_calculations.hpp"
#include "python_results.hpp"

namespace zephon::python {

using namespace zephon::aqueous;

namespace {

constexpr double kDefaultTmax = 400.0; // degrees Celsius
constexpr int kIsochorePoints = 100;

double Uncertainty(const std::string& command, const char* name, std::optional<double> sd) {
    if (!sd) return 0;
    if (!(*sd >= 0) || !std::isfinite(*sd))
        throw cli::UsageError(command + ": " + name + " must be a standard uncertainty, 0 or more");
    return *sd;
}

struct CPyHomogenisation {
    double T = 0, P = 0, density = 0;
};

struct CPyAqueous {
    double salinity_wt_pct = 0;
    CPyHomogenisation homogenisation;
    CPySeries isochore;
};

} // namespace

std::optional<cli::CAqueousRequest> AqueousRequestOf(const std::string& command, std::optional<double> th,
                                                     const char* thName, const CPyAqueousOptions& o) {
    struct Salinity {
        const char* name;
        const char* sdName;
        std::optional<double> value, sd;
        SalinitySource source;
    };
    const Salinity salinities[] = {
        {"tm_ice", "sd_tm_ice", o.tmIce, o.sdTmIce, SalinitySource::IceMelting},
        {"tm_halite", "sd_tm_halite", o.tmHalite, o.sdTmHalite, SalinitySource::HaliteDissolution},
        {"salinity", "sd_salinity", o.salinity, o.sdSalinity, SalinitySource::Typed}};
    const Salinity* given = nullptr;
    for (const Salinity& s : salinities) {
        if (!s.value) continue;
        if (given)
            throw cli::UsageError(command + ": give one of tm_ice, tm_halite and salinity, not " +
                                  given->name + " and " + s.name);
        given = &s;
    }
    for (const Salinity& s : salinities)
        if (s.sd && given != &s) throw cli::UsageError(command + ": " + s.sdName + " goes with " + s.name);
    if (given == nullptr) {
        const std::pair<const char*, bool> described[] = {{"host", o.host != "none"},
                                                          {"legacy", o.legacy},
                                                          {"sd_thaq", o.sdThaq.has_value()},
                                                          {"sd_th", o.sdTh.has_value()},
                                                          {"sd_fv", o.sdFv.has_value()},
                                                          {"tfv", o.tfv.has_value()},
                                                          {"sd_brine_density", o.sdBrineDensity.has_value()},
                                                          {"corr_th", o.corrTh.has_value()}};
        for (const auto& [name, set] : described)
            if (set)
                throw cli::UsageError(
                    command + ": " + name +
                    " describes the aqueous inclusion: give its tm_ice, tm_halite or salinity");
        return std::nullopt;
    }
    if (!th) throw cli::UsageError(command + ": " + given->name + " needs " + thName);
    if (!std::isfinite(*given->value))
        throw cli::UsageError(command + ": " + given->name + " is not a number");

    cli::CAqueousRequest request;
    AqueousMeasurement& m = request.measurement;
    m.th = *th;
    m.source = given->source;
    m.measured = *given->value;
    if (!host_mineral_from_word(o.host, m.host))
        throw cli::UsageError(command + ": host must be none, quartz, calcite or fluorite");
    m.legacy = o.legacy;
    const AqueousIsochore::Made made = aqueous_isochore_of(m);
    if (!made.isochore) throw cli::UsageError(command + ": " + made.message);

    request.sd.thAqueous = Uncertainty(command, "sd_thaq", o.sdThaq);
    request.sd.measured = Uncertainty(command, given->sdName, given->sd);
    request.sd.thOil = Uncertainty(command, "sd_th", o.sdTh);
    request.sd.fv = Uncertainty(command, "sd_fv", o.sdFv);
    request.sd.brineDensity = Uncertainty(command, "sd_brine_density", o.sdBrineDensity);
    request.sd.thCorrelation = o.corrTh.value_or(0);
    if (!(request.sd.thCorrelation >= -1 && request.sd.thCorrelation <= 1))
        throw cli::UsageError(command + ": corr_th must be a correlation, -1 to 1");
    if (o.tfv) {
        cli::CheckTemperature(command, "tfv", *o.tfv);
        request.tfv = *o.tfv;
    }
    request.anyUncertainty = o.sdThaq || given->sd || o.sdTh || o.sdFv || o.sdBrineDensity;
    return request;
}

void BindAqueous(py::module_& m) {
    py::class_<CPyHomogenisation>(
        m, "Homogenisation",
        "Where an aqueous inclusion homogenises: T (degrees C), P (bar), density of "
        "the liquid (kg/m3).")
        .def_readonly("T", &CPyHomogenisation::T, "degrees Celsius")
        .def_readonly("P", &CPyHomogenisation::P, "bar")
        .def_readonly("density", &CPyHomogenisation::density, "kg/m3")
        .def("__repr__", [](const CPyHomogenisation& h) {
            return py::str("Homogenisation(T={!r}, P={!r}, density={!r})").format(h.T, h.P, h.density);
        });
    py::class_<CPyAqueous>(m, "AqueousIsochore",
                           "The isochore of an aqueous (H2O-NaCl) inclusion: salinity_wt_pct (wt% NaCl eq.), "
                           "homogenisation, isochore (Series of T in degrees C, P in bar, dPdT in bar/K).")
        .def_readonly("salinity_wt_pct", &CPyAqueous::salinity_wt_pct, "wt% NaCl equivalent")
        .def_readonly("homogenisation", &CPyAqueous::homogenisation)
        .def_readonly("isochore", &CPyAqueous::isochore, "Series: T (degrees C), P (bar), dPdT (bar/K)")
        .def("__repr__", [](const CPyAqueous& a) {
            return py::str("AqueousIsochore(salinity_wt_pct={!r}, homogenisation={!r}, {} points)")
                .format(a.salinity_wt_pct, a.homogenisation, py::len(a.isochore.T));
        });

    m.def(
        "aqueous",
        [](double th, std::optional<double> tmIce, std::optional<double> tmHalite,
           std::optional<double> salinity, const std::string& host, bool legacy, std::optional<double> tmax) {
            cli::CheckTemperature("aqueous", "th", th);
            CPyAqueousOptions options;
            options.tmIce = tmIce, options.tmHalite = tmHalite, options.salinity = salinity;
            options.host = host, options.legacy = legacy;
            const auto request = AqueousRequestOf("aqueous", th, "th", options);
            if (!request)
                throw cli::UsageError("aqueous: give the salinity with tm_ice, tm_halite or salinity");
            const double until = tmax.value_or(std::max(kDefaultTmax, th + 1));
            if (!(until > th)) throw cli::UsageError("aqueous: tmax must lie above th");
            struct Raw {
                double salinity;
                HomogenisationState h;
                std::vector<IsochorePoint> points;
            };
            const Raw raw = Compute([&] {
                const AqueousIsochore::Made made = aqueous_isochore_of(request->measurement);
                return Raw{made.isochore->inclusion().salinity, made.isochore->homogenisation(),
                           made.isochore->trace(until, kIsochorePoints)};
            });
            CPyAqueous result;
            result.salinity_wt_pct = raw.salinity;
            result.homogenisation = {raw.h.T, raw.h.P, raw.h.rho};
            std::vector<double> t, p, slope;
            for (const IsochorePoint& point : raw.points) {
                t.push_back(point.T);
                p.push_back(point.P);
                slope.push_back(point.dPdT);
            }
            result.isochore.T = ToArray(t);
            result.isochore.P = ToArray(p);
            result.isochore.dPdT = ToArray(slope);
            return result;
        },
        py::arg("th"), py::kw_only(), py::arg("tm_ice") = py::none(), py::arg("tm_halite") = py::none(),
        py::arg("salinity") = py::none(), py::arg("host") = "none", py::arg("legacy") = false,
        py::arg("tmax") = py::none(),
        R"(The isochore of an aqueous (H2O-NaCl) inclusion, as `zephon-cli aqueous`.

th: homogenisation temperature (degrees C). The salinity from exactly one of tm_ice (final ice
melting temperature, degrees C, 0 to -21.2), tm_halite (halite dissolution temperature, degrees C,
0.1 to 801) or salinity (wt% NaCl equivalent). host: 'none', 'quartz', 'calcite' or 'fluorite'
(the cavity follows the host's expansion). legacy: the straight lines of Bodnar & Vityk (1994).
tmax: the isochore is traced to tmax (degrees C; default 400 or th + 1) or 5000 bar, 100 points.
Raises ValueError for a measurement the formulations do not cover.)");
}

} // namespace zephon::python
