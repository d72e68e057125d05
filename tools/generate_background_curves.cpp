// SPDX-License-Identifier: BSD-3-Clause
// Generates the background curves of the alpha-beta plot: lines of equal gas-oil ratio and
// of equal API gravity in the (alpha, beta) plane, for oils without N2, CO2 or H2S.
//
// For each beta from 0 upwards, alpha is solved so that the oil's gas-oil ratio (or API
// gravity) at standard conditions equals the curve's value: a secant solver bound to the oil
// model's GOR or API residual, started inside a bracket found on a coarse alpha grid.
//
// Output, in the folder given (the "Resources" folder installed beside the program):
//   GORS.doc, APIs.doc   one line per curve: value, then the x and y of its label anchor
//   GOR.<value %.0f>.doc, API.<value %.1f>.doc   one "alpha beta" pair per line
//
// Usage: generate_background_curves OUTPUT_FOLDER
#include "thermo/oil1.hpp"
#include "thermo/solver.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using namespace zephon::thermo;

namespace {

constexpr double kGORs[] = {50, 100, 150, 200, 300, 500, 750, 1000, 1500, 2000, 3000, 5000}; // Sm3/Sm3
constexpr double kAPIs[] = {15, 20, 25, 30, 35, 40, 45, 50, 55, 60};                         // degrees
constexpr double kAlphaMin = 0.25, kAlphaMax = 0.99, kAlphaGrid = 0.01;
constexpr double kBetaStep = 0.025, kBetaMax = 1.0;
constexpr short kGORSlot = 5, kAPISlot = 6; // the oil model's residual slots
// Between two betas a curve moves by a few hundredths of alpha at most; a larger move is a
// jump to another solution branch.
constexpr double kMaxAlphaJump = 0.08;

struct Family {
    const char* index;      // index file
    const char* fileFormat; // curve file name
    short slot;
    const double* values;
    std::size_t count;
};

struct GridPoint {
    double alpha, gor, api;
};

// GOR and API over the alpha grid at one beta; points where the oil does not split at
// standard conditions are left out.
std::vector<GridPoint> scan(Oil1& oil, double beta) {
    std::vector<GridPoint> grid;
    for (double a = kAlphaMin; a <= kAlphaMax + 1e-9; a += kAlphaGrid) {
        oil.SetDistributionParameters(a, beta, 0.0, 0.0, 0.0);
        oil.CalculateGOR();
        if (oil.mGOR > 0.0) grid.push_back({a, oil.mGOR, oil.mAPI});
    }
    return grid;
}

// Alpha where the residual of `slot` vanishes for `value` at this beta: among the grid
// brackets, the one nearest `previous` (the curve's alpha at the last beta; the first
// bracket when the curve has none), refined by the secant. NaN when the value is not
// reached at this beta.
double solve_alpha(Oil1& oil, double beta, const std::vector<GridPoint>& grid, short slot, double value,
                   double previous) {
    std::size_t best = 0;
    double bestDistance = 1e300;
    for (std::size_t k = 1; k < grid.size(); ++k) {
        const double f0 = (slot == kGORSlot ? grid[k - 1].gor : grid[k - 1].api) - value;
        const double f1 = (slot == kGORSlot ? grid[k].gor : grid[k].api) - value;
        if (f0 * f1 > 0.0) continue;
        const double distance = std::isfinite(previous) ? std::fabs(grid[k].alpha - previous) : 0.0;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = k;
        }
        if (!std::isfinite(previous)) break;
    }
    if (best == 0) return std::nan("");
    const GridPoint& lo = grid[best - 1];
    const GridPoint& hi = grid[best];
    const double f0 = (slot == kGORSlot ? lo.gor : lo.api) - value;
    const double f1 = (slot == kGORSlot ? hi.gor : hi.api) - value;
    oil.SetDistributionParameters(lo.alpha, beta, 0.0, 0.0, 0.0);
    if (slot == kGORSlot)
        oil.mGOR0 = value;
    else
        oil.mAPI0 = value;
    Secant secant;
    secant.set_equation(oil, slot);
    secant.x0 = lo.alpha;
    secant.x1 = hi.alpha;
    secant.epsilon = 1e-7;
    secant.itermax = 30;
    secant.boundsflag = 1;
    secant.min = lo.alpha - kAlphaGrid;
    secant.max = hi.alpha + kAlphaGrid;
    const double alpha = secant.solve();
    if (secant.errorflag == 0) return alpha;
    // The bracket itself is good to a hundredth: interpolate rather than drop the point.
    return lo.alpha + (hi.alpha - lo.alpha) * f0 / (f0 - f1);
}

