// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Tabulated saturation states of beta = 0 alpha-beta oils (no N2, CO2 or H2S), from which the
// first alpha of an alpha-beta curve is interpolated. The tables are generated with the engine
// by tools/generate_estimate_tables.cpp; see that program for how each state is computed.
#include <array>

namespace zephon::thermo {

struct OilStateRecord {
    double mT;  // homogenisation temperature, K
    double mP;  // homogenisation (saturation) pressure, Pa
    double mFv; // vapour volume fraction at the room reference temperature, percent; -1e-30: no bubble
    std::array<double, 17> x; // incipient phase: the vapour of a bubble point, the liquid of a dew point
};

struct OilRecord {
    double mAlpha;
    double mBeta;                          // always 0
    std::array<OilStateRecord, 7> mLiquid; // bubble points, small to large vapour fraction
    std::array<OilStateRecord, 7> mVapour; // dew points, large to small vapour fraction
};

// In search order: alpha 0.35, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 0.95.
extern const std::array<OilRecord, 8> kEstimateTables;

} // namespace zephon::thermo
