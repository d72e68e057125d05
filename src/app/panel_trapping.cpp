// SPDX-License-Identifier: BSD-3-Clause
#include "app/panel_trapping.hpp"

#include "app/panel_phase_diagram_objects.hpp"
#include "documents/phase_diag_document.hpp"

CTrappingPage::CTrappingPage(CApplicationCore& core)
    : CPlotDocumentPage(core, "Trapping", CAppNotification::PTPlotSelection, PhaseDiagramPageChanges()) {
    InitializeAqueousControls();
    Refresh();
}

CTrappingPage::~CTrappingPage() {
    if (IsShown()) HideMarker();
}

CIsochor* CTrappingPage::SelectedIsochor() const {
    const int index = mList.selected;
    if (mDocument == nullptr || index < 0 || index >= static_cast<int>(mIsochors.size())) return nullptr;
    CIsochor* isochor = mIsochors[index];
    for (CPhaseDiagram* diagram : mDocument->mPhaseDiagramsList.mList)
        if (diagram->mMonoIsochorsList && diagram->mMonoIsochorsList->mList.Contains(isochor)) return isochor;
    return nullptr;
}

void CTrappingPage::Refresh() {
    CIsochor* before = SelectedIsochor();
    mIsochors.clear();
    std::vector<std::string> names;
    if (mDocument != nullptr) {
        for (CPhaseDiagram* diagram : mDocument->mPhaseDiagramsList.mList) {
            if (!diagram->mMonoIsochorsList) continue;
            for (CIsochor* isochor : diagram->mMonoIsochorsList->mList) {
                mIsochors.push_back(isochor);
                names.push_back(IsochorEntryText(isochor->mName));
            }
        }
    }
    const bool any = !names.empty();
    if (!any) names.push_back("None");
    mList.Reset(std::move(names), mList.selected);
    mList.enabled = any;
    mThaq.enabled = mDocument != nullptr;
    // The marker belonged to an isochore that is no longer the one selected.
    if (IsShown() && SelectedIsochor() != before) HideMarker();
    ShowTrapLine(false);
    UpdateAqueousControls();
    ShowCrossing();
    Changed();
}

void CTrappingPage::HideMarker() {
    if (mDocument != nullptr && mDocument->GetTemporaryAqueousHomogLine().mGraphCurve != nullptr) {
        mDocument->HideTemporaryAqueousHomogLine();
        mDocument->GetPlotView().Redraw();
    }
}

void CTrappingPage::ShowTrapLine(bool byPerson) {
    CIsochor* isochor = SelectedIsochor();
    const auto thaq = PeekField(mThaq.text);
    const double ptrap =
        isochor != nullptr && thaq ? CPhaseDiagDocument::TrappingPressure(*isochor, *thaq) : 0.0;
    mPressure.text = isochor != nullptr && thaq ? FieldText(ptrap, 2) : "0.0";
    mLog.enabled = mSetLine.enabled = ptrap != 0;
    if (!byPerson || !IsShown()) return;
    // Outside the isochore there is no pressure to mark.
    if (ptrap != 0)
        mDocument->SetTemporaryAqueousHomogLine(*thaq, 0, 1.1 * ptrap);
    else
        HideMarker();
}

void CTrappingPage::SelectIsochor(int index) {
    if (mDocument == nullptr || index < 0 || index >= static_cast<int>(mIsochors.size())) return;
    mList.selected = index;
    CIsochor* mono = SelectedIsochor();
    CIsochor* biphasic = mono ? mDocument->mPhaseDiagramsList.GetBiphasicIsochorByName(mono->mName) : nullptr;
    Highlight(mDocument->GetPlotView(),
              {mono ? mono->mGraphCurve : nullptr, biphasic ? biphasic->mGraphCurve : nullptr});
    ShowTrapLine(true);
    UpdateAqueousControls();
    ShowCrossing();
    Changed();
}

void CTrappingPage::EditThaq(const std::string& text) {
    if (mDocument == nullptr) return;
    mThaq.text = text;
    ShowTrapLine(true);
    ShowCrossing();
    Changed();
}

CTrappingLine* CTrappingPage::SetTrappingLine() {
    CIsochor* isochor = SelectedIsochor();
    if (isochor == nullptr || !mSetLine.enabled) return nullptr;
    const auto thaq =
        ReadField(kThaq, mThaq.text, "The homogenisation temperature of the aqueous inclusion is not valid.");
    if (!thaq) return nullptr;
    return mDocument->AddTrappingLineTo(isochor, *thaq);
}

std::string CTrappingPage::LogText() const {
    if (SelectedIsochor() == nullptr || !mLog.enabled) return "";
    // The pressure at Th (aq.) where the isochore reaches it, then the crossing when there is one.
    const std::string pressure = mSetLine.enabled
                                     ? LogLines({"Isochor : " + SelectedIsochor()->mName,
                                                 "       Th (aq., \xC2\xB0"
                                                 "C) : " +
                                                     mThaq.text,
                                                 "       Trapping pressure (bar) = " + mPressure.text, ""})
                                     : "";
    return pressure + CrossingLogText();
}

void CTrappingPage::FollowPlotSelection() {
    const CGraphObject* selected = mDocument->GetPlotView().GetSelectedObject();
    if (selected == nullptr) {
        Highlight(mDocument->GetPlotView(), {});
        mList.selected = 0;
        ShowTrapLine(true);
        Changed();
        return;
    }
    const CPhaseDiagDocument::DrawnRecord aqueous = mDocument->FindDrawnRecord(selected);
    if (aqueous.aqueousIsochor != nullptr) {
        FillFrom(*aqueous.aqueousIsochor, aqueous.aqueousCrossing);
        return;
    }
    const CPlotObjectRecord found = LocatePlotObject(*mDocument, selected);
    if (found.isochor == nullptr) return;
    const CIsochor* mono =
        found.isochor->mIsBiphasic
            ? mDocument->mPhaseDiagramsList.GetMonophasicIsochorByName(found.isochor->mName)
            : found.isochor;
    for (std::size_t i = 0; i < mIsochors.size(); ++i) {
        if (mIsochors[i] != mono) continue;
        mList.selected = static_cast<int>(i);
        ShowTrapLine(true);
        UpdateAqueousControls();
        ShowCrossing();
        Changed();
    }
}

void CTrappingPage::OnHidden() {
    HideMarker();
}

void CTrappingPage::LeaveDocument() {
    if (IsShown()) HideMarker();
}
