// SPDX-License-Identifier: BSD-3-Clause
// Byte-exact text forms of the data files.
#include <gtest/gtest.h>

#include "data/alpha_beta_record.hpp"
#include "data/composition_record.hpp"
#include "data/inclusion_record.hpp"
#include "data/phase_diagram_record.hpp"
#include "data_test_util.hpp"

using zephon::plot::MakeColor;

namespace {

CInclusionRecordEx* MakeInc1() {
    auto* inc = new CInclusionRecordEx;
    inc->mInclusionName = "Inc 1";
    inc->mTh = 95.5;
    inc->mFv = 4.2;
    inc->mTv = 20;
    inc->mHomog = 1;
    inc->mCO2 = 1.5;
    inc->mPointFormat = CPointFormat(3, MakeColor(255, 0, 0), 3);
    inc->mVolumeDataList.Add(new CVolumeRecord(20, 4.2));
    inc->mVolumeDataList.Add(new CVolumeRecord(60, 3.1));
    return inc;
}

} // namespace

TEST(Golden, OneInclusionFile) {
    CInclusionList list;
    list.mIsOwner = 1;
    list.Add(MakeInc1());
    const std::string expected = "1\t\n"
                                 "Inc_1\t95.50\t4.20\t20.00\tL\t1.500\t0.000\t0.000\t\n"
                                 "3\t65280\t0\t0\t3\t2\t20.00\t4.20\t60.00\t3.10\t\n";
    EXPECT_EQ(WriteText(list), expected);

    auto back = ReadText<CInclusionList>(expected);
    ASSERT_EQ(back->Count(), 1);
    back->SetToFirstInclusion();
    CInclusionRecordEx* inc = back->GetInclusion();
    EXPECT_EQ(inc->mInclusionName, "Inc 1");
    EXPECT_DOUBLE_EQ(inc->mTh, 95.5);
    EXPECT_DOUBLE_EQ(inc->mFv, 4.2);
    EXPECT_DOUBLE_EQ(inc->mTv, 20);
    EXPECT_EQ(inc->mPointFormat.mColor, MakeColor(255, 0, 0));
    EXPECT_EQ(inc->mVolumeDataList.Count(), 2);
}

TEST(Golden, InclusionTypeWordsAndEmptyVolumeList) {
    for (const char* word : {"G", "l", "V"}) {
        auto inc = ReadText<CInclusionRecord>(std::string("x 1 2 3 ") + word + " 4 5 6");
        EXPECT_EQ(inc->mHomog, 0) << word;
        EXPECT_DOUBLE_EQ(inc->mH2S, 6);
    }
    CInclusionRecordEx empty;
    EXPECT_EQ(WriteText(empty),
              "Undefined\t0.00\t0.00\t0.00\tL\t0.000\t0.000\t0.000\t\n3\t65280\t0\t0\t3\t0\t\n");
    auto back = ReadText<CInclusionRecordEx>(WriteText(empty));
    EXPECT_EQ(back->mVolumeDataList.Count(), 0);
}

TEST(Golden, ColoursAndFormats) {
    CPointFormat point(4, 0x00123456, 7);
    CDataHandleStream out;
    point.Write(out);
    EXPECT_EQ(out.Text(), "4\t22016\t13312\t4608\t7\t");
    CAlphaBetaCurve curve;
    curve.mInclusion.mInclusionName = "Gas cap sample";
    curve.Add(new CAlphaBetaRecord(0.5, 0.25));
    curve.Add(new CAlphaBetaRecord(0.55, 0.3));
    EXPECT_EQ(WriteText(curve), "Gas_cap_sample\t0.00\t0.00\t0.00\tL\t0.000\t0.000\t0.000\t\n"
                                "1\t65280\t0\t0\t\n"
                                "2\t\n"
                                "0.500000\t0.250000\t\n"
                                "0.550000\t0.300000\t\n");
}

TEST(Golden, MolePercentNotationAndCorrelation) {
    auto molePercent = [](double value) {
        CCompositionRecord record("C1", value);
        return WriteText(record);
    };
    EXPECT_EQ(molePercent(0.5), "C1\t0.5\t");
    EXPECT_EQ(molePercent(12.25), "C1\t12.25000000\t");
    EXPECT_EQ(molePercent(1), "C1\t1\t");
    EXPECT_EQ(molePercent(1.0000001), "C1\t1.00000010\t");

    CAlphaBetaCorrelation correlation;
    correlation.mName = "North field";
    auto* fluid = new CAlphaBetaRecordEx;
    fluid->mName = "Well A";
    fluid->mAlpha = 0.8;
    fluid->mBeta = 0.15;
    fluid->mCompositionList.Add(new CCompositionRecord("CO2", 2.5));
    fluid->mCompositionList.Add(new CCompositionRecord("C1", 0.75));
    correlation.Add(fluid);
    const std::string text = WriteText(correlation);
    EXPECT_EQ(text, "North_field\t\n3\t65280\t0\t0\t3\t\n1\t\n"
                    "Well_A\t0.800000\t0.150000\t\n2\t\nCO2\t2.50000000\tC1\t0.75\t\n");
    auto back = ReadText<CAlphaBetaCorrelation>(text);
    back->SetToFirstAlphaBetaPoint();
    CAlphaBetaRecordEx* read = back->GetAlphaBetaPoint();
    EXPECT_DOUBLE_EQ(read->mCO2, 2.5);
    EXPECT_EQ(read->mN2, 0); // absent from the composition
}

