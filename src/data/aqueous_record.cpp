// SPDX-License-Identifier: BSD-3-Clause
#include "data/aqueous_record.hpp"

#include <memory>

#include "base/field_rules.hpp"
#include "data/graph_link.hpp"
#include "data/phase_diagram_record.hpp"

namespace {

constexpr int kDigits = 8; // as many as the stream writes

// The physical ranges of what the section stores, whatever the brine model: temperatures as every
// temperature Zephon takes, pressures up to where isochores are traced and crossings sought.
constexpr double kLowestT = -273.15, kHighestT = 2000.0;   // C
constexpr double kHighestPressure = 5000.0;                // bar, crossings
constexpr double kHighestHomogenisationPressure = 10000.0; // bar
constexpr double kHighestDensity = 3000.0;                 // kg/m3
constexpr double kSteepestSlope = 1e6;                     // bar/K
constexpr double kLargestUncertainty = 1e4;                // K, wt% or volume %
constexpr double kLargestPressureUncertainty = 1e5;        // bar

} // namespace

// ---- CAqueousCrossing ----

void CAqueousCrossing::ReadWith(CDataHandleStream& stream, const CAqueousReadRules& rules) {
    ReadWordIf(stream, mOilIsochorName, rules.oilIsochor);
    ReadNumberIn(stream, mT, kLowestT, kHighestT);
    ReadNumberIn(stream, mP, 0, kHighestPressure);
    ReadNumberIn(stream, mSlopeOil, -kSteepestSlope, kSteepestSlope);
    ReadNumberIn(stream, mSlopeAqueous, -kSteepestSlope, kSteepestSlope);
    ReadNumberIn(stream, mAngle, 0, 90);
    for (double* sd : {&mSdThAqueous, &mSdMeasured, &mSdThOil, &mSdFv})
        ReadNumberIn(stream, *sd, 0, kLargestUncertainty);
    ReadNumberIn(stream, mTfv, kLowestT, kHighestT);
    ReadNumberIn(stream, mHasBand, 0, 1);
    ReadNumberIn(stream, mSdT, 0, kLargestUncertainty);
    ReadNumberIn(stream, mSdP, 0, kLargestPressureUncertainty);
    ReadNumberIn(stream, mCorrelation, -1, 1);
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

void CAqueousIsochor::ReadWith(CDataHandleStream& stream, const CAqueousReadRules& rules) {
    stream >> mName;
    mCurveFormat.Read(stream);
    if (rules.th)
        ReadNumberIf(stream, mTh, rules.th);
    else
        ReadNumberIn(stream, mTh, kLowestT, kHighestT);
    ReadWordIf(stream, mSalinitySource, rules.source);
    const unsigned long beforeMeasured = stream.SuccessfulReads();
    stream >> mMeasured;
    if (!stream.HasError() && rules.measured && !rules.measured(mSalinitySource, mMeasured)) {
        mMeasured = 0;
        stream.RefuseFieldAfter(beforeMeasured);
    }
    ReadNumberIn(stream, mSalinity, 0, 100);
    ReadWordIf(stream, mHost, rules.host);
    ReadNumberIn(stream, mLegacy, 0, 1);
    ReadNumberIn(stream, mPh, 0, kHighestHomogenisationPressure);
    ReadNumberIn(stream, mDensity, 0, kHighestDensity);
    long count = 0;
    stream >> count;
    ReadRecordItems(
        stream, count,
        [&] {
            auto point = std::make_unique<CIsochorPoint>();
            const unsigned long before = stream.SuccessfulReads();
            point->Read(stream);
            // A point the isochore cannot have is damage at the point.
            if (!stream.HasError() && !(point->mT >= kLowestT && point->mT <= kHighestT && point->mP >= 0 &&
                                        point->mP <= kHighestHomogenisationPressure))
                stream.RefuseFieldAfter(before);
            return point;
        },
        [&](std::unique_ptr<CIsochorPoint> point) { Add(point.release()); });
    long crossings = 0;
    stream >> crossings;
    ReadRecordItems(
        stream, crossings,
        [&] {
            auto crossing = std::make_unique<CAqueousCrossing>();
            crossing->ReadWith(stream, rules);
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

void CAqueousIsochorsList::ReadWith(CDataHandleStream& stream, const CAqueousReadRules& rules) {
    long count = 0;
    stream >> count;
    ReadRecordItems(
        stream, count,
        [&] {
            auto isochor = std::make_unique<CAqueousIsochor>();
            isochor->ReadWith(stream, rules);
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
