#include "documents/document_plot_views.hpp"

CAlphaBetaPlotView::CAlphaBetaPlotView(CApplicationServices* services) : mServices(services) {
    InitializeAxes();
}

void CAlphaBetaPlotView::InitializeAxes() {
    Initialize();
    mXLabel = "Alpha";
    mYLabel = "Beta";
    mMinX = mCurrentMinX = mMaxMinX = 0;
    mMaxX = mCurrentMaxX = mMaxMaxX = 1;
    mMinY = mCurrentMinY = mMaxMinY = 0;
    mMaxY = mCurrentMaxY = mMaxMaxY = 1;
    if (CGraphLegend* legend = GetLegend()) {
        legend->mX = 0.1;
        legend->mY = 0.8;
        legend->mWidth = 120;
        legend->mHeight = 30;
    }
    mNbXTicks = mNbYTicks = 6;
    mXTicksDigits = mYTicksDigits = 3;
    updateSubobjectsCoordinates();
}

void CAlphaBetaPlotView::NotifyObjectSelection() {
    if (mServices) mServices->NotifyAlphaBetaPlotSelection();
}

CPhaseDiagView::CPhaseDiagView(CApplicationServices* services) : mServices(services) {
    InitializeAxes();
}

void CPhaseDiagView::InitializeAxes() {
    Initialize();
    mXLabel = "T (\xC2\xB0"
              "C)";
    mYLabel = "P (bar)";
    mMinX = mCurrentMinX = 0;
    mMaxX = mCurrentMaxX = 300;
    mMinY = mCurrentMinY = 0;
    mMaxY = mCurrentMaxY = 500;
    mMaxMinX = -100;
    mMaxMaxX = 1000;
    mMaxMinY = 0;
    mMaxMaxY = 5000;
    if (CGraphLegend* legend = GetLegend()) {
        legend->mX = 20;
        legend->mY = 400;
        legend->mWidth = 160;
        legend->mHeight = 30;
    }
    mNbXTicks = mNbYTicks = 11;
    mXTicksDigits = mYTicksDigits = 0;
    updateSubobjectsCoordinates();
}

void CPhaseDiagView::NotifyObjectSelection() {
    if (mServices) mServices->NotifyPTPlotSelection();
}
