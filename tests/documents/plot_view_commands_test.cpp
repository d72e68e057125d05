// SPDX-License-Identifier: BSD-3-Clause
// The context menus of the alpha-beta and P-T views and the document commands they run: what each
// menu offers at a click, markers and fluid models taken from what was clicked, trapping lines
// only where an isochore has a pressure, and removals that reach the application.

#include <gtest/gtest.h>

#include <cmath>

#include "document_test_util.hpp"
#include "documents/alpha_beta_plot_document.hpp"
#include "documents/phase_diag_document.hpp"

using namespace zephon::testing;

namespace {

struct StatusHost : CPlotViewHost {
    void DisplayStatusMessage(const std::string& text) override { status = text; }
    void RequestRedraw() override {}
    void ShowContextMenu(const CPlotContextMenu&) override {}
    std::string status;
};

// Runs the command of a menu item by its caption, as the window does when it is chosen.
bool Choose(CPlotView& view, const std::optional<CPlotContextMenu>& menu, const char* caption) {
    const CMenuItem* item = menu ? menu->Find(caption) : nullptr;
    EXPECT_NE(item, nullptr) << caption;
    return item != nullptr && item->enabled && view.OnMenuCommand(item->command);
}

bool Enabled(const std::optional<CPlotContextMenu>& menu, const char* caption) {
    const CMenuItem* item = menu ? menu->Find(caption) : nullptr;
    return item != nullptr && item->enabled;
}

// Plot area (70, 20, 570, 500): 500 pixels for alpha 0..1 and 480 for beta 0..1.
struct AlphaBetaViewTest : ::testing::Test {
    FakeApplicationServices services;
    CAlphaBetaPlotDocument document{services};
    CAlphaBetaPlotView& view = document.GetPlotView();
    StatusHost host;
    CAlphaBetaCurve* curve = nullptr;

    void SetUp() override {
        view.SetHost(&host);
        view.SetClientRect({0, 0, 600, 550});
        auto made = std::make_unique<CAlphaBetaCurve>();
        made->Initialize();
        made->mInclusion.mInclusionName = "Incl A";
        made->mInclusion.mCO2 = 2;
        made->mInclusion.mN2 = 1;
        made->mInclusion.mH2S = 0.5;
        for (const auto& [alpha, beta] : {std::pair{0.2, 0.1}, {0.4, 0.3}, {0.6, 0.5}})
            made->Add(new CAlphaBetaRecord(alpha, beta));
        curve = made.release();
        document.mAlphaBetaCurvesList.Add(curve);
        document.PlotAlphaBetaCurve(curve);
        // A new plot shows its data; these tests click on the whole plane, which keeps it shown.
        view.SetCurrentRanges(0, 1, 0, 1);
    }
    static int X(double alpha) { return 70 + static_cast<int>(std::lround(alpha * 500)); }
    static int Y(double beta) { return 500 - static_cast<int>(std::lround(beta * 480)); }
    std::optional<CPlotContextMenu> RightClick(double alpha, double beta) {
        return view.ContextMenuAt(X(alpha), Y(beta));
    }
    const CAlphaBetaRecordEx& LastMarker() {
        return document.mAlphaBetaPointsList.mList.Last()->mAlphaBetaRecordEx;
    }
};

} // namespace

