// SPDX-License-Identifier: BSD-3-Clause
// abcurve: alpha-beta curves of one inclusion or of every inclusion of a file; crossings: where the
// curves of a saved alpha-beta plot cross.
#include <algorithm>
#include <cmath>
#include <utility>

#include "cli/alpha_beta_curves.hpp"
#include "cli/cli_commands.hpp"
#include "cli/command_context.hpp"
#include "cli/data_files.hpp"
#include "cli/document_io.hpp"
#include "cli/fluid_calculations.hpp"
#include "cli/plot_rendering.hpp"
#include "cli/standard_streams.hpp"
#include "data/alpha_beta_crossings.hpp"
#include "documents/alpha_beta_plot_document.hpp"

namespace zephon::cli {

namespace {

constexpr long kMaxJobs = 256;

std::vector<CInclusionRecord> InclusionsFromOptions(const CCommandLine& line, CTerminalServices& services) {
    std::vector<CInclusionRecord> inclusions;
    const bool fromFile = line.Has("--inc");
    const bool fromValues = line.Has("--th") || line.Has("--fv") || line.Has("--tfv") ||
                            line.Has("--liquid") || line.Has("--vapour") || line.Has("--co2") ||
                            line.Has("--n2") || line.Has("--h2s");
    if (fromFile == fromValues)
        throw UsageError("abcurve: give either --inc FILE.inc [--inclusion NAME] or --th T --fv PCT --tfv T "
                         "(--liquid|--vapour) [gases]");
    if (line.Has("--inclusion") && !fromFile) throw UsageError("abcurve: --inclusion needs --inc FILE.inc");
    if (fromFile) {
        const std::string path = line.RequiredText("--inc");
        auto document = OpenInclusions(path, services);
        const auto wanted = line.Text("--inclusion");
        for (const CInclusionRecordEx* inclusion : document->mInclusionList.mInclusionData) {
            if (wanted && inclusion->mInclusionName != *wanted) continue;
            CInclusionRecord copy;
            copy.CopyFieldsFrom(*inclusion);
            inclusions.push_back(copy);
        }
        if (wanted && inclusions.empty()) throw UsageError(path + ": no inclusion named \"" + *wanted + "\"");
        if (inclusions.empty()) throw UsageError(path + ": the file holds no inclusions");
        return inclusions;
    }
    CInclusionRecord inclusion;
    inclusion.mInclusionName = "Inclusion";
    inclusion.mTh = line.RequiredNumber("--th");
    inclusion.mFv = line.RequiredNumber("--fv");
    inclusion.mTv = line.RequiredNumber("--tfv");
    inclusion.mHomog = line.EitherFlag("--liquid", "--vapour") ? 1 : 0;
    inclusion.mCO2 = line.NumberOr("--co2", 0);
    inclusion.mN2 = line.NumberOr("--n2", 0);
    inclusion.mH2S = line.NumberOr("--h2s", 0);
    inclusions.push_back(inclusion);
    return inclusions;
}

// Values the engine cannot start from are refused before any calculation.
void CheckInclusion(const CInclusionRecord& inclusion) {
    const std::string name = "inclusion \"" + inclusion.mInclusionName + "\": ";
    // A value that is not a number is named as such, before any range is looked at.
    const std::pair<const char*, double> values[] = {{"Th", inclusion.mTh}, {"Tv", inclusion.mTv},
                                                     {"Fv", inclusion.mFv}, {"CO2", inclusion.mCO2},
                                                     {"N2", inclusion.mN2}, {"H2S", inclusion.mH2S}};
    for (const auto& [label, value] : values)
        if (!std::isfinite(value)) throw UsageError(name + label + " is not a number");
    if (!(inclusion.mTh > -273.15 && inclusion.mTh < 2000) ||
        !(inclusion.mTv > -273.15 && inclusion.mTv < 2000))
        throw UsageError(name + "temperatures must be degrees Celsius above -273.15");
    if (!(inclusion.mFv > 0 && inclusion.mFv < 100))
        throw UsageError(name + "the bubble volume must be a percentage between 0 and 100");
    for (double gas : {inclusion.mCO2, inclusion.mN2, inclusion.mH2S})
        if (!(gas >= 0 && gas < 100)) throw UsageError(name + "gas contents are mole percents from 0 to 100");
    if (inclusion.mCO2 + inclusion.mN2 + inclusion.mH2S >= 100)
        throw UsageError(name + "the gas contents add up to 100 % or more");
}

} // namespace

int RunAbcurve(const std::vector<std::string>& arguments, CCommandContext& context) {
    COptionSpec spec;
    spec.flags = {"--json", "--liquid", "--vapour"};
    spec.values = {"--inc", "--inclusion", "--th",   "--fv",  "--tfv", "--co2",
                   "--n2",  "--h2s",       "--jobs", "--out", "--svg"};
    const CCommandLine line("abcurve", arguments, spec);
    const std::vector<CInclusionRecord> inclusions = InclusionsFromOptions(line, context.services);
    for (const CInclusionRecord& inclusion : inclusions)
        CheckInclusion(inclusion);
    const int jobs = static_cast<int>(line.Integer("--jobs", 1, kMaxJobs).value_or(1));

    const std::size_t total = inclusions.size();
    const auto results = TraceAlphaBetaCurves(inclusions, jobs, [&](std::size_t done, std::size_t points) {
        context.services.Progress(Printf("abcurve: %zu of %zu curves, %zu points", done, total, points));
    });
    context.services.EndProgress();
    const bool stopped =
        StopRequested() || results.size() < total ||
        std::any_of(results.begin(), results.end(), [](const auto& r) { return r.interrupted; });

    CAlphaBetaPlotDocument plot(context.services);
    for (const CCurveResult& result : results)
        if (result.HasCurve()) AddCurveToPlot(plot, result);
    if (auto path = line.Text("--out")) WriteDocumentOutput(context, line, plot, *path);
    if (auto path = line.Text("--svg")) WriteTextOutput(context, line, *path, RenderView(plot.GetPlotView()));

    if (line.Has("--json")) {
        CJsonWriter json;
        json.BeginObject().Key("curves").BeginArray();
        for (const CCurveResult& result : results) {
            json.BeginObject().Field("inclusion", result.inclusion.mInclusionName).Key("points").BeginArray();
            for (const CAlphaBetaRecord& point : result.points)
                json.BeginObject().Field("alpha", point.mAlpha).Field("beta", point.mBeta).EndObject();
            json.EndArray().Field("code", result.code).Field("message", result.message).EndObject();
        }
        json.EndArray().EndObject();
        PrintJson(context.out, json);
    } else {
        for (const CCurveResult& result : results) {
            context.out << "Inclusion " << result.inclusion.mInclusionName
                        << Printf(" (Th %.2f C to %s, Fv %.2f %% at %.2f C): ", result.inclusion.mTh,
                                  result.inclusion.mHomog ? "liquid" : "vapour", result.inclusion.mFv,
                                  result.inclusion.mTv);
            if (result.HasCurve()) {
                context.out << result.points.size() << " points";
            } else {
                context.out << "no curve";
            }
            if (result.code != 0) context.out << " (code " << result.code << ")";
            context.out << '\n';
            if (!result.message.empty()) context.out << "  " << result.message << '\n';
            if (!result.HasCurve()) continue;
            context.out << Printf("  %10s %10s\n", "alpha", "beta");
            for (const CAlphaBetaRecord& point : result.points)
                context.out << Printf("  %10.6f %10.6f\n", point.mAlpha, point.mBeta);
        }
    }

    std::size_t failed = 0;
    for (const CCurveResult& result : results) {
        if (result.HasCurve() || result.interrupted) continue;
        ++failed;
        context.err << "zephon-cli abcurve: inclusion " << result.inclusion.mInclusionName << ": "
                    << result.message << '\n';
    }
    if (stopped) throw CalculationError("stopped by Ctrl-C; the output holds what was computed so far");
    if (failed > 0)
        throw CalculationError(
            Printf("%zu of %zu inclusions gave no alpha-beta curve", failed, results.size()));
    return kExitSuccess;
}

int RunCrossings(const std::vector<std::string>& arguments, CCommandContext& context) {
    COptionSpec spec;
    spec.flags = {"--json"};
    spec.maxPositional = 1;
    const CCommandLine line("crossings", arguments, spec);
    if (line.Positional().empty()) throw UsageError("crossings: which file? (zephon-cli crossings F.abp)");
    const std::string path = line.Positional().front();
    if (KindOfFile(path) != CFileKind::AlphaBetaPlot)
        throw UsageError(path + ": crossings reads alpha-beta plots (.abp)");
    CAlphaBetaPlotDocument plot(context.services);
    OpenDocumentStrictly(plot, path, context.services);
    const auto& stored = plot.mAlphaBetaCurvesList.mList;
    const std::vector<const CAlphaBetaCurve*> curves(stored.begin(), stored.end());
    const CCurveIntersections found = FindCurveIntersections(curves);
    const std::vector<CCurveCrossing>& crossings = found.crossings;
    const std::vector<CCurveCoincidence>& coincidences = found.coincidences;

    if (line.Has("--json")) {
        CJsonWriter json;
        json.BeginObject().Field("file", path).Field("curves", static_cast<long>(curves.size()));
        json.Key("crossings").BeginArray();
        for (const CCurveCrossing& crossing : crossings)
            json.BeginObject()
                .Field("alpha", crossing.alpha)
                .Field("beta", crossing.beta)
                .Field("first", crossing.first->mInclusion.mInclusionName)
                .Field("second", crossing.second->mInclusion.mInclusionName)
                .Field("angle", crossing.angle)
                .EndObject();
        json.EndArray().Key("coincidences").BeginArray();
        for (const CCurveCoincidence& stretch : coincidences) {
            json.BeginObject()
                .Field("first", stretch.first->mInclusion.mInclusionName)
                .Field("second", stretch.second->mInclusion.mInclusionName);
            json.Key("from").BeginObject().Field("alpha", stretch.fromAlpha).Field("beta", stretch.fromBeta);
            json.EndObject()
                .Key("to")
                .BeginObject()
                .Field("alpha", stretch.toAlpha)
                .Field("beta", stretch.toBeta);
            json.EndObject().EndObject();
        }
        json.EndArray().EndObject();
        PrintJson(context.out, json);
        return kExitSuccess;
    }
    context.out << Printf("%s: %zu alpha-beta curve%s, %zu crossing%s\n", path.c_str(), curves.size(),
                          curves.size() == 1 ? "" : "s", crossings.size(), crossings.size() == 1 ? "" : "s");
    for (const CCurveCoincidence& stretch : coincidences)
        context.out << Printf("  %s and %s coincide from alpha %.5f, beta %.5f to alpha %.5f, beta %.5f\n",
                              stretch.first->mInclusion.mInclusionName.c_str(),
                              stretch.second->mInclusion.mInclusionName.c_str(), stretch.fromAlpha,
                              stretch.fromBeta, stretch.toAlpha, stretch.toBeta);
    if (crossings.empty()) return kExitSuccess;
    context.out << Printf("  %9s %9s %11s  %s\n", "alpha", "beta", "angle (deg)", "curves");
    for (const CCurveCrossing& crossing : crossings)
        context.out << Printf("  %9.5f %9.5f %11.2f  %s and %s\n", crossing.alpha, crossing.beta,
                              crossing.angle, crossing.first->mInclusion.mInclusionName.c_str(),
                              crossing.second->mInclusion.mInclusionName.c_str());
    return kExitSuccess;
}

} // namespace zephon::cli
