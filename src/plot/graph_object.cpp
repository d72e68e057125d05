// SPDX-License-Identifier: BSD-3-Clause
#include "plot/graph_object.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "plot/palette.hpp"

using namespace zephon::plot;

namespace zephon::plot {

namespace {

short ToShortPixel(double value) {
    constexpr double low = std::numeric_limits<short>::min();
    constexpr double high = std::numeric_limits<short>::max();
    if (std::isnan(value)) return 0;
    return static_cast<short>(std::clamp(std::trunc(value), low, high));
}

// low + (high - low) * (value - min) / (max - min), evaluated in that order so that pixels
// truncate exactly as the rest of the plot computes them; an empty or unusable range gives low.
double Scale(int low, int high, double value, double min, double max) {
    const double span = max - min;
    if (span == 0 || !std::isfinite(span)) return low;
    return low + (high - low) * (value - min) / span;
}

} // namespace

short PlotMapping::ToPixelX(double x) const {
    return ToShortPixel(Scale(plotRect.left, plotRect.right, x, minX, maxX));
}

short PlotMapping::ToPixelY(double y) const {
    return ToShortPixel(Scale(plotRect.bottom, plotRect.top, y, minY, maxY));
}

double PlotMapping::ToWorldX(int x) const {
    const int span = plotRect.right - plotRect.left;
    if (span == 0) return minX;
    return minX + (x - plotRect.left) * (maxX - minX) / span;
}

double PlotMapping::ToWorldY(int y) const {
    const int span = plotRect.top - plotRect.bottom;
    if (span == 0) return minY;
    return minY + (y - plotRect.bottom) * (maxY - minY) / span;
}

Rect MarkerBox(int size, int x, int y) {
    const int extra = (size % 2 != 0) ? 1 : 0;
    return {x - size, y - size, x + size + extra, y + size + extra};
}

void DrawPoint(Canvas& canvas, int selector, int size, Color color, int x, int y) {
    const Rect box = MarkerBox(size, x, y);
    const int shift = size / 3;
    canvas.SetPen(Pen{1, color, PenStyle::Solid});
    const bool open = selector == 2 || selector == 4 || selector == 9 || selector == 10 || selector == 12;
    canvas.SetBrush(Brush::Solid(open ? kWhite : color));
    switch (selector) {
    case 1:
    case 2:
        canvas.DrawEllipse(box);
        break;
    case 3:
    case 4:
        canvas.DrawRectangle(box);
        break;
    case 5:
        canvas.DrawLine({box.left, box.top}, {box.right, box.bottom});
        canvas.DrawLine({box.left, box.bottom}, {box.right, box.top});
        break;
    case 6:
        canvas.DrawLine({x, box.top}, {x, box.bottom});
        canvas.DrawLine({box.left, y}, {box.right, y});
        break;
    case 7:
    case 9: {
        const std::array<Point, 3> up{
            {{x, box.top - shift}, {box.right, box.bottom - shift}, {box.left, box.bottom - shift}}};
        canvas.DrawPolygon(up);
        break;
    }
    case 8:
    case 10: {
        const std::array<Point, 3> down{
            {{x, box.bottom + shift}, {box.left, box.top + shift}, {box.right, box.top + shift}}};
        canvas.DrawPolygon(down);
        break;
    }
    case 11:
    case 12: {
        const std::array<Point, 4> diamond{{{x, box.top}, {box.right, y}, {x, box.bottom}, {box.left, y}}};
        canvas.DrawPolygon(diamond);
        break;
    }
    default:
        break;
    }
}

const char* MarkerName(int selector) {
    static constexpr std::array<const char*, kMarkerCount> names{"Filled circle",
                                                                 "Empty circle",
                                                                 "Filled square",
                                                                 "Empty square",
                                                                 "Cross x",
                                                                 "Cross +",
                                                                 "Upside filled triangle",
                                                                 "Downside filled triangle",
                                                                 "Upside empty triangle",
                                                                 "Downside empty triangle",
                                                                 "Filled diamond",
                                                                 "Empty diamond"};
    if (selector < 1 || selector > kMarkerCount) return "";
    return names[static_cast<std::size_t>(selector - 1)];
}

} // namespace zephon::plot

