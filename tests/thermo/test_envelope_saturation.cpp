// SPDX-License-Identifier: BSD-3-Clause
// Saturation points found along the phase envelope: both dew points where a temperature has
// two (against independent programs), and bubble and dew points close to the critical point,
// where the flash from the ideal mixture fails.
#include "thermo/calculation_interface.hpp"
#include "thermo/envelope_saturation.hpp"

#include "reference_data.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>

using namespace zephon::thermo;
using namespace zephon::testing;

namespace {

using MakeFluid = std::function<std::unique_ptr<CCalculationInterface>()>;

MakeFluid alpha_beta_oil(double alpha, double beta, double co2 = 0, double n2 = 0) {
    return [=] {
        auto ci = std::make_unique<CCalculationInterface>(1);
        ci->mAlpha = alpha, ci->mBeta = beta, ci->mCO2 = co2, ci->mN2 = n2;
        ci->Finalize();
        return ci;
    };
}

MakeFluid reference_fluid8() {
    return [] {
        const CsvTable t = read_reference_csv("fluid8_components.csv");
        std::vector<ModelFluidComponent> components;
        for (std::size_t r = 0; r < t.rows.size(); ++r)
            components.push_back({t.text(r, "name"), t.number(r, "Tc_K") - 273.15, t.number(r, "Pc_Pa") / 1e5,
                                  t.number(r, "omega"), t.number(r, "Mw"), t.number(r, "Vc_m3mol") * 1e6, 0.0,
                                  t.number(r, "z") * 100});
        auto ci = std::make_unique<CCalculationInterface>(0);
        EXPECT_TRUE(ci->SetModelFluid(components));
        return ci;
    };
}

struct Branch {
    std::vector<std::pair<double, double>> points; // (T K, P Pa)
};

Branch trace(CCalculationInterface& ci, bool bubble) {
    Branch b;
    ci.mBranch = bubble ? 1 : 0;
    double t = 0, p = 0;
    if (ci.FirstIsoplethPoint(&t, &p) != 0) return b;
    b.points.emplace_back(t + 273.15, p * 1e5);
    for (int k = 0; k < 2000; ++k) {
        const signed char r = ci.NextIsoplethPoint(&t, &p);
        if (r < 0) break;
        if (r == 0) b.points.emplace_back(t + 273.15, p * 1e5);
    }
    return b;
}

bool has_pressure(const EnvelopeSaturationResult& r, double P, double tolerance) {
    for (const SaturationState& s : r.points)
        if (std::fabs(s.P / P - 1.0) <= tolerance) return true;
    return false;
}

} // namespace

TEST(EnvelopeSaturation, FindsBothDewPointsOfIndependentPrograms) {
    struct Source {
        const char* file;
        std::function<MakeFluid(const std::string&)> fluid;
    };
    const Source sources[] = {{"oil_dew.csv",
                               [](const std::string& id) {
                                   // Case ids read a<alpha>_b<beta>_co2<x>_n2<x>_h2s<x>, gases as fractions.
                                   double a = 0, b = 0, co2 = 0, n2 = 0, h2s = 0;
                                   std::sscanf(id.c_str(), "a%lf_b%lf_co2%lf_n2%lf_h2s%lf", &a, &b, &co2, &n2,
                                               &h2s);
                                   return alpha_beta_oil(a, b, co2, n2);
                               }},
                              {"fluid8_dew.csv", [](const std::string&) { return reference_fluid8(); }}};
    int upper = 0;
    for (const Source& source : sources) {
        const CsvTable ref = read_reference_csv(source.file);
        ASSERT_FALSE(ref.rows.empty());
        for (std::size_t r = 0; r < ref.rows.size(); ++r) {
            const double T = ref.number(r, "T_K"), P = ref.number(r, "Pdew_Pa");
            SCOPED_TRACE(ref.text(r, "case") + " at " + ref.text(r, "T_K") + " " + ref.text(r, "dew_branch"));
            // The traced dew branch starts where its pressure reaches 0.1 bar.
            if (ref.text(r, "dew_branch") == "lower" && P < 1e4) continue;
            auto ci = source.fluid(ref.text(r, "case"))();
            const EnvelopeSaturationResult found =
                saturation_points_on_envelope(ci->system(), T, false, false);
            EXPECT_TRUE(has_pressure(found, P, 1e-6)) << "reference " << P << " Pa";
            upper += ref.text(r, "dew_branch") == "upper";
        }
    }
    EXPECT_GE(upper, 10);
}

TEST(EnvelopeSaturation, BubbleAndDewPointsNearTheCriticalPointEqualTheEnvelope) {
    const std::vector<std::pair<std::string, MakeFluid>> fluids = {{"alpha 0.36", alpha_beta_oil(0.36, 0.0)},
                                                                   {"alpha 0.40", alpha_beta_oil(0.40, 0.0)},
                                                                   {"alpha 0.45", alpha_beta_oil(0.45, 0.0)},
                                                                   {"fluid8", reference_fluid8()}};
    for (const auto& [name, make] : fluids) {
        SCOPED_TRACE(name);
        auto envelope = make();
        const Branch bubble = trace(*envelope, true);
        const Branch dew = trace(*envelope, false);
        ASSERT_GE(bubble.points.size(), 3u);
        ASSERT_GE(dew.points.size(), 3u);
        // Both branches stop short of the critical point, which lies between their ends.
        const double Tc = 0.5 * (bubble.points.back().first + dew.points.back().first);
        int checked = 0;
        for (std::size_t k = bubble.points.size(); k-- > 0 && bubble.points[k].first >= Tc - 5.0;) {
            const auto [T, P] = bubble.points[k];
            auto ci = make();
            ASSERT_TRUE(saturation_point_at(ci->system(), T, true)) << "bubble at " << T;
            EXPECT_NEAR(ci->system().P / P, 1.0, 1e-8) << "bubble at " << T;
            ++checked;
        }
        for (std::size_t k = dew.points.size(); k-- > 0 && dew.points[k].first <= Tc + 5.0;) {
            const auto [T, P] = dew.points[k];
            auto ci = make();
            EXPECT_TRUE(has_pressure(saturation_points_on_envelope(ci->system(), T, false, false), P, 1e-8))
                << "upper dew point at " << T;
            ++checked;
        }
        EXPECT_GE(checked, 4);
    }
}
