// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The plot view: axes and their ranges, the layout of the plot area, graduations, the graph
// objects drawn over them, and the mouse interaction every plot shares (selecting an object or a
// point, rubber-band zooming, dragging the legend, the context menu of display settings).
//
// The view is pure state and logic. A window owns one, tells it its client rectangle, paints it
// with Draw on its own canvas and forwards mouse events in view pixels; everything the view needs
// from the window goes through CPlotViewHost (plot_view_host.hpp). The alpha-beta, P-T and
// volume-temperature views derive from it and set their ticks, digits, labels and ranges after
// Initialize.

#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "plot/axis_ticks.hpp"
#include "plot/canvas.hpp"
#include "plot/graph_object.hpp"
#include "plot/plot_format.hpp"
#include "plot/plot_menu.hpp"
#include "plot/plot_view_host.hpp"
#include "plot/point_record.hpp"

// Commands of the context menus and the zoom toolbar. Derived views number their own commands
// from kFirstViewCommand on.
enum class CPlotCommand : int {
    NormalThickness = 1,
    DoubleThickness,
    TripleThickness,
    Color,
    CurveSettingsDialog,
    PointSettingsDialog,
    IncreaseSize,
    DecreaseSize,
    LegendFont,
    ZoomIn,
    ZoomOut,
    SetAxisRanges,
    AxisRangesByDefault,
    AxisLabelFont,
    AxisGraduationFont,
    Print,
    ZoomToData, // "Zoom to data": the toolbar, the View menu and the key F
};
constexpr int kFirstViewCommand = 100;

// One set of axis ranges: the default, the shown or the outer limits.
struct CPlotRanges {
    double minX = 0;
    double maxX = 1;
    double minY = 0;
    double maxY = 1;

    // Finite, and the minimum strictly below the maximum on both axes.
    bool IsValid() const;
    friend bool operator==(const CPlotRanges&, const CPlotRanges&) = default;
};

// What a drawing shows besides the plot itself.
struct CDrawOptions {
    // The selected point's marker, the selection's frame and highlighted objects: on screen, not
    // in pictures and prints.
    bool selection = true;
    static CDrawOptions ForOutput() { return CDrawOptions{false}; }
};

// How the last drawing laid the plot out, measured with that drawing's fonts.
struct CPlotLayout {
    zephon::plot::CAxisTicks xTicks;
    zephon::plot::CAxisTicks yTicks;
    zephon::plot::Rect xTitle; // boxes of the axis titles (the Y one turned), empty without a title
    zephon::plot::Rect yTitle;
    std::vector<zephon::plot::Rect> xLabels; // boxes of the graduation numbers drawn, by tick
    std::vector<zephon::plot::Rect> yLabels;
    zephon::plot::Rect legend; // empty when no legend is drawn
    bool legendOutside = false;
};

class CPlotView : public CPlotHost {
  public:
    // A selection narrower and lower than this many pixels is a click, not a rectangle.
    static constexpr int kMinSelectionSize = 20;
    // Pixels per inch of the screen the plot is laid out for.
    static constexpr int kScreenDpi = 96;
    // Bounds of the settings a view accepts (ticks per axis, decimals, font heights in pixels).
    static constexpr int kMaxTicks = 1000;
    static constexpr int kMaxDigits = 15;
    static constexpr int kMinFontHeight = 1;
    static constexpr int kMaxFontHeight = 500;

    CPlotView();
    ~CPlotView() override;

    void SetHost(CPlotViewHost* host) { mHost = host; }
    CPlotViewHost* GetHost() const { return mHost; }

    // Empty here; derived views call Initialize and then set their own ticks, digits, labels
    // and ranges.
    virtual void OnInitialUpdate() {}

    // Base defaults: 2 x 2 ticks, 3 digits, empty list but for a new legend, plot area
    // (0, 0, 100, 100), every range [0, 1], no selection, the default pens, fonts and brushes.
    void Initialize();

    // ---- layout ----

    // A resize: the plot area is the client rectangle moved inward by the margins; every object,
    // the selected point and the selection follow.
    void SetClientRect(const zephon::plot::Rect& client);
    const zephon::plot::Rect& GetClientRect() const { return mClientRect; }
    const zephon::plot::Rect& GetPlotRect() const { return mPlotRect; }
    // The plot area has room to draw in (a window smaller than its margins has none).
    bool HasPlotArea() const { return mPlotRect.Width() > 0 && mPlotRect.Height() > 0; }
    // World <-> pixels with the current ranges.
    zephon::plot::PlotMapping GetMapping() const;

