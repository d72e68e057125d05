// SPDX-License-Identifier: BSD-3-Clause
// The commands that compute on one fluid: saturation, gor, composition, envelope, isochore.
#include <cmath>

#include "cli/aqueous_options.hpp"
#include "cli/cli_commands.hpp"
#include "cli/command_context.hpp"
#include "cli/data_files.hpp"
#include "cli/document_io.hpp"
#include "cli/fluid_calculations.hpp"
#include "cli/plot_rendering.hpp"
#include "cli/standard_streams.hpp"
#include "documents/alpha_beta_plot_document.hpp"
#include "documents/data_documents.hpp"
#include "documents/phase_diag_document.hpp"

namespace zephon::cli {

namespace {

COptionSpec FluidCommandSpec(std::initializer_list<std::string> flags,
                             std::initializer_list<std::string> values) {
    COptionSpec spec;
    spec.flags.insert("--json");
    spec.flags.insert(flags);
    spec.values.insert(values);
    AddFluidOptions(spec);
    return spec;
}

void WriteIsoplethJson(CJsonWriter& json, const CIsopleth* isopleth) {
    json.BeginArray();
    if (isopleth != nullptr) {
        for (const CIsoplethPoint* point : isopleth->mList) {
            json.BeginObject().Field("T", point->mT).Field("P", point->mP).Field("skip", point->mSkip != 0);
            json.EndObject();
        }
    }
    json.EndArray();
}

void PrintIsopleth(std::ostream& out, const char* title, const CIsopleth* isopleth) {
    if (isopleth == nullptr) {
        out << title << ": none\n";
        return;
    }
    out << title << ": " << isopleth->mList.Count() << " points\n";
    out << Printf("  %10s %12s\n", "T (C)", "P (bar)");
    for (const CIsoplethPoint* point : isopleth->mList)
        out << Printf("  %10.3f %12.3f%s\n", point->mT, point->mP, point->mSkip ? "   (break)" : "");
}

void WriteIsochorPointsJson(CJsonWriter& json, const CIsochor* isochor) {
    json.BeginArray();
    if (isochor != nullptr) {
        for (const CIsochorPoint* point : isochor->mList)
            json.BeginObject().Field("T", point->mT).Field("P", point->mP).Field("V", point->mV).EndObject();
    }
    json.EndArray();
}

void PrintCrossing(std::ostream& out, const CAqueousIsochor& aqueous, const CAqueousCrossing* crossing) {
    out << "Aqueous inclusion \"" << aqueous.mName << "\"\n";
    out << Printf(
        "  salinity %.2f wt%% NaCl eq., homogenisation at %.2f C and %.3f bar, density %.2f kg/m3\n",
        aqueous.mSalinity, aqueous.mTh, aqueous.mPh, aqueous.mDensity);
    if (aqueous.mLegacy)
        out << "  Bodnar & Vityk (1994) isochore (" << zephon::aqueous::kLegacyIsochoreLabel << ")\n";
    if (crossing == nullptr) {
        out << "  the isochores do not cross below 5000 bar\n";
        return;
    }
    out << Printf("  trapping conditions (crossing of the isochores): %.3f C, %.2f bar\n", crossing->mT,
                  crossing->mP);
    out << Printf("  slopes: oil %.3f bar/K, aqueous %.3f bar/K; angle %.2f degrees%s\n", crossing->mSlopeOil,
                  crossing->mSlopeAqueous, crossing->mAngle,
                  crossing->mAngle < zephon::aqueous::kIllConditionedAngle ? " (ill-conditioned)" : "");
    if (!crossing->mHasBand) return;
    out << Printf("  standard uncertainty: T +- %.2f K, P +- %.2f bar, correlation %.3f\n", crossing->mSdT,
                  crossing->mSdP, crossing->mCorrelation);
    for (const std::string& name : crossing->mHalvedInputs)
        out << "  (the crossing does not exist with " << name
            << " moved by its whole uncertainty: the band takes its local derivative there)\n";
}

} // namespace

int RunSaturation(const std::vector<std::string>& arguments, CCommandContext& context) {
    const CCommandLine line("saturation", arguments, FluidCommandSpec({"--bubble", "--dew"}, {"--t"}));
    const CFluidSpec fluid = FluidFromOptions(line, context.services);
    const double t = line.RequiredNumber("--t");
    CheckTemperature("saturation", "--t", t);
    const bool bubble = line.EitherFlag("--bubble", "--dew");
    const CSaturationPoint point = CalculateSaturation(fluid, t, bubble);
    if (line.Has("--json")) {
        CJsonWriter json;
        json.BeginObject().Field("T", point.T).Field("P", point.P).Field("kind", bubble ? "bubble" : "dew");
        json.Key("incipient").BeginObject();
        for (const auto& [name, percent] : point.incipient)
            json.Field(name, percent);
        json.EndObject();
        json.Field("liquid_volume", point.liquidVolume)
            .Field("vapour_volume", point.vapourVolume)
            .EndObject();
        PrintJson(context.out, json);
        return kExitSuccess;
    }
    std::ostream& out = context.out;
    out << (bubble ? "Bubble point of " : "Dew point of ") << fluid.Describe() << '\n';
    out << Printf("  T                          %12.3f C\n", point.T);
    out << Printf("  P                          %12.4f bar\n", point.P);
    out << Printf("  liquid molar volume        %12.4f cm3/mol\n", point.liquidVolume);
    out << Printf("  vapour molar volume        %12.4f cm3/mol\n", point.vapourVolume);
    out << "  incipient " << (bubble ? "vapour" : "liquid") << " (mole %):\n";
    for (const auto& [name, percent] : point.incipient)
        out << Printf("    %-8s %12.6f\n", name.c_str(), percent);
    return kExitSuccess;
}

int RunGor(const std::vector<std::string>& arguments, CCommandContext& context) {
    const CCommandLine line("gor", arguments, FluidCommandSpec({}, {}));
    const CFluidSpec fluid = FluidFromOptions(line, context.services);
    const CStandardConditions result = CalculateStandardConditions(fluid);
    if (line.Has("--json")) {
        CJsonWriter json;
        json.BeginObject()
            .Field("GOR", result.GOR)
            .Field("API", result.API)
            .Field("CH4", result.CH4)
            .Field("stock_tank_molar_weight", result.stockTankMolarWeight)
            .Field("stock_tank_specific_volume", result.stockTankSpecificVolume)
            .EndObject();
        PrintJson(context.out, json);
        return kExitSuccess;
    }
    std::ostream& out = context.out;
    out << "Standard conditions (15 C, 1 bar) of " << fluid.Describe() << '\n';
    out << Printf("  GOR                                 %12.2f\n", result.GOR);
    out << Printf("  API gravity                         %12.2f\n", result.API);
    out << Printf("  CH4 (mole %%)                        %12.3f\n", result.CH4);
    out << Printf("  stock-tank molar weight (g/mol)     %12.3f\n", result.stockTankMolarWeight);
    out << Printf("  stock-tank specific volume (cm3/g)  %12.5f\n", result.stockTankSpecificVolume);
    out << Printf("  bulk molar weight (g/mol)           %12.3f\n", result.bulkMolarWeight);
    return kExitSuccess;
}

int RunComposition(const std::vector<std::string>& arguments, CCommandContext& context) {
    COptionSpec spec;
    spec.flags = {"--json"};
    spec.values = {"--alpha", "--beta", "--co2", "--n2", "--h2s", "--out"};
    const CCommandLine line("composition", arguments, spec);
    const double alpha = line.RequiredNumber("--alpha"), beta = line.RequiredNumber("--beta");
    const double co2 = line.NumberOr("--co2", 0), n2 = line.NumberOr("--n2", 0),
                 h2s = line.NumberOr("--h2s", 0);
    CheckAlphaBeta("composition", alpha, beta, co2, n2, h2s);
    // The fluid model an alpha-beta plot generates for the pair.
    CAlphaBetaPlotDocument plot(context.services);
    CFluidModelDataDocument* document =
        plot.GenerateFluidModel(alpha, beta, co2 / 100.0, n2 / 100.0, h2s / 100.0);
    if (document == nullptr) throw CalculationError("no fluid model could be made");
    const CModelFluid& fluid = document->mModelFluid;
    if (auto path = line.Text("--out")) WriteDocumentOutput(context, line, *document, *path);
    if (line.Has("--json")) {
        CJsonWriter json;
        json.BeginObject().Field("name", fluid.mName).Key("components").BeginArray();
        for (const CCompositionRecordEx* c : fluid.mList) {
            json.BeginObject()
                .Field("name", c->mComponentName)
                .Field("mole_percent", c->mMolePercent)
                .Field("Tc", c->mTc)
                .Field("Pc", c->mPc)
                .Field("omega", c->mOmega)
                .Field("Mw", c->mMw)
                .Field("Vc", c->mVc)
                .Field("Ct", c->mCt)
                .EndObject();
        }
        json.EndArray().EndObject();
        PrintJson(context.out, json);
        return kExitSuccess;
    }
    std::ostream& out = context.out;
    out << "Fluid " << fluid.mName << " (alpha " << alpha << ", beta " << beta << ")\n";
    out << Printf("  %-6s %12s %10s %10s %8s %9s %9s %9s\n", "", "mole %", "Tc (C)", "Pc (bar)", "omega",
                  "Mw", "Vc", "Ct");
    for (const CCompositionRecordEx* c : fluid.mList)
        out << Printf("  %-6s %12.6f %10.3f %10.3f %8.4f %9.2f %9.2f %9.4f\n", c->mComponentName.c_str(),
                      c->mMolePercent, c->mTc, c->mPc, c->mOmega, c->mMw, c->mVc, c->mCt);
    out << "  (Tc in C, Pc in bar, Mw in g/mol, Vc and Ct in cm3/mol)\n";
    if (auto path = line.Text("--out")) out << "written to " << *path << '\n';
    return kExitSuccess;
}

namespace {

// The phase envelope of the fluid in a new P-T document; a calculation error when there is none.
CPhaseDiagram& CalculateEnvelope(CPhaseDiagDocument& document, const CFluidSpec& fluid) {
    // Checks the fluid before the document computes on it.
    MakeCalculation(fluid);
    CPhaseDiagram* diagram = document.CalculateImmiscibilityLoop(
        ModelTypeOf(fluid), fluid.alpha, fluid.beta, fluid.co2 / 100.0, fluid.n2 / 100.0, fluid.h2s / 100.0,
        fluid.isModelFluid ? fluid.fluid.get() : nullptr, "");
    if (diagram == nullptr)
        throw CalculationError("no phase envelope could be calculated for " + fluid.Describe());
    return *diagram;
}

// The estimated critical point: the point both branches end on.
bool CriticalPointOf(const CPhaseDiagram& diagram, double& T, double& P) {
    if (!diagram.mLiquidIsopleth || !diagram.mVapourIsopleth) return false;
    const CIsoplethPoint* a = diagram.mLiquidIsopleth->mList.Last();
    const CIsoplethPoint* b = diagram.mVapourIsopleth->mList.Last();
    if (a == nullptr || b == nullptr || a->mT != b->mT || a->mP != b->mP) return false;
    T = a->mT;
    P = a->mP;
    return true;
}

void WriteKeyPointJson(CJsonWriter& json, const char* key, const CEnvelopeKeyPoint& point) {
    json.Key(key);
    if (point.mValid) {
        json.BeginObject().Field("T", point.mT).Field("P", point.mP).EndObject();
    } else {
        json.Null();
    }
}

void PrintKeyPoint(std::ostream& out, const char* title, const CEnvelopeKeyPoint& point) {
    if (point.mValid)
        out << Printf("%s: %.6f C, %.6f bar\n", title, point.mT, point.mP);
    else
        out << title << ": not found\n";
}

} // namespace

int RunEnvelope(const std::vector<std::string>& arguments, CCommandContext& context) {
    const CCommandLine line("envelope", arguments, FluidCommandSpec({}, {"--out", "--svg"}));
    const CFluidSpec fluid = FluidFromOptions(line, context.services);
    CPhaseDiagDocument document(context.services);
    const CPhaseDiagram& computed = CalculateEnvelope(document, fluid);
    if (auto path = line.Text("--out")) WriteDocumentOutput(context, line, document, *path);
    if (auto path = line.Text("--svg"))
        WriteTextOutput(context, line, *path, RenderView(document.GetPlotView()));
    double tc = 0, pc = 0;
    const bool critical = CriticalPointOf(computed, tc, pc);
    const bool hasGor = computed.mLiqMolarWeight > 0;
    if (line.Has("--json")) {
        CJsonWriter json;
        json.BeginObject().Field("name", computed.mName);
        json.Key("liquid");
        WriteIsoplethJson(json, computed.mLiquidIsopleth.get());
        json.Key("vapour");
        WriteIsoplethJson(json, computed.mVapourIsopleth.get());
        json.Key("critical");
        if (critical) {
            json.BeginObject().Field("T", tc).Field("P", pc).EndObject();
        } else {
            json.Null();
        }
        const CEnvelopeKeyPoints& keys = computed.mKeyPoints;
        WriteKeyPointJson(json, "critical_exact", keys.mCritical);
        WriteKeyPointJson(json, "cricondenbar", keys.mCricondenbar);
        WriteKeyPointJson(json, "cricondentherm", keys.mCricondentherm);
        json.Key("GOR");
        hasGor ? json.Value(computed.mGOR) : json.Null();
        json.Key("API");
        hasGor ? json.Value(computed.mAPI) : json.Null();
        json.EndObject();
        PrintJson(context.out, json);
        return kExitSuccess;
    }
    std::ostream& out = context.out;
    out << "Phase envelope " << computed.mName << " of " << fluid.Describe() << '\n';
    PrintIsopleth(out, "liquid (bubble) branch", computed.mLiquidIsopleth.get());
    PrintIsopleth(out, "vapour (dew) branch", computed.mVapourIsopleth.get());
    if (critical) {
        out << Printf("critical point (estimated): %.3f C, %.3f bar\n", tc, pc);
    } else {
        out << "critical point: not reached by both branches\n";
    }
    PrintKeyPoint(out, "critical point (exact)", computed.mKeyPoints.mCritical);
    PrintKeyPoint(out, "cricondenbar", computed.mKeyPoints.mCricondenbar);
    PrintKeyPoint(out, "cricondentherm", computed.mKeyPoints.mCricondentherm);
    if (hasGor) {
        out << Printf("GOR %.2f, API %.2f\n", computed.mGOR, computed.mAPI);
    } else {
        out << "GOR and API: the fluid does not split at standard conditions\n";
    }
    return kExitSuccess;
}

int RunIsochore(const std::vector<std::string>& arguments, CCommandContext& context) {
    COptionSpec spec = FluidCommandSpec({"--liquid", "--vapour"}, {"--th", "--thaq", "--out"});
    AddAqueousOptions(spec, true);
    AddGeothermOptions(spec);
    const CCommandLine line("isochore", arguments, spec);
    const CFluidSpec fluid = FluidFromOptions(line, context.services);
    const double th = line.RequiredNumber("--th");
    CheckTemperature("isochore", "--th", th);
    const int homog = line.EitherFlag("--liquid", "--vapour") ? 1 : 0;
    const std::optional<double> thaq = line.Number("--thaq");
    if (thaq) CheckTemperature("isochore", "--thaq", *thaq);
    const std::optional<CAqueousRequest> aqueous = AqueousRequestFrom(line, "--thaq");
    const std::optional<zephon::aqueous::Geotherm> geotherm = GeothermFrom(line);
    if (aqueous && fluid.isModelFluid && aqueous->sd.fv > 0)
        throw UsageError(
            "isochore: --sd-fv changes only an alpha-beta oil; a fluid model keeps its composition");

    CPhaseDiagDocument document(context.services);
    CPhaseDiagram& diagram = CalculateEnvelope(document, fluid);
    double density = 0, volume = 0;
    CIsochor* monophasic = nullptr;
    const int status = document.CalculateIsochor(&diagram, th, homog, density, volume, &monophasic, 0.0);
    if (status != 0 || monophasic == nullptr)
        throw CalculationError(Printf("no isochore pair through Th = %.2f C (code %d)", th, status));
    const CIsochor* biphasic = diagram.mBiphIsochorsList->mList.Last();
    std::optional<double> trappingPressure;
    // A trapping line only where the isochore reaches the aqueous homogenisation temperature.
    if (thaq && monophasic->GetPressure(*thaq) > 0) {
        const CTrappingLine* trap = document.AddTrappingLineTo(monophasic, *thaq);
        if (trap != nullptr) trappingPressure = trap->mPtrap;
    }
    // The coeval aqueous inclusion: its isochore and where it crosses the oil's.
    const CAqueousIsochor* aqueousIsochor = nullptr;
    const CAqueousCrossing* crossing = nullptr;
    bool bandFailed = false;
    if (aqueous) {
        CAqueousIsochor* made = document.CalculateAqueousIsochor(aqueous->measurement);
        if (made == nullptr) throw CalculationError("the aqueous isochore could not be calculated");
        aqueousIsochor = made;
        crossing = document.CalculateCrossing(made, monophasic, aqueous->sd, aqueous->tfv);
        // Without a crossing, with uncertainties asked: the isochores may cross, the band failing.
        if (crossing == nullptr && aqueous->sd.any()) {
            crossing = document.CalculateCrossing(made, monophasic, {}, aqueous->tfv);
            bandFailed = crossing != nullptr;
        }
    }
    // Where the oil's isochore (in the aqueous inclusion's host, if any) and the aqueous one cross
    // the geotherm.
    zephon::aqueous::GeothermCrossingResult oilGeotherm, aqueousGeotherm;
    if (geotherm) {
        oilGeotherm = document.CrossGeotherm(
            monophasic, aqueous ? aqueous->measurement.host : zephon::aqueous::HostMineral::None, *geotherm);
        if (aqueousIsochor) aqueousGeotherm = CPhaseDiagDocument::CrossGeotherm(*aqueousIsochor, *geotherm);
    }
    if (auto path = line.Text("--out")) WriteDocumentOutput(context, line, document, *path);
    if (line.Has("--json")) {
        CJsonWriter json;
        json.BeginObject()
            .Field("Th", th)
            .Field("homog", homog ? "liquid" : "vapour")
            .Field("bulk_volume", volume)
            .Field("bulk_density", density);
        json.Key("biphasic");
        WriteIsochorPointsJson(json, biphasic);
        json.Key("monophasic");
        WriteIsochorPointsJson(json, monophasic);
        json.Key("trapping_pressure");
        trappingPressure ? json.Value(*trappingPressure) : json.Null();
        if (aqueousIsochor) {
            json.Key("aqueous_isochore");
            WriteAqueousIsochoreJson(json, *aqueousIsochor);
            json.Key("crossing");
            WriteCrossingJson(json, crossing);
            if (aqueous->anyUncertainty) {
                json.Key("crossing_band");
                WriteCrossingBandJson(json, crossing);
            }
        }
        if (geotherm) {
            json.Key("geotherm_crossing");
            WriteGeothermCrossingJson(json, oilGeotherm);
            if (aqueousIsochor) {
                json.Key("aqueous_geotherm_crossing");
                WriteGeothermCrossingJson(json, aqueousGeotherm);
            }
        }
        json.EndObject();
        PrintJson(context.out, json);
    } else {
        std::ostream& out = context.out;
        out << "Isochore pair \"" << biphasic->mName << "\" of " << fluid.Describe() << '\n';
        out << Printf("  homogenisation to %s at %.2f C\n", homog ? "liquid" : "vapour", th);
        out << Printf("  bulk molar volume %.4f cm3/mol, bulk density %.4f g/cm3\n", volume, density);
        out << Printf("  biphasic: %ld points\n  %10s %12s %10s\n", biphasic->mList.Count(), "T (C)",
                      "P (bar)", "bubble %");
        for (const CIsochorPoint* p : biphasic->mList)
            out << Printf("  %10.3f %12.3f %10.3f\n", p->mT, p->mP, p->mV);
        out << Printf("  monophasic: %ld points\n  %10s %12s\n", monophasic->mList.Count(), "T (C)",
                      "P (bar)");
        for (const CIsochorPoint* p : monophasic->mList)
            out << Printf("  %10.3f %12.3f\n", p->mT, p->mP);
        if (thaq && trappingPressure)
            out << Printf("  trapping pressure at %.2f C: %.2f bar\n", *thaq, *trappingPressure);
        if (aqueousIsochor) PrintCrossing(out, *aqueousIsochor, crossing);
        if (geotherm) {
            PrintGeothermCrossing(out, "the oil isochore", oilGeotherm);
            if (aqueousIsochor) PrintGeothermCrossing(out, "the aqueous isochore", aqueousGeotherm);
        }
    }
    if (bandFailed) throw CalculationError("the uncertainty band of the crossing could not be calculated");
    // With the aqueous inclusion's salinity the answer is the crossing, which also exists when the
    // aqueous Th lies below the oil's; the trapping pressure is then null.
    if (thaq && !trappingPressure && !aqueous)
        throw CalculationError(
            Printf("the aqueous Th %.2f C lies outside the monophasic isochore (which starts at "
                   "%.2f C): no trapping pressure",
                   *thaq, th));
    return kExitSuccess;
}

} // namespace zephon::cli
