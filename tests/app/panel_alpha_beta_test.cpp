// SPDX-License-Identifier: BSD-3-Clause
// The alpha-beta panel's pages: their lists and placeholders in each state, what typing and
// choosing does, curves computed, stopped and removed, fluids, markers, their log, correlations.

#include <gtest/gtest.h>

#include "panel_test_support.hpp"

using namespace zephon::testing;

namespace {

using Entries = std::vector<std::string>;

class AlphaBetaPanelTest : public PanelTest {
  protected:
    AlphaBetaPanelTest() { panel.ShowPage(0); }
    CAlphaBetaPanelModel panel{core};
    CAlphaBetaCurvesPage& curves = panel.mCurves;
    CAlphaBetaFluidsPage& fluids = panel.mFluids;
    CCorrelationsPage& correlations = panel.mCorrelations;

    std::vector<std::string> CurveFields() {
        std::vector<std::string> texts;
        for (int i = 0; i < CAlphaBetaCurvesPage::kFieldCount; ++i)
            texts.push_back(curves.Field(i).text);
        return texts;
    }
};

} // namespace

TEST_F(AlphaBetaPanelTest, ListsFollowTheCurrentPlotAndTheOpenInclusionFiles) {
    // No plot: placeholders, nothing to press.
    EXPECT_EQ(curves.Inclusions().entries, Entries{"No alpha-beta plot"});
    EXPECT_FALSE(curves.Inclusions().enabled);
    EXPECT_FALSE(curves.CalculateButton().enabled);
    EXPECT_EQ(fluids.Fluids().entries, Entries{"No alpha-beta plot"});
    EXPECT_EQ(fluids.Curves().entries, Entries{"None"});
    EXPECT_EQ(correlations.Correlations().entries, Entries{"No alpha-beta plot"});

    auto* plot = New<CAlphaBetaPlotDocument>(CDocumentKind::AlphaBetaPlot);
    EXPECT_EQ(curves.Inclusions().entries, Entries{"New Inclusion"});
    EXPECT_EQ(CurveFields(), (Entries{"100.0", "0.0", "20.0", "0.0", "0.0", "0.0"}));
    EXPECT_TRUE(curves.Liquid().checked);
    EXPECT_EQ(fluids.Fluids().entries, Entries{"New Alpha-Beta Fluid"});
    EXPECT_EQ(correlations.Correlations().entries, Entries{"No correlation"});
    EXPECT_FALSE(correlations.RemoveButton().enabled);

    Open<CInclusionDataDocument>("inclusions.inc");
    EXPECT_EQ(curves.Inclusions().entries,
              (Entries{"New Inclusion", "FI-1", "FI-2", "FI-3", "FI-4", "FI-5 heavy"}));

    // An inclusion shows its own values, read-only.
    curves.SelectEntry(2);
    EXPECT_EQ(CurveFields(), (Entries{"89.30", "11.67", "20.00", "1.00", "0.00", "0.00"}));
    EXPECT_TRUE(curves.Field(CAlphaBetaCurvesPage::kTh).readOnly);
    EXPECT_FALSE(curves.Liquid().enabled);
    EXPECT_TRUE(curves.CalculateButton().enabled);
    EXPECT_FALSE(curves.RemoveButton().enabled);

    // The plot's window closes: every page lets go of it.
    core.CloseDocument(*plot);
    EXPECT_EQ(curves.Document(), nullptr);
    EXPECT_EQ(fluids.Document(), nullptr);
    EXPECT_EQ(correlations.Document(), nullptr);
    EXPECT_EQ(curves.Inclusions().entries, Entries{"No alpha-beta plot"});
}

