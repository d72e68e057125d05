// SPDX-License-Identifier: BSD-3-Clause
#include "gui/shell/window_registry.hpp"

#include "documents/w_document.hpp"

QWidget* CWindowRegistry::MakeWindow(CWDocument& document, CZephonApp& app) const {
    const Maker& maker = mMakers[KindIndex(document.Kind())];
    return maker ? maker(document, app) : nullptr;
}
