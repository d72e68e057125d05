// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// "Find crossings": the crossings of an alpha-beta plot's curves in a table (alpha, beta, the two
// curves, the angle between them), among the curves of the inclusions checked in its list (all at
// first). Clicking a row shows the crossing on the plot; the row's button sets a marker there.
// Modal, so that the plot and its curves stay as listed while it is open.

#include <QDialog>
#include <memory>

#include "app/crossings_list.hpp"

class QLabel;
class QListWidget;
class QTableWidget;

class CCrossingsDialog : public QDialog {
    Q_OBJECT

  public:
    CCrossingsDialog(CAlphaBetaPlotDocument& document, QWidget* parent);
    ~CCrossingsDialog() override;

    QTableWidget& Table() const { return *mTable; }
    QLabel& Summary() const { return *mSummary; }
    // The inclusions whose curves are searched, one checkable row per curve of the plot.
    QListWidget& Curves() const { return *mCurves; }

  private:
    // Lists the crossings among the checked curves again.
    void Search();
    void Fill();
    void ShowRow(int row);
    void MakeMarker(int row);

    CAlphaBetaPlotDocument& mDocument;
    std::unique_ptr<CCrossingsList> mList;
    QListWidget* mCurves = nullptr;
    QLabel* mSummary = nullptr;
    QTableWidget* mTable = nullptr;
};
