// SPDX-License-Identifier: BSD-3-Clause
// IAPWS-95 against the check values of the release (R6-95(2018), Tables 6 to 8).
#include <gtest/gtest.h>

#include <cmath>

#include "aqueous/iapws95.hpp"

namespace w = zephon::aqueous::iapws95;

namespace {

struct SinglePhase {
    double T, rho, pMPa;
};

// Table 7: the eleven single-phase states.
constexpr SinglePhase kTable7[] = {
    {300, 0.9965560e3, 0.992418352e-1}, {300, 0.1005308e4, 0.200022515e2}, {300, 0.1188202e4, 0.700004704e3},
    {500, 0.4350000, 0.999679423e-1},   {500, 0.4532000e1, 0.999938125},   {500, 0.8380250e3, 0.100003858e2},
    {500, 0.1084564e4, 0.700000405e3},  {647, 0.3580000e3, 0.220384756e2}, {900, 0.2410000, 0.100062559},
    {900, 0.5261500e2, 0.200000690e2},  {900, 0.8707690e3, 0.700000006e3},
};

} // namespace

TEST(Iapws95, SinglePhasePressuresOfTheRelease) {
    for (const SinglePhase& s : kTable7) {
        // The release gives nine digits: their rounding is up to 5e-9 of the smallest values.
        EXPECT_NEAR(w::pressure(s.T, s.rho) / 1e6 / s.pMPa, 1.0, 5e-9) << s.T << " K, " << s.rho << " kg/m3";
    }
}

TEST(Iapws95, HelmholtzDerivativesAndCaloricValuesOfTheRelease) {
    // Table 6, T = 500 K, rho = 838.025 kg/m3.
    const double delta = 838.025 / 322.0, tau = 647.096 / 500.0;
    const w::HelmholtzTerms o = w::ideal_part(delta, tau), r = w::residual_part(delta, tau);
    EXPECT_NEAR(o.phi, 0.204797733e1, 1e-8);
    EXPECT_NEAR(o.d, 0.384236747, 1e-9);
    EXPECT_NEAR(o.dd, -0.147637878, 1e-9);
    EXPECT_NEAR(o.t, 0.904611106e1, 1e-8);
    EXPECT_NEAR(o.tt, -0.193249185e1, 1e-8);
    EXPECT_NEAR(r.phi, -0.342693206e1, 1e-8);
    EXPECT_NEAR(r.d, -0.364366650, 1e-9);
    EXPECT_NEAR(r.dd, 0.856063701, 1e-9);
    EXPECT_NEAR(r.t, -0.581403435e1, 1e-8);
    EXPECT_NEAR(r.tt, -0.223440737e1, 1e-8);
    EXPECT_NEAR(r.dt, -0.112176915e1, 1e-8);
    // Table 7, first state.
    EXPECT_NEAR(w::isochoric_heat_capacity(300, 996.556) / 1e3, 0.413018112e1, 1e-8);
    EXPECT_NEAR(w::speed_of_sound(300, 996.556), 0.150151914e4, 1e-5);
    EXPECT_NEAR(w::specific_entropy(300, 996.556) / 1e3, 0.393062643, 1e-9);
}

TEST(Iapws95, SaturationStatesOfTheRelease) {
    struct Row {
        double T, pMPa, rhoL, rhoV;
    };
    for (const Row& row : {Row{275, 0.698451167e-3, 0.999887406e3, 0.550664919e-2},
                           Row{450, 0.932203564, 0.890341250e3, 0.481200360e1},
                           Row{625, 0.169082693e2, 0.567090385e3, 0.118290280e3}}) {
        const auto s = w::saturation(row.T);
        ASSERT_TRUE(s) << row.T;
        EXPECT_NEAR(s->p / 1e6 / row.pMPa, 1.0, 1e-8) << row.T;
        EXPECT_NEAR(s->rho_liquid / row.rhoL, 1.0, 1e-8) << row.T;
        EXPECT_NEAR(s->rho_vapour / row.rhoV, 1.0, 1e-8) << row.T;
    }
    EXPECT_FALSE(w::saturation(273.0));
    EXPECT_FALSE(w::saturation(w::kCriticalTemperature));
}

// The analytic derivatives against central differences of the pressure, over the liquid, the
// vapour and the states near the critical point where the non-analytic terms matter.
TEST(Iapws95, PressureDerivativesMatchFiniteDifferences) {
    for (double T : {280.0, 400.0, 600.0, 640.0, 650.0, 700.0})
        for (double rho : {5.0, 250.0, 330.0, 420.0, 800.0, 1000.0}) {
            const w::PressureState s = w::pressure_state(T, rho);
            const double hr = 1e-5 * rho, hT = 1e-5 * T;
            const double dRho = (w::pressure(T, rho + hr) - w::pressure(T, rho - hr)) / (2 * hr);
            const double dT = (w::pressure(T + hT, rho) - w::pressure(T - hT, rho)) / (2 * hT);
            EXPECT_NEAR(s.dp_drho, dRho, 1e-6 * std::fabs(dRho) + 1e-3) << T << " " << rho;
            EXPECT_NEAR(s.dp_dT, dT, 1e-6 * std::fabs(dT) + 1e-3) << T << " " << rho;
        }
}

TEST(Iapws95, LiquidDensityInvertsThePressureMetastableLiquidIncluded) {
    for (double T : {280.0, 373.15, 450.0, 600.0, 700.0})
        for (double P : {0.5e5, 1e5, 1e7, 1e8, 5e8}) {
            const auto rho = w::liquid_density(T, P);
            if (T < 600 || P > 2e7) {
                ASSERT_TRUE(rho) << T << " K, " << P << " Pa";
                EXPECT_NEAR(w::pressure(T, *rho), P, 1e-10 * P + 1e-3);
                if (T < w::kCriticalTemperature) {
                    EXPECT_GT(*rho, w::saturation(T)->rho_vapour * 10);
                }
            }
        }
    // At 373.15 K half an atmosphere lies below the saturation pressure: superheated liquid.
    EXPECT_LT(*w::liquid_density(373.15, 0.5e5), w::saturation(373.15)->rho_liquid);
    // Past the liquid spinodal there is no liquid.
    EXPECT_FALSE(w::liquid_density(600.0, 1e3));
}
