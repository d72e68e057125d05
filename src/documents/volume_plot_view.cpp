// SPDX-License-Identifier: BSD-3-Clause
#include "documents/volume_plot_view.hpp"

#include "documents/document_plot_views.hpp"
#include "plot/palette.hpp"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

// (trunc(value) / 10 - 1) * 10 and (trunc(value) / 10 + 1) * 10 with integer division toward zero.
double TenBelow(double value) {
    const long whole = static_cast<long>(std::trunc(value));
    return static_cast<double>((whole / 10 - 1) * 10);
}

double TenAbove(double value) {
    const long whole = static_cast<long>(std::trunc(value));
    return static_cast<double>((whole / 10 + 1) * 10);
}

bool Finite(double a, double b, double c, double d) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

constexpr const char* kDegreesCelsius = " \xC2\xB0"
                                        "C";

// The diagram an isochore's name starts with: its text before the first ":" (blanks trimmed).
std::string DiagramPart(const std::string& name) {
    const std::size_t colon = name.find(':');
    if (colon == std::string::npos) return {};
    std::string part = name.substr(0, colon);
    while (!part.empty() && part.back() == ' ')
        part.pop_back();
    return part;
}

} // namespace

CVolumePlotView::CVolumePlotView(CApplicationServices* services) : mServices(services) {
    mPlottedInclusionsList.mIsOwner = 1;
    InitializeAxes();
}

void CVolumePlotView::InitializeAxes() {
    ApplyPlotAxesSetup(*this, {"T (\xC2\xB0"
                               "C)",
                               "% Bubble", 0, 100, 0, 20, -100, 600, 0, 100, 40, 10, 160, 30, 6, 0});
}

CInclusionRecordEx* CVolumePlotView::AddInclusion(const CInclusionRecordEx& inclusion) {
    auto copy = std::make_unique<CInclusionRecordEx>();
    const zephon::plot::Color color = NewColor(inclusion.mTh, inclusion.mHomog);
    copy->CopyFrom(inclusion);
    // A marker look of the inclusion's own is kept; the one every inclusion starts with gives way
    // to the palette.
    const CPointFormat& look = inclusion.mPointFormat;
    if (look.mSize == 3 && look.mColor == zephon::plot::kRed && look.mSelector == 3)
        copy->mPointFormat = CPointFormat(3, color, 3);
    CInclusionRecordEx* raw = copy.release();
    mPlottedInclusionsList.Add(raw);
    PlotDataPoints(raw);
    ContentChanged();
    return raw;
}

template <class Record>
std::unique_ptr<CCompositeDocumentChange> CVolumePlotView::Removal(const char* text, CDataList<Record>& list,
                                                                   Record* record, CGraphObject* drawing,
                                                                   bool tellDocument) {
    auto change = std::make_unique<CCompositeDocumentChange>(text, [this, life = Life(), tellDocument] {
        if (life.expired()) return;
        // The isochores left may need their diagram's name in the legend again, or no longer.
        RefreshIsochorLegend();
        updateSubobjectsCoordinates();
        RequestRedraw();
        if (tellDocument) ContentChanged();
    });
    change->Add(std::make_unique<CUnlinkChange<Record>>(list, record, true, Life()));
    change->Add(std::make_unique<CTakeDrawingChange>(*this, drawing, Life()));
    return change;
}

void CVolumePlotView::RunChange(std::unique_ptr<CDocumentChange> change) {
    if (mRunChange)
        mRunChange(std::move(change));
    else
        change->Apply();
}

void CVolumePlotView::RemoveInclusion(CInclusionRecordEx* inclusion) {
    if (inclusion == nullptr || !mPlottedInclusionsList.mInclusionData.Contains(inclusion)) return;
    RunChange(Removal("Remove Bubble(T) inclusion data", mPlottedInclusionsList.mInclusionData, inclusion,
                      inclusion->mGraphCurve, true));
}

CIsochor* CVolumePlotView::AddIsochor(const CIsochor& isochor) {
    auto copy = std::make_unique<CIsochor>();
    copy->CopyFrom(isochor);
    copy->mName = PlottedIsochorName(isochor);
    copy->mCurveFormat.mColor = NewColor(isochor.mTh, isochor.mHomog);
    CIsochor* raw = copy.release();
    mPlottedCurvesList.Add(raw);
    PlotVTCurve(raw);
    ContentChanged();
    return raw;
}

