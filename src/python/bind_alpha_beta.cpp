// SPDX-License-Identifier: BSD-3-Clause
// Alpha-beta curves from Python, as `zephon-cli abcurve` and `crossings` compute them: the curve of
// one inclusion or of many with several workers, their end codes as named values, and where curves
// cross.
#include <pybind11/stl.h>

#include <algorithm>

#include "cli/alpha_beta_curves.hpp"
#include "cli/command_line.hpp"
#include "data/alpha_beta_crossings.hpp"
#include "python_documents.hpp"
#include "python_inclusion.hpp"
#include "python_results.hpp"

namespace zephon::python {

namespace {

constexpr long kMaxJobs = 256;

// The code as a zephon.CurveEnd (defined by the package) where it names one, else the number.
py::object CodeOf(int code) {
    try {
        return py::module_::import("zephon").attr("CurveEnd")(code);
    } catch (const py::error_already_set&) {
        return py::int_(code);
    }
}

struct CPyCurve {
    CPyInclusion inclusion;
    CPySeries points; // alpha, beta
    int code = 0;
    std::string message;
};

CPyCurve CurveOf(const cli::CCurveResult& result) {
    CPyCurve curve;
    curve.inclusion = InclusionOf(result.inclusion);
    std::vector<double> alpha, beta;
    for (const CAlphaBetaRecord& point : result.points) {
        alpha.push_back(point.mAlpha);
        beta.push_back(point.mBeta);
    }
    curve.points.alpha = ToArray(alpha), curve.points.beta = ToArray(beta);
    curve.code = result.code;
    curve.message = result.message;
    return curve;
}

// Values the engine cannot start from are refused before any calculation (as the tool refuses them).
void CheckInclusion(const CInclusionRecord& inclusion) {
    const std::string name = "inclusion \"" + inclusion.mInclusionName + "\": ";
    const std::pair<const char*, double> values[] = {{"Th", inclusion.mTh}, {"Tv", inclusion.mTv},
                                                     {"Fv", inclusion.mFv}, {"CO2", inclusion.mCO2},
                                                     {"N2", inclusion.mN2}, {"H2S", inclusion.mH2S}};
    for (const auto& [label, value] : values)
        if (!std::isfinite(value)) throw cli::UsageError(name + label + " is not a number");
    if (!(inclusion.mTh > -273.15 && inclusion.mTh < 2000) ||
        !(inclusion.mTv > -273.15 && inclusion.mTv < 2000))
        throw cli::UsageError(name + "temperatures must be degrees Celsius above -273.15");
    if (!(inclusion.mFv > 0 && inclusion.mFv < 100))
        throw cli::UsageError(name + "the bubble volume must be a percentage between 0 and 100");
    for (double gas : {inclusion.mCO2, inclusion.mN2, inclusion.mH2S})
        if (!(gas >= 0 && gas < 100))
            throw cli::UsageError(name + "gas contents are mole percents from 0 to 100");
    if (inclusion.mCO2 + inclusion.mN2 + inclusion.mH2S >= 100)
        throw cli::UsageError(name + "the gas contents add up to 100 % or more");
}

// The inclusions of an argument: an Inclusion, a list of them, an Inclusions document or an
// inclusion file's path.
std::vector<CInclusionRecord> InclusionsOf(const py::object& given) {
    std::vector<CInclusionRecord> records;
    if (py::isinstance<CPyInclusion>(given)) {
        records.push_back(RecordOf(given.cast<const CPyInclusion&>()));
    } else if (py::isinstance<CPyInclusions>(given)) {
        for (const CInclusionRecordEx* inclusion :
             given.cast<CPyInclusions&>().Get().mInclusionList.mInclusionData) {
            CInclusionRecord copy;
            copy.CopyFieldsFrom(*inclusion);
            records.push_back(copy);
        }
    } else if (py::isinstance<py::str>(given) || py::hasattr(given, "__fspath__")) {
        CPyInclusions document;
        const std::filesystem::path path = PathOf(given);
        OpenDocumentFile(document.Get(), path, document.Services());
        for (const CInclusionRecordEx* inclusion : document.Get().mInclusionList.mInclusionData) {
            CInclusionRecord copy;
            copy.CopyFieldsFrom(*inclusion);
            records.push_back(copy);
        }
        if (records.empty()) throw CFileError(path.string() + ": the file holds no inclusions");
    } else {
        for (const py::handle item : py::iter(given)) {
            if (!py::isinstance<CPyInclusion>(item))
                throw py::type_error(
                    "abcurve: inclusions must be Inclusion objects, an Inclusions document or "
                    "an inclusion file's path");
            records.push_back(RecordOf(item.cast<const CPyInclusion&>()));
        }
    }
    for (const CInclusionRecord& record : records)
        CheckInclusion(record);
    return records;
}

struct CPyCurveCrossing {
    double alpha = 0, beta = 0, angle = 0;
    std::string first, second;
    std::size_t first_index = 0, second_index = 0;
};

} // namespace

void BindAlphaBeta(py::module_& m) {
    py::class_<CPyCurve>(
        m, "Curve",
        "The alpha-beta curve of one inclusion, as `zephon-cli abcurve --json`: the inclusion, "
        "its points (Series of alpha and beta; empty when there is no curve), the end code "
        "(CurveEnd) and the program's message about the end (empty when none).")
        .def_readonly("inclusion", &CPyCurve::inclusion)
        .def_readonly("points", &CPyCurve::points)
        .def_property_readonly("alpha", [](const CPyCurve& c) { return c.points.alpha; })
        .def_property_readonly("beta", [](const CPyCurve& c) { return c.points.beta; })
        .def_property_readonly("code", [](const CPyCurve& c) { return CodeOf(c.code); })
        .def_readonly("message", &CPyCurve::message)
        .def("__len__", [](const CPyCurve& c) { return py::len(c.points.alpha); })
        .def("__repr__", [](const CPyCurve& c) {
            return py::str("Curve({!r}, {} points, code={!r})")
                .format(c.inclusion.name, py::len(c.points.alpha), CodeOf(c.code));
        });

    py::class_<CPyCurveCrossing>(
        m, "CurveCrossing",
        "Where two alpha-beta curves cross, as `zephon-cli crossings --json`: alpha, beta, "
        "the inclusions of the two curves (first, second, in the plot's order; "
        "first_index and second_index their places) and the angle between them "
        "(degrees, 0 to 90).")
        .def_readonly("alpha", &CPyCurveCrossing::alpha)
        .def_readonly("beta", &CPyCurveCrossing::beta)
        .def_readonly("first", &CPyCurveCrossing::first)
        .def_readonly("second", &CPyCurveCrossing::second)
        .def_readonly("first_index", &CPyCurveCrossing::first_index)
        .def_readonly("second_index", &CPyCurveCrossing::second_index)
        .def_readonly("angle", &CPyCurveCrossing::angle)
        .def("__repr__", [](const CPyCurveCrossing& c) {
            return py::str("CurveCrossing(alpha={!r}, beta={!r}, first={!r}, second={!r}, angle={!r})")
                .format(c.alpha, c.beta, c.first, c.second, c.angle);
        });

    // The plot's curves, and new curves stored in it as the end of a calculation in the plot stores them.
    py::object plot = m.attr("AlphaBetaPlot");
    plot.attr("curves") =
        py::module_::import("builtins")
            .attr("property")(py::cpp_function([](CPyAlphaBetaPlot& d) {
                                  std::vector<CPyCurve> curves;
                                  for (const CAlphaBetaCurve* stored : d.Get().mAlphaBetaCurvesList.mList) {
                                      cli::CCurveResult result;
                                      result.inclusion = stored->mInclusion;
                                      for (const CAlphaBetaRecord* point : stored->mCurve)
                                          result.points.emplace_back(point->mAlpha, point->mBeta);
                                      curves.push_back(CurveOf(result));
                                  }
                                  return curves;
                              }),
                              py::none(), py::none(),
                              "a list of Curve (their end codes are not kept in the file: NONE)");
    plot.attr("add_curve") = py::cpp_function(
        [](CPyAlphaBetaPlot& d, const CPyCurve& curve) {
            cli::CCurveResult result;
            result.inclusion = RecordOf(curve.inclusion);
            const auto alpha = curve.points.alpha.cast<py::array_t<double>>().unchecked<1>();
            const auto beta = curve.points.beta.cast<py::array_t<double>>().unchecked<1>();
            for (py::ssize_t i = 0; i < alpha.shape(0); ++i)
                result.points.emplace_back(alpha(i), beta(i));
            if (!result.HasCurve())
                throw cli::UsageError("add_curve: the curve of inclusion \"" + curve.inclusion.name +
                                      "\" has fewer than two points");
            cli::AddCurveToPlot(d.Get(), result);
        },
        py::name("add_curve"), py::is_method(plot), py::arg("curve"),
        "Stores a Curve (of abcurve()) in the plot, drawn in the palette's next colour.");

    m.def(
        "abcurve",
        [](const py::object& inclusions, int jobs) {
            const std::vector<CInclusionRecord> records = InclusionsOf(inclusions);
            if (jobs < 1 || jobs > kMaxJobs)
                throw cli::UsageError("abcurve: jobs must be a whole number from 1 to 256");
            const auto results = Compute([&] { return cli::TraceAlphaBetaCurves(records, jobs); });
            std::vector<CPyCurve> curves;
            for (const cli::CCurveResult& result : results)
                curves.push_back(CurveOf(result));
            if (py::isinstance<CPyInclusion>(inclusions)) return py::cast(curves.front());
            return py::cast(curves);
        },
        py::arg("inclusions"), py::kw_only(), py::arg("jobs") = 1,
        R"(Alpha-beta curves, as `zephon-cli abcurve`.

inclusions: one Inclusion (the result is one Curve), or a list of them, an Inclusions document or
an inclusion file's path (.inc; the result is a list of Curve in the inclusions' order). jobs: the
number of workers sharing the steps of all curves (the curves do not depend on it). A curve ends
where the calculation cannot go on, or after 200 points. The interpreter's lock is released;
Ctrl+C (KeyboardInterrupt) stops the batch and returns nothing.)");

