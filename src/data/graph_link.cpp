// SPDX-License-Identifier: BSD-3-Clause
#include "data/graph_link.hpp"

#include "data/phase_diagram_record.hpp"

double CurveYFromX(const CGraphCurve* curve, const CDataList<CIsoplethPoint>& points, double x) {
    if (curve != nullptr) return curve->getYFromX(x);
    const CIsoplethPoint* previous = nullptr;
    for (const CIsoplethPoint* current : points) {
        if (previous != nullptr && previous->mT <= x && x < current->mT) {
            return previous->mP +
                   (current->mP - previous->mP) * (x - previous->mT) / (current->mT - previous->mT);
        }
        previous = current;
    }
    return previous != nullptr ? previous->mP : 0.0;
}
