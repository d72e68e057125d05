// SPDX-License-Identifier: BSD-3-Clause
#include "app/panel_isochors.hpp"

#include "app/panel_phase_diagram_objects.hpp"
#include "documents/data_documents.hpp"
#include "documents/phase_diag_document.hpp"

namespace {

const char* const kNone = "None";
const char* const kNewInclusion = "New Inclusion";

} // namespace

CIsochorsPage::CIsochorsPage(CApplicationCore& core)
    : CPlotDocumentPage(core, "Isochors", CAppNotification::PTPlotSelection, PhaseDiagramPageChanges()) {
    Refresh();
}

CPhaseDiagram* CIsochorsPage::SelectedDiagram() const {
    const int index = mIsopleths.selected;
    if (mDocument == nullptr || index < 0 || index >= static_cast<int>(mDiagrams.size())) return nullptr;
    return HoldsDiagram(*mDocument, mDiagrams[index]) ? mDiagrams[index] : nullptr;
}

void CIsochorsPage::Disable() {
    mInclusions = {{kNone}, 0, false};
    mTh.enabled = mLiquid.enabled = false;
    mCalculate.enabled = mLog.enabled = false;
    for (CFieldControl& result : mResults)
        result.text.clear();
}

void CIsochorsPage::Refresh() {
    mDiagrams.clear();
    std::vector<std::string> names;
    if (mDocument != nullptr) {
        for (CPhaseDiagram* diagram : mDocument->mPhaseDiagramsList.mList) {
            mDiagrams.push_back(diagram);
            names.push_back(diagram->mName);
        }
    }
    const bool any = !names.empty();
    if (!any) names.push_back(kNone);
    mIsopleths.Reset(std::move(names), mIsopleths.selected);
    mIsopleths.enabled = any;
    RebuildInclusions();
    Changed();
}

void CIsochorsPage::RebuildInclusions() {
    const std::string before = mInclusions.SelectedText();
    const bool wasNew = before == kNewInclusion;
    mEntries.clear();
    CPhaseDiagram* diagram = SelectedDiagram();
    if (diagram == nullptr) {
        Disable();
        return;
    }
    std::vector<std::string> texts{kNewInclusion};
    mEntries.push_back({});
    for (CInclusionDataDocument* file : Open<CInclusionDataDocument>(CDocumentKind::InclusionData)) {
        for (const CInclusionRecordEx* inclusion : file->mInclusionList.mInclusionData) {
            double density = 0, volume = 0;
            if (diagram->IsIsochorAlreadyCalculated(inclusion->mTh, static_cast<char>(inclusion->mHomog),
                                                    density, volume, nullptr, nullptr))
                continue;
            mEntries.push_back({Entry::Inclusion, inclusion->mTh, inclusion->mHomog, nullptr});
            texts.push_back(inclusion->mInclusionName);
        }
    }
    if (diagram->mBiphIsochorsList) {
        for (CIsochor* isochor : diagram->mBiphIsochorsList->mList) {
            mEntries.push_back({Entry::Pair, isochor->mTh, isochor->mHomog, isochor});
            texts.push_back("> " + IsochorEntryText(isochor->mName));
        }
    }
    mInclusions.Reset(std::move(texts));
    mInclusions.enabled = true;
    mTh.enabled = mLiquid.enabled = true;
    // A temperature typed for a new inclusion stays while the lists change around it.
    if (wasNew && mInclusions.selected == 0) {
        ShowDiagramResults(diagram);
        ThChanged(false);
    } else {
        ApplyInclusionSelection(false);
    }
}

void CIsochorsPage::ShowDiagramResults(const CPhaseDiagram* diagram) {
    mResults[kAPI].text = diagram ? FieldText(diagram->mAPI, 2) : "";
    mResults[kGOR].text = diagram ? GroupedFieldText(diagram->mGOR, 2) : "";
}

CIsochor* CIsochorsPage::PartnerOf(const CPhaseDiagram& diagram, const CIsochor& isochor,
                                   bool biphasic) const {
    const CIsochorsList* list = biphasic ? diagram.mBiphIsochorsList.get() : diagram.mMonoIsochorsList.get();
    if (list == nullptr) return nullptr;
    for (CIsochor* candidate : list->mList)
        if (candidate->mName == isochor.mName) return candidate;
    return nullptr;
}

bool CIsochorsPage::HoldsBiphasic(const CPhaseDiagram& diagram, const CIsochor* isochor) {
    return isochor != nullptr && diagram.mBiphIsochorsList &&
           diagram.mBiphIsochorsList->mList.Contains(isochor);
}

