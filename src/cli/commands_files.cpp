// SPDX-License-Identifier: BSD-3-Clause
// render, info and convert: commands on saved files.
#include <filesystem>
#include <functional>

#include "base/input_file.hpp"
#include "cli/cli_commands.hpp"
#include "cli/command_context.hpp"
#include "cli/data_files.hpp"
#include "cli/document_io.hpp"
#include "cli/plot_rendering.hpp"
#include "cli/standard_streams.hpp"
#include "data/inclusion_csv.hpp"
#include "documents/alpha_beta_plot_document.hpp"
#include "documents/data_documents.hpp"
#include "documents/phase_diag_document.hpp"

namespace zephon::cli {

namespace {

struct CInfoReport {
    CJsonWriter json;
    std::string text;
};

long CountOrZero(const CIsochorsList* list) {
    return list != nullptr ? list->Count() : 0;
}

void DescribeInclusions(CInclusionList& list, CInfoReport& report) {
    report.text += Printf("%ld inclusions\n", list.Count());
    report.json.Key("inclusions").BeginArray();
    for (const CInclusionRecordEx* inclusion : list.mInclusionData) {
        report.text +=
            Printf("  %-20s Th %8.2f C to %-6s Fv %6.2f %% at %6.2f C  CO2 %.3f N2 %.3f H2S %.3f  %ld "
                   "volume points\n",
                   inclusion->mInclusionName.c_str(), inclusion->mTh, inclusion->mHomog ? "liquid" : "vapour",
                   inclusion->mFv, inclusion->mTv, inclusion->mCO2, inclusion->mN2, inclusion->mH2S,
                   inclusion->mVolumeDataList.Count());
        report.json.BeginObject()
            .Field("name", inclusion->mInclusionName)
            .Field("Th", inclusion->mTh)
            .Field("homog", inclusion->mHomog ? "liquid" : "vapour")
            .Field("Fv", inclusion->mFv)
            .Field("Tv", inclusion->mTv)
            .Field("CO2", inclusion->mCO2)
            .Field("N2", inclusion->mN2)
            .Field("H2S", inclusion->mH2S)
            .Field("volume_points", inclusion->mVolumeDataList.Count())
            .EndObject();
    }
    report.json.EndArray();
}

void DescribeFluid(const CModelFluid& fluid, CInfoReport& report) {
    double total = 0;
    for (const CCompositionRecordEx* c : fluid.mList)
        total += c->mMolePercent;
    report.text += Printf("fluid model \"%s\": %ld components, %.4f mole %% in all\n", fluid.mName.c_str(),
                          fluid.Count(), total);
    report.json.Field("name", fluid.mName)
        .Field("components", fluid.Count())
        .Field("total_mole_percent", total);
}

void DescribeCorrelation(const CAlphaBetaCorrelation& correlation, CInfoReport& report) {
    report.text +=
        Printf("correlation \"%s\": %ld fluids\n", correlation.mName.c_str(), correlation.mList.Count());
    for (const CAlphaBetaRecordEx* fluid : correlation.mList)
        report.text +=
            Printf("  %-20s alpha %.6f beta %.6f\n", fluid->mName.c_str(), fluid->mAlpha, fluid->mBeta);
    report.json.Field("name", correlation.mName).Field("fluids", correlation.mList.Count());
}

void DescribeAlphaBetaPlot(CAlphaBetaPlotDocument& plot, CInfoReport& report) {
    report.text += Printf("%ld alpha-beta curves, %ld fluid markers, %ld correlations\n",
                          plot.mAlphaBetaCurvesList.Count(), plot.mAlphaBetaPointsList.Count(),
                          plot.mAlphaBetaCorrelationsList.Count());
    report.json.Key("curves").BeginArray();
    for (const CAlphaBetaCurve* curve : plot.mAlphaBetaCurvesList.mList) {
        report.text += Printf("  curve %-20s %ld points\n", curve->mInclusion.mInclusionName.c_str(),
                              curve->mCurve.Count());
        report.json.BeginObject()
            .Field("inclusion", curve->mInclusion.mInclusionName)
            .Field("points", curve->mCurve.Count())
            .EndObject();
    }
    report.json.EndArray().Key("markers").BeginArray();
    for (const CAlphaBetaPoint* point : plot.mAlphaBetaPointsList.mList) {
        report.text +=
            Printf("  marker %-20s alpha %.6f beta %.6f\n", point->mAlphaBetaRecordEx.mName.c_str(),
                   point->mAlphaBetaRecordEx.mAlpha, point->mAlphaBetaRecordEx.mBeta);
        report.json.Value(point->mAlphaBetaRecordEx.mName);
    }
    report.json.EndArray().Field("correlations", plot.mAlphaBetaCorrelationsList.Count());
}

void DescribePhaseDiagrams(CPhaseDiagDocument& file, CInfoReport& report) {
    report.text += Printf("%ld phase diagrams, %zu volume-temperature plots\n",
                          file.mPhaseDiagramsList.Count(), file.GetVTPlots().size());
    report.json.Key("diagrams").BeginArray();
    for (const CPhaseDiagram* diagram : file.mPhaseDiagramsList.mList) {
        const long liquid = diagram->mLiquidIsopleth ? diagram->mLiquidIsopleth->mList.Count() : 0;
        const long vapour = diagram->mVapourIsopleth ? diagram->mVapourIsopleth->mList.Count() : 0;
        long traps = 0;
        if (diagram->mMonoIsochorsList) {
            for (const CIsochor* isochor : diagram->mMonoIsochorsList->mList)
                traps += isochor->mTrappingLines ? isochor->mTrappingLines->Count() : 0;
        }
        const char* model = diagram->mThermoModel.mModelType == 1   ? "alpha-beta"
                            : diagram->mThermoModel.mModelType == 2 ? "fluid model"
                                                                    : "none";
        report.text += Printf(
            "  %-24s %s model; envelope %ld + %ld points; %ld biphasic and %ld monophasic "
            "isochores; %ld trapping lines; GOR %.2f API %.2f\n",
            diagram->mName.c_str(), model, liquid, vapour, CountOrZero(diagram->mBiphIsochorsList.get()),
            CountOrZero(diagram->mMonoIsochorsList.get()), traps, diagram->mGOR, diagram->mAPI);
        report.json.BeginObject()
            .Field("name", diagram->mName)
            .Field("model", model)
            .Field("liquid_points", liquid)
            .Field("vapour_points", vapour)
            .Field("biphasic_isochores", CountOrZero(diagram->mBiphIsochorsList.get()))
            .Field("monophasic_isochores", CountOrZero(diagram->mMonoIsochorsList.get()))
            .Field("trapping_lines", traps)
            .Field("GOR", diagram->mGOR)
            .Field("API", diagram->mAPI)
            .EndObject();
    }
    report.json.EndArray().Field("volume_plots", static_cast<long>(file.GetVTPlots().size()));
    // Coeval aqueous inclusions, where the file has them.
    if (file.mAqueousIsochorsList.Count() == 0) return;
    report.json.Key("aqueous_isochores").BeginArray();
    for (const CAqueousIsochor* aqueous : file.mAqueousIsochorsList.mList) {
        report.text += Printf("  %-24s aqueous isochore, %.2f wt%% NaCl eq.; %ld crossings\n",
                              aqueous->mName.c_str(), aqueous->mSalinity, aqueous->mCrossings.Count());
        report.json.BeginObject().Field("name", aqueous->mName).Field("salinity_wt_pct", aqueous->mSalinity);
        report.json.Key("crossings").BeginArray();
        for (const CAqueousCrossing* crossing : aqueous->mCrossings) {
            report.text += Printf("    with %s: %.3f C, %.2f bar\n", crossing->mOilIsochorName.c_str(),
                                  crossing->mT, crossing->mP);
            report.json.BeginObject()
                .Field("oil_isochore", crossing->mOilIsochorName)
                .Field("T", crossing->mT)
                .Field("P", crossing->mP)
                .EndObject();
        }
        report.json.EndArray().EndObject();
    }
    report.json.EndArray();
}

// Opens the file into the document leniently (a damaged file opens with what could be read).
void OpenForInfo(CWDocument& document, const std::string& path, CTerminalServices& services) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) throw UsageError(path + ": no such file");
    // A folder, a FIFO, a device or a file beyond the size limit: refused by its reason, never read.
    if (const std::string problem = CheckInputFile(path); !problem.empty())
        throw UsageError(path + ": " + problem);
    const bool wasQuiet = services.SetQuiet(true);
    const bool opened = document.OnOpenDocument(path);
    services.SetQuiet(wasQuiet);
    if (!opened) throw UsageError(path + ": " + OpenFailureOf(document, "cannot be opened"));
}

