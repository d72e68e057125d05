// SPDX-License-Identifier: BSD-3-Clause
#include <gtest/gtest.h>

#include "document_test_util.hpp"
#include "documents/alpha_beta_plot_document.hpp"
#include "documents/data_documents.hpp"
#include "documents/phase_diag_document.hpp"

using namespace zephon::testing;

namespace {

CInclusionRecordEx* AddInclusion(CInclusionList& list, const std::string& name, double th, double fv) {
    auto* inclusion = new CInclusionRecordEx();
    inclusion->mInclusionName = name;
    inclusion->mTh = th;
    inclusion->mTv = 20;
    inclusion->mFv = fv;
    inclusion->mCO2 = 1.5;
    inclusion->mVolumeDataList.Add(new CVolumeRecord(25, 3.5));
    inclusion->mVolumeDataList.Add(new CVolumeRecord(80, 2.25));
    list.Add(inclusion);
    return inclusion;
}

} // namespace

TEST(DataDocuments, NewDocumentsStartAsDescribed) {
    FakeApplicationServices services;
    CInclusionDataDocument inclusions(services);
    EXPECT_EQ(inclusions.mInclusionList.mIsOwner, 1);
    EXPECT_EQ(inclusions.mInclusionList.Count(), 0);

    CAlphaBetaDataDocument correlation(services);
    EXPECT_EQ(correlation.mCorrelation.mName, "Undefined");
    // A correlation without fluids: name line, point format (size 3, blue as 0 0 65280, shape 3), count 0.
    EXPECT_EQ(correlation.SaveToText(), "Undefined\t\n3\t0\t0\t65280\t3\t\n0\t\n");

    CFluidModelDataDocument fluid(services);
    EXPECT_EQ(fluid.mModelFluid.mName, "FM");
    EXPECT_EQ(fluid.mModelFluid.Count(), 0);
}

TEST(DataDocuments, InclusionFileRoundTripAndReopenReplacesContent) {
    TempFolder folder;
    FakeApplicationServices services;
    CInclusionDataDocument document(services);
    AddInclusion(document.mInclusionList, "Inc 1", 95.5, 7.5);
    AddInclusion(document.mInclusionList, "Inc 2", 120.25, 12);
    document.SetModifiedFlag();
    ASSERT_TRUE(document.OnSaveDocument(folder / "a.inc"));
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.GetTitle(), "a.inc");

    CInclusionDataDocument reopened(services);
    AddInclusion(reopened.mInclusionList, "stale", 1, 1);
    ASSERT_TRUE(reopened.OnOpenDocument(folder / "a.inc"));
    ASSERT_EQ(reopened.mInclusionList.Count(), 2);
    EXPECT_EQ(reopened.mInclusionList.mInclusionData.First()->mInclusionName, "Inc 1");
    EXPECT_EQ(reopened.mInclusionList.mInclusionData.Last()->mVolumeDataList.Count(), 2);
    EXPECT_EQ(reopened.SaveToText(), ReadText(folder / "a.inc"));
    EXPECT_TRUE(services.messages.empty());
    EXPECT_FALSE(reopened.IsModified());
}

TEST(DataDocuments, AnEmptyOrBlankFileIsNoDocumentOfAnyKind) {
    TempFolder folder;
    FakeApplicationServices services;
    WriteText(folder / "empty.inc", "");
    WriteText(folder / "blank.ptd", " \n\t \r\n");
    CInclusionDataDocument inclusions(services);
    EXPECT_FALSE(inclusions.OnOpenDocument(folder / "empty.inc"));
    CPhaseDiagDocument diagrams(services);
    EXPECT_FALSE(diagrams.OnOpenDocument(folder / "blank.ptd", CUnreadableFile::Refuse));
    CAlphaBetaPlotDocument plot(services);
    EXPECT_EQ(plot.PlotAlphaBetaCorrelationFile(folder / "empty.inc"), nullptr);
    long refusals = 0;
    for (const CUserMessage& message : services.messages)
        refusals += message.text.find("\": the file is empty") != std::string::npos;
    EXPECT_EQ(refusals, 3);
    EXPECT_EQ(inclusions.GetOpenFailure(), kEmptyFileReason);
}

TEST(DataDocuments, ClosingNotifiesAfterTheBaseClose) {
    FakeApplicationServices services;
    CFluidModelDataDocument fluid(services);
    fluid.OnCloseDocument();
    ASSERT_EQ(services.closedDocuments.size(), 1u);
    EXPECT_EQ(services.Count("FluidModelDataDocModified"), 1);
    CInclusionDataDocument inclusions(services);
    inclusions.OnCloseDocument();
    EXPECT_EQ(services.Count("InclusionsDataDocModified"), 1);
}

TEST(DataDocuments, FluidModelAndCorrelationFilesReadBack) {
    TempFolder folder;
    FakeApplicationServices services;
    CFluidModelDataDocument fluid(services);
    fluid.mModelFluid.mName = "Oil A";
    auto* c1 = new CCompositionRecordEx();
    c1->mComponentName = "C1";
    c1->mMolePercent = 60;
    c1->SetParametersByDefault();
    fluid.mModelFluid.Add(c1);
    ASSERT_TRUE(fluid.OnSaveDocument(folder / "f.flu"));

    CFluidModelDataDocument reopened(services);
    ASSERT_TRUE(reopened.OnOpenDocument(folder / "f.flu"));
    EXPECT_EQ(reopened.mModelFluid.mName, "Oil A");
    ASSERT_EQ(reopened.mModelFluid.Count(), 1);
    EXPECT_NEAR(reopened.mModelFluid.mList.First()->mTc, 190.555 - 273.15, 1e-3);
    EXPECT_EQ(services.Count("FluidModelDataDocModified"), 1);

    CAlphaBetaDataDocument correlation(services);
    correlation.mCorrelation.mName = "North field";
    auto* fluidRecord = new CAlphaBetaRecordEx();
    fluidRecord->mName = "Well 3";
    fluidRecord->mAlpha = 0.61;
    fluidRecord->mBeta = 0.2;
    fluidRecord->mCompositionList.Add(new CCompositionRecord("CO2", 2));
    correlation.mCorrelation.Add(fluidRecord);
    ASSERT_TRUE(correlation.OnSaveDocument(folder / "c.abe"));
    CAlphaBetaDataDocument again(services);
    ASSERT_TRUE(again.OnOpenDocument(folder / "c.abe"));
    ASSERT_EQ(again.mCorrelation.mList.Count(), 1);
    EXPECT_EQ(again.mCorrelation.mList.First()->mName, "Well 3");
    EXPECT_DOUBLE_EQ(again.mCorrelation.mList.First()->mCO2, 2);
}
