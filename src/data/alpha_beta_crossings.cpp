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

// Where two segments that lie on one line overlap, as positions along the first curve (p the
// segment of the earlier curve); false when they are not on one line or share no length.
bool Overlap(const Segment& p, const Segment& q, double& from, double& to) {
    const double rx = p.bx - p.ax, ry = p.by - p.ay;
    const double length = std::hypot(rx, ry);
    if (!(length > 0)) return false;
    // Both ends of q within rounding of p's line.
    auto distance = [&](double x, double y) { return std::fabs(rx * (y - p.ay) - ry * (x - p.ax)) / length; };
    if (distance(q.ax, q.ay) > kSlack || distance(q.bx, q.by) > kSlack) return false;
    auto along = [&](double x, double y) { return (rx * (x - p.ax) + ry * (y - p.ay)) / (length * length); };
    const double t0 = along(q.ax, q.ay), t1 = along(q.bx, q.by);
    const double low = std::max(0.0, std::min(t0, t1)), high = std::min(1.0, std::max(t0, t1));
    if ((high - low) * length <= kSlack) return false;
    from = p.position + low;
    to = p.position + high;
    return true;
}

struct Stretch {
    std::size_t first, second;
    double from, to; // positions along the first curve
};

// The point at a position along a curve's segments.
void PointAlong(const std::vector<Segment>& segments, std::size_t curve, double position, double& alpha,
                double& beta) {
    for (const Segment& s : segments) {
        if (s.curve != curve || position < s.position - kSlack || position > s.position + 1 + kSlack)
            continue;
        const double t = std::clamp(position - s.position, 0.0, 1.0);
        alpha = s.ax + t * (s.bx - s.ax);
        beta = s.ay + t * (s.by - s.ay);
        return;
    }
}

// Overlaps of one pair that follow one another along the first curve form one stretch.
std::vector<Stretch> MergeStretches(std::vector<Stretch> pieces) {
    std::sort(pieces.begin(), pieces.end(), [](const Stretch& a, const Stretch& b) {
        if (a.first != b.first) return a.first < b.first;
        if (a.second != b.second) return a.second < b.second;
        return a.from < b.from;
    });
    std::vector<Stretch> merged;
    for (const Stretch& piece : pieces) {
        if (!merged.empty() && merged.back().first == piece.first && merged.back().second == piece.second &&
            piece.from <= merged.back().to + kSlack) {
            merged.back().to = std::max(merged.back().to, piece.to);
            continue;
        }
        merged.push_back(piece);
    }
    return merged;
}

bool WithinStretch(const std::vector<Stretch>& stretches, std::size_t first, std::size_t second,
                   double along) {
    return std::any_of(stretches.begin(), stretches.end(), [&](const Stretch& s) {
        return s.first == first && s.second == second && along >= s.from - kSlack && along <= s.to + kSlack;
    });
}

} // namespace

std::vector<CCurveCrossing> FindCurveCrossings(std::span<const CAlphaBetaCurve* const> curves) {
    return FindCurveIntersections(curves).crossings;
}

CCurveIntersections FindCurveIntersections(std::span<const CAlphaBetaCurve* const> curves) {
    std::vector<Segment> segments = SegmentsOf(curves);
    const std::vector<Segment> inOrder = segments;
    // A sweep along alpha: only segments whose alpha ranges overlap are compared.
    std::sort(segments.begin(), segments.end(),
              [](const Segment& a, const Segment& b) { return a.minX < b.minX; });
    std::vector<Found> found;
    std::vector<Stretch> pieces;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        for (std::size_t j = i + 1; j < segments.size() && segments[j].minX <= segments[i].maxX; ++j) {
            const Segment& a = segments[i];
            const Segment& b = segments[j];
            if (a.curve == b.curve || a.maxY < b.minY || b.maxY < a.minY) continue;
            const Segment& p = a.curve < b.curve ? a : b;
            const Segment& q = a.curve < b.curve ? b : a;
            if (double from = 0, to = 0; Overlap(p, q, from, to)) {
                pieces.push_back({p.curve, q.curve, from, to});
                continue;
            }
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
    const std::vector<Stretch> stretches = MergeStretches(std::move(pieces));
    CCurveIntersections result;
    std::vector<CCurveCrossing>& crossings = result.crossings;
    crossings.reserve(found.size());
    for (const Found& each : found) {
        const CCurveCrossing& c = each.crossing;
        if (WithinStretch(stretches, c.firstIndex, c.secondIndex, each.along)) continue;
        if (!crossings.empty()) {
            const CCurveCrossing& last = crossings.back();
            if (last.firstIndex == c.firstIndex && last.secondIndex == c.secondIndex &&
                std::fabs(last.alpha - c.alpha) <= kSlack && std::fabs(last.beta - c.beta) <= kSlack)
                continue;
        }
        crossings.push_back(c);
    }
    for (const Stretch& stretch : stretches) {
        CCurveCoincidence coincidence;
        PointAlong(inOrder, stretch.first, stretch.from, coincidence.fromAlpha, coincidence.fromBeta);
        PointAlong(inOrder, stretch.first, stretch.to, coincidence.toAlpha, coincidence.toBeta);
        coincidence.firstIndex = stretch.first;
        coincidence.secondIndex = stretch.second;
        coincidence.first = curves[stretch.first];
        coincidence.second = curves[stretch.second];
        result.coincidences.push_back(coincidence);
    }
    return result;
}
