// SPDX-License-Identifier: BSD-3-Clause
#include "documents/alpha_beta_plot_document.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "documents/data_documents.hpp"
#include "plot/palette.hpp"
#include "thermo/alpha_beta_model_interface.hpp"

using zephon::thermo::CAlphaBetaModelInterface;

namespace {

constexpr double kKelvin = 273.15;

std::string Fixed(double value, int digits) {
    return CDataHandleStream::FormatDouble(value, true, digits);
}

void Warn(CApplicationServices& services, const std::string& text) {
    services.ShowMessage({text, "", CMessageIcon::Warning, false});
}

void ApplyPointFormat(CGraphObject& object, const CPointFormat& format) {
    object.mSize = format.mSize;
    object.mForeColor = format.mColor;
    object.mSelector = format.mSelector;
}

} // namespace

std::string CAlphaBetaPlotDocument::CurveEndMessage(int code, bool hasCurve, int homog) {
    const char* untreatable = "For some reason, Zephon was not able to treat these oil inclusion data.";
    switch (code) {
    case kNoConvergence:
        return hasCurve ? std::string() : untreatable;
    case kCriticalPoint:
        return "The curve stops at a critical point.";
    case kRoomTemperatureState:
        return "Liquid-liquid-gas equilibria may occur at the temperature of measurement of the bubble size.";
    case kBubbleTooSmall:
        if (hasCurve) return {};
        if (homog == 0) return "The bubble is too small for an inclusion which homogenizes to vapour.";
        // The same code for an inclusion that homogenises into the liquid: nothing to start from.
        return "No alpha-beta oil can be started for these measurements: the initial estimates hold none for "
               "this homogenisation temperature and bubble size.";
    default:
        // A calculation that ends without a curve always says so.
        return hasCurve || code == 0 ? std::string() : untreatable;
    }
}

CAlphaBetaPlotDocument::CAlphaBetaPlotDocument(CApplicationServices& services)
    : CWDocument(services), mPlotView(std::make_unique<CAlphaBetaPlotView>(this)) {
    mAlphaBetaPointsList.mIsOwner = 1;
    mPlotFormat.mLegendFormat = CTextFormat("Arial", 10, 0);
    mPlotFormat.mLabelsFormat = CTextFormat("Arial", 10, 0);
    mPlotFormat.mTicksFormat = CTextFormat("Arial", 10, 0);
    mPlotFormat.mMinX = mPlotFormat.mMinY = 0;
    mPlotFormat.mMaxX = mPlotFormat.mMaxY = 1.0;
    mPlotFormat.mLegendX = mPlotFormat.mLegendY = 0;
}

CAlphaBetaPlotDocument::~CAlphaBetaPlotDocument() = default;

void CAlphaBetaPlotDocument::Changed() {
    SetModifiedFlag(true);
    Services().Events().Notify(CAppNotification::AlphaBetaPlotModified);
}

// ---- file ----

void CAlphaBetaPlotDocument::DeleteContents() {
    mAlphaBetaCurvesList.RemoveAll();
    mAlphaBetaPointsList.RemoveAll();
    mAlphaBetaCorrelationsList.RemoveAll();
    mIsoGORCurves.clear();
    mIsoAPICurves.clear();
    mPlotView->InitializeAxes(); // drops every drawn object
}

void CAlphaBetaPlotDocument::ReadData(CDataHandleStream& stream) {
    DeleteContents();
    mAlphaBetaCurvesList.Read(stream);
    mAlphaBetaPointsList.Read(stream);
    mAlphaBetaCorrelationsList.Read(stream);
    mPlotFormat.Read(stream);
    mPlotView->setFromPlotFormat(mPlotFormat);
    // A file that stores the ranges every plot starts with opens on its data; ranges of its own
    // are shown as stored.
    const CPlotRanges start{0, 1, 0, 1};
    mPlotView->SetFollowsData(mPlotView->GetDefaultRanges() == start &&
                              mPlotView->GetCurrentRanges() == start);
    for (CAlphaBetaCurve* curve : mAlphaBetaCurvesList.mList)
        PlotAlphaBetaCurve(curve);
    for (CAlphaBetaPoint* point : mAlphaBetaPointsList.mList)
        PlotAlphaBetaPoint(point);
    for (CAlphaBetaCorrelation* correlation : mAlphaBetaCorrelationsList.mList)
        PlotAlphaBetaCorrelation(correlation);
    mPlotView->Redraw();
}

