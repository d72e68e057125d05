// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Zephon's own pictures, drawn at run time so that no image file can go missing: the application
// icon (a mineral grain holding an oil inclusion with its vapour bubble) and the toolbar glyphs.

#include <QIcon>
#include <QPixmap>

enum class CToolIcon { New, Open, Save, Print, About };

QIcon ZephonIcon();
// The application picture at any size (the splash screen and the about box use it large).
QPixmap ZephonPicture(int size);
QIcon ToolIcon(CToolIcon which);
