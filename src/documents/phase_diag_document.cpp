// SPDX-License-Identifier: BSD-3-Clause
#include "documents/phase_diag_document.hpp"

#include <cmath>

#include "base/number_field.hpp"
#include "documents/file_sections.hpp"
#include "plot/palette.hpp"
#include "thermo/calculation_interface.hpp"

using zephon::thermo::CCalculationInterface;
using zephon::thermo::IsoplethData;
using zephon::thermo::ModelFluidComponent;

namespace {

constexpr double kKelvin = 273.15;
constexpr double kPaPerBar = 100000.0;

// No curve of a diagram is traced further than this many steps, whatever the engine answers.
constexpr int kMaxCurveSteps = 20000;

constexpr zephon::plot::Color kCriticalPointColor = zephon::plot::MakeColor(0, 0, 191);

// The section of a P-T file that keeps the diagrams' exact critical points, cricondenbars and
// cricondentherms, after the volume-temperature plots (file_sections.hpp).
constexpr const char* kKeyPointsSection = "EnvelopeKeyPoints";

void* AsReference(CRecord* record) {
    return static_cast<void*>(record);
}

// The colour a diagram's envelope is drawn in.
const CIsopleth* EnvelopeOf(const CPhaseDiagram& diagram) {
    return diagram.mLiquidIsopleth ? diagram.mLiquidIsopleth.get() : diagram.mVapourIsopleth.get();
}

// (trunc(value) div 10 - 1) * 10 and (trunc(value) div 10 + 1) * 10.
double TenBelow(double value) {
    return static_cast<double>((static_cast<long>(std::trunc(value)) / 10 - 1) * 10);
}
double TenAbove(double value) {
    return static_cast<double>((static_cast<long>(std::trunc(value)) / 10 + 1) * 10);
}

std::unique_ptr<CIsopleth> NewIsopleth(CCalculationInterface& engine, short n, int state) {
    auto isopleth = std::make_unique<CIsopleth>();
    isopleth->Initialize();
    isopleth->mxref.resize(n > 0 ? n : 0);
    for (short i = 0; i < n; ++i)
        isopleth->mxref[i] = engine.GetIsoplethComposition(i);
    isopleth->mState = state;
    return isopleth;
}

void AppendIsoplethPoint(CCalculationInterface& engine, CIsopleth& isopleth, short n, double t, double p,
                         bool liquidBranch, bool skip) {
    auto point = std::make_unique<CIsoplethPoint>();
    point->mT = t;
    point->mP = p;
    point->mLiquidV = engine.GetLiquidVolume();
    point->mVapourV = engine.GetVapourVolume();
    point->mz.resize(n > 0 ? n : 0);
    // The composition of the incipient phase: vapour on the bubble side, liquid on the dew side.
    for (short i = 0; i < n; ++i)
        point->mz[i] = liquidBranch ? engine.GetVapourComposition(i) : engine.GetLiquidComposition(i);
    point->mSkip = skip ? 1 : 0;
    isopleth.Add(point.release());
}

// The exact key points of the envelope traced in the two branches, by the fluid's engine.
CEnvelopeKeyPoints KeyPointsOf(CCalculationInterface& engine, const CIsopleth* liquid,
                               const CIsopleth* vapour) {
    std::unique_ptr<IsoplethData> liquidData, vapourData;
    if (liquid) liquidData = std::make_unique<IsoplethData>(ToIsoplethData(*liquid));
    if (vapour) vapourData = std::make_unique<IsoplethData>(ToIsoplethData(*vapour));
    const zephon::thermo::EnvelopeKeyPoints found =
        engine.CalculateEnvelopeKeyPoints(liquidData.get(), vapourData.get());
    CEnvelopeKeyPoints points;
    points.mComputed = true;
    auto copy = [](const zephon::thermo::EnvelopeKeyPoint& from, CEnvelopeKeyPoint& to) {
        to = {from.found, from.T, from.P};
    };
    copy(found.critical, points.mCritical);
    copy(found.cricondenbar, points.mCricondenbar);
    copy(found.cricondentherm, points.mCricondentherm);
    return points;
}

// The name of a diagram's critical-point marker, which the status line shows with the marker's
// (estimated) coordinates when it is clicked: the exact critical point when it is known.
std::string CriticalMarkerName(const CPhaseDiagram& diagram) {
    std::string name = "CP: " + diagram.mName;
    const CEnvelopeKeyPoint& exact = diagram.mKeyPoints.mCritical;
    if (exact.mValid)
        name += " (exact: " + FormatFixed(exact.mT, 3) +
                " \xC2\xB0"
                "C, " +
                FormatFixed(exact.mP, 3) + " bar)";
    return name;
}

enum class BranchEnd { Ended, ThreePhase };

// Traces a branch from a first point already found (r = 0): points are appended for 0 and -2, a -2
// point ends the branch, -1 ends it, -3 ends it in a three-phase region, 1 retries.
BranchEnd TraceBranch(CCalculationInterface& engine, CIsopleth& isopleth, short n, double& t, double& p,
                      bool liquidBranch, bool skipFirst) {
    signed char r = 0;
    bool first = true;
    for (int step = 0; step < kMaxCurveSteps; ++step) {
        if (r == 0 || r == -2) {
            AppendIsoplethPoint(engine, isopleth, n, t, p, liquidBranch, first && skipFirst);
            first = false;
            if (r == -2) return BranchEnd::Ended;
        }
        r = engine.NextIsoplethPoint(&t, &p);
        if (r == -3) return BranchEnd::ThreePhase;
        if (r != 0 && r != 1 && r != -2) return BranchEnd::Ended;
    }
    return BranchEnd::Ended;
}

} // namespace

