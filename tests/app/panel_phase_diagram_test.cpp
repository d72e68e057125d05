// SPDX-License-Identifier: BSD-3-Clause
// The phase-diagram panel's pages through a study on the bundled examples: envelopes of a marker,
// of typed values and of a fluid model; an isochore pair, its log; a trapping pressure, its
// marker, line and log; removal; and the refusals of the pages.

#include <gtest/gtest.h>

#include "panel_test_support.hpp"

using namespace zephon::testing;

namespace {

using Entries = std::vector<std::string>;

class PhaseDiagPanelTest : public PanelTest {
  protected:
    PhaseDiagPanelTest() { panel.ShowPage(0); }
    CPhaseDiagPanelModel panel{core};
    CIsoplethsPage& isopleths = panel.mIsopleths;
    CIsochorsPage& isochors = panel.mIsochors;
    CTrappingPage& trapping = panel.mTrapping;
    CCleanPage& clean = panel.mClean;

    void TypeEnvelope(const Entries& values) {
        for (int i = 0; i < CIsoplethsPage::kFieldCount; ++i)
            isopleths.EditField(i, values[i]);
    }
};

} // namespace

TEST_F(PhaseDiagPanelTest, WithoutADiagramNothingCanBeComputed) {
    EXPECT_EQ(isopleths.AlphaBetaModels().entries, Entries{"New Phase Envelope"});
    EXPECT_FALSE(isopleths.AlphaBetaModels().enabled);
    EXPECT_EQ(isopleths.FluidModels().entries, Entries{"None"});
    EXPECT_FALSE(isopleths.CalculateButton().enabled);
    EXPECT_EQ(isochors.Inclusions().entries, Entries{"None"});
    EXPECT_FALSE(isochors.CalculateButton().enabled);
    EXPECT_EQ(trapping.Isochors().entries, Entries{"None"});
    for (int list = 0; list < CCleanPage::kListCount; ++list) {
        EXPECT_EQ(clean.List(list).entries, Entries{"None"});
        EXPECT_FALSE(clean.RemoveButton(list).enabled);
    }

    // A document without diagrams: envelopes yes, isochores still not.
    New<CPhaseDiagDocument>(CDocumentKind::PhaseDiagram);
    EXPECT_TRUE(isopleths.CalculateButton().enabled);
    EXPECT_EQ(isochors.Isopleths().entries, Entries{"None"});
    EXPECT_FALSE(isochors.CalculateButton().enabled);
    EXPECT_EQ(isochors.CalculateIsochor(), nullptr);
}

