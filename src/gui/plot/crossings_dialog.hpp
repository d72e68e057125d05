#pragma once
// "Find crossings": the crossings of an alpha-beta plot's curves in a table (alpha, beta, the two
// curves, the angle between them). Clicking a row shows the crossing on the plot; the row's button
// sets a marker there. Modal, so that the plot and its curves stay as listed while it is open.

#include <QDialog>

#include "app/crossings_list.hpp"

class QLabel;
class QTableWidget;

class CCrossingsDialog : public QDialog {
    Q_OBJECT

  public:
    CCrossingsDialog(CAlphaBetaPlotDocument& document, QWidget* parent);

    QTableWidget& Table() const { return *mTable; }
    QLabel& Summary() const { return *mSummary; }

  private:
    void Fill();
    void ShowRow(int row);
    void MakeMarker(int row);

    CAlphaBetaPlotDocument& mDocument;
    CCrossingsList mList;
    QLabel* mSummary = nullptr;
    QTableWidget* mTable = nullptr;
};
