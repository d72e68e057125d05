// SPDX-License-Identifier: BSD-3-Clause
// The plot's layout rules: round ticks, the legend where it hides the least, captions that keep
// clear of each other, and the ranges "Zoom to data" chooses.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

#include "plot/axis_ticks.hpp"
#include "plot/label_placement.hpp"
#include "plot/plot_view.hpp"
#include "recording_canvas.hpp"

using namespace zephon::plot;

namespace {

bool IsRoundStep(double step) {
    const double power = std::pow(10.0, std::floor(std::log10(step)));
    const double mantissa = step / power;
    for (const double round : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (std::fabs(mantissa - round) < 1e-9) return true;
    return false;
}

std::vector<std::string> Labels(const CAxisTicks& ticks) {
    std::vector<std::string> labels;
    for (std::size_t k = 0; k < ticks.values.size(); ++k)
        labels.push_back(ticks.Label(k));
    return labels;
}

} // namespace

TEST(AxisTicks, RoundValuesOnTheRangesOfTheExamples) {
    struct Case {
        const char* what;
        double min, max;
        int target;
        std::vector<std::string> labels;
    };
    const std::vector<Case> cases{
        {"P-T diagram of the demonstration",
         -80,
         350,
         11,
         {"-50", "0", "50", "100", "150", "200", "250", "300", "350"}},
        {"P-T pressures", 0, 500, 11, {"0", "100", "200", "300", "400", "500"}},
        {"bubble sizes against temperature", -80, 130, 6, {"-50", "0", "50", "100"}},
        {"bubble volume", 0, 26, 6, {"0", "5", "10", "15", "20", "25"}},
        {"a zoomed alpha axis", 0.732, 0.804, 6, {"0.74", "0.75", "0.76", "0.77", "0.78", "0.79", "0.80"}},
        {"the whole alpha-beta plane", 0, 1, 6, {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}},
        {"steps of 2.5 take a decimal more", 0, 10, 5, {"0.0", "2.5", "5.0", "7.5", "10.0"}},
        {"a zoom from 12.34 to 56.78", 12.34, 56.78, 6, {"20", "30", "40", "50"}},
        {"tiny values",
         0.00011,
         0.00049,
         6,
         {"0.00015", "0.00020", "0.00025", "0.00030", "0.00035", "0.00040", "0.00045"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Labels(ChooseAxisTicks(c.min, c.max, c.target)), c.labels);
    }
    // Nothing to graduate.
    for (const auto& [min, max] : {std::pair{1.0, 1.0}, {2.0, 1.0}, {0.0, NAN}, {-INFINITY, 0.0}})
        EXPECT_TRUE(ChooseAxisTicks(min, max, 6).values.empty());
    EXPECT_TRUE(ChooseAxisTicks(0, 1, 6, 0).values.empty());
    EXPECT_EQ(ChooseAxisTicks(0, 1, 6, 2).values.size(), 2u) << "as many as fit";
}

TEST(AxisTicks, AnyRangeGetsThreeToTenRoundTicksInsideItWithDistinctLabels) {
    std::mt19937 random(20);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int trial = 0; trial < 3000; ++trial) {
        const double span = std::pow(10.0, -6 + 12 * unit(random));
        const double min = (unit(random) - 0.5) * std::pow(10.0, -6 + 13 * unit(random));
        const double max = min + span;
        const int target = 2 + static_cast<int>(unit(random) * 10);
        const CAxisTicks ticks = ChooseAxisTicks(min, max, target);
        SCOPED_TRACE(::testing::Message()
                     << std::setprecision(17) << "[" << min << ", " << max << "] target " << target);
        ASSERT_GE(ticks.values.size(), 3u);
        ASSERT_LE(ticks.values.size(), 10u);
        EXPECT_TRUE(IsRoundStep(ticks.step)) << ticks.step;
        const std::vector<std::string> labels = Labels(ticks);
        EXPECT_EQ(std::set<std::string>(labels.begin(), labels.end()).size(), labels.size());
        for (std::size_t k = 0; k < ticks.values.size(); ++k) {
            const double value = ticks.values[k];
            EXPECT_GE(value, min - 1e-9 * span);
            EXPECT_LE(value, max + 1e-9 * span);
            // The label reads the tick's own value, and steps are even.
            EXPECT_NEAR(std::stod(labels[k]), value, 1e-9 * span + std::fabs(value) * 1e-12);
            if (k > 0) {
                EXPECT_NEAR(value - ticks.values[k - 1], ticks.step,
                            1e-6 * ticks.step + 1e-14 * std::fabs(value));
            }
        }
    }
}

TEST(LegendPlacement, TheCornerThatHidesTheLeastThenOutsideThenWhereItWasPut) {
    struct Case {
        const char* what;
        std::vector<std::pair<double, double>> points; // world 0..10 on both axes
        bool outside;
        bool right, top; // the corner, when inside
    };
    std::vector<std::pair<double, double>> everywhere;
    for (int i = 0; i <= 40; ++i)
        for (int j = 0; j <= 40; ++j)
            everywhere.emplace_back(i / 4.0, j / 4.0);
    const std::vector<Case> cases{
        {"nothing drawn: the top right corner", {}, false, true, true},
        {"data in the top right: the top left", {{9, 9}, {9.5, 9.8}, {8.7, 9.3}}, false, false, true},
        {"data along the top: a bottom corner", {{1, 9.5}, {5, 9.5}, {9, 9.5}}, false, true, false},
        {"data everywhere: outside on the right", everywhere, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CPlotView view;
        view.SetClientRect({0, 0, 640, 420});
        view.SetCurrentRanges(0, 10, 0, 10);
        auto points = std::make_unique<CGraphPointCurve>();
        points->mSelectable = true;
        points->mName = "Measured bubbles";
        for (const auto& [x, y] : c.points)
            points->addPoint(x, y);
        view.GetLegend()->mRefObjectList.Add(view.addGraphObject(std::move(points)));
        RecordingCanvas canvas;
        view.Draw(canvas);
        const Rect legend = view.GetLayout().legend;
        const Rect plot = view.GetPlotRect();
        EXPECT_EQ(view.GetLayout().legendOutside, c.outside);
        EXPECT_EQ(view.GetLegend()->mFrameRect, legend) << "clicked where it is drawn";
        if (c.outside) {
            EXPECT_GT(legend.left, plot.right);
            EXPECT_LE(legend.right, 640);
            // Outside the plot area, it is still clicked and dragged.
            EXPECT_EQ(view.OnLButtonDown(legend.left + 3, legend.top + 3).kind,
                      CPlotTracking::Kind::DragObject);
            EXPECT_EQ(view.GetSelectedObject(), view.GetLegend());
            continue;
        }
        EXPECT_EQ(legend.right > (plot.left + plot.right) / 2, c.right);
        EXPECT_EQ(legend.top < (plot.top + plot.bottom) / 2, c.top);
        EXPECT_GE(legend.left, plot.left);
        EXPECT_LE(legend.right, plot.right);
    }

    // Put somewhere by a person: it stays there in world coordinates, and so does a position a file
    // stores; the position every plot starts with leaves the legend to the view.
    CPlotView view;
    view.SetClientRect({0, 0, 640, 420});
    view.SetCurrentRanges(0, 10, 0, 10);
    view.SetDefaultLegendPosition(1, 9);
    auto curve = std::make_unique<CGraphCurve>();
    curve->addPoint(0, 0);
    curve->addPoint(10, 10);
    view.GetLegend()->mRefObjectList.Add(view.addGraphObject(std::move(curve)));
    RecordingCanvas canvas;
    view.Draw(canvas);
    CGraphLegend& legend = *view.GetLegend();
    EXPECT_FALSE(legend.mPlacedByHand);
    ASSERT_EQ(legend.DragObjectBy(100, 60), 1);
    EXPECT_TRUE(legend.mPlacedByHand);
    const Rect dragged = legend.mFrameRect;
    view.Draw(canvas);
    EXPECT_EQ(view.GetLayout().legend, dragged);
    CPlotFormat format;
    view.updatePlotFormat(format);
    CPlotView reopened;
    reopened.SetDefaultLegendPosition(1, 9);
    reopened.setFromPlotFormat(format);
    EXPECT_TRUE(reopened.GetLegend()->mPlacedByHand);
    format.mLegendX = 1;
    format.mLegendY = 9;
    reopened.setFromPlotFormat(format);
    EXPECT_FALSE(reopened.GetLegend()->mPlacedByHand);
}

TEST(LabelPlacement, CaptionsStayInsideAndApart) {
    const Rect area{0, 0, 300, 200};
    const Size name{40, 12};
    // Four curves ending at nearly the same point in the top right corner, a marker's caption
    // beside a legend, and a background value where there is no room.
    std::vector<CPlotLabel> labels;
    for (int i = 0; i < 4; ++i)
        labels.push_back({CPlotLabel::Kind::CurveEnd,
                          "FI-" + std::to_string(i + 1),
                          name,
                          {296, 10 + 2 * i},
                          1,
                          {},
                          kBlack,
                          -1});
    labels.push_back({CPlotLabel::Kind::Point, "Well A-2", {50, 12}, {100, 100}, 4, {}, kBlack, -1});
    labels.push_back({CPlotLabel::Kind::Background, "150", {400, 12}, {150, 100}, 1, {}, kBlack, -1});
    const Rect legend{105, 90, 200, 110}; // right of the marker: its caption goes left
    const std::vector<CPlacedLabel> placed = PlaceLabels(labels, area, {legend});
    ASSERT_EQ(placed.size(), 5u) << "the background value wider than the plot is left out";
    for (std::size_t a = 0; a < placed.size(); ++a) {
        const Rect& box = placed[a].box;
        EXPECT_TRUE(box.left >= 0 && box.right <= 300 && box.top >= 0 && box.bottom <= 200) << a;
        EXPECT_FALSE(Overlaps(box, legend)) << a;
        for (std::size_t b = a + 1; b < placed.size(); ++b)
            EXPECT_FALSE(Overlaps(box, placed[b].box)) << a << " and " << b;
        // A caption moved away from its point is joined to it by a leader.
        if (placed[a].leader) {
            EXPECT_EQ(placed[a].from, labels[placed[a].label].anchor);
            EXPECT_TRUE(placed[a].box.Contains(placed[a].to.x, placed[a].to.y));
        }
    }
    EXPECT_EQ(placed[4].box.right, 100 - 4 - 3) << "left of the marker";
    EXPECT_TRUE(std::any_of(placed.begin(), placed.end(), [](const CPlacedLabel& p) { return p.leader; }));
    // A background value with no room at its point moves along its curve.
    const std::vector<CPlacedLabel> moved = PlaceLabels({{CPlotLabel::Kind::Background,
                                                          "API 35",
                                                          {40, 12},
                                                          {295, 198},
                                                          1,
                                                          {{200, 100}, {100, 100}},
                                                          kBlack,
                                                          -1}},
                                                        area, {});
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].box, (Rect{180, 94, 220, 106}));
}