// ---- CGraphObject ----

void CGraphObject::Draw(Canvas&) {}

void CGraphObject::CollectLabels(Canvas&, std::vector<CPlotLabel>&) const {}

void CGraphObject::CalculateCoordinates() {}

int CGraphObject::DragObject(const Rect& released) {
    if (released == mFrameRect) return 0;
    mFrameRect = released;
    return 1;
}

int CGraphObject::TestClick(short x, short y, long* index) {
    if (!mFrameRect.Normalized().Contains(x, y)) return 0;
    if (index) *index = 1;
    return 1;
}

void CGraphObject::SetPlotArea(const Rect& plotRect, double minX, double maxX, double minY, double maxY) {
    mPlotRect = plotRect;
    mMinX = minX;
    mMaxX = maxX;
    mMinY = minY;
    mMaxY = maxY;
}

PlotMapping CGraphObject::GetMapping() const {
    return {mPlotRect, mMinX, mMaxX, mMinY, mMaxY};
}

Font CGraphObject::GetLegendFont() const {
    if (mPlotView) return mPlotView->GetLegendFont();
    return Font{"Arial", 12, 400, false, 0};
}

Font CGraphObject::GetWindowFont() const {
    if (mPlotView) return mPlotView->GetWindowFont();
    return Font{"Arial", 12, 400, false, 0};
}

// ---- CGraphPoint ----

void CGraphPoint::CalculateCoordinates() {
    const PlotMapping mapping = GetMapping();
    mPoint.mLocalX = mapping.ToPixelX(mPoint.mX);
    mPoint.mLocalY = mapping.ToPixelY(mPoint.mY);
    mFrameRect = {mPoint.mLocalX - mSize, mPoint.mLocalY - mSize, mPoint.mLocalX + mSize,
                  mPoint.mLocalY + mSize};
}

void CGraphPoint::Draw(Canvas& canvas) {
    if (mHidden) return;
    DrawPoint(canvas, mSelector, mHilited ? mSize + 1 : mSize, mForeColor, mPoint.mLocalX, mPoint.mLocalY);
}

void CGraphPoint::CollectLabels(Canvas& canvas, std::vector<CPlotLabel>& labels) const {
    if (mHidden || !mCaptioned || mName.empty()) return;
    labels.push_back({CPlotLabel::Kind::Point,
                      mName,
                      canvas.GetTextExtent(mName),
                      Point{mPoint.mLocalX, mPoint.mLocalY},
                      mSize + 1,
                      {},
                      kBlack,
                      -1});
}

// ---- CGraphPointList ----

std::unique_ptr<CPointRecord> CGraphPointList::NewPoint(double x, double y, bool skip) {
    return std::make_unique<CPointRecord>(x, y, skip);
}

CPointRecord* CGraphPointList::AppendPoint(std::unique_ptr<CPointRecord> point) {
    mPointsList.push_back(std::move(point));
    mCursor = mPointsList.size() - 1;
    return mPointsList.back().get();
}

CPointRecord* CGraphPointList::addPoint(double x, double y, bool skip) {
    return AppendPoint(NewPoint(x, y, skip));
}

void CGraphPointList::RemoveAllPoints() {
    mPointsList.clear();
    mCursor = 0;
}

void CGraphPointList::CalculateCoordinates() {
    const PlotMapping mapping = GetMapping();
    bool first = true;
    mFrameRect = {};
    for (auto& point : mPointsList) {
        point->mLocalX = mapping.ToPixelX(point->mX);
        point->mLocalY = mapping.ToPixelY(point->mY);
        const Rect box{point->mLocalX - mSize, point->mLocalY - mSize, point->mLocalX + mSize,
                       point->mLocalY + mSize};
        mFrameRect = first ? box : mFrameRect.Union(box);
        first = false;
    }
}

// ---- CGraphCurve ----

void CGraphCurve::CalculateCoordinates() {
    CGraphPointList::CalculateCoordinates();
    if (!mLabel.empty()) {
        const PlotMapping mapping = GetMapping();
        mLabelAnchor.mLocalX = mapping.ToPixelX(mLabelAnchor.mX);
        mLabelAnchor.mLocalY = mapping.ToPixelY(mLabelAnchor.mY);
    }
}

