// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The phase-diagram (P-T) document: the phase envelopes, isochore pairs and trapping lines of any
// number of fluids in one plot, the calculations that make them, their removal, and the
// volume-temperature plots opened from the document. Temperatures in degrees Celsius, pressures in
// bar; gas contents as mole fractions unless said otherwise.

#include <memory>
#include <string>
#include <vector>

#include "aqueous/geotherm.hpp"
#include "aqueous/trapping.hpp"
#include "data/alpha_beta_record.hpp"
#include "data/aqueous_record.hpp"
#include "data/composition_record.hpp"
#include "data/phase_diagram_record.hpp"
#include "documents/document_plot_views.hpp"
#include "documents/volume_plot_view.hpp"
#include "documents/w_document.hpp"
#include "plot/plot_format.hpp"

namespace zephon::thermo {
struct IsoplethData;
class CCalculationInterface;
struct ModelFluidComponent;
} // namespace zephon::thermo

class CPhaseDiagDocument : public CWDocument {
  public:
    // Status codes of CalculateIsochor besides those of the calculation interface.
    static constexpr char kIsochorBranchMissing = 3;
    static constexpr char kIsochorAlreadyCalculated = 10;
    // The diagram's fluid model has no component, or one the equation of state cannot use.
    static constexpr char kIsochorFluidUnusable = 11;
    // The homogenisation temperature is not a number (NaN or infinite).
    static constexpr char kIsochorThNotANumber = 12;

    explicit CPhaseDiagDocument(CApplicationServices& services);
    ~CPhaseDiagDocument() override;

    CPhaseDiagView& GetPlotView() { return *mPlotView; }

    // ---- calculations ----

    // The phase envelope of an alpha-beta fluid (modelType non-zero; gases as fractions, name may be
    // empty) or of a model fluid (modelType 0). Adds and draws a diagram, or tells the person that
    // no envelope could be calculated. Returns the new diagram or null.
    CPhaseDiagram* CalculateImmiscibilityLoop(int modelType, double alpha, double beta, double co2, double n2,
                                              double h2s, const CModelFluid* fluid, const std::string& name);

    // The isochore pair of a diagram through Th for homogenisation to liquid (1) or vapour (0), with
    // the person told of a failure. 0 success, 10 already there, 3 no isopleth branch of that type,
    // 11 a fluid model the equation of state cannot use, otherwise the code of the calculation
    // interface.
    char CalculateIsochor(CPhaseDiagram* diagram, double th, int homog, double& bulkDensity,
                          double& bulkVolume, CIsochor** monophasic, double phHint = 0);
    // The calculation itself, without messages.
    char CalculateIsochor(CPhaseDiagram* diagram, int modelType, double th, int homog,
                          const CAlphaBetaModel* model, const CModelFluid* fluid, double& bulkDensity,
                          double& bulkVolume, CIsochor** monophasic, double phHint);

    // The stock-tank liquid's molar weight and specific volume of a diagram, computed again: a
    // file does not keep them. Left as they are when the diagram's fluid cannot be computed.
    static void CompleteStockTankValues(CPhaseDiagram& diagram);
    // The exact critical point, cricondenbar and cricondentherm of a diagram that has none (read
    // from a file of an earlier version), found from its stored branches.
    static void CompleteKeyPoints(CPhaseDiagram& diagram);
    // The engine on a diagram's fluid, ready for its calculations; null when its fluid model has
    // no component or one the equation of state cannot use.
    static std::unique_ptr<zephon::thermo::CCalculationInterface> EngineFor(const CPhaseDiagram& diagram);

    // ---- lookups (alpha-beta gases in mole percent) ----

    bool IsAlreadyCalculated(double alpha, double beta, double co2, double n2, double h2s,
                             CPhaseDiagram** found) const;
    bool IsAlreadyCalculated(const CAlphaBetaPoint* point, CPhaseDiagram** found) const;
    bool IsAlreadyCalculated(const CModelFluid* fluid, CPhaseDiagram** found) const;

