// SPDX-License-Identifier: BSD-3-Clause
#include "plot/plot_view.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

#include "base/number_field.hpp"
#include "plot/rect_tracker.hpp"

using namespace zephon::plot;

namespace {

short ToShort(long value) {
    return static_cast<short>(
        std::clamp<long>(value, std::numeric_limits<short>::min(), std::numeric_limits<short>::max()));
}

bool IsPointKind(int type) {
    return type == CGraphObject::kPoint || type == CGraphObject::kPointList ||
           type == CGraphObject::kStringPointList;
}

constexpr const char* kSelectionHint =
    "Click on the \"Zoom In\" or the \"Zoom out\" icons to change the axis ranges.";

} // namespace

CPlotView::CPlotView() {
    Initialize();
}

CPlotView::~CPlotView() = default;

bool CPlotRanges::IsValid() const {
    return std::isfinite(minX) && std::isfinite(maxX) && std::isfinite(minY) && std::isfinite(maxY) &&
           minX < maxX && minY < maxY;
}

void CPlotView::Initialize() {
    mMinX = mMinY = mCurrentMinX = mCurrentMinY = mMaxMinX = mMaxMinY = 0;
    mMaxX = mMaxY = mCurrentMaxX = mCurrentMaxY = mMaxMaxX = mMaxMaxY = 1;
    mNbXTicks = mNbYTicks = 2;
    mXTicksDigits = mYTicksDigits = 3;
    mXLabel.clear();
    mYLabel.clear();

    mGraphObjList.clear();
    mLegend = nullptr;
    // A view initialised in a window that already has its size keeps the plot area of that size.
    mPlotRect = mHasClientRect ? PlotAreaOf(mClientRect) : Rect{0, 0, 100, 100};
    ClearSelection();
    mSelRectLeft = mSelRectTop = mSelRectRight = mSelRectBottom = 0;
    mIsSelectingPointVisible = false;
    mSelectedPoint = CPointRecord();
    mSelectedPointX = mSelectedPointY = 0;
    mSelectedObject = nullptr;
    mWhichPart = 0;
    mTracking = {};

    mGrayPen = Pen{1, MakeColor(200, 200, 200), PenStyle::Solid};
    mBlackPen = Pen{1, kBlack, PenStyle::Solid};
    mGraduationFont = Font{"Arial", 14, 400, false, 0};
    mXLabelFont = Font{"Arial", 16, 700, false, 0};
    mYLabelFont = Font{"Arial", 16, 700, false, 90};
    mLegendFont = Font{"Arial", 12, 400, false, 0};
    mWindowFont = Font{"Arial", 12, 400, false, 0};
    mBackgroundBrush = Brush::Solid(kWhite);
    mTransparentBrush = Brush::Hatched(kWhite, HatchStyle::BackwardDiagonal);

    mLegend = addGraphObject(std::make_unique<CGraphLegend>());
    mDefaultLegendX = mDefaultLegendY = 0;
    mLayout = {};
    updateSubobjectsCoordinates();
    NotifyAxisRangesChanged();
}

void CPlotView::SetDefaultLegendPosition(double x, double y) {
    mDefaultLegendX = x;
    mDefaultLegendY = y;
    if (mLegend) {
        mLegend->mX = x;
        mLegend->mY = y;
        mLegend->mPlacedByHand = false;
        UpdateObject(*mLegend);
    }
}

// ---- layout ----

Rect CPlotView::PlotAreaOf(const Rect& client) const {
    return {client.left + mMarginLeft, client.top + mMarginTop, client.right + mMarginRight,
            client.bottom + mMarginBottom};
}

void CPlotView::SetClientRect(const Rect& client) {
    mClientRect = client;
    mHasClientRect = true;
    mPlotRect = PlotAreaOf(client);
    updateSubobjectsCoordinates();
}

PlotMapping CPlotView::GetMapping() const {
    return {mPlotRect, mCurrentMinX, mCurrentMaxX, mCurrentMinY, mCurrentMaxY};
}

// ---- graph objects ----

void CPlotView::UpdateObject(CGraphObject& object) const {
    object.SetPlotArea(mPlotRect, mCurrentMinX, mCurrentMaxX, mCurrentMinY, mCurrentMaxY);
    object.CalculateCoordinates();
}

void CPlotView::AddObject(std::unique_ptr<CGraphObject> object) {
    if (!object) return;
    object->mPlotView = this;
    UpdateObject(*object);
    mGraphObjList.push_back(std::move(object));
}

void CPlotView::removeGraphObject(CGraphObject* object) {
    TakeGraphObject(object);
}

CPlotView::TakenObject CPlotView::TakeGraphObject(CGraphObject* object) {
    TakenObject taken;
    const auto it = std::find_if(mGraphObjList.begin(), mGraphObjList.end(),
                                 [object](const auto& owned) { return owned.get() == object; });
    if (object == nullptr || it == mGraphObjList.end()) return taken;
    // Nothing may keep pointing at the object once it is gone.
    if (object == mLegend) {
        mLegend = nullptr;
    } else if (mLegend) {
        taken.legendPosition = mLegend->mRefObjectList.IndexOf(object);
        while (mLegend->mRefObjectList.Remove(object)) {
        }
        UpdateObject(*mLegend);
    }
    if (mSelectedObject == object) {
        mSelectedObject = nullptr;
        mWhichPart = 0;
        if (mTracking.kind == CPlotTracking::Kind::DragObject) mTracking = {};
    }
    taken.position = static_cast<std::size_t>(it - mGraphObjList.begin());
    taken.object = std::move(*it);
    mGraphObjList.erase(it);
    return taken;
}

