// SPDX-License-Identifier: BSD-3-Clause
#include "gui/plot/plot_output.hpp"

#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QImage>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <algorithm>
#include <cctype>

#include "app/document_kinds.hpp"
#include "documents/w_document.hpp"
#include "gui/plot/qpainter_canvas.hpp"
#include "gui/shell/qt_services.hpp"
#include "plot/plot_view.hpp"
#include "plot/svg_canvas.hpp"

using namespace zephon::plot;

namespace {

constexpr int kMaxPictureSide = 20000;

// Owns the shared printer; a child of the application object, so it goes before the application.
class CPrinterHolder : public QObject {
  public:
    CPrinterHolder() : printer(QPrinter::HighResolution) {
        // A plot on paper keeps a margin that every printer can print; Page Setup may change it.
        printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    }
    QPrinter printer;
};

// The view laid out at another size for the time of one drawing, then back as it was.
class CLaidOutAt {
  public:
    CLaidOutAt(CPlotView& view, QSize size) : mView(view), mSaved(view.GetClientRect()) {
        mView.SetClientRect({0, 0, size.width(), size.height()});
    }
    ~CLaidOutAt() { mView.SetClientRect(mSaved); }
    CLaidOutAt(const CLaidOutAt&) = delete;
    CLaidOutAt& operator=(const CLaidOutAt&) = delete;

  private:
    CPlotView& mView;
    Rect mSaved;
};

// PNG and PDF pictures are made in memory and saved as every file is saved (links followed,
// devices refused, the previous file kept until the new one is complete).
bool WriteRaster(CPlotView& view, const std::filesystem::path& path, QSize size, bool pdf,
                 std::string& error) {
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    const CLaidOutAt layout(view, size);
    if (pdf) {
        QPdfWriter writer(&out);
        writer.setResolution(CPlotView::kScreenDpi);
        writer.setPageSize(QPageSize(QSizeF(size) * 72.0 / CPlotView::kScreenDpi, QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setCreator("Zephon");
        QPainter painter;
        if (!painter.begin(&writer)) {
            error = "the PDF writer could not start";
            return false;
        }
        CQPainterCanvas canvas(painter);
        view.Draw(canvas, CDrawOptions::ForOutput());
        painter.end();
    } else {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            CQPainterCanvas canvas(painter);
            view.Draw(canvas, CDrawOptions::ForOutput());
        }
        if (!image.save(&out, "PNG")) {
            error = "the image could not be encoded";
            return false;
        }
    }
    out.close();
    return ReplaceFileContents(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), error);
}

// The size of a PNG picture, the shown size proposed; nothing when cancelled.
std::optional<QSize> AskPictureSize(QSize proposal, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setWindowTitle("Picture size");
    auto* width = new QSpinBox(&dialog);
    auto* height = new QSpinBox(&dialog);
    for (QSpinBox* box : {width, height}) {
        box->setRange(16, kMaxPictureSide);
        box->setSuffix(" pixels");
    }
    width->setObjectName("pictureWidth");
    height->setObjectName("pictureHeight");
    width->setValue(proposal.width());
    height->setValue(proposal.height());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout(&dialog);
    form->addRow("Width", width);
    form->addRow("Height", height);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return QSize(width->value(), height->value());
}

} // namespace

// ---- printing ----

QPrinter& PlotPrinter() {
    static const char* const kName = "zephonPlotPrinter";
    for (QObject* child : qApp->children())
        if (auto* holder = dynamic_cast<CPrinterHolder*>(child); holder && child->objectName() == kName)
            return holder->printer;
    auto* holder = new CPrinterHolder;
    holder->setObjectName(kName);
    holder->setParent(qApp);
    return holder->printer;
}

QRectF FitOnPage(QSizeF picture, const QRectF& page) {
    if (picture.isEmpty() || page.isEmpty()) return {};
    const QSizeF fitted = picture.scaled(page.size(), Qt::KeepAspectRatio);
    return {page.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted};
}

bool PrintPlot(CPlotView& view, QPrinter& printer) {
    // The plot as laid out on screen (a window never shown: the export's default size), scaled to
    // fill the page's printable part in the orientation Page Setup chose, its shape kept, centred.
    const Rect client = view.GetClientRect();
    const QSize size =
        client.Width() > 0 && client.Height() > 0 ? QSize(client.Width(), client.Height()) : QSize(640, 480);
    const QRectF page(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    const QRectF fitted = FitOnPage(QSizeF(size), page);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    painter.translate(fitted.topLeft());
    painter.scale(fitted.width() / size.width(), fitted.height() / size.height());
    {
        const CLaidOutAt layout(view, size);
        CQPainterCanvas canvas(painter);
        view.Draw(canvas, CDrawOptions::ForOutput());
    }
    return painter.end();
}

void PrintWithDialog(CPlotView& view, QWidget* parent) {
    QPrinter& printer = PlotPrinter();
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle("Print");
    if (dialog.exec() != QDialog::Accepted) return;
    PrintPlot(view, printer);
}

void RunPageSetup(QWidget* parent) {
    QPageSetupDialog dialog(&PlotPrinter(), parent);
    dialog.exec();
}

// ---- pictures ----

std::optional<CPictureFormat> PictureFormatOf(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".svg") return CPictureFormat::Svg;
    if (extension == ".png") return CPictureFormat::Png;
    if (extension == ".pdf") return CPictureFormat::Pdf;
    return std::nullopt;
}

bool ExportPicture(CPlotView& view, const std::filesystem::path& path, CPictureFormat format, QSize size,
                   std::string& error) {
    if (size.width() < 1 || size.height() < 1 || size.width() > kMaxPictureSide ||
        size.height() > kMaxPictureSide) {
        error = "the picture size is out of range";
        return false;
    }
    if (format == CPictureFormat::Svg) {
        SvgCanvas canvas(size.width(), size.height());
        {
            const CLaidOutAt layout(view, size);
            view.Draw(canvas, CDrawOptions::ForOutput());
        }
        return ReplaceFileContents(path, canvas.GetSvg(), error);
    }
    return WriteRaster(view, path, size, format == CPictureFormat::Pdf, error);
}

void ExportPictureWithDialogs(CPlotView& view, CQtServices& services, const std::string& title,
                              QSize shownSize, QWidget* parent) {
    const auto path = services.ChooseFileToSave(
        {"Export picture", ".svg",
         "SVG pictures (*.svg)|*.svg|PNG images (*.png)|*.png|PDF documents (*.pdf)|*.pdf||",
         title.empty() ? std::filesystem::path("plot.svg") : DefaultPictureName(title, ".svg")});
    if (!path) return;
    const std::optional<CPictureFormat> format = PictureFormatOf(*path);
    if (!format) {
        services.ShowMessage(
            {"A picture is written as SVG, PNG or PDF: choose a file name ending in .svg, .png or "
             ".pdf.",
             "", CMessageIcon::Warning, false});
        return;
    }
    QSize size = shownSize;
    if (*format == CPictureFormat::Png) {
        const std::optional<QSize> chosen = AskPictureSize(shownSize, parent);
        if (!chosen) return;
        size = *chosen;
    }
    std::string error;
    if (!ExportPicture(view, *path, *format, size, error))
        services.ShowMessage(
            {"The picture could not be written to \"" + path->string() + "\": " + error + ".", "",
             CMessageIcon::Warning, false});
}
