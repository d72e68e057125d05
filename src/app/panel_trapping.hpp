#pragma once
// The "Trapping" page of the phase-diagram panel: the trapping pressure where a monophasic isochore
// of the current P-T document meets the homogenisation temperature of a coexisting aqueous
// inclusion, shown by a temporary marker, set as a trapping line and logged.

#include <string>
#include <vector>

#include "app/panel_page.hpp"

class CPhaseDiagDocument;
class CIsochor;
class CTrappingLine;

class CTrappingPage : public CPlotDocumentPage<CPhaseDiagDocument> {
  public:
    enum Field { kThaq };

    explicit CTrappingPage(CApplicationCore& core);
    ~CTrappingPage() override;

    // "Select the isochor": the monophasic isochores of every diagram.
    const CListControl& Isochors() const { return mList; }
    // "Th (aqueous inclusions, °C)".
    const CFieldControl& Thaq() const { return mThaq; }
    // Read-only "Trapping pressure (bar)".
    const CFieldControl& Pressure() const { return mPressure; }
    const CButtonControl& LogButton() const { return mLog; }
    const CButtonControl& SetLineButton() const { return mSetLine; }

    void SelectIsochor(int index);
    void EditThaq(const std::string& text);
    CTrappingLine* SetTrappingLine();
    std::string LogText() const;

    void Refresh() override;

  protected:
    void FollowPlotSelection() override;
    // The temporary marker is shown only while the page is, on its document.
    void OnHidden() override;
    void LeaveDocument() override;

  private:
    CIsochor* SelectedIsochor() const;
    // The pressure of the selected isochore at Thaq; the marker follows when the person asked.
    void ShowTrapLine(bool byPerson);
    void HideMarker();

    std::vector<CIsochor*> mIsochors;
    CListControl mList;
    CFieldControl mThaq{"0.0", false, true};
    CFieldControl mPressure{"0.0", true, true};
    CButtonControl mLog, mSetLine;
};
