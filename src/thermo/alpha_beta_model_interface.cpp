// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/alpha_beta_model_interface.hpp"

#include <algorithm>
#include <cstring>

namespace zephon::thermo {

CAlphaBetaModelInterface::CAlphaBetaModelInterface()
    : mLiquid(std::make_unique<TableCubic>(2)), mVapour(std::make_unique<TableCubic>(1)),
      mSystem(std::make_unique<Oil1>(*mLiquid, *mVapour)) {}

void CAlphaBetaModelInterface::CalculateComposition(double alpha, double beta, double CO2, double N2,
                                                    double H2S) {
    mAlpha = alpha;
    mBeta = beta;
    mCO2 = CO2;
    mN2 = N2;
    mH2S = H2S;
    mSystem->SetDistributionParameters(alpha, beta, CO2, N2, H2S);
}

double CAlphaBetaModelInterface::GetTc(short i) const {
    return valid_index(i) ? mLiquid->Tc[i] : 0.0;
}
double CAlphaBetaModelInterface::GetPc(short i) const {
    return valid_index(i) ? mLiquid->Pc[i] : 0.0;
}
double CAlphaBetaModelInterface::GetOmega(short i) const {
    return valid_index(i) ? mLiquid->omega[i] : 0.0;
}
double CAlphaBetaModelInterface::GetMw(short i) const {
    return valid_index(i) ? mLiquid->mw[i] : 0.0;
}
double CAlphaBetaModelInterface::GetVc(short i) const {
    return valid_index(i) ? mLiquid->Vc[i] : 0.0;
}
double CAlphaBetaModelInterface::GetCt(short i) const {
    return valid_index(i) ? mLiquid->c0[i] : 0.0;
}
double CAlphaBetaModelInterface::GetMoleFraction(short i) const {
    return valid_index(i) ? mSystem->z[i] : 0.0;
}
short CAlphaBetaModelInterface::GetNumberOfComponents() const {
    return mSystem->N;
}

std::string CAlphaBetaModelInterface::GetComponentName(short i) const {
    return valid_index(i) ? mLiquid->component[i] : std::string();
}

void CAlphaBetaModelInterface::GetComponentName(short i, char* name, std::size_t size) const {
    if (name == nullptr || size == 0) return;
    const std::string s = GetComponentName(i);
    const std::size_t n = std::min(s.size(), size - 1);
    std::memcpy(name, s.data(), n);
    name[n] = '\0';
}

void CAlphaBetaModelInterface::accept_point(double* alpha, double* beta) {
    mAlpha = mAlpha0 = mSystem->alpha;
    mBeta0 = mBeta;
    mSlope = mSystem->LastSearchSlope();
    mRecent.emplace_back(mAlpha, mBeta);
    if (mRecent.size() > 3) mRecent.erase(mRecent.begin());
    if (alpha) *alpha = mAlpha;
    if (beta) *beta = mBeta;
}

double CAlphaBetaModelInterface::extrapolated_alpha(double beta) const {
    // Lagrange polynomial through the recent points (a parabola once there are three).
    double sum = 0.0;
    for (std::size_t i = 0; i < mRecent.size(); ++i) {
        double w = mRecent[i].first;
        for (std::size_t j = 0; j < mRecent.size(); ++j)
            if (j != i) w *= (beta - mRecent[j].second) / (mRecent[i].second - mRecent[j].second);
        sum += w;
    }
    // An alpha the search can start from: inside (0, 1), or else the last point's.
    return sum > 0.0 && sum < 1.0 ? sum : mAlpha0;
}

namespace {
// Betas at which a curve without a point at beta = 0 is looked for (its points below the one
// found there are traced downwards from it).
constexpr double kStartBetas[] = {0.2, 0.4, 0.6, 0.8};
constexpr double kSearchTolerance = 1e-8;
// First points whose curves end at once that are set aside before the search gives up.
constexpr std::size_t kMostDeadEnds = 4;
} // namespace

bool CAlphaBetaModelInterface::scan_at(double beta, const std::vector<std::pair<double, double>>& rejected) {
    Oil1& oil = *mSystem;
    mBeta = beta;
    std::vector<double> excluded;
    for (const auto& [a, b] : rejected)
        if (b == beta) excluded.push_back(a);
    oil.SetDistributionParameters(0.5, beta, mCO2, mN2, mH2S);
    return oil.ScanForAlpha(mTh, mTfv, mFv, kSearchTolerance, mHomog, excluded);
}

bool CAlphaBetaModelInterface::solve_point() {
    Oil1& oil = *mSystem;
    if (mContinuation && oil.ContinueAlpha(mTh, mTfv, mFv, mHomog)) {
        ++mContinuedPoints;
        return true;
    }
    oil.FindAlpha(mTh, mTfv, mFv, kSearchTolerance, mHomog, {mSlope, mAlpha0});
    return oil.errorflag == 0;
}

signed char CAlphaBetaModelInterface::step_up() {
    Oil1& oil = *mSystem;
    mBeta = mBeta0 + kBetaStep * mLambda;
    mAlpha = mRecent.empty() ? mAlpha0 : extrapolated_alpha(mBeta);
    oil.SetDistributionParameters(mAlpha, mBeta, mCO2, mN2, mH2S);
    solve_point();
    mErrorMessageIndex = static_cast<char>(oil.errorflag);
    if (oil.errorflag != 0) {
        mLambda /= 2.0;
        return mLambda < 0.1 ? -1 : 1;
    }
    accept_point(nullptr, nullptr);
    if (mLambda < 1.0) mLambda = std::min(1.0, mLambda * 1.2);
    return 0;
}

bool CAlphaBetaModelInterface::curve_continues() {
    Oil1& oil = *mSystem;
    const Oil1::SearchMemory top = oil.search_memory();
    const std::pair<double, double> first{oil.alpha, mBeta};
    const double topSlope = oil.LastSearchSlope();
    mRecent = {first};
    mSlope = topSlope;
    // Downwards, with the steps of the curve, to beta = 0.
    std::vector<std::pair<double, double>> below;
    double lambda = 1.0;
    mAlpha0 = first.first, mBeta0 = first.second;
    while (mBeta0 > 0.0 && lambda >= 0.1) {
        const double beta = std::max(0.0, mBeta0 - kBetaStep * lambda);
        oil.SetDistributionParameters(extrapolated_alpha(beta), beta, mCO2, mN2, mH2S);
        if (!solve_point()) {
            lambda /= 2.0;
            continue;
        }
        mBeta = beta;
        accept_point(nullptr, nullptr);
        below.push_back(mRecent.back());
        if (lambda < 1.0) lambda = std::min(1.0, lambda * 1.2);
    }
    // Upwards again from the first point, as if the curve had come up to it.
    if (!below.empty()) oil.restore_search_memory(top);
    mPending.assign(below.rbegin(), below.rend());
    mPending.push_back(first);
    mRecent.assign(mPending.end() - static_cast<std::ptrdiff_t>(std::min<std::size_t>(3, mPending.size())),
                   mPending.end());
    mSlope = topSlope;
    mAlpha0 = first.first, mBeta0 = first.second;
    mLambda = 1.0;
    if (mPending.size() >= 2) return true;
    signed char r = 1;
    while (r == 1)
        r = step_up();
    if (r != 0) return false;
    mPending.push_back(mRecent.back());
    return true;
}

void CAlphaBetaModelInterface::hand_out(double* alpha, double* beta) {
    const auto [a, b] = mPending.front();
    mPending.erase(mPending.begin());
    mAlpha = a;
    mBeta = b;
    mErrorMessageIndex = 0;
    if (alpha) *alpha = a;
    if (beta) *beta = b;
}

char CAlphaBetaModelInterface::FirstAlphaBeta(double* alpha, double* beta) {
    Oil1& oil = *mSystem;
    const long flashes0 = oil.mFlashCount;
    mRecent.clear();
    mPending.clear();
    mEndCode = 0;
    mSlope = 0.0;
    mLambda = 1.0;
    mBeta = 0.0;
    short code = kNoInitialEstimate;
    if (oil.EstimateInitial(mHomog, mTh, mFv, mAlpha) == 0) {
        oil.SetDistributionParameters(mAlpha, 0.0, mCO2, mN2, mH2S);
        oil.FindAlpha(mTh, mTfv, mFv, kSearchTolerance, mHomog);
        code = oil.errorflag;
    }
    // A first point from the tables, else from a scan of alpha at beta = 0 and then at the
    // grid's betas; one whose curve ends at once gives way to the next one found. The code of
    // a calculation without a point stays that of the tables' start.
    struct DeadEnd {
        Oil1::SearchMemory memory;
        double alpha, beta;
        char code;
    };
    std::vector<DeadEnd> deadEnds;
    std::vector<std::pair<double, double>> rejected;
    std::size_t scan = 0; // the next beta to scan at: 0, then the grid's
    bool candidate = code == 0;
    while (deadEnds.size() < kMostDeadEnds) {
        if (!candidate) {
            if (scan > std::size(kStartBetas)) break;
            candidate = scan_at(scan == 0 ? 0.0 : kStartBetas[scan - 1], rejected);
            if (!candidate) {
                ++scan;
                continue;
            }
        }
        candidate = false;
        const double a = oil.alpha, b = mBeta;
        const Oil1::SearchMemory memory = oil.search_memory();
        if (curve_continues()) {
            mFirstPointFlashes = oil.mFlashCount - flashes0;
            hand_out(alpha, beta);
            return 0;
        }
        deadEnds.push_back({memory, a, b, mErrorMessageIndex});
        rejected.emplace_back(a, b);
    }
    mFirstPointFlashes = oil.mFlashCount - flashes0;
    if (deadEnds.empty()) {
        oil.errorflag = code;
        mErrorMessageIndex = static_cast<char>(code);
        return mErrorMessageIndex;
    }
    // Only curves of one point: the first of them, as the tables' start would give it.
    const DeadEnd& d = deadEnds.front();
    oil.restore_search_memory(d.memory);
    oil.SetDistributionParameters(d.alpha, d.beta, mCO2, mN2, mH2S);
    oil.errorflag = 0;
    mPending = {{d.alpha, d.beta}};
    hand_out(alpha, beta);
    mAlpha0 = d.alpha, mBeta0 = d.beta;
    mEndCode = d.code != 0 ? d.code : static_cast<char>(kAlphaSearchFailed);
    return 0;
}

signed char CAlphaBetaModelInterface::NextAlphaBeta(double* alpha, double* beta) {
    if (!mPending.empty()) {
        hand_out(alpha, beta);
        return 0;
    }
    if (mEndCode != 0) {
        mErrorMessageIndex = mEndCode;
        return -1;
    }
    const signed char r = step_up();
    if (r == 0) {
        if (alpha) *alpha = mAlpha;
        if (beta) *beta = mBeta;
    }
    return r;
}

} // namespace zephon::thermo
