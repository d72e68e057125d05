// SPDX-License-Identifier: BSD-3-Clause
// The plot view's layout and drawing: margins measured from the fonts, round graduations, the
// legend where it hides the least, and captions that neither leave the plot nor cover each other.

#include <algorithm>
#include <array>
#include <cmath>

#include "plot/label_placement.hpp"
#include "plot/legend_placement.hpp"
#include "plot/plot_view.hpp"

using namespace zephon::plot;

namespace {

constexpr int kTickLength = 5;
constexpr int kLabelGap = 3;   // between a tick and its number
constexpr int kTitleGap = 6;   // between the numbers and the axis title
constexpr int kEdge = 6;       // kept free along the window's edges
constexpr int kNumberGap = 10; // at least between two numbers of the X axis
constexpr int kOutsideGap = 12;
// The legend goes outside the plot only while the plot keeps this share of its width.
constexpr double kOutsideShare = 0.6;

Rect Centred(int x, int y, Size extent) {
    return {x - extent.cx / 2, y - extent.cy / 2, x - extent.cx / 2 + extent.cx,
            y - extent.cy / 2 + extent.cy};
}

// The box shifted (not resized) to lie within the bounds as far as it can.
Rect KeptWithin(Rect box, const Rect& bounds) {
    const int dx = box.right > bounds.right ? bounds.right - box.right : 0;
    box = box.Offset(dx, 0);
    if (box.left < bounds.left) box = box.Offset(bounds.left - box.left, 0);
    const int dy = box.bottom > bounds.bottom ? bounds.bottom - box.bottom : 0;
    box = box.Offset(0, dy);
    if (box.top < bounds.top) box = box.Offset(0, bounds.top - box.top);
    return box;
}

int PixelAt(const PlotMapping& mapping, double value, bool xAxis) {
    return xAxis ? mapping.ToPixelX(value) : mapping.ToPixelY(value);
}

} // namespace

CAxisTicks CPlotView::FittingTicks(Canvas& canvas, double min, double max, int target, int pixels,
                                   bool horizontal) const {
    canvas.SetFont(mGraduationFont);
    const int height = canvas.GetTextExtent("0").cy;
    for (int most = kMaxAxisTicks; most >= 1; --most) {
        CAxisTicks ticks = ChooseAxisTicks(min, max, target, most);
        if (ticks.values.size() <= 1) return ticks;
        int need = height + 4;
        if (horizontal) {
            int widest = 0;
            for (std::size_t k = 0; k < ticks.values.size(); ++k)
                widest = std::max(widest, canvas.GetTextExtent(ticks.Label(k)).cx);
            need = widest + kNumberGap;
        }
        const double spacing = pixels * ticks.step / (max - min);
        if (spacing >= need) return ticks;
        // Fewer ticks than this would not fit either.
        most = std::min<int>(most, static_cast<int>(ticks.values.size()));
    }
    return {};
}

int CPlotView::CoordinateDigits(bool xAxis) const {
    const CAxisTicks& ticks = xAxis ? mLayout.xTicks : mLayout.yTicks;
    const int own = xAxis ? mXTicksDigits : mYTicksDigits;
    return ticks.values.empty() ? own : std::max(own, ticks.decimals);
}

