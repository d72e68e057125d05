// SPDX-License-Identifier: BSD-3-Clause
// Pure-component vapour pressures from the equation of state: equal liquid and vapour
// fugacities found with the secant solver, checked against independent Peng-Robinson
// values computed with this project's constants and against measured vapour pressures.
#include "eos_fixtures.hpp"
#include "thermo/solver.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace zephon::thermo;
using namespace zephon::testing;

namespace {

// ln(f_liquid / f_vapour) of one pure component as a function of pressure (Pa). Where the
// cubic has a single admissible root the two phases coincide and the evaluation is refused,
// so the secant solver steps back towards the two-root region.
class SaturationResidual : public Equation {
  public:
    SaturationResidual(short row, double T)
        : liquid(make_table_pure(2, row)), vapour(make_table_pure(1, row)), row(row), T(T) {}
    double equation(double P) override {
        for (auto* ph : {liquid.get(), vapour.get()}) {
            ph->T = T;
            ph->P = P;
            ph->describe();
        }
        if (!(P > 0.0) || vapour->Z <= liquid->Z * (1.0 + 1e-9)) {
            error = 1;
            return 0.0;
        }
        return std::log(liquid->fugacity[row] / vapour->fugacity[row]);
    }
    std::unique_ptr<TableCubic> liquid, vapour;
    short row;
    double T;
};

short row_of(const std::string& name) {
    for (short i = 0; i < kTableComponentCount; ++i)
        if (name == kComponentTable[i].name) return i;
    return -1;
}

// Vapour pressure (Pa) from a Wilson-type start refined by the secant solver.
double vapour_pressure(SaturationResidual& model, short& errorflag) {
    const TableComponent& c = kComponentTable[model.row];
    const double Pc = c.Pc * 1e5;
    const double guess = Pc * std::pow(10.0, 7.0 / 3.0 * (1.0 + c.omega) * (1.0 - c.Tc / model.T));
    Secant secant;
    secant.set_equation(model, 0);
    secant.x0 = guess;
    secant.x1 = guess * 1.01;
    secant.epsilon = 1e-14;
    secant.itermax = 60;
    const double P = secant.solve();
    errorflag = secant.errorflag;
    model.equation(P); // leave both phases at the solution
    return P;
}

} // namespace

TEST(PureSaturation, MatchesIndependentPengRobinsonValues) {
    const CsvTable ref = read_reference_csv("pure_saturation.csv");
    ASSERT_FALSE(ref.rows.empty()) << "reference table not found beside the project";
    for (std::size_t r = 0; r < ref.rows.size(); ++r) {
        const short row = row_of(ref.text(r, "component"));
        ASSERT_GE(row, 0);
        SaturationResidual model(row, ref.number(r, "T_K"));
        short code = -1;
        const double P = vapour_pressure(model, code);
        SCOPED_TRACE(ref.text(r, "component") + " Tr " + ref.text(r, "Tr"));
        ASSERT_EQ(code, 0);
        EXPECT_NEAR(P / ref.number(r, "Psat_Pa"), 1.0, 1e-8);
        // The two reference programs differ by up to 2.3e-8 on the liquid volume at low
        // pressure (nC5 at Tr 0.6); a volume must match one of them to 1e-8. The translated
        // volumes are given for the first program; the second's are its w minus the shift.
        const double shift = ref.number(r, "c_shift_m3mol");
        auto off = [&](double v, double want) { return std::fabs(v / want - 1.0); };
        auto nearest = [&](double v, const char* first, const char* second, double minus) {
            return std::min(off(v, ref.number(r, first)), off(v, ref.number(r, second) - minus));
        };
        EXPECT_LE(nearest(model.liquid->w, "VL_m3mol", "VL_m3mol_thermopack", 0.0), 1e-8);
        EXPECT_LE(nearest(model.vapour->w, "VV_m3mol", "VV_m3mol_thermopack", 0.0), 1e-8);
        EXPECT_LE(nearest(model.liquid->V, "VL_translated_m3mol", "VL_m3mol_thermopack", shift), 1e-8);
        EXPECT_LE(nearest(model.vapour->V, "VV_translated_m3mol", "VV_m3mol_thermopack", shift), 1e-8);
        // Translation shifts both volumes by the same c and leaves the pressure alone.
        EXPECT_NEAR(model.liquid->w - model.liquid->V, ref.number(r, "c_shift_m3mol"), 1e-15);
    }
}

TEST(PureSaturation, WithinFivePercentOfMeasuredVapourPressureAtSevenTenthsOfTc) {
    // Antoine fits log10(P/bar) = A - B / (T/K + C) to measured vapour pressures, as
    // tabulated by the NIST Chemistry WebBook (SRD 69): methane, Prydz and Goodwin (1972),
    // 91-190 K; propane, Helgeson and Sage (1967), 231-321 K; n-pentane, Osborn and Douslin
    // (1974), 269-341 K; n-decane, Willingham et al. (1945), 368-448 K. Each temperature
    // below lies inside its fit's range. The table's nC5 carries an acentric factor of
    // 0.2273 where n-pentane's is 0.251, which by the very definition of the acentric factor
    // (log10 Psat/Pc = -1 - omega at 0.7 Tc) puts its vapour pressure there 5.6 % above the
    // measured one; it is held to 7 %, the others to 5 %.
    struct Antoine {
        double A, B, C;
    };
    const std::map<std::string, Antoine> measured = {
        {"C1", {3.9895, 443.028, -0.49}},
        {"C3", {3.98292, 819.296, -24.417}},
        {"nC5", {3.9892, 1070.617, -40.454}},
        {"C10", {4.07857, 1501.268, -78.67}},
    };
    for (const auto& [name, fit] : measured) {
        const short row = row_of(name);
        const double T = 0.7 * kComponentTable[row].Tc;
        SaturationResidual model(row, T);
        short code = -1;
        const double P = vapour_pressure(model, code);
        ASSERT_EQ(code, 0) << name;
        // The equation's alpha function is fitted to honour the acentric factor it is given.
        const TableComponent& c = kComponentTable[row];
        EXPECT_NEAR(P / (c.Pc * 1e5 * std::pow(10.0, -1.0 - c.omega)), 1.0, 0.03) << name;
        const double Pmeasured = 1e5 * std::pow(10.0, fit.A - fit.B / (T + fit.C));
        EXPECT_NEAR(P / Pmeasured, 1.0, name == "nC5" ? 0.07 : 0.05)
            << name << " at " << T << " K: " << P << " Pa vs " << Pmeasured;
    }
}
