// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// A tool panel: a dock of the main window with one tab per page, on the right beside the plots
// (tabbed with the other panels) or floating where the person put it. It owns the panel of the
// application's logic whose pages its tabs show; the page in front is the one the menu commands
// check. Closing it destroys it, and the next command makes a new one in the place it had.

#include <QDockWidget>
#include <memory>

#include "app/tool_panels.hpp"

class CZephonApp;
class QTabWidget;

class CToolPanelDialog : public QDockWidget {
    Q_OBJECT

  public:
    // The dialog of a panel, its pages' widgets made by `makePages`.
    CToolPanelDialog(std::unique_ptr<CToolPanel> panel, CZephonApp& app);
    ~CToolPanelDialog() override;

    CToolPanel& Panel() const { return *mPanel; }
    QTabWidget& Tabs() const { return *mTabs; }
    // Shows the dock, in front of the docks it is tabbed with, with the page in front.
    void ShowPage(int page);
    // The page in front, -1 while hidden.
    int ShownPage() const;

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void PageChanged(int page);

    std::unique_ptr<CToolPanel> mPanel;
    CZephonApp& mApp;
    bool mPlaced = false;
    QTabWidget* mTabs = nullptr;
};
