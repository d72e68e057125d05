// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/critical_point.hpp"

#include "thermo/taylor_jet.hpp"

#include <algorithm>
#include <cmath>

namespace zephon::thermo {

namespace {

constexpr int kMostNewtonSteps = 60;
constexpr double kTolerance = 1e-11;             // relative step in T and w that ends the iteration
constexpr double kDifferenceStep = 1e-6;         // relative step of the difference quotients
constexpr double kLargestTemperatureStep = 0.05; // relative, per Newton step
constexpr double kLargestVolumeStep = 0.2;
constexpr int kMostJacobiSweeps = 60;

// The components present in the feed and the quantities the conditions are built from at one
// temperature: the pair parameters restricted to them.
struct Mixture {
    std::vector<int> index;     // feed component of each present one
    std::vector<double> z;      // their mole fractions
    std::vector<double> a, b;   // pair parameters a_ij (J m3/mol2) and b_ij (m3/mol), row-major
    std::vector<double> az, bz; // sum_j a_ij z_j, sum_j b_ij z_j
    double total = 0., am = 0., bm = 0.;
    double R1 = 0., R2 = 0., RT = 0.;

    std::size_t size() const { return index.size(); }
    double A(std::size_t i, std::size_t j) const { return a[i * size() + j]; }
    double Bij(std::size_t i, std::size_t j) const { return b[i * size() + j]; }
};

Mixture mixture_at(ClaCubic0& phase, const std::vector<double>& z, double T) {
    phase.temperature(T);
    phase.calculate_parameters_of_pure_components();
    Mixture m;
    double sum = 0.0;
    for (short i = 0; i < phase.N && i < static_cast<short>(z.size()); ++i) {
        if (z[i] > 0.0) {
            m.index.push_back(i);
            m.z.push_back(z[i]);
            sum += z[i];
        }
    }
    // One mole of the feed: w is then its molar volume.
    for (double& v : m.z)
        v /= sum;
    const std::size_t n = m.size();
    m.a.resize(n * n);
    m.b.resize(n * n);
    m.az.assign(n, 0.0);
    m.bz.assign(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            m.a[i * n + j] = phase.a[m.index[i]][m.index[j]];
            m.b[i * n + j] = phase.b[m.index[i]][m.index[j]];
            m.az[i] += m.a[i * n + j] * m.z[j];
            m.bz[i] += m.b[i * n + j] * m.z[j];
        }
        m.total += m.z[i];
        m.am += m.z[i] * m.az[i];
        m.bm += m.z[i] * m.bz[i];
    }
    m.R1 = phase.R1;
    m.R2 = phase.R2;
    m.RT = kGasConstant * T;
    return m;
}

// Taylor coefficients of the residual Helmholtz energy A^r/RT of the mole numbers z + s dn, at
// constant temperature and total volume w, from the directional sums of dn:
//   dN = sum dn_i, zb = sum z_i b_ij dn_j, bb = sum dn_i b_ij dn_j, and likewise za, aa.
TaylorJet residual_along(const Mixture& m, double w, double dN, double zb, double bb, double za, double aa) {
    const TaylorJet N{m.total, dN, 0.0, 0.0};
    const TaylorJet Bsum{m.bm, 2.0 * zb, bb, 0.0};
    const TaylorJet D{m.am, 2.0 * za, aa, 0.0};
    const TaylorJet B = Bsum / N; // co-volume of the whole amount
    const TaylorJet repulsive = -(N * log(1.0 - B / w));
    const TaylorJet G = log((w - m.R1 * B) / (w - m.R2 * B)) * (1.0 / (m.R1 - m.R2));
    const TaylorJet attractive = D / B * G * (1.0 / m.RT);
    return repulsive + attractive;
}

// Eigenvalues and eigenvectors of a symmetric matrix (row-major, size n) by cyclic Jacobi
// rotations; the matrix is destroyed. Eigenvector k is column k of `vectors`.
void jacobi_eigen(std::vector<double>& A, std::size_t n, std::vector<double>& values,
                  std::vector<double>& vectors) {
    vectors.assign(n * n, 0.0);
    for (std::size_t i = 0; i < n; ++i)
        vectors[i * n + i] = 1.0;
    for (int sweep = 0; sweep < kMostJacobiSweeps; ++sweep) {
        double off = 0.0, diagonal = 0.0;
        for (std::size_t i = 0; i < n; ++i) {
            diagonal += A[i * n + i] * A[i * n + i];
            for (std::size_t j = i + 1; j < n; ++j)
                off += A[i * n + j] * A[i * n + j];
        }
        if (off <= 1e-30 * diagonal) break;
        for (std::size_t p = 0; p < n; ++p) {
            for (std::size_t q = p + 1; q < n; ++q) {
                const double apq = A[p * n + q];
                if (apq == 0.0) continue;
                const double theta = (A[q * n + q] - A[p * n + p]) / (2.0 * apq);
                const double t =
                    (theta >= 0.0 ? 1.0 : -1.0) / (std::fabs(theta) + std::sqrt(theta * theta + 1.0));
                const double c = 1.0 / std::sqrt(t * t + 1.0), s = t * c;
                for (std::size_t k = 0; k < n; ++k) {
                    const double akp = A[k * n + p], akq = A[k * n + q];
                    A[k * n + p] = c * akp - s * akq;
                    A[k * n + q] = s * akp + c * akq;
                }
                for (std::size_t k = 0; k < n; ++k) {
                    const double apk = A[p * n + k], aqk = A[q * n + k];
                    A[p * n + k] = c * apk - s * aqk;
                    A[q * n + k] = s * apk + c * aqk;
                }
                for (std::size_t k = 0; k < n; ++k) {
                    const double vkp = vectors[k * n + p], vkq = vectors[k * n + q];
                    vectors[k * n + p] = c * vkp - s * vkq;
                    vectors[k * n + q] = s * vkp + c * vkq;
                }
            }
        }
    }
    values.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        values[i] = A[i * n + i];
}

struct Conditions {
    bool valid = false;
    double lambda = 0., cubic = 0.;
    std::vector<double> dn; // over the present components
};

Conditions conditions_of(const Mixture& m, double w) {
    Conditions out;
    const std::size_t n = m.size();
    if (n == 0 || !(w > m.bm / m.total) || !std::isfinite(w)) return out;

    // The Hessian of A^r/RT by polarisation: q(e_i + e_j) - q(e_i) - q(e_j) = 2 H_ij, where q(u)
    // is the second derivative along u; then B = I + sqrt(z_i z_j) H^r (the ideal part is
    // diag(1 / z_i)).
    auto second = [&](double dN, double zb, double bb, double za, double aa) {
        return 2.0 * residual_along(m, w, dN, zb, bb, za, aa).c[2];
    };
    std::vector<double> diagonal(n);
    for (std::size_t i = 0; i < n; ++i)
        diagonal[i] = second(1.0, m.bz[i], m.Bij(i, i), m.az[i], m.A(i, i));
    std::vector<double> B(n * n);
    for (std::size_t i = 0; i < n; ++i) {
        B[i * n + i] = 1.0 + m.z[i] * diagonal[i];
        for (std::size_t j = i + 1; j < n; ++j) {
            const double pair = second(2.0, m.bz[i] + m.bz[j], m.Bij(i, i) + 2.0 * m.Bij(i, j) + m.Bij(j, j),
                                       m.az[i] + m.az[j], m.A(i, i) + 2.0 * m.A(i, j) + m.A(j, j));
            const double h = 0.5 * (pair - diagonal[i] - diagonal[j]);
            B[i * n + j] = B[j * n + i] = std::sqrt(m.z[i] * m.z[j]) * h;
        }
    }
    if (!std::all_of(B.begin(), B.end(), [](double v) { return std::isfinite(v); })) return out;
    std::vector<double> values, vectors;
    jacobi_eigen(B, n, values, vectors);
    const std::size_t k =
        static_cast<std::size_t>(std::min_element(values.begin(), values.end()) - values.begin());

    // The direction, signed so that it adds co-volume (the heavy side), and the cubic form along it.
    out.dn.resize(n);
    double dN = 0.0, covolume = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        out.dn[i] = std::sqrt(m.z[i]) * vectors[i * n + k];
        covolume += out.dn[i] * m.Bij(i, i);
    }
    if (covolume < 0.0)
        for (double& v : out.dn)
            v = -v;
    double zb = 0.0, bb = 0.0, za = 0.0, aa = 0.0, ideal = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        dN += out.dn[i];
        ideal -= out.dn[i] * out.dn[i] * out.dn[i] / (m.z[i] * m.z[i]);
        double rowB = 0.0, rowA = 0.0;
        for (std::size_t j = 0; j < n; ++j) {
            rowB += m.Bij(i, j) * out.dn[j];
            rowA += m.A(i, j) * out.dn[j];
        }
        zb += m.z[i] * rowB;
        za += m.z[i] * rowA;
        bb += out.dn[i] * rowB;
        aa += out.dn[i] * rowA;
    }
    out.lambda = values[k];
    out.cubic = ideal + 6.0 * residual_along(m, w, dN, zb, bb, za, aa).c[3];
    out.valid = std::isfinite(out.lambda) && std::isfinite(out.cubic);
    return out;
}

