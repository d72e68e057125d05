// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// What documents report to the application around them: their changes and selections, the
// fluid-model documents they make, and the volume-temperature plots that come and go with a P-T
// diagram. The application core implements it once and passes each event on to its listeners in
// an order it owns (the desktop program and the headless tests run the same routing); a run without
// an application (the command-line tool, a document tested on its own) hears them by itself.
//
// Talking to a person (messages, questions, file choice, progress) is the other half of what a
// document asks for: CApplicationServices.

class CWDocument;
class CFluidModelDataDocument;
class CPhaseDiagDocument;
class CVolumePlotView;

// A change or selection in a document, passed on to the tool panels, the axis range window, the
// menus and the recovery copies.
enum class CAppNotification {
    AlphaBetaPlotModified,
    AlphaBetaPlotSelection,
    PTPlotModified,
    PTPlotSelection,
    VTPlotSelection,
    InclusionsDataDocModified,
    FluidModelDataDocModified,
    AxisRangesChanged,
    // The current alpha-beta plot, P-T diagram, volume-temperature plot or plot view changed (the
    // application's own event; documents do not send it).
    CurrentChanged,
};

class CDocumentEvents {
  public:
    CDocumentEvents() = default;
    CDocumentEvents(const CDocumentEvents&) = delete;
    CDocumentEvents& operator=(const CDocumentEvents&) = delete;
    virtual ~CDocumentEvents() = default;

    virtual void Notify(CAppNotification) {}
    // A new, empty fluid-model document owned by the application (a generated fluid model goes
    // into it); null when nothing can hold one.
    virtual CFluidModelDataDocument* NewFluidModelDocument() { return nullptr; }
    // A volume-temperature plot was made for a P-T diagram and wants a window / is going away.
    virtual void VTPlotCreated(CPhaseDiagDocument&, CVolumePlotView&) {}
    virtual void VTPlotDestroyed(CPhaseDiagDocument&, CVolumePlotView&) {}
    // A document's own close step ran and it is about to be destroyed. The application has
    // forgotten it already (it is neither active nor current from the moment it starts to close).
    virtual void DocumentClosing(CWDocument&) {}
};