TEST_F(PhaseDiagPanelTest, AStudyFromEnvelopesToATrappingLine) {
    auto* plot = New<CAlphaBetaPlotDocument>(CDocumentKind::AlphaBetaPlot);
    plot->AddAlphaBetaPoint(0.78, 0.14, 1, 0, 0, "Well A");
    auto* fluid = Open<CFluidModelDataDocument>("fluid_model.flu");
    Open<CInclusionDataDocument>("inclusions.inc");
    auto* document = New<CPhaseDiagDocument>(CDocumentKind::PhaseDiagram);
    EXPECT_EQ(isopleths.AlphaBetaModels().entries, (Entries{"New Phase Envelope", "Well A"}));
    EXPECT_EQ(isopleths.FluidModels().entries, Entries{fluid->mModelFluid.mName});

    // The marker: its own values, read-only, and its name for the diagram.
    isopleths.SelectAlphaBetaModel(1);
    EXPECT_EQ(isopleths.Field(CIsoplethsPage::kAlpha).text, "0.7800");
    EXPECT_EQ(isopleths.Field(CIsoplethsPage::kCO2).text, "1.00");
    EXPECT_TRUE(isopleths.Field(CIsoplethsPage::kBeta).readOnly);
    CPhaseDiagram* marker = isopleths.CalculateIsopleth();
    ASSERT_NE(marker, nullptr) << services.LastMessage();
    EXPECT_EQ(marker->mName, "Well A");
    EXPECT_EQ(isopleths.AlphaBetaModels().entries, (Entries{"New Phase Envelope", "Well A  - calc."}));
    EXPECT_EQ(isopleths.AlphaBetaModels().selected, 0);
    EXPECT_EQ(isopleths.Field(CIsoplethsPage::kAlpha).text, "0.0000");
    EXPECT_EQ(isopleths.TakeFocusRequest(), CIsoplethsPage::kAlpha);

    // Typed values; the same values again select the diagram instead of computing it twice.
    TypeEnvelope({"0.5", "0.2", "0", "0", "0"});
    CPhaseDiagram* typed = isopleths.CalculateIsopleth();
    ASSERT_NE(typed, nullptr);
    EXPECT_EQ(typed->mName.rfind("AB1:", 0), 0u) << typed->mName;
    TypeEnvelope({"0.5", "0.2", "0", "0", "0"});
    EXPECT_EQ(isopleths.CalculateIsopleth(), typed);
    EXPECT_EQ(document->mPhaseDiagramsList.Count(), 2);
    EXPECT_EQ(isopleths.AlphaBetaModels().SelectedText(), typed->mName + "  - calc.");
    EXPECT_FALSE(isopleths.CalculateButton().enabled);

    // The fluid model.
    isopleths.SetUseAlphaBeta(false);
    isopleths.SelectFluidModel(0);
    ASSERT_NE(isopleths.CalculateIsopleth(), nullptr) << services.LastMessage();
    EXPECT_EQ(isopleths.FluidModels().entries, Entries{fluid->mModelFluid.mName + "  - calc."});

    // ---- an isochore pair for FI-1 on the marker's diagram ----
    EXPECT_EQ(isochors.Isopleths().entries.size(), 3u);
    isochors.SelectIsopleth(0);
    EXPECT_EQ(isochors.Inclusions().entries,
              (Entries{"New Inclusion", "FI-1", "FI-2", "FI-3", "FI-4", "FI-5 heavy"}));
    isochors.SelectInclusion(1);
    EXPECT_EQ(isochors.Th().text, "74.60");
    EXPECT_TRUE(isochors.CalculateButton().enabled);
    EXPECT_FALSE(isochors.LogButton().enabled);
    CIsochor* mono = isochors.CalculateIsochor();
    ASSERT_NE(mono, nullptr) << services.LastMessage();
    // The list leads with what tells the isochores apart.
    EXPECT_EQ(isochors.Inclusions().SelectedText(), "> Th = 74.60, L  (Well A)");
    EXPECT_FALSE(isochors.CalculateButton().enabled);
    EXPECT_TRUE(isochors.LogButton().enabled);
    EXPECT_EQ(isochors.Result(CIsochorsPage::kBulkDensity).text, FieldText(mono->mBulkDensity, 2));
    const std::string log = isochors.LogText();
    EXPECT_EQ(log.substr(0, log.find("        GOR")),
              "Inclusion/Isochor :   > " + mono->mName +
                  "\r\n        Th (\xC2\xB0"
                  "C) : 74.60   (Liquid)\r\n  alpha = 0.7800  beta = 0.1400\r\n"
                  "      CO2 : 1.00 %, N2 : 0.00 %, H2S : 0.00 %\r\n");
    EXPECT_NE(log.find("        Bulk density (g/cm3)                          : " +
                       isochors.Result(CIsochorsPage::kBulkDensity).text + "\r\n"),
              std::string::npos);
    const CEnvelopeKeyPoint& cricondenbar = mono->mPhaseDiagram->mKeyPoints.mCricondenbar;
    ASSERT_TRUE(cricondenbar.mValid);
    EXPECT_NE(log.find("        Cricondenbar (\xC2\xB0"
                       "C, bar)                        : " +
                       FieldText(cricondenbar.mT, 3) + ", " + FieldText(cricondenbar.mP, 3) + "\r\n"),
              std::string::npos);
    EXPECT_NE(log.find("        Critical point ("), std::string::npos);
    EXPECT_NE(log.find("        Cricondentherm ("), std::string::npos);
    EXPECT_EQ(log.substr(log.size() - 4), "\r\n\r\n") << "an empty line ends the entry";
    const double density = std::stod(log.substr(log.find("(g/cm3)   : ") + 12, 6));
    EXPECT_NEAR(141.5 / density - 131.5, marker->mAPI, 0.01) << "the density of the tank liquid";

    // ---- a trapping pressure ----
    panel.ShowPage(2);
    EXPECT_EQ(trapping.Isochors().entries, Entries{IsochorEntryText(mono->mName)});
    trapping.SelectIsochor(0);
    trapping.EditThaq("150");
    EXPECT_EQ(trapping.Pressure().text, FieldText(CPhaseDiagDocument::TrappingPressure(*mono, 150), 2));
    EXPECT_NE(document->GetTemporaryAqueousHomogLine().mGraphCurve, nullptr) << "the marker shows it";
    EXPECT_EQ(trapping.LogText(), "Isochor : " + mono->mName +
                                      "\r\n       Th (aq., \xC2\xB0"
                                      "C) : 150\r\n" +
                                      "       Trapping pressure (bar) = " + trapping.Pressure().text +
                                      "\r\n\r\n");
    trapping.EditThaq("10"); // below the isochore: no pressure, nothing to set
    EXPECT_EQ(trapping.Pressure().text, "0.00");
    EXPECT_FALSE(trapping.SetLineButton().enabled);
    EXPECT_EQ(document->GetTemporaryAqueousHomogLine().mGraphCurve, nullptr);
    trapping.EditThaq("150");
    ASSERT_NE(trapping.SetTrappingLine(), nullptr);
    EXPECT_EQ(document->GetTemporaryAqueousHomogLine().mGraphCurve, nullptr);
    trapping.EditThaq("160");
    panel.ShowPage(3);
    EXPECT_EQ(document->GetTemporaryAqueousHomogLine().mGraphCurve, nullptr)
        << "the marker goes with its page";

    // ---- removal, each list followed by the pages that show it ----
    EXPECT_EQ(clean.List(CCleanPage::kTrappingLines).entries.size(), 1u);
    clean.Remove(CCleanPage::kTrappingLines);
    EXPECT_EQ(clean.List(CCleanPage::kTrappingLines).entries, Entries{"None"});
    clean.Remove(CCleanPage::kIsochors);
    EXPECT_EQ(trapping.Isochors().entries, Entries{"None"});
    EXPECT_EQ(isochors.Inclusions().entries.back(), "FI-5 heavy");
    clean.Select(CCleanPage::kIsopleths, 0);
    clean.Remove(CCleanPage::kIsopleths);
    EXPECT_EQ(isopleths.AlphaBetaModels().entries[1], "Well A") << "the marker may be computed again";
    EXPECT_EQ(isochors.Isopleths().entries.size(), 2u);
}

