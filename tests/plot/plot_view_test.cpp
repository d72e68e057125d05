// SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include <expat.h>

#include <cmath>
#include <limits>

#include "plot/plot_view.hpp"
#include "plot/rect_tracker.hpp"
#include "plot/svg_canvas.hpp"
#include "recording_canvas.hpp"

using namespace zephon::plot;

namespace {

struct FakeHost : CPlotViewHost {
    void DisplayStatusMessage(const std::string& text) override { messages.push_back(text); }
    void RequestRedraw() override { ++redraws; }
    void ShowContextMenu(const CPlotContextMenu& menu) override { menus.push_back(menu); }
    void NotifyAxisRangesChanged(CPlotView&) override { ++rangeChanges; }
    std::optional<Color> ChooseColor(Color) override { return color; }
    std::optional<Font> ChooseFont(const Font&) override { return font; }
    bool EditCurveSettings(CPlotView&, CGraphObject&) override { return ++curveDialogs, true; }
    bool EditPointSettings(CPlotView&, CGraphObject&) override { return ++pointDialogs, true; }

    std::vector<std::string> messages;
    std::vector<CPlotContextMenu> menus;
    int redraws = 0, rangeChanges = 0, curveDialogs = 0, pointDialogs = 0;
    std::optional<Color> color;
    std::optional<Font> font;
    std::string Last() const { return messages.empty() ? "<none>" : messages.back(); }
};

// Plot area (70, 20, 370, 320), 100 pixels per unit on both axes: world 0..3.
struct ViewTest : ::testing::Test {
    void SetUp() override {
        view.SetHost(&host);
        view.SetClientRect({0, 0, 400, 370});
        view.SetAxisLabels("T", "P");
        view.SetCurrentRanges(0, 3, 0, 3);
        view.SetRangeLimits({-1000, 1000, -1000, 1000});
    }
    template <class T> T* Add(std::unique_ptr<T> object, const char* name = "") {
        object->mName = name;
        object->mSelectable = true;
        return view.addGraphObject(std::move(object));
    }
    CPlotTracking Drag(int x0, int y0, int x1, int y1) {
        const CPlotTracking tracking = view.OnLButtonDown(x0, y0);
        view.EndTracking(Rect{x0, y0, x1, y1});
        return tracking;
    }
    FakeHost host;
    CPlotView view;
};

bool WellFormedXml(const std::string& xml) {
    XML_Parser parser = XML_ParserCreate("UTF-8");
    const bool ok = XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), 1) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return ok;
}

} // namespace

TEST_F(ViewTest, DefaultsAndLayout) {
    CPlotView fresh; // a view holds its own legend from the start
    EXPECT_EQ(fresh.GetPlotRect(), (Rect{0, 0, 100, 100}));
    ASSERT_EQ(fresh.GetGraphObjects().size(), 1u);
    EXPECT_EQ(fresh.GetLegend()->mPlotView, &fresh);

    view.Initialize(); // in a window that has its size already
    EXPECT_EQ(view.GetPlotRect(), (Rect{70, 20, 370, 320}));
    view.SetCurrentRanges(0, 3, 0, 3);
    // A resize moves every object and keeps the selection on the same world rectangle.
    auto* point = Add(std::make_unique<CGraphPoint>(1.5, 1.5));
    EXPECT_EQ(point->mPoint.mLocalX, 220);
    Drag(100, 50, 160, 120);
    view.SetClientRect({0, 0, 700, 670}); // 600 x 600: 200 pixels per unit
    EXPECT_EQ(point->mPoint.mLocalX, 370);
    EXPECT_EQ(point->mPlotRect, (Rect{70, 20, 670, 620}));
    EXPECT_EQ(view.GetSelectedRect(), (Rect{130, 80, 250, 220}));
}

