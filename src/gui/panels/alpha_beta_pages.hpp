// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The widgets of the alpha-beta panel's three pages.

#include <array>

#include "app/panel_alpha_beta_curves.hpp"
#include "app/panel_alpha_beta_fluids.hpp"
#include "app/panel_correlations.hpp"
#include "gui/panels/page_widget.hpp"

class QCheckBox;
class QPushButton;
class QRadioButton;

class CAlphaBetaCurvesWidget : public CPageWidget {
    Q_OBJECT

  public:
    CAlphaBetaCurvesWidget(CAlphaBetaCurvesPage& page, CZephonApp& app);

  protected:
    void Sync() override;
    QLineEdit* FieldWidget(int field) const override { return mFields.at(field); }

  private:
    CAlphaBetaCurvesPage& mPage;
    QListWidget* mList = nullptr;
    std::array<QLineEdit*, CAlphaBetaCurvesPage::kFieldCount> mFields{};
    QRadioButton* mLiquid = nullptr;
    QRadioButton* mGas = nullptr;
    QPushButton* mCalculate = nullptr;
    QPushButton* mRemove = nullptr;
};

class CAlphaBetaFluidsWidget : public CPageWidget {
    Q_OBJECT

  public:
    CAlphaBetaFluidsWidget(CAlphaBetaFluidsPage& page, CZephonApp& app);

  protected:
    void Sync() override;
    QLineEdit* FieldWidget(int field) const override { return mFields.at(field); }

  private:
    CAlphaBetaFluidsPage& mPage;
    QListWidget* mFluids = nullptr;
    QListWidget* mCurves = nullptr;
    QCheckBox* mOnCurve = nullptr;
    std::array<QLineEdit*, CAlphaBetaFluidsPage::kFieldCount> mFields{};
    std::array<QLineEdit*, CAlphaBetaFluidsPage::kResultCount> mResults{};
    QPushButton* mSetMarker = nullptr;
    QPushButton* mRemoveMarker = nullptr;
    QPushButton* mLog = nullptr;
    QPushButton* mGenerate = nullptr;
};

class CCorrelationsWidget : public CPageWidget {
    Q_OBJECT

  public:
    CCorrelationsWidget(CCorrelationsPage& page, CZephonApp& app);

  protected:
    void Sync() override;
    QLineEdit* FieldWidget(int) const override { return nullptr; }

  private:
    CCorrelationsPage& mPage;
    QListWidget* mList = nullptr;
    QPushButton* mDisplay = nullptr;
    QPushButton* mRemove = nullptr;
    QCheckBox* mIsoGOR = nullptr;
    QCheckBox* mIsoAPI = nullptr;
};
