// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// SVG pictures of the documents' plot views, drawn on the SVG canvas as the application draws them
// on screen.

#include <string>

class CPlotView;

namespace zephon::cli {

inline constexpr int kSvgWidth = 800;
inline constexpr int kSvgHeight = 600;

// Lays the view out in a picture of kSvgWidth x kSvgHeight pixels and draws it.
std::string RenderView(CPlotView& view);

} // namespace zephon::cli
