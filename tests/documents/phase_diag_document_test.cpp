// SPDX-License-Identifier: BSD-3-Clause
// The phase-diagram document: envelope and isochore calculations with their messages and codes,
// drawing, trapping lines, removal, volume-temperature plots and damaged files.

#include <gtest/gtest.h>

#include <limits>

#include "base/number_field.hpp"
#include "document_test_util.hpp"
#include "documents/phase_diag_document.hpp"
#include "drawn_objects.hpp"
#include "plot/palette.hpp"
#include "thermo/calculation_interface.hpp"

using namespace zephon::testing;

namespace {

constexpr const char* kTooLow = "The homogenisation temperature is too low.";
constexpr const char* kTooHigh = "The homogenisation temperature is too high.";
constexpr const char* kNoEnvelope = "The program failed to calculate the P-T phase envelope.";

struct PhaseDiagTest : ::testing::Test {
    FakeApplicationServices services;
    CPhaseDiagDocument document{services};

    CPhaseDiagram* Envelope(double alpha, double beta, double co2 = 0, const std::string& name = "") {
        CPhaseDiagram* diagram =
            document.CalculateImmiscibilityLoop(1, alpha, beta, co2, 0, 0, nullptr, name);
        EXPECT_NE(diagram, nullptr) << services.LastMessage();
        return diagram;
    }
    char Isochor(CPhaseDiagram* diagram, double th, int homog, CIsochor** mono = nullptr) {
        double density = -1, volume = -1;
        CIsochor* found = nullptr;
        const char code = document.CalculateIsochor(diagram, th, homog, density, volume, &found);
        if (mono) *mono = found;
        return code;
    }
    long CurveCount() {
        long count = 0;
        for (const auto& object : document.GetPlotView().GetGraphObjects())
            count += object->mType == CGraphObject::kCurve;
        return count;
    }
    const CPlotView& View() { return document.GetPlotView(); }
};

} // namespace

TEST_F(PhaseDiagTest, AnEnvelopeIsStoredNamedDrawnAndMarkedAtItsCriticalPoint) {
    CPhaseDiagram* first = Envelope(0.6, 0.2);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->mName.rfind("AB0:", 0), 0u) << first->mName;
    ASSERT_TRUE(first->mLiquidIsopleth && first->mVapourIsopleth);
    EXPECT_EQ(first->mLiquidIsopleth->mState, 1);
    EXPECT_EQ(first->mVapourIsopleth->mState, 0);
    EXPECT_EQ(first->mLiquidIsopleth->mPhaseDiagram, first);
    EXPECT_EQ(first->mLiquidIsopleth->GetN(), 17);
    EXPECT_EQ(first->mLiquidIsopleth->mList.First()->mz.size(), 17u);
    ASSERT_NE(first->mCriticalPoint, nullptr);
    EXPECT_EQ(first->mCriticalPoint->mForeColor, 12517376u);
    EXPECT_EQ(first->mCriticalPoint->mSize, 3);
    EXPECT_EQ(first->mCriticalPoint->mSelector, 1);
    // Its name, which the status line shows when it is clicked, gives the exact point.
    ASSERT_TRUE(first->mKeyPoints.mCritical.mValid);
    EXPECT_EQ(first->mCriticalPoint->mName, "CP: " + first->mName +
                                                " (exact: " + FormatFixed(first->mKeyPoints.mCritical.mT, 3) +
                                                " \xC2\xB0"
                                                "C, " +
                                                FormatFixed(first->mKeyPoints.mCritical.mP, 3) + " bar)");
    EXPECT_EQ(first->mLiquidIsopleth->mGraphCurve->mName, first->mName + " ");
    EXPECT_EQ(LegendNames(View()), std::vector<std::string>{first->mName + " "});
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(services.Count("PTPlotModified"), 1);
    EXPECT_EQ(services.maxWaitDepth, 1);
    EXPECT_EQ(services.waitDepth, 0);
    EXPECT_TRUE(services.messages.empty());
    // The plot widened to hold the envelope.
    EXPECT_GE(View().GetDefaultRanges().maxX, first->mVapourIsopleth->mMaxT + 2);
    EXPECT_EQ(View().GetCurrentRanges().maxX, View().GetDefaultRanges().maxX);

    Envelope(0.7, 0.2);
    CPhaseDiagram* third = Envelope(0.8, 0.1);
    EXPECT_EQ(third->mName.rfind("AB2: 0.800 0.100", 0), 0u) << third->mName;
    EXPECT_EQ(Envelope(0.75, 0.1, 0, "Well 7")->mName, "Well 7");

    CPhaseDiagram* found = nullptr;
    EXPECT_TRUE(document.IsAlreadyCalculated(0.7004, 0.2, 0, 0, 0, &found));
    EXPECT_EQ(found->mName.rfind("AB1:", 0), 0u);
    EXPECT_FALSE(document.IsAlreadyCalculated(0.7, 0.2, 5, 0, 0, &found));
}