TEST_F(ViewTest, DrawingOrderTicksAndGraduations) {
    view.SetTicks(11, 11);
    view.SetDigits(1, 0);
    view.SetCurrentRanges(-1, 0, -500, 500);
    Add(std::make_unique<CGraphPoint>(-0.5, 0))->mSelector = 1;
    view.SetSelectedPoint(-0.5, 0.0);
    Drag(100, 50, 160, 120);

    RecordingCanvas canvas;
    view.Draw(canvas);
    const auto& s = canvas.shapes;
    const Rect plot = view.GetPlotRect();
    ASSERT_GE(s.size(), 5u);
    EXPECT_EQ(s[0].kind, "fill");
    EXPECT_EQ(s[1].text, "T"); // the titles, then the axes
    EXPECT_EQ(s[2].text, "P");
    EXPECT_EQ(s[3].points, (std::vector<Point>{
                               {plot.left, plot.top}, {plot.left, plot.bottom}, {plot.right, plot.bottom}}));
    // Round ticks inside the ranges, each numbered with the decimals its step needs (the axis's
    // own digits only for coordinates): -1 to 0 by 0.1 would be 11 numbers, so by 0.2; -500 to 500
    // by 200.
    std::vector<std::string> numbers;
    std::size_t i = 4;
    for (; i < s.size() && !s[i].clip; ++i)
        if (s[i].kind == "text") numbers.push_back(s[i].text);
    EXPECT_EQ(numbers, (std::vector<std::string>{"-1.0", "-0.8", "-0.6", "-0.4", "-0.2", "0.0", "-400",
                                                 "-200", "0", "200", "400"}));
    EXPECT_EQ(s[4].points, (std::vector<Point>{{plot.left, plot.bottom}, {plot.left, plot.bottom + 5}}));
    // Then, clipped to the plot area: the object, the selected point, the selection frame.
    ASSERT_EQ(s.size() - i, 5u);
    EXPECT_EQ(*s[i].clip, view.GetPlotRect());
    EXPECT_EQ(s[i].kind, "ellipse"); // the marker
    const Point marked{view.GetSelectedPoint().mLocalX, view.GetSelectedPoint().mLocalY};
    EXPECT_EQ(s[i + 1].box, (Rect{marked.x - 5, marked.y - 5, marked.x + 6, marked.y + 6}));
    EXPECT_EQ(s[i + 1].brush, Brush::Hatched(kWhite, HatchStyle::BackwardDiagonal));
    EXPECT_EQ(s[i + 4].kind, "rect");
    EXPECT_EQ(s[i + 4].pen.style, PenStyle::Dot);
    // Pictures and prints leave the selection out.
    RecordingCanvas output;
    view.Draw(output, CDrawOptions::ForOutput());
    EXPECT_EQ(output.shapes.size(), s.size() - 4);
}

TEST_F(ViewTest, TextsStayInsideTheWindowAndApartAtEveryFontSize) {
    // A window of 640 x 420 with long titles, at every font height a font dialog offers (8 to 72
    // points: 11 to 96 pixels) and in a small window.
    view.SetAxisLabels("Temperature of homogenisation (\xC2\xB0"
                       "C)",
                       "Pressure (bar)");
    view.SetCurrentRanges(-80, 350, 0, 1250);
    auto legendEntry = std::make_unique<CGraphCurve>();
    legendEntry->addPoint(0, 0);
    legendEntry->addPoint(300, 1200);
    view.GetLegend()->mRefObjectList.Add(Add(std::move(legendEntry), "Oil 1"));
    for (const Rect client : {Rect{0, 0, 640, 420}, Rect{0, 0, 300, 220}}) {
        for (const int height : {11, 16, 24, 48, 96}) {
            SCOPED_TRACE(::testing::Message() << client.right << " x " << client.bottom << ", " << height);
            view.SetClientRect(client);
            ASSERT_TRUE(view.SetLabelFont(Font{"Arial", height, 700, false, 0}));
            ASSERT_TRUE(view.SetGraduationFont(Font{"Arial", height, 400, false, 0}));
            RecordingCanvas canvas;
            view.Draw(canvas);
            // The titles and numbers: unclipped texts outside the legend.
            std::vector<Rect> drawn;
            const Rect legend = view.GetLayout().legend;
            for (const auto& shape : canvas.shapes)
                if (shape.kind == "text" && !shape.clip && !Overlaps(shape.ink, legend))
                    drawn.push_back(shape.ink);
            for (std::size_t a = 0; a < drawn.size(); ++a) {
                EXPECT_GE(drawn[a].left, client.left);
                EXPECT_LE(drawn[a].right, client.right);
                EXPECT_GE(drawn[a].top, client.top);
                EXPECT_LE(drawn[a].bottom, client.bottom);
                for (std::size_t b = a + 1; b < drawn.size(); ++b)
                    EXPECT_FALSE(Overlaps(drawn[a], drawn[b])) << a << " and " << b;
            }
            if (view.HasPlotArea()) {
                // Nothing of the titles or numbers reaches into the plot area.
                for (const Rect& box : drawn)
                    EXPECT_FALSE(Overlaps(box, view.GetPlotRect()));
            }
        }
    }
}

