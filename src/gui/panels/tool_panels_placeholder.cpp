// Until the panels exist: no panel opens, and every page reads as closed.
#include "gui/shell/tool_panels.hpp"

namespace {

class CNoToolPanels : public CToolPanels {
  public:
    void Display(CToolPanelKind, int) override {}
    int ShownPage(CToolPanelKind) const override { return -1; }
};

} // namespace

std::unique_ptr<CToolPanels> CreateToolPanels(CZephonApp&) {
    return std::make_unique<CNoToolPanels>();
}
