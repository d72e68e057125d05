// SPDX-License-Identifier: BSD-3-Clause
// The tool panels in the running application, offscreen: a whole study on the bundled example
// driven through their controls, saved, reopened and compared; Cancel during a curve; the menu's
// check marks; and pictures of every page and of a volume-temperature plot window.
#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <fstream>
#include <sstream>

#include "documents/alpha_beta_plot_document.hpp"
#include "documents/data_documents.hpp"
#include "documents/phase_diag_document.hpp"
#include "gui/panels/tool_panel_dialog.hpp"
#include "gui/plot/plot_output.hpp"
#include "gui/shell/document_window.hpp"
#include "gui/shell/log_window.hpp"
#include "gui/shell/main_window.hpp"
#include "gui/shell/tool_panels.hpp"
#include "gui_test_support.hpp"

using namespace zephon::testing;

namespace {

QString Example(const char* name) {
    return QString(ZEPHON_EXAMPLES_DIR) + "/" + name;
}

// The fields of a data file, line ends aside.
std::vector<std::string> Tokens(const std::string& text) {
    std::vector<std::string> tokens;
    std::istringstream in(text);
    for (std::string token; in >> token;)
        tokens.push_back(token);
    return tokens;
}

void ProcessDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class PanelsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TestApplication> t;

    CApplicationCore& Core() { return t->app->Core(); }
    CMainWindow& Main() { return t->app->MainWindow(); }
    void Run(CAppCommand command) { Main().Action(command)->trigger(); }

