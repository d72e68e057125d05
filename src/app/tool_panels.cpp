// SPDX-License-Identifier: BSD-3-Clause
#include "app/tool_panels.hpp"

CToolPanel::CToolPanel(std::string title, std::vector<CPanelPage*> pages)
    : mTitle(std::move(title)), mPages(std::move(pages)) {}

CToolPanel::~CToolPanel() = default;

void CToolPanel::ShowPage(int page) {
    if (page < 0 || page >= PageCount() || page == mShown) return;
    if (mShown >= 0) mPages[mShown]->SetShown(false);
    mShown = page;
    mPages[mShown]->SetShown(true);
}

void CToolPanel::Close() {
    if (mShown >= 0) mPages[mShown]->SetShown(false);
    mShown = -1;
}

// The pages are members, built before the base is handed their addresses.
CAlphaBetaPanelModel::CAlphaBetaPanelModel(CApplicationCore& core)
    : CToolPanel("Alpha-Beta Plots", {&mCurves, &mFluids, &mCorrelations}), mCurves(core), mFluids(core),
      mCorrelations(core) {}

CPhaseDiagPanelModel::CPhaseDiagPanelModel(CApplicationCore& core)
    : CToolPanel("Phase Diagrams", {&mIsopleths, &mIsochors, &mTrapping, &mClean}), mIsopleths(core),
      mIsochors(core), mTrapping(core), mClean(core) {}

CVolumePanelModel::CVolumePanelModel(CApplicationCore& core)
    : CToolPanel("Bubble size variation", {&mInclusions, &mCurves}), mInclusions(core), mCurves(core) {}
