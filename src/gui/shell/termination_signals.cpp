// SPDX-License-Identifier: BSD-3-Clause
#include "gui/shell/termination_signals.hpp"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <csignal>

namespace {

std::atomic<bool> gTerminationRequested{false};

extern "C" void OnTerminationSignal(int) {
    gTerminationRequested = true;
}

} // namespace

void QuitOnTerminationSignals(QWidget& window) {
    std::signal(SIGTERM, OnTerminationSignal);
    std::signal(SIGINT, OnTerminationSignal);
    auto* poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, &window, [&window] {
        if (!gTerminationRequested) return;
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
            return;
        }
        gTerminationRequested = false;
        window.close();
    });
    poll->start(200);
}