std::vector<ModelFluidComponent> ToComponents(const CModelFluid& fluid) {
    std::vector<ModelFluidComponent> components;
    for (const CCompositionRecordEx* record : fluid.mList) {
        components.push_back({record->mComponentName, record->mTc, record->mPc, record->mOmega, record->mMw,
                              record->mVc, record->mCt, record->mMolePercent});
    }
    return components;
}

IsoplethData ToIsoplethData(const CIsopleth& isopleth) {
    IsoplethData data;
    data.mMinT = isopleth.mMinT;
    data.mMaxT = isopleth.mMaxT;
    data.mMaxP = isopleth.mMaxP;
    data.mxref = isopleth.mxref;
    for (const CIsoplethPoint* point : isopleth.mList)
        data.points.push_back({point->mT, point->mP, point->mz});
    return data;
}

CPhaseDiagDocument::CPhaseDiagDocument(CApplicationServices& services)
    : CWDocument(services), mPlotView(std::make_unique<CPhaseDiagView>(this)) {
    mPlotView->updatePlotFormat(mPlotFormat);
}

CPhaseDiagDocument::~CPhaseDiagDocument() = default;

void CPhaseDiagDocument::Changed() {
    SetModifiedFlag(true);
    Services().Events().Notify(CAppNotification::PTPlotModified);
}

// ---- phase envelope ----

