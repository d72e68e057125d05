// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The "Isopleths" page of the phase-diagram panel: the phase envelope of an alpha-beta fluid (typed
// in, or a marker of an open alpha-beta plot) or of an open fluid model, computed into the current
// P-T diagram; the fluids already computed are listed with "  - calc." after their name.

#include <vector>

#include "app/panel_page.hpp"

class CPhaseDiagDocument;
class CPhaseDiagram;

class CIsoplethsPage : public CPlotDocumentPage<CPhaseDiagDocument> {
  public:
    enum Field { kAlpha, kBeta, kCO2, kN2, kH2S };
    static constexpr int kFieldCount = 5;
    static constexpr const char* kCalculated = "  - calc.";

    explicit CIsoplethsPage(CApplicationCore& core);

    // "Use Alpha-Beta Model" checked; "Use Fluid Model" is the other one.
    const CButtonControl& UseAlphaBeta() const { return mUseAlphaBeta; }
    const CListControl& AlphaBetaModels() const { return mAlphaBetaList; }
    const CListControl& FluidModels() const { return mFluidList; }
    const CFieldControl& Field(int field) const { return mFields.at(field); }
    const CButtonControl& CalculateButton() const { return mCalculate; }

    void SetUseAlphaBeta(bool alphaBeta);
    void SelectAlphaBetaModel(int index);
    void SelectFluidModel(int index);
    void EditField(int field, const std::string& text);
    // Computes the envelope of the chosen fluid, or selects its diagram when it exists already.
    CPhaseDiagram* CalculateIsopleth();

    void Refresh() override;

  protected:
    void FollowPlotSelection() override;

  private:
    struct AlphaBetaEntry {
        enum Kind { New, Fluid, Diagram } kind = New;
        double alpha = 0, beta = 0;
        CGasContents gases; // mole percent
        CPhaseDiagram* diagram = nullptr;
    };
    struct FluidEntry {
        std::string fluidName; // empty for "None" and for diagrams
        CPhaseDiagram* diagram = nullptr;
    };

    void ApplyAlphaBetaSelection(bool highlight);
    void ShowValues(double alpha, double beta, const CGasContents& gases, bool readOnly);
    void ResetFields();
    void UpdateControls();
    CPhaseDiagram* Valid(CPhaseDiagram* diagram) const;
    void HiliteThePhaseDiagram(CPhaseDiagram* diagram);

    CButtonControl mUseAlphaBeta{true, true};
    std::vector<AlphaBetaEntry> mAlphaBetaEntries;
    std::vector<FluidEntry> mFluidEntries;
    CListControl mAlphaBetaList;
    CListControl mFluidList;
    std::vector<CFieldControl> mFields = std::vector<CFieldControl>(kFieldCount);
    CButtonControl mCalculate;
};
