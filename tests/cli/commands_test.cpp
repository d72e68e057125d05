// SPDX-License-Identifier: BSD-3-Clause
// Each command on the bundled examples, in text and in JSON, and how each refuses what it cannot do.
#include <expat.h>

#include <algorithm>
#include <cmath>
#include <sys/stat.h>

#include "cli/alpha_beta_curves.hpp"
#include "cli/terminal_services.hpp"
#include "cli_test_util.hpp"
#include "documents/alpha_beta_plot_document.hpp"
#include "documents/data_documents.hpp"
#include "documents/phase_diag_document.hpp"
#include "reference_data.hpp"

using namespace zephon::testing;

namespace {

const std::vector<std::string> kOil = {"--alpha", "0.82", "--beta", "0.2", "--co2", "1"};

std::vector<std::string> With(std::vector<std::string> head, const std::vector<std::string>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

bool WellFormedXml(const std::string& xml) {
    XML_Parser parser = XML_ParserCreate("UTF-8");
    const bool ok = XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), 1) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return ok;
}

// Keys of an object, sorted.
std::vector<std::string> Keys(const Json& object) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : object.Object())
        keys.push_back(key);
    return keys;
}

} // namespace

TEST(Saturation, BubblePointsMatchTheReferenceInTextAndJson) {
    const CsvTable ref = read_reference_csv("oil_bubble.csv");
    if (ref.rows.empty()) GTEST_SKIP() << "the reference values are not beside the checkout";
    // a0.6_b0.3 with 5 % CO2 and 2 % N2 at 0 C.
    std::size_t row = 0;
    while (row < ref.rows.size() &&
           !(ref.text(row, "case").rfind("a0.6_b0.3", 0) == 0 && ref.text(row, "exists") == "bubble"))
        ++row;
    ASSERT_LT(row, ref.rows.size());
    const double t = ref.number(row, "T_K") - 273.15;
    const Json json = RunJson({"saturation", "--alpha", "0.6", "--beta", "0.3", "--co2", "5", "--n2", "2",
                               "--t", std::to_string(t), "--bubble"});
    EXPECT_EQ(Keys(json),
              (std::vector<std::string>{"P", "T", "incipient", "kind", "liquid_volume", "vapour_volume"}));
    EXPECT_EQ(json["kind"].Text(), "bubble");
    EXPECT_NEAR(json["P"].Number() / (ref.number(row, "Pbub_Pa") / 1e5), 1, 1e-6);
    EXPECT_NEAR(json["liquid_volume"].Number() / (ref.number(row, "VL_translated_m3mol") * 1e6), 1, 1e-6);
    EXPECT_NEAR(json["vapour_volume"].Number() / (ref.number(row, "VV_incipient_translated_m3mol") * 1e6), 1,
                1e-6);
    const Json& incipient = json["incipient"];
    EXPECT_EQ(incipient.Object().size(), 17u);
    EXPECT_NEAR(incipient["C1"].Number(), 100 * ref.number(row, "y_C1"), 1e-5);
    double total = 0;
    for (const auto& [name, percent] : incipient.Object())
        total += percent.Number();
    EXPECT_NEAR(total, 100, 1e-8);

    const CliRun text = RunTool({"saturation", "--alpha", "0.6", "--beta", "0.3", "--co2", "5", "--n2", "2",
                                 "--t", std::to_string(t), "--bubble"});
    EXPECT_EQ(text.code, 0);
    EXPECT_NE(text.out.find("Bubble point"), std::string::npos);
    EXPECT_NE(text.out.find("incipient vapour"), std::string::npos);
}