TEST(Golden, ModelFluidAndPhaseDiagramForms) {
    CModelFluid fluid(CModelFluid::NameFromAlphaBeta(0.5, 0.25, 0.01, 0, 0));
    EXPECT_EQ(fluid.mName, "FM_500_250_1_0_0 ");
    EXPECT_EQ(CModelFluid::NameFromAlphaBeta(0.5, 0.25, 0, 0, 0), "FM_500_250");
    auto* c1 = new CCompositionRecordEx;
    c1->mComponentName = "C1";
    c1->mMolePercent = 60;
    c1->SetParametersByDefault();
    fluid.Add(c1);
    EXPECT_EQ(WriteText(fluid), "FM_500_250_1_0_0_\t1\t\nC1\t60.00000000\t-82.595\t45.950\t0.013\t16.04\t99."
                                "20\t-4.278700435958619\t\n\n")
        << "a generated constant is kept to its last digit";
    auto back = ReadText<CModelFluid>(WriteText(fluid));
    EXPECT_EQ(back->mName, "FM 500 250 1 0 0 "); // every "_" of a word reads as a blank

    // A diagram without a vapour branch and with no isochore lists.
    CPhaseDiagram diagram;
    diagram.SetNameByDefault(3, 0.5, 0.25);
    auto model = std::make_unique<CAlphaBetaModel>();
    model->mAlpha = 0.5;
    model->mBeta = 0.25;
    model->mCO2 = 1.5;
    diagram.mThermoModel.SetAlphaBetaModel(std::move(model));
    diagram.mLiquidIsopleth = std::make_unique<CIsopleth>();
    diagram.mLiquidIsopleth->mState = 1;
    diagram.mLiquidIsopleth->mxref = {0.25, 0.75};
    auto* point = new CIsoplethPoint;
    point->mT = 100;
    point->mP = 50.5;
    point->mLiquidV = 1.5e-4;
    point->mz = {0.3, 0.7};
    point->mSkip = 1;
    diagram.mLiquidIsopleth->Add(point);
    diagram.mGOR = 120;
    diagram.mAPI = 35.25;
    const std::string text = WriteText(diagram);
    EXPECT_EQ(text, "AB3:_0.500_0.250\t\n"
                    "1\t0.50000\t0.25000\t1.5\t0\t0\t\n\n"
                    "1\t0\t120.00\t35.25\t\n"
                    "1\t0\t0\t49152\t\n0.000\t2\t\n0.25\t0.75\tL\t1\t\n"
                    "100.000\t50.500\t0.00015\t0\t2\t0.3\t0.7\t1\t\n\n"
                    "0\t0\t\n\n");
    auto read = ReadText<CPhaseDiagram>(text);
    EXPECT_EQ(read->mVapourIsopleth, nullptr);
    ASSERT_NE(read->mLiquidIsopleth, nullptr);
    EXPECT_EQ(read->mLiquidIsopleth->mPhaseDiagram, read.get());
    ASSERT_TRUE(read->mBiphIsochorsList && read->mMonoIsochorsList);
    EXPECT_EQ(read->mBiphIsochorsList->Count() + read->mMonoIsochorsList->Count(), 0);
    // The lists now exist: each writes its count and a line end instead of the bare word.
    EXPECT_EQ(WriteText(*read), text.substr(0, text.size() - 6) + "0\t\n0\t\n\n\n");
}

TEST(Golden, IsochorWithoutTrappingLines) {
    CIsochor isochor;
    isochor.mName = "Iso";
    isochor.mTh = 80;
    isochor.SetBiphasic(1);
    isochor.mBulkVolume = 1.25e-4;
    isochor.mBulkDensity = 750.5;
    isochor.Add(new CIsochorPoint(80, 10, 1.25e-4));
    const std::string text = WriteText(isochor);
    EXPECT_EQ(
        text,
        "Iso\t\n1\t45056\t0\t0\t\n80.000\tL\tB\t0.000125\t750.5\t1\t\n80.000\t10.000\t0.000125\t\n0\t\n");
    auto back = ReadText<CIsochor>(text);
    ASSERT_NE(back->mTrappingLines, nullptr);
    EXPECT_EQ(back->mTrappingLines->Count(), 0);
    EXPECT_EQ(back->mIsBiphasic, 1);
}