void CPlotView::PutBackGraphObject(TakenObject taken) {
    if (!taken.object) return;
    CGraphObject* object = taken.object.get();
    object->mPlotView = this;
    UpdateObject(*object);
    const std::size_t position = std::min(taken.position, mGraphObjList.size());
    mGraphObjList.insert(mGraphObjList.begin() + static_cast<long>(position), std::move(taken.object));
    if (auto* legend = dynamic_cast<CGraphLegend*>(object); legend != nullptr && mLegend == nullptr) {
        mLegend = legend;
    } else if (mLegend != nullptr && taken.legendPosition >= 0) {
        mLegend->mRefObjectList.InsertAt(taken.legendPosition, object);
        UpdateObject(*mLegend);
    }
}

bool CPlotView::Holds(const CGraphObject* object) const {
    return object != nullptr && std::any_of(mGraphObjList.begin(), mGraphObjList.end(),
                                            [object](const auto& owned) { return owned.get() == object; });
}

void CPlotView::updateSubobjectsCoordinates() {
    for (auto& object : mGraphObjList)
        UpdateObject(*object);
    RecalculateSelPointCoordinates();
    if (mRectTracker) RecalculateSelRectCoordinates();
}

void CPlotView::hilite(CGraphObject* object) {
    for (auto& each : mGraphObjList)
        each->SetHilited(false);
    if (object) object->SetHilited(true);
    RequestRedraw();
}

void CPlotView::hilite1(CGraphObject* object) {
    if (object) object->SetHilited(true);
    RequestRedraw();
}

// ---- stored format ----

void CPlotView::setFromPlotFormat(const CPlotFormat& format) {
    // Each axis of each range set on its own: a damaged file spoils no more than it must.
    const auto axis = [](double min, double max, double& toMin, double& toMax) {
        if (!std::isfinite(min) || !std::isfinite(max) || !(min < max)) return false;
        toMin = min;
        toMax = max;
        return true;
    };
    axis(format.mMinX, format.mMaxX, mMinX, mMaxX);
    axis(format.mMinY, format.mMaxY, mMinY, mMaxY);
    if (!axis(format.mCurrentMinX, format.mCurrentMaxX, mCurrentMinX, mCurrentMaxX)) {
        mCurrentMinX = mMinX;
        mCurrentMaxX = mMaxX;
    }
    if (!axis(format.mCurrentMinY, format.mCurrentMaxY, mCurrentMinY, mCurrentMaxY)) {
        mCurrentMinY = mMinY;
        mCurrentMaxY = mMaxY;
    }
    if (mLegend && std::isfinite(format.mLegendX) && std::isfinite(format.mLegendY)) {
        mLegend->mX = format.mLegendX;
        mLegend->mY = format.mLegendY;
        // Only a position someone chose is kept; the one every plot starts with is written
        // back as it was read, and the legend goes where it hides the least.
        mLegend->mPlacedByHand = format.mLegendX != mDefaultLegendX || format.mLegendY != mDefaultLegendY;
    }
    const Font legend = format.mLegendFormat.ToFont();
    if (IsUsableFont(legend)) mLegendFont = legend;
    const Font labels = format.mLabelsFormat.ToFont();
    if (IsUsableFont(labels)) {
        mXLabelFont = labels;
        mYLabelFont = labels;
        mYLabelFont.rotation = 90;
    }
    const Font ticks = format.mTicksFormat.ToFont();
    if (IsUsableFont(ticks)) mGraduationFont = ticks;
    // Every object already shown follows the loaded ranges, not only the legend.
    CurrentRangesChanged();
}

void CPlotView::updatePlotFormat(CPlotFormat& format) const {
    format.mMinX = mMinX;
    format.mMaxX = mMaxX;
    format.mMinY = mMinY;
    format.mMaxY = mMaxY;
    format.mCurrentMinX = mCurrentMinX;
    format.mCurrentMaxX = mCurrentMaxX;
    format.mCurrentMinY = mCurrentMinY;
    format.mCurrentMaxY = mCurrentMaxY;
    if (mLegend) {
        format.mLegendX = mLegend->mX;
        format.mLegendY = mLegend->mY;
    }
    format.mLegendFormat.SetFromFont(mLegendFont);
    format.mLabelsFormat.SetFromFont(mXLabelFont);
    format.mTicksFormat.SetFromFont(mGraduationFont);
}

// ---- axes and fonts ----

bool CPlotView::SetDefaultRanges(const CPlotRanges& ranges) {
    if (!ranges.IsValid()) return false;
    mMinX = ranges.minX;
    mMaxX = ranges.maxX;
    mMinY = ranges.minY;
    mMaxY = ranges.maxY;
    return true;
}

bool CPlotView::SetCurrentRanges(const CPlotRanges& ranges) {
    if (!ranges.IsValid()) return false;
    if (ranges == GetCurrentRanges()) return true;
    mCurrentMinX = ranges.minX;
    mCurrentMaxX = ranges.maxX;
    mCurrentMinY = ranges.minY;
    mCurrentMaxY = ranges.maxY;
    CurrentRangesChanged();
    return true;
}

