// SPDX-License-Identifier: BSD-3-Clause
#include "data/phase_diagram_record.hpp"

#include "base/field_rules.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

#include "data/graph_link.hpp"

namespace {

// Deepest trapping-line list a file may nest (a trapping line's own list sits at depth 2).
constexpr int kMaxTrappingDepth = 4;

bool ReadFlagWord(CDataHandleStream& stream, const char* expected) {
    std::string word;
    stream >> word;
    return word == expected;
}

// Reads up to `count` doubles (bounded); the array holds the values actually read.
std::vector<double> ReadValues(CDataHandleStream& stream, long count) {
    std::vector<double> values;
    count = std::clamp(count, 0L, kMaxComponentsInFile);
    for (long i = 0; i < count && !stream.HasError(); ++i) {
        double value = 0;
        stream >> value;
        if (stream.HasError()) break;
        values.push_back(value);
    }
    return values;
}

double Interpolate(double t1, double p1, double t2, double p2, double t) {
    if (t2 == t1) return p2;
    return p1 + (p2 - p1) * (t - t1) / (t2 - t1);
}

} // namespace

// ---- CIsoplethPoint ----

void CIsoplethPoint::Read(CDataHandleStream& stream) {
    short n = 0;
    stream >> mT >> mP >> mLiquidV >> mVapourV >> n;
    mz = ReadValues(stream, n);
    stream >> mSkip;
}

void CIsoplethPoint::Write(CDataHandleStream& stream) {
    stream.SetFixed(3);
    stream << mT << mP;
    stream.SetGeneral(6);
    stream << mLiquidV << mVapourV;
    const short n = GetN();
    stream << n;
    stream.SetGeneral(8);
    for (short i = 0; i < n; ++i)
        stream << mz[static_cast<std::size_t>(i)];
    stream << mSkip;
}

// ---- CIsopleth ----

void CIsopleth::Initialize() {
    mInfo = kIsoplethInfo;
    mCurveFormat = CCurveFormat(1, zephon::plot::MakeColor(0, 0, 192));
    mGraphCurve = nullptr;
    mName = "Undefined";
    mMinT = 1000;
    mMaxT = -1000;
    mMinP = 10000;
    mMaxP = -10000;
}

void CIsopleth::Add(CIsoplethPoint* point) {
    mList.Add(point);
    mMinT = std::min(mMinT, point->mT);
    mMaxT = std::max(mMaxT, point->mT);
    mMinP = std::min(mMinP, point->mP);
    mMaxP = std::max(mMaxP, point->mP);
}

void CIsopleth::Read(CDataHandleStream& stream) {
    mCurveFormat.Read(stream);
    long n = 0;
    stream >> mTh >> n;
    mxref = ReadValues(stream, n);
    mState = ReadFlagWord(stream, "L") ? 1 : 0;
    long count = 0;
    stream >> count;
    ReadRecordItems(
        stream, count,
        [&] {
            auto point = std::make_unique<CIsoplethPoint>();
            point->Read(stream);
            return point;
        },
        [&](std::unique_ptr<CIsoplethPoint> point) { Add(point.release()); });
}

void CIsopleth::Write(CDataHandleStream& stream) {
    RefreshCurveFormat(mCurveFormat, mGraphCurve);
    mCurveFormat.Write(stream);
    stream.NextLine();
    stream.SetFixed(3);
    stream << mTh << GetN();
    stream.NextLine();
    stream.SetGeneral(8);
    for (double x : mxref)
        stream << x;
    stream << (mState != 0 ? "L" : "G");
    stream << mList.Count();
    stream.NextLine();
    for (CIsoplethPoint* point : mList) {
        point->Write(stream);
        stream.NextLine();
    }
    stream.NextLine();
}

// ---- CIsochorPoint ----

void CIsochorPoint::Read(CDataHandleStream& stream) {
    stream >> mT >> mP >> mV;
}

