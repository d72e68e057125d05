// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Truncated Taylor series of a function of one variable s about s = 0, to the third order:
// f(s) = c0 + c1 s + c2 s^2 + c3 s^3 + O(s^4). Arithmetic on them carries every derivative up to
// the third exactly (to rounding), which is what the cubic form of the criticality conditions
// needs without difference quotients.
#include <cmath>

namespace zephon::thermo {

struct TaylorJet {
    double c[4] = {0., 0., 0., 0.};

    TaylorJet() = default;
    TaylorJet(double c0, double c1, double c2, double c3) : c{c0, c1, c2, c3} {}
    // A constant.
    TaylorJet(double value) : c{value, 0., 0., 0.} {} // NOLINT: constants mix with series freely
};

inline TaylorJet operator+(const TaylorJet& a, const TaylorJet& b) {
    return {a.c[0] + b.c[0], a.c[1] + b.c[1], a.c[2] + b.c[2], a.c[3] + b.c[3]};
}
inline TaylorJet operator-(const TaylorJet& a, const TaylorJet& b) {
    return {a.c[0] - b.c[0], a.c[1] - b.c[1], a.c[2] - b.c[2], a.c[3] - b.c[3]};
}
inline TaylorJet operator-(const TaylorJet& a) {
    return {-a.c[0], -a.c[1], -a.c[2], -a.c[3]};
}
inline TaylorJet operator*(const TaylorJet& a, const TaylorJet& b) {
    TaylorJet r;
    for (int k = 0; k < 4; ++k)
        for (int i = 0; i <= k; ++i)
            r.c[k] += a.c[i] * b.c[k - i];
    return r;
}
inline TaylorJet operator/(const TaylorJet& a, const TaylorJet& b) {
    TaylorJet q;
    for (int k = 0; k < 4; ++k) {
        double s = a.c[k];
        for (int i = 1; i <= k; ++i)
            s -= b.c[i] * q.c[k - i];
        q.c[k] = s / b.c[0];
    }
    return q;
}
// (log a)' a = a', coefficient by coefficient.
inline TaylorJet log(const TaylorJet& a) {
    TaylorJet l;
    l.c[0] = std::log(a.c[0]);
    for (int k = 1; k < 4; ++k) {
        double s = k * a.c[k];
        for (int i = 1; i < k; ++i)
            s -= i * l.c[i] * a.c[k - i];
        l.c[k] = s / (k * a.c[0]);
    }
    return l;
}

} // namespace zephon::thermo
