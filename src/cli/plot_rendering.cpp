#include "cli/plot_rendering.hpp"

#include <algorithm>
#include <cmath>
#include <memory>

#include "plot/plot_view.hpp"
#include "plot/svg_canvas.hpp"

namespace zephon::cli {

namespace {

using zephon::plot::SvgCanvas;

// (trunc(v) / 10 - 1) * 10 and (trunc(v) / 10 + 1) * 10, with integer division toward zero.
double LowerDecade(double v) {
    return static_cast<double>((static_cast<long>(std::trunc(v)) / 10 - 1) * 10);
}
double UpperDecade(double v) {
    return static_cast<double>((static_cast<long>(std::trunc(v)) / 10 + 1) * 10);
}

void WidenToIsopleth(CPlotFormat& format, const CIsopleth& isopleth) {
    if (isopleth.mList.IsEmpty()) return;
    if (isopleth.mMinT < format.mMinX) format.mMinX = LowerDecade(isopleth.mMinT);
    if (format.mMaxX < isopleth.mMaxT + 2) format.mMaxX = UpperDecade(isopleth.mMaxT + 2);
    if (isopleth.mMinP < format.mMinY) format.mMinY = isopleth.mMinP;
    if (format.mMaxY < isopleth.mMaxP + 2) format.mMaxY = isopleth.mMaxP + 2;
}

void WidenVolumeRanges(CPlotFormat& format, double minT, double maxT, double minV, double maxV) {
    maxT += 2;
    maxV = std::min(maxV + 2, 100.0);
    if (minT < format.mMinX) format.mMinX = LowerDecade(minT);
    if (maxT > format.mMaxX) format.mMaxX = UpperDecade(maxT);
    if (minV < format.mMinY) format.mMinY = minV;
    if (maxV > format.mMaxY) format.mMaxY = maxV;
}

void CurrentFromDefault(CPlotFormat& format) {
    format.mCurrentMinX = format.mMinX;
    format.mCurrentMaxX = format.mMaxX;
    format.mCurrentMinY = format.mMinY;
    format.mCurrentMaxY = format.mMaxY;
}

void FitVolumePlot(CVolumePlotSection& section) {
    for (const CInclusionRecordEx* inclusion : section.mInclusions.mInclusionData) {
        double minT = 0, maxT = 0, minV = 0, maxV = 0;
        inclusion->GetMinMaxValues(minT, maxT, minV, maxV);
        WidenVolumeRanges(section.mPlotFormat, minT, maxT, minV, maxV);
    }
    for (const CIsochor* isochor : section.mIsochors.mList) {
        double minT = 0, maxT = 0, minV = 0, maxV = 0;
        for (const CIsochorPoint* point : isochor->mList) {
            minT = std::min(minT, point->mT), maxT = std::max(maxT, point->mT);
            minV = std::min(minV, point->mV), maxV = std::max(maxV, point->mV);
        }
        WidenVolumeRanges(section.mPlotFormat, minT, maxT, minV, maxV);
    }
    CurrentFromDefault(section.mPlotFormat);
}

// A view of the SVG's size with the format's ranges and fonts.
void SetUpView(CPlotView& view, const CPlotFormat& format, const char* xLabel, const char* yLabel,
               short ticks, short xDigits, short yDigits) {
    view.Initialize();
    view.SetClientRect({0, 0, kSvgWidth, kSvgHeight});
    view.mXLabel = xLabel;
    view.mYLabel = yLabel;
    view.mNbXTicks = view.mNbYTicks = ticks;
    view.mXTicksDigits = xDigits;
    view.mYTicksDigits = yDigits;
    view.mMaxMinX = view.mMaxMinY = -1e9;
    view.mMaxMaxX = view.mMaxMaxY = 1e9;
    view.setFromPlotFormat(format);
}

template <class T>
T* AddNamed(CPlotView& view, std::unique_ptr<T> object, const std::string& name, bool legend) {
    object->mName = name;
    object->mSelectable = true;
    T* raw = view.addGraphObject(std::move(object));
    if (legend && view.GetLegend() != nullptr) view.GetLegend()->mRefObjectList.Add(raw);
    return raw;
}

std::string Draw(CPlotView& view) {
    view.updateSubobjectsCoordinates();
    SvgCanvas canvas(kSvgWidth, kSvgHeight);
    view.Draw(canvas);
    return canvas.GetSvg();
}

void AddIsochorCurve(CPlotView& view, const CIsochor& isochor, bool yIsVolume, bool legend) {
    auto curve = std::make_unique<CGraphCurve>();
    for (const CIsochorPoint* point : isochor.mList)
        curve->addPoint(point->mT, yIsVolume ? point->mV : point->mP);
    curve->mSize = isochor.mCurveFormat.mSize;
    curve->mForeColor = isochor.mCurveFormat.mColor;
    AddNamed(view, std::move(curve), isochor.mName, legend);
}

} // namespace

void FitPhaseDiagramRanges(CPhaseDiagramFile& file) {
    for (const CPhaseDiagram* diagram : file.mDiagrams.mList) {
        if (diagram->mLiquidIsopleth) WidenToIsopleth(file.mPlotFormat, *diagram->mLiquidIsopleth);
        if (diagram->mVapourIsopleth) WidenToIsopleth(file.mPlotFormat, *diagram->mVapourIsopleth);
    }
    CurrentFromDefault(file.mPlotFormat);
    for (auto& section : file.mVolumePlots)
        FitVolumePlot(*section);
}

std::string RenderAlphaBetaPlot(CAlphaBetaPlotFile& plot) {
    CPlotView view;
    SetUpView(view, plot.mPlotFormat, "Alpha", "Beta", 6, 2, 2);
    for (const CAlphaBetaCurve* curve : plot.mCurves.mList) {
        auto graph = std::make_unique<CGraphCurve>();
        for (const CAlphaBetaRecord* point : curve->mCurve)
            graph->addPoint(point->mAlpha, point->mBeta);
        graph->mSize = curve->mCurveFormat.mSize;
        graph->mForeColor = curve->mCurveFormat.mColor;
        graph->mLabel = curve->mInclusion.mInclusionName;
        if (const CAlphaBetaRecord* first = curve->mCurve.First())
            graph->mLabelAnchor = CPointRecord(first->mAlpha, first->mBeta);
        AddNamed(view, std::move(graph), curve->mInclusion.mInclusionName, true);
    }
    for (const CAlphaBetaPoint* point : plot.mPoints.mList) {
        auto graph =
            std::make_unique<CGraphPoint>(point->mAlphaBetaRecordEx.mAlpha, point->mAlphaBetaRecordEx.mBeta);
        graph->mSize = point->mPointFormat.mSize;
        graph->mForeColor = point->mPointFormat.mColor;
        graph->mSelector = point->mPointFormat.mSelector;
        AddNamed(view, std::move(graph), point->mAlphaBetaRecordEx.mName, true);
    }
    for (const CAlphaBetaCorrelation* correlation : plot.mCorrelations.mList) {
        auto graph = std::make_unique<CGraphStringPointCurve>();
        for (const CAlphaBetaRecordEx* fluid : correlation->mList)
            graph->addStringPoint(fluid->mAlpha, fluid->mBeta, fluid->mName);
        graph->mSize = correlation->mPointFormat.mSize;
        graph->mForeColor = correlation->mPointFormat.mColor;
        graph->mSelector = correlation->mPointFormat.mSelector;
        AddNamed(view, std::move(graph), correlation->mName, true);
    }
    return Draw(view);
}

std::string RenderPhaseDiagram(CPhaseDiagramFile& file) {
    CPlotView view;
    SetUpView(view, file.mPlotFormat,
              "T (\xC2\xB0"
              "C)",
              "P (bar)", 6, 0, 0);
    for (const CPhaseDiagram* diagram : file.mDiagrams.mList) {
        const std::string name = diagram->mName + " ";
        bool inLegend = false;
        for (const CIsopleth* isopleth : {diagram->mLiquidIsopleth.get(), diagram->mVapourIsopleth.get()}) {
            if (isopleth == nullptr) continue;
            auto curve = std::make_unique<CGraphCurve>();
            for (const CIsoplethPoint* point : isopleth->mList)
                curve->addPoint(point->mT, point->mP, point->mSkip != 0);
            curve->mSize = isopleth->mCurveFormat.mSize;
            curve->mForeColor = isopleth->mCurveFormat.mColor;
            AddNamed(view, std::move(curve), name, !inLegend);
            inLegend = true;
        }
        double tc = 0, pc = 0;
        const CIsoplethPoint* a = diagram->mLiquidIsopleth ? diagram->mLiquidIsopleth->mList.Last() : nullptr;
        const CIsoplethPoint* b = diagram->mVapourIsopleth ? diagram->mVapourIsopleth->mList.Last() : nullptr;
        if (a != nullptr && b != nullptr && std::fabs(a->mT - b->mT) < 1.0) {
            tc = a->mT, pc = a->mP;
            auto marker = std::make_unique<CGraphPoint>(tc, pc);
            marker->mForeColor = zephon::plot::MakeColor(0, 0, 191);
            marker->mSize = 3;
            marker->mSelector = 1;
            AddNamed(view, std::move(marker), "CP: " + diagram->mName, false);
        }
        for (const CIsochorsList* list :
             {diagram->mBiphIsochorsList.get(), diagram->mMonoIsochorsList.get()}) {
            if (list == nullptr) continue;
            for (const CIsochor* isochor : list->mList) {
                AddIsochorCurve(view, *isochor, false, false);
                if (!isochor->mTrappingLines) continue;
                for (const CTrappingLine* trap : isochor->mTrappingLines->mList)
                    AddIsochorCurve(view, *trap, false, false);
            }
        }
    }
    return Draw(view);
}

std::string RenderVolumePlot(CVolumePlotSection& section) {
    CPlotView view;
    SetUpView(view, section.mPlotFormat,
              "T (\xC2\xB0"
              "C)",
              "% Bubble", 6, 0, 0);
    for (const CInclusionRecordEx* inclusion : section.mInclusions.mInclusionData) {
        auto points = std::make_unique<CGraphPointCurve>();
        for (const CVolumeRecord* record : inclusion->mVolumeDataList.mList)
            points->addPoint(record->mT, record->mVolume);
        points->mSize = inclusion->mPointFormat.mSize;
        points->mForeColor = inclusion->mPointFormat.mColor;
        points->mSelector = inclusion->mPointFormat.mSelector;
        AddNamed(view, std::move(points), inclusion->mInclusionName, true);
    }
    for (const CIsochor* isochor : section.mIsochors.mList)
        AddIsochorCurve(view, *isochor, true, true);
    return Draw(view);
}

} // namespace zephon::cli