TEST_F(PhaseDiagTest, ALiquidBranchEndingInAThreePhaseRegionIsReportedAndTheVapourBranchFollows) {
    CPhaseDiagram* diagram = Envelope(0.3, 0.3);
    ASSERT_NE(diagram, nullptr);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.LastMessage(), "Zephon has detected liquid-liquid-gas phase equilibria.");
    EXPECT_TRUE(services.messages[0].systemModal);
    EXPECT_TRUE(diagram->mLiquidIsopleth && diagram->mVapourIsopleth);
    // A heavier oil has no bubble branch at all: the dew branch alone is drawn and stands in the legend.
    CPhaseDiagram* dewOnly = Envelope(0.3, 0.7);
    ASSERT_NE(dewOnly, nullptr);
    EXPECT_FALSE(dewOnly->mLiquidIsopleth);
    EXPECT_EQ(dewOnly->mCriticalPoint, nullptr);
    EXPECT_EQ(LegendNames(View()).size(), 2u);
}

TEST_F(PhaseDiagTest, AFluidThatGivesNoEnvelopeIsReportedAndChangesNothing) {
    CModelFluid empty("Nothing");
    EXPECT_EQ(document.CalculateImmiscibilityLoop(0, 0, 0, 0, 0, 0, &empty, ""), nullptr);
    CModelFluid broken("Broken");
    auto* component = new CCompositionRecordEx();
    component->mComponentName = "C1";
    component->mMolePercent = 100;
    component->mTc = std::numeric_limits<double>::quiet_NaN();
    broken.Add(component);
    EXPECT_EQ(document.CalculateImmiscibilityLoop(0, 0, 0, 0, 0, 0, &broken, ""), nullptr);

    ASSERT_EQ(services.messages.size(), 2u);
    for (const CUserMessage& message : services.messages) {
        EXPECT_EQ(message.text, kNoEnvelope);
        EXPECT_EQ(message.caption, "");
        EXPECT_TRUE(message.systemModal);
    }
    EXPECT_EQ(document.mPhaseDiagramsList.Count(), 0);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(services.waitDepth, 0);
}

TEST_F(PhaseDiagTest, AModelFluidDiagramIsNamedAfterTheFluidAndKeepsACopyOfIt) {
    auto fluid = std::make_unique<CModelFluid>();
    fluid->CalculateFromAlphaBetaModel(0.6, 0.2, 0, 0, 0);
    CPhaseDiagram* diagram = document.CalculateImmiscibilityLoop(0, 0, 0, 0, 0, 0, fluid.get(), "Other name");
    ASSERT_NE(diagram, nullptr) << services.LastMessage();
    EXPECT_EQ(diagram->mName, "FM_600_200");
    EXPECT_EQ(diagram->mThermoModel.mModelType, 2);
    fluid.reset();
    ASSERT_NE(diagram->mThermoModel.GetModelFluid(), nullptr);
    EXPECT_EQ(diagram->mThermoModel.GetModelFluid()->Count(), 17);
    CIsochor* mono = nullptr;
    EXPECT_EQ(Isochor(diagram, 100, 1, &mono), 0) << services.LastMessage();
    EXPECT_NE(mono, nullptr);

    // A component the equation of state cannot use ("Other" without constants, as a damaged or
    // hand-edited file may hold) never reaches the engine: the calculation is refused and said so.
    auto* other = new CCompositionRecordEx();
    other->mComponentName = "Other";
    other->mMolePercent = 1;
    diagram->mThermoModel.GetModelFluid()->Add(other);
    services.Clear();
    EXPECT_EQ(Isochor(diagram, 110, 1, &mono), CPhaseDiagDocument::kIsochorFluidUnusable);
    EXPECT_EQ(mono, nullptr);
    EXPECT_EQ(services.MessageTexts(),
              std::vector<std::string>{"The program failed to calculate the isochors: the fluid model has a "
                                       "component whose constants the equation of state cannot use."});
    EXPECT_EQ(diagram->mBiphIsochorsList->Count(), 1);
}

