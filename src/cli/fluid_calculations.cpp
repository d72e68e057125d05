// SPDX-License-Identifier: BSD-3-Clause
#include "cli/fluid_calculations.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "cli/document_io.hpp"
#include "cli/terminal_services.hpp"
#include "thermo/envelope_saturation.hpp"

namespace zephon::cli {

namespace {

constexpr double kKelvin = 273.15;
constexpr double kAbsoluteZero = -273.15;

std::string Format(const char* format, double a, double b) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, a, b);
    return buffer;
}

std::string Format(const char* format, double a) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, a);
    return buffer;
}

} // namespace

CFluidSpec CFluidSpec::AlphaBeta(double alpha, double beta, double co2, double n2, double h2s) {
    CFluidSpec spec;
    spec.alpha = alpha, spec.beta = beta, spec.co2 = co2, spec.n2 = n2, spec.h2s = h2s;
    return spec;
}

CFluidSpec CFluidSpec::ModelFluid(std::shared_ptr<CModelFluid> fluid, std::string source) {
    CFluidSpec spec;
    spec.isModelFluid = true;
    spec.fluid = std::move(fluid);
    spec.source = std::move(source);
    return spec;
}

std::string CFluidSpec::Describe() const {
    if (isModelFluid) return "fluid model " + (fluid ? fluid->mName : std::string("?"));
    std::string text = Format("alpha %.4g beta %.4g", alpha, beta);
    if (co2 != 0 || n2 != 0 || h2s != 0) {
        char buffer[128];
        std::snprintf(buffer, sizeof buffer, " (CO2 %.4g %%, N2 %.4g %%, H2S %.4g %%)", co2, n2, h2s);
        text += buffer;
    }
    return text;
}

void AddFluidOptions(COptionSpec& spec) {
    spec.values.insert({"--alpha", "--beta", "--co2", "--n2", "--h2s", "--fluid"});
}

void CheckAlphaBeta(const std::string& command, double alpha, double beta, double co2, double n2,
                    double h2s) {
    const std::pair<const char*, double> values[] = {
        {"alpha", alpha}, {"beta", beta}, {"CO2", co2}, {"N2", n2}, {"H2S", h2s}};
    for (const auto& [label, value] : values)
        if (!std::isfinite(value)) throw UsageError(command + ": " + label + " is not a number");
    if (!(alpha > 0 && alpha <= 2)) throw UsageError(command + ": alpha must lie in (0, 2]");
    if (!(beta >= 0 && beta <= 1)) throw UsageError(command + ": beta must lie in [0, 1]");
    for (double gas : {co2, n2, h2s})
        if (!(gas >= 0 && gas < 100))
            throw UsageError(command + ": gas contents are mole percents from 0 to 100");
    if (co2 + n2 + h2s >= 100) throw UsageError(command + ": the gas contents add up to 100 % or more");
}

void CheckTemperature(const std::string& command, const std::string& option, double celsius) {
    if (!std::isfinite(celsius)) throw UsageError(command + ": " + option + " is not a number");
    if (!(celsius > kAbsoluteZero && celsius < 2000))
        throw UsageError(command + ": " + option + " must be a temperature in degrees Celsius above -273.15");
}

CFluidSpec FluidFromOptions(const CCommandLine& line, CTerminalServices& services) {
    const std::string& command = line.Command();
    const bool byAlphaBeta = line.Has("--alpha") || line.Has("--beta");
    const bool byGases = line.Has("--co2") || line.Has("--n2") || line.Has("--h2s");
    if (line.Has("--fluid")) {
        if (byAlphaBeta || byGases)
            throw UsageError(command + ": give either --fluid FILE.flu or --alpha/--beta, not both");
        const std::string path = line.RequiredText("--fluid");
        auto document = OpenFluidModel(path, services);
        return CFluidSpec::ModelFluid(std::make_shared<CModelFluid>(document->mModelFluid), path);
    }
    if (!byAlphaBeta)
        throw UsageError(command +
                         ": choose a fluid with --alpha A --beta B [--co2 P] [--n2 P] [--h2s P] or --fluid "
                         "FILE.flu");
    CFluidSpec spec =
        CFluidSpec::AlphaBeta(line.RequiredNumber("--alpha"), line.RequiredNumber("--beta"),
                              line.NumberOr("--co2", 0), line.NumberOr("--n2", 0), line.NumberOr("--h2s", 0));
    CheckAlphaBeta(command, spec.alpha, spec.beta, spec.co2, spec.n2, spec.h2s);
    return spec;
}

std::vector<thermo::ModelFluidComponent> ComponentsOf(const CModelFluid& fluid) {
    std::vector<thermo::ModelFluidComponent> components;
    for (const CCompositionRecordEx* record : fluid.mList) {
        thermo::ModelFluidComponent c;
        c.name = record->mComponentName;
        c.Tc = record->mTc;
        c.Pc = record->mPc;
        c.omega = record->mOmega;
        c.Mw = record->mMw;
        c.Vc = record->mVc;
        c.Ct = record->mCt;
        c.molePercent = record->mMolePercent;
        components.push_back(std::move(c));
    }
    return components;
}

