// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Which window shows each kind of document. The table and plot modules register their makers;
// the main window asks for the windows of a document when it is made or opened.

#include <QWidget>
#include <array>
#include <functional>

#include "app/document_kinds.hpp"

class CZephonApp;
class CDocumentWindow;

class CWindowRegistry {
  public:
    // Makes the window of a document; the widget also derives from CDocumentWindow.
    using Maker = std::function<QWidget*(CWDocument& document, CZephonApp& app)>;

    void Register(CDocumentKind kind, Maker maker) {
        mMakers[static_cast<std::size_t>(kind)] = std::move(maker);
    }
    // Null when no maker is registered for the kind.
    QWidget* MakeWindow(CWDocument& document, CZephonApp& app) const;

  private:
    std::array<Maker, kDocumentKindCount> mMakers;
};

// Registered by their modules (plot/plot_windows.hpp, tables/table_windows.hpp).
void RegisterPlotWindows(CWindowRegistry& registry);
void RegisterTableWindows(CWindowRegistry& registry);
