// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The list "Find crossings" shows for an alpha-beta plot: where the curves of its inclusions cross,
// one row per crossing with alpha, beta, the two curves and the angle between them, and the marker
// a person makes at one of them. The computation is the one zephon-cli crossings prints.

#include <string>
#include <vector>

#include "data/alpha_beta_crossings.hpp"

class CAlphaBetaPlotDocument;
class CAlphaBetaPoint;

class CCrossingsList {
  public:
    enum Column { kAlpha, kBeta, kCurves, kAngle, kColumnCount };

    // The crossings among the given curves of the plot (those of selected inclusions); among all
    // of its curves when none are given.
    explicit CCrossingsList(CAlphaBetaPlotDocument& document,
                            std::vector<const CAlphaBetaCurve*> curves = {});

    // Finds the crossings again after the plot changed; curves no longer in it are left out (a
    // choice whose curves are all gone lists nothing rather than every curve).
    void Refresh();

    static const char* ColumnTitle(int column);
    int RowCount() const { return static_cast<int>(mCrossings.size()); }
    // "0.8274", "0.2241", "FI-1 and FI-2", "0.4" (degrees); empty outside the list.
    std::string CellText(int row, int column) const;
    const CCurveCrossing* Row(int row) const;
    // Above the rows: "6 crossings of 5 curves.", or why there are none.
    std::string Summary() const;

    // The row on the plot: its two curves highlighted, the selected point on the crossing.
    void ShowRow(int row);
    // A marker at the crossing, made as "Set a marker" makes one on the first of the two curves
    // (named after it, with the gases of its inclusion). Null when the row or its curves are gone.
    CAlphaBetaPoint* MakeMarker(int row);

  private:
    bool IsInPlot(const CAlphaBetaCurve* curve) const;

    CAlphaBetaPlotDocument& mDocument;
    bool mAll;                                   // no curves were given: every curve of the plot
    std::vector<const CAlphaBetaCurve*> mWanted; // the given ones still in the plot
    std::size_t mCurveCount = 0;
    std::vector<CCurveCrossing> mCrossings;
};
