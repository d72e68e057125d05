// SPDX-License-Identifier: BSD-3-Clause
// Each kind of plot drawn through its document's view matches a reviewed SVG picture. The records
// are made by hand so that the pictures change only when drawing changes. Set ZEPHON_UPDATE_GOLDEN=1
// to write new pictures after a deliberate change, then review and commit them.

#include <gtest/gtest.h>

#include <cstdlib>

#include "document_test_util.hpp"
#include "documents/alpha_beta_plot_document.hpp"
#include "documents/phase_diag_document.hpp"
#include "plot/svg_canvas.hpp"

using namespace zephon::testing;

namespace {

std::string Render(CPlotView& view) {
    view.SetClientRect({0, 0, 640, 420});
    zephon::plot::SvgCanvas canvas(640, 420);
    view.Draw(canvas);
    return canvas.GetSvg();
}

void ExpectGolden(const std::string& svg, const std::string& name) {
    const std::filesystem::path path = std::filesystem::path(ZEPHON_DOCUMENTS_GOLDEN_DIR) / name;
    if (std::getenv("ZEPHON_UPDATE_GOLDEN") != nullptr) WriteText(path, svg);
    ASSERT_TRUE(std::filesystem::exists(path)) << "no golden picture " << path;
    EXPECT_EQ(svg, ReadText(path)) << "the drawing of " << name << " changed";
}

CIsoplethPoint* Point(double t, double p, short skip = 0) {
    auto* point = new CIsoplethPoint();
    point->mT = t;
    point->mP = p;
    point->mSkip = skip;
    return point;
}

} // namespace

TEST(PlotGolden, AlphaBetaPlot) {
    FakeApplicationServices services;
    CAlphaBetaPlotDocument document(services);
    auto* curve = new CAlphaBetaCurve();
    curve->Initialize();
    curve->mInclusion.mInclusionName = "Inc 1";
    for (int i = 0; i < 6; ++i)
        curve->Add(new CAlphaBetaRecord(0.55 + 0.03 * i, 0.12 * i));
    document.mAlphaBetaCurvesList.Add(curve);
    document.PlotAlphaBetaCurve(curve);
    auto* correlation = new CAlphaBetaCorrelation();
    correlation->mName = "Basin";
    correlation->mPointFormat = CPointFormat(3, zephon::plot::MakeColor(0, 0, 255), 5);
    for (int i = 0; i < 3; ++i) {
        auto* fluid = new CAlphaBetaRecordEx();
        fluid->mName = "W" + std::to_string(i + 1);
        fluid->mAlpha = 0.4 + 0.15 * i;
        fluid->mBeta = 0.7 - 0.2 * i;
        correlation->Add(fluid);
    }
    document.mAlphaBetaCorrelationsList.Add(correlation);
    document.PlotAlphaBetaCorrelation(correlation);
    document.AddAlphaBetaPoint(0.64, 0.36, 0, 0, 0, "", curve);
    ExpectGolden(Render(document.GetPlotView()), "alpha_beta_plot.svg");
}

TEST(PlotGolden, PhaseDiagramWithIsochoresAndTrappingLine) {
    FakeApplicationServices services;
    CPhaseDiagDocument document(services);
    auto* diagram = new CPhaseDiagram();
    diagram->mName = "Oil A";
    diagram->mLiquidIsopleth = std::make_unique<CIsopleth>();
    for (double t : {-20.0, 40.0, 100.0, 160.0, 230.0})
        diagram->mLiquidIsopleth->Add(Point(t, 40 + 0.5 * t));
    diagram->mLiquidIsopleth->Add(Point(180.0, 120, 1)); // a break, as after a three-phase region
    diagram->mLiquidIsopleth->Add(Point(245.0, 160));
    diagram->mVapourIsopleth = std::make_unique<CIsopleth>();
    for (double t : {60.0, 150.0, 250.0, 280.0, 245.5})
        diagram->mVapourIsopleth->Add(Point(t, t < 250 ? t / 3 : 150));
    document.mPhaseDiagramsList.Add(diagram);
    document.PlotIsoplethsOfPhaseDiagram(diagram);
    ASSERT_NE(diagram->mCriticalPoint, nullptr);

    auto* biphasic = new CIsochor();
    auto* monophasic = new CIsochor();
    for (CIsochor* isochor : {biphasic, monophasic}) {
        isochor->mTh = 100;
        isochor->mPhaseDiagram = diagram;
        isochor->SetNameByDefault();
    }
    for (double t : {100.0, 60.0, 20.0})
        biphasic->Add(new CIsochorPoint(t, 90 - 0.4 * (100 - t), 5));
    for (double t : {100.0, 160.0, 220.0, 280.0})
        monophasic->Add(new CIsochorPoint(t, 90 + 3 * (t - 100), 0));
    biphasic->SetBiphasic(1);
    diagram->mBiphIsochorsList = std::make_unique<CIsochorsList>();
    diagram->mBiphIsochorsList->Add(biphasic);
    diagram->mMonoIsochorsList = std::make_unique<CIsochorsList>();
    diagram->mMonoIsochorsList->Add(monophasic);
    document.PlotIsochorsOfPhaseDiagram(diagram);
    document.AddTrappingLineTo(monophasic, 200);
    document.SetTemporaryAqueousHomogLine(250, 0, 400);
    ExpectGolden(Render(document.GetPlotView()), "phase_diagram.svg");
}

TEST(PlotGolden, VolumeTemperaturePlot) {
    CVolumePlotView plot;
    CInclusionRecordEx inclusion;
    inclusion.mInclusionName = "Inc 1";
    inclusion.mTh = 100;
    for (double t : {20.0, 45.0, 70.0, 95.0})
        inclusion.mVolumeDataList.Add(new CVolumeRecord(t, 12 - t / 10));
    plot.AddInclusion(inclusion);
    CIsochor isochor;
    isochor.mName = "Oil A: Th = 100.00, L ";
    isochor.mTh = 100;
    isochor.mHomog = 1;
    for (double t : {100.0, 70.0, 40.0, 10.0})
        isochor.Add(new CIsochorPoint(t, 50, (100 - t) / 7));
    plot.AddIsochor(isochor);
    ExpectGolden(Render(plot), "volume_temperature_plot.svg");
}
