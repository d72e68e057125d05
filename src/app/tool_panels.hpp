// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The three tool panels as the application sees them: their pages, in order, and the page in front
// (the menu commands' check marks follow it). A panel exists from its first request until the
// person closes it; its pages follow the application all that time.

#include <string>
#include <vector>

#include "app/panel_alpha_beta_curves.hpp"
#include "app/panel_alpha_beta_fluids.hpp"
#include "app/panel_clean.hpp"
#include "app/panel_correlations.hpp"
#include "app/panel_isochors.hpp"
#include "app/panel_isopleths.hpp"
#include "app/panel_trapping.hpp"
#include "app/panel_volume_pages.hpp"

class CToolPanel {
  public:
    virtual ~CToolPanel();
    CToolPanel(const CToolPanel&) = delete;
    CToolPanel& operator=(const CToolPanel&) = delete;

    const std::string& Title() const { return mTitle; }
    int PageCount() const { return static_cast<int>(mPages.size()); }
    CPanelPage& Page(int page) const { return *mPages.at(page); }
    // The page in front; -1 once the panel is closed.
    int ShownPage() const { return mShown; }
    // Brings a page to the front (the one before goes out of sight).
    void ShowPage(int page);
    // The panel closes: no page is in sight any more.
    void Close();

  protected:
    CToolPanel(std::string title, std::vector<CPanelPage*> pages);

  private:
    std::string mTitle;
    std::vector<CPanelPage*> mPages;
    int mShown = -1;
};

class CAlphaBetaPanelModel : public CToolPanel {
  public:
    explicit CAlphaBetaPanelModel(CApplicationCore& core);
    CAlphaBetaCurvesPage mCurves;
    CAlphaBetaFluidsPage mFluids;
    CCorrelationsPage mCorrelations;
};

class CPhaseDiagPanelModel : public CToolPanel {
  public:
    explicit CPhaseDiagPanelModel(CApplicationCore& core);
    CIsoplethsPage mIsopleths;
    CIsochorsPage mIsochors;
    CTrappingPage mTrapping;
    CCleanPage mClean;
};

class CVolumePanelModel : public CToolPanel {
  public:
    explicit CVolumePanelModel(CApplicationCore& core);
    CVolumeInclusionsPage mInclusions;
    CVolumeCurvesPage mCurves;
};
