// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/cubic_eos.hpp"

#include "thermo/cubic_roots.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zephon::thermo {

namespace {
// sum[i] += factor * row[i]: what sums of rows (of symmetric matrices, the sums of their columns)
// are made of, in a loop the compiler can vectorise.
void add_multiple(double* __restrict sum, const double* __restrict row, double factor, int n) {
    for (int i = 0; i < n; ++i)
        sum[i] += factor * row[i];
}
} // namespace

void ICubic::number_of_components(short ncomp) {
    FluidPhase::number_of_components(ncomp);
    damdx = allocate(N);
    dbmdx = allocate(N);
    d2amdTx = allocate(N);
    d2emdTx = allocate(N);
    demdx = allocate(N);
    a = allocate(N, N);
    b = allocate(N, N);
    e = allocate(N, N);
    dadT = allocate(N, N);
    dedT = allocate(N, N);
    dwdx = allocate(N);
    c0 = allocate(N);
    c1 = allocate(N);
    c = allocate(N);
    dQdx = allocate(N);
    d2QdTx = allocate(N);
    algam = allocate(N);
    dlgamdT = allocate(N);
    alphi = allocate(N);
    mRelativeDbmdx = allocate(N);
    mTermOfJ = allocate(N);
}

double ICubic::equation(double t) {
    temperature(t);
    calculate_parameters_of_pure_components();
    calculate_mixing_parameters();
    return am / (bm * t) - kGasConstant * omega_A / omega_B;
}

void ICubic::describe() {
    calculate_molar_volume();
    calculate_fugacities();
}

void ICubic::calculate_molar_volume() {
    calculate_parameters_of_pure_components();
    calculate_mixing_parameters();
    resolve_cubic_equation_in_Z();
    double mw = 0.0;
    for (short i = 0; i < N; ++i)
        mw += x[i] * molarWeight[i];
    bMolarWeight = mw;
    density = bMolarWeight * 0.001 / V;
}

void ICubic::describe_fugacities() {
    calculate_parameters_of_pure_components();
    calculate_first_mixing_parameters();
    if (choose_root()) V = w - cm;
    double mw = 0.0;
    for (short i = 0; i < N; ++i)
        mw += x[i] * molarWeight[i];
    bMolarWeight = mw;
    density = bMolarWeight * 0.001 / V;

    // The logarithms of the fugacity coefficients, as calculate_fugacities has them.
    const double RT = kGasConstant * T;
    const double L = Al2;
    const double inverseRT = 1.0 / RT, inverseL = 1.0 / L, inverseBm = 1.0 / bm;
    const double LoverRT = L * inverseRT;
    double sumXe = 0.0, sumXdQdx = 0.0;
    for (short i = 0; i < N; ++i)
        sumXe += x[i] * e[i][i];
    Q = LoverRT * (sumXe - em);
    for (short i = 0; i < N; ++i) {
        dQdx[i] = LoverRT * (e[i][i] - demdx[i]);
        sumXdQdx += x[i] * dQdx[i];
    }
    const double d1 = w - R1 * bm;
    const double d2 = w - R2 * bm;
    const double wb = w - bm;
    const double G = std::log(d1 / d2) / (R1 - R2);
    const double Zw = P * w * inverseRT;
    const double logTerm = std::log(P * wb * inverseRT);
    const double PoverRT = P * inverseRT;
    for (short i = 0; i < N; ++i) {
        algam[i] = Q + dQdx[i] - sumXdQdx;
        const double D = e[i][i] * inverseRT - algam[i] * inverseL;
        const double H = dbmdx[i] * inverseBm - 1.0;
        alphi[i] = D * G + H * (Zw - 1.0) - logTerm - c[i] * PoverRT;
        const double phiP = P * std::exp(alphi[i]);
        fugacity[i] = x[i] * phiP;
    }
}

void ICubic::resolve_cubic_equation_in_Z() {
    if (choose_root()) update_root_derivatives();
}