void CAlphaBetaPlotDocument::SaveData(CDataHandleStream& stream) {
    mPlotView->hilite(nullptr);
    mAlphaBetaCurvesList.Write(stream);
    mAlphaBetaPointsList.Write(stream);
    mAlphaBetaCorrelationsList.Write(stream);
    mPlotView->updatePlotFormat(mPlotFormat);
    mPlotFormat.Write(stream);
    stream.NextLine();
}

bool CAlphaBetaPlotDocument::HasContent() const {
    return mAlphaBetaCurvesList.Count() > 0 || mAlphaBetaPointsList.mList.Count() > 0 ||
           mAlphaBetaCorrelationsList.Count() > 0;
}

// ---- curve calculation ----

bool CAlphaBetaPlotDocument::IsCurveAlreadyCalculated(double th, double tv, double fv, int homog, double co2,
                                                      double n2, double h2s, CAlphaBetaCurve** curve) const {
    for (CAlphaBetaCurve* each : mAlphaBetaCurvesList.mList) {
        const CInclusionRecord& inc = each->mInclusion;
        if (inc.mTh == th && inc.mTv == tv && inc.mFv == fv && inc.mHomog == homog && inc.mCO2 == co2 &&
            inc.mN2 == n2 && inc.mH2S == h2s) {
            if (curve) *curve = each;
            return true;
        }
    }
    if (curve) *curve = nullptr;
    return false;
}

void CAlphaBetaPlotDocument::PrepareCalculation(double th, double tfv, double fv, double co2, double n2,
                                                double h2s, char homog, const std::string& curveName) {
    if (mEngine) return;
    mEngine = std::make_unique<CAlphaBetaModelInterface>();
    mCurve.clear();
    mEngine->mTh = th;
    mEngine->mTfv = tfv;
    mEngine->mFv = fv;
    mEngine->mCO2 = co2;
    mEngine->mN2 = n2;
    mEngine->mH2S = h2s;
    mEngine->mHomog = homog;
    mFirstPoint = true;
    mCurveName = curveName.substr(0, CDataHandleStream::kMaxNameLength);
}

int CAlphaBetaPlotDocument::CalculateAlphaBetaPoint(double& alpha, double& beta) {
    if (!mEngine) return -1;
    double a = 0, b = 0;
    int result = 0;
    if (mFirstPoint) {
        mFirstPoint = false;
        result = mEngine->FirstAlphaBeta(&a, &b);
    } else {
        result = mEngine->NextAlphaBeta(&a, &b);
    }
    if (result == 0) {
        mCurve.emplace_back(a, b);
        alpha = a;
        beta = b;
    }
    return result;
}

std::string CAlphaBetaPlotDocument::PartialCurveLabel(std::size_t points) {
    return "Name of the new curve (partial: the calculation was cancelled after " + std::to_string(points) +
           " points)";
}

std::string CAlphaBetaPlotDocument::PartialCurveLog(const std::string& name, std::size_t points) {
    return "Alpha-beta curve \"" + name + "\" is partial: its calculation was cancelled after " +
           std::to_string(points) + " points.\r\n";
}

const CAlphaBetaCurve* CAlphaBetaPlotDocument::FindCurveNamed(const std::string& name) const {
    for (const CAlphaBetaCurve* curve : mAlphaBetaCurvesList.mList)
        if (curve->mInclusion.mInclusionName == name) return curve;
    return nullptr;
}

