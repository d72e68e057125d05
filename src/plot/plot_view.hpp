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

#include "plot/canvas.hpp"
#include "plot/graph_object.hpp"
#include "plot/plot_format.hpp"
#include "plot/plot_view_host.hpp"
#include "plot/point_record.hpp"

// Commands of the context menus and the zoom toolbar.
enum class CPlotCommand {
    NormalThickness,
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
};

class CPlotView : public CPlotHost {
  public:
    // A selection narrower and lower than this many pixels is a click, not a rectangle.
    static constexpr int kMinSelectionSize = 20;
    // A click this close outside the stored selection still grabs its tracker's handles.
    static constexpr int kTrackerHandleSize = 4;
    // Pixels per inch of the screen the plot is laid out for.
    static constexpr int kScreenDpi = 96;

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
    const std::vector<std::unique_ptr<CGraphObject>>& GetGraphObjects() const { return mGraphObjList; }
    CGraphLegend* GetLegend() const { return mLegend; }

    // Passes the current ranges and plot area to every object and maps it; then the selected
    // point and the selection follow.
    void updateSubobjectsCoordinates();

    // Highlights only the given object (none when null) / highlights it leaving the others.
    void hilite(CGraphObject* object);
    void hilite1(CGraphObject* object);

    // ---- stored format ----

    // Ranges, legend position and the three fonts from a plot document's stored format.
    void setFromPlotFormat(const CPlotFormat& format);
    // The reverse, before the document is saved.
    void updatePlotFormat(CPlotFormat& format) const;

    // ---- drawing ----

    // Background, axis titles, axes, ticks, graduation numbers, then clipped to the plot area:
    // the graph objects in list order, the selected point and the selection frame.
    virtual void Draw(zephon::plot::Canvas& canvas);
    void DrawSelectedPoint(zephon::plot::Canvas& canvas);

    // Printing keeps the on-screen size in inches: the printer scales the view by its pixels per
    // inch over the screen's before the view is drawn as usual.
    struct PrintScale {
        double x = 1;
        double y = 1;
    };
    static PrintScale GetPrintScale(int printerDpiX, int printerDpiY);

    // ---- axes ----

    // Snaps a range outward to whole steps of 1 to 10 times a power of ten, the step being about
    // the range over (ticks - 1). A range that cannot be snapped (empty, inverted, not finite)
    // is left as it is; the result says whether it was snapped.
    static bool SnapRange(double& min, double& max, int ticks);
    // "%.*lf" of a graduation or coordinate; never "-0".
    static std::string FormatNumber(double value, int digits);

    // Zoom to the stored selection / squeeze the present view into it; both keep within the
    // outer limits and snap to round steps. Nothing happens without a usable selection.
    void ZoomInSelectedRect();
    void ZoomOutSelectedRect();
    // Back to the default ranges, unsnapped.
    void ResetInitialCoordinates();
    // Ranges typed in by the user: no limits, no snapping.
    void SetCurrentRanges(double minX, double maxX, double minY, double maxY);
    // The zoom commands have a selection to work on.
    bool CanZoom() const { return mSelectedRect.Width() > 0 && mSelectedRect.Height() > 0; }

    // ---- selection ----

    // Hit test from the topmost object down; on a hit the object and its part are kept, the
    // selected point is shown and reported, and the result is true.
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
    // Runs a command on the selected object or the view; false when it does not apply.
    virtual bool OnCommand(CPlotCommand command);

    // Settings dialogs on an object; true when it changed.
    virtual bool SetCurveSettings(CGraphObject* object);
    virtual bool SetPointSettings(CGraphObject* object);

    void DisplayStatusMessage(const std::string& text);

    // ---- CPlotHost ----
    zephon::plot::Font GetLegendFont() const override { return mLegendFont; }
    zephon::plot::Font GetWindowFont() const override { return mWindowFont; }

    // ---- settings ----

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
    short mNbXTicks = 2; // graduation ticks per axis, both ends included
    short mNbYTicks = 2;
    std::string mXLabel;
    std::string mYLabel;
    short mXTicksDigits = 3; // decimals of graduations and of reported coordinates
    short mYTicksDigits = 3;
    // Added to the client rectangle's edges to give the plot area; SetClientRect applies them.
    short mMarginLeft = 70;
    short mMarginTop = 20;
    short mMarginRight = -30;
    short mMarginBottom = -50;

    zephon::plot::Pen mGrayPen{1, zephon::plot::MakeColor(200, 200, 200), zephon::plot::PenStyle::Solid};
    zephon::plot::Pen mBlackPen{1, zephon::plot::kBlack, zephon::plot::PenStyle::Solid};
    zephon::plot::Font mGraduationFont;
    zephon::plot::Font mXLabelFont;
    zephon::plot::Font mYLabelFont; // rotated 90 degrees: the text runs upward
    zephon::plot::Font mLegendFont;
    zephon::plot::Font mWindowFont; // free texts
    zephon::plot::Brush mBackgroundBrush = zephon::plot::Brush::Solid(zephon::plot::kWhite);
    zephon::plot::Brush mTransparentBrush =
        zephon::plot::Brush::Hatched(zephon::plot::kWhite, zephon::plot::HatchStyle::BackwardDiagonal);

  protected:
    // The hook of derived views, called after every selection of an object or a point.
    virtual void NotifyObjectSelection() {}
    // The context menu for a right click on `hit` (null: nothing hit); nothing for no menu.
    virtual std::optional<CPlotContextMenu> GetContextMenu(CGraphObject* hit, zephon::plot::Point at);
    // Current ranges and plot area copied into the object, which is then mapped.
    void UpdateObject(CGraphObject& object) const;
    // Clamps to the outer limits and snaps; an axis that would become empty keeps its range.
    void ApplyZoom(double minX, double maxX, double minY, double maxY);
    // Stores a released selection or, when smaller than the minimum both ways, drops it.
    bool StoreSelection(const zephon::plot::Rect& released);
    void ClearSelection();
    void RequestRedraw();
    void NotifyAxisRangesChanged();

    std::vector<std::unique_ptr<CGraphObject>> mGraphObjList; // drawing order, last on top
    zephon::plot::Rect mClientRect{0, 0, 100, 100};
    zephon::plot::Rect mPlotRect{0, 0, 100, 100};
    CGraphLegend* mLegend = nullptr; // in mGraphObjList
    zephon::plot::Rect mSelectedRect;
    double mSelRectLeft = 0;
    double mSelRectTop = 0;
    double mSelRectRight = 0;
    double mSelRectBottom = 0;
    bool mIsSelectingPointVisible = false;
    CPointRecord mSelectedPoint;
    double mSelectedPointX = 0;
    double mSelectedPointY = 0;
    CGraphObject* mSelectedObject = nullptr;
    long mWhichPart = 0;
    // The frame of the stored selection, drawn dotted; none without a selection.
    std::optional<zephon::plot::Rect> mRectTracker;
    CPlotTracking mTracking;

  private:
    void AddObject(std::unique_ptr<CGraphObject> object);
    zephon::plot::Rect PlotAreaOf(const zephon::plot::Rect& client) const;
    void DrawGraduations(zephon::plot::Canvas& canvas);

    CPlotViewHost* mHost = nullptr;
    bool mHasClientRect = false;
};
