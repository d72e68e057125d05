// SPDX-License-Identifier: BSD-3-Clause
#include "app/panel_alpha_beta_fluids.hpp"

#include <cmath>

#include "documents/alpha_beta_plot_document.hpp"
#include "thermo/calculation_interface.hpp"

namespace {

const char* const kNoPlot = "No alpha-beta plot";
const char* const kNewFluid = "New Alpha-Beta Fluid";
const char* const kNone = "None";

bool IsAlpha(double value) {
    return value > 0 && value < 1;
}
bool IsBeta(double value) {
    return value >= 0 && value < 1;
}

const void* ReferenceOf(const CRecord* record) {
    return static_cast<const void*>(record);
}

// A log label holding one "%.4f", filled in the "C" locale.
std::string FillLabel(std::string label, double value) {
    const auto at = label.find("%.4f");
    if (at != std::string::npos) label.replace(at, 4, FieldText(value, 4));
    return label;
}

} // namespace

CAlphaBetaFluidsPage::CAlphaBetaFluidsPage(CApplicationCore& core)
    : CPlotDocumentPage(core, "Alpha-Beta Fluids", CAppNotification::AlphaBetaPlotSelection,
                        {CAppNotification::AlphaBetaPlotModified}) {
    const char* defaults[kFieldCount] = {"0.0000", "0.0000", "0.00", "0.00", "0.00"};
    for (int i = 0; i < kFieldCount; ++i)
        mFields[i].text = defaults[i];
    Refresh();
}

CAlphaBetaFluidsPage::~CAlphaBetaFluidsPage() = default;

CAlphaBetaPoint* CAlphaBetaFluidsPage::SelectedPoint() const {
    const int index = mFluids.selected - 1;
    if (mDocument == nullptr || index < 0 || index >= static_cast<int>(mPoints.size())) return nullptr;
    CAlphaBetaPoint* point = mPoints[index];
    return mDocument->mAlphaBetaPointsList.mList.Contains(point) ? point : nullptr;
}

CAlphaBetaCurve* CAlphaBetaFluidsPage::TiedCurve() const {
    const int index = mCurves.selected - 1;
    if (mDocument == nullptr || !mOnCurve.checked || index < 0 || index >= static_cast<int>(mCurveOf.size()))
        return nullptr;
    CAlphaBetaCurve* curve = mCurveOf[index];
    return mDocument->mAlphaBetaCurvesList.mList.Contains(curve) ? curve : nullptr;
}

void CAlphaBetaFluidsPage::Refresh() {
    mPoints.clear();
    mCurveOf.clear();
    if (mDocument == nullptr) {
        mFluids = {{kNoPlot}, 0, false};
        mCurves = {{kNone}, 0, false};
        UpdateControls();
        Changed();
        return;
    }
    std::vector<std::string> fluids{kNewFluid};
    for (CAlphaBetaPoint* point : mDocument->mAlphaBetaPointsList.mList) {
        mPoints.push_back(point);
        fluids.push_back(point->mAlphaBetaRecordEx.mName);
    }
    std::vector<std::string> curves{kNone};
    for (CAlphaBetaCurve* curve : mDocument->mAlphaBetaCurvesList.mList) {
        mCurveOf.push_back(curve);
        curves.push_back(curve->mInclusion.mInclusionName);
    }
    mFluids.Reset(std::move(fluids));
    mCurves.Reset(std::move(curves));
    UpdateControls();
    Changed();
}

void CAlphaBetaFluidsPage::UpdateControls() {
    const bool ready = mDocument != nullptr;
    mFluids.enabled = ready;
    mOnCurve.enabled = ready && !mCurveOf.empty();
    if (!mOnCurve.enabled) mOnCurve.checked = false;
    mCurves.enabled = mOnCurve.enabled && mOnCurve.checked;
    for (CFieldControl& field : mFields)
        field.enabled = ready;
    mSetMarker.enabled = mLog.enabled = mGenerate.enabled = ready;
    mRemoveMarker.enabled = SelectedPoint() != nullptr;
}

