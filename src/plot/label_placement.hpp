// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Where the captions of a plot go: the names at the ends of curves, beside markers and beside
// the points of correlations, and the values of background curves.
//
// Every caption stays whole inside the plot area and none is drawn over another, over the legend
// or over a marker. A caption first tries the places around its own point; when all are taken it
// is stacked beside its point with a leader line to it, or, for the values of background curves,
// moved along its curve; a caption with no room anywhere is left out rather than drawn over
// another.

#include <string>
#include <vector>

#include "plot/canvas.hpp"

namespace zephon::plot {

struct CPlotLabel {
    enum class Kind {
        CurveEnd,   // the name of a curve at its last point: above and to the right first
        Point,      // the name of a marker: to the right first
        Background, // the value of a background curve: on its point, then along its curve
    };

    Kind kind = Kind::Point;
    std::string text;
    Size extent;              // of the text in the captions' font
    Point anchor;             // the pixel the caption belongs to
    int clearance = 0;        // pixels around the anchor the caption keeps free (a marker's size)
    std::vector<Point> along; // further points of the curve, in order of preference
    Color color = kBlack;     // of the text
    int line = -1;            // the drawn line the caption belongs to (CPlacedLines), if any
};

// The drawn curves as polylines in pixels, each with the box that holds it.
struct CPlotLine {
    std::vector<Point> points;
    Rect bounds;
    bool background = false; // a background curve: only the background's values keep clear of it
};
using CPlotLines = std::vector<CPlotLine>;

struct CPlacedLabel {
    std::size_t label = 0; // index of the caption placed
    Rect box;              // where its text goes
    bool leader = false;   // a line joins the anchor to the box
    Point from;            // the leader's ends: the anchor, and the nearest point of the box
    Point to;
};

// Places the captions in order (the earlier ones first choose), within `area`, clear of each other
// and of `obstacles`. A caption goes where it crosses none of the drawn `lines` wherever it finds
// such a place, around its point, stacked beside it or along its curve; only where there is none
// does it cross a line. A background value keeps clear of every line but its own (it is written
// on it); the names of curves and markers keep clear of the data's lines, not of the background.
// Captions that find no room are not in the result.
std::vector<CPlacedLabel> PlaceLabels(const std::vector<CPlotLabel>& labels, const Rect& area,
                                      const std::vector<Rect>& obstacles, const CPlotLines& lines = {});

// The polyline as a CPlotLine (its bounds computed).
CPlotLine MakePlotLine(std::vector<Point> points, bool background = false);

// Whether two rectangles share any pixel (touching edges do not).
bool Overlaps(const Rect& a, const Rect& b);

} // namespace zephon::plot