TEST_F(ViewTest, DegenerateWindowsRangesAndTicksNeverFail) {
    Add(std::make_unique<CGraphPoint>(1, 1));
    // A plot narrower than its ticks takes fewer of them.
    view.SetTicks(11, 2);
    view.SetClientRect({0, 0, 105, 370});
    RecordingCanvas narrow;
    view.Draw(narrow);
    EXPECT_LE(view.GetLayout().xTicks.values.size(), 5u);
    EXPECT_GE(view.GetLayout().xTicks.values.size(), 1u);
    // Zero-size window, fewer than two ticks; empty and NaN ranges are refused and change nothing.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    view.SetTicks(1, 0); // held at two ticks
    EXPECT_EQ(view.GetNbXTicks(), 2);
    const CPlotRanges shown = view.GetCurrentRanges();
    const int changes = host.rangeChanges;
    for (const Rect client : {Rect{0, 0, 0, 0}, Rect{0, 0, 400, 370}}) {
        view.SetClientRect(client);
        for (const double max : {0.0, nan, std::numeric_limits<double>::infinity()}) {
            EXPECT_FALSE(view.SetCurrentRanges(0, max, 0, 1));
            EXPECT_FALSE(view.SetCurrentRanges(0, 1, nan, max));
            EXPECT_FALSE(view.SetDefaultRanges({1, max, 0, 1}));
            RecordingCanvas canvas;
            view.Draw(canvas);
            if (client.right == 0) {
                EXPECT_EQ(canvas.shapes.size(), 1u);
            }
            view.OnLButtonDown(200, 200);
            view.EndTracking({200, 200, 200, 200});
            view.SetSelectedPoint(nan, nan);
            EXPECT_FALSE(view.IsSelectedPointVisible());
        }
    }
    EXPECT_EQ(view.GetCurrentRanges(), shown);
    EXPECT_EQ(host.rangeChanges, changes);
    // Setting what the view holds already is no change either.
    EXPECT_TRUE(view.SetCurrentRanges(shown));
    EXPECT_EQ(host.rangeChanges, changes);
}

TEST(PlotViewAxes, SnapRangeChoosesRoundSteps) {
    const auto snap = [](double min, double max, int ticks) {
        CPlotView::SnapRange(min, max, ticks);
        return std::make_pair(min, max);
    };
    EXPECT_EQ(snap(12.34, 56.78, 6), std::make_pair(9.0, 63.0));     // d 8.888, step 9
    EXPECT_EQ(snap(-56.78, -12.34, 6), std::make_pair(-63.0, -9.0)); // the same mirrored
    EXPECT_EQ(snap(0, 12.5, 6), std::make_pair(0.0, 15.0));          // d 2.5 rounds up to 3
    EXPECT_EQ(snap(0, 48, 6), std::make_pair(0.0, 50.0));            // d 9.6 rounds to 10
    // A bound on a whole step stays despite the division's rounding (0.3 / 0.1 < 3).
    auto [low, high] = snap(0.3, 1.3, 11);
    EXPECT_NEAR(low, 0.3, 1e-12);
    EXPECT_NEAR(high, 1.3, 1e-12);
    std::tie(low, high) = snap(1.2345e-12, 1.2398e-12, 6);
    EXPECT_NEAR(low, 1.234e-12, 1e-24);
    EXPECT_NEAR(high, 1.240e-12, 1e-24);
    std::tie(low, high) = snap(-3.3e300, 7.7e300, 11);
    EXPECT_DOUBLE_EQ(low, -4e300);
    EXPECT_DOUBLE_EQ(high, 8e300);
    // Ranges with nothing to snap are left alone.
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = HUGE_VAL;
    for (auto [min, max] : {std::pair{1.0, 1.0}, {2.0, 1.0}, {0.0, nan}, {-inf, 1.0}, {-1e308, 1e308}}) {
        double a = min, b = max;
        EXPECT_FALSE(CPlotView::SnapRange(a, b, 6)) << min << " " << max;
        EXPECT_TRUE(a == min && (b == max || std::isnan(max)));
    }
    EXPECT_EQ(CPlotView::FormatNumber(-0.0004, 3), "0.000");
    EXPECT_EQ(CPlotView::FormatNumber(-2.5, 0), "-2");
}