bool ICubic::choose_root() {
    const double RT = kGasConstant * T;
    const double A = am * P / (RT * RT);
    const double B = bm * P / RT;
    const double coef[4] = {
        -(A * B + R1 * R2 * B * B * (B + 1.0)),
        A + (R1 * R2 + R1 + R2) * B * B + (R1 + R2) * B,
        -1.0 - B * (R1 + R2 + 1.0),
        1.0,
    };
    short nr = 0;
    double roots[3] = {0.0, 0.0, 0.0};
    degree3(coef, nr, roots);

    double kept[3];
    short nkept = 0;
    for (short k = 0; k < nr; ++k)
        if (roots[k] > B) kept[nkept++] = roots[k];
    if (nkept == 0) return false; // no admissible root: the state stays as it was

    if (nkept == 1) {
        Z = kept[0];
        Vpc = bm * Zc / omega_B;
    } else {
        double smallest = kept[0], largest = kept[0];
        for (short k = 1; k < nkept; ++k) {
            smallest = std::min(smallest, kept[k]);
            largest = std::max(largest, kept[k]);
        }
        if (phase == 1)
            Z = largest;
        else if (phase == 2)
            Z = smallest;
    }
    w = Z * RT / P;
    return true;
}

// Derivatives of the volume at the root just chosen, then the translation.
void ICubic::update_root_derivatives() {
    const double RT = kGasConstant * T;
    const double d1 = w - R1 * bm;
    const double d2 = w - R2 * bm;
    const double wb = w - bm;
    const double dPda = -1.0 / (d1 * d2);
    const double dPdb = RT / (wb * wb) - am * (R1 / d1 + R2 / d2) / (d1 * d2);
    dPdV = am * (1.0 / d2 + 1.0 / d1) / (d1 * d2) - RT / (wb * wb);
    dPdT = kGasConstant / wb + dPda * damdT;
    dwdT = -dPdT / dPdV;
    dwdP = 1.0 / dPdV;
    for (short i = 0; i < N; ++i) {
        dwdx[i] = -(dPdb * dbmdx[i] + dPda * damdx[i]) / dPdV;
        dVdx[i] = dwdx[i] - c[i];
        // At constant translated V: w = V + cm moves with x_i by c_i.
        dPdx[i] = dPdb * dbmdx[i] + dPda * damdx[i] + dPdV * c[i];
    }
    V = w - cm;
    dVdT = dwdT - dcmdT;
    dVdP = dwdP;
}

void ICubic::calculate_pressure() {
    calculate_parameters_of_pure_components();
    calculate_mixing_parameters();
    const double RT = kGasConstant * T;
    w = V + cm;
    const double d1 = w - R1 * bm;
    const double d2 = w - R2 * bm;
    const double wb = w - bm;
    // Below the co-volume the equation has no physical meaning (it would give a finite,
    // negative pressure and finite fugacities); make that visible to every caller.
    P = wb > 0.0 ? RT / wb - am / (d1 * d2) : std::numeric_limits<double>::quiet_NaN();
    Z = P * w / RT;
    dPdT = kGasConstant / wb - damdT / (d1 * d2);
    dPdV = am * (1.0 / d2 + 1.0 / d1) / (d1 * d2) - RT / (wb * wb);
    dZdV = (P + w * dPdV) / RT;
    dZdP = dZdV / dPdV;
    const double dPdb = RT / (wb * wb) - am * (R1 / d1 + R2 / d2) / (d1 * d2);
    // At constant translated V: w = V + cm moves with x_i by c_i.
    for (short i = 0; i < N; ++i)
        dPdx[i] = dPdb * dbmdx[i] - damdx[i] / (d1 * d2) + dPdV * c[i];
}