    m.def(
        "crossings",
        [](const py::object& curves) {
            // The curves as the plot document holds them, in its order.
            std::vector<const CAlphaBetaCurve*> stored;
            std::vector<std::unique_ptr<CAlphaBetaCurve>> made;
            std::shared_ptr<CPyAlphaBetaPlot> opened;
            if (py::isinstance<CPyAlphaBetaPlot>(curves)) {
                for (const CAlphaBetaCurve* curve :
                     curves.cast<CPyAlphaBetaPlot&>().Get().mAlphaBetaCurvesList.mList)
                    stored.push_back(curve);
            } else if (py::isinstance<py::str>(curves) || py::hasattr(curves, "__fspath__")) {
                opened = std::make_shared<CPyAlphaBetaPlot>();
                OpenDocumentFile(opened->Get(), PathOf(curves), opened->Services());
                for (const CAlphaBetaCurve* curve : opened->Get().mAlphaBetaCurvesList.mList)
                    stored.push_back(curve);
            } else {
                for (const py::handle item : py::iter(curves)) {
                    if (!py::isinstance<CPyCurve>(item))
                        throw py::type_error(
                            "crossings: curves must be Curve objects, an AlphaBetaPlot or an "
                            "alpha-beta plot file's path");
                    const CPyCurve& curve = item.cast<const CPyCurve&>();
                    auto record = std::make_unique<CAlphaBetaCurve>();
                    record->Initialize();
                    record->mInclusion = RecordOf(curve.inclusion);
                    const auto alpha = curve.points.alpha.cast<py::array_t<double>>().unchecked<1>();
                    const auto beta = curve.points.beta.cast<py::array_t<double>>().unchecked<1>();
                    for (py::ssize_t i = 0; i < alpha.shape(0); ++i)
                        record->Add(new CAlphaBetaRecord(alpha(i), beta(i)));
                    stored.push_back(record.get());
                    made.push_back(std::move(record));
                }
            }
            const std::vector<CCurveCrossing> found = Compute([&] { return FindCurveCrossings(stored); });
            std::vector<CPyCurveCrossing> result;
            for (const CCurveCrossing& c : found)
                result.push_back({c.alpha, c.beta, c.angle, c.first->mInclusion.mInclusionName,
                                  c.second->mInclusion.mInclusionName, c.firstIndex, c.secondIndex});
            return result;
        },
        py::arg("curves"),
        R"(Where alpha-beta curves cross, as `zephon-cli crossings`: pair by pair in the curves' order and
along the first curve of each pair. curves: a list of Curve, an AlphaBetaPlot or an alpha-beta plot
file's path (.abp).)");
}

} // namespace zephon::python
