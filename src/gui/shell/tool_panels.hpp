// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The three modeless tool panels ("Alpha-Beta Plots", "Phase Diagrams", "Bubble size variation"),
// as the shell sees them: opened on a page by the menu commands, and asked which page they show
// for the menu's check marks.

#include <memory>

#include "documents/application_services.hpp"

class CZephonApp;

class CToolPanels {
  public:
    virtual ~CToolPanels() = default;
    // Makes the panel on first use, then shows it on the page.
    virtual void Display(CToolPanelKind kind, int page) = 0;
    // The page the panel shows, -1 while it is closed.
    virtual int ShownPage(CToolPanelKind kind) const = 0;
};

// Made by the panels module (panels/).
std::unique_ptr<CToolPanels> CreateToolPanels(CZephonApp& app);
