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
    mPairsChanged = true;
    damdx = allocate(N);
    dbmdx = allocate(N);
    d2amdTx = allocate(N);
    d2emdTx = allocate(N);
    demdx = allocate(N);
    d2bmdx2 = allocate(N, N);
    d2amdx2 = allocate(N, N);
    d2emdx2 = allocate(N, N);
    a = allocate(N, N);
    b = allocate(N, N);
    e = allocate(N, N);
    dadT = allocate(N, N);
    dedT = allocate(N, N);
    d2adT2 = allocate(N, N);
    dwdx = allocate(N);
    c0 = allocate(N);
    c1 = allocate(N);
    c = allocate(N);
    dQdx = allocate(N);
    d2QdTx = allocate(N);
    d2Qdx2 = allocate(N, N);
    algam = allocate(N);
    dlgamdT = allocate(N);
    dlgamdx = allocate(N, N);
    alphi = allocate(N);
    mSumXd2Qdx2 = allocate(N);
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
    double sumXe = 0.0, sumXdQdx = 0.0;
    for (short i = 0; i < N; ++i)
        sumXe += x[i] * e[i][i];
    Q = L * (sumXe - em) / RT;
    for (short i = 0; i < N; ++i) {
        dQdx[i] = L * (e[i][i] - demdx[i]) / RT;
        sumXdQdx += x[i] * dQdx[i];
    }
    const double d1 = w - R1 * bm;
    const double d2 = w - R2 * bm;
    const double wb = w - bm;
    const double G = std::log(d1 / d2) / (R1 - R2);
    const double Zw = P * w / RT;
    const double logTerm = std::log(P * wb / RT);
    for (short i = 0; i < N; ++i) {
        algam[i] = Q + dQdx[i] - sumXdQdx;
        const double D = e[i][i] / RT - algam[i] / L;
        const double H = dbmdx[i] / bm - 1.0;
        alphi[i] = D * G + H * (Zw - 1.0) - logTerm - P * c[i] / RT;
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

    // Excess Gibbs energy at infinite pressure and the activity coefficients it implies.
    double sumXe = 0.0, sumXdedT = 0.0;
    for (short i = 0; i < N; ++i) {
        sumXe += x[i] * e[i][i];
        sumXdedT += x[i] * (dedT[i][i] - e[i][i] / T);
    }
    Q = L * (sumXe - em) / RT;
    dQdT = L * (sumXdedT - (demdT - em / T)) / RT;
    double sumXdQdx = 0.0, sumXd2QdTx = 0.0;
    for (short i = 0; i < N; ++i) {
        dQdx[i] = L * (e[i][i] - demdx[i]) / RT;
        d2QdTx[i] = L * (dedT[i][i] - e[i][i] / T - d2emdTx[i] + demdx[i] / T) / RT;
        sumXdQdx += x[i] * dQdx[i];
        sumXd2QdTx += x[i] * d2QdTx[i];
    }
    // sum_k x_k d2Qdx2_kj, accumulated row after row in k (a loop the compiler can vectorise).
    const double q = -L / RT;
    std::fill_n(mSumXd2Qdx2.data(), N, 0.0);
    for (short k = 0; k < N; ++k) {
        const double* d2emdx2k = d2emdx2[k];
        double* d2Qdx2k = d2Qdx2[k];
        for (short j = 0; j < N; ++j)
            d2Qdx2k[j] = q * d2emdx2k[j];
        add_multiple(mSumXd2Qdx2.data(), d2Qdx2k, x[k], N);
    }
    for (short i = 0; i < N; ++i) {
        algam[i] = Q + dQdx[i] - sumXdQdx;
        dlgamdT[i] = dQdT + d2QdTx[i] - sumXd2QdTx;
    }

    const double d1 = w - R1 * bm;
    const double d2 = w - R2 * bm;
    const double wb = w - bm;
    const double G = std::log(d1 / d2) / (R1 - R2);
    const double dGdw = (1.0 / d1 - 1.0 / d2) / (R1 - R2);
    const double dGdb = (R2 / d2 - R1 / d1) / (R1 - R2);
    const double Zw = P * w / RT;
    const double logTerm = std::log(P * wb / RT);
    const double zb = (Zw - 1.0) / bm;
    const double gl = G / L;

    for (short i = 0; i < N; ++i) {
        const double D = e[i][i] / RT - algam[i] / L; // d(n em)/dn_i / RT; Lambda cancels
        const double H = dbmdx[i] / bm - 1.0;
        alphi[i] = D * G + H * (Zw - 1.0) - logTerm - P * c[i] / RT;
        const double phiP = P * std::exp(alphi[i]);
        fugacity[i] = x[i] * phiP;

        const double Aw = D * dGdw + H * P / RT - 1.0 / wb;
        const double Ab = D * dGdb - (Zw - 1.0) * dbmdx[i] / (bm * bm) + 1.0 / wb;
        dfugacitydT[i] =
            fugacity[i] * (G * (dadT[i][i] / (b[i][i] * RT) - dlgamdT[i] / L - e[i][i] / (RT * T)) -
                           H * P * w / (RT * T) + 1.0 / T + P * c[i] / (RT * T) - P * c1[i] / RT + Aw * dwdT);
        dfugacitydP[i] = fugacity[i] * (Aw * dwdP + H * w / RT - c[i] / RT);
        const double* d2Qdx2i = d2Qdx2[i];
        const double* d2bmdx2i = d2bmdx2[i];
        double* dlgamdxi = dlgamdx[i];
        double* dfugacitydxi = dfugacitydx[i];
        const double fi = fugacity[i];
        for (short j = 0; j < N; ++j) {
            const double dlgam = d2Qdx2i[j] - mSumXd2Qdx2[j];
            dlgamdxi[j] = dlgam;
            dfugacitydxi[j] = fi * (zb * d2bmdx2i[j] + Ab * dbmdx[j] + Aw * dwdx[j] - gl * dlgam);
        }
        dfugacitydxi[i] += phiP;
    }
}

