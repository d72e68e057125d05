// SPDX-License-Identifier: BSD-3-Clause
// Random but valid contents of every record and list: written, read and written again give the same bytes.
#include <gtest/gtest.h>

#include "data_test_util.hpp"
#include "random_records.hpp"

namespace {

template <class T> void ExpectStableBytes(T& original) {
    const std::string first = WriteText(original);
    bool error = true;
    auto back = ReadText<T>(first, &error);
    EXPECT_FALSE(error);
    EXPECT_EQ(WriteText(*back), first);
}

} // namespace

TEST(RoundTrip, EveryFileTypeAndList) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(seed);
        Random r(seed);
        ExpectStableBytes(*RandomInclusions(r));
        ExpectStableBytes(*RandomFluid(r));
        ExpectStableBytes(*RandomCurves(r));
        ExpectStableBytes(*RandomPoints(r));
        ExpectStableBytes(*RandomCorrelations(r));
        ExpectStableBytes(*RandomDiagrams(r));
        CCompositionList composition;
        FillComposition(r, composition);
        ExpectStableBytes(composition);
    }
}

TEST(RoundTrip, NamesLongerThanABufferAreCutOnce) {
    CInclusionRecord inc;
    inc.mInclusionName = std::string(300, 'n');
    auto back = ReadText<CInclusionRecord>(WriteText(inc));
    EXPECT_EQ(back->mInclusionName.size(), 255u);
    EXPECT_DOUBLE_EQ(back->mTh, 0); // later fields still in place
    EXPECT_EQ(back->mHomog, 1);
}

TEST(RoundTrip, FluidModelConstantsKeepEveryDecimal) {
    // Generated constants with more decimals than earlier files kept, and typed ones with fewer.
    CCompositionRecordEx component;
    component.mComponentName = "C7";
    component.mMolePercent = 12.5;
    component.mTc = 266.0185;
    component.mPc = 27.36174;
    component.mOmega = 0.0115;
    component.mMw = 96.123456;
    component.mVc = 418.2;
    component.mCt = 1.0 / 3.0;
    const std::string text = WriteText(component);
    auto back = ReadText<CCompositionRecordEx>(text);
    EXPECT_EQ(back->mTc, component.mTc);
    EXPECT_EQ(back->mPc, component.mPc);
    EXPECT_EQ(back->mOmega, component.mOmega);
    EXPECT_EQ(back->mMw, component.mMw);
    EXPECT_EQ(back->mCt, component.mCt);
    // A value with no more decimals than before is written as before.
    EXPECT_NE(text.find("\t418.20\t"), std::string::npos) << text;
    EXPECT_NE(text.find("\t0.0115\t"), std::string::npos) << text;
}
