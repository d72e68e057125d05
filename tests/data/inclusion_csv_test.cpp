// SPDX-License-Identifier: BSD-3-Clause
// Inclusion lists as CSV: what spreadsheets write is read, every fault is refused with its line and
// column, and what is written reads back as the same records.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "base/utf8_text.hpp"
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

// UTF-8 text in UTF-16 with its byte order mark.
std::string Utf16(const std::string& utf8, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    auto put = [&](unsigned unit) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        unsigned code = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += static_cast<std::size_t>(extra) + 1;
        if (code >= 0x10000) {
            put(0xD800 + ((code - 0x10000) >> 10));
            put(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            put(code);
        }
    }
    return out;
}

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
    using namespace std::string_literals;
    const std::string le = Utf16(kHeader + "A,90,4,20,L,0,0,0\n", false);
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
        // NUL bytes, in any cell, shown escaped; bytes that are not UTF-8 likewise.
        {kHeader + "A\0B,90,4,20,L,0,0,0\n"s, 2, 1, "\"A\\0B\" holds a NUL byte"},
        {kHeader + "A,90,4,20,L\0,0,0,0\n"s, 2, 5, "\"L\\0\" holds a NUL byte"},
        {"Inclusion,Th\0 (°C)\n"s, 1, 2, "unknown column \"Th\\0 (°C)\""},
        {kHeader + "A,90,4,20,L,0,0,0\nS\xE9"
                   "diment,90,4,20,L,0,0,0\n",
         3, 1, "\"S\\xE9diment\" is not UTF-8 text (the byte shown as \\xE9 is not)"},
        {kHeader + "A,9\xB5,4,20,L,0,0,0\n", 2, 2, "\"9\\xB5\" is not a number"},
        // Encodings that are not read are named.
        {le.substr(0, le.size() - 1), 0, 0, "UTF-16 (little-endian) but ends in the middle of a character"},
        {"\xFE\xFF\xDC\x00\x00"
         "A"s,
         1, 0, "UTF-16 (big-endian) but holds half of a character"},
        {le.substr(2), 0, 0, "looks like UTF-16 (little-endian) without a byte order mark"},
        {Utf16(kHeader, true).substr(2), 0, 0, "looks like UTF-16 (big-endian) without a byte order mark"},
        {"\xFF\xFE\0\0I\0\0\0"s, 0, 0, "UTF-32 (little-endian)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(EscapeForMessage(c.text, 80));
        const CTextProblem problem = Refusal(c.text);
        EXPECT_EQ(problem.line, c.line);
        EXPECT_EQ(problem.column, c.column);
        EXPECT_NE(problem.reason.find(c.reason), std::string::npos) << problem.reason;
    }
    // The text names the place and the column, and goes on past a NUL.
    EXPECT_EQ(Refusal(kHeader + "A,9O,4,20,L,0,0,0\n").Text(),
              "line 2, column 2 (Th (°C)): \"9O\" is not a number");
    EXPECT_EQ(Refusal(kHeader + "A,8\0.5,4,20,L,0,0,0\n"s).Text(),
              "line 2, column 2 (Th (°C)): \"8\\0.5\" holds a NUL byte (shown as \\0)");
}

TEST(InclusionCsv, Utf16WithItsByteOrderMarkIsRead) {
    const std::string csv = "Inclusion;Th (°C);% Gas;Tv (°C);Homog.\r\nFI-\xC3\xA9;95,5;4,2;20;L\r\n";
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        const Inclusions read = Read(Utf16(csv, bigEndian));
        ASSERT_EQ(read.size(), 1u);
        EXPECT_EQ(read[0]->mInclusionName, "FI-\xC3\xA9"); // UTF-8 in the record
        EXPECT_EQ(read[0]->mTh, 95.5);
        EXPECT_EQ(read[0]->mFv, 4.2);
    }
    // A name beyond the basic plane comes as a surrogate pair.
    const Inclusions emoji = Read(Utf16("Inclusion,Th (°C),% Gas,Tv (°C),Homog.\n\xF0\x9F\x98\x80"
                                        "A,90,4,20,L\n",
                                        false));
    ASSERT_EQ(emoji.size(), 1u);
    EXPECT_EQ(emoji[0]->mInclusionName, "\xF0\x9F\x98\x80"
                                        "A");
}