void CGraphCurve::Draw(Canvas& canvas) {
    if (mHidden) return;
    ClipGuard guard(canvas);
    const Rect plot = mPlotRect.Normalized();
    canvas.SetClip(guard.Saved() ? plot.Intersect(*guard.Saved()) : plot);
    canvas.SetPen(mHilited ? GetHilitedPen() : GetDrawPen());
    std::vector<Point> stroke;
    const auto flush = [&] {
        if (stroke.size() >= 2) canvas.DrawPolyline(stroke);
        stroke.clear();
    };
    for (const auto& point : mPointsList) {
        if (point->mSkip) flush();
        stroke.push_back({point->mLocalX, point->mLocalY});
    }
    flush();
}

void CGraphCurve::CollectLabels(Canvas& canvas, std::vector<CPlotLabel>& labels) const {
    if (mHidden || mLabel.empty()) return;
    CPlotLabel label;
    label.kind = mSelectable ? CPlotLabel::Kind::CurveEnd : CPlotLabel::Kind::Background;
    label.text = mLabel;
    label.extent = canvas.GetTextExtent(mLabel);
    label.anchor = {mLabelAnchor.mLocalX, mLabelAnchor.mLocalY};
    label.clearance = 1;
    // A curve's name in the curve's colour tells the curves apart; background values in grey.
    label.color = mSelectable ? TextColorOnWhite(mForeColor) : MakeColor(90, 90, 90);
    // Further places along the curve, nearest to the anchor first; the ones outside the plot area
    // cannot hold a caption anyway. At most a few dozen are tried.
    const Rect plot = mPlotRect.Normalized();
    std::vector<Point> along;
    for (const auto& point : mPointsList)
        if (plot.Contains(point->mLocalX, point->mLocalY)) along.push_back({point->mLocalX, point->mLocalY});
    const auto distance = [&](const Point& p) {
        return std::abs(static_cast<long>(p.x) - label.anchor.x) +
               std::abs(static_cast<long>(p.y) - label.anchor.y);
    };
    std::stable_sort(along.begin(), along.end(),
                     [&](const Point& a, const Point& b) { return distance(a) < distance(b); });
    constexpr std::size_t kMaxPlaces = 40;
    const std::size_t stride = along.size() > kMaxPlaces ? along.size() / kMaxPlaces + 1 : 1;
    for (std::size_t k = 0; k < along.size(); k += stride)
        label.along.push_back(along[k]);
    labels.push_back(std::move(label));
}

int CGraphCurve::TestClick(short x, short y, long* index) {
    const std::size_t count = mPointsList.size();
    if (count < 2) return 0;
    const auto hit = [&](long part) {
        if (index) *index = part;
        return 1;
    };
    for (std::size_t k = 0; k < count; ++k) {
        const CPointRecord& p = *mPointsList[k];
        if (std::abs(x - p.mLocalX) <= kTolerance && std::abs(y - p.mLocalY) <= kTolerance)
            return hit(std::max<long>(static_cast<long>(k),
                                      1)); // the segment ending here; the first one for vertex 0
    }
    for (std::size_t k = 1; k < count; ++k) {
        const CPointRecord& a = *mPointsList[k - 1];
        const CPointRecord& b = *mPointsList[k];
        // No segment is drawn up to a vertex where the pen is lifted, so nothing there can be hit.
        if (b.mSkip) continue;
        // Along the segment's long axis (u) the click must lie between the ends; across it (v)
        // within the tolerance of the segment, interpolated in integers.
        int ua = a.mLocalX, ub = b.mLocalX, va = a.mLocalY, vb = b.mLocalY, u = x, v = y;
        if (std::abs(ub - ua) < std::abs(vb - va)) {
            std::swap(ua, va);
            std::swap(ub, vb);
            std::swap(u, v);
        }
        if (ua == ub) continue; // both ends on one pixel: covered by the vertex test
        if (u < std::min(ua, ub) || u > std::max(ua, ub)) continue;
        if (v < std::min(va, vb) - kTolerance || v > std::max(va, vb) + kTolerance) continue;
        // Products of two 16-bit spans need more than 32 bits.
        const long long onSegment = va + static_cast<long long>(vb - va) * (u - ua) / (ub - ua);
        if (std::llabs(onSegment - v) <= kTolerance) return hit(static_cast<long>(k));
    }
    return 0;
}