bool IsCsv(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".csv";
}

long CountMeasurements(const CInclusionList& list) {
    long count = 0;
    for (const CInclusionRecordEx* inclusion : list.mInclusionData)
        count += inclusion->mVolumeDataList.Count();
    return count;
}

// How many values and names an inclusion data file does not keep as they are (it writes fixed
// decimals and reads "_" in names as a blank): the list is written and read back.
long CountChangedBySaving(CInclusionDataDocument& document) {
    auto stream = CDataHandleStream::FromText(document.SaveToText());
    CInclusionList back;
    back.Read(stream);
    long changed = 0;
    auto a = document.mInclusionList.mInclusionData.begin();
    for (const CInclusionRecordEx* b : back.mInclusionData) {
        const CInclusionRecordEx& original = **a++;
        changed += (original.mInclusionName != b->mInclusionName) + (original.mTh != b->mTh) +
                   (original.mFv != b->mFv) + (original.mTv != b->mTv) + (original.mCO2 != b->mCO2) +
                   (original.mN2 != b->mN2) + (original.mH2S != b->mH2S);
        auto v = original.mVolumeDataList.mList.begin();
        for (const CVolumeRecord* w : b->mVolumeDataList.mList) {
            changed += ((*v)->mT != w->mT) + ((*v)->mVolume != w->mVolume);
            ++v;
        }
    }
    return changed;
}

