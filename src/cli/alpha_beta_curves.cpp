#include "cli/alpha_beta_curves.hpp"

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "cli/terminal_services.hpp"
#include "documents/alpha_beta_plot_document.hpp"
#include "thermo/alpha_beta_model_interface.hpp"

namespace zephon::cli {

namespace {
constexpr double kKelvin = 273.15;
} // namespace

std::string CurveEndMessage(int code, bool hasCurve, int homog) {
    switch (code) {
    case 1:
        if (hasCurve) return {};
        return "For some reason, Zephon was not able to treat these oil inclusion data.";
    case 5:
        return "The curve stops at a critical point.";
    case 6:
        return "Liquid-liquid-gas equilibria may occur at the temperature of measurement of the bubble size.";
    case 8:
        if (hasCurve) return {};
        if (homog == 0) return "The bubble is too small for an inclusion which homogenizes to vapour.";
        // The same code for an inclusion that homogenises into the liquid: nothing to start from.
        return "No alpha-beta oil can be started for these measurements: the initial estimates hold none for "
               "this homogenisation temperature and bubble size.";
    default:
        if (hasCurve || code == 0) return {};
        // A calculation that ends without a curve always says so.
        return "For some reason, Zephon was not able to treat these oil inclusion data.";
    }
}

CCurveResult TraceAlphaBetaCurve(const CInclusionRecord& inclusion, int maxPoints) {
    CCurveResult result;
    result.inclusion.CopyFieldsFrom(inclusion);
    thermo::CAlphaBetaModelInterface engine;
    engine.mTh = inclusion.mTh + kKelvin;
    engine.mTfv = inclusion.mTv + kKelvin;
    engine.mFv = inclusion.mFv / 100.0;
    engine.mCO2 = inclusion.mCO2 / 100.0;
    engine.mN2 = inclusion.mN2 / 100.0;
    engine.mH2S = inclusion.mH2S / 100.0;
    engine.mHomog = inclusion.mHomog ? 1 : 0;

    std::vector<CAlphaBetaRecord> points;
    double alpha = 0, beta = 0;
    if (engine.FirstAlphaBeta(&alpha, &beta) == 0) {
        points.emplace_back(alpha, beta);
        while (static_cast<int>(points.size()) < maxPoints) {
            if (StopRequested()) {
                result.interrupted = true;
                break;
            }
            const signed char r = engine.NextAlphaBeta(&alpha, &beta);
            if (r == 0) points.emplace_back(alpha, beta);
            if (r < 0) break;
        }
    }
    result.code = engine.mErrorMessageIndex;
    if (points.size() >= 2) result.points = std::move(points);
    result.message = result.interrupted ? "stopped by Ctrl-C"
                                        : CurveEndMessage(result.code, result.HasCurve(), inclusion.mHomog);
    return result;
}

std::vector<CCurveResult> TraceAlphaBetaCurves(const std::vector<CInclusionRecord>& inclusions, int jobs,
                                               const std::function<void(std::size_t)>& progress) {
    const std::size_t count = inclusions.size();
    std::vector<CCurveResult> results(count);
    std::vector<char> started(count, 0);
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    auto work = [&] {
        for (;;) {
            if (StopRequested()) return;
            const std::size_t i = next.fetch_add(1);
            if (i >= count) return;
            started[i] = 1;
            results[i] = TraceAlphaBetaCurve(inclusions[i]);
            done.fetch_add(1);
        }
    };
    const int workers =
        static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(std::max(jobs, 1)), count));
    std::vector<std::thread> threads;
    for (int k = 0; k < workers; ++k)
        threads.emplace_back(work);
    if (progress) {
        while (done.load() < count && !StopRequested()) {
            progress(done.load());
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    for (auto& thread : threads)
        thread.join();
    if (progress) progress(done.load());

    std::vector<CCurveResult> kept;
    for (std::size_t i = 0; i < count; ++i)
        if (started[i]) kept.push_back(std::move(results[i]));
    return kept;
}

CAlphaBetaCurve* AddCurveToPlot(CAlphaBetaPlotDocument& plot, const CCurveResult& result) {
    auto curve = std::make_unique<CAlphaBetaCurve>();
    curve->Initialize();
    curve->mInclusion.CopyFieldsFrom(result.inclusion);
    for (const CAlphaBetaRecord& point : result.points)
        curve->Add(new CAlphaBetaRecord(point.mAlpha, point.mBeta));
    CAlphaBetaCurve* stored = curve.release();
    plot.mAlphaBetaCurvesList.Add(stored);
    plot.PlotAlphaBetaCurve(stored);
    plot.SetModifiedFlag(true);
    return stored;
}

} // namespace zephon::cli
