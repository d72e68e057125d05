// SPDX-License-Identifier: BSD-3-Clause
// Calculations on one fluid from Python, as the command-line tool runs them: the composition of an
// alpha-beta oil, the standard-condition summary (GOR, API), a saturation point, the phase envelope
// and the isochore pair through an inclusion's homogenisation point with the trapping pressure and
// the crossing with a coeval aqueous inclusion's isochore.
#include <pybind11/stl.h>

#include <cmath>

#include "aqueous/crossing_band.hpp"
#include "cli/cli_commands.hpp"
#include "cli/command_line.hpp"
#include "cli/fluid_calculations.hpp"
#include "python_documents.hpp"
#include "python_results.hpp"

namespace zephon::python {

namespace {

constexpr const char* kFluidArguments = R"(
The fluid is an alpha-beta oil, alpha in (0, 2] and beta in [0, 1] with co2, n2 and h2s in mole
percent, or fluid: a fluid-model file (.flu, str or os.PathLike) or a FluidModel.)";

// The fluid of a call: alpha and beta (with the gases), or a fluid model; ValueError otherwise.
cli::CFluidSpec FluidOf(const std::string& command, std::optional<double> alpha, std::optional<double> beta,
                        std::optional<double> co2, std::optional<double> n2, std::optional<double> h2s,
                        const py::object& fluid) {
    const bool byAlphaBeta = alpha || beta || co2 || n2 || h2s;
    if (!fluid.is_none()) {
        if (byAlphaBeta) throw cli::UsageError(command + ": give either fluid or alpha and beta, not both");
        if (py::isinstance<CPyFluidModel>(fluid)) {
            const CModelFluid& model = fluid.cast<CPyFluidModel&>().Get().mModelFluid;
            return cli::CFluidSpec::ModelFluid(std::make_shared<CModelFluid>(model), "");
        }
        const std::filesystem::path path = PathOf(fluid);
        CPyFluidModel document;
        OpenDocumentFile(document.Get(), path, document.Services());
        return cli::CFluidSpec::ModelFluid(std::make_shared<CModelFluid>(document.Get().mModelFluid),
                                           path.string());
    }
    if (!alpha || !beta)
        throw cli::UsageError(
            command + ": choose a fluid with alpha and beta (co2, n2, h2s in mole %) or with fluid (a "
                      "fluid-model file or FluidModel)");
    const auto spec =
        cli::CFluidSpec::AlphaBeta(*alpha, *beta, co2.value_or(0), n2.value_or(0), h2s.value_or(0));
    cli::CheckAlphaBeta(command, spec.alpha, spec.beta, spec.co2, spec.n2, spec.h2s);
    return spec;
}

struct CPyStandardConditions {
    cli::CStandardConditions values;
};

struct CPySaturation {
    cli::CSaturationPoint point;
    py::dict incipient;
};

// The phase envelope of the fluid in the document; a calculation error when there is none.
CPhaseDiagram& CalculateEnvelope(CPhaseDiagDocument& document, const cli::CFluidSpec& fluid) {
    cli::MakeCalculation(fluid); // checks the fluid before the document computes on it
    CPhaseDiagram* diagram = document.CalculateImmiscibilityLoop(
        cli::ModelTypeOf(fluid), fluid.alpha, fluid.beta, fluid.co2 / 100.0, fluid.n2 / 100.0,
        fluid.h2s / 100.0, fluid.isModelFluid ? fluid.fluid.get() : nullptr, "");
    if (diagram == nullptr)
        throw cli::CalculationError("no phase envelope could be calculated for " + fluid.Describe());
    return *diagram;
}

CPySeries BranchOf(const CIsopleth* isopleth) {
    std::vector<double> t, p;
    std::vector<bool> skip;
    if (isopleth != nullptr)
        for (const CIsoplethPoint* point : isopleth->mList) {
            t.push_back(point->mT);
            p.push_back(point->mP);
            skip.push_back(point->mSkip != 0);
        }
    CPySeries series;
    series.T = ToArray(t), series.P = ToArray(p), series.skip = ToBoolArray(skip);
    return series;
}

std::optional<CPyPoint> KeyPointOf(const CEnvelopeKeyPoint& point) {
    if (!point.mValid) return std::nullopt;
    return CPyPoint{point.mT, point.mP};
}

} // namespace

