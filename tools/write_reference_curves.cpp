// SPDX-License-Identifier: BSD-3-Clause
// Writes the alpha-beta curves of a fixed set of inclusions (liquid- and vapour-homogenising,
// with and without CO2 and H2S, the bundled example inclusions among them) as the test data
// that later versions of the alpha search must reproduce point by point.
//
// The committed file was made once and is kept as it is: rerunning this program after an
// engine change overwrites the record the tests compare with.
//
// Usage: write_reference_curves tests/thermo/data/alpha_beta_reference_curves.txt
#include "thermo/alpha_beta_model_interface.hpp"

#include <cstdio>
#include <vector>

using namespace zephon::thermo;

namespace {

struct Inclusion {
    double ThC, FvPercent, TfC, co2, n2, h2s; // degrees Celsius, percent
    int homog;                                // 1 into the liquid, 0 into the vapour
};

const std::vector<Inclusion> kInclusions = {
    // examples/inclusions.inc
    {74.6, 9.04, 20, 1, 0, 0, 1},
    {89.3, 11.67, 20, 1, 0, 0, 1},
    {104.8, 14.56, 20, 1, 0, 0, 1},
    {119.5, 17.42, 20, 1, 0, 0, 1},
    {67.4, 5.57, 20, 0.5, 0, 0, 1},
    // liquid-homogenising, several Th and bubble sizes, CO2 and H2S
    {60, 5, 20, 0, 0, 0, 1},
    {100, 10, 20, 0, 0, 0, 1},
    {140, 20, 20, 0, 0, 0, 1},
    {80, 12, 20, 3, 0, 0, 1},
    {80, 12, 20, 0, 0, 2, 1},
    {120, 35, 20, 0, 0, 0, 1},
    {90, 25, 25, 2, 0, 1, 1},
    {160, 30, 20, 5, 0, 0, 1},
    // vapour-homogenising
    {100, 90, 20, 0, 0, 0, 0},
    {200, 85, 20, 2, 0, 0, 0},
    {120, 98, 20, 0, 0, 1, 0},
};

constexpr int kMaxPoints = 200;

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.txt\n", argv[0]);
        return 2;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(out, "# Alpha-beta curves the alpha search must reproduce (alpha within 1e-6).\n"
                      "# curve Th_C Tf_C Fv_percent homog CO2_percent N2_percent H2S_percent points\n"
                      "# then one line per point: alpha beta\n");
    for (const Inclusion& in : kInclusions) {
        CAlphaBetaModelInterface ab;
        ab.mTh = in.ThC + 273.15;
        ab.mTfv = in.TfC + 273.15;
        ab.mFv = in.FvPercent / 100.0;
        ab.mCO2 = in.co2 / 100.0;
        ab.mN2 = in.n2 / 100.0;
        ab.mH2S = in.h2s / 100.0;
        ab.mHomog = static_cast<char>(in.homog);
        std::vector<std::pair<double, double>> points;
        double a = 0, b = 0;
        if (ab.FirstAlphaBeta(&a, &b) == 0) {
            points.emplace_back(a, b);
            while (static_cast<int>(points.size()) < kMaxPoints) {
                const signed char r = ab.NextAlphaBeta(&a, &b);
                if (r == 0) points.emplace_back(a, b);
                if (r < 0) break;
            }
        }
        if (points.size() < 2) {
            std::fprintf(stderr, "no curve for Th %g, Fv %g: left out\n", in.ThC, in.FvPercent);
            continue;
        }
        std::fprintf(out, "curve %.10g %.10g %.10g %d %.10g %.10g %.10g %zu\n", in.ThC, in.TfC, in.FvPercent,
                     in.homog, in.co2, in.n2, in.h2s, points.size());
        for (const auto& [alpha, beta] : points)
            std::fprintf(out, "%.17g %.17g\n", alpha, beta);
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
