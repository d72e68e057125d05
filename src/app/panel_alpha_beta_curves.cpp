// SPDX-License-Identifier: BSD-3-Clause
#include "app/panel_alpha_beta_curves.hpp"

#include "documents/alpha_beta_plot_document.hpp"
#include "documents/data_documents.hpp"

namespace {

const char* const kNoPlot = "No alpha-beta plot";
const char* const kNewInclusion = "New Inclusion";

bool IsBubbleVolume(double value) {
    return value >= 0 && value < 100;
}

const void* ReferenceOf(const CAlphaBetaCurve* curve) {
    return static_cast<const void*>(static_cast<const CRecord*>(curve));
}

} // namespace

CAlphaBetaCurvesPage::CAlphaBetaCurvesPage(CApplicationCore& core)
    : CPlotDocumentPage(
          core, "Alpha-Beta Curves", CAppNotification::AlphaBetaPlotSelection,
          {CAppNotification::AlphaBetaPlotModified, CAppNotification::InclusionsDataDocModified}) {
    Refresh();
}

const CAlphaBetaCurvesPage::Entry* CAlphaBetaCurvesPage::SelectedEntry() const {
    if (mList.selected < 0 || mList.selected >= static_cast<int>(mEntries.size())) return nullptr;
    return &mEntries[mList.selected];
}

bool CAlphaBetaCurvesPage::HoldsCurve(const CAlphaBetaCurve* curve) const {
    return mDocument != nullptr && curve != nullptr && mDocument->mAlphaBetaCurvesList.mList.Contains(curve);
}

int CAlphaBetaCurvesPage::IndexOfCurve(const CAlphaBetaCurve* curve) const {
    for (std::size_t i = 0; i < mEntries.size(); ++i)
        if (mEntries[i].kind == Entry::Curve && mEntries[i].curve == curve) return static_cast<int>(i);
    return -1;
}

void CAlphaBetaCurvesPage::Refresh() {
    const Entry* before = SelectedEntry();
    const Entry::Kind kindBefore = before ? before->kind : Entry::New;
    mEntries.clear();
    if (mDocument == nullptr) {
        mList = {{kNoPlot}, 0, false};
        for (CFieldControl& field : mFields)
            field.enabled = false;
        UpdateButtons();
        Changed();
        return;
    }

    std::vector<std::string> texts;
    mEntries.push_back({});
    texts.push_back(kNewInclusion);
    // An inclusion is left out when its own curve is there: the curve of its name and its values,
    // so that inclusions of one name in two files stay apart.
    const auto hasCurve = [&](const CInclusionRecord& i) {
        CAlphaBetaCurve* curve = nullptr;
        return mDocument->IsCurveAlreadyCalculated(i.mTh, i.mTv, i.mFv, i.mHomog, i.mCO2, i.mN2, i.mH2S,
                                                   &curve) &&
               curve->mInclusion.mInclusionName == i.mInclusionName;
    };
    for (CInclusionDataDocument* file : Open<CInclusionDataDocument>(CDocumentKind::InclusionData)) {
        for (const CInclusionRecordEx* inclusion : file->mInclusionList.mInclusionData) {
            if (hasCurve(*inclusion)) continue;
            mEntries.push_back({Entry::Inclusion, *inclusion, nullptr});
            texts.push_back(inclusion->mInclusionName);
        }
    }
    for (CAlphaBetaCurve* curve : mDocument->mAlphaBetaCurvesList.mList) {
        mEntries.push_back({Entry::Curve, {}, curve});
        texts.push_back("> " + curve->mInclusion.mInclusionName);
    }
    mList.Reset(std::move(texts));
    mList.enabled = true;
    for (CFieldControl& field : mFields)
        field.enabled = true;
    // Values typed for a new inclusion stay while the list changes around them.
    if (SelectedEntry()->kind == Entry::New && kindBefore == Entry::New && !mFields[kTh].text.empty()) {
        UpdateButtons();
        Changed();
        return;
    }
    ApplySelection();
    Changed();
}

void CAlphaBetaCurvesPage::ShowInclusion(const CInclusionRecord& inclusion, bool readOnly) {
    const double values[kFieldCount] = {inclusion.mTh,  inclusion.mFv, inclusion.mTv,
                                        inclusion.mCO2, inclusion.mN2, inclusion.mH2S};
    for (int i = 0; i < kFieldCount; ++i)
        mFields[i] = {FieldText(values[i], 2), readOnly, true};
    mLiquid.checked = inclusion.mHomog == 1;
}

void CAlphaBetaCurvesPage::ApplySelection() {
    const Entry* entry = SelectedEntry();
    if (entry == nullptr) return;
    switch (entry->kind) {
    case Entry::New: {
        const char* defaults[kFieldCount] = {"100.0", "0.0", "20.0", "0.0", "0.0", "0.0"};
        for (int i = 0; i < kFieldCount; ++i)
            mFields[i] = {defaults[i], false, true};
        mLiquid.checked = true;
        break;
    }
    case Entry::Inclusion:
        ShowInclusion(entry->inclusion, true);
        break;
    case Entry::Curve:
        if (HoldsCurve(entry->curve)) ShowInclusion(entry->curve->mInclusion, true);
        break;
    }
    UpdateButtons();
}

void CAlphaBetaCurvesPage::UpdateButtons() {
    const Entry* entry = SelectedEntry();
    const bool ready = mDocument != nullptr && entry != nullptr;
    mCalculate.enabled = ready && entry->kind != Entry::Curve;
    mRemove.enabled = ready && entry->kind == Entry::Curve;
    mLiquid.enabled = ready && !mFields[kTh].readOnly;
}

