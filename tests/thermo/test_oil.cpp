// SPDX-License-Identifier: BSD-3-Clause
// The oil models: alpha-beta oils built from their parameters against independently
// computed bubble points, standard-condition properties, the search for alpha that
// reproduces an inclusion measurement, the first points of the phase envelope, and fluid
// models given component by component.
#include "flash_fixtures.hpp"
#include "thermo/oil1.hpp"
#include "thermo/oil2.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

using namespace zephon::thermo;
using namespace zephon::testing;

namespace {

struct AlphaBetaOil {
    TableCubic liquid{2};
    TableCubic vapour{1};
    Oil1 oil{liquid, vapour};

    AlphaBetaOil(double alpha, double beta, double CO2 = 0.0, double N2 = 0.0, double H2S = 0.0) {
        oil.SetDistributionParameters(alpha, beta, CO2, N2, H2S);
    }
};

// The vapour volume fraction at Tf of the inclusion whose fluid homogenises at Th by a
// bubble point: the fraction whose two-phase volume at Tf equals the bubble-point volume at
// Th, found by bisection over flashes at fixed T and vapour volume fraction.
double vapour_fraction_on_isochore(Oil1& oil, double Th, double Tf, double* Ph = nullptr) {
    if (saturation_at(oil, Th, true) != 0) return -1.0;
    const double Vh = oil.liquid->V;
    if (Ph) *Ph = oil.P;
    auto volumeAt = [&](double fv) {
        oil.set_type_of_problem(15);
        oil.set_the_temperature(Tf);
        oil.set_the_vaporization_ratio1(fv);
        oil.set_initialization_flag(2);
        oil.calculateVLE();
        return oil.errorflag == 0 ? oil.V : std::numeric_limits<double>::quiet_NaN();
    };
    double lo = 0.01, hi = 0.6; // the total volume grows with the bubble
    for (int k = 0; k < 60; ++k) {
        const double mid = 0.5 * (lo + hi);
        const double v = volumeAt(mid);
        if (std::isnan(v)) return -1.0;
        (v < Vh ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

} // namespace

TEST(Oil1, BubblePointsOfReferenceOilsBuiltFromTheirParameters) {
    const CsvTable ref = read_reference_csv("oil_bubble.csv");
    const CsvTable compositions = read_reference_csv("oil_compositions.csv");
    int checked = 0;
    for (std::size_t r = 0; r < ref.rows.size(); ++r) {
        if (ref.text(r, "exists") != "bubble") continue;
        const std::string caseId = ref.text(r, "case");
        SCOPED_TRACE(caseId + " at " + ref.text(r, "T_K"));
        std::size_t c = 0;
        while (c < compositions.rows.size() && compositions.text(c, "case") != caseId)
            ++c;
        ASSERT_LT(c, compositions.rows.size());
        AlphaBetaOil o(compositions.number(c, "alpha"), compositions.number(c, "beta"),
                       compositions.number(c, "zCO2"), compositions.number(c, "zN2"),
                       compositions.number(c, "zH2S"));
        ASSERT_EQ(saturation_at(o.oil, ref.number(r, "T_K"), true), 0);
        EXPECT_NEAR(o.oil.P / ref.number(r, "Pbub_Pa"), 1.0, 1e-6);
        EXPECT_NEAR(o.oil.liquid->V / ref.number(r, "VL_translated_m3mol"), 1.0, 1e-6);
        EXPECT_NEAR(o.oil.vapour->V / ref.number(r, "VV_incipient_translated_m3mol"), 1.0, 1e-6);
        ++checked;
    }
    EXPECT_EQ(checked, 10);
}

TEST(Oil1, GasOilRatioAndApiFallWithHeavierOils) {
    double lastGOR = std::numeric_limits<double>::infinity(), lastAPI = lastGOR, lastCH4 = 1.0;
    for (double alpha : {0.5, 0.6, 0.7, 0.8}) {
        SCOPED_TRACE(alpha);
        AlphaBetaOil o(alpha, 0.2);
        o.oil.CalculateGOR();
        ASSERT_EQ(o.oil.errorflag, 0);
        // Black to volatile oils: tens to thousands of volumes of gas per volume of oil, and
        // stock-tank gravities between heavy and light crudes.
        EXPECT_GT(o.oil.mGOR, 10.0);
        EXPECT_LT(o.oil.mGOR, 5000.0);
        EXPECT_GT(o.oil.mAPI, 10.0);
        EXPECT_LT(o.oil.mAPI, 70.0);
        EXPECT_LT(o.oil.mGOR, lastGOR);
        EXPECT_LT(o.oil.mAPI, lastAPI);
        EXPECT_LT(o.oil.GetCH4(), lastCH4);
        // The stock-tank liquid is what is left of the feed: heavier, and denser than its gas.
        EXPECT_GT(o.oil.mLiqMolarWeight, o.oil.calculateBulkMw());
        EXPECT_GT(o.oil.dliq, 20.0 * o.oil.dvap);
        EXPECT_NEAR(o.oil.mMassVolLiq * o.oil.dliq, 1.0, 1e-12);
        // At 1 bar the gas is close to ideal: RT/P within a few percent.
        EXPECT_NEAR(o.oil.vapour->V / (kGasConstant * 288.15 / 1e5), 1.0, 0.03);
        lastGOR = o.oil.mGOR, lastAPI = o.oil.mAPI, lastCH4 = o.oil.GetCH4();
    }
}

TEST(Oil1, FindAlphaRecoversTheAlphaOfAMeasuredInclusion) {
    const double alpha0 = 0.62, beta = 0.2, Th = 380.0, Tf = 293.15;
    AlphaBetaOil truth(alpha0, beta, 0.03);
    double Ph = 0.0;
    const double fv = vapour_fraction_on_isochore(truth.oil, Th, Tf, &Ph);
    ASSERT_GT(fv, 0.01);
    ASSERT_LT(fv, 0.6);

    AlphaBetaOil o(0.55, beta, 0.03);
    o.oil.FindAlpha(Th, Tf, fv, 1e-10, 1);
    ASSERT_EQ(o.oil.errorflag, 0);
    EXPECT_NEAR(o.oil.alpha, alpha0, 1e-6);
    // The solved oil homogenises at Th with the volume the room-temperature state has.
    EXPECT_NEAR(o.oil.Ph / Ph, 1.0, 1e-6);
    EXPECT_NEAR(o.oil.Vl0 / (o.oil.Nl * o.oil.liquid->V + o.oil.Nv * o.oil.vapour->V), 1.0, 1e-9);
    EXPECT_NEAR(o.oil.Fvv, fv, 1e-9);
    EXPECT_EQ(o.oil.Ph0, o.oil.Ph);
    EXPECT_EQ(o.oil.Pf0, o.oil.Pf);

    // The next search starts from the converged states kept from this one.
    o.oil.SetDistributionParameters(0.6, beta + 0.04, 0.03, 0.0, 0.0);
    o.oil.FindAlpha(Th, Tf, fv, 1e-10, 1);
    ASSERT_EQ(o.oil.errorflag, 0);
    EXPECT_GT(std::fabs(o.oil.alpha - alpha0), 1e-4); // another beta, another alpha
    AlphaBetaOil check(o.oil.alpha, beta + 0.04, 0.03);
    EXPECT_NEAR(vapour_fraction_on_isochore(check.oil, Th, Tf), fv, 1e-7);
}

TEST(Oil1, AStartWithoutAHomogenisationStateStepsBackTowardsTheLastGoodAlpha) {
    const double beta = 0.2, Th = 380.0, Tf = 293.15;
    AlphaBetaOil truth(0.62, beta, 0.03);
    const double fv = vapour_fraction_on_isochore(truth.oil, Th, Tf);
    // An oil so light that it has no bubble point at Th: alone, the search cannot start.
    AlphaBetaOil o(0.2, beta, 0.03);
    o.oil.FindAlpha(Th, Tf, fv, 1e-10, 1);
    EXPECT_EQ(o.oil.errorflag, kHomogenisationFailed);
    // Knowing an alpha that evaluates, it goes back towards it and on to the root.
    o.oil.SetDistributionParameters(0.2, beta, 0.03, 0.0, 0.0);
    o.oil.FindAlpha(Th, Tf, fv, 1e-10, 1, {0.0, 0.7});
    ASSERT_EQ(o.oil.errorflag, 0);
    EXPECT_NEAR(o.oil.alpha, 0.62, 1e-6);
}

TEST(Oil1, FindAlphaReportsImpossibleMeasurementsWithTheirCodes) {
    AlphaBetaOil o(0.6, 0.1);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    o.oil.FindAlpha(nan, 293.15, 0.1, 1e-8, 1);
    EXPECT_EQ(o.oil.errorflag, kHomogenisationFailed);
    o.oil.FindAlpha(380.0, 293.15, 1.5, 1e-8, 1);
    EXPECT_EQ(o.oil.errorflag, kRoomTemperatureFailed);
    o.oil.FindAlpha(380.0, nan, 0.1, 1e-8, 1);
    EXPECT_EQ(o.oil.errorflag, kRoomTemperatureFailed);
    EXPECT_DOUBLE_EQ(o.oil.alpha, 0.6);

    // No oil of the family has a bubble point at 1500 K.
    o.oil.FindAlpha(1500.0, 293.15, 0.1, 1e-8, 1);
    EXPECT_EQ(o.oil.errorflag, kHomogenisationFailed);
    // A failed search leaves the oil at its starting alpha, feed included.
    EXPECT_DOUBLE_EQ(o.oil.alpha, 0.6);
    AlphaBetaOil same(0.6, 0.1);
    for (short i = 0; i < 17; ++i)
        EXPECT_DOUBLE_EQ(o.oil.z[i], same.oil.z[i]);

    // The residual itself reports a failed homogenisation as an evaluation error.
    o.oil.Th = 1500.0;
    EXPECT_EQ(o.oil.equation4(0.6), 0.0);
    EXPECT_EQ(o.oil.error, 1);
    EXPECT_EQ(o.oil.errorflag, kHomogenisationFailed);
}

TEST(Oil1, GorAndApiResidualsVanishAtTheirTargets) {
    AlphaBetaOil o(0.7, 0.1);
    o.oil.CalculateGOR();
    o.oil.mGOR0 = o.oil.mGOR;
    o.oil.mAPI0 = o.oil.mAPI;
    EXPECT_NEAR(o.oil.equation5(0.7), 0.0, 1e-9 * o.oil.mGOR0);
    EXPECT_NEAR(o.oil.equation6(0.7), 0.0, 1e-9 * o.oil.mAPI0);
    EXPECT_GT(o.oil.equation5(0.65), 0.0); // lighter oil, more gas
    EXPECT_GT(o.oil.equation6(0.65), 0.0);
}

TEST(Oil, FirstPointsOfBothBranchesLieOnTheEnvelope) {
    AlphaBetaOil o(0.6, 0.3, 0.05, 0.02);
    double T = 0.0, P = 0.0;
    char error = 9, gas = 0;
    o.oil.FirstLiquidIsoplethPoint(T, P, error, gas);
    ASSERT_EQ(error, 0);
    EXPECT_EQ(gas, 0);
    // A live oil: its bubble pressure at 0 degrees Celsius is far above 20 bar, so the
    // branch starts at -49 or -73 degrees Celsius.
    EXPECT_TRUE(std::fabs(T + 49.0) < 1e-9 || std::fabs(T + 73.0) < 1e-9) << T;
    EXPECT_GT(P, 20.0);
    EXPECT_NEAR(o.oil.Tnc0, T + 273.15, 1e-9); // saved for the continuation
    EXPECT_NEAR(o.oil.Nv0, 0.0, 1e-9);
    ASSERT_EQ(saturation_at(o.oil, T + 273.15, true), 0);
    EXPECT_NEAR(o.oil.P / 1e5 / P, 1.0, 1e-8);

    o.oil.FirstGasIsoplethPoint(T, P, error);
    ASSERT_EQ(error, 0);
    EXPECT_TRUE(std::fabs(T - 100.0) < 1e-9 || std::fabs(T) < 1e-9) << T;
    EXPECT_NEAR(o.oil.Nv0, 1.0, 1e-9);
    ASSERT_EQ(saturation_at(o.oil, T + 273.15, false), 0);
    EXPECT_NEAR(o.oil.P / 1e5 / P, 1.0, 1e-8);
    // The dew point lies below the bubble point at the same temperature.
    ASSERT_EQ(saturation_at(o.oil, T + 273.15, true), 0);
    EXPECT_GT(o.oil.P / 1e5, P);
}

TEST(Oil, FirstLiquidPointOfDeadOilsAndOfGases) {
    // A heavy oil with little methane: its bubble pressure at 0 degrees Celsius is below
    // 20 bar and the branch starts there.
    AlphaBetaOil dead(0.95, 0.0);
    double T = 1.0, P = 0.0;
    char error = 9, gas = 0;
    dead.oil.FirstLiquidIsoplethPoint(T, P, error, gas);
    ASSERT_EQ(error, 0);
    EXPECT_EQ(gas, 0);
    EXPECT_NEAR(T, 0.0, 1e-12);
    EXPECT_GT(P, 1.0);
    EXPECT_LT(P, 20.0);

    // Mostly methane: no bubble point anywhere the search looks, not even from the pressure
    // ramp of the one-phase liquid. It is flagged as a gas and the search ends.
    AlphaBetaOil rich(0.8, 0.9);
    ASSERT_GT(rich.oil.GetCH4(), 0.9);
    T = P = 1.0;
    rich.oil.FirstLiquidIsoplethPoint(T, P, error, gas);
    EXPECT_NE(error, 0);
    EXPECT_EQ(gas, 1);
    EXPECT_EQ(T, 0.0);
    EXPECT_EQ(P, 0.0);
    // Its dew branch exists.
    rich.oil.FirstGasIsoplethPoint(T, P, error);
    EXPECT_EQ(error, 0);
    EXPECT_GT(P, 0.0);
}

TEST(Oil, CheckLLGTellsDistinctPhasesAtAMethaneDifferenceOf003) {
    AlphaBetaOil o(0.6, 0.1);
    o.oil.x[3] = 0.5;
    o.oil.y[3] = 0.47;
    EXPECT_EQ(o.oil.CheckLLG(), 1);
    o.oil.y[3] = 0.53;
    EXPECT_EQ(o.oil.CheckLLG(), 1);
    o.oil.y[3] = 0.4701;
    EXPECT_EQ(o.oil.CheckLLG(), 0);
    o.oil.y[3] = 0.5;
    EXPECT_EQ(o.oil.CheckLLG(), 0);
}

namespace {

struct FluidModel {
    Peng liquid{2};
    Peng vapour{1};
    Oil2 oil{liquid, vapour};
};

} // namespace

TEST(Oil2, FluidsOnePhaseAtStandardConditionsHaveNoGasOilRatio) {
    for (const auto& names : {std::vector<const char*>{"C10", "C18"}, std::vector<const char*>{"N2", "C1"}}) {
        FluidModel f;
        f.oil.number_of_components(2);
        for (short i = 0; i < 2; ++i) {
            const TableComponent& row = kComponentTable[ideal_component_row_by_name(names[i])];
            ASSERT_EQ(
                f.oil.set_component_constants(i, row.Tc, row.Pc * 1e5, row.Vc * 1e-6, row.omega, row.Mw, 0.0),
                0);
            f.oil.add_component(i, names[i]);
            f.oil.composition(i, 0.5);
        }
        f.oil.mGOR = f.oil.mAPI = 7.0;
        f.oil.CalculateGOR();
        EXPECT_NE(f.oil.errorflag, 0) << names[0];
        EXPECT_EQ(f.oil.mGOR, 0.0);
        EXPECT_EQ(f.oil.mAPI, 0.0);
        EXPECT_EQ(f.oil.mMassVolLiq, 0.0);
        EXPECT_DOUBLE_EQ(f.oil.liquid->T, 288.15);
        EXPECT_DOUBLE_EQ(f.oil.liquid->P, 100000.0);
    }
}

TEST(Oil2, ComponentsAreRecognisedByName) {
    FluidModel f;
    f.oil.number_of_components(4);
    const char* names[] = {"CO2", "C1", "C12", "C30"};
    for (short i = 0; i < 4; ++i) {
        f.oil.add_component(i, names[i]);
        f.oil.composition(i, 0.1 * (i + 1));
    }
    EXPECT_DOUBLE_EQ(f.oil.mw[0], 44.01);
    EXPECT_DOUBLE_EQ(f.oil.mw[2], 200.0); // the "Cn1" row
    EXPECT_DOUBLE_EQ(f.oil.mw[3], 440.0); // the "Cn2" row
    EXPECT_DOUBLE_EQ(f.oil.Tc[3], 903.0);
    EXPECT_DOUBLE_EQ(f.oil.Pc[2], 2000000.0);
    // The boiling point of methane is where its Antoine line crosses one atmosphere.
    EXPECT_NEAR(f.oil.Psat(1, f.oil.Tb[1]), 101325.0, 1e-6);
    EXPECT_EQ(f.oil.mMethaneIndex, 1);
    EXPECT_DOUBLE_EQ(f.oil.GetCH4(), 0.2);
}

TEST(Oil2, FluidModelOfAnAlphaBetaOilKeepsItsVolumeShiftInCubicCentimetres) {
    // The fluid model of an alpha-beta oil: every constant as the alpha-beta phases hold it,
    // the shift as a volume in cm3/mol (as a model fluid stores it).
    AlphaBetaOil source(0.65, 0.2, 0.02, 0.01);
    FluidModel f;
    f.oil.number_of_components(17);
    std::vector<double> shiftCm3(17);
    for (short i = 0; i < 17; ++i) {
        const TableCubic& s = source.liquid;
        shiftCm3[i] = s.c0[i] * 1e6;
        ASSERT_EQ(f.oil.set_component_constants(i, s.Tc[i], s.Pc[i], s.Vc[i], s.omega[i], s.mw[i],
                                                shiftCm3[i] * 1e-6),
                  0);
        f.oil.composition(i, source.oil.z[i]);
        f.oil.add_component(i, s.component[i].c_str());
    }
    // Constants that are not numbers are refused and leave the phases as they were.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(f.oil.set_component_constants(3, 190.6, 4.6e6, 9.9e-5, 0.01, 16.04, nan), 1);
    EXPECT_EQ(f.oil.set_component_constants(3, nan, 4.6e6, 9.9e-5, 0.01, 16.04, 0.0), 1);
    EXPECT_EQ(f.oil.set_component_constants(17, 190.6, 4.6e6, 9.9e-5, 0.01, 16.04, 0.0), 1);
    for (short i = 0; i < 17; ++i) {
        EXPECT_NEAR(f.liquid.c0[i], shiftCm3[i] * 1e-6, 1e-15 * std::fabs(shiftCm3[i] * 1e-6)) << i;
        EXPECT_NEAR(f.vapour.c0[i], shiftCm3[i] * 1e-6, 1e-15 * std::fabs(shiftCm3[i] * 1e-6)) << i;
    }
    ASSERT_EQ(saturation_at(f.oil, 330.0, true), 0);
    for (const Peng* phase : {&f.liquid, &f.vapour}) {
        double shift = 0.0;
        for (short i = 0; i < 17; ++i)
            shift += phase->x[i] * shiftCm3[i] * 1e-6;
        EXPECT_NEAR(phase->V, phase->w - shift, 1e-12 * phase->w);
        EXPECT_GT(std::fabs(shift), 1e-3 * phase->w); // a real translation, not a rounding
    }
}
