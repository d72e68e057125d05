// SPDX-License-Identifier: BSD-3-Clause
// The estimate tables and their interpolation: the tabulated states are saturation states of
// the engine's own oils, and the lookup follows the tables' order and bounds.
#include "thermo/estimate_tables.hpp"
#include "thermo/initial_estimates.hpp"
#include "thermo/oil1.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace zephon::thermo;

TEST(EstimateTables, RowsAreSaturationStatesOfTheirOils) {
    // Every other bubble row of three tables: the flash at the tabulated temperature,
    // started from the tabulated incipient phase, gives back the tabulated pressure.
    for (int t : {0, 2, 5}) {
        const OilRecord& table = kEstimateTables[t];
        TableCubic liquid(2), vapour(1);
        Oil1 oil(liquid, vapour);
        oil.SetDistributionParameters(table.mAlpha, 0.0, 0.0, 0.0, 0.0);
        for (std::size_t r = 1; r < table.mLiquid.size(); r += 2) {
            const OilStateRecord& s = table.mLiquid[r];
            oil.set_type_of_problem(13);
            oil.set_the_temperature(s.mT);
            oil.set_the_vaporization_ratio(0.0);
            oil.Pnc = s.mP;
            for (short i = 0; i < 17; ++i) {
                oil.xcomposition(i, oil.z[i]);
                oil.ycomposition(i, s.x[i]);
            }
            oil.set_initialization_flag(0);
            oil.calculateVLE();
            ASSERT_EQ(oil.errorflag, 0) << "alpha " << table.mAlpha << " row " << r;
            EXPECT_NEAR(oil.P / s.mP, 1.0, 1e-6);
        }
        // Rows grow in vapour fraction on the liquid branch and shrink on the vapour branch.
        for (std::size_t r = 1; r < 7; ++r) {
            EXPECT_GE(table.mLiquid[r].mFv, table.mLiquid[r - 1].mFv);
            EXPECT_LE(table.mVapour[r].mFv, table.mVapour[r - 1].mFv);
        }
        EXPECT_EQ(table.mLiquid[0].mFv, -1e-30); // below room temperature: no bubble
    }
}

TEST(EstimateTables, LookupInterpolatesInFractionThenTemperature) {
    InitialEstimate e;
    // A 10 % bubble: the estimate lies between the tables that bracket Th.
    ASSERT_EQ(lookup_initial_estimate(1, 380.0, 0.10, e), 0);
    EXPECT_GT(e.alpha, 0.35);
    EXPECT_LT(e.alpha, 0.95);
    EXPECT_GT(e.P, 0.0);
    double sum = 0.0;
    for (double v : e.incipient)
        sum += v;
    EXPECT_NEAR(sum, 1.0, 0.05);
    // Hotter inclusions with the same bubble need heavier oils.
    InitialEstimate hotter;
    ASSERT_EQ(lookup_initial_estimate(1, 450.0, 0.10, hotter), 0);
    EXPECT_GT(hotter.alpha, e.alpha);
    // 2 reads as 1.
    InitialEstimate two;
    ASSERT_EQ(lookup_initial_estimate(2, 380.0, 0.10, two), 0);
    EXPECT_EQ(two.alpha, e.alpha);
    // Above every table on the liquid branch: the heaviest oil.
    ASSERT_EQ(lookup_initial_estimate(1, 2000.0, 0.10, e), 0);
    EXPECT_EQ(e.alpha, 0.95);
    // A zero bubble on the liquid branch interpolates from the marked row.
    ASSERT_EQ(lookup_initial_estimate(1, 300.0, 0.0, e), 0);
    // Nonsense never reads outside the tables.
    EXPECT_EQ(lookup_initial_estimate(1, std::nan(""), 0.1, e), 1);
    EXPECT_EQ(lookup_initial_estimate(0, 380.0, std::nan(""), e), 1);
}

TEST(EstimateTables, FeedGasesTheTablesLackStartFromWilsonKValues) {
    TableCubic liquid(2), vapour(1);
    Oil1 oil(liquid, vapour);
    oil.SetDistributionParameters(0.6, 0.0, 0.02, 0.01, 0.0); // CO2 and N2, no H2S
    double alpha = 0.0;
    auto sum = [](const std::vector<double>& v) {
        double s = 0.0;
        for (double f : v)
            s += f;
        return s;
    };
    // Bubble point: nitrogen, the most volatile component, is richer in the incipient vapour.
    ASSERT_EQ(oil.EstimateInitial(1, 373.15, 0.1, alpha), 0);
    EXPECT_GT(oil.ync[0], oil.z[0]);
    EXPECT_GT(oil.ync[1], 0.0);
    EXPECT_EQ(oil.ync[2], 0.0);
    EXPECT_NEAR(sum(oil.ync), 1.0, 1e-12);
    // Dew point: poorer in the incipient liquid.
    ASSERT_EQ(oil.EstimateInitial(0, 373.15, 0.95, alpha), 0);
    EXPECT_GT(oil.xnc[0], 0.0);
    EXPECT_LT(oil.xnc[0], oil.z[0]);
    EXPECT_NEAR(sum(oil.xnc), 1.0, 1e-12);
}
