// SPDX-License-Identifier: BSD-3-Clause
// The committed background curves agree with the engine: points of an iso-GOR and of an
// iso-API curve have the curve's gas-oil ratio and API gravity.
#include "thermo/oil1.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

using namespace zephon::thermo;

namespace {

std::vector<std::pair<double, double>> read_curve(const std::string& name) {
    std::ifstream in(std::string(ZEPHON_RESOURCES_DIR) + "/" + name);
    std::vector<std::pair<double, double>> pts;
    double a = 0, b = 0;
    while (in >> a >> b)
        pts.emplace_back(a, b);
    return pts;
}

} // namespace

TEST(BackgroundCurves, PointsHaveTheirCurvesGasOilRatioAndGravity) {
    TableCubic liquid(2), vapour(1);
    Oil1 oil(liquid, vapour);
    for (const auto& [file, value, isGOR] :
         {std::tuple{"GOR.500.doc", 500.0, true}, std::tuple{"GOR.100.doc", 100.0, true},
          std::tuple{"API.30.0.doc", 30.0, false}}) {
        const auto pts = read_curve(file);
        ASSERT_GT(pts.size(), 20u) << file;
        for (std::size_t k = 0; k < pts.size(); k += 7) {
            oil.SetDistributionParameters(pts[k].first, pts[k].second, 0.0, 0.0, 0.0);
            oil.CalculateGOR();
            // Six decimals of alpha in the file bound what can be matched.
            EXPECT_NEAR((isGOR ? oil.mGOR : oil.mAPI) / value, 1.0, 2e-3) << file << " point " << k;
        }
    }
    std::ifstream index(std::string(ZEPHON_RESOURCES_DIR) + "/GORS.doc");
    double v = 0, x = 0, y = 0;
    int curves = 0;
    while (index >> v >> x >> y)
        ++curves;
    EXPECT_GE(curves, 10);
}
