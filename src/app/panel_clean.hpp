// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The "Clean" page of the phase-diagram panel: the diagrams, isochore pairs and trapping lines of
// the current P-T document, each removable.

#include <vector>

#include "app/panel_page.hpp"

class CPhaseDiagDocument;
class CPhaseDiagram;
class CIsochor;
class CTrappingLine;

class CCleanPage : public CPlotDocumentPage<CPhaseDiagDocument> {
  public:
    enum ListId { kIsopleths, kIsochors, kTrappingLines };
    static constexpr int kListCount = 3;

    explicit CCleanPage(CApplicationCore& core);

    // "Isopleths", "Isochors" (one entry per pair) and "Trapping lines".
    const CListControl& List(int list) const { return mLists.at(list); }
    const CButtonControl& RemoveButton(int list) const { return mRemove.at(list); }

    void Select(int list, int index);
    void Remove(int list);

    void Refresh() override;

  protected:
    void FollowPlotSelection() override;

  private:
    // The record behind the selected entry of a list, still the document's; null otherwise.
    CPhaseDiagram* SelectedDiagram() const;
    CIsochor* SelectedIsochor() const;
    CTrappingLine* SelectedLine() const;

    std::vector<CPhaseDiagram*> mDiagrams;
    std::vector<CIsochor*> mIsochors;
    std::vector<CTrappingLine*> mLines;
    std::vector<CListControl> mLists = std::vector<CListControl>(kListCount);
    std::vector<CButtonControl> mRemove = std::vector<CButtonControl>(kListCount);
};