TEST_F(PhaseDiagTest, IsochoreFailuresGiveTheirCodesAndMessages) {
    CPhaseDiagram* diagram = Envelope(0.7, 0.2, 0.6);
    ASSERT_NE(diagram, nullptr);
    EXPECT_EQ(Isochor(diagram, -100, 1), 1);
    EXPECT_EQ(services.LastMessage(), kTooLow);
    EXPECT_EQ(Isochor(diagram, 120, 1), 4);
    EXPECT_EQ(services.LastMessage(),
              "Because of numeric limitations, the software cannot calculate isochors too "
              "close from a critical point.");
    EXPECT_EQ(services.messages.back().caption,
              "Try to calculate the critical isochor by increasing or decreasing "
              "the homogenisation temperature by 0.5\xC2\xB0"
              "C.");
    CPhaseDiagram* light = Envelope(0.5, 0.2);
    EXPECT_EQ(Isochor(light, 400, 1), 2);
    EXPECT_EQ(services.LastMessage(), kTooHigh);
    for (const CUserMessage& message : services.messages)
        EXPECT_EQ(message.icon, CMessageIcon::Warning);
    EXPECT_EQ(diagram->mBiphIsochorsList ? diagram->mBiphIsochorsList->Count() : 0, 0);

    // A diagram without its liquid branch cannot homogenise to liquid; nothing is made.
    document.GetPlotView().removeGraphObject(light->mLiquidIsopleth->mGraphCurve);
    light->mLiquidIsopleth.reset();
    services.Clear();
    EXPECT_EQ(Isochor(light, 100, 1), 3);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.LastMessage(),
              "For the given composition, the inclusion cannot homogenize to liquid.");
    EXPECT_EQ(services.messages.back().caption, "Change the homogenisation type in the dialog box.");
    EXPECT_EQ(light->mBiphIsochorsList ? light->mBiphIsochorsList->Count() : 0, 0);

    // The same Th and type twice: 10, silently, outputs untouched.
    ASSERT_EQ(Isochor(light, 100, 0), 0);
    const long curves = CurveCount();
    services.Clear();
    double density = -7, volume = -7;
    CIsochor* mono = reinterpret_cast<CIsochor*>(&density);
    EXPECT_EQ(document.CalculateIsochor(light, 100, 0, density, volume, &mono), 10);
    EXPECT_EQ(density, -7);
    EXPECT_EQ(mono, reinterpret_cast<CIsochor*>(&density));
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(CurveCount(), curves);
}

TEST_F(PhaseDiagTest, DrawingWidensTheAxesToRoundTensAndMarksOnlyMeetingBranches) {
    CPhaseDiagView& view = document.GetPlotView();
    view.SetDefaultRanges({20, 300, view.GetDefaultRanges().minY, view.GetDefaultRanges().maxY});
    auto diagram = std::make_unique<CPhaseDiagram>();
    diagram->mName = "Hand made";
    diagram->mVapourIsopleth = std::make_unique<CIsopleth>();
    for (double t : {12.7, 200.0, 347.2}) {
        auto* point = new CIsoplethPoint();
        point->mT = t;
        point->mP = t / 2;
        diagram->mVapourIsopleth->Add(point);
    }
    CPhaseDiagram* raw = diagram.release();
    document.mPhaseDiagramsList.Add(raw);
    document.PlotIsoplethsOfPhaseDiagram(raw);
    EXPECT_EQ(view.GetDefaultRanges().minX, 0);
    EXPECT_EQ(view.GetDefaultRanges().maxX, 350);
    EXPECT_EQ(view.GetCurrentRanges().minX, 0);
    EXPECT_EQ(view.GetCurrentRanges().maxX, 350);
    // Only a vapour branch: no critical point, and the vapour curve stands in the legend.
    EXPECT_EQ(raw->mCriticalPoint, nullptr);
    EXPECT_EQ(LegendNames(view), std::vector<std::string>{"Hand made "});
    EXPECT_GE(services.Count("AxisRangesChanged"), 1);

    // Removing the diagram empties the legend and the plot.
    document.RemoveFluidPhaseDiagram(raw);
    EXPECT_TRUE(LegendNames(view).empty());
    EXPECT_EQ(view.GetGraphObjects().size(), 1u) << "only the legend is left";
    EXPECT_EQ(document.mPhaseDiagramsList.Count(), 0);
}

