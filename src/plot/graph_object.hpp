// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Drawable objects of a plot: points, curves, lists of points, texts and the legend.
//
// A document creates one graph object per record it shows, fills its points and look, points
// mReferenceObject back at the record and hands the object to its plot view. The view copies
// in its plot rectangle and axis ranges, sets mPlotView and calls CalculateCoordinates, which
// maps world coordinates to pixels; Draw, TestClick and DragObject then work in pixels.
//
// Every decision that depends on the kind of an object tests mType (CGraphObject::Kind).

#include <memory>
#include <string>
#include <vector>

#include "base/data_list.hpp"
#include "plot/canvas.hpp"
#include "plot/label_placement.hpp"
#include "plot/point_record.hpp"

namespace zephon::plot {

// World-to-pixel mapping of a plot area. x grows to the right from the left edge, y grows
// upward from the bottom edge; pixels are truncated toward zero and kept within 16 bits.
struct PlotMapping {
    Rect plotRect{0, 0, 100, 100};
    double minX = 0;
    double maxX = 1;
    double minY = 0;
    double maxY = 1;

    // An empty range maps everything to the left (bottom) edge; a coordinate beyond the 16-bit
    // range is held at its end rather than wrapping round onto the plot.
    short ToPixelX(double x) const;
    short ToPixelY(double y) const;
    // The inverse mapping, used when a dragged object is put back into world coordinates. A plot
    // area without width (height) gives the minimum of the range.
    double ToWorldX(int x) const;
    double ToWorldY(int y) const;
};

// The box of a marker of half-size `size` centred at (x, y): one pixel more to the right and
// below for odd sizes, so size 3 gives a 7 x 7 box and size 4 an 8 x 8 one.
Rect MarkerBox(int size, int x, int y);

// Draws one marker (selector 1 to 12, other selectors draw nothing) with a one-pixel pen in the
// colour, filled with the colour or, for the open shapes, with white.
void DrawPoint(Canvas& canvas, int selector, int size, Color color, int x, int y);

// Name of a marker shape as the point settings offer it; empty for an unknown selector.
const char* MarkerName(int selector);
constexpr int kMarkerCount = 12;

} // namespace zephon::plot

// What a graph object asks of the plot view that shows it. The view implements it and sets
// itself as the objects' mPlotView; without a view the default fonts are used.
class CPlotHost {
  public:
    CPlotHost() = default;
    CPlotHost(const CPlotHost&) = delete;
    CPlotHost& operator=(const CPlotHost&) = delete;
    virtual ~CPlotHost() = default;

    // Font of the legend entries and curve captions.
    virtual zephon::plot::Font GetLegendFont() const = 0;
    // Font of free texts.
    virtual zephon::plot::Font GetWindowFont() const = 0;
};

class CGraphObject {
  public:
    enum Kind : int {
        kPoint = 1,
        kCurve = 2,
        kText = 3,
        kLegend = 4,
        kPointList = 5,
        kStringPointList = 6,
    };

    CGraphObject() = default;
    CGraphObject(const CGraphObject&) = delete;
    CGraphObject& operator=(const CGraphObject&) = delete;
    virtual ~CGraphObject() = default;

    // Draws the object (nothing when hidden); the base draws nothing.
    virtual void Draw(zephon::plot::Canvas& canvas);
    // Maps the object's world coordinates to pixels and updates mFrameRect; the base does nothing.
    virtual void CalculateCoordinates();
    // The end of a drag: `released` is where the tracker that started at mFrameRect was let go.
    // When it differs from mFrameRect the object moves there and the result is 1, else 0.
    virtual int DragObject(const zephon::plot::Rect& released);
    // Hit test at a pixel; on a hit returns 1 and stores the part hit (1-based) in *index.
    // The base hits anywhere in mFrameRect, borders included, with index 1.
    virtual int TestClick(short x, short y, long* index);
    virtual void SetHilited(bool hilited) { mHilited = hilited; }

    // A drag by the mouse's displacement, as a tracker that moves the frame rectangle does it.
    int DragObjectBy(int dx, int dy) { return DragObject(mFrameRect.Offset(dx, dy)); }

