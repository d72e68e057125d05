// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// What every binding of the Python module shares: the application services the documents use from
// Python, the exceptions the program's errors become, and running a calculation with the
// interpreter's lock released and Ctrl+C (KeyboardInterrupt) stopping it through the program's own
// stop request.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <signal.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "cli/terminal_services.hpp"

class CWDocument;

namespace zephon::python {

namespace py = pybind11;

// A file that cannot be read or written: missing, not a regular file, damaged (the message gives
// the line and column where reading stopped), or refused by the file system. Raised as
// zephon.FileError.
class CFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Holds the stream the terminal services write to, built before them.
struct CSilentStream {
    std::ostream silent{nullptr};
};

// The services of one calculation or one document: nothing is printed (the messages are kept for
// the exception that reports a failure), questions take their default answer, and the program's
// files are found from the module's own folder (or ZEPHON_DATA_DIR).
class CPythonServices : private CSilentStream, public cli::CTerminalServices {
  public:
    CPythonServices();
    std::filesystem::path GetApplicationFolder() const override;
};

// Registers the exceptions and their translation from the program's errors.
void BindErrors(py::module_& m);

// The path of a str or os.PathLike argument; TypeError otherwise.
std::filesystem::path PathOf(const py::handle& path);

// Opens a file into the document: a FileError naming the file (and the line and column of the
// damage) when it cannot be read.
void OpenDocumentFile(CWDocument& document, const std::filesystem::path& path, CPythonServices& services);
// Saves the document: a FileError naming the file when it cannot be written.
void SaveDocumentFile(CWDocument& document, const std::filesystem::path& path, CPythonServices& services);

// Runs `calculation` with the interpreter's lock released. On the main thread Ctrl+C sets the
// program's stop request meanwhile, so that long loops end early; the result is then dropped and
// KeyboardInterrupt raised, keeping nothing half made.
class CInterruptibleCall {
  public:
    CInterruptibleCall();
    ~CInterruptibleCall();
    CInterruptibleCall(const CInterruptibleCall&) = delete;
    CInterruptibleCall& operator=(const CInterruptibleCall&) = delete;
    // Raises KeyboardInterrupt when a stop was requested during the call.
    void RaiseIfStopped();

  private:
    bool mHandlerInstalled = false;
    struct sigaction mPrevious {};
};

template <class Calculation> auto Compute(Calculation&& calculation) {
    CInterruptibleCall call;
    std::optional<decltype(calculation())> result;
    {
        py::gil_scoped_release release;
        result.emplace(calculation());
    }
    call.RaiseIfStopped();
    return std::move(*result);
}

// A one-dimensional numpy array holding a copy of the values.
py::array_t<double> ToArray(const std::vector<double>& values);
py::array_t<bool> ToBoolArray(const std::vector<bool>& values);

// The module's parts, each in its own file.
void BindFluids(py::module_& m);
void BindAqueous(py::module_& m);
void BindAlphaBeta(py::module_& m);
void BindDocuments(py::module_& m);

} // namespace zephon::python
