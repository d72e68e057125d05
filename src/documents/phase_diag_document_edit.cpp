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
    return "There is no trapping pressure at Th (aq.) = " + FormatFixed(thaq, 1) +
           " \xC2\xB0"
           "C: the isochor \"" +
           isochor.mName + "\" does not reach that temperature.";
}

CTrappingLine* CPhaseDiagDocument::AddTrappingLineTo(CIsochor* isochor, double thaq) {
    if (isochor == nullptr) return nullptr;
    // Outside the isochore there is no pressure: a line at 0 bar would mark nothing.
    if (!(isochor->GetPressure(thaq) > 0)) {
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
    raw->AttachToIsochor(isochor, thaq); // the isochore's list owns it from here
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
    return found;
}

// ---- removal ----

void CPhaseDiagDocument::RemoveIsopleth(CIsopleth* isopleth) {
    if (isopleth == nullptr) return;
    if (isopleth->mGraphCurve) mPlotView->removeGraphObject(isopleth->mGraphCurve); // legend too
    isopleth->mGraphCurve = nullptr;
}

void CPhaseDiagDocument::RemoveIsochor(CIsochor* isochor) {
    if (isochor == nullptr) return;
    if (isochor->mGraphCurve) mPlotView->removeGraphObject(isochor->mGraphCurve);
    isochor->mGraphCurve = nullptr;
    if (isochor->mTrappingLines) {
        for (CTrappingLine* line : isochor->mTrappingLines->mList) {
            if (line->mGraphCurve) mPlotView->removeGraphObject(line->mGraphCurve);
            line->mGraphCurve = nullptr;
        }
    }
    mPlotView->updateSubobjectsCoordinates();
}

void CPhaseDiagDocument::UnlinkIsochor(CIsochor* isochor) {
    for (CPhaseDiagram* diagram : mPhaseDiagramsList.mList) {
        if (diagram->mBiphIsochorsList && diagram->mBiphIsochorsList->mList.Remove(isochor)) return;
        if (diagram->mMonoIsochorsList && diagram->mMonoIsochorsList->mList.Remove(isochor)) return;
    }
}

void CPhaseDiagDocument::RemoveFluidPhaseDiagram(CPhaseDiagram* diagram) {
    if (diagram == nullptr || !mPhaseDiagramsList.mList.Contains(diagram)) return;
    RemoveIsopleth(diagram->mLiquidIsopleth.get());
    RemoveIsopleth(diagram->mVapourIsopleth.get());
    for (CIsochorsList* list : {diagram->mBiphIsochorsList.get(), diagram->mMonoIsochorsList.get()}) {
        if (list == nullptr) continue;
        for (CIsochor* isochor : list->mList)
            RemoveIsochor(isochor);
    }
    // The diagram's curves leave the volume-temperature plots too: a later diagram may take its name.
    if (diagram->mBiphIsochorsList) {
        for (const auto& plot : mVTPlots)
            for (const CIsochor* isochor : diagram->mBiphIsochorsList->mList)
                plot->RemovePlottedCopiesOf(*isochor);
    }
    if (diagram->mCriticalPoint) mPlotView->removeGraphObject(diagram->mCriticalPoint);
    diagram->mCriticalPoint = nullptr;
    mPhaseDiagramsList.mList.Remove(diagram);
    delete diagram; // with its isopleths, isochores and trapping lines
    mPlotView->updateSubobjectsCoordinates();
    Changed();
    mPlotView->Redraw();
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
    for (CIsochor* each : {isochor, partner}) {
        if (each == nullptr) continue;
        RemoveIsochor(each);
        UnlinkIsochor(each);
        delete each;
    }
    mPlotView->Redraw();
    Changed();
}

void CPhaseDiagDocument::DeleteIsochor(const std::string& name) {
    CIsochor* mono = mPhaseDiagramsList.GetMonophasicIsochorByName(name);
    CIsochor* biph = mPhaseDiagramsList.GetBiphasicIsochorByName(name);
    if (mono == nullptr && biph == nullptr) return;
    for (CIsochor* each : {mono, biph}) {
        if (each == nullptr) continue;
        RemoveIsochor(each);
        UnlinkIsochor(each);
        delete each;
    }
    mPlotView->Redraw();
    Changed();
}

void CPhaseDiagDocument::RemoveTrappingLine(CTrappingLine* line) {
    if (line == nullptr) return;
    if (line == &mAqueousHomogLine) { // the temporary marker is not part of the document
        HideTemporaryAqueousHomogLine();
        mPlotView->Redraw();
        return;
    }
    if (line->mGraphCurve) mPlotView->removeGraphObject(line->mGraphCurve);
    line->mGraphCurve = nullptr;
    CIsochor* isochor = line->mIsochor;
    if (isochor && isochor->mTrappingLines && isochor->mTrappingLines->mList.Remove(line)) delete line;
    Changed();
    mPlotView->Redraw();
}

// ---- volume-temperature plots ----

CVolumePlotView* CPhaseDiagDocument::DisplayNewVTPlot() {
    auto plot = std::make_unique<CVolumePlotView>(&Services());
    plot->mTitle = GetTitle() + ":" + std::to_string(mVTPlots.size() + 1);
    CVolumePlotView* raw = plot.get();
    raw->SetContentChangedHandler([this] { Changed(); });
    mVTPlots.push_back(std::move(plot));
    SetModifiedFlag(true);
    Services().VTPlotCreated(*this, *raw);
    return raw;
}

void CPhaseDiagDocument::KillVTPlot(CVolumePlotView* plot) {
    const auto it = std::find_if(mVTPlots.begin(), mVTPlots.end(),
                                 [plot](const auto& owned) { return owned.get() == plot; });
    if (it == mVTPlots.end()) return;
    Services().VTPlotDestroyed(*this, *plot);
    mVTPlots.erase(it);
    SetModifiedFlag(true);
}

// Each destroyed plot stops being the current one by itself; another document's current plot
// stays current (a reverted diagram's new plots open before the old ones close).
void CPhaseDiagDocument::CloseVTPlots() {
    for (const auto& plot : mVTPlots)
        Services().VTPlotDestroyed(*this, *plot);
    mVTPlots.clear();
}
