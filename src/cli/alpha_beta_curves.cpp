// SPDX-License-Identifier: BSD-3-Clause
#include "cli/alpha_beta_curves.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "cli/terminal_services.hpp"
#include "documents/alpha_beta_plot_document.hpp"
#include "thermo/alpha_beta_model_interface.hpp"

namespace zephon::cli {

namespace {
constexpr double kKelvin = 273.15;
} // namespace

std::string CurveEndMessage(int code, bool hasCurve, int homog) {
    return CAlphaBetaPlotDocument::CurveEndMessage(code, hasCurve, homog);
}

namespace {

// One inclusion's curve traced one step at a time (the first point, then one attempt at the next
// point per step), so that several workers can share the steps of many curves. Which thread runs
// a step does not matter: everything a curve remembers is in its own engine.
class CCurveTracer {
  public:
    CCurveTracer(const CInclusionRecord& inclusion, int maxPoints)
        : mEngine(std::make_unique<thermo::CAlphaBetaModelInterface>()), mMaxPoints(maxPoints) {
        mResult.inclusion.CopyFieldsFrom(inclusion);
        thermo::CAlphaBetaModelInterface& engine = *mEngine;
        engine.mTh = inclusion.mTh + kKelvin;
        engine.mTfv = inclusion.mTv + kKelvin;
        engine.mFv = inclusion.mFv / 100.0;
        engine.mCO2 = inclusion.mCO2 / 100.0;
        engine.mN2 = inclusion.mN2 / 100.0;
        engine.mH2S = inclusion.mH2S / 100.0;
        engine.mHomog = inclusion.mHomog ? 1 : 0;
    }

    // One step; false once the curve has ended (no first point, the engine's end, or the
    // largest number of points).
    bool Step() {
        double alpha = 0, beta = 0;
        ++mSteps;
        if (mSteps == 1) {
            if (mEngine->FirstAlphaBeta(&alpha, &beta) != 0) return false;
            mPoints.emplace_back(alpha, beta);
        } else {
            const signed char r = mEngine->NextAlphaBeta(&alpha, &beta);
            if (r == 0) mPoints.emplace_back(alpha, beta);
            if (r < 0) return false;
        }
        return static_cast<int>(mPoints.size()) < mMaxPoints;
    }

    // The result; `interrupted` when the curve was stopped before its end.
    CCurveResult Finish(bool interrupted) {
        mResult.interrupted = interrupted;
        mResult.code = mEngine->mErrorMessageIndex;
        if (mPoints.size() >= 2) mResult.points = std::move(mPoints);
        mResult.message = interrupted
                              ? "stopped by Ctrl-C"
                              : CurveEndMessage(mResult.code, mResult.HasCurve(), mResult.inclusion.mHomog);
        mEngine.reset();
        return std::move(mResult);
    }

    std::size_t Steps() const { return mSteps; }
    std::size_t Points() const { return mPoints.size(); }

  private:
    CCurveResult mResult;
    std::unique_ptr<thermo::CAlphaBetaModelInterface> mEngine;
    std::vector<CAlphaBetaRecord> mPoints;
    int mMaxPoints;
    std::size_t mSteps = 0;
};

// At most this many curves are traced side by side (each holds an engine of some 200 kB).
constexpr std::size_t kMaxCurvesInFlight = 64;

} // namespace

CCurveResult TraceAlphaBetaCurve(const CInclusionRecord& inclusion, int maxPoints) {
    CCurveTracer tracer(inclusion, maxPoints);
    bool more = tracer.Step();
    while (more) {
        if (StopRequested()) return tracer.Finish(true);
        more = tracer.Step();
    }
    return tracer.Finish(false);
}

// With one worker the curves are traced one after the other. With several, the workers share
// the steps of all curves (up to kMaxCurvesInFlight at once), always taking the waiting curve
// that has had the fewest steps: the curves then advance together and end together, instead of
// one long curve running alone at the end while the other workers have nothing left to do.
std::vector<CCurveResult>
TraceAlphaBetaCurves(const std::vector<CInclusionRecord>& inclusions, int jobs,
                     const std::function<void(std::size_t, std::size_t)>& progress) {
    const std::size_t count = inclusions.size();
    const std::size_t workers = std::min<std::size_t>(static_cast<std::size_t>(std::max(jobs, 1)), count);
    const std::size_t inFlightLimit = workers <= 1 ? 1 : kMaxCurvesInFlight;

    std::vector<CCurveResult> results(count);
    std::vector<char> started(count, 0);
    std::vector<std::unique_ptr<CCurveTracer>> tracers(count);
    std::vector<std::size_t> waiting; // curves in flight that no worker is stepping
    std::size_t next = 0;             // the first inclusion not started
    std::size_t inFlight = 0;
    std::mutex mutex;
    std::condition_variable changed;
    std::atomic<std::size_t> done{0};
    std::atomic<std::size_t> points{0};

    auto work = [&] {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            const bool stop = StopRequested();
            std::size_t i = count;
            if (!stop && next < count && inFlight < inFlightLimit) {
                i = next++;
                ++inFlight;
                started[i] = 1;
                lock.unlock();
                tracers[i] = std::make_unique<CCurveTracer>(inclusions[i], kMaxCurvePoints);
                lock.lock();
            } else if (!waiting.empty()) {
                auto fewest =
                    std::min_element(waiting.begin(), waiting.end(), [&](std::size_t a, std::size_t b) {
                        return tracers[a]->Steps() < tracers[b]->Steps() ||
                               (tracers[a]->Steps() == tracers[b]->Steps() && a < b);
                    });
                i = *fewest;
                waiting.erase(fewest);
            } else if (inFlight == 0 && (stop || next >= count)) {
                return;
            } else {
                changed.wait(lock); // another worker holds the curves left
                continue;
            }

            CCurveTracer& tracer = *tracers[i];
            lock.unlock();
            // A curve that has begun is stopped between two steps, never before its first.
            const bool interrupted = tracer.Steps() > 0 && StopRequested();
            const std::size_t pointsBefore = tracer.Points();
            const bool more = !interrupted && tracer.Step();
            points.fetch_add(tracer.Points() - pointsBefore);
            const bool ends = interrupted || !more || StopRequested();
            if (ends) {
                results[i] = tracer.Finish(more || interrupted);
                tracers[i].reset();
            }
            lock.lock();
            if (ends) {
                --inFlight;
                done.fetch_add(1);
            } else {
                waiting.push_back(i);
            }
            changed.notify_all();
        }
    };

    std::vector<std::thread> threads;
    for (std::size_t k = 0; k < workers; ++k)
        threads.emplace_back(work);
    if (progress) {
        // Woken by the workers as well as every 100 ms, so that the end of the last curve is
        // noticed at once rather than at the next tick.
        std::unique_lock<std::mutex> lock(mutex);
        while (done.load() < count && !StopRequested()) {
            lock.unlock();
            progress(done.load(), points.load());
            lock.lock();
            changed.wait_for(lock, std::chrono::milliseconds(100),
                             [&] { return done.load() == count || StopRequested(); });
        }
    }
    for (auto& thread : threads)
        thread.join();
    if (progress) progress(done.load(), points.load());

    std::vector<CCurveResult> kept;
    for (std::size_t i = 0; i < count; ++i)
        if (started[i]) kept.push_back(std::move(results[i]));
    return kept;
}

CAlphaBetaCurve* AddCurveToPlot(CAlphaBetaPlotDocument& plot, const CCurveResult& result) {
    auto curve = std::make_unique<CAlphaBetaCurve>();
    curve->Initialize();
    curve->mCurveFormat.mColor = plot.NextCurveColor();
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
