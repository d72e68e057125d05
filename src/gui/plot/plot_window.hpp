#pragma once
// A window that shows a plot view: it paints the view through the QPainter canvas, tells it its
// size, forwards the mouse, tracks rubber bands for it and runs what the view asks of its host.

#include <QWidget>

#include "documents/w_document.hpp"
#include "gui/shell/document_window.hpp"
#include "plot/plot_view_host.hpp"

class CZephonApp;
class QRubberBand;

class CPlotWindow : public QWidget, public CDocumentWindow, public CPlotViewHost, public CDocumentView {
    Q_OBJECT

  public:
    static constexpr int kDefaultWidth = 400;
    static constexpr int kDefaultHeight = 320;

    CPlotWindow(CWDocument& document, CPlotView& view, CZephonApp& app);
    ~CPlotWindow() override;

    CPlotView& View() const { return *mView; }

    // ---- CDocumentWindow ----
    CWDocument& Document() const override { return *mDocument; }
    CWindowAbilities Abilities() const override;
    bool RunCommand(CAppCommand command) override;
    CPlotView* PlotView() const override { return mView; }
    void DetachDocument() override;

    // ---- CPlotViewHost ----
    void DisplayStatusMessage(const std::string& text) override;
    void RequestRedraw() override { update(); }
    void ShowContextMenu(const CPlotContextMenu& menu) override;

    // ---- CDocumentView ----
    void OnDocumentUpdate(CWDocument&) override { update(); }

    QSize sizeHint() const override { return {kDefaultWidth, kDefaultHeight}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

    CZephonApp& mApp;

  private:
    QRubberBand* mRubberBand = nullptr;
    CWDocument* mDocument;
    CPlotView* mView;
    QPoint mPressAt;
    bool mTracking = false;
};
