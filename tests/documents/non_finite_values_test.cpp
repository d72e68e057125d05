// SPDX-License-Identifier: BSD-3-Clause
// Values that are not finite numbers: a data file that holds one is damaged at its line (what
// precedes it is kept), a document never saves one, and a calculation meeting one says so.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "document_test_util.hpp"
#include "documents/alpha_beta_plot_document.hpp"
#include "documents/data_documents.hpp"
#include "documents/phase_diag_document.hpp"

using namespace zephon::testing;

namespace {

const char* const kSpellings[] = {"inf", "-inf",     "INFINITY", "Infinity", "nan",    "-nan",
                                  "NaN", "nan(123)", "1e999",    "-1e999",   "1E+400", "12nan"};

// Where the `token`-th field (from 1) of line `line` (from 1) starts, and its length.
std::pair<std::size_t, std::size_t> FieldAt(const std::string& text, int line, int token) {
    std::size_t pos = 0;
    for (int l = 1; l < line; ++l)
        pos = text.find('\n', pos) + 1;
    for (int t = 1;; ++t) {
        pos = text.find_first_not_of(" \t", pos);
        const std::size_t end = text.find_first_of(" \t\n", pos);
        if (t == token) return {pos, end - pos};
        pos = end;
    }
}

struct FieldCase {
    const char* file; // an example file
    int line, token;  // the field
    const char* kind;
};

// One field of every number kind the files hold.
const FieldCase kFields[] = {
    {"inclusions.inc", 1, 1, "long (the count of inclusions)"},
    {"inclusions.inc", 2, 2, "double (Th)"},
    {"inclusions.inc", 3, 1, "short (marker size)"},
    {"inclusions.inc", 3, 2, "long (colour)"},
    {"inclusions.inc", 3, 6, "long (count of measurements)"},
    {"inclusions.inc", 5, 7, "double (a measurement's T)"},
    {"fluid_model.flu", 3, 3, "double (Tc)"},
    {"correlation.abe", 2, 1, "short (marker size)"},
    {"correlation.abe", 4, 2, "double (alpha)"},
};

template <class Document> void OpenDamaged(const FieldCase& field, const std::string& spelling) {
    TempFolder folder;
    FakeApplicationServices services;
    std::string text = ReadText(std::string(ZEPHON_EXAMPLES_DIR) + "/" + field.file);
    const auto [at, length] = FieldAt(text, field.line, field.token);
    const std::size_t lineStart = at == 0 ? 0 : text.rfind('\n', at - 1) + 1; // npos + 1 is 0
    const long column = static_cast<long>(at - lineStart) + 1;
    text.replace(at, length, spelling);
    const std::filesystem::path path =
        folder / ("damaged" + std::filesystem::path(field.file).extension().string());
    WriteText(path, text);
    Document document(services);
    ASSERT_TRUE(document.OnOpenDocument(path));
    EXPECT_TRUE(document.WasOpenedDamaged());
    EXPECT_EQ(document.GetReadStop().line, field.line);
    EXPECT_EQ(document.GetReadStop().column, column);
    EXPECT_NE(services.LastMessage().find("reading stopped at line " + std::to_string(field.line)),
              std::string::npos)
        << services.LastMessage();
}

} // namespace

TEST(NonFiniteValues, EverySpellingInEveryNumberFieldIsDamageAtItsLine) {
    for (const FieldCase& field : kFields) {
        for (const char* spelling : kSpellings) {
            SCOPED_TRACE(std::string(field.file) + " " + field.kind + ": " + spelling);
            const std::string extension = std::filesystem::path(field.file).extension().string();
            if (extension == ".inc") OpenDamaged<CInclusionDataDocument>(field, spelling);
            if (extension == ".flu") OpenDamaged<CFluidModelDataDocument>(field, spelling);
            if (extension == ".abe") OpenDamaged<CAlphaBetaDataDocument>(field, spelling);
        }
    }
}

