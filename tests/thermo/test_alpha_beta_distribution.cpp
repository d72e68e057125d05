// SPDX-License-Identifier: BSD-3-Clause
// Alpha-beta oil composition: carbon-number distribution, lumping into 17 components and
// the two heavy pseudo-components, against independently computed values; ideal-mixture
// component data.
#include "reference_data.hpp"
#include "thermo/alpha_beta_distribution.hpp"
#include "thermo/cla_cubic.hpp"
#include "thermo/component_properties.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numeric>

using namespace zephon::thermo;
using namespace zephon::testing;

namespace {

// The reference files end their lines with CR LF; drop the CR that sticks to the last column.
CsvTable read_table(const std::string& name) {
    CsvTable table = read_reference_csv(name);
    const auto strip = [](std::string s) {
        return s.empty() || s.back() != '\r' ? s : s.substr(0, s.size() - 1);
    };
    for (auto& row : table.rows) {
        std::map<std::string, std::string> clean;
        for (const auto& [key, value] : row)
            clean[strip(key)] = strip(value);
        row = std::move(clean);
    }
    return table;
}

double relative_difference(double value, double expected) {
    return value == expected ? 0.0 : std::fabs(value - expected) / std::max(std::fabs(expected), 1e-300);
}

double sum(const auto& values, int first, int last) {
    return std::accumulate(values.begin() + first, values.begin() + last, 0.0);
}

} // namespace

TEST(AlphaBetaDistribution, MatchesReferenceCompositionsCarbonNumbersAndPhaseConstants) {
    const CsvTable oils = read_table("oil_compositions.csv");
    const CsvTable carbon = read_table("oil_carbon_distribution.csv");
    ASSERT_EQ(oils.rows.size(), 51u);
    double worst = 0.0;
    const auto check = [&](double value, double expected, const std::string& where) {
        EXPECT_LE(relative_difference(value, expected), 1e-12)
            << where << ": " << value << " vs " << expected;
        worst = std::max(worst, relative_difference(value, expected));
    };
    for (std::size_t r = 0; r < oils.rows.size(); r += kOilComponentCount) {
        const std::string name = oils.text(r, "case");
        AlphaBetaDistribution d;
        ASSERT_EQ(d.SetDistributionParameters(oils.number(r, "alpha"), oils.number(r, "beta"),
                                              oils.number(r, "zCO2"), oils.number(r, "zN2"),
                                              oils.number(r, "zH2S")),
                  kDistributionOk);
        ASSERT_EQ(d.nc, std::stoi(oils.text(r, "n_carbon"))) << name;
        int carbonRows = 0;
        for (std::size_t c = 0; c < carbon.rows.size(); ++c) {
            if (carbon.text(c, "case") != name) continue;
            check(d.xx[std::stoi(carbon.text(c, "k"))], carbon.number(c, "xx"),
                  name + " xx " + carbon.text(c, "k"));
            ++carbonRows;
        }
        EXPECT_EQ(carbonRows, d.nc);

        TableCubic phase(2);
        phase.number_of_components(kOilComponentCount);
        for (short i = 0; i < kOilComponentCount; ++i)
            phase.add_component(i, kComponentTable[i].name);
        store_pseudo_components(d, phase);
        for (short i = 0; i < kOilComponentCount; ++i) {
            const std::size_t row = r + i;
            const std::string where = name + " " + oils.text(row, "name");
            ASSERT_EQ(oils.text(row, "name"), AlphaBetaDistribution::kComponentNames[i]);
            check(d.xcompo[i], oils.number(row, "z"), where + " z");
            check(phase.Tc[i], oils.number(row, "Tc_K"), where + " Tc");
            check(phase.Pc[i], oils.number(row, "Pc_Pa"), where + " Pc");
            check(phase.omega[i], oils.number(row, "omega"), where + " omega");
            check(phase.molarWeight[i], oils.number(row, "Mw"), where + " Mw");
            check(phase.Vc[i], oils.number(row, "Vc_m3mol"), where + " Vc");
            check(phase.c0[i] / phase.bc[i], oils.number(row, "shift_s"), where + " shift");
            check(phase.bc[i], oils.number(row, "b_m3mol"), where + " b");
            check(phase.c0[i], oils.number(row, "c_m3mol"), where + " c");
        }
    }
    std::printf("largest relative difference from the reference: %.3g\n", worst);
}

