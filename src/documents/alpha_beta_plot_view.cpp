// SPDX-License-Identifier: BSD-3-Clause
// The alpha-beta plot's view: its axes, its context menus and the commands they run on the
// document's curves, markers and correlations.

#include "documents/alpha_beta_plot_document.hpp"
#include "documents/document_plot_views.hpp"

namespace {

using C = CAlphaBetaCommand;

CMenuItem Item(const char* caption, CAlphaBetaCommand command, bool enabled = true) {
    return CMenuItem::Command(caption, static_cast<int>(command), enabled);
}

// The record drawn by a graph object, found in the document's own list (never trusted from the
// object's back-pointer alone: the object may be a background curve).
template <class Record, class List, class Member>
Record* RecordDrawnBy(List& list, const CGraphObject* object, Member member) {
    if (object == nullptr) return nullptr;
    for (Record* record : list.mList)
        if (static_cast<const CGraphObject*>(record->*member) == object) return record;
    return nullptr;
}

} // namespace

CAlphaBetaPlotView::CAlphaBetaPlotView(CAlphaBetaPlotDocument* document)
    : CDocumentPlotView(document), mDocument(document) {
    InitializeAxes();
}

void CAlphaBetaPlotView::InitializeAxes() {
    ApplyPlotAxesSetup(*this, {"Alpha", "Beta", 0, 1, 0, 1, 0, 1, 0, 1, 0.1, 0.8, 120, 30, 6, 3});
    SetFollowsData(true);
}

void CAlphaBetaPlotView::SetFollowsData(bool follows) {
    mFollowsData = follows;
    mChosenRanges.reset();
}

void CAlphaBetaPlotView::FollowData() {
    if (!mFollowsData) return;
    // Ranges changed since by someone else belong to that person.
    if (GetCurrentRanges() != mChosenRanges.value_or(GetDefaultRanges())) {
        SetFollowsData(false);
        return;
    }
    const std::optional<CPlotRanges> data = DataRanges();
    if (!data) return;
    SetCurrentRanges(*data);
    mChosenRanges = GetCurrentRanges();
}

void CAlphaBetaPlotView::NotifyObjectSelection() {
    if (CApplicationServices* services = Services())
        services->Events().Notify(CAppNotification::AlphaBetaPlotSelection);
}

bool CAlphaBetaPlotView::IsFluidPair(double alpha, double beta) {
    return alpha > 0 && alpha < 1 && beta >= 0 && beta <= 1;
}

std::optional<CAlphaBetaFluid> CAlphaBetaPlotView::SelectedFluid() const {
    CGraphObject* object = Holds(mSelectedObject) ? mSelectedObject : nullptr;
    CAlphaBetaFluid fluid{GetSelectedPointX(), GetSelectedPointY()};
    if (mDocument && object && object->mType == CGraphObject::kCurve) {
        if (CAlphaBetaCurve* curve = RecordDrawnBy<CAlphaBetaCurve>(mDocument->mAlphaBetaCurvesList, object,
                                                                    &CAlphaBetaCurve::mGraphCurve)) {
            fluid.beta = curve->GetBetaFromAlpha(fluid.alpha);
            if (fluid.beta == -1) curve->GetFirstAlphaBeta(fluid.alpha, fluid.beta);
            // The fluid of a curve is the inclusion's oil: its gases belong to it.
            fluid.co2 = curve->mInclusion.mCO2;
            fluid.n2 = curve->mInclusion.mN2;
            fluid.h2s = curve->mInclusion.mH2S;
        }
    } else if (mDocument && object && object->mType == CGraphObject::kPoint) {
        if (CAlphaBetaPoint* point = RecordDrawnBy<CAlphaBetaPoint>(mDocument->mAlphaBetaPointsList, object,
                                                                    &CAlphaBetaPoint::mGraphPoint)) {
            const CAlphaBetaRecordEx& marker = point->mAlphaBetaRecordEx;
            fluid = {marker.mAlpha, marker.mBeta, marker.mCO2, marker.mN2, marker.mH2S};
        }
    } else if (mDocument && object && object->mType == CGraphObject::kStringPointList) {
        CAlphaBetaCorrelation* correlation = RecordDrawnBy<CAlphaBetaCorrelation>(
            mDocument->mAlphaBetaCorrelationsList, object, &CAlphaBetaCorrelation::mGraphCurve);
        const long index = static_cast<CGraphPointCurve*>(object)->mLastHitPointIndex;
        if (const CAlphaBetaRecordEx* point = correlation ? correlation->mList.At(index - 1) : nullptr)
            fluid = {point->mAlpha, point->mBeta, point->mCO2, point->mN2, point->mH2S};
    } else if (!IsSelectedPointVisible()) {
        // A bare point is only what the marker shows.
        return std::nullopt;
    }
    if (!IsFluidPair(fluid.alpha, fluid.beta)) return std::nullopt;
    return fluid;
}

