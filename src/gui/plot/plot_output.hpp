#pragma once
// A plot on paper and in files: printing at the on-screen size in inches (the view is scaled by
// the printer's pixels per inch over the screen's 96), Page Setup, and File > "Export picture..."
// as SVG (through the SVG canvas), PNG of a chosen size or PDF: the same picture as on screen.

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

// Draws the view on the printer (a paper printer or a PDF file); false when the printer cannot
// be drawn on.
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