TEST(AlphaBetaDistribution, FractionsSumToOneAndGasesTakeTheirShare) {
    AlphaBetaDistribution d;
    for (double alpha : {0.0, 0.2, 0.5, 0.9, 1.0, 1.3}) {
        for (double beta : {0.0, 0.3, 1.0}) {
            d.SetDistributionParameters(alpha, beta, 0.0, 0.0, 0.0);
            EXPECT_NEAR(sum(d.xx, 0, d.nc), 1.0, 1e-13) << alpha << " " << beta;
            EXPECT_NEAR(sum(d.xcompo, 3, 17), 1.0, 1e-13) << alpha << " " << beta;
            for (double x : d.xcompo)
                EXPECT_GE(x, 0.0) << alpha << " " << beta;
            d.SetDistributionParameters(alpha, beta, 0.1, 0.0, 0.0);
            EXPECT_NEAR(sum(d.xcompo, 3, 17), 0.9, 1e-13);
        }
    }
}

TEST(AlphaBetaDistribution, TailLengthShortDistributionsAndCutWeights) {
    AlphaBetaDistribution d;
    for (double alpha : {1.0, kMaxAlpha}) {
        d.SetDistributionParameters(alpha, 0.1, 0.0, 0.0, 0.0);
        EXPECT_EQ(d.nc, kMaxCarbonNumbers) << alpha;
    }
    double Tc, Pc, Vc, omega, Mw, sc;
    d.alpha = 1.0;
    d.CalcCoupe(11, 25, Tc, Pc, Vc, omega, Mw, sc);
    EXPECT_DOUBLE_EQ(Mw, 225.0);

    // The tail stops before carbon number 25: no "Cn2", and "Cn1" lumps only what exists.
    d.SetDistributionParameters(0.2, 0.0, 0.0, 0.0, 0.0);
    ASSERT_TRUE(d.nc > 11 && d.nc < 25);
    EXPECT_EQ(d.xcompo[16], 0.0);
    EXPECT_NEAR(d.xcompo[15] / d.xcompo[3], sum(d.xx, 10, d.nc) / d.xx[0], 1e-15);
    EXPECT_EQ(sum(d.xx, d.nc, kMaxCarbonNumbers), 0.0);

    d.SetDistributionParameters(0.0, 0.0, 0.0, 0.0, 0.0); // only methane survives
    EXPECT_EQ(d.nc, 11);
    EXPECT_EQ(d.xcompo[3], 1.0);
    EXPECT_EQ(d.cn2.Mw, 12.5 * 26);
}

TEST(AlphaBetaDistribution, CutsConserveTheMolarWeightOfWhatTheyLump) {
    AlphaBetaDistribution d;
    const auto mean_weight = [&](int first, int last) {
        double moles = 0.0, mass = 0.0;
        for (int k = first; k < last; ++k)
            moles += d.xx[k], mass += d.xx[k] * 12.5 * (k + 1);
        return mass / moles;
    };
    for (double alpha : {0.6, 0.8, 0.9}) {
        d.SetDistributionParameters(alpha, 0.25, 0.0, 0.0, 0.0);
        EXPECT_NEAR(d.cn1.Mw, mean_weight(10, 25), 1e-12 * d.cn1.Mw) << alpha;
        // "Cn2" is weighted up to carbon number 499 whatever the tail's length; the lumped
        // fractions lose the part of the tail cut off below 1e-10.
        EXPECT_NEAR(d.cn2.Mw, mean_weight(25, d.nc), 1e-4 * d.cn2.Mw) << alpha;
    }
}

