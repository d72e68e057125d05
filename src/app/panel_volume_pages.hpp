// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The two pages of the "Bubble size variation" panel: measured inclusions and computed two-phase
// isochores moved in and out of the current volume-temperature plot.
//
// Both pages work on the current volume-temperature plot and on the P-T document that keeps it,
// whichever P-T diagram is current, so that the isochores offered are always those of the plot's
// own document.

#include <memory>
#include <vector>

#include "app/panel_page.hpp"

class CPhaseDiagDocument;
class CVolumePlotView;
class CInclusionRecordEx;
class CIsochor;

class CVolumePage : public CPanelPage {
  public:
    CPhaseDiagDocument* Document() const { return mDocument; }
    // The current plot, while its document still keeps it.
    CVolumePlotView* View() const;
    // "Non-plotted ..." and "Plotted ..." lists, and the two buttons between them.
    const CListControl& NonPlotted() const { return mNonPlotted; }
    const CListControl& Plotted() const { return mPlotted; }
    const CButtonControl& PlotButton() const { return mPlot; }
    const CButtonControl& RemoveButton() const { return mRemove; }

    void SelectNonPlotted(int index);
    void SelectPlotted(int index);
    // "... >>" and "<< ...".
    void Plot();
    void Remove();

    void Refresh() override;
    void OnAppNotification(CAppNotification notification) override;

  protected:
    CVolumePage(CApplicationCore& core, std::string title);
    void ForgetDocument(CWDocument& document) override;

    // The names of what may be plotted / of what is plotted, the records kept behind them.
    virtual std::vector<std::string> CollectNonPlotted(CPhaseDiagDocument& document,
                                                       CVolumePlotView& view) = 0;
    virtual std::vector<std::string> CollectPlotted(CVolumePlotView& view) = 0;
    virtual void PlotEntry(CVolumePlotView& view, int index) = 0;
    virtual void RemoveEntry(CVolumePlotView& view, int index) = 0;
    // What to highlight for an entry of either list.
    virtual void HighlightEntry(CVolumePlotView& view, bool plotted, int index) = 0;
    // The plotted entry the plot's selected object stands for, or -1.
    virtual int PlottedEntryOf(CVolumePlotView& view, const CGraphObject* object) = 0;

  private:
    void Follow();
    void FollowPlotSelection();

    CPhaseDiagDocument* mDocument = nullptr;
    CVolumePlotView* mView = nullptr;
    CListControl mNonPlotted, mPlotted;
    CButtonControl mPlot, mRemove;
};

class CVolumeInclusionsPage : public CVolumePage {
  public:
    explicit CVolumeInclusionsPage(CApplicationCore& core);
    ~CVolumeInclusionsPage() override;

  protected:
    std::vector<std::string> CollectNonPlotted(CPhaseDiagDocument& document, CVolumePlotView& view) override;
    std::vector<std::string> CollectPlotted(CVolumePlotView& view) override;
    void PlotEntry(CVolumePlotView& view, int index) override;
    void RemoveEntry(CVolumePlotView& view, int index) override;
    void HighlightEntry(CVolumePlotView& view, bool plotted, int index) override;
    int PlottedEntryOf(CVolumePlotView& view, const CGraphObject* object) override;

  private:
    CInclusionRecordEx* PlottedAt(CVolumePlotView& view, int index) const;

    // Copies: the inclusion files may change or close while they are offered.
    std::vector<std::unique_ptr<CInclusionRecordEx>> mOffered;
    std::vector<CInclusionRecordEx*> mPlottedRecords;
};

class CVolumeCurvesPage : public CVolumePage {
  public:
    explicit CVolumeCurvesPage(CApplicationCore& core);

  protected:
    std::vector<std::string> CollectNonPlotted(CPhaseDiagDocument& document, CVolumePlotView& view) override;
    std::vector<std::string> CollectPlotted(CVolumePlotView& view) override;
    void PlotEntry(CVolumePlotView& view, int index) override;
    void RemoveEntry(CVolumePlotView& view, int index) override;
    void HighlightEntry(CVolumePlotView& view, bool plotted, int index) override;
    int PlottedEntryOf(CVolumePlotView& view, const CGraphObject* object) override;

  private:
    CIsochor* OfferedAt(int index) const;
    CIsochor* PlottedAt(CVolumePlotView& view, int index) const;

    std::vector<CIsochor*> mOffered; // biphasic isochores of the document, checked before use
    std::vector<CIsochor*> mPlottedCopies;
};