TEST(InclusionCsv, TheFormulaGuardRoundTripGivesBackEveryName) {
    struct Case {
        const char* name;
        const char* written; // the cell as the file holds it
    };
    const Case cases[] = {
        {"=cmd|' /C calc'!A0", "'=cmd|' /C calc'!A0"},
        {"-FI 1", "'-FI 1"},
        {"@import", "'@import"},
        {"-12.5", "-12.5"},          // a number is no formula
        {"'quoted", "'quoted"},      // an apostrophe that guards nothing stays single
        {"'", "'"},                  //
        {"'=already", "''=already"}, // one that would be taken for a guard is doubled
        {"''", "'''"},               //
        {"FI=1", "FI=1"},            // only the first character matters
    };
    std::vector<std::unique_ptr<CInclusionRecordEx>> originals;
    std::vector<const CInclusionRecordEx*> view;
    for (const Case& c : cases) {
        originals.push_back(std::make_unique<CInclusionRecordEx>());
        originals.back()->mInclusionName = c.name;
        originals.back()->mTh = -12.5; // numbers that start with "-" are written as they are
        view.push_back(originals.back().get());
    }
    for (char separator : {',', ';', '\t'}) {
        SCOPED_TRACE(int(separator));
        const std::string csv = WriteInclusionsCsv(view, separator);
        std::vector<CDelimitedRow> rows;
        CTextProblem problem;
        ASSERT_TRUE(SplitDelimitedText(csv, separator, rows, problem));
        ASSERT_EQ(rows.size(), std::size(cases) + 1);
        const Inclusions back = Read(csv);
        ASSERT_EQ(back.size(), std::size(cases));
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            SCOPED_TRACE(cases[i].name);
            EXPECT_EQ(rows[i + 1].cells[0].text, cases[i].written);
            EXPECT_EQ(rows[i + 1].cells[1].text, "-12.5");
            EXPECT_EQ(back[i]->mInclusionName, cases[i].name);
            EXPECT_EQ(back[i]->mTh, -12.5);
        }
    }
    // The guard and its reading, cell by cell.
    for (const char* text : {"+1+1", "\t=x", "\r=x", "'\t", "", "-1e5", "- 1"})
        EXPECT_EQ(UnguardCell(GuardCell(text)), text) << EscapeForMessage(text);
    EXPECT_EQ(GuardCell("\t5"), "'\t5");
}

TEST(InclusionCsv, TextsBeyondTheLimitsAreRefusedNamingThem) {
    std::string csv = kHeader;
    for (int i = 0; i < 5; ++i)
        csv += "FI-" + std::to_string(i) + ",90,4,20,L,0,0,0\n";
    Inclusions inclusions;
    CTextProblem problem;
    EXPECT_TRUE(ReadInclusionsCsv(csv, true, inclusions, problem, {6, 48})) << problem.Text();
    EXPECT_EQ(inclusions.size(), 5u);
    EXPECT_FALSE(ReadInclusionsCsv(csv, true, inclusions, problem, {5, 1000}));
    EXPECT_TRUE(inclusions.empty());
    EXPECT_EQ(problem.Text(), "line 6: the text has more than 5 rows, the most Zephon reads");
    EXPECT_FALSE(ReadInclusionsCsv(csv, true, inclusions, problem, {1000, 47}));
    EXPECT_EQ(problem.Text(), "line 6, column 8: the text has more than 47 cells, the most Zephon reads");
    EXPECT_EQ(CTextLimits().maxRows, 1000000u);
}