    // ---- drawing ----

    void PlotIsoplethsOfPhaseDiagram(CPhaseDiagram* diagram);
    void PlotIsoplethCurve(CIsopleth* isopleth);
    void PlotIsochorsOfPhaseDiagram(CPhaseDiagram* diagram);
    void PlotBiphasicIsochorCurve(CIsochor* isochor);
    void PlotMonophasicIsochorCurve(CIsochor* isochor);
    void PlotTrappingLine(CTrappingLine* line);
    // "Th 95 °C, L" (with the diagram's name when the document holds several), for the legend.
    std::string IsochorLegendText(const CIsochor& isochor) const;

    // ---- trapping lines ----

    // Adds a trapping line to a monophasic isochore at the aqueous homogenisation temperature
    // (nothing when one is there already) and clears the temporary marker. Returns the new line.
    // Where the isochore has no pressure (Thaq outside it) nothing is added and the person is told
    // why (NoTrappingPressureMessage): a trapping line always marks a pressure.
    CTrappingLine* AddTrappingLineTo(CIsochor* isochor, double thaq);
    // The trapping pressure (bar) where a monophasic isochore meets thaq: the equation of state of
    // the diagram's fluid at the isochore's homogenisation molar volume and thaq, exact where the
    // drawn isochore is a polyline. 0 where thaq lies outside the isochore's points, as for
    // CIsochor::GetPressure (which it falls back to when the fluid cannot be computed).
    static double TrappingPressure(const CIsochor& isochor, double thaq);
    static std::string NoTrappingPressureMessage(double thaq, const CIsochor& isochor);
    // The marker shown while a trapping temperature is chosen; never saved.
    void SetTemporaryAqueousHomogLine(double thaq, double pmin, double pmax);
    void HideTemporaryAqueousHomogLine();
    const CTrappingLine& GetTemporaryAqueousHomogLine() const { return mAqueousHomogLine; }

    // ---- trapping conditions from coeval aqueous inclusions ----

    // The isochore of an aqueous inclusion, traced and drawn; the one already there when the same
    // measurements were calculated before. Null, with the person told why, when there is none.
    CAqueousIsochor* CalculateAqueousIsochor(const zephon::aqueous::AqueousMeasurement& measurement);
    // The crossing of a monophasic oil isochore with an aqueous isochore, with its uncertainty band
    // when an uncertainty is given (the bubble fraction measured at tfv), drawn with its ellipse;
    // it replaces a crossing of the same two isochores. Null, with the person told why, when the
    // isochores do not cross below 5000 bar or the oil's isochore cannot be calculated.
    CAqueousCrossing* CalculateCrossing(CAqueousIsochor* aqueous, CIsochor* oil,
                                        const zephon::aqueous::TrappingUncertainties& sd, double tfv);
    // Where a monophasic oil isochore (its cavity in the host mineral) and where an aqueous
    // isochore cross a geotherm; the message says why there is no crossing. Nothing is stored.
    zephon::aqueous::GeothermCrossingResult CrossGeotherm(CIsochor* oil, zephon::aqueous::HostMineral host,
                                                          const zephon::aqueous::Geotherm& geotherm);
    static zephon::aqueous::GeothermCrossingResult CrossGeotherm(const CAqueousIsochor& aqueous,
                                                                 const zephon::aqueous::Geotherm& geotherm);
    void RemoveAqueousIsochor(CAqueousIsochor* isochor);
    void RemoveAqueousCrossing(CAqueousCrossing* crossing);
    void PlotAqueousIsochor(CAqueousIsochor* isochor);
    // The measurements an aqueous isochore was made from.
    static zephon::aqueous::AqueousMeasurement MeasurementOf(const CAqueousIsochor& isochor);
    // What the aqueous section of a file may hold: the aqueous calculation's own input rules, and
    // crossings with monophasic isochores that the document's diagrams hold.
    CAqueousReadRules AqueousReadRules() const;

    // ---- drawn objects ----

