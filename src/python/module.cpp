// SPDX-License-Identifier: BSD-3-Clause
// The extension module zephon._zephon; the package zephon re-exports it.
#include "python_calls.hpp"

PYBIND11_MODULE(_zephon, m) {
    namespace zp = zephon::python;
    m.doc() = "Zephon's calculations and files: oil models, phase envelopes, isochores, aqueous inclusions, "
              "alpha-beta curves. Degrees Celsius, bar, mole percent, bubble volume percent.";
    zp::BindErrors(m);
    zp::BindFluids(m);
    zp::BindAqueous(m);
    zp::BindDocuments(m);
    zp::BindAlphaBeta(m);
}
