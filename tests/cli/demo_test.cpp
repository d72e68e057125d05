// SPDX-License-Identifier: BSD-3-Clause
// The demonstration: the whole workflow on the bundled example, and the bundled files themselves.
#include "cli/demo_workflow.hpp"
#include "cli/terminal_services.hpp"
#include "cli_test_util.hpp"
#include "documents/alpha_beta_plot_document.hpp"
#include "documents/data_documents.hpp"
#include "documents/phase_diag_document.hpp"

using namespace zephon::testing;

namespace {

std::vector<std::string> Tokens(const std::string& text) {
    std::vector<std::string> tokens;
    std::istringstream in(text);
    std::string token;
    while (in >> token)
        tokens.push_back(token);
    return tokens;
}

// Opens the file with its document and saves it again: the same text comes back.
template <class Document> void ExpectReopensIdentically(const std::filesystem::path& path) {
    SCOPED_TRACE(path.string());
    zephon::cli::CTerminalServices services(std::cerr, false);
    Document document(services);
    ASSERT_TRUE(document.OnOpenDocument(path));
    EXPECT_FALSE(document.WasOpenedDamaged());
    EXPECT_EQ(Tokens(document.SaveToText()), Tokens(ReadText(path)));
    EXPECT_TRUE(services.Messages().empty());
}

} // namespace

TEST(Demo, WritesDocumentsThatReopenIdentically) {
    ScratchFolder folder;
    const CliRun run = RunTool({"demo", "--out", folder / "demo"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("5 oil inclusions"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("cross at alpha"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("trapping line"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("iso-GOR"), std::string::npos) << "background curves found beside the program";
    const std::filesystem::path demo = folder.Path() / "demo";
    ExpectReopensIdentically<CInclusionDataDocument>(demo / "inclusions.inc");
    ExpectReopensIdentically<CAlphaBetaDataDocument>(demo / "correlation.abe");
    ExpectReopensIdentically<CFluidModelDataDocument>(demo / "fluid_model.flu");
    ExpectReopensIdentically<CAlphaBetaPlotDocument>(demo / "alpha_beta.abp");
    ExpectReopensIdentically<CPhaseDiagDocument>(demo / "phase_diagram.ptd");
    for (const char* picture : {"alpha_beta.svg", "phase_diagram.svg", "bubble_size.svg"})
        EXPECT_EQ(ReadText(demo / picture).rfind("<?xml", 0), 0u) << picture;

    zephon::cli::CTerminalServices services(std::cerr, false);
    CAlphaBetaPlotDocument plot(services);
    ASSERT_TRUE(plot.OnOpenDocument(demo / "alpha_beta.abp"));
    EXPECT_EQ(plot.mAlphaBetaCurvesList.Count(), 5);
    EXPECT_EQ(plot.mAlphaBetaPointsList.Count(), 1);
    EXPECT_EQ(plot.mAlphaBetaCorrelationsList.Count(), 1);
    CPhaseDiagDocument diagrams(services);
    ASSERT_TRUE(diagrams.OnOpenDocument(demo / "phase_diagram.ptd"));
    ASSERT_EQ(diagrams.mPhaseDiagramsList.Count(), 1);
    const CPhaseDiagram* diagram = diagrams.mPhaseDiagramsList.mList.First();
    EXPECT_EQ(diagram->mBiphIsochorsList->Count(), 4) << "one pair per inclusion of the family";
    EXPECT_EQ(diagrams.GetVTPlots().size(), 1u);
    EXPECT_EQ(diagrams.GetVTPlots()[0]->mPlottedInclusionsList.Count(), 4);

    // The crossing of FI-1 and FI-2 that the summary names is the first that "crossings" lists.
    const CliRun crossings = RunTool({"crossings", (demo / "alpha_beta.abp").string(), "--json"});
    ASSERT_EQ(crossings.code, 0) << crossings.err;
    EXPECT_NE(crossings.out.find("{\"alpha\":0.827"), std::string::npos) << crossings.out;
    EXPECT_NE(crossings.out.find("\"beta\":0.224"), std::string::npos) << crossings.out;
    EXPECT_NE(crossings.out.find("\"first\":\"FI-1\",\"second\":\"FI-2\""), std::string::npos);

    // The marker is the oil the family was made from (alpha 0.82, beta 0.20), to the precision of
    // the measurements.
    const CAlphaBetaPoint* marker = plot.mAlphaBetaPointsList.mList.First();
    EXPECT_NEAR(marker->mAlphaBetaRecordEx.mAlpha, 0.82, 0.02);
    EXPECT_NEAR(marker->mAlphaBetaRecordEx.mBeta, 0.20, 0.05);
}

TEST(Demo, BundledExamplesAreTheRecordsAsTheirWritersWriteThem) {
    zephon::cli::CTerminalServices services(std::cerr, false);
    CInclusionDataDocument inclusions(services);
    zephon::cli::MakeExampleInclusions(inclusions.mInclusionList);
    EXPECT_EQ(inclusions.SaveToText(), ReadText(Example("inclusions.inc")));
    CAlphaBetaDataDocument correlation(services);
    zephon::cli::MakeExampleCorrelation(correlation.mCorrelation);
    EXPECT_EQ(correlation.SaveToText(), ReadText(Example("correlation.abe")));
    ExpectReopensIdentically<CFluidModelDataDocument>(Example("fluid_model.flu"));
}
