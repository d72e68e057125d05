// SPDX-License-Identifier: BSD-3-Clause
#include "base/data_handle_stream.hpp"

#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>

namespace {

std::string WriteDouble(double value, int type, int digits) {
    CDataHandleStream out;
    out.SetFormat(type, digits);
    out << value;
    return out.Text();
}

} // namespace

TEST(DataHandleStreamWrite, DoubleFormats) {
    EXPECT_EQ(WriteDouble(12.3456789, 1, 3), "12.346\t");
    EXPECT_EQ(WriteDouble(12.3456789, 0, 8), "12.345679\t");
    EXPECT_EQ(WriteDouble(12.3456789, 0, 12), "12.345679\t"); // precision above 8 acts as 8
    EXPECT_EQ(WriteDouble(12.3456789, 1, 12), "12.34567890\t");
    EXPECT_EQ(WriteDouble(12.5, 1, 0), "12\t"); // round half to even, as printf
    EXPECT_EQ(WriteDouble(1234567.0, 0, 3), "1.23e+06\t");
    EXPECT_EQ(WriteDouble(0.0001234, 0, 3), "0.000123\t");
    EXPECT_EQ(WriteDouble(2.0, 0, 0), "2\t");
    EXPECT_EQ(WriteDouble(-0.5, 0, 6), "-0.5\t");
    EXPECT_EQ(WriteDouble(1e300, 0, 8), "1e+300\t");
    EXPECT_EQ(WriteDouble(1e300, 1, 8).size(), 301u + 9u + 1u); // every integer digit, no overflow
    // Any type other than 1 means general notation.
    EXPECT_EQ(WriteDouble(95.5, 7, 3), "95.5\t");
}

TEST(DataHandleStreamWrite, IntegersStringsAndLines) {
    CDataHandleStream out;
    out << short{-3} << 2000000000L << 7 << "Gas cap sample" << std::string("a\tb_c");
    out.NextLine();
    out << "";
    out.DoubleLine();
    EXPECT_EQ(out.Text(), "-3\t2000000000\t7\tGas_cap_sample\ta_b_c\t\n_\t\n\n");
}

TEST(DataHandleStreamWrite, LongNamesAreCutAndLineBreaksNeverSplitAField) {
    CDataHandleStream out;
    out << std::string(300, 'x') << "two\nlines\r";
    EXPECT_EQ(out.Text(), std::string(255, 'x') + "\ttwo_lines_\t");
}

TEST(DataHandleStreamRead, TokensIgnoreLayout) {
    auto in = CDataHandleStream::FromText("  12\n\n\t-7   3.25e2 Gas_cap_sample\r\nfoo_bar .5 -1e-3");
    short s = 0;
    long l = 0;
    double d = 0, half = 0, small = 0;
    std::string name, other;
    in >> s >> l >> d >> name >> other >> half >> small;
    EXPECT_EQ(s, 12);
    EXPECT_EQ(l, -7);
    EXPECT_DOUBLE_EQ(d, 325.0);
    EXPECT_EQ(name, "Gas cap sample");
    EXPECT_EQ(other, "foo bar");
    EXPECT_DOUBLE_EQ(half, 0.5);
    EXPECT_DOUBLE_EQ(small, -0.001);
    EXPECT_FALSE(in.HasError());
    EXPECT_EQ(in.SuccessfulReads(), 7u);
}

TEST(DataHandleStreamRead, FailureIsStickyAndZeroes) {
    auto in = CDataHandleStream::FromText("5 abc 6 7.5 word");
    long a = 0, b = 99, c = 99;
    double d = 99;
    std::string w = "keep";
    in >> a >> b;
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 0);
    EXPECT_TRUE(in.HasError());
    in >> c >> d >> w; // 6, 7.5 and "word" are there, but the stream no longer reads
    EXPECT_EQ(c, 0);
    EXPECT_EQ(d, 0.0);
    EXPECT_EQ(w, "");

    auto empty = CDataHandleStream::FromText("");
    std::string name = "x";
    empty >> name;
    EXPECT_TRUE(empty.HasError());
    EXPECT_EQ(name, "");
}

namespace {

// What a number field of each kind does with a token: read it (the value), or stop reading there.
template <class Number> std::optional<Number> ReadOne(const std::string& token) {
    // The field between two good ones: reading stops at the token and keeps what came before.
    auto in = CDataHandleStream::FromText("5\t" + token + "\t7\n");
    Number before = 0, value = 99, after = 99;
    in >> before >> value >> after;
    EXPECT_EQ(before, 5) << token;
    if (in.HasError()) {
        EXPECT_EQ(value, 0) << token; // a refused field and all after it read as 0
        EXPECT_EQ(after, 0) << token;
        EXPECT_EQ(in.SuccessfulReads(), 1u) << token; // the damage is located at this token
        return std::nullopt;
    }
    EXPECT_EQ(after, 7) << token;
    return value;
}

// Every spelling of a value that is not a finite number, as standard libraries write and read them.
const char* const kNonFiniteSpellings[] = {
    "inf",      "-inf",  "+inf",    "INF",     "infinity",
    "INFINITY", "nan",   "-nan",    "NaN",     "nan(123)",
    "NAN(0x7)", "1e999", "-1E+999", "9.9e308", "1e99999999999999999999",
    "0.001e312"};

} // namespace

TEST(DataHandleStreamRead, NonFiniteSpellingsAreDamageInEveryNumberField) {
    for (const char* spelling : kNonFiniteSpellings) {
        SCOPED_TRACE(spelling);
        EXPECT_FALSE(ReadOne<double>(spelling));
        EXPECT_FALSE(ReadOne<short>(spelling));
        EXPECT_FALSE(ReadOne<int>(spelling));
        EXPECT_FALSE(ReadOne<long>(spelling));
    }
}

