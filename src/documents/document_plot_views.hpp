// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The plot views of the two plot documents with their axes: alpha against beta for alpha-beta plots,
// temperature against pressure for phase diagrams. Each document owns its view; a window shows it.
// Each view knows its document: its context menus offer the document's commands and run them on
// the record that the clicked object draws.

#include "documents/application_services.hpp"
#include "plot/plot_view.hpp"

#include <string>

class CWDocument;
class CAlphaBetaPlotDocument;
class CPhaseDiagDocument;

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

// Commands of the alpha-beta plot's context menus.
enum class CAlphaBetaCommand : int {
    AlphaBetaCurves = kFirstViewCommand, // "Alpha-beta curves..."
    NewAlphaBetaCurve,                   // "New Alpha-Beta Curve..."
    AlphaBetaFluids,                     // "Alpha-beta fluids..."
    SetMarker,                           // "Set a marker"
    RemoveMarker,                        // "Remove the marker"
    DeleteCurve,                         // "Delete the curve"
    PlotCorrelation,                     // "Plot correlation"
    RemoveCorrelation,                   // "Remove the correlation"
    GenerateFluidModel,                  // "Generate fluid model"
};

// Commands of the P-T diagram's context menus.
enum class CPhaseDiagCommand : int {
    NewPhaseEnvelope = kFirstViewCommand + 50, // "New Phase Envelope..."
    Isochors,                                  // "Isochors..."
    Trapping,                                  // "Trapping..."
    NewIsochor,                                // "New Isochor"
    DeletePhaseEnvelope,                       // "Delete Phase Envelope"
    DeleteIsochor,                             // "Delete Isochor"
    ViewAqueousLine,                           // "View Th(Aq.) Line"
    SetAqueousLine,                            // "Set Th(Aq.) Line"
    DeleteAqueousLine,                         // "Delete Th(Aq.) Line"
    DeleteAqueousIsochor,                      // "Delete Aqueous Isochor"
    DeleteCrossing,                            // "Delete Crossing"
};

// An alpha-beta pair with the light gases of the fluid it stands for (mole percent).
struct CAlphaBetaFluid {
    double alpha = 0;
    double beta = 0;
    double co2 = 0;
    double n2 = 0;
    double h2s = 0;
};

// A plot view that belongs to a document: it tells the application of its range changes itself,
// and a person's change of how the plot looks marks the document modified.
class CDocumentPlotView : public CPlotView {
  protected:
    explicit CDocumentPlotView(CWDocument* owner) : mOwner(owner) {}
    // The document's services; null for a view without a document.
    CApplicationServices* Services() const;
    void NotifyAxisRangesChanged() override;
    void OnAppearanceChanged() override;

  private:
    CWDocument* mOwner;
};

class CAlphaBetaPlotView : public CDocumentPlotView {
  public:
    explicit CAlphaBetaPlotView(CAlphaBetaPlotDocument* document = nullptr);
    // The base defaults, then alpha 0 to 1 against beta 0 to 1, six ticks each, three decimals.
    void InitializeAxes();
    // Asks the window to repaint.
    void Redraw() { RequestRedraw(); }
    CAlphaBetaPlotDocument* GetDocument() const { return mDocument; }

    bool OnMenuCommand(int command) override;

    // Where an alpha-beta pair is a fluid: 0 < alpha < 1 and 0 <= beta <= 1.
    static bool IsFluidPair(double alpha, double beta);
    // While the plot shows the ranges it chose itself (a new plot, or a file that stores only the
    // starting ranges), it shows all of its data: the document calls this after each change of
    // what is drawn. A range chosen by a person (zoom, typed ranges, the default ones) is kept.
    void FollowData();
    // Whether the plot starts out following its data (a file with its own ranges: not).
    void SetFollowsData(bool follows);
    bool FollowsData() const { return mFollowsData; }

    // The fluid "Set a marker" and "Generate fluid model" take from the selection: on a curve the
    // point of the curve at the selected alpha (its first point when the curve does not reach
    // it) with the gases of the curve's inclusion; on a marker or a correlation point that fluid;
    // elsewhere the selected point without gases. Nothing when the pair is no fluid.
    std::optional<CAlphaBetaFluid> SelectedFluid() const;

  protected:
    void NotifyObjectSelection() override;
    std::optional<CPlotContextMenu> GetContextMenu(CGraphObject* hit, zephon::plot::Point at) override;

  private:
    bool SetMarker();
    bool GenerateFluidModel();

    CAlphaBetaPlotDocument* mDocument;
    bool mFollowsData = true;
    std::optional<CPlotRanges> mChosenRanges; // what FollowData showed last
};

class CPhaseDiagView : public CDocumentPlotView {
  public:
    explicit CPhaseDiagView(CPhaseDiagDocument* document = nullptr);
    // The base defaults, then 0 to 300 degrees against 0 to 500 bar, eleven ticks each, no decimals.
    void InitializeAxes();
    // Asks the window to repaint.
    void Redraw() { RequestRedraw(); }
    CPhaseDiagDocument* GetDocument() const { return mDocument; }

    bool OnMenuCommand(int command) override;

  protected:
    void NotifyObjectSelection() override;
    std::optional<CPlotContextMenu> GetContextMenu(CGraphObject* hit, zephon::plot::Point at) override;

  private:
    bool NewIsochor();
    bool ShowAqueousLine(bool set);

    CPhaseDiagDocument* mDocument;
};
