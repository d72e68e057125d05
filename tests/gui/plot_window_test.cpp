// SPDX-License-Identifier: BSD-3-Clause
// Plot windows driven by real mouse and key events on the demonstration's documents: what a click
// selects and reports, the 20-pixel rule, rubber-band zoom, the stored selection's handles, double
// clicks that open the settings dialogs, context commands that reach the document, and Print.
#include <QAction>
#include <QComboBox>
#include <QToolBar>

#include "documents/alpha_beta_plot_document.hpp"
#include "documents/phase_diag_document.hpp"
#include "gui/plot/settings_dialogs.hpp"
#include "plot/settings_choices.hpp"
#include "plot_test_support.hpp"

using namespace plot_test;

namespace {

const QString kDegrees = QString::fromUtf8("\xC2\xB0");

// A monophasic isochore of the diagram document whose middle lies inside the shown ranges.
CIsochor* VisibleIsochor(CPhaseDiagDocument& document) {
    const CPlotRanges shown = document.GetPlotView().GetCurrentRanges();
    for (CPhaseDiagram* diagram : document.mPhaseDiagramsList.mList)
        for (CIsochor* isochor : diagram->mMonoIsochorsList->mList) {
            const CIsochorPoint* middle = isochor->mList.At(isochor->mList.Count() / 2);
            if (middle != nullptr && middle->mT > shown.minX && middle->mT < shown.maxX &&
                middle->mP > shown.minY && middle->mP < shown.maxY)
                return isochor;
        }
    return nullptr;
}

long MonophasicIsochors(CPhaseDiagDocument& document) {
    long count = 0;
    for (CPhaseDiagram* diagram : document.mPhaseDiagramsList.mList)
        count += diagram->mMonoIsochorsList->mList.Count();
    return count;
}

} // namespace

class PlotWindowTest : public QObject {
    Q_OBJECT

  private:
    CPlotFixture mFixture;
    CZephonApp* mApp = nullptr;
    CScriptedServices* mServices = nullptr;

    CPlotWindow* Open(const char* name) { return mFixture.Open(name); }
    static QPoint At(const CPlotWindow& window, double x, double y) {
        const zephon::plot::PlotMapping mapping = window.View()->GetMapping();
        return {mapping.ToPixelX(x), mapping.ToPixelY(y)};
    }
    static QString Coordinates(const CPlotWindow& window, QPoint at) {
        const CPlotView& view = *window.View();
        const zephon::plot::PlotMapping mapping = view.GetMapping();
        return "T (" + kDegrees +
               "C) = " + QString::fromStdString(CPlotView::FormatNumber(mapping.ToWorldX(at.x()), 0)) +
               ", P (bar) = " + QString::fromStdString(CPlotView::FormatNumber(mapping.ToWorldY(at.y()), 0));
    }
    // A person's double click: the press of the first click selects, the second opens.
    static void DoubleClick(QWidget* area, QPoint at) {
        QTest::mouseClick(area, Qt::LeftButton, {}, at);
        QTest::mouseDClick(area, Qt::LeftButton, {}, at);
    }
    static void Drag(QWidget* area, QPoint from, QPoint to) {
        QTest::mousePress(area, Qt::LeftButton, {}, from);
        QTest::mouseMove(area, (from + to) / 2);
        QTest::mouseMove(area, to);
        QTest::mouseRelease(area, Qt::LeftButton, {}, to);
    }

  private slots:
    void initTestCase() { QVERIFY(mFixture.MakeDemoOnce()); }
    void init() {
        mFixture.Start();
        mApp = mFixture.app.get();
        mServices = mFixture.services;
    }
    void cleanup() { mFixture.Stop(); }