double CGraphCurve::getYFromX(double x) const {
    if (mPointsList.empty()) return 0;
    for (std::size_t k = 1; k < mPointsList.size(); ++k) {
        const CPointRecord& a = *mPointsList[k - 1];
        const CPointRecord& b = *mPointsList[k];
        if (a.mX <= x && x < b.mX) return a.mY + (b.mY - a.mY) * (x - a.mX) / (b.mX - a.mX);
    }
    return mPointsList.back()->mY;
}

double CGraphCurve::getYFromXAndY(double x, double y) const {
    if (mPointsList.empty()) return 0;
    double result = y;
    for (std::size_t k = 1; k < mPointsList.size(); ++k) {
        const CPointRecord& a = *mPointsList[k - 1];
        const CPointRecord& b = *mPointsList[k];
        if (x < std::min(a.mX, b.mX) || x > std::max(a.mX, b.mX)) continue;
        // A vertical segment holds every y between its ends: the nearest of them to y.
        result = (a.mX == b.mX) ? std::clamp(y, std::min(a.mY, b.mY), std::max(a.mY, b.mY))
                                : a.mY + (b.mY - a.mY) * (x - a.mX) / (b.mX - a.mX);
        // Within 10 % of y, for a negative y as for a positive one.
        if (std::abs(result - y) < 0.1 * std::abs(y)) return result;
    }
    return result;
}

// ---- CGraphPointCurve ----

void CGraphPointCurve::Draw(Canvas& canvas) {
    if (mHidden) return;
    const int size = mHilited ? mSize + 1 : mSize;
    for (const auto& point : mPointsList)
        DrawPoint(canvas, mSelector, size, mForeColor, point->mLocalX, point->mLocalY);
}

int CGraphPointCurve::TestClick(short x, short y, long* index) {
    for (std::size_t k = 0; k < mPointsList.size(); ++k) {
        const CPointRecord& p = *mPointsList[k];
        if (std::abs(x - p.mLocalX) <= mSize && std::abs(y - p.mLocalY) <= mSize) {
            mLastHitPointIndex = static_cast<long>(k) + 1;
            if (index) *index = mLastHitPointIndex;
            return 1;
        }
    }
    return 0;
}

// ---- CGraphStringPointCurve ----

std::unique_ptr<CPointRecord> CGraphStringPointCurve::NewPoint(double x, double y, bool skip) {
    auto point = std::make_unique<CStringPointRecord>(x, y, std::string());
    point->mSkip = skip;
    return point;
}

CStringPointRecord* CGraphStringPointCurve::addStringPoint(double x, double y, std::string caption) {
    return static_cast<CStringPointRecord*>(
        AppendPoint(std::make_unique<CStringPointRecord>(x, y, std::move(caption))));
}

void CGraphStringPointCurve::CollectLabels(Canvas& canvas, std::vector<CPlotLabel>& labels) const {
    if (mHidden || !mCaptioned) return;
    for (const auto& point : mPointsList) {
        const auto* captioned = dynamic_cast<const CStringPointRecord*>(point.get());
        if (captioned == nullptr || captioned->mString.empty()) continue;
        labels.push_back({CPlotLabel::Kind::Point,
                          captioned->mString,
                          canvas.GetTextExtent(captioned->mString),
                          Point{point->mLocalX, point->mLocalY},
                          mSize + 1,
                          {},
                          kBlack,
                          -1});
    }
}

// ---- CGraphText ----

void CGraphText::CalculateCoordinates() {
    const PlotMapping mapping = GetMapping();
    mLocalX = mapping.ToPixelX(mX);
    mLocalY = mapping.ToPixelY(mY);
    mFrameRect = {mLocalX, mLocalY, mLocalX + mWidth, mLocalY + mHeight};
}

