// SPDX-License-Identifier: BSD-3-Clause
#include "plot/plot_menu.hpp"

namespace {

const CMenuItem* FindIn(const std::vector<CMenuItem>& items, std::string_view caption) {
    for (const CMenuItem& item : items) {
        if (item.kind == CMenuItem::Kind::Command && item.caption == caption) return &item;
        if (item.kind == CMenuItem::Kind::Popup)
            if (const CMenuItem* found = FindIn(item.items, caption)) return found;
    }
    return nullptr;
}

void CaptionsOf(const std::vector<CMenuItem>& items, std::vector<std::string>& out) {
    for (const CMenuItem& item : items) {
        if (item.kind == CMenuItem::Kind::Separator)
            out.emplace_back("-");
        else if (item.kind == CMenuItem::Kind::Popup)
            CaptionsOf(item.items, out);
        else
            out.push_back(item.caption);
    }
}

} // namespace

CMenuItem CMenuItem::Command(std::string caption, int command, bool enabled, bool checked) {
    CMenuItem item;
    item.caption = std::move(caption);
    item.command = command;
    item.enabled = enabled;
    item.checked = checked;
    return item;
}

CMenuItem CMenuItem::Separator() {
    CMenuItem item;
    item.kind = Kind::Separator;
    return item;
}

CMenuItem CMenuItem::Popup(std::string caption, std::vector<CMenuItem> items) {
    CMenuItem item;
    item.kind = Kind::Popup;
    item.caption = std::move(caption);
    item.items = std::move(items);
    return item;
}

const CMenuItem* CPlotContextMenu::Find(std::string_view caption) const {
    return FindIn(items, caption);
}

std::vector<std::string> CPlotContextMenu::Captions() const {
    std::vector<std::string> out;
    CaptionsOf(items, out);
    return out;
}