void CAlphaBetaCurvesPage::SelectEntry(int index) {
    if (mDocument == nullptr || index < 0 || index >= static_cast<int>(mEntries.size())) return;
    mList.selected = index;
    ApplySelection();
    const Entry& entry = mEntries[index];
    CAlphaBetaCurve* curve = entry.kind == Entry::Curve && HoldsCurve(entry.curve) ? entry.curve : nullptr;
    if (entry.kind == Entry::Inclusion) {
        const CInclusionRecord& i = entry.inclusion;
        mDocument->IsCurveAlreadyCalculated(i.mTh, i.mTv, i.mFv, i.mHomog, i.mCO2, i.mN2, i.mH2S, &curve);
    }
    Highlight(mDocument->GetPlotView(), {curve ? curve->mGraphCurve : nullptr});
    Changed();
}

std::optional<CInclusionRecord> CAlphaBetaCurvesPage::PeekInclusion() const {
    std::optional<double> values[kFieldCount];
    for (int i = 0; i < kFieldCount; ++i) {
        values[i] = PeekField(mFields[i].text);
        if (!values[i]) return std::nullopt;
    }
    CInclusionRecord inclusion;
    inclusion.mTh = *values[kTh];
    inclusion.mFv = *values[kBubble];
    inclusion.mTv = *values[kTfv];
    inclusion.mCO2 = *values[kCO2];
    inclusion.mN2 = *values[kN2];
    inclusion.mH2S = *values[kH2S];
    inclusion.mHomog = mLiquid.checked ? 1 : 0;
    return inclusion;
}

void CAlphaBetaCurvesPage::EditField(int field, const std::string& text) {
    if (mDocument == nullptr || field < 0 || field >= kFieldCount || mFields[field].readOnly) return;
    mFields[field].text = text;
    SetLiquid(mLiquid.checked);
}

void CAlphaBetaCurvesPage::SetLiquid(bool liquid) {
    if (mDocument == nullptr || mFields[kTh].readOnly) return;
    mLiquid.checked = liquid;
    // Values that are those of a curve select the curve; others leave it again.
    CAlphaBetaCurve* match = nullptr;
    if (const auto i = PeekInclusion())
        mDocument->IsCurveAlreadyCalculated(i->mTh, i->mTv, i->mFv, i->mHomog, i->mCO2, i->mN2, i->mH2S,
                                            &match);
    if (match != nullptr) {
        mList.selected = IndexOfCurve(match);
        Highlight(mDocument->GetPlotView(), {match->mGraphCurve});
    } else if (SelectedEntry()->kind == Entry::Curve) {
        mList.selected = 0;
        Highlight(mDocument->GetPlotView(), {});
    }
    UpdateButtons();
    Changed();
}

CAlphaBetaCurve* CAlphaBetaCurvesPage::CalculateCurve() {
    const Entry* entry = SelectedEntry();
    if (mDocument == nullptr || entry == nullptr || !mCalculate.enabled) return nullptr;
    const auto th = ReadField(kTh, mFields[kTh].text, "Th is not a valid number.");
    if (!th) return nullptr;
    const auto fv =
        ReadField(kBubble, mFields[kBubble].text, "Bubble % volume is not a valid number.", IsBubbleVolume);
    if (!fv) return nullptr;
    const auto tfv = ReadField(kTfv, mFields[kTfv].text, "Tfv is not a valid number.");
    if (!tfv) return nullptr;
    const auto gases =
        ReadGasFields(kCO2, mFields[kCO2].text, kN2, mFields[kN2].text, kH2S, mFields[kH2S].text);
    if (!gases) return nullptr;

    // An inclusion of a file is computed with its own values, not with their rounded display.
    CInclusionRecord inclusion;
    if (entry->kind == Entry::Inclusion) {
        inclusion = entry->inclusion;
    } else {
        inclusion.mTh = *th;
        inclusion.mFv = *fv;
        inclusion.mTv = *tfv;
        inclusion.mCO2 = gases->co2;
        inclusion.mN2 = gases->n2;
        inclusion.mH2S = gases->h2s;
        inclusion.mHomog = mLiquid.checked ? 1 : 0;
    }
    const std::string name = mList.SelectedText();
    CAlphaBetaPlotDocument* document = mDocument;

    CAlphaBetaCurve* curve = nullptr;
    const CInclusionRecord& i = inclusion;
    const bool existed =
        document->IsCurveAlreadyCalculated(i.mTh, i.mTv, i.mFv, i.mHomog, i.mCO2, i.mN2, i.mH2S, &curve);
    if (!existed) curve = document->CalculateAlphaBetaCurve(inclusion, name);
    Refresh();
    if (curve != nullptr && HoldsCurve(curve)) SelectEntry(IndexOfCurve(curve));
    return curve;
}

void CAlphaBetaCurvesPage::RemoveCurve() {
    const Entry* entry = SelectedEntry();
    if (entry == nullptr || entry->kind != Entry::Curve || !HoldsCurve(entry->curve)) return;
    const int index = mList.selected;
    mDocument->RemoveAlphaBetaCurve(entry->curve);
    Refresh();
    SelectEntry(std::min(index, static_cast<int>(mEntries.size()) - 1));
}

void CAlphaBetaCurvesPage::FollowPlotSelection() {
    const CGraphObject* selected = mDocument->GetPlotView().GetSelectedObject();
    if (selected == nullptr) return;
    for (std::size_t i = 0; i < mEntries.size(); ++i) {
        if (mEntries[i].kind == Entry::Curve &&
            selected->mReferenceObject == ReferenceOf(mEntries[i].curve)) {
            mList.selected = static_cast<int>(i);
            ApplySelection();
            Changed();
            return;
        }
    }
}