TEST(LabelPlacement, CaptionsKeepClearOfTheDrawnCurvesWhereTheyCan) {
    const Rect area{0, 0, 300, 200};
    // A curve ending at (150, 100), another passing just above and right of that end: the name
    // leaves its first choice (above right) for a place clear of both.
    const CPlotLines lines = {MakePlotLine({{50, 150}, {150, 100}}), MakePlotLine({{150, 90}, {250, 90}})};
    const CPlotLabel name{CPlotLabel::Kind::CurveEnd, "FI-1", {30, 12}, {150, 100}, 1, {}, kBlack, 0};
    const std::vector<CPlacedLabel> placed = PlaceLabels({name}, area, {}, lines);
    ASSERT_EQ(placed.size(), 1u);
    for (const CPlotLine& line : lines)
        for (std::size_t k = 1; k < line.points.size(); ++k)
            EXPECT_FALSE(placed[0].box.Contains((line.points[k - 1].x + line.points[k].x) / 2,
                                                (line.points[k - 1].y + line.points[k].y) / 2));
    EXPECT_NE(placed[0].box, PlaceLabels({name}, area, {})[0].box) << "without lines it goes above right";
    // A background value is written on its own curve, clear of the others; with no clear place it
    // is still written.
    const CPlotLabel value{
        CPlotLabel::Kind::Background, "45.0", {30, 12}, {150, 150}, 1, {{100, 150}}, kBlack, 0};
    const CPlotLines crossing = {MakePlotLine({{0, 150}, {300, 150}}), MakePlotLine({{150, 0}, {150, 200}})};
    const std::vector<CPlacedLabel> moved = PlaceLabels({value}, area, {}, crossing);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_TRUE(moved[0].box.right < 150 || moved[0].box.left > 150) << "off the other line";
    const CPlotLines everywhere = {MakePlotLine({{0, 150}, {300, 150}}), MakePlotLine({{150, 0}, {150, 200}}),
                                   MakePlotLine({{100, 0}, {100, 200}})};
    EXPECT_EQ(PlaceLabels({value}, area, {}, everywhere).size(), 1u);
}