void CIsochorPoint::Write(CDataHandleStream& stream) {
    stream.SetFixed(3);
    stream << mT << mP;
    stream.SetGeneral(8);
    stream << mV;
    stream.NextLine();
}

// ---- CIsochor ----

CIsochor::CIsochor() {
    CIsochor::Initialize();
}

CIsochor::~CIsochor() {
    mList.DeleteAll();
}

void CIsochor::Initialize() {
    mInfo = kIsochorInfo;
    mCurveFormat = CCurveFormat(1, zephon::plot::MakeColor(176, 0, 0));
    mGraphCurve = nullptr;
    mMinT = 1000;
    mMaxT = -1000;
    mMinFv = 10000;
    mMaxFv = -10000;
}

void CIsochor::Add(CIsochorPoint* point) {
    mList.Add(point);
    mMinT = std::min(mMinT, point->mT);
    mMaxT = std::max(mMaxT, point->mT);
    mMinFv = std::min(mMinFv, point->mV);
    mMaxFv = std::max(mMaxFv, point->mV);
}

void CIsochor::Read(CDataHandleStream& stream) {
    ReadAtDepth(stream, 0);
}

void CIsochor::ReadAtDepth(CDataHandleStream& stream, int depth) {
    stream >> mName;
    mCurveFormat.Read(stream);
    stream >> mTh;
    mHomog = ReadFlagWord(stream, "L") ? 1 : 0;
    mIsBiphasic = ReadFlagWord(stream, "B") ? 1 : 0;
    long count = 0;
    stream >> mBulkVolume >> mBulkDensity >> count;
    ReadRecordItems(
        stream, count,
        [&] {
            auto point = std::make_unique<CIsochorPoint>();
            point->Read(stream);
            return point;
        },
        [&](std::unique_ptr<CIsochorPoint> point) { Add(point.release()); });
    mTrappingLines = std::make_unique<CTrappingLinesList>();
    mTrappingLines->ReadAtDepth(stream, depth + 1);
    for (CTrappingLine* line : mTrappingLines->mList) {
        line->mIsochor = this;
        line->mIsochorName = mName;
    }
}

void CIsochor::Write(CDataHandleStream& stream) {
    stream << mName;
    stream.NextLine();
    RefreshCurveFormat(mCurveFormat, mGraphCurve);
    mCurveFormat.Write(stream);
    stream.NextLine();
    stream.SetFixed(3);
    stream << mTh;
    stream << (mHomog != 0 ? "L" : "G");
    stream << (mIsBiphasic != 0 ? "B" : "M");
    stream.SetGeneral(8);
    stream << mBulkVolume << mBulkDensity;
    stream << mList.Count();
    stream.NextLine();
    for (CIsochorPoint* point : mList)
        point->Write(stream);
    if (mTrappingLines) {
        mTrappingLines->Write(stream);
    } else {
        stream << "0";
    }
    stream.NextLine();
}

double CIsochor::GetPressure(double t) const {
    const CIsochorPoint* previous = nullptr;
    for (const CIsochorPoint* current : mList) {
        if (previous != nullptr && previous->mT <= t && t < current->mT)
            return Interpolate(previous->mT, previous->mP, current->mT, current->mP, t);
        previous = current;
    }
    return 0;
}

void CIsochor::SetNameByDefault() {
    const std::string diagramName = mPhaseDiagram != nullptr ? mPhaseDiagram->mName : std::string();
    mName = diagramName + ": Th = " + CDataHandleStream::FormatDouble(mTh, true, 2) + ", " +
            (mHomog != 0 ? "L " : "G ");
}

