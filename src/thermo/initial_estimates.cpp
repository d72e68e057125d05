// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/initial_estimates.hpp"

#include "thermo/estimate_tables.hpp"

#include <cmath>

namespace zephon::thermo {

namespace {

struct Interpolated {
    double T = 0.0; // 0: the table has no state for this vapour fraction
    double P = 0.0;
    std::array<double, kOilComponentCount> x{};
};

// The state of one table's branch at the measured vapour fraction: the first row whose
// fraction reaches it (at least it on the liquid branch, at most it on the vapour branch),
// interpolated linearly from the row before.
Interpolated at_fraction(const std::array<OilStateRecord, 7>& rows, bool liquidBranch, double Fv) {
    Interpolated out;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const double f1 = rows[r].mFv * 0.01;
        const bool qualifies = liquidBranch ? f1 >= Fv : f1 <= Fv;
        if (!qualifies) continue;
        if (r == 0) {
            out.T = rows[0].mT;
            out.P = rows[0].mP;
            for (int i = 0; i < kOilComponentCount; ++i)
                out.x[i] = rows[0].x[i];
            return out;
        }
        const OilStateRecord& a = rows[r - 1];
        const OilStateRecord& b = rows[r];
        const double f0 = a.mFv * 0.01;
        const double t = f1 != f0 ? (Fv - f0) / (f1 - f0) : 1.0;
        out.T = a.mT + (b.mT - a.mT) * t;
        out.P = a.mP + (b.mP - a.mP) * t;
        for (int i = 0; i < kOilComponentCount; ++i)
            out.x[i] = a.x[i] + (b.x[i] - a.x[i]) * t;
        return out;
    }
    return out;
}

} // namespace

char lookup_initial_estimate(char homog, double Th, double Fv, InitialEstimate& estimate) {
    estimate = InitialEstimate{};
    if (!std::isfinite(Th) || !std::isfinite(Fv)) return 1;
    const bool liquidBranch = homog != 0; // 2 is read as 1
    std::array<Interpolated, 8> at{};
    for (std::size_t k = 0; k < kEstimateTables.size(); ++k)
        at[k] = at_fraction(liquidBranch ? kEstimateTables[k].mLiquid : kEstimateTables[k].mVapour,
                            liquidBranch, Fv);

    auto take = [&estimate](double alpha, const Interpolated& s) {
        estimate.alpha = alpha;
        estimate.P = s.P;
        estimate.incipient = s.x;
    };
    for (std::size_t k = 0; k < at.size(); ++k) {
        if (!(at[k].T > Th)) continue;
        if (k == 0 || at[k - 1].T == 0.0) {
            take(kEstimateTables[k].mAlpha, at[k]);
            return 0;
        }
        const Interpolated& a = at[k - 1];
        const Interpolated& b = at[k];
        const double s = (Th - a.T) / (b.T - a.T);
        const double alpha0 = kEstimateTables[k - 1].mAlpha, alpha1 = kEstimateTables[k].mAlpha;
        estimate.alpha = alpha0 + (alpha1 - alpha0) * s;
        estimate.P = a.P + (b.P - a.P) * s;
        for (int i = 0; i < kOilComponentCount; ++i)
            estimate.incipient[i] = a.x[i] + (b.x[i] - a.x[i]) * s;
        return 0;
    }
    // Beyond every table: the heaviest oil for a liquid inclusion; the first usable table for
    // a vapour one.
    if (liquidBranch) {
        take(kEstimateTables[7].mAlpha, at[7]);
        return 0;
    }
    for (std::size_t k = 0; k < at.size(); ++k) {
        if (at[k].T != 0.0) {
            take(kEstimateTables[k].mAlpha, at[k]);
            return 0;
        }
    }
    return 1;
}

} // namespace zephon::thermo
