// SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include "plot/graph_object.hpp"
#include "plot/svg_canvas.hpp"
#include "recording_canvas.hpp"

using namespace zephon::plot;

namespace {

// Plot area 100 x 200 pixels at (10, 20); world 0..10 by 0..100.
template <class T> void Place(T& object) {
    object.SetPlotArea({10, 20, 110, 220}, 0, 10, 0, 100);
    object.CalculateCoordinates();
}

// A curve whose vertices sit at the given pixels (plot area as large as the world, y flipped;
// powers of two keep the mapping exact).
std::unique_ptr<CGraphCurve> PixelCurve(std::initializer_list<std::pair<int, int>> pixels,
                                        std::initializer_list<bool> skips = {}) {
    auto curve = std::make_unique<CGraphCurve>();
    auto skip = skips.begin();
    for (auto [x, y] : pixels) {
        const bool lifted = skip != skips.end() && *skip++;
        curve->addPoint(x, 1024 - y, lifted);
    }
    curve->SetPlotArea({0, 0, 1024, 1024}, 0, 1024, 0, 1024);
    curve->CalculateCoordinates();
    return curve;
}

} // namespace

TEST(PlotMapping, MapsWorldToPixelsWithYUpwardAndTruncation) {
    const PlotMapping m{{10, 20, 110, 220}, 0, 10, 0, 100};
    EXPECT_EQ(m.ToPixelX(5), 60);
    EXPECT_EQ(m.ToPixelY(25), 170); // 220 + (20 - 220) * 0.25
    EXPECT_EQ(m.ToPixelX(3.339), 43);
    EXPECT_EQ(m.ToPixelY(100), 20);
    // Truncation goes toward zero, not down.
    const PlotMapping unit{{0, 0, 100, 100}, 0, 1, 0, 1};
    EXPECT_EQ(unit.ToPixelX(-0.015), -1);
    // The inverse puts pixels back where they came from.
    EXPECT_DOUBLE_EQ(m.ToWorldX(60), 5);
    EXPECT_DOUBLE_EQ(m.ToWorldY(170), 25);
}

