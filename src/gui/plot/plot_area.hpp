// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The drawing area of a plot window: it paints the view, tells it its size, and turns the mouse
// and the keyboard into the view's clicks, rubber bands, drags and commands. While a rectangle is
// tracked it draws the rectangle itself; a stored selection shows the handles that resize it.

#include <QWidget>
#include <optional>

#include "plot/plot_view_host.hpp"
#include "plot/rect_tracker.hpp"

class CPlotView;
class CPlotWindow;

class CPlotArea : public QWidget {
    Q_OBJECT

  public:
    explicit CPlotArea(CPlotWindow& window);

    // Whether a rubber band, a selection or a dragged frame follows the mouse.
    bool IsTracking() const { return mTracking.kind != CPlotTracking::Kind::None; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    CPlotView* View() const;
    // The tracked rectangle with the mouse at `at`.
    zephon::plot::Rect Tracked(QPoint at) const;
    void CancelTracking();
    // The cursor over the stored selection: the resize arrows of its handles, the move cross.
    void UpdateCursor(QPoint at);

    CPlotWindow& mWindow;
    CPlotTracking mTracking;
    CTrackerHit mHit = CTrackerHit::None;
    std::optional<zephon::plot::Rect> mTrackedRect;
};
