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

char CAlphaBetaModelInterface::FirstAlphaBeta(double* alpha, double* beta) {
    Oil1& oil = *mSystem;
    if (oil.EstimateInitial(mHomog, mTh, mFv, mAlpha) != 0) {
        mErrorMessageIndex = static_cast<char>(oil.errorflag);
        return mErrorMessageIndex;
    }
    mBeta = 0.0;
    oil.SetDistributionParameters(mAlpha, 0.0, mCO2, mN2, mH2S);
    oil.FindAlpha(mTh, mTfv, mFv, 1e-8, mHomog);
    mErrorMessageIndex = static_cast<char>(oil.errorflag);
    mLambda = 1.0;
    if (oil.errorflag == 0) {
        mAlpha = mAlpha0 = oil.alpha;
        mBeta0 = mBeta;
        if (alpha) *alpha = mAlpha;
        if (beta) *beta = mBeta;
    }
    return static_cast<char>(oil.errorflag);
}

signed char CAlphaBetaModelInterface::NextAlphaBeta(double* alpha, double* beta) {
    Oil1& oil = *mSystem;
    mAlpha = mAlpha0;
    mBeta = mBeta0 + kBetaStep * mLambda;
    oil.SetDistributionParameters(mAlpha, mBeta, mCO2, mN2, mH2S);
    oil.FindAlpha(mTh, mTfv, mFv, 1e-8, mHomog);
    mErrorMessageIndex = static_cast<char>(oil.errorflag);
    if (oil.errorflag != 0) {
        mLambda /= 2.0;
        return mLambda < 0.1 ? -1 : 1;
    }
    mAlpha = mAlpha0 = oil.alpha;
    mBeta0 = mBeta;
    if (alpha) *alpha = mAlpha;
    if (beta) *beta = mBeta;
    if (mLambda < 1.0) mLambda = std::min(1.0, mLambda * 1.2);
    return 0;
}

} // namespace zephon::thermo