std::string CAlphaBetaPlotDocument::UniqueCurveName(const std::string& wanted) const {
    const std::size_t limit = CDataHandleStream::kMaxNameLength;
    const std::string base = wanted.substr(0, limit);
    if (FindCurveNamed(base) == nullptr) return base;
    for (long n = 2;; ++n) {
        const std::string suffix = " (" + std::to_string(n) + ")";
        const std::string name = base.substr(0, limit - std::min(limit, suffix.size())) + suffix;
        if (FindCurveNamed(name) == nullptr) return name;
    }
}

std::string CAlphaBetaPlotDocument::AskCurveName(const std::string& label, const std::string& wanted) {
    std::string proposal = UniqueCurveName(wanted);
    // A name typed twice over is taken with a number rather than asked for without end.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::optional<std::string> answer =
            Services().PromptText("Alpha-Beta Curve Name", label, proposal);
        std::string name = answer.value_or("").substr(0, CDataHandleStream::kMaxNameLength);
        if (name.empty()) return UniqueCurveName("Untitled");
        const CAlphaBetaCurve* other = FindCurveNamed(name);
        if (other == nullptr) return name;
        const CInclusionRecord& taken = other->mInclusion;
        Warn(Services(), "The curve \"" + name + "\" of this plot (Th = " + Fixed(taken.mTh, 1) +
                             " \xC2\xB0"
                             "C, Fv = " +
                             Fixed(taken.mFv, 2) +
                             " %) has this name already: give the new curve another one.");
        proposal = UniqueCurveName(name);
    }
    return proposal;
}

CAlphaBetaCurve* CAlphaBetaPlotDocument::OnCalculationEnd(bool cancelled) {
    if (!mEngine) return nullptr;
    const int code = mEngine->mErrorMessageIndex;
    CAlphaBetaCurve* stored = nullptr;
    if (mCurve.size() >= 2) {
        if (code == kRoomTemperatureState) Warn(Services(), CurveEndMessage(code, true, mEngine->mHomog));
        auto curve = std::make_unique<CAlphaBetaCurve>();
        curve->Initialize();
        curve->mCurveFormat.mColor = NextCurveColor();
        const std::string name =
            AskCurveName(cancelled ? PartialCurveLabel(mCurve.size()) : "Name of the new curve",
                         cancelled ? mCurveName + " (partial)" : mCurveName);
        CInclusionRecord& inclusion = curve->mInclusion;
        inclusion.mInclusionName = name;
        inclusion.mTh = mEngine->mTh - kKelvin;
        inclusion.mTv = mEngine->mTfv - kKelvin;
        inclusion.mFv = mEngine->mFv * 100;
        inclusion.mHomog = mEngine->mHomog;
        inclusion.mCO2 = mEngine->mCO2 * 100;
        inclusion.mN2 = mEngine->mN2 * 100;
        inclusion.mH2S = mEngine->mH2S * 100;
        for (const CAlphaBetaRecord& point : mCurve)
            curve->Add(new CAlphaBetaRecord(point.mAlpha, point.mBeta));
        stored = curve.release();
        mAlphaBetaCurvesList.Add(stored);
        PlotAlphaBetaCurve(stored);
        Changed();
        if (cancelled) {
            Services().WriteLog(PartialCurveLog(inclusion.mInclusionName, mCurve.size()));
        } else if (code == kCriticalPoint) {
            // The normal end of a curve that reaches the critical point: said, not alarmed.
            const std::string end = "Alpha-beta curve \"" + inclusion.mInclusionName +
                                    "\": " + CurveEndMessage(code, true, inclusion.mHomog);
            Services().WriteLog(end + "\r\n");
            Services().ShowStatus(end);
        }
    } else if (code != 0) {
        Warn(Services(), CurveEndMessage(code, false, mEngine->mHomog));
    }
    mEngine.reset();
    mCurve.clear();
    return stored;
}