std::unique_ptr<thermo::CCalculationInterface> MakeCalculation(const CFluidSpec& fluid) {
    if (fluid.isModelFluid) {
        auto calculation = std::make_unique<thermo::CCalculationInterface>(0);
        const std::string where = fluid.source.empty() ? "fluid model " + fluid.fluid->mName : fluid.source;
        if (fluid.fluid->Count() == 0) throw UsageError(where + ": the fluid model has no components");
        double total = 0;
        for (const CCompositionRecordEx* record : fluid.fluid->mList) {
            const std::pair<const char*, double> values[] = {{"mole percent", record->mMolePercent},
                                                             {"Tc", record->mTc},
                                                             {"Pc", record->mPc},
                                                             {"omega", record->mOmega},
                                                             {"Mw", record->mMw},
                                                             {"Vc", record->mVc},
                                                             {"Ct", record->mCt}};
            for (const auto& [label, value] : values)
                if (!std::isfinite(value))
                    throw UsageError(where + ": component " + record->mComponentName + ": " + label +
                                     " is not a number");
            if (!(record->mMolePercent >= 0))
                throw UsageError(where + ": component " + record->mComponentName +
                                 " has a negative mole percent");
            total += record->mMolePercent;
        }
        if (!(total > 0)) throw UsageError(where + ": the mole percents of the fluid model add up to 0");
        if (!calculation->SetModelFluid(ComponentsOf(*fluid.fluid)))
            throw UsageError(where +
                             ": a component's constants cannot make an equation of state (Tc and Pc must be "
                             "positive)");
        return calculation;
    }
    auto calculation = std::make_unique<thermo::CCalculationInterface>(1);
    calculation->mAlpha = fluid.alpha;
    calculation->mBeta = fluid.beta;
    calculation->mCO2 = fluid.co2 / 100.0;
    calculation->mN2 = fluid.n2 / 100.0;
    calculation->mH2S = fluid.h2s / 100.0;
    calculation->Finalize();
    return calculation;
}

CSaturationPoint CalculateSaturation(const CFluidSpec& fluid, double celsius, bool bubble) {
    auto calculation = MakeCalculation(fluid);
    thermo::Oil& oil = calculation->system();
    // Near the critical point the start from the ideal mixture is too far off; the envelope,
    // traced point by point, leads to the temperature then.
    if (!thermo::saturation_point_at(calculation->system(), celsius + kKelvin, bubble))
        throw CalculationError(
            std::string("no ") + (bubble ? "bubble" : "dew") + " point found at " +
            Format("%.2f C", celsius) +
            ": the calculation did not converge (the temperature may lie outside the phase "
            "envelope)");
    CSaturationPoint point;
    point.T = oil.T - kKelvin;
    point.P = oil.P / 100000.0;
    point.bubble = bubble;
    const std::vector<double>& incipient = bubble ? oil.y : oil.x;
    for (short i = 0; i < oil.N; ++i) {
        std::string name =
            i < static_cast<short>(oil.component.size()) ? oil.component[i] : std::to_string(i);
        // A fluid model may list a component twice; each entry keeps a name of its own.
        const std::string base = name;
        for (int copy = 2; std::any_of(point.incipient.begin(), point.incipient.end(),
                                       [&](const auto& entry) { return entry.first == name; });
             ++copy)
            name = base + " (" + std::to_string(copy) + ")";
        // A component the fluid does not hold has none in the incipient phase either (the
        // solve leaves round-off there, which would print as -0.000000).
        point.incipient.emplace_back(name, oil.z[i] > 0.0 ? 100.0 * incipient[i] : 0.0);
    }
    point.liquidVolume = oil.liquid->V * 1e6;
    point.vapourVolume = oil.vapour->V * 1e6;
    return point;
}

CStandardConditions CalculateStandardConditions(const CFluidSpec& fluid) {
    auto calculation = MakeCalculation(fluid);
    calculation->CalculateGOR();
    if (calculation->system().errorflag != 0 || !(calculation->mLiqMolarWeight > 0))
        throw CalculationError(
            "the fluid does not split into gas and stock-tank liquid at 15 C and 1 bar: no GOR "
            "or API gravity");
    CStandardConditions result;
    result.GOR = calculation->mGOR;
    result.API = calculation->mAPI;
    result.CH4 = calculation->mCH4;
    result.stockTankMolarWeight = calculation->mLiqMolarWeight;
    result.stockTankSpecificVolume = calculation->mMassVolLiq;
    result.bulkMolarWeight = calculation->system().calculateBulkMw();
    return result;
}

std::unique_ptr<CModelFluid> CalculateComposition(double alpha, double beta, double co2, double n2,
                                                  double h2s) {
    auto fluid = std::make_unique<CModelFluid>("FM");
    fluid->CalculateFromAlphaBetaModel(alpha, beta, co2 / 100.0, n2 / 100.0, h2s / 100.0);
    return fluid;
}

int ModelTypeOf(const CFluidSpec& fluid) {
    return fluid.isModelFluid ? 0 : 1;
}

} // namespace zephon::cli