std::optional<CAlphaBetaFluidsPage::Fluid> CAlphaBetaFluidsPage::PeekFluid() const {
    const auto alpha = PeekField(mFields[kAlpha].text, IsAlpha);
    const auto beta = PeekField(mFields[kBeta].text, IsBeta);
    const auto gases = PeekGasFields(mFields[kCO2].text, mFields[kN2].text, mFields[kH2S].text);
    if (!alpha || !beta || !gases) return std::nullopt;
    return Fluid{*alpha, *beta, *gases};
}

std::optional<CAlphaBetaFluidsPage::Fluid> CAlphaBetaFluidsPage::ReadFluid() {
    const auto alpha = ReadField(kAlpha, mFields[kAlpha].text, "The alpha value is not valid.", IsAlpha);
    if (!alpha) return std::nullopt;
    const auto beta = ReadField(kBeta, mFields[kBeta].text, "The beta value is not valid.", IsBeta);
    if (!beta) return std::nullopt;
    const auto gases =
        ReadGasFields(kCO2, mFields[kCO2].text, kN2, mFields[kN2].text, kH2S, mFields[kH2S].text);
    if (!gases) return std::nullopt;
    return Fluid{*alpha, *beta, *gases};
}

void CAlphaBetaFluidsPage::ShowFluid(const Fluid& fluid) {
    mFields[kAlpha].text = FieldText(fluid.alpha, 4);
    mFields[kBeta].text = FieldText(fluid.beta, 4);
    mFields[kCO2].text = FieldText(fluid.gases.co2, 2);
    mFields[kN2].text = FieldText(fluid.gases.n2, 2);
    mFields[kH2S].text = FieldText(fluid.gases.h2s, 2);
}

void CAlphaBetaFluidsPage::UpdateResults() {
    mComputed = false;
    const auto fluid = PeekFluid();
    if (fluid) {
        // A fresh interface each time, so that a result never depends on the fluids before it.
        zephon::thermo::CCalculationInterface calculation(1);
        calculation.mAlpha = fluid->alpha;
        calculation.mBeta = fluid->beta;
        calculation.mCO2 = fluid->gases.co2 / 100;
        calculation.mN2 = fluid->gases.n2 / 100;
        calculation.mH2S = fluid->gases.h2s / 100;
        calculation.Finalize();
        calculation.CalculateGOR();
        mComputed = calculation.system().errorflag == 0 && std::isfinite(calculation.mGOR) &&
                    std::isfinite(calculation.mAPI) && std::isfinite(calculation.mCH4) &&
                    std::isfinite(calculation.mMolarWeight) && calculation.mLiqMolarWeight > 0 &&
                    calculation.mMassVolLiq > 0;
        if (mComputed) {
            mResults[kGOR].text = GroupedFieldText(calculation.mGOR, 2);
            mResults[kAPI].text = GroupedFieldText(calculation.mAPI, 2);
            mResults[kCH4].text = GroupedFieldText(calculation.mCH4, 2);
            mMolarWeight = calculation.mMolarWeight;
            mLiqMolarWeight = calculation.mLiqMolarWeight;
            mMassVolLiq = calculation.mMassVolLiq;
        }
    }
    if (!mComputed) {
        for (CFieldControl& result : mResults)
            result.text.clear();
        mMolarWeight = mLiqMolarWeight = mMassVolLiq = 0;
    }
}

void CAlphaBetaFluidsPage::FieldChanged(int field) {
    if (CAlphaBetaCurve* curve = TiedCurve(); curve != nullptr && (field == kAlpha || field == kBeta)) {
        if (const auto value = PeekField(mFields[field].text)) {
            if (field == kAlpha) {
                const double beta = curve->GetBetaFromAlpha(*value);
                if (beta != -1) mFields[kBeta].text = FieldText(beta, 4);
            } else {
                const double alpha = curve->GetAlphaFromBeta(*value);
                if (alpha != -1) mFields[kAlpha].text = FieldText(alpha, 4);
            }
        }
    }
    const auto alpha = PeekField(mFields[kAlpha].text), beta = PeekField(mFields[kBeta].text);
    if (alpha && beta) mDocument->GetPlotView().SetSelectedPoint(*alpha, *beta);
    UpdateResults();
}

