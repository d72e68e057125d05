// SPDX-License-Identifier: BSD-3-Clause
#include "gui/panels/phase_diagram_pages.hpp"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

// ---- "Isopleths" ----

CIsoplethsWidget::CIsoplethsWidget(CIsoplethsPage& page, CZephonApp& app)
    : CPageWidget(page, app), mPage(page) {
    using P = CIsoplethsPage;
    mUseAlphaBeta =
        MakeRadio("Use Alpha-Beta Model", "useAlphaBeta", [this] { mPage.SetUseAlphaBeta(true); });
    mUseFluid = MakeRadio("Use Fluid Model", "useFluid", [this] { mPage.SetUseAlphaBeta(false); });
    mAlphaBeta = MakeList("alphaBetaModels", [this](int row) { mPage.SelectAlphaBetaModel(row); });
    mFluids = MakeList("fluidModels", [this](int row) { mPage.SelectFluidModel(row); });
    const char* names[P::kFieldCount] = {"alpha", "beta", "co2", "n2", "h2s"};
    for (int i = 0; i < P::kFieldCount; ++i)
        mFields[i] = MakeField(names[i], [this, i](const std::string& text) { mPage.EditField(i, text); });
    mCalculate = MakeButton("Calculate the isopleth", "calculate", [this] { mPage.CalculateIsopleth(); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(mUseAlphaBeta, 0, 0);
    grid->addWidget(Caption("Select the (alpha-beta) model", mAlphaBeta), 1, 0);
    grid->addWidget(mAlphaBeta, 2, 0, 5, 1);
    const char* captions[P::kFieldCount] = {"Alpha", "Beta", "CO2 mole %", "N2 mole %", "H2S mole %"};
    for (int i = 0; i < P::kFieldCount; ++i) {
        grid->addWidget(Caption(captions[i], mFields[i]), 2 + i, 1);
        grid->addWidget(mFields[i], 2 + i, 2);
    }
    grid->addWidget(mUseFluid, 7, 0);
    grid->addWidget(Caption("Select the fluid model", mFluids), 8, 0);
    grid->addWidget(mFluids, 9, 0, 2, 1);
    grid->addWidget(mCalculate, 10, 1, 1, 2);
    grid->setColumnStretch(0, 1);
    Start();
}

void CIsoplethsWidget::Sync() {
    SyncRadioPair(*mUseAlphaBeta, *mUseFluid, mPage.UseAlphaBeta());
    SyncList(*mAlphaBeta, mPage.AlphaBetaModels());
    SyncList(*mFluids, mPage.FluidModels());
    for (int i = 0; i < CIsoplethsPage::kFieldCount; ++i)
        SyncField(*mFields[i], mPage.Field(i));
    SyncButton(*mCalculate, mPage.CalculateButton());
}

// ---- "Isochors" ----

CIsochorsWidget::CIsochorsWidget(CIsochorsPage& page, CZephonApp& app) : CPageWidget(page, app), mPage(page) {
    mIsopleths = MakeList("isopleths", [this](int row) { mPage.SelectIsopleth(row); });
    mInclusions = MakeList("inclusions", [this](int row) { mPage.SelectInclusion(row); });
    mTh = MakeField("th", [this](const std::string& text) { mPage.EditTh(text); });
    mLiquid = MakeRadio("Liq.", "liquid", [this] { mPage.SetLiquid(true); });
    mGas = MakeRadio("&Gas", "gas", [this] { mPage.SetLiquid(false); });
    const char* resultNames[CIsochorsPage::kResultCount] = {"bulkDensity", "api", "gor"};
    for (int i = 0; i < CIsochorsPage::kResultCount; ++i)
        mResults[i] = MakeField(resultNames[i], [](const std::string&) {});
    mCalculate = MakeButton("Calculate the isochor", "calculate", [this] { mPage.CalculateIsochor(); });
    mLog = MakeButton("Write to Log", "log", [this] { WriteLog(mPage.LogText()); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(Caption("Select the isopleth", mIsopleths), 0, 0);
    grid->addWidget(mIsopleths, 1, 0, 3, 1);
    grid->addWidget(Caption("Select the inclusion", mInclusions), 4, 0);
    grid->addWidget(mInclusions, 5, 0, 5, 1);
    grid->addWidget(Caption("Th (\xC2\xB0"
                            "C)",
                            mTh),
                    0, 1);
    grid->addWidget(mTh, 0, 2);
    auto* homogenisation = new QHBoxLayout;
    homogenisation->addWidget(Caption("Homogenisation", mLiquid));
    homogenisation->addWidget(mLiquid);
    homogenisation->addWidget(mGas);
    grid->addLayout(homogenisation, 1, 1, 1, 2);
    grid->addWidget(mCalculate, 2, 1, 1, 2);
    auto* results = new QGroupBox("Results", this);
    auto* resultsGrid = new QGridLayout(results);
    const char* captions[CIsochorsPage::kResultCount] = {"Bulk density (g/cm3)", "API \xC2\xB0",
                                                         "GOR (Std m3/Std m3)"};
    for (int i = 0; i < CIsochorsPage::kResultCount; ++i) {
        resultsGrid->addWidget(Caption(captions[i], mResults[i], results), i, 0);
        resultsGrid->addWidget(mResults[i], i, 1);
    }
    resultsGrid->setRowStretch(CIsochorsPage::kResultCount, 1);
    grid->addWidget(results, 3, 1, 5, 2);
    grid->addWidget(mLog, 8, 1, 1, 2);
    grid->setColumnStretch(0, 1);
    Start();
}

void CIsochorsWidget::Sync() {
    SyncList(*mIsopleths, mPage.Isopleths());
    SyncList(*mInclusions, mPage.Inclusions());
    SyncField(*mTh, mPage.Th());
    SyncRadioPair(*mLiquid, *mGas, mPage.Liquid());
    for (int i = 0; i < CIsochorsPage::kResultCount; ++i)
        SyncField(*mResults[i], mPage.Result(i));
    SyncButton(*mCalculate, mPage.CalculateButton());
    SyncButton(*mLog, mPage.LogButton());
}

// ---- "Trapping" ----

CTrappingWidget::CTrappingWidget(CTrappingPage& page, CZephonApp& app) : CPageWidget(page, app), mPage(page) {
    mIsochors = MakeList("isochors", [this](int row) { mPage.SelectIsochor(row); });
    mThaq = MakeField("thaq", [this](const std::string& text) { mPage.EditThaq(text); });
    mPressure = MakeField("pressure", [](const std::string&) {});
    mLog = MakeButton("Write to Log", "log", [this] { WriteLog(mPage.LogText()); });
    mSetLine = MakeButton("Set a trapping line on the plot", "setLine", [this] { mPage.SetTrappingLine(); });
    mCrossing = MakeButton("Calculate the crossing", "crossing", [this] { mPage.CalculateCrossing(); });

    // The page holds more than the other pages of the panel: it scrolls rather than widen them all.
    auto* content = new QWidget;
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("trappingScroll");
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    auto* grid = new QGridLayout(content);
    grid->addWidget(Caption("Select the isochor", mIsochors), 0, 0, 1, 4);
    mIsochors->setMaximumHeight(5 * mIsochors->fontMetrics().height() + 8);
    grid->addWidget(mIsochors, 1, 0, 1, 4);
    grid->addWidget(Caption("Th (aqueous inclusions, \xC2\xB0"
                            "C)",
                            mThaq),
                    2, 0);
    grid->addWidget(mThaq, 2, 1);
    grid->addWidget(Caption("Trapping pressure (bar)", mPressure), 2, 2);
    grid->addWidget(mPressure, 2, 3);
    grid->addWidget(mSetLine, 3, 0, 1, 4);
    grid->addWidget(MakeAqueousGroup(), 4, 0, 1, 4);
    grid->addWidget(mCrossing, 5, 0, 1, 4);
    grid->addWidget(MakeResultsGroup(), 6, 0, 1, 4);
    grid->addWidget(mLog, 7, 0, 1, 4);
    grid->setRowStretch(8, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    scroll->setWidget(content);
    Start();
}

QWidget* CTrappingWidget::MakeAqueousGroup() {
    using P = CTrappingPage;
    const char* names[P::kFieldCount] = {"thaq",    "measured", "sdThaq", "sdMeasured",
                                         "sdThOil", "sdFv",     "tfv"};
    for (int f = P::kMeasured; f < P::kFieldCount; ++f)
        mFields[f] = MakeField(names[f], [this, f](const std::string& text) { mPage.EditField(f, text); });
    const char* sources[P::kSourceCount] = {"Tm,ice (\xC2\xB0"
                                            "C)",
                                            "Tm,halite (\xC2\xB0"
                                            "C)",
                                            "Salinity (wt%)"};
    const char* sourceNames[P::kSourceCount] = {"tmIce", "tmHalite", "salinity"};
    for (int s = 0; s < P::kSourceCount; ++s)
        mSources[s] = MakeRadio(sources[s], sourceNames[s], [this, s] { mPage.SetSource(s); });
    mHosts = MakeList("hosts", [this](int row) { mPage.SelectHost(row); });
    mHosts->setMaximumHeight(4 * mHosts->fontMetrics().height() + 8);
    mLegacy = MakeCheck("Bodnar && Vityk (1994) isochores:\nlegacy, overestimates P at basin conditions",
                        "legacy", [this](bool checked) { mPage.SetLegacy(checked); });

    auto* group = new QGroupBox("Coeval aqueous inclusion", this);
    auto* grid = new QGridLayout(group);
    for (int s = 0; s < P::kSourceCount; ++s)
        grid->addWidget(mSources[s], s, 0);
    grid->addWidget(Caption("Value", mFields[P::kMeasured], group), 3, 0);
    grid->addWidget(mFields[P::kMeasured], 3, 1);
    grid->addWidget(Caption("Host mineral", mHosts, group), 0, 2);
    grid->addWidget(mHosts, 1, 2, 3, 2);
    grid->addWidget(mLegacy, 4, 0, 1, 4);
    grid->addWidget(Caption("Standard uncertainties", mFields[P::kSdThaq], group), 5, 0, 1, 4);
    const char* captions[P::kFieldCount] = {"",
                                            "",
                                            "Th (aq.), K",
                                            "Value",
                                            "Th (oil), K",
                                            "Fv, %",
                                            "Fv at (\xC2\xB0"
                                            "C)"};
    for (int f = P::kSdThaq; f < P::kFieldCount; ++f) {
        const int i = f - P::kSdThaq;
        grid->addWidget(Caption(captions[f], mFields[f], group), 6 + i / 2, (i % 2) * 2);
        grid->addWidget(mFields[f], 6 + i / 2, (i % 2) * 2 + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return group;
}

QWidget* CTrappingWidget::MakeResultsGroup() {
    using P = CTrappingPage;
    const char* names[P::kResultCount] = {"salinityResult", "crossingT", "crossingP", "sdT", "sdP",
                                          "correlation",    "slopes",    "angle"};
    const char* captions[P::kResultCount] = {"Salinity (wt% NaCl eq.)",
                                             "Trapping T (\xC2\xB0"
                                             "C)",
                                             "Trapping P (bar)",
                                             "\xC2\xB1 T (K)",
                                             "\xC2\xB1 P (bar)",
                                             "Correlation of T and P",
                                             "Slopes oil / aq. (bar/K)",
                                             "Angle (\xC2\xB0)"};
    auto* group = new QGroupBox("Crossing of the isochores", this);
    auto* grid = new QGridLayout(group);
    // Each value beside its uncertainty: (row, column) of every result.
    const int places[P::kResultCount][2] = {{2, 0}, {0, 0}, {1, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 0}, {3, 1}};
    for (int r = 0; r < P::kResultCount; ++r) {
        mResults[r] = MakeField(names[r], [](const std::string&) {});
        grid->addWidget(Caption(captions[r], mResults[r], group), places[r][0], places[r][1] * 2);
        grid->addWidget(mResults[r], places[r][0], places[r][1] * 2 + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return group;
}

void CTrappingWidget::Sync() {
    SyncList(*mIsochors, mPage.Isochors());
    SyncField(*mThaq, mPage.Thaq());
    SyncField(*mPressure, mPage.Pressure());
    SyncButton(*mLog, mPage.LogButton());
    SyncButton(*mSetLine, mPage.SetLineButton());
    for (int f = CTrappingPage::kMeasured; f < CTrappingPage::kFieldCount; ++f)
        SyncField(*mFields[f], mPage.Field(f));
    for (int s = 0; s < CTrappingPage::kSourceCount; ++s)
        SyncButton(*mSources[s], mPage.SourceButton(s));
    SyncList(*mHosts, mPage.Hosts());
    SyncButton(*mLegacy, mPage.LegacyButton());
    SyncButton(*mCrossing, mPage.CrossingButton());
    for (int r = 0; r < CTrappingPage::kResultCount; ++r)
        SyncField(*mResults[r], mPage.Result(r));
}

// ---- "Clean" ----

CCleanWidget::CCleanWidget(CCleanPage& page, CZephonApp& app) : CPageWidget(page, app), mPage(page) {
    auto* layout = new QHBoxLayout(this);
    const char* captions[CCleanPage::kListCount] = {"Isopleths", "Isochors", "Trapping lines"};
    const char* names[CCleanPage::kListCount] = {"isopleths", "isochors", "trappingLines"};
    for (int list = 0; list < CCleanPage::kListCount; ++list) {
        auto* box = new QGroupBox(captions[list], this);
        auto* column = new QVBoxLayout(box);
        mLists[list] = MakeList(names[list], [this, list](int row) { mPage.Select(list, row); });
        mRemove[list] = MakeButton("Remove", (std::string(names[list]) + "Remove").c_str(),
                                   [this, list] { mPage.Remove(list); });
        column->addWidget(mLists[list]);
        column->addWidget(mRemove[list]);
        layout->addWidget(box);
    }
    Start();
}

void CCleanWidget::Sync() {
    for (int list = 0; list < CCleanPage::kListCount; ++list) {
        SyncList(*mLists[list], mPage.List(list));
        SyncButton(*mRemove[list], mPage.RemoveButton(list));
    }
}