CPhaseDiagram* CPhaseDiagDocument::CalculateImmiscibilityLoop(int modelType, double alpha, double beta,
                                                              double co2, double n2, double h2s,
                                                              const CModelFluid* fluid,
                                                              const std::string& name) {
    CWaitCursor wait(Services());
    const bool alphaBeta = modelType != 0;
    auto engine = std::make_unique<CCalculationInterface>(alphaBeta ? 1 : 0);
    bool ready = true;
    if (alphaBeta) {
        engine->mAlpha = alpha;
        engine->mBeta = beta;
        engine->mCO2 = co2;
        engine->mN2 = n2;
        engine->mH2S = h2s;
    } else {
        // A fluid without components, or with constants no equation of state can use, has no envelope.
        ready = fluid != nullptr && fluid->Count() > 0 && engine->SetModelFluid(ToComponents(*fluid));
    }

    std::unique_ptr<CIsopleth> liquid;
    std::unique_ptr<CIsopleth> vapour;
    if (ready) {
        const short n = engine->GetNumberOfComponents();
        double t = 0, p = 0;

        engine->mBranch = 1;
        if (engine->FirstIsoplethPoint(&t, &p) == 0) {
            liquid = NewIsopleth(*engine, n, 1);
            if (TraceBranch(*engine, *liquid, n, t, p, true, false) == BranchEnd::ThreePhase) {
                double t3 = 0, p3 = 0;
                engine->FirstLLGIsoplethPoint(t - 50, &t3, &p3);
                if (t3 != 0 || p3 != 0) TraceBranch(*engine, *liquid, n, t3, p3, true, true);
                Services().ShowMessage({"Zephon has detected liquid-liquid-gas phase equilibria.", "",
                                        CMessageIcon::Warning, true});
            }
        }

        engine->mBranch = 0;
        t = p = 0;
        if (engine->FirstIsoplethPoint(&t, &p) == 0) {
            vapour = NewIsopleth(*engine, n, 0);
            TraceBranch(*engine, *vapour, n, t, p, false, false);
        }
    }

    if (!liquid && !vapour) {
        Services().ShowMessage(
            {"The program failed to calculate the P-T phase envelope.", "", CMessageIcon::Warning, true});
        return nullptr;
    }

    auto diagram = std::make_unique<CPhaseDiagram>();
    if (!alphaBeta) {
        diagram->mThermoModel.mModelType = 2;
        diagram->mThermoModel.SetModelFluid(std::make_unique<CModelFluid>(*fluid));
        diagram->mName = fluid->mName;
    } else {
        auto model = std::make_unique<CAlphaBetaModel>();
        model->mAlpha = alpha;
        model->mBeta = beta;
        model->mCO2 = co2;
        model->mN2 = n2;
        model->mH2S = h2s;
        diagram->mThermoModel.mModelType = 1;
        diagram->mThermoModel.SetAlphaBetaModel(std::move(model));
        if (!name.empty())
            diagram->mName = name;
        else
            diagram->SetNameByDefault(mPhaseDiagramsList.Count(), alpha, beta);
    }
    // Each new envelope in the palette's colour that the diagrams shown use least.
    std::vector<zephon::plot::Color> inUse;
    for (const CPhaseDiagram* shown : mPhaseDiagramsList.mList)
        if (const CIsopleth* envelope = EnvelopeOf(*shown)) inUse.push_back(envelope->mCurveFormat.mColor);
    const zephon::plot::Color color = zephon::plot::NextPaletteColor(inUse);
    for (CIsopleth* branch : {liquid.get(), vapour.get()}) {
        if (branch == nullptr) continue;
        branch->mPhaseDiagram = diagram.get();
        branch->mCurveFormat.mColor = color;
    }
    diagram->mLiquidIsopleth = std::move(liquid);
    diagram->mVapourIsopleth = std::move(vapour);

    engine->CalculateGOR();
    diagram->mGOR = engine->mGOR;
    diagram->mAPI = engine->mAPI;
    diagram->mMassVolLiq = engine->mMassVolLiq;
    diagram->mLiqMolarWeight = engine->mLiqMolarWeight;

    // The exact points beside the estimate the branches are closed with.
    diagram->mKeyPoints =
        KeyPointsOf(*engine, diagram->mLiquidIsopleth.get(), diagram->mVapourIsopleth.get());
    diagram->BuildCriticalPoint();
    CPhaseDiagram* raw = diagram.release();
    mPhaseDiagramsList.Add(raw);
    PlotIsoplethsOfPhaseDiagram(raw);
    Changed();
    return raw;
}

std::unique_ptr<CCalculationInterface> CPhaseDiagDocument::EngineFor(const CPhaseDiagram& diagram) {
    auto engine = std::make_unique<CCalculationInterface>(diagram.mThermoModel.mModelType == 1 ? 1 : 0);
    if (const CAlphaBetaModel* model = diagram.mThermoModel.GetAlphaBetaModel()) {
        engine->mAlpha = model->mAlpha;
        engine->mBeta = model->mBeta;
        engine->mCO2 = model->mCO2;
        engine->mN2 = model->mN2;
        engine->mH2S = model->mH2S;
        engine->Finalize();
        return engine;
    }
    const CModelFluid* fluid = diagram.mThermoModel.GetModelFluid();
    if (fluid == nullptr || fluid->Count() == 0 || !engine->SetModelFluid(ToComponents(*fluid)))
        return nullptr;
    return engine;
}

void CPhaseDiagDocument::CompleteStockTankValues(CPhaseDiagram& diagram) {
    const auto engine = EngineFor(diagram);
    if (!engine) return;
    engine->CalculateGOR();
    if (engine->system().errorflag != 0) return;
    diagram.mMassVolLiq = engine->mMassVolLiq;
    diagram.mLiqMolarWeight = engine->mLiqMolarWeight;
}

void CPhaseDiagDocument::CompleteKeyPoints(CPhaseDiagram& diagram) {
    if (diagram.mKeyPoints.mComputed) return;
    const auto engine = EngineFor(diagram);
    if (!engine) return;
    diagram.mKeyPoints = KeyPointsOf(*engine, diagram.mLiquidIsopleth.get(), diagram.mVapourIsopleth.get());
    if (diagram.mCriticalPoint) diagram.mCriticalPoint->mName = CriticalMarkerName(diagram);
}

// ---- isochores ----