TEST(ZoomToData, TheDataWithAMarginBetweenRoundTicks) {
    CPlotView view;
    view.SetClientRect({0, 0, 640, 420});
    view.SetRangeLimits({0, 1, 0, 1});
    view.SetTicks(6, 6);
    EXPECT_FALSE(view.CanZoomToData()) << "no data";
    auto curve = std::make_unique<CGraphCurve>();
    curve->mSelectable = true;
    curve->addPoint(0.752, 0.0);
    curve->addPoint(0.985, 0.86);
    view.addGraphObject(std::move(curve));
    auto hidden = std::make_unique<CGraphPoint>(0.1, 0.1);
    hidden->mSelectable = true;
    hidden->mHidden = true;
    view.addGraphObject(std::move(hidden));
    auto background = std::make_unique<CGraphCurve>(); // a background curve is not data
    background->addPoint(0.3, 0.0);
    background->addPoint(0.5, 1.0);
    view.addGraphObject(std::move(background));
    ASSERT_TRUE(view.OnCommand(CPlotCommand::ZoomToData));
    const CPlotRanges shown = view.GetCurrentRanges();
    EXPECT_NEAR(shown.minX, 0.70, 1e-12);
    EXPECT_NEAR(shown.maxX, 1.00, 1e-12) << "held at the outer limit";
    EXPECT_NEAR(shown.minY, 0.0, 1e-12);
    EXPECT_NEAR(shown.maxY, 1.0, 1e-12);
    // A single point gets room around it.
    CPlotView lone;
    lone.SetRangeLimits({-1000, 1000, -1000, 1000});
    auto point = std::make_unique<CGraphPoint>(20, 11.67);
    point->mSelectable = true;
    lone.addGraphObject(std::move(point));
    const std::optional<CPlotRanges> around = lone.DataRanges();
    ASSERT_TRUE(around.has_value());
    EXPECT_LT(around->minX, 20);
    EXPECT_GT(around->maxX, 20);
    EXPECT_LT(around->minY, 11.67);
    EXPECT_GT(around->maxY, 11.67);
}

TEST(ZoomToData, AComputedResultIsBroughtIntoViewAsLittleAsNeeded) {
    // A crossing at 507 bar above a 0-500 bar diagram: only the top moves, to a round value.
    CPlotView view;
    view.SetClientRect({0, 0, 640, 420});
    view.SetRangeLimits({-100, 1000, 0, 5000});
    view.SetTicks(6, 6);
    view.SetCurrentRanges(-100, 350, 0, 500);
    EXPECT_FALSE(view.ShowInRanges(120, 130, 200, 300)) << "in view already";
    EXPECT_TRUE(view.ShowInRanges(150, 160, 495, 520));
    const CPlotRanges shown = view.GetCurrentRanges();
    EXPECT_EQ(shown.minX, -100);
    EXPECT_EQ(shown.maxX, 350);
    EXPECT_EQ(shown.minY, 0);
    EXPECT_GT(shown.maxY, 520);
    EXPECT_LE(shown.maxY, 600) << "not the whole aqueous isochore";
    view.ShowInRanges(150, 160, 1e6, 1e6 + 1);
    EXPECT_EQ(view.GetCurrentRanges().maxY, 5000) << "the outer limits hold";
}
