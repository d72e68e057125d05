// SPDX-License-Identifier: BSD-3-Clause
#include "gui/shell/window_registry.hpp"

QWidget* CWindowRegistry::MakeWindow(CWDocument& document, CZephonApp& app) const {
    const Maker& maker = mMakers[static_cast<std::size_t>(KindOfDocument(document))];
    return maker ? maker(document, app) : nullptr;
}
