// SPDX-License-Identifier: BSD-3-Clause
#include "documents/document_plot_views.hpp"

#include "documents/w_document.hpp"

void ApplyPlotAxesSetup(CPlotView& view, const CPlotAxesSetup& setup) {
    view.Initialize();
    view.SetAxisLabels(setup.xLabel, setup.yLabel);
    const CPlotRanges shown{setup.minX, setup.maxX, setup.minY, setup.maxY};
    view.SetDefaultRanges(shown);
    view.SetCurrentRanges(shown);
    view.SetRangeLimits({setup.limitMinX, setup.limitMaxX, setup.limitMinY, setup.limitMaxY});
    view.SetDefaultLegendPosition(setup.legendX, setup.legendY);
    if (CGraphLegend* legend = view.GetLegend()) {
        legend->mWidth = static_cast<short>(setup.legendWidth);
        legend->mHeight = static_cast<short>(setup.legendHeight);
    }
    view.SetTicks(setup.ticks, setup.ticks);
    view.SetDigits(setup.digits, setup.digits);
    view.updateSubobjectsCoordinates();
}

CApplicationServices* CDocumentPlotView::Services() const {
    return mOwner ? &mOwner->Services() : nullptr;
}

void CDocumentPlotView::NotifyAxisRangesChanged() {
    if (CApplicationServices* services = Services())
        services->Events().Notify(CAppNotification::AxisRangesChanged);
}

void CDocumentPlotView::OnAppearanceChanged() {
    if (mOwner) mOwner->SetModifiedFlag(true);
}
