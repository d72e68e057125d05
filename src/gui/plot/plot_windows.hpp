// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The windows of the plot documents and of volume-temperature plots.

class QWidget;
class CZephonApp;
class CPhaseDiagDocument;
class CVolumePlotView;

// The window of a volume-temperature plot of a P-T document.
QWidget* CreateVTPlotWindow(CPhaseDiagDocument& document, CVolumePlotView& view, CZephonApp& app);
