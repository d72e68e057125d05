// SPDX-License-Identifier: BSD-3-Clause
#include "app/panel_volume_pages.hpp"

#include "documents/data_documents.hpp"
#include "documents/phase_diag_document.hpp"

namespace {

const char* const kNone = "None";

template <class T> T* At(const std::vector<T*>& records, int index) {
    return index >= 0 && index < static_cast<int>(records.size()) ? records[index] : nullptr;
}

// Shows the names, or "None" with the list and its button off.
void Fill(CListControl& list, CButtonControl& button, std::vector<std::string> names) {
    const bool any = !names.empty();
    if (!any) names.push_back(kNone);
    list.Reset(std::move(names), list.selected);
    list.enabled = button.enabled = any;
}

} // namespace

// ---- both pages ----

CVolumePage::CVolumePage(CApplicationCore& core, std::string title) : CPanelPage(core, std::move(title)) {}

CVolumePlotView* CVolumePage::View() const {
    if (mDocument == nullptr || mView == nullptr) return nullptr;
    for (const auto& plot : mDocument->GetVTPlots())
        if (plot.get() == mView) return mView;
    return nullptr;
}

void CVolumePage::Follow() {
    // The plot's own document, whichever P-T diagram is current.
    CVolumePlotView* view = Core().CurrentVTPlotView();
    CPhaseDiagDocument* document = view != nullptr ? nullptr : Core().CurrentPhaseDiagDoc();
    for (CPhaseDiagDocument* candidate : Open<CPhaseDiagDocument>(CDocumentKind::PhaseDiagram))
        for (const auto& plot : candidate->GetVTPlots())
            if (plot.get() == view) document = candidate;
    if (view != nullptr && document == nullptr) view = nullptr;
    if (view == mView && document == mDocument) return;
    mView = view;
    mDocument = document;
    Refresh();
}

void CVolumePage::Refresh() {
    CVolumePlotView* view = View();
    if (view == nullptr) {
        mNonPlotted = {{}, -1, false};
        mPlotted = {{}, -1, false};
        mPlot.enabled = mRemove.enabled = false;
        Changed();
        return;
    }
    Fill(mNonPlotted, mPlot, CollectNonPlotted(*mDocument, *view));
    Fill(mPlotted, mRemove, CollectPlotted(*view));
    Changed();
}

void CVolumePage::SelectNonPlotted(int index) {
    CVolumePlotView* view = View();
    if (view == nullptr || !mNonPlotted.enabled || index < 0 ||
        index >= static_cast<int>(mNonPlotted.entries.size()))
        return;
    mNonPlotted.selected = index;
    HighlightEntry(*view, false, index);
    Changed();
}

void CVolumePage::SelectPlotted(int index) {
    CVolumePlotView* view = View();
    if (view == nullptr || !mPlotted.enabled || index < 0 ||
        index >= static_cast<int>(mPlotted.entries.size()))
        return;
    mPlotted.selected = index;
    HighlightEntry(*view, true, index);
    Changed();
}

void CVolumePage::Plot() {
    CVolumePlotView* view = View();
    if (view == nullptr || !mPlot.enabled) return;
    const int position = std::max(mNonPlotted.selected, 0);
    PlotEntry(*view, position);
    Refresh();
    // The same position stays selected: the next one offered.
    mNonPlotted.selected = std::min(position, static_cast<int>(mNonPlotted.entries.size()) - 1);
    Changed();
}

void CVolumePage::Remove() {
    CVolumePlotView* view = View();
    if (view == nullptr || !mRemove.enabled || mPlotted.selected < 0) return;
    const int position = mPlotted.selected;
    RemoveEntry(*view, position);
    Refresh();
    mPlotted.selected = std::min(position, static_cast<int>(mPlotted.entries.size()) - 1);
    Changed();
}

