// SPDX-License-Identifier: BSD-3-Clause
// The JSON writer and the option parser: what every command's output and input rest on.
#include <cmath>
#include <limits>

#include "cli/command_line.hpp"
#include "cli/json_writer.hpp"
#include "cli_test_util.hpp"

using namespace zephon::cli;
using namespace zephon::testing;

TEST(JsonWriter, NestedContainersAndEscapesReadBack) {
    CJsonWriter json;
    json.BeginObject()
        .Field("name", std::string("quote \" backslash \\ tab \t line\n bell \x07"))
        .Key("empty")
        .BeginArray()
        .EndArray()
        .Key("list")
        .BeginArray()
        .Value(1.5)
        .Null()
        .Value(true)
        .BeginObject()
        .Field("k", 2L)
        .EndObject()
        .EndArray()
        .EndObject();
    const Json value = JsonReader::Parse(json.Text());
    EXPECT_EQ(value["name"].Text(), "quote \" backslash \\ tab \t line\n bell \x07");
    EXPECT_TRUE(value["empty"].Array().empty());
    ASSERT_EQ(value["list"].Array().size(), 4u);
    EXPECT_EQ(value["list"][0].Number(), 1.5);
    EXPECT_TRUE(value["list"][1].IsNull());
    EXPECT_TRUE(value["list"][2].Bool());
    EXPECT_EQ(value["list"][3]["k"].Number(), 2);
}

TEST(JsonWriter, NumbersKeepFullPrecisionAndNonFiniteBecomesNull) {
    for (double v : {0.1, 1.0 / 3.0, 113.10977721894596, -2.5e-300, 1.7976931348623157e308, 5e-324}) {
        const Json back = JsonReader::Parse(CJsonWriter::Number(v));
        EXPECT_EQ(back.Number(), v) << CJsonWriter::Number(v);
    }
    EXPECT_EQ(CJsonWriter::Number(-0.0), "0");
    for (double v : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity()}) {
        CJsonWriter json;
        json.BeginArray().Value(v).EndArray();
        EXPECT_EQ(json.Text(), "[null]");
    }
}

TEST(JsonWriter, TextThatIsNotUtf8IsReadAsLatin1) {
    std::string out;
    CJsonWriter::AppendString(out, "25 \xB0"
                                   "C, 25 \xC2\xB0"
                                   "C, cut \xE2\x82");
    // The lone degree byte becomes its UTF-8 form; the valid sequence is kept; a cut sequence
    // becomes two Latin-1 characters rather than broken UTF-8.
    EXPECT_EQ(out, "\"25 \xC2\xB0"
                   "C, 25 \xC2\xB0"
                   "C, cut \xC3\xA2\xC2\x82\"");
}

TEST(CommandLine, OptionsValuesAndMistakes) {
    COptionSpec spec;
    spec.flags = {"--json", "--bubble", "--dew"};
    spec.values = {"--t", "--jobs"};
    spec.maxPositional = 1;
    const CCommandLine line("cmd", {"file.flu", "--t", "-12.5", "--json", "--jobs", "3"}, spec);
    EXPECT_EQ(line.Positional(), std::vector<std::string>{"file.flu"});
    EXPECT_EQ(line.RequiredNumber("--t"), -12.5);
    EXPECT_EQ(line.Integer("--jobs", 1, 8), 3);
    EXPECT_TRUE(line.Has("--json"));
    EXPECT_FALSE(line.Has("--bubble"));

    auto usage = [&](std::vector<std::string> arguments) {
        try {
            CCommandLine bad("cmd", arguments, spec);
            bad.Number("--t");
            bad.Integer("--jobs", 1, 8);
            bad.EitherFlag("--bubble", "--dew");
        } catch (const CCliError& error) {
            return error.Code();
        }
        return 0;
    };
    EXPECT_EQ(usage({"--bubble", "--t", "20"}), 0);
    EXPECT_EQ(usage({"--bubble", "--temperature", "20"}), kExitBadUsage) << "unknown option";
    EXPECT_EQ(usage({"--bubble", "--t"}), kExitBadUsage) << "missing value";
    EXPECT_EQ(usage({"--bubble", "--t", "1", "--t", "2"}), kExitBadUsage) << "given twice";
    EXPECT_EQ(usage({"--bubble", "a", "b"}), kExitBadUsage) << "one file at most";
    EXPECT_EQ(usage({"--bubble", "-x"}), kExitBadUsage);
    EXPECT_EQ(usage({"--bubble", "--dew"}), kExitBadUsage) << "exactly one of the pair";
    EXPECT_EQ(usage({}), kExitBadUsage);
    for (const char* number : {"1,5", "20C", "nan", "inf", "", "1e999", "0x10"})
        EXPECT_EQ(usage({"--bubble", "--t", number}), kExitBadUsage) << number;
    for (const char* jobs : {"0", "9", "2.5", "-1"})
        EXPECT_EQ(usage({"--bubble", "--jobs", jobs}), kExitBadUsage) << jobs;
}

TEST(CommandLine, NumbersIgnoreTheUsersLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "no decimal-comma locale installed";
    EXPECT_EQ(CCommandLine::ParseNumber("12.75"), 12.75);
    EXPECT_FALSE(CCommandLine::ParseNumber("12,75"));
    EXPECT_EQ(CJsonWriter::Number(12.75), "12.75");
    std::setlocale(LC_NUMERIC, saved.c_str());
}
