// SPDX-License-Identifier: BSD-3-Clause
// Coeval aqueous inclusions in the P-T document: the aqueous isochore and its crossing with an oil
// isochore are stored, drawn, saved in their own section and read back; files without them are
// written as before, and a reader that predates the section stops at it with a read error.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "document_test_util.hpp"
#include "documents/phase_diag_document.hpp"

using namespace zephon::testing;
using namespace zephon::aqueous;

namespace {

struct AqueousDocumentTest : ::testing::Test {
    FakeApplicationServices services;
    CPhaseDiagDocument document{services};
    CIsochor* oil = nullptr;

    void SetUp() override {
        CPhaseDiagram* diagram = document.CalculateImmiscibilityLoop(1, 0.82, 0.2, 0.01, 0, 0, nullptr, "");
        ASSERT_NE(diagram, nullptr);
        double density = 0, volume = 0;
        ASSERT_EQ(document.CalculateIsochor(diagram, 89.3, 1, density, volume, &oil), 0);
    }
    CAqueousCrossing* Crossing(const AqueousMeasurement& m, const TrappingUncertainties& sd = {}) {
        CAqueousIsochor* aqueous = document.CalculateAqueousIsochor(m);
        EXPECT_NE(aqueous, nullptr) << services.LastMessage();
        return aqueous ? document.CalculateCrossing(aqueous, oil, sd, 20) : nullptr;
    }
    bool Drawn(const CGraphObject* object) {
        return object != nullptr && document.GetPlotView().Holds(object);
    }
};

const AqueousMeasurement kQuartzBrine{140, SalinitySource::IceMelting, -6.6, HostMineral::Quartz, false};

} // namespace

TEST_F(AqueousDocumentTest, ACrossingIsStoredWithItsBandAndDrawn) {
    CAqueousCrossing* crossing = Crossing(kQuartzBrine, {1.0, 0.2, 1.0, 0.5});
    ASSERT_NE(crossing, nullptr) << services.LastMessage();
    CAqueousIsochor* aqueous = document.mAqueousIsochorsList.mList.First();
    EXPECT_NEAR(aqueous->mSalinity, 9.98, 0.01);
    EXPECT_EQ(aqueous->mName, "Aq: Th = 140.00, 9.98 wt%, quartz");
    EXPECT_TRUE(Drawn(aqueous->mGraphCurve));
    EXPECT_GT(crossing->mT, 140);
    EXPECT_EQ(crossing->mOilIsochorName, oil->mName);
    EXPECT_EQ(crossing->mHasBand, 1);
    EXPECT_GT(crossing->mSdT, 0);
    EXPECT_GT(crossing->mSdP, 0);
    EXPECT_TRUE(Drawn(crossing->mGraphPoint));
    EXPECT_TRUE(Drawn(crossing->mEllipseCurve));
    EXPECT_EQ(document.FindDrawnRecord(crossing->mGraphPoint).aqueousCrossing, crossing);
    EXPECT_EQ(document.FindDrawnRecord(aqueous->mGraphCurve).aqueousIsochor, aqueous);
    // The same measurement again reuses the isochore and replaces the crossing.
    EXPECT_EQ(document.CalculateAqueousIsochor(kQuartzBrine), aqueous);
    ASSERT_NE(Crossing(kQuartzBrine), nullptr);
    EXPECT_EQ(aqueous->mCrossings.Count(), 1);
    EXPECT_EQ(aqueous->mCrossings.First()->mHasBand, 0);
}