TEST_F(ViewTest, ZoomInClampsAndSnaps) {
    // 10000 pixels for 0..100: the selection's edges land on 12.34 and 56.78.
    view.SetClientRect({0, 0, 10100, 10070});
    view.SetCurrentRanges(0, 100, 0, 100);
    view.SetTicks(6, 6);
    view.SetRangeLimits({-1000, 50, -1000, 1000});
    EXPECT_FALSE(view.OnCommand(CPlotCommand::ZoomIn)); // no selection yet
    Drag(70 + 1234, 10020 - 5678, 70 + 5678, 10020 - 1234);
    EXPECT_EQ(host.Last(), "Click on the \"Zoom In\" or the \"Zoom out\" icons to change the axis ranges.");
    EXPECT_DOUBLE_EQ(view.GetSelRectLeft(), 12.34);
    const int changes = host.rangeChanges;
    EXPECT_TRUE(view.OnCommand(CPlotCommand::ZoomIn));
    // X clamped to 12.34..50 first (d 7.532, step 8), then snapped past the limit; Y 9..63.
    EXPECT_EQ(view.GetCurrentRanges(), (CPlotRanges{8, 56, 9, 63}));
    EXPECT_FALSE(view.CanZoom());
    EXPECT_FALSE(view.HasSelectionTracker());
    EXPECT_EQ(host.rangeChanges, changes + 1);
    // A selection entirely beyond a limit leaves that axis alone.
    view.SetRangeLimits({-1000, 10, -1000, 1000});
    Drag(5000, 2000, 8000, 6000);
    view.ZoomInSelectedRect();
    EXPECT_EQ(view.GetCurrentRanges().minX, 8.0);
    EXPECT_EQ(view.GetCurrentRanges().maxX, 56.0);
    EXPECT_NE(view.GetCurrentRanges().minY, 9.0);
    // Reset returns to the default ranges, unsnapped.
    view.SetDefaultRanges({0.123, 0.456, 0, 1});
    view.ResetInitialCoordinates();
    EXPECT_EQ(view.GetCurrentRanges(), (CPlotRanges{0.123, 0.456, 0, 1}));
}

TEST_F(ViewTest, ZoomOutSqueezesTheViewIntoTheSelection) {
    view.SetClientRect({0, 0, 10100, 10070});
    view.SetCurrentRanges(0, 100, 0, 100);
    view.SetTicks(6, 6);
    view.SetRangeLimits({-1000, 1000, 0, 1000});
    Drag(70 + 2500, 20 + 2500, 70 + 7500, 20 + 7500);
    view.OnCommand(CPlotCommand::ZoomOut);
    // X -50..150 snapped with step 40; Y clamped at 0 first, then 0..150 with step 30.
    EXPECT_EQ(view.GetCurrentRanges(), (CPlotRanges{-80, 160, 0, 150}));
    // A flat selection cannot zoom either way.
    Drag(100, 100, 400, 100);
    EXPECT_TRUE(view.HasSelectionTracker());
    EXPECT_FALSE(view.OnCommand(CPlotCommand::ZoomOut));
    EXPECT_FALSE(view.OnCommand(CPlotCommand::ZoomIn));
}

