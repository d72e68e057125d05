// SPDX-License-Identifier: BSD-3-Clause
// Tracing curves with the predictors and the flash, the way the calculation interfaces do:
// save, predict, flash, and on failure restore and halve the step.
#include "flash_fixtures.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace zephon::thermo;
using namespace zephon::testing;

namespace {

struct CurvePoint {
    double T, P;
    short code;      // the problem code that found the point (13: T stepped, 23: P stepped)
    double distance; // sum |x - y|: shrinks towards a critical point
};

// One curve traced point by point; step() can be interleaved with other tracers.
class BubbleCurveTracer {
  public:
    BubbleCurveTracer(EosFlash& flash, double T0) : f(flash) {
        ok = saturation_at(f, T0, true) == 0;
        if (ok) record();
        f.gradeflag = 0;
    }

    // Advances by one accepted point; false once the step has shrunk to its floor.
    bool step() {
        while (ok) {
            f.save();
            f.estimateNextIsoplethPoint(lambda, 10.0, 500000.0);
            f.set_initialization_flag(0);
            f.calculateVLE();
            if (f.errorflag == 0) {
                lambda = std::min(1.0, lambda * 1.2);
                record();
                return true;
            }
            f.restore();
            lambda /= 2.0;
            if (lambda < 0.01) ok = false;
        }
        return false;
    }

    std::vector<CurvePoint> points;
    bool ok = false;

  private:
    void record() {
        double d = 0.0;
        for (short i = 0; i < f.N; ++i)
            d += std::fabs(f.x[i] - f.y[i]);
        points.push_back({f.T, f.P, f.type_of_problem, d});
        // Every stored point is a true bubble point.
        EXPECT_LT(f.Nv, 1e-12);
        for (short i = 0; i < f.N; ++i)
            EXPECT_NEAR(f.vapour->fugacity[i] / f.liquid->fugacity[i], 1.0, 1e-8);
    }

    EosFlash& f;
    double lambda = 1.0;
};

} // namespace

TEST(Continuation, BubbleCurveOfABinaryUpToItsCriticalRegion) {
    FlashRig rig = make_table_mixture({3, 9}, {0.4, 0.6});
    BubbleCurveTracer tracer(*rig.flash, 250.0);
    ASSERT_TRUE(tracer.ok);
    for (int k = 0; k < 400 && tracer.step(); ++k) {
    }
    const auto& pts = tracer.points;
    ASSERT_GT(pts.size(), 15u);
    // The curve climbs in temperature from the start and is continuous.
    EXPECT_GT(pts.back().T, 400.0);
    for (std::size_t k = 1; k < pts.size(); ++k) {
        EXPECT_LT(std::fabs(pts[k].T - pts[k - 1].T), 10.0 + 1e-9);
        EXPECT_LT(std::fabs(pts[k].P - pts[k - 1].P), 2e6);
    }
    // Where the bubble curve steepens the predictor steps in pressure instead.
    bool steppedInT = false, steppedInP = false;
    for (const auto& p : pts) {
        steppedInT |= p.code == 13;
        steppedInP |= p.code == 23;
    }
    EXPECT_TRUE(steppedInT);
    EXPECT_TRUE(steppedInP);
    // It ends where the phases become alike, which the flash refuses to cross.
    EXPECT_LT(pts.back().distance, 0.15);
    EXPECT_GT(pts.front().distance, 0.5);
}

TEST(Continuation, IsochoreOfAOneFluidStepsAtFixedVolume) {
    FlashRig rig = make_table_mixture({3, 5, 14}, {0.5, 0.2, 0.3});
    EosFlash& f = *rig.flash;
    f.set_type_of_problem(12);
    f.set_the_temperature(330.0);
    f.set_the_pressure(40.0);
    f.set_initialization_flag(2);
    f.calculateVLE();
    ASSERT_EQ(f.errorflag, 0);
    const double V = f.V;
    f.set_type_of_problem(14);
    f.set_the_volume(V);
    f.gradeflag = 0;
    double lambda = 1.0;
    int accepted = 0;
    for (int k = 0; k < 60 && accepted < 8; ++k) {
        f.save();
        f.estimateNextIsochorPoint(lambda, -10.0); // cooling, as an inclusion does
        f.set_initialization_flag(0);
        f.calculateVLE();
        if (f.errorflag != 0) {
            f.restore();
            lambda /= 2.0;
            ASSERT_GT(lambda, 1e-4);
            continue;
        }
        ++accepted;
        EXPECT_NEAR(f.V / V, 1.0, 1e-8);
    }
    EXPECT_EQ(accepted, 8);
    EXPECT_LT(f.T, 330.0 - 40.0);
}

TEST(Continuation, TwoFlashesTracedInterleavedGiveTheSamePointsAsOneAfterTheOther) {
    auto trace_alone = [](const std::vector<short>& rows, const std::vector<double>& z) {
        FlashRig rig = make_table_mixture(rows, z);
        BubbleCurveTracer t(*rig.flash, 250.0);
        for (int k = 0; k < 40 && t.step(); ++k) {
        }
        return t.points;
    };
    const auto aloneA = trace_alone({3, 9}, {0.4, 0.6});
    const auto aloneB = trace_alone({3, 5, 14}, {0.5, 0.2, 0.3});

    FlashRig rigA = make_table_mixture({3, 9}, {0.4, 0.6});
    FlashRig rigB = make_table_mixture({3, 5, 14}, {0.5, 0.2, 0.3});
    BubbleCurveTracer a(*rigA.flash, 250.0), b(*rigB.flash, 250.0);
    for (int k = 0; k < 40; ++k) {
        a.step();
        b.step();
    }
    ASSERT_EQ(a.points.size(), aloneA.size());
    ASSERT_EQ(b.points.size(), aloneB.size());
    for (std::size_t k = 0; k < aloneA.size(); ++k) {
        EXPECT_EQ(a.points[k].T, aloneA[k].T);
        EXPECT_EQ(a.points[k].P, aloneA[k].P);
    }
    for (std::size_t k = 0; k < aloneB.size(); ++k) {
        EXPECT_EQ(b.points[k].T, aloneB[k].T);
        EXPECT_EQ(b.points[k].P, aloneB[k].P);
    }
}
