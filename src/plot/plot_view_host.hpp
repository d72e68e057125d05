// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// What a plot view asks of the window that shows it.
//
// CPlotView keeps all of a plot's state and decides everything; the window only paints it,
// forwards the mouse and runs what belongs to a toolkit: the status line, repainting, context
// menus, rubber-band trackers, the colour and font dialogs, the settings dialogs and printing.

#include <optional>
#include <string>

#include "plot/canvas.hpp"
#include "plot/plot_menu.hpp"

class CGraphObject;
class CPlotView;

// What a left click asks the window to track. The window runs its rubber-band tracker from
// `start` (from `anchor` for a new selection) and, on release, hands the normalised or moved
// rectangle to CPlotView::EndTracking; a plain click without movement is released as the empty
// rectangle at the anchor. CPlotView::CancelTracking drops it.
struct CPlotTracking {
    enum class Kind {
        None,         // nothing to track
        NewSelection, // a dotted rubber band from the click point
        // The stored selection, moved or resized by the user: the part pressed is found by
        // CRectTracker::HitTest on `start` at `anchor` and followed with CRectTracker::Track.
        MoveSelection,
        DragObject, // the frame of the text or legend that was hit
    };

    Kind kind = Kind::None;
    zephon::plot::Rect start;
    zephon::plot::Point anchor;
};

class CPlotViewHost {
  public:
    CPlotViewHost() = default;
    CPlotViewHost(const CPlotViewHost&) = delete;
    CPlotViewHost& operator=(const CPlotViewHost&) = delete;
    virtual ~CPlotViewHost() = default;

    // The one pane of the window's status line; an empty text clears it.
    virtual void DisplayStatusMessage(const std::string& text) = 0;
    // The view's look changed: repaint it (CPlotView::Draw) when convenient.
    virtual void RequestRedraw() = 0;
    // Opens the menu at its point (view pixels) and hands the command chosen, if any, to
    // CPlotView::OnMenuCommand.
    virtual void ShowContextMenu(const CPlotContextMenu& menu) = 0;

    // The shown axis ranges changed (an open axis range window refreshes).
    virtual void NotifyAxisRangesChanged(CPlotView&) {}
    // Dialogs; cancelling one returns nothing or false, and the view then changes nothing.
    virtual std::optional<zephon::plot::Color> ChooseColor(zephon::plot::Color) { return std::nullopt; }
    virtual std::optional<zephon::plot::Font> ChooseFont(const zephon::plot::Font&) { return std::nullopt; }
    // The curve and point settings dialogs; true when the user changed the object.
    virtual bool EditCurveSettings(CPlotView&, CGraphObject&) { return false; }
    virtual bool EditPointSettings(CPlotView&, CGraphObject&) { return false; }
    virtual void ShowAxisRangeWindow(CPlotView&) {}
    virtual void PrintView(CPlotView&) {}
};
