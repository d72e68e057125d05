// SPDX-License-Identifier: BSD-3-Clause
// The plot settings dialogs, the axis range window, and the plot on paper and in files: sizes
// without a list item, typing that is never rewritten under the cursor, ranges refused until they
// are valid, a window that follows the active plot, printing fitted to the page, the exported
// pictures and the list of crossings.
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFontDialog>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include "base/number_field.hpp"
#include "documents/alpha_beta_plot_document.hpp"
#include "documents/phase_diag_document.hpp"
#include "gui/plot/axis_range_window.hpp"
#include "gui/plot/crossings_dialog.hpp"
#include "gui/plot/plot_output.hpp"
#include "gui/plot/qpainter_canvas.hpp"
#include "gui/plot/settings_dialogs.hpp"
#include "plot_test_support.hpp"

using namespace plot_test;

class PlotDialogsTest : public QObject {
    Q_OBJECT

  private:
    CPlotFixture mFixture;
    CZephonApp* mApp = nullptr;
    CScriptedServices* mServices = nullptr;

    CPlotWindow* Open(const char* name) { return mFixture.Open(name); }
    CAxisRangeWindow* AxisRanges() {
        mApp->MainWindow().Action(CAppCommand::EditSetAxisRanges)->trigger();
        return qobject_cast<CAxisRangeWindow*>(mApp->AxisRangeWindow());
    }
    // Types the text into the field as a person would: the field is emptied, then key by key.
    static void Type(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }
    QByteArray Head(const QString& file, int bytes) {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.read(bytes) : QByteArray();
    }

  private slots:
    void initTestCase() { QVERIFY(mFixture.MakeDemoOnce()); }
    void init() {
        mFixture.Start();
        mApp = mFixture.app.get();
        mServices = mFixture.services;
    }
    void cleanup() { mFixture.Stop(); }

    // A size or shape without an item in the lists selects nothing, and OK keeps it.
    void settingsListsNeverLeaveTheirRange() {
        CGraphPoint point(0.5, 0.5);
        point.mSize = 15;
        point.mSelector = 0;
        CPointSettingsWindow dialog(point, nullptr);
        QCOMPARE(dialog.findChild<QComboBox*>("size")->currentIndex(), -1);
        QCOMPARE(dialog.findChild<QComboBox*>("markerType")->currentIndex(), -1);
        QCOMPARE(dialog.findChild<QComboBox*>("markerType")->count(), 12);
        QCOMPARE(dialog.findChild<QComboBox*>("markerType")->itemText(6), QString("Upside filled triangle"));
        QCOMPARE(dialog.EditedSize(), 15);
        QCOMPARE(dialog.EditedSelector(), 0);
        AnswerModal<CPointSettingsWindow>([](CPointSettingsWindow& shown) { shown.accept(); });
        QVERIFY(!dialog.DoRun()); // nothing changed
        QCOMPARE(point.mSize, 15);

        CGraphCurve curve;
        curve.mSize = 2;
        CCurveSettingsWindow curveDialog(curve, nullptr);
        QCOMPARE(curveDialog.findChild<QComboBox*>("thickness")->currentText(), QString("Double"));
        AnswerModal<CCurveSettingsWindow>([](CCurveSettingsWindow& shown) {
            // The colour through the colour dialog, then Cancel: the curve is left alone.
            AnswerModal<QColorDialog>([](QColorDialog& colors) {
                colors.setCurrentColor(QColor(0, 128, 255));
                colors.accept();
            });
            shown.findChild<QPushButton*>("color")->click();
            QCOMPARE(FromQColor(QColor(0, 128, 255)), shown.EditedColor());
            shown.reject();
        });
        QVERIFY(!curveDialog.DoRun());
        QCOMPARE(curve.mForeColor, zephon::plot::kRed);
    }

