// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The "Alpha-Beta Curves" page of the alpha-beta panel: the inclusions of the open inclusion files
// and the curves of the current alpha-beta plot in one list; computing the curve of an inclusion (or
// of values typed in) and removing a curve.

#include <memory>
#include <string>
#include <vector>

#include "app/panel_page.hpp"
#include "data/inclusion_record.hpp"

class CAlphaBetaPlotDocument;
class CAlphaBetaCurve;

class CAlphaBetaCurvesPage : public CPlotDocumentPage<CAlphaBetaPlotDocument> {
  public:
    enum Field { kTh, kBubble, kTfv, kCO2, kN2, kH2S };
    static constexpr int kFieldCount = 6;

    explicit CAlphaBetaCurvesPage(CApplicationCore& core);

    const CListControl& Inclusions() const { return mList; }
    const CFieldControl& Field(int field) const { return mFields.at(field); }
    // "Liquid" checked; "Gas" is the other one.
    const CButtonControl& Liquid() const { return mLiquid; }
    const CButtonControl& CalculateButton() const { return mCalculate; }
    const CButtonControl& RemoveButton() const { return mRemove; }

    // ---- what the person does ----

    void SelectEntry(int index);
    void EditField(int field, const std::string& text);
    void SetLiquid(bool liquid);
    // Reads the fields, then computes the curve in a progress loop and selects it. An inclusion
    // whose curve exists already selects that curve instead. The stored curve, or null.
    CAlphaBetaCurve* CalculateCurve();
    void RemoveCurve();

    void Refresh() override;

  protected:
    void FollowPlotSelection() override;

  private:
    struct Entry {
        enum Kind { New, Inclusion, Curve } kind = New;
        CInclusionRecord inclusion; // a copy: the inclusion file may change or close
        CAlphaBetaCurve* curve = nullptr;
    };

    const Entry* SelectedEntry() const;
    // Fills the fields from the selected entry and highlights its curve.
    void ApplySelection();
    void ShowInclusion(const CInclusionRecord& inclusion, bool readOnly);
    void UpdateButtons();
    // The fields, when all six are numbers.
    std::optional<CInclusionRecord> PeekInclusion() const;
    int IndexOfCurve(const CAlphaBetaCurve* curve) const;
    bool HoldsCurve(const CAlphaBetaCurve* curve) const;

    std::vector<Entry> mEntries;
    CListControl mList;
    std::vector<CFieldControl> mFields = std::vector<CFieldControl>(kFieldCount);
    CButtonControl mLiquid{true, true};
    CButtonControl mCalculate;
    CButtonControl mRemove;
};
