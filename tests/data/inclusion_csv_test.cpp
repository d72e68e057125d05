// Inclusion lists as CSV: what spreadsheets write is read, every fault is refused with its line and
// column, and what is written reads back as the same records.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "data/inclusion_csv.hpp"
#include "random_records.hpp"

namespace {

using Inclusions = std::vector<std::unique_ptr<CInclusionRecordEx>>;

Inclusions Read(const std::string& text, bool headerRequired = true) {
    Inclusions inclusions;
    CTextProblem problem;
    EXPECT_TRUE(ReadInclusionsCsv(text, headerRequired, inclusions, problem)) << problem.Text();
    return inclusions;
}

CTextProblem Refusal(const std::string& text, bool headerRequired = true) {
    Inclusions inclusions;
    CTextProblem problem;
    EXPECT_FALSE(ReadInclusionsCsv(text, headerRequired, inclusions, problem)) << text;
    EXPECT_TRUE(inclusions.empty());
    return problem;
}

void ExpectSame(const CInclusionRecordEx& a, const CInclusionRecordEx& b) {
    EXPECT_EQ(a.mInclusionName, b.mInclusionName);
    EXPECT_EQ(a.mTh, b.mTh);
    EXPECT_EQ(a.mFv, b.mFv);
    EXPECT_EQ(a.mTv, b.mTv);
    EXPECT_EQ(a.mHomog, b.mHomog);
    EXPECT_EQ(a.mCO2, b.mCO2);
    EXPECT_EQ(a.mN2, b.mN2);
    EXPECT_EQ(a.mH2S, b.mH2S);
    ASSERT_EQ(a.mVolumeDataList.Count(), b.mVolumeDataList.Count());
    for (long i = 0; i < a.mVolumeDataList.Count(); ++i) {
        EXPECT_EQ(a.mVolumeDataList.mList.At(i)->mT, b.mVolumeDataList.mList.At(i)->mT);
        EXPECT_EQ(a.mVolumeDataList.mList.At(i)->mVolume, b.mVolumeDataList.mList.At(i)->mVolume);
    }
}

const std::string kHeader = "Inclusion,Th (°C),% Gas,Tv (°C),Homog.,% CO2,% N2,% H2S\n";

} // namespace

TEST(InclusionCsv, RandomTablesComeBackTheSameWithEverySeparator) {
    Random r(11);
    for (int table = 0; table < 60; ++table) {
        Inclusions original;
        for (int i = r.Int(0, 6); i > 0; --i) {
            auto inclusion = std::make_unique<CInclusionRecordEx>();
            FillInclusion(r, *inclusion);
            // Names with what needs quoting: separators, quotes, blanks at either end.
            static const char* awkward[] = {"a,b", "say \"hi\"", "x;y", " lead", "trail ", "plain"};
            if (inclusion->mInclusionName.find_first_not_of(' ') == std::string::npos)
                inclusion->mInclusionName = awkward[r.Int(0, 5)];
            for (int k = r.Int(0, 5); k > 0; --k)
                inclusion->mVolumeDataList.Add(new CVolumeRecord(r.Real(-20, 300), r.Real(0, 50)));
            original.push_back(std::move(inclusion));
        }
        std::vector<const CInclusionRecordEx*> view;
        for (const auto& inclusion : original)
            view.push_back(inclusion.get());
        for (char separator : {',', ';', '\t'}) {
            SCOPED_TRACE(testing::Message() << "table " << table << " separator " << int(separator));
            const Inclusions back = Read(WriteInclusionsCsv(view, separator));
            ASSERT_EQ(back.size(), original.size());
            for (std::size_t i = 0; i < back.size(); ++i)
                ExpectSame(*back[i], *original[i]);
        }
    }
}

