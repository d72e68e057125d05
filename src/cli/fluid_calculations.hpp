// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The calculations the tool runs on one fluid, an alpha-beta oil or a fluid model: a saturation
// point, the standard-condition summary, the composition of an alpha-beta pair, the phase
// envelope and the isochore pair through an inclusion's homogenisation point. Units as in the
// application: degrees Celsius, bar, mole percent, bubble volume percent.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cli/command_line.hpp"
#include "data/composition_record.hpp"
#include "thermo/calculation_interface.hpp"

namespace zephon::cli {

class CTerminalServices;

// The fluid a command computes on.
struct CFluidSpec {
    bool isModelFluid = false;
    double alpha = 0, beta = 0;
    double co2 = 0, n2 = 0, h2s = 0; // mole percent
    std::shared_ptr<CModelFluid> fluid;
    std::string source; // the fluid-model file, for messages

    static CFluidSpec AlphaBeta(double alpha, double beta, double co2 = 0, double n2 = 0, double h2s = 0);
    static CFluidSpec ModelFluid(std::shared_ptr<CModelFluid> fluid, std::string source);
    // "alpha 0.600 beta 0.250" with the gases when present, or the fluid's name.
    std::string Describe() const;
};

// The options of the fluid selection, to add to a command's own.
void AddFluidOptions(COptionSpec& spec);
// `--alpha A --beta B [--co2 P] [--n2 P] [--h2s P]` or `--fluid FILE.flu`, checked.
CFluidSpec FluidFromOptions(const CCommandLine& line, CTerminalServices& services);
// Checks alpha-beta values and gas contents; a usage error naming the command otherwise.
void CheckAlphaBeta(const std::string& command, double alpha, double beta, double co2, double n2, double h2s);
// A temperature above absolute zero; a usage error otherwise.
void CheckTemperature(const std::string& command, const std::string& option, double celsius);

std::vector<thermo::ModelFluidComponent> ComponentsOf(const CModelFluid& fluid);
// An interface on the fluid, ready for its calculations.
std::unique_ptr<thermo::CCalculationInterface> MakeCalculation(const CFluidSpec& fluid);

struct CSaturationPoint {
    double T = 0, P = 0; // degrees Celsius, bar
    bool bubble = true;
    std::vector<std::pair<std::string, double>> incipient; // component, mole percent
    double liquidVolume = 0, vapourVolume = 0;             // cm3/mol
};
// A calculation error when no saturation point is found at T.
CSaturationPoint CalculateSaturation(const CFluidSpec& fluid, double celsius, bool bubble);

struct CStandardConditions {
    double GOR = 0, API = 0, CH4 = 0;
    double stockTankMolarWeight = 0;    // g/mol
    double stockTankSpecificVolume = 0; // cm3/g
    double bulkMolarWeight = 0;         // g/mol
};
// A calculation error when the fluid does not split at standard conditions.
CStandardConditions CalculateStandardConditions(const CFluidSpec& fluid);

// The 17-component fluid of an alpha-beta pair (gases in mole percent) with its constants.
std::unique_ptr<CModelFluid> CalculateComposition(double alpha, double beta, double co2, double n2,
                                                  double h2s);

// The document's model type and gas fractions of a fluid, for the phase-diagram document.
int ModelTypeOf(const CFluidSpec& fluid);

} // namespace zephon::cli