CPyEnvelope EnvelopeOf(const CPhaseDiagram& diagram, std::shared_ptr<CPyPTDiagram> document) {
    CPyEnvelope result;
    result.name = diagram.mName;
    result.liquid = BranchOf(diagram.mLiquidIsopleth.get());
    result.vapour = BranchOf(diagram.mVapourIsopleth.get());
    // The estimated critical point: the point both branches end on.
    if (diagram.mLiquidIsopleth && diagram.mVapourIsopleth) {
        const CIsoplethPoint* a = diagram.mLiquidIsopleth->mList.Last();
        const CIsoplethPoint* b = diagram.mVapourIsopleth->mList.Last();
        if (a != nullptr && b != nullptr && a->mT == b->mT && a->mP == b->mP)
            result.critical = CPyPoint{a->mT, a->mP};
    }
    result.critical_exact = KeyPointOf(diagram.mKeyPoints.mCritical);
    result.cricondenbar = KeyPointOf(diagram.mKeyPoints.mCricondenbar);
    result.cricondentherm = KeyPointOf(diagram.mKeyPoints.mCricondentherm);
    if (diagram.mLiqMolarWeight > 0) result.GOR = diagram.mGOR, result.API = diagram.mAPI;
    result.document = std::move(document);
    return result;
}

CPySeries IsochoreOf(const CDataList<CIsochorPoint>* points, bool withV) {
    std::vector<double> t, p, v;
    if (points != nullptr)
        for (const CIsochorPoint* point : *points) {
            t.push_back(point->mT);
            p.push_back(point->mP);
            v.push_back(point->mV);
        }
    CPySeries series;
    series.T = ToArray(t), series.P = ToArray(p);
    if (withV) series.V = ToArray(v);
    return series;
}

