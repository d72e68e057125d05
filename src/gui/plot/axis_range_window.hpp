// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The modeless "Axis Ranges" window: the shown axis ranges of the current plot view, editable.
// It follows whichever plot window was activated last, and refreshes whenever the ranges change,
// except while a change it made itself comes back to it: what a person types is never rewritten
// under the cursor. Four fields that are not all numbers, or a minimum not strictly below its
// maximum, change nothing until they form two valid intervals.

#include <QDialog>

#include "app/application_core.hpp"

class CZephonApp;
class CPlotView;
class QLineEdit;
class QPushButton;

class CAxisRangeWindow : public QDialog, public CAppListener {
    Q_OBJECT

  public:
    CAxisRangeWindow(CZephonApp& app, QWidget* parent);
    ~CAxisRangeWindow() override;

    CPlotView* GetPlotView() const { return mPlotView; }
    // The fields from the view's shown ranges (disabled without a view).
    void UpdatePanel();

    QLineEdit* MinXField() const { return mMinX; }
    QLineEdit* MaxXField() const { return mMaxX; }
    QLineEdit* MinYField() const { return mMinY; }
    QLineEdit* MaxYField() const { return mMaxY; }
    QPushButton* UseDefaultButton() const { return mUseDefault; }

    // ---- CAppListener ----
    void OnAppNotification(CAppNotification notification) override;
    void OnDocumentClosing(CWDocument& document) override;

  protected:
    void reject() override;

  private:
    // ---- from the fields to the view ----
    void OnCoordinatesChanged();
    void OnUseDefault();
    // ---- from the application to the fields ----
    void Bind(CPlotView* view);

    CZephonApp& mApp;
    CPlotView* mPlotView = nullptr;
    int mDoNotListen = 0;   // set while the window writes its own fields
    bool mApplying = false; // set while the window changes the view's ranges
    QLineEdit* mMinX;
    QLineEdit* mMaxX;
    QLineEdit* mMinY;
    QLineEdit* mMaxY;
    QPushButton* mUseDefault;
    QPushButton* mClose;
};
