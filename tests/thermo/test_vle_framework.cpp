// SPDX-License-Identifier: BSD-3-Clause
// The equilibrium framework: phase assignment, target setters, the saturation
// correlations and the ideal-mixture solutions, which have closed forms to check against.
#include "flash_fixtures.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace zephon::thermo;
using namespace zephon::testing;

TEST(VleFramework, PhasesAreAssignedByTheirFlags) {
    Peng a(2), b(1), c(1);
    VLE lv(a, b);
    EXPECT_EQ(lv.liquid, &a);
    EXPECT_EQ(lv.vapour, &b);
    VLE vl(b, a);
    EXPECT_EQ(vl.liquid, &a);
    EXPECT_EQ(vl.vapour, &b);
    Peng d(2);
    VLE ll(a, d);
    EXPECT_EQ(ll.VLEflag, 1);
    VLE vv(b, c);
    EXPECT_EQ(vv.liquid, nullptr);
    EXPECT_EQ(vv.vapour, nullptr);

    lv.set_the_vaporization_ratio1(0.5);
    EXPECT_DOUBLE_EQ(lv.Fv, 0.5 / 50.5);
    lv.set_the_pressure(2.5);
    EXPECT_EQ(lv.P_star, 250000.0);
}

TEST(VleFramework, SaturationCorrelations) {
    Antoine water; // mmHg and degrees Celsius: water boils at 100 C
    water.set_constants(8.07131, 1730.63, 233.426);
    EXPECT_NEAR(water.Psat(373.15) / 101325.0, 1.0, 1e-3);
    EXPECT_NEAR(water.Tsat(water.Psat(350.0)), 350.0, 1e-9);
    EXPECT_EQ(water.Psat(273.15 - 240.0), 1e-20); // below -C
    EXPECT_NEAR(std::log(water.Psat(1e13)), std::log(101325.0 / 760.0) + std::log(10.0) * 8.07131, 1e-6);
    Antoine extreme;
    extreme.set_constants(1000.0, 1.0, 0.0);
    EXPECT_NEAR(std::log(extreme.Psat(400.0)), std::log(101325.0 / 760.0) + 500.0, 1e-9); // clamped

    Clapeyron c;
    c.set_constants(469.6, 33.74e5, 309.2, 101325.0);
    EXPECT_NEAR(c.Psat(309.2), 101325.0, 1e-6);
    EXPECT_NEAR(c.Psat(469.6), 33.74e5, 1e-3);
    EXPECT_NEAR(c.Tsat(c.Psat(400.0)), 400.0, 1e-9);
}

TEST(VleFramework, IdealMixtureFollowsRaoultsLaw) {
    FlashRig rig = make_table_mixture({5, 9, 14}, {0.3, 0.5, 0.2});
    EosFlash& f = *rig.flash;
    const double T = 330.0;
    double bubble = 0.0, inverseDew = 0.0;
    for (short i = 0; i < 3; ++i) {
        bubble += f.z[i] * f.Psat(i, T);
        inverseDew += f.z[i] / f.Psat(i, T);
    }
    f.set_type_of_problem(13);
    f.set_the_temperature(T);
    f.set_the_vaporization_ratio(0.0);
    f.IdealMixture::calculateVLE();
    ASSERT_EQ(f.errorflag, 0);
    EXPECT_NEAR(f.P / bubble, 1.0, 1e-5);
    f.set_the_vaporization_ratio(1.0);
    f.IdealMixture::calculateVLE();
    ASSERT_EQ(f.errorflag, 0);
    EXPECT_NEAR(f.P * inverseDew, 1.0, 1e-5);

    // A P-and-T split between the two: the Rachford-Rice residual vanishes.
    f.set_type_of_problem(12);
    f.set_the_pressure(0.5 * (bubble + 1.0 / inverseDew) / 1e5);
    f.IdealMixture::calculateVLE();
    ASSERT_EQ(f.errorflag, 0);
    double sumX = 0.0, sumY = 0.0;
    for (short i = 0; i < 3; ++i)
        sumX += f.x[i], sumY += f.y[i];
    EXPECT_NEAR(sumX - sumY, 0.0, 1e-3);
    EXPECT_GT(f.Fv, 0.0);
    EXPECT_LT(f.Fv, 1.0);

    // A bubble temperature at fixed pressure inverts the bubble pressure.
    f.set_type_of_problem(23);
    f.set_the_pressure(bubble / 1e5);
    f.set_the_vaporization_ratio(0.0);
    f.IdealMixture::calculateVLE();
    ASSERT_EQ(f.errorflag, 0);
    EXPECT_NEAR(f.T, T, 0.5);
}

TEST(VleFramework, UnsupportedProblemCodesChangeNothing) {
    FlashRig rig = make_table_mixture({3, 9}, {0.4, 0.6});
    EosFlash& f = *rig.flash;
    f.temperature(300.0);
    f.pressure(10.0);
    f.vaporization_ratio(0.25);
    f.set_the_temperature(400.0);
    for (short code : {34, 0, 99}) {
        f.set_type_of_problem(code);
        f.VLE::calculateVLE();
        f.IdealMixture::calculateVLE();
        EXPECT_EQ(f.T, 300.0);
        EXPECT_EQ(f.P, 10e5);
        EXPECT_EQ(f.Nv, 0.25);
    }
}

TEST(VleFramework, SaveAndRestoreReturnToTheSavedPoint) {
    FlashRig rig = make_table_mixture({3, 9}, {0.4, 0.6});
    EosFlash& f = *rig.flash;
    ASSERT_EQ(saturation_at(f, 300.0, true), 0);
    const double P = f.P, V = f.liquid->V;
    const std::vector<double> y = f.y;
    f.save();
    ASSERT_EQ(saturation_at(f, 350.0, true), 0);
    ASSERT_NE(f.P, P);
    f.restore();
    EXPECT_EQ(f.P, P);
    EXPECT_EQ(f.y, y);
    EXPECT_NEAR(f.liquid->V / V, 1.0, 1e-14);
}