    // ---- graph objects ----

    // Appends the object (topmost), sets its mPlotView, ranges and plot area and maps it.
    template <class T> T* addGraphObject(std::unique_ptr<T> object) {
        static_assert(std::is_base_of_v<CGraphObject, T>);
        T* raw = object.get();
        AddObject(std::unique_ptr<CGraphObject>(std::move(object)));
        return raw;
    }
    // Unlinks the object from the list and the legend and destroys it; a selection of it is
    // forgotten. Removing the legend leaves the view without one.
    void removeGraphObject(CGraphObject* object);
    // An object taken out of the view as removeGraphObject does, kept with its places in the
    // drawing order and in the legend so that it can go back exactly where it was (undo).
    struct TakenObject {
        std::unique_ptr<CGraphObject> object;
        std::size_t position = 0;
        long legendPosition = -1; // -1: not listed in the legend
    };
    TakenObject TakeGraphObject(CGraphObject* object);
    // Puts a taken object back in its places (objects taken one after another go back in the
    // reverse order) and maps it with the current ranges.
    void PutBackGraphObject(TakenObject taken);
    const std::vector<std::unique_ptr<CGraphObject>>& GetGraphObjects() const { return mGraphObjList; }
    CGraphLegend* GetLegend() const { return mLegend; }
    // Where the legend starts before anyone moves it; a stored position equal to it was never
    // chosen by a person, so the legend is placed where it hides the least.
    void SetDefaultLegendPosition(double x, double y);
    // Whether the object is one of the view's (it may have been removed meanwhile).
    bool Holds(const CGraphObject* object) const;

    // Passes the current ranges and plot area to every object and maps it; then the selected
    // point and the selection follow.
    void updateSubobjectsCoordinates();

    // Highlights only the given object (none when null) / highlights it leaving the others.
    void hilite(CGraphObject* object);
    void hilite1(CGraphObject* object);

    // ---- stored format ----

    // Ranges, legend position and the three fonts from a plot document's stored format. What a
    // damaged file holds is not taken: a range that is not finite or not increasing keeps the
    // view's own (the shown range falls back on the default one), a legend position that is not
    // finite stays where it is, a font without a face or with a height outside the bounds keeps
    // the view's font.
    void setFromPlotFormat(const CPlotFormat& format);
    // The reverse, before the document is saved.
    void updatePlotFormat(CPlotFormat& format) const;

    // ---- axes: every setter skips a value it holds already, refuses what the axes cannot show
    // (false) and tells whoever follows the view: the shown ranges and the decimals reach the axis
    // range window, and the window repaints ----

    CPlotRanges GetDefaultRanges() const { return {mMinX, mMaxX, mMinY, mMaxY}; }
    CPlotRanges GetCurrentRanges() const { return {mCurrentMinX, mCurrentMaxX, mCurrentMinY, mCurrentMaxY}; }
    CPlotRanges GetRangeLimits() const { return {mMaxMinX, mMaxMaxX, mMaxMinY, mMaxMaxY}; }
    bool SetDefaultRanges(const CPlotRanges& ranges);
    // Ranges typed in by the user or set by a document: no limits, no snapping.
    bool SetCurrentRanges(const CPlotRanges& ranges);
    bool SetCurrentRanges(double minX, double maxX, double minY, double maxY) {
        return SetCurrentRanges(CPlotRanges{minX, maxX, minY, maxY});
    }
    // The outer limits of zooming.
    bool SetRangeLimits(const CPlotRanges& ranges);

    const std::string& GetXLabel() const { return mXLabel; }
    const std::string& GetYLabel() const { return mYLabel; }
    void SetAxisLabels(std::string xLabel, std::string yLabel);
    // Ticks per axis, both ends included: 2 to kMaxTicks.
    int GetNbXTicks() const { return mNbXTicks; }
    int GetNbYTicks() const { return mNbYTicks; }
    void SetTicks(int xTicks, int yTicks);
    // Decimals of graduations and of reported coordinates: 0 to kMaxDigits.
    int GetXTicksDigits() const { return mXTicksDigits; }
    int GetYTicksDigits() const { return mYTicksDigits; }
    void SetDigits(int xDigits, int yDigits);