TEST(PlotMapping, DegenerateRangesAndFarPointsStayBounded) {
    // An empty range or a flat plot area cannot divide by zero.
    const PlotMapping flat{{10, 20, 110, 220}, 5, 5, 1, 1};
    EXPECT_EQ(flat.ToPixelX(7), 10);
    EXPECT_EQ(flat.ToPixelY(3), 220);
    const PlotMapping noArea{{10, 20, 10, 20}, 0, 1, 0, 1};
    EXPECT_DOUBLE_EQ(noArea.ToWorldX(50), 0);
    EXPECT_DOUBLE_EQ(noArea.ToWorldY(50), 0);
    // A point far outside a zoomed range stays off the plot on its own side instead of wrapping
    // round the 16-bit range onto the plot.
    const PlotMapping zoomed{{0, 0, 1000, 1000}, 0, 0.001, 0, 0.001};
    EXPECT_EQ(zoomed.ToPixelX(1.0), 32767);
    EXPECT_EQ(zoomed.ToPixelX(-1.0), -32768);
    EXPECT_EQ(zoomed.ToPixelY(1.0), -32768);
    EXPECT_EQ(zoomed.ToPixelX(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(Markers, BoxesGetOneMorePixelForOddSizes) {
    EXPECT_EQ(MarkerBox(3, 50, 50), (Rect{47, 47, 54, 54})); // 7 x 7
    EXPECT_EQ(MarkerBox(4, 50, 50), (Rect{46, 46, 54, 54})); // 8 x 8
    EXPECT_EQ(MarkerBox(3, 50, 50).Width(), 7);
    EXPECT_EQ(MarkerBox(4, 50, 50).Width(), 8);
}

TEST(Markers, ShapesFollowTheirSelector) {
    const Color blue = MakeColor(0, 0, 191);
    const auto draw = [&](int selector) {
        RecordingCanvas canvas;
        DrawPoint(canvas, selector, 3, blue, 50, 50);
        return canvas.shapes;
    };
    // Filled and open closed shapes: outlined with a one-pixel pen, white inside when open.
    for (int selector : {1, 2, 3, 4, 7, 8, 9, 10, 11, 12}) {
        const auto shapes = draw(selector);
        ASSERT_EQ(shapes.size(), 1u) << selector;
        EXPECT_EQ(shapes[0].pen, (Pen{1, blue, PenStyle::Solid})) << selector;
        const bool open = selector == 2 || selector == 4 || selector == 9 || selector == 10 || selector == 12;
        EXPECT_EQ(shapes[0].brush.color, open ? kWhite : blue) << selector;
    }
    EXPECT_EQ(draw(1)[0].kind, "ellipse");
    EXPECT_EQ(draw(1)[0].box, (Rect{47, 47, 54, 54}));
    EXPECT_EQ(draw(4)[0].kind, "rect");

    const auto diagonal = draw(5);
    ASSERT_EQ(diagonal.size(), 2u);
    EXPECT_EQ(diagonal[0].points, (std::vector<Point>{{47, 47}, {54, 54}}));
    EXPECT_EQ(diagonal[1].points, (std::vector<Point>{{47, 54}, {54, 47}}));
    const auto upright = draw(6);
    ASSERT_EQ(upright.size(), 2u);
    EXPECT_EQ(upright[0].points, (std::vector<Point>{{50, 47}, {50, 54}}));
    EXPECT_EQ(upright[1].points, (std::vector<Point>{{47, 50}, {54, 50}}));

    // Triangles are the box shifted by size / 3 (1 pixel here): up with the apex on top,
    // down with the apex below.
    EXPECT_EQ(draw(7)[0].points, (std::vector<Point>{{50, 46}, {54, 53}, {47, 53}}));
    EXPECT_EQ(draw(10)[0].points, (std::vector<Point>{{50, 55}, {47, 48}, {54, 48}}));
    EXPECT_EQ(draw(11)[0].points, (std::vector<Point>{{50, 47}, {54, 50}, {50, 54}, {47, 50}}));

    EXPECT_TRUE(draw(0).empty());
    EXPECT_TRUE(draw(13).empty());
    EXPECT_STREQ(MarkerName(3), "Filled square");
    EXPECT_STREQ(MarkerName(13), "");
}

TEST(GraphPoint, FrameAndHitTestUseTheMarkerSize) {
    CGraphPoint point(5, 25);
    point.mSize = 3;
    Place(point);
    EXPECT_EQ(point.mPoint.mLocalX, 60);
    EXPECT_EQ(point.mPoint.mLocalY, 170);
    EXPECT_EQ(point.mFrameRect, (Rect{57, 167, 63, 173}));
    long index = 0;
    EXPECT_EQ(point.TestClick(63, 167, &index), 1); // 3 pixels away on both axes
    EXPECT_EQ(index, 1);
    EXPECT_EQ(point.TestClick(64, 170, &index), 0); // 4 pixels away
    EXPECT_EQ(point.TestClick(60, 174, &index), 0);

    RecordingCanvas canvas;
    point.SetHilited(true);
    point.Draw(canvas);
    ASSERT_EQ(canvas.shapes.size(), 1u);
    EXPECT_EQ(canvas.shapes[0].box, MarkerBox(4, 60, 170)); // one size up when highlighted
    point.mHidden = true;
    point.Draw(canvas);
    EXPECT_EQ(canvas.shapes.size(), 1u);
}

TEST(GraphPointCurve, FirstPointInListOrderIsHit) {
    CGraphPointCurve list;
    list.mSize = 2;
    list.addPoint(1, 50);
    list.addPoint(5, 50);
    list.addPoint(5.2, 50); // two pixels to the right of the second
    Place(list);
    EXPECT_EQ(list.mFrameRect, (Rect{18, 118, 64, 122}));
    long index = 0;
    EXPECT_EQ(list.TestClick(61, 120, &index), 1);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(list.mLastHitPointIndex, 2);
    EXPECT_EQ(list.TestClick(63, 122, &index), 1);
    EXPECT_EQ(index, 3);
    EXPECT_EQ(list.TestClick(40, 120, &index), 0);
    EXPECT_EQ(list.mLastHitPointIndex, 3);

    // The cursor helpers walk the vertices; adding leaves the cursor on the new one.
    CGraphStringPointCurve named;
    named.addStringPoint(1, 2, "A");
    CStringPointRecord* b = named.addStringPoint(3, 4, "B");
    EXPECT_EQ(named.GetStringPoint(), b);
    EXPECT_FALSE(named.HasPoints());
    named.SetToFirstPoint();
    EXPECT_EQ(named.GetStringPoint()->mString, "A");
    EXPECT_EQ(named.mType, CGraphObject::kStringPointList);
    EXPECT_NE(dynamic_cast<CStringPointRecord*>(named.addPoint(5, 6)), nullptr);
}

TEST(GraphCurve, HitTestOnVerticesAndSegments) {
    // A shallow segment, then a vertical one (dx = 0), then a steep one.
    const auto owned = PixelCurve({{100, 100}, {300, 200}, {300, 400}, {320, 600}});
    CGraphCurve& curve = *owned;
    long index = 0;
    EXPECT_EQ(curve.TestClick(107, 93, &index), 1); // near the first vertex
    EXPECT_EQ(index, 1);
    EXPECT_EQ(curve.TestClick(200, 158, &index), 1); // segment 1 at y 150
    EXPECT_EQ(index, 1);
    EXPECT_EQ(curve.TestClick(200, 159, &index), 0);
    // The vertical segment is hit within 8 pixels along its whole length.
    for (int y : {220, 300, 390}) {
        EXPECT_EQ(curve.TestClick(308, y, &index), 1) << y;
        EXPECT_EQ(index, 2);
        EXPECT_EQ(curve.TestClick(292, y, &index), 1) << y;
        EXPECT_EQ(curve.TestClick(309, y, &index), 0) << y;
    }
    EXPECT_EQ(curve.TestClick(310 + 8, 500, &index), 1); // steep segment, x interpolated at 310
    EXPECT_EQ(index, 3);
    EXPECT_EQ(curve.TestClick(310 + 9, 500, &index), 0);

    // A segment across the whole 16-bit range is interpolated without overflow.
    EXPECT_EQ(PixelCurve({{-32768, -32768}, {32767, 32767}})->TestClick(0, 0, &index), 1);
    // A single vertex is never hit; a segment of zero length is harmless.
    EXPECT_EQ(PixelCurve({{100, 100}})->TestClick(100, 100, &index), 0);
    EXPECT_EQ(PixelCurve({{100, 100}, {100, 100}})->TestClick(120, 100, &index), 0);
}

TEST(GraphCurve, PenLiftsSplitStrokesAndCannotBeHit) {
    auto owned = PixelCurve({{100, 100}, {200, 100}, {400, 100}, {500, 100}}, {false, false, true, false});
    CGraphCurve& curve = *owned;
    long index = 0;
    EXPECT_EQ(curve.TestClick(300, 100, &index), 0); // the gap between the two strokes
    EXPECT_EQ(curve.TestClick(450, 100, &index), 1);
    EXPECT_EQ(index, 3);

    RecordingCanvas canvas;
    canvas.SetClip(Rect{0, 0, 2000, 2000});
    curve.mSize = 2;
    curve.mLabel = "GOR 100";
    curve.mLabelAnchor = CPointRecord(600, 1024 - 50);
    curve.CalculateCoordinates();
    curve.Draw(canvas);
    ASSERT_EQ(canvas.shapes.size(), 2u);
    EXPECT_EQ(canvas.shapes[0].points, (std::vector<Point>{{100, 100}, {200, 100}}));
    EXPECT_EQ(canvas.shapes[1].points, (std::vector<Point>{{400, 100}, {500, 100}}));
    EXPECT_EQ(canvas.shapes[0].pen.width, 2);
    EXPECT_EQ(canvas.shapes[0].clip, (Rect{0, 0, 1024, 1024})); // the plot area within the view's clip
    EXPECT_EQ(canvas.GetClip(), (Rect{0, 0, 2000, 2000}));      // given back
    // The caption goes to the view, which places all captions together: its anchor, then the
    // vertices inside the plot area, nearest first.
    std::vector<CPlotLabel> labels;
    curve.CollectLabels(canvas, labels);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].text, "GOR 100");
    EXPECT_EQ(labels[0].kind, CPlotLabel::Kind::Background); // a curve no one selects
    EXPECT_EQ(labels[0].anchor, (Point{600, 50}));
    EXPECT_EQ(labels[0].along.front(), (Point{500, 100}));

    curve.SetHilited(true);
    canvas.shapes.clear();
    curve.Draw(canvas);
    EXPECT_EQ(canvas.shapes[0].pen.width, 4);
}

TEST(GraphCurve, YFromX) {
    CGraphCurve curve;
    EXPECT_EQ(curve.getYFromX(1), 0);
    curve.addPoint(0, 10);
    EXPECT_EQ(curve.getYFromX(5), 10);
    curve.addPoint(10, 30);
    curve.addPoint(5, 100); // a segment going back is never taken
    curve.addPoint(25, 20);
    EXPECT_DOUBLE_EQ(curve.getYFromX(0), 10);
    EXPECT_DOUBLE_EQ(curve.getYFromX(2.5), 15);
    EXPECT_DOUBLE_EQ(curve.getYFromX(10), 80); // 10 is not below 10: the third segment
    EXPECT_DOUBLE_EQ(curve.getYFromX(25), 20); // no segment holds it: the last vertex
    EXPECT_DOUBLE_EQ(curve.getYFromX(-1), 20);
}

TEST(GraphCurve, YFromXAndYSnapsToTheNearbyBranch) {
    CGraphCurve curve;
    EXPECT_EQ(curve.getYFromXAndY(1, 2), 0);
    // Two branches over the same x range: y 100 going out, y 200 coming back.
    curve.addPoint(0, 100);
    curve.addPoint(10, 100);
    curve.addPoint(10, 200);
    curve.addPoint(0, 200);
    EXPECT_DOUBLE_EQ(curve.getYFromXAndY(5, 105), 100);
    EXPECT_DOUBLE_EQ(curve.getYFromXAndY(5, 190), 200);
    EXPECT_DOUBLE_EQ(curve.getYFromXAndY(5, 150), 200);  // none accepted: the last computed
    EXPECT_DOUBLE_EQ(curve.getYFromXAndY(50, 150), 150); // no segment holds x
    // The vertical segment at x = 10 holds every y between its ends.
    EXPECT_DOUBLE_EQ(curve.getYFromXAndY(10, 170), 170);

    CGraphCurve single;
    single.addPoint(0, 0);
    single.addPoint(10, 240);
    EXPECT_DOUBLE_EQ(single.getYFromXAndY(5, 100), 120); // 20 % above, but the only one

    CGraphCurve negative;
    negative.addPoint(0, -100);
    negative.addPoint(10, -100);
    negative.addPoint(10, -300);
    negative.addPoint(0, -300);
    EXPECT_DOUBLE_EQ(negative.getYFromXAndY(5, -105), -100);
}

TEST(GraphText, DragStoresTheNewCornerInWorldCoordinates) {
    CGraphText text;
    text.mX = 2;
    text.mY = 50;
    text.mString = "Trapping at 1200 bar";
    Place(text);
    EXPECT_EQ(text.mFrameRect, (Rect{30, 120, 110, 160}));
    EXPECT_EQ(text.DragObject(text.mFrameRect), 0);
    EXPECT_EQ(text.DragObjectBy(10, -20), 1);
    EXPECT_DOUBLE_EQ(text.mX, 3);
    EXPECT_DOUBLE_EQ(text.mY, 60);
    // The position survives a zoom: recomputing gives the dragged frame back.
    text.CalculateCoordinates();
    EXPECT_EQ(text.mFrameRect, (Rect{40, 100, 120, 140}));
    long index = 0;
    EXPECT_EQ(text.TestClick(40, 140, &index), 1);
    EXPECT_EQ(text.TestClick(39, 140, &index), 0);
}

TEST(GraphLegend, HeightFollowsTheEntries) {
    CGraphPoint point;
    point.mName = "CP: Oil 1";
    point.mSelector = 11;
    CGraphCurve curve;
    curve.mName = "Isochore of inclusion 12";
    curve.mSize = 2;
    CGraphText text;
    text.mName = "note";

    CGraphLegend legend;
    EXPECT_EQ(legend.mType, CGraphObject::kLegend);
    EXPECT_TRUE(legend.mSelectable);
    legend.mRefObjectList.Add(&point);
    legend.mRefObjectList.Add(&curve);
    legend.mRefObjectList.Add(&text);
    legend.mX = 1;
    legend.mY = 90;
    Place(legend);
    EXPECT_EQ(legend.mHeight, 42);
    EXPECT_EQ(legend.mFrameRect, (Rect{20, 40, 140, 82}));

    // Measured in the 12-pixel legend font (6 pixels per character): padding, a sample, the widest
    // name; one text line per entry.
    RecordingCanvas canvas;
    const Size size = legend.Measure(canvas);
    EXPECT_EQ(size, (Size{2 * 5 + 30 + 24 * 6, 2 * 5 + 3 * 12}));
    legend.PlaceAt({20, 40, 20 + size.cx, 40 + size.cy});
    legend.Draw(canvas);
    // An opaque frame, then names 35 pixels from the left one line apart: a marker for the point,
    // a line sample for the curve, nothing for the text.
    std::vector<std::string> kinds;
    for (const auto& shape : canvas.shapes)
        kinds.push_back(shape.kind);
    EXPECT_EQ(kinds, (std::vector<std::string>{"fill", "rect", "text", "polygon", "text", "line", "text"}));
    EXPECT_EQ(canvas.shapes[0].box, legend.mFrameRect);
    EXPECT_EQ(canvas.shapes[2].box, (Rect{55, 45, 55 + 9 * 6, 57}));
    EXPECT_EQ(canvas.shapes[3].points[0], (Point{40, 50})); // diamond top, centred 15 left of the text
    EXPECT_EQ(canvas.shapes[5].points, (std::vector<Point>{{30, 63}, {50, 63}}));
    EXPECT_EQ(canvas.shapes[5].pen.width, 2);
    EXPECT_EQ(canvas.shapes[6].box.top, 69);
    // A legend with nothing to list is neither drawn nor clicked.
    CGraphLegend empty;
    empty.PlaceAt({0, 0, 50, 50});
    long index = 0;
    EXPECT_EQ(empty.TestClick(10, 10, &index), 0);
    RecordingCanvas none;
    empty.Draw(none);
    EXPECT_TRUE(none.shapes.empty());
}
