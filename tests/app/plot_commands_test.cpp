// SPDX-License-Identifier: BSD-3-Clause
// What the plot windows' commands below the gui decide: when "Zoom to data" and "Find crossings"
// are offered, the list of crossings with its markers, and the names pictures are proposed under.
#include <gtest/gtest.h>

#include "app/app_commands.hpp"
#include "app/crossings_list.hpp"
#include "app/document_kinds.hpp"
#include "documents/alpha_beta_plot_document.hpp"
#include "fake_application_services.hpp"

namespace {

using zephon::testing::FakeApplicationServices;

// A straight curve of an inclusion with the given gases.
CAlphaBetaCurve* AddCurve(CAlphaBetaPlotDocument& plot, const std::string& name,
                          std::pair<double, double> from, std::pair<double, double> to, double co2 = 0) {
    auto* curve = new CAlphaBetaCurve();
    curve->Initialize();
    curve->mInclusion.mInclusionName = name;
    curve->mInclusion.mCO2 = co2;
    for (int k = 0; k <= 4; ++k)
        curve->Add(new CAlphaBetaRecord(from.first + (to.first - from.first) * k / 4,
                                        from.second + (to.second - from.second) * k / 4));
    plot.mAlphaBetaCurvesList.Add(curve);
    plot.PlotAlphaBetaCurve(curve);
    return curve;
}

} // namespace

TEST(PlotCommands, ZoomToDataAndFindCrossingsAreOfferedWhereTheyCanWork) {
    FakeApplicationServices services;
    CApplicationCore core(services);
    auto* plot = dynamic_cast<CAlphaBetaPlotDocument*>(core.NewDocument(CDocumentKind::AlphaBetaPlot));
    ASSERT_NE(plot, nullptr);
    core.WindowActivated(plot);
    core.SetCurrentAlphaBetaPlotDoc(plot);
    core.NotifyPlotWindowActivated(&plot->GetPlotView());
    CShellState shell;
    shell.activeWindow.prints = true;
    const auto enabled = [&](CAppCommand command) { return CommandState(command, core, shell).enabled; };
    EXPECT_FALSE(enabled(CAppCommand::ViewZoomToData)) << "nothing drawn yet";
    EXPECT_FALSE(enabled(CAppCommand::FindCrossings));
    AddCurve(*plot, "FI-1", {0.75, 0.0}, {0.95, 0.8});
    EXPECT_TRUE(enabled(CAppCommand::ViewZoomToData));
    EXPECT_FALSE(enabled(CAppCommand::FindCrossings)) << "one curve crosses nothing";
    AddCurve(*plot, "FI-2", {0.80, 0.0}, {0.90, 0.8});
    EXPECT_TRUE(enabled(CAppCommand::FindCrossings));
    shell.activeWindow.prints = false; // a table is active
    EXPECT_FALSE(enabled(CAppCommand::ViewZoomToData));
}

TEST(CrossingsList, RowsShowAndMakeMarkersThroughTheMarkerCommand) {
    FakeApplicationServices services;
    CAlphaBetaPlotDocument plot(services);
    // FI-1 and FI-2 cross at (0.85, 0.4); FI-3 crosses FI-2 only, near (0.882, 0.655).
    CAlphaBetaCurve* first = AddCurve(plot, "FI-1", {0.75, 0.0}, {0.95, 0.8}, 1.5);
    CAlphaBetaCurve* second = AddCurve(plot, "FI-2", {0.80, 0.0}, {0.90, 0.8});
    AddCurve(plot, "FI-3", {0.62, 0.0}, {0.94, 0.8});

    CCrossingsList all(plot);
    ASSERT_EQ(all.RowCount(), 2);
    EXPECT_EQ(all.Summary(), "2 crossings of 3 curves.");
    EXPECT_EQ(std::string(CCrossingsList::ColumnTitle(CCrossingsList::kAngle)), "Angle (\xC2\xB0)");
    const std::vector<std::string> row{all.CellText(0, CCrossingsList::kAlpha),
                                       all.CellText(0, CCrossingsList::kBeta),
                                       all.CellText(0, CCrossingsList::kCurves)};
    EXPECT_EQ(row, (std::vector<std::string>{"0.8500", "0.4000", "FI-1 and FI-2"}));
    EXPECT_EQ(all.CellText(1, CCrossingsList::kCurves), "FI-2 and FI-3");
    // The curves at 0.8 / 0.2 and 0.8 / 0.1 in alpha per beta: 14.0 and 7.1 degrees from upright.
    EXPECT_EQ(all.CellText(0, CCrossingsList::kAngle), "6.9");

    // Only the selected inclusions' curves.
    const CCrossingsList selected(plot, {first, second});
    EXPECT_EQ(selected.RowCount(), 1);

    // A marker at the first crossing, named after the first curve, with its inclusion's gases.
    services.Clear();
    all.ShowRow(0);
    EXPECT_TRUE(first->mGraphCurve->mHilited && second->mGraphCurve->mHilited);
    CAlphaBetaPoint* marker = all.MakeMarker(0);
    ASSERT_NE(marker, nullptr);
    EXPECT_NEAR(marker->mAlphaBetaRecordEx.mAlpha, 0.85, 1e-12);
    EXPECT_NEAR(marker->mAlphaBetaRecordEx.mBeta, 0.40, 1e-12);
    EXPECT_EQ(marker->mAlphaBetaRecordEx.mCO2, 1.5);
    EXPECT_EQ(marker->mAlphaBetaRecordEx.mName, "FI-1: 0.850");
    EXPECT_TRUE(plot.IsModified());
    EXPECT_EQ(services.Count("AlphaBetaPlotModified"), 1);

    // A curve removed: its rows are never read, and go at the next refresh.
    plot.RemoveAlphaBetaCurve(second);
    EXPECT_EQ(all.CellText(0, CCrossingsList::kCurves), "");
    EXPECT_EQ(all.MakeMarker(0), nullptr);
    all.Refresh();
    EXPECT_EQ(all.RowCount(), 0);
    EXPECT_EQ(all.Summary(), "No two of the 2 curves cross.");
}

TEST(PictureNames, TheDocumentsNameWithThePicturesExtension) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"study.abp", "study.svg"},
        {"wells/Well 7.PTD", "Well 7.svg"},
        {"phase_diagram.ptd:2", "phase_diagram-2.svg"},
        {"Alpha-Beta Plot1", "Alpha-Beta Plot1.svg"},
        {"notes.v2", "notes.v2.svg"},
        {"a<b>?", "a-b--.svg"},
        {"", "plot.svg"},
    };
    for (const auto& [document, picture] : cases)
        EXPECT_EQ(DefaultPictureName(document, ".svg").string(), picture) << document;
    EXPECT_EQ(DefaultPictureName("study.abp", ".png").string(), "study.png");
}