TEST_F(AlphaBetaViewTest, MarkersCarryTheFluidOfWhatWasClicked) {
    // An empty spot: the clicked pair, reported, without gases.
    auto menu = RightClick(0.8, 0.1);
    EXPECT_EQ(menu->name, "Plot settings");
    EXPECT_EQ(host.status, "Alpha = 0.800, Beta = 0.100");
    EXPECT_FALSE(Enabled(menu, "Zoom in")) << "no selection to zoom to";
    ASSERT_TRUE(Choose(view, menu, "Set a marker"));
    EXPECT_EQ(LastMarker().mName, "AB 0.800 0.100");
    EXPECT_EQ(LastMarker().mCO2, 0);
    EXPECT_EQ(services.Count("AlphaBetaPlotModified"), 1);
    EXPECT_TRUE(document.IsModified());

    // On the curve: the curve's beta at the alpha, and the gases of the curve's inclusion.
    menu = RightClick(0.5, 0.4);
    EXPECT_EQ(menu->name, "Curve Settings");
    ASSERT_TRUE(Choose(view, menu, "Set a marker"));
    EXPECT_EQ(LastMarker().mName, "Incl A: 0.500");
    EXPECT_DOUBLE_EQ(LastMarker().mBeta, 0.4);
    EXPECT_EQ(std::vector<double>({LastMarker().mCO2, LastMarker().mN2, LastMarker().mH2S}),
              std::vector<double>({2, 1, 0.5}));

    // A fluid model generated from that marker reproduces the inclusion's gases.
    menu = RightClick(0.5, 0.4);
    EXPECT_EQ(menu->name, "Point Settings");
    ASSERT_TRUE(Choose(view, menu, "Generate fluid model"));
    const CModelFluid& fluid = services.fluidDocuments.back()->mModelFluid;
    EXPECT_NEAR(fluid.Find("CO2")->mMolePercent, 2, 1e-9);
    EXPECT_NEAR(fluid.Find("N2")->mMolePercent, 1, 1e-9);
    EXPECT_NEAR(fluid.Find("H2S")->mMolePercent, 0.5, 1e-9);

    // Within reach of the curve's last point but beyond its alpha: the curve's first point.
    menu = view.ContextMenuAt(X(0.6) + 5, Y(0.5));
    ASSERT_EQ(menu->name, "Curve Settings");
    ASSERT_TRUE(Choose(view, menu, "Set a marker"));
    EXPECT_EQ(std::make_pair(LastMarker().mAlpha, LastMarker().mBeta), std::make_pair(0.2, 0.1));

    // Shown ranges beyond the fluids: a click at alpha 1.5 or beta -0.2 sets nothing.
    ASSERT_TRUE(view.SetCurrentRanges(0, 2, -0.5, 1));
    const long markers = document.mAlphaBetaPointsList.mList.Count();
    for (const auto& [x, y] : {std::pair{70 + 375, 300}, {70 + 100, 500 - 48}}) {
        menu = view.ContextMenuAt(x, y);
        EXPECT_FALSE(Enabled(menu, "Set a marker"));
        EXPECT_FALSE(Enabled(menu, "Generate fluid model"));
        EXPECT_FALSE(view.OnMenuCommand(static_cast<int>(CAlphaBetaCommand::SetMarker)));
    }
    EXPECT_EQ(document.mAlphaBetaPointsList.mList.Count(), markers);
}

TEST_F(AlphaBetaViewTest, PanelsRemovalsAndLooksReachTheDocument) {
    auto menu = RightClick(0.4, 0.3);
    ASSERT_TRUE(Choose(view, menu, "Alpha-beta curves..."));
    EXPECT_EQ(services.panelsShown.back(), std::make_pair(CToolPanelKind::AlphaBeta, 0));
    EXPECT_TRUE(menu->Find("Normal Thickness")->checked) << "a curve is drawn 1 pixel wide at first";
    ASSERT_TRUE(Choose(view, menu, "Triple Thickness"));
    EXPECT_TRUE(document.IsModified()) << "the look is saved with the plot";
    EXPECT_TRUE(view.ContextMenuAt(X(0.4), Y(0.3))->Find("Triple Thickness")->checked);

    document.AddAlphaBetaPoint(0.7, 0.7, 0, 0, 0);
    services.Clear();
    menu = RightClick(0.7, 0.7);
    EXPECT_EQ(
        menu->Captions(),
        (std::vector<std::string>{"Alpha-beta fluids...", "Remove the marker", "Generate fluid model", "-",
                                  "Increase size", "Decrease size", "-", "Color...", "Settings Dialog..."}));
    EXPECT_FALSE(Enabled(menu, "Decrease size")) << "markers stay at least 3 pixels";
    ASSERT_TRUE(Choose(view, menu, "Remove the marker"));
    EXPECT_EQ(document.mAlphaBetaPointsList.mList.Count(), 0);
    ASSERT_TRUE(Choose(view, RightClick(0.4, 0.3), "Delete the curve"));
    EXPECT_EQ(document.mAlphaBetaCurvesList.mList.Count(), 0);
    EXPECT_EQ(view.GetSelectedObject(), nullptr);
    EXPECT_EQ(services.Count("AlphaBetaPlotModified"), 2);
}

