// SPDX-License-Identifier: BSD-3-Clause
// The alpha-beta plot document: curve calculations and how they end, markers, correlations,
// background curves and fluid models.

#include <gtest/gtest.h>

#include "document_test_util.hpp"
#include "documents/alpha_beta_plot_document.hpp"
#include "documents/data_documents.hpp"
#include "drawn_objects.hpp"
#include "plot/palette.hpp"

#include <unistd.h>

using namespace zephon::testing;

namespace {

constexpr const char* k1201 = "For some reason, Zephon was not able to treat these oil inclusion data.";
constexpr const char* k1202 = "The curve stops at a critical point.";
constexpr const char* k1203 =
    "Liquid-liquid-gas equilibria may occur at the temperature of measurement of the bubble size.";
constexpr const char* k1205 = "The bubble is too small for an inclusion which homogenizes to vapour.";
constexpr const char* kNoStart =
    "No alpha-beta oil can be started for these measurements: the initial estimates "
    "hold none for this homogenisation temperature and bubble size.";

CInclusionRecord Inclusion(const std::string& name, double th, double fv, int homog = 1, double co2 = 0) {
    CInclusionRecord inclusion;
    inclusion.mInclusionName = name;
    inclusion.mTh = th;
    inclusion.mTv = 20;
    inclusion.mFv = fv;
    inclusion.mHomog = homog;
    inclusion.mCO2 = co2;
    return inclusion;
}

struct AlphaBetaTest : ::testing::Test {
    FakeApplicationServices services;
    CAlphaBetaPlotDocument document{services};

    CAlphaBetaCurve* Curve(const CInclusionRecord& inclusion, int* code = nullptr, int maxPoints = 200) {
        return document.CalculateAlphaBetaCurve(inclusion, inclusion.mInclusionName, maxPoints, code);
    }
};

} // namespace

TEST_F(AlphaBetaTest, CalculationsThatEndWithoutACurveSayWhy) {
    struct Case {
        CInclusionRecord inclusion;
        int firstCode;
        const char* message;
    };
    const Case cases[] = {
        {Inclusion("too small", 40, 90), 8, kNoStart},
        {Inclusion("untreatable", 100, 0.5, 1, 20), 1, k1201},
        {Inclusion("critical at once", 100, 0.5), 5, k1202},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inclusion.mInclusionName);
        services.Clear();
        int code = -1;
        EXPECT_EQ(Curve(c.inclusion, &code), nullptr);
        EXPECT_EQ(code, c.firstCode);
        ASSERT_EQ(services.messages.size(), 1u);
        EXPECT_EQ(services.messages[0].text, c.message);
        EXPECT_EQ(services.messages[0].caption, "");
        EXPECT_EQ(services.messages[0].icon, CMessageIcon::Warning);
        EXPECT_TRUE(services.prompts.empty()) << "no name is asked for a curve that is not stored";
        EXPECT_FALSE(document.IsCalculationPrepared());
    }
    EXPECT_EQ(document.mAlphaBetaCurvesList.Count(), 0);
    EXPECT_FALSE(document.IsModified());
    // The desktop and the command-line tool say it in the same words.
    EXPECT_EQ(CAlphaBetaPlotDocument::CurveEndMessage(8, false, 0), k1205);
    EXPECT_EQ(CAlphaBetaPlotDocument::CurveEndMessage(8, true, 0), "");
    EXPECT_EQ(CAlphaBetaPlotDocument::CurveEndMessage(3, false, 1), k1201) << "no curve always says so";
    EXPECT_EQ(services.waitDepth, 0);
}

