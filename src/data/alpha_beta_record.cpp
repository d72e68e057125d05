// SPDX-License-Identifier: BSD-3-Clause
#include "data/alpha_beta_record.hpp"

#include <memory>

#include "data/graph_link.hpp"

namespace {

// Walks consecutive pairs (previous p, current q) and interpolates y at x on the first pair whose
// x interval, ends included and in either direction, contains x. -1 when none does.
template <class GetX, class GetY>
double InterpolateAlongCurve(const CDataList<CAlphaBetaRecord>& curve, double x, GetX getX, GetY getY) {
    const CAlphaBetaRecord* previous = nullptr;
    for (const CAlphaBetaRecord* current : curve) {
        if (previous != nullptr) {
            const double xp = getX(*previous), yp = getY(*previous);
            const double xq = getX(*current), yq = getY(*current);
            const bool inside = (xq <= x && x <= xp) || (xp <= x && x <= xq);
            if (inside) {
                if (xp == xq) return yq;
                return yq + (x - xq) / (xp - xq) * (yp - yq);
            }
        }
        previous = current;
    }
    return -1;
}

} // namespace

void CAlphaBetaRecord::Read(CDataHandleStream& stream) {
    stream >> mAlpha >> mBeta;
}

void CAlphaBetaRecord::Write(CDataHandleStream& stream) {
    stream.SetFixed(6);
    stream << mAlpha << mBeta;
}

void CAlphaBetaRecordEx::Read(CDataHandleStream& stream) {
    stream >> mName;
    CAlphaBetaRecord::Read(stream);
    mCompositionList.RemoveAll();
    mCompositionList.Read(stream);
    for (const CCompositionRecord* component : mCompositionList.mList) {
        if (component->mComponentName == "CO2") mCO2 = component->mMolePercent;
        if (component->mComponentName == "N2") mN2 = component->mMolePercent;
        if (component->mComponentName == "H2S") mH2S = component->mMolePercent;
    }
}

void CAlphaBetaRecordEx::Write(CDataHandleStream& stream) {
    stream << mName;
    CAlphaBetaRecord::Write(stream);
    stream.NextLine();
    mCompositionList.Write(stream);
    stream.NextLine();
}

void CAlphaBetaRecordEx::CopyFrom(const CAlphaBetaRecordEx& source) {
    mAlpha = source.mAlpha;
    mBeta = source.mBeta;
    mName = source.mName;
    mCompositionList.RemoveAll();
    mCompositionList.CopyFrom(source.mCompositionList);
    mCO2 = source.mCO2;
    mN2 = source.mN2;
    mH2S = source.mH2S;
}

void CAlphaBetaPoint::Read(CDataHandleStream& stream) {
    mAlphaBetaRecordEx.Read(stream);
    mPointFormat.Read(stream);
}

void CAlphaBetaPoint::Write(CDataHandleStream& stream) {
    mAlphaBetaRecordEx.Write(stream);
    stream.NextLine();
    RefreshPointFormat(mPointFormat, mGraphPoint);
    mPointFormat.Write(stream);
    stream.NextLine();
}

void CAlphaBetaPoint::Initialize() {
    mPointFormat = CPointFormat(3, zephon::plot::kRed, 3);
    mGraphPoint = nullptr;
}

void CAlphaBetaCurve::Read(CDataHandleStream& stream) {
    mInclusion.Read(stream);
    mCurveFormat.Read(stream);
    long count = 0;
    stream >> count;
    ReadRecordItems(
        stream, count,
        [&] {
            auto point = std::make_unique<CAlphaBetaRecord>();
            point->Read(stream);
            return point;
        },
        [&](std::unique_ptr<CAlphaBetaRecord> point) { mCurve.Add(point.release()); });
}

void CAlphaBetaCurve::Write(CDataHandleStream& stream) {
    mInclusion.Write(stream);
    RefreshCurveFormat(mCurveFormat, mGraphCurve);
    mCurveFormat.Write(stream);
    stream.NextLine();
    stream << mCurve.Count();
    stream.NextLine();
    for (CAlphaBetaRecord* point : mCurve) {
        point->Write(stream);
        stream.NextLine();
    }
}