TEST_F(PhaseDiagTest, TrappingLinesTheirMarkerAndPairRemoval) {
    CPhaseDiagram* diagram = Envelope(0.6, 0.2);
    CIsochor* monoA = nullptr;
    CIsochor* monoB = nullptr;
    ASSERT_EQ(Isochor(diagram, 80, 1, &monoA), 0);
    ASSERT_EQ(Isochor(diagram, 120, 1, &monoB), 0);
    ASSERT_TRUE(monoA && monoB);
    EXPECT_EQ(monoA->mIsBiphasic, 0);
    EXPECT_EQ(diagram->mBiphIsochorsList->mList.First()->mName, monoA->mName);
    // A new envelope takes the palette's first colour, each isochore pair a colour of its own, and
    // the legend names each pair by its Th.
    EXPECT_EQ(diagram->mLiquidIsopleth->mCurveFormat.mColor, zephon::plot::CurvePalette()[0]);
    EXPECT_EQ(monoA->mCurveFormat.mColor, zephon::plot::CurvePalette()[1]);
    EXPECT_EQ(monoB->mCurveFormat.mColor, zephon::plot::CurvePalette()[2]);
    EXPECT_EQ(diagram->mBiphIsochorsList->mList.First()->mGraphCurve->mForeColor,
              zephon::plot::CurvePalette()[1]);
    EXPECT_EQ(monoA->mGraphCurve->mLegendName, "Th 80 \xC2\xB0"
                                               "C, L");
    EXPECT_TRUE(document.GetPlotView().GetLegend()->mRefObjectList.Contains(monoB->mGraphCurve));

    // The temporary marker: magenta, from Pmin to Pmax, named with a degree sign, never a change.
    document.SetModifiedFlag(false);
    document.SetTemporaryAqueousHomogLine(95, 0, 300);
    const CTrappingLine& marker = document.GetTemporaryAqueousHomogLine();
    EXPECT_EQ(marker.mName, "Th (Aq.) = 95.0 \xC2\xB0"
                            "C");
    ASSERT_NE(marker.mGraphCurve, nullptr);
    EXPECT_EQ(marker.mGraphCurve->mForeColor, 16711935u);
    EXPECT_EQ(marker.mGraphCurve->mSize, 1);
    EXPECT_EQ(marker.mList.Count(), 2);
    EXPECT_FALSE(document.IsModified());
    document.SetTemporaryAqueousHomogLine(96, 0, 300); // replaces the first
    const long withMarker = CurveCount();

    CTrappingLine* line = document.AddTrappingLineTo(monoA, 150);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(marker.mGraphCurve, nullptr) << "the marker goes when a line is set";
    EXPECT_EQ(CurveCount(), withMarker);
    EXPECT_TRUE(document.IsModified());
    document.SetTemporaryAqueousHomogLine(150, 0, 300);
    EXPECT_EQ(document.AddTrappingLineTo(monoA, 150), nullptr) << "one line per temperature";
    EXPECT_EQ(monoA->mTrappingLines->Count(), 1);
    EXPECT_EQ(marker.mGraphCurve, nullptr);
    document.AddTrappingLineTo(monoA, 170);
    EXPECT_EQ(monoA->mTrappingLines->Count(), 2);
    document.RemoveTrappingLine(monoA->mTrappingLines->mList.Last());
    EXPECT_EQ(monoA->mTrappingLines->Count(), 1);

    // Deleting a biphasic isochore takes its monophasic partner and the partner's lines along.
    const long before = CurveCount();
    document.DeleteIsochor(diagram->mBiphIsochorsList->mList.First());
    EXPECT_EQ(CurveCount(), before - 3);
    EXPECT_EQ(diagram->mBiphIsochorsList->Count(), 1);
    EXPECT_EQ(diagram->mMonoIsochorsList->Count(), 1);
    EXPECT_EQ(diagram->mMonoIsochorsList->mList.First(), monoB);
    // By name, over all diagrams.
    document.DeleteIsochor(monoB->mName);
    EXPECT_EQ(diagram->mBiphIsochorsList->Count(), 0);
    EXPECT_EQ(diagram->mMonoIsochorsList->Count(), 0);
    EXPECT_EQ(CurveCount(), before - 5);

    // The diagram goes with its critical point; the legend is empty.
    ASSERT_EQ(Isochor(diagram, 80, 1, &monoA), 0);
    document.AddTrappingLineTo(monoA, 150);
    document.RemoveFluidPhaseDiagram(diagram);
    EXPECT_EQ(View().GetGraphObjects().size(), 1u);
    EXPECT_TRUE(LegendNames(View()).empty());
}