    // ---- fonts (a font without a face or with a height outside the bounds is refused) ----

    zephon::plot::Font GetLegendFont() const override { return mLegendFont; }
    zephon::plot::Font GetWindowFont() const override { return mWindowFont; }
    // The X axis title's font; the Y title is drawn with the same font turned 90 degrees.
    const zephon::plot::Font& GetLabelFont() const { return mXLabelFont; }
    const zephon::plot::Font& GetYLabelFont() const { return mYLabelFont; }
    const zephon::plot::Font& GetGraduationFont() const { return mGraduationFont; }
    bool SetLegendFont(zephon::plot::Font font);
    bool SetLabelFont(zephon::plot::Font font);
    bool SetGraduationFont(zephon::plot::Font font);
    static bool IsUsableFont(const zephon::plot::Font& font);

    // ---- drawing ----

    // Lays the plot out with the canvas's text metrics (LayOut), then draws the background, axis
    // titles, axes, ticks and graduation numbers; clipped to the plot area the graph objects in
    // list order and their captions; the legend; and, unless left out, the selected point and the
    // selection frame.
    virtual void Draw(zephon::plot::Canvas& canvas, const CDrawOptions& options = {});
    void DrawSelectedPoint(zephon::plot::Canvas& canvas);
    // The layout of the plot in its window for that canvas's fonts: margins from the axis titles'
    // and graduation numbers' sizes, round ticks that fit, the legend where it hides the least. A
    // plot area that moves takes every object and the selection with it.
    void LayOut(zephon::plot::Canvas& canvas);
    const CPlotLayout& GetLayout() const { return mLayout; }

    // Printing keeps the on-screen size in inches: the printer scales the view by its pixels per
    // inch over the screen's before the view is drawn as usual.
    struct PrintScale {
        double x = 1;
        double y = 1;
    };
    static PrintScale GetPrintScale(int printerDpiX, int printerDpiY);

    // ---- zoom ----

    // Snaps a range outward to whole steps of 1 to 10 times a power of ten, the step being about
    // the range over (ticks - 1). A range that cannot be snapped (empty, inverted, not finite)
    // is left as it is; the result says whether it was snapped.
    static bool SnapRange(double& min, double& max, int ticks);
    // "%.*lf" of a graduation or coordinate; never "-0".
    static std::string FormatNumber(double value, int digits);
    // A stored value as it is stored: at least `digits` decimals, more when the value has them
    // (up to 8), so that 11.67 reads 11.67 on an axis of whole numbers.
    static std::string FormatStoredNumber(double value, int digits);

    // Zoom to the stored selection / squeeze the present view into it; both keep within the
    // outer limits and snap to round steps. Nothing happens without a usable selection.
    void ZoomInSelectedRect();
    void ZoomOutSelectedRect();
    // Back to the default ranges, unsnapped.
    void ResetInitialCoordinates();
    // The ranges that hold every curve and point a person works with (background curves, texts
    // and the legend aside), with a margin, rounded outward to the graduation's step and kept
    // within the outer limits; nothing when the plot shows no such data.
    std::optional<CPlotRanges> DataRanges() const;
    bool CanZoomToData() const { return DataRanges().has_value(); }
    // Widens the shown ranges as little as needed (an end that must move moves past the box by
    // a margin, to a round step, within the outer limits) so that a computed result is in view;
    // false when they already showed it.
    bool ShowInRanges(double minX, double maxX, double minY, double maxY);
    // "Zoom to data": shows DataRanges; false when there is no data.
    bool ZoomToData();
    // Forgets the stored selection (the person pressed Escape).
    void DropSelection();
    // The zoom commands have a selection to work on.
    bool CanZoom() const { return mSelectedRect.Width() > 0 && mSelectedRect.Height() > 0; }

    // ---- selection ----

    // Hit test from the topmost object down, the legend (drawn over everything) first; on a hit
    // the object and its part are kept, the selected point is shown and reported, and the result
    // is true.
    bool TestClickGraphObject(int x, int y);
    // Selects the pixel point on the object (none: the bare coordinates) and reports it.
    void SetSelectedPoint(long x, long y, CGraphObject* object);
    // Shows a computed point given in world coordinates.
    void SetSelectedPoint(double x, double y);
    // The stored selection to world coordinates, and back to pixels after a range change.
    void SetSelectionRectangle();
    void RecalculateSelRectCoordinates();
    void RecalculateSelPointCoordinates();