void CAlphaBetaFluidsPage::EditField(int field, const std::string& text) {
    if (mDocument == nullptr || field < 0 || field >= kFieldCount) return;
    mFields[field].text = text;
    // Values of one's own are a new fluid, no longer the marker they were taken from.
    if (mFluids.selected > 0) {
        mFluids.selected = 0;
        Highlight(mDocument->GetPlotView(), {});
    }
    FieldChanged(field);
    UpdateControls();
    Changed();
}

void CAlphaBetaFluidsPage::Step(int field, int direction) {
    if (mDocument == nullptr || (field != kAlpha && field != kBeta)) return;
    auto value = PeekField(mFields[field].text);
    if (!value) return;
    if (direction > 0 && *value < 0.99)
        *value += kStep;
    else if (direction < 0 && *value > 0.01)
        *value -= kStep;
    else
        return;
    EditField(field, FieldText(*value, 4));
}

void CAlphaBetaFluidsPage::SelectFluid(int index) {
    if (mDocument == nullptr || index < 0 || index >= static_cast<int>(mFluids.entries.size())) return;
    mFluids.selected = index;
    CAlphaBetaPoint* point = SelectedPoint();
    if (point != nullptr) {
        const CAlphaBetaRecordEx& fluid = point->mAlphaBetaRecordEx;
        ShowFluid({fluid.mAlpha, fluid.mBeta, {fluid.mCO2, fluid.mN2, fluid.mH2S}});
        UpdateResults();
    }
    Highlight(mDocument->GetPlotView(), {point ? point->mGraphPoint : nullptr});
    UpdateControls();
    Changed();
}

void CAlphaBetaFluidsPage::SelectCurve(int index) {
    if (mDocument == nullptr || index < 0 || index >= static_cast<int>(mCurves.entries.size())) return;
    mCurves.selected = index;
    // A fluid tied to a curve is an oil of that inclusion: it has the inclusion's gases.
    if (CAlphaBetaCurve* curve = TiedCurve()) {
        mFields[kCO2].text = FieldText(curve->mInclusion.mCO2, 2);
        mFields[kN2].text = FieldText(curve->mInclusion.mN2, 2);
        mFields[kH2S].text = FieldText(curve->mInclusion.mH2S, 2);
        Highlight(mDocument->GetPlotView(), {curve->mGraphCurve});
        FieldChanged(kAlpha);
    }
    UpdateControls();
    Changed();
}

void CAlphaBetaFluidsPage::SetOnCurve(bool onCurve) {
    if (mDocument == nullptr || !mOnCurve.enabled) return;
    mOnCurve.checked = onCurve;
    SelectCurve(onCurve && mCurves.selected < 1 ? 1 : mCurves.selected);
}

CAlphaBetaPoint* CAlphaBetaFluidsPage::SetMarker() {
    if (mDocument == nullptr) return nullptr;
    const auto fluid = ReadFluid();
    if (!fluid) return nullptr;
    CAlphaBetaPoint* point = mDocument->AddAlphaBetaPoint(fluid->alpha, fluid->beta, fluid->gases.co2,
                                                          fluid->gases.n2, fluid->gases.h2s, "", TiedCurve());
    Refresh();
    for (std::size_t i = 0; i < mPoints.size(); ++i)
        if (mPoints[i] == point) SelectFluid(static_cast<int>(i) + 1);
    return point;
}

void CAlphaBetaFluidsPage::RemoveMarker() {
    CAlphaBetaPoint* point = SelectedPoint();
    if (point == nullptr) return;
    mDocument->RemoveAlphaBetaPoint(point);
    Refresh();
    SelectFluid(0);
}

