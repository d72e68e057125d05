// SPDX-License-Identifier: BSD-3-Clause
// Aqueous isochores: the published brine-isochore pressures, pure water against IAPWS-95 itself,
// the host-mineral correction against its first-order estimate, and the legacy straight lines.
#include <gtest/gtest.h>

#include <cmath>

#include "aqueous/aqueous_isochore.hpp"
#include "aqueous/brine.hpp"
#include "aqueous/iapws95.hpp"
#include "aqueous/salinity.hpp"

using namespace zephon::aqueous;

namespace {

std::unique_ptr<AqueousIsochore> Make(double th, double salinity, HostMineral host = HostMineral::None,
                                      bool legacy = false) {
    AqueousIsochore::Made made = AqueousIsochore::make({th, salinity, host, legacy});
    EXPECT_TRUE(made.isochore) << made.message;
    return std::move(made.isochore);
}

} // namespace

TEST(AqueousIsochore, PublishedBrineIsochorePressures) {
    // Pressures the published brine equations of state give at Th + 25-50 K.
    struct Row {
        double salinity, th, T, P;
    };
    for (const Row& row : {Row{5, 100, 125, 406}, Row{10, 100, 125, 416}, Row{10, 150, 200, 871},
                           Row{20, 100, 150, 917}, Row{20, 150, 175, 469}, Row{0, 100, 150, 846.1}}) {
        const auto isochore = Make(row.th, row.salinity);
        const auto p = isochore->at(row.T);
        ASSERT_TRUE(p) << row.salinity << " wt%, Th " << row.th;
        EXPECT_NEAR(p->P / row.P, 1.0, 0.01)
            << row.salinity << " wt%, Th " << row.th << ", T " << row.T << ": " << p->P << " bar";
    }
}

TEST(AqueousIsochore, PureWaterHoldsItsSaturatedLiquidDensity) {
    const auto isochore = Make(120, 0);
    const double rhoH = iapws95::saturation(120 + 273.15)->rho_liquid;
    EXPECT_DOUBLE_EQ(isochore->homogenisation().rho, rhoH);
    for (const IsochorePoint& p : isochore->trace(300, 19)) {
        EXPECT_NEAR(p.P / (iapws95::pressure(p.T + 273.15, rhoH) / 1e5), 1.0, 1e-9) << p.T;
        // The slope is that of the formulation at constant density.
        EXPECT_NEAR(p.dPdT / (iapws95::pressure_state(p.T + 273.15, rhoH).dp_dT / 1e5), 1.0, 1e-6) << p.T;
    }
}

TEST(AqueousIsochore, BrineHomogenisesAtRaoultsPressureNoLowerThanOneBar) {
    const double x = mole_fraction_of_salinity(15);
    EXPECT_DOUBLE_EQ(Make(80, 15)->homogenisation().P, 1.0);
    const auto hot = Make(200, 15);
    EXPECT_NEAR(hot->homogenisation().P, (1 - x) * iapws95::saturation(473.15)->p / 1e5, 1e-9);
    EXPECT_DOUBLE_EQ(hot->homogenisation().rho, brine_state(200, hot->homogenisation().P, x).state.rho);
    // Along the isochore the brine keeps that density; the slope is its total derivative.
    const IsochorePoint p = *hot->at(260);
    EXPECT_NEAR(brine_state(260, p.P, x).state.rho / hot->homogenisation().rho, 1.0, 1e-11);
    const double h = 1e-3;
    EXPECT_NEAR(p.dPdT, (hot->at(260 + h)->P - hot->at(260 - h)->P) / (2 * h), 1e-5 * p.dPdT);
}

TEST(AqueousIsochore, HostCorrectionMatchesItsFirstOrderEstimate) {
    // A cavity that grows by dlnV at constant fluid density lowers the pressure by about
    // dlnV / (dlnrho/dP - beta); at high pressure its compression can outweigh its expansion.
    const double th = 110, salinity = 8, T = 160;
    const double x = mole_fraction_of_salinity(salinity);
    const IsochorePoint bare = *Make(th, salinity)->at(T);
    for (HostMineral host : {HostMineral::Quartz, HostMineral::Calcite, HostMineral::Fluorite}) {
        const auto isochore = Make(th, salinity, host);
        const IsochorePoint p = *isochore->at(T);
        const double ph = isochore->homogenisation().P;
        const double dlnV = host_log_volume_ratio(host, th, ph, T, bare.P);
        const double estimate =
            bare.P - dlnV / (brine_state(T, bare.P, x).state.dlnrho_dP - host_properties(host).beta);
        EXPECT_NEAR(p.P - bare.P, estimate - bare.P, 0.02 * std::fabs(estimate - bare.P))
            << host_mineral_word(host);
    }
    // Quartz: alpha_V = 30.484e-6 + 0.033128e-6 T + 3.9391e-11 T^2, integrated from 100 to 200 C.
    EXPECT_NEAR(host_log_volume_ratio(HostMineral::Quartz, 100, 1, 200, 1), 3.637232e-3, 1e-9);
    EXPECT_NEAR(host_log_volume_ratio(HostMineral::Quartz, 100, 1, 100, 1001), -2.7e-3, 1e-12);
}

TEST(AqueousIsochore, TraceEndsAtTheHighestPressure) {
    const auto isochore = Make(100, 10);
    const std::vector<IsochorePoint> points = isochore->trace(600, 100);
    ASSERT_GT(points.size(), 10u);
    EXPECT_LT(points.size(), 100u);
    EXPECT_DOUBLE_EQ(points.front().P, isochore->homogenisation().P);
    EXPECT_NEAR(points.back().P, kHighestIsochorePressure, 1e-3);
    EXPECT_FALSE(isochore->at(points.back().T + 1));
    EXPECT_FALSE(isochore->at(99.0));
}

TEST(AqueousIsochore, LegacyLinesOverestimatePressureAtBasinConditions) {
    for (double salinity : {5.0, 10.0, 20.0}) {
        const auto legacy = Make(100, salinity, HostMineral::None, true);
        const double modern = Make(100, salinity)->at(140)->P;
        const IsochorePoint p = *legacy->at(140);
        EXPECT_NEAR(p.P, legacy->homogenisation().P + 40 * p.dPdT, 1e-9);
        EXPECT_GT(p.P / modern, 1.2) << salinity;
        EXPECT_LT(p.P / modern, 1.6) << salinity;
    }
}

TEST(AqueousIsochore, InputsOutsideTheFormulationsAreRefused) {
    EXPECT_FALSE(AqueousIsochore::make({-1, 5}).isochore);
    EXPECT_FALSE(AqueousIsochore::make({380, 5}).isochore);
    EXPECT_FALSE(AqueousIsochore::make({100, -2}).isochore);
    EXPECT_FALSE(AqueousIsochore::make({100, 45, HostMineral::None, true}).isochore);
    const AqueousIsochore::Made both = AqueousIsochore::make({100, 5, HostMineral::Quartz, true});
    EXPECT_FALSE(both.isochore);
    EXPECT_NE(both.message.find("host"), std::string::npos);
}
