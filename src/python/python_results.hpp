// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The objects the calculations return to Python: plain values and numpy arrays, named as the
// command-line tool's JSON keys. Temperatures in degrees Celsius, pressures in bar.

#include <memory>
#include <optional>
#include <string>

#include "cli/aqueous_options.hpp"
#include "data/phase_diagram_record.hpp"
#include "python_documents.hpp"

namespace zephon::python {

// A point of the P-T plane.
struct CPyPoint {
    double T = 0, P = 0;
};

// Columns of a curve, each a numpy array of the same length; a column a curve does not have is None.
struct CPySeries {
    py::object T = py::none(), P = py::none(), V = py::none(), skip = py::none(), dPdT = py::none();
    py::object alpha = py::none(), beta = py::none();
};

struct CPyEnvelope {
    std::string name;
    CPySeries liquid, vapour;
    std::optional<CPyPoint> critical, critical_exact, cricondenbar, cricondentherm;
    std::optional<double> GOR, API;
    std::shared_ptr<CPyPTDiagram> document;
};

struct CPyCrossingBand {
    double sd_T = 0, sd_P = 0, correlation = 0;
    CPySeries ellipse;
    std::vector<std::string> halved_steps; // inputs moved by less than their uncertainty
};

// Where an oil isochore crosses an aqueous one.
struct CPyCrossing {
    double T = 0, P = 0, slope_oil = 0, slope_aqueous = 0, angle = 0;
};

struct CPyIsochore {
    double Th = 0;
    std::string homog;
    double bulk_volume = 0, bulk_density = 0;
    CPySeries biphasic, monophasic;
    std::optional<double> trapping_pressure;
    py::object aqueous_isochore = py::none();
    std::optional<CPyCrossing> crossing;
    std::optional<CPyCrossingBand> crossing_band;
    std::shared_ptr<CPyPTDiagram> document;
};

// The envelope of a diagram (which the document holds).
CPyEnvelope EnvelopeOf(const CPhaseDiagram& diagram, std::shared_ptr<CPyPTDiagram> document);
// The points of an isochore; V (bubble volume % or cm3/mol) when withV.
CPySeries IsochoreOf(const CDataList<CIsochorPoint>* points, bool withV);

// The aqueous inclusion's options, checked as the command line checks them; none without a
// salinity (tm_ice, tm_halite or salinity).
struct CPyAqueousOptions {
    std::optional<double> tmIce, tmHalite, salinity;
    std::string host = "none";
    bool legacy = false;
    std::optional<double> sdThaq, sdTmIce, sdTmHalite, sdSalinity, sdTh, sdFv, tfv;
    std::optional<double> sdBrineDensity, corrTh;
};
std::optional<cli::CAqueousRequest> AqueousRequestOf(const std::string& command, std::optional<double> th,
                                                     const char* thName, const CPyAqueousOptions& options);

} // namespace zephon::python
