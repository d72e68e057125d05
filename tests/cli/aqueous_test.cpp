// SPDX-License-Identifier: BSD-3-Clause
// zephon-cli aqueous, and isochore with a coeval aqueous inclusion: the keys scripts read, the
// published figures, the crossing and its band, and refused input.

#include <gtest/gtest.h>

#include "cli/terminal_services.hpp"
#include "cli_test_util.hpp"
#include "documents/phase_diag_document.hpp"

using namespace zephon::testing;

namespace {

const std::vector<std::string> kIsochore = {"isochore", "--alpha", "0.82", "--beta",   "0.2",    "--co2",
                                            "1",        "--th",    "89.3", "--liquid", "--thaq", "140"};

std::vector<std::string> Keys(const Json& object) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : object.Object())
        keys.push_back(key);
    return keys;
}

std::vector<std::string> With(std::vector<std::string> head, const std::vector<std::string>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

} // namespace

TEST(Aqueous, IsochoreOfPureWaterAndOfABrine) {
    const Json water = RunJson({"aqueous", "--th", "100", "--salinity", "0", "--tmax", "150"});
    EXPECT_EQ(Keys(water), (std::vector<std::string>{"homogenisation", "isochore", "salinity_wt_pct"}));
    EXPECT_EQ(Keys(water["homogenisation"]), (std::vector<std::string>{"P", "T", "density"}));
    EXPECT_NEAR(water["homogenisation"]["density"].Number(), 958.35, 0.01);
    const JsonArray& points = water["isochore"].Array();
    ASSERT_EQ(points.size(), 100u);
    EXPECT_EQ(Keys(points.front()), (std::vector<std::string>{"P", "T"}));
    EXPECT_NEAR(points.back()["T"].Number(), 150, 1e-9);
    EXPECT_NEAR(points.back()["P"].Number(), 846.1, 0.5);

    const Json brine = RunJson({"aqueous", "--th", "100", "--tm-ice", "-6.6", "--host", "quartz"});
    EXPECT_NEAR(brine["salinity_wt_pct"].Number(), 9.98, 0.005);
    EXPECT_NEAR(brine["isochore"].Array().back()["P"].Number(), 5000, 1e-3) << "ends at 5000 bar";

    const CliRun text = RunTool({"aqueous", "--th", "100", "--salinity", "10", "--legacy"});
    EXPECT_EQ(text.code, 0) << text.err;
    EXPECT_NE(text.out.find("legacy, overestimates P at basin conditions"), std::string::npos);
}

TEST(Aqueous, RefusedInputIsBadUsage) {
    const CliRun cold = RunTool({"aqueous", "--th", "100", "--tm-ice", "-22"});
    EXPECT_EQ(cold.code, 2);
    EXPECT_NE(cold.err.find("0 to -21.2"), std::string::npos) << cold.err;
    EXPECT_EQ(RunTool({"aqueous", "--th", "100", "--tm-ice", "-3", "--salinity", "5"}).code, 2);
    EXPECT_EQ(RunTool({"aqueous", "--th", "100"}).code, 2);
    EXPECT_EQ(RunTool({"aqueous", "--th", "100", "--salinity", "5", "--host", "granite"}).code, 2);
    EXPECT_EQ(RunTool({"aqueous", "--th", "100", "--salinity", "5", "--legacy", "--host", "quartz"}).code, 2);
    EXPECT_EQ(RunTool(With(kIsochore, {"--salinity", "5", "--sd-tm-ice", "0.1"})).code, 2);
    EXPECT_EQ(RunTool({"isochore", "--fluid", Example("fluid_model.flu"), "--th", "89.3", "--liquid",
                       "--thaq", "140", "--salinity", "5", "--sd-fv", "1"})
                  .code,
              2)
        << "a fluid model's composition does not follow its bubble";
}

TEST(Aqueous, IsochoreCrossesTheAqueousIsochoreWithItsBand) {
    ScratchFolder folder;
    const Json json =
        RunJson(With(kIsochore, {"--tm-ice", "-6.6", "--host", "quartz", "--sd-thaq", "1", "--sd-tm-ice",
                                 "0.2", "--sd-th", "1", "--sd-fv", "0.5", "--out", folder / "trap.ptd"}));
    EXPECT_TRUE(json.Has("trapping_pressure"));
    EXPECT_FALSE(json["aqueous_isochore"].Array().empty());
    EXPECT_EQ(Keys(json["crossing"]),
              (std::vector<std::string>{"P", "T", "angle", "slope_aqueous", "slope_oil"}));
    const double T = json["crossing"]["T"].Number(), P = json["crossing"]["P"].Number();
    EXPECT_GT(T, 140);
    EXPECT_GT(json["crossing"]["slope_aqueous"].Number(), json["crossing"]["slope_oil"].Number());
    EXPECT_EQ(Keys(json["crossing_band"]),
              (std::vector<std::string>{"correlation", "halved_steps", "sd_P", "sd_T"}));
    EXPECT_TRUE(json["crossing_band"]["halved_steps"].Array().empty());
    EXPECT_GT(json["crossing_band"]["sd_T"].Number(), 0);

    zephon::cli::CTerminalServices services(std::cerr, false);
    CPhaseDiagDocument reopened(services);
    ASSERT_TRUE(reopened.OnOpenDocument(folder / "trap.ptd"));
    ASSERT_EQ(reopened.mAqueousIsochorsList.Count(), 1);
    const CAqueousCrossing* saved = reopened.mAqueousIsochorsList.mList.First()->mCrossings.First();
    ASSERT_NE(saved, nullptr);
    EXPECT_NEAR(saved->mT, T, 1e-6 * T);
    EXPECT_NEAR(saved->mP, P, 1e-6 * P);

    // Without uncertainties there is no band key; where the isochores do not meet, the crossing is null.
    EXPECT_FALSE(RunJson(With(kIsochore, {"--salinity", "5"})).Has("crossing_band"));
    const Json apart = RunJson({"isochore", "--alpha", "0.82", "--beta", "0.2", "--co2", "1", "--th", "89.3",
                                "--liquid", "--thaq", "60", "--salinity", "0"});
    EXPECT_TRUE(apart["crossing"].IsNull());
}