namespace {

struct PhaseDiagViewTest : ::testing::Test {
    FakeApplicationServices services;
    CPhaseDiagDocument document{services};
    CPhaseDiagView& view = document.GetPlotView();
    StatusHost host;
    CPhaseDiagram* diagram = nullptr;
    CIsochor* mono = nullptr;

    void SetUp() override {
        view.SetHost(&host);
        view.SetClientRect({0, 0, 900, 700});
        diagram = document.CalculateImmiscibilityLoop(1, 0.6, 0.2, 0, 0, 0, nullptr, "");
        ASSERT_NE(diagram, nullptr);
        double density = 0, volume = 0;
        ASSERT_EQ(document.CalculateIsochor(diagram, 100, 1, density, volume, &mono), 0);
        ASSERT_NE(mono, nullptr);
        services.Clear();
    }
    zephon::plot::Point At(double t, double p) const {
        const zephon::plot::PlotMapping mapping = view.GetMapping();
        return {mapping.ToPixelX(t), mapping.ToPixelY(p)};
    }
    std::optional<CPlotContextMenu> RightClick(zephon::plot::Point at) {
        return view.ContextMenuAt(at.x, at.y);
    }
    // A point of the monophasic isochore well past its start.
    const CIsochorPoint& MonoPoint() const { return *mono->mList.At(mono->mList.Count() / 2); }
};

} // namespace

TEST_F(PhaseDiagViewTest, TrappingLinesOnlyWhereTheIsochorHasAPressure) {
    const CIsochorPoint& on = MonoPoint();
    auto menu = RightClick(At(on.mT, on.mP));
    ASSERT_EQ(menu->name, "Isochors");
    // The clicked temperature and pressure are reported, not the curve's value or name.
    EXPECT_EQ(host.status.rfind("T (\xC2\xB0"
                                "C) = ",
                                0),
              0u)
        << host.status;
    const double thaq = view.GetSelectedPointX();
    ASSERT_TRUE(Choose(view, menu, "Set Th(Aq.) Line"));
    ASSERT_TRUE(mono->mTrappingLines && mono->mTrappingLines->mList.Count() == 1);
    const CTrappingLine* line = mono->mTrappingLines->mList.First();
    EXPECT_DOUBLE_EQ(line->mPtrap, CPhaseDiagDocument::TrappingPressure(*mono, thaq));
    EXPECT_GT(line->mPtrap, 0);
    EXPECT_EQ(services.Count("PTPlotModified"), 1);

    // Just below Th the click still takes the isochore, which has no pressure there.
    const CIsochorPoint& first = *mono->mList.First();
    menu = view.ContextMenuAt(At(first.mT, first.mP).x - 5, At(first.mT, first.mP).y);
    ASSERT_EQ(menu->name, "Isochors");
    EXPECT_FALSE(Choose(view, menu, "Set Th(Aq.) Line"));
    EXPECT_FALSE(Choose(view, menu, "View Th(Aq.) Line"));
    EXPECT_EQ(services.LastMessage(),
              CPhaseDiagDocument::NoTrappingPressureMessage(view.GetSelectedPointX(), *mono));
    EXPECT_EQ(mono->mTrappingLines->mList.Count(), 1);
    EXPECT_EQ(document.GetTemporaryAqueousHomogLine().mGraphCurve, nullptr);
    EXPECT_EQ(document.AddTrappingLineTo(mono, -50), nullptr) << "nor through the document itself";

    // Viewing draws the temporary line up to 1.1 times the pressure; the trapping line's own menu
    // deletes it and tells the application.
    const double between = (first.mT + on.mT) / 2;
    ASSERT_TRUE(Choose(view, RightClick(At(between, mono->GetPressure(between))), "View Th(Aq.) Line"));
    EXPECT_DOUBLE_EQ(document.GetTemporaryAqueousHomogLine().mList.Last()->mP,
                     1.1 * CPhaseDiagDocument::TrappingPressure(*mono, view.GetSelectedPointX()));
    document.HideTemporaryAqueousHomogLine();
    services.Clear();
    menu = RightClick(At(line->mTh, line->mPtrap * 0.5));
    ASSERT_EQ(menu->name, "Trapping Lines");
    ASSERT_TRUE(Choose(view, menu, "Delete Th(Aq.) Line"));
    EXPECT_EQ(mono->mTrappingLines->mList.Count(), 0);
    EXPECT_EQ(services.Count("PTPlotModified"), 1);
}