void CPlotView::LayOut(Canvas& canvas) {
    const Rect client = mClientRect.Normalized();
    CPlotLayout layout;

    canvas.SetFont(mGraduationFont);
    const int numberHeight = canvas.GetTextExtent("0").cy;
    canvas.SetFont(mXLabelFont);
    const Size xTitle = mXLabel.empty() ? Size{} : canvas.GetTextExtent(mXLabel);
    canvas.SetFont(mYLabelFont);
    const Size yTitle = mYLabel.empty() ? Size{} : canvas.GetTextExtent(mYLabel);

    Rect plot;
    plot.top = client.top + std::max(kEdge + numberHeight / 2 + 1, 10);
    plot.bottom = client.bottom - (kTickLength + kLabelGap + numberHeight + kEdge +
                                   (xTitle.cy > 0 ? kTitleGap + xTitle.cy : 0));
    layout.yTicks = FittingTicks(canvas, mCurrentMinY, mCurrentMaxY, mNbYTicks, plot.Height(), false);
    int widestY = 0;
    for (std::size_t k = 0; k < layout.yTicks.values.size(); ++k)
        widestY = std::max(widestY, canvas.GetTextExtent(layout.yTicks.Label(k)).cx);
    plot.left =
        client.left + kEdge + (yTitle.cy > 0 ? yTitle.cy + kTitleGap : 0) + widestY + kLabelGap + kTickLength;
    plot.right = client.right - 2 * kEdge;

    // The X numbers: the last one may need room beyond the plot's right edge.
    const auto layOutX = [&] {
        layout.xTicks = FittingTicks(canvas, mCurrentMinX, mCurrentMaxX, mNbXTicks, plot.Width(), true);
        if (layout.xTicks.values.empty()) return 0;
        const PlotMapping mapping{plot, mCurrentMinX, mCurrentMaxX, mCurrentMinY, mCurrentMaxY};
        const std::size_t last = layout.xTicks.values.size() - 1;
        const int x = mapping.ToPixelX(layout.xTicks.values[last]);
        return x + canvas.GetTextExtent(layout.xTicks.Label(last)).cx / 2 + kEdge - client.right;
    };
    if (const int overshoot = layOutX(); overshoot > 0) {
        plot.right -= overshoot;
        layOutX();
    }

    // The legend: in the corner that hides the least, outside on the right when every corner hides
    // data and the plot can spare the room, or where a person put it.
    const bool legendShown = mLegend != nullptr && mLegend->HasEntries();
    const Size legendSize = legendShown ? mLegend->Measure(canvas) : Size{};
    if (legendShown && !mLegend->mPlacedByHand && plot.Width() > 0 && plot.Height() > 0) {
        const PlotMapping mapping{plot, mCurrentMinX, mCurrentMaxX, mCurrentMinY, mCurrentMaxY};
        const CLegendCorner corner = BestLegendCorner(mGraphObjList, mapping, legendSize);
        const int outsideRight = client.right - kEdge - legendSize.cx - kOutsideGap;
        const bool outsideFits = legendSize.cy <= client.Height() - 2 * kEdge &&
                                 outsideRight - plot.left >= kOutsideShare * plot.Width();
        if (corner.covered > 0 && outsideFits) {
            plot.right = std::min(plot.right, outsideRight);
            layOutX();
            layout.legend = {plot.right + kOutsideGap, plot.top, plot.right + kOutsideGap + legendSize.cx,
                             plot.top + legendSize.cy};
            layout.legendOutside = true;
        } else {
            layout.legend = LegendBoxInCorner(corner.spot, plot, legendSize);
        }
    }

    // A new plot area takes every object, the selected point and the selection with it.
    mMarginLeft = static_cast<short>(std::clamp(plot.left - client.left, -32768, 32767));
    mMarginTop = static_cast<short>(std::clamp(plot.top - client.top, -32768, 32767));
    mMarginRight = static_cast<short>(std::clamp(plot.right - client.right, -32768, 32767));
    mMarginBottom = static_cast<short>(std::clamp(plot.bottom - client.bottom, -32768, 32767));
    if (!(plot == mPlotRect)) {
        mPlotRect = plot;
        updateSubobjectsCoordinates();
    }
    if (legendShown && mLegend->mPlacedByHand) {
        UpdateObject(*mLegend);
        const Rect at{mLegend->mLocalX, mLegend->mLocalY, mLegend->mLocalX + legendSize.cx,
                      mLegend->mLocalY + legendSize.cy};
        layout.legend = KeptWithin(at, client);
    }
    if (legendShown) mLegend->PlaceAt(layout.legend);

    // Boxes of the numbers and titles; a Y number that would touch an X one is left out.
    const PlotMapping mapping = GetMapping();
    canvas.SetFont(mGraduationFont);
    for (std::size_t k = 0; k < layout.xTicks.values.size(); ++k) {
        const Size extent = canvas.GetTextExtent(layout.xTicks.Label(k));
        const int x = PixelAt(mapping, layout.xTicks.values[k], true);
        const int top = plot.bottom + kTickLength + kLabelGap;
        layout.xLabels.push_back({x - extent.cx / 2, top, x - extent.cx / 2 + extent.cx, top + extent.cy});
    }
    for (std::size_t k = 0; k < layout.yTicks.values.size(); ++k) {
        const Size extent = canvas.GetTextExtent(layout.yTicks.Label(k));
        const int y = PixelAt(mapping, layout.yTicks.values[k], false);
        const int right = plot.left - kTickLength - kLabelGap;
        Rect box{right - extent.cx, y - extent.cy / 2, right, y - extent.cy / 2 + extent.cy};
        const bool clash = std::any_of(layout.xLabels.begin(), layout.xLabels.end(),
                                       [&](const Rect& x) { return Overlaps(box, x); });
        layout.yLabels.push_back(clash ? Rect{} : box);
    }
    const Rect inside{client.left + kEdge, client.top + kEdge, client.right - kEdge, client.bottom - kEdge};
    if (xTitle.cy > 0) {
        const int top = plot.bottom + kTickLength + kLabelGap + numberHeight + kTitleGap;
        const int middle = (plot.left + plot.right) / 2;
        layout.xTitle = KeptWithin(
            {middle - xTitle.cx / 2, top, middle - xTitle.cx / 2 + xTitle.cx, top + xTitle.cy}, inside);
    }
    if (yTitle.cy > 0) {
        // Turned a quarter: as wide as the text is high, as high as it is long.
        const Rect turned = Centred(client.left + kEdge + yTitle.cy / 2, (plot.top + plot.bottom) / 2,
                                    Size{yTitle.cy, yTitle.cx});
        layout.yTitle = KeptWithin(turned, inside);
    }
    mLayout = std::move(layout);
}

