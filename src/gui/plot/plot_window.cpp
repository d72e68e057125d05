#include "gui/plot/plot_window.hpp"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>

#include "gui/plot/qpainter_canvas.hpp"
#include "gui/shell/main_window.hpp"
#include "gui/shell/zephon_app.hpp"
#include "plot/plot_view.hpp"

CPlotWindow::CPlotWindow(CWDocument& document, CPlotView& view, CZephonApp& app)
    : mApp(app), mDocument(&document), mView(&view) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    mView->SetHost(this);
    mDocument->AddView(this);
    resize(kDefaultWidth, kDefaultHeight);
}

CPlotWindow::~CPlotWindow() {
    DetachDocument();
}

void CPlotWindow::DetachDocument() {
    if (mDocument == nullptr) return;
    if (mView->GetHost() == this) mView->SetHost(nullptr);
    mDocument->RemoveView(this);
    mApp.Core().NotifyPlotWindowClosed(mView);
    mDocument = nullptr;
}

CWindowAbilities CPlotWindow::Abilities() const {
    CWindowAbilities abilities;
    abilities.prints = true;
    return abilities;
}

bool CPlotWindow::RunCommand(CAppCommand) {
    return false;
}

void CPlotWindow::DisplayStatusMessage(const std::string& text) {
    mApp.MainWindow().ShowStatus(QString::fromStdString(text));
}

void CPlotWindow::ShowContextMenu(const CPlotContextMenu&) {}

void CPlotWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    CQPainterCanvas canvas(painter);
    mView->Draw(canvas);
}

void CPlotWindow::resizeEvent(QResizeEvent*) {
    mView->SetClientRect({0, 0, width(), height()});
}

void CPlotWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    const CPlotTracking tracking = mView->OnLButtonDown(at.x(), at.y());
    mTracking = tracking.kind != CPlotTracking::Kind::None;
    mPressAt = at;
    if (mTracking) {
        if (mRubberBand == nullptr) mRubberBand = new QRubberBand(QRubberBand::Rectangle, this);
        mRubberBand->setGeometry(QRect(at, QSize()));
        mRubberBand->show();
    }
}

void CPlotWindow::mouseMoveEvent(QMouseEvent* event) {
    if (mTracking && mRubberBand)
        mRubberBand->setGeometry(QRect(mPressAt, event->position().toPoint()).normalized());
}

void CPlotWindow::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        mView->OnRButtonUp(at.x(), at.y());
        return;
    }
    if (!mTracking) return;
    mTracking = false;
    if (mRubberBand) mRubberBand->hide();
    const QRect r = QRect(mPressAt, at).normalized();
    mView->EndTracking({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
}

void CPlotWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    mView->OnLButtonDblClk(at.x(), at.y());
}