void CIsochor::CopyFrom(const CIsochor& source) {
    for (const CIsochorPoint* point : source.mList)
        mList.Add(new CIsochorPoint(*point));
    mCurveFormat.mSize = source.mCurveFormat.mSize;
    mCurveFormat.mColor = source.mCurveFormat.mColor;
    mName = source.mName;
    mTh = source.mTh;
    mHomog = source.mHomog;
    mIsBiphasic = source.mIsBiphasic;
    mBulkVolume = source.mBulkVolume;
    mBulkDensity = source.mBulkDensity;
    mMinT = source.mMinT;
    mMaxT = source.mMaxT;
    mMinFv = source.mMinFv;
    mMaxFv = source.mMaxFv;
    mGraphCurve = nullptr;
    mPhaseDiagram = nullptr;
}

void CIsochor::Purge() {
    mList.DeleteAll();
    mName.clear();
    mTrappingLines.reset();
    mGraphCurve = nullptr;
}

void CIsochor::AddTrappingLine(CTrappingLine* line) {
    if (!mTrappingLines) mTrappingLines = std::make_unique<CTrappingLinesList>();
    mTrappingLines->Add(line);
}

// ---- CTrappingLine ----

void CTrappingLine::Initialize() {
    CIsochor::Initialize();
    mInfo = kTrappingLineInfo;
}

void CTrappingLine::ReadAtDepth(CDataHandleStream& stream, int depth) {
    CIsochor::ReadAtDepth(stream, depth);
    stream >> mPtrap >> mIsochorName;
}

void CTrappingLine::Write(CDataHandleStream& stream) {
    CIsochor::Write(stream);
    stream.SetGeneral(8);
    stream << mPtrap;
    stream.NextLine();
    stream << mIsochorName;
    stream.NextLine();
}

void CTrappingLine::AttachToIsochor(CIsochor* isochor, double thaq) {
    AttachToIsochor(isochor, thaq, isochor->GetPressure(thaq));
}

void CTrappingLine::AttachToIsochor(CIsochor* isochor, double thaq, double ptrap) {
    mIsochor = isochor;
    Add(new CIsochorPoint(thaq, 0, 0));
    Add(new CIsochorPoint(thaq, 1.1 * ptrap, 0));
    mName = "Thaq = " + CDataHandleStream::FormatDouble(thaq, true, 0) +
            " deg. C, Ptrap = " + CDataHandleStream::FormatDouble(ptrap, true, 0) + " bar";
    mCurveFormat = CCurveFormat(1, zephon::plot::kBlack);
    mPtrap = ptrap;
    mHomog = 0;
    mTh = thaq;
    mIsochorName = isochor->mName;
    isochor->AddTrappingLine(this);
    mPhaseDiagram = isochor->mPhaseDiagram;
}

// ---- Lists of isochores and trapping lines ----

void CIsochorsList::Read(CDataHandleStream& stream) {
    long count = 0;
    stream >> count;
    ReadRecordItems(
        stream, count,
        [&] {
            auto isochor = std::make_unique<CIsochor>();
            isochor->Initialize();
            isochor->Read(stream);
            return isochor;
        },
        [&](std::unique_ptr<CIsochor> isochor) { mList.Add(isochor.release()); });
}

void CIsochorsList::Write(CDataHandleStream& stream) {
    stream << mList.Count();
    stream.NextLine();
    for (CIsochor* isochor : mList)
        isochor->Write(stream);
}

void CTrappingLinesList::ReadAtDepth(CDataHandleStream& stream, int depth) {
    if (depth > kMaxTrappingDepth) {
        stream.mErrorFlag = 1; // nesting that no saved diagram produces: treat as damage
        return;
    }
    long count = 0;
    stream >> count;
    ReadRecordItems(
        stream, count,
        [&] {
            auto line = std::make_unique<CTrappingLine>();
            line->Initialize();
            line->ReadAtDepth(stream, depth);
            return line;
        },
        [&](std::unique_ptr<CTrappingLine> line) { mList.Add(line.release()); });
}

void CTrappingLinesList::Write(CDataHandleStream& stream) {
    stream << mList.Count();
    stream.NextLine();
    for (CTrappingLine* line : mList)
        line->Write(stream);
}

// ---- Thermodynamic models ----

