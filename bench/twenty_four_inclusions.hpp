// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Twenty-four inclusions for the benchmarks of alpha-beta curves: first the ten curves' benchmark
// takes (the bundled examples and five more), then six liquid ones and eight that homogenise into
// the vapour (on the lower and the upper dew branch) made from known oils with their bubble at
// 20 C. Degrees Celsius and percent.
#include "data/inclusion_record.hpp"

#include <vector>

inline std::vector<CInclusionRecord> TwentyFourInclusions() {
    struct Measured {
        const char* name;
        double th, fv, co2, n2, h2s;
        int homog;
    };
    const Measured measured[] = {
        {"FI-1", 74.6, 9.04, 1, 0, 0, 1},    {"FI-2", 89.3, 11.67, 1, 0, 0, 1},
        {"FI-3", 104.8, 14.56, 1, 0, 0, 1},  {"FI-4", 119.5, 17.42, 1, 0, 0, 1},
        {"FI-5", 67.4, 5.57, 0.5, 0, 0, 1},  {"FI-6", 95.0, 12.0, 3, 0.5, 0, 1},
        {"FI-7", 130.0, 20.0, 0, 0, 0, 1},   {"FI-8", 80.0, 8.0, 2, 0, 1, 1},
        {"FI-9", 110.0, 15.0, 0, 1, 0, 1},   {"FI-10", 60.0, 6.0, 0, 0, 0, 1},
        {"FI-11", 100.0, 23.53, 0, 1, 0, 1}, {"FI-12", 60.0, 51.40, 0, 0, 0, 1},
        {"FI-13", 140.0, 18.48, 0, 0, 2, 1}, {"FI-14", 60.0, 5.49, 2, 0.5, 0, 1},
        {"FI-15", 120.0, 34.47, 3, 0, 0, 1}, {"FI-16", 150.0, 39.28, 0, 0, 0, 1},
        {"FV-1", 180.0, 94.08, 0, 0, 0, 0},  {"FV-2", 180.0, 91.55, 0, 0, 0, 0},
        {"FV-3", 80.0, 74.07, 0, 0, 0, 0},   {"FV-4", 280.0, 67.30, 2, 0.5, 0, 0},
        {"FV-5", 80.0, 65.21, 0, 0, 0, 0},   {"FV-6", 130.0, 64.63, 0, 0, 0, 0},
        {"FV-7", 230.0, 96.26, 3, 0, 0, 0},  {"FV-8", 180.0, 66.40, 0, 1, 0, 0},
    };
    std::vector<CInclusionRecord> inclusions;
    for (const Measured& m : measured) {
        CInclusionRecord inclusion;
        inclusion.mInclusionName = m.name;
        inclusion.mTh = m.th;
        inclusion.mTv = 20.0;
        inclusion.mFv = m.fv;
        inclusion.mHomog = m.homog;
        inclusion.mCO2 = m.co2;
        inclusion.mN2 = m.n2;
        inclusion.mH2S = m.h2s;
        inclusions.push_back(inclusion);
    }
    return inclusions;
}
