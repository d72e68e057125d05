// SPDX-License-Identifier: BSD-3-Clause
// Texts in messages: whole, on one line, with bytes that are no text escaped; UTF-8 checked.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "base/misc_util.hpp"
#include "base/number_field.hpp"
#include "base/utf8_text.hpp"

using namespace std::string_literals;

TEST(MessageText, EscapesWhatIsNoTextAndKeepsTheRestWhole) {
    struct Case {
        std::string text;
        std::string shown;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"A\0B"s, "A\\0B"},
        {"8\0.5"s, "8\\0.5"},
        {"a\tb\nc\rd", "a\\tb\\nc\\rd"},
        {"bell\x07", "bell\\x07"},
        {"caf\xE9", "caf\\xE9"},                    // Latin-1
        {"\xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9"}, // UTF-8 is kept
        {"Th (\xC2\xB0"
         "C)",
         "Th (\xC2\xB0"
         "C)"},
        {"\xED\xA0\x80", "\\xED\\xA0\\x80"}, // a surrogate is no UTF-8
        {"\xC0\xAF", "\\xC0\\xAF"},          // an overlong form neither
        {"\xFF\xFEI\0n\0"s, "\\xFF\\xFEI\\0n\\0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EscapeForMessage(c.text), c.shown) << c.shown;
    EXPECT_EQ(EscapeForMessage(std::string(50, 'x'), 40), std::string(40, 'x') + "...");
    EXPECT_EQ(EscapeForMessage("\xC3\xA9\xC3\xA9\xC3\xA9", 2), "\xC3\xA9\xC3\xA9...");
}

TEST(MessageText, FindsTheFirstByteThatIsNotUtf8) {
    EXPECT_EQ(FindInvalidUtf8(""), std::string::npos);
    EXPECT_EQ(FindInvalidUtf8("FI-1 \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"), std::string::npos);
    EXPECT_EQ(FindInvalidUtf8("caf\xE9"), 3u);
    EXPECT_EQ(FindInvalidUtf8("ab\xC3"), 2u);           // cut
    EXPECT_EQ(FindInvalidUtf8("\xF4\x90\x80\x80"), 0u); // above U+10FFFF
    EXPECT_EQ(FindInvalidUtf8("x\x80"), 1u);            // a continuation byte alone
}

TEST(MessageText, ValuesThatAreNotNumbersShowInWords) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double value : {nan, inf, -inf}) {
        EXPECT_EQ(FormatFixed(value, 1), "not a number");
        EXPECT_FALSE(ParseNumberField(FormatFixed(value, 2))); // and a field refuses what it shows
    }
    EXPECT_EQ(SpaceNumberInsert("not a number"), "not a number");
    EXPECT_EQ(SpaceNumberInsert("-1234.5"), "-1 234.5");
}
