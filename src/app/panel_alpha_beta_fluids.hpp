// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The "Alpha-Beta Fluids" page of the alpha-beta panel: a fluid given by alpha, beta and its gases,
// free or tied to a curve of the plot, with its gas-oil ratio, API gravity and methane content;
// markers on the plot, the fluid's log and the fluid model generated from it.

#include <memory>
#include <string>
#include <vector>

#include "app/panel_page.hpp"

class CAlphaBetaPlotDocument;
class CAlphaBetaCurve;
class CAlphaBetaPoint;
class CFluidModelDataDocument;

class CAlphaBetaFluidsPage : public CPlotDocumentPage<CAlphaBetaPlotDocument> {
  public:
    enum Field { kAlpha, kBeta, kCO2, kN2, kH2S };
    static constexpr int kFieldCount = 5;
    enum Result { kGOR, kAPI, kCH4 };
    static constexpr int kResultCount = 3;
    // The spin controls' step: up only below 0.99, down only above 0.01.
    static constexpr double kStep = 0.01;

    explicit CAlphaBetaFluidsPage(CApplicationCore& core);
    ~CAlphaBetaFluidsPage() override;

    const CListControl& Fluids() const { return mFluids; }
    const CListControl& Curves() const { return mCurves; }
    const CButtonControl& OnCurve() const { return mOnCurve; }
    const CFieldControl& Field(int field) const { return mFields.at(field); }
    // Read-only: "GOR (Std m3/Std m3)", "API degree", "CH4 Mole %".
    const CFieldControl& Result(int result) const { return mResults.at(result); }
    const CButtonControl& SetMarkerButton() const { return mSetMarker; }
    const CButtonControl& RemoveMarkerButton() const { return mRemoveMarker; }
    const CButtonControl& LogButton() const { return mLog; }
    const CButtonControl& GenerateButton() const { return mGenerate; }
    // The curve the fluid is tied to, or null.
    CAlphaBetaCurve* TiedCurve() const;

    // ---- what the person does ----

    void SelectFluid(int index);
    void SelectCurve(int index);
    void SetOnCurve(bool onCurve);
    void EditField(int field, const std::string& text);
    // The spin controls of alpha and beta: one step up (direction > 0) or down.
    void Step(int field, int direction);
    CAlphaBetaPoint* SetMarker();
    void RemoveMarker();
    CFluidModelDataDocument* GenerateFluidModel();
    // The lines "Log..." writes; empty when a field was refused.
    std::string LogText();

    void Refresh() override;

  protected:
    void FollowPlotSelection() override;

  private:
    struct Fluid {
        double alpha = 0, beta = 0;
        CGasContents gases;
    };
    // The fields as a fluid, silently; nothing unless all are valid.
    std::optional<Fluid> PeekFluid() const;
    // The fields as a fluid, refusals told.
    std::optional<Fluid> ReadFluid();
    void ShowFluid(const Fluid& fluid);
    // A typed change of alpha or beta: the other one follows the tied curve, the preview point
    // follows both, and the results are computed again.
    void FieldChanged(int field);
    void UpdateResults();
    void UpdateControls();
    CAlphaBetaPoint* SelectedPoint() const;

    std::vector<CAlphaBetaPoint*> mPoints;  // behind the fluid entries after the first
    std::vector<CAlphaBetaCurve*> mCurveOf; // behind the curve entries after "None"
    CListControl mFluids;
    CListControl mCurves;
    CButtonControl mOnCurve{true, false};
    std::vector<CFieldControl> mFields = std::vector<CFieldControl>(kFieldCount);
    std::vector<CFieldControl> mResults =
        std::vector<CFieldControl>(kResultCount, CFieldControl{"", true, true});
    CButtonControl mSetMarker, mRemoveMarker, mLog, mGenerate;

    bool mComputed = false; // the results belong to the fields
    double mMolarWeight = 0, mLiqMolarWeight = 0, mMassVolLiq = 0;
};