std::optional<CPlotContextMenu> CAlphaBetaPlotView::GetContextMenu(CGraphObject* hit,
                                                                   zephon::plot::Point at) {
    if (!hit) {
        // The point under the click is the one the menu's commands take.
        ShowClickedPoint(at);
    }
    const bool fluid = SelectedFluid().has_value();
    if (!hit) {
        std::vector<CMenuItem> items{Item("New Alpha-Beta Curve...", C::NewAlphaBetaCurve),
                                     Item("Set a marker", C::SetMarker, fluid),
                                     Item("Plot correlation", C::PlotCorrelation),
                                     Item("Generate fluid model", C::GenerateFluidModel, fluid)};
        // Zooming only on a click on the selection, as on the other plots.
        Append(items, PlotSettingsItems(CanZoom() && IsOnSelection(at.x, at.y)));
        return MakeMenu("Plot settings", at, nullptr, std::move(items));
    }
    switch (hit->mType) {
    case CGraphObject::kCurve: {
        const bool ours = mDocument && RecordDrawnBy<CAlphaBetaCurve>(mDocument->mAlphaBetaCurvesList, hit,
                                                                      &CAlphaBetaCurve::mGraphCurve);
        std::vector<CMenuItem> items{Item("Alpha-beta curves...", C::AlphaBetaCurves),
                                     Item("Set a marker", C::SetMarker, fluid),
                                     Item("Delete the curve", C::DeleteCurve, ours),
                                     Item("Generate fluid model", C::GenerateFluidModel, fluid)};
        Append(items, CurveSettingsItems(*hit));
        return MakeMenu("Curve Settings", at, hit, std::move(items));
    }
    case CGraphObject::kPoint: {
        std::vector<CMenuItem> items{Item("Alpha-beta fluids...", C::AlphaBetaFluids),
                                     Item("Remove the marker", C::RemoveMarker, mDocument != nullptr),
                                     Item("Generate fluid model", C::GenerateFluidModel, fluid)};
        Append(items, PointSettingsItems(*hit));
        return MakeMenu("Point Settings", at, hit, std::move(items));
    }
    case CGraphObject::kStringPointList: {
        std::vector<CMenuItem> items{
            Item("Remove the correlation", C::RemoveCorrelation, mDocument != nullptr),
            Item("Generate fluid model", C::GenerateFluidModel, fluid)};
        Append(items, PointSettingsItems(*hit));
        return MakeMenu("Point List Settings", at, hit, std::move(items));
    }
    default:
        return CPlotView::GetContextMenu(hit, at);
    }
}

bool CAlphaBetaPlotView::SetMarker() {
    const std::optional<CAlphaBetaFluid> fluid = SelectedFluid();
    if (!mDocument || !fluid) return false;
    const CAlphaBetaCurve* curve = RecordDrawnBy<CAlphaBetaCurve>(
        mDocument->mAlphaBetaCurvesList, mSelectedObject, &CAlphaBetaCurve::mGraphCurve);
    mDocument->AddAlphaBetaPoint(fluid->alpha, fluid->beta, fluid->co2, fluid->n2, fluid->h2s, "", curve);
    RequestRedraw();
    return true;
}

bool CAlphaBetaPlotView::GenerateFluidModel() {
    const std::optional<CAlphaBetaFluid> fluid = SelectedFluid();
    if (!mDocument || !fluid) return false;
    // The document takes the gases as fractions.
    return mDocument->GenerateFluidModel(fluid->alpha, fluid->beta, fluid->co2 / 100, fluid->n2 / 100,
                                         fluid->h2s / 100) != nullptr;
}

bool CAlphaBetaPlotView::OnMenuCommand(int command) {
    CApplicationServices* services = Services();
    CGraphObject* object = Holds(mSelectedObject) ? mSelectedObject : nullptr;
    switch (static_cast<CAlphaBetaCommand>(command)) {
    case C::AlphaBetaCurves:
    case C::NewAlphaBetaCurve:
        if (!services) return false;
        services->DisplayToolPanel(CToolPanelKind::AlphaBeta, 0);
        return true;
    case C::AlphaBetaFluids:
        if (!services) return false;
        services->DisplayToolPanel(CToolPanelKind::AlphaBeta, 1);
        return true;
    case C::SetMarker:
        return SetMarker();
    case C::GenerateFluidModel:
        return GenerateFluidModel();
    case C::PlotCorrelation:
        return mDocument && mDocument->SelectAndPlotAlphaBetaCorrelation() != nullptr;
    case C::RemoveMarker: {
        CAlphaBetaPoint* point = mDocument
                                     ? RecordDrawnBy<CAlphaBetaPoint>(mDocument->mAlphaBetaPointsList, object,
                                                                      &CAlphaBetaPoint::mGraphPoint)
                                     : nullptr;
        if (!point) return false;
        mDocument->RemoveAlphaBetaPoint(point);
        return true;
    }
    case C::DeleteCurve: {
        CAlphaBetaCurve* curve = mDocument
                                     ? RecordDrawnBy<CAlphaBetaCurve>(mDocument->mAlphaBetaCurvesList, object,
                                                                      &CAlphaBetaCurve::mGraphCurve)
                                     : nullptr;
        if (!curve) return false;
        mDocument->RemoveAlphaBetaCurve(curve);
        return true;
    }
    case C::RemoveCorrelation: {
        CAlphaBetaCorrelation* correlation =
            mDocument ? RecordDrawnBy<CAlphaBetaCorrelation>(mDocument->mAlphaBetaCorrelationsList, object,
                                                             &CAlphaBetaCorrelation::mGraphCurve)
                      : nullptr;
        if (!correlation) return false;
        mDocument->RemoveAlphaBetaCorrelation(correlation);
        return true;
    }
    }
    return CPlotView::OnMenuCommand(command);
}
