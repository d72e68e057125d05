// SPDX-License-Identifier: BSD-3-Clause
#include "cli/plot_rendering.hpp"

#include "plot/plot_view.hpp"
#include "plot/svg_canvas.hpp"

namespace zephon::cli {

std::string RenderView(CPlotView& view) {
    view.SetClientRect({0, 0, kSvgWidth, kSvgHeight});
    view.updateSubobjectsCoordinates();
    zephon::plot::SvgCanvas canvas(kSvgWidth, kSvgHeight);
    view.Draw(canvas);
    return canvas.GetSvg();
}

} // namespace zephon::cli