CAlphaBetaCurve* CAlphaBetaPlotDocument::CalculateAlphaBetaCurve(const CInclusionRecord& inclusion,
                                                                 const std::string& proposedName,
                                                                 int maxPoints, int* code) {
    if (code) *code = 0;
    CAlphaBetaCurve* existing = nullptr;
    if (IsCurveAlreadyCalculated(inclusion.mTh, inclusion.mTv, inclusion.mFv, inclusion.mHomog,
                                 inclusion.mCO2, inclusion.mN2, inclusion.mH2S, &existing))
        return existing;
    if (mEngine) return nullptr; // another calculation is under way
    const std::pair<const char*, double> values[] = {{"Th", inclusion.mTh},    {"Tv", inclusion.mTv},
                                                     {"% Gas", inclusion.mFv}, {"% CO2", inclusion.mCO2},
                                                     {"% N2", inclusion.mN2},  {"% H2S", inclusion.mH2S}};
    for (const auto& [label, value] : values) {
        if (!std::isfinite(value)) {
            Warn(Services(), std::string(label) + " of the inclusion \"" + inclusion.mInclusionName +
                                 "\" is not a number: no curve is calculated.");
            return nullptr;
        }
    }

    PrepareCalculation(inclusion.mTh + kKelvin, inclusion.mTv + kKelvin, inclusion.mFv / 100,
                       inclusion.mCO2 / 100, inclusion.mN2 / 100, inclusion.mH2S / 100,
                       static_cast<char>(inclusion.mHomog), proposedName);
    bool first = true;
    int points = 0;
    bool finished = true;
    {
        CWaitCursor wait(Services());
        // Where a curve ends cannot be foreseen: the dialog counts the points instead of filling a bar.
        finished = Services().RunProgressLoop({"Beta (Alpha) Curve Calculation in Progress...", 0}, [&] {
            CProgressStep step;
            double alpha = 0, beta = 0;
            const int result = CalculateAlphaBetaPoint(alpha, beta);
            if (first) {
                first = false;
                if (code) *code = result;
                if (result != 0) {
                    step.more = false;
                    return step;
                }
            }
            if (result == 0) {
                ++points;
                step.text = "Points : " + std::to_string(points) + "     Alpha : " + Fixed(alpha, 3) +
                            "     Beta : " + Fixed(beta, 3);
                step.advance = true;
            }
            if (result == -1 || points >= maxPoints) step.more = false;
            return step;
        });
    }
    CAlphaBetaCurve* curve = OnCalculationEnd(!finished);
    if (curve) {
        // The measured values themselves, not their round trip through kelvin and fractions, so that
        // the same inclusion is recognised again.
        const std::string name = curve->mInclusion.mInclusionName;
        curve->mInclusion.CopyFieldsFrom(inclusion);
        curve->mInclusion.mInclusionName = name;
    }
    return curve;
}

// ---- records and drawings ----

void CAlphaBetaPlotDocument::PlotAlphaBetaCurve(CAlphaBetaCurve* curve) {
    if (curve == nullptr) return;
    auto graph = std::make_unique<CGraphCurve>();
    graph->mSelectable = true;
    for (const CAlphaBetaRecord* point : curve->mCurve)
        graph->addPoint(point->mAlpha, point->mBeta);
    graph->mName = curve->mInclusion.mInclusionName;
    graph->mLabel = curve->mInclusion.mInclusionName;
    if (const CAlphaBetaRecord* last = curve->mCurve.Last())
        graph->mLabelAnchor = CPointRecord(last->mAlpha, last->mBeta);
    graph->mSize = curve->mCurveFormat.mSize;
    graph->mForeColor = curve->mCurveFormat.mColor;
    graph->mReferenceObject = static_cast<CRecord*>(curve);
    curve->mGraphCurve = mPlotView->addGraphObject(std::move(graph));
    mPlotView->updateSubobjectsCoordinates();
    mPlotView->FollowData();
    mPlotView->Redraw();
}

void CAlphaBetaPlotDocument::PlotAlphaBetaPoint(CAlphaBetaPoint* point) {
    if (point == nullptr) return;
    auto graph =
        std::make_unique<CGraphPoint>(point->mAlphaBetaRecordEx.mAlpha, point->mAlphaBetaRecordEx.mBeta);
    graph->mSelectable = true;
    graph->mCaptioned = true;
    ApplyPointFormat(*graph, point->mPointFormat);
    graph->mName = point->mAlphaBetaRecordEx.mName;
    graph->mReferenceObject = static_cast<CRecord*>(point);
    point->mGraphPoint = mPlotView->addGraphObject(std::move(graph));
    mPlotView->updateSubobjectsCoordinates();
    mPlotView->FollowData();
    mPlotView->Redraw();
}

