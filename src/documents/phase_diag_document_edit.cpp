// SPDX-License-Identifier: BSD-3-Clause
// Editing an existing set of diagrams: trapping lines and their temporary marker, removal of
// diagrams, isochore pairs and trapping lines, and the volume-temperature plots of the document.

#include <algorithm>

#include "base/number_field.hpp"
#include "documents/phase_diag_document.hpp"

// ---- trapping lines ----

void CPhaseDiagDocument::HideTemporaryAqueousHomogLine() {
    if (mAqueousHomogLine.mGraphCurve) mPlotView->removeGraphObject(mAqueousHomogLine.mGraphCurve);
    mAqueousHomogLine.Purge();
}

void CPhaseDiagDocument::SetTemporaryAqueousHomogLine(double thaq, double pmin, double pmax) {
    HideTemporaryAqueousHomogLine();
    mAqueousHomogLine.mCurveFormat = CCurveFormat(1, zephon::plot::MakeColor(255, 0, 255));
    mAqueousHomogLine.Add(new CIsochorPoint(thaq, pmin, 0));
    mAqueousHomogLine.Add(new CIsochorPoint(thaq, pmax, 0));
    mAqueousHomogLine.mName = "Th (Aq.) = " + CDataHandleStream::FormatDouble(thaq, true, 1) +
                              " \xC2\xB0"
                              "C";
    PlotTrappingLine(&mAqueousHomogLine);
    mPlotView->Redraw();
}

std::string CPhaseDiagDocument::NoTrappingPressureMessage(double thaq, const CIsochor& isochor) {
    return "There is no trapping pressure at Th (aq.) = " + FormatWithOwnDecimals(thaq, 1, 2) +
           " \xC2\xB0"
           "C: the isochor \"" +
           isochor.mName + "\" does not reach that temperature.";
}

CTrappingLine* CPhaseDiagDocument::AddTrappingLineTo(CIsochor* isochor, double thaq) {
    if (isochor == nullptr) return nullptr;
    // Outside the isochore there is no pressure: a line at 0 bar would mark nothing.
    const double ptrap = TrappingPressure(*isochor, thaq);
    if (!(ptrap > 0)) {
        Services().ShowMessage({NoTrappingPressureMessage(thaq, *isochor), "", CMessageIcon::Warning, false});
        return nullptr;
    }
    if (isochor->mTrappingLines) {
        for (const CTrappingLine* line : isochor->mTrappingLines->mList) {
            if (line->mTh == thaq) {
                HideTemporaryAqueousHomogLine();
                mPlotView->Redraw();
                return nullptr;
            }
        }
    }
    auto line = std::make_unique<CTrappingLine>();
    line->Initialize();
    CTrappingLine* raw = line.release();
    raw->AttachToIsochor(isochor, thaq, ptrap); // the isochore's list owns it from here
    PlotTrappingLine(raw);
    HideTemporaryAqueousHomogLine();
    mPlotView->Redraw();
    Changed();
    return raw;
}

// ---- drawn objects ----

CPhaseDiagDocument::DrawnRecord CPhaseDiagDocument::FindDrawnRecord(const CGraphObject* object) {
    DrawnRecord found;
    if (object == nullptr) return found;
    if (object == mAqueousHomogLine.mGraphCurve) {
        found.trappingLine = &mAqueousHomogLine;
        return found;
    }
    for (CPhaseDiagram* diagram : mPhaseDiagramsList.mList) {
        for (CIsopleth* isopleth : {diagram->mLiquidIsopleth.get(), diagram->mVapourIsopleth.get()}) {
            if (isopleth != nullptr && isopleth->mGraphCurve == object) {
                found.diagram = diagram;
                found.isopleth = isopleth;
                return found;
            }
        }
        for (CIsochorsList* list : {diagram->mBiphIsochorsList.get(), diagram->mMonoIsochorsList.get()}) {
            if (list == nullptr) continue;
            for (CIsochor* isochor : list->mList) {
                if (isochor->mGraphCurve == object) {
                    found.diagram = diagram;
                    found.isochor = isochor;
                    return found;
                }
                if (!isochor->mTrappingLines) continue;
                for (CTrappingLine* line : isochor->mTrappingLines->mList) {
                    if (line->mGraphCurve == object) {
                        found.diagram = diagram;
                        found.trappingLine = line;
                        return found;
                    }
                }
            }
        }
        if (diagram->mCriticalPoint == object) {
            found.diagram = diagram;
            return found;
        }
    }
    return FindDrawnAqueousRecord(object);
}

// ---- removal ----
// Every removal is one undoable step: the records leave their lists and their drawings the view,
// and both are kept by the step until it is forgotten.

std::unique_ptr<CCompositeDocumentChange> CPhaseDiagDocument::NewRemoval(const char* text) {
    return std::make_unique<CCompositeDocumentChange>(text, [this] {
        mPlotView->updateSubobjectsCoordinates();
        mPlotView->Redraw();
        Changed();
    });
}

void CPhaseDiagDocument::TakeDrawing(CCompositeDocumentChange& change, CGraphObject* object) {
    if (object != nullptr) change.Add(std::make_unique<CTakeDrawingChange>(*mPlotView, object));
}

void CPhaseDiagDocument::TakeIsochorDrawings(CCompositeDocumentChange& change, CIsochor* isochor) {
    TakeDrawing(change, isochor->mGraphCurve);
    if (isochor->mTrappingLines)
        for (CTrappingLine* line : isochor->mTrappingLines->mList)
            TakeDrawing(change, line->mGraphCurve);
}

