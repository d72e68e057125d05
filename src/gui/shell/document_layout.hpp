// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// What a person arranged for one document file and finds again when the file is reopened: the size
// of its window and, for an alpha-beta plot, whether the iso-GOR and iso-API curves are shown. The
// files have no room for it, so it is kept in the settings under the file's path.

#include <QSize>

class CWDocument;
class QMdiSubWindow;

// Kept when the document's window closes (nothing for a document never saved).
void RememberDocumentLayout(const CWDocument& document, const QMdiSubWindow& window);
// Given back when the document's window opens.
void RestoreDocumentLayout(CWDocument& document, QMdiSubWindow& window);

// A window just added to its area: at the wanted size, no larger than the area and wholly inside
// it. A window the area maximised (the others are) stays maximised.
void PlaceSubWindow(QMdiSubWindow& window, QSize wanted);
// The size a new window of a plot or table opens at: its own wish, grown to a share of the area
// (a plot is read better large), never larger than the area.
QSize NewSubWindowSize(const QMdiSubWindow& window, bool isPlot);
