// SPDX-License-Identifier: BSD-3-Clause
// The trapping page's aqueous inclusion: the crossing it calculates and shows, its log, the fields
// that a plot selection fills, and refused fields.

#include <gtest/gtest.h>

#include "panel_test_support.hpp"

using namespace zephon::testing;

namespace {

class TrappingAqueousTest : public PanelTest {
  protected:
    TrappingAqueousTest() {
        panel.ShowPage(2);
        document = New<CPhaseDiagDocument>(CDocumentKind::PhaseDiagram);
        CPhaseDiagram* diagram = document->CalculateImmiscibilityLoop(1, 0.82, 0.2, 0.01, 0, 0, nullptr, "");
        double density = 0, volume = 0;
        document->CalculateIsochor(diagram, 89.3, 1, density, volume, &oil);
    }
    CPhaseDiagPanelModel panel{core};
    CTrappingPage& trapping = panel.mTrapping;
    CPhaseDiagDocument* document = nullptr;
    CIsochor* oil = nullptr;

    void Type(double thaq, const std::string& tmIce) {
        trapping.SelectIsochor(0);
        trapping.EditThaq(std::to_string(thaq));
        trapping.SetSource(CTrappingPage::kIceMelting);
        trapping.EditField(CTrappingPage::kMeasured, tmIce);
        trapping.SelectHost(1); // quartz
    }
};

} // namespace

TEST_F(TrappingAqueousTest, ACrossingIsCalculatedShownAndLogged) {
    ASSERT_NE(oil, nullptr);
    Type(140, "-6.6");
    EXPECT_EQ(trapping.Result(CTrappingPage::kSalinity).text, "9.98");
    EXPECT_EQ(trapping.Result(CTrappingPage::kCrossingT).text, "");
    trapping.EditField(CTrappingPage::kSdThaq, "1");
    trapping.EditField(CTrappingPage::kSdMeasured, "0.2");
    trapping.EditField(CTrappingPage::kSdThOil, "1");
    trapping.EditField(CTrappingPage::kSdFv, "0.5");
    CAqueousCrossing* crossing = trapping.CalculateCrossing();
    ASSERT_NE(crossing, nullptr) << services.LastMessage();
    EXPECT_EQ(trapping.Result(CTrappingPage::kCrossingT).text, FieldText(crossing->mT, 2));
    EXPECT_EQ(trapping.Result(CTrappingPage::kSdP).text, FieldText(crossing->mSdP, 1));
    const std::string log = trapping.LogText();
    EXPECT_NE(log.find("Trapping temperature (\xC2\xB0"
                       "C) = " +
                       FieldText(crossing->mT, 2) + " +- "),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("Host mineral : Quartz"), std::string::npos);
    EXPECT_NE(log.find("Slopes (bar/K) : oil"), std::string::npos);

    // Another measurement shows no results until it is calculated; back to the first, they return.
    trapping.EditField(CTrappingPage::kMeasured, "-7");
    EXPECT_EQ(trapping.Result(CTrappingPage::kCrossingT).text, "");
    trapping.EditField(CTrappingPage::kMeasured, "-6.6");
    EXPECT_EQ(trapping.Result(CTrappingPage::kCrossingT).text, FieldText(crossing->mT, 2));

    // Selecting the crossing in the plot fills the fields from it.
    trapping.SelectHost(0);
    CGraphPoint* marker = crossing->mGraphPoint;
    // The legend is drawn, and hit, over the data; in this small plot it covers the crossing, and a
    // person would move it first.
    if (CGraphLegend* legend = document->GetPlotView().GetLegend()) legend->mHidden = true;
    ASSERT_TRUE(document->GetPlotView().TestClickGraphObject(marker->mPoint.mLocalX, marker->mPoint.mLocalY));
    ASSERT_EQ(document->GetPlotView().GetSelectedObject(), marker);
    EXPECT_EQ(trapping.Hosts().selected, 1);
    EXPECT_EQ(trapping.Field(CTrappingPage::kSdFv).text, "0.5");
    EXPECT_EQ(trapping.Field(CTrappingPage::kMeasured).text, "-6.6");
}

TEST_F(TrappingAqueousTest, RefusedFieldsAreSaidAndFocused) {
    Type(140, "-30");
    EXPECT_EQ(trapping.Result(CTrappingPage::kSalinity).text, "");
    EXPECT_EQ(trapping.CalculateCrossing(), nullptr);
    EXPECT_NE(services.LastMessage().find("0 to -21.2"), std::string::npos) << services.LastMessage();
    trapping.EditField(CTrappingPage::kMeasured, "-6.6");
    trapping.EditField(CTrappingPage::kSdThaq, "-1");
    EXPECT_EQ(trapping.CalculateCrossing(), nullptr);
    EXPECT_EQ(trapping.TakeFocusRequest(), CTrappingPage::kSdThaq);
    // The legacy lines take no host mineral.
    trapping.EditField(CTrappingPage::kSdThaq, "0");
    trapping.SetLegacy(true);
    EXPECT_EQ(trapping.Hosts().selected, 0);
    EXPECT_FALSE(trapping.Hosts().enabled);
    EXPECT_NE(trapping.CalculateCrossing(), nullptr) << services.LastMessage();
}

// The removals of an oil isochore, a crossing and an aqueous isochore are steps of the plot's
// history: Undo puts back the crossing, its drawings and its place.
TEST_F(TrappingAqueousTest, RemovalsOfCrossingsAndAqueousIsochoresAreUndone) {
    ASSERT_NE(oil, nullptr);
    Type(140, "-6.6");
    CAqueousCrossing* crossing = trapping.CalculateCrossing();
    ASSERT_NE(crossing, nullptr) << services.LastMessage();
    CAqueousIsochor* aqueous = document->mAqueousIsochorsList.mList.First();
    CPlotHistory* history = core.History(document);
    ASSERT_NE(history, nullptr);
    auto drawn = [&] {
        return aqueous->mCrossings.Contains(crossing) && document->GetPlotView().Holds(crossing->mGraphPoint);
    };

    document->DeleteIsochor(oil);
    EXPECT_TRUE(aqueous->mCrossings.IsEmpty()) << "the crossing goes with its oil isochore";
    EXPECT_FALSE(document->GetPlotView().Holds(crossing->mGraphPoint));
    history->Undo();
    EXPECT_TRUE(drawn());

    document->RemoveAqueousCrossing(crossing);
    EXPECT_EQ(history->UndoText(), "Delete crossing");
    EXPECT_TRUE(aqueous->mCrossings.IsEmpty());
    history->Undo();
    EXPECT_TRUE(drawn());

    document->RemoveAqueousIsochor(aqueous);
    EXPECT_EQ(document->mAqueousIsochorsList.Count(), 0);
    EXPECT_FALSE(document->GetPlotView().Holds(aqueous->mGraphCurve));
    history->Undo();
    EXPECT_EQ(document->mAqueousIsochorsList.Count(), 1);
    EXPECT_TRUE(document->GetPlotView().Holds(aqueous->mGraphCurve));
    EXPECT_TRUE(drawn());
}
