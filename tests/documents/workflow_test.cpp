// SPDX-License-Identifier: BSD-3-Clause
// The whole road of a study, headless: inclusions, alpha-beta curves, markers, a fluid model, phase
// envelopes, isochore pairs, a trapping line and a volume-temperature plot; everything saved,
// reopened and compared record by record and drawing by drawing.

#include <gtest/gtest.h>

#include <numeric>

#include "document_test_util.hpp"
#include "documents/alpha_beta_plot_document.hpp"
#include "documents/data_documents.hpp"
#include "documents/phase_diag_document.hpp"
#include "drawn_objects.hpp"

using namespace zephon::testing;

namespace {

// Three oil inclusions that homogenise into the liquid, with their bubble measurements.
const char* kInclusionFile = "3\t\n"
                             "Inc_A\t100.00\t10.00\t20.00\tL\t0.000\t0.000\t0.000\t\n"
                             "3\t65280\t0\t0\t3\t3\t25.00\t9.50\t60.00\t7.00\t95.00\t1.20\t\n"
                             "Inc_B\t120.00\t12.00\t20.00\tL\t0.000\t0.000\t0.000\t\n"
                             "3\t65280\t0\t0\t3\t2\t25.00\t11.40\t110.00\t3.10\t\n"
                             "Inc_C\t90.00\t8.00\t20.00\tL\t2.000\t0.000\t0.000\t\n"
                             "3\t65280\t0\t0\t3\t0\t\n";

std::vector<CInclusionRecordEx*> Inclusions(CInclusionDataDocument& document) {
    return {document.mInclusionList.mInclusionData.begin(), document.mInclusionList.mInclusionData.end()};
}

} // namespace

