// SPDX-License-Identifier: BSD-3-Clause
#include "gui/plot/axis_range_window.hpp"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "base/number_field.hpp"
#include "gui/shell/main_window.hpp"
#include "gui/shell/zephon_app.hpp"
#include "plot/plot_view.hpp"

CAxisRangeWindow::CAxisRangeWindow(CZephonApp& app, QWidget* parent) : QDialog(parent), mApp(app) {
    setWindowTitle("Axis Ranges");
    setObjectName("axisRangeWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    const auto field = [this](const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        connect(edit, &QLineEdit::textChanged, this, [this] {
            if (mDoNotListen == 0) OnCoordinatesChanged();
        });
        return edit;
    };
    mMinX = field("minX");
    mMaxX = field("maxX");
    mMinY = field("minY");
    mMaxY = field("maxY");
    mUseDefault = new QPushButton("Use Default", this);
    mClose = new QPushButton("Close", this);
    // Enter in a field takes what was typed; it presses neither button.
    mUseDefault->setAutoDefault(false);
    mClose->setAutoDefault(false);
    connect(mUseDefault, &QPushButton::clicked, this, &CAxisRangeWindow::OnUseDefault);
    connect(mClose, &QPushButton::clicked, this, &QDialog::close);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Minimum", this), 0, 1);
    grid->addWidget(new QLabel("Maximum", this), 0, 2);
    grid->addWidget(new QLabel("X values", this), 1, 0);
    grid->addWidget(mMinX, 1, 1);
    grid->addWidget(mMaxX, 1, 2);
    grid->addWidget(new QLabel("Y values", this), 2, 0);
    grid->addWidget(mMinY, 2, 1);
    grid->addWidget(mMaxY, 2, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(mUseDefault);
    buttons->addWidget(mClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    // "Set Axis Ranges" loses its check mark once the window is gone.
    connect(this, &QObject::destroyed, &mApp.MainWindow(), &CMainWindow::UpdateActions, Qt::QueuedConnection);
    mApp.Core().AddListener(this);
    Bind(mApp.Core().CurrentPlotView());
}

CAxisRangeWindow::~CAxisRangeWindow() {
    mApp.Core().RemoveListener(this);
}

void CAxisRangeWindow::reject() {
    // Escape closes the window for good, as its close box does (which comes here too).
    QDialog::reject();
    close();
}

// ---- from the application to the fields ----

void CAxisRangeWindow::Bind(CPlotView* view) {
    mPlotView = view;
    UpdatePanel();
}

void CAxisRangeWindow::UpdatePanel() {
    const bool bound = mPlotView != nullptr;
    for (QWidget* control :
         {static_cast<QWidget*>(mMinX), static_cast<QWidget*>(mMaxX), static_cast<QWidget*>(mMinY),
          static_cast<QWidget*>(mMaxY), static_cast<QWidget*>(mUseDefault)})
        control->setEnabled(bound);
    ++mDoNotListen;
    if (bound) {
        const CPlotRanges ranges = mPlotView->GetCurrentRanges();
        const int xDigits = mPlotView->GetXTicksDigits();
        const int yDigits = mPlotView->GetYTicksDigits();
        mMinX->setText(QString::fromStdString(FormatFixed(ranges.minX, xDigits)));
        mMaxX->setText(QString::fromStdString(FormatFixed(ranges.maxX, xDigits)));
        mMinY->setText(QString::fromStdString(FormatFixed(ranges.minY, yDigits)));
        mMaxY->setText(QString::fromStdString(FormatFixed(ranges.maxY, yDigits)));
    } else {
        for (QLineEdit* edit : {mMinX, mMaxX, mMinY, mMaxY})
            edit->clear();
    }
    --mDoNotListen;
}

void CAxisRangeWindow::OnAppNotification(CAppNotification notification) {
    switch (notification) {
    case CAppNotification::CurrentChanged:
        if (mApp.Core().CurrentPlotView() != mPlotView) Bind(mApp.Core().CurrentPlotView());
        break;
    case CAppNotification::AxisRangesChanged:
        // The change this window made itself leaves the person's text as typed.
        if (!mApplying) UpdatePanel();
        break;
    default:
        break;
    }
}

void CAxisRangeWindow::OnDocumentClosing(CWDocument& document) {
    if (ShowsDocument(mPlotView, document)) Bind(nullptr);
}

// ---- from the fields to the view ----

void CAxisRangeWindow::OnCoordinatesChanged() {
    if (mPlotView == nullptr) return;
    const auto number = [](const QLineEdit* edit) { return ParseNumberField(edit->text().toStdString()); };
    const auto minX = number(mMinX), maxX = number(mMaxX), minY = number(mMinY), maxY = number(mMaxY);
    if (!minX || !maxX || !minY || !maxY) return;
    const CPlotRanges ranges{*minX, *maxX, *minY, *maxY};
    // Inverted or empty intervals wait until the person has finished typing.
    if (!ranges.IsValid()) return;
    mApplying = true;
    mPlotView->SetCurrentRanges(ranges);
    mApplying = false;
}

void CAxisRangeWindow::OnUseDefault() {
    if (mPlotView == nullptr) return;
    mApplying = true;
    mPlotView->SetCurrentRanges(mPlotView->GetDefaultRanges());
    mApplying = false;
    UpdatePanel();
}

QWidget* CreateAxisRangeWindow(CZephonApp& app, QWidget* parent) {
    return new CAxisRangeWindow(app, parent);
}
