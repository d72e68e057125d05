// SPDX-License-Identifier: BSD-3-Clause
#include "data/inclusion_record.hpp"

#include <algorithm>
#include <memory>

#include "data/graph_link.hpp"

void CInclusionRecord::Read(CDataHandleStream& stream) {
    std::string type;
    stream >> mInclusionName >> mTh >> mFv >> mTv >> type >> mCO2 >> mN2 >> mH2S;
    mHomog = (type == "L") ? 1 : 0;
}

void CInclusionRecord::Write(CDataHandleStream& stream) {
    stream << mInclusionName;
    stream.SetFixed(2);
    stream << mTh << mFv << mTv;
    stream << (mHomog != 0 ? "L" : "G");
    stream.SetFixed(3);
    stream << mCO2 << mN2 << mH2S;
    stream.NextLine();
}

void CInclusionRecord::CopyFieldsFrom(const CInclusionRecord& source) {
    mInclusionName = source.mInclusionName;
    mTh = source.mTh;
    mTv = source.mTv;
    mFv = source.mFv;
    mHomog = source.mHomog;
    mCO2 = source.mCO2;
    mN2 = source.mN2;
    mH2S = source.mH2S;
}

void CVolumeRecord::Read(CDataHandleStream& stream) {
    stream >> mT >> mVolume;
}

void CVolumeRecord::Write(CDataHandleStream& stream) {
    stream.SetFixed(2);
    stream << mT << mVolume;
}

void CVolumeList::Read(CDataHandleStream& stream) {
    long count = 0;
    stream >> count;
    ReadRecordItems(
        stream, count,
        [&] {
            auto record = std::make_unique<CVolumeRecord>();
            record->Read(stream);
            return record;
        },
        [&](std::unique_ptr<CVolumeRecord> record) { mList.Add(record.release()); });
}

void CVolumeList::Write(CDataHandleStream& stream) {
    stream << mList.Count();
    for (CVolumeRecord* record : mList)
        record->Write(stream);
}

void CInclusionRecordEx::Read(CDataHandleStream& stream) {
    CInclusionRecord::Read(stream);
    mPointFormat.Read(stream);
    mVolumeDataList.RemoveAll();
    mVolumeDataList.Read(stream);
}

void CInclusionRecordEx::Write(CDataHandleStream& stream) {
    CInclusionRecord::Write(stream);
    RefreshPointFormat(mPointFormat, mGraphCurve);
    mPointFormat.Write(stream);
    mVolumeDataList.Write(stream);
    stream.NextLine();
}

void CInclusionRecordEx::CopyFrom(const CInclusionRecordEx& source) {
    CopyFieldsFrom(source);
    mPointFormat.mSize = source.mPointFormat.mSize;
    mPointFormat.mColor = source.mPointFormat.mColor;
    mPointFormat.mSelector = source.mPointFormat.mSelector;
    mGraphCurve = nullptr;
    for (const CVolumeRecord* record : source.mVolumeDataList.mList)
        mVolumeDataList.Add(new CVolumeRecord(record->mT, record->mVolume));
}

void CInclusionRecordEx::GetMinMaxValues(double& minT, double& maxT, double& minV, double& maxV) const {
    minT = maxT = minV = maxV = 0;
    for (const CVolumeRecord* record : mVolumeDataList.mList) {
        minT = std::min(minT, record->mT);
        maxT = std::max(maxT, record->mT);
        minV = std::min(minV, record->mVolume);
        maxV = std::max(maxV, record->mVolume);
    }
}

void CInclusionList::Read(CDataHandleStream& stream) {
    mIsOwner = 1;
    long count = 0;
    stream >> count;
    ReadRecordItems(
        stream, count, [&] { return std::make_unique<CInclusionRecordEx>(stream); },
        [&](std::unique_ptr<CInclusionRecordEx> record) { mInclusionData.Add(record.release()); });
}

void CInclusionList::Write(CDataHandleStream& stream) {
    stream << mInclusionData.Count();
    stream.NextLine();
    for (CInclusionRecordEx* record : mInclusionData)
        record->Write(stream);
}

void CInclusionList::RemoveAll() {
    if (mIsOwner == 1) {
        mInclusionData.DeleteAll();
    } else {
        mInclusionData.RemoveAll();
    }
}
