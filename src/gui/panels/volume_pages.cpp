// SPDX-License-Identifier: BSD-3-Clause
#include "gui/panels/volume_pages.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

CVolumePageWidget::CVolumePageWidget(CVolumePage& page, const Captions& captions, CZephonApp& app)
    : CPageWidget(page, app), mPage(page) {
    mNonPlotted = MakeList("nonPlotted", [this](int row) { mPage.SelectNonPlotted(row); });
    mPlotted = MakeList("plotted", [this](int row) { mPage.SelectPlotted(row); });
    mPlot = MakeButton(captions.plot, "plot", [this] { mPage.Plot(); });
    mRemove = MakeButton(captions.remove, "remove", [this] { mPage.Remove(); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(Caption(captions.nonPlotted, mNonPlotted), 0, 0);
    grid->addWidget(Caption(captions.plotted, mPlotted), 0, 2);
    grid->addWidget(mNonPlotted, 1, 0, 4, 1);
    grid->addWidget(mPlot, 2, 1);
    grid->addWidget(mRemove, 3, 1);
    grid->addWidget(mPlotted, 1, 2, 4, 1);
    // The lists take the height; the buttons stay between them in the middle.
    grid->setRowStretch(1, 1);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    Start();
}

void CVolumePageWidget::Sync() {
    SyncList(*mNonPlotted, mPage.NonPlotted());
    SyncList(*mPlotted, mPage.Plotted());
    SyncButton(*mPlot, mPage.PlotButton());
    SyncButton(*mRemove, mPage.RemoveButton());
}