void ICubic::calculate_fugacities() {
    const double RT = kGasConstant * T;
    const double L = Al2;
    // Divisions by what is the same for every component once, as reciprocals.
    const double inverseRT = 1.0 / RT, inverseL = 1.0 / L, inverseT = 1.0 / T, inverseBm = 1.0 / bm;
    const double LoverRT = L * inverseRT;

    // Excess Gibbs energy at infinite pressure and the activity coefficients it implies.
    double sumXe = 0.0, sumXdedT = 0.0;
    for (short i = 0; i < N; ++i) {
        sumXe += x[i] * e[i][i];
        sumXdedT += x[i] * (dedT[i][i] - e[i][i] * inverseT);
    }
    Q = LoverRT * (sumXe - em);
    dQdT = LoverRT * (sumXdedT - (demdT - em * inverseT));
    double sumXdQdx = 0.0, sumXd2QdTx = 0.0;
    for (short i = 0; i < N; ++i) {
        dQdx[i] = LoverRT * (e[i][i] - demdx[i]);
        d2QdTx[i] = LoverRT * (dedT[i][i] - e[i][i] * inverseT - d2emdTx[i] + demdx[i] * inverseT);
        sumXdQdx += x[i] * dQdx[i];
        sumXd2QdTx += x[i] * d2QdTx[i];
    }
    for (short i = 0; i < N; ++i) {
        algam[i] = Q + dQdx[i] - sumXdQdx;
        dlgamdT[i] = dQdT + d2QdTx[i] - sumXd2QdTx;
    }

    const double d1 = w - R1 * bm;
    const double d2 = w - R2 * bm;
    const double wb = w - bm;
    const double inverseWb = 1.0 / wb;
    const double G = std::log(d1 / d2) / (R1 - R2);
    const double dGdw = (1.0 / d1 - 1.0 / d2) / (R1 - R2);
    const double dGdb = (R2 / d2 - R1 / d1) / (R1 - R2);
    const double Zw = P * w * inverseRT;
    const double logTerm = std::log(P * wb * inverseRT);
    const double zb = (Zw - 1.0) * inverseBm;
    const double PoverRT = P * inverseRT;

    // The composition derivatives of the activity term need d2em/dx_i dx_j, which the quadratic
    // rule gives from the pairs (d2am = 2 a_ij, d2bm = 2 b_ij) with db_i = dbmdx_i / bm:
    //   d2em_ij = (2 a_ij - damdx_i db_j - damdx_j db_i + 2 am db_i db_j - 2 em b_ij) / bm,
    // and, em being homogeneous of degree 0 in x, sum_k x_k d2em_kj = -demdx_j. So
    //   d ln(gamma_i)/dx_j = -(L/RT) (d2em_ij + demdx_j),
    // and d ln(f_i)/dx_j is a sum of terms in a_ij, b_ij and vectors of j, with factors of i: one
    // pass over the pairs, no matrix stored.
    const double g = G * inverseRT;
    const double h = g * inverseBm;
    const double cb = 2.0 * (zb - h * em);
    const double ca = 2.0 * h;
    // b_ij = (b_ii + b_jj) / 2: its term splits into one of i and one of j.
    for (short j = 0; j < N; ++j) {
        mRelativeDbmdx[j] = dbmdx[j] * inverseBm;
        mTermOfJ[j] = g * demdx[j] + 0.5 * cb * b[j][j];
    }

    for (short i = 0; i < N; ++i) {
        const double dbi = mRelativeDbmdx[i];
        const double D = e[i][i] * inverseRT - algam[i] * inverseL; // d(n em)/dn_i / RT; Lambda cancels
        const double H = dbi - 1.0;
        alphi[i] = D * G + H * (Zw - 1.0) - logTerm - c[i] * PoverRT;
        const double phiP = P * std::exp(alphi[i]);
        fugacity[i] = x[i] * phiP;

        const double Aw = D * dGdw + H * PoverRT - inverseWb;
        const double Ab = D * dGdb - zb * dbi + inverseWb;
        dfugacitydT[i] =
            fugacity[i] *
            (G * ((dedT[i][i] - e[i][i] * inverseT) * inverseRT - dlgamdT[i] * inverseL) - H * Zw * inverseT +
             inverseT + c[i] * PoverRT * inverseT - c1[i] * PoverRT + Aw * dwdT);
        dfugacitydP[i] = fugacity[i] * (Aw * dwdP + (H * w - c[i]) * inverseRT);

        const double ofI = 0.5 * cb * b[i][i];
        const double onDb = Ab * bm - h * damdx[i] + 2.0 * h * am * dbi;
        const double onDam = -h * dbi;
        const double fi = fugacity[i];
        const double* ai = a[i];
        const double* relativeDb = mRelativeDbmdx.data();
        const double* dam = damdx.data();
        const double* dw = dwdx.data();
        const double* ofJ = mTermOfJ.data();
        double* dfugacitydxi = dfugacitydx[i];
        for (short j = 0; j < N; ++j)
            dfugacitydxi[j] =
                fi * (ofI + ca * ai[j] + onDb * relativeDb[j] + onDam * dam[j] + Aw * dw[j] + ofJ[j]);
        dfugacitydxi[i] += phiP;
    }
}

