// SPDX-License-Identifier: BSD-3-Clause
// Trapping temperature and pressure from coeval aqueous inclusions: the aqueous isochores of the
// P-T document, their crossings with the oil isochores, their drawing and removal.

#include <algorithm>
#include <cmath>

#include "base/number_field.hpp"
#include "documents/document_changes.hpp"
#include "documents/phase_diag_document.hpp"

using namespace zephon::aqueous;

namespace {

// The aqueous isochore is traced this far (or to 5000 bar) in this many points.
constexpr double kAqueousIsochoreTmax = 400.0;
constexpr int kAqueousIsochorePoints = 100;
constexpr zephon::plot::Color kCrossingColor = zephon::plot::MakeColor(0, 128, 0);
constexpr zephon::plot::Color kLegacyColor = zephon::plot::MakeColor(128, 128, 128);

void* AsReference(CRecord* record) {
    return static_cast<void*>(record);
}

SalinitySource SourceOf(const std::string& word) {
    SalinitySource source = SalinitySource::Typed;
    salinity_source_from_word(word, source);
    return source;
}

HostMineral HostOf(const std::string& word) {
    HostMineral host = HostMineral::None;
    host_mineral_from_word(word, host);
    return host;
}

} // namespace

AqueousMeasurement CPhaseDiagDocument::MeasurementOf(const CAqueousIsochor& isochor) {
    return {isochor.mTh, SourceOf(isochor.mSalinitySource), isochor.mMeasured, HostOf(isochor.mHost),
            isochor.mLegacy != 0};
}

CAqueousReadRules CPhaseDiagDocument::AqueousReadRules() const {
    CAqueousReadRules rules;
    rules.th = [](double th) { return aqueous_th_in_range(th); };
    rules.source = [](const std::string& word) {
        SalinitySource source{};
        return salinity_source_from_word(word, source);
    };
    rules.measured = [](const std::string& word, double value) {
        SalinitySource source{};
        return salinity_source_from_word(word, source) && salinity_from(source, value).ok;
    };
    rules.host = [](const std::string& word) {
        HostMineral host{};
        return host_mineral_from_word(word, host);
    };
    rules.oilIsochor = [this](const std::string& name) {
        for (const CPhaseDiagram* diagram : mPhaseDiagramsList.mList)
            if (diagram->mMonoIsochorsList)
                for (const CIsochor* isochor : diagram->mMonoIsochorsList->mList)
                    if (isochor->mName == name) return true;
        return false;
    };
    return rules;
}

CAqueousIsochor* CPhaseDiagDocument::CalculateAqueousIsochor(const AqueousMeasurement& m) {
    const std::string source = salinity_source_word(m.source), host = host_mineral_word(m.host);
    for (CAqueousIsochor* existing : mAqueousIsochorsList.mList)
        if (existing->IsOf(m.th, source, m.measured, host, m.legacy ? 1 : 0)) return existing;

    CWaitCursor wait(Services());
    const AqueousIsochore::Made made = aqueous_isochore_of(m);
    if (!made.isochore) {
        Services().ShowMessage({made.message, "", CMessageIcon::Warning, false});
        return nullptr;
    }
    auto record = std::make_unique<CAqueousIsochor>();
    record->mTh = m.th;
    record->mSalinitySource = source;
    record->mMeasured = m.measured;
    record->mSalinity = made.isochore->inclusion().salinity;
    record->mHost = host;
    record->mLegacy = m.legacy ? 1 : 0;
    record->mPh = made.isochore->homogenisation().P;
    record->mDensity = made.isochore->homogenisation().rho;
    record->mCurveFormat.mColor = m.legacy ? kLegacyColor : NewCurveColor();
    for (const IsochorePoint& p : made.isochore->trace(kAqueousIsochoreTmax, kAqueousIsochorePoints))
        record->Add(new CIsochorPoint(p.T, p.P, 0));
    record->SetNameByDefault();
    CAqueousIsochor* raw = record.release();
    mAqueousIsochorsList.mList.Add(raw);
    PlotAqueousIsochor(raw);
    mPlotView->Redraw();
    Changed();
    return raw;
}

