// SPDX-License-Identifier: BSD-3-Clause
#include "plot/palette.hpp"

#include <algorithm>
#include <array>

namespace zephon::plot {

std::span<const Color> CurvePalette() {
    static constexpr std::array<Color, 7> palette{
        MakeColor(0, 114, 178), MakeColor(213, 94, 0),   MakeColor(0, 158, 115), MakeColor(204, 121, 167),
        MakeColor(230, 159, 0), MakeColor(86, 180, 233), MakeColor(0, 0, 0)};
    return palette;
}

Color NextPaletteColor(std::span<const Color> inUse) {
    const std::span<const Color> palette = CurvePalette();
    Color best = palette.front();
    long fewest = -1;
    for (Color color : palette) {
        const long uses = std::count(inUse.begin(), inUse.end(), color);
        if (fewest < 0 || uses < fewest) {
            fewest = uses;
            best = color;
        }
    }
    return best;
}

Color TextColorOnWhite(Color color) {
    // Relative luminance (ITU-R BT.709 weights on the 8-bit components).
    const double luminance =
        (0.2126 * GetRed(color) + 0.7152 * GetGreen(color) + 0.0722 * GetBlue(color)) / 255;
    constexpr double kMost = 0.45;
    if (luminance <= kMost) return color;
    const double scale = kMost / luminance;
    const auto dim = [scale](unsigned component) { return static_cast<unsigned>(component * scale); };
    return MakeColor(dim(GetRed(color)), dim(GetGreen(color)), dim(GetBlue(color)));
}

} // namespace zephon::plot
