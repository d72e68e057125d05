// SPDX-License-Identifier: BSD-3-Clause
#include "gui/plot/plot_window.hpp"

#include <QAction>
#include <QColorDialog>
#include <QFontDialog>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>

#include "gui/plot/context_menu.hpp"
#include "gui/plot/plot_area.hpp"
#include "gui/plot/plot_output.hpp"
#include "gui/plot/qpainter_canvas.hpp"
#include "gui/plot/settings_dialogs.hpp"
#include "gui/plot/zoom_icons.hpp"
#include "gui/shell/font_families.hpp"
#include "gui/shell/main_window.hpp"
#include "gui/shell/zephon_app.hpp"

using namespace zephon::plot;

CPlotWindow::CPlotWindow(CWDocument& document, CPlotView& view, CZephonApp& app)
    : mApp(app), mDocument(&document), mView(&view) {
    setObjectName("plotWindow");
    mToolBar = new QToolBar("Zoom", this);
    mToolBar->setIconSize(QSize(16, 16));
    const auto addZoom = [this](CZoomIcon icon, const char* tip, CPlotCommand command) {
        QAction* action = mToolBar->addAction(ZoomIcon(icon), tip);
        action->setToolTip(tip);
        action->setStatusTip(tip);
        connect(action, &QAction::triggered, this, [this, command] { RunZoom(command); });
        return action;
    };
    mZoomIn =
        addZoom(CZoomIcon::ZoomIn, "Click here to enlarge the selected rectangle.", CPlotCommand::ZoomIn);
    mZoomOut = addZoom(CZoomIcon::ZoomOut, "Click here to reduce the present view to the selected rectangle.",
                       CPlotCommand::ZoomOut);
    mReset = addZoom(CZoomIcon::Reset, "Click here to reset the axis ranges by default.",
                     CPlotCommand::AxisRangesByDefault);
    mToData = addZoom(CZoomIcon::ToData, "Zoom to data (F): the ranges that hold every curve and point.",
                      CPlotCommand::ZoomToData);

    mArea = new CPlotArea(*this);
    auto* statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(false);
    mStatus = new QLabel(statusBar);
    mStatus->setObjectName("plotStatus");
    mStatus->setFont(ScreenFont("MS Sans Serif", 12, true));
    mStatus->setTextFormat(Qt::PlainText);
    statusBar->addWidget(mStatus, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(mToolBar);
    layout->addWidget(mArea, 1);
    layout->addWidget(statusBar);
    setFocusProxy(mArea);

    mView->SetHost(this);
    mDocument->AddView(this);
    resize(kDefaultWidth, kDefaultHeight);
    UpdateZoomButtons();
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
    // The view goes with its document; until this window is deleted it shows nothing.
    mView = nullptr;
    ActionDone();
    mArea->update();
}

QWidget* CPlotWindow::Area() const {
    return mArea;
}

QAction* CPlotWindow::ZoomAction(CPlotCommand command) const {
    switch (command) {
    case CPlotCommand::ZoomIn:
        return mZoomIn;
    case CPlotCommand::ZoomOut:
        return mZoomOut;
    case CPlotCommand::AxisRangesByDefault:
        return mReset;
    case CPlotCommand::ZoomToData:
        return mToData;
    default:
        return nullptr;
    }
}

QString CPlotWindow::StatusText() const {
    return mStatus->text();
}

void CPlotWindow::UpdateZoomButtons() {
    const bool canZoom = mView != nullptr && mView->CanZoom();
    mZoomIn->setEnabled(canZoom);
    mZoomOut->setEnabled(canZoom);
    mReset->setEnabled(mView != nullptr);
    mToData->setEnabled(mView != nullptr && mView->CanZoomToData());
}

void CPlotWindow::ActionDone() {
    UpdateZoomButtons();
    if (mDocument != nullptr && mApp.Core().IsOpen(mDocument)) mApp.MainWindow().UpdateActions();
}

void CPlotWindow::RunZoom(CPlotCommand command) {
    if (mView == nullptr) return;
    mView->OnCommand(command);
    ActionDone();
}

// ---- CDocumentWindow ----

CWindowAbilities CPlotWindow::Abilities() const {
    CWindowAbilities abilities;
    abilities.prints = mView != nullptr;
    if (const CPlotHistory* history = mApp.Core().History(mDocument)) {
        abilities.undo = history->CanUndo();
        abilities.redo = history->CanRedo();
    }
    return abilities;
}

bool CPlotWindow::RunCommand(CAppCommand command) {
    if (mView == nullptr) return false;
    CPlotHistory* history = mApp.Core().History(mDocument);
    switch (command) {
    case CAppCommand::EditUndo:
        if (history != nullptr) history->Undo();
        return history != nullptr;
    case CAppCommand::EditRedo:
        if (history != nullptr) history->Redo();
        return history != nullptr;
    case CAppCommand::FilePrint:
        PrintView(*mView);
        return true;
    case CAppCommand::FilePageSetup:
        RunPageSetup(this);
        return true;
    case CAppCommand::ViewZoomToData:
        RunZoom(CPlotCommand::ZoomToData);
        return true;
    case CAppCommand::FileExportPicture:
        // A volume-temperature plot is named after its window ("study.ptd:1"), the others after
        // their document.
        ExportPictureWithDialogs(*mView, mApp.Services(), PictureTitle(),
                                 QSize(mArea->width(), mArea->height()), this);
        return true;
    default:
        return false;
    }
}

std::string CPlotWindow::PictureTitle() const {
    const QString own = WindowTitle();
    if (!own.isEmpty()) return own.toStdString();
    return mDocument != nullptr ? mDocument->GetTitle() : std::string();
}

// ---- CPlotViewHost ----

void CPlotWindow::DisplayStatusMessage(const std::string& text) {
    mStatus->setText(ToQString(text));
}

void CPlotWindow::RequestRedraw() {
    mArea->update();
    UpdateZoomButtons();
}

void CPlotWindow::ShowContextMenu(const CPlotContextMenu& menu) {
    const std::optional<int> command =
        ExecContextMenu(menu, this, mArea->mapToGlobal(QPoint(menu.at.x, menu.at.y)));
    // The command may remove the object the menu was made for; the view checks what it acts on.
    if (command && mView != nullptr) mView->OnMenuCommand(*command);
    ActionDone();
}

void CPlotWindow::NotifyAxisRangesChanged(CPlotView&) {
    mApp.Core().Notify(CAppNotification::AxisRangesChanged);
}

std::optional<Color> CPlotWindow::ChooseColor(Color color) {
    const QColor chosen = QColorDialog::getColor(ToQColor(color), this, "Color");
    if (!chosen.isValid()) return std::nullopt;
    return FromQColor(chosen);
}

std::optional<Font> CPlotWindow::ChooseFont(const Font& font) {
    bool ok = false;
    // The plot's fonts are given in pixels; the dialog speaks points of this screen.
    QFont initial = ScreenFont(font.face, font.height, font.weight >= 501, font.italic);
    initial.setPointSizeF(font.height * 72.0 / logicalDpiY());
    const QFont chosen = QFontDialog::getFont(&ok, initial, this, "Font");
    if (!ok) return std::nullopt;
    Font result = font;
    result.face = chosen.family().toStdString();
    result.height = chosen.pixelSize() > 0
                        ? chosen.pixelSize()
                        : static_cast<int>(std::lround(chosen.pointSizeF() * logicalDpiY() / 72));
    result.weight = chosen.bold() ? 700 : 400;
    result.italic = chosen.italic();
    return result;
}

bool CPlotWindow::EditCurveSettings(CPlotView&, CGraphObject& object) {
    DisplayStatusMessage("Modify the appearance of the curve");
    CCurveSettingsWindow dialog(object, this);
    const bool changed = dialog.DoRun();
    DisplayStatusMessage("");
    return changed;
}

bool CPlotWindow::EditPointSettings(CPlotView&, CGraphObject& object) {
    DisplayStatusMessage("Modify the appearance of the point");
    CPointSettingsWindow dialog(object, this);
    const bool changed = dialog.DoRun();
    DisplayStatusMessage("");
    return changed;
}

void CPlotWindow::ShowAxisRangeWindow(CPlotView&) {
    mApp.DisplayAxisRangeDialog();
}

void CPlotWindow::PrintView(CPlotView& view) {
    PrintWithDialog(view, this);
}
