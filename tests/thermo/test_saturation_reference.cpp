// SPDX-License-Identifier: BSD-3-Clause
// Bubble and dew points of the Newton flash against independent Peng-Robinson programs
// that solve the same equations with the same constants: any difference beyond rounding
// is a fault.
#include "flash_fixtures.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace zephon::thermo;
using namespace zephon::testing;

namespace {

constexpr double kTol = 1e-6;

// Start a saturation calculation from a state near the reference one (for branches the
// ideal-mixture start does not reach, such as upper dew points).
short saturation_from(EosFlash& flash, double T, bool bubble, double Pstart,
                      const std::vector<double>& incipient) {
    flash.set_type_of_problem(13);
    flash.set_the_temperature(T);
    flash.set_the_vaporization_ratio(bubble ? 0.0 : 1.0);
    flash.temperature(T);
    flash.pressure(Pstart / 1e5);
    flash.vaporization_ratio(bubble ? 0.0 : 1.0);
    for (short i = 0; i < flash.N; ++i) {
        flash.xcomposition(i, bubble ? flash.z[i] : incipient[i]);
        flash.ycomposition(i, bubble ? incipient[i] : flash.z[i]);
    }
    flash.set_initialization_flag(1);
    flash.calculateVLE();
    return flash.errorflag;
}

void check_row(FlashRig& rig, const CsvTable& ref, std::size_t r, bool bubble, const char* pCol,
               const char* prefix) {
    const double T = ref.number(r, "T_K");
    const double Pref = ref.number(r, pCol);
    EosFlash& flash = *rig.flash;
    std::vector<double> incipient(rig.N);
    for (short i = 0; i < rig.N; ++i)
        incipient[i] = ref.number(r, prefix + flash.component[i]);

    short code = saturation_at(flash, T, bubble);
    if (code != 0 || std::fabs(flash.P / Pref - 1.0) > 1e-3) {
        // Not the branch the ideal start leads to: start beside the reference point instead.
        std::vector<double> start = incipient;
        for (double& v : start)
            v *= 1.02;
        code = saturation_from(flash, T, bubble, Pref * 1.03, start);
    }
    ASSERT_EQ(code, 0);
    EXPECT_NEAR(flash.P / Pref, 1.0, kTol);
    for (short i = 0; i < rig.N; ++i)
        EXPECT_NEAR(bubble ? flash.y[i] : flash.x[i], incipient[i], kTol * std::max(incipient[i], 1e-6))
            << flash.component[i];
}

} // namespace

TEST(SaturationReference, BubblePointsOfAlphaBetaOils) {
    const CsvTable ref = read_reference_csv("oil_bubble.csv");
    ASSERT_FALSE(ref.rows.empty());
    int checked = 0;
    for (std::size_t r = 0; r < ref.rows.size(); ++r) {
        if (ref.text(r, "exists") != "bubble") continue;
        SCOPED_TRACE(ref.text(r, "case") + " at " + ref.text(r, "T_K"));
        FlashRig rig = make_reference_oil(ref.text(r, "case"));
        check_row(rig, ref, r, true, "Pbub_Pa", "y_");
        const EosFlash& flash = *rig.flash;
        EXPECT_NEAR(rig.liquid->w / ref.number(r, "VL_m3mol"), 1.0, kTol);
        EXPECT_NEAR(flash.liquid->V / ref.number(r, "VL_translated_m3mol"), 1.0, kTol);
        EXPECT_NEAR(flash.vapour->V / ref.number(r, "VV_incipient_translated_m3mol"), 1.0, kTol);
        ++checked;
    }
    EXPECT_EQ(checked, 10);
}

TEST(SaturationReference, DewPointsOfAlphaBetaOilsBothBranches) {
    const CsvTable ref = read_reference_csv("oil_dew.csv");
    ASSERT_FALSE(ref.rows.empty());
    for (std::size_t r = 0; r < ref.rows.size(); ++r) {
        SCOPED_TRACE(ref.text(r, "case") + " at " + ref.text(r, "T_K") + " " + ref.text(r, "dew_branch"));
        FlashRig rig = make_reference_oil(ref.text(r, "case"));
        check_row(rig, ref, r, false, "Pdew_Pa", "x_");
        EXPECT_NEAR(rig.flash->vapour->V / ref.number(r, "VV_translated_m3mol"), 1.0, kTol);
    }
}

TEST(SaturationReference, ExplicitFluidBubbleAndDewPoints) {
    const CsvTable bub = read_reference_csv("fluid8_bubble.csv");
    const CsvTable dew = read_reference_csv("fluid8_dew.csv");
    ASSERT_FALSE(bub.rows.empty());
    for (std::size_t r = 0; r < bub.rows.size(); ++r) {
        if (bub.text(r, "exists") != "bubble") continue;
        SCOPED_TRACE("bubble at " + bub.text(r, "T_K"));
        FlashRig rig = make_reference_fluid8();
        check_row(rig, bub, r, true, "Pbub_Pa", "y_");
    }
    for (std::size_t r = 0; r < dew.rows.size(); ++r) {
        SCOPED_TRACE("dew at " + dew.text(r, "T_K") + " " + dew.text(r, "dew_branch"));
        FlashRig rig = make_reference_fluid8();
        check_row(rig, dew, r, false, "Pdew_Pa", "x_");
    }
}
