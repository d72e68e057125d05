// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// What the phase-diagram pages look up in the current P-T document: the records behind a plot
// object, found among the document's own drawings (a plot object's reference is never trusted to
// be of any particular kind).

class CGraphObject;
class CPhaseDiagDocument;
class CPhaseDiagram;
class CIsochor;
class CTrappingLine;

struct CPlotObjectRecord {
    CPhaseDiagram* diagram = nullptr; // set for every record of a diagram
    CIsochor* isochor = nullptr;      // an isochore, or the one a trapping line is on
    CTrappingLine* trappingLine = nullptr;
};

// Nothing found for null, for objects of no diagram, and for the temporary aqueous marker.
CPlotObjectRecord LocatePlotObject(CPhaseDiagDocument& document, const CGraphObject* object);

// Whether the record is still one of the document's.
bool HoldsDiagram(const CPhaseDiagDocument& document, const CPhaseDiagram* diagram);