bool CPlotView::SetRangeLimits(const CPlotRanges& ranges) {
    if (!ranges.IsValid()) return false;
    mMaxMinX = ranges.minX;
    mMaxMaxX = ranges.maxX;
    mMaxMinY = ranges.minY;
    mMaxMaxY = ranges.maxY;
    return true;
}

void CPlotView::CurrentRangesChanged() {
    updateSubobjectsCoordinates();
    NotifyAxisRangesChanged();
    RequestRedraw();
}

void CPlotView::SetAxisLabels(std::string xLabel, std::string yLabel) {
    if (xLabel == mXLabel && yLabel == mYLabel) return;
    mXLabel = std::move(xLabel);
    mYLabel = std::move(yLabel);
    RequestRedraw();
}

void CPlotView::SetTicks(int xTicks, int yTicks) {
    const auto bounded = [](int ticks) { return static_cast<short>(std::clamp(ticks, 2, kMaxTicks)); };
    if (bounded(xTicks) == mNbXTicks && bounded(yTicks) == mNbYTicks) return;
    mNbXTicks = bounded(xTicks);
    mNbYTicks = bounded(yTicks);
    RequestRedraw();
}

void CPlotView::SetDigits(int xDigits, int yDigits) {
    const auto bounded = [](int digits) { return static_cast<short>(std::clamp(digits, 0, kMaxDigits)); };
    if (bounded(xDigits) == mXTicksDigits && bounded(yDigits) == mYTicksDigits) return;
    mXTicksDigits = bounded(xDigits);
    mYTicksDigits = bounded(yDigits);
    // The axis range window shows the ranges with these decimals.
    NotifyAxisRangesChanged();
    RequestRedraw();
}

bool CPlotView::IsUsableFont(const Font& font) {
    return !font.face.empty() && font.height >= kMinFontHeight && font.height <= kMaxFontHeight;
}

bool CPlotView::SetLegendFont(Font font) {
    font.rotation = 0;
    if (!IsUsableFont(font)) return false;
    if (font == mLegendFont) return true;
    mLegendFont = std::move(font);
    // The legend's entries and the curves' captions are measured with it.
    updateSubobjectsCoordinates();
    RequestRedraw();
    return true;
}

bool CPlotView::SetLabelFont(Font font) {
    font.rotation = 0;
    if (!IsUsableFont(font)) return false;
    if (font == mXLabelFont) return true;
    mXLabelFont = font;
    mYLabelFont = std::move(font);
    mYLabelFont.rotation = 90;
    RequestRedraw();
    return true;
}

bool CPlotView::SetGraduationFont(Font font) {
    font.rotation = 0;
    if (!IsUsableFont(font)) return false;
    if (font == mGraduationFont) return true;
    mGraduationFont = std::move(font);
    RequestRedraw();
    return true;
}

// ---- drawing ----

void CPlotView::DrawSelectedPoint(Canvas& canvas) {
    if (!mIsSelectingPointVisible) return;
    const int x = mSelectedPoint.mLocalX;
    const int y = mSelectedPoint.mLocalY;
    const Rect box{x - 5, y - 5, x + 6, y + 6};
    canvas.SetPen(mBlackPen);
    canvas.SetBrush(mTransparentBrush);
    canvas.DrawEllipse(box);
    canvas.DrawLine({x, box.top}, {x, box.bottom - 1});
    canvas.DrawLine({box.left, y}, {box.right - 1, y});
}

CPlotView::PrintScale CPlotView::GetPrintScale(int printerDpiX, int printerDpiY) {
    PrintScale scale;
    if (printerDpiX > 0) scale.x = static_cast<double>(printerDpiX) / kScreenDpi;
    if (printerDpiY > 0) scale.y = static_cast<double>(printerDpiY) / kScreenDpi;
    return scale;
}

// ---- axes ----

bool CPlotView::SnapRange(double& min, double& max, int ticks) {
    if (!std::isfinite(min) || !std::isfinite(max) || !(max > min)) return false;
    const double d = (max - min) / (std::max(ticks, 2) - 1);
    if (!std::isfinite(d) || !(d > 0)) return false;
    const double power = std::pow(10.0, std::floor(std::log10(d)));
    const double step = std::round(d / power) * power;
    if (!std::isfinite(step) || !(step > 0)) return false;
    // A bound that is a whole number of steps stays where it is, even when the division lands a
    // rounding error below or above that number.
    const auto tolerance = [](double q) { return 1e-9 * std::max(1.0, std::abs(q)); };
    const double qMin = min / step;
    const double qMax = max / step;
    const double low = std::min(min, std::floor(qMin + tolerance(qMin)) * step);
    const double high = std::max(max, std::ceil(qMax - tolerance(qMax)) * step);
    if (!std::isfinite(low) || !std::isfinite(high)) return false;
    min = low;
    max = high;
    return true;
}

std::string CPlotView::FormatStoredNumber(double value, int digits) {
    digits = std::clamp(digits, 0, kMaxDigits);
    return FormatNumber(value, std::max(digits, std::min(OwnDecimals(value), 8)));
}