void CPhaseDiagDocument::RemoveIsochorPair(const char* text, CIsochor* first, CIsochor* second) {
    auto change = NewRemoval(text);
    for (CIsochor* each : {first, second}) {
        if (each == nullptr) continue;
        TakeIsochorDrawings(*change, each);
        TakeCrossingsWith(*change, *each);
        for (CPhaseDiagram* diagram : mPhaseDiagramsList.mList)
            for (CIsochorsList* list : {diagram->mBiphIsochorsList.get(), diagram->mMonoIsochorsList.get()})
                if (list != nullptr && list->mList.Contains(each))
                    change->Add(std::make_unique<CUnlinkChange<CIsochor>>(list->mList, each, true));
    }
    Execute(std::move(change));
}

void CPhaseDiagDocument::RemoveFluidPhaseDiagram(CPhaseDiagram* diagram) {
    if (diagram == nullptr || !mPhaseDiagramsList.mList.Contains(diagram)) return;
    auto change = NewRemoval("Remove phase envelope");
    for (CIsopleth* isopleth : {diagram->mLiquidIsopleth.get(), diagram->mVapourIsopleth.get()})
        if (isopleth != nullptr) TakeDrawing(*change, isopleth->mGraphCurve); // legend too
    for (CIsochorsList* list : {diagram->mBiphIsochorsList.get(), diagram->mMonoIsochorsList.get()})
        if (list != nullptr)
            for (CIsochor* isochor : list->mList) {
                TakeIsochorDrawings(*change, isochor);
                TakeCrossingsWith(*change, *isochor);
            }
    // The diagram's curves leave the volume-temperature plots too: a later diagram may take its name.
    if (diagram->mBiphIsochorsList)
        for (const auto& plot : mVTPlots)
            for (const CIsochor* isochor : diagram->mBiphIsochorsList->mList)
                if (auto copies = plot->PlottedCopiesRemoval(*isochor)) change->Add(std::move(copies));
    TakeDrawing(*change, diagram->mCriticalPoint);
    change->Add(std::make_unique<CUnlinkChange<CPhaseDiagram>>(mPhaseDiagramsList.mList, diagram, true));
    Execute(std::move(change));
}

void CPhaseDiagDocument::DeleteIsochor(CIsochor* isochor) {
    if (isochor == nullptr) return;
    CPhaseDiagram* diagram = isochor->mPhaseDiagram;
    CIsochor* partner = nullptr;
    if (diagram) {
        CIsochorsList* other =
            isochor->mIsBiphasic ? diagram->mMonoIsochorsList.get() : diagram->mBiphIsochorsList.get();
        if (other) {
            for (CIsochor* candidate : other->mList) {
                if (candidate->mName == isochor->mName) {
                    partner = candidate;
                    break;
                }
            }
        }
    }
    RemoveIsochorPair("Delete isochor", isochor, partner);
}

void CPhaseDiagDocument::DeleteIsochor(const std::string& name) {
    CIsochor* mono = mPhaseDiagramsList.GetMonophasicIsochorByName(name);
    CIsochor* biph = mPhaseDiagramsList.GetBiphasicIsochorByName(name);
    if (mono == nullptr && biph == nullptr) return;
    RemoveIsochorPair("Delete isochor", mono, biph);
}

void CPhaseDiagDocument::RemoveTrappingLine(CTrappingLine* line) {
    if (line == nullptr) return;
    if (line == &mAqueousHomogLine) { // the temporary marker is not part of the document
        HideTemporaryAqueousHomogLine();
        mPlotView->Redraw();
        return;
    }
    CIsochor* isochor = line->mIsochor;
    if (isochor == nullptr || !isochor->mTrappingLines || !isochor->mTrappingLines->mList.Contains(line))
        return;
    auto change = NewRemoval("Remove trapping line");
    TakeDrawing(*change, line->mGraphCurve);
    change->Add(std::make_unique<CUnlinkChange<CTrappingLine>>(isochor->mTrappingLines->mList, line, true));
    Execute(std::move(change));
}

// ---- volume-temperature plots ----

CVolumePlotView* CPhaseDiagDocument::DisplayNewVTPlot() {
    auto plot = std::make_unique<CVolumePlotView>(&Services());
    plot->mTitle = GetTitle() + ":" + std::to_string(mVTPlots.size() + 1);
    CVolumePlotView* raw = plot.get();
    raw->SetContentChangedHandler([this] { Changed(); });
    raw->SetChangeRunner([this](std::unique_ptr<CDocumentChange> change) { Execute(std::move(change)); });
    mVTPlots.push_back(std::move(plot));
    SetModifiedFlag(true);
    Services().Events().VTPlotCreated(*this, *raw);
    return raw;
}

void CPhaseDiagDocument::KillVTPlot(CVolumePlotView* plot) {
    const auto it = std::find_if(mVTPlots.begin(), mVTPlots.end(),
                                 [plot](const auto& owned) { return owned.get() == plot; });
    if (it == mVTPlots.end()) return;
    Services().Events().VTPlotDestroyed(*this, *plot);
    mVTPlots.erase(it);
    SetModifiedFlag(true);
}

// Each destroyed plot stops being the current one by itself; another document's current plot
// stays current (a reverted diagram's new plots open before the old ones close).
void CPhaseDiagDocument::CloseVTPlots() {
    for (const auto& plot : mVTPlots)
        Services().Events().VTPlotDestroyed(*this, *plot);
    mVTPlots.clear();
}