TEST_F(AlphaBetaPanelTest, CurvesAreComputedStoppedFoundAgainAndRemoved) {
    auto* plot = New<CAlphaBetaPlotDocument>(CDocumentKind::AlphaBetaPlot);
    Open<CInclusionDataDocument>("inclusions.inc");

    curves.SelectEntry(1); // FI-1
    CAlphaBetaCurve* first = curves.CalculateCurve();
    ASSERT_NE(first, nullptr) << services.LastMessage();
    EXPECT_EQ(services.prompts, Entries{"FI-1"}) << "the entry's text is the name proposed";
    EXPECT_EQ(services.progressLoops, 1);
    // The inclusion left the list for its curve, which is selected.
    EXPECT_EQ(curves.Inclusions().entries,
              (Entries{"New Inclusion", "FI-2", "FI-3", "FI-4", "FI-5 heavy", "> FI-1"}));
    EXPECT_EQ(curves.Inclusions().SelectedText(), "> FI-1");
    EXPECT_TRUE(curves.RemoveButton().enabled);
    EXPECT_FALSE(curves.CalculateButton().enabled);
    EXPECT_EQ(fluids.Curves().entries, (Entries{"None", "FI-1"})) << "the other pages followed";

    // Values typed under "New Inclusion" that are those of a curve select the curve.
    curves.SelectEntry(0);
    const Entries values{"74.6", "9.04", "20", "1", "0", "0"};
    for (int i = 0; i < CAlphaBetaCurvesPage::kFieldCount; ++i)
        curves.EditField(i, values[i]);
    EXPECT_EQ(curves.Inclusions().SelectedText(), "> FI-1");
    curves.EditField(CAlphaBetaCurvesPage::kTh, "74.7");
    EXPECT_EQ(curves.Inclusions().SelectedText(), "New Inclusion");

    // The person stops the calculation: the points so far are a curve like any other.
    services.stopProgressAfter = 3;
    services.textAnswers = {std::string("stopped")};
    curves.SelectEntry(1); // FI-2
    CAlphaBetaCurve* stopped = curves.CalculateCurve();
    ASSERT_NE(stopped, nullptr);
    EXPECT_EQ(stopped->mCurve.Count(), 3);
    EXPECT_EQ(curves.Inclusions().SelectedText(), "> stopped");
    ASSERT_TRUE(plot->OnSaveDocument(folder.Path() / "stopped.abp"));
    CAlphaBetaPlotDocument reopened(services);
    ASSERT_TRUE(reopened.OnOpenDocument(folder.Path() / "stopped.abp"));
    EXPECT_EQ(reopened.mAlphaBetaCurvesList.mList.Last()->mCurve.Count(), 3);
    EXPECT_EQ(reopened.mAlphaBetaCurvesList.mList.Last()->mInclusion.mInclusionName, "stopped");

    // Removing the selected curve; the list and the other pages follow.
    curves.RemoveCurve();
    EXPECT_EQ(plot->mAlphaBetaCurvesList.Count(), 1);
    EXPECT_EQ(fluids.Curves().entries, (Entries{"None", "FI-1"}));
    EXPECT_EQ(curves.Inclusions().entries.back(), "> FI-1");
}

TEST_F(AlphaBetaPanelTest, FluidsFollowTheirCurveAndLogWhatWasComputed) {
    panel.ShowPage(1);
    auto* plot = New<CAlphaBetaPlotDocument>(CDocumentKind::AlphaBetaPlot);
    CInclusionRecord inclusion;
    inclusion.mInclusionName = "Inc";
    inclusion.mTh = 100;
    inclusion.mTv = 20;
    inclusion.mFv = 10;
    inclusion.mCO2 = 1;
    CAlphaBetaCurve* curve = plot->CalculateAlphaBetaCurve(inclusion, "Inc");
    ASSERT_NE(curve, nullptr);

    // The spin controls stop short of 1.
    fluids.EditField(CAlphaBetaFluidsPage::kAlpha, "0.985");
    fluids.Step(CAlphaBetaFluidsPage::kAlpha, +1);
    EXPECT_EQ(fluids.Field(CAlphaBetaFluidsPage::kAlpha).text, "0.9950");
    fluids.Step(CAlphaBetaFluidsPage::kAlpha, +1);
    EXPECT_EQ(fluids.Field(CAlphaBetaFluidsPage::kAlpha).text, "0.9950");

    // Tied to the curve, the fluid takes the inclusion's gases and beta follows alpha.
    fluids.SetOnCurve(true);
    EXPECT_EQ(fluids.TiedCurve(), curve);
    EXPECT_EQ(fluids.Field(CAlphaBetaFluidsPage::kCO2).text, "1.00");
    const double alpha = std::stod(FieldText(curve->mCurve.First()->mAlpha + 0.002, 4));
    fluids.EditField(CAlphaBetaFluidsPage::kAlpha, FieldText(alpha, 4));
    EXPECT_EQ(fluids.Field(CAlphaBetaFluidsPage::kBeta).text, FieldText(curve->GetBetaFromAlpha(alpha), 4));
    EXPECT_FALSE(fluids.Result(CAlphaBetaFluidsPage::kGOR).text.empty());

    CAlphaBetaPoint* marker = fluids.SetMarker();
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->mAlphaBetaRecordEx.mName, "Inc: " + FieldText(alpha, 3));
    EXPECT_EQ(fluids.Fluids().SelectedText(), marker->mAlphaBetaRecordEx.mName);
    EXPECT_TRUE(fluids.RemoveMarkerButton().enabled);

    const std::string gor = fluids.Result(CAlphaBetaFluidsPage::kGOR).text;
    const std::string log = fluids.LogText();
    EXPECT_EQ(log.substr(0, log.find("        GOR")),
              "Alpha-beta fluid : " + marker->mAlphaBetaRecordEx.mName + "\r\n\talpha = " +
                  FieldText(alpha, 4) + ", beta = " + fluids.Field(CAlphaBetaFluidsPage::kBeta).text +
                  "\r\n\tCO2 = 1.00%, N2 = 0.00%, H2S = 0.00%\r\n");
    EXPECT_NE(log.find("        GOR (Stdm3/Stdm3)                             : " + gor + "\r\n"),
              std::string::npos);
    EXPECT_NE(log.find("        Bulk molar weight (g/mol)                     :  "), std::string::npos);
    // The tank liquid's density, API = 141.5 / density - 131.5.
    const std::string density = log.substr(log.find("(g/cm3)   : ") + 12, 6);
    const double api = std::stod(fluids.Result(CAlphaBetaFluidsPage::kAPI).text);
    EXPECT_NEAR(141.5 / std::stod(density) - 131.5, api, 0.1) << log;

    // A fluid whose GOR cannot be computed (a gas without liquid at standard conditions) shows
    // nothing and logs that, never the values of the fluid before it.
    fluids.SetOnCurve(false);
    fluids.EditField(CAlphaBetaFluidsPage::kAlpha, "0.05");
    EXPECT_EQ(fluids.Result(CAlphaBetaFluidsPage::kGOR).text, "");
    EXPECT_EQ(fluids.Result(CAlphaBetaFluidsPage::kAPI).text, "");
    const std::string failed = fluids.LogText();
    EXPECT_EQ(failed.find(gor), std::string::npos);
    EXPECT_NE(failed.find("could not be computed.\r\n"), std::string::npos) << failed;

    fluids.SelectFluid(1);
    fluids.RemoveMarker();
    EXPECT_EQ(fluids.Fluids().entries, Entries{"New Alpha-Beta Fluid"});
    EXPECT_EQ(plot->mAlphaBetaPointsList.Count(), 0);

    // A generated fluid model is a document of the application.
    fluids.EditField(CAlphaBetaFluidsPage::kCO2, "1");
    EXPECT_NE(fluids.GenerateFluidModel(), nullptr);
    EXPECT_EQ(core.Documents(CDocumentKind::FluidModel).size(), 1u);
}

