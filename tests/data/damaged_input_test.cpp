// SPDX-License-Identifier: BSD-3-Clause
// Damaged files: every file type cut at every byte reads without harm and keeps what precedes the cut.
#include <gtest/gtest.h>

#include <vector>

#include "data_test_util.hpp"
#include "random_records.hpp"

namespace {

// Cuts the text of `original` at every byte. Each top-level item (reached through `items`) whose
// whole text precedes the cut must read back exactly; no read may make more items than the file
// holds; a cut that drops whole tokens must raise the stream's error flag.
template <class T, class Items> void CheckEveryCut(T& original, Items items, const std::string& itemSuffix) {
    const std::string full = WriteText(original);
    std::vector<std::string> itemTexts;
    std::vector<std::size_t> itemEnds;
    std::size_t pos = 0;
    for (auto* item : items(original)) {
        std::string text = WriteText(*item) + itemSuffix;
        const std::size_t at = full.find(text, pos);
        ASSERT_NE(at, std::string::npos);
        pos = at + text.size();
        itemTexts.push_back(std::move(text));
        itemEnds.push_back(pos);
    }
    for (std::size_t cut = 0; cut <= full.size(); ++cut) {
        SCOPED_TRACE(cut);
        const std::string prefix = full.substr(0, cut);
        bool error = false;
        auto back = ReadText<T>(prefix, &error);
        std::vector<std::string> readTexts;
        for (auto* item : items(*back))
            readTexts.push_back(WriteText(*item) + itemSuffix);
        ASSERT_LE(readTexts.size(), itemTexts.size());
        for (std::size_t i = 0; i < itemTexts.size() && itemEnds[i] <= cut; ++i) {
            ASSERT_LT(i, readTexts.size());
            EXPECT_EQ(readTexts[i], itemTexts[i]);
        }
        const bool droppedWholeTokens = cut < full.size() && (cut == 0 || std::isspace(full[cut - 1])) &&
                                        full.find_first_not_of(" \t\n", cut) != std::string::npos;
        if (droppedWholeTokens) {
            EXPECT_TRUE(error);
        }
    }
}

// A sample with at least `minItems` items whose text stays short enough to cut at every byte.
template <class Make, class Count> auto Sample(Make make, Count count, long minItems) {
    for (unsigned seed = 1;; ++seed) {
        Random r(seed);
        auto sample = make(r);
        const std::size_t size = WriteText(*sample).size();
        if (count(*sample) >= minItems && size > 150 && size < 5000) return sample;
    }
}

auto listOf = [](auto& list) -> auto& {
    return list.mList;
};

} // namespace

TEST(DamagedInput, InclusionFile) {
    auto sample = Sample(
        RandomInclusions, [](CInclusionList& l) { return l.Count(); }, 3);
    CheckEveryCut(
        *sample, [](CInclusionList & l) -> auto& { return l.mInclusionData; }, "");
}

TEST(DamagedInput, FluidModelFile) {
    auto sample = Sample(
        RandomFluid, [](CModelFluid& f) { return f.Count(); }, 3);
    CheckEveryCut(*sample, listOf, "\n");
}

TEST(DamagedInput, CorrelationFileAndPlotLists) {
    Random r(7);
    CAlphaBetaCorrelation correlation;
    correlation.mName = "Field";
    for (int i = 0; i < 3; ++i)
        correlation.Add(RandomFluidPoint(r));
    CheckEveryCut(correlation, listOf, "");
    CheckEveryCut(*Sample(
                      RandomCurves, [](auto& l) { return l.Count(); }, 2),
                  listOf, "");
    CheckEveryCut(*Sample(
                      RandomPoints, [](auto& l) { return l.Count(); }, 2),
                  listOf, "");
    CheckEveryCut(*Sample(
                      RandomCorrelations, [](auto& l) { return l.Count(); }, 2),
                  listOf, "");
}

TEST(DamagedInput, PhaseDiagramFile) {
    auto sample = Sample(
        RandomDiagrams, [](CPhaseDiagramsList& l) { return l.Count(); }, 2);
    CheckEveryCut(*sample, listOf, "");
    // Finer grain: isochores with their trapping lines.
    Random r(3);
    CIsochorsList isochors;
    for (int i = 0; i < 3; ++i) {
        auto* isochor = new CIsochor;
        FillIsochor(r, *isochor);
        auto* line = new CTrappingLine;
        line->Initialize();
        FillIsochor(r, *line);
        line->mIsochorName = isochor->mName;
        isochor->mTrappingLines->Add(line);
        isochors.Add(isochor);
    }
    CheckEveryCut(isochors, listOf, "");
}

TEST(DamagedInput, CutRecordKeepsLeadingFieldsAndZeroesTheRest) {
    const std::string text = "2\t\nInc_1\t95.50\t4.20\t20.00\tL\t1.500\t0.000\t0.000\t\n"
                             "3\t65280\t0\t0\t3\t2\t20.00\t4.20\t60.00\t3.10\t\n"
                             "Inc_2\t101.25\t7.5";
    bool error = false;
    auto list = ReadText<CInclusionList>(text, &error);
    EXPECT_TRUE(error);
    ASSERT_EQ(list->Count(), 2);
    list->SetToFirstInclusion();
    list->GetInclusion();
    CInclusionRecordEx* cut = list->GetInclusion();
    EXPECT_EQ(cut->mInclusionName, "Inc 2");
    EXPECT_DOUBLE_EQ(cut->mTh, 101.25);
    EXPECT_DOUBLE_EQ(cut->mFv, 7.5);
    EXPECT_EQ(cut->mTv, 0);
    EXPECT_EQ(cut->mHomog, 0); // the type word was lost: empty, hence vapour
    EXPECT_EQ(cut->mPointFormat.mSize, 0);
    EXPECT_EQ(cut->mVolumeDataList.Count(), 0);
}

TEST(DamagedInput, HugeCountsAndArraysAllocateOnlyWhatTheFileHolds) {
    auto inclusions =
        ReadText<CInclusionList>("2000000000\nA 1 2 3 L 0 0 0 3 65280 0 0 3 2000000000 1 2 3 4");
    ASSERT_EQ(inclusions->Count(), 1);
    inclusions->SetToFirstInclusion();
    EXPECT_EQ(inclusions->GetInclusion()->mVolumeDataList.Count(), 2);

    bool error = false;
    auto point = ReadText<CIsoplethPoint>("1 2 3 4 32000 0.5 0.25", &error);
    EXPECT_TRUE(error);
    EXPECT_EQ(point->mz.size(), 2u);
    auto isopleth = ReadText<CIsopleth>("1 0 0 192 25 2000000000 0.1 0.2", &error);
    EXPECT_EQ(isopleth->mxref.size(), 2u);
    EXPECT_EQ(isopleth->mList.Count(), 0);
    auto negative = ReadText<CIsoplethPoint>("1 2 3 4 -5 1", &error);
    EXPECT_TRUE(negative->mz.empty());
    EXPECT_EQ(negative->mSkip, 1);

    // Trapping lines nested without end in a damaged file stop at a small depth.
    std::string nested;
    for (int i = 0; i < 100000; ++i)
        nested += "n 1 0 0 0 1 L M 0 0 0 1 ";
    auto deep = ReadText<CIsochor>(nested, &error);
    EXPECT_TRUE(error);
    ASSERT_NE(deep->mTrappingLines, nullptr);
    EXPECT_EQ(deep->mTrappingLines->Count(), 1);
}