namespace {

// The oil inclusion a monophasic isochore of a diagram stands for.
OilInclusion OilInclusionOf(const CPhaseDiagram& diagram, const CIsochor& oil, double tfv) {
    OilInclusion inclusion;
    if (const CAlphaBetaModel* model = diagram.mThermoModel.GetAlphaBetaModel()) {
        inclusion.fluid = {true, model->mAlpha, model->mBeta, model->mCO2, model->mN2, model->mH2S, {}};
    } else if (const CModelFluid* fluid = diagram.mThermoModel.GetModelFluid()) {
        inclusion.fluid.alphaBeta = false;
        inclusion.fluid.components = ToComponents(*fluid);
    }
    inclusion.th = oil.mTh;
    inclusion.homog = oil.mHomog != 0 ? 1 : 0;
    const CIsopleth* branch =
        inclusion.homog == 1 ? diagram.mLiquidIsopleth.get() : diagram.mVapourIsopleth.get();
    if (branch) inclusion.branch = ToIsoplethData(*branch);
    // The isochore starts at its homogenisation pressure: where the dew curve meets Th twice, it
    // picks the same dew point again.
    if (const CIsochorPoint* first = oil.mList.First()) inclusion.phHint = first->mP;
    inclusion.tfv = tfv;
    return inclusion;
}

} // namespace

CAqueousCrossing* CPhaseDiagDocument::CalculateCrossing(CAqueousIsochor* aqueous, CIsochor* oil,
                                                        const TrappingUncertainties& sd, double tfv) {
    if (aqueous == nullptr || oil == nullptr || !mAqueousIsochorsList.mList.Contains(aqueous)) return nullptr;
    const CPhaseDiagram* diagram = nullptr;
    for (CPhaseDiagram* d : mPhaseDiagramsList.mList)
        if (d->mMonoIsochorsList && d->mMonoIsochorsList->mList.Contains(oil)) diagram = d;
    if (diagram == nullptr) return nullptr;
    auto refuse = [this](const std::string& message) -> CAqueousCrossing* {
        Services().ShowMessage({message, "", CMessageIcon::Warning, false});
        return nullptr;
    };
    if (sd.fv > 0 && diagram->mThermoModel.mModelType != 1)
        return refuse("The bubble fraction changes only an alpha-beta oil: a fluid model keeps its "
                      "composition. Leave its uncertainty at 0.");

    CWaitCursor wait(Services());
    const AqueousMeasurement measurement = MeasurementOf(*aqueous);
    const AqueousIsochore::Made aqueousIsochore = aqueous_isochore_of(measurement);
    if (!aqueousIsochore.isochore) return refuse(aqueousIsochore.message);
    const OilInclusionModel::Made oilModel =
        OilInclusionModel::make(OilInclusionOf(*diagram, *oil, tfv), measurement.host);
    if (!oilModel.model) return refuse(oilModel.message);
    const TrappingResult result =
        calculate_trapping(*oilModel.model, *aqueousIsochore.isochore, measurement, sd);
    if (result.crossing.status != CrossingStatus::Found) return refuse(result.crossing.message);
    if (sd.any() && !result.band) return refuse(result.bandMessage);

    if (CAqueousCrossing* previous = aqueous->FindCrossing(oil->mName)) {
        UnplotAqueousCrossing(*previous);
        aqueous->mCrossings.Remove(previous);
        delete previous;
    }
    auto crossing = std::make_unique<CAqueousCrossing>();
    const IsochoreCrossing& c = result.crossing.crossing;
    crossing->mOilIsochorName = oil->mName;
    crossing->mT = c.T;
    crossing->mP = c.P;
    crossing->mSlopeOil = c.slopeOil;
    crossing->mSlopeAqueous = c.slopeAqueous;
    crossing->mAngle = c.angle;
    crossing->mSdThAqueous = sd.thAqueous;
    crossing->mSdMeasured = sd.measured;
    crossing->mSdThOil = sd.thOil;
    crossing->mSdFv = sd.fv;
    crossing->mTfv = tfv;
    crossing->mThCorrelation = sd.thCorrelation;
    crossing->mSdBrineDensity = sd.brineDensity;
    crossing->mHalvedInputs = result.bandHalved;
    if (result.band) {
        crossing->mHasBand = 1;
        crossing->mSdT = result.band->sdT;
        crossing->mSdP = result.band->sdP;
        crossing->mCorrelation = result.band->correlation;
    }
    crossing->mAqueousIsochor = aqueous;
    CAqueousCrossing* raw = crossing.release();
    aqueous->mCrossings.Add(raw);
    PlotAqueousCrossing(*raw);
    // The result is shown: the ranges grow to hold the crossing and its ellipse.
    double minT = raw->mT, maxT = raw->mT, minP = raw->mP, maxP = raw->mP;
    if (raw->mEllipseCurve)
        for (const auto& point : raw->mEllipseCurve->mPointsList) {
            minT = std::min(minT, point->mX);
            maxT = std::max(maxT, point->mX);
            minP = std::min(minP, point->mY);
            maxP = std::max(maxP, point->mY);
        }
    mPlotView->ShowInRanges(minT, maxT, minP, maxP);
    mPlotView->updateSubobjectsCoordinates();
    mPlotView->Redraw();
    Changed();
    return raw;
}

