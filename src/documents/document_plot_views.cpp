#include "documents/document_plot_views.hpp"

CAlphaBetaPlotView::CAlphaBetaPlotView(CApplicationServices* services) : mServices(services) {
    InitializeAxes();
}

void ApplyPlotAxesSetup(CPlotView& view, const CPlotAxesSetup& setup) {
    view.Initialize();
    view.mXLabel = setup.xLabel;
    view.mYLabel = setup.yLabel;
    view.mMinX = view.mCurrentMinX = setup.minX;
    view.mMaxX = view.mCurrentMaxX = setup.maxX;
    view.mMinY = view.mCurrentMinY = setup.minY;
    view.mMaxY = view.mCurrentMaxY = setup.maxY;
    view.mMaxMinX = setup.limitMinX;
    view.mMaxMaxX = setup.limitMaxX;
    view.mMaxMinY = setup.limitMinY;
    view.mMaxMaxY = setup.limitMaxY;
    if (CGraphLegend* legend = view.GetLegend()) {
        legend->mX = setup.legendX;
        legend->mY = setup.legendY;
        legend->mWidth = setup.legendWidth;
        legend->mHeight = setup.legendHeight;
    }
    view.mNbXTicks = view.mNbYTicks = setup.ticks;
    view.mXTicksDigits = view.mYTicksDigits = setup.digits;
    view.updateSubobjectsCoordinates();
}

void CAlphaBetaPlotView::InitializeAxes() {
    ApplyPlotAxesSetup(*this, {"Alpha", "Beta", 0, 1, 0, 1, 0, 1, 0, 1, 0.1, 0.8, 120, 30, 6, 3});
}

void CAlphaBetaPlotView::NotifyObjectSelection() {
    if (mServices) mServices->NotifyAlphaBetaPlotSelection();
}

CPhaseDiagView::CPhaseDiagView(CApplicationServices* services) : mServices(services) {
    InitializeAxes();
}

void CPhaseDiagView::InitializeAxes() {
    ApplyPlotAxesSetup(*this, {"T (\xC2\xB0"
                               "C)",
                               "P (bar)", 0, 300, 0, 500, -100, 1000, 0, 5000, 20, 400, 160, 30, 11, 0});
}

void CPhaseDiagView::NotifyObjectSelection() {
    if (mServices) mServices->NotifyPTPlotSelection();
}
