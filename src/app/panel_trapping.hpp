// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The "Trapping" page of the phase-diagram panel: the trapping pressure where a monophasic isochore
// of the current P-T document meets the homogenisation temperature of a coexisting aqueous
// inclusion, shown by a temporary marker, set as a trapping line and logged; and, from the aqueous
// inclusion's salinity (Tm,ice, Tm,halite or typed), host mineral and the measurements'
// uncertainties, the crossing of its isochore with the oil's: the trapping temperature and pressure
// with their band, drawn on the plot and logged.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/panel_page.hpp"

class CPhaseDiagDocument;
class CIsochor;
class CTrappingLine;

class CTrappingPage : public CPlotDocumentPage<CPhaseDiagDocument> {
  public:
    // The number fields: Th (aq.), the salinity measurement, then the standard uncertainties of
    // Th (aq.), of that measurement, of Th (oil) and of the bubble fraction, and the temperature
    // at which the bubble fraction was measured.
    enum Field { kThaq, kMeasured, kSdThaq, kSdMeasured, kSdThOil, kSdFv, kTfv, kFieldCount };
    // What the salinity field holds.
    enum Source { kIceMelting, kHaliteDissolution, kTyped, kSourceCount };
    // Read-only results of the crossing.
    enum Result {
        kSalinity,
        kCrossingT,
        kCrossingP,
        kSdT,
        kSdP,
        kCorrelation,
        kSlopes,
        kAngle,
        kResultCount
    };

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

    // The fields other than Th (aq.), by number.
    const CFieldControl& Field(int field) const;
    const CButtonControl& SourceButton(int source) const { return mSources.at(source); }
    // "Host mineral": None, Quartz, Calcite, Fluorite.
    const CListControl& Hosts() const { return mHosts; }
    // "Legacy isochore (Bodnar & Vityk 1994)".
    const CButtonControl& LegacyButton() const { return mLegacy; }
    const CButtonControl& CrossingButton() const { return mCrossing; }
    const CFieldControl& Result(int result) const { return mResults.at(result); }

    void SelectIsochor(int index);
    void EditThaq(const std::string& text);
    CTrappingLine* SetTrappingLine();
    std::string LogText() const;

    void EditField(int field, const std::string& text);
    void SetSource(int source);
    void SelectHost(int index);
    void SetLegacy(bool legacy);
    // The aqueous isochore and its crossing with the selected oil isochore, from the fields; the
    // person is told what is refused. Returns the crossing.
    CAqueousCrossing* CalculateCrossing();

    void Refresh() override;

  protected:
    void FollowPlotSelection() override;
    // The temporary marker is shown only while the page is, on its document.
    void OnHidden() override;
    void LeaveDocument() override;

  private:
    CIsochor* SelectedIsochor() const;
    // The aqueous isochore of the measurements in the fields, and its crossing with the selected
    // oil isochore, when the document has them.
    CAqueousIsochor* ShownAqueousIsochor() const;
    CAqueousCrossing* ShownCrossing() const;
    std::optional<zephon::aqueous::AqueousMeasurement> PeekMeasurement() const;
    // The results of the crossing the fields and the selection describe (empty without one).
    void ShowCrossing();
    // The fields from a crossing or an aqueous isochore selected in the plot.
    void FillFrom(const CAqueousIsochor& isochor, const CAqueousCrossing* crossing);
    void InitializeAqueousControls();
    void UpdateAqueousControls();
    std::string CrossingLogText() const;
    // The pressure of the selected isochore at Thaq; the marker follows when the person asked.
    void ShowTrapLine(bool byPerson);
    void HideMarker();

    std::vector<CIsochor*> mIsochors;
    CListControl mList;
    CFieldControl mThaq{"0.0", false, true};
    CFieldControl mPressure{"0.0", true, true};
    CButtonControl mLog, mSetLine;

    std::array<CFieldControl, kFieldCount> mFields;
    std::array<CButtonControl, kSourceCount> mSources;
    CListControl mHosts;
    CButtonControl mLegacy, mCrossing;
    std::array<CFieldControl, kResultCount> mResults;
};