TEST_F(PhaseDiagTest, VolumeTemperaturePlotsAreTitledKeptAndClosed) {
    document.SetTitle("P1");
    CVolumePlotView* first = document.DisplayNewVTPlot();
    CVolumePlotView* second = document.DisplayNewVTPlot();
    EXPECT_EQ(first->mTitle, "P1:1");
    EXPECT_EQ(second->mTitle, "P1:2");
    EXPECT_EQ(services.openVTPlots.size(), 2u);
    document.SetModifiedFlag(false);
    document.KillVTPlot(first);
    EXPECT_EQ(document.GetVTPlots().size(), 1u);
    EXPECT_TRUE(document.IsModified());
    services.currentVTPlot = second;
    document.CloseVTPlots();
    EXPECT_TRUE(document.GetVTPlots().empty());
    EXPECT_EQ(services.currentVTPlot, nullptr);
    EXPECT_TRUE(services.openVTPlots.empty());
}

TEST_F(PhaseDiagTest, VolumeTemperaturePlotsChangeTheDocumentAndFollowItsDiagrams) {
    CPhaseDiagram* diagram = Envelope(0.6, 0.2);
    ASSERT_EQ(Isochor(diagram, 80, 1), 0);
    CIsochor* biphasic = diagram->mBiphIsochorsList->mList.First();
    CVolumePlotView* first = document.DisplayNewVTPlot();
    CVolumePlotView* second = document.DisplayNewVTPlot();

    // Every addition and removal is a change of the document.
    CInclusionRecordEx inclusion;
    inclusion.mVolumeDataList.Add(new CVolumeRecord(20, 5));
    const auto changes = [&](auto action) {
        document.SetModifiedFlag(false);
        services.Clear();
        action();
        return document.IsModified() && services.Count("PTPlotModified") == 1;
    };
    CInclusionRecordEx* plotted = nullptr;
    CIsochor* copy = nullptr;
    EXPECT_TRUE(changes([&] { plotted = first->AddInclusion(inclusion); }));
    EXPECT_TRUE(changes([&] { first->RemoveInclusion(plotted); }));
    EXPECT_TRUE(changes([&] { copy = first->AddIsochor(*biphasic); }));
    EXPECT_TRUE(changes([&] { first->RemoveIsochor(copy); }));

    // A default name already says which diagram the isochore is of; another name gets the
    // diagram's name before it, once, when it is plotted.
    EXPECT_EQ(first->AddIsochor(*biphasic)->mName, biphasic->mName);
    EXPECT_TRUE(first->IsIsochorPlotted(*biphasic));
    CIsochor named;
    named.mName = "Iso 1";
    CPhaseDiagram oilA;
    oilA.mName = "Oil A: 1 wt%";
    named.mPhaseDiagram = &oilA;
    EXPECT_EQ(CVolumePlotView::PlottedIsochorName(named), "Oil A Iso 1");
    second->AddIsochor(*biphasic);
    second->AddIsochor(named);
    EXPECT_TRUE(second->IsIsochorPlotted(named));
    const std::string saved = document.SaveToText();
    EXPECT_EQ(second->mPlottedCurvesList.mList.Last()->mName, "Oil A Iso 1") << "saving renames nothing";
    EXPECT_EQ(document.SaveToText(), saved);

    // Removing the diagram takes its curves out of every plot; other curves stay.
    document.RemoveFluidPhaseDiagram(diagram);
    EXPECT_EQ(first->mPlottedCurvesList.Count(), 0);
    ASSERT_EQ(second->mPlottedCurvesList.Count(), 1);
    EXPECT_EQ(second->mPlottedCurvesList.mList.First()->mName, "Oil A Iso 1");
    EXPECT_EQ(LegendNames(*first).size(), 0u);
}