    CGraphObject* GetSelectedObject() const { return mSelectedObject; }
    long GetWhichPart() const { return mWhichPart; }
    bool IsSelectedPointVisible() const { return mIsSelectingPointVisible; }
    const CPointRecord& GetSelectedPoint() const { return mSelectedPoint; }
    double GetSelectedPointX() const { return mSelectedPointX; }
    double GetSelectedPointY() const { return mSelectedPointY; }
    // The stored selection in pixels (empty when none) and in world coordinates.
    const zephon::plot::Rect& GetSelectedRect() const { return mSelectedRect; }
    bool HasSelectionTracker() const { return mRectTracker.has_value(); }
    double GetSelRectLeft() const { return mSelRectLeft; }
    double GetSelRectTop() const { return mSelRectTop; }
    double GetSelRectRight() const { return mSelRectRight; }
    double GetSelRectBottom() const { return mSelRectBottom; }

    // ---- mouse and commands ----

    // A left click; the result says what the window is to track before EndTracking.
    CPlotTracking OnLButtonDown(int x, int y);
    // Where the tracker was released (ignored when nothing is being tracked).
    void EndTracking(const zephon::plot::Rect& released);
    void CancelTracking();
    const CPlotTracking& GetTracking() const { return mTracking; }
    // Opens the settings dialog of the selected point, list or curve.
    void OnLButtonDblClk(int x, int y);
    // Hit test, then the context menu at the click point.
    void OnRButtonUp(int x, int y);
    // The menu a right click at the point shows, after the hit test (nothing: no menu).
    std::optional<CPlotContextMenu> ContextMenuAt(int x, int y);
    // Runs a command of the menus or the toolbar on the selected object or the view; false when
    // it does not apply (nothing changed). Derived views run their own numbers and pass the
    // others on.
    virtual bool OnMenuCommand(int command);
    bool OnCommand(CPlotCommand command) { return OnMenuCommand(static_cast<int>(command)); }

    // Settings dialogs on an object; true when it changed.
    virtual bool SetCurveSettings(CGraphObject* object);
    virtual bool SetPointSettings(CGraphObject* object);

    void DisplayStatusMessage(const std::string& text);

    // ---- look ----

    // Margins added to the client rectangle's edges to give the plot area (SetClientRect).
    short mMarginLeft = 70;
    short mMarginTop = 20;
    short mMarginRight = -30;
    short mMarginBottom = -50;

    zephon::plot::Pen mGrayPen{1, zephon::plot::MakeColor(200, 200, 200), zephon::plot::PenStyle::Solid};
    zephon::plot::Pen mBlackPen{1, zephon::plot::kBlack, zephon::plot::PenStyle::Solid};
    zephon::plot::Brush mBackgroundBrush = zephon::plot::Brush::Solid(zephon::plot::kWhite);
    zephon::plot::Brush mTransparentBrush =
        zephon::plot::Brush::Hatched(zephon::plot::kWhite, zephon::plot::HatchStyle::BackwardDiagonal);

  protected:
    // The hook of derived views, called after every selection of an object or a point.
    virtual void NotifyObjectSelection() {}
    // A person changed how the plot looks (a colour, a size, a font, the legend's place), which
    // the document saves; derived views mark their document modified. Empty here.
    virtual void OnAppearanceChanged() {}
    // The context menu for a right click on `hit` (null: nothing hit); nothing for no menu.
    virtual std::optional<CPlotContextMenu> GetContextMenu(CGraphObject* hit, zephon::plot::Point at);

    // The popups of the base view's menu, for derived views to build theirs from.
    std::vector<CMenuItem> PlotSettingsItems(bool zoomEnabled) const;
    std::vector<CMenuItem> CurveSettingsItems(const CGraphObject& curve) const;
    std::vector<CMenuItem> PointSettingsItems(const CGraphObject& point) const;
    std::vector<CMenuItem> FontSettingsItems(const CGraphObject& object) const;
    // A menu of the given popup at the click point, on the object hit.
    static CPlotContextMenu MakeMenu(std::string name, zephon::plot::Point at, CGraphObject* hit,
                                     std::vector<CMenuItem> items);
    // Appends the items after a separator.
    static void Append(std::vector<CMenuItem>& items, std::vector<CMenuItem> more);