void CVolumePlotView::RemoveIsochor(CIsochor* isochor) {
    if (isochor == nullptr || !mPlottedCurvesList.mList.Contains(isochor)) return;
    RunChange(
        Removal("Remove Bubble(T) curve", mPlottedCurvesList.mList, isochor, isochor->mGraphCurve, true));
}

std::vector<CIsochor*> CVolumePlotView::PlottedCopies(const CIsochor& isochor) const {
    const std::string plotted = PlottedIsochorName(isochor);
    std::vector<CIsochor*> copies;
    for (CIsochor* copy : mPlottedCurvesList.mList)
        if (copy->mName == plotted || copy->mName == isochor.mName) copies.push_back(copy);
    return copies;
}

std::unique_ptr<CDocumentChange> CVolumePlotView::PlottedCopiesRemoval(const CIsochor& isochor) {
    const std::vector<CIsochor*> copies = PlottedCopies(isochor);
    if (copies.empty()) return nullptr;
    auto all = std::make_unique<CCompositeDocumentChange>("", nullptr);
    for (CIsochor* copy : copies)
        all->Add(Removal("", mPlottedCurvesList.mList, copy, copy->mGraphCurve, false));
    return all;
}

std::string CVolumePlotView::PlottedIsochorName(const CIsochor& isochor) {
    if (isochor.mPhaseDiagram == nullptr) return isochor.mName;
    const std::string& diagram = isochor.mPhaseDiagram->mName;
    const std::string prefix = diagram.substr(0, diagram.find(':'));
    const auto startsWith = [&](const std::string& head) { return isochor.mName.rfind(head, 0) == 0; };
    if (startsWith(prefix + ":") || startsWith(prefix + " ")) return isochor.mName;
    return (prefix + " " + isochor.mName).substr(0, CDataHandleStream::kMaxNameLength);
}

std::string CVolumePlotView::InclusionLegendText(const CInclusionRecord& inclusion) {
    return inclusion.mInclusionName + " (Th " + FormatStoredNumber(inclusion.mTh, 0) + kDegreesCelsius + ")";
}

std::string CVolumePlotView::IsochorLegendText(const CIsochor& isochor, bool withDiagram) {
    std::string text =
        "Th " + FormatStoredNumber(isochor.mTh, 0) + kDegreesCelsius + (isochor.mHomog != 0 ? ", L" : ", G");
    const std::string diagram = DiagramPart(isochor.mName);
    if (withDiagram && !diagram.empty()) text = diagram + ", " + text;
    return text;
}

void CVolumePlotView::RefreshIsochorLegend() {
    bool several = false;
    const CIsochor* first = mPlottedCurvesList.mList.First();
    for (const CIsochor* isochor : mPlottedCurvesList.mList)
        several = several || DiagramPart(isochor->mName) != DiagramPart(first->mName);
    for (CIsochor* isochor : mPlottedCurvesList.mList)
        if (isochor->mGraphCurve) isochor->mGraphCurve->mLegendName = IsochorLegendText(*isochor, several);
    if (CGraphLegend* legend = GetLegend()) UpdateObject(*legend);
}

zephon::plot::Color CVolumePlotView::NewColor(double th, int homog) const {
    std::vector<zephon::plot::Color> inUse;
    for (const CInclusionRecordEx* inclusion : mPlottedInclusionsList.mInclusionData) {
        if (inclusion->mTh == th && inclusion->mHomog == homog) return inclusion->mPointFormat.mColor;
        inUse.push_back(inclusion->mPointFormat.mColor);
    }
    for (const CIsochor* isochor : mPlottedCurvesList.mList) {
        if (isochor->mTh == th && isochor->mHomog == homog) return isochor->mCurveFormat.mColor;
        inUse.push_back(isochor->mCurveFormat.mColor);
    }
    return zephon::plot::NextPaletteColor(inUse);
}

void CVolumePlotView::ContentChanged() {
    if (mContentChanged) mContentChanged();
}

void CVolumePlotView::AddToLegend(CGraphObject* object) {
    if (CGraphLegend* legend = GetLegend()) {
        legend->mRefObjectList.Add(object);
        UpdateObject(*legend);
    }
}

void CVolumePlotView::WidenRanges(double minT, double maxT, double minV, double maxV) {
    CPlotRanges ranges = GetDefaultRanges();
    if (Finite(minT, maxT, minV, maxV)) {
        if (minT < ranges.minX) ranges.minX = TenBelow(minT);
        if (maxT > ranges.maxX) ranges.maxX = TenAbove(maxT);
        if (minV < ranges.minY) ranges.minY = minV;
        if (maxV > ranges.maxY) ranges.maxY = maxV;
    }
    if (SetDefaultRanges(ranges)) SetCurrentRanges(ranges);
    updateSubobjectsCoordinates();
    RequestRedraw();
}

