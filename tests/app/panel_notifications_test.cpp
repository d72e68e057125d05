// SPDX-License-Identifier: BSD-3-Clause
// How the tool panels follow the application: which notification refreshes which page (every page,
// shown or not), selections in the plots, and documents that close or are reverted, after which
// no page holds anything of them.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "panel_test_support.hpp"

using namespace zephon::testing;

namespace {

using Entries = std::vector<std::string>;

class NotificationTest : public PanelTest {
  protected:
    NotificationTest() {
        inclusionFile = Open<CInclusionDataDocument>("inclusions.inc");
        fluidFile = Open<CFluidModelDataDocument>("fluid_model.flu");
        plot = New<CAlphaBetaPlotDocument>(CDocumentKind::AlphaBetaPlot);
        marker = plot->AddAlphaBetaPoint(0.78, 0.14, 1, 0, 0, "Marker");
        diagrams = New<CPhaseDiagDocument>(CDocumentKind::PhaseDiagram);
        diagram = diagrams->CalculateImmiscibilityLoop(1, 0.78, 0.14, 0.01, 0, 0, nullptr, "Oil A");
        double bulkDensity = 0, bulkVolume = 0;
        diagrams->CalculateIsochor(diagram, 74.6, 1, bulkDensity, bulkVolume, nullptr);
        vt = diagrams->DisplayNewVTPlot();
        alphaBeta.ShowPage(0);
        phaseDiag.ShowPage(0);
        volume.ShowPage(0);
    }

    // Clicks the plot where a world point is drawn.
    static void Click(CPlotView& view, double x, double y) {
        view.SetClientRect({0, 0, 640, 480});
        const auto mapping = view.GetMapping();
        view.TestClickGraphObject(mapping.ToPixelX(x), mapping.ToPixelY(y));
    }

    CInclusionDataDocument* inclusionFile = nullptr;
    CFluidModelDataDocument* fluidFile = nullptr;
    CAlphaBetaPlotDocument* plot = nullptr;
    CAlphaBetaPoint* marker = nullptr;
    CPhaseDiagDocument* diagrams = nullptr;
    CPhaseDiagram* diagram = nullptr;
    CVolumePlotView* vt = nullptr;
    CAlphaBetaPanelModel alphaBeta{core};
    CPhaseDiagPanelModel phaseDiag{core};
    CVolumePanelModel volume{core};
};

} // namespace