TEST_F(AqueousDocumentTest, SavedAndReopenedAsItWas) {
    TempFolder folder;
    ASSERT_NE(Crossing(kQuartzBrine, {1.0, 0.2, 1.0, 0.5}), nullptr);
    ASSERT_NE(Crossing({150, SalinitySource::Typed, 12, HostMineral::None, true}), nullptr);
    ASSERT_TRUE(document.OnSaveDocument(folder / "aq.ptd"));
    const std::string text = ReadText(folder / "aq.ptd");
    EXPECT_NE(text.find(kAqueousSectionWord), std::string::npos);

    FakeApplicationServices later;
    CPhaseDiagDocument reopened(later);
    ASSERT_TRUE(reopened.OnOpenDocument(folder / "aq.ptd"));
    EXPECT_FALSE(reopened.WasOpenedDamaged());
    EXPECT_TRUE(later.messages.empty());
    ASSERT_EQ(reopened.mAqueousIsochorsList.Count(), 2);
    const CAqueousIsochor* a = document.mAqueousIsochorsList.mList.First();
    const CAqueousIsochor* b = reopened.mAqueousIsochorsList.mList.First();
    EXPECT_EQ(b->mName, a->mName);
    EXPECT_EQ(b->mHost, "quartz");
    EXPECT_EQ(b->mSalinitySource, "ice");
    EXPECT_EQ(b->mList.Count(), a->mList.Count());
    const CAqueousCrossing* ca = a->mCrossings.First();
    const CAqueousCrossing* cb = b->mCrossings.First();
    ASSERT_NE(cb, nullptr);
    EXPECT_EQ(cb->mOilIsochorName, ca->mOilIsochorName);
    EXPECT_NEAR(cb->mT, ca->mT, 1e-7 * ca->mT);
    EXPECT_NEAR(cb->mSdP, ca->mSdP, 1e-7 * ca->mSdP);
    EXPECT_NE(cb->mEllipseCurve, nullptr);
    EXPECT_EQ(reopened.mAqueousIsochorsList.mList.Last()->mLegacy, 1);
    // Read and written again, the aqueous section is the same.
    const std::string again = reopened.SaveToText();
    EXPECT_EQ(again.substr(again.find(kAqueousSectionWord)), text.substr(text.find(kAqueousSectionWord)));
}

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::size_t LineStarting(const std::vector<std::string>& lines, const std::string& start,
                         std::size_t from = 0) {
    for (std::size_t i = from; i < lines.size(); ++i)
        if (lines[i].rfind(start, 0) == 0) return i;
    ADD_FAILURE() << "no line starts with " << start;
    return 0;
}

// The line with its field (0-based, TAB-ended) replaced, and the column (from 1) where it starts.
std::string ReplaceField(std::string& line, int field, const std::string& value) {
    std::size_t start = 0;
    for (int i = 0; i < field; ++i)
        start = line.find('\t', start) + 1;
    const std::size_t end = line.find('\t', start);
    line.replace(start, end - start, value);
    return std::to_string(start + 1);
}

} // namespace

TEST_F(AqueousDocumentTest, StoredValuesTheCalculationWouldRefuseAreDamageAtTheirField) {
    ASSERT_NE(Crossing(kQuartzBrine, {1.0, 0.2, 1.0, 0.5}), nullptr);
    const std::vector<std::string> lines = Lines(document.SaveToText());
    const std::size_t header = LineStarting(lines, kAqueousSectionWord) + 3;
    const std::size_t crossing = LineStarting(lines, CDataHandleStream::EncodeWord(oil->mName), header);
    const std::size_t keys = LineStarting(lines, "EnvelopeKeyPoints") + 2;
    struct Case {
        std::size_t line;
        int field;
        const char* value;
        const char* what;
    };
    const Case cases[] = {{header, 0, "1e308", "Th"},
                          {header, 0, "400", "Th above water's critical point"},
                          {header, 1, "brine", "salinity source"},
                          {header, 2, "-30", "Tm,ice below the eutectic"},
                          {header, 3, "1e308", "salinity"},
                          {header, 4, "granite", "host"},
                          {header, 5, "2", "legacy flag"},
                          {header, 6, "-1e308", "homogenisation pressure"},
                          {crossing, 0, "Nowhere", "an oil isochore the file does not hold"},
                          {crossing + 1, 0, "-1e308", "crossing T"},
                          {crossing + 1, 1, "1e308", "crossing P"},
                          {crossing + 1, 4, "120", "angle"},
                          {crossing + 1, 11, "1e300", "band sd of T"},
                          {crossing + 1, 12, "1e300", "band sd of P"},
                          {crossing + 1, 13, "1.5", "band correlation"},
                          {keys, 2, "1e308", "critical temperature"},
                          {keys, 6, "-1e308", "cricondenbar pressure"}};
    for (const Case& c : cases) {
        std::vector<std::string> damaged = lines;
        const std::string column = ReplaceField(damaged[c.line], c.field, c.value);
        std::string text;
        for (const std::string& line : damaged)
            text += line + "\n";
        FakeApplicationServices quiet;
        CPhaseDiagDocument reopened(quiet);
        ASSERT_TRUE(reopened.OnOpenText(text, "stored.ptd")) << c.what;
        EXPECT_TRUE(reopened.WasOpenedDamaged()) << c.what;
        EXPECT_EQ(std::to_string(reopened.GetReadStop().line) + ":" +
                      std::to_string(reopened.GetReadStop().column),
                  std::to_string(c.line + 1) + ":" + column)
            << c.what;
        EXPECT_EQ(reopened.mPhaseDiagramsList.Count(), 1) << "what came before is kept: " << c.what;
    }
}