void CIsochorsPage::HighlightPair(CPhaseDiagram* diagram, const CIsochor* biphasic) {
    if (mDocument == nullptr || diagram == nullptr) return;
    if (!HoldsBiphasic(*diagram, biphasic)) biphasic = nullptr;
    CGraphObject* liquid = diagram->mLiquidIsopleth ? diagram->mLiquidIsopleth->mGraphCurve : nullptr;
    CGraphObject* vapour = diagram->mVapourIsopleth ? diagram->mVapourIsopleth->mGraphCurve : nullptr;
    const CIsochor* mono = biphasic ? PartnerOf(*diagram, *biphasic, false) : nullptr;
    Highlight(mDocument->GetPlotView(), {liquid, vapour, biphasic ? biphasic->mGraphCurve : nullptr,
                                         mono ? mono->mGraphCurve : nullptr});
}

void CIsochorsPage::PlaceSelectedPoint(const CPhaseDiagram& diagram, double th) {
    if (!IsShown()) return;
    CPlotView& view = mDocument->GetPlotView();
    const char homog = mLiquid.checked ? 1 : 0;
    const double ph = diagram.GetPh(th, homog, view.GetSelectedPointY());
    view.SetSelectedPoint(th, ph);
}

void CIsochorsPage::ApplyInclusionSelection(bool followedOnPlot) {
    CPhaseDiagram* diagram = SelectedDiagram();
    if (diagram == nullptr || mInclusions.selected < 0) return;
    Entry entry = mEntries.at(mInclusions.selected);
    if (entry.kind == Entry::Pair && !HoldsBiphasic(*diagram, entry.biphasic)) entry = {};
    ShowDiagramResults(diagram);
    mResults[kBulkDensity].text.clear();
    mTh.text = FieldText(entry.kind == Entry::New ? 0.0 : entry.th, 2);
    mLiquid.checked = entry.kind == Entry::New || entry.homog == 1;
    const bool pair = entry.kind == Entry::Pair;
    if (pair) mResults[kBulkDensity].text = FieldText(entry.biphasic->mBulkDensity, 2);
    mCalculate.enabled = !pair;
    mLog.enabled = pair;
    if (followedOnPlot) {
        HighlightPair(diagram, pair ? entry.biphasic : nullptr);
        if (entry.kind != Entry::New) PlaceSelectedPoint(*diagram, entry.th);
    }
}

void CIsochorsPage::SelectIsopleth(int index) {
    if (index < 0 || index >= static_cast<int>(mDiagrams.size())) return;
    mIsopleths.selected = index;
    mInclusions.selected = 0;
    RebuildInclusions();
    mInclusions.selected = 0;
    ApplyInclusionSelection(true);
    Changed();
}

void CIsochorsPage::SelectInclusion(int index) {
    if (SelectedDiagram() == nullptr || index < 0 || index >= static_cast<int>(mEntries.size())) return;
    mInclusions.selected = index;
    ApplyInclusionSelection(true);
    Changed();
}

void CIsochorsPage::EditTh(const std::string& text) {
    if (SelectedDiagram() == nullptr) return;
    mTh.text = text;
    ThChanged(true);
    Changed();
}

void CIsochorsPage::SetLiquid(bool liquid) {
    if (SelectedDiagram() == nullptr) return;
    mLiquid.checked = liquid;
    ThChanged(true);
    Changed();
}

void CIsochorsPage::ThChanged(bool byPerson) {
    CPhaseDiagram* diagram = SelectedDiagram();
    const auto th = PeekField(mTh.text);
    if (diagram == nullptr || !th) {
        mCalculate.enabled = mLog.enabled = false;
        return;
    }
    if (byPerson) PlaceSelectedPoint(*diagram, *th);
    double density = 0, volume = 0;
    CIsochor* biphasic = nullptr;
    if (diagram->IsIsochorAlreadyCalculated(*th, mLiquid.checked ? 1 : 0, density, volume, &biphasic,
                                            nullptr) &&
        biphasic != nullptr) {
        for (std::size_t i = 0; i < mEntries.size(); ++i)
            if (mEntries[i].biphasic == biphasic) mInclusions.selected = static_cast<int>(i);
        if (byPerson) HighlightPair(diagram, biphasic);
        mResults[kBulkDensity].text = FieldText(biphasic->mBulkDensity, 2);
        mCalculate.enabled = false;
        mLog.enabled = true;
    } else {
        mInclusions.selected = 0;
        mResults[kBulkDensity].text.clear();
        mCalculate.enabled = true;
        mLog.enabled = false;
    }
}

CIsochor* CIsochorsPage::CalculateIsochor() {
    CPhaseDiagram* diagram = SelectedDiagram();
    if (diagram == nullptr || !mCalculate.enabled) return nullptr;
    const auto th = ReadField(kTh, mTh.text, "The homogenisation temperature is not valid.");
    if (!th) return nullptr;
    const int homog = mLiquid.checked ? 1 : 0;
    const double hint = mDocument->GetPlotView().GetSelectedPointY();
    double density = 0, volume = 0;
    CIsochor* mono = nullptr;
    CPhaseDiagDocument* document = mDocument;
    // The inclusion leaves the list once its pair exists; "New Inclusion" keeps Th meanwhile.
    mInclusions.selected = 0;
    document->CalculateIsochor(diagram, *th, homog, density, volume, &mono, hint);
    if (mDocument != document) return nullptr;
    mInclusions.selected = 0;
    RebuildInclusions();
    if (mInclusions.selected > 0) HighlightPair(diagram, mEntries[mInclusions.selected].biphasic);
    Changed();
    return mono;
}

