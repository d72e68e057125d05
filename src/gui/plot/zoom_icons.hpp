// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The glyphs of a plot window's zoom toolbar, drawn at run time: a magnifying glass with a plus
// (zoom in), with a minus (zoom out), a framed glass (axis ranges by default) and points held by the
// corners of a frame (zoom to data).

#include <QIcon>

enum class CZoomIcon { ZoomIn, ZoomOut, Reset, ToData };

QIcon ZoomIcon(CZoomIcon which);
