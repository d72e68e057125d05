// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Colours for new curves: a qualitative palette that readers with the common colour-vision
// deficiencies still tell apart (Okabe and Ito's), taken in turn so that each new curve differs
// from those already drawn. Stored colours are never changed; only what is new takes these.

#include <span>

#include "plot/canvas.hpp"

namespace zephon::plot {

// Blue, vermilion, bluish green, reddish purple, orange, sky blue and black, in that order. The
// palette's yellow is left out: a thin yellow line can hardly be seen on white paper.
std::span<const Color> CurvePalette();

// The first colour of the palette that the colours in use hold least often.
Color NextPaletteColor(std::span<const Color> inUse);

// The colour darkened as far as text in it needs to read on white (light colours only).
Color TextColorOnWhite(Color color);

} // namespace zephon::plot