void CAlphaBetaPlotDocument::PlotAlphaBetaCorrelation(CAlphaBetaCorrelation* correlation) {
    if (correlation == nullptr) return;
    auto graph = std::make_unique<CGraphStringPointCurve>();
    graph->mSelectable = true;
    for (const CAlphaBetaRecordEx* fluid : correlation->mList)
        graph->addStringPoint(fluid->mAlpha, fluid->mBeta, fluid->mName);
    graph->mCaptioned = true;
    ApplyPointFormat(*graph, correlation->mPointFormat);
    graph->mName = correlation->mName;
    graph->mReferenceObject = static_cast<CRecord*>(correlation);
    correlation->mGraphCurve = mPlotView->addGraphObject(std::move(graph));
    mPlotView->updateSubobjectsCoordinates();
    mPlotView->FollowData();
    mPlotView->Redraw();
}

template <class Record>
void CAlphaBetaPlotDocument::RemoveRecord(const char* text, CDataList<Record>& list, Record* record,
                                          CGraphObject* drawing) {
    if (record == nullptr || !list.Contains(record)) return;
    auto change = std::make_unique<CCompositeDocumentChange>(text, [this] {
        mPlotView->updateSubobjectsCoordinates();
        mPlotView->FollowData();
        mPlotView->Redraw();
        Changed();
    });
    change->Add(std::make_unique<CUnlinkChange<Record>>(list, record, true));
    change->Add(std::make_unique<CTakeDrawingChange>(*mPlotView, drawing));
    Execute(std::move(change));
}

void CAlphaBetaPlotDocument::RemoveAlphaBetaCurve(CAlphaBetaCurve* curve) {
    RemoveRecord("Remove curve", mAlphaBetaCurvesList.mList, curve, curve ? curve->mGraphCurve : nullptr);
}

void CAlphaBetaPlotDocument::RemoveAlphaBetaPoint(CAlphaBetaPoint* point) {
    RemoveRecord("Remove marker", mAlphaBetaPointsList.mList, point, point ? point->mGraphPoint : nullptr);
}

void CAlphaBetaPlotDocument::RemoveAlphaBetaCorrelation(CAlphaBetaCorrelation* correlation) {
    RemoveRecord("Remove correlation", mAlphaBetaCorrelationsList.mList, correlation,
                 correlation ? correlation->mGraphCurve : nullptr);
}

zephon::plot::Color CAlphaBetaPlotDocument::NextCurveColor() const {
    std::vector<zephon::plot::Color> inUse;
    for (const CAlphaBetaCurve* curve : mAlphaBetaCurvesList.mList)
        inUse.push_back(curve->mCurveFormat.mColor);
    return zephon::plot::NextPaletteColor(inUse);
}

std::string CAlphaBetaPlotDocument::SetFluidName(double alpha, double beta, double co2, double n2, double h2s,
                                                 const CAlphaBetaCurve* curve) {
    std::string name;
    if (curve)
        name = curve->mInclusion.mInclusionName + ": " + Fixed(alpha, 3);
    else if (co2 != 0 || n2 != 0 || h2s != 0)
        name = "AB " + Fixed(alpha, 3) + " " + Fixed(beta, 3) + " " + Fixed(co2, 1) + " " + Fixed(n2, 1) +
               " " + Fixed(h2s, 1);
    else
        name = "AB " + Fixed(alpha, 3) + " " + Fixed(beta, 3);
    return name.substr(0, CDataHandleStream::kMaxNameLength);
}