void QuadraMix::number_of_components(short ncomp) {
    ICubic::number_of_components(ncomp);
    svka = allocate(N, N);
    svkb = allocate(N, N);
    mRelativeDbmdx = allocate(N);
    mRowSumD2adT2 = allocate(N);
}

void QuadraMix::set_binary_interaction_kaij(short i, short j, double kij) {
    svka[i][j] = kij;
    svka[j][i] = kij;
}

void QuadraMix::calculate_first_mixing_parameters() {
    double* ra = damdx.data();
    double* rb = dbmdx.data();
    std::fill_n(ra, N, 0.0);
    std::fill_n(rb, N, 0.0);
    for (short j = 0; j < N; ++j) {
        const double xj = x[j];
        const double* aj = a[j];
        const double* bj = b[j];
        add_multiple(ra, aj, xj, N);
        add_multiple(rb, bj, xj, N);
    }
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
    double* rd2adT2 = mRowSumD2adT2.data();
    std::fill_n(ra, N, 0.0);
    std::fill_n(rb, N, 0.0);
    std::fill_n(rdadT, N, 0.0);
    std::fill_n(rd2adT2, N, 0.0);
    for (short j = 0; j < N; ++j) {
        const double xj = x[j];
        const double* aj = a[j];
        const double* bj = b[j];
        const double* dadTj = dadT[j];
        const double* d2adT2j = d2adT2[j];
        add_multiple(ra, aj, xj, N);
        add_multiple(rb, bj, xj, N);
        add_multiple(rdadT, dadTj, xj, N);
        add_multiple(rd2adT2, d2adT2j, xj, N);
    }
    double sa = 0.0, sb = 0.0, sdadT = 0.0, sd2adT2 = 0.0;
    double scm = 0.0, sdcmdT = 0.0;
    for (short i = 0; i < N; ++i) {
        // They depend on the pair parameters alone.
        if (mPairsChanged) {
            const double* ai = a[i];
            const double* bi = b[i];
            double* d2amdx2i = d2amdx2[i];
            double* d2bmdx2i = d2bmdx2[i];
            for (short j = 0; j < N; ++j) {
                d2amdx2i[j] = 2.0 * ai[j];
                d2bmdx2i[j] = 2.0 * bi[j];
            }
        }
        sa += x[i] * ra[i];
        sb += x[i] * rb[i];
        sdadT += x[i] * rdadT[i];
        sd2adT2 += x[i] * rd2adT2[i];
        damdx[i] = 2.0 * ra[i];
        dbmdx[i] = 2.0 * rb[i];
        d2amdTx[i] = 2.0 * rdadT[i];
        scm += x[i] * c[i];
        sdcmdT += x[i] * c1[i];
    }
    mPairsChanged = false;
    am = sa;
    bm = sb;
    damdT = sdadT;
    d2amdT2 = sd2adT2;
    cm = scm;
    dcmdT = sdcmdT;

    em = am / bm;
    demdT = damdT / bm;
    const double inverseBm = 1.0 / bm;
    for (short i = 0; i < N; ++i) {
        demdx[i] = (damdx[i] - em * dbmdx[i]) * inverseBm;
        d2emdTx[i] = (d2amdTx[i] - demdT * dbmdx[i]) * inverseBm;
        mRelativeDbmdx[i] = dbmdx[i] * inverseBm;
    }
    // With db_i = dbmdx_i / bm, d2em/dx_i dx_j =
    //   (d2amdx2_ij - damdx_i db_j - damdx_j db_i + 2 am db_i db_j - em d2bmdx2_ij) / bm,
    // symmetric: each pair is computed once.
    for (short i = 0; i < N; ++i) {
        const double dbi = mRelativeDbmdx[i], dami = damdx[i];
        const double* d2amdx2i = d2amdx2[i];
        const double* d2bmdx2i = d2bmdx2[i];
        double* d2emdx2i = d2emdx2[i];
        for (short j = i; j < N; ++j) {
            const double dbj = mRelativeDbmdx[j];
            const double v =
                (d2amdx2i[j] - dami * dbj - damdx[j] * dbi + 2.0 * am * dbi * dbj - em * d2bmdx2i[j]) *
                inverseBm;
            d2emdx2i[j] = v;
            d2emdx2[j][i] = v;
        }
    }
}

} // namespace zephon::thermo