TEST_F(AqueousDocumentTest, FilesWithoutAqueousObjectsAreWrittenAsBefore) {
    const std::string before = document.SaveToText();
    EXPECT_EQ(before.find(kAqueousSectionWord), std::string::npos);
    CAqueousCrossing* crossing = Crossing(kQuartzBrine);
    ASSERT_NE(crossing, nullptr);
    document.RemoveAqueousIsochor(document.mAqueousIsochorsList.mList.First());
    EXPECT_EQ(document.SaveToText(), before);
}

TEST_F(AqueousDocumentTest, AReaderThatPredatesTheSectionStopsAtItWithAReadError) {
    ASSERT_NE(Crossing(kQuartzBrine), nullptr);
    document.DisplayNewVTPlot();
    CDataHandleStream stream = CDataHandleStream::FromText(document.SaveToText());
    // What the reader did before the section: plot format, diagrams, then the count of plots.
    CPlotFormat format;
    format.Read(stream);
    CPhaseDiagramsList diagrams;
    diagrams.Read(stream);
    EXPECT_FALSE(stream.HasError());
    EXPECT_EQ(diagrams.Count(), 1);
    long plots = 0;
    stream >> plots;
    EXPECT_TRUE(stream.HasError()); // the file opens as damaged, with its diagrams, and says so
}

TEST_F(AqueousDocumentTest, RemovingTheOilIsochoreTakesItsCrossingsAlong) {
    CAqueousCrossing* crossing = Crossing(kQuartzBrine, {1.0, 0, 0, 0});
    ASSERT_NE(crossing, nullptr);
    const CGraphObject* marker = crossing->mGraphPoint;
    CAqueousIsochor* aqueous = crossing->mAqueousIsochor;
    document.DeleteIsochor(oil);
    EXPECT_TRUE(aqueous->mCrossings.IsEmpty());
    EXPECT_FALSE(document.GetPlotView().Holds(marker));
    EXPECT_TRUE(Drawn(aqueous->mGraphCurve)); // the aqueous isochore stays
}

TEST_F(AqueousDocumentTest, RefusedMeasurementsAndMissingCrossingsAreSaidAndChangeNothing) {
    EXPECT_EQ(
        document.CalculateAqueousIsochor({140, SalinitySource::IceMelting, -25, HostMineral::None, false}),
        nullptr);
    EXPECT_NE(services.LastMessage().find("-21.2"), std::string::npos);
    EXPECT_EQ(document.mAqueousIsochorsList.Count(), 0);
    // A brine that homogenised far above the oil's isochore does not meet it below 5000 bar.
    CAqueousIsochor* hot =
        document.CalculateAqueousIsochor({60, SalinitySource::Typed, 0, HostMineral::None, false});
    ASSERT_NE(hot, nullptr);
    services.Clear();
    EXPECT_EQ(document.CalculateCrossing(hot, oil, {}, 20), nullptr);
    EXPECT_EQ(services.LastMessage(), "The isochores do not cross below 5000 bar.");
    EXPECT_TRUE(hot->mCrossings.IsEmpty());
}
