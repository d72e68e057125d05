// SPDX-License-Identifier: BSD-3-Clause
// The three tool panels of the desktop: made on first request, shown on the page asked for, gone
// when the person closes them.

#include <QPointer>
#include <array>

#include "gui/panels/tool_panel_dialog.hpp"
#include "gui/shell/main_window.hpp"
#include "gui/shell/tool_panels.hpp"
#include "gui/shell/zephon_app.hpp"

namespace {

class CQtToolPanels : public CToolPanels {
  public:
    explicit CQtToolPanels(CZephonApp& app) : mApp(app) {}
    ~CQtToolPanels() override {
        for (QPointer<CToolPanelDialog>& dialog : mDialogs)
            delete dialog.data();
    }

    void Display(CToolPanelKind kind, int page) override {
        QPointer<CToolPanelDialog>& dialog = mDialogs[static_cast<std::size_t>(kind)];
        if (dialog.isNull()) dialog = new CToolPanelDialog(MakePanel(kind), mApp);
        dialog->ShowPage(page);
        mApp.MainWindow().UpdateActions();
    }

    int ShownPage(CToolPanelKind kind) const override {
        const QPointer<CToolPanelDialog>& dialog = mDialogs[static_cast<std::size_t>(kind)];
        return dialog.isNull() ? -1 : dialog->ShownPage();
    }

  private:
    std::unique_ptr<CToolPanel> MakePanel(CToolPanelKind kind) {
        CApplicationCore& core = mApp.Core();
        switch (kind) {
        case CToolPanelKind::AlphaBeta:
            return std::make_unique<CAlphaBetaPanelModel>(core);
        case CToolPanelKind::PhaseDiagram:
            return std::make_unique<CPhaseDiagPanelModel>(core);
        case CToolPanelKind::BubbleSize:
            break;
        }
        return std::make_unique<CVolumePanelModel>(core);
    }

    CZephonApp& mApp;
    std::array<QPointer<CToolPanelDialog>, 3> mDialogs;
};

} // namespace

std::unique_ptr<CToolPanels> CreateToolPanels(CZephonApp& app) {
    return std::make_unique<CQtToolPanels>(app);
}