TEST(NonFiniteValues, InclusionsBeforeTheDamageAreKept) {
    TempFolder folder;
    FakeApplicationServices services;
    std::string text = ReadText(std::string(ZEPHON_EXAMPLES_DIR) + "/inclusions.inc");
    const auto [at, length] = FieldAt(text, 6, 2); // Th of the third inclusion
    WriteText(folder / "third.inc", text.replace(at, length, "nan"));
    CInclusionDataDocument document(services);
    ASSERT_TRUE(document.OnOpenDocument(folder / "third.inc"));
    EXPECT_EQ(document.GetReadStop().line, 6);
    ASSERT_GE(document.mInclusionList.Count(), 2);
    const CInclusionRecordEx* second = document.mInclusionList.mInclusionData.At(1);
    EXPECT_EQ(second->mInclusionName, "FI-2");
    EXPECT_EQ(second->mTh, 89.3);
    EXPECT_EQ(second->mVolumeDataList.Count(), 5);
    for (const CInclusionRecordEx* inclusion : document.mInclusionList.mInclusionData)
        EXPECT_TRUE(std::isfinite(inclusion->mTh));
}

TEST(NonFiniteValues, SavingWritesZeroInTheirPlaceAndSaysSo) {
    TempFolder folder;
    FakeApplicationServices services;
    CInclusionDataDocument document(services);
    auto* inclusion = new CInclusionRecordEx();
    inclusion->mInclusionName = "FI-1";
    inclusion->mTh = std::numeric_limits<double>::quiet_NaN();
    inclusion->mFv = std::numeric_limits<double>::infinity();
    document.mInclusionList.Add(inclusion);
    document.SetModifiedFlag();
    ASSERT_TRUE(document.OnSaveDocument(folder / "a.inc"));
    EXPECT_FALSE(document.IsModified());
    const std::string text = ReadText(folder / "a.inc");
    EXPECT_EQ(text.find("nan"), std::string::npos);
    EXPECT_EQ(text.find("inf"), std::string::npos);
    EXPECT_EQ(services.LastMessage(),
              "The file \"a.inc\" was saved, but 2 values of the document are not a number (NaN or infinite; "
              "the first on line 2). A data file holds finite numbers only: 0 stands in their place.");
    CInclusionDataDocument reopened(services);
    ASSERT_TRUE(reopened.OnOpenDocument(folder / "a.inc"));
    EXPECT_FALSE(reopened.WasOpenedDamaged());
    EXPECT_EQ(reopened.mInclusionList.mInclusionData.First()->mTh, 0);

    // Finite values save without a word.
    inclusion->mTh = 80;
    inclusion->mFv = 5;
    const std::size_t shown = services.messages.size();
    ASSERT_TRUE(document.OnSaveDocument(folder / "a.inc"));
    EXPECT_EQ(services.messages.size(), shown);
}

TEST(NonFiniteValues, CalculationsSayTheValueIsNotANumber) {
    FakeApplicationServices services;
    CAlphaBetaPlotDocument plot(services);
    CInclusionRecord inclusion;
    inclusion.mInclusionName = "FI-1";
    inclusion.mTh = std::numeric_limits<double>::quiet_NaN();
    inclusion.mTv = 20;
    inclusion.mFv = 5;
    EXPECT_EQ(plot.CalculateAlphaBetaCurve(inclusion, "FI-1"), nullptr);
    EXPECT_EQ(services.LastMessage(),
              "Th of the inclusion \"FI-1\" is not a number: no curve is calculated.");
    inclusion.mTh = 90;
    inclusion.mFv = std::numeric_limits<double>::infinity();
    EXPECT_EQ(plot.CalculateAlphaBetaCurve(inclusion, "FI-1"), nullptr);
    EXPECT_EQ(services.LastMessage(),
              "% Gas of the inclusion \"FI-1\" is not a number: no curve is calculated.");

    CPhaseDiagDocument diagrams(services);
    CPhaseDiagram diagram;
    double density = 0, volume = 0;
    EXPECT_EQ(diagrams.CalculateIsochor(&diagram, std::numeric_limits<double>::quiet_NaN(), 1, density,
                                        volume, nullptr, 0.0),
              CPhaseDiagDocument::kIsochorThNotANumber);
    EXPECT_EQ(services.LastMessage(), "The homogenisation temperature is not a number.");
}