TEST(Aqueous, SharedStageOffsetNarrowsTheBand) {
    const std::vector<std::string> band =
        With(kIsochore, {"--tm-ice", "-6.6", "--sd-thaq", "1", "--sd-th", "1"});
    const double independent = RunJson(band)["crossing_band"]["sd_P"].Number();
    const double shared = RunJson(With(band, {"--corr-th", "1"}))["crossing_band"]["sd_P"].Number();
    EXPECT_LT(shared, 0.6 * independent);
    const double withBrine =
        RunJson(With(band, {"--sd-brine-density", "0.05"}))["crossing_band"]["sd_P"].Number();
    EXPECT_GT(withBrine, independent);
    EXPECT_EQ(RunTool(With(band, {"--corr-th", "1.5"})).code, 2);
    EXPECT_EQ(RunTool(With(band, {"--sd-brine-density", "-1"})).code, 2);
}

TEST(Aqueous, SmallPointsOfTheTable) {
    // A halite-saturated liquid at Th is refused with the saturation salinity.
    const CliRun halite = RunTool({"aqueous", "--th", "150", "--tm-halite", "250"});
    EXPECT_EQ(halite.code, 2);
    EXPECT_NE(halite.err.find("29.66 wt%"), std::string::npos) << halite.err;
    EXPECT_EQ(RunTool({"aqueous", "--th", "100", "--salinity", "35"}).code, 2);
    // Ice melting at 0 C is fresh water, printed without a sign.
    const CliRun fresh = RunTool({"aqueous", "--th", "100", "--tm-ice", "0"});
    EXPECT_EQ(fresh.code, 0);
    EXPECT_EQ(fresh.out.find("-0.00"), std::string::npos) << fresh.out;
    // The triple point is in the range: refused for what water does there, not for the range.
    const CliRun triple = RunTool({"aqueous", "--th", "0.01", "--salinity", "0"});
    EXPECT_EQ(triple.code, 2);
    EXPECT_NE(triple.err.find("contracts on heating"), std::string::npos) << triple.err;
    // A far --tmax gives the whole isochore up to 5000 bar.
    EXPECT_EQ(
        RunJson({"aqueous", "--th", "100", "--salinity", "10", "--tmax", "1e300"})["isochore"].Array().size(),
        100u);
    // No slope at Th where the brine density correlation hardly rises with pressure.
    const CliRun table = RunTool({"aqueous", "--th", "101", "--salinity", "15"});
    EXPECT_EQ(table.code, 0);
    EXPECT_NE(table.out.find("     101.000        1.000          -\n"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("no slope there"), std::string::npos);
}

TEST(Aqueous, GeothermCrossings) {
    const std::vector<std::string> geotherm = {"--geotherm", "30", "--surface-t", "15"};
    const Json aqueous = RunJson(With({"aqueous", "--th", "120", "--salinity", "10"}, geotherm));
    const Json& c = aqueous["geotherm_crossing"];
    EXPECT_EQ(Keys(c), (std::vector<std::string>{"P", "T", "depth_km"}));
    EXPECT_NEAR(c["depth_km"].Number(), (c["T"].Number() - 15) / 30, 1e-9);
    EXPECT_NEAR(c["P"].Number(), 1.01325 + 98.0665 * c["depth_km"].Number(), 1e-3);
    EXPECT_FALSE(RunJson({"aqueous", "--th", "120", "--salinity", "10"}).Has("geotherm_crossing"));

    const Json both = RunJson(
        With(With(kIsochore, {"--salinity", "10"}), {"--geotherm", "35", "--pressure-gradient", "100"}));
    const double oilT = both["geotherm_crossing"]["T"].Number(),
                 oilDepth = both["geotherm_crossing"]["depth_km"].Number();
    EXPECT_GT(oilT, 89.3);
    EXPECT_NEAR(both["geotherm_crossing"]["P"].Number(), 1.01325 + 100 * oilDepth, 1e-3);
    EXPECT_TRUE(both.Has("aqueous_geotherm_crossing"));
    EXPECT_FALSE(both["aqueous_geotherm_crossing"].IsNull());

    EXPECT_EQ(RunTool({"aqueous", "--th", "120", "--salinity", "10", "--surface-t", "15"}).code, 2);
    EXPECT_EQ(RunTool({"aqueous", "--th", "120", "--salinity", "10", "--geotherm", "1e300"}).code, 2);
    const CliRun word = RunTool({"aqueous", "--th", "120", "--salinity", "10", "--geotherm", "30",
                                 "--pressure-gradient", "hydrostatical"});
    EXPECT_EQ(word.code, 2);
    EXPECT_NE(word.err.find("hydrostatic, lithostatic or bar per km"), std::string::npos) << word.err;
}
