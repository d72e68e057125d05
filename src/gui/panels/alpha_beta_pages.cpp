// SPDX-License-Identifier: BSD-3-Clause
#include "gui/panels/alpha_beta_pages.hpp"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

// ---- "Alpha-Beta Curves" ----

CAlphaBetaCurvesWidget::CAlphaBetaCurvesWidget(CAlphaBetaCurvesPage& page, CZephonApp& app)
    : CPageWidget(page, app), mPage(page) {
    using P = CAlphaBetaCurvesPage;
    mList = MakeList("inclusions", [this](int row) { mPage.SelectEntry(row); });
    const char* names[P::kFieldCount] = {"th", "bubble", "tfv", "co2", "n2", "h2s"};
    for (int i = 0; i < P::kFieldCount; ++i)
        mFields[i] = MakeField(names[i], [this, i](const std::string& text) { mPage.EditField(i, text); });
    mLiquid = MakeRadio("Liquid", "liquid", [this] { mPage.SetLiquid(true); });
    mGas = MakeRadio("&Gas", "gas", [this] { mPage.SetLiquid(false); });
    mCalculate =
        MakeButton("Calculate the Beta-Alpha Curve", "calculate", [this] { mPage.CalculateCurve(); });
    mRemove = MakeButton("Remove this curve", "remove", [this] { mPage.RemoveCurve(); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(Caption("Inclusions", mList), 0, 0);
    grid->addWidget(mList, 1, 0, 8, 1);
    const char* captions[P::kFieldCount] = {"Th (\xC2\xB0"
                                            "C)",
                                            "Bubble (volume %)",
                                            "T of measurement (\xC2\xB0"
                                            "C)",
                                            "CO2 (mole %)",
                                            "N2 (mole %)",
                                            "H2S (mole %)"};
    for (int i = 0; i < P::kFieldCount; ++i) {
        grid->addWidget(Caption(captions[i], mFields[i]), i, 1);
        grid->addWidget(mFields[i], i, 2);
    }
    auto* homogenisation = new QHBoxLayout;
    homogenisation->addWidget(Caption("Homogenisation:", mLiquid));
    homogenisation->addWidget(mLiquid);
    homogenisation->addWidget(mGas);
    grid->addLayout(homogenisation, P::kFieldCount, 1, 1, 2);
    grid->addWidget(mCalculate, P::kFieldCount + 1, 1, 1, 2);
    grid->addWidget(mRemove, P::kFieldCount + 2, 1, 1, 2);
    grid->setColumnStretch(0, 1);
    Start();
}

void CAlphaBetaCurvesWidget::Sync() {
    SyncList(*mList, mPage.Inclusions());
    for (int i = 0; i < CAlphaBetaCurvesPage::kFieldCount; ++i)
        SyncField(*mFields[i], mPage.Field(i));
    SyncRadioPair(*mLiquid, *mGas, mPage.Liquid());
    SyncButton(*mCalculate, mPage.CalculateButton());
    SyncButton(*mRemove, mPage.RemoveButton());
}

// ---- "Alpha-Beta Fluids" ----

CAlphaBetaFluidsWidget::CAlphaBetaFluidsWidget(CAlphaBetaFluidsPage& page, CZephonApp& app)
    : CPageWidget(page, app), mPage(page) {
    using P = CAlphaBetaFluidsPage;
    mFluids = MakeList("fluids", [this](int row) { mPage.SelectFluid(row); });
    mCurves = MakeList("curves", [this](int row) { mPage.SelectCurve(row); });
    mOnCurve = new QCheckBox("The fluid is on a curve", this);
    mOnCurve->setObjectName("onCurve");
    connect(mOnCurve, &QCheckBox::clicked, this, [this](bool checked) { mPage.SetOnCurve(checked); });
    const char* names[P::kFieldCount] = {"alpha", "beta", "co2", "n2", "h2s"};
    for (int i = 0; i < P::kFieldCount; ++i)
        mFields[i] = MakeField(names[i], [this, i](const std::string& text) { mPage.EditField(i, text); });
    const char* resultNames[P::kResultCount] = {"gor", "api", "ch4"};
    for (int i = 0; i < P::kResultCount; ++i)
        mResults[i] = MakeField(resultNames[i], [](const std::string&) {});
    mSetMarker = MakeButton("Set a marker on the plot", "setMarker", [this] { mPage.SetMarker(); });
    mRemoveMarker = MakeButton("Remove this marker", "removeMarker", [this] { mPage.RemoveMarker(); });
    mLog = MakeButton("Log...", "log", [this] { WriteLog(mPage.LogText()); });
    mGenerate = MakeButton("Generate a fluid model", "generate", [this] { mPage.GenerateFluidModel(); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(Caption("Fluid Name", mFluids), 0, 0);
    grid->addWidget(mFluids, 1, 0, 5, 1);
    grid->addWidget(mOnCurve, 6, 0);
    grid->addWidget(mCurves, 7, 0, 4, 1);
    const char* captions[P::kFieldCount] = {"Alpha", "Beta", "CO2", "N2", "H2S"};
    for (int i = 0; i < P::kFieldCount; ++i) {
        grid->addWidget(Caption(captions[i], mFields[i]), i, 1);
        if (i == P::kAlpha || i == P::kBeta) {
            // The spin control: one step up or down, as if typed.
            auto* spin = new QHBoxLayout;
            spin->addWidget(mFields[i]);
            for (const int direction : {+1, -1}) {
                auto* arrow = new QToolButton(this);
                arrow->setArrowType(direction > 0 ? Qt::UpArrow : Qt::DownArrow);
                arrow->setObjectName(QString(names[i]) + (direction > 0 ? "Up" : "Down"));
                connect(arrow, &QToolButton::clicked, this,
                        [this, i, direction] { mPage.Step(i, direction); });
                spin->addWidget(arrow);
            }
            grid->addLayout(spin, i, 2);
        } else {
            grid->addWidget(mFields[i], i, 2);
        }
    }
    const char* resultCaptions[P::kResultCount] = {"GOR (Std m3/Std m3)", "API degree", "CH4 Mole %"};
    for (int i = 0; i < P::kResultCount; ++i) {
        grid->addWidget(Caption(resultCaptions[i], mResults[i]), P::kFieldCount + i, 1);
        grid->addWidget(mResults[i], P::kFieldCount + i, 2);
    }
    grid->addWidget(mSetMarker, 8, 1, 1, 2);
    grid->addWidget(mRemoveMarker, 9, 1, 1, 2);
    auto* lastRow = new QHBoxLayout;
    lastRow->addWidget(mLog);
    lastRow->addWidget(mGenerate);
    grid->addLayout(lastRow, 10, 1, 1, 2);
    grid->setColumnStretch(0, 1);
    Start();
}

void CAlphaBetaFluidsWidget::Sync() {
    using P = CAlphaBetaFluidsPage;
    SyncList(*mFluids, mPage.Fluids());
    SyncList(*mCurves, mPage.Curves());
    SyncButton(*mOnCurve, mPage.OnCurve());
    for (int i = 0; i < P::kFieldCount; ++i)
        SyncField(*mFields[i], mPage.Field(i));
    for (int i = 0; i < P::kResultCount; ++i)
        SyncField(*mResults[i], mPage.Result(i));
    SyncButton(*mSetMarker, mPage.SetMarkerButton());
    SyncButton(*mRemoveMarker, mPage.RemoveMarkerButton());
    SyncButton(*mLog, mPage.LogButton());
    SyncButton(*mGenerate, mPage.GenerateButton());
}

// ---- "Correlations" ----

CCorrelationsWidget::CCorrelationsWidget(CCorrelationsPage& page, CZephonApp& app)
    : CPageWidget(page, app), mPage(page) {
    mList = MakeList("correlations", [this](int row) { mPage.SelectCorrelation(row); });
    mDisplay =
        MakeButton("Display a new correlation...", "display", [this] { mPage.DisplayNewCorrelation(); });
    mRemove = MakeButton("Remove this correlation", "remove", [this] { mPage.RemoveCorrelation(); });
    mIsoGOR = new QCheckBox("Show iso-GOR curves", this);
    mIsoGOR->setObjectName("isoGOR");
    mIsoAPI = new QCheckBox("Show iso-API curves", this);
    mIsoAPI->setObjectName("isoAPI");
    connect(mIsoGOR, &QCheckBox::clicked, this, [this](bool show) { mPage.ShowIsoGOR(show); });
    connect(mIsoAPI, &QCheckBox::clicked, this, [this](bool show) { mPage.ShowIsoAPI(show); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Caption("Displayed (alpha-beta) correlations", mList));
    layout->addWidget(mList);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(mDisplay);
    buttons->addWidget(mRemove);
    layout->addLayout(buttons);
    layout->addWidget(mIsoGOR);
    layout->addWidget(mIsoAPI);
    Start();
}

void CCorrelationsWidget::Sync() {
    SyncList(*mList, mPage.Correlations());
    SyncButton(*mDisplay, mPage.DisplayButton());
    SyncButton(*mRemove, mPage.RemoveButton());
    SyncButton(*mIsoGOR, mPage.IsoGOR());
    SyncButton(*mIsoAPI, mPage.IsoAPI());
}
