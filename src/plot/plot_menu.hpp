// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// A context menu as a plot view describes it: captions, command numbers, greyed and checked
// items, separators and popups. The window turns it into a menu of its toolkit and hands the
// number of the chosen command back to the view (CPlotView::OnMenuCommand).

#include <string>
#include <string_view>
#include <vector>

#include "plot/canvas.hpp"

class CGraphObject;

struct CMenuItem {
    enum class Kind { Command, Separator, Popup };

    Kind kind = Kind::Command;
    std::string caption;
    int command = 0; // the number the view runs (Command items only)
    bool enabled = true;
    bool checked = false;
    std::vector<CMenuItem> items; // the entries of a popup

    static CMenuItem Command(std::string caption, int command, bool enabled = true, bool checked = false);
    static CMenuItem Separator();
    static CMenuItem Popup(std::string caption, std::vector<CMenuItem> items);
};

// The menu of one right click: which popup of the view's menu it is ("Curve Settings", "Plot
// settings", ...), where it opens (view pixels) and the object it acts on (null: none).
struct CPlotContextMenu {
    std::string name;
    zephon::plot::Point at;
    CGraphObject* object = nullptr;
    std::vector<CMenuItem> items;

    // The first command item with this caption, searching popups too; null when there is none.
    const CMenuItem* Find(std::string_view caption) const;
    // The command captions in order, popups opened ("-" for a separator): what a person reads.
    std::vector<std::string> Captions() const;
};