    // The dialog of an open panel, showing a page.
    CToolPanelDialog* Panel(const char* title) {
        for (auto* dialog : Main().findChildren<CToolPanelDialog*>())
            if (dialog->windowTitle() == title && !dialog->isHidden()) return dialog;
        return nullptr;
    }
    QWidget* Page(const char* panel, int page) {
        CToolPanelDialog* dialog = Panel(panel);
        return dialog ? dialog->Tabs().widget(page) : nullptr;
    }
    template <class W> W* Control(QWidget* page, const char* name) {
        W* control = page ? page->findChild<W*>(name) : nullptr;
        if (control == nullptr) qWarning("no control %s", name);
        return control;
    }
    void Choose(QWidget* page, const char* list, int row) {
        Control<QListWidget>(page, list)->setCurrentRow(row);
    }
    void Choose(QWidget* page, const char* list, const QString& text) {
        auto* items = Control<QListWidget>(page, list);
        const auto found = items->findItems(text, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(text));
        items->setCurrentItem(found.first());
    }
    void Click(QWidget* page, const char* button) {
        auto* control = Control<QAbstractButton>(page, button);
        QVERIFY2(control->isEnabled(), button);
        control->click(); // where a person clicks: a radio button's own circle and text
    }
    void Type(QWidget* page, const char* field, const QString& text) {
        auto* edit = Control<QLineEdit>(page, field);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    QString Text(QWidget* page, const char* field) { return Control<QLineEdit>(page, field)->text(); }
    template <class D> D* Only(CDocumentKind kind) {
        const auto documents = Core().Documents(kind);
        return documents.empty() ? nullptr : dynamic_cast<D*>(documents.back());
    }

  private slots:
    void init() { t = std::make_unique<TestApplication>(); }
    void cleanup() {
        t.reset();
        ProcessDeletes();
    }

    void aWholeStudyThroughThePanelsSavedReopenedAndCompared() {
        t->app->OpenFiles({Example("inclusions.inc")});

        // ---- alpha-beta curves of the inclusions ----
        Run(CAppCommand::NewAlphaBetaPlot);
        QVERIFY(Main().Action(CAppCommand::AlphaBetaCurvePage)->isChecked());
        auto* plot = Only<CAlphaBetaPlotDocument>(CDocumentKind::AlphaBetaPlot);
        QWidget* curves = Page("Alpha-Beta Plots", 0);
        QVERIFY(curves != nullptr);
        for (const char* inclusion : {"FI-1", "FI-2", "FI-3"}) {
            Choose(curves, "inclusions", inclusion);
            QCOMPARE(Text(curves, "th").isEmpty(), false);
            Click(curves, "calculate");
            QCOMPARE(Control<QListWidget>(curves, "inclusions")->currentItem()->text(),
                     QString("> ") + inclusion);
        }
        QCOMPARE(plot->mAlphaBetaCurvesList.Count(), 3L);

        // ---- a marker on the first curve, its GOR and API, its log, its fluid model ----
        Run(CAppCommand::AlphaBetaFluidPage);
        QVERIFY(Main().Action(CAppCommand::AlphaBetaFluidPage)->isChecked());
        QVERIFY(!Main().Action(CAppCommand::AlphaBetaCurvePage)->isChecked());
        QWidget* fluids = Page("Alpha-Beta Plots", 1);
        Click(fluids, "onCurve");
        Choose(fluids, "curves", "FI-1");
        const CAlphaBetaCurve* fi1 = plot->mAlphaBetaCurvesList.mList.First();
        const double alpha = fi1->mCurve.At(fi1->mCurve.Count() / 2)->mAlpha;
        Type(fluids, "alpha", QString::number(alpha, 'f', 4));
        QVERIFY(!Text(fluids, "gor").isEmpty());
        QVERIFY(!Text(fluids, "api").isEmpty());
        Click(fluids, "setMarker");
        QCOMPARE(plot->mAlphaBetaPointsList.Count(), 1L);
        Click(fluids, "log");
        QVERIFY(t->app->Log().toPlainText().contains("Alpha-beta fluid : FI-1: "));
        QVERIFY(t->app->Log().toPlainText().contains("API degree                                    : " +
                                                     Text(fluids, "api")));
        Click(fluids, "generate");
        auto* fluid = Only<CFluidModelDataDocument>(CDocumentKind::FluidModel);
        QVERIFY(fluid != nullptr);

        // ---- envelopes from the marker and from the fluid model ----
        Run(CAppCommand::NewPTDiagram);
        QVERIFY(Main().Action(CAppCommand::IsoplethsPage)->isChecked());
        auto* diagrams = Only<CPhaseDiagDocument>(CDocumentKind::PhaseDiagram);
        QWidget* isopleths = Page("Phase Diagrams", 0);
        Choose(isopleths, "alphaBetaModels",
               QString::fromStdString(plot->mAlphaBetaPointsList.mList.First()->mAlphaBetaRecordEx.mName));
        Click(isopleths, "calculate");
        Click(isopleths, "useFluid");
        Choose(isopleths, "fluidModels", 0);
        Click(isopleths, "calculate");
        QCOMPARE(diagrams->mPhaseDiagramsList.Count(), 2L);

        // ---- an isochore pair per inclusion on the marker's envelope ----
        Run(CAppCommand::IsochorsPage);
        QWidget* isochors = Page("Phase Diagrams", 1);
        Choose(isochors, "isopleths", 0);
        for (const char* inclusion : {"FI-1", "FI-2", "FI-3"}) {
            Choose(isochors, "inclusions", inclusion);
            Click(isochors, "calculate");
            QVERIFY(Control<QListWidget>(isochors, "inclusions")->currentItem()->text().startsWith("> "));
        }
        CPhaseDiagram* fromMarker = diagrams->mPhaseDiagramsList.mList.First();
        QCOMPARE(fromMarker->mBiphIsochorsList->Count(), 3L);
        Click(isochors, "log");
        QVERIFY(t->app->Log().toPlainText().contains("Inclusion/Isochor :   > "));

        // ---- a trapping pressure and its line ----
        Run(CAppCommand::TrappingPage);
        QWidget* trapping = Page("Phase Diagrams", 2);
        Choose(trapping, "isochors", 0);
        Type(trapping, "thaq", "150");
        QVERIFY(Text(trapping, "pressure").toDouble() > 0);
        Click(trapping, "setLine");
        QCOMPARE(fromMarker->mMonoIsochorsList->mList.First()->mTrappingLines->Count(), 1L);

        // ---- a volume-temperature plot with inclusions and isochores ----
        Run(CAppCommand::NewVTPlot);
        QVERIFY(Main().Action(CAppCommand::PlotInclusionVTPage)->isChecked());
        QWidget* vtInclusions = Page("Bubble size variation", 0);
        Click(vtInclusions, "plot");
        Click(vtInclusions, "plot");
        Run(CAppCommand::PlotCalculatedVTPage);
        Click(Page("Bubble size variation", 1), "plot");
        const CVolumePlotView& vt = *diagrams->GetVTPlots().at(0);
        QCOMPARE(vt.mPlottedInclusionsList.Count(), 2L);
        QCOMPARE(vt.mPlottedCurvesList.Count(), 1L);

        // ---- saved, reopened, compared ----
        struct Saved {
            CWDocument* document;
            const char* file;
        };
        for (const Saved& saved :
             {Saved{plot, "study.abp"}, Saved{diagrams, "study.ptd"}, Saved{fluid, "fluid.flu"}}) {
            QVERIFY(saved.document->OnSaveDocument(t->Path(saved.file)));
            const std::string text = saved.document->SaveToText();
            QVERIFY(Core().CloseDocument(*saved.document));
            CWDocument* reopened = Core().OpenDocument(t->Path(saved.file));
            QVERIFY(reopened != nullptr);
            QVERIFY(Tokens(reopened->SaveToText()) == Tokens(text));
        }
        auto* reopened = Only<CPhaseDiagDocument>(CDocumentKind::PhaseDiagram);
        QCOMPARE(reopened->mPhaseDiagramsList.Count(), 2L);
        QCOMPARE(reopened->GetVTPlots().size(), 1u);
        QCOMPARE(reopened->GetVTPlots()[0]->mPlottedCurvesList.Count(), 1L);
        QVERIFY2(t->services->messages.empty() ||
                     t->services->messages.front() == "The curve stops at a critical point.",
                 t->services->messages.empty() ? "" : t->services->messages.front().c_str());
    }

    void cancellingACurveKeepsThePointsSoFar() {
        t->app->OpenFiles({Example("inclusions.inc")});
        Run(CAppCommand::NewAlphaBetaPlot);
        QWidget* curves = Page("Alpha-Beta Plots", 0);
        Choose(curves, "inclusions", "FI-2");
        int shown = -1;
        QTimer watcher;
        // The dialog counts the points ("Points : 3     Alpha : ..."): where a curve ends cannot be
        // foreseen, so there is no bar to fill.
        connect(&watcher, &QTimer::timeout, [&] {
            auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
            if (progress == nullptr || shown >= 0) return;
            const QStringList words = progress->labelText().split(' ', Qt::SkipEmptyParts);
            const int points = words.size() > 2 && words[0] == "Points" ? words[2].toInt() : 0;
            if (points >= 3) {
                QCOMPARE(progress->maximum(), 0);
                shown = points;
                progress->cancel();
            }
        });
        watcher.start(0);
        Click(curves, "calculate");
        watcher.stop();
        auto* plot = Only<CAlphaBetaPlotDocument>(CDocumentKind::AlphaBetaPlot);
        QVERIFY(shown >= 3);
        QCOMPARE(plot->mAlphaBetaCurvesList.Count(), 1L);
        QCOMPARE(plot->mAlphaBetaCurvesList.mList.First()->mCurve.Count(), static_cast<long>(shown));
        // Named as partial, and the log says so.
        QCOMPARE(Control<QListWidget>(curves, "inclusions")->currentItem()->text(),
                 QString("> FI-2 (partial)"));
        QVERIFY(t->app->Log().toPlainText().contains("\"FI-2 (partial)\" is partial"));
    }

    void closingAPanelClearsItsChecksAndClosingAVolumePlotForgetsIt() {
        Run(CAppCommand::NewPTDiagram);
        QVERIFY(Main().Action(CAppCommand::IsoplethsPage)->isChecked());
        Panel("Phase Diagrams")->close();
        QCoreApplication::processEvents();
        ProcessDeletes();
        QVERIFY(!Main().Action(CAppCommand::IsoplethsPage)->isChecked());
        QCOMPARE(t->app->Panels().ShownPage(CToolPanelKind::PhaseDiagram), -1);

        Run(CAppCommand::NewVTPlot);
        auto* diagrams = Only<CPhaseDiagDocument>(CDocumentKind::PhaseDiagram);
        QCOMPARE(diagrams->GetVTPlots().size(), 1u);
        QVERIFY(Main().Action(CAppCommand::PlotCalculatedVTPage)->isEnabled());
        Main().MdiArea()->activeSubWindow()->close();
        QCoreApplication::processEvents();
        ProcessDeletes();
        QVERIFY(diagrams->GetVTPlots().empty());
        QCOMPARE(Core().CurrentVTPlotView(), nullptr);
        QVERIFY(!Main().Action(CAppCommand::PlotCalculatedVTPage)->isEnabled());
        QVERIFY(Control<QListWidget>(Page("Bubble size variation", 0), "nonPlotted")->count() == 0);
    }

    // Moving the last entry turns the focused button grey: the focus stays on the panel, and the
    // window in front stays in front.
    void panelsNeverChangeTheDocumentInFront() {
        t->app->OpenFiles({Example("inclusions.inc")});
        Run(CAppCommand::NewPTDiagram);
        Run(CAppCommand::NewVTPlot);
        QMdiSubWindow* volume = Main().MdiArea()->activeSubWindow();
        volume->showMaximized();
        Main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Main()));
        CWDocument* front = Core().ActiveDocument();
        Run(CAppCommand::PlotInclusionVTPage);
        QWidget* page = Page("Bubble size variation", 0);
        auto* plot = Control<QPushButton>(page, "plot");
        for (int guard = 0; plot->isEnabled() && guard < 20; ++guard) {
            plot->setFocus();
            plot->click();
            QCoreApplication::processEvents();
        }
        QVERIFY(!plot->isEnabled());
        QCOMPARE(Main().MdiArea()->activeSubWindow(), volume);
        QCOMPARE(Core().ActiveDocument(), front);
        auto* remove = Control<QPushButton>(page, "remove");
        for (int guard = 0; remove->isEnabled() && guard < 20; ++guard) {
            remove->setFocus();
            remove->click();
            QCoreApplication::processEvents();
        }
        QCOMPARE(Main().MdiArea()->activeSubWindow(), volume);
    }

    // The reverted diagram's volume plot opens before the old one closes and stays on the panel.
    void revertingADiagramKeepsItsVolumePlotOnThePanel() {
        Run(CAppCommand::NewPTDiagram);
        Run(CAppCommand::NewVTPlot);
        auto* made = Only<CPhaseDiagDocument>(CDocumentKind::PhaseDiagram);
        QVERIFY(made->OnSaveDocument(t->Path("diagram.ptd")));
        QVERIFY(Core().CloseDocument(*made));
        t->app->OpenFiles({QString::fromStdString(t->Path("diagram.ptd").string())});
        QCOMPARE(Only<CPhaseDiagDocument>(CDocumentKind::PhaseDiagram)->GetVTPlots().size(), 1u);
        Run(CAppCommand::PlotCalculatedVTPage);
        Run(CAppCommand::FileRevert);
        ProcessDeletes();
        auto* reverted = Only<CPhaseDiagDocument>(CDocumentKind::PhaseDiagram);
        QCOMPARE(Core().CurrentVTPlotView(), reverted->GetVTPlots().at(0).get());
        QWidget* page = Page("Bubble size variation", 1);
        QVERIFY(Control<QListWidget>(page, "nonPlotted")->count() > 0);
        QVERIFY(Control<QListWidget>(page, "plotted")->count() > 0);
    }

    // A new P-T diagram of the example fluid model with its isochore pair through 74.6 C.
    CPhaseDiagram* FluidModelDiagram(CPhaseDiagDocument*& diagrams) {
        Run(CAppCommand::NewPTDiagram);
        diagrams = Only<CPhaseDiagDocument>(CDocumentKind::PhaseDiagram);
        auto* fluid = Only<CFluidModelDataDocument>(CDocumentKind::FluidModel);
        CPhaseDiagram* diagram =
            diagrams->CalculateImmiscibilityLoop(0, 0, 0, 0, 0, 0, &fluid->mModelFluid, "");
        double density = 0, volume = 0;
        if (diagram == nullptr || diagrams->CalculateIsochor(diagram, 74.6, 1, density, volume, nullptr) != 0)
            return nullptr;
        return diagram;
    }

    void theTrappingPageCrossesAnAqueousIsochoreThatIsDrawnSavedAndReopened() {
        t->app->OpenFiles({Example("fluid_model.flu")});
        CPhaseDiagDocument* diagrams = nullptr;
        QVERIFY(FluidModelDiagram(diagrams) != nullptr);

        t->app->Panels().Display(CToolPanelKind::PhaseDiagram, 2);
        QWidget* trapping = Page("Phase Diagrams", 2);
        Choose(trapping, "isochors", 0);
        Type(trapping, "thaq", "120");
        Click(trapping, "tmIce");
        Type(trapping, "measured", "-6.6");
        Choose(trapping, "hosts", "Quartz");
        Type(trapping, "sdThaq", "1");
        Type(trapping, "sdMeasured", "0.2");
        Type(trapping, "sdThOil", "1");
        QVERIFY(!Control<QLineEdit>(trapping, "sdFv")->isEnabled()); // a fluid model keeps its composition
        Click(trapping, "crossing");
        QCOMPARE(diagrams->mAqueousIsochorsList.Count(), 1L);
        const CAqueousCrossing* crossing = diagrams->mAqueousIsochorsList.mList.First()->mCrossings.First();
        QVERIFY(crossing != nullptr);
        QCOMPARE(Text(trapping, "crossingT"), QString::number(crossing->mT, 'f', 2));
        QVERIFY(diagrams->GetPlotView().Holds(crossing->mGraphPoint));
        QVERIFY(diagrams->GetPlotView().Holds(crossing->mEllipseCurve));

        CToolPanelDialog* dialog = Panel("Phase Diagrams");
        dialog->resize(560, 880);
        QCoreApplication::processEvents();
        QString why;
        QVERIFY2(MatchesGolden(dialog->Tabs().grab().toImage(), "panel_trapping_crossing", why),
                 qPrintable(why));
        for (CDocumentWindow* window : Main().DocumentWindows()) {
            if (window->PlotView() != &diagrams->GetPlotView()) continue;
            auto* widget = dynamic_cast<QWidget*>(window);
            widget->parentWidget()->resize(640, 480);
            QCoreApplication::processEvents();
            QVERIFY2(MatchesGolden(widget->grab().toImage(), "phase_diagram_crossing_window", why),
                     qPrintable(why));
        }

        const double T = crossing->mT, sdP = crossing->mSdP;
        QVERIFY(diagrams->OnSaveDocument(t->Path("trap.ptd")));
        QVERIFY(Core().CloseDocument(*diagrams));
        auto* reopened = dynamic_cast<CPhaseDiagDocument*>(Core().OpenDocument(t->Path("trap.ptd")));
        QVERIFY(reopened != nullptr);
        QCOMPARE(reopened->mAqueousIsochorsList.Count(), 1L);
        const CAqueousCrossing* again = reopened->mAqueousIsochorsList.mList.First()->mCrossings.First();
        QVERIFY(again != nullptr);
        // Files keep 8 significant digits.
        QVERIFY(std::fabs(again->mT - T) < 1e-7 * T);
        QVERIFY(std::fabs(again->mSdP - sdP) < 1e-7 * sdP);
        QVERIFY(reopened->GetPlotView().Holds(again->mGraphPoint));
    }

    void picturesOfEveryPageAndOfAVolumeTemperaturePlot() {
        t->app->OpenFiles({Example("inclusions.inc"), Example("fluid_model.flu")});
        Run(CAppCommand::NewAlphaBetaPlot);
        CPhaseDiagDocument* diagrams = nullptr;
        CPhaseDiagram* diagram = FluidModelDiagram(diagrams);
        QVERIFY(diagram != nullptr);
        Run(CAppCommand::NewVTPlot);
        CVolumePlotView& vt = *diagrams->GetVTPlots().at(0);
        vt.AddInclusion(*Only<CInclusionDataDocument>(CDocumentKind::InclusionData)
                             ->mInclusionList.mInclusionData.First());
        vt.AddIsochor(*diagram->mBiphIsochorsList->mList.First());

        struct Shot {
            CToolPanelKind kind;
            const char* title;
            int pages;
            const char* name;
        };
        const Shot shots[] = {{CToolPanelKind::AlphaBeta, "Alpha-Beta Plots", 3, "alpha_beta"},
                              {CToolPanelKind::PhaseDiagram, "Phase Diagrams", 4, "phase_diagram"},
                              {CToolPanelKind::BubbleSize, "Bubble size variation", 2, "bubble_size"}};
        for (const Shot& shot : shots) {
            for (int page = 0; page < shot.pages; ++page) {
                t->app->Panels().Display(shot.kind, page);
                CToolPanelDialog* dialog = Panel(shot.title);
                QVERIFY(dialog != nullptr);
                // Floating, its pages at the size of their golden pictures.
                dialog->setFloating(true);
                for (int attempt = 0; attempt < 3 && dialog->Tabs().size() != QSize(512, 372); ++attempt) {
                    dialog->resize(dialog->size() + QSize(512, 372) - dialog->Tabs().size());
                    QCoreApplication::processEvents();
                }
                QString why;
                const QString name = QString("panel_%1_%2").arg(shot.name).arg(page);
                QVERIFY2(MatchesGolden(dialog->Tabs().grab().toImage(), name, why), qPrintable(why));
            }
        }
        for (CDocumentWindow* window : Main().DocumentWindows()) {
            if (window->PlotView() != &vt) continue;
            auto* widget = dynamic_cast<QWidget*>(window);
            widget->parentWidget()->resize(420, 340);
            QCoreApplication::processEvents();
            QString why;
            QVERIFY2(MatchesGolden(widget->grab().toImage(), "volume_temperature_window", why),
                     qPrintable(why));
            // Its picture, exported as the alpha-beta and P-T plots are in the plot pictures test.
            std::string error;
            QVERIFY2(ExportPicture(vt, t->Path("vt.png"), CPictureFormat::Png, QSize(800, 600), error),
                     error.c_str());
            QVERIFY2(MatchesGolden(QImage(QString::fromStdString(t->Path("vt.png").string())),
                                   "volume_temperature_export", why),
                     qPrintable(why));
        }
    }
};

int main(int argc, char** argv) {
    QTemporaryDir profile;
    PrepareTestEnvironment(profile);
    QApplication application(argc, argv);
    FixTheLook();
    PanelsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "panels_test.moc"
