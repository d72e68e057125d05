// SPDX-License-Identifier: BSD-3-Clause
#include "app/panel_isopleths.hpp"

#include "app/panel_phase_diagram_objects.hpp"
#include "documents/alpha_beta_plot_document.hpp"
#include "documents/data_documents.hpp"
#include "documents/phase_diag_document.hpp"

namespace {

const char* const kNewEnvelope = "New Phase Envelope";
const char* const kNone = "None";

bool IsAlpha(double value) {
    return value > 0 && value < 1;
}
bool IsBeta(double value) {
    return value >= 0 && value < 1;
}

} // namespace

CIsoplethsPage::CIsoplethsPage(CApplicationCore& core)
    : CPlotDocumentPage(core, "Isopleths", CAppNotification::PTPlotSelection, PhaseDiagramPageChanges()) {
    ResetFields();
    Refresh();
}

CPhaseDiagram* CIsoplethsPage::Valid(CPhaseDiagram* diagram) const {
    return mDocument != nullptr && HoldsDiagram(*mDocument, diagram) ? diagram : nullptr;
}

void CIsoplethsPage::Refresh() {
    const std::string selectedBefore = mAlphaBetaList.SelectedText();
    mAlphaBetaEntries = {AlphaBetaEntry{}};
    mFluidEntries.clear();
    if (mDocument == nullptr) {
        mAlphaBetaList = {{kNewEnvelope}, 0, false};
        mFluidList = {{kNone}, 0, false};
        UpdateControls();
        Changed();
        return;
    }

    std::vector<std::string> alphaBeta{kNewEnvelope};
    for (CAlphaBetaPlotDocument* plot : Open<CAlphaBetaPlotDocument>(CDocumentKind::AlphaBetaPlot)) {
        for (const CAlphaBetaPoint* point : plot->mAlphaBetaPointsList.mList) {
            if (mDocument->IsAlreadyCalculated(point, nullptr)) continue;
            const CAlphaBetaRecordEx& fluid = point->mAlphaBetaRecordEx;
            mAlphaBetaEntries.push_back({AlphaBetaEntry::Fluid,
                                         fluid.mAlpha,
                                         fluid.mBeta,
                                         {fluid.mCO2, fluid.mN2, fluid.mH2S},
                                         nullptr});
            alphaBeta.push_back(fluid.mName);
        }
    }
    std::vector<std::string> fluids;
    for (CPhaseDiagram* diagram : mDocument->mPhaseDiagramsList.mList) {
        if (diagram->mThermoModel.mModelType != 1 || diagram->mThermoModel.GetAlphaBetaModel() == nullptr)
            continue;
        mAlphaBetaEntries.push_back({AlphaBetaEntry::Diagram, 0, 0, {}, diagram});
        alphaBeta.push_back(diagram->mName + kCalculated);
    }
    for (CFluidModelDataDocument* file : Open<CFluidModelDataDocument>(CDocumentKind::FluidModel)) {
        if (mDocument->IsAlreadyCalculated(&file->mModelFluid, nullptr)) continue;
        mFluidEntries.push_back({file->mModelFluid.mName, nullptr});
        fluids.push_back(file->mModelFluid.mName);
    }
    for (CPhaseDiagram* diagram : mDocument->mPhaseDiagramsList.mList) {
        if (diagram->mThermoModel.mModelType != 2) continue;
        mFluidEntries.push_back({"", diagram});
        fluids.push_back(diagram->mName + kCalculated);
    }
    if (fluids.empty()) {
        mFluidEntries.push_back({});
        fluids.push_back(kNone);
    }

    mAlphaBetaList.Reset(std::move(alphaBeta), mAlphaBetaList.selected);
    mFluidList.Reset(std::move(fluids), mFluidList.selected);
    // Values typed for a new envelope stay while the lists change around them.
    if (mAlphaBetaList.SelectedText() != selectedBefore ||
        mAlphaBetaEntries[mAlphaBetaList.selected].kind != AlphaBetaEntry::New)
        ApplyAlphaBetaSelection(false);
    UpdateControls();
    Changed();
}

