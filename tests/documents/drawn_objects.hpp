// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// What a plot view draws, in a form two views can be compared by: every graph object's kind, name,
// look and vertices, and the names listed in the legend.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "plot/plot_view.hpp"

namespace zephon::testing {

struct DrawnObject {
    int type = 0;
    std::string name;
    std::string label;
    int size = 0;
    zephon::plot::Color color = 0;
    int selector = 0;
    bool hidden = false;
    std::vector<std::tuple<double, double, bool>> points;

    auto Key() const { return std::tie(type, name, label); }
};

// Files write the blanks of names as "_" and read every "_" back as a blank.
inline std::string AsReadBack(std::string name) {
    std::replace(name.begin(), name.end(), '_', ' ');
    return name;
}

inline std::vector<DrawnObject> DrawnObjects(const CPlotView& view) {
    std::vector<DrawnObject> objects;
    for (const auto& owned : view.GetGraphObjects()) {
        const CGraphObject& object = *owned;
        if (object.mType == CGraphObject::kLegend) continue;
        DrawnObject drawn;
        drawn.type = object.mType;
        drawn.name = AsReadBack(object.mName);
        drawn.size = object.mSize;
        drawn.color = object.mForeColor;
        drawn.selector = object.mSelector;
        drawn.hidden = object.mHidden;
        if (const auto* point = dynamic_cast<const CGraphPoint*>(&object))
            drawn.points.emplace_back(point->mPoint.mX, point->mPoint.mY, false);
        if (const auto* list = dynamic_cast<const CGraphPointList*>(&object)) {
            for (const auto& vertex : list->mPointsList)
                drawn.points.emplace_back(vertex->mX, vertex->mY, vertex->mSkip);
        }
        if (const auto* curve = dynamic_cast<const CGraphCurve*>(&object))
            drawn.label = AsReadBack(curve->mLabel);
        objects.push_back(std::move(drawn));
    }
    std::sort(objects.begin(), objects.end(),
              [](const DrawnObject& a, const DrawnObject& b) { return a.Key() < b.Key(); });
    return objects;
}

inline std::vector<std::string> LegendNames(const CPlotView& view) {
    std::vector<std::string> names;
    if (CGraphLegend* legend = view.GetLegend()) {
        for (const CGraphObject* entry : legend->mRefObjectList)
            names.push_back(AsReadBack(entry->mName));
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The same objects with the same look; vertices equal to the precision the files keep.
inline void ExpectSameDrawing(const CPlotView& expected, const CPlotView& actual, double tolerance = 1e-3) {
    const auto a = DrawnObjects(expected);
    const auto b = DrawnObjects(actual);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE("object " + a[i].name);
        EXPECT_EQ(a[i].type, b[i].type);
        EXPECT_EQ(a[i].name, b[i].name);
        EXPECT_EQ(a[i].label, b[i].label);
        EXPECT_EQ(a[i].size, b[i].size);
        EXPECT_EQ(a[i].color, b[i].color);
        EXPECT_EQ(a[i].selector, b[i].selector);
        EXPECT_EQ(a[i].hidden, b[i].hidden);
        ASSERT_EQ(a[i].points.size(), b[i].points.size());
        for (std::size_t k = 0; k < a[i].points.size(); ++k) {
            const auto& [x1, y1, s1] = a[i].points[k];
            const auto& [x2, y2, s2] = b[i].points[k];
            EXPECT_NEAR(x1, x2, tolerance * std::max(1.0, std::fabs(x1)));
            EXPECT_NEAR(y1, y2, tolerance * std::max(1.0, std::fabs(y1)));
            EXPECT_EQ(s1, s2);
        }
    }
    EXPECT_EQ(LegendNames(expected), LegendNames(actual));
}

} // namespace zephon::testing