GeothermCrossingResult CPhaseDiagDocument::CrossGeotherm(CIsochor* oil, HostMineral host,
                                                         const Geotherm& geotherm) {
    const CPhaseDiagram* diagram = nullptr;
    for (CPhaseDiagram* d : mPhaseDiagramsList.mList)
        if (oil != nullptr && d->mMonoIsochorsList && d->mMonoIsochorsList->mList.Contains(oil)) diagram = d;
    if (diagram == nullptr) return {std::nullopt, "The oil isochore is not one of this diagram."};
    if (std::string refusal = geotherm_refusal(geotherm); !refusal.empty()) return {std::nullopt, refusal};
    CWaitCursor wait(Services());
    const OilInclusionModel::Made oilModel =
        OilInclusionModel::make(OilInclusionOf(*diagram, *oil, 20.0), host);
    if (!oilModel.model) return {std::nullopt, oilModel.message};
    return cross_geotherm(oilModel.model->isochore(), geotherm);
}

GeothermCrossingResult CPhaseDiagDocument::CrossGeotherm(const CAqueousIsochor& aqueous,
                                                         const Geotherm& geotherm) {
    const AqueousIsochore::Made made = aqueous_isochore_of(MeasurementOf(aqueous));
    if (!made.isochore) return {std::nullopt, made.message};
    return cross_geotherm(*made.isochore, geotherm);
}

// ---- drawing ----

void CPhaseDiagDocument::PlotAqueousIsochor(CAqueousIsochor* isochor) {
    if (isochor == nullptr) return;
    auto curve = std::make_unique<CGraphCurve>();
    curve->mSelectable = true;
    for (const CIsochorPoint* point : isochor->mList)
        curve->addPoint(point->mT, point->mP);
    curve->mName = isochor->mName;
    curve->mSize = isochor->mCurveFormat.mSize;
    curve->mForeColor = isochor->mCurveFormat.mColor;
    curve->mReferenceObject = AsReference(isochor);
    // Dashed beside the oil's isochores, and named in the legend by its Th and salinity.
    curve->mPenStyle = zephon::plot::PenStyle::Dash;
    curve->mLegendName = "Aq. Th " + CPlotView::FormatStoredNumber(isochor->mTh, 0) +
                         " \xC2\xB0"
                         "C, " +
                         FormatFixed(isochor->mSalinity, 1) + " wt%" +
                         (isochor->mLegacy != 0 ? ", legacy" : "");
    isochor->mGraphCurve = mPlotView->addGraphObject(std::move(curve));
    AddToLegend(isochor->mGraphCurve);
    for (CAqueousCrossing* crossing : isochor->mCrossings) {
        crossing->mAqueousIsochor = isochor;
        PlotAqueousCrossing(*crossing);
    }
}

void CPhaseDiagDocument::PlotAqueousCrossing(CAqueousCrossing& crossing) {
    if (crossing.mHasBand != 0) {
        auto ellipse = std::make_unique<CGraphCurve>();
        for (const auto& [t, p] : uncertainty_ellipse(crossing.mT, crossing.mP,
                                                      {crossing.mSdT, crossing.mSdP, crossing.mCorrelation}))
            ellipse->addPoint(t, p);
        ellipse->mName = "95 % ellipse";
        ellipse->mSize = 1;
        ellipse->mForeColor = kCrossingColor;
        ellipse->mReferenceObject = AsReference(&crossing);
        crossing.mEllipseCurve = mPlotView->addGraphObject(std::move(ellipse));
    }
    auto point = std::make_unique<CGraphPoint>(crossing.mT, crossing.mP);
    point->mSelectable = true;
    point->mSize = 3;
    point->mSelector = 2;
    point->mForeColor = kCrossingColor;
    point->mName = "Trapping: " + FormatFixed(crossing.mT, 1) +
                   " \xC2\xB0"
                   "C, " +
                   FormatFixed(crossing.mP, 0) + " bar";
    point->mReferenceObject = AsReference(&crossing);
    crossing.mGraphPoint = mPlotView->addGraphObject(std::move(point));
}

