// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// A window that shows a plot view: the zoom toolbar, the plot area and a one-pane status line.
// The area paints the view through the QPainter canvas and hands it the mouse and the keyboard;
// the window runs what the view asks of its host (status text, context menus, the colour, font
// and settings dialogs, the axis range window, printing) and the main menu's window commands
// (Print, Page Setup, Export picture).
//
// The windows of the alpha-beta plots, P-T diagrams and volume-temperature plots are all of this
// class or derive from it; a derived window may give its own title or close without its document.

#include <QWidget>

#include "documents/w_document.hpp"
#include "gui/shell/document_window.hpp"
#include "plot/plot_view.hpp"
#include "plot/plot_view_host.hpp"

class CZephonApp;
class CPlotArea;
class QAction;
class QLabel;
class QToolBar;

class CPlotWindow : public QWidget, public CDocumentWindow, public CPlotViewHost, public CDocumentView {
    Q_OBJECT

  public:
    static constexpr int kDefaultWidth = 400;
    static constexpr int kDefaultHeight = 320;

    CPlotWindow(CWDocument& document, CPlotView& view, CZephonApp& app);
    ~CPlotWindow() override;

    // The view shown; null once the document has gone.
    CPlotView* View() const { return mView; }
    // Where the plot is drawn and the mouse and keys are taken.
    QWidget* Area() const;
    QToolBar* ZoomToolBar() const { return mToolBar; }
    QAction* ZoomAction(CPlotCommand command) const;
    // The text of the status pane.
    QString StatusText() const;

    // ---- CDocumentWindow ----
    CWDocument* Document() const override { return mDocument; }
    CWindowAbilities Abilities() const override;
    bool RunCommand(CAppCommand command) override;
    CPlotView* PlotView() const override { return mView; }
    void DetachDocument() override;

    // ---- CPlotViewHost ----
    void DisplayStatusMessage(const std::string& text) override;
    void RequestRedraw() override;
    void ShowContextMenu(const CPlotContextMenu& menu) override;
    void NotifyAxisRangesChanged(CPlotView& view) override;
    std::optional<zephon::plot::Color> ChooseColor(zephon::plot::Color color) override;
    std::optional<zephon::plot::Font> ChooseFont(const zephon::plot::Font& font) override;
    bool EditCurveSettings(CPlotView& view, CGraphObject& object) override;
    bool EditPointSettings(CPlotView& view, CGraphObject& object) override;
    void ShowAxisRangeWindow(CPlotView& view) override;
    void PrintView(CPlotView& view) override;

    // ---- CDocumentView ----
    void OnDocumentUpdate(CWDocument&) override { RequestRedraw(); }

    QSize sizeHint() const override { return {kDefaultWidth, kDefaultHeight}; }

    // After something a person did in the window: the zoom buttons follow the selection, and the
    // main window its menus and the document's modified marker.
    void ActionDone();

  protected:
    CZephonApp& mApp;

  private:
    void RunZoom(CPlotCommand command);
    // What an exported picture is named after.
    std::string PictureTitle() const;
    void UpdateZoomButtons();

    CWDocument* mDocument;
    CPlotView* mView;
    QToolBar* mToolBar = nullptr;
    QAction* mZoomIn = nullptr;
    QAction* mZoomOut = nullptr;
    QAction* mReset = nullptr;
    QAction* mToData = nullptr;
    CPlotArea* mArea = nullptr;
    QLabel* mStatus = nullptr;
};
