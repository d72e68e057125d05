// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The widgets of the phase-diagram panel's four pages.

#include <array>

#include "app/panel_clean.hpp"
#include "app/panel_isochors.hpp"
#include "app/panel_isopleths.hpp"
#include "app/panel_trapping.hpp"
#include "gui/panels/page_widget.hpp"

class QCheckBox;
class QPushButton;
class QRadioButton;

class CIsoplethsWidget : public CPageWidget {
    Q_OBJECT

  public:
    CIsoplethsWidget(CIsoplethsPage& page, CZephonApp& app);

  protected:
    void Sync() override;
    QLineEdit* FieldWidget(int field) const override { return mFields.at(field); }

  private:
    CIsoplethsPage& mPage;
    QRadioButton* mUseAlphaBeta = nullptr;
    QRadioButton* mUseFluid = nullptr;
    QListWidget* mAlphaBeta = nullptr;
    QListWidget* mFluids = nullptr;
    std::array<QLineEdit*, CIsoplethsPage::kFieldCount> mFields{};
    QPushButton* mCalculate = nullptr;
};

class CIsochorsWidget : public CPageWidget {
    Q_OBJECT

  public:
    CIsochorsWidget(CIsochorsPage& page, CZephonApp& app);

  protected:
    void Sync() override;
    QLineEdit* FieldWidget(int field) const override { return field == CIsochorsPage::kTh ? mTh : nullptr; }

  private:
    CIsochorsPage& mPage;
    QListWidget* mIsopleths = nullptr;
    QListWidget* mInclusions = nullptr;
    QLineEdit* mTh = nullptr;
    QRadioButton* mLiquid = nullptr;
    QRadioButton* mGas = nullptr;
    std::array<QLineEdit*, CIsochorsPage::kResultCount> mResults{};
    QPushButton* mCalculate = nullptr;
    QPushButton* mLog = nullptr;
};

class CTrappingWidget : public CPageWidget {
    Q_OBJECT

  public:
    CTrappingWidget(CTrappingPage& page, CZephonApp& app);

  protected:
    void Sync() override;
    QLineEdit* FieldWidget(int field) const override {
        return field == CTrappingPage::kThaq
                   ? mThaq
                   : (field > 0 && field < CTrappingPage::kFieldCount ? mFields.at(field) : nullptr);
    }

  private:
    // The coeval aqueous inclusion's controls and the crossing's results.
    QWidget* MakeAqueousGroup();
    QWidget* MakeResultsGroup();

    CTrappingPage& mPage;
    QListWidget* mIsochors = nullptr;
    QLineEdit* mThaq = nullptr;
    QLineEdit* mPressure = nullptr;
    QPushButton* mLog = nullptr;
    QPushButton* mSetLine = nullptr;
    std::array<QLineEdit*, CTrappingPage::kFieldCount> mFields{};
    std::array<QRadioButton*, CTrappingPage::kSourceCount> mSources{};
    QListWidget* mHosts = nullptr;
    QCheckBox* mLegacy = nullptr;
    QPushButton* mCrossing = nullptr;
    std::array<QLineEdit*, CTrappingPage::kResultCount> mResults{};
};

class CCleanWidget : public CPageWidget {
    Q_OBJECT

  public:
    CCleanWidget(CCleanPage& page, CZephonApp& app);

  protected:
    void Sync() override;
    QLineEdit* FieldWidget(int) const override { return nullptr; }

  private:
    CCleanPage& mPage;
    std::array<QListWidget*, CCleanPage::kListCount> mLists{};
    std::array<QPushButton*, CCleanPage::kListCount> mRemove{};
};
