// SPDX-License-Identifier: BSD-3-Clause
#include "app/panel_correlations.hpp"

#include "documents/alpha_beta_plot_document.hpp"

namespace {

// A family is shown when it was built and is not hidden.
bool Shown(const std::vector<CGraphCurve*>& curves) {
    return !curves.empty() && !curves.front()->mHidden;
}

} // namespace

CCorrelationsPage::CCorrelationsPage(CApplicationCore& core)
    : CPlotDocumentPage(core, "Correlations", CAppNotification::AlphaBetaPlotSelection,
                        {CAppNotification::AlphaBetaPlotModified}) {
    Refresh();
}

CAlphaBetaCorrelation* CCorrelationsPage::SelectedCorrelation() const {
    if (mDocument == nullptr || mList.selected < 0 ||
        mList.selected >= static_cast<int>(mCorrelations.size()))
        return nullptr;
    CAlphaBetaCorrelation* correlation = mCorrelations[mList.selected];
    return mDocument->mAlphaBetaCorrelationsList.mList.Contains(correlation) ? correlation : nullptr;
}

void CCorrelationsPage::Refresh() {
    mCorrelations.clear();
    if (mDocument == nullptr) {
        mList = {{"No alpha-beta plot"}, 0, false};
        mDisplay.enabled = mRemove.enabled = mIsoGOR.enabled = mIsoAPI.enabled = false;
        mIsoGOR.checked = mIsoAPI.checked = false;
        Changed();
        return;
    }
    std::vector<std::string> names;
    for (CAlphaBetaCorrelation* correlation : mDocument->mAlphaBetaCorrelationsList.mList) {
        mCorrelations.push_back(correlation);
        names.push_back(correlation->mName);
    }
    const bool any = !names.empty();
    if (!any) names.push_back("No correlation");
    mList.Reset(std::move(names), mList.selected);
    mList.enabled = mRemove.enabled = any;
    mDisplay.enabled = mIsoGOR.enabled = mIsoAPI.enabled = true;
    mIsoGOR.checked = Shown(mDocument->GetIsoGORCurves());
    mIsoAPI.checked = Shown(mDocument->GetIsoAPICurves());
    Changed();
}

void CCorrelationsPage::SelectCorrelation(int index) {
    if (mDocument == nullptr || index < 0 || index >= static_cast<int>(mCorrelations.size())) return;
    mList.selected = index;
    CAlphaBetaCorrelation* correlation = SelectedCorrelation();
    Highlight(mDocument->GetPlotView(), {correlation ? correlation->mGraphCurve : nullptr});
    Changed();
}

CAlphaBetaCorrelation* CCorrelationsPage::DisplayNewCorrelation() {
    if (mDocument == nullptr) return nullptr;
    CAlphaBetaCorrelation* correlation = mDocument->SelectAndPlotAlphaBetaCorrelation();
    Refresh();
    for (std::size_t i = 0; i < mCorrelations.size(); ++i)
        if (mCorrelations[i] == correlation) SelectCorrelation(static_cast<int>(i));
    return correlation;
}

void CCorrelationsPage::RemoveCorrelation() {
    CAlphaBetaCorrelation* correlation = SelectedCorrelation();
    if (correlation == nullptr) return;
    const int index = mList.selected;
    mDocument->RemoveAlphaBetaCorrelation(correlation);
    Refresh();
    mList.selected = std::min(index, static_cast<int>(mList.entries.size()) - 1);
    Changed();
}

void CCorrelationsPage::ShowIsoGOR(bool show) {
    if (mDocument == nullptr) return;
    show ? mDocument->ShowIsoGORCurves() : mDocument->HideIsoGORCurves();
    Refresh();
}

void CCorrelationsPage::ShowIsoAPI(bool show) {
    if (mDocument == nullptr) return;
    show ? mDocument->ShowIsoAPICurves() : mDocument->HideIsoAPICurves();
    Refresh();
}

void CCorrelationsPage::FollowPlotSelection() {
    const CGraphObject* selected = mDocument->GetPlotView().GetSelectedObject();
    if (selected == nullptr) return;
    for (std::size_t i = 0; i < mCorrelations.size(); ++i) {
        if (selected->mReferenceObject ==
            static_cast<const void*>(static_cast<const CRecord*>(mCorrelations[i]))) {
            mList.selected = static_cast<int>(i);
            Changed();
        }
    }
}