TEST_F(AlphaBetaTest, CurvesThatStopEarlyAreKeptAndTheReasonShown) {
    CAlphaBetaCurve* critical = Curve(Inclusion("Inc 1", 100, 10));
    ASSERT_NE(critical, nullptr);
    EXPECT_GE(critical->mCurve.Count(), 2);
    // The normal end of such a curve goes to the log and the status line, not into a box.
    EXPECT_TRUE(services.MessageTexts().empty());
    EXPECT_EQ(services.status, std::string("Alpha-beta curve \"Inc 1\": ") + k1202);
    EXPECT_NE(services.log.find(services.status + "\r\n"), std::string::npos);

    services.Clear();
    CAlphaBetaCurve* llg = Curve(Inclusion("Inc 2", 200, 5));
    ASSERT_NE(llg, nullptr);
    EXPECT_EQ(services.MessageTexts(), std::vector<std::string>{k1203});
    EXPECT_EQ(services.Count("AlphaBetaPlotModified"), 1);
    EXPECT_TRUE(document.IsModified());

    // Progress: one text per point, counting them.
    EXPECT_EQ(services.progressTexts.size(), static_cast<std::size_t>(llg->mCurve.Count()));
    EXPECT_EQ(services.progressTexts[0].rfind("Points : 1     Alpha : ", 0), 0u);
    EXPECT_NE(services.progressTexts[0].find("     Beta : 0.000"), std::string::npos)
        << services.progressTexts[0];
    EXPECT_EQ(services.progressAdvances, static_cast<int>(llg->mCurve.Count()));

    // Drawn with its name, through its points.
    ASSERT_NE(llg->mGraphCurve, nullptr);
    EXPECT_EQ(llg->mGraphCurve->mName, "Inc 2");
    EXPECT_EQ(llg->mGraphCurve->GetPointCount(), llg->mCurve.Count());
    EXPECT_EQ(llg->mGraphCurve->mReferenceObject, static_cast<void*>(static_cast<CRecord*>(llg)));
    EXPECT_TRUE(llg->mGraphCurve->mSelectable);
}

TEST_F(AlphaBetaTest, CurveNamesAreUniqueWithinAPlot) {
    ASSERT_NE(Curve(Inclusion("Inc 2", 200, 5)), nullptr);
    // The same inclusion measured again: its new curve is offered a name of its own.
    services.Clear();
    CAlphaBetaCurve* second = Curve(Inclusion("Inc 2", 205, 5));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(services.prompts, std::vector<std::string>{"Inc 2 (2)"});
    EXPECT_EQ(second->mInclusion.mInclusionName, "Inc 2 (2)");
    // A name typed that another curve has is refused, naming that curve, and asked again.
    services.Clear();
    services.textAnswers = {std::string("Inc 2"), std::string("Third")};
    CAlphaBetaCurve* third = Curve(Inclusion("Inc 2", 210, 5));
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->mInclusion.mInclusionName, "Third");
    EXPECT_EQ(services.prompts, (std::vector<std::string>{"Inc 2 (3)", "Inc 2 (3)"}));
    ASSERT_EQ(services.MessageTexts().size(), 2u); // the room-temperature warning, then the name's
    EXPECT_EQ(services.MessageTexts()[1].rfind("The curve \"Inc 2\" of this plot (Th = 200.0", 0), 0u);
    EXPECT_EQ(document.UniqueCurveName(std::string(CDataHandleStream::kMaxNameLength, 'x')).size(),
              CDataHandleStream::kMaxNameLength);
}

