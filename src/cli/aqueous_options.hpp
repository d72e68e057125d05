// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The options that describe a coeval aqueous inclusion on the command line, shared by `aqueous`
// and `isochore`: its Th, exactly one of --tm-ice, --tm-halite and --salinity, --host, --legacy,
// and the standard uncertainties of the crossing's band.

#include <optional>
#include <ostream>
#include <string>

#include "aqueous/geotherm.hpp"
#include "aqueous/trapping.hpp"
#include "cli/command_line.hpp"
#include "cli/json_writer.hpp"

class CAqueousCrossing;
class CAqueousIsochor;

namespace zephon::cli {

struct CAqueousRequest {
    aqueous::AqueousMeasurement measurement;
    aqueous::TrappingUncertainties sd;
    double tfv = 20; // degrees Celsius: where the oil's bubble fraction was measured
    bool anyUncertainty = false;
};

// Adds the aqueous options; `withUncertainties` adds --sd-thaq, --sd-tm-ice, --sd-tm-halite,
// --sd-salinity, --sd-th, --sd-fv and --tfv.
void AddAqueousOptions(COptionSpec& spec, bool withUncertainties);

// The aqueous inclusion the line describes, its Th from thOption; none when no salinity option
// is given. Usage errors: two salinity options, a salinity option without Th, an unknown host,
// an uncertainty of another salinity option than the one given, a negative uncertainty, and a
// measurement the formulations refuse (the message names the range).
std::optional<CAqueousRequest> AqueousRequestFrom(const CCommandLine& line, const std::string& thOption);

// --geotherm C/km, --surface-t T (default 20) and --pressure-gradient hydrostatic|lithostatic|BAR/KM
// (default hydrostatic).
void AddGeothermOptions(COptionSpec& spec);
// The geotherm the line describes, none without --geotherm. Usage errors: --surface-t or
// --pressure-gradient without --geotherm, a pressure gradient that is neither word nor number, and
// values outside the geotherm's ranges (the message names the range).
std::optional<aqueous::Geotherm> GeothermFrom(const CCommandLine& line);
// {"T", "P", "depth_km"}, or null.
void WriteGeothermCrossingJson(CJsonWriter& json, const aqueous::GeothermCrossingResult& result);
// "  <label> crosses the geotherm at T C, P bar, depth km", or why it does not.
void PrintGeothermCrossing(std::ostream& out, const std::string& label,
                           const aqueous::GeothermCrossingResult& result);

// {"T", "P"} of each point of an aqueous isochore record.
void WriteAqueousIsochoreJson(CJsonWriter& json, const CAqueousIsochor& isochor);
// {"T", "P", "slope_oil", "slope_aqueous", "angle"}, or null.
void WriteCrossingJson(CJsonWriter& json, const CAqueousCrossing* crossing);
// {"sd_T", "sd_P", "correlation"}, or null when there is no band.
void WriteCrossingBandJson(CJsonWriter& json, const CAqueousCrossing* crossing);

} // namespace zephon::cli
