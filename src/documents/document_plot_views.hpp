#pragma once
// The plot views of the two plot documents with their axes: alpha against beta for alpha-beta plots,
// temperature against pressure for phase diagrams. Each document owns its view; a window shows it.

#include "documents/application_services.hpp"
#include "plot/plot_view.hpp"

#include <string>

// The starting axes of a document's plot: labels, shown range, the limits zooming may reach,
// the legend's place and size, ticks and decimals.
struct CPlotAxesSetup {
    std::string xLabel, yLabel;
    double minX, maxX, minY, maxY;                     // shown at first
    double limitMinX, limitMaxX, limitMinY, limitMaxY; // reachable by zooming out
    double legendX, legendY;
    int legendWidth, legendHeight;
    int ticks;
    int digits;
};

// Resets the view to its defaults, then applies the setup.
void ApplyPlotAxesSetup(CPlotView& view, const CPlotAxesSetup& setup);

class CAlphaBetaPlotView : public CPlotView {
  public:
    explicit CAlphaBetaPlotView(CApplicationServices* services = nullptr);
    // The base defaults, then alpha 0 to 1 against beta 0 to 1, six ticks each, three decimals.
    void InitializeAxes();
    // Asks the window to repaint.
    void Redraw() { RequestRedraw(); }

  protected:
    void NotifyObjectSelection() override;

  private:
    CApplicationServices* mServices;
};

class CPhaseDiagView : public CPlotView {
  public:
    explicit CPhaseDiagView(CApplicationServices* services = nullptr);
    // The base defaults, then 0 to 300 degrees against 0 to 500 bar, eleven ticks each, no decimals.
    void InitializeAxes();
    // Asks the window to repaint.
    void Redraw() { RequestRedraw(); }

  protected:
    void NotifyObjectSelection() override;

  private:
    CApplicationServices* mServices;
};
