#pragma once
// What a plot view asks of the window that shows it.
//
// CPlotView keeps all of a plot's state and decides everything; the window only paints it,
// forwards the mouse and runs what belongs to a toolkit: the status line, repainting, context
// menus, rubber-band trackers, the colour and font dialogs, the settings dialogs and printing.

#include <optional>
#include <string>

#include "plot/canvas.hpp"

class CGraphObject;
class CPlotView;

// The context menu a right click asks for. The window maps `at` (view pixels) to the screen and
// tracks the menu with the right button; the command chosen comes back through
// CPlotView::OnCommand.
struct CPlotContextMenu {
    enum class Popup {
        PlotSettings,      // nothing hit
        CurveSettings,     // a curve
        PointSettings,     // a point
        FontSettings,      // a text or the legend
        PointListSettings, // a list of captioned points
        Custom,            // a menu of a derived view, named by customId
    };

    Popup popup = Popup::PlotSettings;
    int customId = 0;
    zephon::plot::Point at;
    CGraphObject* object = nullptr; // the object hit, or null
    // "Zoom in" and "Zoom out" are greyed unless a selection rectangle exists.
    bool zoomEnabled = false;
    // Curve menus: the thickness item to check (1 normal, 2 double, 3 triple), 0 for none.
    int checkedThickness = 0;
};

// What a left click asks the window to track. The window runs its rubber-band tracker from
// `start` (from `anchor` for a new selection) and, on release, hands the normalised or moved
// rectangle to CPlotView::EndTracking; a plain click without movement is released as the empty
// rectangle at the anchor. CPlotView::CancelTracking drops it.
struct CPlotTracking {
    enum class Kind {
        None,          // nothing to track
        NewSelection,  // a dotted rubber band from the click point
        MoveSelection, // the stored selection, moved or resized by the user
        DragObject,    // the frame of the text or legend that was hit
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
