// SPDX-License-Identifier: BSD-3-Clause
// Zephon's files from Python: inclusion data (.inc), correlations (.abe), fluid models (.flu),
// alpha-beta plots (.abp) and P-T diagrams (.ptd), read by the program's own documents into objects
// whose contents are plain values and numpy arrays, and written back as the program writes them.
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include "cli/command_line.hpp"
#include "cli/data_files.hpp"
#include "cli/fluid_calculations.hpp"
#include "python_documents.hpp"
#include "python_inclusion.hpp"
#include "python_results.hpp"

namespace zephon::python {

namespace {

struct CPyComponent {
    std::string name;
    double mole_percent = 0, Tc = 0, Pc = 0, omega = 0, Mw = 0, Vc = 0, Ct = 0;
    bool operator==(const CPyComponent&) const = default;
};

// A named fluid of a correlation or a marker of an alpha-beta plot.
struct CPyNamedFluid {
    std::string name;
    double alpha = 0, beta = 0;
    std::vector<std::pair<std::string, double>> composition; // light components, mole %
    bool operator==(const CPyNamedFluid&) const = default;
};

struct CPyStoredIsochore {
    std::string name;
    double Th = 0;
    std::string homog;
    bool biphasic = false;
    double bulk_volume = 0, bulk_density = 0;
    CPySeries points;
    std::vector<CPyPoint> trapping; // (aqueous Th, trapping pressure)
};

struct CPyDiagram {
    CPyEnvelope envelope;
    std::string model;
    std::vector<CPyStoredIsochore> isochores;
};

struct CPyStoredCrossing {
    std::string oil_isochore;
    CPyCrossing crossing;
    std::optional<CPyCrossingBand> band;
};

struct CPyStoredAqueous {
    std::string name, salinity_source, host;
    double Th = 0, measured = 0, salinity_wt_pct = 0, Ph = 0, density = 0;
    bool legacy = false;
    CPySeries points;
    std::vector<CPyStoredCrossing> crossings;
};

CPyNamedFluid NamedFluidOf(const CAlphaBetaRecordEx& record) {
    CPyNamedFluid fluid{record.mName, record.mAlpha, record.mBeta, {}};
    for (const CCompositionRecord* c : record.mCompositionList.mList)
        fluid.composition.emplace_back(c->mComponentName, c->mMolePercent);
    return fluid;
}

void FillNamedFluid(CAlphaBetaRecordEx& record, const CPyNamedFluid& fluid) {
    record.mName = fluid.name;
    record.mAlpha = fluid.alpha, record.mBeta = fluid.beta;
    record.mCompositionList.mList.DeleteAll();
    for (const auto& [name, percent] : fluid.composition) {
        record.mCompositionList.mList.Add(new CCompositionRecord(name, percent));
        if (name == "CO2") record.mCO2 = percent;
        if (name == "N2") record.mN2 = percent;
        if (name == "H2S") record.mH2S = percent;
    }
}

std::vector<CPyInclusion> InclusionsIn(CPyInclusions& document) {
    std::vector<CPyInclusion> inclusions;
    for (const CInclusionRecordEx* record : document.Get().mInclusionList.mInclusionData)
        inclusions.push_back(InclusionOf(*record));
    return inclusions;
}

void SetInclusions(CPyInclusions& document, const std::vector<CPyInclusion>& inclusions) {
    std::vector<std::unique_ptr<CInclusionRecordEx>> records;
    for (const CPyInclusion& inclusion : inclusions) {
        auto record = std::make_unique<CInclusionRecordEx>();
        FillRecord(*record, inclusion);
        records.push_back(std::move(record));
    }
    CInclusionList& list = document.Get().mInclusionList;
    list.RemoveAll();
    list.mIsOwner = 1;
    for (auto& record : records)
        list.Add(record.release());
}

std::vector<CPyComponent> ComponentsIn(const CModelFluid& fluid) {
    std::vector<CPyComponent> components;
    for (const CCompositionRecordEx* c : fluid.mList)
        components.push_back(
            {c->mComponentName, c->mMolePercent, c->mTc, c->mPc, c->mOmega, c->mMw, c->mVc, c->mCt});
    return components;
}

void SetComponents(CModelFluid& fluid, const std::vector<CPyComponent>& components) {
    fluid.mList.DeleteAll();
    for (const CPyComponent& c : components) {
        auto* record = new CCompositionRecordEx();
        record->mComponentName = c.name;
        record->mMolePercent = c.mole_percent;
        record->mTc = c.Tc, record->mPc = c.Pc, record->mOmega = c.omega, record->mMw = c.Mw,
        record->mVc = c.Vc;
        record->mCt = c.Ct;
        fluid.mList.Add(record);
    }
}

std::vector<CPyDiagram> DiagramsIn(const std::shared_ptr<CPyPTDiagram>& document) {
    std::vector<CPyDiagram> diagrams;
    for (const CPhaseDiagram* diagram : document->Get().mPhaseDiagramsList.mList) {
        CPyDiagram d;
        d.envelope = EnvelopeOf(*diagram, document);
        const short type = diagram->mThermoModel.mModelType;
        d.model = type == 1 ? "alpha-beta" : type == 2 ? "fluid model" : "none";
        for (const CIsochorsList* list :
             {diagram->mBiphIsochorsList.get(), diagram->mMonoIsochorsList.get()}) {
            if (list == nullptr) continue;
            for (const CIsochor* isochor : list->mList) {
                CPyStoredIsochore s{isochor->mName,
                                    isochor->mTh,
                                    isochor->mHomog ? "liquid" : "vapour",
                                    isochor->mIsBiphasic != 0,
                                    isochor->mBulkVolume,
                                    isochor->mBulkDensity,
                                    IsochoreOf(&isochor->mList, true),
                                    {}};
                if (isochor->mTrappingLines)
                    for (const CTrappingLine* line : isochor->mTrappingLines->mList)
                        s.trapping.push_back({line->mTh, line->mPtrap});
                d.isochores.push_back(std::move(s));
            }
        }
        diagrams.push_back(std::move(d));
    }
    return diagrams;
}

std::vector<CPyStoredAqueous> AqueousIn(CPyPTDiagram& document) {
    std::vector<CPyStoredAqueous> result;
    for (const CAqueousIsochor* a : document.Get().mAqueousIsochorsList.mList) {
        CPyStoredAqueous s{a->mName,
                           a->mSalinitySource,
                           a->mHost,
                           a->mTh,
                           a->mMeasured,
                           a->mSalinity,
                           a->mPh,
                           a->mDensity,
                           a->mLegacy != 0,
                           IsochoreOf(&a->mList, false),
                           {}};
        for (const CAqueousCrossing* c : a->mCrossings) {
            CPyStoredCrossing crossing{
                c->mOilIsochorName, {c->mT, c->mP, c->mSlopeOil, c->mSlopeAqueous, c->mAngle}, {}};
            if (c->mHasBand != 0)
                crossing.band = CPyCrossingBand{c->mSdT, c->mSdP, c->mCorrelation, {}, c->mHalvedInputs};
            s.crossings.push_back(std::move(crossing));
        }
        result.push_back(std::move(s));
    }
    return result;
}

template <class Holder, class Class> void AddFileMethods(Class& c) {
    c.def(
         "write",
         [](Holder& d, const py::object& path) { SaveDocumentFile(d.Get(), PathOf(path), d.Services()); },
         py::arg("path"),
         "Writes the file as the program writes it (a complete new file replaces the old one, or "
         "nothing changes); FileError when it cannot be written.")
        .def(
            "text", [](Holder& d) { return d.Get().SaveToText(); },
            "The file's text, as write() would write it.")
        .def("__eq__", [](Holder& a, Holder& b) { return a.Get().SaveToText() == b.Get().SaveToText(); });
}

template <class Holder> std::shared_ptr<Holder> Open(const std::filesystem::path& path) {
    auto document = std::make_shared<Holder>();
    OpenDocumentFile(document->Get(), path, document->Services());
    return document;
}

} // namespace

void BindDocuments(py::module_& m) {
    py::class_<CPyInclusion>(
        m, "Inclusion",
        "What was measured on one oil inclusion (field names as `zephon-cli info --json`): "
        "name, Th (homogenisation temperature, degrees C), homog ('liquid' or 'vapour'), "
        "Fv (bubble volume % at Tv), Tv (degrees C), CO2, N2, H2S (mole %), volumes "
        "(bubble volume measurements: a list of (T in degrees C, volume %)).")
        .def(py::init([](std::string name, double th, double fv, double tv, std::string homog, double co2,
                         double n2, double h2s, std::vector<std::pair<double, double>> volumes) {
                 CPyInclusion i;
                 i.name = std::move(name), i.Th = th, i.Fv = fv, i.Tv = tv, i.homog = std::move(homog);
                 i.CO2 = co2, i.N2 = n2, i.H2S = h2s, i.volumes = std::move(volumes);
                 RecordOf(i); // checks homog
                 return i;
             }),
             py::arg("name") = "Inclusion", py::kw_only(), py::arg("Th"), py::arg("Fv"), py::arg("Tv") = 20.0,
             py::arg("homog") = "liquid", py::arg("CO2") = 0.0, py::arg("N2") = 0.0, py::arg("H2S") = 0.0,
             py::arg("volumes") = std::vector<std::pair<double, double>>{})
        .def_readwrite("name", &CPyInclusion::name)
        .def_readwrite("Th", &CPyInclusion::Th, "degrees Celsius")
        .def_readwrite("Fv", &CPyInclusion::Fv, "bubble volume % at Tv")
        .def_readwrite("Tv", &CPyInclusion::Tv, "degrees Celsius")
        .def_readwrite("homog", &CPyInclusion::homog, "'liquid' or 'vapour'")
        .def_readwrite("CO2", &CPyInclusion::CO2, "mole %")
        .def_readwrite("N2", &CPyInclusion::N2, "mole %")
        .def_readwrite("H2S", &CPyInclusion::H2S, "mole %")
        .def_readwrite("volumes", &CPyInclusion::volumes, "list of (T in degrees C, bubble volume %)")
        .def("__eq__", &CPyInclusion::operator==)
        .def("__repr__", [](const CPyInclusion& i) {
            return py::str(
                       "Inclusion({!r}, Th={!r}, Fv={!r}, Tv={!r}, homog={!r}, CO2={!r}, N2={!r}, H2S={!r}, "
                       "volumes={!r})")
                .format(i.name, i.Th, i.Fv, i.Tv, i.homog, i.CO2, i.N2, i.H2S, i.volumes);
        });

    py::class_<CPyComponent>(m, "Component",
                             "One component of a fluid model: name, mole_percent, Tc (degrees C), Pc (bar), "
                             "omega, Mw (g/mol), Vc and Ct (volume shift; cm3/mol).")
        .def(py::init(
                 [](std::string name, double mole, double tc, double pc, double omega, double mw, double vc,
                    double ct) { return CPyComponent{std::move(name), mole, tc, pc, omega, mw, vc, ct}; }),
             py::arg("name"), py::arg("mole_percent"), py::arg("Tc"), py::arg("Pc"), py::arg("omega"),
             py::arg("Mw"), py::arg("Vc"), py::arg("Ct") = 0.0)
        .def_readwrite("name", &CPyComponent::name)
        .def_readwrite("mole_percent", &CPyComponent::mole_percent)
        .def_readwrite("Tc", &CPyComponent::Tc, "degrees Celsius")
        .def_readwrite("Pc", &CPyComponent::Pc, "bar")
        .def_readwrite("omega", &CPyComponent::omega)
        .def_readwrite("Mw", &CPyComponent::Mw, "g/mol")
        .def_readwrite("Vc", &CPyComponent::Vc, "cm3/mol")
        .def_readwrite("Ct", &CPyComponent::Ct, "cm3/mol")
        .def("__eq__", &CPyComponent::operator==)
        .def("__repr__", [](const CPyComponent& c) {
            return py::str(
                       "Component({!r}, mole_percent={!r}, Tc={!r}, Pc={!r}, omega={!r}, Mw={!r}, Vc={!r}, "
                       "Ct={!r})")
                .format(c.name, c.mole_percent, c.Tc, c.Pc, c.omega, c.Mw, c.Vc, c.Ct);
        });

    py::class_<CPyNamedFluid>(
        m, "NamedFluid",
        "A named alpha-beta fluid of a correlation or a plot's marker: name, alpha, beta and "
        "its light components (composition: a list of (name, mole %)).")
        .def(py::init([](std::string name, double alpha, double beta,
                         std::vector<std::pair<std::string, double>> composition) {
                 return CPyNamedFluid{std::move(name), alpha, beta, std::move(composition)};
             }),
             py::arg("name"), py::arg("alpha"), py::arg("beta"),
             py::arg("composition") = std::vector<std::pair<std::string, double>>{})
        .def_readwrite("name", &CPyNamedFluid::name)
        .def_readwrite("alpha", &CPyNamedFluid::alpha)
        .def_readwrite("beta", &CPyNamedFluid::beta)
        .def_readwrite("composition", &CPyNamedFluid::composition, "list of (component, mole %)")
        .def("__eq__", &CPyNamedFluid::operator==)
        .def("__repr__", [](const CPyNamedFluid& f) {
            return py::str("NamedFluid({!r}, alpha={!r}, beta={!r})").format(f.name, f.alpha, f.beta);
        });

    auto inclusions = py::class_<CPyInclusions, std::shared_ptr<CPyInclusions>>(
        m, "Inclusions", "An inclusion data file (.inc): its inclusions, a list of Inclusion.");
    inclusions
        .def(py::init([](const std::vector<CPyInclusion>& list) {
                 auto document = std::make_shared<CPyInclusions>();
                 SetInclusions(*document, list);
                 return document;
             }),
             py::arg("inclusions") = std::vector<CPyInclusion>{})
        .def_property("inclusions", &InclusionsIn, &SetInclusions,
                      "a list of Inclusion (a copy; assign to change)")
        .def("__len__", [](CPyInclusions& d) { return d.Get().mInclusionList.Count(); });
    AddFileMethods<CPyInclusions>(inclusions);

    auto correlation = py::class_<CPyCorrelation, std::shared_ptr<CPyCorrelation>>(
        m, "Correlation",
        "An alpha-beta correlation file (.abe): its name and fluids (a list of NamedFluid).");
    correlation
        .def(py::init([](const std::string& name, const std::vector<CPyNamedFluid>& fluids) {
                 auto document = std::make_shared<CPyCorrelation>();
                 document->Get().mCorrelation.mName = name;
                 for (const CPyNamedFluid& fluid : fluids) {
                     auto* record = new CAlphaBetaRecordEx();
                     FillNamedFluid(*record, fluid);
                     document->Get().mCorrelation.Add(record);
                 }
                 return document;
             }),
             py::arg("name") = "Undefined", py::arg("fluids") = std::vector<CPyNamedFluid>{})
        .def_property(
            "name", [](CPyCorrelation& d) { return d.Get().mCorrelation.mName; },
            [](CPyCorrelation& d, const std::string& name) { d.Get().mCorrelation.mName = name; })
        .def_property(
            "fluids",
            [](CPyCorrelation& d) {
                std::vector<CPyNamedFluid> fluids;
                for (const CAlphaBetaRecordEx* record : d.Get().mCorrelation.mList)
                    fluids.push_back(NamedFluidOf(*record));
                return fluids;
            },
            [](CPyCorrelation& d, const std::vector<CPyNamedFluid>& fluids) {
                d.Get().mCorrelation.mList.DeleteAll();
                for (const CPyNamedFluid& fluid : fluids) {
                    auto* record = new CAlphaBetaRecordEx();
                    FillNamedFluid(*record, fluid);
                    d.Get().mCorrelation.Add(record);
                }
            },
            "a list of NamedFluid (a copy; assign to change)")
        .def("__len__", [](CPyCorrelation& d) { return d.Get().mCorrelation.mList.Count(); });
    AddFileMethods<CPyCorrelation>(correlation);

    auto fluidModel = py::class_<CPyFluidModel, std::shared_ptr<CPyFluidModel>>(
        m, "FluidModel",
        "A fluid model (.flu): its name and components (a list of Component); give it as fluid= to the "
        "calculations.");
    fluidModel
        .def(py::init([](const std::string& name, const std::vector<CPyComponent>& components) {
                 auto document = std::make_shared<CPyFluidModel>();
                 document->Get().mModelFluid.mName = name;
                 SetComponents(document->Get().mModelFluid, components);
                 return document;
             }),
             py::arg("name") = "FM", py::arg("components") = std::vector<CPyComponent>{})
        .def_property(
            "name", [](CPyFluidModel& d) { return d.Get().mModelFluid.mName; },
            [](CPyFluidModel& d, const std::string& name) { d.Get().mModelFluid.mName = name; })
        .def_property(
            "components", [](CPyFluidModel& d) { return ComponentsIn(d.Get().mModelFluid); },
            [](CPyFluidModel& d, const std::vector<CPyComponent>& c) {
                SetComponents(d.Get().mModelFluid, c);
            },
            "a list of Component (a copy; assign to change)")
        .def("__len__", [](CPyFluidModel& d) { return d.Get().mModelFluid.Count(); });
    AddFileMethods<CPyFluidModel>(fluidModel);

    m.def(
        "composition",
        [](double alpha, double beta, double co2, double n2, double h2s) {
            cli::CheckAlphaBeta("composition", alpha, beta, co2, n2, h2s);
            auto result = std::make_shared<CPyFluidModel>();
            Compute([&] {
                // The fluid model an alpha-beta plot generates for the pair.
                CPythonServices services;
                CAlphaBetaPlotDocument plot(services);
                CFluidModelDataDocument* made =
                    plot.GenerateFluidModel(alpha, beta, co2 / 100.0, n2 / 100.0, h2s / 100.0);
                if (made == nullptr) throw cli::CalculationError("no fluid model could be made");
                result->Get().mModelFluid.mName = made->mModelFluid.mName;
                for (const CCompositionRecordEx* c : made->mModelFluid.mList) {
                    auto* copy = new CCompositionRecordEx();
                    copy->CopyFrom(*c);
                    result->Get().mModelFluid.mList.Add(copy);
                }
                return 0;
            });
            return result;
        },
        py::arg("alpha"), py::arg("beta"), py::kw_only(), py::arg("co2") = 0.0, py::arg("n2") = 0.0,
        py::arg("h2s") = 0.0,
        "The 17-component fluid of an alpha-beta oil (alpha in (0, 2], beta in [0, 1]; co2, n2, h2s in mole "
        "%) "
        "with its constants, as `zephon-cli composition`: a FluidModel.");

    py::class_<CPyStoredIsochore>(
        m, "StoredIsochore",
        "An isochore kept in a P-T diagram: name, Th (degrees C), homog, biphasic, "
        "bulk_volume (cm3/mol), bulk_density (g/cm3), points (Series T, P, V) and its "
        "trapping lines (a list of Point: the aqueous Th and the trapping pressure).")
        .def_readonly("name", &CPyStoredIsochore::name)
        .def_readonly("Th", &CPyStoredIsochore::Th)
        .def_readonly("homog", &CPyStoredIsochore::homog)
        .def_readonly("biphasic", &CPyStoredIsochore::biphasic)
        .def_readonly("bulk_volume", &CPyStoredIsochore::bulk_volume)
        .def_readonly("bulk_density", &CPyStoredIsochore::bulk_density)
        .def_readonly("points", &CPyStoredIsochore::points)
        .def_readonly("trapping", &CPyStoredIsochore::trapping)
        .def("__repr__", [](const CPyStoredIsochore& s) {
            return py::str("StoredIsochore({!r}, biphasic={!r}, {} points)")
                .format(s.name, s.biphasic, py::len(s.points.T));
        });
    py::class_<CPyDiagram>(
        m, "Diagram",
        "One fluid's phase diagram in a P-T file: its envelope (Envelope), model ('alpha-beta', "
        "'fluid model' or 'none') and isochores (a list of StoredIsochore).")
        .def_readonly("envelope", &CPyDiagram::envelope)
        .def_readonly("model", &CPyDiagram::model)
        .def_readonly("isochores", &CPyDiagram::isochores)
        .def_property_readonly("name", [](const CPyDiagram& d) { return d.envelope.name; });
    py::class_<CPyStoredCrossing>(
        m, "StoredCrossing",
        "A crossing kept in a P-T file: the oil isochore's name, the crossing and its "
        "band (CrossingBand or None).")
        .def_readonly("oil_isochore", &CPyStoredCrossing::oil_isochore)
        .def_readonly("crossing", &CPyStoredCrossing::crossing)
        .def_readonly("band", &CPyStoredCrossing::band);
    py::class_<CPyStoredAqueous>(
        m, "StoredAqueousIsochore",
        "An aqueous inclusion's isochore kept in a P-T file: name, Th (degrees C), "
        "salinity_source ('ice', 'halite', 'typed') and measured value, salinity_wt_pct, "
        "host, legacy, Ph (bar), density (kg/m3), points (Series T, P) and crossings.")
        .def_readonly("name", &CPyStoredAqueous::name)
        .def_readonly("Th", &CPyStoredAqueous::Th)
        .def_readonly("salinity_source", &CPyStoredAqueous::salinity_source)
        .def_readonly("measured", &CPyStoredAqueous::measured)
        .def_readonly("salinity_wt_pct", &CPyStoredAqueous::salinity_wt_pct)
        .def_readonly("host", &CPyStoredAqueous::host)
        .def_readonly("legacy", &CPyStoredAqueous::legacy)
        .def_readonly("Ph", &CPyStoredAqueous::Ph)
        .def_readonly("density", &CPyStoredAqueous::density)
        .def_readonly("points", &CPyStoredAqueous::points)
        .def_readonly("crossings", &CPyStoredAqueous::crossings);

    auto ptd = py::class_<CPyPTDiagram, std::shared_ptr<CPyPTDiagram>>(
        m, "PTDiagram",
        "A P-T diagram file (.ptd): its diagrams (a list of Diagram: envelope and isochores) and aqueous "
        "isochores with their crossings. Made by envelope() and isochore() (their document) or read.");
    ptd.def(py::init([] { return std::make_shared<CPyPTDiagram>(); }))
        .def_property_readonly("diagrams",
                               [](const std::shared_ptr<CPyPTDiagram>& d) { return DiagramsIn(d); })
        .def_property_readonly("aqueous_isochores", [](CPyPTDiagram& d) { return AqueousIn(d); });
    AddFileMethods<CPyPTDiagram>(ptd);

    auto plot = py::class_<CPyAlphaBetaPlot, std::shared_ptr<CPyAlphaBetaPlot>>(
        m, "AlphaBetaPlot",
        "An alpha-beta plot file (.abp): its curves (a list of Curve), fluid markers (a list of NamedFluid) "
        "and correlations (a list of Correlation).");
    plot.def(py::init([] { return std::make_shared<CPyAlphaBetaPlot>(); }))
        .def_property_readonly("markers",
                               [](CPyAlphaBetaPlot& d) {
                                   std::vector<CPyNamedFluid> markers;
                                   for (const CAlphaBetaPoint* p : d.Get().mAlphaBetaPointsList.mList)
                                       markers.push_back(NamedFluidOf(p->mAlphaBetaRecordEx));
                                   return markers;
                               })
        .def_property_readonly("correlations", [](CPyAlphaBetaPlot& d) {
            std::vector<std::shared_ptr<CPyCorrelation>> correlations;
            for (const CAlphaBetaCorrelation* c : d.Get().mAlphaBetaCorrelationsList.mList) {
                auto copy = std::make_shared<CPyCorrelation>();
                copy->Get().mCorrelation.mName = c->mName;
                for (const CAlphaBetaRecordEx* record : c->mList) {
                    auto* fluid = new CAlphaBetaRecordEx();
                    fluid->CopyFrom(*record);
                    copy->Get().mCorrelation.Add(fluid);
                }
                correlations.push_back(copy);
            }
            return correlations;
        });
    AddFileMethods<CPyAlphaBetaPlot>(plot);

    m.def(
        "read",
        [](const py::object& pathArgument, std::optional<std::string> kind) -> py::object {
            const std::filesystem::path path = PathOf(pathArgument);
            cli::CFileKind k = cli::KindOfFile(path);
            if (kind) {
                const std::pair<const char*, cli::CFileKind> kinds[] = {
                    {"inc", cli::CFileKind::Inclusions},
                    {"abe", cli::CFileKind::Correlation},
                    {"flu", cli::CFileKind::FluidModel},
                    {"abp", cli::CFileKind::AlphaBetaPlot},
                    {"ptd", cli::CFileKind::PhaseDiagram}};
                k = cli::CFileKind::Unknown;
                for (const auto& [word, value] : kinds)
                    if (*kind == word) k = value;
                if (k == cli::CFileKind::Unknown)
                    throw cli::UsageError("read: kind must be inc, abe, flu, abp or ptd");
            }
            switch (k) {
            case cli::CFileKind::Inclusions:
                return py::cast(Open<CPyInclusions>(path));
            case cli::CFileKind::Correlation:
                return py::cast(Open<CPyCorrelation>(path));
            case cli::CFileKind::FluidModel:
                return py::cast(Open<CPyFluidModel>(path));
            case cli::CFileKind::AlphaBetaPlot:
                return py::cast(Open<CPyAlphaBetaPlot>(path));
            case cli::CFileKind::PhaseDiagram:
                return py::cast(Open<CPyPTDiagram>(path));
            case cli::CFileKind::Unknown:
                break;
            }
            throw cli::UsageError(
                path.string() +
                ": not a Zephon data file by its extension (.inc, .abe, .flu, .abp, .ptd); give "
                "kind");
        },
        py::arg("path"), py::kw_only(), py::arg("kind") = py::none(),
        "Reads a Zephon file into its document object (Inclusions, Correlation, FluidModel, AlphaBetaPlot or "
        "PTDiagram), the kind by the file's extension or kind ('inc', 'abe', 'flu', 'abp', 'ptd'). A file "
        "that cannot be read or is damaged raises FileError naming the line and column where reading "
        "stopped.");
}

} // namespace zephon::python
