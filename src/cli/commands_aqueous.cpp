// SPDX-License-Identifier: BSD-3-Clause
// The aqueous command: the isochore of a coeval aqueous (H2O-NaCl) inclusion from its Th and its
// salinity (measured or typed), with its homogenisation state.
#include <cmath>

#include "cli/aqueous_options.hpp"
#include "cli/cli_commands.hpp"
#include "cli/command_context.hpp"
#include "cli/fluid_calculations.hpp"

namespace zephon::cli {

using namespace zephon::aqueous;

namespace {
constexpr double kDefaultTmax = 400.0; // degrees Celsius
constexpr int kIsochorePoints = 100;
} // namespace

int RunAqueous(const std::vector<std::string>& arguments, CCommandContext& context) {
    COptionSpec spec;
    spec.flags = {"--json"};
    spec.values = {"--th", "--tmax"};
    AddAqueousOptions(spec, false);
    AddGeothermOptions(spec);
    const CCommandLine line("aqueous", arguments, spec);
    const double th = line.RequiredNumber("--th");
    CheckTemperature("aqueous", "--th", th);
    const std::optional<CAqueousRequest> request = AqueousRequestFrom(line, "--th");
    if (!request) throw UsageError("aqueous: give the salinity with --tm-ice, --tm-halite or --salinity");
    const double tmax = line.NumberOr("--tmax", std::max(kDefaultTmax, th + 1));
    if (!(tmax > th)) throw UsageError("aqueous: --tmax must lie above --th");

    const AqueousIsochore::Made made = aqueous_isochore_of(request->measurement);
    const AqueousIsochore& isochore = *made.isochore;
    const HomogenisationState& h = isochore.homogenisation();
    const std::vector<IsochorePoint> points = isochore.trace(tmax, kIsochorePoints);
    const std::optional<Geotherm> geotherm = GeothermFrom(line);
    const GeothermCrossingResult geothermCrossing =
        geotherm ? cross_geotherm(isochore, *geotherm) : GeothermCrossingResult{};
    const double salinity = isochore.inclusion().salinity;
    if (line.Has("--json")) {
        CJsonWriter json;
        json.BeginObject().Field("salinity_wt_pct", salinity);
        json.Key("homogenisation")
            .BeginObject()
            .Field("T", h.T)
            .Field("P", h.P)
            .Field("density", h.rho)
            .EndObject();
        json.Key("isochore").BeginArray();
        for (const IsochorePoint& p : points)
            json.BeginObject().Field("T", p.T).Field("P", p.P).EndObject();
        json.EndArray();
        if (geotherm) {
            json.Key("geotherm_crossing");
            WriteGeothermCrossingJson(json, geothermCrossing);
        }
        json.EndObject();
        PrintJson(context.out, json);
        return kExitSuccess;
    }
    std::ostream& out = context.out;
    out << "Aqueous inclusion: Th " << Printf("%.2f", th) << " C, salinity " << Printf("%.2f", salinity)
        << " wt% NaCl eq., host " << host_mineral_word(request->measurement.host) << '\n';
    if (request->measurement.legacy)
        out << "  Bodnar & Vityk (1994) isochore (" << kLegacyIsochoreLabel << ")\n";
    out << Printf("  homogenisation: %.2f C, %.3f bar, density %.2f kg/m3\n", h.T, h.P, h.rho);
    out << Printf("  isochore: %zu points\n  %10s %12s %10s\n", points.size(), "T (C)", "P (bar)", "bar/K");
    bool unsloped = false;
    for (const IsochorePoint& p : points) {
        if (std::isfinite(p.dPdT)) {
            out << Printf("  %10.3f %12.3f %10.4f\n", p.T, p.P, p.dPdT);
            continue;
        }
        out << Printf("  %10.3f %12.3f %10s\n", p.T, p.P, "-");
        unsloped = true;
    }
    if (unsloped)
        out << "  (-: no slope there; the brine density correlation hardly rises with pressure near the\n"
               "   homogenisation pressure, and the isochore leaves Th steeply over a fraction of a "
               "kelvin)\n";
    if (!points.empty() && points.back().T < tmax - 1e-9)
        out << Printf("  (the isochore reaches %.0f bar at %.2f C)\n", kHighestIsochorePressure,
                      points.back().T);
    if (geotherm) PrintGeothermCrossing(out, "the isochore", geothermCrossing);
    return kExitSuccess;
}

} // namespace zephon::cli
