// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// How records read the look of the graph objects that draw them.

#include "base/data_list.hpp"
#include "plot/graph_object.hpp"
#include "plot/plot_format.hpp"

class CIsoplethPoint;

// Copies size, colour and marker shape of a drawn object into a point format (nothing without one),
// so that changes made in the plot settings are saved.
inline void RefreshPointFormat(CPointFormat& format, const CGraphObject* object) {
    if (object == nullptr) return;
    format.mSize = static_cast<short>(object->mSize);
    format.mColor = object->mForeColor;
    format.mSelector = static_cast<short>(object->mSelector);
}

// Copies pen width and colour of a drawn curve into a curve format (nothing without one).
inline void RefreshCurveFormat(CCurveFormat& format, const CGraphObject* object) {
    if (object == nullptr) return;
    format.mSize = static_cast<short>(object->mSize);
    format.mColor = object->mForeColor;
}

// y at x on a branch as its drawn curve gives it; without a drawn curve the branch's own points
// are used in the same way (first segment with T1 <= x < T2, else the last point's pressure,
// 0 when empty).
double CurveYFromX(const CGraphCurve* curve, const CDataList<CIsoplethPoint>& points, double x);