std::string CIsochorsPage::LogText() const {
    CPhaseDiagram* diagram = SelectedDiagram();
    if (diagram == nullptr || !mLog.enabled) return "";
    // A diagram read from a file comes without its stock-tank liquid.
    if (diagram->mLiqMolarWeight <= 0 || diagram->mMassVolLiq <= 0)
        CPhaseDiagDocument::CompleteStockTankValues(*diagram);
    // The log names an isochore pair in full, as the list no longer does.
    const bool pair = mInclusions.selected >= 0 && mInclusions.selected < static_cast<int>(mEntries.size()) &&
                      mEntries[static_cast<std::size_t>(mInclusions.selected)].kind == Entry::Pair;
    const std::string chosen =
        pair ? "> " + mEntries[static_cast<std::size_t>(mInclusions.selected)].biphasic->mName
             : mInclusions.SelectedText();
    std::vector<std::string> lines{
        "Inclusion/Isochor :   " + chosen,
        "        Th (\xC2\xB0"
        "C) : " +
            mTh.text + (mLiquid.checked ? "   (Liquid)" : "   (Vapour)"),
    };
    if (const CAlphaBetaModel* model = diagram->mThermoModel.GetAlphaBetaModel()) {
        lines.push_back("  alpha = " + FieldText(model->mAlpha, 4) +
                        "  beta = " + FieldText(model->mBeta, 4));
        lines.push_back("      CO2 : " + FieldText(model->mCO2 * 100, 2) +
                        " %, N2 : " + FieldText(model->mN2 * 100, 2) +
                        " %, H2S : " + FieldText(model->mH2S * 100, 2) + " %");
    } else {
        lines.push_back("Fluid Composition Model " + mIsopleths.SelectedText());
    }
    lines.push_back("        GOR (Stdm3/Stdm3)                             : " + mResults[kGOR].text);
    lines.push_back("        API degree                                    : " + mResults[kAPI].text);
    lines.push_back("        Bulk density (g/cm3)                          : " + mResults[kBulkDensity].text);
    if (diagram->mLiqMolarWeight > 0 && diagram->mMassVolLiq > 0) {
        lines.push_back("        Molar weight of the tank liquid (g/mol)       : " +
                        FieldText(diagram->mLiqMolarWeight, 2));
        // The diagram keeps the liquid's specific volume; the line reports its density.
        lines.push_back("        Specific density of the tank liquid (g/cm3)   : " +
                        FieldText(1 / diagram->mMassVolLiq, 4));
    } else {
        lines.push_back("        The stock-tank liquid of this fluid could not be computed.");
    }
    CPhaseDiagDocument::CompleteKeyPoints(*diagram);
    const std::pair<const char*, const CEnvelopeKeyPoint*> keyPoints[] = {
        {"        Critical point (\xC2\xB0"
         "C, bar)                      : ",
         &diagram->mKeyPoints.mCritical},
        {"        Cricondenbar (\xC2\xB0"
         "C, bar)                        : ",
         &diagram->mKeyPoints.mCricondenbar},
        {"        Cricondentherm (\xC2\xB0"
         "C, bar)                      : ",
         &diagram->mKeyPoints.mCricondentherm}};
    for (const auto& [label, point] : keyPoints)
        if (point->mValid) lines.push_back(label + FieldText(point->mT, 3) + ", " + FieldText(point->mP, 3));
    lines.push_back("");
    return LogLines(lines);
}

void CIsochorsPage::FollowPlotSelection() {
    const CGraphObject* selected = mDocument->GetPlotView().GetSelectedObject();
    if (selected == nullptr) {
        Highlight(mDocument->GetPlotView(), {});
        if (SelectedDiagram() != nullptr) {
            mInclusions.selected = 0;
            ApplyInclusionSelection(false);
        }
        Changed();
        return;
    }
    const CPlotObjectRecord found = LocatePlotObject(*mDocument, selected);
    if (found.diagram == nullptr) return;
    for (std::size_t i = 0; i < mDiagrams.size(); ++i)
        if (mDiagrams[i] == found.diagram) mIsopleths.selected = static_cast<int>(i);
    mInclusions.selected = 0;
    RebuildInclusions();
    const CIsochor* biphasic = nullptr;
    if (found.isochor != nullptr)
        biphasic =
            found.isochor->mIsBiphasic ? found.isochor : PartnerOf(*found.diagram, *found.isochor, true);
    for (std::size_t i = 0; i < mEntries.size(); ++i)
        if (biphasic != nullptr && mEntries[i].biphasic == biphasic)
            mInclusions.selected = static_cast<int>(i);
    ApplyInclusionSelection(false);
    HighlightPair(found.diagram, biphasic);
    Changed();
}