    // The records a drawn object of the view stands for; all null when it is none of the
    // document's. An isochore or trapping line comes with its diagram, an isopleth too.
    struct DrawnRecord {
        CPhaseDiagram* diagram = nullptr;
        CIsopleth* isopleth = nullptr;
        CIsochor* isochor = nullptr;               // an isochore of the diagram, not a trapping line
        CTrappingLine* trappingLine = nullptr;     // a trapping line, or the temporary marker
        CAqueousIsochor* aqueousIsochor = nullptr; // an aqueous isochore, or the one of a crossing
        CAqueousCrossing* aqueousCrossing = nullptr;
    };
    DrawnRecord FindDrawnRecord(const CGraphObject* object);

    // ---- removal (each an undoable step that keeps what it removes) ----

    void RemoveFluidPhaseDiagram(CPhaseDiagram* diagram);
    // Deletes an isochore with its partner of the pair (and the monophasic half's trapping lines).
    void DeleteIsochor(CIsochor* isochor);
    void DeleteIsochor(const std::string& name);
    void RemoveTrappingLine(CTrappingLine* line);

    // ---- volume-temperature plots ----

    // A new volume-temperature plot of this document, titled "<title>:<number>".
    CVolumePlotView* DisplayNewVTPlot();
    // The plot's window closed: the plot is forgotten.
    void KillVTPlot(CVolumePlotView* plot);
    // The document's window closes: every plot goes.
    void CloseVTPlots();
    const std::vector<std::unique_ptr<CVolumePlotView>>& GetVTPlots() const { return mVTPlots; }

    // ---- file ----

    // Plot format, diagrams, then the volume-temperature plots.
    void ReadData(CDataHandleStream& stream) override;
    void SaveData(CDataHandleStream& stream) override;
    void OnCloseDocument() override;
    bool HasContent() const override { return mPhaseDiagramsList.mList.Count() > 0 || !mVTPlots.empty(); }
    CDocumentKind Kind() const override { return CDocumentKind::PhaseDiagram; }
    std::string FileKind() const override { return "a P-T diagram file"; }

    CPhaseDiagramsList mPhaseDiagramsList;
    CAqueousIsochorsList mAqueousIsochorsList;
    CPlotFormat mPlotFormat;

  private:
    // The palette's colour that the envelopes and isochores drawn use least.
    zephon::plot::Color NewCurveColor() const;
    void AddToLegend(CGraphObject* object);
    void Changed();
    // Removals as undoable steps (document_changes.hpp).
    std::unique_ptr<CCompositeDocumentChange> NewRemoval(const char* text);
    void TakeDrawing(CCompositeDocumentChange& change, CGraphObject* object);
    // The isochore's drawing and those of its trapping lines.
    void TakeIsochorDrawings(CCompositeDocumentChange& change, CIsochor* isochor);
    // Either may be null; each leaves whichever list of the document holds it.
    void RemoveIsochorPair(const char* text, CIsochor* first, CIsochor* second);
    void DeleteContents();
    // The crossings with a monophasic isochore that goes, and their drawings.
    void TakeCrossingsWith(CCompositeDocumentChange& change, const CIsochor& isochor);
    void TakeCrossing(CCompositeDocumentChange& change, CAqueousIsochor& isochor, CAqueousCrossing* crossing);
    void UnplotAqueousCrossing(CAqueousCrossing& crossing);
    void PlotAqueousCrossing(CAqueousCrossing& crossing);
    DrawnRecord FindDrawnAqueousRecord(const CGraphObject* object);

    std::unique_ptr<CPhaseDiagView> mPlotView;
    std::vector<std::unique_ptr<CVolumePlotView>> mVTPlots;
    CTrappingLine mAqueousHomogLine;
};

// What the calculation interface needs of an isopleth.
zephon::thermo::IsoplethData ToIsoplethData(const CIsopleth& isopleth);
// What it needs of a fluid model.
std::vector<zephon::thermo::ModelFluidComponent> ToComponents(const CModelFluid& fluid);