std::string CPlotView::FormatNumber(double value, int digits) {
    digits = std::clamp(digits, 0, 30);
    const int length = std::snprintf(nullptr, 0, "%.*f", digits, value);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%.*f", digits, value);
    text.resize(static_cast<std::size_t>(length));
    // A value that rounds to zero is shown without a sign.
    if (text.front() == '-' && text.find_first_of("123456789") == std::string::npos) text.erase(0, 1);
    return text;
}

void CPlotView::ApplyZoom(double minX, double maxX, double minY, double maxY) {
    const CPlotRanges before = GetCurrentRanges();
    CPlotRanges ranges = before;
    const auto axis = [](double low, double high, double limitLow, double limitHigh, short ticks,
                         double& currentMin, double& currentMax) {
        if (low < limitLow) low = limitLow;
        if (high > limitHigh) high = limitHigh;
        // Past the limits or too thin to show anything: the axis keeps what it shows.
        if (!std::isfinite(low) || !std::isfinite(high) || !(high > low)) return;
        SnapRange(low, high, ticks);
        currentMin = low;
        currentMax = high;
    };
    axis(minX, maxX, mMaxMinX, mMaxMaxX, mNbXTicks, ranges.minX, ranges.maxX);
    axis(minY, maxY, mMaxMinY, mMaxMaxY, mNbYTicks, ranges.minY, ranges.maxY);
    ClearSelection();
    SetCurrentRanges(ranges);
    // Unchanged ranges: the selection is gone all the same.
    if (GetCurrentRanges() == before) RequestRedraw();
}

void CPlotView::ZoomInSelectedRect() {
    if (!CanZoom()) return;
    RecalculateSelRectCoordinates();
    if (!CanZoom()) return;
    const Rect selection = mSelectedRect.Normalized();
    const PlotMapping mapping = GetMapping();
    ApplyZoom(mapping.ToWorldX(selection.left), mapping.ToWorldX(selection.right),
              mapping.ToWorldY(selection.bottom), mapping.ToWorldY(selection.top));
}

void CPlotView::ZoomOutSelectedRect() {
    if (!CanZoom()) return;
    const Rect selection = mSelectedRect.Normalized();
    const double w = selection.Width();
    const double h = selection.Height();
    const double rangeX = mCurrentMaxX - mCurrentMinX;
    const double rangeY = mCurrentMaxY - mCurrentMinY;
    ApplyZoom(mCurrentMinX - rangeX * (selection.left - mPlotRect.left) / w,
              mCurrentMaxX + rangeX * (mPlotRect.right - selection.right) / w,
              mCurrentMinY - rangeY * (mPlotRect.bottom - selection.bottom) / h,
              mCurrentMaxY + rangeY * (selection.top - mPlotRect.top) / h);
}

void CPlotView::ResetInitialCoordinates() {
    ClearSelection();
    SetCurrentRanges(GetDefaultRanges());
    RequestRedraw();
}

namespace {

// An axis's extent with a margin, rounded outward to the step its graduation will have (an
// extent of a single value is given a width around it first), so that both ends are ticks.
void WidenToRoundSteps(double& low, double& high, double shownSpan, int ticks) {
    if (!(high > low)) {
        const double half = std::max({0.05 * std::abs(shownSpan), 1e-6 * std::abs(low), 1e-12});
        low -= half;
        high += half;
    }
    const double margin = 0.04 * (high - low);
    low -= margin;
    high += margin;
    // Rounding outward may call for a longer step; a few rounds settle it.
    for (int round = 0; round < 4; ++round) {
        const double step = ChooseAxisTicks(low, high, ticks).step;
        if (!(step > 0)) return;
        const double roundLow = std::floor(low / step + 1e-9) * step;
        const double roundHigh = std::ceil(high / step - 1e-9) * step;
        if (roundLow == low && roundHigh == high) return;
        low = roundLow;
        high = roundHigh;
    }
}

// One axis widened as little as needed to hold [low, high]: only an end that must move moves, by
// a margin, and is rounded outward to the step of the wider graduation.
void GrowToHold(double& min, double& max, double low, double high, int ticks) {
    const bool lower = low<min, higher = high> max;
    if (!lower && !higher) return;
    const double margin = 0.04 * (std::max(max, high) - std::min(min, low));
    double newMin = lower ? low - margin : min;
    double newMax = higher ? high + margin : max;
    const double step = ChooseAxisTicks(newMin, newMax, ticks).step;
    if (step > 0) {
        if (lower) newMin = std::floor(newMin / step + 1e-9) * step;
        if (higher) newMax = std::ceil(newMax / step - 1e-9) * step;
    }
    min = newMin;
    max = newMax;
}

} // namespace

bool CPlotView::ShowInRanges(double minX, double maxX, double minY, double maxY) {
    if (!std::isfinite(minX) || !std::isfinite(maxX) || !std::isfinite(minY) || !std::isfinite(maxY) ||
        minX > maxX || minY > maxY)
        return false;
    CPlotRanges ranges = GetCurrentRanges();
    GrowToHold(ranges.minX, ranges.maxX, minX, maxX, mNbXTicks);
    GrowToHold(ranges.minY, ranges.maxY, minY, maxY, mNbYTicks);
    ranges.minX = std::max(ranges.minX, mMaxMinX);
    ranges.maxX = std::min(ranges.maxX, mMaxMaxX);
    ranges.minY = std::max(ranges.minY, mMaxMinY);
    ranges.maxY = std::min(ranges.maxY, mMaxMaxY);
    if (ranges == GetCurrentRanges() || !ranges.IsValid()) return false;
    SetCurrentRanges(ranges);
    RequestRedraw();
    return true;
}

