// SPDX-License-Identifier: BSD-3-Clause
// The sweep of inclusions made from known oils: for each oil of a grid (alpha, beta, gases) and
// each homogenisation temperature, the inclusion it makes (bubble at 20 C after cooling at
// constant molar volume) is given to the alpha search, and the curve traced from it must pass
// through the oil: alpha within 0.002 at the oil's beta. Every curve point up to the oil's beta
// is checked independently (the oil of that point reproduces the bubble to 1e-4).
//
// Usage: known_oil_sweep [--liquid] [--vapour] [--near-cricondentherm] [--jobs N] [--no-check]
// [--points] (every family without options). Prints one line per inclusion that is not recovered
// and a summary per family: recovered, not recovered by reason, flashes per curve point; with
// --points also every curve's points and end code.
#include "known_oil_inclusions.hpp"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using namespace zephon::testing;

namespace {

constexpr double kRoom = 293.15;
constexpr double kAlphaTolerance = 0.002;

struct Case {
    KnownOil oil;
    OilInclusion inclusion;
};

struct Outcome {
    bool recovered = false;
    bool checked = true; // every curve point up to the oil's beta reproduces the bubble
    std::string why;
    long points = 0, flashes = 0, firstPointFlashes = 0;
    double firstBeta = 0.0; // where the curve starts
    TracedCurve curve;
};

const std::vector<KnownOil> kGases = {
    {0, 0, 0, 0, 0}, {0, 0, 0.03, 0, 0}, {0, 0, 0, 0.01, 0}, {0, 0, 0, 0, 0.02}, {0, 0, 0.02, 0.005, 0}};

std::vector<Case> liquid_cases() {
    std::vector<Case> cases;
    for (double alpha : {0.5, 0.6, 0.7, 0.8, 0.9})
        for (double beta : {0.0, 0.1, 0.2, 0.3, 0.45})
            for (double ThC : {60.0, 100.0, 140.0})
                for (KnownOil gases : kGases) {
                    gases.alpha = alpha, gases.beta = beta;
                    for (const OilInclusion& inc : inclusions_of(gases, ThC + 273.15, 1, kRoom))
                        cases.push_back({gases, inc});
                }
    return cases;
}

std::vector<Case> vapour_cases() {
    std::vector<Case> cases;
    for (double alpha : {0.35, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9})
        for (double beta : {0.0, 0.2, 0.4})
            for (double ThC : {80.0, 130.0, 180.0, 230.0, 280.0, 330.0, 380.0, 430.0, 480.0})
                for (std::size_t g : {0u, 4u}) {
                    KnownOil oil = kGases[g];
                    oil.alpha = alpha, oil.beta = beta;
                    for (const OilInclusion& inc : inclusions_of(oil, ThC + 273.15, 0, kRoom))
                        if (inc.Fv >= 0.5 && inc.Fv <= 0.999) cases.push_back({oil, inc});
                }
    return cases;
}

// Vapour inclusions within 15 K of their oil's cricondentherm with bubbles of 60 to 95 %, where
// the upper dew points of heavy oils exist over a window of alpha narrower than the scan's grid.
std::vector<Case> near_cricondentherm_cases() {
    std::vector<Case> cases;
    for (double alpha : {0.4, 0.5, 0.6, 0.7, 0.8, 0.85, 0.9})
        for (double beta : {0.0, 0.1, 0.2, 0.4})
            for (std::size_t g : {0u, 4u}) {
                KnownOil oil = kGases[g];
                oil.alpha = alpha, oil.beta = beta;
                const double cricondentherm = cricondentherm_of(oil);
                if (cricondentherm <= 0) continue;
                for (double below : {0.5, 2.0, 5.0, 10.0, 15.0})
                    for (const OilInclusion& inc : inclusions_of(oil, cricondentherm - below, 0, kRoom))
                        if (inc.Fv >= 0.6 && inc.Fv <= 0.95) cases.push_back({oil, inc});
            }
    return cases;
}

Outcome run(const Case& c, bool check) {
    Outcome out;
    const TracedCurve& curve = out.curve = trace_curve(c.inclusion, c.oil, c.oil.beta + 0.05);
    out.points = static_cast<long>(curve.points.size());
    out.flashes = curve.flashes;
    out.firstPointFlashes = curve.firstPointFlashes;
    if (!curve.points.empty()) out.firstBeta = curve.points.front().second;
    const double alpha = alpha_at(curve, c.oil.beta);
    char text[160];
    if (curve.points.empty()) {
        std::snprintf(text, sizeof text, "no first point (code %d)", curve.code);
        out.why = text;
        return out;
    }
    if (!std::isfinite(alpha)) {
        std::snprintf(text, sizeof text, "curve ends at beta %.3f (code %d)", curve.points.back().second,
                      curve.code);
        out.why = text;
        return out;
    }
    if (std::fabs(alpha - c.oil.alpha) > kAlphaTolerance) {
        std::snprintf(text, sizeof text, "curve passes alpha %.4f at the oil's beta", alpha);
        out.why = text;
        return out;
    }
    out.recovered = true;
    if (!check) return out;
    for (const auto& [a, b] : curve.points) {
        if (b > c.oil.beta + 0.05) break;
        KnownOil point = c.oil;
        point.alpha = a, point.beta = b;
        if (!oil_reproduces(point, c.inclusion)) {
            out.checked = false;
            std::snprintf(text, sizeof text, "point (%.5f, %.4f) does not reproduce the bubble", a, b);
            out.why = text;
        }
    }
    return out;
}

void sweep(const char* family, const std::vector<Case>& cases, int jobs, bool check, bool printPoints) {
    std::vector<Outcome> outcomes(cases.size());
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < cases.size();)
            outcomes[i] = run(cases[i], check);
    };
    std::vector<std::thread> threads;
    for (int k = 0; k < jobs; ++k)
        threads.emplace_back(work);
    for (auto& t : threads)
        t.join();

    std::size_t recovered = 0, unchecked = 0, aboveZero = 0;
    long points = 0, flashes = 0;
    std::vector<long> first;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const Outcome& o = outcomes[i];
        recovered += o.recovered;
        unchecked += o.recovered && !o.checked;
        points += o.points;
        flashes += o.flashes - o.firstPointFlashes;
        first.push_back(o.firstPointFlashes);
        aboveZero += o.firstBeta > 0.0;
        if (printPoints) {
            std::printf("%s %zu: end code %d\n", family, i, o.curve.code);
            for (const auto& [a, b] : o.curve.points)
                std::printf("  %.17g %.17g\n", a, b);
        }
        if (o.recovered && o.checked) continue;
        std::printf("%s alpha %.2f beta %.2f CO2 %.3f N2 %.3f H2S %.3f Th %.0f C%s Fv %.4f: %s (%ld flashes "
                    "for the first point)\n",
                    family, c.oil.alpha, c.oil.beta, c.oil.co2, c.oil.n2, c.oil.h2s, c.inclusion.Th - 273.15,
                    c.inclusion.upperDew ? " (upper dew)" : "", c.inclusion.Fv, o.why.c_str(),
                    o.firstPointFlashes);
    }
    std::sort(first.begin(), first.end());
    const long afterFirst = points - static_cast<long>(cases.size());
    std::printf(
        "%s: %zu inclusions, %zu recovered (%.1f %%), %zu with a point that fails the check, %zu curves "
        "starting above beta = 0\n"
        "  %.1f flashes per curve point after the first; first point (scans included): median %ld, "
        "90th percentile %ld, largest %ld flashes\n",
        family, cases.size(), recovered,
        100.0 * static_cast<double>(recovered) / static_cast<double>(std::max<std::size_t>(1, cases.size())),
        unchecked, aboveZero,
        afterFirst > 0 ? static_cast<double>(flashes) / static_cast<double>(afterFirst) : 0.0,
        first.empty() ? 0L : first[first.size() / 2], first.empty() ? 0L : first[first.size() * 9 / 10],
        first.empty() ? 0L : first.back());
}

} // namespace