TEST(AlphaBetaDistribution, BadInputIsClampedOrRejectedWithAFlag) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    AlphaBetaDistribution d;
    d.SetDistributionParameters(0.6, 0.2, 0.01, 0.0, 0.0);
    const AlphaBetaDistribution before = d;
    for (double alpha : {nan, std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(d.SetDistributionParameters(alpha, 0.2, 0.3, 0.0, 0.0), kParameterNotFinite);
        EXPECT_TRUE(d.alpha == 0.6 && d.zCO2 == 0.01 && d.nc == before.nc && d.xcompo == before.xcompo);
    }
    EXPECT_EQ(d.SetDistributionParameters(0.6, nan, 0.0, 0.0, 0.0), kParameterNotFinite);

    EXPECT_EQ(d.SetDistributionParameters(-0.3, 0.2, 0.0, 0.0, 0.0), kAlphaClamped);
    EXPECT_EQ(d.alpha, 0.0);
    EXPECT_EQ(d.SetDistributionParameters(1e6, 0.2, 0.0, 0.0, 0.0) & kAlphaClamped, kAlphaClamped);
    EXPECT_EQ(d.alpha, kMaxAlpha);
    for (double x : d.xx)
        ASSERT_TRUE(std::isfinite(x));
    // Beyond beta = 1 the light-end factors change sign and fractions would turn negative.
    EXPECT_EQ(d.SetDistributionParameters(0.6, 1.5, 0.0, 0.0, 0.0), kBetaClamped);
    for (double x : d.xcompo)
        EXPECT_GE(x, 0.0);
    EXPECT_EQ(d.SetDistributionParameters(0.6, -0.9, 0.0, 0.0, 0.0), kBetaClamped);
    EXPECT_EQ(d.beta, 0.0);

    EXPECT_EQ(d.SetDistributionParameters(0.6, 0.2, -0.1, nan, 0.05), kGasClamped);
    EXPECT_TRUE(d.xcompo[0] == 0.0 && d.xcompo[1] == 0.0 && d.xcompo[2] == 0.05);
    EXPECT_NEAR(sum(d.xcompo, 0, 17), 1.0, 1e-14);
    EXPECT_EQ(d.SetDistributionParameters(0.6, 0.2, 0.9, 0.6, 0.0), kGasClamped); // gases above 1
    EXPECT_DOUBLE_EQ(d.xcompo[0] + d.xcompo[1], 1.0);
    EXPECT_EQ(sum(d.xcompo, 3, 17), 0.0);

    for (short nc : {short(-5), short(9999)}) { // a damaged count never reads past the 500 entries
        d.nc = nc;
        d.Regroupe();
        for (double x : d.xcompo)
            EXPECT_TRUE(std::isfinite(x));
    }

    // Near alpha = 1 the mean carbon number of "Cn2" passes the zero of the denominator of the
    // critical-pressure correlation.
    EXPECT_EQ(d.SetDistributionParameters(0.99, 0.0, 0.0, 0.0, 0.0), kDistributionOk);
    EXPECT_EQ(d.SetDistributionParameters(1.0, 0.0, 0.0, 0.0, 0.0), kPseudoComponentInvalid);
    EXPECT_LT(d.cn2.Pc, 0.0);
}

TEST(IdealComponentData, RowsByIndexAndByName) {
    const auto c1 = ideal_component_by_index(3);
    ASSERT_TRUE(c1.has_value());
    // Boiling point: where the Antoine law (mmHg, degrees Celsius) reaches one atmosphere.
    EXPECT_NEAR(std::pow(10.0, 6.1184 - 389.93 / (266.0 + c1->Tb - 273.15)), 760.0, 1e-9);
    const auto co2 = ideal_component_by_index(1);
    EXPECT_TRUE(co2->kind == SaturationKind::Clapeyron && co2->Tb == 185.0 && co2->c[1] == 7382500.0);
    EXPECT_EQ(ideal_component_by_index(6)->c, ideal_component_by_index(7)->c); // isomers share Antoine
    EXPECT_EQ(ideal_component_by_index(16)->c[2], kAntoineConstants[15].C);
    EXPECT_FALSE(ideal_component_by_index(-1).has_value() || ideal_component_by_index(17).has_value());

    for (short i = 0; i < kIdealComponentCount; ++i) {
        const auto row = ideal_component_by_index(i);
        EXPECT_EQ(ideal_component_row_by_name(row->name), i);
        EXPECT_EQ(row->Mw, AlphaBetaDistribution::kComponentMolarWeights[i]);
        EXPECT_TRUE(row->Tb > 0.0 && row->Tb < row->Tc) << row->name;
    }
    for (const char* heavy : {"C30", "C25", "C99999999999999999999999"})
        EXPECT_EQ(ideal_component_row_by_name(heavy), 16);
    for (const char* light : {"C24", "C12", "c1", "Cabc", ""})
        EXPECT_EQ(ideal_component_row_by_name(light), 15);
    EXPECT_EQ(ideal_component_row_by_name(nullptr), 15);
}