void BindFluids(py::module_& m) {
    py::class_<CPyPoint>(m, "Point", "A point of the P-T plane: T (degrees C), P (bar).")
        .def(py::init<double, double>(), py::arg("T"), py::arg("P"))
        .def_readonly("T", &CPyPoint::T, "degrees Celsius")
        .def_readonly("P", &CPyPoint::P, "bar")
        .def("__eq__", [](const CPyPoint& a, const CPyPoint& b) { return a.T == b.T && a.P == b.P; })
        .def("__repr__", [](const CPyPoint& p) { return py::str("Point(T={!r}, P={!r})").format(p.T, p.P); });

    py::class_<CPySeries>(
        m, "Series",
        "The points of a curve as numpy arrays of one length: T (degrees C) and P (bar), and "
        "where the curve has them V (bubble volume % of a biphasic isochore, cm3/mol of a "
        "monophasic one), skip (True: not joined to the previous point), dPdT (bar/K), "
        "alpha and beta. A column the curve does not have is None.")
        .def_readonly("T", &CPySeries::T)
        .def_readonly("P", &CPySeries::P)
        .def_readonly("V", &CPySeries::V)
        .def_readonly("skip", &CPySeries::skip)
        .def_readonly("dPdT", &CPySeries::dPdT)
        .def_readonly("alpha", &CPySeries::alpha)
        .def_readonly("beta", &CPySeries::beta)
        .def("__len__", [](const CPySeries& s) { return py::len(s.T.is_none() ? s.alpha : s.T); })
        .def(
            "columns",
            [](const CPySeries& s) {
                py::dict columns;
                const std::pair<const char*, const py::object*> all[] = {
                    {"T", &s.T},       {"P", &s.P},         {"V", &s.V},      {"skip", &s.skip},
                    {"dPdT", &s.dPdT}, {"alpha", &s.alpha}, {"beta", &s.beta}};
                for (const auto& [name, column] : all)
                    if (!column->is_none()) columns[name] = *column;
                return columns;
            },
            "The columns the curve has, by name, in a dict.");

    py::class_<CPyStandardConditions>(m, "StandardConditions",
                                      "The fluid split at 15 degrees C and 1 bar, as `zephon-cli gor`.")
        .def_property_readonly(
            "GOR", [](const CPyStandardConditions& s) { return s.values.GOR; }, "gas-oil ratio (m3/m3)")
        .def_property_readonly(
            "API", [](const CPyStandardConditions& s) { return s.values.API; }, "API gravity")
        .def_property_readonly(
            "CH4", [](const CPyStandardConditions& s) { return s.values.CH4; }, "mole %")
        .def_property_readonly(
            "stock_tank_molar_weight",
            [](const CPyStandardConditions& s) { return s.values.stockTankMolarWeight; }, "g/mol")
        .def_property_readonly(
            "stock_tank_specific_volume",
            [](const CPyStandardConditions& s) { return s.values.stockTankSpecificVolume; }, "cm3/g")
        .def_property_readonly(
            "bulk_molar_weight", [](const CPyStandardConditions& s) { return s.values.bulkMolarWeight; },
            "g/mol")
        .def("__repr__", [](const CPyStandardConditions& s) {
            return py::str("StandardConditions(GOR={!r}, API={!r}, CH4={!r})")
                .format(s.values.GOR, s.values.API, s.values.CH4);
        });

    py::class_<CPySaturation>(m, "SaturationPoint", "One saturation point, as `zephon-cli saturation`.")
        .def_property_readonly(
            "T", [](const CPySaturation& s) { return s.point.T; }, "degrees Celsius")
        .def_property_readonly(
            "P", [](const CPySaturation& s) { return s.point.P; }, "bar")
        .def_property_readonly("kind",
                               [](const CPySaturation& s) { return s.point.bubble ? "bubble" : "dew"; })
        .def_readonly("incipient", &CPySaturation::incipient, "the incipient phase: component name to mole %")
        .def_property_readonly(
            "liquid_volume", [](const CPySaturation& s) { return s.point.liquidVolume; }, "cm3/mol")
        .def_property_readonly(
            "vapour_volume", [](const CPySaturation& s) { return s.point.vapourVolume; }, "cm3/mol")
        .def("__repr__", [](const CPySaturation& s) {
            return py::str("SaturationPoint(T={!r}, P={!r}, kind={!r})")
                .format(s.point.T, s.point.P, s.point.bubble ? "bubble" : "dew");
        });

    py::class_<CPyEnvelope>(
        m, "Envelope",
        "A phase envelope, as `zephon-cli envelope --json`: liquid (bubble) and vapour (dew) "
        "branches as Series (T, P, skip), the critical point the branches end on "
        "(critical), the converged critical_exact, cricondenbar and cricondentherm (Point "
        "or None), GOR (m3/m3) and API (None when the fluid does not split at standard "
        "conditions), and the P-T document holding it (document, write()).")
        .def_readonly("name", &CPyEnvelope::name)
        .def_readonly("liquid", &CPyEnvelope::liquid)
        .def_readonly("vapour", &CPyEnvelope::vapour)
        .def_readonly("critical", &CPyEnvelope::critical)
        .def_readonly("critical_exact", &CPyEnvelope::critical_exact)
        .def_readonly("cricondenbar", &CPyEnvelope::cricondenbar)
        .def_readonly("cricondentherm", &CPyEnvelope::cricondentherm)
        .def_readonly("GOR", &CPyEnvelope::GOR)
        .def_readonly("API", &CPyEnvelope::API)
        .def_readonly("document", &CPyEnvelope::document)
        .def(
            "write",
            [](CPyEnvelope& e, const py::object& path) {
                SaveDocumentFile(e.document->Get(), PathOf(path), e.document->Services());
            },
            py::arg("path"), "Writes the P-T document (.ptd) holding the envelope.")
        .def("__repr__", [](const CPyEnvelope& e) {
            return py::str("Envelope({!r}, {} bubble and {} dew points)")
                .format(e.name, py::len(e.liquid.T), py::len(e.vapour.T));
        });

    py::class_<CPyCrossing>(
        m, "AqueousCrossing",
        "Where an oil isochore crosses an aqueous one: the trapping temperature T (degrees "
        "C) and pressure P (bar), both slopes (bar/K) and the angle between the isochores "
        "(degrees; below 5 the crossing is ill-conditioned).")
        .def_readonly("T", &CPyCrossing::T)
        .def_readonly("P", &CPyCrossing::P)
        .def_readonly("slope_oil", &CPyCrossing::slope_oil)
        .def_readonly("slope_aqueous", &CPyCrossing::slope_aqueous)
        .def_readonly("angle", &CPyCrossing::angle)
        .def("__repr__", [](const CPyCrossing& c) {
            return py::str("AqueousCrossing(T={!r}, P={!r}, angle={!r})").format(c.T, c.P, c.angle);
        });
    py::class_<CPyCrossingBand>(m, "CrossingBand",
                                "The standard uncertainties of a crossing: sd_T (K), sd_P (bar), their "
                                "correlation, and the 95 % ellipse (Series T, P).")
        .def_readonly("sd_T", &CPyCrossingBand::sd_T)
        .def_readonly("sd_P", &CPyCrossingBand::sd_P)
        .def_readonly("correlation", &CPyCrossingBand::correlation)
        .def_readonly("ellipse", &CPyCrossingBand::ellipse)
        .def_readonly("halved_steps", &CPyCrossingBand::halved_steps,
                      "the inputs moved by less than their uncertainty: there the band is a local derivative")
        .def("__repr__", [](const CPyCrossingBand& b) {
            return py::str("CrossingBand(sd_T={!r}, sd_P={!r}, correlation={!r})")
                .format(b.sd_T, b.sd_P, b.correlation);
        });

    py::class_<CPyIsochore>(
        m, "Isochore",
        "The isochore pair through an inclusion's homogenisation point, as `zephon-cli "
        "isochore --json`: Th (degrees C), homog ('liquid' or 'vapour'), bulk_volume "
        "(cm3/mol), bulk_density (g/cm3), biphasic (Series T, P, V: the bubble volume % "
        "against temperature) and monophasic (Series T, P, V) isochores, trapping_pressure "
        "(bar) at the aqueous Th or None; with an aqueous salinity also aqueous_isochore "
        "(Series T, P), crossing (AqueousCrossing or None) and with uncertainties "
        "crossing_band (CrossingBand or None).")
        .def_readonly("Th", &CPyIsochore::Th)
        .def_readonly("homog", &CPyIsochore::homog)
        .def_readonly("bulk_volume", &CPyIsochore::bulk_volume)
        .def_readonly("bulk_density", &CPyIsochore::bulk_density)
        .def_readonly("biphasic", &CPyIsochore::biphasic)
        .def_readonly("monophasic", &CPyIsochore::monophasic)
        .def_readonly("trapping_pressure", &CPyIsochore::trapping_pressure)
        .def_readonly("aqueous_isochore", &CPyIsochore::aqueous_isochore)
        .def_readonly("crossing", &CPyIsochore::crossing)
        .def_readonly("crossing_band", &CPyIsochore::crossing_band)
        .def_readonly("document", &CPyIsochore::document)
        .def(
            "write",
            [](CPyIsochore& i, const py::object& path) {
                SaveDocumentFile(i.document->Get(), PathOf(path), i.document->Services());
            },
            py::arg("path"),
            "Writes the P-T document (.ptd): the envelope, the isochores and what crosses them.")
        .def("__repr__", [](const CPyIsochore& i) {
            return py::str("Isochore(Th={!r}, homog={!r}, bulk_volume={!r}, trapping_pressure={!r})")
                .format(i.Th, i.homog, i.bulk_volume, i.trapping_pressure);
        });

    m.def(
        "gor",
        [](std::optional<double> alpha, std::optional<double> beta, std::optional<double> co2,
           std::optional<double> n2, std::optional<double> h2s, const py::object& fluid) {
            const cli::CFluidSpec spec = FluidOf("gor", alpha, beta, co2, n2, h2s, fluid);
            return CPyStandardConditions{Compute([&] { return cli::CalculateStandardConditions(spec); })};
        },
        py::arg("alpha") = py::none(), py::arg("beta") = py::none(), py::kw_only(),
        py::arg("co2") = py::none(), py::arg("n2") = py::none(), py::arg("h2s") = py::none(),
        py::arg("fluid") = py::none(),
        (std::string("GOR (m3/m3), API gravity, CH4 (mole %), stock-tank molar weight (g/mol) and specific "
                     "volume (cm3/g) at 15 degrees C and 1 bar, as `zephon-cli gor`.\n") +
         kFluidArguments)
            .c_str());

    m.def(
        "saturation",
        [](std::optional<double> alpha, std::optional<double> beta, std::optional<double> co2,
           std::optional<double> n2, std::optional<double> h2s, const py::object& fluid, double t,
           const std::string& kind) {
            const cli::CFluidSpec spec = FluidOf("saturation", alpha, beta, co2, n2, h2s, fluid);
            cli::CheckTemperature("saturation", "t", t);
            if (kind != "bubble" && kind != "dew")
                throw cli::UsageError("saturation: kind must be 'bubble' or 'dew'");
            CPySaturation result{Compute([&] { return cli::CalculateSaturation(spec, t, kind == "bubble"); }),
                                 {}};
            for (const auto& [name, percent] : result.point.incipient)
                result.incipient[py::str(name)] = percent;
            return result;
        },
        py::arg("alpha") = py::none(), py::arg("beta") = py::none(), py::kw_only(),
        py::arg("co2") = py::none(), py::arg("n2") = py::none(), py::arg("h2s") = py::none(),
        py::arg("fluid") = py::none(), py::arg("t"), py::arg("kind") = "bubble",
        (std::string("One saturation point at t (degrees C), kind 'bubble' or 'dew', as `zephon-cli "
                     "saturation`: P (bar), the incipient phase (mole %), the phases' molar volumes "
                     "(cm3/mol).\n") +
         kFluidArguments)
            .c_str());

    m.def(
        "envelope",
        [](std::optional<double> alpha, std::optional<double> beta, std::optional<double> co2,
           std::optional<double> n2, std::optional<double> h2s, const py::object& fluid) {
            const cli::CFluidSpec spec = FluidOf("envelope", alpha, beta, co2, n2, h2s, fluid);
            auto document = std::make_shared<CPyPTDiagram>();
            const CPhaseDiagram* diagram = Compute([&] { return &CalculateEnvelope(document->Get(), spec); });
            return EnvelopeOf(*diagram, document);
        },
        py::arg("alpha") = py::none(), py::arg("beta") = py::none(), py::kw_only(),
        py::arg("co2") = py::none(), py::arg("n2") = py::none(), py::arg("h2s") = py::none(),
        py::arg("fluid") = py::none(),
        (std::string("The phase envelope, as `zephon-cli envelope`: both branches (degrees C, bar), the "
                     "estimated and exact critical point, cricondenbar, cricondentherm, GOR and API.\n") +
         kFluidArguments)
            .c_str());

    m.def(
        "isochore",
        [](std::optional<double> alpha, std::optional<double> beta, std::optional<double> co2,
           std::optional<double> n2, std::optional<double> h2s, const py::object& fluid, double th,
           const std::string& homogWord, std::optional<double> thaq, std::optional<double> tmIce,
           std::optional<double> tmHalite, std::optional<double> salinity, const std::string& host,
           bool legacy, std::optional<double> sdThaq, std::optional<double> sdTmIce,
           std::optional<double> sdTmHalite, std::optional<double> sdSalinity, std::optional<double> sdTh,
           std::optional<double> sdFv, std::optional<double> tfv, std::optional<double> sdBrineDensity,
           std::optional<double> corrTh) {
            const cli::CFluidSpec spec = FluidOf("isochore", alpha, beta, co2, n2, h2s, fluid);
            cli::CheckTemperature("isochore", "th", th);
            if (homogWord != "liquid" && homogWord != "vapour")
                throw cli::UsageError("isochore: homog must be 'liquid' or 'vapour'");
            const int homog = homogWord == "liquid" ? 1 : 0;
            if (thaq) cli::CheckTemperature("isochore", "thaq", *thaq);
            CPyAqueousOptions options{tmIce,      tmHalite,   salinity, host, legacy, sdThaq,         sdTmIce,
                                      sdTmHalite, sdSalinity, sdTh,     sdFv, tfv,    sdBrineDensity, corrTh};
            const auto aqueous = AqueousRequestOf("isochore", thaq, "thaq", options);
            if (aqueous && spec.isModelFluid && aqueous->sd.fv > 0)
                throw cli::UsageError(
                    "isochore: sd_fv changes only an alpha-beta oil; a fluid model keeps its composition");

            auto document = std::make_shared<CPyPTDiagram>();
            CPyIsochore result;
            result.Th = th;
            result.homog = homogWord;
            struct Made {
                const CIsochor* biphasic = nullptr;
                const CIsochor* monophasic = nullptr;
                const CAqueousIsochor* aqueous = nullptr;
                const CAqueousCrossing* crossing = nullptr;
                bool bandFailed = false;
            };
            const Made made = Compute([&] {
                CPhaseDiagDocument& doc = document->Get();
                CPhaseDiagram& diagram = CalculateEnvelope(doc, spec);
                Made out;
                CIsochor* monophasic = nullptr;
                const int status = doc.CalculateIsochor(&diagram, th, homog, result.bulk_density,
                                                        result.bulk_volume, &monophasic, 0.0);
                if (status != 0 || monophasic == nullptr)
                    throw cli::CalculationError(
                        cli::Printf("no isochore pair through Th = %.2f C (code %d)", th, status));
                out.monophasic = monophasic;
                out.biphasic = diagram.mBiphIsochorsList->mList.Last();
                // A trapping line only where the isochore reaches the aqueous homogenisation temperature.
                if (thaq && monophasic->GetPressure(*thaq) > 0) {
                    const CTrappingLine* trap = doc.AddTrappingLineTo(monophasic, *thaq);
                    if (trap != nullptr) result.trapping_pressure = trap->mPtrap;
                }
                if (aqueous) {
                    CAqueousIsochor* isochor = doc.CalculateAqueousIsochor(aqueous->measurement);
                    if (isochor == nullptr)
                        throw cli::CalculationError("the aqueous isochore could not be calculated");
                    out.aqueous = isochor;
                    out.crossing = doc.CalculateCrossing(isochor, monophasic, aqueous->sd, aqueous->tfv);
                    // Without a crossing, with uncertainties asked: the isochores may cross, the band
                    // failing.
                    if (out.crossing == nullptr && aqueous->sd.any()) {
                        out.crossing = doc.CalculateCrossing(isochor, monophasic, {}, aqueous->tfv);
                        out.bandFailed = out.crossing != nullptr;
                    }
                }
                return out;
            });
            if (made.bandFailed)
                throw cli::CalculationError("the uncertainty band of the crossing could not be calculated");
            // With the aqueous inclusion's salinity the answer is the crossing, which also exists when the
            // aqueous Th lies below the oil's; the trapping pressure is then None.
            if (thaq && !result.trapping_pressure && !aqueous)
                throw cli::CalculationError(
                    cli::Printf("the aqueous Th %.2f C lies outside the monophasic isochore (which starts at "
                                "%.2f C): no trapping pressure",
                                *thaq, th));
            result.biphasic = IsochoreOf(&made.biphasic->mList, true);
            result.monophasic = IsochoreOf(&made.monophasic->mList, true);
            if (made.aqueous != nullptr)
                result.aqueous_isochore = py::cast(IsochoreOf(&made.aqueous->mList, false));
            if (const CAqueousCrossing* c = made.crossing) {
                result.crossing = CPyCrossing{c->mT, c->mP, c->mSlopeOil, c->mSlopeAqueous, c->mAngle};
                if (c->mHasBand != 0 && aqueous->anyUncertainty) {
                    CPyCrossingBand band{c->mSdT, c->mSdP, c->mCorrelation, {}, c->mHalvedInputs};
                    std::vector<double> t, p;
                    for (const auto& [et, ep] :
                         aqueous::uncertainty_ellipse(c->mT, c->mP, {c->mSdT, c->mSdP, c->mCorrelation})) {
                        t.push_back(et);
                        p.push_back(ep);
                    }
                    band.ellipse.T = ToArray(t), band.ellipse.P = ToArray(p);
                    result.crossing_band = band;
                }
            }
            result.document = document;
            return result;
        },
        py::arg("alpha") = py::none(), py::arg("beta") = py::none(), py::kw_only(),
        py::arg("co2") = py::none(), py::arg("n2") = py::none(), py::arg("h2s") = py::none(),
        py::arg("fluid") = py::none(), py::arg("th"), py::arg("homog") = "liquid",
        py::arg("thaq") = py::none(), py::arg("tm_ice") = py::none(), py::arg("tm_halite") = py::none(),
        py::arg("salinity") = py::none(), py::arg("host") = "none", py::arg("legacy") = false,
        py::arg("sd_thaq") = py::none(), py::arg("sd_tm_ice") = py::none(),
        py::arg("sd_tm_halite") = py::none(), py::arg("sd_salinity") = py::none(),
        py::arg("sd_th") = py::none(), py::arg("sd_fv") = py::none(), py::arg("tfv") = py::none(),
        py::arg("sd_brine_density") = py::none(), py::arg("corr_th") = py::none(),
        (std::string(
             "The isochore pair through Th, as `zephon-cli isochore`: th (degrees C) with homog 'liquid' or "
             "'vapour'; thaq (degrees C): the trapping pressure where a coeval aqueous inclusion "
             "homogenises. "
             "With the aqueous inclusion's salinity (one of tm_ice or tm_halite in degrees C, salinity in "
             "wt% "
             "NaCl eq.; host 'none', 'quartz', 'calcite' or 'fluorite'; legacy for Bodnar & Vityk 1994) also "
             "its isochore and where it crosses the oil's; the standard uncertainties sd_thaq, sd_tm_ice, "
             "sd_tm_halite (K), sd_salinity (wt%), sd_th (K) and sd_fv (bubble volume %, measured at tfv, "
             "degrees C, 20 by default) and sd_brine_density (% of the brine's density) give the crossing's "
             "band, "
             "corr_th (-1 to 1) the correlation of the errors of the two Th.\n") +
         kFluidArguments)
            .c_str());
}

} // namespace zephon::python