TEST_F(PhaseDiagViewTest, MenusOfEachCurveAndTheirCommands) {
    // The biphasic half of the pair offers no aqueous line.
    const CIsochor* biphasic = diagram->mBiphIsochorsList->mList.First();
    const CIsochorPoint& inside = *biphasic->mList.At(biphasic->mList.Count() / 2);
    auto menu = RightClick(At(inside.mT, inside.mP));
    ASSERT_EQ(menu->name, "Isochors");
    for (const char* greyed : {"View Th(Aq.) Line", "Set Th(Aq.) Line", "Trapping..."})
        EXPECT_FALSE(Enabled(menu, greyed)) << greyed;
    EXPECT_TRUE(Enabled(menu, "Delete Isochor"));

    // Empty area: zooming only on a click on the selection.
    menu = view.ContextMenuAt(850, 40);
    EXPECT_EQ(menu->name, "Plot settings");
    EXPECT_FALSE(Enabled(menu, "Zoom in"));
    view.OnLButtonDown(700, 50);
    view.EndTracking({700, 50, 800, 150});
    EXPECT_TRUE(Enabled(view.ContextMenuAt(750, 100), "Zoom in"));
    EXPECT_FALSE(Enabled(view.ContextMenuAt(850, 400), "Zoom out"));
    ASSERT_TRUE(Choose(view, menu, "New Phase Envelope..."));
    EXPECT_EQ(services.panelsShown.back(), std::make_pair(CToolPanelKind::PhaseDiagram, 0));

    // A new isochore through a point of the bubble curve, homogenising to liquid.
    const CIsoplethPoint& bubble =
        *diagram->mLiquidIsopleth->mList.At(diagram->mLiquidIsopleth->mList.Count() / 3);
    menu = RightClick(At(bubble.mT, bubble.mP));
    ASSERT_EQ(menu->name, "Phase envelopes");
    const long pairs = diagram->mBiphIsochorsList->mList.Count();
    ASSERT_TRUE(Choose(view, menu, "New Isochor")) << services.LastMessage();
    ASSERT_EQ(diagram->mBiphIsochorsList->mList.Count(), pairs + 1);
    EXPECT_DOUBLE_EQ(diagram->mBiphIsochorsList->mList.Last()->mTh, view.GetSelectedPointX());
    EXPECT_EQ(diagram->mBiphIsochorsList->mList.Last()->mHomog, 1);

    // Deleting an isochore and then the envelope, each told to the application.
    services.Clear();
    ASSERT_TRUE(Choose(view, RightClick(At(MonoPoint().mT, MonoPoint().mP)), "Delete Isochor"));
    const CIsoplethPoint& other =
        *diagram->mLiquidIsopleth->mList.At(diagram->mLiquidIsopleth->mList.Count() * 2 / 3);
    ASSERT_TRUE(Choose(view, RightClick(At(other.mT, other.mP)), "Delete Phase Envelope"));
    EXPECT_EQ(document.mPhaseDiagramsList.Count(), 0);
    EXPECT_EQ(services.Count("PTPlotModified"), 2);
}

