// SPDX-License-Identifier: BSD-3-Clause
// Defaults, lookups, interpolations and the curve constructions of the records.
#include <gtest/gtest.h>

#include "data/alpha_beta_record.hpp"
#include "data/composition_record.hpp"
#include "data/inclusion_record.hpp"
#include "data/phase_diagram_record.hpp"
#include "data_test_util.hpp"
#include "plot/graph_object.hpp"

namespace {

CCompositionRecordEx Defaults(const std::string& name) {
    CCompositionRecordEx record;
    record.mComponentName = name;
    record.SetParametersByDefault();
    return record;
}

// Co-volume of the equation of state in cm3/mol, Tc in K, Pc in bar.
double CoVolume(double tcKelvin, double pcBar) {
    return 0.0778 * 8.31451198983133 * tcKelvin / (pcBar * 1e5) * 1e6;
}

CIsoplethPoint* IsoPoint(double t, double p, double liquidV = 0) {
    auto* point = new CIsoplethPoint;
    point->mT = t;
    point->mP = p;
    point->mLiquidV = liquidV;
    return point;
}

} // namespace

TEST(CompositionDefaults, TableGenericFractionsAndVolumeShiftInCm3) {
    const CCompositionRecordEx c1 = Defaults("C1");
    EXPECT_NEAR(c1.mTc, 190.555 - 273.15, 1e-9);
    EXPECT_DOUBLE_EQ(c1.mPc, 45.95);
    EXPECT_NEAR(c1.mCt, -0.1595 * CoVolume(190.555, 45.95), 1e-12);
    EXPECT_NEAR(c1.mCt, -4.2787, 1e-4);

    const CCompositionRecordEx c18 = Defaults("C18");
    EXPECT_DOUBLE_EQ(c18.mMw, 254);
    EXPECT_NEAR(c18.mTc, 526.85, 1e-9);
    EXPECT_DOUBLE_EQ(c18.mVc, 1040);
    EXPECT_NEAR(c18.mCt, 0.1 * CoVolume(800, 9), 1e-12);

    const CCompositionRecordEx nc30 = Defaults("nC30");
    EXPECT_DOUBLE_EQ(nc30.mMw, 422);
    EXPECT_NEAR(nc30.mTc, 860 - 273.15, 1e-9);
    EXPECT_DOUBLE_EQ(nc30.mOmega, 1.2);

    const CCompositionRecordEx c30 = Defaults("C30");
    EXPECT_DOUBLE_EQ(c30.mPc, 7.6);
    EXPECT_DOUBLE_EQ(c30.mOmega, 1.14);

    const CCompositionRecordEx letters = Defaults("abc");
    EXPECT_DOUBLE_EQ(letters.mMw, 2);
    EXPECT_DOUBLE_EQ(letters.mPc, 9);
    EXPECT_DOUBLE_EQ(Defaults("C12x").mMw, 2); // non-numeric tail

    CCompositionRecordEx other;
    other.mComponentName = "Other";
    other.mTc = 123;
    other.SetParametersByDefault();
    EXPECT_EQ(other.mTc, 123);
}

TEST(CopiesAreIndependent, InclusionFluidAndIsochor) {
    auto source = std::make_unique<CInclusionRecordEx>();
    source->mVolumeDataList.Add(new CVolumeRecord(20, 4));
    source->mVolumeDataList.Add(new CVolumeRecord(60, 3));
    source->mVolumeDataList.Add(new CVolumeRecord(80, 2));
    double minT, maxT, minV, maxV;
    source->GetMinMaxValues(minT, maxT, minV, maxV);
    EXPECT_EQ(minT, 0);
    EXPECT_EQ(maxT, 80);
    EXPECT_EQ(maxV, 4);
    {
        CInclusionRecordEx copy(*source);
        EXPECT_EQ(copy.mVolumeDataList.Count(), 3);
    }
    EXPECT_EQ(source->mVolumeDataList.Count(), 3);

    auto fluid = std::make_unique<CModelFluid>("F");
    fluid->Add(new CCompositionRecordEx(Defaults("C2")));
    fluid->mList.First()->mMolePercent = 12.5;
    CModelFluid copy(*fluid);
    fluid.reset();
    ASSERT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy.mList.First()->mMolePercent, 12.5);
    EXPECT_EQ(copy.mName, "F");

    CIsochor isochor;
    isochor.mName = "I";
    isochor.SetBiphasic(1);
    isochor.Add(new CIsochorPoint(10, 20, 0.5));
    isochor.AddTrappingLine(new CTrappingLine);
    CIsochor isoCopy;
    isoCopy.CopyFrom(isochor);
    EXPECT_EQ(isoCopy.mList.Count(), 1);
    EXPECT_EQ(isoCopy.mIsBiphasic, 1);
    EXPECT_EQ(isoCopy.mTrappingLines, nullptr);
    EXPECT_EQ(isoCopy.mMaxFv, 0.5);
}

