// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Where alpha-beta curves cross. Inclusions trapped together from one oil each give a curve of the
// alpha-beta pairs that reproduce their measurements; the oil they share is where their curves
// cross. Each crossing is given with the two curves and the angle between them there: a wide angle
// pins the oil down, a grazing one hardly does.

#include <span>
#include <vector>

#include "data/alpha_beta_record.hpp"

struct CCurveCrossing {
    double alpha = 0;
    double beta = 0;
    const CAlphaBetaCurve* first = nullptr; // the earlier of the two curves in the list given
    const CAlphaBetaCurve* second = nullptr;
    std::size_t firstIndex = 0; // their places in that list
    std::size_t secondIndex = 0;
    double angle = 0; // degrees, 0 to 90, between the two curves' segments at the crossing
};

// A stretch along which two curves lie on one another (the same inclusion's curve twice, or two
// curves that share a piece): they coincide there, which pins no single oil down.
struct CCurveCoincidence {
    double fromAlpha = 0, fromBeta = 0; // where the stretch begins and ends, along the first curve
    double toAlpha = 0, toBeta = 0;
    const CAlphaBetaCurve* first = nullptr;
    const CAlphaBetaCurve* second = nullptr;
    std::size_t firstIndex = 0;
    std::size_t secondIndex = 0;
};

struct CCurveIntersections {
    std::vector<CCurveCrossing> crossings;
    std::vector<CCurveCoincidence> coincidences;
};

// Every crossing of two of the curves, pair by pair in the order of the list ((0, 1), (0, 2), ...,
// (1, 2), ...) and along the first curve of each pair, and every stretch along which two curves
// coincide, once, in the same order. Segments that lie on one line meet in no single point and give
// no crossing; a crossing at a vertex is given once; where two curves meet on a stretch they share
// (its ends included) there is no crossing.
CCurveIntersections FindCurveIntersections(std::span<const CAlphaBetaCurve* const> curves);
// The crossings alone.
std::vector<CCurveCrossing> FindCurveCrossings(std::span<const CAlphaBetaCurve* const> curves);
