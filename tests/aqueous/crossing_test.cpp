// SPDX-License-Identifier: BSD-3-Clause
// Crossings of isochores: straight lines with known answers, no crossing, near-parallel lines, and
// the uncertainty band against a brute-force Monte Carlo.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "aqueous/aqueous_isochore.hpp"
#include "aqueous/crossing_band.hpp"
#include "aqueous/isochore_crossing.hpp"
#include "aqueous/salinity.hpp"

using namespace zephon::aqueous;

namespace {

// P = p0 + s (T - t0) from t0 up, to 5000 bar.
class Line : public IsochoreCurve {
  public:
    Line(double t0, double p0, double s) : mT0(t0), mP0(p0), mS(s) {}
    double start_temperature() const override { return mT0; }
    std::optional<IsochorePoint> at(double T) const override {
        const double P = mP0 + mS * (T - mT0);
        if (T < mT0 || P > kHighestIsochorePressure) return std::nullopt;
        return IsochorePoint{T, P, mS};
    }

  private:
    double mT0, mP0, mS;
};

} // namespace

TEST(IsochoreCrossing, StraightLinesCrossWhereAlgebraSays) {
    // Oil from 80 C at 150 bar, 9 bar/K; aqueous from 130 C at 2.7 bar, 17 bar/K.
    const Line oil(80, 150, 9), aqueous(130, 2.7, 17);
    const CrossingResult r = find_crossing(oil, aqueous);
    ASSERT_EQ(r.status, CrossingStatus::Found) << r.message;
    const double T = (150 - 9 * 80 - 2.7 + 17 * 130) / (17.0 - 9.0);
    EXPECT_NEAR(r.crossing.T, T, 1e-6);
    EXPECT_NEAR(r.crossing.P, 150 + 9 * (T - 80), 1e-5);
    EXPECT_EQ(r.crossing.slopeOil, 9);
    EXPECT_EQ(r.crossing.slopeAqueous, 17);
}

TEST(IsochoreCrossing, DivergingLinesDoNotCrossBelowTheHighestPressure) {
    const Line oil(80, 150, 20), aqueous(130, 2.7, 12);
    const CrossingResult r = find_crossing(oil, aqueous);
    EXPECT_EQ(r.status, CrossingStatus::NotBelowHighestPressure);
    EXPECT_NE(r.message.find("5000 bar"), std::string::npos);
    // Lines that would cross only above 5000 bar.
    EXPECT_EQ(find_crossing(Line(80, 3000, 9), Line(130, 2.7, 9.5)).status,
              CrossingStatus::NotBelowHighestPressure);
}

TEST(IsochoreCrossing, AngleShowsNearParallelCrossings) {
    const Line oil(90, 10, 15), aqueous(100, 1, 15.6);
    const CrossingResult r = find_crossing(oil, aqueous);
    ASSERT_EQ(r.status, CrossingStatus::Found) << r.message;
    EXPECT_NEAR(r.crossing.T, 100 + (10 + 15 * 10 - 1) / 0.6, 1e-5);
    EXPECT_LT(r.crossing.angle, kIllConditionedAngle);
    // The angle does not depend on the units of pressure, and opposite slopes meet square.
    EXPECT_NEAR(crossing_angle(9, 17), crossing_angle(0.9, 1.7), 1e-12);
    EXPECT_NEAR(crossing_angle(10, 10), 0, 1e-12);
    EXPECT_NEAR(crossing_angle(-3, 5), 90, 1e-12);
    EXPECT_GT(crossing_angle(9, 17), kIllConditionedAngle);
}

TEST(IsochoreCrossing, CrossingOfABrineIsochoreIsOnBoth) {
    const auto aqueous = AqueousIsochore::make({135, 12}).isochore;
    const Line oil(90, 120, 8.5);
    const CrossingResult r = find_crossing(oil, *aqueous);
    ASSERT_EQ(r.status, CrossingStatus::Found) << r.message;
    EXPECT_NEAR(aqueous->at(r.crossing.T)->P, r.crossing.P, 1e-4);
    EXPECT_NEAR(oil.at(r.crossing.T)->P, r.crossing.P, 1e-4);
}

