// SPDX-License-Identifier: BSD-3-Clause
// SIGTERM (a desktop session ending) and SIGINT (Ctrl-C in the terminal) end Zephon the ordinary
// way, through the main window's close, so that modified documents are asked about.
#pragma once

class QWidget;

// Installs the handlers and a timer, owned by `window`, that notices a signal within 200 ms. A
// modal dialog of a running operation (a progress loop, a curve's name) is cancelled first, so that
// no document closes under the operation that is using it; the window is closed once no modal
// dialog is left.
void QuitOnTerminationSignals(QWidget& window);