    void aClickReportsThePointOrTheCurve() {
        CPlotWindow* window = Open("phase_diagram.ptd");
        QVERIFY(window != nullptr);
        QCOMPARE(window->ZoomToolBar()->actions().size(), 4);
        QCOMPARE(window->ZoomAction(CPlotCommand::ZoomIn)->toolTip(),
                 QString("Click here to enlarge the selected rectangle."));
        auto& document = static_cast<CPhaseDiagDocument&>(*window->Document());
        const QPoint empty(600, 40);
        QTest::mouseClick(window->Area(), Qt::LeftButton, {}, empty);
        QCOMPARE(window->View()->GetSelectedObject(), nullptr);
        QVERIFY(window->View()->IsSelectedPointVisible());
        QCOMPARE(window->StatusText(), Coordinates(*window, empty));

        CIsochor* isochor = VisibleIsochor(document);
        QVERIFY(isochor != nullptr);
        const CIsochorPoint& middle = *isochor->mList.At(isochor->mList.Count() / 2);
        QTest::mouseClick(window->Area(), Qt::LeftButton, {}, At(*window, middle.mT, middle.mP));
        QCOMPARE(window->View()->GetSelectedObject(), static_cast<CGraphObject*>(isochor->mGraphCurve));
        QVERIFY2(window->StatusText().startsWith(QString::fromStdString(isochor->mName) + " : T (" +
                                                 kDegrees + "C) = "),
                 qPrintable(window->StatusText()));
        // Outside the plot area the marker goes and the status line empties.
        QTest::mouseClick(window->Area(), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(!window->View()->IsSelectedPointVisible());
        QCOMPARE(window->StatusText(), QString());
    }

    void theTwentyPixelRuleAndRubberBandZoom() {
        CPlotWindow* window = Open("phase_diagram.ptd");
        QVERIFY(window != nullptr);
        CPlotView& view = *window->View();
        QAction* zoomIn = window->ZoomAction(CPlotCommand::ZoomIn);
        QVERIFY(!zoomIn->isEnabled());
        // 15 x 30 pixels is a rectangle; 15 x 15 a click on a point.
        Drag(window->Area(), QPoint(400, 200), QPoint(415, 230));
        QVERIFY(view.HasSelectionTracker());
        QVERIFY(zoomIn->isEnabled());
        QCOMPARE(window->StatusText(),
                 QString("Click on the \"Zoom In\" or the \"Zoom out\" icons to change the axis ranges."));
        QTest::keyClick(window->Area(), Qt::Key_Escape);
        QVERIFY(!view.HasSelectionTracker());
        QVERIFY(!zoomIn->isEnabled());
        Drag(window->Area(), QPoint(400, 200), QPoint(415, 215));
        QVERIFY(!view.HasSelectionTracker());
        QCOMPARE(window->StatusText(), Coordinates(*window, QPoint(400, 200)));

        // A rubber band, then the toolbar: the ranges take in the rectangle and snap outward.
        const CPlotRanges before = view.GetCurrentRanges();
        const zephon::plot::PlotMapping mapping = view.GetMapping();
        // (Begun off the legend, which the top left corner holds, and off the curves.)
        Drag(window->Area(), QPoint(560, 250), QPoint(420, 120));
        QVERIFY(view.HasSelectionTracker());
        QVERIFY(zoomIn->isEnabled());
        zoomIn->trigger();
        const CPlotRanges zoomed = view.GetCurrentRanges();
        QVERIFY(zoomed.minX <= mapping.ToWorldX(420) && zoomed.maxX >= mapping.ToWorldX(560));
        QVERIFY(zoomed.minY <= mapping.ToWorldY(250) && zoomed.maxY >= mapping.ToWorldY(120));
        QVERIFY2(zoomed.maxX - zoomed.minX < 0.6 * (before.maxX - before.minX),
                 qPrintable(QString("%1..%2 of %3..%4")
                                .arg(zoomed.minX)
                                .arg(zoomed.maxX)
                                .arg(before.minX)
                                .arg(before.maxX)));
        QVERIFY(!zoomIn->isEnabled());
        window->ZoomAction(CPlotCommand::AxisRangesByDefault)->trigger();
        QCOMPARE(view.GetCurrentRanges(), view.GetDefaultRanges());

        // Key F in the plot, the toolbar's button and the View menu all zoom to the data.
        zoomIn->trigger();
        Drag(window->Area(), QPoint(200, 100), QPoint(400, 300));
        zoomIn->trigger();
        QVERIFY(window->ZoomAction(CPlotCommand::ZoomToData)->isEnabled());
        QVERIFY(mApp->MainWindow().Action(CAppCommand::ViewZoomToData)->isEnabled());
        QTest::keyClick(window->Area(), Qt::Key_F);
        QCOMPARE(view.GetCurrentRanges(), *view.DataRanges());
    }

    void theStoredSelectionMovesAndResizes() {
        CPlotWindow* window = Open("phase_diagram.ptd");
        QVERIFY(window != nullptr);
        CPlotView& view = *window->View();
        // In the empty upper right of the plot.
        Drag(window->Area(), QPoint(430, 30), QPoint(560, 110));
        QCOMPARE(view.GetSelectedRect(), (zephon::plot::Rect{430, 30, 560, 110}));
        Drag(window->Area(), QPoint(561, 111), QPoint(591, 131)); // the bottom-right handle
        QCOMPARE(view.GetSelectedRect(), (zephon::plot::Rect{430, 30, 590, 130}));
        Drag(window->Area(), QPoint(500, 80), QPoint(480, 90)); // inside: the whole frame
        QCOMPARE(view.GetSelectedRect(), (zephon::plot::Rect{410, 40, 570, 140}));
        Drag(window->Area(), QPoint(570, 140), QPoint(425, 55)); // shrunk below 20 x 20
        QVERIFY(!view.HasSelectionTracker());
        QVERIFY(!view.IsSelectedPointVisible()); // a dropped selection selects no point
    }

    void doubleClicksOpenTheSettingsDialogs() {
        CPlotWindow* window = Open("phase_diagram.ptd");
        QVERIFY(window != nullptr);
        CIsochor* isochor = VisibleIsochor(static_cast<CPhaseDiagDocument&>(*window->Document()));
        QVERIFY(isochor != nullptr);
        const CIsochorPoint& middle = *isochor->mList.At(isochor->mList.Count() / 2);
        const int size = isochor->mGraphCurve->mSize;
        QString shown;
        AnswerModal<CCurveSettingsWindow>([&](CCurveSettingsWindow& dialog) {
            shown = dialog.findChild<QComboBox*>("thickness")->currentText();
            dialog.findChild<QComboBox*>("thickness")->setCurrentIndex(2);
            dialog.accept();
        });
        DoubleClick(window->Area(), At(*window, middle.mT, middle.mP));
        QCOMPARE(shown, QString(kThicknessNames[static_cast<std::size_t>(size - 1)]));
        QCOMPARE(isochor->mGraphCurve->mSize, 3);
        QVERIFY(window->Document()->IsModified());
        QCOMPARE(window->StatusText(), QString()); // the dialog's hint is gone

        // A marker of the alpha-beta plot: its size shows, and size 10 is taken.
        window = Open("alpha_beta.abp");
        QVERIFY(window != nullptr);
        auto& plot = static_cast<CAlphaBetaPlotDocument&>(*window->Document());
        CAlphaBetaPoint* marker = plot.mAlphaBetaPointsList.mList.First();
        QVERIFY(marker != nullptr);
        marker->mGraphPoint->mSize = 4;
        AnswerModal<CPointSettingsWindow>([&](CPointSettingsWindow& dialog) {
            shown = dialog.findChild<QComboBox*>("size")->currentText();
            dialog.findChild<QComboBox*>("size")->setCurrentIndex(9);
            dialog.accept();
        });
        const CPointRecord& point = marker->mGraphPoint->mPoint;
        DoubleClick(window->Area(), QPoint(point.mLocalX, point.mLocalY));
        QCOMPARE(shown, QString("4"));
        QCOMPARE(marker->mGraphPoint->mSize, 10);
    }

    void contextCommandsReachTheDocument() {
        CPlotWindow* window = Open("phase_diagram.ptd");
        QVERIFY(window != nullptr);
        auto& document = static_cast<CPhaseDiagDocument&>(*window->Document());
        CIsochor* isochor = VisibleIsochor(document);
        QVERIFY(isochor != nullptr);
        const long pairs = MonophasicIsochors(document);
        const CIsochorPoint& middle = *isochor->mList.At(isochor->mList.Count() / 2);
        const QPoint at = At(*window, middle.mT, middle.mP);
        QStringList seen;
        ChooseFromMenu("Delete Isochor", &seen);
        QTest::mouseClick(window->Area(), Qt::RightButton, {}, at);
        QCOMPARE(seen.mid(0, 5), (QStringList{"View Th(Aq.) Line", "Set Th(Aq.) Line", "Trapping...",
                                              "Isochors...", "Delete Isochor"}));
        QCOMPARE(MonophasicIsochors(document), pairs - 1);
        QVERIFY(document.IsModified());
        QVERIFY(mApp->MainWindow().Action(CAppCommand::FileSave)->isEnabled());
        // The click itself is reported, not the curve's value.
        QCOMPARE(window->StatusText(), Coordinates(*window, at));

        // A marker set on an empty spot of the alpha-beta plot (which opens on its curves), through
        // its menu.
        window = Open("alpha_beta.abp");
        QVERIFY(window != nullptr);
        auto& plot = static_cast<CAlphaBetaPlotDocument&>(*window->Document());
        const long markers = plot.mAlphaBetaPointsList.mList.Count();
        ChooseFromMenu("Set a marker");
        QTest::mouseClick(window->Area(), Qt::RightButton, {}, At(*window, 0.75, 0.95));
        QCOMPARE(plot.mAlphaBetaPointsList.mList.Count(), markers + 1);
        const CAlphaBetaRecordEx& marker = plot.mAlphaBetaPointsList.mList.Last()->mAlphaBetaRecordEx;
        QVERIFY(std::abs(marker.mAlpha - 0.75) < 0.002 && std::abs(marker.mBeta - 0.95) < 0.005);
        QCOMPARE(marker.mName, "AB " + CPlotView::FormatNumber(marker.mAlpha, 3) + " " +
                                   CPlotView::FormatNumber(marker.mBeta, 3));
    }

    void printIsEnabledOnlyWherePlotsAre() {
        QVERIFY(!mApp->MainWindow().Action(CAppCommand::FilePrint)->isEnabled());
        QVERIFY(Open("alpha_beta.abp") != nullptr);
        QVERIFY(mApp->MainWindow().Action(CAppCommand::FilePrint)->isEnabled());
        QVERIFY(mApp->MainWindow().Action(CAppCommand::FileExportPicture)->isEnabled());
        // The log shows in its dock beside the plot, which stays the active window.
        mApp->MainWindow().Action(CAppCommand::EditShowLog)->trigger();
        QVERIFY(mApp->MainWindow().Action(CAppCommand::FilePrint)->isEnabled());
        mApp->MainWindow().Action(CAppCommand::FileNew)->trigger();
        QVERIFY(!mApp->MainWindow().Action(CAppCommand::FilePrint)->isEnabled());
        QVERIFY(!mApp->MainWindow().Action(CAppCommand::FilePageSetup)->isEnabled());
    }
};

QTEST_MAIN(PlotWindowTest)
#include "plot_window_test.moc"