std::optional<CPlotRanges> CPlotView::DataRanges() const {
    double minX = std::numeric_limits<double>::infinity(), maxX = -minX;
    double minY = minX, maxY = -minX;
    const auto take = [&](const CPointRecord& point) {
        if (!std::isfinite(point.mX) || !std::isfinite(point.mY)) return;
        minX = std::min(minX, point.mX);
        maxX = std::max(maxX, point.mX);
        minY = std::min(minY, point.mY);
        maxY = std::max(maxY, point.mY);
    };
    for (const auto& object : mGraphObjList) {
        if (!object->mSelectable || object->mHidden) continue;
        if (object->mType == CGraphObject::kPoint) {
            take(static_cast<const CGraphPoint&>(*object).mPoint);
        } else if (const auto* list = dynamic_cast<const CGraphPointList*>(object.get())) {
            for (const auto& point : list->mPointsList)
                take(*point);
        }
    }
    if (!(minX <= maxX)) return std::nullopt;
    CPlotRanges ranges{minX, maxX, minY, maxY};
    WidenToRoundSteps(ranges.minX, ranges.maxX, mCurrentMaxX - mCurrentMinX, mNbXTicks);
    WidenToRoundSteps(ranges.minY, ranges.maxY, mCurrentMaxY - mCurrentMinY, mNbYTicks);
    ranges.minX = std::max(ranges.minX, mMaxMinX);
    ranges.maxX = std::min(ranges.maxX, mMaxMaxX);
    ranges.minY = std::max(ranges.minY, mMaxMinY);
    ranges.maxY = std::min(ranges.maxY, mMaxMaxY);
    if (!ranges.IsValid()) return std::nullopt;
    return ranges;
}

bool CPlotView::ZoomToData() {
    const std::optional<CPlotRanges> ranges = DataRanges();
    if (!ranges) return false;
    ClearSelection();
    SetCurrentRanges(*ranges);
    RequestRedraw();
    return true;
}

// ---- selection ----

bool CPlotView::TestClickGraphObject(int x, int y) {
    const short sx = ToShort(x);
    const short sy = ToShort(y);
    mSelectedObject = nullptr;
    mWhichPart = 0;
    // The legend is drawn over everything: it is hit first.
    std::vector<CGraphObject*> order;
    if (mLegend) order.push_back(mLegend);
    for (auto it = mGraphObjList.rbegin(); it != mGraphObjList.rend(); ++it)
        if (it->get() != mLegend) order.push_back(it->get());
    for (CGraphObject* object : order) {
        // What is not drawn cannot be clicked.
        if (!object->mSelectable || object->mHidden) continue;
        long index = 0;
        if (object->TestClick(sx, sy, &index)) {
            mSelectedObject = object;
            mWhichPart = index;
            mIsSelectingPointVisible = true;
            SetSelectedPoint(static_cast<long>(sx), static_cast<long>(sy), object);
            return true;
        }
    }
    return false;
}

void CPlotView::SetSelectedPoint(long x, long y, CGraphObject* object) {
    const PlotMapping mapping = GetMapping();
    mSelectedPoint.mLocalX = ToShort(x);
    mSelectedPoint.mLocalY = ToShort(y);
    double worldX = mapping.ToWorldX(mSelectedPoint.mLocalX);
    double worldY = mapping.ToWorldY(mSelectedPoint.mLocalY);

    // The selected point moves onto the object's own point where it has one.
    const auto takePoint = [&](const CPointRecord& point) {
        worldX = point.mX;
        worldY = point.mY;
        mSelectedPoint.mLocalX = point.mLocalX;
        mSelectedPoint.mLocalY = point.mLocalY;
    };
    const auto listPoint = [](CGraphObject* list) -> const CPointRecord* {
        auto* points = dynamic_cast<CGraphPointCurve*>(list);
        if (!points || points->mLastHitPointIndex < 1 || points->mLastHitPointIndex > points->GetPointCount())
            return nullptr;
        return points->mPointsList[static_cast<std::size_t>(points->mLastHitPointIndex - 1)].get();
    };

    bool report = true;
    bool stored = false;              // the coordinates are a stored point's, shown as stored
    std::optional<std::string> owner; // who the coordinates belong to; none for a bare point
    if (object && object->mSelectable) {
        switch (object->mType) {
        case CGraphObject::kCurve:
            if (auto* curve = dynamic_cast<CGraphCurve*>(object)) {
                worldY = curve->getYFromXAndY(worldX, worldY);
                mSelectedPoint.mLocalY = mapping.ToPixelY(worldY);
                owner = curve->mName;
            }
            break;
        case CGraphObject::kPoint:
            if (auto* point = dynamic_cast<CGraphPoint*>(object)) {
                takePoint(point->mPoint);
                owner = point->mName;
                stored = true;
            }
            break;
        case CGraphObject::kPointList:
            if (const CPointRecord* point = listPoint(object)) {
                takePoint(*point);
                owner = object->mName;
                stored = true;
            }
            break;
        case CGraphObject::kStringPointList:
            if (const CPointRecord* point = listPoint(object)) {
                takePoint(*point);
                const auto* captioned = dynamic_cast<const CStringPointRecord*>(point);
                const std::string caption = captioned ? captioned->mString : std::string();
                owner = object->mName.empty() ? caption : object->mName + " (" + caption + ")";
                stored = true;
            }
            break;
        case CGraphObject::kText:
        case CGraphObject::kLegend:
            report = false;
            break;
        default:
            break;
        }
    }
    mSelectedPoint.mX = mSelectedPointX = worldX;
    mSelectedPoint.mY = mSelectedPointY = worldY;

    NotifyObjectSelection();
    if (!report) return;
    const auto text = [&](double value, bool xAxis) {
        const int digits = xAxis ? mXTicksDigits : mYTicksDigits;
        return stored ? FormatStoredNumber(value, digits) : FormatNumber(value, CoordinateDigits(xAxis));
    };
    std::string message = mXLabel + " = " + text(worldX, true) + ", " + mYLabel + " = " + text(worldY, false);
    if (owner) message = *owner + " : " + message;
    DisplayStatusMessage(message);
}