void CVolumePlotView::PlotDataPoints(CInclusionRecordEx* inclusion) {
    if (inclusion == nullptr) return;
    auto points = std::make_unique<CGraphPointCurve>();
    points->mSelectable = true;
    for (const CVolumeRecord* record : inclusion->mVolumeDataList.mList)
        points->addPoint(record->mT, record->mVolume);
    points->mSize = inclusion->mPointFormat.mSize;
    points->mForeColor = inclusion->mPointFormat.mColor;
    points->mSelector = inclusion->mPointFormat.mSelector;
    points->mName = inclusion->mInclusionName;
    points->mLegendName = InclusionLegendText(*inclusion);
    points->mReferenceObject = static_cast<CRecord*>(inclusion);
    inclusion->mGraphCurve = addGraphObject(std::move(points));

    double minT = 0, maxT = 0, minV = 0, maxV = 0;
    inclusion->GetMinMaxValues(minT, maxT, minV, maxV);
    maxT += 2;
    maxV = std::min(maxV + 2, 100.0);
    AddToLegend(inclusion->mGraphCurve);
    WidenRanges(minT, maxT, minV, maxV);
}

void CVolumePlotView::PlotVTCurve(CIsochor* isochor) {
    if (isochor == nullptr) return;
    auto curve = std::make_unique<CGraphCurve>();
    curve->mSelectable = true;
    double minT = 0, maxT = 0, minV = 0, maxV = 0;
    for (const CIsochorPoint* point : isochor->mList) {
        curve->addPoint(point->mT, point->mV);
        minT = std::min(minT, point->mT);
        maxT = std::max(maxT, point->mT);
        minV = std::min(minV, point->mV);
        maxV = std::max(maxV, point->mV);
    }
    curve->mSize = isochor->mCurveFormat.mSize;
    curve->mForeColor = isochor->mCurveFormat.mColor;
    curve->mName = isochor->mName;
    curve->mReferenceObject = static_cast<CRecord*>(isochor);
    isochor->mGraphCurve = addGraphObject(std::move(curve));
    AddToLegend(isochor->mGraphCurve);
    RefreshIsochorLegend();
    WidenRanges(minT, maxT + 2, minV, std::min(maxV + 2, 100.0));
}

bool CVolumePlotView::IsInclusionPlotted(const CInclusionRecord& inclusion) const {
    for (const CInclusionRecordEx* plotted : mPlottedInclusionsList.mInclusionData) {
        if (plotted->mTh == inclusion.mTh && plotted->mTv == inclusion.mTv && plotted->mFv == inclusion.mFv &&
            plotted->mHomog == inclusion.mHomog && plotted->mCO2 == inclusion.mCO2 &&
            plotted->mN2 == inclusion.mN2 && plotted->mH2S == inclusion.mH2S &&
            plotted->mInclusionName == inclusion.mInclusionName)
            return true;
    }
    return false;
}

bool CVolumePlotView::IsIsochorPlotted(const std::string& name) const {
    for (const CIsochor* plotted : mPlottedCurvesList.mList)
        if (plotted->mName == name) return true;
    return false;
}

bool CVolumePlotView::IsIsochorPlotted(const CIsochor& isochor) const {
    return IsIsochorPlotted(PlottedIsochorName(isochor)) || IsIsochorPlotted(isochor.mName);
}

void CVolumePlotView::Write(CDataHandleStream& stream) {
    CPlotFormat format;
    updatePlotFormat(format);
    format.Write(stream);
    // The plotted copies keep the names they were given when plotted: a name rewritten at every
    // save would grow each time and no longer match the diagram's isochore.
    stream << mPlottedInclusionsList.Count();
    stream.NextLine();
    for (CInclusionRecordEx* inclusion : mPlottedInclusionsList.mInclusionData)
        inclusion->Write(stream);
    stream << mPlottedCurvesList.Count();
    stream.NextLine();
    for (CIsochor* isochor : mPlottedCurvesList.mList)
        isochor->Write(stream);
    stream.NextLine();
}

