// SPDX-License-Identifier: BSD-3-Clause
// Pictures: the QPainter canvas puts markers and frames on the pixels the plot's geometry gives
// them, and the P-T and alpha-beta windows of the demonstration's documents, grabbed at a fixed
// size with fixed fonts, and their PNG exports match their reviewed golden pictures within a
// tolerance. A picture that does not match is kept beside the build for a person to look at;
// ZEPHON_UPDATE_GOLDEN=1 writes the golden pictures anew (to be reviewed before they are committed).
#include <QDir>
#include <QImage>
#include <QPainter>

#include "gui/plot/plot_output.hpp"
#include "gui/plot/qpainter_canvas.hpp"
#include "plot/graph_object.hpp"
#include "plot_test_support.hpp"

using namespace plot_test;
using namespace zephon::plot;

namespace {

// The smallest rectangle holding every pixel that is not white.
QRect InkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

template <class Draw> QImage Drawn(Draw draw) {
    QImage image(60, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    CQPainterCanvas canvas(painter);
    draw(canvas);
    return image;
}

// Pixels whose colour differs by more than a little on any channel (anti-aliased text edges of
// another font rasteriser), as a fraction of all pixels; 1 when the sizes differ.
double DifferingShare(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return 1;
    long differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 48 || std::abs(qGreen(p) - qGreen(q)) > 48 ||
                std::abs(qBlue(p) - qBlue(q)) > 48)
                ++differing;
        }
    return static_cast<double>(differing) / (a.width() * a.height());
}

// Compares with the golden picture of that name; a picture that differs is kept for review.
bool MatchesGolden(const QImage& picture, const QString& name, QString& report) {
    const QString golden = QDir(ZEPHON_GUI_GOLDEN_DIR).filePath(name + ".png");
    if (qEnvironmentVariableIsSet("ZEPHON_UPDATE_GOLDEN")) {
        QDir().mkpath(ZEPHON_GUI_GOLDEN_DIR);
        return picture.save(golden);
    }
    const double share = DifferingShare(picture.convertToFormat(QImage::Format_RGB32),
                                        QImage(golden).convertToFormat(QImage::Format_RGB32));
    if (share <= 0.005) return true;
    QDir().mkpath(ZEPHON_GUI_ACTUAL_DIR);
    const QString actual = QDir(ZEPHON_GUI_ACTUAL_DIR).filePath(name + ".png");
    picture.save(actual);
    report = QString("%1 differs from %2 in %3 % of its pixels; the picture is kept as %4")
                 .arg(name)
                 .arg(golden)
                 .arg(share * 100, 0, 'f', 2)
                 .arg(actual);
    return false;
}

} // namespace

class PlotPicturesTest : public QObject {
    Q_OBJECT

  private:
    CPlotFixture mFixture;
    CZephonApp* mApp = nullptr;
    CScriptedServices* mServices = nullptr;

    CPlotWindow* Open(const char* name) { return mFixture.Open(name); }

  private slots:
    void initTestCase() { QVERIFY(mFixture.MakeDemoOnce()); }
    void init() {
        mFixture.Start();
        mApp = mFixture.app.get();
        mServices = mFixture.services;
    }
    void cleanup() { mFixture.Stop(); }

    void markersAndFramesCoverTheirPixels() {
        // Size 3 is a 7 x 7 box, size 4 an 8 x 8 one; open shapes stay in the same box.
        QCOMPARE(InkBounds(Drawn([](Canvas& c) { DrawPoint(c, 3, 3, kRed, 30, 30); })), QRect(27, 27, 7, 7));
        QCOMPARE(InkBounds(Drawn([](Canvas& c) { DrawPoint(c, 4, 4, kRed, 30, 30); })), QRect(26, 26, 8, 8));
        QCOMPARE(InkBounds(Drawn([](Canvas& c) { DrawPoint(c, 2, 3, kRed, 30, 30); })), QRect(27, 27, 7, 7));
        // A rectangle (10, 10, 20, 30) covers columns 10 to 19 and rows 10 to 29, filled or framed.
        QCOMPARE(InkBounds(Drawn([](Canvas& c) {
                     c.SetBrush(Brush::Hollow());
                     c.DrawRectangle({10, 10, 20, 30});
                 })),
                 QRect(10, 10, 10, 20));
        QCOMPARE(InkBounds(Drawn([](Canvas& c) {
                     c.FillRect({10, 10, 20, 30}, kBlack);
                 })),
                 QRect(10, 10, 10, 20));
        // The upward triangle of size 6 is lifted by 2 pixels: apex at y - 8, base at y + 4.
        const QRect triangle = InkBounds(Drawn([](Canvas& c) { DrawPoint(c, 7, 6, kRed, 30, 30); }));
        QCOMPARE(triangle.top(), 22);
        QCOMPARE(triangle.bottom(), 34);
    }

    void thePhaseDiagramWindow() {
        CPlotWindow* window = Open("phase_diagram.ptd");
        QVERIFY(window != nullptr);
        // A selected point, then a rubber-band selection with its handles and its hint.
        QTest::mouseClick(window->Area(), Qt::LeftButton, {}, QPoint(180, 250));
        QTest::mousePress(window->Area(), Qt::LeftButton, {}, QPoint(470, 150));
        QTest::mouseMove(window->Area(), QPoint(600, 280));
        QTest::mouseRelease(window->Area(), Qt::LeftButton, {}, QPoint(600, 280));
        QString report;
        QVERIFY2(MatchesGolden(window->grab().toImage(), "phase_diagram_window", report), qPrintable(report));
    }

    void theExportedPictures() {
        // Exported at 800 x 600 pixels, without the selection the window shows.
        for (const char* name : {"alpha_beta.abp", "phase_diagram.ptd"}) {
            CPlotWindow* window = Open(name);
            QVERIFY(window != nullptr);
            QTest::mouseClick(window->Area(), Qt::LeftButton, {}, QPoint(180, 250));
            QTest::mousePress(window->Area(), Qt::LeftButton, {}, QPoint(470, 150));
            QTest::mouseMove(window->Area(), QPoint(600, 280));
            QTest::mouseRelease(window->Area(), Qt::LeftButton, {}, QPoint(600, 280));
            QVERIFY(window->View()->HasSelectionTracker());
            const QString file = mFixture.folder->filePath("export.png");
            std::string error;
            QVERIFY2(ExportPicture(*window->View(), file.toStdString(), CPictureFormat::Png, QSize(800, 600),
                                   error),
                     error.c_str());
            QString report;
            const QString golden = QString(name).section('.', 0, 0) + "_export";
            QVERIFY2(MatchesGolden(QImage(file), golden, report), qPrintable(report));
            mFixture.Stop();
            mFixture.Start();
        }
    }

    void theAlphaBetaWindow() {
        CPlotWindow* window = Open("alpha_beta.abp");
        QVERIFY(window != nullptr);
        QString report;
        QVERIFY2(MatchesGolden(window->grab().toImage(), "alpha_beta_window", report), qPrintable(report));
    }
};

QTEST_MAIN(PlotPicturesTest)
#include "plot_pictures_test.moc"
