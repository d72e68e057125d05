// SPDX-License-Identifier: BSD-3-Clause
// Salinity from microthermometry and the brine density: handbook freezing points, the paper's
// ranges, and the properties a density must have.
#include <gtest/gtest.h>

#include <cmath>

#include "aqueous/brine.hpp"
#include "aqueous/iapws95.hpp"
#include "aqueous/salinity.hpp"

using namespace zephon::aqueous;

TEST(Salinity, HandbookFreezingPointsGiveTheirSalinities) {
    // Freezing points of NaCl solutions of 5, 10, 15, 20 and 23 wt% (handbook values) through
    // Bodnar's formula.
    struct Row {
        double tm, expected;
    };
    for (const Row& row :
         {Row{-3.0, 4.96}, Row{-6.6, 9.98}, Row{-10.9, 14.87}, Row{-16.5, 19.84}, Row{-20.7, 22.85}}) {
        const SalinityResult s = salinity_from_ice_melting(row.tm);
        ASSERT_TRUE(s.ok) << row.tm;
        EXPECT_NEAR(s.weightPercent, row.expected, 0.005) << row.tm;
    }
}

TEST(Salinity, ValuesOutsideAFormulaAreRefusedWithItsRange) {
    EXPECT_TRUE(salinity_from_ice_melting(0.0).ok);
    EXPECT_TRUE(salinity_from_ice_melting(-21.2).ok);
    const SalinityResult below = salinity_from_ice_melting(-21.3);
    EXPECT_FALSE(below.ok);
    EXPECT_NE(below.message.find("0 to -21.2"), std::string::npos) << below.message;
    EXPECT_FALSE(salinity_from_ice_melting(0.5).ok);
    EXPECT_FALSE(salinity_from_ice_melting(std::nan("")).ok);

    EXPECT_TRUE(salinity_from_halite_dissolution(0.1).ok);
    const SalinityResult hot = salinity_from_halite_dissolution(801.5);
    EXPECT_FALSE(hot.ok);
    EXPECT_NE(hot.message.find("0.1 to 801"), std::string::npos) << hot.message;
    EXPECT_FALSE(typed_salinity(-0.1).ok);
    EXPECT_FALSE(typed_salinity(100).ok);
}

TEST(Salinity, HaliteDissolutionSpansSaturationToPureSalt) {
    // Halite saturation at 0.1 C is 26.24 wt%; at its melting point the liquid is pure salt.
    EXPECT_NEAR(salinity_from_halite_dissolution(0.1).weightPercent, 26.24, 0.01);
    EXPECT_NEAR(salinity_from_halite_dissolution(801).weightPercent, 100.0, 0.05);
    EXPECT_DOUBLE_EQ(mole_fraction_of_salinity(0), 0.0);
    // 10 wt%: 10/58.443 mol of salt in 90/18.015 mol of water.
    EXPECT_NEAR(mole_fraction_of_salinity(10), 0.0331162, 1e-7);
}

TEST(Brine, DensityAtRoomConditionsAndThePureWaterLimit) {
    const BrineResult b = brine_state(25, 1, mole_fraction_of_salinity(10));
    ASSERT_TRUE(b.ok) << b.message;
    EXPECT_NEAR(b.state.rho, 1069.0, 1.0);
    // x = 0 is pure water at the same temperature, and the density is continuous there.
    for (double T : {20.0, 150.0, 300.0})
        for (double P : {10.0, 1000.0}) {
            EXPECT_DOUBLE_EQ(driesner_scaled_temperature(T, P, 0).T_V, T);
            const double water = *iapws95::liquid_density(T + 273.15, P * 1e5);
            EXPECT_NEAR(brine_state(T, P, 0).state.rho / water, 1.0, 1e-12);
            EXPECT_NEAR(brine_state(T, P, 1e-9).state.rho / water, 1.0, 1e-8);
        }
}

TEST(Brine, DensityRisesWithPressureAndItsDerivativesAreRight) {
    // From 1 to 5000 bar: a sign error in the decay of n302 breaks this at low salinity. Above
    // 15 wt% the correlation's own sqrt(P) term makes the density dip by up to 1e-4 between 1 and
    // 6 bar (checked below); from 10 bar on it rises there too.
    for (double w : {1.0, 5.0, 10.0, 20.0, 26.0}) {
        const double x = mole_fraction_of_salinity(w);
        for (double T : {10.0, 60.0, 150.0, 250.0, 350.0}) {
            double previous = 0;
            // The liquid: at and above the saturation pressure of water.
            const double psat = T > 100 ? iapws95::saturation(T + 273.15)->p / 1e5 : 1.0;
            for (double P : {1.0, 10.0, 100.0, 300.0, 1000.0, 2000.0, 3500.0, 5000.0}) {
                if (P < psat || (w > 15 && P < 10)) continue;
                const BrineResult b = brine_state(T, P, x);
                ASSERT_TRUE(b.ok) << w << " wt% " << T << " C " << P << " bar: " << b.message;
                EXPECT_GT(b.state.rho, previous) << w << " wt% " << T << " C " << P << " bar";
                EXPECT_GT(b.state.dlnrho_dP, 0) << w << " wt% " << T << " C " << P << " bar";
                previous = b.state.rho;
                const double hP = 1e-3 * P, hT = 1e-3;
                const double dP = (std::log(brine_state(T, P + hP, x).state.rho) -
                                   std::log(brine_state(T, P - hP, x).state.rho)) /
                                  (2 * hP);
                const double dT = (std::log(brine_state(T + hT, P, x).state.rho) -
                                   std::log(brine_state(T - hT, P, x).state.rho)) /
                                  (2 * hT);
                EXPECT_NEAR(b.state.dlnrho_dP, dP, 2e-3 * std::fabs(dP));
                EXPECT_NEAR(b.state.dlnrho_dT, dT, 1e-4 * std::fabs(dT) + 1e-9);
            }
        }
    }
}

TEST(Brine, TheLowPressureDipOfConcentratedBrinesIsSmall) {
    const double x = mole_fraction_of_salinity(26);
    for (double T : {10.0, 60.0, 100.0}) {
        const double at1 = brine_state(T, 1, x).state.rho;
        for (double P = 1; P <= 10; P += 0.5)
            EXPECT_GT(brine_state(T, P, x).state.rho / at1, 1 - 1e-4) << T << " C " << P << " bar";
    }
}