void CAlphaBetaModel::Read(CDataHandleStream& stream) {
    stream >> mAlpha >> mBeta >> mCO2 >> mN2 >> mH2S;
}

void CAlphaBetaModel::Write(CDataHandleStream& stream) {
    stream.SetFixed(5);
    stream << mAlpha << mBeta;
    stream.SetGeneral(5);
    stream << mCO2 << mN2 << mH2S;
}

void CThermoModel::Read(CDataHandleStream& stream) {
    stream >> mModelType;
    if (mModelType == 1) {
        auto model = std::make_unique<CAlphaBetaModel>();
        model->Read(stream);
        mModel = std::move(model);
    } else if (mModelType == 2) {
        auto fluid = std::make_unique<CModelFluid>("FM");
        fluid->Read(stream);
        mModel = std::move(fluid);
    }
}

void CThermoModel::Write(CDataHandleStream& stream) {
    stream << mModelType;
    if (mModel && (mModelType == 1 || mModelType == 2)) mModel->Write(stream);
    stream.NextLine();
}

void CThermoModel::Dump(std::FILE* file) const {
    std::fputs("Thermodynamic model\n", file);
}

CAlphaBetaModel* CThermoModel::GetAlphaBetaModel() const {
    return mModelType == 1 ? dynamic_cast<CAlphaBetaModel*>(mModel.get()) : nullptr;
}

CModelFluid* CThermoModel::GetModelFluid() const {
    return mModelType == 2 ? dynamic_cast<CModelFluid*>(mModel.get()) : nullptr;
}

void CThermoModel::SetAlphaBetaModel(std::unique_ptr<CAlphaBetaModel> model) {
    mModelType = 1;
    mModel = std::move(model);
}

void CThermoModel::SetModelFluid(std::unique_ptr<CModelFluid> fluid) {
    mModelType = 2;
    mModel = std::move(fluid);
}

// ---- CEnvelopeKeyPoints ----

void CEnvelopeKeyPoints::Read(CDataHandleStream& stream) {
    const bool computed = ReadFlagWord(stream, "1");
    for (CEnvelopeKeyPoint* point : {&mCritical, &mCricondenbar, &mCricondentherm}) {
        point->mValid = ReadFlagWord(stream, "1");
        // Where an envelope can lie: the temperatures Zephon takes, pressures below 10 kbar.
        ReadNumberIn(stream, point->mT, -273.15, 2000.0);
        ReadNumberIn(stream, point->mP, 0.0, 10000.0);
        point->mValid = point->mValid && computed && std::isfinite(point->mT) && std::isfinite(point->mP);
    }
    mComputed = computed && !stream.HasError();
}

void CEnvelopeKeyPoints::Write(CDataHandleStream& stream) const {
    stream << (mComputed ? "1" : "0");
    stream.SetFixed(8);
    for (const CEnvelopeKeyPoint* point : {&mCritical, &mCricondenbar, &mCricondentherm}) {
        stream << (point->mValid ? "1" : "0");
        stream << (point->mValid ? point->mT : 0.0) << (point->mValid ? point->mP : 0.0);
    }
}

// ---- CPhaseDiagram ----

CPhaseDiagram::~CPhaseDiagram() = default;

void CPhaseDiagram::Read(CDataHandleStream& stream) {
    stream >> mName;
    mThermoModel.Read(stream);
    const bool hasLiquid = ReadFlagWord(stream, "1");
    const bool hasVapour = ReadFlagWord(stream, "1");
    stream >> mGOR >> mAPI;
    auto readIsopleth = [&](bool present) -> std::unique_ptr<CIsopleth> {
        if (!present) return nullptr;
        auto isopleth = std::make_unique<CIsopleth>();
        isopleth->Initialize();
        isopleth->Read(stream);
        isopleth->mPhaseDiagram = this;
        return isopleth;
    };
    mLiquidIsopleth = readIsopleth(hasLiquid);
    mVapourIsopleth = readIsopleth(hasVapour);
    mBiphIsochorsList = std::make_unique<CIsochorsList>();
    mBiphIsochorsList->Read(stream);
    mMonoIsochorsList = std::make_unique<CIsochorsList>();
    mMonoIsochorsList->Read(stream);
    for (CIsochorsList* list : {mBiphIsochorsList.get(), mMonoIsochorsList.get()}) {
        for (CIsochor* isochor : list->mList) {
            isochor->mPhaseDiagram = this;
            if (isochor->mTrappingLines) {
                for (CTrappingLine* line : isochor->mTrappingLines->mList)
                    line->mPhaseDiagram = this;
            }
        }
    }
}