TEST(AlphaBetaCurve, Interpolation) {
    CAlphaBetaCurve curve;
    EXPECT_EQ(curve.GetBetaFromAlpha(0.5), -1);
    double a = 1, b = 1;
    curve.GetFirstAlphaBeta(a, b);
    EXPECT_EQ(a, 0);
    curve.Add(new CAlphaBetaRecord(0.2, 1.0));
    EXPECT_EQ(curve.GetBetaFromAlpha(0.2), -1); // one point: no segment
    curve.Add(new CAlphaBetaRecord(0.4, 2.0));
    curve.Add(new CAlphaBetaRecord(0.6, 2.5));
    curve.Add(new CAlphaBetaRecord(0.3, 3.0));          // folds back
    EXPECT_DOUBLE_EQ(curve.GetBetaFromAlpha(0.4), 2.0); // interior point: its own beta
    EXPECT_DOUBLE_EQ(curve.GetBetaFromAlpha(0.3), 1.5); // first containing segment wins
    EXPECT_DOUBLE_EQ(curve.GetBetaFromAlpha(0.5), 2.25);
    EXPECT_EQ(curve.GetBetaFromAlpha(0.7), -1);
    EXPECT_DOUBLE_EQ(curve.GetAlphaFromBeta(2.75), 0.45);
    curve.GetFirstAlphaBeta(a, b);
    EXPECT_EQ(a, 0.2);
    EXPECT_EQ(curve.GetAlphaBetaPoint()->mAlpha, 0.4); // the cursor was left on the second point

    CAlphaBetaCurve vertical;
    vertical.Add(new CAlphaBetaRecord(0.5, 1.0));
    vertical.Add(new CAlphaBetaRecord(0.5, 2.0));
    EXPECT_EQ(vertical.GetBetaFromAlpha(0.5), 2.0);
}

TEST(GraphLinks, DrawnLookIsSaved) {
    CAlphaBetaCurve curve;
    CGraphCurve graph;
    graph.mSize = 4;
    graph.mForeColor = zephon::plot::MakeColor(0, 128, 0);
    curve.mGraphCurve = &graph;
    const std::string text = WriteText(curve);
    EXPECT_NE(text.find("\n4\t0\t32768\t0\t\n"), std::string::npos);

    CInclusionRecordEx inc;
    CGraphPointCurve points;
    points.mSize = 5;
    points.mSelector = 9;
    points.mForeColor = zephon::plot::MakeColor(1, 2, 3);
    inc.mGraphCurve = &points;
    EXPECT_NE(WriteText(inc).find("\n5\t256\t512\t768\t9\t0\t\n"), std::string::npos);
}

