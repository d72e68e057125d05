// SPDX-License-Identifier: BSD-3-Clause
// The geotherm: its line, its crossing with a brine isochore against bisection on the two pressures,
// and the ranges it is refused outside.
#include <gtest/gtest.h>

#include <cmath>

#include "aqueous/aqueous_isochore.hpp"
#include "aqueous/geotherm.hpp"

using namespace zephon::aqueous;

TEST(Geotherm, LineAndCrossingWithABrineIsochore) {
    // 25 C at the surface, 30 C/km, hydrostatic: 4 km down lie 145 C and 1.01325 + 4 x 98.0665 bar.
    const Geotherm basin{25, 30, PressureRegime::Hydrostatic, 0};
    const GeothermLine line(basin);
    EXPECT_NEAR(line.at(145)->P, 1.01325 + 4 * 98.0665, 1e-9);
    EXPECT_NEAR(line.depth_at(145), 4.0, 1e-12);
    EXPECT_NEAR(Geotherm({25, 30, PressureRegime::Lithostatic, 0}).pressure_gradient(), 245.16625, 1e-9);
    EXPECT_EQ(Geotherm({25, 30, PressureRegime::Given, 120}).pressure_gradient(), 120);

    for (const Geotherm& g : {basin, Geotherm{10, 25, PressureRegime::Lithostatic, 0},
                              Geotherm{20, 40, PressureRegime::Given, 150}}) {
        const auto isochore = AqueousIsochore::make({120, 12}).isochore;
        const GeothermCrossingResult r = cross_geotherm(*isochore, g);
        ASSERT_TRUE(r.crossing) << r.message;
        // Bisection on the two pressures, from Th up.
        double lo = 120, hi = 250;
        auto gap = [&](double T) { return isochore->at(T)->P - GeothermLine(g).at(T)->P; };
        ASSERT_LT(gap(lo) * gap(hi), 0);
        for (int i = 0; i < 80; ++i)
            ((gap(0.5 * (lo + hi)) > 0) == (gap(hi) > 0) ? hi : lo) = 0.5 * (lo + hi);
        EXPECT_NEAR(r.crossing->T, lo, 1e-5);
        EXPECT_NEAR(r.crossing->P, GeothermLine(g).at(lo)->P, 1e-3);
        EXPECT_NEAR(r.crossing->depthKm, (lo - g.surfaceT) / g.gradient, 1e-6);
    }
}

TEST(Geotherm, RangesAreNamedWhenRefused) {
    const auto isochore = AqueousIsochore::make({120, 12}).isochore;
    for (const Geotherm& g : {Geotherm{70, 30}, Geotherm{20, 2}, Geotherm{20, 1e300},
                              Geotherm{20, 30, PressureRegime::Given, 5}, Geotherm{20, std::nan("")}}) {
        const GeothermCrossingResult r = cross_geotherm(*isochore, g);
        EXPECT_FALSE(r.crossing);
        EXPECT_NE(r.message.find(" to "), std::string::npos) << r.message;
    }
    PressureRegime regime;
    EXPECT_TRUE(pressure_regime_from_word("lithostatic", regime));
    EXPECT_EQ(regime, PressureRegime::Lithostatic);
    EXPECT_FALSE(pressure_regime_from_word("hydrostatical", regime));
    // A geotherm hotter than the isochore everywhere: no crossing below 5000 bar, said so.
    const GeothermCrossingResult none = cross_geotherm(*isochore, {20, 5, PressureRegime::Lithostatic, 0});
    EXPECT_FALSE(none.crossing);
    EXPECT_NE(none.message.find("5000 bar"), std::string::npos) << none.message;
}
