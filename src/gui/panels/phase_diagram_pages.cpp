#include "gui/panels/phase_diagram_pages.hpp"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
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
    grid->addWidget(Caption("Select the (alpha-beta) model"), 1, 0);
    grid->addWidget(mAlphaBeta, 2, 0, 5, 1);
    const char* captions[P::kFieldCount] = {"Alpha", "Beta", "CO2 mole %", "N2 mole %", "H2S mole %"};
    for (int i = 0; i < P::kFieldCount; ++i) {
        grid->addWidget(Caption(captions[i]), 2 + i, 1);
        grid->addWidget(mFields[i], 2 + i, 2);
    }
    grid->addWidget(mUseFluid, 7, 0);
    grid->addWidget(Caption("Select the fluid model"), 8, 0);
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
    mGas = MakeRadio("Gas", "gas", [this] { mPage.SetLiquid(false); });
    const char* resultNames[CIsochorsPage::kResultCount] = {"bulkDensity", "api", "gor"};
    for (int i = 0; i < CIsochorsPage::kResultCount; ++i)
        mResults[i] = MakeField(resultNames[i], [](const std::string&) {});
    mCalculate = MakeButton("Calculate the isochor", "calculate", [this] { mPage.CalculateIsochor(); });
    mLog = MakeButton("Write to Log", "log", [this] { WriteLog(mPage.LogText()); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(Caption("Select the isopleth"), 0, 0);
    grid->addWidget(mIsopleths, 1, 0, 3, 1);
    grid->addWidget(Caption("Select the inclusion"), 4, 0);
    grid->addWidget(mInclusions, 5, 0, 5, 1);
    grid->addWidget(Caption("Th (\xC2\xB0"
                            "C)",
                            this),
                    0, 1);
    grid->addWidget(mTh, 0, 2);
    auto* homogenisation = new QHBoxLayout;
    homogenisation->addWidget(Caption("Homogenisation"));
    homogenisation->addWidget(mLiquid);
    homogenisation->addWidget(mGas);
    grid->addLayout(homogenisation, 1, 1, 1, 2);
    grid->addWidget(mCalculate, 2, 1, 1, 2);
    auto* results = new QGroupBox("Results", this);
    auto* resultsGrid = new QGridLayout(results);
    const char* captions[CIsochorsPage::kResultCount] = {"Bulk density (g/cm3)", "API \xC2\xB0",
                                                         "GOR (Std m3/Std m3)"};
    for (int i = 0; i < CIsochorsPage::kResultCount; ++i) {
        resultsGrid->addWidget(Caption(captions[i], results), i, 0);
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

    auto* grid = new QGridLayout(this);
    grid->addWidget(Caption("Select the isochor"), 0, 0);
    grid->addWidget(mIsochors, 1, 0, 6, 1);
    grid->addWidget(Caption("Th (aqueous inclusions, \xC2\xB0"
                            "C)",
                            this),
                    0, 1);
    grid->addWidget(mThaq, 1, 1);
    auto* results = new QGroupBox("Results", this);
    auto* resultsGrid = new QGridLayout(results);
    resultsGrid->addWidget(Caption("Trapping pressure (bar)", results), 0, 0);
    resultsGrid->addWidget(mPressure, 0, 1);
    grid->addWidget(results, 2, 1);
    grid->addWidget(mLog, 3, 1);
    grid->addWidget(mSetLine, 4, 1);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(0, 1);
    Start();
}

void CTrappingWidget::Sync() {
    SyncList(*mIsochors, mPage.Isochors());
    SyncField(*mThaq, mPage.Thaq());
    SyncField(*mPressure, mPage.Pressure());
    SyncButton(*mLog, mPage.LogButton());
    SyncButton(*mSetLine, mPage.SetLineButton());
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
