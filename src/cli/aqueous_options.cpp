// SPDX-License-Identifier: BSD-3-Clause
#include "cli/aqueous_options.hpp"

#include <cstdio>
#include <cstdlib>

#include "data/aqueous_record.hpp"
#include "data/phase_diagram_record.hpp"

namespace zephon::cli {

using namespace zephon::aqueous;

namespace {

struct SalinityOption {
    const char* option;
    const char* sdOption;
    SalinitySource source;
};
constexpr SalinityOption kSalinityOptions[] = {
    {"--tm-ice", "--sd-tm-ice", SalinitySource::IceMelting},
    {"--tm-halite", "--sd-tm-halite", SalinitySource::HaliteDissolution},
    {"--salinity", "--sd-salinity", SalinitySource::Typed}};

double Uncertainty(const CCommandLine& line, const std::string& option) {
    const double sd = line.NumberOr(option, 0);
    if (sd < 0)
        throw UsageError(line.Command() + ": " + option + " must be a standard uncertainty, 0 or more");
    return sd;
}

} // namespace

void AddAqueousOptions(COptionSpec& spec, bool withUncertainties) {
    spec.flags.insert("--legacy");
    spec.values.insert({"--tm-ice", "--tm-halite", "--salinity", "--host"});
    if (withUncertainties)
        spec.values.insert({"--sd-thaq", "--sd-tm-ice", "--sd-tm-halite", "--sd-salinity", "--sd-th",
                            "--sd-fv", "--tfv", "--sd-brine-density", "--corr-th"});
}

std::optional<CAqueousRequest> AqueousRequestFrom(const CCommandLine& line, const std::string& thOption) {
    const std::string& command = line.Command();
    const SalinityOption* given = nullptr;
    for (const SalinityOption& s : kSalinityOptions) {
        if (!line.Has(s.option)) continue;
        if (given)
            throw UsageError(command + ": give one of --tm-ice, --tm-halite and --salinity, not " +
                             given->option + " and " + s.option);
        given = &s;
    }
    for (const SalinityOption& s : kSalinityOptions)
        if (line.Has(s.sdOption) && (given == nullptr || given->source != s.source))
            throw UsageError(command + ": " + s.sdOption + " goes with " + s.option);
    if (given == nullptr) {
        for (const char* option : {"--host", "--legacy", "--sd-thaq", "--sd-th", "--sd-fv", "--tfv",
                                   "--sd-brine-density", "--corr-th"})
            if (line.Has(option))
                throw UsageError(
                    command + ": " + option +
                    " describes the aqueous inclusion: give its --tm-ice, --tm-halite or --salinity");
        return std::nullopt;
    }

    CAqueousRequest request;
    AqueousMeasurement& m = request.measurement;
    if (!line.Has(thOption)) throw UsageError(command + ": " + given->option + " needs " + thOption);
    m.th = line.RequiredNumber(thOption);
    m.source = given->source;
    m.measured = line.RequiredNumber(given->option);
    if (auto host = line.Text("--host"); host && !host_mineral_from_word(*host, m.host))
        throw UsageError(command + ": --host must be none, quartz, calcite or fluorite");
    m.legacy = line.Has("--legacy");
    const AqueousIsochore::Made made = aqueous_isochore_of(m);
    if (!made.isochore) throw UsageError(command + ": " + made.message);

    request.sd.thAqueous = Uncertainty(line, "--sd-thaq");
    request.sd.measured = Uncertainty(line, given->sdOption);
    request.sd.thOil = Uncertainty(line, "--sd-th");
    request.sd.fv = Uncertainty(line, "--sd-fv");
    request.sd.brineDensity = Uncertainty(line, "--sd-brine-density");
    request.sd.thCorrelation = line.NumberOr("--corr-th", 0);
    if (!(request.sd.thCorrelation >= -1 && request.sd.thCorrelation <= 1))
        throw UsageError(command + ": --corr-th must be a correlation, -1 to 1");
    request.tfv = line.NumberOr("--tfv", request.tfv);
    request.anyUncertainty = line.Has("--sd-thaq") || line.Has(given->sdOption) || line.Has("--sd-th") ||
                             line.Has("--sd-fv") || line.Has("--sd-brine-density");
    return request;
}

void AddGeothermOptions(COptionSpec& spec) {
    spec.values.insert({"--geotherm", "--surface-t", "--pressure-gradient"});
}

std::optional<Geotherm> GeothermFrom(const CCommandLine& line) {
    const std::string& command = line.Command();
    if (!line.Has("--geotherm")) {
        for (const char* option : {"--surface-t", "--pressure-gradient"})
            if (line.Has(option))
                throw UsageError(command + ": " + option + " describes a geotherm: give --geotherm");
        return std::nullopt;
    }
    Geotherm geotherm;
    geotherm.gradient = line.RequiredNumber("--geotherm");
    geotherm.surfaceT = line.NumberOr("--surface-t", geotherm.surfaceT);
    if (auto text = line.Text("--pressure-gradient");
        text && !pressure_regime_from_word(*text, geotherm.regime)) {
        char* end = nullptr;
        geotherm.barPerKm = std::strtod(text->c_str(), &end);
        if (text->empty() || end != text->c_str() + text->size())
            throw UsageError(command +
                             ": --pressure-gradient must be hydrostatic, lithostatic or bar per km");
        geotherm.regime = PressureRegime::Given;
    }
    if (const std::string refusal = geotherm_refusal(geotherm); !refusal.empty())
        throw UsageError(command + ": " + refusal);
    return geotherm;
}

void WriteGeothermCrossingJson(CJsonWriter& json, const GeothermCrossingResult& result) {
    if (!result.crossing) {
        json.Null();
        return;
    }
    json.BeginObject()
        .Field("T", result.crossing->T)
        .Field("P", result.crossing->P)
        .Field("depth_km", result.crossing->depthKm)
        .EndObject();
}

void PrintGeothermCrossing(std::ostream& out, const std::string& label,
                           const GeothermCrossingResult& result) {
    if (!result.crossing) {
        out << "  " << label << ": " << result.message << '\n';
        return;
    }
    char text[160];
    std::snprintf(text, sizeof text, "  %s crosses the geotherm at %.3f C, %.2f bar, depth %.3f km\n",
                  label.c_str(), result.crossing->T, result.crossing->P, result.crossing->depthKm);
    out << text;
}

void WriteAqueousIsochoreJson(CJsonWriter& json, const CAqueousIsochor& isochor) {
    json.BeginArray();
    for (const CIsochorPoint* point : isochor.mList)
        json.BeginObject().Field("T", point->mT).Field("P", point->mP).EndObject();
    json.EndArray();
}

void WriteCrossingJson(CJsonWriter& json, const CAqueousCrossing* crossing) {
    if (crossing == nullptr) {
        json.Null();
        return;
    }
    json.BeginObject()
        .Field("T", crossing->mT)
        .Field("P", crossing->mP)
        .Field("slope_oil", crossing->mSlopeOil)
        .Field("slope_aqueous", crossing->mSlopeAqueous)
        .Field("angle", crossing->mAngle)
        .EndObject();
}

void WriteCrossingBandJson(CJsonWriter& json, const CAqueousCrossing* crossing) {
    if (crossing == nullptr || crossing->mHasBand == 0) {
        json.Null();
        return;
    }
    json.BeginObject()
        .Field("sd_T", crossing->mSdT)
        .Field("sd_P", crossing->mSdP)
        .Field("correlation", crossing->mCorrelation);
    // The inputs moved by less than their uncertainty: there the band is a local derivative.
    json.Key("halved_steps").BeginArray();
    for (const std::string& name : crossing->mHalvedInputs)
        json.Value(name);
    json.EndArray().EndObject();
}

} // namespace zephon::cli