char CPhaseDiagDocument::CalculateIsochor(CPhaseDiagram* diagram, double th, int homog, double& bulkDensity,
                                          double& bulkVolume, CIsochor** monophasic, double phHint) {
    if (diagram == nullptr) return 0;
    if (!std::isfinite(th)) {
        Services().ShowMessage(
            {"The homogenisation temperature is not a number.", "", CMessageIcon::Warning, true});
        return kIsochorThNotANumber;
    }
    double density = 0, volume = 0;
    CIsochor* existing = nullptr;
    if (diagram->IsIsochorAlreadyCalculated(th, static_cast<char>(homog), density, volume, &existing,
                                            nullptr))
        return kIsochorAlreadyCalculated;

    char code = 0;
    switch (diagram->mThermoModel.mModelType) {
    case 1:
        code = CalculateIsochor(diagram, 1, th, homog, diagram->mThermoModel.GetAlphaBetaModel(), nullptr,
                                bulkDensity, bulkVolume, monophasic, phHint);
        break;
    case 2:
        code = CalculateIsochor(diagram, 0, th, homog, nullptr, diagram->mThermoModel.GetModelFluid(),
                                bulkDensity, bulkVolume, monophasic, phHint);
        break;
    default:
        return 0;
    }

    const std::string changeType = "Change the homogenisation type in the dialog box.";
    switch (code) {
    case 1:
        // The homogenisation temperature lies below every point of the envelope branch.
        Services().ShowMessage(
            {"The homogenisation temperature is too low.", "", CMessageIcon::Warning, true});
        break;
    case 2:
        Services().ShowMessage(
            {"The homogenisation temperature is too high.", "", CMessageIcon::Warning, true});
        break;
    case 3:
        Services().ShowMessage({homog == 1
                                    ? "For the given composition, the inclusion cannot homogenize to liquid."
                                    : "For the given composition, the inclusion cannot homogenize to vapour.",
                                changeType, CMessageIcon::Warning, false});
        break;
    case 4:
        Services().ShowMessage(
            {"Because of numeric limitations, the software cannot calculate isochors too close "
             "from a critical point.",
             "Try to calculate the critical isochor by increasing or decreasing the "
             "homogenisation temperature by 0.5\xC2\xB0"
             "C.",
             CMessageIcon::Warning, false});
        break;
    case kIsochorFluidUnusable:
        Services().ShowMessage({"The program failed to calculate the isochors: the fluid model has a "
                                "component whose constants the equation of state cannot use.",
                                "", CMessageIcon::Warning, true});
        break;
    default:
        break;
    }
    return code;
}