    // The colour and font dialogs of the context menus change the look, which the document keeps.
    void colourAndFontDialogsChangeTheLook() {
        CPlotWindow* window = Open("alpha_beta.abp");
        QVERIFY(window != nullptr);
        auto& plot = static_cast<CAlphaBetaPlotDocument&>(*window->Document());
        CGraphPoint* marker = plot.mAlphaBetaPointsList.mList.First()->mGraphPoint;
        AnswerModal<QColorDialog>([](QColorDialog& colors) {
            colors.setCurrentColor(QColor(0, 160, 0));
            colors.accept();
        });
        ChooseFromMenu("Color...");
        QTest::mouseClick(window->Area(), Qt::RightButton, {},
                          QPoint(marker->mPoint.mLocalX, marker->mPoint.mLocalY));
        QCOMPARE(marker->mForeColor, zephon::plot::MakeColor(0, 160, 0));
        QVERIFY(plot.IsModified());

        // A font of 12 points is 16 pixels on a screen of 96 dots per inch.
        AnswerModal<QFontDialog>([](QFontDialog& fonts) {
            fonts.setCurrentFont(QFont("DejaVu Serif", 12));
            fonts.accept();
        });
        ChooseFromMenu("Axis graduation font...");
        QTest::mouseClick(window->Area(), Qt::RightButton, {}, QPoint(100, 60));
        QCOMPARE(window->View()->GetGraduationFont().face, std::string("DejaVu Serif"));
        QCOMPARE(window->View()->GetGraduationFont().height, 12 * window->logicalDpiY() / 72);
        CPlotFormat saved;
        window->View()->updatePlotFormat(saved);
        QCOMPARE(saved.mTicksFormat.mFontName, std::string("DejaVu Serif"));
    }

    void theAxisRangeWindowFollowsTheActivePlot() {
        QVERIFY(!mApp->MainWindow().Action(CAppCommand::EditSetAxisRanges)->isChecked());
        CAxisRangeWindow* ranges = AxisRanges();
        QVERIFY(ranges != nullptr);
        QVERIFY(mApp->MainWindow().Action(CAppCommand::EditSetAxisRanges)->isChecked());
        QVERIFY(!ranges->MinXField()->isEnabled()); // no plot yet
        CPlotWindow* diagram = Open("phase_diagram.ptd");
        QVERIFY(diagram != nullptr);
        QCOMPARE(ranges->GetPlotView(), diagram->View());
        const CPlotRanges shown = diagram->View()->GetCurrentRanges();
        QCOMPARE(ranges->MaxYField()->text(), QString::fromStdString(FormatFixed(shown.maxY, 0)));
        CPlotWindow* plot = Open("alpha_beta.abp");
        QVERIFY(plot != nullptr);
        QCOMPARE(ranges->GetPlotView(), plot->View());
        QCOMPARE(ranges->MaxXField()->text(), QString("1.000")); // three decimals on alpha

        // A zoom in the plot shows in the window; "Use Default" goes back.
        plot->View()->SetCurrentRanges(0.5, 0.75, 0, 1);
        QCOMPARE(ranges->MinXField()->text(), QString("0.500"));
        ranges->UseDefaultButton()->click();
        QCOMPARE(plot->View()->GetCurrentRanges(), plot->View()->GetDefaultRanges());

        // Closing the document lets the window go blank; closing the window unchecks the command.
        mServices->saveChangesAnswers = {CSaveAnswer::Discard, CSaveAnswer::Discard};
        QVERIFY(mApp->Core().CloseDocument(*plot->Document()));
        QVERIFY(ranges->GetPlotView() != plot->View() || ranges->GetPlotView() == nullptr);
        QVERIFY(mApp->Core().CloseDocument(*diagram->Document()));
        QCOMPARE(ranges->GetPlotView(), nullptr);
        QVERIFY(!ranges->MinXField()->isEnabled());
        QTest::keyClick(ranges, Qt::Key_Escape);
        QTRY_VERIFY(mApp->AxisRangeWindow() == nullptr);
        QTRY_VERIFY(!mApp->MainWindow().Action(CAppCommand::EditSetAxisRanges)->isChecked());
    }