TEST(Isochor, PressureTrappingLineAndName) {
    CIsochor isochor;
    isochor.Add(new CIsochorPoint(100, 300, 0));
    isochor.Add(new CIsochorPoint(200, 540, 0));
    isochor.Add(new CIsochorPoint(150, 900, 0)); // temperature falls: never used
    EXPECT_DOUBLE_EQ(isochor.GetPressure(150), 420);
    EXPECT_EQ(isochor.GetPressure(200), 0); // upper end excluded
    EXPECT_EQ(isochor.GetPressure(50), 0);
    EXPECT_EQ(CIsochor().GetPressure(10), 0);

    CPhaseDiagram diagram;
    diagram.mName = "AB1: 0.500 0.250";
    isochor.mName = "Iso";
    isochor.mTh = 95.5;
    isochor.SetPhaseDiagram(&diagram);
    auto* line = new CTrappingLine;
    line->AttachToIsochor(&isochor, 150);
    EXPECT_EQ(line->mName, "Thaq = 150 deg. C, Ptrap = 420 bar");
    EXPECT_DOUBLE_EQ(line->mPtrap, 420);
    ASSERT_EQ(line->mList.Count(), 2);
    EXPECT_EQ(line->mList.First()->mP, 0);
    EXPECT_DOUBLE_EQ(line->mList.Last()->mP, 462);
    EXPECT_EQ(line->mList.Last()->mT, 150);
    EXPECT_EQ(line->mIsochorName, "Iso");
    EXPECT_EQ(line->mPhaseDiagram, &diagram);
    EXPECT_EQ(line->mInfo, kTrappingLineInfo);
    ASSERT_NE(isochor.mTrappingLines, nullptr);
    EXPECT_EQ(isochor.mTrappingLines->mList.First(), line);

    isochor.SetNameByDefault();
    EXPECT_EQ(isochor.mName, "AB1: 0.500 0.250: Th = 95.50, L ");

    // A trapping line written and read back is linked to its isochore again.
    auto back = ReadText<CIsochor>(WriteText(isochor));
    ASSERT_EQ(back->mTrappingLines->Count(), 1);
    CTrappingLine* readLine = back->mTrappingLines->mList.First();
    EXPECT_EQ(readLine->mIsochor, back.get());
    EXPECT_EQ(readLine->mIsochorName, back->mName);
    EXPECT_DOUBLE_EQ(readLine->mPtrap, 420);

    isochor.Purge();
    EXPECT_EQ(isochor.mList.Count(), 0);
    EXPECT_EQ(isochor.mName, "");
    EXPECT_EQ(isochor.mTrappingLines, nullptr);
}

TEST(PhaseDiagram, CriticalPointAndHomogenisationPressure) {
    CPhaseDiagram diagram;
    diagram.BuildCriticalPoint(); // no branches: nothing
    diagram.mLiquidIsopleth = std::make_unique<CIsopleth>();
    diagram.mVapourIsopleth = std::make_unique<CIsopleth>();
    diagram.BuildCriticalPoint(); // empty branches: nothing
    diagram.mLiquidIsopleth->mxref = {0.4, 0.6};
    diagram.mLiquidIsopleth->Add(IsoPoint(0, 10, 1e-4));
    diagram.mLiquidIsopleth->Add(IsoPoint(100, 50, 2e-4));
    diagram.mVapourIsopleth->Add(IsoPoint(110.5, 70, 4e-4));
    diagram.BuildCriticalPoint();
    EXPECT_EQ(diagram.mLiquidIsopleth->mList.Count(), 2); // 10.5 degrees apart

    diagram.mVapourIsopleth->Add(IsoPoint(109.5, 60, 6e-4));
    diagram.BuildCriticalPoint();
    const CIsoplethPoint* a = diagram.mLiquidIsopleth->mList.Last();
    const CIsoplethPoint* b = diagram.mVapourIsopleth->mList.Last();
    ASSERT_NE(a, b);
    EXPECT_DOUBLE_EQ(a->mT, 104.75);
    EXPECT_DOUBLE_EQ(b->mP, 55);
    EXPECT_DOUBLE_EQ(a->mVapourV, 4e-4); // mean of the two liquid volumes, 2e-4 and 6e-4
    EXPECT_EQ(b->mz, (std::vector<double>{0.4, 0.6}));
    EXPECT_DOUBLE_EQ(diagram.mLiquidIsopleth->mMaxT, 104.75);

    // Bubble side: the branch's points without a drawn curve, the drawn curve when there is one.
    EXPECT_DOUBLE_EQ(diagram.GetPh(50, 1, 0), 30);
    EXPECT_DOUBLE_EQ(diagram.GetPh(500, 1, 0), 55); // beyond: the last point
    CGraphCurve drawn;
    drawn.addPoint(0, 100);
    drawn.addPoint(100, 200);
    diagram.mLiquidIsopleth->mGraphCurve = &drawn;
    EXPECT_DOUBLE_EQ(diagram.GetPh(50, 1, 0), 150);

    // Dew side crossing 80 degrees twice; walked from the critical end.
    auto vapour = std::make_unique<CIsopleth>();
    vapour->Add(IsoPoint(50, 5));
    vapour->Add(IsoPoint(90, 20));
    vapour->Add(IsoPoint(100, 60));
    vapour->Add(IsoPoint(70, 90));
    diagram.mVapourIsopleth = std::move(vapour);
    EXPECT_DOUBLE_EQ(diagram.GetPh(80, 0, 0), 80);     // first crossing from the end
    EXPECT_DOUBLE_EQ(diagram.GetPh(80, 0, 10), 16.25); // the other one is nearer the hint
    EXPECT_DOUBLE_EQ(diagram.GetPh(80, 0, 70), 80);
    EXPECT_EQ(diagram.GetPh(200, 0, 0), 0);
}