void QuadraMix::number_of_components(short ncomp) {
    ICubic::number_of_components(ncomp);
    mKa = allocate(N, N);
    ++mKaVersion;
}

void QuadraMix::set_binary_interaction_kaij(short i, short j, double kij) {
    // Setting the same value again (the parameter set rereads them with each new oil) is no change.
    if (mKa[i][j] == kij && mKa[j][i] == kij) return;
    mKa[i][j] = kij;
    mKa[j][i] = kij;
    ++mKaVersion;
}

void QuadraMix::co_volume_row_sums(double* rb) const {
    // sum_j x_j b_ij with b_ij = (b_ii + b_jj) / 2, from two sums over the components.
    double sumX = 0.0, sumXb = 0.0;
    for (short j = 0; j < N; ++j) {
        sumX += x[j];
        sumXb += x[j] * b[j][j];
    }
    for (short i = 0; i < N; ++i)
        rb[i] = 0.5 * (b[i][i] * sumX + sumXb);
}

void QuadraMix::calculate_first_mixing_parameters() {
    double* ra = damdx.data();
    double* rb = dbmdx.data();
    std::fill_n(ra, N, 0.0);
    for (short j = 0; j < N; ++j)
        add_multiple(ra, a[j], x[j], N);
    co_volume_row_sums(rb);
    double sa = 0.0, sb = 0.0, scm = 0.0;
    for (short i = 0; i < N; ++i) {
        sa += x[i] * ra[i];
        sb += x[i] * rb[i];
        damdx[i] = 2.0 * ra[i];
        dbmdx[i] = 2.0 * rb[i];
        scm += x[i] * c[i];
    }
    am = sa;
    bm = sb;
    cm = scm;
    em = am / bm;
    const double inverseBm = 1.0 / bm;
    for (short i = 0; i < N; ++i)
        demdx[i] = (damdx[i] - em * dbmdx[i]) * inverseBm;
}

void QuadraMix::calculate_mixing_parameters() {
    // Row sums of the symmetric pair matrices, accumulated column by column (the same terms in the
    // same order as row by row, and a loop the compiler can vectorise).
    double* ra = damdx.data();
    double* rb = dbmdx.data();
    double* rdadT = d2amdTx.data();
    std::fill_n(ra, N, 0.0);
    std::fill_n(rdadT, N, 0.0);
    for (short j = 0; j < N; ++j) {
        const double xj = x[j];
        add_multiple(ra, a[j], xj, N);
        add_multiple(rdadT, dadT[j], xj, N);
    }
    co_volume_row_sums(rb);
    double sa = 0.0, sb = 0.0, sdadT = 0.0;
    double scm = 0.0, sdcmdT = 0.0;
    for (short i = 0; i < N; ++i) {
        sa += x[i] * ra[i];
        sb += x[i] * rb[i];
        sdadT += x[i] * rdadT[i];
        damdx[i] = 2.0 * ra[i];
        dbmdx[i] = 2.0 * rb[i];
        d2amdTx[i] = 2.0 * rdadT[i];
        scm += x[i] * c[i];
        sdcmdT += x[i] * c1[i];
    }
    am = sa;
    bm = sb;
    damdT = sdadT;
    cm = scm;
    dcmdT = sdcmdT;

    em = am / bm;
    demdT = damdT / bm;
    const double inverseBm = 1.0 / bm;
    for (short i = 0; i < N; ++i) {
        demdx[i] = (damdx[i] - em * dbmdx[i]) * inverseBm;
        d2emdTx[i] = (d2amdTx[i] - demdT * dbmdx[i]) * inverseBm;
    }
}

} // namespace zephon::thermo
