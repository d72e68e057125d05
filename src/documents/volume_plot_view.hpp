// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// A volume-temperature plot: the bubble volume percent of inclusions (their measurements) and of
// computed two-phase isochores against temperature. It is a view of a P-T document, which keeps it
// and saves it in its file; the plot holds copies of what it shows, so later edits of the inclusion
// data or of the diagrams do not change it.

#include <functional>
#include <memory>
#include <string>

#include "data/inclusion_record.hpp"
#include "data/phase_diagram_record.hpp"
#include "documents/application_services.hpp"
#include "documents/document_changes.hpp"
#include "plot/plot_view.hpp"

// Commands of the volume-temperature plot's context menus.
enum class CVolumePlotCommand : int {
    IsochorsDialog = kFirstViewCommand + 100, // "Isochors Dialog..."
    InclusionDataDialog,                      // "Inclusion Data Dialog..."
    RemoveCurve,                              // "Remove Bubble(T) curve"
    RemoveInclusionData,                      // "Remove Bubble(T) inclusion data"
};

class CVolumePlotView : public CPlotView {
  public:
    explicit CVolumePlotView(CApplicationServices* services = nullptr);

    // The base defaults, then 0 to 100 degrees against 0 to 20 % (limits -100 to 600 and 0 to 100),
    // legend at (40, 10), six ticks each, no decimals.
    void InitializeAxes();
    // Asks the window to repaint.
    void Redraw() { RequestRedraw(); }

    // Told after every addition or removal of a plotted inclusion or isochore (not while reading),
    // so that the P-T document that keeps the plot is marked modified.
    void SetContentChangedHandler(std::function<void()> handler) { mContentChanged = std::move(handler); }
    // Removals are undoable steps of the P-T document that keeps the plot: it runs them. Without a
    // runner they are applied at once.
    using ChangeRunner = std::function<void(std::unique_ptr<CDocumentChange>)>;
    void SetChangeRunner(ChangeRunner runner) { mRunChange = std::move(runner); }
    // Expires when the plot goes (its window closed): undo steps that touch it leave it alone then.
    std::weak_ptr<const void> Life() const { return mLife; }

    // Plots a copy of the inclusion (default look: size 3, shape 3, red) and returns it.
    CInclusionRecordEx* AddInclusion(const CInclusionRecordEx& inclusion);
    // Removes a plotted inclusion and its drawing.
    void RemoveInclusion(CInclusionRecordEx* inclusion);
    // Plots a copy of the isochore under its plotted name and returns it.
    CIsochor* AddIsochor(const CIsochor& isochor);
    void RemoveIsochor(CIsochor* isochor);
    // The removal of every plotted copy of a diagram's isochore as a step of a larger change (the
    // removal of its diagram); null when none is plotted.
    std::unique_ptr<CDocumentChange> PlottedCopiesRemoval(const CIsochor& isochor);

    // The name a plotted copy carries, given once when it is plotted: an isochore of a diagram is
    // told apart from those of other diagrams by the diagram's name up to its first ":", a blank,
    // then its own name, unless its own name already begins with that (default names do).
    static std::string PlottedIsochorName(const CIsochor& isochor);

    // The measurements of a plotted inclusion as a list of points; the plot only ever widens.
    void PlotDataPoints(CInclusionRecordEx* inclusion);
    // A plotted isochore's bubble volume along temperature as a curve.
    void PlotVTCurve(CIsochor* isochor);

    // What the legend lists: an inclusion's name with its Th ("FI-1 (Th 74.6 °C)"), an isochore's
    // Th and homogenisation ("Th 74.6 °C, L"), preceded by its diagram's name when the plot shows
    // isochores of several diagrams.
    static std::string InclusionLegendText(const CInclusionRecord& inclusion);
    static std::string IsochorLegendText(const CIsochor& isochor, bool withDiagram);

    // An inclusion counts as plotted when a plotted copy has its name and exactly its values.
    bool IsInclusionPlotted(const CInclusionRecord& inclusion) const;
    bool IsIsochorPlotted(const std::string& name) const;
    // Whether a copy of the diagram's isochore is plotted: under its plotted name, or under its own
    // name as plots of older files keep it.
    bool IsIsochorPlotted(const CIsochor& isochor) const;

    // The section of a P-T file: plot format, the inclusions, the isochores.
    void Read(CDataHandleStream& stream);
    void Write(CDataHandleStream& stream);

    CInclusionList mPlottedInclusionsList;
    CIsochorsList mPlottedCurvesList;
    std::string mTitle; // the window's title, "<document>:<number>"

    bool OnMenuCommand(int command) override;

  protected:
    void NotifyObjectSelection() override;
    // A curve's or a list's look changed: the P-T document that keeps the plot has changed.
    void OnAppearanceChanged() override { ContentChanged(); }
    std::optional<CPlotContextMenu> GetContextMenu(CGraphObject* hit, zephon::plot::Point at) override;

  private:
    // Widens the default ranges to the given extremes (maxima already raised by 2 and capped),
    // makes them current and refreshes everything.
    void WidenRanges(double minT, double maxT, double minV, double maxV);
    void AddToLegend(CGraphObject* object);
    // The legend's entries of the plotted isochores, after one came or went.
    void RefreshIsochorLegend();
    // A new plotted copy's colour: that of the plotted inclusion or isochore of the same Th and
    // homogenisation, so that measurements and their isochore match, else the palette's next.
    zephon::plot::Color NewColor(double th, int homog) const;
    void ContentChanged();
    // The copies plotted for a diagram's isochore.
    std::vector<CIsochor*> PlottedCopies(const CIsochor& isochor) const;
    // One plotted record and its drawing out, as one undoable step; `after` (redraw, tell the
    // document) runs only while the plot exists.
    template <class Record>
    std::unique_ptr<CCompositeDocumentChange> Removal(const char* text, CDataList<Record>& list,
                                                      Record* record, CGraphObject* drawing,
                                                      bool tellDocument);
    void RunChange(std::unique_ptr<CDocumentChange> change);
    // The plotted record a drawn object stands for, when it is one of this plot's.
    CIsochor* PlottedIsochorOf(const CGraphObject* object) const;
    CInclusionRecordEx* PlottedInclusionOf(const CGraphObject* object) const;

    CApplicationServices* mServices;
    std::function<void()> mContentChanged;
    ChangeRunner mRunChange;
    std::shared_ptr<const int> mLife = std::make_shared<const int>(0);
};