char CPhaseDiagDocument::CalculateIsochor(CPhaseDiagram* diagram, int modelType, double th, int homog,
                                          const CAlphaBetaModel* model, const CModelFluid* fluid,
                                          double& bulkDensity, double& bulkVolume, CIsochor** monophasic,
                                          double phHint) {
    if (monophasic) *monophasic = nullptr;
    if (diagram == nullptr) return kIsochorBranchMissing;
    CWaitCursor wait(Services());
    auto engine = std::make_unique<CCalculationInterface>(modelType != 0 ? 1 : 0);
    if (modelType != 0) {
        if (model == nullptr) return kIsochorFluidUnusable;
        engine->mAlpha = model->mAlpha;
        engine->mBeta = model->mBeta;
        engine->mCO2 = model->mCO2;
        engine->mN2 = model->mN2;
        engine->mH2S = model->mH2S;
    } else if (fluid == nullptr || fluid->Count() == 0 || !engine->SetModelFluid(ToComponents(*fluid))) {
        return kIsochorFluidUnusable;
    }
    engine->mTh = th;
    engine->mPh = phHint;
    engine->mHomog = static_cast<char>(homog);

    CIsopleth* branch = homog == 1 ? diagram->mLiquidIsopleth.get() : diagram->mVapourIsopleth.get();
    if (branch == nullptr || branch->mList.IsEmpty()) return kIsochorBranchMissing;
    const IsoplethData branchData = ToIsoplethData(*branch);
    std::unique_ptr<IsoplethData> liquidData, vapourData;
    if (diagram->mLiquidIsopleth)
        liquidData = std::make_unique<IsoplethData>(ToIsoplethData(*diagram->mLiquidIsopleth));
    if (diagram->mVapourIsopleth)
        vapourData = std::make_unique<IsoplethData>(ToIsoplethData(*diagram->mVapourIsopleth));
    engine->mIsopleth = &branchData;
    engine->CalculateIsochorsLimits(liquidData.get(), vapourData.get());

    double t = 0, p = 0;
    signed char r = static_cast<signed char>(engine->FirstIsochor2Point(&t, &p));
    if (r != 0) return static_cast<char>(r);

    // Each inclusion's isochore pair in a colour of its own, as on volume-temperature plots, told
    // from the envelopes and the other isochores.
    const zephon::plot::Color isochorColor = NewCurveColor();
    auto newIsochor = [&](int biphasic) {
        auto isochor = std::make_unique<CIsochor>();
        isochor->Initialize();
        isochor->mTh = th;
        isochor->mBulkVolume = engine->mBulkVolume;
        isochor->mHomog = homog;
        isochor->mPhaseDiagram = diagram;
        isochor->SetNameByDefault();
        isochor->SetBiphasic(biphasic);
        isochor->mCurveFormat.mColor = isochorColor;
        return isochor;
    };
    // Points for 0 and -2; a -2 point ends the curve, so does -1; 1 retries.
    auto trace = [&](CIsochor& isochor, bool biphasic) {
        for (int step = 0; step < kMaxCurveSteps; ++step) {
            if (r == 0 || r == -2) {
                isochor.Add(
                    new CIsochorPoint(t, p, biphasic ? engine->GetBubbleVolumeFraction() * 100 : 0.0));
                if (r == -2) return;
            }
            r = biphasic ? engine->NextIsochor2Point(&t, &p) : engine->NextIsochor1Point(&t, &p);
            if (r != 0 && r != 1 && r != -2) return;
        }
    };

    auto biphasic = newIsochor(1);
    trace(*biphasic, true);
    if (!diagram->mBiphIsochorsList) diagram->mBiphIsochorsList = std::make_unique<CIsochorsList>();
    CIsochor* biph = biphasic.release();
    diagram->mBiphIsochorsList->Add(biph);

    r = static_cast<signed char>(engine->FirstIsochor1Point(&t, &p));
    if (r != 0) {
        // The biphasic half is kept; it is drawn as well, so that what is shown is what is saved.
        biph->mBulkDensity = engine->mBulkDensity;
        biph->mBulkVolume = engine->mBulkVolume * 1000000;
        PlotBiphasicIsochorCurve(biph);
        mPlotView->Redraw();
        Changed();
        return static_cast<char>(r);
    }
    auto monoOwned = newIsochor(0);
    trace(*monoOwned, false);
    if (!diagram->mMonoIsochorsList) diagram->mMonoIsochorsList = std::make_unique<CIsochorsList>();
    CIsochor* mono = monoOwned.release();
    diagram->mMonoIsochorsList->Add(mono);

    PlotBiphasicIsochorCurve(biph);
    PlotMonophasicIsochorCurve(mono);
    if (monophasic) *monophasic = mono;

    bulkVolume = engine->mBulkVolume * 1000000;
    bulkDensity = engine->mBulkDensity;
    biph->mBulkVolume = mono->mBulkVolume = bulkVolume;
    biph->mBulkDensity = mono->mBulkDensity = bulkDensity;
    Changed();
    return 0;
}

double CPhaseDiagDocument::TrappingPressure(const CIsochor& isochor, double thaq) {
    const double interpolated = isochor.GetPressure(thaq);
    const CPhaseDiagram* diagram = isochor.mPhaseDiagram;
    if (!(interpolated > 0) || diagram == nullptr || !(isochor.mBulkVolume > 0)) return interpolated;
    const auto engine = EngineFor(*diagram);
    if (!engine) return interpolated;
    // The isochore keeps its homogenisation volume in cm3/mol, to 8 digits once in a file; the
    // homogenisation state solved again from the envelope gives it to full precision (and must
    // agree with it, so that a change of branch cannot slip in).
    double volume = isochor.mBulkVolume * 1e-6;
    const CIsopleth* branch =
        isochor.mHomog != 0 ? diagram->mLiquidIsopleth.get() : diagram->mVapourIsopleth.get();
    if (branch != nullptr && !branch->mList.IsEmpty()) {
        const IsoplethData data = ToIsoplethData(*branch);
        engine->mIsopleth = &data;
        engine->mTh = isochor.mTh;
        engine->mHomog = isochor.mHomog != 0 ? 1 : 0;
        const CIsochorPoint* homogenisation = isochor.mList.First();
        engine->mPh = homogenisation != nullptr ? homogenisation->mP : 0;
        double t = 0, p = 0;
        if (engine->FirstIsochor2Point(&t, &p) == 0 && std::fabs(engine->mBulkVolume / volume - 1) < 1e-6)
            volume = engine->mBulkVolume;
        engine->mIsopleth = nullptr;
    }
    const zephon::thermo::OnePhaseState state = engine->OnePhaseStateAt(thaq + kKelvin, volume);
    return state.valid && state.P > 0 ? state.P / kPaPerBar : interpolated;
}

