// SPDX-License-Identifier: BSD-3-Clause
#include "gui/shell/font_families.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace {

// Metric-compatible families where one exists (Liberation), else the nearest DejaVu.
constexpr std::array<std::pair<const char*, const char*>, 9> kFamilies = {{
    {"arial", "Liberation Sans"},
    {"helvetica", "Liberation Sans"},
    {"ms sans serif", "DejaVu Sans"},
    {"ms shell dlg", "DejaVu Sans"},
    {"times new roman", "Liberation Serif"},
    {"times", "Liberation Serif"},
    {"courier new", "Liberation Mono"},
    {"courier", "Liberation Mono"},
    {"elite", "DejaVu Sans Mono"},
}};

} // namespace

QString ScreenFontFamily(const std::string& storedFace) {
    std::string key = storedFace;
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const auto& [stored, screen] : kFamilies)
        if (key == stored) return screen;
    return storedFace.empty() ? QString("Liberation Sans") : QString::fromStdString(storedFace);
}

QFont ScreenFont(const std::string& storedFace, int pixelHeight, bool bold, bool italic) {
    QFont font(ScreenFontFamily(storedFace));
    font.setPixelSize(std::max(1, pixelHeight));
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}
