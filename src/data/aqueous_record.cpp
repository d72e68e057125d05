// SPDX-License-Identifier: BSD-3-Clause
#include "data/aqueous_record.hpp"

#include <memory>

#include "data/graph_link.hpp"
#include "data/phase_diagram_record.hpp"

namespace {
constexpr int kDigits = 8; // as many as the stream writes
} // namespace

// ---- CAqueousCrossing ----

void CAqueousCrossing::Read(CDataHandleStream& stream) {
    stream >> mOilIsochorName >> mT >> mP >> mSlopeOil >> mSlopeAqueous >> mAngle;
    stream >> mSdThAqueous >> mSdMeasured >> mSdThOil >> mSdFv >> mTfv;
    stream >> mHasBand >> mSdT >> mSdP >> mCorrelation;
}

void CAqueousCrossing::Write(CDataHandleStream& stream) {
    stream << mOilIsochorName;
    stream.NextLine();
    stream.SetGeneral(kDigits);
    stream << mT << mP << mSlopeOil << mSlopeAqueous << mAngle;
    stream << mSdThAqueous << mSdMeasured << mSdThOil << mSdFv << mTfv;
    stream << mHasBand << mSdT << mSdP << mCorrelation;
    stream.NextLine();
}

// ---- CAqueousIsochor ----

CAqueousIsochor::~CAqueousIsochor() {
    mList.DeleteAll();
    mCrossings.DeleteAll();
}

void CAqueousIsochor::Read(CDataHandleStream& stream) {
    stream >> mName;
    mCurveFormat.Read(stream);
    long count = 0;
    stream >> mTh >> mSalinitySource >> mMeasured >> mSalinity >> mHost >> mLegacy >> mPh >> mDensity >>
        count;
    ReadRecordItems(
        stream, count,
        [&] {
            auto point = std::make_unique<CIsochorPoint>();
            point->Read(stream);
            return point;
        },
        [&](std::unique_ptr<CIsochorPoint> point) { Add(point.release()); });
    long crossings = 0;
    stream >> crossings;
    ReadRecordItems(
        stream, crossings,
        [&] {
            auto crossing = std::make_unique<CAqueousCrossing>();
            crossing->Read(stream);
            return crossing;
        },
        [&](std::unique_ptr<CAqueousCrossing> crossing) {
            crossing->mAqueousIsochor = this;
            mCrossings.Add(crossing.release());
        });
}

void CAqueousIsochor::Write(CDataHandleStream& stream) {
    stream << mName;
    stream.NextLine();
    RefreshCurveFormat(mCurveFormat, mGraphCurve);
    mCurveFormat.Write(stream);
    stream.NextLine();
    stream.SetGeneral(kDigits);
    stream << mTh << mSalinitySource << mMeasured << mSalinity << mHost << mLegacy << mPh << mDensity
           << mList.Count();
    stream.NextLine();
    for (CIsochorPoint* point : mList)
        point->Write(stream);
    stream << mCrossings.Count();
    stream.NextLine();
    for (CAqueousCrossing* crossing : mCrossings)
        crossing->Write(stream);
}

void CAqueousIsochor::SetNameByDefault() {
    mName = "Aq: Th = " + CDataHandleStream::FormatDouble(mTh, true, 2) + ", " +
            CDataHandleStream::FormatDouble(mSalinity, true, 2) + " wt%";
    if (mHost != "none") mName += ", " + mHost;
    if (mLegacy != 0) mName += ", legacy";
}

CAqueousCrossing* CAqueousIsochor::FindCrossing(const std::string& oilIsochorName) const {
    for (CAqueousCrossing* crossing : mCrossings)
        if (crossing->mOilIsochorName == oilIsochorName) return crossing;
    return nullptr;
}

bool CAqueousIsochor::IsOf(double th, const std::string& source, double measured, const std::string& host,
                           int legacy) const {
    return mTh == th && mSalinitySource == source && mMeasured == measured && mHost == host &&
           (mLegacy != 0) == (legacy != 0);
}

// ---- CAqueousIsochorsList ----

void CAqueousIsochorsList::Read(CDataHandleStream& stream) {
    long count = 0;
    stream >> count;
    ReadRecordItems(
        stream, count,
        [&] {
            auto isochor = std::make_unique<CAqueousIsochor>();
            isochor->Read(stream);
            return isochor;
        },
        [&](std::unique_ptr<CAqueousIsochor> isochor) { mList.Add(isochor.release()); });
}

void CAqueousIsochorsList::Write(CDataHandleStream& stream) {
    stream << mList.Count();
    stream.NextLine();
    for (CAqueousIsochor* isochor : mList)
        isochor->Write(stream);
}
