// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// What the plot window tests share: the demonstration's documents made once by zephon-cli, the
// application started with scripted services, the plot window of an open document, and modal
// dialogs and context menus answered by timers so that no test ever waits on a box.

#include <QApplication>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "gui/plot/plot_window.hpp"
#include "gui/shell/main_window.hpp"
#include "gui/shell/zephon_app.hpp"
#include "scripted_services.hpp"

namespace plot_test {

// Runs the demonstration into the folder; false when it did not complete.
inline bool MakeDemo(const QTemporaryDir& folder) {
    QProcess demo;
    demo.start(ZEPHON_CLI, {"demo", "--out", folder.path()});
    return demo.waitForFinished(180000) && demo.exitCode() == 0;
}

// The application with scripted services, its log in the given folder.
inline std::unique_ptr<CZephonApp> StartApp(const QString& logFolder, CScriptedServices*& services) {
    auto scripted = std::make_unique<CScriptedServices>();
    services = scripted.get();
    CZephonApp::Options options;
    options.splash = false;
    options.logFolder = std::filesystem::path(logFolder.toStdString());
    auto app = std::make_unique<CZephonApp>(options, std::move(scripted));
    app->MainWindow().resize(1400, 1000);
    return app;
}

// The plot window of the active sub-window.
inline CPlotWindow* ActivePlotWindow(CZephonApp& app);
// Gives the window's plot area exactly this size.
inline bool SizeArea(CPlotWindow& window, QSize size);

// What every test function starts from: the demonstration's documents (made once per program)
// and a fresh application with scripted services and a folder of its own.
struct CPlotFixture {
    QTemporaryDir demo;
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<CZephonApp> app;
    CScriptedServices* services = nullptr;

    bool MakeDemoOnce() { return MakeDemo(demo); }
    void Start() {
        folder = std::make_unique<QTemporaryDir>();
        app = StartApp(folder->path(), services);
    }
    void Stop() { app.reset(); }
    // Opens a demonstration document; its window, with a plot area of 640 x 480 pixels.
    CPlotWindow* Open(const char* name) {
        app->OpenFiles({demo.filePath(name)});
        CPlotWindow* window = ActivePlotWindow(*app);
        if (window != nullptr && !SizeArea(*window, QSize(640, 480))) return nullptr;
        // Painted once, as a shown window is before anyone clicks: the plot is laid out with the
        // screen's fonts (the window may have come back at that size, with no resize to lay it out).
        if (window != nullptr) window->Area()->grab();
        return window;
    }
};

// The plot window of the active sub-window.
inline CPlotWindow* ActivePlotWindow(CZephonApp& app) {
    return dynamic_cast<CPlotWindow*>(app.MainWindow().ActiveDocumentWindow());
}

// Gives the window's plot area exactly this size.
inline bool SizeArea(CPlotWindow& window, QSize size) {
    auto* sub = qobject_cast<QMdiSubWindow*>(window.parentWidget());
    if (sub == nullptr) return false;
    sub->showNormal();
    for (int attempt = 0; attempt < 3 && window.Area()->size() != size; ++attempt) {
        sub->resize(sub->size() + size - window.Area()->size());
        QCoreApplication::processEvents();
    }
    return window.Area()->size() == size;
}

// Calls `answer` on the first modal widget of type T that opens within a few seconds. The answer
// must close it; a dialog that never opens leaves the test to fail on its own check.
template <class T> void AnswerModal(std::function<void(T&)> answer) {
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, answer] {
        T* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr && clock->elapsed() < 5000) return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        if (dialog != nullptr) answer(*dialog);
    });
    timer->start(10);
}

// An action's caption as the document gave it, without the mnemonic the menu added.
inline QString CaptionOf(const QAction& action) {
    return QString(action.text()).remove('&');
}

// The action of an open menu whose caption is the one given, searching its submenus.
inline QAction* FindAction(QMenu& menu, const QString& caption) {
    for (QAction* action : menu.actions()) {
        if (CaptionOf(*action) == caption) return action;
        if (action->menu() != nullptr)
            if (QAction* found = FindAction(*action->menu(), caption)) return found;
    }
    return nullptr;
}

// Chooses the item of the next context menu that opens (nothing chosen: the menu is dismissed).
// The captions of every item of that menu are kept in *seen.
inline void ChooseFromMenu(const QString& caption, QStringList* seen = nullptr) {
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, caption, seen] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr && clock->elapsed() < 5000) return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        if (menu == nullptr) return;
        if (seen != nullptr) {
            seen->clear();
            for (QAction* action : menu->actions())
                *seen << (action->isSeparator() ? QString("-") : CaptionOf(*action));
        }
        QAction* action = FindAction(*menu, caption);
        if (action == nullptr || !action->isEnabled()) {
            menu->close();
            return;
        }
        menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    timer->start(10);
}

} // namespace plot_test