CAlphaBetaPoint* CAlphaBetaPlotDocument::AddAlphaBetaPoint(double alpha, double beta, double co2, double n2,
                                                           double h2s, const std::string& name,
                                                           const CAlphaBetaCurve* curve) {
    auto point = std::make_unique<CAlphaBetaPoint>();
    point->Initialize();
    CAlphaBetaRecordEx& fluid = point->mAlphaBetaRecordEx;
    fluid.mAlpha = alpha;
    fluid.mBeta = beta;
    fluid.mCO2 = co2;
    fluid.mN2 = n2;
    fluid.mH2S = h2s;
    fluid.mName = name.empty() ? SetFluidName(alpha, beta, co2, n2, h2s, curve) : name;
    // The gases travel in the file only as components of the fluid.
    if (co2 != 0) fluid.mCompositionList.Add(new CCompositionRecord("CO2", co2));
    if (n2 != 0) fluid.mCompositionList.Add(new CCompositionRecord("N2", n2));
    if (h2s != 0) fluid.mCompositionList.Add(new CCompositionRecord("H2S", h2s));
    CAlphaBetaPoint* raw = point.release();
    mAlphaBetaPointsList.Add(raw);
    PlotAlphaBetaPoint(raw);
    Changed();
    Services().Events().Notify(CAppNotification::AlphaBetaPlotSelection);
    return raw;
}

CFluidModelDataDocument* CAlphaBetaPlotDocument::GenerateFluidModel(double alpha, double beta, double co2,
                                                                    double n2, double h2s) {
    CFluidModelDataDocument* document = Services().Events().NewFluidModelDocument();
    if (document == nullptr) return nullptr;
    {
        CWaitCursor wait(Services());
        document->mModelFluid.RemoveAll();
        document->mModelFluid.CalculateFromAlphaBetaModel(alpha, beta, co2, n2, h2s);
    }
    // The fluid keeps its name as generated (with the blank that ends it when gases are named);
    // the window's title has no trailing blank.
    std::string title = document->mModelFluid.mName;
    title.erase(title.find_last_not_of(' ') + 1);
    document->SetTitle(title);
    // Modified before its windows are told, so that they keep it modified.
    document->SetModifiedFlag(true);
    document->UpdateAllViews();
    Services().Events().Notify(CAppNotification::FluidModelDataDocModified);
    return document;
}

CAlphaBetaCorrelation* CAlphaBetaPlotDocument::SelectAndPlotAlphaBetaCorrelation() {
    const auto path =
        Services().ChooseFileToOpen({"Plot correlation", ".abe", "Alpha-Beta correlations (*.abe)|*.abe||"});
    if (!path) return nullptr;
    return PlotAlphaBetaCorrelationFile(*path);
}

CAlphaBetaCorrelation*
CAlphaBetaPlotDocument::PlotAlphaBetaCorrelationFile(const std::filesystem::path& path) {
    std::string content, error;
    if (!ReadWholeFile(path, content, error)) {
        Warn(Services(), "Zephon cannot open the file \"" + path.string() + "\": " + error + ".");
        return nullptr;
    }
    return PlotAlphaBetaCorrelationText(content, path.filename().string());
}

CAlphaBetaCorrelation* CAlphaBetaPlotDocument::PlotAlphaBetaCorrelationText(const std::string& content,
                                                                            const std::string& fileName) {
    if (IsEmptyFileText(content)) {
        Warn(Services(), "Zephon cannot open the file \"" + fileName + "\": " + kEmptyFileReason +
                             " (it holds no data of any kind).");
        return nullptr;
    }
    auto correlation = std::make_unique<CAlphaBetaCorrelation>();
    correlation->mName = "Undefined";
    correlation->mPointFormat = CPointFormat(3, zephon::plot::MakeColor(0, 0, 255), 3);
    CDataHandleStream stream = CDataHandleStream::FromText(content);
    correlation->Read(stream);
    if (stream.HasError()) {
        const CReadStop stop = LocateReadStop(content, stream.SuccessfulReads());
        Warn(Services(), "The file \"" + fileName + "\" is damaged: reading stopped at line " +
                             std::to_string(stop.line) +
                             ". The correlation shows what could be read before that point.");
    }
    CAlphaBetaCorrelation* raw = correlation.release();
    mAlphaBetaCorrelationsList.Add(raw);
    PlotAlphaBetaCorrelation(raw);
    Changed();
    return raw;
}