void CPlotView::Draw(Canvas& canvas, const CDrawOptions& options) {
    ClipGuard guard(canvas);
    canvas.FillRect(mClientRect, mBackgroundBrush.color);
    LayOut(canvas);
    // A window smaller than its margins has no plot area to draw in.
    if (!HasPlotArea()) return;
    DrawAxes(canvas);

    const Rect& plot = mPlotRect;
    const std::optional<Rect> outer = guard.Saved();
    canvas.SetClip(outer ? plot.Intersect(*outer) : plot);
    // A highlight shows on screen what a panel or dialog is pointing at; pictures and prints
    // draw every object as it is.
    std::vector<CGraphObject*> hilited;
    if (!options.selection)
        for (auto& object : mGraphObjList)
            if (object->mHilited) {
                hilited.push_back(object.get());
                object->mHilited = false;
            }
    for (auto& object : mGraphObjList)
        if (object.get() != mLegend) object->Draw(canvas);
    DrawLabels(canvas);
    for (CGraphObject* object : hilited)
        object->mHilited = true;

    // The legend stands over the data, inside or outside the plot area.
    canvas.SetClip(outer);
    if (mLegend) mLegend->Draw(canvas);

    if (!options.selection) return;
    canvas.SetClip(outer ? plot.Intersect(*outer) : plot);
    DrawSelectedPoint(canvas);
    if (mRectTracker) {
        canvas.SetPen(Pen{1, kBlack, PenStyle::Dot});
        canvas.SetBrush(Brush::Hollow());
        canvas.DrawRectangle(*mRectTracker);
    }
}