    void typedRangesAreTakenOnlyWhenValidAndNeverRewritten() {
        CPlotWindow* window = Open("phase_diagram.ptd");
        QVERIFY(window != nullptr);
        CAxisRangeWindow* ranges = AxisRanges();
        CPlotView& view = *window->View();
        Type(ranges->MinXField(), "0");
        Type(ranges->MaxXField(), "1e3");
        QCOMPARE(view.GetCurrentRanges().maxX, 1000.0);
        QCOMPARE(ranges->MaxXField()->text(), QString("1e3")); // not rewritten as "1000"
        Type(ranges->MaxXField(), " 7 ");
        QTest::keyClick(ranges->MaxXField(), Qt::Key_Return); // presses no button
        QCOMPARE(view.GetCurrentRanges().maxX, 7.0);
        const CPlotRanges kept = view.GetCurrentRanges();
        for (const char* refused : {"12abc", "-0", ".0", "nan", "inf", "0x10", ""}) {
            ranges->MaxXField()->setText(refused); // pasted whole
            QCOMPARE(view.GetCurrentRanges(), kept);
        }
        // A minimum above the maximum changes nothing until it is below again.
        ranges->MaxXField()->setText("300");
        ranges->MinXField()->setText("450");
        QCOMPARE(view.GetCurrentRanges().minX, 0.0);
        QCOMPARE(ranges->MinXField()->text(), QString("450"));
        QTest::keyClick(ranges->MinXField(), Qt::Key_Backspace);
        QCOMPARE(view.GetCurrentRanges().minX, 45.0);
        Type(ranges->MinYField(), "0.0");
        QCOMPARE(view.GetCurrentRanges().minY, 0.0);
    }

    void printingFitsThePlotOnThePage() {
        // The picture fills the printable part along its longer side, its shape kept, centred.
        struct Case {
            QSizeF picture;
            QRectF page, fitted;
        };
        const Case cases[] = {{{640, 480}, {0, 0, 800, 1200}, {0, 300, 800, 600}},
                              {{640, 480}, {0, 0, 1200, 800}, {66.6667, 0, 1066.6667, 800}},
                              {{100, 100}, {10, 20, 200, 100}, {60, 20, 100, 100}},
                              {{0, 480}, {0, 0, 800, 1200}, {}}};
        for (const Case& c : cases) {
            const QRectF fitted = FitOnPage(c.picture, c.page);
            QVERIFY2(std::abs(fitted.left() - c.fitted.left()) < 1e-3 &&
                         std::abs(fitted.top() - c.fitted.top()) < 1e-3 &&
                         std::abs(fitted.width() - c.fitted.width()) < 1e-3 &&
                         std::abs(fitted.height() - c.fitted.height()) < 1e-3,
                     qPrintable(QString("%1 x %2").arg(c.picture.width()).arg(c.picture.height())));
        }
        // A PDF file needs no printer; the page keeps the orientation Page Setup gave it.
        CPlotWindow* window = Open("phase_diagram.ptd");
        QVERIFY(window != nullptr);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setOutputFileName(mFixture.folder->filePath("printed.pdf"));
        QVERIFY(PrintPlot(*window->View(), printer));
        QCOMPARE(Head(mFixture.folder->filePath("printed.pdf"), 5), QByteArray("%PDF-"));
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
    }

