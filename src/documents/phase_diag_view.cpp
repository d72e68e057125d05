// SPDX-License-Identifier: BSD-3-Clause
// The P-T diagram's view: its axes, its context menus and the commands they run on the
// document's envelopes, isochores and trapping lines.

#include "documents/document_plot_views.hpp"
#include "documents/phase_diag_document.hpp"

namespace {

using C = CPhaseDiagCommand;

CMenuItem Item(const char* caption, CPhaseDiagCommand command, bool enabled = true) {
    return CMenuItem::Command(caption, static_cast<int>(command), enabled);
}

} // namespace

CPhaseDiagView::CPhaseDiagView(CPhaseDiagDocument* document)
    : CDocumentPlotView(document), mDocument(document) {
    InitializeAxes();
}

void CPhaseDiagView::InitializeAxes() {
    ApplyPlotAxesSetup(*this, {"T (\xC2\xB0"
                               "C)",
                               "P (bar)", 0, 300, 0, 500, -100, 1000, 0, 5000, 20, 400, 160, 30, 11, 0});
}

void CPhaseDiagView::NotifyObjectSelection() {
    if (CApplicationServices* services = Services())
        services->Events().Notify(CAppNotification::PTPlotSelection);
}

std::optional<CPlotContextMenu> CPhaseDiagView::GetContextMenu(CGraphObject* hit, zephon::plot::Point at) {
    const bool onCurveOrPoint =
        hit && (hit->mType == CGraphObject::kCurve || hit->mType == CGraphObject::kPoint);
    if (!hit || onCurveOrPoint) {
        // The commands work at the clicked temperature and pressure, not at the curve's value.
        ShowClickedPoint(at);
    }
    if (!hit) {
        std::vector<CMenuItem> items{Item("New Phase Envelope...", C::NewPhaseEnvelope)};
        Append(items, PlotSettingsItems(CanZoom() && IsOnSelection(at.x, at.y)));
        return MakeMenu("Plot settings", at, nullptr, std::move(items));
    }
    const CPhaseDiagDocument::DrawnRecord record =
        mDocument ? mDocument->FindDrawnRecord(hit) : CPhaseDiagDocument::DrawnRecord{};
    if (hit->mType == CGraphObject::kCurve && record.isopleth) {
        std::vector<CMenuItem> items{Item("New Isochor", C::NewIsochor), Item("Isochors...", C::Isochors),
                                     Item("Delete Phase Envelope", C::DeletePhaseEnvelope)};
        Append(items, CurveSettingsItems(*hit));
        return MakeMenu("Phase envelopes", at, hit, std::move(items));
    }
    if (hit->mType == CGraphObject::kCurve && record.isochor) {
        // Trapping lines belong to the monophasic half of a pair.
        const bool monophasic = record.isochor->mIsBiphasic == 0;
        std::vector<CMenuItem> items{Item("View Th(Aq.) Line", C::ViewAqueousLine, monophasic),
                                     Item("Set Th(Aq.) Line", C::SetAqueousLine, monophasic),
                                     Item("Trapping...", C::Trapping, monophasic),
                                     Item("Isochors...", C::Isochors),
                                     Item("Delete Isochor", C::DeleteIsochor)};
        Append(items, CurveSettingsItems(*hit));
        return MakeMenu("Isochors", at, hit, std::move(items));
    }
    if (record.aqueousCrossing) {
        return MakeMenu("Crossings", at, hit,
                        {Item("Trapping...", C::Trapping), Item("Delete Crossing", C::DeleteCrossing)});
    }
    if (hit->mType == CGraphObject::kCurve && record.aqueousIsochor) {
        std::vector<CMenuItem> items{Item("Trapping...", C::Trapping),
                                     Item("Delete Aqueous Isochor", C::DeleteAqueousIsochor)};
        Append(items, CurveSettingsItems(*hit));
        return MakeMenu("Aqueous isochors", at, hit, std::move(items));
    }
    if (hit->mType == CGraphObject::kCurve && record.trappingLine) {
        std::vector<CMenuItem> items{Item("Delete Th(Aq.) Line", C::DeleteAqueousLine)};
        Append(items, CurveSettingsItems(*hit));
        return MakeMenu("Trapping Lines", at, hit, std::move(items));
    }
    return CPlotView::GetContextMenu(hit, at);
}

