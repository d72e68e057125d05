// SPDX-License-Identifier: BSD-3-Clause
#include "gui/plot/plot_area.hpp"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "gui/plot/plot_window.hpp"
#include "gui/plot/qpainter_canvas.hpp"
#include "plot/plot_view.hpp"

using namespace zephon::plot;

namespace {

Point ToPoint(QPoint p) {
    return {p.x(), p.y()};
}

Qt::CursorShape CursorOf(CTrackerHit hit) {
    switch (hit) {
    case CTrackerHit::TopLeft:
    case CTrackerHit::BottomRight:
        return Qt::SizeFDiagCursor;
    case CTrackerHit::TopRight:
    case CTrackerHit::BottomLeft:
        return Qt::SizeBDiagCursor;
    case CTrackerHit::Top:
    case CTrackerHit::Bottom:
        return Qt::SizeVerCursor;
    case CTrackerHit::Left:
    case CTrackerHit::Right:
        return Qt::SizeHorCursor;
    case CTrackerHit::Move:
        return Qt::SizeAllCursor;
    case CTrackerHit::None:
        break;
    }
    return Qt::CrossCursor;
}

} // namespace

CPlotArea::CPlotArea(CPlotWindow& window) : QWidget(&window), mWindow(window) {
    setObjectName("plotArea");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
}

CPlotView* CPlotArea::View() const {
    return mWindow.View();
}

// ---- painting ----

void CPlotArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    CPlotView* view = View();
    if (view == nullptr) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    {
        CQPainterCanvas canvas(painter);
        view->Draw(canvas);
    }
    painter.setClipping(false);
    painter.setBrush(Qt::NoBrush);
    if (mTrackedRect) {
        const Rect r = mTrackedRect->Normalized();
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(QRect(r.left, r.top, std::max(r.Width() - 1, 0), std::max(r.Height() - 1, 0)));
    } else if (view->HasSelectionTracker()) {
        // The handles that resize the stored selection.
        painter.setPen(Qt::black);
        painter.setBrush(Qt::black);
        for (const Rect& handle : CRectTracker::Handles(view->GetSelectedRect()))
            painter.drawRect(QRect(handle.left + 2, handle.top + 2, handle.Width() - 4, handle.Height() - 4));
    }
}

void CPlotArea::resizeEvent(QResizeEvent*) {
    if (CPlotView* view = View()) view->SetClientRect({0, 0, width(), height()});
}

// ---- mouse ----

Rect CPlotArea::Tracked(QPoint at) const {
    if (mTracking.kind == CPlotTracking::Kind::NewSelection)
        return Rect{mTracking.anchor.x, mTracking.anchor.y, at.x(), at.y()}.Normalized();
    return CRectTracker::Track(mTracking.start, mHit, mTracking.anchor, ToPoint(at));
}

void CPlotArea::mousePressEvent(QMouseEvent* event) {
    CPlotView* view = View();
    if (view == nullptr || event->button() != Qt::LeftButton || IsTracking()) return;
    const QPoint at = event->position().toPoint();
    mTracking = view->OnLButtonDown(at.x(), at.y());
    switch (mTracking.kind) {
    case CPlotTracking::Kind::None:
        mWindow.ActionDone();
        return;
    case CPlotTracking::Kind::NewSelection:
        mHit = CTrackerHit::BottomRight;
        break;
    case CPlotTracking::Kind::MoveSelection:
        mHit = CRectTracker::HitTest(mTracking.start, mTracking.anchor);
        if (mHit == CTrackerHit::None) mHit = CTrackerHit::Move;
        break;
    case CPlotTracking::Kind::DragObject:
        mHit = CTrackerHit::Move;
        break;
    }
    mTrackedRect = Tracked(at);
    update();
}

void CPlotArea::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (!IsTracking()) {
        UpdateCursor(at);
        return;
    }
    mTrackedRect = Tracked(at);
    update();
}

void CPlotArea::mouseReleaseEvent(QMouseEvent* event) {
    CPlotView* view = View();
    if (view == nullptr) return;
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        if (IsTracking()) return;
        view->OnRButtonUp(at.x(), at.y());
        mWindow.ActionDone();
        return;
    }
    if (event->button() != Qt::LeftButton || !IsTracking()) return;
    const Rect released = Tracked(at);
    mTracking = {};
    mTrackedRect.reset();
    view->EndTracking(released);
    update();
    UpdateCursor(at);
    mWindow.ActionDone();
}

void CPlotArea::mouseDoubleClickEvent(QMouseEvent* event) {
    CPlotView* view = View();
    if (view == nullptr || event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    view->OnLButtonDblClk(at.x(), at.y());
    mWindow.ActionDone();
}

void CPlotArea::CancelTracking() {
    mTracking = {};
    mTrackedRect.reset();
    if (CPlotView* view = View()) view->CancelTracking();
    update();
}

void CPlotArea::UpdateCursor(QPoint at) {
    const CPlotView* view = View();
    const CTrackerHit hit = view != nullptr && view->HasSelectionTracker()
                                ? CRectTracker::HitTest(view->GetSelectedRect(), ToPoint(at))
                                : CTrackerHit::None;
    setCursor(CursorOf(hit));
}

// ---- keyboard ----

void CPlotArea::keyPressEvent(QKeyEvent* event) {
    CPlotView* view = View();
    if (view == nullptr) return QWidget::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Escape:
        // A rubber band in progress is dropped; otherwise the stored selection.
        if (IsTracking()) {
            CancelTracking();
        } else {
            view->DropSelection();
        }
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        view->OnCommand(CPlotCommand::ZoomIn);
        break;
    case Qt::Key_Minus:
        view->OnCommand(CPlotCommand::ZoomOut);
        break;
    case Qt::Key_Home:
        view->OnCommand(CPlotCommand::AxisRangesByDefault);
        break;
    case Qt::Key_F:
        if (event->modifiers() != Qt::NoModifier) return QWidget::keyPressEvent(event);
        view->OnCommand(CPlotCommand::ZoomToData);
        break;
    default:
        return QWidget::keyPressEvent(event);
    }
    mWindow.ActionDone();
}

void CPlotArea::contextMenuEvent(QContextMenuEvent* event) {
    // The menu key and Shift+F10 open the menu at the selected point, or amid the plot; the mouse
    // opens it on the release of its right button.
    CPlotView* view = View();
    if (view == nullptr || event->reason() != QContextMenuEvent::Keyboard || IsTracking()) return;
    const Rect plot = view->GetPlotRect();
    Point at{plot.left + plot.Width() / 2, plot.top + plot.Height() / 2};
    if (view->IsSelectedPointVisible())
        at = {view->GetSelectedPoint().mLocalX, view->GetSelectedPoint().mLocalY};
    view->OnRButtonUp(at.x, at.y);
    mWindow.ActionDone();
}
