// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Saturation-pressure correlations of pure components (T in K, P in Pa), used for the
// ideal-mixture start values of the flash.

namespace zephon::thermo {

class PsatCorr {
  public:
    virtual ~PsatCorr() = default;
    virtual double Tsat(double) { return 0.0; }
    virtual double Psat(double) { return 0.0; }
};

// Classical Antoine constants, for pressure in mmHg and temperature in degrees Celsius.
class Antoine : public PsatCorr {
  public:
    double A = 0., B = 0., C = 0.;
    void set_constants(double a, double b, double c) {
        A = a;
        B = b;
        C = c;
    }
    double Psat(double T) override;
    double Tsat(double P) override;
};

// Straight line in ln P against 1/T through the normal boiling point and the critical point.
class Clapeyron : public PsatCorr {
  public:
    double Tc = 0., Pc = 0., Tb = 0., Pb = 0.;
    void set_constants(double tc, double pc, double tb, double pb) {
        Tc = tc;
        Pc = pc;
        Tb = tb;
        Pb = pb;
    }
    double Psat(double T) override;
    double Tsat(double P) override;
};

} // namespace zephon::thermo