TEST_F(PhaseDiagViewTest, AqueousIsochoresAndCrossingsHaveTheirMenus) {
    using namespace zephon::aqueous;
    CAqueousIsochor* aqueous =
        document.CalculateAqueousIsochor({150, SalinitySource::Typed, 10, HostMineral::None, false});
    ASSERT_NE(aqueous, nullptr);
    CAqueousCrossing* crossing = document.CalculateCrossing(aqueous, mono, {}, 20);
    ASSERT_NE(crossing, nullptr) << services.LastMessage();
    services.Clear();

    const double crossingP = crossing->mP;
    auto menu = RightClick(At(crossing->mT, crossing->mP));
    ASSERT_EQ(menu->name, "Crossings");
    ASSERT_TRUE(Choose(view, menu, "Trapping..."));
    EXPECT_EQ(services.panelsShown.back(), std::make_pair(CToolPanelKind::PhaseDiagram, 2));
    ASSERT_TRUE(Choose(view, RightClick(At(crossing->mT, crossing->mP)), "Delete Crossing"));
    EXPECT_TRUE(aqueous->mCrossings.IsEmpty());

    // A point of the aqueous isochore below the crossing, inside the plotted range.
    const CIsochorPoint* on = nullptr;
    for (const CIsochorPoint* point : aqueous->mList)
        if (!on && point->mP > 0.5 * crossingP) on = point;
    ASSERT_NE(on, nullptr);
    menu = RightClick(At(on->mT, on->mP));
    ASSERT_EQ(menu->name, "Aqueous isochors");
    ASSERT_TRUE(Choose(view, menu, "Delete Aqueous Isochor"));
    EXPECT_EQ(document.mAqueousIsochorsList.Count(), 0);
    EXPECT_EQ(services.Count("PTPlotModified"), 2);
}

TEST(VolumePlotMenus, EachObjectHasItsMenuAndItsRemovalMarksTheDocument) {
    FakeApplicationServices services;
    CPhaseDiagDocument document(services);
    CVolumePlotView& plot = *document.DisplayNewVTPlot();
    StatusHost host;
    plot.SetHost(&host);
    plot.SetClientRect({0, 0, 600, 550});
    CInclusionRecordEx inclusion;
    inclusion.mInclusionName = "FI";
    inclusion.mVolumeDataList.Add(new CVolumeRecord(30, 8));
    plot.AddInclusion(inclusion);
    CIsochor isochor;
    isochor.mName = "Iso";
    isochor.Add(new CIsochorPoint(20, 0, 12));
    isochor.Add(new CIsochorPoint(80, 0, 2));
    plot.AddIsochor(isochor);
    const auto at = [&](double t, double v) {
        const auto mapping = plot.GetMapping();
        return plot.ContextMenuAt(mapping.ToPixelX(t), mapping.ToPixelY(v));
    };

    auto menu = at(90, 18);
    EXPECT_EQ(menu->name, "Plot settings");
    EXPECT_EQ(menu->Captions().front(), "Isochors Dialog...");
    EXPECT_FALSE(Enabled(menu, "Zoom in")) << "no selection to zoom to";
    ASSERT_TRUE(Choose(plot, menu, "Inclusion Data Dialog..."));
    EXPECT_EQ(services.panelsShown.back(), std::make_pair(CToolPanelKind::BubbleSize, 0));

    menu = at(50, 7);
    EXPECT_EQ(menu->name, "Curve Settings");
    EXPECT_EQ(menu->Captions()[0], "Remove Bubble(T) curve");
    EXPECT_TRUE(menu->Find("Normal Thickness")->checked);
    document.SetModifiedFlag(false);
    ASSERT_TRUE(Choose(plot, menu, "Remove Bubble(T) curve"));
    EXPECT_EQ(plot.mPlottedCurvesList.Count(), 0);
    EXPECT_TRUE(document.IsModified());

    menu = at(30, 8);
    EXPECT_EQ(menu->name, "Point Settings");
    EXPECT_EQ(menu->Captions()[1], "Inclusion Data Dialog...");
    ASSERT_TRUE(Choose(plot, menu, "Remove Bubble(T) inclusion data"));
    EXPECT_EQ(plot.mPlottedInclusionsList.Count(), 0);
}
