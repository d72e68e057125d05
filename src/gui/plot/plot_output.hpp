// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// A plot on paper and in files: printing fitted to the page, Page Setup, and File > "Export
// picture..." as SVG (through the SVG canvas), PNG of a chosen size or PDF: the picture shown on
// screen without the selection.

#include <QRectF>
#include <QSize>
#include <filesystem>
#include <optional>
#include <string>

class CPlotView;
class CQtServices;
class QPrinter;
class QWidget;

// The printer the plot windows share for the whole session, so that Page Setup holds for every
// later print.
QPrinter& PlotPrinter();

// The place of a picture scaled to fill the page's rectangle with its shape kept, centred; empty
// when either is empty.
QRectF FitOnPage(QSizeF picture, const QRectF& page);
// Draws the view on the printer (a paper printer or a PDF file) as shown on screen, fitted to the
// printable part of the page; false when the printer cannot be drawn on.
bool PrintPlot(CPlotView& view, QPrinter& printer);
// The print dialog (a PDF file can be chosen there without any printer), then the print.
void PrintWithDialog(CPlotView& view, QWidget* parent);
void RunPageSetup(QWidget* parent);

enum class CPictureFormat { Svg, Png, Pdf };
// The format a file name asks for by its extension (any case); nothing for another one.
std::optional<CPictureFormat> PictureFormatOf(const std::filesystem::path& path);

// Writes the view drawn at `size` pixels (96 to the inch) to the file, which is replaced only by
// a complete picture. False with the reason when it cannot be written.
bool ExportPicture(CPlotView& view, const std::filesystem::path& path, CPictureFormat format, QSize size,
                   std::string& error);
// File > "Export picture...": the file and its format, for PNG the size (the window's size
// proposed), then the picture; what goes wrong is told to the person.
void ExportPictureWithDialogs(CPlotView& view, CQtServices& services, const std::string& title,
                              QSize shownSize, QWidget* parent);
