// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The door through which alpha-beta work reaches the engine: for one inclusion measurement it
// traces the alpha-beta curve (every alpha-beta oil that reproduces the measurement), point by
// point in beta, and it gives the composition and component constants of an alpha-beta pair.
#include "thermo/cla_cubic.hpp"
#include "thermo/oil1.hpp"

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zephon::thermo {

class CAlphaBetaModelInterface {
  public:
    std::unique_ptr<TableCubic> mLiquid; // phase 2
    std::unique_ptr<TableCubic> mVapour; // phase 1
    std::unique_ptr<Oil1> mSystem;
    // The inclusion, filled by the caller before a curve is traced (K, fractions).
    double mTh = 0.;  // homogenisation temperature
    double mTfv = 0.; // temperature at which the vapour fraction was measured
    double mFv = 0.;  // measured vapour volume fraction
    double mCO2 = 0., mN2 = 0., mH2S = 0.;
    char mHomog = 1;                  // 1 into the liquid, 0 into the vapour
    double mAlpha = 0., mBeta = 0.;   // current point
    double mLambda = 1.0;             // step multiplier of the curve
    double mAlpha0 = 0., mBeta0 = 0.; // last accepted point
    char mErrorMessageIndex = 0;      // engine code of the last calculation

    // Largest beta step of the curve; the step shrinks by halves on failure.
    static constexpr double kBetaStep = 0.04;

    // Flashes FirstAlphaBeta spent, scans included.
    long mFirstPointFlashes = 0;
    // Each point after the first is sought by continuation from the points before it
    // (Oil1::ContinueAlpha) and, where that does not converge, by the alpha search (FindAlpha).
    // Off: by the alpha search alone.
    bool mContinuation = true;
    // Points the continuation gave (the others came from the alpha search and the scans).
    long mContinuedPoints = 0;

    CAlphaBetaModelInterface();
    CAlphaBetaModelInterface(const CAlphaBetaModelInterface&) = delete;
    CAlphaBetaModelInterface& operator=(const CAlphaBetaModelInterface&) = delete;

    // Composition and component constants of one alpha-beta pair (gases as mole fractions).
    void CalculateComposition(double alpha, double beta, double CO2, double N2, double H2S);
    // Constants of component i after CalculateComposition: K, Pa, -, g/mol, m3/mol and the
    // volume-translation coefficient in m3/mol.
    double GetTc(short i) const;
    double GetPc(short i) const;
    double GetOmega(short i) const;
    double GetMw(short i) const;
    double GetVc(short i) const;
    double GetCt(short i) const;
    std::string GetComponentName(short i) const;
    // Copies the name into a buffer of `size` characters, always terminated.
    void GetComponentName(short i, char* name, std::size_t size = 256) const;
    double GetMoleFraction(short i) const; // overall mole fraction
    short GetNumberOfComponents() const;

    // First point of the curve: 0 and the point, or the engine's error code. The curve
    // starts at beta = 0 from the estimate tables; where they give no start or theirs fails,
    // from a scan of alpha; where no alpha reproduces the measurement at beta = 0, at the
    // smallest beta of a coarse grid where one does, the curve being traced from there down
    // towards beta = 0 first, so that its points still come in increasing beta.
    char FirstAlphaBeta(double* alpha, double* beta);
    // Next point: 0 a new point, 1 the step failed and was halved (call again), -1 the curve
    // cannot be continued.
    signed char NextAlphaBeta(double* alpha, double* beta);

  private:
    // The accepted points of the curve (alpha, beta), the last three, oldest first, and the
    // slope of the volume residual the last search ended with: the next search starts from
    // the curve extrapolated to its beta.
    std::vector<std::pair<double, double>> mRecent;
    double mSlope = 0.0;
    // Points found ahead of the caller (below the first point, or the step that showed the
    // first point to continue), handed out in increasing beta before the curve goes on.
    std::vector<std::pair<double, double>> mPending;
    // A curve known to end: NextAlphaBeta reports -1 with this code (0 none).
    char mEndCode = 0;

    bool valid_index(short i) const { return i >= 0 && i < mLiquid->N; }
    void accept_point(double* alpha, double* beta);
    // Alpha of the curve extrapolated to beta from the recent points.
    double extrapolated_alpha(double beta) const;
    // One step of the curve upwards in beta: 0 a point, 1 failed and halved, -1 the end.
    signed char step_up();
    // A first point by scanning alpha at beta, other than those in `rejected`.
    bool scan_at(double beta, const std::vector<std::pair<double, double>>& rejected);
    // From the first point just found: the curve down towards beta = 0, queued, and one step
    // up; false when neither gives a second point.
    bool curve_continues();
    void hand_out(double* alpha, double* beta);
    // The point of the curve at the beta and predicted alpha the oil holds: by continuation, else
    // by the alpha search. True when found (the oil's errorflag 0).
    bool solve_point();
};

} // namespace zephon::thermo
