// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The "Correlations" page of the alpha-beta panel: the correlations shown on the current alpha-beta
// plot, adding and removing them, and the background families of iso-GOR and iso-API curves.

#include <vector>

#include "app/panel_page.hpp"

class CAlphaBetaPlotDocument;
class CAlphaBetaCorrelation;

class CCorrelationsPage : public CPlotDocumentPage<CAlphaBetaPlotDocument> {
  public:
    explicit CCorrelationsPage(CApplicationCore& core);

    // "Displayed (alpha-beta) correlations".
    const CListControl& Correlations() const { return mList; }
    const CButtonControl& DisplayButton() const { return mDisplay; }
    const CButtonControl& RemoveButton() const { return mRemove; }
    // The two toggles, checked while their family is shown.
    const CButtonControl& IsoGOR() const { return mIsoGOR; }
    const CButtonControl& IsoAPI() const { return mIsoAPI; }

    void SelectCorrelation(int index);
    // Asks for a correlation file and shows it; the new correlation, or null.
    CAlphaBetaCorrelation* DisplayNewCorrelation();
    void RemoveCorrelation();
    void ShowIsoGOR(bool show);
    void ShowIsoAPI(bool show);

    void Refresh() override;

  protected:
    void FollowPlotSelection() override;

  private:
    CAlphaBetaCorrelation* SelectedCorrelation() const;

    std::vector<CAlphaBetaCorrelation*> mCorrelations;
    CListControl mList;
    CButtonControl mDisplay, mRemove, mIsoGOR{true, false}, mIsoAPI{true, false};
};