TEST(InclusionCsv, ReadsWhatSpreadsheetsWrite) {
    // Any column order, loose titles, BOM, CRLF, quoted names, no gas columns, measurement pairs.
    const Inclusions a =
        Read("\xEF\xBB\xBFHomog;inclusion;TH (C);% gas;tv (°C);T2 (°C);% Gas 2;T1 (°C);% Gas 1\r\n"
             "l;\"FI;1\";95,5;4,2;20;60;3,1;20;4,2\r\n"
             "G;FI-2;130;60;22;;;;\r\n"
             ";;;;;;;;\r\n");
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[0]->mInclusionName, "FI;1");
    EXPECT_EQ(a[0]->mTh, 95.5);
    EXPECT_EQ(a[0]->mFv, 4.2);
    EXPECT_EQ(a[0]->mHomog, 1);
    EXPECT_EQ(a[0]->mCO2, 0);
    ASSERT_EQ(a[0]->mVolumeDataList.Count(), 2);
    EXPECT_EQ(a[0]->mVolumeDataList.mList.At(0)->mT, 20); // by the pairs' numbers, not their places
    EXPECT_EQ(a[0]->mVolumeDataList.mList.At(1)->mVolume, 3.1);
    EXPECT_EQ(a[1]->mHomog, 0);
    EXPECT_EQ(a[1]->mVolumeDataList.Count(), 0);
    EXPECT_EQ(a[1]->mPointFormat.mSize, 3);

    // Tab-separated with decimal commas; a header alone is an empty list.
    const Inclusions b = Read("Inclusion\tTh (°C)\t% Gas\tTv (°C)\tHomog.\t% CO2\t% N2\t% H2S\n"
                              "x y\t1,5e2\t0\t20\tvapour\t0,25\t0\t0\n");
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0]->mInclusionName, "x y");
    EXPECT_EQ(b[0]->mTh, 150);
    EXPECT_EQ(b[0]->mCO2, 0.25);
    EXPECT_TRUE(Read(kHeader).empty());

    // Pasted rows may come without a header: the table's columns in order, then pairs.
    const Inclusions c = Read("FI-9\t80\t5\t20\tL\t1\t0\t0\t25\t4\n", false);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0]->mCO2, 1);
    EXPECT_EQ(c[0]->mVolumeDataList.Count(), 1);
}

TEST(InclusionCsv, EveryFaultIsRefusedWithItsPlace) {
    struct Case {
        std::string text;
        long line, column;
        const char* reason; // a part of the reason
    };
    const Case cases[] = {
        {"", 0, 0, "no rows"},
        {"\xEF\xBB\xBF\r\n\r\n", 0, 0, "no rows"},
        {"Inclusion,Th (°C),% Gas,Homog.\nA,1,2,L\n", 1, 0, "\"Tv (°C)\" is missing"},
        {"Inclusion,Th (°C),% Gas,Tv (°C),Homog.,Notes\n", 1, 6, "unknown column \"Notes\""},
        {"Inclusion,Th (°C),% Gas,Tv (°C),Homog.,th (c)\n", 1, 6, "appears twice"},
        {"Inclusion,Th (°C),% Gas,Tv (°C),Homog.,T1 (°C)\n", 1, 0, "\"% Gas 1\" is missing"},
        {kHeader + "A,90,4,20,L,0,0,0\nB,90,4,20,X,0,0,0\n", 3, 5, "not a homogenisation type"},
        {kHeader + "A,9O,4,20,L,0,0,0\n", 2, 2, "\"9O\" is not a number"},
        {kHeader + "A,nan,4,20,L,0,0,0\n", 2, 2, "not a number"},
        {kHeader + "A,90,,20,L,0,0,0\n", 2, 3, "a number is needed"},
        {kHeader + "A,90,4,20,L,0,0\n", 2, 8, "7 cells where the header has 8"},
        {kHeader + "A,90,4,20,L,0,0,0,1\n", 2, 9, "9 cells"},
        {kHeader + "A,90,\"4,5\",20,L,0,0,0\n", 2, 3, "not a number"}, // no decimal comma with commas
        {kHeader + "A,90,140,20,L,0,0,0\n", 2, 3, "140 is outside 0 to 100"},
        {kHeader + "A,-300,4,20,L,0,0,0\n", 2, 2, "-300 is below -273.15"},
        {kHeader + ",90,4,20,L,0,0,0\n", 2, 1, "a name cannot be empty"},
        {kHeader + "\"A\nB\",90,4,20,L,0,0,0\n", 2, 1, "tab or a line end"},
        {kHeader + "\"A,90,4,20,L,0,0,0\n", 2, 1, "never closed"},
        {kHeader + "\"A\"x,90,4,20,L,0,0,0\n", 2, 1, "follows the closing quote"},
        {"Inclusion,Th (°C),% Gas,Tv (°C),Homog.,T1 (°C),% Gas 1\nA,90,4,20,L,25,\n", 2, 7,
         "needs both T1 (°C) and % Gas 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const CTextProblem problem = Refusal(c.text);
        EXPECT_EQ(problem.line, c.line);
        EXPECT_EQ(problem.column, c.column);
        EXPECT_NE(problem.reason.find(c.reason), std::string::npos) << problem.reason;
    }
    // The text names the place and the column.
    EXPECT_EQ(Refusal(kHeader + "A,9O,4,20,L,0,0,0\n").Text(),
              "line 2, column 2 (Th (°C)): \"9O\" is not a number");
}
