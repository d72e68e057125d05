// SPDX-License-Identifier: BSD-3-Clause
#include "app/crossings_list.hpp"

#include <algorithm>

#include "base/number_field.hpp"
#include "documents/alpha_beta_plot_document.hpp"

CCrossingsList::CCrossingsList(CAlphaBetaPlotDocument& document, std::vector<const CAlphaBetaCurve*> curves)
    : mDocument(document), mAll(curves.empty()), mWanted(std::move(curves)) {
    Refresh();
}

bool CCrossingsList::IsInPlot(const CAlphaBetaCurve* curve) const {
    const auto& stored = mDocument.mAlphaBetaCurvesList.mList;
    return curve != nullptr && std::find(stored.begin(), stored.end(), curve) != stored.end();
}

void CCrossingsList::Refresh() {
    std::erase_if(mWanted, [this](const CAlphaBetaCurve* curve) { return !IsInPlot(curve); });
    std::vector<const CAlphaBetaCurve*> curves = mWanted;
    if (mAll) {
        const auto& stored = mDocument.mAlphaBetaCurvesList.mList;
        curves.assign(stored.begin(), stored.end());
    }
    mCurveCount = curves.size();
    mCrossings = FindCurveCrossings(curves);
}

const char* CCrossingsList::ColumnTitle(int column) {
    switch (column) {
    case kAlpha:
        return "Alpha";
    case kBeta:
        return "Beta";
    case kCurves:
        return "Curves";
    case kAngle:
        return "Angle (\xC2\xB0)";
    default:
        return "";
    }
}

const CCurveCrossing* CCrossingsList::Row(int row) const {
    return row >= 0 && row < RowCount() ? &mCrossings[static_cast<std::size_t>(row)] : nullptr;
}

std::string CCrossingsList::CellText(int row, int column) const {
    const CCurveCrossing* crossing = Row(row);
    // A curve removed since the last Refresh is never read.
    if (crossing == nullptr || !IsInPlot(crossing->first) || !IsInPlot(crossing->second)) return {};
    switch (column) {
    case kAlpha:
        return FormatFixed(crossing->alpha, 4);
    case kBeta:
        return FormatFixed(crossing->beta, 4);
    case kCurves:
        return crossing->first->mInclusion.mInclusionName + " and " +
               crossing->second->mInclusion.mInclusionName;
    case kAngle:
        return FormatFixed(crossing->angle, 1);
    default:
        return {};
    }
}

std::string CCrossingsList::Summary() const {
    if (mCurveCount < 2) return "Crossings need two curves at least.";
    if (mCrossings.empty()) return "No two of the " + std::to_string(mCurveCount) + " curves cross.";
    return std::to_string(mCrossings.size()) + (mCrossings.size() == 1 ? " crossing" : " crossings") +
           " of " + std::to_string(mCurveCount) + " curves.";
}

void CCrossingsList::ShowRow(int row) {
    const CCurveCrossing* crossing = Row(row);
    if (crossing == nullptr || !IsInPlot(crossing->first) || !IsInPlot(crossing->second)) return;
    CAlphaBetaPlotView& view = mDocument.GetPlotView();
    view.hilite(crossing->first->mGraphCurve);
    view.hilite1(crossing->second->mGraphCurve);
    view.SetSelectedPoint(crossing->alpha, crossing->beta);
}

CAlphaBetaPoint* CCrossingsList::MakeMarker(int row) {
    const CCurveCrossing* crossing = Row(row);
    if (crossing == nullptr || !IsInPlot(crossing->first) || !IsInPlot(crossing->second)) return nullptr;
    const CCurveCrossing at = *crossing; // the list may be refreshed by the change
    const CInclusionRecord& inclusion = at.first->mInclusion;
    mDocument.GetPlotView().SetSelectedPoint(at.alpha, at.beta);
    return mDocument.AddAlphaBetaPoint(at.alpha, at.beta, inclusion.mCO2, inclusion.mN2, inclusion.mH2S, "",
                                       at.first);
}