TEST_F(ViewTest, RubberBandAndClicks) {
    // 15 x 30 is a selection; 15 x 15 is a click on a point.
    EXPECT_EQ(Drag(100, 100, 115, 130).kind, CPlotTracking::Kind::NewSelection);
    EXPECT_EQ(view.GetSelectedRect(), (Rect{100, 100, 115, 130}));
    // With a selection, a click on its frame moves it; elsewhere it drops it.
    EXPECT_EQ(view.OnLButtonDown(98, 110).kind, CPlotTracking::Kind::MoveSelection);
    view.EndTracking({150, 150, 140, 110});
    EXPECT_EQ(view.GetSelectedRect(), (Rect{140, 110, 150, 150}));
    view.OnLButtonDown(145, 120);
    view.EndTracking({145, 120, 155, 130}); // shrunk below 20 x 20: dropped, no point selected
    EXPECT_FALSE(view.HasSelectionTracker());
    EXPECT_FALSE(view.IsSelectedPointVisible());
    Drag(100, 100, 200, 200);
    EXPECT_EQ(view.OnLButtonDown(300, 300).kind, CPlotTracking::Kind::None);
    EXPECT_FALSE(view.HasSelectionTracker());

    Drag(220, 95, 235, 80);
    EXPECT_FALSE(view.HasSelectionTracker());
    EXPECT_TRUE(view.IsSelectedPointVisible());
    EXPECT_EQ(host.Last(), "T = 1.500, P = 2.250");
    // Outside the plot area: marker hidden, status cleared.
    EXPECT_EQ(view.OnLButtonDown(10, 10).kind, CPlotTracking::Kind::None);
    EXPECT_FALSE(view.IsSelectedPointVisible());
    EXPECT_EQ(host.Last(), "");
}

TEST_F(ViewTest, HitTestTakesTheTopmostSelectableObject) {
    auto* bottom = Add(std::make_unique<CGraphPoint>(1, 1), "bottom");
    auto* top = Add(std::make_unique<CGraphPoint>(1.02, 1), "top");
    auto* ghost = Add(std::make_unique<CGraphPoint>(1, 1), "ghost");
    ghost->mSelectable = false;
    EXPECT_TRUE(view.TestClickGraphObject(171, 220));
    EXPECT_EQ(view.GetSelectedObject(), top);
    top->mHidden = true; // not drawn, not clicked
    EXPECT_TRUE(view.TestClickGraphObject(171, 220));
    EXPECT_EQ(view.GetSelectedObject(), bottom);
    EXPECT_FALSE(view.TestClickGraphObject(300, 300));
    EXPECT_EQ(view.GetSelectedObject(), nullptr);
    // A segment reports its number.
    auto curve = std::make_unique<CGraphCurve>();
    for (double x : {0.0, 1.0, 2.0, 3.0})
        curve->addPoint(x, x);
    Add(std::move(curve));
    EXPECT_TRUE(view.TestClickGraphObject(320, 70));
    EXPECT_EQ(view.GetWhichPart(), 3);
}