TEST_F(NotificationTest, EachChangeRefreshesThePagesThatShowIt) {
    struct Row {
        const char* what;
        std::function<void()> changeSilently;
        CAppNotification notification;
        std::function<Entries()> shown; // what the pages that must follow show afterwards
        Entries expected;
    };
    auto* silent = new CInclusionRecordEx();
    silent->mInclusionName = "Silent";
    silent->mTh = 95;
    const Row rows[] = {
        {"an inclusion file",
         [&] { inclusionFile->mInclusionList.Add(silent); },
         CAppNotification::InclusionsDataDocModified,
         [&] {
             return Entries{alphaBeta.mCurves.Inclusions().entries.back(),
                            *(phaseDiag.mIsochors.Inclusions().entries.end() - 2), // before the pair
                            volume.mInclusions.NonPlotted().entries.back()};
         },
         {"Silent", "Silent", "Silent"}},
        {"an alpha-beta plot",
         [&] {
             marker->mAlphaBetaRecordEx.mName = "Renamed marker";
             marker->mAlphaBetaRecordEx.mAlpha = 0.6; // no longer the fluid of the diagram
         },
         CAppNotification::AlphaBetaPlotModified,
         [&] {
             return Entries{alphaBeta.mFluids.Fluids().entries[1],
                            phaseDiag.mIsopleths.AlphaBetaModels().entries[1]};
         },
         {"Renamed marker", "Renamed marker"}},
        {"a fluid model",
         [&] { fluidFile->mModelFluid.mName = "Renamed fluid"; },
         CAppNotification::FluidModelDataDocModified,
         [&] { return Entries{phaseDiag.mIsopleths.FluidModels().entries[0]}; },
         {"Renamed fluid"}},
        {"a P-T diagram",
         [&] { diagram->mBiphIsochorsList->mList.First()->mName = "Renamed isochore"; },
         CAppNotification::PTPlotModified,
         [&] {
             return Entries{phaseDiag.mIsochors.Inclusions().entries.back(),
                            volume.mCurves.NonPlotted().entries[0]};
         },
         {"> Renamed isochore", "Renamed isochore"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        row.changeSilently();
        EXPECT_NE(row.shown(), row.expected) << "nothing follows before the notification";
        core.Notify(row.notification);
        EXPECT_EQ(row.shown(), row.expected);
    }
}

TEST_F(NotificationTest, SelectionsInThePlotsAreFollowedByTheirPanel) {
    Click(plot->GetPlotView(), 0.78, 0.14);
    EXPECT_EQ(services.Count("AlphaBetaPlotSelection"), 2)
        << "one from making the marker, one from the click";
    EXPECT_EQ(alphaBeta.mFluids.Fluids().SelectedText(), "Marker") << "a page out of sight follows too";
    EXPECT_EQ(alphaBeta.mFluids.Field(CAlphaBetaFluidsPage::kAlpha).text, "0.7800");

    const CIsochor* biphasic = diagram->mBiphIsochorsList->mList.First();
    const CIsochorPoint* point = biphasic->mList.At(biphasic->mList.Count() / 2);
    Click(diagrams->GetPlotView(), point->mT, point->mP);
    ASSERT_EQ(diagrams->GetPlotView().GetSelectedObject(), biphasic->mGraphCurve);
    EXPECT_EQ(phaseDiag.mIsochors.Inclusions().SelectedText(), "> " + IsochorEntryText(biphasic->mName));
    EXPECT_EQ(phaseDiag.mTrapping.Isochors().SelectedText(), IsochorEntryText(biphasic->mName));
    EXPECT_EQ(phaseDiag.mIsopleths.AlphaBetaModels().SelectedText(), "Oil A  - calc.");
    EXPECT_EQ(phaseDiag.mIsopleths.Field(CIsoplethsPage::kCO2).text, "1.00");

    volume.ShowPage(1);
    volume.mCurves.Plot();
    const CIsochor* copy = vt->mPlottedCurvesList.mList.First();
    Click(*vt, copy->mList.Last()->mT, copy->mList.Last()->mV);
    EXPECT_EQ(vt->GetSelectedObject(), copy->mGraphCurve);
    EXPECT_EQ(volume.mCurves.Plotted().selected, 0);
    EXPECT_TRUE(copy->mGraphCurve->mHilited);
}

TEST_F(NotificationTest, ClosedAndRevertedDocumentsLeaveNothingBehind) {
    phaseDiag.ShowPage(2);
    phaseDiag.mTrapping.SelectIsochor(0);
    phaseDiag.mTrapping.EditThaq("150");
    ASSERT_TRUE(diagrams->OnSaveDocument(folder.Path() / "study.ptd"));

    core.CloseDocument(*inclusionFile);
    EXPECT_EQ(alphaBeta.mCurves.Inclusions().entries, Entries{"New Inclusion"});
    EXPECT_EQ(phaseDiag.mIsochors.Inclusions().entries.size(), 2u) << "New Inclusion and the pair";
    EXPECT_EQ(volume.mInclusions.NonPlotted().entries, Entries{"None"});
    core.CloseDocument(*plot);
    EXPECT_EQ(phaseDiag.mIsopleths.AlphaBetaModels().entries,
              (Entries{"New Phase Envelope", "Oil A  - calc."}));

    // Revert: the pages let go of the old document and its records, then take the new one when
    // its window is activated.
    CWDocument* reverted = core.RevertDocument(*diagrams);
    ASSERT_NE(reverted, diagrams);
    EXPECT_EQ(phaseDiag.mIsopleths.Document(), nullptr);
    EXPECT_EQ(phaseDiag.mIsochors.Document(), nullptr);
    EXPECT_EQ(phaseDiag.mTrapping.Document(), nullptr);
    EXPECT_EQ(phaseDiag.mClean.Document(), nullptr);
    EXPECT_EQ(phaseDiag.mTrapping.Isochors().entries, Entries{"None"});
    // The reopened plot opened while the file was read, and becomes current once its document is
    // open (never the old document's plot, which is closing).
    ASSERT_EQ(dynamic_cast<CPhaseDiagDocument*>(reverted)->GetVTPlots().size(), 1u);
    CVolumePlotView* reopenedPlot = dynamic_cast<CPhaseDiagDocument*>(reverted)->GetVTPlots()[0].get();
    EXPECT_EQ(core.CurrentVTPlotView(), reopenedPlot);
    core.WindowActivated(reverted);
    EXPECT_EQ(volume.mCurves.View(), reopenedPlot);
    EXPECT_EQ(phaseDiag.mTrapping.Document(), reverted);
    EXPECT_EQ(phaseDiag.mTrapping.Isochors().entries.size(), 1u);
    EXPECT_EQ(phaseDiag.mClean.List(CCleanPage::kIsopleths).entries, Entries{"Oil A"});
    // The reopened diagram's log reports its stock-tank liquid, which the file does not keep.
    phaseDiag.mIsochors.SelectInclusion(1);
    EXPECT_NE(phaseDiag.mIsochors.LogText().find("Molar weight of the tank liquid (g/mol)       : 1"),
              std::string::npos);

    core.CloseDocument(*reverted);
    EXPECT_EQ(phaseDiag.mClean.List(CCleanPage::kIsopleths).entries, Entries{"None"});
    EXPECT_EQ(volume.mInclusions.View(), nullptr);
}
