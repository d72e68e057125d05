// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The five kinds of documents. Every document says which one it is; what a kind is called, which
// files it reads and how one is made is the table in app/document_kinds.hpp.

#include <cstddef>

enum class CDocumentKind { InclusionData, FluidModel, Correlation, AlphaBetaPlot, PhaseDiagram };

inline constexpr std::size_t kDocumentKindCount = 5;

constexpr std::size_t KindIndex(CDocumentKind kind) {
    return static_cast<std::size_t>(kind);
}