TEST_F(ViewTest, StatusMessagesOfSelectedPoints) {
    auto curve = std::make_unique<CGraphCurve>();
    curve->addPoint(0, 0.25);
    curve->addPoint(3, 0.25);
    Add(std::move(curve), "Isochore 1");
    // The click is 24 % above the curve: the point still snaps onto it.
    EXPECT_TRUE(view.TestClickGraphObject(170, 289));
    EXPECT_EQ(host.Last(), "Isochore 1 : T = 1.000, P = 0.250");
    EXPECT_EQ(view.GetSelectedPoint().mLocalY, 295);

    Add(std::make_unique<CGraphPoint>(2.004, 0.5), "Marker");
    view.TestClickGraphObject(271, 270);
    EXPECT_EQ(host.Last(), "Marker : T = 2.004, P = 0.500");
    EXPECT_DOUBLE_EQ(view.GetSelectedPointX(), 2.004);

    auto list = std::make_unique<CGraphPointCurve>();
    list->mSize = 3;
    list->addPoint(0.5, 2.5);
    list->addPoint(2.5, 2.5);
    Add(std::move(list), "Run");
    view.TestClickGraphObject(321, 70);
    EXPECT_EQ(host.Last(), "Run : T = 2.500, P = 2.500");

    auto captioned = std::make_unique<CGraphStringPointCurve>();
    captioned->mSize = 3;
    captioned->addStringPoint(2.75, 2.75, "Well 7");
    auto* named = Add(std::move(captioned));
    view.TestClickGraphObject(345, 45);
    EXPECT_EQ(host.Last(), "Well 7 : T = 2.750, P = 2.750");
    named->mName = "Correlation";
    view.TestClickGraphObject(345, 45);
    EXPECT_EQ(host.Last(), "Correlation (Well 7) : T = 2.750, P = 2.750");

    // The legend reports nothing; a point placed from outside reports its own text.
    const std::size_t count = host.messages.size();
    view.GetLegend()->mRefObjectList.Add(named);
    view.updateSubobjectsCoordinates();
    view.TestClickGraphObject(view.GetLegend()->mFrameRect.left + 2, view.GetLegend()->mFrameRect.top + 2);
    EXPECT_EQ(view.GetSelectedObject(), view.GetLegend());
    EXPECT_EQ(host.messages.size(), count);
    view.SetSelectedPoint(1.0, 2.0);
    EXPECT_EQ(host.Last(), "Selected point : T = 1.000 P = 2.000");
    EXPECT_TRUE(view.IsSelectedPointVisible());
    view.SetCurrentRanges(1.5, 3, 0, 3); // the point leaves the shown ranges
    EXPECT_FALSE(view.IsSelectedPointVisible());

    // A measured point on an axis of whole numbers reports its value as stored, not rounded.
    view.SetDigits(0, 0);
    auto measured = std::make_unique<CGraphPointCurve>();
    measured->mSize = 3;
    measured->addPoint(2, 1.1667);
    measured->addPoint(2.5, 1);
    auto* bubbles = Add(std::move(measured), "FI-2");
    view.TestClickGraphObject(bubbles->mPointsList[0]->mLocalX, bubbles->mPointsList[0]->mLocalY);
    EXPECT_EQ(host.Last(), "FI-2 : T = 2, P = 1.1667");
    view.TestClickGraphObject(bubbles->mPointsList[1]->mLocalX, bubbles->mPointsList[1]->mLocalY);
    EXPECT_EQ(host.Last(), "FI-2 : T = 2.5, P = 1");
}

TEST_F(ViewTest, ContextMenusAndCommands) {
    auto* curve = Add(std::make_unique<CGraphCurve>(), "c");
    curve->addPoint(0, 0);
    curve->addPoint(3, 3);
    curve->mSize = 2;
    auto* list = Add(std::make_unique<CGraphPointCurve>(), "l");
    list->addPoint(2, 1);
    list->mSize = 4;
    view.updateSubobjectsCoordinates();

    view.OnRButtonUp(300, 100);
    ASSERT_EQ(host.menus.size(), 1u);
    EXPECT_EQ(host.menus[0].name, "Plot settings");
    EXPECT_FALSE(host.menus[0].Find("Zoom in")->enabled);
    EXPECT_FALSE(host.menus[0].Find("Zoom out")->enabled);
    EXPECT_TRUE(host.menus[0].Find("Axis ranges by default")->enabled);
    view.OnRButtonUp(170, 220);
    EXPECT_EQ(host.menus[1].name, "Curve Settings");
    EXPECT_EQ(host.menus[1].object, curve);
    EXPECT_TRUE(host.menus[1].Find("Double Thickness")->checked);
    EXPECT_FALSE(host.menus[1].Find("Normal Thickness")->checked);
    view.OnRButtonUp(270, 220); // a plain list of points has no menu here
    EXPECT_EQ(host.menus.size(), 2u);
    EXPECT_FALSE(view.OnCommand(CPlotCommand::TripleThickness)); // on the list
    EXPECT_TRUE(view.OnCommand(CPlotCommand::DecreaseSize));
    EXPECT_FALSE(view.OnCommand(CPlotCommand::DecreaseSize)); // stops at 3
    EXPECT_EQ(list->mSize, 3);
    EXPECT_FALSE(view.OnCommand(CPlotCommand::Color)); // dialog cancelled
    host.color = MakeColor(1, 2, 3);
    EXPECT_TRUE(view.OnCommand(CPlotCommand::Color));
    EXPECT_EQ(list->mForeColor, MakeColor(1, 2, 3));
    view.OnLButtonDblClk(270, 220);
    EXPECT_EQ(host.pointDialogs, 1);
    view.TestClickGraphObject(170, 220);
    // A command of a menu comes back by its number.
    EXPECT_TRUE(view.OnMenuCommand(host.menus[1].Find("Triple Thickness")->command));
    EXPECT_EQ(curve->GetDrawPen().width, 3);
    EXPECT_FALSE(view.OnCommand(CPlotCommand::LegendFont)); // only on the legend
    host.font = Font{"Courier", 20, 700, true, 0};
    EXPECT_TRUE(view.OnCommand(CPlotCommand::AxisLabelFont));
    EXPECT_EQ(view.GetYLabelFont().face, "Courier");
    EXPECT_EQ(view.GetYLabelFont().rotation, 90);
    EXPECT_EQ(view.GetLabelFont().rotation, 0);

    view.hilite1(list);
    view.hilite(curve);
    EXPECT_TRUE(curve->mHilited && !list->mHilited);

    // Removing the selected object that the legend lists leaves nothing pointing at it.
    view.GetLegend()->mRefObjectList.Add(curve);
    view.removeGraphObject(curve);
    EXPECT_EQ(view.GetSelectedObject(), nullptr);
    EXPECT_EQ(view.GetLegend()->mRefObjectList.Count(), 0);
    RecordingCanvas canvas;
    view.Draw(canvas);
}