void CPhaseDiagram::Write(CDataHandleStream& stream) {
    stream << mName;
    stream.NextLine();
    mThermoModel.Write(stream);
    stream.NextLine();
    stream << (mLiquidIsopleth ? "1" : "0");
    stream << (mVapourIsopleth ? "1" : "0");
    stream.SetFixed(2);
    stream << mGOR << mAPI;
    stream.NextLine();
    if (mLiquidIsopleth) mLiquidIsopleth->Write(stream);
    if (mVapourIsopleth) mVapourIsopleth->Write(stream);
    for (CIsochorsList* list : {mBiphIsochorsList.get(), mMonoIsochorsList.get()}) {
        if (list != nullptr) {
            list->Write(stream);
        } else {
            stream << "0";
        }
    }
    stream.DoubleLine();
}

void CPhaseDiagram::SetNameByDefault(long number, double alpha, double beta) {
    mName = "AB" + std::to_string(number) + ": " + CDataHandleStream::FormatDouble(alpha, true, 3) + " " +
            CDataHandleStream::FormatDouble(beta, true, 3);
}

void CPhaseDiagram::BuildCriticalPoint() {
    if (!mLiquidIsopleth || !mVapourIsopleth) return;
    const CIsoplethPoint* liquid = mLiquidIsopleth->mList.Last();
    const CIsoplethPoint* vapour = mVapourIsopleth->mList.Last();
    if (liquid == nullptr || vapour == nullptr) return;
    if (std::fabs(liquid->mT - vapour->mT) > 10) return;
    auto makePoint = [&] {
        auto point = std::make_unique<CIsoplethPoint>();
        point->mT = 0.5 * (liquid->mT + vapour->mT);
        point->mP = 0.5 * (liquid->mP + vapour->mP);
        point->mLiquidV = 0.5 * (liquid->mLiquidV + vapour->mLiquidV);
        point->mVapourV = point->mLiquidV;
        point->mz = mLiquidIsopleth->mxref;
        return point;
    };
    auto forLiquid = makePoint();
    auto forVapour = makePoint();
    mLiquidIsopleth->Add(forLiquid.release());
    mVapourIsopleth->Add(forVapour.release());
}

double CPhaseDiagram::GetPh(double t, char homog, double phint) const {
    if (homog != 0) {
        if (!mLiquidIsopleth) return 0;
        return CurveYFromX(mLiquidIsopleth->mGraphCurve, mLiquidIsopleth->mList, t);
    }
    if (!mVapourIsopleth) return 0;
    // Walk from the end near the critical point towards the first point.
    std::vector<const CIsoplethPoint*> points(mVapourIsopleth->mList.begin(), mVapourIsopleth->mList.end());
    std::optional<double> first, second;
    for (std::size_t k = points.size(); k >= 2; --k) {
        const CIsoplethPoint* later = points[k - 1];
        const CIsoplethPoint* earlier = points[k - 2];
        const double lo = std::min(later->mT, earlier->mT), hi = std::max(later->mT, earlier->mT);
        if (t < lo || t > hi) continue;
        const double p = Interpolate(later->mT, later->mP, earlier->mT, earlier->mP, t);
        if (!first) {
            first = p;
        } else {
            second = p;
            break;
        }
    }
    if (!first) return 0;
    if (second && phint > 0 && std::fabs(*second - phint) < std::fabs(*first - phint)) return *second;
    return *first;
}

