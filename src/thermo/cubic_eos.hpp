// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// A two-parameter cubic equation of state with volume translation, and the quadratic
// (one-fluid) mixing rule with binary interaction coefficients:
//
//   P = R T / (w - bm) - am / ((w - R1 bm) (w - R2 bm)),   V = w - cm
//
// w is the untranslated molar volume; V, the translated one, is what the rest of the
// program sees. Every derivative the Newton flash needs is analytic, and nothing here
// allocates after number_of_components. The second derivatives in the mole fractions are
// those of the quadratic rule (d2am/dx_i dx_j = 2 a_ij, d2bm/dx_i dx_j = 2 b_ij).
#include "thermo/phase.hpp"

namespace zephon::thermo {

class ICubic : public FluidPhase {
  public:
    double R1 = 0., R2 = 0.; // constants of the attractive denominator
    double Al2 = 0.;         // Lambda of the excess Gibbs energy at infinite pressure
    double Zc = 0.;          // used only for the pseudo-critical volume
    double omega_A = 0., omega_B = 0.;
    double Tpc = 0., Ppc = 0., Vpc = 0.;

    // Mixture parameters and their derivatives (mole fractions independent variables).
    double am = 0., bm = 0., em = 0., cm = 0., dcmdT = 0., damdT = 0., demdT = 0.;
    std::vector<double> damdx, dbmdx, d2amdTx, d2emdTx, demdx;

    // Pair parameters (e and dedT are a / b and its derivative, on the diagonal only).
    Matrix a, b, e, dadT, dedT;

    // Untranslated volume and its derivatives.
    double w = 0., dwdT = 0., dwdP = 0.;
    std::vector<double> dwdx;

    // Volume shift per component: c_i = c0_i + c1_i T.
    std::vector<double> c0, c1, c;

    // Excess-Gibbs-energy terms.
    double Q = 0., dQdT = 0.;
    std::vector<double> dQdx, d2QdTx;
    std::vector<double> algam, dlgamdT;

    std::vector<double> alphi; // logarithms of the fugacity coefficients

    ICubic() = default;

    void number_of_components(short ncomp) override;
    double equation(double t) override;
    void describe() override;
    void describe_fugacities() override;
    void calculate_molar_volume() override;
    void calculate_pressure() override;
    void calculate_fugacities() override;
    virtual void calculate_parameters_of_pure_components() {}
    virtual void calculate_mixing_parameters() {}
    // am, bm, cm, em and their first derivatives in the mole fractions, which the fugacities
    // need; the rest keeps its values. The default computes everything.
    virtual void calculate_first_mixing_parameters() { calculate_mixing_parameters(); }

    // Compressibility and volume at the current T, P, x; the root is chosen by `phase`.
    void resolve_cubic_equation_in_Z();

  private:
    // The root of the cubic (w, Z), false when it has none above the co-volume.
    bool choose_root();
    void update_root_derivatives();

    // Vectors of j in the composition derivatives of the fugacities: dbmdx_j / bm, and the terms
    // of j alone (the activity term's (G / RT) demdx_j and the share of b_jj in b_ij).
    std::vector<double> mRelativeDbmdx, mTermOfJ;
};

// The quadratic mixing rule over the pair arrays filled by the parameter set.
class QuadraMix : public ICubic {
  public:
    // Interaction coefficients k_ij on a_ij = sqrt(a_ii a_jj) (1 - k_ij), symmetric. The co-volumes
    // take none: the parameter set fills b_ij = (b_ii + b_jj) / 2, and the rule relies on it.
    void set_binary_interaction_kaij(short i, short j, double kij);
    const Matrix& interaction_coefficients() const { return mKa; }
    void number_of_components(short ncomp) override;
    void calculate_mixing_parameters() override;
    void calculate_first_mixing_parameters() override;

  protected:
    // rb_i = sum_j x_j b_ij, which the co-volumes' rule makes a sum over the components.
    void co_volume_row_sums(double* rb) const;

    // Changes whenever an interaction coefficient may have changed, so that what is computed from
    // them can tell without comparing the matrix.
    unsigned long interaction_version() const { return mKaVersion; }

  private:
    Matrix mKa;
    unsigned long mKaVersion = 0;
};

} // namespace zephon::thermo
