// SPDX-License-Identifier: BSD-3-Clause
#include "python_calls.hpp"

#include <dlfcn.h>
#include <signal.h>

#include "base/program_folder.hpp"
#include "cli/command_line.hpp"
#include "cli/document_io.hpp"
#include "documents/w_document.hpp"

namespace zephon::python {

namespace {

// The module's shared object, found from one of its own functions.
std::filesystem::path ModuleFile() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ModuleFile), &info) == 0 || info.dli_fname == nullptr) return {};
    return info.dli_fname;
}

// The thread that imported the module; Python runs signal handlers there only.
unsigned long gMainThread = 0;

extern "C" void RequestStop(int) {
    cli::StopRequest().store(true, std::memory_order_relaxed);
}

} // namespace

CPythonServices::CPythonServices() : CTerminalServices(silent, false) {
    SetQuiet(true);
}

std::filesystem::path CPythonServices::GetApplicationFolder() const {
    // Installed, the module lies in <prefix>/lib/python3/dist-packages/zephon and the program's
    // files in <prefix>/share/zephon, as for the programs in <prefix>/bin; in the build tree the
    // tests name the folder with ZEPHON_DATA_DIR.
    const std::filesystem::path module = ModuleFile();
    if (module.empty()) return FindProgramDataFolder();
    const std::filesystem::path folder = module.parent_path();
    const std::filesystem::path prefix = folder.parent_path().parent_path().parent_path().parent_path();
    return FindProgramDataFolder(prefix / "bin" / "zephon-cli");
}

std::filesystem::path PathOf(const py::handle& path) {
    py::object os = py::module_::import("os");
    if (!py::isinstance<py::str>(path) && !py::hasattr(path, "__fspath__"))
        throw py::type_error("a file path (str or os.PathLike) was expected, not " +
                             std::string(py::str(path.get_type().attr("__name__"))));
    return std::filesystem::path(py::cast<std::string>(os.attr("fsdecode")(path)));
}

void OpenDocumentFile(CWDocument& document, const std::filesystem::path& path, CPythonServices& services) {
    try {
        cli::OpenDocumentStrictly(document, path, services);
    } catch (const cli::CCliError& error) {
        throw CFileError(error.what());
    }
}

void SaveDocumentFile(CWDocument& document, const std::filesystem::path& path, CPythonServices& services) {
    // The document tells why a save failed in a message, kept by the quiet services.
    const std::size_t before = services.Messages().size();
    if (document.OnSaveDocument(path)) return;
    const std::string reason = services.Messages().size() > before ? services.Messages().back() : "";
    throw CFileError(path.string() + ": cannot write the file" + (reason.empty() ? "" : " (" + reason + ")"));
}

CInterruptibleCall::CInterruptibleCall() {
    if (PyThread_get_thread_ident() != gMainThread) return;
    cli::StopRequest().store(false);
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    mHandlerInstalled = sigaction(SIGINT, &action, &mPrevious) == 0;
}

CInterruptibleCall::~CInterruptibleCall() {
    if (!mHandlerInstalled) return;
    sigaction(SIGINT, &mPrevious, nullptr);
    cli::StopRequest().store(false);
}

void CInterruptibleCall::RaiseIfStopped() {
    if (!cli::StopRequested()) return;
    PyErr_SetNone(PyExc_KeyboardInterrupt);
    throw py::error_already_set();
}

py::array_t<double> ToArray(const std::vector<double>& values) {
    py::array_t<double> array(static_cast<py::ssize_t>(values.size()));
    std::copy(values.begin(), values.end(), array.mutable_data());
    return array;
}

py::array_t<bool> ToBoolArray(const std::vector<bool>& values) {
    py::array_t<bool> array(static_cast<py::ssize_t>(values.size()));
    bool* data = array.mutable_data();
    for (std::size_t i = 0; i < values.size(); ++i)
        data[i] = values[i];
    return array;
}

void BindErrors(py::module_& m) {
    gMainThread = PyThread_get_thread_ident();
    // Kept for the life of the process: the translator below may run until the interpreter ends.
    static PyObject* fileError = nullptr;
    static PyObject* calculationError = nullptr;
    py::exception<CFileError> file(m, "FileError", PyExc_ValueError);
    file.doc() = "A file that cannot be read or written: missing, not a regular file, damaged (the "
                 "message names the line and column where reading stopped) or refused.";
    py::exception<std::runtime_error> calculation(m, "CalculationError", PyExc_RuntimeError);
    calculation.doc() = "A calculation that failed: the fluid does not split, no envelope, no isochore, "
                        "the measurements give no alpha-beta curve...";
    fileError = file.inc_ref().ptr();
    calculationError = calculation.inc_ref().ptr();
    py::register_exception_translator([](std::exception_ptr thrown) {
        try {
            if (thrown) std::rethrow_exception(thrown);
        } catch (const CFileError& error) {
            PyErr_SetString(fileError, error.what());
        } catch (const cli::CCliError& error) {
            PyErr_SetString(error.Code() == cli::kExitCalculationFailed ? calculationError : PyExc_ValueError,
                            error.what());
        }
    });
}

} // namespace zephon::python
