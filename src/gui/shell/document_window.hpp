// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// What the main window asks of a window that shows a document (a table, a plot, a
// volume-temperature plot). Each such window is a QWidget that also derives from this class; the
// main window puts it in a sub-window of its multi-document area.

#include "app/app_commands.hpp"

class CWDocument;
class CPlotView;

class CDocumentWindow {
  public:
    virtual ~CDocumentWindow() = default;

    // The document shown; null once the window was detached from it (the window may outlive its
    // document until it is deleted).
    virtual CWDocument* Document() const = 0;
    // The window's own title; empty: the document's title (the main window adds the modified
    // marker).
    virtual QString WindowTitle() const { return {}; }
    // Which of the main menu's window commands it can run now (Print, Add row, Undo, Copy ...).
    virtual CWindowAbilities Abilities() const { return {}; }
    // Runs a main-menu command aimed at the active window; false when it does not apply.
    virtual bool RunCommand(CAppCommand) { return false; }
    // A plot window's view (the axis range window follows it); null for other windows.
    virtual CPlotView* PlotView() const { return nullptr; }
    // Closing this window closes the whole document (false for the volume-temperature plots of
    // a P-T diagram, which close on their own).
    virtual bool ClosesDocument() const { return true; }
    // The window is going away with its document: forget the document now (it is destroyed
    // right after); the window itself is deleted later and holds nothing of it meanwhile.
    virtual void DetachDocument() {}
    // The document was saved or renamed (its modified flag may have been cleared).
    virtual void DocumentStateChanged() {}
};