TEST_F(AlphaBetaTest, APlotShowsItsDataUntilSomeoneChoosesItsRanges) {
    const auto addCurve = [&](CAlphaBetaPlotDocument& plot, double endBeta) {
        auto* curve = new CAlphaBetaCurve();
        curve->Initialize();
        curve->Add(new CAlphaBetaRecord(0.76, 0.0));
        curve->Add(new CAlphaBetaRecord(0.98, endBeta));
        plot.mAlphaBetaCurvesList.Add(curve);
        plot.PlotAlphaBetaCurve(curve);
    };
    CAlphaBetaPlotView& view = document.GetPlotView();
    addCurve(document, 0.42);
    EXPECT_EQ(view.GetCurrentRanges(), (CPlotRanges{0.75, 1.0, 0.0, 0.5})) << "its data between round ticks";
    EXPECT_EQ(view.GetDefaultRanges(), (CPlotRanges{0, 1, 0, 1})) << "the default ranges stay";
    addCurve(document, 0.6);
    EXPECT_DOUBLE_EQ(view.GetCurrentRanges().maxY, 0.8);
    // Saved that way, the plot opens as it was; a file with the starting ranges opens on its data.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zephon-follow-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    WriteText(folder / "zoomed.abp", document.SaveToText());
    view.SetCurrentRanges(0, 1, 0, 1);
    WriteText(folder / "whole.abp", document.SaveToText());
    addCurve(document, 0.2);
    EXPECT_EQ(view.GetCurrentRanges(), (CPlotRanges{0, 1, 0, 1})) << "a range someone chose is kept";
    CAlphaBetaPlotDocument zoomed(services), whole(services);
    ASSERT_TRUE(zoomed.OnOpenDocument(folder / "zoomed.abp"));
    ASSERT_TRUE(whole.OnOpenDocument(folder / "whole.abp"));
    EXPECT_DOUBLE_EQ(zoomed.GetPlotView().GetCurrentRanges().maxY, 0.8);
    EXPECT_FALSE(zoomed.GetPlotView().FollowsData());
    EXPECT_DOUBLE_EQ(whole.GetPlotView().GetCurrentRanges().minX, 0.75);
    EXPECT_DOUBLE_EQ(whole.GetPlotView().GetCurrentRanges().maxY, 0.8);
    EXPECT_FALSE(whole.IsModified());
    std::filesystem::remove_all(folder);

    // New curves take the palette's colours in turn; stored ones keep theirs.
    EXPECT_EQ(document.NextCurveColor(), zephon::plot::CurvePalette()[0]) << "the stored curves are red";
}

TEST_F(AlphaBetaTest, NamesLimitsAndOneCalculationAtATime) {
    services.textAnswers = {std::string(""), std::nullopt};
    EXPECT_EQ(Curve(Inclusion("a", 100, 10))->mInclusion.mInclusionName, "Untitled");
    EXPECT_EQ(Curve(Inclusion("b", 120, 12))->mInclusion.mInclusionName, "Untitled (2)")
        << "a cancelled prompt too, and names stay unique";
    EXPECT_EQ(services.prompts, (std::vector<std::string>{"a", "b"}));

    CAlphaBetaCurve* shortCurve = Curve(Inclusion("short", 90, 8), nullptr, 5);
    ASSERT_NE(shortCurve, nullptr);
    EXPECT_EQ(shortCurve->mCurve.Count(), 5);

    // A person who stops the loop keeps the points computed so far, and is told the curve is
    // partial when naming it and in the log.
    services.stopProgressAfter = 3;
    CAlphaBetaCurve* stopped = Curve(Inclusion("stopped", 110, 9));
    ASSERT_NE(stopped, nullptr);
    EXPECT_EQ(stopped->mCurve.Count(), 3);
    EXPECT_FALSE(document.IsCalculationPrepared());
    EXPECT_EQ(services.prompts.back(), "stopped (partial)");
    EXPECT_EQ(services.promptLabels.back(), CAlphaBetaPlotDocument::PartialCurveLabel(3));
    const std::string partial = CAlphaBetaPlotDocument::PartialCurveLog("stopped (partial)", 3);
    EXPECT_EQ(services.log.substr(services.log.size() - std::min(services.log.size(), partial.size())),
              partial);
    // The dialog counts the points: its bar cannot know where a curve ends.
    EXPECT_EQ(services.progressTexts.back().rfind("Points : 3     Alpha : ", 0), 0u);

    // Preparing twice keeps the first calculation's settings.
    document.PrepareCalculation(95 + 273.15, 20 + 273.15, 0.1, 0, 0, 0, 1, "first");
    document.PrepareCalculation(130 + 273.15, 25 + 273.15, 0.2, 0.05, 0, 0, 0, "second");
    double alpha = 0, beta = 0;
    int points = 0;
    for (int r = document.CalculateAlphaBetaPoint(alpha, beta); r != -1 && points < 10;
         r = document.CalculateAlphaBetaPoint(alpha, beta))
        points += r == 0;
    CAlphaBetaCurve* first = document.OnCalculationEnd();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->mInclusion.mInclusionName, "first");
    EXPECT_NEAR(first->mInclusion.mTh, 95, 1e-9);
    EXPECT_NEAR(first->mInclusion.mFv, 10, 1e-9);
    EXPECT_EQ(first->mInclusion.mHomog, 1);

    CAlphaBetaCurve* found = nullptr;
    const CInclusionRecord& b = document.mAlphaBetaCurvesList.mList.At(1)->mInclusion;
    EXPECT_TRUE(
        document.IsCurveAlreadyCalculated(b.mTh, b.mTv, b.mFv, b.mHomog, b.mCO2, b.mN2, b.mH2S, &found));
    EXPECT_EQ(found, document.mAlphaBetaCurvesList.mList.At(1));
    EXPECT_FALSE(document.IsCurveAlreadyCalculated(b.mTh, b.mTv, b.mFv, 0, b.mCO2, b.mN2, b.mH2S, &found));
    EXPECT_EQ(found, nullptr);
}

