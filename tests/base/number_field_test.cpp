// SPDX-License-Identifier: BSD-3-Clause
#include "base/number_field.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <optional>
#include <string>

namespace {

struct FieldCase {
    const char* text;
    std::optional<double> value; // nothing: refused
};

// One table for what people type into number fields.
const FieldCase kFieldCases[] = {
    {"12.5", 12.5},    {"  7 \t", 7}, {"\t-3.25", -3.25}, {"+4", 4},         {"1e3", 1000}, {"1E-2", 0.01},
    {".5", 0.5},       {"5.", 5},     {"0", 0},           {"0.0", 0},        {"00", 0},     {" 0", 0},
    {"-0", {}},        {".0", {}},    {"+0", {}},         {"1e-400", {}},    {"12abc", {}}, {"", {}},
    {"   ", {}},       {"nan", {}},   {"inf", {}},        {"-infinity", {}}, {"0x1A", {}},  {"1e999", {}},
    {"1,5", {}},       {"--1", {}},   {"+-1", {}},        {"1 2", {}},       {"e5", {}},    {"1e", {}},
    {"-1.5e+2", -150},
};

} // namespace

TEST(NumberField, AcceptsFiniteDecimalsOnly) {
    for (const auto& c : kFieldCases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        EXPECT_EQ(ParseNumberField(c.text), c.value);
    }
}

TEST(NumberField, ZeroRuleBelongsToFieldsOnly) {
    // The command line reads "-0" as a number; a dialog field does not.
    EXPECT_EQ(ParseDecimal("-0"), 0.0);
    EXPECT_EQ(ParseDecimal(".0"), 0.0);
    EXPECT_FALSE(ParseDecimal("nan"));
    EXPECT_FALSE(ParseDecimal("0x10"));
}

TEST(NumberField, FormatsWithAPointAndNoNegativeZero) {
    EXPECT_EQ(FormatFixed(12.3456, 3), "12.346");
    EXPECT_EQ(FormatFixed(-0.0001, 3), "0.000");
    EXPECT_EQ(FormatFixed(-0.4, 0), "0");
    EXPECT_EQ(FormatFixed(-1.5, 1), "-1.5");
    EXPECT_EQ(FormatFixed(2.5, 12), "2.500000"); // out of 0..8: as "%f"
    EXPECT_EQ(FormatFixed(1e300, 0).size(), 301u);
}

TEST(NumberField, IndependentOfTheProcessLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE.UTF-8 locale";
    EXPECT_EQ(ParseNumberField("1.5"), 1.5);
    EXPECT_FALSE(ParseNumberField("1,5"));
    EXPECT_EQ(FormatFixed(1.5, 2), "1.50");
    std::setlocale(LC_NUMERIC, saved.c_str());
}