void CPlotView::SetSelectedPoint(double x, double y) {
    mSelectedPoint.mX = mSelectedPointX = x;
    mSelectedPoint.mY = mSelectedPointY = y;
    mIsSelectingPointVisible = true;
    RecalculateSelPointCoordinates();
    DisplayStatusMessage("Selected point : " + mXLabel + " = " + FormatNumber(x, 3) + " " + mYLabel + " = " +
                         FormatNumber(y, 3));
    RequestRedraw();
}

void CPlotView::RecalculateSelPointCoordinates() {
    const auto fraction = [](double value, double min, double max) {
        const double span = max - min;
        return span != 0 ? (value - min) / span : std::numeric_limits<double>::quiet_NaN();
    };
    const double fx = fraction(mSelectedPoint.mX, mCurrentMinX, mCurrentMaxX);
    const double fy = fraction(mSelectedPoint.mY, mCurrentMinY, mCurrentMaxY);
    // Outside the shown ranges, or nowhere at all (no range, no number): hidden.
    if (!(fx >= 0 && fx <= 1 && fy >= 0 && fy <= 1)) mIsSelectingPointVisible = false;
    const PlotMapping mapping = GetMapping();
    mSelectedPoint.mLocalX = mapping.ToPixelX(mSelectedPoint.mX);
    mSelectedPoint.mLocalY = mapping.ToPixelY(mSelectedPoint.mY);
}

void CPlotView::SetSelectionRectangle() {
    const PlotMapping mapping = GetMapping();
    mSelRectLeft = mapping.ToWorldX(mSelectedRect.left);
    mSelRectRight = mapping.ToWorldX(mSelectedRect.right);
    mSelRectTop = mapping.ToWorldY(mSelectedRect.top);
    mSelRectBottom = mapping.ToWorldY(mSelectedRect.bottom);
    mRectTracker = mSelectedRect;
}

void CPlotView::RecalculateSelRectCoordinates() {
    if (!mRectTracker) return;
    const PlotMapping mapping = GetMapping();
    mSelectedRect = {mapping.ToPixelX(mSelRectLeft), mapping.ToPixelY(mSelRectTop),
                     mapping.ToPixelX(mSelRectRight), mapping.ToPixelY(mSelRectBottom)};
    mRectTracker = mSelectedRect;
}

bool CPlotView::StoreSelection(const Rect& released) {
    const Rect selection = released.Normalized();
    if (selection.Width() < kMinSelectionSize && selection.Height() < kMinSelectionSize) {
        ClearSelection();
        return false;
    }
    mSelectedRect = selection;
    SetSelectionRectangle();
    DisplayStatusMessage(kSelectionHint);
    return true;
}

void CPlotView::DropSelection() {
    if (!mRectTracker && mSelectedRect == Rect{}) return;
    ClearSelection();
    RequestRedraw();
}

void CPlotView::ClearSelection() {
    mSelectedRect = {};
    mRectTracker.reset();
}

// ---- mouse and commands ----

bool CPlotView::IsOnLegend(int x, int y) const {
    return mLegend != nullptr && mLegend->HasEntries() && mLegend->mFrameRect.Normalized().Contains(x, y);
}

CPlotTracking CPlotView::OnLButtonDown(int x, int y) {
    mTracking = {};
    // The legend may stand outside the plot area, on its right.
    if (!mPlotRect.Contains(x, y) && !IsOnLegend(x, y)) {
        mIsSelectingPointVisible = false;
        RequestRedraw();
        DisplayStatusMessage("");
        return mTracking;
    }
    const Point click{x, y};
    if (TestClickGraphObject(x, y)) {
        const int type = mSelectedObject->mType;
        if (type == CGraphObject::kText || type == CGraphObject::kLegend)
            mTracking = {CPlotTracking::Kind::DragObject, mSelectedObject->mFrameRect, click};
        else
            RequestRedraw();
        return mTracking;
    }
    if (!mRectTracker) {
        mTracking = {CPlotTracking::Kind::NewSelection, Rect{x, y, x, y}, click};
        return mTracking;
    }
    if (!IsOnSelection(x, y)) {
        ClearSelection();
        RequestRedraw();
        return mTracking;
    }
    mTracking = {CPlotTracking::Kind::MoveSelection, *mRectTracker, click};
    return mTracking;
}