TEST(VolumePlot, PlottingWidensTheRangesToRoundTensAndCapsTheVolume) {
    CVolumePlotView plot;
    CInclusionRecordEx inclusion;
    inclusion.mInclusionName = "Hot";
    inclusion.mVolumeDataList.Add(new CVolumeRecord(25, 3));
    inclusion.mVolumeDataList.Add(new CVolumeRecord(140, 99));
    CInclusionRecordEx* copy = plot.AddInclusion(inclusion);
    EXPECT_EQ(plot.GetDefaultRanges().maxX, 150);
    EXPECT_EQ(plot.GetDefaultRanges().maxY, 100);
    EXPECT_EQ(plot.GetDefaultRanges().minX, 0);
    EXPECT_EQ(plot.GetCurrentRanges().maxX, 150);
    ASSERT_NE(copy->mGraphCurve, nullptr);
    EXPECT_EQ(copy->mGraphCurve->mForeColor, zephon::plot::CurvePalette()[0]) << "the palette's first";
    EXPECT_EQ(copy->mGraphCurve->GetPointCount(), 2);
    EXPECT_EQ(LegendNames(plot), std::vector<std::string>{"Hot"});
    EXPECT_EQ(copy->mGraphCurve->LegendText(), "Hot (Th 0 \xC2\xB0"
                                               "C)");

    CInclusionRecordEx cold;
    cold.mInclusionName = "Cold";
    cold.mVolumeDataList.Add(new CVolumeRecord(-12, 4));
    plot.AddInclusion(cold);
    EXPECT_EQ(plot.GetDefaultRanges().minX, -20);
    EXPECT_EQ(plot.GetDefaultRanges().maxX, 150) << "ranges never narrow";

    CIsochor isochor;
    isochor.mName = "Iso";
    isochor.Add(new CIsochorPoint(100, 50, 0));
    isochor.Add(new CIsochorPoint(-50, 20, 12));
    plot.AddIsochor(isochor);
    EXPECT_EQ(plot.GetDefaultRanges().minX, -60);
    EXPECT_EQ(plot.GetDefaultRanges().minY, 0);
    EXPECT_TRUE(plot.IsIsochorPlotted("Iso"));

    plot.RemoveInclusion(copy);
    plot.RemoveIsochor(plot.mPlottedCurvesList.mList.First());
    EXPECT_EQ(LegendNames(plot), std::vector<std::string>{"Cold"});
    EXPECT_EQ(plot.mPlottedInclusionsList.Count(), 1);
    EXPECT_EQ(plot.mPlottedCurvesList.Count(), 0);

    // The legend tells isochores apart by their Th, and by their diagram when there are several;
    // an inclusion of the same Th shares the isochore's colour.
    CIsochor a, b;
    a.mName = "Oil A: Th = 89.30, L ";
    b.mName = "Oil B: Th = 89.30, G ";
    a.mTh = b.mTh = 89.3;
    a.mHomog = 1;
    b.mHomog = 0;
    const CIsochor* plottedA = plot.AddIsochor(a);
    EXPECT_EQ(plottedA->mGraphCurve->LegendText(), "Th 89.3 \xC2\xB0"
                                                   "C, L");
    const CIsochor* plottedB = plot.AddIsochor(b);
    EXPECT_EQ(plottedA->mGraphCurve->LegendText(), "Oil A, Th 89.3 \xC2\xB0"
                                                   "C, L");
    EXPECT_EQ(plottedB->mGraphCurve->LegendText(), "Oil B, Th 89.3 \xC2\xB0"
                                                   "C, G");
    EXPECT_NE(plottedA->mCurveFormat.mColor, plottedB->mCurveFormat.mColor);
    CInclusionRecordEx measured;
    measured.mInclusionName = "FI-2";
    measured.mTh = 89.3;
    measured.mHomog = 0;
    EXPECT_EQ(plot.AddInclusion(measured)->mPointFormat.mColor, plottedB->mCurveFormat.mColor);
}

