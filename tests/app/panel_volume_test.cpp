// SPDX-License-Identifier: BSD-3-Clause
// The "Bubble size variation" panel: its lists in each state, inclusions and isochores plotted and
// removed, the P-T document marked modified, and the plot's own document followed.

#include <gtest/gtest.h>

#include "panel_test_support.hpp"

using namespace zephon::testing;

namespace {

using Entries = std::vector<std::string>;

class VolumePanelTest : public PanelTest {
  protected:
    VolumePanelTest() { panel.ShowPage(0); }
    CVolumePanelModel panel{core};
    CVolumeInclusionsPage& inclusions = panel.mInclusions;
    CVolumeCurvesPage& curves = panel.mCurves;
};

} // namespace

TEST_F(VolumePanelTest, InclusionsAndIsochoresGoInAndOutOfThePlotOfTheirOwnDocument) {
    EXPECT_TRUE(inclusions.NonPlotted().entries.empty());
    EXPECT_FALSE(inclusions.PlotButton().enabled);
    EXPECT_FALSE(curves.RemoveButton().enabled);

    Open<CInclusionDataDocument>("inclusions.inc");
    auto* document = New<CPhaseDiagDocument>(CDocumentKind::PhaseDiagram);
    CPhaseDiagram* diagram =
        document->CalculateImmiscibilityLoop(1, 0.78, 0.14, 0.01, 0, 0, nullptr, "Oil A");
    ASSERT_NE(diagram, nullptr);
    double density = 0, volume = 0;
    ASSERT_EQ(document->CalculateIsochor(diagram, 74.6, 1, density, volume, nullptr), 0);
    EXPECT_TRUE(inclusions.NonPlotted().entries.empty()) << "no plot yet";

    CVolumePlotView* plot = document->DisplayNewVTPlot();
    EXPECT_EQ(inclusions.View(), plot);
    EXPECT_EQ(inclusions.NonPlotted().entries, (Entries{"FI-1", "FI-2", "FI-3", "FI-4", "FI-5 heavy"}));
    EXPECT_EQ(inclusions.Plotted().entries, Entries{"None"});
    EXPECT_FALSE(inclusions.Plotted().enabled);

    document->SetModifiedFlag(false);
    inclusions.SelectNonPlotted(1);
    inclusions.Plot();
    EXPECT_EQ(inclusions.Plotted().entries, Entries{"FI-2"});
    EXPECT_EQ(inclusions.NonPlotted().SelectedText(), "FI-3") << "the same position stays selected";
    EXPECT_TRUE(document->IsModified());
    inclusions.SelectPlotted(0);
    EXPECT_TRUE(plot->mPlottedInclusionsList.mInclusionData.First()->mGraphCurve->mHilited);

    const std::string isochor = IsochorEntryText(diagram->mBiphIsochorsList->mList.First()->mName);
    EXPECT_EQ(curves.NonPlotted().entries, Entries{isochor});
    curves.Plot();
    EXPECT_EQ(curves.Plotted().entries, Entries{isochor});
    EXPECT_EQ(curves.NonPlotted().entries, Entries{"None"});

    // Another P-T diagram becomes current: the plot still offers its own document's isochores.
    New<CPhaseDiagDocument>(CDocumentKind::PhaseDiagram);
    EXPECT_EQ(curves.Document(), document);
    EXPECT_EQ(curves.Plotted().entries, Entries{isochor});

    // The diagram goes: its curve leaves the plot, and the page shows it.
    document->RemoveFluidPhaseDiagram(diagram);
    EXPECT_EQ(curves.Plotted().entries, Entries{"None"});
    EXPECT_EQ(inclusions.Plotted().entries, Entries{"FI-2"});

    inclusions.Remove();
    EXPECT_EQ(inclusions.Plotted().entries, Entries{"None"});
    EXPECT_EQ(inclusions.NonPlotted().entries.size(), 5u);

    // The plot's window closes.
    document->KillVTPlot(plot);
    EXPECT_EQ(inclusions.View(), nullptr);
    EXPECT_TRUE(curves.Plotted().entries.empty());
    EXPECT_FALSE(curves.PlotButton().enabled);
}