// Sets the phase to the feed at (T, translated V) and returns its pressure.
double pressure_at(ClaCubic0& phase, const std::vector<double>& z, double T, double V) {
    for (short i = 0; i < phase.N; ++i)
        phase.composition_of_component(i, i < static_cast<short>(z.size()) ? z[i] : 0.0);
    phase.temperature(T);
    phase.volume(V);
    phase.calculate_pressure();
    return phase.P;
}

// The untranslated molar volume of the feed at (T, P): between the liquid and the vapour root
// where both exist (near the critical point they are close).
double volume_estimate(ClaCubic0& phase, const std::vector<double>& z, double T, double P) {
    const short phaseFlag = phase.phase;
    for (short i = 0; i < phase.N; ++i)
        phase.composition_of_component(i, i < static_cast<short>(z.size()) ? z[i] : 0.0);
    phase.temperature(T);
    phase.pressure(P / 100000.0);
    double sum = 0.0;
    for (short flag : {short(2), short(1)}) {
        phase.set_the_phase_as(flag);
        phase.calculate_molar_volume();
        sum += phase.w;
    }
    phase.set_the_phase_as(phaseFlag);
    return sum / 2.0;
}

} // namespace

CriticalityConditions criticality_conditions(ClaCubic0& phase, const std::vector<double>& z, double T,
                                             double w) {
    CriticalityConditions out;
    const Mixture m = mixture_at(phase, z, T);
    const Conditions c = conditions_of(m, w);
    if (!c.valid) return out;
    out.valid = true;
    out.smallestEigenvalue = c.lambda;
    out.cubicForm = c.cubic;
    out.direction.assign(z.size(), 0.0);
    for (std::size_t i = 0; i < m.size(); ++i)
        out.direction[m.index[i]] = c.dn[i];
    return out;
}