    void crossingsAreListedAndMarkedInOneClick() {
        CPlotWindow* window = Open("alpha_beta.abp");
        QVERIFY(window != nullptr);
        auto& plot = dynamic_cast<CAlphaBetaPlotDocument&>(*window->Document());
        const int markers = plot.mAlphaBetaPointsList.Count();
        QString first;
        AnswerModal<CCrossingsDialog>([&first](CCrossingsDialog& dialog) {
            // The demonstration's trapped oil is the crossing of FI-1 and FI-2.
            first = dialog.Summary().text() + " " + dialog.Table().item(0, 0)->text() + " " +
                    dialog.Table().item(0, 1)->text() + " " + dialog.Table().item(0, 2)->text();
            // The button that turns grey keeps its row selected, not the next one.
            auto* marker = dialog.findChild<QPushButton*>("marker0");
            marker->setFocus();
            marker->click();
            first += QString(" row %1").arg(dialog.Table().currentRow());
            // Only the checked inclusions' curves are searched.
            for (int row = 2; row < dialog.Curves().count(); ++row)
                dialog.Curves().item(row)->setCheckState(Qt::Unchecked);
            first += " | " + dialog.Summary().text() + " " + dialog.Table().item(0, 2)->text();
            dialog.Curves().item(1)->setCheckState(Qt::Unchecked);
            first += " | " + dialog.Summary().text();
            dialog.reject();
        });
        mApp->MainWindow().Action(CAppCommand::FindCrossings)->trigger();
        QCOMPARE(
            first,
            QString("6 crossings of 5 curves. 0.8274 0.2241 FI-1 and FI-2 row 0 | 1 crossing of 2 curves. "
                    "FI-1 and FI-2 | Crossings need two curves at least."));
        // The highlight of the shown row ends with the dialog.
        for (const auto& object : window->View()->GetGraphObjects())
            QVERIFY(!object->mHilited);
        QCOMPARE(plot.mAlphaBetaPointsList.Count(), markers + 1);
        const CAlphaBetaRecordEx& marker = plot.mAlphaBetaPointsList.mList.Last()->mAlphaBetaRecordEx;
        QVERIFY(std::abs(marker.mAlpha - 0.8274) < 1e-4 && std::abs(marker.mBeta - 0.2241) < 1e-4);
    }

    void exportedPicturesAreTheShownPlot() {
        CPlotWindow* window = Open("alpha_beta.abp");
        QVERIFY(window != nullptr);
        // PNG through the menu: the file is chosen, then its size.
        const QString png = mFixture.folder->filePath("plot.png");
        mServices->saveAnswers = {std::filesystem::path(png.toStdString())};
        AnswerModal<QDialog>([](QDialog& size) {
            size.findChild<QSpinBox*>("pictureWidth")->setValue(800);
            size.findChild<QSpinBox*>("pictureHeight")->setValue(500);
            size.accept();
        });
        mApp->MainWindow().Action(CAppCommand::FileExportPicture)->trigger();
        QCOMPARE(QImageReader(png).size(), QSize(800, 500));
        QCOMPARE(mServices->saveProposals.back(), std::filesystem::path("alpha_beta.svg")); // not .abp.svg
        QCOMPARE(window->View()->GetClientRect(), (zephon::plot::Rect{0, 0, 640, 480}));    // laid out again

        std::string error;
        const QString svg = mFixture.folder->filePath("plot.svg");
        QVERIFY(
            ExportPicture(*window->View(), svg.toStdString(), CPictureFormat::Svg, QSize(640, 480), error));
        QVERIFY(Head(svg, 200).contains("<svg"));
        const QString pdf = mFixture.folder->filePath("plot.pdf");
        QVERIFY(
            ExportPicture(*window->View(), pdf.toStdString(), CPictureFormat::Pdf, QSize(640, 480), error));
        QCOMPARE(Head(pdf, 5), QByteArray("%PDF-"));
        // A name of another kind is refused with a message; nothing is written.
        mServices->saveAnswers = {std::filesystem::path(mFixture.folder->filePath("plot.jpg").toStdString())};
        mApp->MainWindow().Action(CAppCommand::FileExportPicture)->trigger();
        QVERIFY(!mServices->messages.empty());
        QVERIFY(!QFile::exists(mFixture.folder->filePath("plot.jpg")));
        QVERIFY(!ExportPicture(*window->View(), mFixture.folder->filePath("none/plot.svg").toStdString(),
                               CPictureFormat::Svg, QSize(640, 480), error));
        QVERIFY(!error.empty());
    }
};

QTEST_MAIN(PlotDialogsTest)
#include "plot_dialogs_test.moc"
