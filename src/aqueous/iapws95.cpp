// SPDX-License-Identifier: BSD-3-Clause
#include "aqueous/iapws95.hpp"

#include <array>
#include <cmath>

namespace zephon::aqueous::iapws95 {

namespace {

constexpr double kTc = kCriticalTemperature;
constexpr double kRhoc = kCriticalDensity;
constexpr double kR = kSpecificGasConstant;

// Ideal-gas part (release Table 1).
constexpr std::array<double, 8> kIdealN{-8.3204464837497, 6.6832105275932, 3.00632, 0.012436,
                                        0.97315,          1.2795,          0.96956, 0.24873};
constexpr std::array<double, 5> kIdealGamma{1.28728967, 3.53734222, 7.74073708, 9.24437796, 27.5075105};

// Residual part (release Table 2): terms 1-7 n delta^d tau^t.
struct PolynomialTerm {
    double n;
    int d;
    double t;
};
constexpr std::array<PolynomialTerm, 7> kPolynomial{{{0.12533547935523e-1, 1, -0.5},
                                                     {0.78957634722828e1, 1, 0.875},
                                                     {-0.87803203303561e1, 1, 1.0},
                                                     {0.31802509345418, 2, 0.5},
                                                     {-0.26145533859358, 2, 0.75},
                                                     {-0.78199751687981e-2, 3, 0.375},
                                                     {0.88089493102134e-2, 4, 1.0}}};

// Terms 8-51: n delta^d tau^t exp(-delta^c), all exponents integers.
struct ExponentialTerm {
    double n;
    int c, d, t;
};
constexpr std::array<ExponentialTerm, 44> kExponential{{
    {-0.66856572307965, 1, 1, 4},      {0.20433810950965, 1, 1, 6},        {-0.66212605039687e-4, 1, 1, 12},
    {-0.19232721156002, 1, 2, 1},      {-0.25709043003438, 1, 2, 5},       {0.16074868486251, 1, 3, 4},
    {-0.4009282892587e-1, 1, 4, 2},    {0.39343422603254e-6, 1, 4, 13},    {-0.75941377088144e-5, 1, 5, 9},
    {0.56250979351888e-3, 1, 7, 3},    {-0.15608652257135e-4, 1, 9, 4},    {0.11537996422951e-8, 1, 10, 11},
    {0.36582165144204e-6, 1, 11, 4},   {-0.13251180074668e-11, 1, 13, 13}, {-0.62639586912454e-9, 1, 15, 1},
    {-0.10793600908932, 2, 1, 7},      {0.17611491008752e-1, 2, 2, 1},     {0.22132295167546, 2, 2, 9},
    {-0.40247669763528, 2, 2, 10},     {0.58083399985759, 2, 3, 10},       {0.49969146990806e-2, 2, 4, 3},
    {-0.31358700712549e-1, 2, 4, 7},   {-0.74315929710341, 2, 4, 10},      {0.47807329915480, 2, 5, 10},
    {0.20527940895948e-1, 2, 6, 6},    {-0.13636435110343, 2, 6, 10},      {0.14180634400617e-1, 2, 7, 10},
    {0.83326504880713e-2, 2, 9, 1},    {-0.29052336009585e-1, 2, 9, 2},    {0.38615085574206e-1, 2, 9, 3},
    {-0.20393486513704e-1, 2, 9, 4},   {-0.16554050063734e-2, 2, 9, 8},    {0.19955571979541e-2, 2, 10, 6},
    {0.15870308324157e-3, 2, 10, 9},   {-0.16388568342530e-4, 2, 12, 8},   {0.43613615723811e-1, 3, 3, 16},
    {0.34994005463765e-1, 3, 4, 22},   {-0.76788197844621e-1, 3, 4, 23},   {0.22446277332006e-1, 3, 5, 23},
    {-0.62689710414685e-4, 4, 14, 10}, {-0.55711118565645e-9, 6, 3, 50},   {-0.19905718354408, 6, 6, 44},
    {0.31777497330738, 6, 6, 46},      {-0.11841182425981, 6, 6, 50},
}};

// Terms 52-54: Gaussian bell-shaped terms (epsilon = 1 for all three).
struct GaussianTerm {
    double n;
    int d, t;
    double alpha, beta, gamma;
};
constexpr std::array<GaussianTerm, 3> kGaussian{{{-0.31306260323435e2, 3, 0, 20, 150, 1.21},
                                                 {0.31546140237781e2, 3, 1, 20, 150, 1.21},
                                                 {-0.25213154341695e4, 3, 4, 20, 250, 1.25}}};

// Terms 55-56: non-analytic terms near the critical point.
struct NonAnalyticTerm {
    double n, a, b, B, C, D, A, beta;
};
constexpr std::array<NonAnalyticTerm, 2> kNonAnalytic{
    {{-0.14874640856724, 3.5, 0.85, 0.2, 28, 700, 0.32, 0.3},
     {0.31806110878444, 3.5, 0.95, 0.2, 32, 800, 0.32, 0.3}}};

constexpr int kMaxDeltaPower = 16;
constexpr int kMaxTauPower = 50;

void add_non_analytic(const NonAnalyticTerm& k, double delta, double tau, HelmholtzTerms& r) {
    const double dm1 = delta - 1.0;
    const double sq = dm1 * dm1;
    const double e1 = 1.0 / (2.0 * k.beta); // exponent of (delta-1)^2 in theta
    // Powers of (delta-1)^2 that the derivatives need; at delta = 1 every product they enter
    // vanishes (their total exponent is positive), so they are taken as zero there.
    const double sqE1m1 = sq > 0 ? std::pow(sq, e1 - 1.0) : 0.0;
    const double sqE1m2 = sq > 0 ? std::pow(sq, e1 - 2.0) : 0.0;
    const double sqAm1 = sq > 0 ? std::pow(sq, k.a - 1.0) : 0.0;
    const double sqAm2 = sq > 0 ? std::pow(sq, k.a - 2.0) : 0.0;
    const double theta = (1.0 - tau) + k.A * sqE1m1 * sq;
    const double Delta = theta * theta + k.B * sqAm1 * sq;
    const double psi = std::exp(-k.C * sq - k.D * (tau - 1.0) * (tau - 1.0));
    if (!(Delta > 0)) return; // exactly at the critical point the term and its derivatives vanish

    // dDelta/ddelta = (delta-1) g, with g written out so that nothing divides by delta-1.
    const double g = k.A * theta * (2.0 / k.beta) * sqE1m1 + 2.0 * k.B * k.a * sqAm1;
    const double dDelta = dm1 * g;
    const double d2Delta = g + sq * (4.0 * k.B * k.a * (k.a - 1.0) * sqAm2 +
                                     2.0 * k.A * k.A * (1.0 / (k.beta * k.beta)) * sqE1m1 * sqE1m1 +
                                     k.A * theta * (4.0 / k.beta) * (e1 - 1.0) * sqE1m2);

    const double Db = std::pow(Delta, k.b);
    const double Db1 = Db / Delta; // Delta^(b-1)
    const double Db2 = Db1 / Delta;
    const double Db_d = k.b * Db1 * dDelta;
    const double Db_dd = k.b * (Db1 * d2Delta + (k.b - 1.0) * Db2 * dDelta * dDelta);
    const double Db_t = -2.0 * theta * k.b * Db1;
    const double Db_tt = 2.0 * k.b * Db1 + 4.0 * theta * theta * k.b * (k.b - 1.0) * Db2;
    const double Db_dt =
        -k.A * k.b * (2.0 / k.beta) * Db1 * dm1 * sqE1m1 - 2.0 * theta * k.b * (k.b - 1.0) * Db2 * dDelta;

    const double psi_d = -2.0 * k.C * dm1 * psi;
    const double psi_dd = (2.0 * k.C * sq - 1.0) * 2.0 * k.C * psi;
    const double psi_t = -2.0 * k.D * (tau - 1.0) * psi;
    const double psi_tt = (2.0 * k.D * (tau - 1.0) * (tau - 1.0) - 1.0) * 2.0 * k.D * psi;
    const double psi_dt = 4.0 * k.C * k.D * dm1 * (tau - 1.0) * psi;

    r.phi += k.n * Db * delta * psi;
    r.d += k.n * (Db * (psi + delta * psi_d) + Db_d * delta * psi);
    r.dd += k.n *
            (Db * (2.0 * psi_d + delta * psi_dd) + 2.0 * Db_d * (psi + delta * psi_d) + Db_dd * delta * psi);
    r.t += k.n * delta * (Db_t * psi + Db * psi_t);
    r.tt += k.n * delta * (Db_tt * psi + 2.0 * Db_t * psi_t + Db * psi_tt);
    r.dt += k.n * (Db * (psi_t + delta * psi_dt) + delta * Db_d * psi_t + Db_t * (psi + delta * psi_d) +
                   Db_dt * delta * psi);
}

} // namespace

HelmholtzTerms ideal_part(double delta, double tau) {
    HelmholtzTerms r;
    r.phi = std::log(delta) + kIdealN[0] + kIdealN[1] * tau + kIdealN[2] * std::log(tau);
    r.d = 1.0 / delta;
    r.dd = -1.0 / (delta * delta);
    r.t = kIdealN[1] + kIdealN[2] / tau;
    r.tt = -kIdealN[2] / (tau * tau);
    for (std::size_t i = 0; i < kIdealGamma.size(); ++i) {
        const double n = kIdealN[3 + i], g = kIdealGamma[i];
        const double e = std::exp(-g * tau);
        r.phi += n * std::log1p(-e);
        r.t += n * g * (1.0 / (1.0 - e) - 1.0);
        r.tt -= n * g * g * e / ((1.0 - e) * (1.0 - e));
    }
    return r;
}

HelmholtzTerms residual_part(double delta, double tau) {
    // Integer powers by multiplication: the exponential terms are most of the work.
    std::array<double, kMaxDeltaPower + 1> dp{};
    std::array<double, kMaxTauPower + 1> tp{};
    dp[0] = tp[0] = 1.0;
    for (int k = 1; k <= kMaxDeltaPower; ++k)
        dp[k] = dp[k - 1] * delta;
    for (int k = 1; k <= kMaxTauPower; ++k)
        tp[k] = tp[k - 1] * tau;
    const double invD = 1.0 / delta, invT = 1.0 / tau;

    HelmholtzTerms r;
    for (const PolynomialTerm& k : kPolynomial) {
        const double tt = std::pow(tau, k.t);
        const double v = k.n * dp[k.d] * tt;
        r.phi += v;
        r.d += v * k.d * invD;
        r.dd += v * k.d * (k.d - 1) * invD * invD;
        r.t += v * k.t * invT;
        r.tt += v * k.t * (k.t - 1.0) * invT * invT;
        r.dt += v * k.d * k.t * invD * invT;
    }

    // exp(-delta^c) for the five exponents c of the table.
    std::array<double, 7> expC{};
    for (int c : {1, 2, 3, 4, 6})
        expC[c] = std::exp(-dp[c]);
    for (const ExponentialTerm& k : kExponential) {
        const double dc = dp[k.c];
        const double v = k.n * dp[k.d] * tp[k.t] * expC[k.c];
        const double a = k.d - k.c * dc; // delta d/ddelta of delta^d exp(-delta^c), over the term
        r.phi += v;
        r.d += v * a * invD;
        r.dd += v * (a * (a - 1.0) - k.c * k.c * dc) * invD * invD;
        r.t += v * k.t * invT;
        r.tt += v * k.t * (k.t - 1) * invT * invT;
        r.dt += v * a * k.t * invD * invT;
    }

    for (const GaussianTerm& k : kGaussian) {
        const double dd = delta - 1.0, td = tau - k.gamma;
        const double v = k.n * dp[k.d] * tp[k.t] * std::exp(-k.alpha * dd * dd - k.beta * td * td);
        const double Dd = k.d * invD - 2.0 * k.alpha * dd;
        const double Dt = k.t * invT - 2.0 * k.beta * td;
        r.phi += v;
        r.d += v * Dd;
        r.dd += v * (Dd * Dd - k.d * invD * invD - 2.0 * k.alpha);
        r.t += v * Dt;
        r.tt += v * (Dt * Dt - k.t * invT * invT - 2.0 * k.beta);
        r.dt += v * Dd * Dt;
    }

    for (const NonAnalyticTerm& k : kNonAnalytic)
        add_non_analytic(k, delta, tau, r);
    return r;
}

PressureState pressure_state(double T, double rho) {
    const double delta = rho / kRhoc, tau = kTc / T;
    const HelmholtzTerms r = residual_part(delta, tau);
    PressureState s;
    s.p = rho * kR * T * (1.0 + delta * r.d);
    s.dp_drho = kR * T * (1.0 + 2.0 * delta * r.d + delta * delta * r.dd);
    s.dp_dT = rho * kR * (1.0 + delta * r.d - delta * tau * r.dt);
    return s;
}

double pressure(double T, double rho) {
    return pressure_state(T, rho).p;
}

double isochoric_heat_capacity(double T, double rho) {
    const double delta = rho / kRhoc, tau = kTc / T;
    return -kR * tau * tau * (ideal_part(delta, tau).tt + residual_part(delta, tau).tt);
}

double speed_of_sound(double T, double rho) {
    const double delta = rho / kRhoc, tau = kTc / T;
    const HelmholtzTerms o = ideal_part(delta, tau), r = residual_part(delta, tau);
    const double a = 1.0 + delta * r.d - delta * tau * r.dt;
    const double w2 =
        kR * T * (1.0 + 2.0 * delta * r.d + delta * delta * r.dd - a * a / (tau * tau * (o.tt + r.tt)));
    return std::sqrt(w2);
}

double specific_entropy(double T, double rho) {
    const double delta = rho / kRhoc, tau = kTc / T;
    const HelmholtzTerms o = ideal_part(delta, tau), r = residual_part(delta, tau);
    return kR * (tau * (o.t + r.t) - o.phi - r.phi);
}

namespace {

// Newton on p(T, rho) = P from rho0, each step kept within a fifth of the density and on the
// mechanically stable side (dp/drho > 0). Converges to the branch rho0 lies on.
std::optional<double> density_from(double T, double P, double rho0) {
    double rho = rho0;
    for (int iteration = 0; iteration < 100; ++iteration) {
        const PressureState s = pressure_state(T, rho);
        if (!(s.dp_drho > 0) || !std::isfinite(s.p)) return std::nullopt;
        double step = (P - s.p) / s.dp_drho;
        const double limit = 0.2 * rho;
        if (step > limit) step = limit;
        if (step < -limit) step = -limit;
        rho += step;
        // Rounding in the sum of the terms leaves the liquid's pressure some 1e-14 of rho R T
        // uncertain: closer than this the steps only follow that noise.
        if (std::fabs(step) <= 1e-12 * rho) return rho;
    }
    return std::nullopt;
}

// (g - g0) / (R T) apart from the terms depending on T alone, which cancel between two phases.
double reduced_gibbs_energy(double T, double rho) {
    const double delta = rho / kRhoc, tau = kTc / T;
    const HelmholtzTerms r = residual_part(delta, tau);
    return r.phi + delta * r.d + std::log(delta);
}

} // namespace

std::optional<double> liquid_density(double T, double P, double start) {
    if (!(T > 0) || !(P > 0) || !std::isfinite(T) || !std::isfinite(P)) return std::nullopt;
    // Below the critical temperature the saturated liquid lies on the liquid branch; above it a
    // dense start reaches the one fluid branch.
    if (!(start > kRhoc * 1.05))
        start = T < kTc ? auxiliary_liquid_density(std::max(T, kTriplePointTemperature)) : 1000.0;
    const std::optional<double> rho = density_from(T, P, std::max(start, kRhoc * 1.05));
    // Below the critical temperature a result on the vapour side is no liquid (the solve crossed
    // the unstable region); every metastable liquid is denser than the critical density.
    if (rho && T < kTc && *rho < kRhoc) return std::nullopt;
    return rho;
}

std::optional<Saturation> saturation(double T) {
    if (!(T >= kTriplePointTemperature) || !(T < kTc - 1e-3)) return std::nullopt;
    double P = auxiliary_saturation_pressure(T);
    double rhoL = auxiliary_liquid_density(T), rhoV = auxiliary_vapour_density(T);
    // Newton on the pressure: d(g_l - g_v)/dP = 1/rho_l - 1/rho_v.
    for (int iteration = 0; iteration < 100; ++iteration) {
        const std::optional<double> l = density_from(T, P, rhoL);
        const std::optional<double> v = density_from(T, P, rhoV);
        if (!l || !v || !(*l > *v * 1.000001)) return std::nullopt;
        rhoL = *l;
        rhoV = *v;
        const double dg = kR * T * (reduced_gibbs_energy(T, rhoL) - reduced_gibbs_energy(T, rhoV));
        const double step = -dg / (1.0 / rhoL - 1.0 / rhoV);
        P += step;
        if (!(P > 0)) return std::nullopt;
        if (std::fabs(step) <= 1e-11 * P) return Saturation{P, rhoL, rhoV};
    }
    return std::nullopt;
}

double auxiliary_saturation_pressure(double T) {
    const double th = 1.0 - T / kTc;
    const double s = -7.85951783 * th + 1.84408259 * std::pow(th, 1.5) - 11.7866497 * std::pow(th, 3) +
                     22.6807411 * std::pow(th, 3.5) - 15.9618719 * std::pow(th, 4) +
                     1.80122502 * std::pow(th, 7.5);
    return kCriticalPressure * std::exp(kTc / T * s);
}

double auxiliary_liquid_density(double T) {
    const double th = 1.0 - T / kTc;
    return kRhoc * (1.0 + 1.99274064 * std::cbrt(th) + 1.09965342 * std::pow(th, 2.0 / 3.0) -
                    0.510839303 * std::pow(th, 5.0 / 3.0) - 1.75493479 * std::pow(th, 16.0 / 3.0) -
                    45.5170352 * std::pow(th, 43.0 / 3.0) - 6.74694450e5 * std::pow(th, 110.0 / 3.0));
}

double auxiliary_vapour_density(double T) {
    const double th = 1.0 - T / kTc;
    return kRhoc * std::exp(-2.03150240 * std::pow(th, 2.0 / 6.0) - 2.68302940 * std::pow(th, 4.0 / 6.0) -
                            5.38626492 * std::pow(th, 8.0 / 6.0) - 17.2991605 * std::pow(th, 18.0 / 6.0) -
                            44.7586581 * std::pow(th, 37.0 / 6.0) - 63.9201063 * std::pow(th, 71.0 / 6.0));
}

} // namespace zephon::aqueous::iapws95