// ---- lookups ----

bool CPhaseDiagDocument::IsAlreadyCalculated(double alpha, double beta, double co2, double n2, double h2s,
                                             CPhaseDiagram** found) const {
    return mPhaseDiagramsList.IsPhaseDiagramAlreadyCalculated(alpha, beta, co2 / 100, n2 / 100, h2s / 100,
                                                              found);
}

bool CPhaseDiagDocument::IsAlreadyCalculated(const CAlphaBetaPoint* point, CPhaseDiagram** found) const {
    if (point == nullptr) {
        if (found) *found = nullptr;
        return false;
    }
    const CAlphaBetaRecordEx& fluid = point->mAlphaBetaRecordEx;
    return IsAlreadyCalculated(fluid.mAlpha, fluid.mBeta, fluid.mCO2, fluid.mN2, fluid.mH2S, found);
}

bool CPhaseDiagDocument::IsAlreadyCalculated(const CModelFluid* fluid, CPhaseDiagram** found) const {
    return mPhaseDiagramsList.IsPhaseDiagramAlreadyCalculated(fluid, found);
}

// ---- drawing ----

void CPhaseDiagDocument::PlotIsoplethsOfPhaseDiagram(CPhaseDiagram* diagram) {
    if (diagram == nullptr) return;
    CIsopleth* liquid = diagram->mLiquidIsopleth.get();
    CIsopleth* vapour = diagram->mVapourIsopleth.get();
    if (liquid) PlotIsoplethCurve(liquid);
    if (vapour) PlotIsoplethCurve(vapour);

    if (liquid && vapour && liquid->mGraphCurve && vapour->mGraphCurve &&
        liquid->mGraphCurve->GetPointCount() > 0 && vapour->mGraphCurve->GetPointCount() > 0) {
        const CPointRecord& lastLiquid = *liquid->mGraphCurve->mPointsList.back();
        const CPointRecord& lastVapour = *vapour->mGraphCurve->mPointsList.back();
        if (std::fabs(lastLiquid.mX - lastVapour.mX) < 1.0) {
            auto point = std::make_unique<CGraphPoint>(lastLiquid.mX, lastLiquid.mY);
            point->mForeColor = kCriticalPointColor;
            point->mSize = 3;
            point->mSelector = 1;
            point->mSelectable = true; // a click on it shows its name, with the exact point, and its diagram
            point->mName = CriticalMarkerName(*diagram);
            point->mReferenceObject = AsReference(diagram);
            diagram->mCriticalPoint = mPlotView->addGraphObject(std::move(point));
        }
    }

    if (liquid && liquid->mGraphCurve) liquid->mGraphCurve->mName = diagram->mName + " ";
    if (vapour && vapour->mGraphCurve) vapour->mGraphCurve->mName = diagram->mName + " ";
    if (CGraphLegend* legend = mPlotView->GetLegend()) {
        CGraphCurve* entry = liquid ? liquid->mGraphCurve : (vapour ? vapour->mGraphCurve : nullptr);
        if (entry) legend->mRefObjectList.Add(entry);
    }
    mPlotView->updateSubobjectsCoordinates();
    mPlotView->Redraw();
}

void CPhaseDiagDocument::PlotIsoplethCurve(CIsopleth* isopleth) {
    if (isopleth == nullptr) return;
    auto curve = std::make_unique<CGraphCurve>();
    curve->mSelectable = true;
    for (const CIsoplethPoint* point : isopleth->mList)
        curve->addPoint(point->mT, point->mP, point->mSkip != 0);
    curve->mReferenceObject = AsReference(isopleth);
    curve->mName = isopleth->mName;
    curve->mSize = isopleth->mCurveFormat.mSize;
    curve->mForeColor = isopleth->mCurveFormat.mColor;
    isopleth->mGraphCurve = mPlotView->addGraphObject(std::move(curve));

    if (isopleth->mList.IsEmpty()) return;
    CPhaseDiagView& view = *mPlotView;
    const double minT = isopleth->mMinT, maxT = isopleth->mMaxT, minP = isopleth->mMinP,
                 maxP = isopleth->mMaxP;
    CPlotRanges ranges = view.GetDefaultRanges();
    if (std::isfinite(minT) && std::isfinite(maxT) && std::isfinite(minP) && std::isfinite(maxP)) {
        if (minT < ranges.minX) ranges.minX = TenBelow(minT);
        if (ranges.maxX < maxT + 2) ranges.maxX = TenAbove(maxT + 2);
        if (minP < ranges.minY) ranges.minY = minP;
        if (ranges.maxY < maxP + 2) ranges.maxY = maxP + 2;
    }
    // The view tells the axis range window itself.
    if (view.SetDefaultRanges(ranges)) view.SetCurrentRanges(ranges);
}