std::string InputName(const std::string& path) {
    return IsStandardStream(path) ? "standard input" : path;
}

// The formats of convert's two files: each by its extension, "-" the other one of the pair (both
// "-": standard input's by --kind). True for inclusion data into CSV, false for the reverse.
bool ConvertsToCsv(const CCommandLine& line, const std::string& in, const std::string& out) {
    enum class Format { Inclusions, Csv, Unknown };
    auto byName = [](const std::string& path) {
        if (IsCsv(path)) return Format::Csv;
        return KindOfFile(path) == CFileKind::Inclusions ? Format::Inclusions : Format::Unknown;
    };
    auto other = [](Format format) {
        return format == Format::Csv          ? Format::Inclusions
               : format == Format::Inclusions ? Format::Csv
                                              : Format::Unknown;
    };
    const auto kind = line.Text("--kind");
    if (kind && !IsStandardStream(in)) throw UsageError("convert: --kind is for standard input (-) only");
    Format from = Format::Unknown, to = Format::Unknown;
    if (!IsStandardStream(in)) {
        from = byName(in);
        to = IsStandardStream(out) ? other(from) : byName(out);
    } else if (kind) {
        from = *kind == "inc" ? Format::Inclusions : *kind == "csv" ? Format::Csv : Format::Unknown;
        if (from == Format::Unknown)
            throw UsageError("convert: --kind takes inc or csv, not \"" + *kind + "\"");
        to = IsStandardStream(out) ? other(from) : byName(out);
    } else if (!IsStandardStream(out)) {
        to = byName(out);
        from = other(to);
    } else {
        throw UsageError("convert: from standard input to standard output, give what the input is with "
                         "--kind inc or --kind csv");
    }
    if (from == Format::Unknown || to == Format::Unknown || from == to)
        throw UsageError("convert turns inclusion data (.inc) into CSV (.csv) and CSV into inclusion data");
    return from == Format::Inclusions;
}

} // namespace

