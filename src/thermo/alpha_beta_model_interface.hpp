#pragma once
// The door through which alpha-beta work reaches the engine: for one inclusion measurement it
// traces the alpha-beta curve (every alpha-beta oil that reproduces the measurement), point by
// point in beta, and it gives the composition and component constants of an alpha-beta pair.
#include "thermo/cla_cubic.hpp"
#include "thermo/oil1.hpp"

#include <cstddef>
#include <memory>
#include <string>

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

    // First point of the curve (beta = 0): 0 and the point, or the engine's error code.
    char FirstAlphaBeta(double* alpha, double* beta);
    // Next point: 0 a new point, 1 the step failed and was halved (call again), -1 the curve
    // cannot be continued.
    signed char NextAlphaBeta(double* alpha, double* beta);

  private:
    bool valid_index(short i) const { return i >= 0 && i < mLiquid->N; }
};

} // namespace zephon::thermo