TEST_F(AlphaBetaPanelTest, CorrelationsAndBackgroundCurves) {
    panel.ShowPage(2);
    auto* plot = New<CAlphaBetaPlotDocument>(CDocumentKind::AlphaBetaPlot);
    services.fileAnswers = {Example("correlation.abe")};
    CAlphaBetaCorrelation* correlation = correlations.DisplayNewCorrelation();
    ASSERT_NE(correlation, nullptr);
    EXPECT_EQ(correlations.Correlations().entries, Entries{"Basin oils"});
    EXPECT_TRUE(correlations.RemoveButton().enabled);
    correlations.ShowIsoGOR(true);
    EXPECT_TRUE(correlations.IsoGOR().checked);
    EXPECT_FALSE(plot->GetIsoGORCurves().empty());
    correlations.ShowIsoGOR(false);
    EXPECT_FALSE(correlations.IsoGOR().checked);
    correlations.RemoveCorrelation();
    EXPECT_EQ(correlations.Correlations().entries, Entries{"No correlation"});
    EXPECT_EQ(plot->mAlphaBetaCorrelationsList.Count(), 0);
}

TEST_F(AlphaBetaPanelTest, NumberFieldsAcceptFiniteDecimalsWithinTheirRanges) {
    New<CAlphaBetaPlotDocument>(CDocumentKind::AlphaBetaPlot);
    struct Row {
        Entries fields; // alpha, beta, CO2, N2, H2S
        const char* refusal;
    };
    const Row rows[] = {
        {{"0.5", "0", "0", "0", "0"}, nullptr},
        {{" 0.5\t", "\t0.00 ", "99.99", "0", "0"}, nullptr},
        {{"5e-1", "0", "0", "00", "0"}, nullptr},
        {{"0,5", "0", "0", "0", "0"}, "The alpha value is not valid."},
        {{"0.5", ".0", "0", "0", "0"}, "The beta value is not valid."},
        {{"0.5", "0", "99.99", "0.01", "0"}, "The CO2 + N2 + H2S value is not valid."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fields[0] + "|" + row.fields[1] + "|" + row.fields[2] + "|" + row.fields[3]);
        services.Clear();
        for (int i = 0; i < CAlphaBetaFluidsPage::kFieldCount; ++i)
            fluids.EditField(i, row.fields[i]);
        const std::string log = fluids.LogText();
        EXPECT_EQ(log.empty(), row.refusal != nullptr);
        EXPECT_EQ(services.LastMessage(), row.refusal ? row.refusal : "");
    }
    // The curve page's bubble volume and gases, refused before anything is computed.
    curves.EditField(CAlphaBetaCurvesPage::kBubble, "100");
    services.Clear();
    EXPECT_EQ(curves.CalculateCurve(), nullptr);
    EXPECT_EQ(services.MessageTexts(), Entries{"Bubble % volume is not a valid number."});
    EXPECT_EQ(curves.TakeFocusRequest(), CAlphaBetaCurvesPage::kBubble);
    curves.EditField(CAlphaBetaCurvesPage::kBubble, "10");
    curves.EditField(CAlphaBetaCurvesPage::kN2, "100");
    EXPECT_EQ(curves.CalculateCurve(), nullptr);
    EXPECT_EQ(services.LastMessage(), "N2 is not a valid number.");
    EXPECT_EQ(services.progressLoops, 0);
}