CFluidModelDataDocument* CAlphaBetaFluidsPage::GenerateFluidModel() {
    if (mDocument == nullptr) return nullptr;
    const auto fluid = ReadFluid();
    if (!fluid) return nullptr;
    return mDocument->GenerateFluidModel(fluid->alpha, fluid->beta, fluid->gases.co2 / 100,
                                         fluid->gases.n2 / 100, fluid->gases.h2s / 100);
}

std::string CAlphaBetaFluidsPage::LogText() {
    if (mDocument == nullptr) return "";
    const auto fluid = ReadFluid();
    if (!fluid) return "";
    UpdateResults(); // for exactly these values
    Changed();
    const CAlphaBetaPoint* point = SelectedPoint();
    const std::string name =
        point ? point->mAlphaBetaRecordEx.mName
              : CAlphaBetaPlotDocument::SetFluidName(fluid->alpha, fluid->beta, fluid->gases.co2,
                                                     fluid->gases.n2, fluid->gases.h2s, TiedCurve());
    std::vector<std::string> lines{
        "Alpha-beta fluid : " + name,
        "\talpha = " + FieldText(fluid->alpha, 4) + ", beta = " + FieldText(fluid->beta, 4),
        "\tCO2 = " + FieldText(fluid->gases.co2, 2) + "%, N2 = " + FieldText(fluid->gases.n2, 2) +
            "%, H2S = " + FieldText(fluid->gases.h2s, 2) + "%",
    };
    if (mComputed) {
        lines.push_back("        GOR (Stdm3/Stdm3)                             : " + mResults[kGOR].text);
        lines.push_back("        API degree                                    : " + mResults[kAPI].text);
        lines.push_back(FillLabel(zephon::thermo::kBulkMolarWeightLogLabel, mMolarWeight));
        lines.push_back("        Molar weight of the tank liquid (g/mol)       : " +
                        FieldText(mLiqMolarWeight, 2));
        // The interface keeps the liquid's specific volume; the line reports its density.
        lines.push_back("        Specific density of the tank liquid (g/cm3)   : " +
                        FieldText(1 / mMassVolLiq, 4));
    } else {
        lines.push_back(
            "        The GOR, the API degree and the densities of this fluid could not be computed.");
    }
    return LogLines(lines);
}

void CAlphaBetaFluidsPage::FollowPlotSelection() {
    const CGraphObject* selected = mDocument->GetPlotView().GetSelectedObject();
    if (selected == nullptr) return;
    // Addresses are compared first; a record is read only once it is known to be the document's.
    for (std::size_t i = 0; i < mPoints.size(); ++i) {
        if (selected->mReferenceObject != ReferenceOf(mPoints[i]) ||
            !mDocument->mAlphaBetaPointsList.mList.Contains(mPoints[i]))
            continue;
        mFluids.selected = static_cast<int>(i) + 1;
        const CAlphaBetaRecordEx& fluid = mPoints[i]->mAlphaBetaRecordEx;
        ShowFluid({fluid.mAlpha, fluid.mBeta, {fluid.mCO2, fluid.mN2, fluid.mH2S}});
        UpdateResults();
        UpdateControls();
        Changed();
        return;
    }
    for (std::size_t i = 0; i < mCurveOf.size(); ++i) {
        if (selected->mReferenceObject != ReferenceOf(mCurveOf[i]) ||
            !mDocument->mAlphaBetaCurvesList.mList.Contains(mCurveOf[i]))
            continue;
        mCurves.selected = static_cast<int>(i) + 1;
        if (TiedCurve() != nullptr) {
            const CInclusionRecord& inclusion = mCurveOf[i]->mInclusion;
            mFields[kCO2].text = FieldText(inclusion.mCO2, 2);
            mFields[kN2].text = FieldText(inclusion.mN2, 2);
            mFields[kH2S].text = FieldText(inclusion.mH2S, 2);
            UpdateResults();
        }
        UpdateControls();
        Changed();
        return;
    }
}