    // Current ranges and plot area copied into the object, which is then mapped.
    void UpdateObject(CGraphObject& object) const;
    // Clamps to the outer limits and snaps; an axis that would become empty keeps its range.
    void ApplyZoom(double minX, double maxX, double minY, double maxY);
    // Stores a released selection or, when smaller than the minimum both ways, drops it.
    bool StoreSelection(const zephon::plot::Rect& released);
    void ClearSelection();
    void RequestRedraw();
    // The shown ranges (or their decimals) changed: an open axis range window refreshes. The base
    // tells the host; views that know the application tell it directly.
    virtual void NotifyAxisRangesChanged();
    // A right click's point becomes the selected point, shown and reported, when it lies in the
    // plot area; elsewhere the marker goes.
    void ShowClickedPoint(zephon::plot::Point at);
    // Whether the pixel lies on the stored selection (its frame and handles included).
    bool IsOnSelection(int x, int y) const;
    // Whether the pixel lies on the legend as it was last drawn.
    bool IsOnLegend(int x, int y) const;

    zephon::plot::Rect mSelectedRect;
    bool mIsSelectingPointVisible = false;
    CGraphObject* mSelectedObject = nullptr;
    long mWhichPart = 0;

  private:
    void AddObject(std::unique_ptr<CGraphObject> object);
    zephon::plot::Rect PlotAreaOf(const zephon::plot::Rect& client) const;
    void DrawAxes(zephon::plot::Canvas& canvas);
    void DrawLabels(zephon::plot::Canvas& canvas);
    // The ticks of one axis whose numbers fit along `pixels` without touching each other.
    zephon::plot::CAxisTicks FittingTicks(zephon::plot::Canvas& canvas, double min, double max, int target,
                                          int pixels, bool horizontal) const;
    // Decimals of a coordinate that no stored point gives: the axis's own, or those its
    // graduation's step needs when zoomed in further.
    int CoordinateDigits(bool xAxis) const;
    // The shown ranges changed: objects, selected point and selection follow, the axis range
    // window hears of it, and the view repaints.
    void CurrentRangesChanged();

    double mMinX = 0; // default ranges
    double mMinY = 0;
    double mMaxX = 1;
    double mMaxY = 1;
    double mCurrentMinX = 0; // shown ranges
    double mCurrentMaxX = 1;
    double mCurrentMinY = 0;
    double mCurrentMaxY = 1;
    double mMaxMinX = 0; // outer limits of zooming
    double mMaxMaxX = 1;
    double mMaxMinY = 0;
    double mMaxMaxY = 1;
    short mNbXTicks = 2;
    short mNbYTicks = 2;
    std::string mXLabel;
    std::string mYLabel;
    short mXTicksDigits = 3;
    short mYTicksDigits = 3;

    zephon::plot::Font mGraduationFont;
    zephon::plot::Font mXLabelFont;
    zephon::plot::Font mYLabelFont; // rotated 90 degrees: the text runs upward
    zephon::plot::Font mLegendFont;
    zephon::plot::Font mWindowFont; // free texts

    std::vector<std::unique_ptr<CGraphObject>> mGraphObjList; // drawing order, last on top
    zephon::plot::Rect mClientRect{0, 0, 100, 100};
    zephon::plot::Rect mPlotRect{0, 0, 100, 100};
    CGraphLegend* mLegend = nullptr; // in mGraphObjList
    double mSelRectLeft = 0;
    double mSelRectTop = 0;
    double mSelRectRight = 0;
    double mSelRectBottom = 0;
    CPointRecord mSelectedPoint;
    double mSelectedPointX = 0;
    double mSelectedPointY = 0;
    // The frame of the stored selection, drawn dotted; none without a selection.
    std::optional<zephon::plot::Rect> mRectTracker;
    CPlotTracking mTracking;

    CPlotViewHost* mHost = nullptr;
    bool mHasClientRect = false;
    CPlotLayout mLayout;
    double mDefaultLegendX = 0;
    double mDefaultLegendY = 0;
};