int RunConvert(const std::vector<std::string>& arguments, CCommandContext& context) {
    COptionSpec spec;
    spec.values = {"--kind"};
    spec.maxPositional = 2;
    const CCommandLine line("convert", arguments, spec);
    if (line.Positional().size() != 2) throw UsageError("convert: which files? (zephon-cli convert IN OUT)");
    const std::string& in = line.Positional()[0];
    const std::string& out = line.Positional()[1];
    const bool toCsv = ConvertsToCsv(line, in, out);
    std::error_code ec;
    if (!IsStandardStream(in) && !IsStandardStream(out) && std::filesystem::equivalent(in, out, ec))
        throw UsageError(out + ": is the file to convert");

    CTerminalServices& services = context.services;
    CInclusionDataDocument document(services);
    if (toCsv) {
        if (IsStandardStream(in)) {
            OpenTextStrictly(document, ReadStandardInput(context), InputName(in), services);
        } else {
            OpenDocumentStrictly(document, in, services);
        }
        std::vector<const CInclusionRecordEx*> inclusions(document.mInclusionList.mInclusionData.begin(),
                                                          document.mInclusionList.mInclusionData.end());
        WriteTextOutput(context, line, out, WriteInclusionsCsv(inclusions));
    } else {
        std::string text, error;
        if (IsStandardStream(in)) {
            text = ReadStandardInput(context);
        } else {
            if (!std::filesystem::exists(in, ec)) throw UsageError(in + ": no such file");
            if (!ReadWholeFile(in, text, error)) throw UsageError(in + ": cannot be read (" + error + ")");
        }
        std::vector<std::unique_ptr<CInclusionRecordEx>> inclusions;
        CTextProblem problem;
        if (!ReadInclusionsCsv(text, true, inclusions, problem))
            throw UsageError(InputName(in) + ": " + problem.Text());
        for (auto& inclusion : inclusions)
            document.mInclusionList.Add(inclusion.release());
        WriteDocumentOutput(context, line, document, out);
        if (const long changed = CountChangedBySaving(document))
            context.err << Printf(
                "zephon-cli convert: note: %ld values or names of %s are not kept as they are: "
                "an inclusion data file keeps 2 decimals of temperatures and %% gas, 3 of "
                "gas contents, and reads \"_\" in names as a blank\n",
                changed, InputName(in).c_str());
    }
    context.out << Printf("converted %ld inclusions with %ld bubble-volume measurements from %s into %s\n",
                          document.mInclusionList.Count(), CountMeasurements(document.mInclusionList),
                          in.c_str(), out.c_str());
    return kExitSuccess;
}

