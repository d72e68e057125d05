// SPDX-License-Identifier: BSD-3-Clause
// A command that fails leaves every file it names as it was; files with nothing in them are no
// documents; curves that lie on one another coincide rather than cross.
#include <filesystem>
#include <string>
#include <vector>

#include "cli_test_util.hpp"

namespace {

using namespace zephon::testing;
using zephon::cli::kExitBadUsage;
using zephon::cli::kExitCalculationFailed;

const std::string kOld = "the user's previous file, which must survive\n";

std::vector<std::string> Oil(std::vector<std::string> head) {
    for (const char* word : {"--alpha", "0.8", "--beta", "0.2"})
        head.emplace_back(word);
    return head;
}

// Every file a failing command names keeps its bytes, and no temporary file is left beside it.
void ExpectUntouched(const ScratchFolder& folder, const std::vector<std::string>& files, const CliRun& run) {
    for (const std::string& name : files)
        EXPECT_EQ(ReadText(folder / name), kOld) << name << " was replaced by a failing command: " << run.err;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        EXPECT_EQ(entry.path().filename().string().rfind(".", 0), std::string::npos)
            << "a temporary file is left: " << entry.path();
}

TEST(FailingCommands, WriteNothingWhenTheCalculationFailsAfterItsFiles) {
    ScratchFolder folder;
    WriteText(folder / "keep.ptd", kOld);
    // The aqueous Th below the oil's, without a salinity: no trapping pressure.
    const CliRun below =
        RunTool(Oil({"isochore", "--th", "100", "--liquid", "--thaq", "20", "--out", folder / "keep.ptd"}));
    EXPECT_EQ(below.code, kExitCalculationFailed) << below.err;
    ExpectUntouched(folder, {"keep.ptd"}, below);

    // The crossing is found, its band is not.
    const CliRun band = RunTool(Oil({"isochore", "--th", "100", "--liquid", "--thaq", "150", "--salinity",
                                     "10", "--sd-thaq", "1e308", "--out", folder / "keep.ptd", "--json"}));
    EXPECT_EQ(band.code, kExitCalculationFailed) << band.err;
    ExpectUntouched(folder, {"keep.ptd"}, band);
}

TEST(FailingCommands, WriteNothingWhenALaterFileCannotBeWritten) {
    ScratchFolder folder;
    std::filesystem::create_directory(folder / "taken.svg"); // in the way of the picture
    WriteText(folder / "keep.ptd", kOld);
    WriteText(folder / "keep.abp", kOld);
    const CliRun envelope =
        RunTool(Oil({"envelope", "--out", folder / "keep.ptd", "--svg", folder / "taken.svg"}));
    EXPECT_EQ(envelope.code, kExitBadUsage);
    EXPECT_NE(envelope.err.find("taken.svg: cannot write the file"), std::string::npos) << envelope.err;

    const CliRun curves = RunTool({"abcurve", "--th", "90", "--fv", "10", "--tfv", "20", "--liquid", "--out",
                                   folder / "keep.abp", "--svg", folder / "taken.svg"});
    EXPECT_EQ(curves.code, kExitBadUsage) << curves.err;
    ExpectUntouched(folder, {"keep.ptd", "keep.abp"}, curves);

    // The demonstration writes its eight files together or not at all.
    std::filesystem::create_directory(folder / "demo");
    WriteText(folder / "demo/inclusions.inc", kOld);
    std::filesystem::create_directory(folder / "demo/bubble_size.svg");
    const CliRun demo = RunTool({"demo", "--out", folder / "demo", "--jobs", "2"});
    EXPECT_EQ(demo.code, kExitBadUsage) << demo.err;
    EXPECT_EQ(ReadText(folder / "demo/inclusions.inc"), kOld);
    EXPECT_FALSE(std::filesystem::exists(folder / "demo/alpha_beta.abp"));

    // And a folder the demonstration would make is not left behind by a failed run.
    const CliRun stopped = RunTool({"demo", "--out", folder / "keep.ptd/inside"});
    EXPECT_EQ(stopped.code, kExitBadUsage) << stopped.err;
    EXPECT_EQ(ReadText(folder / "keep.ptd"), kOld);
}

TEST(EmptyFiles, AreRefusedByEveryReaderWithOneMessage) {
    ScratchFolder folder;
    for (const char* name : {"empty.inc", "empty.abe", "empty.flu", "empty.abp", "empty.ptd", "blank.ptd"})
        WriteText(folder / name, std::string(name).rfind("blank", 0) == 0 ? " \n\t\n" : "");
    const std::vector<std::vector<std::string>> commands = {
        {"info", folder / "empty.inc"},
        {"info", folder / "empty.abe"},
        {"info", folder / "empty.flu"},
        {"info", folder / "empty.abp"},
        {"info", folder / "blank.ptd", "--json"},
        {"crossings", folder / "empty.abp"},
        {"render", folder / "empty.ptd", "--svg", folder / "x.svg"},
        {"gor", "--fluid", folder / "empty.flu"},
        {"abcurve", "--inc", folder / "empty.inc"},
        {"convert", folder / "empty.inc", folder / "x.csv"}};
    for (const auto& command : commands) {
        const CliRun run = RunTool(command);
        EXPECT_EQ(run.code, kExitBadUsage) << command[0] << ' ' << command[1];
        EXPECT_NE(run.err.find(": the file is empty"), std::string::npos) << run.err;
    }
    const CliRun piped = RunTool({"info", "-", "--kind", "ptd"}, "\n");
    EXPECT_EQ(piped.code, kExitBadUsage);
    EXPECT_NE(piped.err.find("standard input: the file is empty"), std::string::npos) << piped.err;
    EXPECT_FALSE(std::filesystem::exists(folder / "x.svg"));
}

TEST(Crossings, TwoEqualCurvesCoincideAlongTheirLengthAndCrossNowhere) {
    ScratchFolder folder;
    // One inclusion measured twice under two names gives one curve twice.
    WriteText(folder / "twice.csv", "Inclusion,Th (C),% Gas,Tv (C),Homog.\nA,80,8,20,L\nB,80,8,20,L\n");
    ASSERT_EQ(RunTool({"convert", folder / "twice.csv", folder / "twice.inc"}).code, 0);
    const CliRun traced = RunTool({"abcurve", "--inc", folder / "twice.inc", "--out", folder / "twice.abp"});
    ASSERT_EQ(traced.code, 0) << traced.err;
    const Json found = JsonReader::Parse(RunTool({"crossings", folder / "twice.abp", "--json"}).out);
    EXPECT_TRUE(found["crossings"].Array().empty()) << "shared vertices are no crossings";
    ASSERT_EQ(found["coincidences"].Array().size(), 1u);
    const Json& stretch = found["coincidences"].Array().front();
    EXPECT_EQ(stretch["first"].Text(), "A");
    EXPECT_EQ(stretch["second"].Text(), "B");
    EXPECT_NE(stretch["from"]["beta"].Number(), stretch["to"]["beta"].Number());
}

} // namespace