// ---- background curves ----

void CAlphaBetaPlotDocument::BuildIsoCurves(const IsoFamily& family, std::vector<CGraphCurve*>& curves) {
    const std::filesystem::path folder = Services().GetApplicationFolder() / "Resources";
    std::string index, error;
    if (!ReadWholeFile(folder / family.indexFile, index, error)) {
        Warn(Services(), family.missingMessage);
        return;
    }
    CDataHandleStream entries = CDataHandleStream::FromText(index);
    while (true) {
        double value = 0, x = 0, y = 0;
        entries >> value >> x >> y;
        if (entries.HasError()) break;
        const std::string number = Fixed(value, family.digits);
        std::string content;
        if (!ReadWholeFile(folder / (family.curvePrefix + number + ".doc"), content, error)) continue;
        auto curve = std::make_unique<CGraphCurve>();
        curve->mSize = 1;
        curve->mForeColor = zephon::plot::MakeColor(170, 170, 170);
        curve->mLabel = number + family.labelSuffix;
        curve->mName = curve->mLabel;
        curve->mLabelAnchor = CPointRecord(x, y);
        CDataHandleStream points = CDataHandleStream::FromText(content);
        while (true) {
            double alpha = 0, beta = 0;
            points >> alpha >> beta;
            if (points.HasError()) break;
            curve->addPoint(alpha, beta);
        }
        curves.push_back(mPlotView->addGraphObject(std::move(curve)));
    }
}

void CAlphaBetaPlotDocument::ShowIsoCurves(const IsoFamily& family, std::vector<CGraphCurve*>& curves,
                                           bool show) {
    if (show && curves.empty()) BuildIsoCurves(family, curves);
    for (CGraphCurve* curve : curves)
        curve->mHidden = !show;
    mPlotView->Redraw();
}

void CAlphaBetaPlotDocument::DeleteIsoCurves(std::vector<CGraphCurve*>& curves) {
    for (CGraphCurve* curve : curves)
        mPlotView->removeGraphObject(curve);
    curves.clear();
    mPlotView->Redraw();
}

const CAlphaBetaPlotDocument::IsoFamily& CAlphaBetaPlotDocument::GorFamily() {
    // Gas-oil ratios in standard cubic metres of gas per cubic metre of oil.
    static const IsoFamily family{"GORS.doc", "GOR.", 0, " m\xC2\xB3/m\xC2\xB3",
                                  "Cannot find the file of iso-GOR curves !"};
    return family;
}

const CAlphaBetaPlotDocument::IsoFamily& CAlphaBetaPlotDocument::ApiFamily() {
    static const IsoFamily family{"APIs.doc", "API.", 1, "\xC2\xB0",
                                  "Cannot find the file of iso-API curves !"};
    return family;
}

void CAlphaBetaPlotDocument::BuildIsoGORCurves() {
    BuildIsoCurves(GorFamily(), mIsoGORCurves);
}
void CAlphaBetaPlotDocument::ShowIsoGORCurves() {
    ShowIsoCurves(GorFamily(), mIsoGORCurves, true);
}
void CAlphaBetaPlotDocument::HideIsoGORCurves() {
    ShowIsoCurves(GorFamily(), mIsoGORCurves, false);
}
void CAlphaBetaPlotDocument::DeleteIsoGORCurves() {
    DeleteIsoCurves(mIsoGORCurves);
}
void CAlphaBetaPlotDocument::BuildIsoAPICurves() {
    BuildIsoCurves(ApiFamily(), mIsoAPICurves);
}
void CAlphaBetaPlotDocument::ShowIsoAPICurves() {
    ShowIsoCurves(ApiFamily(), mIsoAPICurves, true);
}
void CAlphaBetaPlotDocument::HideIsoAPICurves() {
    ShowIsoCurves(ApiFamily(), mIsoAPICurves, false);
}
void CAlphaBetaPlotDocument::DeleteIsoAPICurves() {
    DeleteIsoCurves(mIsoAPICurves);
}