bool CPhaseDiagView::NewIsochor() {
    CPhaseDiagDocument::DrawnRecord record = mDocument->FindDrawnRecord(mSelectedObject);
    if (!record.isopleth || !record.diagram || !IsSelectedPointVisible()) return false;
    double density = 0, volume = 0;
    CIsochor* monophasic = nullptr;
    // The bubble-point branch homogenises to liquid, the dew-point branch to vapour.
    const int homog = record.isopleth->mState == 1 ? 1 : 0;
    return mDocument->CalculateIsochor(record.diagram, GetSelectedPointX(), homog, density, volume,
                                       &monophasic, GetSelectedPointY()) == 0;
}

bool CPhaseDiagView::ShowAqueousLine(bool set) {
    CIsochor* isochor = mDocument->FindDrawnRecord(mSelectedObject).isochor;
    if (!isochor || isochor->mIsBiphasic || !IsSelectedPointVisible()) return false;
    const double thaq = GetSelectedPointX();
    if (set) return mDocument->AddTrappingLineTo(isochor, thaq) != nullptr;
    const double ptrap = CPhaseDiagDocument::TrappingPressure(*isochor, thaq);
    if (!(ptrap > 0)) {
        Services()->ShowMessage({CPhaseDiagDocument::NoTrappingPressureMessage(thaq, *isochor), "",
                                 CMessageIcon::Warning, false});
        return false;
    }
    mDocument->SetTemporaryAqueousHomogLine(thaq, 0, 1.1 * ptrap);
    return true;
}

bool CPhaseDiagView::OnMenuCommand(int command) {
    CApplicationServices* services = Services();
    if (mDocument == nullptr || services == nullptr)
        return command < kFirstViewCommand && CPlotView::OnMenuCommand(command);
    CGraphObject* object = Holds(mSelectedObject) ? mSelectedObject : nullptr;
    switch (static_cast<CPhaseDiagCommand>(command)) {
    case C::NewPhaseEnvelope:
        services->DisplayToolPanel(CToolPanelKind::PhaseDiagram, 0);
        return true;
    case C::Isochors:
        services->DisplayToolPanel(CToolPanelKind::PhaseDiagram, 1);
        return true;
    case C::Trapping:
        services->DisplayToolPanel(CToolPanelKind::PhaseDiagram, 2);
        return true;
    case C::NewIsochor:
        return NewIsochor();
    case C::DeletePhaseEnvelope: {
        CPhaseDiagram* diagram = mDocument->FindDrawnRecord(object).diagram;
        if (!diagram || !mDocument->FindDrawnRecord(object).isopleth) return false;
        mDocument->RemoveFluidPhaseDiagram(diagram);
        return true;
    }
    case C::DeleteIsochor: {
        CIsochor* isochor = mDocument->FindDrawnRecord(object).isochor;
        if (!isochor) return false;
        mDocument->DeleteIsochor(isochor);
        return true;
    }
    case C::ViewAqueousLine:
        return ShowAqueousLine(false);
    case C::SetAqueousLine:
        return ShowAqueousLine(true);
    case C::DeleteAqueousIsochor: {
        CAqueousIsochor* isochor = mDocument->FindDrawnRecord(object).aqueousIsochor;
        if (!isochor) return false;
        mDocument->RemoveAqueousIsochor(isochor);
        return true;
    }
    case C::DeleteCrossing: {
        CAqueousCrossing* crossing = mDocument->FindDrawnRecord(object).aqueousCrossing;
        if (!crossing) return false;
        mDocument->RemoveAqueousCrossing(crossing);
        return true;
    }
    case C::DeleteAqueousLine: {
        CTrappingLine* line = mDocument->FindDrawnRecord(object).trappingLine;
        if (!line) return false;
        mDocument->RemoveTrappingLine(line);
        return true;
    }
    }
    return CPlotView::OnMenuCommand(command);
}