TEST_F(PhaseDiagTest, ACutFileOpensWithWhatPrecedesTheCut) {
    TempFolder folder;
    CPhaseDiagram* diagram = Envelope(0.6, 0.2);
    Envelope(0.7, 0.2);
    ASSERT_EQ(Isochor(diagram, 100, 1), 0);
    CVolumePlotView* plot = document.DisplayNewVTPlot();
    plot->AddIsochor(*diagram->mBiphIsochorsList->mList.First());
    const std::string text = document.SaveToText();

    // Cut anywhere but before its first byte: the document opens, never reads past the cut, and says it was
    // damaged.
    for (std::size_t cut = 0; cut < text.size(); cut += 211) {
        SCOPED_TRACE(cut);
        WriteText(folder / "cut.ptd", text.substr(0, cut));
        FakeApplicationServices later;
        CPhaseDiagDocument reopened(later);
        if (cut == 0) { // nothing left: no document at all
            EXPECT_FALSE(reopened.OnOpenDocument(folder / "cut.ptd"));
            continue;
        }
        ASSERT_TRUE(reopened.OnOpenDocument(folder / "cut.ptd"));
        EXPECT_LE(reopened.mPhaseDiagramsList.Count(), 2);
        EXPECT_LE(reopened.GetVTPlots().size(), 1u);
        // A cut that takes away only the final line end leaves the whole file; one that takes away
        // the section of exact envelope points leaves a file as earlier versions wrote it.
        const std::size_t next = text.find_first_not_of(" \t\r\n", cut);
        const bool dataCut = next != std::string::npos && next != text.find("EnvelopeKeyPoints");
        if (!Tokens(text.substr(0, cut)).empty() && dataCut) {
            EXPECT_TRUE(reopened.WasOpenedDamaged());
            EXPECT_EQ(later.messages.size(), 1u);
        }
        // Whatever was read draws and saves again.
        reopened.SaveToText();
    }
}

TEST_F(PhaseDiagTest, TheTrappingPressureIsTheOnePhaseIsochoreAtTheHomogenisationVolume) {
    TempFolder folder;
    CPhaseDiagram* diagram = Envelope(0.6, 0.2, 0.01);
    CIsochor* mono = nullptr;
    ASSERT_EQ(Isochor(diagram, 100, 1, &mono), 0);
    const auto engine = CPhaseDiagDocument::EngineFor(*diagram);
    ASSERT_NE(engine, nullptr);
    auto eos = [&](double t) {
        return engine->OnePhaseStateAt(t + 273.15, mono->mBulkVolume * 1e-6).P / 1e5;
    };
    // At the isochore's own points (20 degrees apart) the drawn polyline is exact; between them it
    // runs below the convex isochore, which the trapping pressure follows.
    const CIsochorPoint& point = *mono->mList.At(2);
    EXPECT_NEAR(CPhaseDiagDocument::TrappingPressure(*mono, point.mT) / point.mP, 1, 1e-12);
    for (double thaq : {110.0, 147.3, 175.0}) {
        const double exact = CPhaseDiagDocument::TrappingPressure(*mono, thaq);
        EXPECT_NEAR(exact / eos(thaq), 1, 1e-8) << thaq;
        EXPECT_GT(exact - mono->GetPressure(thaq), 0.01) << thaq;
        EXPECT_LT(exact - mono->GetPressure(thaq), 1.0) << thaq;
    }
    const CTrappingLine* line = document.AddTrappingLineTo(mono, 147.3);
    ASSERT_NE(line, nullptr);
    EXPECT_DOUBLE_EQ(line->mPtrap, CPhaseDiagDocument::TrappingPressure(*mono, 147.3));
    EXPECT_EQ(CPhaseDiagDocument::TrappingPressure(*mono, 90), 0) << "below Th the isochore has no pressure";

    // A file keeps the homogenisation volume to 8 digits; the homogenisation state solved again
    // gives the same trapping pressure as the calculation did.
    ASSERT_TRUE(document.OnSaveDocument(folder / "trap.ptd"));
    FakeApplicationServices later;
    CPhaseDiagDocument reopened(later);
    ASSERT_TRUE(reopened.OnOpenDocument(folder / "trap.ptd"));
    const CIsochor* read = reopened.mPhaseDiagramsList.mList.First()->mMonoIsochorsList->mList.First();
    EXPECT_NE(read->mBulkVolume, mono->mBulkVolume);
    EXPECT_NEAR(CPhaseDiagDocument::TrappingPressure(*read, 147.3) / line->mPtrap, 1, 1e-8);
}