int main(int argc, char** argv) {
    bool liquid = false, vapour = false, nearCricondentherm = false, check = true, points = false;
    int jobs = 1;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--liquid"))
            liquid = true;
        else if (!std::strcmp(argv[i], "--vapour"))
            vapour = true;
        else if (!std::strcmp(argv[i], "--near-cricondentherm"))
            nearCricondentherm = true;
        else if (!std::strcmp(argv[i], "--no-check"))
            check = false;
        else if (!std::strcmp(argv[i], "--points"))
            points = true;
        else if (!std::strcmp(argv[i], "--jobs") && i + 1 < argc)
            jobs = std::max(1, std::atoi(argv[++i]));
        else {
            std::fprintf(stderr,
                         "usage: %s [--liquid] [--vapour] [--near-cricondentherm] [--jobs N] [--no-check] "
                         "[--points]\n",
                         argv[0]);
            return 2;
        }
    }
    if (!liquid && !vapour && !nearCricondentherm) liquid = vapour = nearCricondentherm = true;
    if (liquid) sweep("liquid", liquid_cases(), jobs, check, points);
    if (vapour) sweep("vapour", vapour_cases(), jobs, check, points);
    if (nearCricondentherm)
        sweep("near the cricondentherm", near_cricondentherm_cases(), jobs, check, points);
    return 0;
}