TEST_F(ViewTest, PlotFormatRoundTripAndLegendDrag) {
    CPlotFormat format;
    format.mMinX = -5;
    format.mMaxX = 5;
    format.mCurrentMinX = -2;
    format.mCurrentMaxX = 2;
    format.mCurrentMaxY = 10;
    format.mLegendX = -1.5;
    format.mLegendY = 8;
    format.mLegendFormat = CTextFormat("Times New Roman", 11, CTextFormat::kItalic);
    format.mLabelsFormat = CTextFormat("Arial", 18, CTextFormat::kBold);
    format.mTicksFormat = CTextFormat("Courier", 9, 3);
    auto* point = Add(std::make_unique<CGraphPoint>(0, 5));
    view.setFromPlotFormat(format);
    EXPECT_EQ(point->mPoint.mLocalX, 220); // objects already shown follow the loaded ranges
    EXPECT_EQ(view.GetLegend()->mFrameRect.left, 107);
    EXPECT_EQ(view.GetYLabelFont().rotation, 90);
    EXPECT_EQ(view.GetGraduationFont(), (Font{"Courier", 9, 700, true, 0}));

    CPlotFormat saved;
    view.updatePlotFormat(saved);
    CDataHandleStream a, b;
    format.Write(a);
    saved.Write(b);
    EXPECT_EQ(a.Text(), b.Text());

    // Dragging the legend stores its new corner in world coordinates.
    CGraphLegend* legend = view.GetLegend();
    legend->mRefObjectList.Add(point);
    view.updateSubobjectsCoordinates();
    const CPlotTracking drag = view.OnLButtonDown(110, 85);
    ASSERT_EQ(drag.kind, CPlotTracking::Kind::DragObject);
    view.EndTracking(drag.start.Offset(113, 30));
    view.updatePlotFormat(saved);
    EXPECT_DOUBLE_EQ(saved.mLegendX, 0);
    EXPECT_DOUBLE_EQ(saved.mLegendY, 7);
}

TEST_F(ViewTest, PrintScaleAndSvgOfAFullView) {
    const CPlotView::PrintScale scale = CPlotView::GetPrintScale(600, 300);
    EXPECT_DOUBLE_EQ(scale.x, 6.25);
    EXPECT_DOUBLE_EQ(scale.y, 3.125);
    EXPECT_DOUBLE_EQ(CPlotView::GetPrintScale(0, -1).x, 1);

    view.SetAxisLabels("Temperature <\xB0"
                       "C>",
                       "Pressure & \"bar\"");
    auto curve = std::make_unique<CGraphCurve>();
    for (int k = 0; k <= 30; ++k)
        curve->addPoint(0.1 * k, 1.5 + std::sin(k * 0.3), k == 15);
    curve->mLabel = "Th < 120";
    auto* drawn = Add(std::move(curve), "Bubble & dew");
    view.GetLegend()->mRefObjectList.Add(drawn);
    view.GetLegend()->mX = 2;
    view.GetLegend()->mY = 2.8;
    Add(std::make_unique<CGraphPoint>(1, 1), "A1")->mSelector = 7;
    view.updateSubobjectsCoordinates();
    view.SetSelectedPoint(1.5, 1.5);
    Drag(100, 100, 200, 200);
    SvgCanvas canvas(400, 370);
    view.Draw(canvas);
    EXPECT_TRUE(WellFormedXml(canvas.GetSvg())) << canvas.GetSvg();
}