TEST_F(AlphaBetaTest, MarkersAreNamedDrawnAndRemoved) {
    CAlphaBetaCurve curve;
    curve.mInclusion.mInclusionName = "Inc 9";
    EXPECT_EQ(CAlphaBetaPlotDocument::SetFluidName(0.61234, 0.2, 0, 0, 0, &curve), "Inc 9: 0.612");
    EXPECT_EQ(CAlphaBetaPlotDocument::SetFluidName(0.61234, 0.2, 0, 0, 0, nullptr), "AB 0.612 0.200");
    EXPECT_EQ(CAlphaBetaPlotDocument::SetFluidName(0.5, 0.25, 2, 0, 0.5, nullptr),
              "AB 0.500 0.250 2.0 0.0 0.5");

    CAlphaBetaPoint* marker = document.AddAlphaBetaPoint(0.5, 0.25, 2, 0, 0.5);
    ASSERT_NE(marker->mGraphPoint, nullptr);
    EXPECT_EQ(marker->mGraphPoint->mName, "AB 0.500 0.250 2.0 0.0 0.5");
    EXPECT_EQ(marker->mGraphPoint->mPoint.mX, 0.5);
    EXPECT_EQ(marker->mGraphPoint->mForeColor, zephon::plot::kRed);
    EXPECT_EQ(services.Count("AlphaBetaPlotModified"), 1);
    EXPECT_EQ(services.Count("AlphaBetaPlotSelection"), 1);
    document.RemoveAlphaBetaPoint(marker);
    EXPECT_EQ(document.mAlphaBetaPointsList.Count(), 0);
    EXPECT_EQ(document.GetPlotView().GetGraphObjects().size(), 1u);
}

TEST_F(AlphaBetaTest, CorrelationsArePlottedFromTheirFiles) {
    TempFolder folder;
    CAlphaBetaDataDocument file(services);
    file.mCorrelation.mName = "Basin";
    for (int i = 0; i < 3; ++i) {
        auto* fluid = new CAlphaBetaRecordEx();
        fluid->mName = "F" + std::to_string(i);
        fluid->mAlpha = 0.5 + 0.1 * i;
        fluid->mBeta = 0.1 * i;
        file.mCorrelation.Add(fluid);
    }
    ASSERT_TRUE(file.OnSaveDocument(folder / "basin.abe"));

    EXPECT_EQ(document.SelectAndPlotAlphaBetaCorrelation(), nullptr) << "a cancelled choice does nothing";
    ASSERT_EQ(services.fileChoices.size(), 1u);
    EXPECT_EQ(services.fileChoices[0].defaultExtension, ".abe");
    EXPECT_EQ(services.fileChoices[0].filter, "Alpha-Beta correlations (*.abe)|*.abe||");

    services.fileAnswers = {folder / "basin.abe", folder / "missing.abe"};
    CAlphaBetaCorrelation* correlation = document.SelectAndPlotAlphaBetaCorrelation();
    ASSERT_NE(correlation, nullptr);
    EXPECT_EQ(correlation->mName, "Basin");
    auto* drawn = dynamic_cast<CGraphStringPointCurve*>(static_cast<CGraphObject*>(correlation->mGraphCurve));
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(drawn->GetPointCount(), 3);
    drawn->SetToFirstPoint();
    EXPECT_EQ(drawn->GetStringPoint()->mString, "F0");
    EXPECT_EQ(drawn->mForeColor, zephon::plot::MakeColor(0, 0, 255));

    EXPECT_EQ(document.SelectAndPlotAlphaBetaCorrelation(), nullptr);
    EXPECT_NE(services.LastMessage().find("cannot open"), std::string::npos);
    EXPECT_EQ(document.mAlphaBetaCorrelationsList.Count(), 1);
    document.RemoveAlphaBetaCorrelation(correlation);
    EXPECT_EQ(document.mAlphaBetaCorrelationsList.Count(), 0);
}