    // The captions the object wants beside it, measured on the canvas in its current font; the
    // plot view places them all together so that none covers another. The base has none.
    virtual void CollectLabels(zephon::plot::Canvas& canvas,
                               std::vector<zephon::plot::CPlotLabel>& labels) const;
    // What the legend lists for the object: mLegendName, or mName when that is empty.
    const std::string& LegendText() const { return mLegendName.empty() ? mName : mLegendName; }

    // What the plot view copies in before CalculateCoordinates.
    void SetPlotArea(const zephon::plot::Rect& plotRect, double minX, double maxX, double minY, double maxY);
    zephon::plot::PlotMapping GetMapping() const;

    // Pens follow mSize and mForeColor: a solid pen of width mSize, and one two pixels wider
    // for the highlighted object.
    zephon::plot::Pen GetDrawPen() const { return {mSize, mForeColor, mPenStyle}; }
    zephon::plot::Pen GetHilitedPen() const { return {mSize + 2, mForeColor, mPenStyle}; }

    int mType = 0;
    int mSize = 1;     // pen width of curves, marker half-size of points
    int mSelector = 1; // marker shape
    zephon::plot::Color mForeColor = zephon::plot::kRed;
    zephon::plot::Rect mPlotRect{0, 0, 100, 100};
    zephon::plot::Rect mFrameRect;
    double mMinX = 0;
    double mMaxX = 1;
    double mMinY = 0;
    double mMaxY = 1;
    std::string mName;
    std::string mLegendName; // the legend's entry when it says more than the name (empty: mName)
    bool mCaptioned = false; // a point's name, or each captioned point's text, is drawn beside it
    bool mHilited = false;
    // Dashed: a curve of another kind beside curves of the same colour (not stored).
    zephon::plot::PenStyle mPenStyle = zephon::plot::PenStyle::Solid;
    bool mSelectable = false; // only selectable objects take part in the view's hit tests
    bool mHidden = false;
    void* mReferenceObject = nullptr; // the record the object draws; not owned
    CPlotHost* mPlotView = nullptr;

  protected:
    zephon::plot::Font GetLegendFont() const;
    zephon::plot::Font GetWindowFont() const;
};

class CGraphPoint : public CGraphObject {
  public:
    CGraphPoint() { mType = kPoint; }
    CGraphPoint(double x, double y) : CGraphPoint() { mPoint = CPointRecord(x, y); }

    void Draw(zephon::plot::Canvas& canvas) override;
    void CalculateCoordinates() override;
    // Its name beside it when captioned.
    void CollectLabels(zephon::plot::Canvas& canvas,
                       std::vector<zephon::plot::CPlotLabel>& labels) const override;

    CPointRecord mPoint;
};

// Objects made of a list of vertices: curves and lists of points. The object owns its vertices;
// SetToFirstPoint, HasPoints and GetPoint walk them with a cursor.
class CGraphPointList : public CGraphObject {
  public:
    // Appends a vertex (pixel position 0, 0) and leaves the cursor on it.
    CPointRecord* addPoint(double x, double y, bool skip = false);
    void RemoveAllPoints();

    void SetToFirstPoint() { mCursor = 0; }
    bool HasPoints() const { return mCursor < mPointsList.size(); }
    // The vertex under the cursor, moving the cursor on; null past the last one.
    CPointRecord* GetPoint() { return HasPoints() ? mPointsList[mCursor++].get() : nullptr; }
    long GetPointCount() const { return static_cast<long>(mPointsList.size()); }

    // Maps every vertex; the frame is the union of the vertices' boxes of half-size mSize.
    void CalculateCoordinates() override;

    std::vector<std::unique_ptr<CPointRecord>> mPointsList;

  protected:
    // Creates the vertex type of the list.
    virtual std::unique_ptr<CPointRecord> NewPoint(double x, double y, bool skip);
    CPointRecord* AppendPoint(std::unique_ptr<CPointRecord> point);

    std::size_t mCursor = 0;
};

class CGraphCurve : public CGraphPointList {
  public:
    CGraphCurve() { mType = kCurve; }

    // Lines through the vertices with the draw pen (the wider pen when highlighted), clipped to
    // the plot area, lifting the pen at every vertex whose mSkip is set. The caption is placed and
    // drawn by the view with all the others (CollectLabels).
    void Draw(zephon::plot::Canvas& canvas) override;
    // mLabel at mLabelAnchor, then along the curve: a curve's name at its end, the value of a
    // background curve (one that cannot be selected) where its data put it.
    void CollectLabels(zephon::plot::Canvas& canvas,
                       std::vector<zephon::plot::CPlotLabel>& labels) const override;
    void CalculateCoordinates() override;
    // A hit within 8 pixels of a vertex or of a drawn segment; index = the segment's number.
    int TestClick(short x, short y, long* index) override;

