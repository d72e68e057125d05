// SPDX-License-Identifier: BSD-3-Clause
// The oil's side of a crossing: its one-phase isochore from the equation of state, the host
// correction, and the oil of a changed measurement.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "aqueous/aqueous_isochore.hpp"
#include "aqueous/isochore_crossing.hpp"
#include "aqueous/oil_isochore.hpp"
#include "aqueous/trapping.hpp"

using namespace zephon::aqueous;
using zephon::thermo::CCalculationInterface;
using zephon::thermo::IsoplethData;

namespace {

// The bubble branch of an alpha-beta oil, traced as the phase-diagram document traces it.
IsoplethData BubbleBranch(const OilFluid& fluid) {
    CCalculationInterface ci(1);
    ci.mAlpha = fluid.alpha, ci.mBeta = fluid.beta, ci.mCO2 = fluid.co2, ci.mN2 = fluid.n2,
    ci.mH2S = fluid.h2s;
    IsoplethData d;
    double t = 0, p = 0;
    ci.mBranch = 1;
    if (ci.FirstIsoplethPoint(&t, &p) != 0) return d;
    const short n = ci.GetNumberOfComponents();
    for (short i = 0; i < n; ++i)
        d.mxref.push_back(ci.GetIsoplethComposition(i));
    d.mMinT = 1000, d.mMaxT = -1000, d.mMaxP = -10000;
    signed char r = 0;
    for (int step = 0; step < 2000 && (r == 0 || r == 1 || r == -2); ++step) {
        if (r == 0 || r == -2) {
            IsoplethData::Point point{t, p, {}};
            for (short i = 0; i < n; ++i)
                point.mz.push_back(ci.GetVapourComposition(i));
            d.points.push_back(point);
            d.mMinT = std::min(d.mMinT, t), d.mMaxT = std::max(d.mMaxT, t), d.mMaxP = std::max(d.mMaxP, p);
            if (r == -2) break;
        }
        r = ci.NextIsoplethPoint(&t, &p);
    }
    return d;
}

OilInclusion Inclusion(double th) {
    OilInclusion inclusion;
    inclusion.fluid.alpha = 0.82, inclusion.fluid.beta = 0.2, inclusion.fluid.co2 = 0.01;
    inclusion.th = th;
    inclusion.branch = BubbleBranch(inclusion.fluid);
    return inclusion;
}

std::unique_ptr<OilInclusionModel> Model(const OilInclusion& inclusion,
                                         HostMineral host = HostMineral::None) {
    OilInclusionModel::Made made = OilInclusionModel::make(inclusion, host);
    EXPECT_TRUE(made.model) << made.message;
    return std::move(made.model);
}

} // namespace

TEST(OilIsochore, IsTheCalculationInterfacesOnePhaseIsochore) {
    const OilInclusion inclusion = Inclusion(89.3);
    const auto model = Model(inclusion);
    // The interface's own monophasic isochore, point by point.
    CCalculationInterface ci(1);
    ci.mAlpha = 0.82, ci.mBeta = 0.2, ci.mCO2 = 0.01;
    ci.mTh = 89.3;
    ci.mIsopleth = &inclusion.branch;
    double t = 0, p = 0;
    ASSERT_EQ(ci.FirstIsochor2Point(&t, &p), 0);
    EXPECT_NEAR(model->isochore().homogenisation_volume() / ci.mBulkVolume, 1.0, 1e-12);
    ASSERT_EQ(ci.FirstIsochor1Point(&t, &p), 0);
    for (int k = 0; k < 8; ++k) {
        const IsochorePoint q = *model->isochore().at(t);
        EXPECT_NEAR(q.P / p, 1.0, 1e-11) << t;
        const double h = 1e-3; // forward: the isochore starts at Th
        EXPECT_NEAR(q.dPdT,
                    (model->isochore().at(t + 2 * h)->P - model->isochore().at(t + h)->P) / h -
                        (model->isochore().at(t + 2 * h)->P - 2 * model->isochore().at(t + h)->P + q.P) /
                            (2 * h),
                    1e-5 * q.dPdT);
        ci.NextIsochor1Point(&t, &p);
    }
}

TEST(OilIsochore, HostCorrectionMatchesItsFirstOrderEstimate) {
    const OilInclusion inclusion = Inclusion(89.3);
    const auto bare = Model(inclusion);
    const auto quartz = Model(inclusion, HostMineral::Quartz);
    const double T = 150;
    const IsochorePoint b = *bare->isochore().at(T), q = *quartz->isochore().at(T);
    // The oil's compressibility at (T, v_h), from the slope of P in v of the same fluid.
    CCalculationInterface ci(1);
    ci.mAlpha = 0.82, ci.mBeta = 0.2, ci.mCO2 = 0.01;
    ci.Finalize();
    for (short i = 0; i < ci.mLiquid->N; ++i)
        ci.mLiquid->composition_of_component(i, inclusion.branch.mxref[i]);
    const double vh = bare->isochore().homogenisation_volume(), h = 1e-6 * vh;
    const double dPdv = (one_phase_pressure(*ci.mLiquid, T + 273.15, vh + h).P -
                         one_phase_pressure(*ci.mLiquid, T + 273.15, vh - h).P) /
                        (2 * h) / 1e5;
    const double kappa = -1.0 / (vh * dPdv);
    const double dlnV =
        host_log_volume_ratio(HostMineral::Quartz, 89.3, bare->isochore().homogenisation_pressure(), T, b.P);
    const double estimate = -dlnV / (kappa - host_properties(HostMineral::Quartz).beta);
    EXPECT_NEAR(q.P - b.P, estimate, 0.03 * std::fabs(estimate));
    const double step = 1e-3;
    EXPECT_NEAR(q.dPdT,
                (quartz->isochore().at(T + step)->P - quartz->isochore().at(T - step)->P) / (2 * step),
                1e-5 * q.dPdT);
}

