// The axis range window arrives with the plot settings dialogs; until then the command does nothing.
#include "gui/shell/zephon_app.hpp"

QWidget* CreateAxisRangeWindow(CZephonApp&, QWidget*) {
    return nullptr;
}
