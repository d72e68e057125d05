// SPDX-License-Identifier: BSD-3-Clause
#include "app/panel_phase_diagram_objects.hpp"

#include "documents/phase_diag_document.hpp"

CPlotObjectRecord LocatePlotObject(CPhaseDiagDocument& document, const CGraphObject* object) {
    if (object == nullptr) return {};
    const CPhaseDiagDocument::DrawnRecord drawn = document.FindDrawnRecord(object);
    if (drawn.diagram != nullptr) {
        // A trapping line stands for the isochore it is on.
        CIsochor* isochor = drawn.isochor;
        if (drawn.trappingLine != nullptr && isochor == nullptr) isochor = drawn.trappingLine->mIsochor;
        return {drawn.diagram, isochor, drawn.trappingLine};
    }
    // A critical-point marker stands for its diagram.
    for (CPhaseDiagram* diagram : document.mPhaseDiagramsList.mList)
        if (diagram->mCriticalPoint != nullptr && diagram->mCriticalPoint == object)
            return {diagram, nullptr, nullptr};
    return {};
}

bool HoldsDiagram(const CPhaseDiagDocument& document, const CPhaseDiagram* diagram) {
    return diagram != nullptr && document.mPhaseDiagramsList.mList.Contains(diagram);
}
