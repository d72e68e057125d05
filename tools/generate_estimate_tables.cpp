// SPDX-License-Identifier: BSD-3-Clause
// Generates src/thermo/estimate_tables.cpp: for each tabulated alpha (beta 0, no N2, CO2 or
// H2S), seven bubble-point states and seven dew-point states of the oil, each with its
// homogenisation temperature and pressure, the incipient phase's composition and the vapour
// volume fraction the inclusion shows at the room reference temperature.
//
// Room reference temperature: 20 degrees Celsius. With it the regenerated states reproduce
// the tabulated rows known from earlier versions of the tables (pressures to 6 digits,
// vapour fractions to about 0.1 percentage point); 15 and 25 degrees do clearly worse.
//
// The vapour fraction at room temperature follows the inclusion: the homogeneous fluid's
// molar volume at Th is kept while the inclusion cools, along its isochore, to 20 C.
//
// Usage: generate_estimate_tables OUTPUT.cpp
#include "thermo/estimate_tables.hpp"
#include "thermo/oil1.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace zephon::thermo;

namespace {

constexpr double kRoomTemperature = 293.15; // K
constexpr double kNoBubble = -1e-30;
constexpr double kAlphas[8] = {0.35, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 0.95};
// Vapour fractions (percent) the rows aim at: inclusions that homogenise into the liquid
// show small to medium bubbles; those that homogenise into the vapour, large ones.
// The last liquid target is raised to 60 % where the oil's bubble curve reaches it.
constexpr double kLiquidTargets[6] = {2.0, 5.0, 10.0, 20.0, 35.0, 60.0};
constexpr double kVapourTargets[7] = {99.9, 99.0, 97.0, 94.0, 90.0, 85.0, 80.0};

struct State {
    double T = 0, P = 0, Nv = 0;
    std::vector<double> x, y;
};

State capture(const Oil1& oil) {
    return {oil.T, oil.P, oil.Nv, oil.x, oil.y};
}

void load(Oil1& oil, const State& s) {
    oil.temperature(s.T);
    oil.pressure(s.P / 1e5);
    oil.vaporization_ratio(s.Nv);
    for (short i = 0; i < oil.N; ++i) {
        oil.xcomposition(i, s.x[i]);
        oil.ycomposition(i, s.y[i]);
    }
}

// The saturation state at T, started from a nearby state of the same branch.
bool saturation_from(Oil1& oil, const State& near, double T, bool bubble) {
    if (near.x.size() != static_cast<std::size_t>(oil.N)) return false;
    load(oil, near);
    oil.set_type_of_problem(13);
    oil.set_the_temperature(T);
    oil.set_the_vaporization_ratio(bubble ? 0.0 : 1.0);
    oil.set_initialization_flag(1);
    oil.calculateVLE();
    return oil.errorflag == 0;
}

// The whole branch of the envelope, traced from the oil's first point upwards in temperature.
std::vector<State> trace_branch(Oil1& oil, bool bubble) {
    std::vector<State> states;
    double T = 0, P = 0;
    char error = 0, gas = 0;
    if (bubble)
        oil.FirstLiquidIsoplethPoint(T, P, error, gas);
    else
        oil.FirstGasIsoplethPoint(T, P, error);
    if (error != 0) return states;
    states.push_back(capture(oil));
    double lambda = 1.0;
    for (int k = 0; k < 400; ++k) {
        oil.save();
        oil.set_initialization_flag(0);
        oil.estimateNextIsoplethPoint(lambda, 10.0, 500000.0);
        oil.calculateVLE();
        if (oil.errorflag != 0) {
            oil.restore();
            lambda /= 2.0;
            if (lambda < 0.01) break;
            continue;
        }
        lambda = std::min(1.0, lambda * 1.2);
        states.push_back(capture(oil));
        if (oil.P > 2000e5) break;
    }
    return states;
}

// Vapour volume fraction (percent) at the room temperature of an inclusion whose fluid is
// the saturated homogeneous phase of the current state; NaN when it cannot be followed.
double room_fraction(Oil1& oil, bool bubble) {
    const double Th = oil.T;
    if (Th <= kRoomTemperature) return kNoBubble;
    const double V = bubble ? oil.liquid->V : oil.vapour->V;
    oil.save();
    oil.gradeflag = 0;
    double lambda = 1.0;
    for (int k = 0; k < 400 && oil.T > kRoomTemperature + 10.5; ++k) {
        oil.set_type_of_problem(14);
        oil.set_the_volume(V);
        oil.set_initialization_flag(0);
        oil.estimateNextIsochorPoint(lambda, -10.0);
        oil.calculateVLE();
        if (oil.errorflag != 0) {
            oil.restore();
            lambda /= 2.0;
            if (lambda < 1e-3) return std::nan("");
            continue;
        }
        oil.save();
        lambda = std::min(1.0, lambda * 1.2);
    }
    oil.set_type_of_problem(14);
    oil.set_the_temperature(kRoomTemperature);
    oil.set_the_volume(V);
    oil.set_initialization_flag(1);
    oil.calculateVLE();
    if (oil.errorflag != 0) return std::nan("");
    return 100.0 * oil.Fvv;
}

struct Row {
    OilStateRecord record{};
    bool ok = false;
};

// The saturation state at T with its room-temperature vapour fraction.
Row row_at(Oil1& oil, const std::vector<State>& branch, double T, bool bubble) {
    Row row;
    static const State kNone{};
    const State* near = branch.empty() ? &kNone : &branch.front();
    for (const State& s : branch)
        if (std::fabs(s.T - T) < std::fabs(near->T - T)) near = &s;
    if (!saturation_from(oil, *near, T, bubble)) {
        // Outside the traced part of the branch: from the ideal-mixture start instead.
        oil.set_type_of_problem(13);
        oil.set_the_temperature(T);
        oil.set_the_vaporization_ratio(bubble ? 0.0 : 1.0);
        oil.set_initialization_flag(2);
        oil.calculateVLE();
        if (oil.errorflag != 0) return row;
    }
    row.record.mT = oil.T;
    row.record.mP = oil.P;
    for (short i = 0; i < 17; ++i)
        row.record.x[i] = bubble ? oil.y[i] : oil.x[i];
    const double fv = room_fraction(oil, bubble);
    if (!std::isfinite(fv)) return row;
    row.record.mFv = fv;
    row.ok = true;
    return row;
}

// Temperature where the room vapour fraction crosses `target`, by bisection between two
// branch temperatures whose fractions bracket it.
Row row_for_fraction(Oil1& oil, const std::vector<State>& branch, double Tlow, double Thigh, double target,
                     bool bubble) {
    Row low = row_at(oil, branch, Tlow, bubble), high = row_at(oil, branch, Thigh, bubble);
    if (!low.ok || !high.ok) return low.ok ? low : high;
    for (int k = 0; k < 30; ++k) {
        const double Tm = 0.5 * (low.record.mT + high.record.mT);
        Row mid = row_at(oil, branch, Tm, bubble);
        if (!mid.ok) break;
        if (std::fabs(mid.record.mFv - target) < 0.02) return mid;
        if ((mid.record.mFv < target) == (low.record.mFv < target))
            low = mid;
        else
            high = mid;
    }
    return std::fabs(low.record.mFv - target) < std::fabs(high.record.mFv - target) ? low : high;
}

// Seven rows of one branch: ordered so that the vapour fraction grows (bubble points) or
// shrinks (dew points) along the table.
std::array<OilStateRecord, 7> build_branch(Oil1& oil, bool bubble) {
    std::array<OilStateRecord, 7> rows{};
    const std::vector<State> branch = trace_branch(oil, bubble);
    // Room fractions along the branch, to bracket each target.
    std::vector<std::pair<double, double>> profile; // (T, fraction)
    // An inclusion homogenising at room temperature has no bubble there: the profile of a
    // bubble-point branch starts from nothing.
    if (bubble) profile.emplace_back(kRoomTemperature, 0.0);
    for (const State& s : branch) {
        if (s.T <= kRoomTemperature) continue;
        Row r = row_at(oil, branch, s.T, bubble);
        if (r.ok) profile.emplace_back(r.record.mT, r.record.mFv);
    }
    std::vector<OilStateRecord> chosen;
    if (bubble) {
        // First row: an inclusion that homogenises below room temperature has no bubble there.
        Row cold = row_at(oil, branch, kRoomTemperature - 10.0, bubble);
        if (cold.ok || cold.record.mT > 0) {
            cold.record.mFv = kNoBubble;
            chosen.push_back(cold.record);
        }
    }
    std::vector<double> targets(bubble ? kLiquidTargets : kVapourTargets,
                                (bubble ? kLiquidTargets : kVapourTargets) + (bubble ? 6 : 7));
    if (bubble && !profile.empty()) {
        double reach = 0.0;
        for (const auto& p : profile)
            reach = std::max(reach, p.second);
        targets.back() = std::max(targets[targets.size() - 2] + 5.0, std::min(targets.back(), 0.98 * reach));
    }
    for (double target : targets) {
        for (std::size_t k = 1; k < profile.size(); ++k) {
            const double f0 = profile[k - 1].second, f1 = profile[k].second;
            if ((f0 - target) * (f1 - target) <= 0.0) {
                Row r = row_for_fraction(oil, branch, profile[k - 1].first, profile[k].first, target, bubble);
                if (r.ok) chosen.push_back(r.record);
                break;
            }
        }
    }
    // Keep the fractions strictly ordered, and fill a short branch with its last state.
    std::vector<OilStateRecord> ordered;
    for (const auto& r : chosen)
        if (ordered.empty() || (bubble ? r.mFv > ordered.back().mFv : r.mFv < ordered.back().mFv))
            ordered.push_back(r);
    if (ordered.empty() && !profile.empty())
        ordered.push_back(row_at(oil, branch, profile.front().first, bubble).record);
    for (std::size_t k = 0; k < 7; ++k)
        rows[k] = ordered.empty() ? OilStateRecord{} : ordered[std::min(k, ordered.size() - 1)];
    return rows;
}

// Rows of earlier versions of the tables, to compare the regenerated states with.
struct KnownRow {
    double alpha;
    bool bubble;
    int row;
    double T, P, Fv;
    int component; // the incipient phase's largest fraction
    double fraction;
};
constexpr KnownRow kKnownRows[] = {
    {0.35, true, 4, 303.15, 2.01864e7, 36.58, 3, 0.7664},
    {0.35, true, 6, 323.15, 2.09379e7, 52.67, 3, 0.7294},
    {0.35, false, 0, 328.15, 126111, 99.94, 11, 0.2313},
    {0.5, true, 2, 312.853, 1.45497e7, 8.52, 3, 0.8339},
    {0.95, true, 6, 926.65, 5.67427e6, 68.53, 15, 0.3548},
    {0.95, false, 0, 373.15, 0.000155, 100.0, 16, 1.0},
};

void compare_known_rows() {
    std::fprintf(stderr, "%-6s %-6s %9s | %13s %13s %9s | %9s %9s %8s | %8s %8s\n", "alpha", "branch",
                 "T (K)", "P (Pa)", "known P", "rel diff", "Fv (%)", "known Fv", "diff", "x_max", "known");
    for (const KnownRow& k : kKnownRows) {
        TableCubic liquid(2), vapour(1);
        Oil1 oil(liquid, vapour);
        oil.SetDistributionParameters(k.alpha, 0.0, 0.0, 0.0, 0.0);
        const std::vector<State> branch = trace_branch(oil, k.bubble);
        Row r = row_at(oil, branch, k.T, k.bubble);
        if (r.record.mT == 0.0) {
            std::fprintf(stderr, "%-6.2f %-6s %9.3f | no saturation state found by the engine\n", k.alpha,
                         k.bubble ? "liquid" : "vapour", k.T);
            continue;
        }
        std::fprintf(stderr, "%-6.2f %-6s %9.3f | %13.6g %13.6g %9.2e | %9.4f %9.2f %+8.4f | %8.4f %8.4f\n",
                     k.alpha, k.bubble ? "liquid" : "vapour", k.T, r.record.mP, k.P, r.record.mP / k.P - 1.0,
                     r.ok ? r.record.mFv : std::nan(""), k.Fv, (r.ok ? r.record.mFv : std::nan("")) - k.Fv,
                     r.record.x[k.component], k.fraction);
    }
}

void print_state(std::FILE* out, const OilStateRecord& s) {
    std::fprintf(out, "        {%.17g, %.17g, %.17g, {", s.mT, s.mP, s.mFv);
    for (int i = 0; i < 17; ++i)
        std::fprintf(out, "%s%.17g", i ? ", " : "", s.x[i]);
    std::fprintf(out, "}},\n");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.cpp\n", argv[0]);
        return 2;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 2;
    }
    std::fprintf(out, "// Generated by tools/generate_estimate_tables.cpp: do not edit.\n"
                      "#include \"thermo/estimate_tables.hpp\"\n\nnamespace zephon::thermo {\n\n"
                      "const std::array<OilRecord, 8> kEstimateTables = {{\n");
    for (double alpha : kAlphas) {
        TableCubic liquid(2), vapour(1);
        Oil1 oil(liquid, vapour);
        oil.SetDistributionParameters(alpha, 0.0, 0.0, 0.0, 0.0);
        const auto bubbles = build_branch(oil, true);
        oil.SetDistributionParameters(alpha, 0.0, 0.0, 0.0, 0.0);
        const auto dews = build_branch(oil, false);
        std::fprintf(out, "    {%.17g, 0.0,\n     {{\n", alpha);
        for (const auto& s : bubbles)
            print_state(out, s);
        std::fprintf(out, "     }},\n     {{\n");
        for (const auto& s : dews)
            print_state(out, s);
        std::fprintf(out, "     }}},\n");
        std::fprintf(
            stderr,
            "alpha %.2f: bubble Th %.1f..%.1f K (Fv %.2f..%.2f %%), dew Th %.1f..%.1f K (Fv %.2f..%.2f %%)\n",
            alpha, bubbles.front().mT, bubbles.back().mT, bubbles.front().mFv, bubbles.back().mFv,
            dews.front().mT, dews.back().mT, dews.front().mFv, dews.back().mFv);
    }
    std::fprintf(out, "}};\n\n} // namespace zephon::thermo\n");
    compare_known_rows();
    return std::fclose(out) == 0 ? 0 : 1;
}