void CGraphText::Draw(Canvas& canvas) {
    if (mHidden) return;
    canvas.SetFont(GetWindowFont());
    canvas.SetTextColor(kBlack);
    canvas.DrawText(mString, mFrameRect, kTextHCenter | kTextTop | kTextNoClip);
}

int CGraphText::DragObject(const Rect& released) {
    if (!CGraphObject::DragObject(released)) return 0;
    const PlotMapping mapping = GetMapping();
    mX = mapping.ToWorldX(mFrameRect.left);
    mY = mapping.ToWorldY(mFrameRect.top);
    mLocalX = static_cast<short>(std::clamp(mFrameRect.left, -32768, 32767));
    mLocalY = static_cast<short>(std::clamp(mFrameRect.top, -32768, 32767));
    return 1;
}

// ---- CGraphLegend ----

CGraphLegend::CGraphLegend() {
    mType = kLegend;
    mSelectable = true;
    mWidth = 120;
    mHeight = 30;
}

bool CGraphLegend::HasEntries() const {
    return !mHidden && mRefObjectList.Count() > 0;
}

void CGraphLegend::CalculateCoordinates() {
    if (!mMeasured) mHeight = static_cast<short>(std::min<long>(kLineHeight * mRefObjectList.Count(), 32767));
    // A legend the view placed keeps its frame until the view places it again.
    if (mMeasured && !mPlacedByHand) return;
    CGraphText::CalculateCoordinates();
}

Size CGraphLegend::Measure(Canvas& canvas) const {
    canvas.SetFont(GetLegendFont());
    int width = 0;
    int height = 0;
    for (const CGraphObject* object : mRefObjectList) {
        const Size extent = canvas.GetTextExtent(object->LegendText());
        width = std::max(width, extent.cx);
        height += extent.cy;
    }
    return {2 * kPadding + kSample + width, 2 * kPadding + height};
}

void CGraphLegend::PlaceAt(const Rect& frame) {
    mFrameRect = frame.Normalized();
    mLocalX = static_cast<short>(std::clamp(mFrameRect.left, -32768, 32767));
    mLocalY = static_cast<short>(std::clamp(mFrameRect.top, -32768, 32767));
    mWidth = static_cast<short>(std::clamp(mFrameRect.Width(), 0, 32767));
    mHeight = static_cast<short>(std::clamp(mFrameRect.Height(), 0, 32767));
    mMeasured = true;
}

int CGraphLegend::TestClick(short x, short y, long* index) {
    return HasEntries() ? CGraphObject::TestClick(x, y, index) : 0;
}

int CGraphLegend::DragObject(const Rect& released) {
    if (!CGraphText::DragObject(released)) return 0;
    mPlacedByHand = true;
    return 1;
}

void CGraphLegend::Draw(Canvas& canvas) {
    if (!HasEntries()) return;
    const Rect frame = mFrameRect;
    canvas.FillRect(frame, kWhite);
    canvas.SetPen(Pen{1, MakeColor(120, 120, 120), PenStyle::Solid});
    canvas.SetBrush(Brush::Hollow());
    canvas.DrawRectangle(frame);
    canvas.SetFont(GetLegendFont());
    canvas.SetTextColor(kBlack);
    const int textLeft = frame.left + kPadding + kSample;
    int y = frame.top + kPadding;
    for (CGraphObject* object : mRefObjectList) {
        const std::string& text = object->LegendText();
        const Size extent = canvas.GetTextExtent(text);
        canvas.DrawText(text, {textLeft, y, textLeft + extent.cx, y + extent.cy},
                        kTextLeft | kTextTop | kTextNoClip);
        const int middle = y + extent.cy / 2;
        if (object->mType == kPoint || object->mType == kPointList) {
            // A marker never spills over the next entry.
            const int size = std::clamp(object->mSize, 1, std::max(1, extent.cy / 2 - 1));
            DrawPoint(canvas, object->mSelector, size, object->mForeColor, textLeft - 15, middle);
        } else if (object->mType == kCurve) {
            canvas.SetPen(object->GetDrawPen());
            canvas.DrawLine({textLeft - 25, middle}, {textLeft - 5, middle});
        }
        y += extent.cy;
    }
}