TEST(PhaseDiagram, Lookups) {
    CPhaseDiagramsList list;
    auto* first = new CPhaseDiagram;
    auto model = std::make_unique<CAlphaBetaModel>();
    model->mAlpha = 0.5;
    model->mBeta = 0.25;
    first->mThermoModel.SetAlphaBetaModel(std::move(model));
    first->mBiphIsochorsList = std::make_unique<CIsochorsList>();
    first->mMonoIsochorsList = std::make_unique<CIsochorsList>();
    for (CIsochorsList* l : {first->mBiphIsochorsList.get(), first->mMonoIsochorsList.get()}) {
        auto* isochor = new CIsochor;
        isochor->mTh = 95.5;
        isochor->mBulkDensity = l == first->mBiphIsochorsList.get() ? 700 : 710;
        isochor->mName = l == first->mBiphIsochorsList.get() ? "bi" : "mono";
        l->Add(isochor);
    }
    list.Add(first);
    for (int i = 0; i < 2; ++i) {
        auto* byFluid = new CPhaseDiagram;
        byFluid->mThermoModel.SetModelFluid(std::make_unique<CModelFluid>("F"));
        list.Add(byFluid);
    }

    CPhaseDiagram* found = nullptr;
    EXPECT_TRUE(list.IsPhaseDiagramAlreadyCalculated(0.5005, 0.25, 0, 0, 0, &found));
    EXPECT_EQ(found, first);
    EXPECT_FALSE(list.IsPhaseDiagramAlreadyCalculated(0.502, 0.25, 0, 0, 0, &found));
    CModelFluid fluid("F");
    EXPECT_TRUE(list.IsPhaseDiagramAlreadyCalculated(&fluid, &found));
    EXPECT_EQ(found, list.mList.Last()); // the last of several
    EXPECT_EQ(list.GetMonophasicIsochorByName("mono")->mBulkDensity, 710);
    EXPECT_EQ(list.GetBiphasicIsochorByName("mono"), nullptr);

    double density = 0, volume = 0;
    CIsochor *bi = nullptr, *mono = nullptr;
    EXPECT_TRUE(first->IsIsochorAlreadyCalculated(95.5, 1, density, volume, &bi, nullptr));
    EXPECT_EQ(density, 700);
    EXPECT_TRUE(first->IsIsochorAlreadyCalculated(95.5, 1, density, volume, &bi, &mono));
    EXPECT_EQ(density, 710);
    EXPECT_NE(mono, nullptr);
    EXPECT_FALSE(first->IsIsochorAlreadyCalculated(95.5, 0, density, volume, &bi, &mono));
    EXPECT_EQ(bi, nullptr);
    EXPECT_EQ(mono, nullptr);
}