void CVolumePage::FollowPlotSelection() {
    CVolumePlotView* view = View();
    if (view == nullptr) return;
    const int index = PlottedEntryOf(*view, view->GetSelectedObject());
    if (index >= 0) {
        mPlotted.selected = index;
        HighlightEntry(*view, true, index);
    } else {
        Highlight(*view, {});
    }
    Changed();
}

void CVolumePage::OnAppNotification(CAppNotification notification) {
    switch (notification) {
    case CAppNotification::CurrentChanged:
        Follow();
        break;
    case CAppNotification::PTPlotModified:
    case CAppNotification::InclusionsDataDocModified:
        Refresh();
        break;
    case CAppNotification::VTPlotSelection:
        FollowPlotSelection();
        break;
    default:
        break;
    }
}

void CVolumePage::ForgetDocument(CWDocument& document) {
    if (&document != mDocument) return;
    mDocument = nullptr;
    mView = nullptr;
}

// ---- measured inclusions ----

CVolumeInclusionsPage::CVolumeInclusionsPage(CApplicationCore& core)
    : CVolumePage(core, "Plot inclusions bubble(T) data...") {
    OnAppNotification(CAppNotification::CurrentChanged);
    Refresh();
}

CVolumeInclusionsPage::~CVolumeInclusionsPage() = default;

std::vector<std::string> CVolumeInclusionsPage::CollectNonPlotted(CPhaseDiagDocument&,
                                                                  CVolumePlotView& view) {
    mOffered.clear();
    std::vector<std::string> names;
    for (CInclusionDataDocument* file : Open<CInclusionDataDocument>(CDocumentKind::InclusionData)) {
        for (const CInclusionRecordEx* inclusion : file->mInclusionList.mInclusionData) {
            if (view.IsInclusionPlotted(*inclusion)) continue;
            mOffered.push_back(std::make_unique<CInclusionRecordEx>(*inclusion));
            names.push_back(inclusion->mInclusionName);
        }
    }
    return names;
}

std::vector<std::string> CVolumeInclusionsPage::CollectPlotted(CVolumePlotView& view) {
    mPlottedRecords.clear();
    std::vector<std::string> names;
    for (CInclusionRecordEx* inclusion : view.mPlottedInclusionsList.mInclusionData) {
        mPlottedRecords.push_back(inclusion);
        names.push_back(inclusion->mInclusionName);
    }
    return names;
}

CInclusionRecordEx* CVolumeInclusionsPage::PlottedAt(CVolumePlotView& view, int index) const {
    CInclusionRecordEx* inclusion = At(mPlottedRecords, index);
    return inclusion != nullptr && view.mPlottedInclusionsList.mInclusionData.Contains(inclusion) ? inclusion
                                                                                                  : nullptr;
}

void CVolumeInclusionsPage::PlotEntry(CVolumePlotView& view, int index) {
    if (index >= 0 && index < static_cast<int>(mOffered.size())) view.AddInclusion(*mOffered[index]);
}

void CVolumeInclusionsPage::RemoveEntry(CVolumePlotView& view, int index) {
    if (CInclusionRecordEx* inclusion = PlottedAt(view, index)) view.RemoveInclusion(inclusion);
}

void CVolumeInclusionsPage::HighlightEntry(CVolumePlotView& view, bool plotted, int index) {
    const CInclusionRecordEx* inclusion = plotted ? PlottedAt(view, index) : nullptr;
    Highlight(view, {inclusion ? inclusion->mGraphCurve : nullptr});
}

int CVolumeInclusionsPage::PlottedEntryOf(CVolumePlotView& view, const CGraphObject* object) {
    if (object == nullptr || object->mType != CGraphObject::kPointList) return -1;
    for (std::size_t i = 0; i < mPlottedRecords.size(); ++i)
        if (object->mReferenceObject ==
                static_cast<const void*>(static_cast<const CRecord*>(mPlottedRecords[i])) &&
            PlottedAt(view, static_cast<int>(i)) != nullptr)
            return static_cast<int>(i);
    return -1;
}

// ---- computed isochores ----