bool CPhaseDiagram::IsIsochorAlreadyCalculated(double th, char homog, double& density, double& volume,
                                               CIsochor** biph, CIsochor** mono) const {
    if (biph != nullptr) *biph = nullptr;
    if (!mBiphIsochorsList) return false;
    auto matches = [&](const CIsochor* isochor) { return isochor->mTh == th && isochor->mHomog == homog; };
    bool found = false;
    for (CIsochor* isochor : mBiphIsochorsList->mList) {
        if (matches(isochor)) {
            density = isochor->mBulkDensity;
            volume = isochor->mBulkVolume;
            if (biph != nullptr) *biph = isochor;
            found = true;
            break;
        }
    }
    if (mono == nullptr) return found;
    *mono = nullptr;
    if (!mMonoIsochorsList) return found;
    for (CIsochor* isochor : mMonoIsochorsList->mList) {
        if (matches(isochor)) {
            density = isochor->mBulkDensity;
            volume = isochor->mBulkVolume;
            *mono = isochor;
            return true;
        }
    }
    return found;
}

// ---- CPhaseDiagramsList ----

void CPhaseDiagramsList::Read(CDataHandleStream& stream) {
    long count = 0;
    stream >> count;
    ReadRecordItems(
        stream, count,
        [&] {
            auto diagram = std::make_unique<CPhaseDiagram>();
            diagram->Read(stream);
            return diagram;
        },
        [&](std::unique_ptr<CPhaseDiagram> diagram) { mList.Add(diagram.release()); });
}

void CPhaseDiagramsList::Write(CDataHandleStream& stream) {
    stream << mList.Count();
    stream.NextLine();
    for (CPhaseDiagram* diagram : mList)
        diagram->Write(stream);
    stream.NextLine();
}

bool CPhaseDiagramsList::IsPhaseDiagramAlreadyCalculated(double alpha, double beta, double co2, double n2,
                                                         double h2s, CPhaseDiagram** found) const {
    auto close = [](double a, double b) { return std::fabs(a - b) < 0.001; };
    for (CPhaseDiagram* diagram : mList) {
        const CAlphaBetaModel* model = diagram->mThermoModel.GetAlphaBetaModel();
        if (model != nullptr && close(model->mAlpha, alpha) && close(model->mBeta, beta) &&
            close(model->mCO2, co2) && close(model->mN2, n2) && close(model->mH2S, h2s)) {
            if (found != nullptr) *found = diagram;
            return true;
        }
    }
    return false;
}

bool CPhaseDiagramsList::IsPhaseDiagramAlreadyCalculated(const CModelFluid* fluid,
                                                         CPhaseDiagram** found) const {
    CPhaseDiagram* last = nullptr;
    for (CPhaseDiagram* diagram : mList) {
        const CModelFluid* model = diagram->mThermoModel.GetModelFluid();
        if (model != nullptr && fluid != nullptr && model->mName == fluid->mName) last = diagram;
    }
    if (found != nullptr && last != nullptr) *found = last;
    return last != nullptr;
}

CIsochor* CPhaseDiagramsList::GetBiphasicIsochorByName(const std::string& name) const {
    for (CPhaseDiagram* diagram : mList) {
        if (!diagram->mBiphIsochorsList) continue;
        for (CIsochor* isochor : diagram->mBiphIsochorsList->mList) {
            if (isochor->mName == name) return isochor;
        }
    }
    return nullptr;
}

CIsochor* CPhaseDiagramsList::GetMonophasicIsochorByName(const std::string& name) const {
    for (CPhaseDiagram* diagram : mList) {
        if (!diagram->mMonoIsochorsList) continue;
        for (CIsochor* isochor : diagram->mMonoIsochorsList->mList) {
            if (isochor->mName == name) return isochor;
        }
    }
    return nullptr;
}
