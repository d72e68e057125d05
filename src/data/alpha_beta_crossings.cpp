// SPDX-License-Identifier: BSD-3-Clause
#include "data/alpha_beta_crossings.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct Segment {
    std::size_t curve;
    double position; // the vertex it starts from, along its curve
    double ax, ay, bx, by;
    double minX, maxX, minY, maxY;
};

std::vector<Segment> SegmentsOf(std::span<const CAlphaBetaCurve* const> curves) {
    std::vector<Segment> segments;
    for (std::size_t c = 0; c < curves.size(); ++c) {
        if (curves[c] == nullptr) continue;
        std::vector<const CAlphaBetaRecord*> points;
        for (const CAlphaBetaRecord* point : curves[c]->mCurve)
            if (std::isfinite(point->mAlpha) && std::isfinite(point->mBeta)) points.push_back(point);
        for (std::size_t k = 1; k < points.size(); ++k) {
            const CAlphaBetaRecord& a = *points[k - 1];
            const CAlphaBetaRecord& b = *points[k];
            segments.push_back({c, static_cast<double>(k - 1), a.mAlpha, a.mBeta, b.mAlpha, b.mBeta,
                                std::min(a.mAlpha, b.mAlpha), std::max(a.mAlpha, b.mAlpha),
                                std::min(a.mBeta, b.mBeta), std::max(a.mBeta, b.mBeta)});
        }
    }
    return segments;
}

// Within the segment, its ends included with a little slack for rounding: a crossing at a vertex
// is found on both segments that meet there and given once (Dedupe).
constexpr double kSlack = 1e-9;

bool OnSegment(double t) {
    return t >= -kSlack && t <= 1 + kSlack;
}

struct Found {
    CCurveCrossing crossing;
    double along; // position along the first curve
};

// The crossing of two segments of different curves, p the one of the earlier curve.
bool Cross(const Segment& p, const Segment& q, Found& found) {
    const double rx = p.bx - p.ax, ry = p.by - p.ay;
    const double sx = q.bx - q.ax, sy = q.by - q.ay;
    const double denominator = rx * sy - ry * sx;
    // Parallel segments (to rounding) meet in no single point.
    if (!(std::fabs(denominator) > 1e-12 * std::hypot(rx, ry) * std::hypot(sx, sy))) return false;
    const double qx = q.ax - p.ax, qy = q.ay - p.ay;
    const double t = (qx * sy - qy * sx) / denominator;
    const double u = (qx * ry - qy * rx) / denominator;
    if (!OnSegment(t) || !OnSegment(u)) return false;
    double angle = std::atan2(std::fabs(denominator), rx * sx + ry * sy) * 180 / std::numbers::pi;
    if (angle > 90) angle = 180 - angle;
    found.crossing.alpha = p.ax + t * rx;
    found.crossing.beta = p.ay + t * ry;
    found.crossing.angle = angle;
    found.along = p.position + t;
    return true;
}

} // namespace

std::vector<CCurveCrossing> FindCurveCrossings(std::span<const CAlphaBetaCurve* const> curves) {
    std::vector<Segment> segments = SegmentsOf(curves);
    // A sweep along alpha: only segments whose alpha ranges overlap are compared.
    std::sort(segments.begin(), segments.end(),
              [](const Segment& a, const Segment& b) { return a.minX < b.minX; });
    std::vector<Found> found;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        for (std::size_t j = i + 1; j < segments.size() && segments[j].minX <= segments[i].maxX; ++j) {
            const Segment& a = segments[i];
            const Segment& b = segments[j];
            if (a.curve == b.curve || a.maxY < b.minY || b.maxY < a.minY) continue;
            const Segment& p = a.curve < b.curve ? a : b;
            const Segment& q = a.curve < b.curve ? b : a;
            Found crossing;
            if (!Cross(p, q, crossing)) continue;
            crossing.crossing.firstIndex = p.curve;
            crossing.crossing.secondIndex = q.curve;
            crossing.crossing.first = curves[p.curve];
            crossing.crossing.second = curves[q.curve];
            found.push_back(crossing);
        }
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        if (a.crossing.firstIndex != b.crossing.firstIndex)
            return a.crossing.firstIndex < b.crossing.firstIndex;
        if (a.crossing.secondIndex != b.crossing.secondIndex)
            return a.crossing.secondIndex < b.crossing.secondIndex;
        return a.along < b.along;
    });
    std::vector<CCurveCrossing> crossings;
    crossings.reserve(found.size());
    for (const Found& each : found) {
        const CCurveCrossing& c = each.crossing;
        if (!crossings.empty()) {
            const CCurveCrossing& last = crossings.back();
            if (last.firstIndex == c.firstIndex && last.secondIndex == c.secondIndex &&
                std::fabs(last.alpha - c.alpha) <= kSlack && std::fabs(last.beta - c.beta) <= kSlack)
                continue;
        }
        crossings.push_back(c);
    }
    return crossings;
}