void CPlotView::EndTracking(const Rect& released) {
    const CPlotTracking tracking = mTracking;
    mTracking = {};
    switch (tracking.kind) {
    case CPlotTracking::Kind::None:
        return;
    case CPlotTracking::Kind::NewSelection:
        if (!StoreSelection(released)) {
            // Too small to be a rectangle: a click on a point of the plot.
            mIsSelectingPointVisible = true;
            SetSelectedPoint(static_cast<long>(tracking.anchor.x), static_cast<long>(tracking.anchor.y),
                             nullptr);
        }
        RequestRedraw();
        return;
    case CPlotTracking::Kind::MoveSelection:
        StoreSelection(released);
        RequestRedraw();
        return;
    case CPlotTracking::Kind::DragObject:
        if (mSelectedObject && mSelectedObject->DragObject(released)) {
            OnAppearanceChanged();
            RequestRedraw();
        }
        return;
    }
}

void CPlotView::CancelTracking() {
    mTracking = {};
    RequestRedraw();
}

void CPlotView::ShowClickedPoint(Point at) {
    mIsSelectingPointVisible = mPlotRect.Contains(at.x, at.y);
    if (mIsSelectingPointVisible) SetSelectedPoint(static_cast<long>(at.x), static_cast<long>(at.y), nullptr);
    RequestRedraw();
}

bool CPlotView::IsOnSelection(int x, int y) const {
    return mRectTracker && CRectTracker::HitTest(*mRectTracker, {x, y}) != CTrackerHit::None;
}

void CPlotView::OnLButtonDblClk(int, int) {
    CGraphObject* object = mSelectedObject;
    if (!object) return;
    if (IsPointKind(object->mType))
        OnCommand(CPlotCommand::PointSettingsDialog);
    else if (object->mType == CGraphObject::kCurve)
        OnCommand(CPlotCommand::CurveSettingsDialog);
}

void CPlotView::OnRButtonUp(int x, int y) {
    const std::optional<CPlotContextMenu> menu = ContextMenuAt(x, y);
    if (menu && mHost) mHost->ShowContextMenu(*menu);
}

std::optional<CPlotContextMenu> CPlotView::ContextMenuAt(int x, int y) {
    // Objects are drawn only inside the plot area; what is clipped away cannot be clicked.
    const bool hit = (mPlotRect.Contains(x, y) || IsOnLegend(x, y)) && TestClickGraphObject(x, y);
    return GetContextMenu(hit ? mSelectedObject : nullptr, Point{x, y});
}

// ---- menus ----

namespace {

CMenuItem Item(const char* caption, CPlotCommand command, bool enabled = true, bool checked = false) {
    return CMenuItem::Command(caption, static_cast<int>(command), enabled, checked);
}

} // namespace

CPlotContextMenu CPlotView::MakeMenu(std::string name, Point at, CGraphObject* hit,
                                     std::vector<CMenuItem> items) {
    CPlotContextMenu menu;
    menu.name = std::move(name);
    menu.at = at;
    menu.object = hit;
    menu.items = std::move(items);
    return menu;
}

void CPlotView::Append(std::vector<CMenuItem>& items, std::vector<CMenuItem> more) {
    if (!items.empty() && !more.empty()) items.push_back(CMenuItem::Separator());
    for (CMenuItem& item : more)
        items.push_back(std::move(item));
}

std::vector<CMenuItem> CPlotView::PlotSettingsItems(bool zoomEnabled) const {
    return {Item("Zoom in", CPlotCommand::ZoomIn, zoomEnabled),
            Item("Zoom out", CPlotCommand::ZoomOut, zoomEnabled),
            CMenuItem::Separator(),
            Item("Set axis ranges...", CPlotCommand::SetAxisRanges),
            Item("Axis ranges by default", CPlotCommand::AxisRangesByDefault),
            CMenuItem::Separator(),
            Item("Axis label font...", CPlotCommand::AxisLabelFont),
            Item("Axis graduation font...", CPlotCommand::AxisGraduationFont),
            CMenuItem::Separator(),
            Item("Print", CPlotCommand::Print)};
}

std::vector<CMenuItem> CPlotView::CurveSettingsItems(const CGraphObject& curve) const {
    return {Item("Normal Thickness", CPlotCommand::NormalThickness, true, curve.mSize == 1),
            Item("Double Thickness", CPlotCommand::DoubleThickness, true, curve.mSize == 2),
            Item("Triple Thickness", CPlotCommand::TripleThickness, true, curve.mSize == 3),
            CMenuItem::Separator(),
            Item("Color...", CPlotCommand::Color),
            Item("Settings Dialog...", CPlotCommand::CurveSettingsDialog)};
}

std::vector<CMenuItem> CPlotView::PointSettingsItems(const CGraphObject& point) const {
    return {Item("Increase size", CPlotCommand::IncreaseSize),
            Item("Decrease size", CPlotCommand::DecreaseSize, point.mSize > 3), CMenuItem::Separator(),
            Item("Color...", CPlotCommand::Color),
            Item("Settings Dialog...", CPlotCommand::PointSettingsDialog)};
}

