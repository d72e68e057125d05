// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The geometry of the frame around a stored selection: eight handles (corners and edge middles)
// resize it, the rest of the frame and its inside move it. The window draws the handles and
// follows the mouse with Track; the view decides what the released rectangle means.

#include <array>

#include "plot/canvas.hpp"

enum class CTrackerHit { None, Move, TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left };

class CRectTracker {
  public:
    // Half-size of a handle: a click this far outside the frame still takes it.
    static constexpr int kHandleSize = 4;

    // What a press at p takes hold of; None outside the frame and its handles.
    static CTrackerHit HitTest(const zephon::plot::Rect& frame, zephon::plot::Point p);
    // The frame after its part `hit` was dragged from `from` to `to` (not normalised: a handle
    // dragged past the opposite edge turns the rectangle over).
    static zephon::plot::Rect Track(const zephon::plot::Rect& frame, CTrackerHit hit,
                                    zephon::plot::Point from, zephon::plot::Point to);
    // The handles' squares, in the order of CTrackerHit from TopLeft to Left.
    static std::array<zephon::plot::Rect, 8> Handles(const zephon::plot::Rect& frame);
};