TEST(DataHandleStreamRead, ANumberFieldTakesOneWholeTokenWithinItsRange) {
    struct Case {
        const char* token;
        std::optional<double> asDouble;
        std::optional<long> asLong;
        std::optional<short> asShort;
    };
    const Case cases[] = {
        {"-7", -7, -7, -7},
        {"+3", 3, 3, 3},
        {"0.5", 0.5, {}, {}}, // a decimal in a whole-number field
        {"3.25e2", 325, {}, {}},
        {"1.7976931348623157e308", 1.7976931348623157e308, {}, {}}, // the largest double
        {"1e-999", 0, {}, {}},                                      // too small for a double: 0
        {"1e", {}, {}, {}}, // glued to other characters: damage, not two fields
        {"12abc", {}, {}, {}},
        {"1,5", {}, {}, {}}, // a decimal comma
        {"0x10", {}, {}, {}},
        {"-", {}, {}, {}},
        {"32767", 32767, 32767, 32767},
        {"32768", 32768, 32768, {}}, // beyond a short: damage, never cut to 32767
        {"-32769", -32769, -32769, {}},
        {"-9223372036854775808", -9223372036854775808.0, std::numeric_limits<long>::min(), {}},
        {"9223372036854775808", 9223372036854775808.0, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.token);
        EXPECT_EQ(ReadOne<double>(c.token), c.asDouble);
        EXPECT_EQ(ReadOne<long>(c.token), c.asLong);
        EXPECT_EQ(ReadOne<short>(c.token), c.asShort);
    }
}

TEST(DataHandleStreamWrite, AValueThatIsNotFiniteIsWrittenAsZeroAndCounted) {
    CDataHandleStream out;
    out.SetFixed(2);
    out << 1.5;
    out.NextLine();
    out << std::numeric_limits<double>::quiet_NaN() << 2.0;
    out.DoubleLine();
    out << -std::numeric_limits<double>::infinity() << std::numeric_limits<double>::infinity();
    EXPECT_EQ(out.Text(), "1.50\t\n0\t2.00\t\n\n0\t0\t");
    EXPECT_EQ(out.NonFiniteWrites(), 3u);
    EXPECT_EQ(out.FirstNonFiniteLine(), 2);
    // What is written reads back without damage.
    auto in = CDataHandleStream::FromText(out.Text());
    double values[5] = {};
    for (double& value : values)
        in >> value;
    EXPECT_FALSE(in.HasError());

    CDataHandleStream clean;
    clean << 1.0;
    EXPECT_EQ(clean.NonFiniteWrites(), 0u);
    EXPECT_EQ(clean.FirstNonFiniteLine(), 0);
}

TEST(DataHandleStreamRead, NamesFitTheirBuffersAndEmptyNamesKeepTheirField) {
    const std::string longToken(400, 'y');
    auto in = CDataHandleStream::FromText(longToken + "\t42\t_\t43\tab_");
    std::array<char, 256> buffer{};
    long next = 0, after = 0;
    std::string empty = "x";
    char small[4];
    in >> buffer >> next >> empty >> after >> small;
    EXPECT_EQ(std::string(buffer.data()), std::string(255, 'y'));
    EXPECT_EQ(next, 42);
    EXPECT_EQ(empty, "");
    EXPECT_EQ(after, 43);
    EXPECT_STREQ(small, "ab ");

    // An empty name written and read back leaves the following field in place.
    CDataHandleStream out;
    out << "" << 5L;
    auto back = CDataHandleStream::FromText(out.Text());
    std::string name = "x";
    long five = 0;
    back >> name >> five;
    EXPECT_EQ(name, "");
    EXPECT_EQ(five, 5);
}

TEST(DataHandleStreamFile, WritesAndReadsAnOpenFile) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    {
        CDataHandleStream out(file);
        out.SetFixed(2);
        out << 95.5 << "Inc 1";
        out.NextLine();
    }
    std::rewind(file);
    CDataHandleStream in(file);
    double th = 0;
    std::string name;
    in >> th >> name;
    EXPECT_DOUBLE_EQ(th, 95.5);
    EXPECT_EQ(name, "Inc 1");
    std::fclose(file);
}

TEST(DataHandleStreamLocale, DecimalCommaLocaleDoesNotChangeTheBytes) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const char* names[] = {"de_DE.UTF-8", "de_DE.utf8",  "de_DE",       "fr_FR.UTF-8", "fr_FR.utf8",
                           "fr_FR",       "nl_NL.UTF-8", "ru_RU.UTF-8", "es_ES.UTF-8"};
    bool found = false;
    for (const char* name : names) {
        if (std::setlocale(LC_ALL, name) != nullptr && std::localeconv()->decimal_point[0] == ',') {
            found = true;
            break;
        }
    }
    if (!found) {
        std::setlocale(LC_ALL, previous.c_str());
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    const std::string fixed = WriteDouble(12.3456789, 1, 3);
    const std::string general = WriteDouble(1234.5, 0, 8);
    auto in = CDataHandleStream::FromText("3.75 2,5");
    double a = 0, b = 0;
    long c = 0;
    in >> a >> b >> c; // "2,5" is no number, whatever the locale: reading stops there
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(fixed, "12.346\t");
    EXPECT_EQ(general, "1234.5\t");
    EXPECT_DOUBLE_EQ(a, 3.75);
    EXPECT_EQ(b, 0.0);
    EXPECT_TRUE(in.HasError());
    EXPECT_EQ(in.SuccessfulReads(), 1u);
}