void CIsoplethsPage::ResetFields() {
    const char* defaults[kFieldCount] = {"0.0000", "0.0000", "0.00", "0.00", "0.00"};
    for (int i = 0; i < kFieldCount; ++i)
        mFields[i] = {defaults[i], false, true};
}

void CIsoplethsPage::ShowValues(double alpha, double beta, const CGasContents& gases, bool readOnly) {
    const double values[kFieldCount] = {alpha, beta, gases.co2, gases.n2, gases.h2s};
    for (int i = 0; i < kFieldCount; ++i)
        mFields[i] = {FieldText(values[i], i < 2 ? 4 : 2), readOnly, true};
}

void CIsoplethsPage::ApplyAlphaBetaSelection(bool highlight) {
    const AlphaBetaEntry& entry = mAlphaBetaEntries.at(mAlphaBetaList.selected);
    CPhaseDiagram* diagram = nullptr;
    switch (entry.kind) {
    case AlphaBetaEntry::New:
        ResetFields();
        break;
    case AlphaBetaEntry::Fluid:
        ShowValues(entry.alpha, entry.beta, entry.gases, true);
        break;
    case AlphaBetaEntry::Diagram:
        diagram = Valid(entry.diagram);
        if (const CAlphaBetaModel* model = diagram ? diagram->mThermoModel.GetAlphaBetaModel() : nullptr)
            ShowValues(model->mAlpha, model->mBeta, {model->mCO2 * 100, model->mN2 * 100, model->mH2S * 100},
                       true);
        break;
    }
    if (highlight && mDocument != nullptr) HiliteThePhaseDiagram(diagram);
    UpdateControls();
}

void CIsoplethsPage::UpdateControls() {
    const bool ready = mDocument != nullptr;
    const bool alphaBeta = mUseAlphaBeta.checked;
    mUseAlphaBeta.enabled = ready;
    mAlphaBetaList.enabled = ready && alphaBeta;
    const bool anyFluid =
        !mFluidEntries.empty() && (mFluidEntries.size() > 1 || mFluidList.SelectedText() != kNone);
    mFluidList.enabled = ready && !alphaBeta && anyFluid;
    for (CFieldControl& field : mFields)
        field.enabled = ready && alphaBeta;
    if (!ready) {
        mCalculate.enabled = false;
    } else if (alphaBeta) {
        mCalculate.enabled = mAlphaBetaEntries.at(mAlphaBetaList.selected).kind != AlphaBetaEntry::Diagram;
    } else {
        const int index = std::max(mFluidList.selected, 0);
        mCalculate.enabled =
            index < static_cast<int>(mFluidEntries.size()) && !mFluidEntries[index].fluidName.empty();
    }
}

void CIsoplethsPage::HiliteThePhaseDiagram(CPhaseDiagram* diagram) {
    if (mDocument == nullptr) return;
    diagram = Valid(diagram);
    CGraphObject* liquid =
        diagram && diagram->mLiquidIsopleth ? diagram->mLiquidIsopleth->mGraphCurve : nullptr;
    CGraphObject* vapour =
        diagram && diagram->mVapourIsopleth ? diagram->mVapourIsopleth->mGraphCurve : nullptr;
    Highlight(mDocument->GetPlotView(), {liquid, vapour});
}

void CIsoplethsPage::SetUseAlphaBeta(bool alphaBeta) {
    if (mDocument == nullptr) return;
    mUseAlphaBeta.checked = alphaBeta;
    UpdateControls();
    Changed();
}

void CIsoplethsPage::SelectAlphaBetaModel(int index) {
    if (mDocument == nullptr || index < 0 || index >= static_cast<int>(mAlphaBetaEntries.size())) return;
    mAlphaBetaList.selected = index;
    ApplyAlphaBetaSelection(true);
    Changed();
}

void CIsoplethsPage::SelectFluidModel(int index) {
    if (mDocument == nullptr || index < 0 || index >= static_cast<int>(mFluidEntries.size())) return;
    mFluidList.selected = index;
    HiliteThePhaseDiagram(mFluidEntries[index].diagram);
    UpdateControls();
    Changed();
}

