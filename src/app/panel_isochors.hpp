// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The "Isochors" page of the phase-diagram panel: for a diagram of the current P-T document, the
// isochore pair through an inclusion's homogenisation temperature (of an open inclusion file or
// typed in), its bulk density, and its log.

#include <string>
#include <vector>

#include "app/panel_page.hpp"

class CPhaseDiagDocument;
class CPhaseDiagram;
class CIsochor;

class CIsochorsPage : public CPlotDocumentPage<CPhaseDiagDocument> {
  public:
    enum Field { kTh };
    enum Result { kBulkDensity, kAPI, kGOR };
    static constexpr int kResultCount = 3;

    explicit CIsochorsPage(CApplicationCore& core);

    // "Select the isopleth": the diagrams of the document.
    const CListControl& Isopleths() const { return mIsopleths; }
    // "Select the inclusion".
    const CListControl& Inclusions() const { return mInclusions; }
    const CFieldControl& Th() const { return mTh; }
    // "Liq." checked; "Gas" is the other one.
    const CButtonControl& Liquid() const { return mLiquid; }
    // Read-only: "Bulk density (g/cm3)", "API °", "GOR (Std m3/Std m3)".
    const CFieldControl& Result(int result) const { return mResults.at(result); }
    const CButtonControl& CalculateButton() const { return mCalculate; }
    const CButtonControl& LogButton() const { return mLog; }

    void SelectIsopleth(int index);
    void SelectInclusion(int index);
    void EditTh(const std::string& text);
    void SetLiquid(bool liquid);
    // The pair through Th on the selected diagram (the document tells of failures); its
    // monophasic half, or null.
    CIsochor* CalculateIsochor();
    // The lines "Write to Log" writes.
    std::string LogText() const;

    void Refresh() override;

  protected:
    void FollowPlotSelection() override;

  private:
    struct Entry {
        enum Kind { New, Inclusion, Pair } kind = New;
        double th = 0;
        int homog = 1;
        CIsochor* biphasic = nullptr;
    };

    CPhaseDiagram* SelectedDiagram() const;
    void RebuildInclusions();
    void ApplyInclusionSelection(bool followedOnPlot);
    // A typed Th or type: an existing pair is selected; when the person typed it, the plot's
    // point follows.
    void ThChanged(bool byPerson);
    void ShowDiagramResults(const CPhaseDiagram* diagram);
    void HighlightPair(CPhaseDiagram* diagram, const CIsochor* biphasic);
    static bool HoldsBiphasic(const CPhaseDiagram& diagram, const CIsochor* isochor);
    CIsochor* PartnerOf(const CPhaseDiagram& diagram, const CIsochor& isochor, bool biphasic) const;
    void PlaceSelectedPoint(const CPhaseDiagram& diagram, double th);
    void Disable();

    std::vector<CPhaseDiagram*> mDiagrams;
    std::vector<Entry> mEntries;
    CListControl mIsopleths;
    CListControl mInclusions;
    CFieldControl mTh{"0.00", false, true};
    CButtonControl mLiquid{true, true};
    std::vector<CFieldControl> mResults =
        std::vector<CFieldControl>(kResultCount, CFieldControl{"", true, true});
    CButtonControl mCalculate, mLog;
};