TEST_F(PhaseDiagPanelTest, RefusedFieldsSayWhyAndTakeTheFocus) {
    New<CPhaseDiagDocument>(CDocumentKind::PhaseDiagram);
    struct Row {
        Entries fields; // alpha, beta, CO2, N2, H2S
        std::string message;
        int focus;
    };
    const Row rows[] = {
        {{"0", "0.2", "0", "0", "0"}, "The alpha value is not valid.", CIsoplethsPage::kAlpha},
        {{"1", "0.2", "0", "0", "0"}, "The alpha value is not valid.", CIsoplethsPage::kAlpha},
        {{"", "0.2", "0", "0", "0"}, "The alpha value is not valid.", CIsoplethsPage::kAlpha},
        {{"0.5x", "0.2", "0", "0", "0"}, "The alpha value is not valid.", CIsoplethsPage::kAlpha},
        {{"nan", "0.2", "0", "0", "0"}, "The alpha value is not valid.", CIsoplethsPage::kAlpha},
        {{"0.5", "1", "0", "0", "0"}, "The beta value is not valid.", CIsoplethsPage::kBeta},
        {{"0.5", "-0", "0", "0", "0"}, "The beta value is not valid.", CIsoplethsPage::kBeta},
        {{"0.5", "0.2", "100", "0", "0"}, "CO2 is not a valid number.", CIsoplethsPage::kCO2},
        {{"0.5", "0.2", "0", "-1", "0"}, "N2 is not a valid number.", CIsoplethsPage::kN2},
        {{"0.5", "0.2", "0", "0", "1e400"}, "H2S is not a valid number.", CIsoplethsPage::kH2S},
        {{"0.5", "0.2", "60", "30", "10"}, "The CO2 + N2 + H2S value is not valid.", CIsoplethsPage::kCO2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fields[0] + " " + row.fields[1] + " " + row.fields[2] + " " + row.fields[3]);
        services.Clear();
        TypeEnvelope(row.fields);
        EXPECT_EQ(isopleths.CalculateIsopleth(), nullptr);
        ASSERT_EQ(services.messages.size(), 1u);
        EXPECT_EQ(services.messages[0].text, row.message);
        EXPECT_EQ(services.messages[0].icon, CMessageIcon::Warning);
        EXPECT_EQ(isopleths.TakeFocusRequest(), row.focus);
    }
    EXPECT_EQ(services.progressLoops + services.maxWaitDepth, 0) << "nothing was computed";
}

TEST_F(PhaseDiagPanelTest, AFluidModelTheEquationOfStateCannotUseIsRefusedByTheDocument) {
    auto* fluid = Open<CFluidModelDataDocument>("fluid_model.flu");
    auto* document = New<CPhaseDiagDocument>(CDocumentKind::PhaseDiagram);
    CPhaseDiagram* diagram = document->CalculateImmiscibilityLoop(0, 0, 0, 0, 0, 0, &fluid->mModelFluid, "");
    ASSERT_NE(diagram, nullptr);
    auto* other = new CCompositionRecordEx();
    other->mComponentName = "Other";
    other->mMolePercent = 0.5;
    diagram->mThermoModel.GetModelFluid()->Add(other);
    isochors.SelectIsopleth(0);
    isochors.EditTh("80");
    services.Clear();
    EXPECT_EQ(isochors.CalculateIsochor(), nullptr);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text.rfind("The program failed to calculate the isochors", 0), 0u);
}