namespace {

// Brute force: the crossing for normally distributed inputs, its sample standard deviations and
// correlation.
// With r, the errors of inputs 0 and 2 (the two Th) are correlated by r.
CrossingBand MonteCarlo(const CrossingOfInputs& f, const std::vector<UncertainInput>& inputs, int draws,
                        std::vector<std::pair<double, double>>* samples = nullptr, double r = 0) {
    std::mt19937_64 random(20240611);
    std::normal_distribution<double> normal;
    double sT = 0, sP = 0, sTT = 0, sPP = 0, sTP = 0;
    int n = 0;
    for (int k = 0; k < draws; ++k) {
        std::vector<double> z;
        for (std::size_t i = 0; i < inputs.size(); ++i)
            z.push_back(normal(random));
        if (inputs.size() > 2) z[2] = r * z[0] + std::sqrt(1 - r * r) * z[2];
        std::vector<double> x;
        for (std::size_t i = 0; i < inputs.size(); ++i)
            x.push_back(inputs[i].value + inputs[i].sd * z[i]);
        const auto c = f(x);
        if (!c) continue;
        if (samples) samples->push_back(*c);
        sT += c->first, sP += c->second, sTT += c->first * c->first, sPP += c->second * c->second;
        sTP += c->first * c->second;
        ++n;
    }
    const double mT = sT / n, mP = sP / n;
    const double vT = sTT / n - mT * mT, vP = sPP / n - mP * mP, cTP = sTP / n - mT * mP;
    return {std::sqrt(vT), std::sqrt(vP), cTP / std::sqrt(vT * vP)};
}

} // namespace

TEST(CrossingBand, FiniteDifferencesAgreeWithBruteForceMonteCarlo) {
    // The aqueous inclusion from Th and Tm,ice; the oil a straight isochore whose start and slope
    // follow its Th and bubble fraction as a real oil's roughly do.
    const std::vector<UncertainInput> inputs{
        {"Th (aq.)", 138.0, 1.0}, {"Tm,ice", -7.2, 0.2}, {"Th (oil)", 88.0, 1.0}, {"Fv", 11.0, 0.5}};
    const CrossingOfInputs crossing =
        [](const std::vector<double>& x) -> std::optional<std::pair<double, double>> {
        const SalinityResult s = salinity_from_ice_melting(x[1]);
        if (!s.ok) return std::nullopt;
        const auto aqueous = AqueousIsochore::make({x[0], s.weightPercent}).isochore;
        if (!aqueous) return std::nullopt;
        const Line oil(x[2], 1.5 * x[2] - 20, 7.5 + 0.2 * x[3]);
        const CrossingResult r = find_crossing(oil, *aqueous);
        if (r.status != CrossingStatus::Found) return std::nullopt;
        return std::make_pair(r.crossing.T, r.crossing.P);
    };
    const BandResult fd = propagate_uncertainty(crossing, inputs);
    ASSERT_TRUE(fd.ok) << fd.message;
    std::vector<std::pair<double, double>> samples;
    const CrossingBand mc = MonteCarlo(crossing, inputs, 1500, &samples);
    // 1500 draws estimate a standard deviation to about 2 %.
    EXPECT_NEAR(fd.band.sdT / mc.sdT, 1.0, 0.08) << fd.band.sdT << " " << mc.sdT;
    EXPECT_NEAR(fd.band.sdP / mc.sdP, 1.0, 0.08) << fd.band.sdP << " " << mc.sdP;
    EXPECT_NEAR(fd.band.correlation, mc.correlation, 0.05);

    // About 95 % of the draws fall inside the 95 % ellipse, whose points lie at the Mahalanobis
    // radius of that probability.
    const auto nominal = *crossing({138.0, -7.2, 88.0, 11.0});
    const CrossingBand& b = fd.band;
    auto mahalanobis2 = [&](double T, double P) {
        const double u = (T - nominal.first) / b.sdT, v = (P - nominal.second) / b.sdP;
        return (u * u - 2 * b.correlation * u * v + v * v) / (1 - b.correlation * b.correlation);
    };
    const double k2 = -2 * std::log(1 - kEllipseCoverage);
    for (const auto& [T, P] : uncertainty_ellipse(nominal.first, nominal.second, b))
        EXPECT_NEAR(mahalanobis2(T, P), k2, 1e-9);
    int inside = 0;
    for (const auto& [T, P] : samples)
        inside += mahalanobis2(T, P) <= k2 ? 1 : 0;
    EXPECT_NEAR(static_cast<double>(inside) / samples.size(), kEllipseCoverage, 0.02);
}

TEST(CrossingBand, AnInputThatCannotBeVariedIsNamed) {
    const CrossingOfInputs failsBelowZero =
        [](const std::vector<double>& x) -> std::optional<std::pair<double, double>> {
        if (x[1] < 0) return std::nullopt;
        return std::make_pair(x[0], x[1]);
    };
    const BandResult r = propagate_uncertainty(failsBelowZero, {{"Th (aq.)", 100, 1}, {"salinity", 0, 1}});
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("salinity"), std::string::npos);
    // An input without uncertainty is left out.
    const BandResult none = propagate_uncertainty(failsBelowZero, {{"Th (aq.)", 100, 2}, {"salinity", 0, 0}});
    ASSERT_TRUE(none.ok);
    EXPECT_NEAR(none.band.sdT, 2, 1e-12);
    EXPECT_EQ(none.band.sdP, 0);
}