TEST(Saturation, VolatileOilsBubblePointsFarFromTheIdealStart) {
    // The flash from the ideal mixture misses these; the envelope leads to them.
    for (const auto& [alpha, t] :
         std::vector<std::pair<const char*, const char*>>{{"0.38", "20"}, {"0.38", "40"}, {"0.4", "40"}}) {
        const Json json = RunJson({"saturation", "--alpha", alpha, "--beta", "0", "--t", t, "--bubble"});
        EXPECT_GT(json["P"].Number(), 180) << alpha << " at " << t;
        EXPECT_LT(json["P"].Number(), 210) << alpha << " at " << t;
    }
    // Components the oil does not hold print as 0, never as -0.000000.
    const CliRun text = RunTool({"saturation", "--alpha", "0.38", "--beta", "0", "--t", "20", "--bubble"});
    EXPECT_EQ(text.code, 0);
    EXPECT_EQ(text.out.find("-0.000000"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("N2           0.000000"), std::string::npos) << text.out;
}

TEST(Saturation, FluidModelsDewPointsAndFailures) {
    ScratchFolder folder;
    const Json bubble =
        RunJson({"saturation", "--fluid", Example("fluid_model.flu"), "--t", "60", "--bubble"});
    const Json dew = RunJson({"saturation", "--fluid", Example("fluid_model.flu"), "--t", "320", "--dew"});
    EXPECT_GT(bubble["P"].Number(), 50);
    EXPECT_LT(bubble["liquid_volume"].Number(), bubble["vapour_volume"].Number());
    EXPECT_EQ(dew["kind"].Text(), "dew");
    // A component listed twice keeps both entries, under names of their own.
    std::string twice = ReadText(Example("fluid_model.flu"));
    const std::size_t c7 = twice.find("\nC7\t");
    ASSERT_NE(c7, std::string::npos);
    const std::string c7Line = twice.substr(c7 + 1, twice.find('\n', c7 + 1) - c7);
    twice.insert(c7 + 1, c7Line);
    twice.replace(twice.find("\t17\t"), 4, "\t18\t");
    WriteText(folder / "twice.flu", twice);
    const Json doubled = RunJson({"saturation", "--fluid", folder / "twice.flu", "--t", "60", "--bubble"});
    EXPECT_EQ(doubled["incipient"].Object().size(), 18u);
    EXPECT_TRUE(doubled["incipient"].Has("C7 (2)"));

    // Far above the critical temperature there is no bubble point: a calculation failure.
    const CliRun hot = RunTool(With({"saturation", "--t", "900", "--bubble"}, kOil));
    EXPECT_EQ(hot.code, 1);
    EXPECT_NE(hot.err.find("no bubble point"), std::string::npos) << hot.err;
    EXPECT_TRUE(hot.out.empty());
    // Bad usage.
    EXPECT_EQ(RunTool(With({"saturation", "--t", "20"}, kOil)).code, 2) << "neither --bubble nor --dew";
    EXPECT_EQ(RunTool({"saturation", "--t", "20", "--bubble"}).code, 2) << "no fluid";
    EXPECT_EQ(RunTool(With({"saturation", "--t", "-300", "--bubble"}, kOil)).code, 2);
    EXPECT_EQ(RunTool({"saturation", "--alpha", "3", "--beta", "0.2", "--t", "20", "--bubble"}).code, 2);
    EXPECT_EQ(RunTool({"saturation", "--alpha", "0.8", "--beta", "0.2", "--co2", "70", "--n2", "40", "--t",
                       "20", "--bubble"})
                  .code,
              2);
    EXPECT_EQ(
        RunTool(With({"saturation", "--fluid", Example("fluid_model.flu"), "--t", "20", "--bubble"}, kOil))
            .code,
        2)
        << "two fluids";
}

TEST(Gor, StandardConditionsOfAnOilAndOfTheExampleFluid) {
    const Json oil = RunJson(With({"gor"}, kOil));
    EXPECT_EQ(Keys(oil), (std::vector<std::string>{"API", "CH4", "GOR", "stock_tank_molar_weight",
                                                   "stock_tank_specific_volume"}));
    // A black oil: around a hundred volumes of gas per volume of oil, a medium gravity.
    EXPECT_GT(oil["GOR"].Number(), 50);
    EXPECT_LT(oil["GOR"].Number(), 500);
    EXPECT_GT(oil["API"].Number(), 25);
    EXPECT_LT(oil["API"].Number(), 50);
    EXPECT_NEAR(141.5 / (oil["API"].Number() + 131.5), 1 / oil["stock_tank_specific_volume"].Number(), 1e-9)
        << "API from the stock-tank density";
    const Json fluid = RunJson({"gor", "--fluid", Example("fluid_model.flu")});
    EXPECT_NEAR(fluid["GOR"].Number() / oil["GOR"].Number(), 1, 0.2)
        << "the example fluid is an oil of that family";
    const CliRun text = RunTool(With({"gor"}, kOil));
    EXPECT_EQ(text.code, 0);
    EXPECT_NE(text.out.find("API gravity"), std::string::npos);
}

TEST(Composition, SeventeenComponentsWrittenAsAFluidModel) {
    ScratchFolder folder;
    const Json json = RunJson(With({"composition", "--out", folder / "oil.flu"}, kOil));
    ASSERT_EQ(json["components"].Array().size(), 17u);
    EXPECT_EQ(json["name"].Text(), "FM_820_200_1_0_0 ");
    double total = 0;
    for (const Json& c : json["components"].Array())
        total += c["mole_percent"].Number();
    EXPECT_NEAR(total, 100, 1e-9);
    EXPECT_EQ(json["components"][1]["name"].Text(), "CO2");
    EXPECT_NEAR(json["components"][1]["mole_percent"].Number(), 1, 1e-12);

    zephon::cli::CTerminalServices services(std::cerr, false);
    CFluidModelDataDocument reopened(services);
    ASSERT_TRUE(reopened.OnOpenDocument(folder / "oil.flu"));
    EXPECT_FALSE(reopened.WasOpenedDamaged());
    EXPECT_EQ(reopened.mModelFluid.Count(), 17);
    EXPECT_EQ(reopened.SaveToText(), ReadText(folder / "oil.flu"));
    const CliRun text = RunTool(With({"composition"}, kOil));
    EXPECT_EQ(text.code, 0);
    EXPECT_NE(text.out.find("Cn2"), std::string::npos) << text.out;
    // The written fluid computes nearly like the alpha-beta oil it came from: the file rounds the
    // constants, and a fluid model takes its interaction parameters by component name.
    const Json fromFile = RunJson({"saturation", "--fluid", folder / "oil.flu", "--t", "80", "--bubble"});
    const Json fromOil = RunJson(With({"saturation", "--t", "80", "--bubble"}, kOil));
    EXPECT_NEAR(fromFile["P"].Number() / fromOil["P"].Number(), 1, 0.05);
}

TEST(Envelope, BothBranchesCriticalPointAndDocuments) {
    ScratchFolder folder;
    const Json json = RunJson(With({"envelope", "--out", folder / "e.ptd", "--svg", folder / "e.svg"}, kOil));
    EXPECT_EQ(Keys(json),
              (std::vector<std::string>{"API", "GOR", "cricondenbar", "cricondentherm", "critical",
                                        "critical_exact", "liquid", "name", "vapour"}));
    const JsonArray& liquid = json["liquid"].Array();
    const JsonArray& vapour = json["vapour"].Array();
    ASSERT_GT(liquid.size(), 5u);
    ASSERT_GT(vapour.size(), 5u);
    for (const Json& point : liquid) {
        EXPECT_GT(point["P"].Number(), 0);
        EXPECT_LE(point["P"].Number(), 2000);
        EXPECT_FALSE(point["skip"].Bool());
    }
    if (!json["critical"].IsNull()) {
        EXPECT_EQ(json["critical"]["T"].Number(), liquid.back()["T"].Number());
        EXPECT_EQ(json["critical"]["P"].Number(), vapour.back()["P"].Number());
        // The exact point lies within a few tenths of a degree of the estimate.
        EXPECT_NEAR(json["critical_exact"]["T"].Number(), json["critical"]["T"].Number(), 0.5);
        EXPECT_NEAR(json["critical_exact"]["P"].Number(), json["critical"]["P"].Number(), 1.0);
    }
    // The extremes lie beyond every traced point, but not by much.
    double highest = 0, hottest = -300;
    for (const JsonArray* branch : {&liquid, &vapour})
        for (const Json& point : *branch)
            highest = std::max(highest, point["P"].Number()),
            hottest = std::max(hottest, point["T"].Number());
    EXPECT_GE(json["cricondenbar"]["P"].Number(), highest);
    EXPECT_LT(json["cricondenbar"]["P"].Number(), highest + 1.0);
    EXPECT_GE(json["cricondentherm"]["T"].Number(), hottest);
    EXPECT_LT(json["cricondentherm"]["T"].Number(), hottest + 1.0);
    EXPECT_GT(json["GOR"].Number(), 0);

    zephon::cli::CTerminalServices services(std::cerr, false);
    CPhaseDiagDocument reopened(services);
    ASSERT_TRUE(reopened.OnOpenDocument(folder / "e.ptd"));
    EXPECT_FALSE(reopened.WasOpenedDamaged());
    ASSERT_EQ(reopened.mPhaseDiagramsList.Count(), 1);
    EXPECT_EQ(reopened.mPhaseDiagramsList.mList.First()->mLiquidIsopleth->mList.Count(),
              static_cast<long>(liquid.size()));
    const std::string svg = ReadText(folder / "e.svg");
    EXPECT_TRUE(WellFormedXml(svg));
    EXPECT_NE(svg.find("<polyline"), std::string::npos);

    const CliRun text = RunTool({"envelope", "--fluid", Example("fluid_model.flu")});
    EXPECT_EQ(text.code, 0) << text.err;
    EXPECT_NE(text.out.find("liquid (bubble) branch"), std::string::npos);
}

TEST(Isochore, PairThroughThAndTrappingPressure) {
    ScratchFolder folder;
    const Json json = RunJson({"isochore", "--fluid", Example("fluid_model.flu"), "--th", "89.3", "--liquid",
                               "--thaq", "140", "--out", folder / "iso.ptd"});
    EXPECT_EQ(Keys(json), (std::vector<std::string>{"Th", "biphasic", "bulk_density", "bulk_volume", "homog",
                                                    "monophasic", "trapping_pressure"}));
    EXPECT_EQ(json["homog"].Text(), "liquid");
    EXPECT_GT(json["bulk_density"].Number(), 0.4);
    EXPECT_LT(json["bulk_density"].Number(), 1.0);
    const JsonArray& biphasic = json["biphasic"].Array();
    const JsonArray& monophasic = json["monophasic"].Array();
    ASSERT_GT(biphasic.size(), 3u);
    ASSERT_GT(monophasic.size(), 3u);
    EXPECT_NEAR(biphasic.front()["V"].Number(), 0, 1e-6) << "no bubble at Th";
    EXPECT_NEAR(biphasic.front()["T"].Number(), 89.3, 1e-9);
    // The inclusion FI-2 of the example had an 11.67 % bubble at 20 C: its isochore gives it back.
    for (std::size_t i = 1; i < biphasic.size(); ++i) {
        const Json& a = biphasic[i - 1];
        const Json& b = biphasic[i];
        if (a["T"].Number() >= 20 && b["T"].Number() <= 20) {
            const double s = (20 - a["T"].Number()) / (b["T"].Number() - a["T"].Number());
            EXPECT_NEAR(a["V"].Number() + s * (b["V"].Number() - a["V"].Number()), 11.67, 0.3);
        }
    }
    for (std::size_t i = 1; i < monophasic.size(); ++i)
        EXPECT_GT(monophasic[i]["P"].Number(), monophasic[i - 1]["P"].Number()) << "pressure rises along it";
    const double ptrap = json["trapping_pressure"].Number();
    EXPECT_GT(ptrap, monophasic.front()["P"].Number());
    zephon::cli::CTerminalServices services(std::cerr, false);
    CPhaseDiagDocument reopened(services);
    ASSERT_TRUE(reopened.OnOpenDocument(folder / "iso.ptd"));
    const CIsochor* mono = reopened.mPhaseDiagramsList.mList.First()->mMonoIsochorsList->mList.First();
    ASSERT_EQ(mono->mTrappingLines->Count(), 1);
    EXPECT_NEAR(mono->mTrappingLines->mList.First()->mPtrap, ptrap, 1e-4 * ptrap);

    // An aqueous Th below the oil's Th gives no trapping pressure: null, and a failure.
    const CliRun below =
        RunTool(With({"isochore", "--th", "89.3", "--liquid", "--thaq", "50", "--json"}, kOil));
    EXPECT_EQ(below.code, 1);
    EXPECT_TRUE(JsonReader::Parse(below.out)["trapping_pressure"].IsNull());
    EXPECT_NE(below.err.find("no trapping pressure"), std::string::npos) << below.err;
    // Above the whole envelope there is no isochore.
    const CliRun hot = RunTool(With({"isochore", "--th", "900", "--liquid"}, kOil));
    EXPECT_EQ(hot.code, 1) << hot.err;
    EXPECT_EQ(RunTool(With({"isochore", "--th", "80"}, kOil)).code, 2) << "neither --liquid nor --vapour";

    const CliRun text = RunTool(With({"isochore", "--th", "89.3", "--liquid", "--thaq", "140"}, kOil));
    EXPECT_EQ(text.code, 0) << text.err;
    EXPECT_NE(text.out.find("trapping pressure at 140.00 C"), std::string::npos) << text.out;
}

TEST(Abcurve, CurvesOfTheExampleInclusionsAreTheSameWithOneOrTwoWorkers) {
    ScratchFolder folder;
    const CliRun one = RunTool({"abcurve", "--inc", Example("inclusions.inc"), "--jobs", "1", "--json"});
    const CliRun two = RunTool({"abcurve", "--inc", Example("inclusions.inc"), "--jobs", "2", "--json",
                                "--out", folder / "curves.abp", "--svg", folder / "curves.svg"});
    ASSERT_EQ(one.code, 0) << one.err;
    ASSERT_EQ(two.code, 0) << two.err;
    EXPECT_EQ(one.out, two.out) << "the same curves, bit for bit, in the same order";
    const Json json = JsonReader::Parse(one.out);
    const JsonArray& curves = json["curves"].Array();
    ASSERT_EQ(curves.size(), 5u);
    EXPECT_EQ(curves[0]["inclusion"].Text(), "FI-1");
    EXPECT_EQ(curves[4]["inclusion"].Text(), "FI-5 heavy");
    for (const Json& curve : curves) {
        const JsonArray& points = curve["points"].Array();
        ASSERT_GE(points.size(), 2u) << curve["inclusion"].Text() << ": " << curve["message"].Text();
        EXPECT_LE(points.size(), 200u);
        EXPECT_EQ(points.front()["beta"].Number(), 0) << "a curve starts at beta 0";
        for (std::size_t i = 1; i < points.size(); ++i) {
            EXPECT_GT(points[i]["beta"].Number(), points[i - 1]["beta"].Number());
            EXPECT_LE(points[i]["beta"].Number() - points[i - 1]["beta"].Number(), 0.04 + 1e-12);
        }
    }
    // The plot document reopens the curves.
    zephon::cli::CTerminalServices services(std::cerr, false);
    CAlphaBetaPlotDocument reopened(services);
    ASSERT_TRUE(reopened.OnOpenDocument(folder / "curves.abp"));
    EXPECT_FALSE(reopened.WasOpenedDamaged());
    EXPECT_EQ(reopened.mAlphaBetaCurvesList.Count(), 5);
    EXPECT_TRUE(WellFormedXml(ReadText(folder / "curves.svg")));

    const Json single = RunJson({"abcurve", "--inc", Example("inclusions.inc"), "--inclusion", "FI-3"});
    ASSERT_EQ(single["curves"].Array().size(), 1u);
    EXPECT_EQ(single["curves"][0]["points"].Array().size(), curves[2]["points"].Array().size());
    const CliRun text =
        RunTool({"abcurve", "--th", "89.3", "--fv", "11.67", "--tfv", "20", "--liquid", "--co2", "1"});
    EXPECT_EQ(text.code, 0) << text.err;
    EXPECT_NE(text.out.find("alpha"), std::string::npos);
}

TEST(Abcurve, AnInclusionNoOilReproducesAndBadRequests) {
    const CliRun run =
        RunTool({"abcurve", "--th", "250", "--fv", "0.5", "--tfv", "20", "--liquid", "--json"});
    EXPECT_EQ(run.code, 1);
    const Json json = JsonReader::Parse(run.out);
    ASSERT_EQ(json["curves"].Array().size(), 1u);
    const Json& curve = json["curves"][0];
    EXPECT_TRUE(curve["points"].Array().empty());
    EXPECT_NE(curve["code"].Number(), 0);
    EXPECT_FALSE(curve["message"].Text().empty());
    EXPECT_NE(run.err.find(curve["message"].Text()), std::string::npos) << "the application's message";

    EXPECT_EQ(RunTool({"abcurve", "--inc", Example("inclusions.inc"), "--inclusion", "FI-9"}).code, 2);
    EXPECT_EQ(RunTool({"abcurve", "--inc", Example("inclusions.inc"), "--th", "80"}).code, 2) << "both ways";
    EXPECT_EQ(RunTool({"abcurve", "--th", "80", "--fv", "120", "--tfv", "20", "--liquid"}).code, 2);
    EXPECT_EQ(RunTool({"abcurve", "--inc", Example("inclusions.inc"), "--jobs", "0"}).code, 2);
}

TEST(Abcurve, CtrlCKeepsWhatWasComputed) {
    zephon::cli::StopRequest() = true;
    const CliRun run = RunTool({"abcurve", "--inc", Example("inclusions.inc"), "--json"});
    zephon::cli::StopRequest() = false;
    EXPECT_EQ(run.code, 130);
    EXPECT_NE(run.err.find("Ctrl-C"), std::string::npos) << run.err;
    const Json json = JsonReader::Parse(run.out);
    for (const Json& curve : json["curves"].Array())
        EXPECT_LE(curve["points"].Array().size(), 200u);
}

TEST(Files, InfoRenderAndUnreadableInput) {
    ScratchFolder folder;
    const Json inc = RunJson({"info", Example("inclusions.inc")});
    EXPECT_TRUE(inc["complete"].Bool());
    EXPECT_EQ(inc["inclusions"].Array().size(), 5u);
    EXPECT_EQ(inc["inclusions"][3]["volume_points"].Number(), 7);
    EXPECT_EQ(RunJson({"info", Example("fluid_model.flu")})["components"].Number(), 17);
    EXPECT_EQ(RunJson({"info", Example("correlation.abe")})["fluids"].Number(), 4);
    const CliRun text = RunTool({"info", Example("inclusions.inc")});
    EXPECT_NE(text.out.find("read to its end"), std::string::npos);

    // A damaged file: the count promises more than the file holds; a word where a number belongs.
    std::string damaged = ReadText(Example("inclusions.inc"));
    damaged.replace(damaged.find("104.80"), 6, "hot");
    WriteText(folder / "damaged.inc", damaged);
    const CliRun info = RunTool({"info", folder / "damaged.inc", "--json"});
    EXPECT_EQ(info.code, 2);
    const Json report = JsonReader::Parse(info.out);
    EXPECT_FALSE(report["complete"].Bool());
    EXPECT_EQ(report["line"].Number(), 6);
    EXPECT_NE(info.err.find("damaged.inc: line 6"), std::string::npos) << info.err;
    const CliRun curves = RunTool({"abcurve", "--inc", folder / "damaged.inc"});
    EXPECT_EQ(curves.code, 2);
    EXPECT_NE(curves.err.find("damaged.inc: line 6"), std::string::npos) << curves.err;
    WriteText(folder / "short.flu", ReadText(Example("fluid_model.flu")).substr(0, 300));
    const CliRun fluid = RunTool({"saturation", "--fluid", folder / "short.flu", "--t", "20", "--bubble"});
    EXPECT_EQ(fluid.code, 2);
    EXPECT_NE(fluid.err.find("short.flu: line"), std::string::npos) << fluid.err;
    // A file of another kind is the wrong file, not a damaged one.
    const CliRun wrong = RunTool({"gor", "--fluid", Example("inclusions.inc")});
    EXPECT_EQ(wrong.code, 2);
    EXPECT_NE(
        wrong.err.find("inclusions.inc: not a fluid model file (.inc is the extension of inclusion data"),
        std::string::npos)
        << wrong.err;
    // Output that cannot be written (a full disk) fails the run, help included.
    struct FullDisk : std::streambuf {
        int overflow(int) override { return traits_type::eof(); }
    } disk;
    std::ostream full(&disk);
    std::ostringstream err;
    std::istringstream in;
    EXPECT_EQ(zephon::cli::RunCli({"--help"}, full, err, false, &in), 2);
    EXPECT_NE(err.str().find("cannot write standard output"), std::string::npos) << err.str();

    const CliRun missing = RunTool({"gor", "--fluid", folder / "nowhere.flu"});
    EXPECT_EQ(missing.code, 2);
    EXPECT_NE(missing.err.find("nowhere.flu"), std::string::npos);
    EXPECT_EQ(RunTool({"info", folder / "notes.txt"}).code, 2);
    EXPECT_EQ(RunTool({"render", Example("inclusions.inc"), "--svg", folder / "x.svg"}).code, 2);
    EXPECT_EQ(RunTool({"crossings", Example("inclusions.inc")}).code, 2);
    EXPECT_EQ(RunTool({"crossings", folder / "nowhere.abp"}).code, 2);
    EXPECT_EQ(RunTool({"frobnicate"}).code, 2);
    EXPECT_EQ(RunTool({}).code, 2);
    const CliRun help = RunTool({"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* word : {"saturation", "abcurve", "--jobs", "Exit codes", "Ctrl-C", "200 points"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;

    // render draws what abcurve saved.
    ASSERT_EQ(RunTool({"abcurve", "--inc", Example("inclusions.inc"), "--inclusion", "FI-1", "--out",
                       folder / "one.abp"})
                  .code,
              0);
    ASSERT_EQ(RunTool({"render", folder / "one.abp", "--svg", folder / "one.svg"}).code, 0);
    EXPECT_TRUE(WellFormedXml(ReadText(folder / "one.svg")));
    EXPECT_NE(ReadText(folder / "one.svg").find("FI-1"), std::string::npos);
    // One curve crosses nothing.
    const CliRun alone = RunTool({"crossings", folder / "one.abp"});
    EXPECT_EQ(alone.code, 0);
    EXPECT_NE(alone.out.find("1 alpha-beta curve, 0 crossings"), std::string::npos) << alone.out;
}

TEST(Files, ConvertBetweenInclusionFilesAndCsv) {
    ScratchFolder folder;
    const CliRun toCsv = RunTool({"convert", Example("inclusions.inc"), folder / "inc.csv"});
    ASSERT_EQ(toCsv.code, 0) << toCsv.err;
    EXPECT_NE(toCsv.out.find("converted 5 inclusions with 25 bubble-volume measurements"), std::string::npos);
    const std::string csv = ReadText(folder / "inc.csv");
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "Inclusion,Th (°C),% Gas,Tv (°C),Homog.,% CO2,% N2,% H2S,T1 (°C),% Gas "
              "1,T2 (°C),% Gas 2,T3 (°C),% Gas 3,T4 (°C),% Gas 4,T5 (°C),% Gas 5,T6 "
              "(°C),% Gas 6,T7 (°C),% Gas 7");
    const CliRun back = RunTool({"convert", folder / "inc.csv", folder / "back.inc"});
    ASSERT_EQ(back.code, 0) << back.err;
    EXPECT_TRUE(back.err.empty()) << back.err;
    EXPECT_EQ(ReadText(folder / "back.inc"), ReadText(Example("inclusions.inc")));

    // More decimals than an inclusion file keeps: converted, with a note.
    WriteText(folder / "fine.csv", "Inclusion;Th (°C);% Gas;Tv (°C);Homog.\nA;80,125;5;20;L\n");
    const CliRun fine = RunTool({"convert", folder / "fine.csv", folder / "fine.inc"});
    EXPECT_EQ(fine.code, 0);
    EXPECT_NE(fine.err.find("note: 1 values or names"), std::string::npos) << fine.err;

    // A bad cell: exit 2 with the line and column, and no file.
    WriteText(folder / "bad.csv", "Inclusion,Th (°C),% Gas,Tv (°C),Homog.\nA,80,5,20,L\nB,80,5,20,X\n");
    const CliRun bad = RunTool({"convert", folder / "bad.csv", folder / "bad.inc"});
    EXPECT_EQ(bad.code, 2);
    EXPECT_NE(bad.err.find("bad.csv: line 3, column 5 (Homog.)"), std::string::npos) << bad.err;
    EXPECT_FALSE(std::filesystem::exists(folder / "bad.inc"));
    for (const auto& arguments :
         std::vector<std::vector<std::string>>{{"convert", Example("inclusions.inc"), folder / "x.inc"},
                                               {"convert", Example("fluid_model.flu"), folder / "x.csv"},
                                               {"convert", folder / "nowhere.csv", folder / "x.inc"},
                                               {"convert", folder / "inc.csv", folder / "inc.csv"},
                                               {"convert", folder / "inc.csv"}})
        EXPECT_EQ(RunTool(arguments).code, 2) << arguments[1];
}

// Hostile input: values that are not numbers, special files and odd CSV are refused with a reason.
TEST(Files, HostileInputIsRefusedWithAReason) {
    ScratchFolder folder;
    // A file holding "inf" where Th belongs is not read to its end.
    std::string text = ReadText(Example("inclusions.inc"));
    text.replace(text.find("89.30"), 5, "inf");
    WriteText(folder / "inf.inc", text);
    const CliRun info = RunTool({"info", folder / "inf.inc"});
    EXPECT_EQ(info.code, 2);
    EXPECT_EQ(info.out.find("read to its end\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("NOT read to its end: reading stopped at line 4"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("FI-1"), std::string::npos); // what precedes it
    const CliRun convert = RunTool({"convert", folder / "inf.inc", folder / "inf.csv"});
    EXPECT_EQ(convert.code, 2);
    EXPECT_NE(convert.err.find("inf.inc: line 4, column 6"), std::string::npos) << convert.err;
    EXPECT_FALSE(std::filesystem::exists(folder / "inf.csv"));

    // A FIFO is refused at once (nobody writes to it: a reader that opened it would wait forever).
    ASSERT_EQ(::mkfifo((folder / "pipe.csv").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((folder / "pipe.inc").c_str(), 0600), 0);
    for (const auto& arguments :
         std::vector<std::vector<std::string>>{{"convert", folder / "pipe.csv", folder / "x.inc"},
                                               {"convert", folder / "pipe.inc", folder / "x.csv"},
                                               {"info", folder / "pipe.inc"},
                                               {"abcurve", "--inc", folder / "pipe.inc"}}) {
        const CliRun run = RunTool(arguments);
        EXPECT_EQ(run.code, 2) << arguments[1];
        EXPECT_NE(run.err.find("it is a named pipe (FIFO), not a regular file"), std::string::npos)
            << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "x.inc"));

    // A NUL byte in a CSV cell: the message shows the cell, escaped, to its end.
    using namespace std::string_literals;
    WriteText(folder / "nul.csv", "Inclusion,Th (°C),% Gas,Tv (°C),Homog.\nA,8\0"
                                  "5,5,20,L\n"s);
    const CliRun nul = RunTool({"convert", folder / "nul.csv", folder / "nul.inc"});
    EXPECT_EQ(nul.code, 2);
    EXPECT_NE(nul.err.find("line 2, column 2 (Th (°C)): \"8\\05\" holds a NUL byte"), std::string::npos)
        << nul.err;

    // A name that a spreadsheet would run as a formula is written with an apostrophe and comes back.
    WriteText(folder / "formula.csv", "Inclusion,Th (°C),% Gas,Tv (°C),Homog.\n'=cmd|calc,80,5,20,L\n");
    ASSERT_EQ(RunTool({"convert", folder / "formula.csv", folder / "formula.inc"}).code, 0);
    ASSERT_EQ(RunTool({"convert", folder / "formula.inc", folder / "again.csv"}).code, 0);
    EXPECT_NE(ReadText(folder / "again.csv").find("\n'=cmd|calc,80,5,20,L,"), std::string::npos)
        << ReadText(folder / "again.csv");
}

// Workers share the steps of all curves. Stopped in the middle, every curve begun is the curve of
// a whole run, or its beginning when it was interrupted, and the curves keep the inclusions' order.
TEST(Abcurve, CurvesStoppedMidwayAreTheBeginningsOfTheWholeCurves) {
    std::vector<CInclusionRecord> inclusions(3);
    const double th[] = {74.6, 89.3, 67.4}, fv[] = {9.04, 11.67, 5.57};
    for (int i = 0; i < 3; ++i) {
        inclusions[i].mInclusionName = "I" + std::to_string(i);
        inclusions[i].mTh = th[i], inclusions[i].mFv = fv[i], inclusions[i].mTv = 20, inclusions[i].mCO2 = 1;
    }
    const auto whole = zephon::cli::TraceAlphaBetaCurves(inclusions, 1);
    ASSERT_EQ(whole.size(), 3u);
    const auto stopped =
        zephon::cli::TraceAlphaBetaCurves(inclusions, 2, [](std::size_t, std::size_t points) {
            if (points >= 20) zephon::cli::StopRequest() = true;
        });
    zephon::cli::StopRequest() = false;
    ASSERT_LE(stopped.size(), 3u);
    for (std::size_t i = 0; i < stopped.size(); ++i) {
        const auto& part = stopped[i];
        const auto& full = whole[i];
        EXPECT_EQ(part.inclusion.mInclusionName, full.inclusion.mInclusionName);
        if (!part.interrupted) {
            EXPECT_EQ(part.points.size(), full.points.size());
            EXPECT_EQ(part.message, full.message);
        } else {
            EXPECT_EQ(part.message, "stopped by Ctrl-C");
        }
        ASSERT_LE(part.points.size(), full.points.size());
        for (std::size_t k = 0; k < part.points.size(); ++k) {
            EXPECT_EQ(part.points[k].mAlpha, full.points[k].mAlpha);
            EXPECT_EQ(part.points[k].mBeta, full.points[k].mBeta);
        }
    }
}