void CPhaseDiagDocument::UnplotAqueousCrossing(CAqueousCrossing& crossing) {
    if (crossing.mGraphPoint) mPlotView->removeGraphObject(crossing.mGraphPoint);
    if (crossing.mEllipseCurve) mPlotView->removeGraphObject(crossing.mEllipseCurve);
    crossing.mGraphPoint = nullptr;
    crossing.mEllipseCurve = nullptr;
}

// ---- removal ----
// Undoable, as the document's other removals: the records leave their lists and their drawings the
// view, and the step keeps both until it is forgotten.

void CPhaseDiagDocument::TakeCrossing(CCompositeDocumentChange& change, CAqueousIsochor& isochor,
                                      CAqueousCrossing* crossing) {
    TakeDrawing(change, crossing->mGraphPoint);
    TakeDrawing(change, crossing->mEllipseCurve);
    change.Add(std::make_unique<CUnlinkChange<CAqueousCrossing>>(isochor.mCrossings, crossing, true));
}

void CPhaseDiagDocument::RemoveAqueousCrossing(CAqueousCrossing* crossing) {
    if (crossing == nullptr) return;
    for (CAqueousIsochor* isochor : mAqueousIsochorsList.mList) {
        if (!isochor->mCrossings.Contains(crossing)) continue;
        auto change = NewRemoval("Delete crossing");
        TakeCrossing(*change, *isochor, crossing);
        Execute(std::move(change));
        return;
    }
}

void CPhaseDiagDocument::RemoveAqueousIsochor(CAqueousIsochor* isochor) {
    if (isochor == nullptr || !mAqueousIsochorsList.mList.Contains(isochor)) return;
    auto change = NewRemoval("Delete aqueous isochor");
    // Its crossings stay in it, their drawings leave with it.
    for (CAqueousCrossing* crossing : isochor->mCrossings) {
        TakeDrawing(*change, crossing->mGraphPoint);
        TakeDrawing(*change, crossing->mEllipseCurve);
    }
    TakeDrawing(*change, isochor->mGraphCurve);
    change->Add(std::make_unique<CUnlinkChange<CAqueousIsochor>>(mAqueousIsochorsList.mList, isochor, true));
    Execute(std::move(change));
}

void CPhaseDiagDocument::TakeCrossingsWith(CCompositeDocumentChange& change, const CIsochor& isochor) {
    if (isochor.mIsBiphasic != 0) return;
    // Another diagram's isochore of the same name keeps its crossings.
    long sameName = 0;
    for (CPhaseDiagram* diagram : mPhaseDiagramsList.mList)
        if (diagram->mMonoIsochorsList)
            for (const CIsochor* each : diagram->mMonoIsochorsList->mList)
                sameName += each->mName == isochor.mName ? 1 : 0;
    if (sameName > 1) return;
    for (CAqueousIsochor* aqueous : mAqueousIsochorsList.mList)
        for (CAqueousCrossing* crossing : aqueous->mCrossings)
            if (crossing->mOilIsochorName == isochor.mName) TakeCrossing(change, *aqueous, crossing);
}

CPhaseDiagDocument::DrawnRecord CPhaseDiagDocument::FindDrawnAqueousRecord(const CGraphObject* object) {
    DrawnRecord found;
    if (object == nullptr) return found;
    for (CAqueousIsochor* isochor : mAqueousIsochorsList.mList) {
        if (isochor->mGraphCurve == object) {
            found.aqueousIsochor = isochor;
            return found;
        }
        for (CAqueousCrossing* crossing : isochor->mCrossings) {
            if (crossing->mGraphPoint == object || crossing->mEllipseCurve == object) {
                found.aqueousIsochor = isochor;
                found.aqueousCrossing = crossing;
                return found;
            }
        }
    }
    return found;
}