TEST_F(AlphaBetaTest, BackgroundCurvesComeFromTheResourcesFolderBesideTheProgram) {
    TempFolder folder;
    const auto workingFolder = std::filesystem::current_path();
    services.applicationFolder = folder.Path();

    document.ShowIsoGORCurves();
    EXPECT_EQ(services.LastMessage(), "Cannot find the file of iso-GOR curves !");
    document.ShowIsoAPICurves();
    EXPECT_EQ(services.LastMessage(), "Cannot find the file of iso-API curves !");
    EXPECT_TRUE(document.GetIsoGORCurves().empty());

    std::filesystem::create_directory(folder / "Resources");
    WriteText(folder / "Resources" / "GORS.doc", "100\t0.55\t0.40\n200 0.6 0.5\n");
    WriteText(folder / "Resources" / "GOR.100.doc", "0.5 0.0\n0.55 0.3\n0.6 0.9\n"); // GOR.200 is missing
    WriteText(folder / "Resources" / "APIs.doc", "30.5 0.3 0.2\n");
    WriteText(folder / "Resources" / "API.30.5.doc", "0.4 0\n0.45 1\n");
    services.Clear();
    document.ShowIsoGORCurves();
    document.ShowIsoAPICurves();
    EXPECT_TRUE(services.messages.empty()) << services.LastMessage();
    ASSERT_EQ(document.GetIsoGORCurves().size(), 1u);
    const CGraphCurve* gor = document.GetIsoGORCurves()[0];
    EXPECT_EQ(gor->mLabel, "100 m\xC2\xB3/m\xC2\xB3") << "gas-oil ratios with their unit";
    EXPECT_EQ(gor->mLabelAnchor.mX, 0.55);
    EXPECT_EQ(gor->GetPointCount(), 3);
    EXPECT_EQ(gor->mForeColor, zephon::plot::MakeColor(170, 170, 170));
    EXPECT_EQ(gor->mSize, 1);
    EXPECT_FALSE(gor->mHidden);
    ASSERT_EQ(document.GetIsoAPICurves().size(), 1u);
    EXPECT_EQ(document.GetIsoAPICurves()[0]->mLabel, "30.5\xC2\xB0");

    document.HideIsoGORCurves();
    EXPECT_TRUE(gor->mHidden);
    document.ShowIsoGORCurves();
    EXPECT_EQ(document.GetIsoGORCurves().size(), 1u) << "shown again, not built twice";
    EXPECT_FALSE(gor->mHidden);
    document.DeleteIsoGORCurves();
    document.DeleteIsoAPICurves();
    EXPECT_EQ(document.GetPlotView().GetGraphObjects().size(), 1u);
    EXPECT_FALSE(document.IsModified()) << "background curves are not content";
    EXPECT_EQ(std::filesystem::current_path(), workingFolder);
}

TEST_F(AlphaBetaTest, GeneratedFluidModelsOpenAsModifiedDocuments) {
    CFluidModelDataDocument* fluid = document.GenerateFluidModel(0.5, 0.25, 0.02, 0, 0);
    ASSERT_NE(fluid, nullptr);
    EXPECT_EQ(fluid->mModelFluid.mName, "FM_500_250_2_0_0 ");
    EXPECT_EQ(fluid->GetTitle(), "FM_500_250_2_0_0") << "a title without the trailing blank";
    EXPECT_TRUE(fluid->IsModified());
    ASSERT_NE(fluid->mModelFluid.Find("CO2"), nullptr);
    EXPECT_NEAR(fluid->mModelFluid.Find("CO2")->mMolePercent, 2, 1e-9);
    EXPECT_EQ(services.fluidDocuments.size(), 1u);
}