void CAlphaBetaCurve::Initialize() {
    mCurveFormat = CCurveFormat(1, zephon::plot::kRed);
    mGraphCurve = nullptr;
}

void CAlphaBetaCurve::GetFirstAlphaBeta(double& alpha, double& beta) {
    alpha = beta = 0;
    mCurve.SetToFirst();
    if (CAlphaBetaRecord* first = mCurve.Get()) {
        alpha = first->mAlpha;
        beta = first->mBeta;
    }
}

double CAlphaBetaCurve::GetBetaFromAlpha(double alpha) const {
    return InterpolateAlongCurve(
        mCurve, alpha, [](const CAlphaBetaRecord& r) { return r.mAlpha; },
        [](const CAlphaBetaRecord& r) { return r.mBeta; });
}

double CAlphaBetaCurve::GetAlphaFromBeta(double beta) const {
    return InterpolateAlongCurve(
        mCurve, beta, [](const CAlphaBetaRecord& r) { return r.mBeta; },
        [](const CAlphaBetaRecord& r) { return r.mAlpha; });
}

void CAlphaBetaCorrelation::Read(CDataHandleStream& stream) {
    stream >> mName;
    mPointFormat.Read(stream);
    long count = 0;
    stream >> count;
    ReadRecordItems(
        stream, count,
        [&] {
            auto fluid = std::make_unique<CAlphaBetaRecordEx>();
            fluid->Read(stream);
            return fluid;
        },
        [&](std::unique_ptr<CAlphaBetaRecordEx> fluid) { mList.Add(fluid.release()); });
}

void CAlphaBetaCorrelation::Write(CDataHandleStream& stream) {
    stream << mName;
    stream.NextLine();
    RefreshPointFormat(mPointFormat, mGraphCurve);
    mPointFormat.Write(stream);
    stream.NextLine();
    stream << mList.Count();
    stream.NextLine();
    for (CAlphaBetaRecordEx* fluid : mList)
        fluid->Write(stream);
}

void CAlphaBetaCurvesList::Read(CDataHandleStream& stream) {
    long count = 0;
    stream >> count;
    ReadRecordItems(
        stream, count,
        [&] {
            auto curve = std::make_unique<CAlphaBetaCurve>();
            curve->Initialize();
            curve->Read(stream);
            return curve;
        },
        [&](std::unique_ptr<CAlphaBetaCurve> curve) { mList.Add(curve.release()); });
}

void CAlphaBetaCurvesList::Write(CDataHandleStream& stream) {
    stream << mList.Count();
    stream.NextLine();
    for (CAlphaBetaCurve* curve : mList)
        curve->Write(stream);
    stream.NextLine();
}

void CAlphaBetaPointsList::Read(CDataHandleStream& stream) {
    mIsOwner = 1;
    long count = 0;
    stream >> count;
    ReadRecordItems(
        stream, count,
        [&] {
            auto point = std::make_unique<CAlphaBetaPoint>();
            point->Initialize();
            point->Read(stream);
            return point;
        },
        [&](std::unique_ptr<CAlphaBetaPoint> point) { mList.Add(point.release()); });
}

void CAlphaBetaPointsList::Write(CDataHandleStream& stream) {
    stream << mList.Count();
    stream.NextLine();
    for (CAlphaBetaPoint* point : mList)
        point->Write(stream);
    stream.NextLine();
}

void CAlphaBetaPointsList::RemoveAll() {
    if (mIsOwner == 1) {
        mList.DeleteAll();
    } else {
        mList.RemoveAll();
    }
}

void CAlphaBetaCorrelationsList::Read(CDataHandleStream& stream) {
    long count = 0;
    stream >> count;
    ReadRecordItems(
        stream, count,
        [&] {
            auto correlation = std::make_unique<CAlphaBetaCorrelation>();
            correlation->Read(stream);
            return correlation;
        },
        [&](std::unique_ptr<CAlphaBetaCorrelation> correlation) { mList.Add(correlation.release()); });
}

void CAlphaBetaCorrelationsList::Write(CDataHandleStream& stream) {
    stream << mList.Count();
    stream.NextLine();
    for (CAlphaBetaCorrelation* correlation : mList)
        correlation->Write(stream);
    stream.NextLine();
}