CriticalPointResult critical_point(ClaCubic0& phase, const std::vector<double>& z, double T0, double P0) {
    CriticalPointResult result;
    if (!(T0 > 0.0) || !(P0 > 0.0) || phase.N <= 0) return result;
    double T = T0;
    double w = volume_estimate(phase, z, T0, P0);
    if (!(w > 0.0) || !std::isfinite(w)) return result;

    auto evaluate = [&](double t, double v, double& lambda, double& cubic) {
        const Conditions c = conditions_of(mixture_at(phase, z, t), v);
        lambda = c.lambda;
        cubic = c.cubic;
        return c.valid;
    };
    bool converged = false;
    for (int k = 0; k < kMostNewtonSteps && !converged; ++k) {
        result.iterations = k + 1;
        double f1 = 0, f2 = 0, f1T = 0, f2T = 0, f1w = 0, f2w = 0;
        const double hT = kDifferenceStep * T, hw = kDifferenceStep * w;
        if (!evaluate(T, w, f1, f2) || !evaluate(T + hT, w, f1T, f2T) || !evaluate(T, w + hw, f1w, f2w))
            return result;
        const double j11 = (f1T - f1) / hT, j21 = (f2T - f2) / hT;
        const double j12 = (f1w - f1) / hw, j22 = (f2w - f2) / hw;
        const double det = j11 * j22 - j12 * j21;
        if (!(std::fabs(det) > 0.0) || !std::isfinite(det)) return result;
        double dT = -(f1 * j22 - f2 * j12) / det;
        double dw = -(j11 * f2 - j21 * f1) / det;
        // Steps bounded relative to the point, so that a poor start cannot throw it far away.
        const double scale = std::max(
            {1.0, std::fabs(dT) / (kLargestTemperatureStep * T), std::fabs(dw) / (kLargestVolumeStep * w)});
        dT /= scale;
        dw /= scale;
        // Above the co-volume.
        const Mixture m = mixture_at(phase, z, T + dT);
        const double floor = m.bm / m.total;
        while (w + dw <= floor * 1.000001 && std::fabs(dw) > 1e-300)
            dw /= 2.0;
        T += dT;
        w += dw;
        converged = std::fabs(dT) <= kTolerance * T && std::fabs(dw) <= kTolerance * w && scale == 1.0;
    }
    if (!converged) return result;

    const Mixture m = mixture_at(phase, z, T);
    double cm = 0.0;
    for (std::size_t i = 0; i < m.size(); ++i)
        cm += m.z[i] * phase.c[m.index[i]];
    const double V = w - cm;
    const double P = pressure_at(phase, z, T, V);
    if (!std::isfinite(P) || !(P > 0.0)) return result;
    if (std::fabs(T / T0 - 1.0) > 0.1 || std::fabs(P / P0 - 1.0) > 0.5) return result;
    result.found = true;
    result.T = T;
    result.P = P;
    result.V = V;
    return result;
}

} // namespace zephon::thermo
