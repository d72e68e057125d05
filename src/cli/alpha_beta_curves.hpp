// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Alpha-beta curves of inclusions, several at a time: each inclusion's curve is traced by its own
// alpha-beta interface, step by step on whichever worker thread is free; the results come back in
// the inclusions' order, so the curves do not depend on the number of workers.

#include <functional>
#include <string>
#include <vector>

#include "data/alpha_beta_record.hpp"
#include "data/inclusion_record.hpp"

class CAlphaBetaPlotDocument;

namespace zephon::cli {

// No curve is traced further than this many points.
inline constexpr int kMaxCurvePoints = 200;

struct CCurveResult {
    CInclusionRecord inclusion;
    std::vector<CAlphaBetaRecord> points; // empty when no curve (fewer than two points)
    int code = 0;                         // the engine's code at the end (0 none)
    std::string message;                  // what the application says about the end, or empty
    bool interrupted = false;             // stopped by Ctrl-C before its end
    bool HasCurve() const { return points.size() >= 2; }
};

// The message the application shows for an engine code at the end of a curve, or empty.
// `homog`: 1 the inclusion homogenises into the liquid, 0 into the vapour.
std::string CurveEndMessage(int code, bool hasCurve, int homog);

// Traces one inclusion's curve (temperatures in degrees Celsius, percents as in the record).
CCurveResult TraceAlphaBetaCurve(const CInclusionRecord& inclusion, int maxPoints = kMaxCurvePoints);

// Traces the curves of all inclusions with `jobs` workers. `progress` (may be empty) is called on
// the calling thread with the number of finished curves and of points found so far, a few times a
// second. Inclusions not yet started when Ctrl-C is pressed are left out of the result; the curves
// begun are kept as far as they got.
std::vector<CCurveResult>
TraceAlphaBetaCurves(const std::vector<CInclusionRecord>& inclusions, int jobs,
                     const std::function<void(std::size_t done, std::size_t points)>& progress = {});

// Stores and draws the curve of a result in an alpha-beta plot, as the end of a calculation in the
// plot does; returns the stored curve.
CAlphaBetaCurve* AddCurveToPlot(CAlphaBetaPlotDocument& plot, const CCurveResult& result);

} // namespace zephon::cli
