// SPDX-License-Identifier: BSD-3-Clause
#include "app/panel_clean.hpp"

#include "app/panel_phase_diagram_objects.hpp"
#include "documents/phase_diag_document.hpp"

namespace {

template <class T> T* At(const std::vector<T*>& records, int index) {
    return index >= 0 && index < static_cast<int>(records.size()) ? records[index] : nullptr;
}

} // namespace

CCleanPage::CCleanPage(CApplicationCore& core)
    : CPlotDocumentPage(core, "Clean", CAppNotification::PTPlotSelection, PhaseDiagramPageChanges()) {
    Refresh();
}

CPhaseDiagram* CCleanPage::SelectedDiagram() const {
    CPhaseDiagram* diagram = At(mDiagrams, mLists[kIsopleths].selected);
    return mDocument != nullptr && HoldsDiagram(*mDocument, diagram) ? diagram : nullptr;
}

CIsochor* CCleanPage::SelectedIsochor() const {
    CIsochor* isochor = At(mIsochors, mLists[kIsochors].selected);
    if (mDocument == nullptr || isochor == nullptr) return nullptr;
    for (CPhaseDiagram* diagram : mDocument->mPhaseDiagramsList.mList)
        if (diagram->mMonoIsochorsList && diagram->mMonoIsochorsList->mList.Contains(isochor)) return isochor;
    return nullptr;
}

CTrappingLine* CCleanPage::SelectedLine() const {
    CTrappingLine* line = At(mLines, mLists[kTrappingLines].selected);
    if (mDocument == nullptr || line == nullptr) return nullptr;
    for (CIsochor* isochor : mIsochors)
        if (isochor->mTrappingLines && isochor->mTrappingLines->mList.Contains(line)) return line;
    return nullptr;
}

void CCleanPage::Refresh() {
    mDiagrams.clear();
    mIsochors.clear();
    mLines.clear();
    std::vector<std::string> names[kListCount];
    if (mDocument != nullptr) {
        for (CPhaseDiagram* diagram : mDocument->mPhaseDiagramsList.mList) {
            mDiagrams.push_back(diagram);
            names[kIsopleths].push_back(diagram->mName);
            if (!diagram->mMonoIsochorsList) continue;
            for (CIsochor* isochor : diagram->mMonoIsochorsList->mList) {
                mIsochors.push_back(isochor);
                names[kIsochors].push_back(IsochorEntryText(isochor->mName));
                if (!isochor->mTrappingLines) continue;
                for (CTrappingLine* line : isochor->mTrappingLines->mList) {
                    mLines.push_back(line);
                    names[kTrappingLines].push_back(line->mName);
                }
            }
        }
    }
    for (int list = 0; list < kListCount; ++list) {
        const bool any = !names[list].empty();
        if (!any) names[list].push_back("None");
        mLists[list].Reset(std::move(names[list]), mLists[list].selected);
        mLists[list].enabled = mRemove[list].enabled = any;
    }
    Changed();
}

void CCleanPage::Select(int list, int index) {
    if (mDocument == nullptr || list < 0 || list >= kListCount || !mLists[list].enabled || index < 0 ||
        index >= static_cast<int>(mLists[list].entries.size()))
        return;
    mLists[list].selected = index;
    CPlotView& view = mDocument->GetPlotView();
    if (list == kIsopleths) {
        const CPhaseDiagram* diagram = SelectedDiagram();
        Highlight(view,
                  {diagram && diagram->mLiquidIsopleth ? diagram->mLiquidIsopleth->mGraphCurve : nullptr,
                   diagram && diagram->mVapourIsopleth ? diagram->mVapourIsopleth->mGraphCurve : nullptr});
    } else if (list == kIsochors) {
        const CIsochor* mono = SelectedIsochor();
        const CIsochor* biphasic =
            mono ? mDocument->mPhaseDiagramsList.GetBiphasicIsochorByName(mono->mName) : nullptr;
        Highlight(view, {mono ? mono->mGraphCurve : nullptr, biphasic ? biphasic->mGraphCurve : nullptr});
    } else {
        const CTrappingLine* line = SelectedLine();
        Highlight(view, {line ? line->mGraphCurve : nullptr});
    }
    Changed();
}

void CCleanPage::Remove(int list) {
    if (mDocument == nullptr || list < 0 || list >= kListCount) return;
    // The record of the entry itself, so that of two records of one name the chosen one goes.
    if (list == kIsopleths) {
        if (CPhaseDiagram* diagram = SelectedDiagram()) mDocument->RemoveFluidPhaseDiagram(diagram);
    } else if (list == kIsochors) {
        if (CIsochor* isochor = SelectedIsochor()) mDocument->DeleteIsochor(isochor);
    } else if (CTrappingLine* line = SelectedLine()) {
        mDocument->RemoveTrappingLine(line);
    }
    Refresh();
}

void CCleanPage::FollowPlotSelection() {
    const CPlotObjectRecord found =
        LocatePlotObject(*mDocument, mDocument->GetPlotView().GetSelectedObject());
    for (std::size_t i = 0; i < mDiagrams.size(); ++i)
        if (mDiagrams[i] == found.diagram) mLists[kIsopleths].selected = static_cast<int>(i);
    const CIsochor* mono =
        found.isochor && found.isochor->mIsBiphasic
            ? mDocument->mPhaseDiagramsList.GetMonophasicIsochorByName(found.isochor->mName)
            : found.isochor;
    for (std::size_t i = 0; i < mIsochors.size(); ++i)
        if (mIsochors[i] == mono) mLists[kIsochors].selected = static_cast<int>(i);
    for (std::size_t i = 0; i < mLines.size(); ++i)
        if (mLines[i] == found.trappingLine) mLists[kTrappingLines].selected = static_cast<int>(i);
    Changed();
}
