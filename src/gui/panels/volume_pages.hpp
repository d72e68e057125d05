// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The widget of the two pages of the "Bubble size variation" panel: what is not plotted, what is,
// and the two buttons between them.

#include "app/panel_volume_pages.hpp"
#include "gui/panels/page_widget.hpp"

class QPushButton;

class CVolumePageWidget : public CPageWidget {
    Q_OBJECT

  public:
    // The captions of the two lists and of the two buttons.
    struct Captions {
        const char* nonPlotted;
        const char* plotted;
        const char* plot;
        const char* remove;
    };
    CVolumePageWidget(CVolumePage& page, const Captions& captions, CZephonApp& app);

  protected:
    void Sync() override;
    QLineEdit* FieldWidget(int) const override { return nullptr; }

  private:
    CVolumePage& mPage;
    QListWidget* mNonPlotted = nullptr;
    QListWidget* mPlotted = nullptr;
    QPushButton* mPlot = nullptr;
    QPushButton* mRemove = nullptr;
};
