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
    EXPECT_NEAR(host_log_volume_ratio(HostMineral::Quartz, 100, 1, 100, 1001), -2.7e-3, 1e-12);
}

TEST(AqueousIsochore, QuartzExpandsAsKosinskiEtAlGiveIt) {
    // Kosinski, Gualtieri & Ballato (1992): volumetric expansion 34.8e-6 per K at 25 C (2 x 13.65
    // + 7.50) and 40.1e-6 at 100 C.
    EXPECT_NEAR(host_expansion(HostMineral::Quartz, 25), 34.8e-6, 1e-10);
    EXPECT_NEAR(host_expansion(HostMineral::Quartz, 100), 40.1e-6, 0.01e-6);
    // The volume ratio is the integral of the expansion (Simpson's rule over 100 to 500 C).
    const int n = 400;
    double integral = 0;
    for (int i = 0; i <= n; ++i) {
        const double weight = i == 0 || i == n ? 1 : (i % 2 == 1 ? 4 : 2);
        integral += weight * host_expansion(HostMineral::Quartz, 100 + 400.0 * i / n);
    }
    integral *= 400.0 / n / 3;
    EXPECT_NEAR(host_log_volume_ratio(HostMineral::Quartz, 100, 1, 500, 1), integral, 1e-10);
}

TEST(AqueousIsochore, TraceEndsAtTheHighestPressure) {
    const auto isochore = Make(100, 10);
    const std::vector<IsochorePoint> points = isochore->trace(600, 100);
    // Spread up to the end, not cut off there.
    ASSERT_EQ(points.size(), 100u);
    EXPECT_LT(points.back().T, 600);
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

TEST(AqueousIsochore, SlopesAgreeWithTheIsochoresOwnPointsOverTheWholeRange) {
    // Every slope a trace gives against a central difference of the isochore's own pressures and
    // against the secants to its neighbours; at most the first point has none, and only where the
    // brine density correlation hardly rises with pressure at homogenisation.
    int checked = 0, without = 0;
    for (double th : {5.0, 20.0, 50.0, 101.0, 150.0, 200.0, 250.0, 300.0, 350.0, 373.9}) {
        for (double salinity : {0.0, 5.0, 10.0, 15.0, 20.0, 24.0, 26.0, 30.0, 40.0, 60.0}) {
            for (HostMineral host : {HostMineral::None, HostMineral::Quartz}) {
                AqueousIsochore::Made made = AqueousIsochore::make({th, salinity, host});
                if (!made.isochore) continue;
                const std::vector<IsochorePoint> points = made.isochore->trace(600, 100);
                // (Near the critical point of water the calculation stops before 5000 bar.)
                if (th < 373) {
                    ASSERT_EQ(points.size(), 100u) << th << " C, " << salinity << " wt%";
                }
                for (std::size_t i = 0; i < points.size(); ++i) {
                    const IsochorePoint& p = points[i];
                    if (!std::isfinite(p.dPdT)) {
                        EXPECT_EQ(i, 0u) << th << " C, " << salinity << " wt%, T " << p.T;
                        ++without;
                        continue;
                    }
                    // The neighbours bear it out: within a quarter of their central difference.
                    if (i > 0 && i + 1 < points.size()) {
                        const double central =
                            (points[i + 1].P - points[i - 1].P) / (points[i + 1].T - points[i - 1].T);
                        EXPECT_NEAR(p.dPdT, central, 0.25 * std::fabs(central))
                            << th << " C, " << salinity << " wt%, T " << p.T;
                    }
                    // The derivative against a difference over 1e-3 K (one-sided over 1e-5 K at Th).
                    // Within 0.1 K of the critical point of water the liquid is not resolved that
                    // finely.
                    const double h = i == 0 ? 1e-5 : 1e-3, back = i == 0 ? 0.0 : h;
                    const auto up = made.isochore->at(p.T + h);
                    const auto down = made.isochore->at(p.T - back);
                    if (th < 373.8 && up && down) {
                        const double fd = (up->P - down->P) / (h + back);
                        EXPECT_NEAR(p.dPdT, fd, 2e-3 * std::fabs(fd) + 1e-3)
                            << th << " C, " << salinity << " wt%, T " << p.T;
                    }
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 5000);
    EXPECT_GT(without, 0); // the published cases: 15 wt% at Th 101 C, 24 wt% at 150 C, 20 wt% at 50 C
    const auto table = Make(101, 15)->trace(400, 100);
    EXPECT_FALSE(std::isfinite(table.front().dPdT));
    EXPECT_NEAR(table[1].dPdT, (table[2].P - table[0].P) / (table[2].T - table[0].T), 3.0);
}

TEST(AqueousIsochore, RangeEndsAndAHugeTmaxStillGiveAWholeTrace) {
    // 0.01 C is in the range; water contracts on heating there, which is said.
    const AqueousIsochore::Made triple = AqueousIsochore::make({0.01, 0});
    EXPECT_NE(triple.message.find("contracts on heating"), std::string::npos) << triple.message;
    EXPECT_EQ(AqueousIsochore::make({0.0099, 0}).message.find("contracts"), std::string::npos);
    ASSERT_TRUE(AqueousIsochore::make({5, 0}).isochore);
    const auto isochore = Make(100, 10);
    const std::vector<IsochorePoint> points = isochore->trace(1e300, 100);
    ASSERT_EQ(points.size(), 100u);
    EXPECT_NEAR(points.back().P, kHighestIsochorePressure, 1e-3);
    EXPECT_DOUBLE_EQ(isochore->trace(600, 100).back().T, points.back().T);
}

TEST(AqueousIsochore, SalinityAboveHaliteSaturationAtThIsRefused) {
    // Sterner, Hall & Bodnar (1988): a liquid saturated in halite at 150 C holds 29.66 wt% NaCl.
    EXPECT_NEAR(halite_saturation_salinity(150), 29.66, 0.01);
    const AqueousIsochore::Made over = AqueousIsochore::make({150, 34.7});
    ASSERT_FALSE(over.isochore);
    EXPECT_NE(over.message.find("29.66 wt%"), std::string::npos) << over.message;
    EXPECT_FALSE(AqueousIsochore::make({100, 35}).isochore);
    // Halite that dissolves at Th itself is saturation at Th: still a liquid-vapour homogenisation.
    EXPECT_TRUE(AqueousIsochore::make({150, salinity_from_halite_dissolution(150).weightPercent}).isochore);
    EXPECT_TRUE(AqueousIsochore::make({150, 29.0}).isochore);
}