int RunInfo(const std::vector<std::string>& arguments, CCommandContext& context) {
    COptionSpec spec;
    spec.flags = {"--json"};
    spec.values = {"--kind"};
    spec.maxPositional = 1;
    const CCommandLine line("info", arguments, spec);
    if (line.Positional().empty()) throw UsageError("info: which file? (zephon-cli info FILE)");
    const std::string path = line.Positional().front();
    const CFileKind kind = KindOfInput(line, path);
    if (kind == CFileKind::Unknown)
        throw UsageError(path + ": not a Zephon data file (expected .inc, .abe, .flu, .abp or .ptd)");

    CTerminalServices& services = context.services;
    std::unique_ptr<CWDocument> document;
    std::function<void(CInfoReport&)> describe;
    switch (kind) {
    case CFileKind::Inclusions: {
        auto d = std::make_unique<CInclusionDataDocument>(services);
        describe = [d = d.get()](CInfoReport& r) { DescribeInclusions(d->mInclusionList, r); };
        document = std::move(d);
        break;
    }
    case CFileKind::FluidModel: {
        auto d = std::make_unique<CFluidModelDataDocument>(services);
        describe = [d = d.get()](CInfoReport& r) { DescribeFluid(d->mModelFluid, r); };
        document = std::move(d);
        break;
    }
    case CFileKind::Correlation: {
        auto d = std::make_unique<CAlphaBetaDataDocument>(services);
        describe = [d = d.get()](CInfoReport& r) { DescribeCorrelation(d->mCorrelation, r); };
        document = std::move(d);
        break;
    }
    case CFileKind::AlphaBetaPlot: {
        auto d = std::make_unique<CAlphaBetaPlotDocument>(services);
        describe = [d = d.get()](CInfoReport& r) { DescribeAlphaBetaPlot(*d, r); };
        document = std::move(d);
        break;
    }
    case CFileKind::PhaseDiagram: {
        auto d = std::make_unique<CPhaseDiagDocument>(services);
        describe = [d = d.get()](CInfoReport& r) { DescribePhaseDiagrams(*d, r); };
        document = std::move(d);
        break;
    }
    case CFileKind::Unknown:
        break;
    }
    if (IsStandardStream(path)) {
        const bool wasQuiet = services.SetQuiet(true);
        const bool opened = document->OnOpenText(ReadStandardInput(context), path);
        services.SetQuiet(wasQuiet);
        if (!opened) throw UsageError("standard input: " + OpenFailureOf(*document, "cannot be read"));
    } else {
        OpenForInfo(*document, path, services);
    }
    const bool complete = !document->WasOpenedDamaged();
    const CReadStop& stop = document->GetReadStop();

    CInfoReport report;
    report.json.BeginObject()
        .Field("file", path)
        .Field("kind", DescribeKind(kind))
        .Field("complete", complete);
    report.json.Key("line");
    complete ? report.json.Null() : report.json.Value(stop.line);
    report.text = path + ": " + DescribeKind(kind) + " file\n";
    if (complete) {
        report.text += "read to its end\n";
    } else {
        report.text += Printf("NOT read to its end: reading stopped at line %ld%s; what precedes it:\n",
                              stop.line, stop.atEnd ? " (the file ends too early)" : "");
    }
    describe(report);
    report.json.EndObject();
    if (line.Has("--json")) {
        PrintJson(context.out, report.json);
    } else {
        context.out << report.text;
    }
    if (!complete)
        throw UsageError(path + ": line " + std::to_string(stop.line) +
                         ": the file cannot be read to its end");
    return kExitSuccess;
}

int RunRender(const std::vector<std::string>& arguments, CCommandContext& context) {
    COptionSpec spec;
    spec.values = {"--svg", "--kind"};
    spec.maxPositional = 1;
    const CCommandLine line("render", arguments, spec);
    if (line.Positional().empty())
        throw UsageError("render: which file? (zephon-cli render F.abp|F.ptd --svg F.svg)");
    const std::string path = line.Positional().front();
    const std::string svg = line.RequiredText("--svg");
    const CFileKind kind = KindOfInput(line, path);
    auto open = [&](CWDocument& document) {
        if (IsStandardStream(path)) {
            OpenTextStrictly(document, ReadStandardInput(context), InputName(path), context.services);
        } else {
            OpenDocumentStrictly(document, path, context.services);
        }
    };
    std::string picture;
    switch (kind) {
    case CFileKind::AlphaBetaPlot: {
        CAlphaBetaPlotDocument plot(context.services);
        open(plot);
        picture = RenderView(plot.GetPlotView());
        break;
    }
    case CFileKind::PhaseDiagram: {
        CPhaseDiagDocument diagram(context.services);
        open(diagram);
        picture = RenderView(diagram.GetPlotView());
        break;
    }
    default:
        throw UsageError(path + ": render draws alpha-beta plots (.abp) and P-T diagrams (.ptd)");
    }
    WriteTextOutput(context, line, svg, picture);
    context.out << "drew " << path << " into " << svg << '\n';
    return kExitSuccess;
}

} // namespace zephon::cli
