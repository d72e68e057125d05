// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// What a person arranged for one document file and finds again when the file is reopened: the size
// of its window and, for an alpha-beta plot, whether the iso-GOR and iso-API curves are shown. The
// files have no room for it, so it is kept in the settings under the file's path.

class CWDocument;
class QMdiSubWindow;

// Kept when the document's window closes (nothing for a document never saved).
void RememberDocumentLayout(const CWDocument& document, const QMdiSubWindow& window);
// Given back when the document's window opens.
void RestoreDocumentLayout(CWDocument& document, QMdiSubWindow& window);