namespace {

CGraphCurve* MakeIsochorCurve(CIsochor& isochor) {
    auto curve = std::make_unique<CGraphCurve>();
    curve->mSelectable = true;
    for (const CIsochorPoint* point : isochor.mList)
        curve->addPoint(point->mT, point->mP);
    curve->mName = isochor.mName;
    curve->mSize = isochor.mCurveFormat.mSize;
    curve->mForeColor = isochor.mCurveFormat.mColor;
    curve->mReferenceObject = AsReference(&isochor);
    return curve.release();
}

} // namespace

void CPhaseDiagDocument::PlotIsochorsOfPhaseDiagram(CPhaseDiagram* diagram) {
    if (diagram == nullptr) return;
    if (diagram->mBiphIsochorsList) {
        for (CIsochor* isochor : diagram->mBiphIsochorsList->mList) {
            isochor->mPhaseDiagram = diagram;
            PlotBiphasicIsochorCurve(isochor);
        }
    }
    if (diagram->mMonoIsochorsList) {
        for (CIsochor* isochor : diagram->mMonoIsochorsList->mList) {
            isochor->mPhaseDiagram = diagram;
            PlotMonophasicIsochorCurve(isochor);
        }
    }
}

zephon::plot::Color CPhaseDiagDocument::NewCurveColor() const {
    std::vector<zephon::plot::Color> inUse;
    for (const CPhaseDiagram* diagram : mPhaseDiagramsList.mList) {
        if (const CIsopleth* envelope = EnvelopeOf(*diagram)) inUse.push_back(envelope->mCurveFormat.mColor);
        if (diagram->mMonoIsochorsList)
            for (const CIsochor* isochor : diagram->mMonoIsochorsList->mList)
                inUse.push_back(isochor->mCurveFormat.mColor);
    }
    for (const CAqueousIsochor* aqueous : mAqueousIsochorsList.mList)
        inUse.push_back(aqueous->mCurveFormat.mColor);
    return zephon::plot::NextPaletteColor(inUse);
}

std::string CPhaseDiagDocument::IsochorLegendText(const CIsochor& isochor) const {
    std::string text = "Th " + CPlotView::FormatStoredNumber(isochor.mTh, 0) +
                       " \xC2\xB0"
                       "C, " +
                       (isochor.mHomog != 0 ? "L" : "G");
    // With several envelopes, the one it belongs to.
    if (mPhaseDiagramsList.Count() > 1 && isochor.mPhaseDiagram != nullptr)
        text = isochor.mPhaseDiagram->mName + ", " + text;
    return text;
}

void CPhaseDiagDocument::AddToLegend(CGraphObject* object) {
    CGraphLegend* legend = mPlotView->GetLegend();
    if (legend == nullptr || object == nullptr || legend->mRefObjectList.Contains(object)) return;
    legend->mRefObjectList.Add(object);
}

void CPhaseDiagDocument::PlotBiphasicIsochorCurve(CIsochor* isochor) {
    if (isochor == nullptr) return;
    isochor->mGraphCurve =
        mPlotView->addGraphObject(std::unique_ptr<CGraphCurve>(MakeIsochorCurve(*isochor)));
}

void CPhaseDiagDocument::PlotMonophasicIsochorCurve(CIsochor* isochor) {
    if (isochor == nullptr) return;
    isochor->mGraphCurve =
        mPlotView->addGraphObject(std::unique_ptr<CGraphCurve>(MakeIsochorCurve(*isochor)));
    // The monophasic isochore stands for the pair in the legend, by its Th.
    isochor->mGraphCurve->mLegendName = IsochorLegendText(*isochor);
    AddToLegend(isochor->mGraphCurve);
    if (isochor->mTrappingLines) {
        for (CTrappingLine* line : isochor->mTrappingLines->mList) {
            line->mPhaseDiagram = isochor->mPhaseDiagram;
            line->mIsochor = isochor;
            PlotTrappingLine(line);
        }
    }
}

