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