TEST(OilIsochore, TheMeasurementItselfGivesBackTheOil) {
    const auto model = Model(Inclusion(89.3));
    const std::optional<double> fv = model->bubble_fraction();
    ASSERT_TRUE(fv);
    EXPECT_GT(*fv, 2.0);
    EXPECT_LT(*fv, 30.0);
    const auto same = model->varied(89.3, *fv);
    ASSERT_TRUE(same);
    EXPECT_NEAR(same->alpha(), 0.82, 1e-6);
    EXPECT_NEAR(same->at(150)->P, model->isochore().at(150)->P, 1e-3);
    // A larger bubble at the same Th needs a lighter oil: a smaller alpha.
    const auto larger = model->varied(89.3, *fv + 1);
    ASSERT_TRUE(larger);
    EXPECT_LT(larger->alpha(), 0.82);
}

TEST(OilIsochore, CrossesABrineIsochoreWithAndWithoutHost) {
    const OilInclusion inclusion = Inclusion(89.3);
    for (HostMineral host : {HostMineral::None, HostMineral::Quartz}) {
        const auto oil = Model(inclusion, host);
        const auto aqueous = AqueousIsochore::make({140, 10, host}).isochore;
        const CrossingResult r = find_crossing(oil->isochore(), *aqueous);
        ASSERT_EQ(r.status, CrossingStatus::Found) << r.message;
        EXPECT_NEAR(oil->isochore().at(r.crossing.T)->P, r.crossing.P, 1e-4);
        EXPECT_NEAR(aqueous->at(r.crossing.T)->P, r.crossing.P, 1e-4);
        EXPECT_GT(r.crossing.T, 140);
        EXPECT_LT(r.crossing.slopeOil, r.crossing.slopeAqueous);
    }
}

// The whole band of a real crossing, the oil's alpha solved again for every changed Th and bubble
// fraction, against the spread of brute-force crossings of randomly drawn measurements.
TEST(OilIsochore, BandOfARealCrossingMatchesBruteForceMonteCarlo) {
    const auto oil = Model(Inclusion(89.3), HostMineral::Quartz);
    const AqueousMeasurement m{140, SalinitySource::IceMelting, -6.6, HostMineral::Quartz, false};
    const auto aqueous = aqueous_isochore_of(m).isochore;
    const TrappingUncertainties sd{1.0, 0.2, 1.0, 0.5};
    const TrappingResult r = calculate_trapping(*oil, *aqueous, m, sd);
    ASSERT_TRUE(r.band) << r.bandMessage;
    // The oil of this alpha-beta pair is the example's inclusion FI-2, whose bubble was 11.67 % at 20 C.
    EXPECT_NEAR(*oil->bubble_fraction(), 11.67, 0.05);

    std::mt19937_64 random(11);
    std::normal_distribution<double> normal;
    double sT = 0, sP = 0, sTT = 0, sPP = 0, sTP = 0;
    int n = 0;
    for (int k = 0; k < 200; ++k) {
        AqueousMeasurement drawn = m;
        drawn.th += sd.thAqueous * normal(random);
        drawn.measured += sd.measured * normal(random);
        const double th = 89.3 + sd.thOil * normal(random),
                     fv = *oil->bubble_fraction() + sd.fv * normal(random);
        const auto a = aqueous_isochore_of(drawn).isochore;
        const auto o = oil->varied(th, fv);
        ASSERT_TRUE(a && o);
        const CrossingResult c = find_crossing(*o, *a);
        ASSERT_EQ(c.status, CrossingStatus::Found);
        const double T = c.crossing.T, P = c.crossing.P;
        sT += T, sP += P, sTT += T * T, sPP += P * P, sTP += T * P;
        ++n;
    }
    const double mT = sT / n, mP = sP / n, vT = sTT / n - mT * mT, vP = sPP / n - mP * mP;
    // 200 draws estimate a standard deviation to about 5 %.
    EXPECT_NEAR(r.band->sdT / std::sqrt(vT), 1.0, 0.15);
    EXPECT_NEAR(r.band->sdP / std::sqrt(vP), 1.0, 0.15);
    EXPECT_NEAR(r.band->correlation, (sTP / n - mT * mP) / std::sqrt(vT * vP), 0.1);
}