void CIsoplethsPage::EditField(int field, const std::string& text) {
    if (mDocument == nullptr || field < 0 || field >= kFieldCount || mFields[field].readOnly) return;
    mFields[field].text = text;
    Changed();
}

CPhaseDiagram* CIsoplethsPage::CalculateIsopleth() {
    if (mDocument == nullptr || !mCalculate.enabled) return nullptr;
    CPhaseDiagDocument* document = mDocument;
    CPhaseDiagram* diagram = nullptr;
    if (mUseAlphaBeta.checked) {
        const auto alpha = ReadField(kAlpha, mFields[kAlpha].text, "The alpha value is not valid.", IsAlpha);
        if (!alpha) return nullptr;
        const auto beta = ReadField(kBeta, mFields[kBeta].text, "The beta value is not valid.", IsBeta);
        if (!beta) return nullptr;
        const auto gases =
            ReadGasFields(kCO2, mFields[kCO2].text, kN2, mFields[kN2].text, kH2S, mFields[kH2S].text);
        if (!gases) return nullptr;
        // A marker of a plot is computed with its own values, not with their rounded display.
        AlphaBetaEntry fluid = mAlphaBetaEntries.at(mAlphaBetaList.selected);
        if (fluid.kind != AlphaBetaEntry::Fluid)
            fluid = {AlphaBetaEntry::New, *alpha, *beta, *gases, nullptr};
        const std::string name = fluid.kind == AlphaBetaEntry::New ? "" : mAlphaBetaList.SelectedText();

        if (document->IsAlreadyCalculated(fluid.alpha, fluid.beta, fluid.gases.co2, fluid.gases.n2,
                                          fluid.gases.h2s, &diagram)) {
            for (std::size_t i = 0; i < mAlphaBetaEntries.size(); ++i)
                if (mAlphaBetaEntries[i].diagram == diagram) mAlphaBetaList.selected = static_cast<int>(i);
            ApplyAlphaBetaSelection(true);
            Changed();
            return diagram;
        }
        diagram =
            document->CalculateImmiscibilityLoop(1, fluid.alpha, fluid.beta, fluid.gases.co2 / 100,
                                                 fluid.gases.n2 / 100, fluid.gases.h2s / 100, nullptr, name);
        if (mDocument != document) return nullptr;
        Refresh();
        mAlphaBetaList.selected = 0;
        ApplyAlphaBetaSelection(false);
        RequestFocus(kAlpha);
    } else {
        const FluidEntry entry = mFluidEntries.at(std::max(mFluidList.selected, 0));
        for (CFluidModelDataDocument* file : Open<CFluidModelDataDocument>(CDocumentKind::FluidModel)) {
            if (file->mModelFluid.mName != entry.fluidName) continue;
            diagram = document->CalculateImmiscibilityLoop(0, 0, 0, 0, 0, 0, &file->mModelFluid, "");
            break;
        }
        if (mDocument != document) return nullptr;
        Refresh();
    }
    Changed();
    return diagram;
}

void CIsoplethsPage::FollowPlotSelection() {
    const CGraphObject* selected = mDocument->GetPlotView().GetSelectedObject();
    if (selected == nullptr) {
        mAlphaBetaList.selected = 0;
        ApplyAlphaBetaSelection(false);
        Changed();
        return;
    }
    CPhaseDiagram* diagram = LocatePlotObject(*mDocument, selected).diagram;
    if (diagram == nullptr) return;
    if (diagram->mThermoModel.mModelType == 2) {
        mUseAlphaBeta.checked = false;
        for (std::size_t i = 0; i < mFluidEntries.size(); ++i)
            if (mFluidEntries[i].diagram == diagram) mFluidList.selected = static_cast<int>(i);
    } else {
        mUseAlphaBeta.checked = true;
        for (std::size_t i = 0; i < mAlphaBetaEntries.size(); ++i)
            if (mAlphaBetaEntries[i].diagram == diagram) mAlphaBetaList.selected = static_cast<int>(i);
        ApplyAlphaBetaSelection(false);
    }
    HiliteThePhaseDiagram(diagram);
    UpdateControls();
    Changed();
}
