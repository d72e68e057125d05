#pragma once
// SVG pictures of the tool's plots: alpha-beta plots, P-T diagrams and volume-temperature plots,
// drawn by the plot view on the SVG canvas as the application draws them on screen.

#include <string>

#include "cli/data_files.hpp"

namespace zephon::cli {

inline constexpr int kSvgWidth = 800;
inline constexpr int kSvgHeight = 600;

std::string RenderAlphaBetaPlot(CAlphaBetaPlotFile& plot);
std::string RenderPhaseDiagram(CPhaseDiagramFile& file);
std::string RenderVolumePlot(CVolumePlotSection& section);

// Widens the stored ranges of the file to what it holds, as drawing it in the application does:
// P-T axes to every isopleth, volume-temperature axes to every inclusion and curve.
void FitPhaseDiagramRanges(CPhaseDiagramFile& file);

} // namespace zephon::cli