void CPhaseDiagDocument::PlotTrappingLine(CTrappingLine* line) {
    if (line == nullptr) return;
    line->mGraphCurve = mPlotView->addGraphObject(std::unique_ptr<CGraphCurve>(MakeIsochorCurve(*line)));
    // The line the Trapping page shows while Th (aq.) is typed is no trapping line yet.
    if (line == &mAqueousHomogLine) return;
    // Dashed, so that it is not taken for a grid line, and named by its aqueous Th and pressure.
    line->mGraphCurve->mPenStyle = zephon::plot::PenStyle::Dash;
    line->mGraphCurve->mLegendName = "Trapping: Th aq. " + CPlotView::FormatStoredNumber(line->mTh, 0) +
                                     " \xC2\xB0"
                                     "C, " +
                                     FormatFixed(line->mPtrap, 0) + " bar";
    AddToLegend(line->mGraphCurve);
}

// ---- file ----

void CPhaseDiagDocument::DeleteContents() {
    mVTPlots.clear();
    mPhaseDiagramsList.RemoveAll();
    mAqueousIsochorsList.RemoveAll();
    mAqueousHomogLine.Purge();
    mPlotView->InitializeAxes();
}

void CPhaseDiagDocument::SaveData(CDataHandleStream& stream) {
    mPlotView->updatePlotFormat(mPlotFormat);
    mPlotFormat.Write(stream);
    stream.NextLine();
    mPlotView->hilite(nullptr);
    mPhaseDiagramsList.Write(stream);
    // Only a document with aqueous isochores has their section: other files stay as they were.
    if (mAqueousIsochorsList.Count() > 0) {
        stream << kAqueousSectionWord;
        mAqueousIsochorsList.Write(stream);
    }
    stream << static_cast<long>(mVTPlots.size());
    stream.NextLine();
    for (const auto& plot : mVTPlots)
        plot->Write(stream);
    WriteTrailingSection(stream, kKeyPointsSection, [this](CDataHandleStream& section) {
        section << mPhaseDiagramsList.Count();
        section.NextLine();
        for (const CPhaseDiagram* diagram : mPhaseDiagramsList.mList) {
            diagram->mKeyPoints.Write(section);
            section.NextLine();
        }
    });
}

void CPhaseDiagDocument::ReadData(CDataHandleStream& stream) {
    CloseVTPlots();
    DeleteContents();
    mPlotFormat.Read(stream);
    mPlotView->setFromPlotFormat(mPlotFormat);

    long count = 0;
    stream >> count;
    ReadRecordItems(
        stream, count,
        [&] {
            auto diagram = std::make_unique<CPhaseDiagram>();
            diagram->Read(stream);
            return diagram;
        },
        [&](std::unique_ptr<CPhaseDiagram> diagram) {
            CPhaseDiagram* raw = diagram.release();
            mPhaseDiagramsList.Add(raw);
            PlotIsoplethsOfPhaseDiagram(raw);
            PlotIsochorsOfPhaseDiagram(raw);
        });

    if (stream.ReadWordIf(kAqueousSectionWord)) {
        mAqueousIsochorsList.ReadWith(stream, AqueousReadRules());
        for (CAqueousIsochor* isochor : mAqueousIsochorsList.mList)
            PlotAqueousIsochor(isochor);
    }

    long plots = 0;
    stream >> plots;
    for (long i = 0; i < plots && !stream.HasError(); ++i) {
        const unsigned long before = stream.SuccessfulReads();
        CVolumePlotView* plot = DisplayNewVTPlot();
        plot->Read(stream);
        if (stream.SuccessfulReads() == before) {
            KillVTPlot(plot); // nothing of it was in the file
            break;
        }
    }
    if (!stream.HasError()) {
        ReadTrailingSections(stream, {{kKeyPointsSection, [this](CDataHandleStream& section) {
                                           long count = 0;
                                           section >> count;
                                           for (CPhaseDiagram* diagram : mPhaseDiagramsList.mList) {
                                               if (count-- <= 0 || section.HasError()) break;
                                               diagram->mKeyPoints.Read(section);
                                           }
                                       }}});
    }
    // A file of an earlier version keeps no exact points: they are found from its envelopes.
    for (CPhaseDiagram* diagram : mPhaseDiagramsList.mList) {
        CompleteKeyPoints(*diagram);
        if (diagram->mCriticalPoint) diagram->mCriticalPoint->mName = CriticalMarkerName(*diagram);
    }
    mPlotView->Redraw();
    Services().Events().Notify(CAppNotification::PTPlotModified);
}

void CPhaseDiagDocument::OnCloseDocument() {
    CloseVTPlots();
    CWDocument::OnCloseDocument();
}
