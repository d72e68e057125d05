#pragma once
// A tool panel: a modeless dialog with one tab per page, kept above the main window. It owns the
// panel of the application's logic whose pages its tabs show; the page in front is the one the
// menu commands check. Closing it destroys it, and the next command makes a new one.

#include <QDialog>
#include <memory>

#include "app/tool_panels.hpp"

class CZephonApp;
class QTabWidget;

class CToolPanelDialog : public QDialog {
    Q_OBJECT

  public:
    // The dialog of a panel, its pages' widgets made by `makePages`.
    CToolPanelDialog(std::unique_ptr<CToolPanel> panel, CZephonApp& app);
    ~CToolPanelDialog() override;

    CToolPanel& Panel() const { return *mPanel; }
    QTabWidget& Tabs() const { return *mTabs; }
    // Shows the dialog with the page in front.
    void ShowPage(int page);
    // The page in front, -1 while hidden.
    int ShownPage() const;

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void PageChanged(int page);

    void PlaceBesideMainWindow();

    std::unique_ptr<CToolPanel> mPanel;
    CZephonApp& mApp;
    bool mPlaced = false;
    QTabWidget* mTabs = nullptr;
};