CVolumeCurvesPage::CVolumeCurvesPage(CApplicationCore& core) : CVolumePage(core, "Plot bubble(T) curve...") {
    OnAppNotification(CAppNotification::CurrentChanged);
    Refresh();
}

std::vector<std::string> CVolumeCurvesPage::CollectNonPlotted(CPhaseDiagDocument& document,
                                                              CVolumePlotView& view) {
    mOffered.clear();
    std::vector<std::string> names;
    for (CPhaseDiagram* diagram : document.mPhaseDiagramsList.mList) {
        if (!diagram->mBiphIsochorsList) continue;
        for (CIsochor* isochor : diagram->mBiphIsochorsList->mList) {
            if (view.IsIsochorPlotted(*isochor)) continue;
            mOffered.push_back(isochor);
            names.push_back(IsochorEntryText(isochor->mName));
        }
    }
    return names;
}

std::vector<std::string> CVolumeCurvesPage::CollectPlotted(CVolumePlotView& view) {
    mPlottedCopies.clear();
    std::vector<std::string> names;
    for (CIsochor* isochor : view.mPlottedCurvesList.mList) {
        mPlottedCopies.push_back(isochor);
        names.push_back(IsochorEntryText(isochor->mName));
    }
    return names;
}

CIsochor* CVolumeCurvesPage::OfferedAt(int index) const {
    CIsochor* isochor = At(mOffered, index);
    if (isochor == nullptr || Document() == nullptr) return nullptr;
    for (CPhaseDiagram* diagram : Document()->mPhaseDiagramsList.mList)
        if (diagram->mBiphIsochorsList && diagram->mBiphIsochorsList->mList.Contains(isochor)) return isochor;
    return nullptr;
}

CIsochor* CVolumeCurvesPage::PlottedAt(CVolumePlotView& view, int index) const {
    CIsochor* isochor = At(mPlottedCopies, index);
    return isochor != nullptr && view.mPlottedCurvesList.mList.Contains(isochor) ? isochor : nullptr;
}

void CVolumeCurvesPage::PlotEntry(CVolumePlotView& view, int index) {
    if (const CIsochor* isochor = OfferedAt(index)) view.AddIsochor(*isochor);
}

void CVolumeCurvesPage::RemoveEntry(CVolumePlotView& view, int index) {
    if (CIsochor* isochor = PlottedAt(view, index)) view.RemoveIsochor(isochor);
}

void CVolumeCurvesPage::HighlightEntry(CVolumePlotView& view, bool plotted, int index) {
    // The copy in this plot when it is plotted, and the diagram's isochore in the P-T plot.
    const CIsochor* copy = plotted ? PlottedAt(view, index) : nullptr;
    const CIsochor* isochor = plotted ? nullptr : OfferedAt(index);
    if (copy != nullptr && Document() != nullptr) {
        for (CPhaseDiagram* diagram : Document()->mPhaseDiagramsList.mList) {
            if (!diagram->mBiphIsochorsList) continue;
            for (CIsochor* candidate : diagram->mBiphIsochorsList->mList)
                if (isochor == nullptr && (CVolumePlotView::PlottedIsochorName(*candidate) == copy->mName ||
                                           candidate->mName == copy->mName))
                    isochor = candidate;
        }
    }
    Highlight(view, {copy ? copy->mGraphCurve : nullptr});
    if (Document() != nullptr)
        Highlight(Document()->GetPlotView(), {isochor ? isochor->mGraphCurve : nullptr});
}

int CVolumeCurvesPage::PlottedEntryOf(CVolumePlotView& view, const CGraphObject* object) {
    if (object == nullptr || object->mType != CGraphObject::kCurve) return -1;
    for (std::size_t i = 0; i < mPlottedCopies.size(); ++i)
        if (object->mReferenceObject ==
                static_cast<const void*>(static_cast<const CRecord*>(mPlottedCopies[i])) &&
            PlottedAt(view, static_cast<int>(i)) != nullptr)
            return static_cast<int>(i);
    return -1;
}
