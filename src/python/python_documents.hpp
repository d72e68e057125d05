// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Zephon's documents held for Python: each object owns its document and the services it was made
// with, so that what Python reads and writes is exactly what the program reads and writes.

#include <memory>

#include "documents/alpha_beta_plot_document.hpp"
#include "documents/data_documents.hpp"
#include "documents/phase_diag_document.hpp"
#include "python_calls.hpp"

namespace zephon::python {

template <class Document> class CPyDocument {
  public:
    CPyDocument()
        : mServices(std::make_unique<CPythonServices>()), mDocument(std::make_unique<Document>(*mServices)) {}
    Document& Get() { return *mDocument; }
    const Document& Get() const { return *mDocument; }
    CPythonServices& Services() { return *mServices; }

  private:
    std::unique_ptr<CPythonServices> mServices; // outlives the document, which refers to it
    std::unique_ptr<Document> mDocument;
};

using CPyInclusions = CPyDocument<CInclusionDataDocument>;
using CPyCorrelation = CPyDocument<CAlphaBetaDataDocument>;
using CPyFluidModel = CPyDocument<CFluidModelDataDocument>;
using CPyAlphaBetaPlot = CPyDocument<CAlphaBetaPlotDocument>;
using CPyPTDiagram = CPyDocument<CPhaseDiagDocument>;

} // namespace zephon::python
