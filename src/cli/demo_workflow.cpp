// SPDX-License-Identifier: BSD-3-Clause
#include "cli/demo_workflow.hpp"

#include <algorithm>
#include <cmath>
#include <thread>

#include "cli/alpha_beta_curves.hpp"
#include "cli/cli_commands.hpp"
#include "cli/command_context.hpp"
#include "cli/data_files.hpp"
#include "cli/document_io.hpp"
#include "cli/fluid_calculations.hpp"
#include "cli/plot_rendering.hpp"
#include "cli/terminal_services.hpp"
#include "data/alpha_beta_crossings.hpp"
#include "documents/alpha_beta_plot_document.hpp"
#include "documents/data_documents.hpp"
#include "documents/phase_diag_document.hpp"

namespace zephon::cli {

namespace fs = std::filesystem;

namespace {

struct ExampleInclusion {
    const char* name;
    double th, fv, tv;
    int homog;
    double co2, n2, h2s;
    std::vector<std::pair<double, double>> volumes; // T (C), bubble volume %
};

// Four inclusions of one oil (alpha 0.82, beta 0.20, 1 % CO2) trapped at rising temperatures, and
// one of a heavier oil. Bubble sizes measured on a heating stage from room temperature up.
const std::vector<ExampleInclusion>& ExampleInclusions() {
    static const std::vector<ExampleInclusion> inclusions = {
        {"FI-1", 74.6, 9.04, 20.0, 1, 1.0, 0.0, 0.0, {{20, 9.04}, {35, 7.05}, {50, 4.73}, {65, 2.00}}},
        {"FI-2",
         89.3,
         11.67,
         20.0,
         1,
         1.0,
         0.0,
         0.0,
         {{20, 11.67}, {35, 9.82}, {50, 7.67}, {65, 5.12}, {80, 2.14}}},
        {"FI-3",
         104.8,
         14.56,
         20.0,
         1,
         1.0,
         0.0,
         0.0,
         {{20, 14.56}, {35, 12.86}, {50, 10.87}, {65, 8.54}, {80, 5.78}, {95, 2.52}}},
        {"FI-4",
         119.5,
         17.42,
         20.0,
         1,
         1.0,
         0.0,
         0.0,
         {{20, 17.42}, {35, 15.84}, {50, 14.00}, {65, 11.85}, {80, 9.35}, {95, 6.33}, {110, 2.73}}},
        {"FI-5 heavy", 67.4, 5.57, 20.0, 1, 0.5, 0.0, 0.0, {{20, 5.57}, {35, 4.04}, {50, 2.31}}},
    };
    return inclusions;
}

struct ExampleWell {
    const char* name;
    double alpha, beta, co2;
};

const std::vector<ExampleWell>& ExampleWells() {
    static const std::vector<ExampleWell> wells = {
        {"Well A-2", 0.78, 0.14, 1.2},
        {"Well B-1", 0.82, 0.21, 1.0},
        {"Well C-4", 0.86, 0.29, 0.8},
        {"Well D-1", 0.90, 0.37, 0.5},
    };
    return wells;
}

// Bubble volume % of a biphasic isochore at T, interpolated between its points; NaN outside.
double BubbleVolumeAt(const CIsochor& isochor, double t) {
    const CIsochorPoint* previous = nullptr;
    for (const CIsochorPoint* point : isochor.mList) {
        if (previous != nullptr &&
            ((previous->mT >= t && t >= point->mT) || (previous->mT <= t && t <= point->mT))) {
            if (previous->mT == point->mT) return point->mV;
            const double s = (t - previous->mT) / (point->mT - previous->mT);
            return previous->mV + s * (point->mV - previous->mV);
        }
        previous = point;
    }
    return std::nan("");
}

// The files are written together once the whole workflow has succeeded.
void Save(CWDocument& document, const fs::path& path, CDemoResult& result) {
    CWDocument::CSaveText saved = document.SaveToTextFor(path);
    result.outputs.Add(path.string(), std::move(saved.text), std::move(saved.warning));
    result.files.push_back(path);
}

void SavePicture(const std::string& svg, const fs::path& path, CDemoResult& result) {
    result.outputs.Add(path.string(), svg);
    result.files.push_back(path);
}

} // namespace

void MakeExampleInclusions(CInclusionList& list) {
    for (const ExampleInclusion& example : ExampleInclusions()) {
        auto inclusion = std::make_unique<CInclusionRecordEx>();
        inclusion->mInclusionName = example.name;
        inclusion->mTh = example.th;
        inclusion->mFv = example.fv;
        inclusion->mTv = example.tv;
        inclusion->mHomog = example.homog;
        inclusion->mCO2 = example.co2;
        inclusion->mN2 = example.n2;
        inclusion->mH2S = example.h2s;
        for (const auto& [t, volume] : example.volumes)
            inclusion->mVolumeDataList.Add(new CVolumeRecord(t, volume));
        list.Add(inclusion.release());
    }
}

void MakeExampleCorrelation(CAlphaBetaCorrelation& correlation) {
    correlation.mName = "Basin oils";
    correlation.mPointFormat = CPointFormat(3, zephon::plot::MakeColor(0, 0, 255), 3);
    for (const ExampleWell& well : ExampleWells()) {
        auto fluid = std::make_unique<CAlphaBetaRecordEx>();
        fluid->mName = well.name;
        fluid->mAlpha = well.alpha;
        fluid->mBeta = well.beta;
        auto composition = CalculateComposition(well.alpha, well.beta, well.co2, 0, 0);
        for (const CCompositionRecordEx* component : composition->mList)
            fluid->mCompositionList.Add(
                new CCompositionRecord(component->mComponentName, component->mMolePercent));
        fluid->mCO2 = well.co2;
        correlation.Add(fluid.release());
    }
}

CDemoResult RunDemoWorkflow(const fs::path& folder, CTerminalServices& services, int jobs) {
    CDemoResult result;
    // The folder is made only when the files are written; a name taken by something else is refused
    // before hours of work.
    std::error_code ec;
    if (fs::exists(folder, ec) && !fs::is_directory(folder, ec))
        throw UsageError(folder.string() + ": cannot create the folder (a file of that name exists)");
    auto& summary = result.summary;
    summary.push_back("Zephon demonstration in " + folder.string());

    // 1. The inclusions and the correlation, as data documents.
    CInclusionDataDocument inclusions(services);
    MakeExampleInclusions(inclusions.mInclusionList);
    Save(inclusions, folder / "inclusions.inc", result);
    long measurements = 0;
    std::vector<CInclusionRecord> records;
    for (const CInclusionRecordEx* inclusion : inclusions.mInclusionList.mInclusionData) {
        measurements += inclusion->mVolumeDataList.Count();
        CInclusionRecord copy;
        copy.CopyFieldsFrom(*inclusion);
        records.push_back(copy);
    }
    summary.push_back(Printf("  inclusions.inc     %zu oil inclusions, %ld bubble-volume measurements",
                             records.size(), measurements));
    CAlphaBetaDataDocument correlation(services);
    MakeExampleCorrelation(correlation.mCorrelation);
    Save(correlation, folder / "correlation.abe", result);
    summary.push_back(Printf("  correlation.abe    \"%s\": %ld produced oils",
                             correlation.mCorrelation.mName.c_str(), correlation.mCorrelation.mList.Count()));

    // 2. The alpha-beta curves of every inclusion with the correlation, and a marker where the
    // curves of the family cross: the oil they were trapped from.
    const std::size_t total = records.size();
    const auto curves = TraceAlphaBetaCurves(records, jobs, [&](std::size_t done, std::size_t points) {
        services.Progress(Printf("demo: alpha-beta curves %zu of %zu, %zu points", done, total, points));
    });
    services.EndProgress();
    if (StopRequested()) throw CalculationError("stopped by Ctrl-C");
    CAlphaBetaPlotDocument plot(services);
    plot.SetTitle("alpha_beta");
    std::string curveCounts;
    for (const CCurveResult& curve : curves) {
        if (!curveCounts.empty()) curveCounts += ", ";
        curveCounts += curve.inclusion.mInclusionName + " " +
                       (curve.HasCurve() ? std::to_string(curve.points.size()) : std::string("no curve"));
        if (curve.HasCurve()) AddCurveToPlot(plot, curve);
    }
    // The correlation is plotted from the very text its file receives.
    if (plot.PlotAlphaBetaCorrelationText(correlation.SaveToText(), "correlation.abe") == nullptr)
        throw UsageError((folder / "correlation.abe").string() + ": cannot be read back");

    // The first crossing of the first pair of curves that cross.
    const CAlphaBetaCurve* crossingA = nullptr;
    const CAlphaBetaCurve* crossingB = nullptr;
    double alpha = 0, beta = 0;
    const auto& stored = plot.mAlphaBetaCurvesList.mList;
    const std::vector<const CAlphaBetaCurve*> curveList(stored.begin(), stored.end());
    if (const auto crossings = FindCurveCrossings(curveList); !crossings.empty()) {
        crossingA = crossings.front().first;
        crossingB = crossings.front().second;
        alpha = crossings.front().alpha;
        beta = crossings.front().beta;
    } else {
        // Without a crossing, the middle of the first curve stands for the oil.
        const CAlphaBetaCurve* first = stored.First();
        if (first == nullptr) throw CalculationError("no alpha-beta curve could be computed for the example");
        const CAlphaBetaRecord* middle = first->mCurve.At(first->mCurve.Count() / 2);
        alpha = middle->mAlpha, beta = middle->mBeta;
    }
    const CInclusionRecord& reference = crossingA != nullptr ? crossingA->mInclusion : records.front();
    plot.AddAlphaBetaPoint(alpha, beta, reference.mCO2, reference.mN2, reference.mH2S,
                           Printf("Trapped oil %.3f %.3f", alpha, beta));
    // Background curves of equal GOR and API gravity behind the picture (never saved in the plot).
    const bool wasQuiet = services.SetQuiet(true);
    plot.ShowIsoGORCurves();
    plot.ShowIsoAPICurves();
    services.SetQuiet(wasQuiet);
    Save(plot, folder / "alpha_beta.abp", result);
    SavePicture(RenderView(plot.GetPlotView()), folder / "alpha_beta.svg", result);
    summary.push_back(Printf("  alpha_beta.abp     %ld alpha-beta curves (points: %s)",
                             plot.mAlphaBetaCurvesList.Count(), curveCounts.c_str()));
    if (crossingA != nullptr) {
        summary.push_back(
            Printf("                     the curves of %s and %s cross at alpha %.3f, beta %.3f: "
                   "the oil they trapped (marker)",
                   crossingA->mInclusion.mInclusionName.c_str(), crossingB->mInclusion.mInclusionName.c_str(),
                   alpha, beta));
    } else {
        summary.push_back(Printf(
            "                     no two curves cross; marker on the first curve at alpha %.3f, beta %.3f",
            alpha, beta));
    }

    if (!plot.GetIsoGORCurves().empty() || !plot.GetIsoAPICurves().empty())
        summary.push_back(
            Printf("  alpha_beta.svg     the curves over %zu iso-GOR and %zu iso-API background curves",
                   plot.GetIsoGORCurves().size(), plot.GetIsoAPICurves().size()));

    // 3. The fluid model of the marker.
    CFluidModelDataDocument* fluid = plot.GenerateFluidModel(alpha, beta, reference.mCO2 / 100.0,
                                                             reference.mN2 / 100.0, reference.mH2S / 100.0);
    if (fluid == nullptr) throw CalculationError("no fluid model could be made for the marker");
    Save(*fluid, folder / "fluid_model.flu", result);

    // 4. Its phase envelope, the isochore pairs of the inclusions it reproduces, a trapping line and
    // the bubble sizes against temperature.
    CPhaseDiagDocument diagrams(services);
    diagrams.SetTitle("phase_diagram");
    CPhaseDiagram* diagram = diagrams.CalculateImmiscibilityLoop(0, 0, 0, 0, 0, 0, &fluid->mModelFluid, "");
    if (diagram == nullptr)
        throw CalculationError("no phase envelope for the fluid model of the demonstration");
    summary.push_back(Printf("  fluid_model.flu    %s: %ld components, GOR %.0f, API %.1f",
                             fluid->mModelFluid.mName.c_str(), fluid->mModelFluid.Count(), diagram->mGOR,
                             diagram->mAPI));
    const long liquidPoints = diagram->mLiquidIsopleth ? diagram->mLiquidIsopleth->mList.Count() : 0;
    const long vapourPoints = diagram->mVapourIsopleth ? diagram->mVapourIsopleth->mList.Count() : 0;
    std::string envelopeLine =
        Printf("  phase_diagram.ptd  envelope of %ld bubble and %ld dew points", liquidPoints, vapourPoints);
    if (diagram->mLiquidIsopleth && diagram->mVapourIsopleth && diagram->mCriticalPoint != nullptr) {
        const CIsoplethPoint* last = diagram->mLiquidIsopleth->mList.Last();
        envelopeLine += Printf(", critical point near %.0f C, %.0f bar", last->mT, last->mP);
    }
    summary.push_back(envelopeLine);

    CVolumePlotView* volumePlot = diagrams.DisplayNewVTPlot();
    int pairs = 0;
    double worstDeviation = 0;
    CIsochor* firstMonophasic = nullptr;
    double firstTh = 0;
    for (const CInclusionRecordEx* inclusion : inclusions.mInclusionList.mInclusionData) {
        // Only the inclusions of the oil the fluid model stands for.
        if (inclusion->mCO2 != reference.mCO2) continue;
        double density = 0, volume = 0;
        CIsochor* monophasic = nullptr;
        if (diagrams.CalculateIsochor(diagram, inclusion->mTh, inclusion->mHomog, density, volume,
                                      &monophasic) != 0 ||
            monophasic == nullptr)
            continue;
        ++pairs;
        const CIsochor* biphasic = diagram->mBiphIsochorsList->mList.Last();
        if (firstMonophasic == nullptr) firstMonophasic = monophasic, firstTh = inclusion->mTh;
        volumePlot->AddInclusion(*inclusion);
        volumePlot->AddIsochor(*biphasic);
        for (const CVolumeRecord* measured : inclusion->mVolumeDataList.mList) {
            const double computed = BubbleVolumeAt(*biphasic, measured->mT);
            if (std::isfinite(computed))
                worstDeviation = std::max(worstDeviation, std::fabs(computed - measured->mVolume));
        }
    }
    summary.push_back(
        Printf("                     %d isochore pairs through the Th of the inclusions of that oil", pairs));
    if (firstMonophasic != nullptr) {
        const double thaq = firstTh + 45.0;
        if (firstMonophasic->GetPressure(thaq) > 0) {
            const CTrappingLine* trap = diagrams.AddTrappingLineTo(firstMonophasic, thaq);
            if (trap != nullptr)
                summary.push_back(Printf("                     trapping line: an aqueous Th of %.1f C on the "
                                         "isochore of Th %.1f C gives %.0f bar",
                                         thaq, firstTh, trap->mPtrap));
        }
    }
    Save(diagrams, folder / "phase_diagram.ptd", result);
    SavePicture(RenderView(diagrams.GetPlotView()), folder / "phase_diagram.svg", result);
    SavePicture(RenderView(*volumePlot), folder / "bubble_size.svg", result);
    summary.push_back(
        Printf("  bubble_size.svg    measured bubble sizes against the isochores: largest difference "
               "%.2f volume %%",
               worstDeviation));
    summary.push_back(
        Printf("  %zu files written; open the .svg pictures in a browser", result.files.size()));
    return result;
}

int RunDemo(const std::vector<std::string>& arguments, CCommandContext& context) {
    COptionSpec spec;
    spec.values = {"--out", "--jobs"};
    const CCommandLine line("demo", arguments, spec);
    const fs::path folder = line.Text("--out").value_or("zephon-demo");
    if (folder == "-") throw UsageError("demo: --out names a folder; its files cannot go to standard output");
    const unsigned hardware = std::max(1u, std::thread::hardware_concurrency());
    const int jobs = static_cast<int>(line.Integer("--jobs", 1, 256).value_or(std::min(hardware, 4u)));
    CDemoResult result = RunDemoWorkflow(folder, context.services, jobs);
    // The folder is made now, when everything it will hold has been made.
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder)) throw UsageError(folder.string() + ": cannot create the folder");
    result.outputs.Commit(context.standardOutput, context.services);
    for (const std::string& text : result.summary)
        context.out << text << '\n';
    return kExitSuccess;
}

} // namespace zephon::cli