TEST(Workflow, FromInclusionsToTrappingPressureAndBackFromFiles) {
    TempFolder folder;
    FakeApplicationServices services;
    WriteText(folder / "field.inc", kInclusionFile);

    // ---- inclusions ----
    CInclusionDataDocument inclusions(services);
    ASSERT_TRUE(inclusions.OnOpenDocument(folder / "field.inc"));
    ASSERT_EQ(inclusions.mInclusionList.Count(), 3);
    const auto incs = Inclusions(inclusions);
    EXPECT_EQ(incs[0]->mInclusionName, "Inc A");
    EXPECT_EQ(incs[0]->mVolumeDataList.Count(), 3);

    // ---- one alpha-beta curve per inclusion ----
    CAlphaBetaPlotDocument plot(services);
    plot.SetTitle("Plot1");
    for (CInclusionRecordEx* inclusion : incs) {
        int code = -1;
        CAlphaBetaCurve* curve = plot.CalculateAlphaBetaCurve(*inclusion, inclusion->mInclusionName,
                                                              CAlphaBetaPlotDocument::kMaxCurvePoints, &code);
        if (code == CAlphaBetaPlotDocument::kBubbleTooSmall && curve == nullptr)
            GTEST_SKIP() << "the alpha-beta engine has no initial estimate for " << inclusion->mInclusionName;
        ASSERT_NE(curve, nullptr) << inclusion->mInclusionName << " code " << code;
        EXPECT_GE(curve->mCurve.Count(), 2);
        EXPECT_EQ(curve->mInclusion.mInclusionName, inclusion->mInclusionName)
            << "the proposed name was kept";
        EXPECT_EQ(curve->mInclusion.mTh, inclusion->mTh);
        ASSERT_NE(curve->mGraphCurve, nullptr);
        EXPECT_EQ(curve->mGraphCurve->GetPointCount(), curve->mCurve.Count());
    }
    EXPECT_EQ(plot.mAlphaBetaCurvesList.Count(), 3);
    EXPECT_EQ(services.prompts.size(), 3u);
    EXPECT_GT(services.progressAdvances, 0);
    EXPECT_EQ(services.waitDepth, 0);
    EXPECT_TRUE(plot.IsModified());
    // The same inclusion again is recognised and not computed twice.
    CAlphaBetaCurve* again = plot.CalculateAlphaBetaCurve(*incs[0], "again");
    EXPECT_EQ(again, plot.mAlphaBetaCurvesList.mList.First());
    EXPECT_EQ(plot.mAlphaBetaCurvesList.Count(), 3);

    // ---- markers: one on the first curve, one free with gases ----
    CAlphaBetaCurve* curveA = plot.mAlphaBetaCurvesList.mList.First();
    double alpha = 0, beta = 0;
    curveA->GetFirstAlphaBeta(alpha, beta);
    const double markerBeta = curveA->GetBetaFromAlpha(alpha + 0.005);
    CAlphaBetaPoint* onCurve =
        plot.AddAlphaBetaPoint(alpha + 0.005, markerBeta, curveA->mInclusion.mCO2, curveA->mInclusion.mN2,
                               curveA->mInclusion.mH2S, "", curveA);
    EXPECT_EQ(onCurve->mAlphaBetaRecordEx.mName,
              "Inc A: " + CDataHandleStream::FormatDouble(alpha + 0.005, true, 3));
    CAlphaBetaPoint* free = plot.AddAlphaBetaPoint(0.65, 0.25, 3, 1, 0);
    EXPECT_EQ(free->mAlphaBetaRecordEx.mName, "AB 0.650 0.250 3.0 1.0 0.0");

    // ---- a fluid model from the marker ----
    CFluidModelDataDocument* fluid = plot.GenerateFluidModel(0.65, 0.25, 0, 0, 0);
    ASSERT_NE(fluid, nullptr);
    EXPECT_EQ(fluid->mModelFluid.mName, "FM_650_250");
    EXPECT_EQ(fluid->GetTitle(), "FM_650_250");
    EXPECT_TRUE(fluid->IsModified());
    ASSERT_EQ(fluid->mModelFluid.Count(), 17);
    double total = 0;
    for (const CCompositionRecordEx* component : fluid->mModelFluid.mList)
        total += component->mMolePercent;
    EXPECT_NEAR(total, 100, 1e-6);
    EXPECT_EQ(fluid->mModelFluid.mList.First()->mComponentName, "N2");
    EXPECT_NEAR(fluid->mModelFluid.Find("C1")->mTc, -82.6, 0.1);

    // ---- phase envelopes from the marker and from the fluid model ----
    CPhaseDiagDocument pt(services);
    pt.SetTitle("PT1");
    const CAlphaBetaRecordEx& marker = onCurve->mAlphaBetaRecordEx;
    CPhaseDiagram* fromMarker =
        pt.CalculateImmiscibilityLoop(1, marker.mAlpha, marker.mBeta, marker.mCO2 / 100, marker.mN2 / 100,
                                      marker.mH2S / 100, nullptr, marker.mName);
    ASSERT_NE(fromMarker, nullptr) << services.LastMessage();
    EXPECT_EQ(fromMarker->mName, marker.mName);
    CPhaseDiagram* found = nullptr;
    EXPECT_TRUE(pt.IsAlreadyCalculated(onCurve, &found));
    EXPECT_EQ(found, fromMarker);
    CPhaseDiagram* fromFluid =
        pt.CalculateImmiscibilityLoop(0, 0, 0, 0, 0, 0, &fluid->mModelFluid, "ignored");
    ASSERT_NE(fromFluid, nullptr) << services.LastMessage();
    EXPECT_EQ(fromFluid->mName, "FM_650_250");
    EXPECT_EQ(fromFluid->mThermoModel.mModelType, 2);
    EXPECT_TRUE(pt.IsAlreadyCalculated(&fluid->mModelFluid, &found));
    for (CPhaseDiagram* diagram : {fromMarker, fromFluid}) {
        ASSERT_TRUE(diagram->mLiquidIsopleth && diagram->mVapourIsopleth);
        EXPECT_GT(diagram->mGOR, 0);
        EXPECT_GT(diagram->mAPI, 0);
    }

    // ---- isochore pairs for two inclusions, a trapping line ----
    std::vector<CIsochor*> monophasic;
    for (CInclusionRecordEx* inclusion : {incs[0], incs[1]}) {
        double density = 0, volume = 0;
        CIsochor* mono = nullptr;
        ASSERT_EQ(pt.CalculateIsochor(fromMarker, inclusion->mTh, inclusion->mHomog, density, volume, &mono),
                  0)
            << services.LastMessage();
        ASSERT_NE(mono, nullptr);
        EXPECT_GT(density, 0.2);
        EXPECT_LT(density, 1.2);
        EXPECT_GT(volume, 10);
        EXPECT_EQ(mono->mBulkVolume, volume);
        monophasic.push_back(mono);
    }
    ASSERT_EQ(fromMarker->mBiphIsochorsList->Count(), 2);
    CIsochor* biphasicA = fromMarker->mBiphIsochorsList->mList.First();
    EXPECT_EQ(biphasicA->mName, monophasic[0]->mName);
    EXPECT_NEAR(biphasicA->mList.First()->mV, 0, 1e-6) << "no bubble at the homogenisation point";
    EXPECT_GT(biphasicA->mList.Last()->mV, 1) << "two-phase points carry the bubble volume";
    CTrappingLine* line = pt.AddTrappingLineTo(monophasic[0], 180);
    ASSERT_NE(line, nullptr);
    EXPECT_NEAR(line->mPtrap, monophasic[0]->GetPressure(180), 1e-9);
    EXPECT_GT(line->mPtrap, monophasic[0]->mList.First()->mP);

    // ---- a volume-temperature plot with one inclusion and one isochore ----
    CVolumePlotView* vt = pt.DisplayNewVTPlot();
    EXPECT_EQ(vt->mTitle, "PT1:1");
    vt->AddInclusion(*incs[0]);
    vt->AddIsochor(*biphasicA);
    EXPECT_TRUE(vt->IsInclusionPlotted(*incs[0]));
    EXPECT_FALSE(vt->IsInclusionPlotted(*incs[1]));
    EXPECT_TRUE(vt->IsIsochorPlotted(biphasicA->mName));

    for (const std::string& text : services.MessageTexts())
        EXPECT_EQ(text, "The curve stops at a critical point.");

    // ---- save everything ----
    ASSERT_TRUE(inclusions.OnSaveDocument(folder / "field-copy.inc"));
    ASSERT_TRUE(plot.OnSaveDocument(folder / "study.abp"));
    ASSERT_TRUE(pt.OnSaveDocument(folder / "study.ptd"));
    ASSERT_TRUE(fluid->OnSaveDocument(folder / "fluid.flu"));
    EXPECT_FALSE(pt.IsModified());

    // ---- reopen and compare ----
    FakeApplicationServices later;
    CAlphaBetaPlotDocument plot2(later);
    ASSERT_TRUE(plot2.OnOpenDocument(folder / "study.abp"));
    EXPECT_EQ(Tokens(plot2.SaveToText()), Tokens(ReadText(folder / "study.abp")));
    EXPECT_EQ(plot2.mAlphaBetaCurvesList.Count(), 3);
    EXPECT_EQ(plot2.mAlphaBetaPointsList.Count(), 2);
    EXPECT_DOUBLE_EQ(plot2.mAlphaBetaPointsList.mList.Last()->mAlphaBetaRecordEx.mCO2, 3)
        << "a marker's gases survive the file";
    ExpectSameDrawing(plot.GetPlotView(), plot2.GetPlotView(), 1e-5);

    CPhaseDiagDocument pt2(later);
    ASSERT_TRUE(pt2.OnOpenDocument(folder / "study.ptd"));
    EXPECT_EQ(Tokens(pt2.SaveToText()), Tokens(ReadText(folder / "study.ptd")));
    ASSERT_EQ(pt2.mPhaseDiagramsList.Count(), 2);
    CPhaseDiagram* reopened = pt2.mPhaseDiagramsList.mList.First();
    EXPECT_EQ(reopened->mName, fromMarker->mName);
    EXPECT_GT(fromMarker->mLiqMolarWeight, 0);
    // Computed again (the file does not keep them) from alpha and beta as the file rounds them.
    EXPECT_EQ(reopened->mLiqMolarWeight, 0);
    CPhaseDiagDocument::CompleteStockTankValues(*reopened);
    EXPECT_NEAR(reopened->mLiqMolarWeight, fromMarker->mLiqMolarWeight, 1e-4 * fromMarker->mLiqMolarWeight);
    EXPECT_NEAR(reopened->mMassVolLiq, fromMarker->mMassVolLiq, 1e-4 * fromMarker->mMassVolLiq);
    EXPECT_EQ(reopened->mCriticalPoint != nullptr, fromMarker->mCriticalPoint != nullptr);
    EXPECT_EQ(reopened->mBiphIsochorsList->Count(), 2);
    EXPECT_EQ(reopened->mMonoIsochorsList->mList.First()->mTrappingLines->Count(), 1);
    ExpectSameDrawing(pt.GetPlotView(), pt2.GetPlotView());
    ASSERT_EQ(pt2.GetVTPlots().size(), 1u);
    EXPECT_EQ(later.openVTPlots.size(), 1u) << "the plot's window was asked for";
    EXPECT_EQ(pt2.GetVTPlots()[0]->mTitle, "study.ptd:1");
    ExpectSameDrawing(*vt, *pt2.GetVTPlots()[0]);
    EXPECT_EQ(pt2.GetVTPlots()[0]->mPlottedCurvesList.mList.First()->mName, biphasicA->mName);

    CFluidModelDataDocument fluid2(later);
    ASSERT_TRUE(fluid2.OnOpenDocument(folder / "fluid.flu"));
    EXPECT_EQ(Tokens(fluid2.SaveToText()), Tokens(ReadText(folder / "fluid.flu")));
    EXPECT_EQ(ReadText(folder / "field-copy.inc"), inclusions.SaveToText());
    EXPECT_TRUE(later.messages.empty()) << later.LastMessage();
    for (const CWDocument* document : std::initializer_list<const CWDocument*>{&plot2, &pt2, &fluid2})
        EXPECT_FALSE(document->IsModified());
}