TEST_F(PhaseDiagTest, ExactEnvelopePointsFollowTheDiagramsInASectionEarlierReadersNeverReach) {
    TempFolder folder;
    CPhaseDiagram* first = Envelope(0.6, 0.2);
    Envelope(0.7, 0.2, 0.02);
    ASSERT_TRUE(first->mKeyPoints.mComputed);
    ASSERT_TRUE(first->mKeyPoints.mCritical.mValid && first->mKeyPoints.mCricondenbar.mValid &&
                first->mKeyPoints.mCricondentherm.mValid);
    const std::string text = document.SaveToText();
    const std::size_t section = text.find("EnvelopeKeyPoints");
    ASSERT_NE(section, std::string::npos);
    // Followed by a section no reader knows yet, which is passed over.
    WriteText(folder / "new.ptd", text + "SomethingLater\t3\t\nx\t1\t2\t\n");
    WriteText(folder / "old.ptd", text.substr(0, section));

    FakeApplicationServices later;
    CPhaseDiagDocument reopened(later);
    ASSERT_TRUE(reopened.OnOpenDocument(folder / "new.ptd"));
    EXPECT_FALSE(reopened.WasOpenedDamaged());
    ASSERT_EQ(reopened.mPhaseDiagramsList.Count(), 2);
    const CEnvelopeKeyPoints& read = reopened.mPhaseDiagramsList.mList.First()->mKeyPoints;
    for (auto [a, b] : {std::pair{&read.mCritical, &first->mKeyPoints.mCritical},
                        {&read.mCricondenbar, &first->mKeyPoints.mCricondenbar},
                        {&read.mCricondentherm, &first->mKeyPoints.mCricondentherm}}) {
        EXPECT_TRUE(a->mValid);
        EXPECT_NEAR(a->mT, b->mT, 1e-8);
        EXPECT_NEAR(a->mP, b->mP, 1e-8);
    }
    // What precedes the section is the file an earlier version writes: it reads as before, and
    // the exact points are found again from its envelopes.
    FakeApplicationServices earlier;
    CPhaseDiagDocument old(earlier);
    ASSERT_TRUE(old.OnOpenDocument(folder / "old.ptd"));
    EXPECT_FALSE(old.WasOpenedDamaged());
    EXPECT_TRUE(earlier.messages.empty());
    const CPhaseDiagram* oldFirst = old.mPhaseDiagramsList.mList.First();
    EXPECT_EQ(oldFirst->mLiquidIsopleth->mList.Count(), first->mLiquidIsopleth->mList.Count());
    EXPECT_NEAR(oldFirst->mKeyPoints.mCritical.mT, first->mKeyPoints.mCritical.mT, 1e-6);
    EXPECT_NEAR(oldFirst->mKeyPoints.mCricondenbar.mP, first->mKeyPoints.mCricondenbar.mP, 1e-6);
    EXPECT_EQ(oldFirst->mCriticalPoint->mName, first->mCriticalPoint->mName);
}