void CPlotView::DrawAxes(Canvas& canvas) {
    const Rect& plot = mPlotRect;
    canvas.SetTextColor(kBlack);
    if (!mXLabel.empty()) {
        canvas.SetFont(mXLabelFont);
        canvas.DrawText(mXLabel, mLayout.xTitle, kTextHCenter | kTextVCenter | kTextNoClip);
    }
    if (!mYLabel.empty()) {
        canvas.SetFont(mYLabelFont);
        canvas.DrawText(mYLabel, mLayout.yTitle, kTextHCenter | kTextVCenter | kTextNoClip);
    }

    canvas.SetPen(mBlackPen);
    const std::array<Point, 3> axes{
        {{plot.left, plot.top}, {plot.left, plot.bottom}, {plot.right, plot.bottom}}};
    canvas.DrawPolyline(axes);

    const PlotMapping mapping = GetMapping();
    canvas.SetFont(mGraduationFont);
    for (std::size_t k = 0; k < mLayout.xTicks.values.size(); ++k) {
        const int x = mapping.ToPixelX(mLayout.xTicks.values[k]);
        canvas.DrawLine({x, plot.bottom}, {x, plot.bottom + kTickLength});
        canvas.DrawText(mLayout.xTicks.Label(k), mLayout.xLabels[k], kTextHCenter | kTextTop | kTextNoClip);
    }
    for (std::size_t k = 0; k < mLayout.yTicks.values.size(); ++k) {
        const int y = mapping.ToPixelY(mLayout.yTicks.values[k]);
        canvas.DrawLine({plot.left, y}, {plot.left - kTickLength, y});
        if (mLayout.yLabels[k].Width() > 0)
            canvas.DrawText(mLayout.yTicks.Label(k), mLayout.yLabels[k],
                            kTextRight | kTextVCenter | kTextNoClip);
    }
}

void CPlotView::DrawLabels(Canvas& canvas) {
    canvas.SetFont(mLegendFont);
    std::vector<CPlotLabel> labels;
    // The drawn curves, which captions keep clear of where they can; each caption knows its own.
    CPlotLines lines;
    for (const auto& object : mGraphObjList) {
        const std::size_t first = labels.size();
        object->CollectLabels(canvas, labels);
        if (object->mHidden || object->mType != CGraphObject::kCurve) continue;
        const int line = static_cast<int>(lines.size());
        std::vector<Point> stroke;
        const auto flush = [&] {
            if (stroke.size() >= 2) lines.push_back(MakePlotLine(std::move(stroke), !object->mSelectable));
            stroke.clear();
        };
        for (const auto& p : static_cast<const CGraphPointList&>(*object).mPointsList) {
            if (p->mSkip) flush();
            stroke.push_back({p->mLocalX, p->mLocalY});
        }
        flush();
        // A curve drawn in several strokes: its captions know the first of them.
        for (std::size_t k = first; k < labels.size(); ++k)
            labels[k].line = static_cast<int>(lines.size()) > line ? line : -1;
    }
    if (labels.empty()) return;
    // The captions of what a person works with choose their places before the background's.
    std::stable_partition(labels.begin(), labels.end(),
                          [](const CPlotLabel& label) { return label.kind != CPlotLabel::Kind::Background; });

    // Nothing is written over the legend or over a marker.
    std::vector<Rect> obstacles;
    if (mLayout.legend.Width() > 0 && !mLayout.legendOutside) obstacles.push_back(mLayout.legend);
    for (const auto& object : mGraphObjList) {
        if (object->mHidden) continue;
        if (object->mType == CGraphObject::kPoint) {
            const CPointRecord& p = static_cast<const CGraphPoint&>(*object).mPoint;
            obstacles.push_back(MarkerBox(object->mSize, p.mLocalX, p.mLocalY));
        } else if (object->mType == CGraphObject::kPointList ||
                   object->mType == CGraphObject::kStringPointList) {
            for (const auto& p : static_cast<const CGraphPointList&>(*object).mPointsList)
                obstacles.push_back(MarkerBox(object->mSize, p->mLocalX, p->mLocalY));
        }
    }

    const Rect area{mPlotRect.left + 2, mPlotRect.top + 1, mPlotRect.right - 1, mPlotRect.bottom - 2};
    const std::vector<CPlacedLabel> placed = PlaceLabels(labels, area, obstacles, lines);
    canvas.SetPen(Pen{1, MakeColor(120, 120, 120), PenStyle::Solid});
    for (const CPlacedLabel& each : placed)
        if (each.leader) canvas.DrawLine(each.from, each.to);
    for (const CPlacedLabel& each : placed) {
        const CPlotLabel& label = labels[each.label];
        canvas.SetTextColor(label.color);
        canvas.DrawText(label.text, each.box, kTextLeft | kTextTop | kTextNoClip);
    }
}
