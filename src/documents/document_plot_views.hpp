#pragma once
// The plot views of the two plot documents with their axes: alpha against beta for alpha-beta plots,
// temperature against pressure for phase diagrams. Each document owns its view; a window shows it.

#include "documents/application_services.hpp"
#include "plot/plot_view.hpp"

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