TEST_F(ViewTest, AStoredFormatTakesOnlyWhatTheAxesCanShow) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    view.SetDefaultRanges({0, 3, 0, 3});
    const Font legendFont = view.GetLegendFont();
    CPlotFormat damaged;
    damaged.mMinX = 5; // inverted X: the view keeps its own default X
    damaged.mMaxX = 1;
    damaged.mMinY = -1; // a usable Y
    damaged.mMaxY = 4;
    damaged.mCurrentMinX = 1;
    damaged.mCurrentMaxX = std::numeric_limits<double>::infinity();
    damaged.mCurrentMinY = 2; // an empty shown Y falls back on the default
    damaged.mCurrentMaxY = 2;
    damaged.mLegendX = nan;
    damaged.mLegendFormat = CTextFormat("Arial", 0, 0);
    damaged.mLabelsFormat = CTextFormat("", 12, 0);
    damaged.mTicksFormat = CTextFormat("Courier", 100000, 0);
    const double legendX = view.GetLegend()->mX;
    const int changes = host.rangeChanges;
    view.setFromPlotFormat(damaged);
    EXPECT_EQ(view.GetDefaultRanges(), (CPlotRanges{0, 3, -1, 4}));
    EXPECT_EQ(view.GetCurrentRanges(), (CPlotRanges{0, 3, -1, 4}));
    EXPECT_EQ(view.GetLegend()->mX, legendX);
    EXPECT_EQ(view.GetLegendFont(), legendFont);
    EXPECT_EQ(view.GetLabelFont().face, "Arial");
    EXPECT_EQ(view.GetGraduationFont().height, 14);
    EXPECT_EQ(host.rangeChanges, changes + 1);

    // Setters skip what the view holds already and tell of every real change.
    view.SetDigits(2, 2);
    view.SetDigits(2, 2);
    EXPECT_EQ(host.rangeChanges, changes + 2) << "the axis range window shows the ranges with the decimals";
    EXPECT_FALSE(view.SetLegendFont(Font{"Arial", 0}));
    EXPECT_TRUE(view.SetLabelFont(Font{"Times", 20, 700, false, 45}));
    EXPECT_EQ(view.GetLabelFont().rotation, 0);
    EXPECT_EQ(view.GetYLabelFont().rotation, 90);
}

TEST(PlotTracker, HandlesResizeAndTheFrameMoves) {
    const Rect frame{100, 100, 200, 160};
    EXPECT_EQ(CRectTracker::HitTest(frame, {100, 100}), CTrackerHit::TopLeft);
    EXPECT_EQ(CRectTracker::HitTest(frame, {150, 163}), CTrackerHit::Bottom);
    EXPECT_EQ(CRectTracker::HitTest(frame, {204, 130}), CTrackerHit::Right);
    EXPECT_EQ(CRectTracker::HitTest(frame, {120, 140}), CTrackerHit::Move);
    EXPECT_EQ(CRectTracker::HitTest(frame, {97, 110}), CTrackerHit::Move) << "the frame's own edge";
    EXPECT_EQ(CRectTracker::HitTest(frame, {95, 110}), CTrackerHit::None);
    EXPECT_EQ(CRectTracker::Track(frame, CTrackerHit::Move, {120, 140}, {130, 120}),
              (Rect{110, 80, 210, 140}));
    EXPECT_EQ(CRectTracker::Track(frame, CTrackerHit::BottomRight, {200, 160}, {250, 170}),
              (Rect{100, 100, 250, 170}));
    EXPECT_EQ(CRectTracker::Track(frame, CTrackerHit::Left, {100, 130}, {90, 0}), (Rect{90, 100, 200, 160}));
    // Dragged past the opposite edge the frame turns over; the view normalises what is released.
    EXPECT_EQ(CRectTracker::Track(frame, CTrackerHit::Top, {150, 100}, {150, 200}).Normalized(),
              (Rect{100, 160, 200, 200}));
}
