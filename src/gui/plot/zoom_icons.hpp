#pragma once
// The glyphs of a plot window's zoom toolbar, drawn at run time: a magnifying glass with a plus
// (zoom in), with a minus (zoom out), and a framed glass (axis ranges by default).

#include <QIcon>

enum class CZoomIcon { ZoomIn, ZoomOut, Reset };

QIcon ZoomIcon(CZoomIcon which);