void CVolumePlotView::Read(CDataHandleStream& stream) {
    CPlotFormat format;
    format.Read(stream);
    setFromPlotFormat(format);

    long count = 0;
    stream >> count;
    ReadRecordItems(
        stream, count, [&] { return std::make_unique<CInclusionRecordEx>(stream); },
        [&](std::unique_ptr<CInclusionRecordEx> inclusion) {
            CInclusionRecordEx* raw = inclusion.release();
            mPlottedInclusionsList.Add(raw);
            PlotDataPoints(raw);
        });

    count = 0;
    stream >> count;
    ReadRecordItems(
        stream, count,
        [&] {
            auto isochor = std::make_unique<CIsochor>();
            isochor->Initialize();
            isochor->Read(stream);
            return isochor;
        },
        [&](std::unique_ptr<CIsochor> isochor) {
            CIsochor* raw = isochor.release();
            mPlottedCurvesList.Add(raw);
            PlotVTCurve(raw);
        });
}

// ---- context menus ----

namespace {

CMenuItem Item(const char* caption, CVolumePlotCommand command) {
    return CMenuItem::Command(caption, static_cast<int>(command));
}

} // namespace

CIsochor* CVolumePlotView::PlottedIsochorOf(const CGraphObject* object) const {
    if (object == nullptr) return nullptr;
    for (CIsochor* isochor : mPlottedCurvesList.mList)
        if (isochor->mGraphCurve == object) return isochor;
    return nullptr;
}

CInclusionRecordEx* CVolumePlotView::PlottedInclusionOf(const CGraphObject* object) const {
    if (object == nullptr) return nullptr;
    for (CInclusionRecordEx* inclusion : mPlottedInclusionsList.mInclusionData)
        if (inclusion->mGraphCurve == object) return inclusion;
    return nullptr;
}

std::optional<CPlotContextMenu> CVolumePlotView::GetContextMenu(CGraphObject* hit, zephon::plot::Point at) {
    if (!hit) {
        mIsSelectingPointVisible = GetPlotRect().Contains(at.x, at.y);
        if (mIsSelectingPointVisible)
            SetSelectedPoint(static_cast<long>(at.x), static_cast<long>(at.y), nullptr);
        RequestRedraw();
        std::vector<CMenuItem> items{
            Item("Isochors Dialog...", CVolumePlotCommand::IsochorsDialog),
            Item("Inclusion Data Dialog...", CVolumePlotCommand::InclusionDataDialog)};
        Append(items, PlotSettingsItems(CanZoom() && IsOnSelection(at.x, at.y)));
        return MakeMenu("Plot settings", at, nullptr, std::move(items));
    }
    switch (hit->mType) {
    case CGraphObject::kCurve: {
        std::vector<CMenuItem> items{Item("Remove Bubble(T) curve", CVolumePlotCommand::RemoveCurve),
                                     Item("Isochors Dialog...", CVolumePlotCommand::IsochorsDialog)};
        Append(items, CurveSettingsItems(*hit));
        return MakeMenu("Curve Settings", at, hit, std::move(items));
    }
    case CGraphObject::kPointList: {
        std::vector<CMenuItem> items{
            Item("Remove Bubble(T) inclusion data", CVolumePlotCommand::RemoveInclusionData),
            Item("Inclusion Data Dialog...", CVolumePlotCommand::InclusionDataDialog)};
        Append(items, PointSettingsItems(*hit));
        return MakeMenu("Point Settings", at, hit, std::move(items));
    }
    default:
        return CPlotView::GetContextMenu(hit, at);
    }
}

bool CVolumePlotView::OnMenuCommand(int command) {
    switch (static_cast<CVolumePlotCommand>(command)) {
    case CVolumePlotCommand::IsochorsDialog:
        if (mServices) mServices->DisplayToolPanel(CToolPanelKind::BubbleSize, 1);
        return mServices != nullptr;
    case CVolumePlotCommand::InclusionDataDialog:
        if (mServices) mServices->DisplayToolPanel(CToolPanelKind::BubbleSize, 0);
        return mServices != nullptr;
    case CVolumePlotCommand::RemoveCurve:
        if (CIsochor* isochor = PlottedIsochorOf(mSelectedObject)) {
            RemoveIsochor(isochor);
            return true;
        }
        return false;
    case CVolumePlotCommand::RemoveInclusionData:
        if (CInclusionRecordEx* inclusion = PlottedInclusionOf(mSelectedObject)) {
            RemoveInclusion(inclusion);
            return true;
        }
        return false;
    }
    return CPlotView::OnMenuCommand(command);
}

void CVolumePlotView::NotifyObjectSelection() {
    if (mServices) mServices->Events().Notify(CAppNotification::VTPlotSelection);
}