namespace {

// The aqueous inclusion from Th and Tm,ice; the oil a straight isochore whose start and slope
// follow its Th and bubble fraction as a real oil's roughly do: p0 at Th 88 C plus 1.5 bar/K, the
// slope at Fv 11 % plus 0.2 bar/K per percent.
std::optional<std::pair<double, double>> BrineAndLine(const std::vector<double>& x, double p0 = 112,
                                                      double slope = 9.7) {
    const SalinityResult s = salinity_from_ice_melting(x[1]);
    if (!s.ok) return std::nullopt;
    const auto aqueous = AqueousIsochore::make({x[0], s.weightPercent}).isochore;
    if (!aqueous) return std::nullopt;
    const Line oil(x[2], p0 + 1.5 * (x[2] - 88), slope + 0.2 * (x[3] - 11));
    const CrossingResult r = find_crossing(oil, *aqueous);
    if (r.status != CrossingStatus::Found) return std::nullopt;
    return std::make_pair(r.crossing.T, r.crossing.P);
}

} // namespace

TEST(CrossingBand, CorrelatedThAgreeWithCorrelatedMonteCarlo) {
    // A shared stage offset: the two Th errors correlated by 0.9, and fully (r = 1).
    const std::vector<UncertainInput> inputs{
        {"Th (aq.)", 138.0, 1.0}, {"Tm,ice", -7.2, 0.2}, {"Th (oil)", 88.0, 1.0}, {"Fv", 11.0, 0.5}};
    const CrossingOfInputs crossing = [](const std::vector<double>& x) { return BrineAndLine(x); };
    const BandResult independent = propagate_uncertainty(crossing, inputs);
    for (double r : {0.9, 1.0, -0.5}) {
        const BandResult fd = propagate_uncertainty(crossing, inputs, {{0, 2, r}});
        ASSERT_TRUE(fd.ok) << fd.message;
        EXPECT_TRUE(fd.halved.empty());
        const CrossingBand mc = MonteCarlo(crossing, inputs, 1500, nullptr, r);
        EXPECT_NEAR(fd.band.sdT / mc.sdT, 1.0, 0.08) << r << ": " << fd.band.sdT << " " << mc.sdT;
        EXPECT_NEAR(fd.band.sdP / mc.sdP, 1.0, 0.08) << r << ": " << fd.band.sdP << " " << mc.sdP;
        EXPECT_NEAR(fd.band.correlation, mc.correlation, 0.05) << r;
        // Both Th moving together move both isochores the same way: the crossing moves less.
        if (r > 0) {
            EXPECT_LT(fd.band.sdP, independent.band.sdP);
        }
    }
}

TEST(CrossingBand, NearParallelCrossingAgreesWithMonteCarloAndSaysWhereAStepWasHalved) {
    // An oil isochore nearly as steep as the brine's: the angle below 5 degrees.
    const std::vector<UncertainInput> inputs{
        {"Th (aq.)", 138.0, 0.3}, {"Tm,ice", -7.2, 0.05}, {"Th (oil)", 88.0, 0.3}, {"Fv", 11.0, 0.05}};
    // The oil line through the brine isochore at 180 C, 12 % steeper than it there.
    const auto aqueous =
        AqueousIsochore::make({138.0, salinity_from_ice_melting(-7.2).weightPercent}).isochore;
    const IsochorePoint at180 = *aqueous->at(180);
    const double slope = 1.12 * at180.dPdT, p0 = at180.P - slope * (180 - 88);
    const CrossingOfInputs crossing = [&](const std::vector<double>& x) {
        return BrineAndLine(x, p0, slope);
    };
    const auto nominal = crossing({138.0, -7.2, 88.0, 11.0});
    ASSERT_TRUE(nominal);
    EXPECT_NEAR(nominal->first, 180, 1e-5);
    const double angle = crossing_angle(slope, at180.dPdT);
    EXPECT_LT(angle, kIllConditionedAngle);
    EXPECT_GT(angle, 2.0);
    const BandResult fd = propagate_uncertainty(crossing, inputs);
    ASSERT_TRUE(fd.ok) << fd.message;
    const CrossingBand mc = MonteCarlo(crossing, inputs, 1500);
    EXPECT_NEAR(fd.band.sdT / mc.sdT, 1.0, 0.1) << fd.band.sdT << " " << mc.sdT;
    EXPECT_NEAR(fd.band.sdP / mc.sdP, 1.0, 0.1) << fd.band.sdP << " " << mc.sdP;

    // An input whose full step leaves the crossing's domain is named as halved.
    const CrossingOfInputs onlyAboveMinusHalf =
        [](const std::vector<double>& x) -> std::optional<std::pair<double, double>> {
        if (x[0] < -0.5) return std::nullopt;
        return std::make_pair(x[0], 2 * x[0]);
    };
    const BandResult halved = propagate_uncertainty(onlyAboveMinusHalf, {{"Th (aq.)", 0, 1}});
    ASSERT_TRUE(halved.ok);
    ASSERT_EQ(halved.halved.size(), 1u);
    EXPECT_EQ(halved.halved[0], "Th (aq.)");
    EXPECT_NEAR(halved.band.sdP, 2, 1e-12);
}
