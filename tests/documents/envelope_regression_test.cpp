// SPDX-License-Identifier: BSD-3-Clause
// Phase envelopes as the document computes them, point by point, against envelopes stored when
// their tracing was last reviewed: alpha-beta oils with and without gases, one running into a
// three-phase region, one without a dew branch, and two explicit fluid models read from their
// files. Making the engine faster must not move any point by more than 1e-6 (relative, T in K and
// P). Set ZEPHON_UPDATE_ENVELOPES=1 to rewrite the stored envelopes after a deliberate change.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "document_test_util.hpp"
#include "documents/phase_diag_document.hpp"

using namespace zephon::testing;

namespace {

struct EnvelopeCase {
    const char* name;
    double alpha, beta, co2, n2, h2s; // gases as mole fractions
    const char* fluidFile;            // an explicit fluid model instead, when not null
};

const EnvelopeCase kCases[] = {
    {"a0.5_b0", 0.5, 0.0, 0, 0, 0, nullptr},
    {"a0.6_b0.3_co2_5_n2_2", 0.6, 0.3, 0.05, 0.02, 0, nullptr},
    {"a0.7_b0.2", 0.7, 0.2, 0, 0, 0, nullptr},
    {"a0.8_b0.2", 0.8, 0.2, 0, 0, 0, nullptr},
    {"a0.4_b0", 0.4, 0.0, 0, 0, 0, nullptr},
    {"a0.65_b0.1_co2_10_n2_5_h2s_3", 0.65, 0.1, 0.10, 0.05, 0.03, nullptr},
    {"a0.3_b0.3_three_phase", 0.3, 0.3, 0, 0, 0, nullptr},
    {"a0.95_b0.1_co2_70", 0.95, 0.1, 0.70, 0, 0, nullptr},
    {"fluid8", 0, 0, 0, 0, 0, ZEPHON_REFERENCE_DIR "/fluid8.flu"},
    {"fluid_model", 0, 0, 0, 0, 0, ZEPHON_EXAMPLES_DIR "/fluid_model.flu"},
};

constexpr double kKelvin = 273.15;

// One line per point: case, branch (L bubble side, V dew side), skip flag, T (C), P (bar).
std::string Trace(const EnvelopeCase& c) {
    FakeApplicationServices services;
    CPhaseDiagDocument document(services);
    CFluidModelDataDocument fluid(services);
    CPhaseDiagram* diagram = nullptr;
    if (c.fluidFile) {
        if (!fluid.OnOpenDocument(c.fluidFile)) return "unreadable " + std::string(c.fluidFile) + "\n";
        diagram = document.CalculateImmiscibilityLoop(0, 0, 0, 0, 0, 0, &fluid.mModelFluid, "");
    } else {
        diagram = document.CalculateImmiscibilityLoop(1, c.alpha, c.beta, c.co2, c.n2, c.h2s, nullptr, "");
    }
    std::ostringstream out;
    if (!diagram) return out.str();
    for (const auto* branch : {diagram->mLiquidIsopleth.get(), diagram->mVapourIsopleth.get()}) {
        if (!branch) continue;
        for (const CIsoplethPoint* p : branch->mList) {
            char line[160];
            std::snprintf(line, sizeof line, "%s,%c,%d,%.12g,%.12g\n", c.name,
                          branch->mState == 1 ? 'L' : 'V', p->mSkip, p->mT, p->mP);
            out << line;
        }
    }
    return out.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') lines.push_back(line);
    return lines;
}

struct Row {
    std::string key; // case, branch and skip flag
    double T = 0, P = 0;
};

Row Parse(const std::string& line) {
    Row row;
    const auto third = line.find(',', line.find(',', line.find(',') + 1) + 1);
    row.key = line.substr(0, third);
    std::sscanf(line.c_str() + third + 1, "%lf,%lf", &row.T, &row.P);
    return row;
}

} // namespace

TEST(EnvelopeRegression, EveryStoredPointIsTracedAgainWithin1e6) {
    std::string traced = "# case,branch,skip,T (C),P (bar)\n";
    for (const EnvelopeCase& c : kCases)
        traced += Trace(c);
    const std::filesystem::path path = std::filesystem::path(ZEPHON_DOCUMENTS_GOLDEN_DIR) / "envelopes.csv";
    if (std::getenv("ZEPHON_UPDATE_ENVELOPES") != nullptr) WriteText(path, traced);
    ASSERT_TRUE(std::filesystem::exists(path)) << "no stored envelopes " << path;

    const std::vector<std::string> stored = Lines(ReadText(path));
    const std::vector<std::string> now = Lines(traced);
    ASSERT_EQ(now.size(), stored.size()) << "a different number of envelope points";
    double worst = 0.0;
    for (std::size_t k = 0; k < now.size(); ++k) {
        const Row a = Parse(now[k]), b = Parse(stored[k]);
        ASSERT_EQ(a.key, b.key) << "point " << k;
        const double dT = std::fabs((a.T + kKelvin) / (b.T + kKelvin) - 1.0);
        const double dP = std::fabs(a.P / b.P - 1.0);
        worst = std::max({worst, dT, dP});
        EXPECT_LE(dT, 1e-6) << now[k] << " stored " << stored[k];
        EXPECT_LE(dP, 1e-6) << now[k] << " stored " << stored[k];
    }
    RecordProperty("largest_relative_difference", std::to_string(worst));
    std::printf("largest relative difference from the stored envelopes: %.3g\n", worst);
}