    // y of the first segment with previous x <= x < next x; the last vertex's y when no segment
    // holds x, 0 for an empty curve.
    double getYFromX(double x) const;
    // y on the first segment whose x range holds x and whose y lies within 10 % of the given
    // y; else the last such y computed, or y itself when no segment holds x; 0 when empty.
    double getYFromXAndY(double x, double y) const;

    std::string mLabel; // optional caption, drawn with its bottom-left corner at mLabelAnchor
    CPointRecord mLabelAnchor;

    static constexpr int kTolerance = 8;
};

class CGraphPointCurve : public CGraphPointList {
  public:
    CGraphPointCurve() { mType = kPointList; }

    void Draw(zephon::plot::Canvas& canvas) override;
    // The first point in list order within mSize pixels on both axes; index and
    // mLastHitPointIndex = its 1-based position.
    int TestClick(short x, short y, long* index) override;

    long mLastHitPointIndex = 0;
};

// A list of captioned points; its vertices are CStringPointRecord.
class CGraphStringPointCurve : public CGraphPointCurve {
  public:
    CGraphStringPointCurve() { mType = kStringPointList; }

    CStringPointRecord* addStringPoint(double x, double y, std::string caption);
    // Each point's text beside it when captioned.
    void CollectLabels(zephon::plot::Canvas& canvas,
                       std::vector<zephon::plot::CPlotLabel>& labels) const override;
    // The captioned point under the cursor (see GetPoint).
    CStringPointRecord* GetStringPoint() { return static_cast<CStringPointRecord*>(GetPoint()); }

  protected:
    std::unique_ptr<CPointRecord> NewPoint(double x, double y, bool skip) override;
};

class CGraphText : public CGraphObject {
  public:
    CGraphText() { mType = kText; }

    // The string centred horizontally at the top of the frame, in black, unclipped.
    void Draw(zephon::plot::Canvas& canvas) override;
    // The frame's top-left corner is (mX, mY) mapped; its size mWidth x mHeight.
    void CalculateCoordinates() override;
    // A moved frame's top-left corner is put back into world coordinates (mX, mY), so that the
    // position survives zooming and saving.
    int DragObject(const zephon::plot::Rect& released) override;

    std::string mString;
    double mX = 0;
    double mY = 0;
    short mWidth = 80;
    short mHeight = 40;
    short mLocalX = 0;
    short mLocalY = 0;
};

// The legend: one line per listed object, its name with a marker or a line sample to the left, in
// a frame on an opaque background. The plot view decides where it stands (PlaceAt) before drawing.
class CGraphLegend : public CGraphText {
  public:
    static constexpr int kLineHeight = 14; // height per entry before the legend is measured
    static constexpr int kPadding = 5;     // between the frame and the entries
    static constexpr int kSample = 30;     // width of the marker or line sample before each text

    CGraphLegend();

    // Something to list: the legend is drawn and can be clicked only then.
    bool HasEntries() const;
    // The framed legend's size in the view's legend font, on that canvas.
    zephon::plot::Size Measure(zephon::plot::Canvas& canvas) const;
    // The frame the view gave it: where it is drawn and clicked.
    void PlaceAt(const zephon::plot::Rect& frame);

    // The frame filled white and outlined, then each entry's sample and text.
    void Draw(zephon::plot::Canvas& canvas) override;
    // mHeight = kLineHeight per entry until measured, then as a text; an automatically placed
    // legend keeps the frame the view gave it.
    void CalculateCoordinates() override;
    int TestClick(short x, short y, long* index) override;
    // A legend moved by a person stays where it was put.
    int DragObject(const zephon::plot::Rect& released) override;

    CDataList<CGraphObject> mRefObjectList; // listed objects, in order; not owned
    // Put where it is by a person or by a stored file (mX, mY); otherwise the view places it.
    bool mPlacedByHand = false;

  private:
    bool mMeasured = false; // mWidth and mHeight are the size last drawn
};
