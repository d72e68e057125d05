// SPDX-License-Identifier: BSD-3-Clause
// The first alpha of a measurement the estimate tables cannot start: a scan of alpha on a
// coarse grid for a change of sign of the volume residual, on each homogenisation state the
// fluid has at Th.
#include "thermo/envelope_saturation.hpp"
#include "thermo/oil1.hpp"

#include <algorithm>
#include <cmath>

namespace zephon::thermo {

namespace {

// From volatile to heavy oils; the residual is smooth between neighbours.
constexpr double kScanAlphas[] = {0.30, 0.35, 0.40, 0.45, 0.50, 0.55, 0.60, 0.65,
                                  0.70, 0.75, 0.80, 0.85, 0.90, 0.95, 0.99};
// Two homogenisation states belong to the same branch of the envelope when their pressures
// differ by less than this factor from one alpha to the next.
constexpr double kSameBranch = 2.0;
// A bubble this close to the measured one is refined without a change of sign.
constexpr double kNearlyARoot = 1e-3;
// A branch is followed from one alpha of the grid to the next in at most this many steps.
constexpr int kMostFollowSteps = 8;

// One homogenisation state followed along the grid, with the residual at the last alpha where
// it was found.
struct Branch {
    bool updated = false; // found at the current alpha
    double P = 0.0;       // 0 when lost at the current alpha
    double lastP = 0.0;   // where it was last found
    std::vector<double> x, y;
    double V = 0.0;        // molar volume of the homogeneous phase
    Oil1::FlashState room; // the state at Tf and V
    bool hasResidual = false;
    double alpha = 0.0, residual = 0.0; // bubble at Tf minus the measured one
};

} // namespace

bool Oil1::ScanForAlpha(double Th_, double Tf_, double fv0_, double epsilon, char homog,
                        const std::vector<double>& excluded) {
    auto isNew = [&excluded](double root) {
        for (double e : excluded)
            if (std::fabs(root - e) < 1e-4) return false;
        return true;
    };
    Th = Th_;
    Tf = Tf_;
    fv0 = fv0_;
    mHomog = homog == 0 ? 0 : 1;
    const bool bubble = mHomog == 1;
    mHasInitialEstimate = false;
    Ph = Pf = Ph0 = Pf0 = 0.0;
    short refinementCode = 0;
    std::vector<Branch> branches;

    // Solves the homogenisation state of branch b at the current alpha from its state at
    // alpha `from`, in smaller steps of alpha when one step is too long.
    auto follow = [&](Branch& b, double from) {
        const double to = alpha;
        for (int parts = 1; parts <= kMostFollowSteps; parts *= 2) {
            double P0 = b.P;
            std::vector<double> x0 = b.x, y0 = b.y;
            bool ok = true;
            for (int k = 1; ok && k <= parts; ++k) {
                alpha = from + (to - from) * k / parts;
                UpdateDistribution();
                set_type_of_problem(13);
                set_the_temperature(Th);
                set_the_vaporization_ratio(bubble ? 0.0 : 1.0);
                temperature(Th);
                ok = flash_from(P0, x0, y0, bubble ? 0.0 : 1.0);
                P0 = P, x0 = x, y0 = y;
            }
            if (ok) {
                b.P = b.lastP = P0, b.x = x0, b.y = y0;
                b.V = bubble ? liquid->V : vapour->V;
                return true;
            }
        }
        alpha = to;
        UpdateDistribution();
        return false;
    };

    // Refined from the states of branch b at alpha a, starting at `start`; true when that found a
    // root not passed over.
    auto refine = [&](const Branch& b, double a, double start) {
        Ph = b.P;
        copy_values(b.x, xh);
        copy_values(b.y, yh);
        Pf = b.room.P;
        mNvf = b.room.Nv;
        copy_values(b.room.x, xf);
        copy_values(b.room.y, yf);
        mHomogBefore.valid = mRoomBefore.valid = false;
        mHomogAlpha = mRoomAlpha = a;
        Ph0 = 0.0;
        alpha = start;
        FindAlpha(Th, Tf, fv0, epsilon, homog, {0.0, a});
        if (errorflag == 0 && isNew(alpha)) return true;
        if (errorflag != 0) refinementCode = errorflag;
        alpha = a;
        UpdateDistribution();
        return false;
    };

    // The scan over `alphas` (increasing): true when a root was refined.
    DewWindow window;
    auto scan = [&](const std::vector<double>& alphas) {
        double previous = 0.0;
        for (double a : alphas) {
            alpha = a;
            if (!distribution_usable(UpdateDistribution())) continue;
            // Each branch followed from its state at the previous alpha; the envelope traced to Th
            // when one of them is lost or none is known yet.
            bool lost = branches.empty();
            for (Branch& b : branches) {
                b.updated = false;
                if (b.P != 0.0 && follow(b, previous)) {
                    b.updated = true;
                } else {
                    lost = true;
                    b.P = 0.0;
                }
            }
            previous = a;
            // Where the window begins, its dew points at Th are the branches (those not followed yet).
            const bool seeding = !window.alphas.empty() && a == window.alphas.front();
            std::size_t seeded = 0;
            for (const SaturationState& s : seeding ? window.seeds : std::vector<SaturationState>{}) {
                if (std::any_of(branches.begin(), branches.end(), [&s](const Branch& b) {
                        return b.updated && std::fabs(std::log(s.P / b.lastP)) < 1e-6;
                    }))
                    continue;
                Branch& b = branches.emplace_back();
                b.updated = true;
                b.P = b.lastP = s.P, b.x = s.x, b.y = s.y;
                b.V = s.Vv;
                ++seeded;
            }
            if (seeded > 0 && branches.size() == seeded) lost = false;
            if (lost && !bubble) {
                // A fluid without a dew point at Th from the ideal mixture's start has none the
                // envelope would lead to (Th is beyond its cricondentherm): no tracing then.
                set_type_of_problem(13);
                set_the_temperature(Th);
                set_the_vaporization_ratio(1.0);
                set_initialization_flag(2);
                calculateVLE();
                lost = errorflag == 0;
            }
            if (lost) {
                const EnvelopeSaturationResult found =
                    saturation_points_on_envelope(*this, Th, bubble, bubble, true);
                for (const SaturationState& s : found.points) {
                    // Already followed, taken up by the lost branch nearest in pressure, or new.
                    Branch* take = nullptr;
                    bool followed = false;
                    for (Branch& b : branches) {
                        const double distance = std::fabs(std::log(s.P / b.lastP));
                        if (b.updated && distance < std::log(kSameBranch)) followed = true;
                        if (!b.updated && distance < std::log(kSameBranch) &&
                            (!take || distance < std::fabs(std::log(s.P / take->lastP))))
                            take = &b;
                    }
                    if (followed) continue;
                    if (!take) {
                        branches.emplace_back();
                        take = &branches.back();
                    }
                    take->updated = true;
                    take->P = take->lastP = s.P, take->x = s.x, take->y = s.y;
                    take->V = bubble ? s.Vl : s.Vv;
                }
            }
            // A branch the envelope no longer has at Th is gone (a dew point turned bubble point
            // past the critical temperature, or Th passed the cricondentherm).
            if (lost)
                branches.erase(std::remove_if(branches.begin(), branches.end(),
                                              [](const Branch& b) { return !b.updated; }),
                               branches.end());
            // On every branch found at this alpha: the bubble the inclusion shows at Tf, from the
            // branch's state there at the last alpha or else down the isochore, against the
            // measured one. (At Tf a retrograde fluid may show the measured bubble at two molar
            // volumes; at the inclusion's own volume there is one state.)
            for (Branch& b : branches) {
                if (!b.updated) continue;
                bool found = false;
                if (b.room.valid) {
                    set_type_of_problem(14);
                    set_the_temperature(Tf);
                    set_the_volume(b.V);
                    temperature(Tf);
                    found = flash_from(b.room.P, b.room.x, b.room.y, b.room.Nv);
                }
                if (!found) {
                    set_type_of_problem(13);
                    set_the_temperature(Th);
                    set_the_vaporization_ratio(bubble ? 0.0 : 1.0);
                    temperature(Th);
                    found = flash_from(b.P, b.x, b.y, bubble ? 0.0 : 1.0) &&
                            state_down_the_isochore(*this, Tf, b.V);
                }
                b.room.valid = found;
                if (!found || !std::isfinite(Fvv)) {
                    b.hasResidual = false;
                    continue;
                }
                b.room = {true, a, P, Nv, x, y};
                const double r = Fvv - fv0;
                const bool crossed = b.hasResidual && (r > 0.0) != (b.residual > 0.0);
                // Refined from this alpha's states, starting where the line through the two residuals
                // crosses zero (or here, for a grid alpha that nearly reproduces the measurement where
                // a branch begins or ends without a neighbour).
                if ((crossed || std::fabs(r) < kNearlyARoot) &&
                    refine(b, a, crossed ? a - r * (a - b.alpha) / (r - b.residual) : a))
                    return true;
                b.hasResidual = true;
                b.alpha = a;
                b.residual = r;
            }
            // The two dew points where the window begins meet at the cricondentherm just below: with
            // opposite residuals one of them passed through a root on the way.
            if (seeded == 2 && branches.size() >= 2) {
                Branch& upper = branches[branches.size() - 1];
                Branch& lower = branches[branches.size() - 2];
                if (upper.hasResidual && lower.hasResidual && upper.alpha == a && lower.alpha == a &&
                    (upper.residual > 0.0) != (lower.residual > 0.0)) {
                    const bool upperFirst = std::fabs(upper.residual) < std::fabs(lower.residual);
                    for (Branch* b : {upperFirst ? &upper : &lower, upperFirst ? &lower : &upper})
                        if (refine(*b, a, a)) return true;
                }
            }
        }
        return false;
    };

    // The grid; then, for a vapour inclusion it finds nothing for, the window of alpha beside the
    // cricondentherm, up to the grid alpha above it.
    const std::vector<double> grid(std::begin(kScanAlphas), std::end(kScanAlphas));
    if (scan(grid)) return true;
    if (!bubble) {
        window = dew_window(grid);
        branches.clear();
        std::vector<double> alphas = window.alphas;
        if (!alphas.empty()) alphas.push_back(window.end);
        if (scan(alphas)) return true;
    }
    Ph = Pf = Ph0 = Pf0 = 0.0;
    errorflag = refinementCode != 0 ? refinementCode : static_cast<short>(kNoInitialEstimate);
    return false;
}

} // namespace zephon::thermo