std::vector<CMenuItem> CPlotView::FontSettingsItems(const CGraphObject& object) const {
    return {Item("Font...", CPlotCommand::LegendFont, &object == mLegend)};
}

std::optional<CPlotContextMenu> CPlotView::GetContextMenu(CGraphObject* hit, Point at) {
    if (!hit) return MakeMenu("Plot settings", at, nullptr, PlotSettingsItems(CanZoom()));
    switch (hit->mType) {
    case CGraphObject::kCurve:
        return MakeMenu("Curve Settings", at, hit, CurveSettingsItems(*hit));
    case CGraphObject::kPoint:
        return MakeMenu("Point Settings", at, hit, PointSettingsItems(*hit));
    case CGraphObject::kStringPointList:
        return MakeMenu("Point List Settings", at, hit, PointSettingsItems(*hit));
    case CGraphObject::kText:
    case CGraphObject::kLegend:
        return MakeMenu("Font Settings", at, hit, FontSettingsItems(*hit));
    default:
        return std::nullopt;
    }
}

bool CPlotView::OnMenuCommand(int number) {
    CGraphObject* object = Holds(mSelectedObject) ? mSelectedObject : nullptr;
    const int type = object ? object->mType : 0;
    // A change of an object's look: it is mapped again (its size sets its frame) and saved.
    const auto changed = [&] {
        if (object) UpdateObject(*object);
        OnAppearanceChanged();
        RequestRedraw();
        return true;
    };
    switch (static_cast<CPlotCommand>(number)) {
    case CPlotCommand::NormalThickness:
    case CPlotCommand::DoubleThickness:
    case CPlotCommand::TripleThickness: {
        if (type != CGraphObject::kCurve) return false;
        const int size = number - static_cast<int>(CPlotCommand::NormalThickness) + 1;
        if (object->mSize == size) return false;
        object->mSize = size;
        return changed();
    }
    case CPlotCommand::Color: {
        if (!IsPointKind(type) && type != CGraphObject::kCurve) return false;
        const std::optional<Color> color = mHost ? mHost->ChooseColor(object->mForeColor) : std::nullopt;
        if (!color || *color == object->mForeColor) return false;
        object->mForeColor = *color;
        return changed();
    }
    case CPlotCommand::CurveSettingsDialog:
        if (type != CGraphObject::kCurve || !SetCurveSettings(object)) return false;
        return changed();
    case CPlotCommand::PointSettingsDialog:
        if (!IsPointKind(type) || !SetPointSettings(object)) return false;
        return changed();
    case CPlotCommand::IncreaseSize:
        // Sizes are stored as 16-bit numbers.
        if (!IsPointKind(type) || object->mSize >= std::numeric_limits<short>::max()) return false;
        ++object->mSize;
        return changed();
    case CPlotCommand::DecreaseSize:
        if (!IsPointKind(type) || object->mSize <= 3) return false;
        --object->mSize;
        return changed();
    case CPlotCommand::LegendFont: {
        if (!object || object != mLegend) return false;
        const std::optional<Font> font = mHost ? mHost->ChooseFont(mLegendFont) : std::nullopt;
        if (!font || !SetLegendFont(*font)) return false;
        return changed();
    }
    case CPlotCommand::ZoomIn:
        if (!CanZoom()) return false;
        ZoomInSelectedRect();
        return true;
    case CPlotCommand::ZoomOut:
        if (!CanZoom()) return false;
        ZoomOutSelectedRect();
        return true;
    case CPlotCommand::SetAxisRanges:
        if (!mHost) return false;
        mHost->ShowAxisRangeWindow(*this);
        return true;
    case CPlotCommand::AxisRangesByDefault:
        ResetInitialCoordinates();
        return true;
    case CPlotCommand::ZoomToData:
        return ZoomToData();
    case CPlotCommand::AxisLabelFont: {
        const std::optional<Font> font = mHost ? mHost->ChooseFont(mXLabelFont) : std::nullopt;
        if (!font || !SetLabelFont(*font)) return false;
        OnAppearanceChanged();
        return true;
    }
    case CPlotCommand::AxisGraduationFont: {
        const std::optional<Font> font = mHost ? mHost->ChooseFont(mGraduationFont) : std::nullopt;
        if (!font || !SetGraduationFont(*font)) return false;
        OnAppearanceChanged();
        return true;
    }
    case CPlotCommand::Print:
        if (!mHost) return false;
        mHost->PrintView(*this);
        return true;
    }
    return false;
}

bool CPlotView::SetCurveSettings(CGraphObject* object) {
    return object && mHost && mHost->EditCurveSettings(*this, *object);
}

bool CPlotView::SetPointSettings(CGraphObject* object) {
    return object && mHost && mHost->EditPointSettings(*this, *object);
}

void CPlotView::DisplayStatusMessage(const std::string& text) {
    if (mHost) mHost->DisplayStatusMessage(text);
}

void CPlotView::RequestRedraw() {
    if (mHost) mHost->RequestRedraw();
}

void CPlotView::NotifyAxisRangesChanged() {
    if (mHost) mHost->NotifyAxisRangesChanged(*this);
}