// Adds the solution at this beta to a curve, which stays one continuous line: it ends for
// good where the value is no longer reached or the solution jumps to another branch.
void extend(std::vector<std::pair<double, double>>& curve, bool& ended, double alpha, double beta) {
    if (ended) return;
    if (!std::isfinite(alpha)) {
        ended = !curve.empty();
        return;
    }
    if (!curve.empty() && std::fabs(alpha - curve.back().first) > kMaxAlphaJump) {
        ended = true;
        return;
    }
    curve.emplace_back(alpha, beta);
}

bool write_family(const std::string& folder, const Family& family,
                  const std::vector<std::vector<std::pair<double, double>>>& curves) {
    std::FILE* index = std::fopen((folder + "/" + family.index).c_str(), "w");
    if (!index) return false;
    bool ok = true;
    for (std::size_t c = 0; c < family.count; ++c) {
        const auto& pts = curves[c];
        if (pts.size() < 2) continue;
        char name[64];
        std::snprintf(name, sizeof name, family.fileFormat, family.values[c]);
        std::FILE* f = std::fopen((folder + "/" + name).c_str(), "w");
        if (!f) return false;
        for (const auto& [alpha, beta] : pts)
            std::fprintf(f, "%.6f %.6f\n", alpha, beta);
        ok = std::fclose(f) == 0 && ok;
        // Label anchor: where the family's curves lie apart: the low end of the iso-GOR curves
        // (they gather at high beta; neighbours are staggered in height), the top end of the
        // iso-API curves.
        const std::size_t low = std::min<std::size_t>(2 + 4 * (c % 3), pts.size() - 1);
        const auto& anchor = family.slot == kGORSlot ? pts[low] : pts.back();
        std::fprintf(index, "%g %.4f %.4f\n", family.values[c], anchor.first, anchor.second);
    }
    return std::fclose(index) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const Family gor{"GORS.doc", "GOR.%.0lf.doc", kGORSlot, kGORs, std::size(kGORs)};
    const Family api{"APIs.doc", "API.%.1lf.doc", kAPISlot, kAPIs, std::size(kAPIs)};
    std::vector<std::vector<std::pair<double, double>>> gorCurves(std::size(kGORs)),
        apiCurves(std::size(kAPIs));

    TableCubic liquid(2), vapour(1);
    Oil1 oil(liquid, vapour);
    std::vector<char> gorEnded(std::size(kGORs), 0), apiEnded(std::size(kAPIs), 0);
    auto last = [](const std::vector<std::pair<double, double>>& c) {
        return c.empty() ? std::nan("") : c.back().first;
    };
    for (double beta = 0.0; beta <= kBetaMax + 1e-9; beta += kBetaStep) {
        const auto grid = scan(oil, beta);
        for (std::size_t c = 0; c < std::size(kGORs); ++c) {
            bool ended = gorEnded[c];
            extend(gorCurves[c], ended, solve_alpha(oil, beta, grid, kGORSlot, kGORs[c], last(gorCurves[c])),
                   beta);
            gorEnded[c] = ended;
        }
        for (std::size_t c = 0; c < std::size(kAPIs); ++c) {
            bool ended = apiEnded[c];
            extend(apiCurves[c], ended, solve_alpha(oil, beta, grid, kAPISlot, kAPIs[c], last(apiCurves[c])),
                   beta);
            apiEnded[c] = ended;
        }
    }
    if (!write_family(folder, gor, gorCurves) || !write_family(folder, api, apiCurves)) {
        std::fprintf(stderr, "cannot write the curve files into %s\n", folder.c_str());
        return 1;
    }
    for (std::size_t c = 0; c < std::size(kGORs); ++c)
        std::fprintf(stderr, "GOR %g: %zu points\n", kGORs[c], gorCurves[c].size());
    for (std::size_t c = 0; c < std::size(kAPIs); ++c)
        std::fprintf(stderr, "API %g: %zu points\n", kAPIs[c], apiCurves[c].size());
    return 0;
}
