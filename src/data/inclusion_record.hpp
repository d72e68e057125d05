// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Measurements of fluid inclusions: the inclusion record, its bubble-volume measurements and the
// inclusion list that makes up an inclusion data file.

#include <string>

#include "base/data_list.hpp"
#include "base/record.hpp"
#include "plot/plot_format.hpp"

class CGraphPointCurve;

// What was measured on one inclusion. Temperatures in degrees Celsius, contents in mole percent.
class CInclusionRecord : public CRecord {
  public:
    // One line: name, Th, Fv, Tv (f2), "L"/"G", CO2, N2, H2S (f3).
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;
    void CopyFieldsFrom(const CInclusionRecord& source);

    std::string mInclusionName = "Undefined";
    double mTh = 0; // homogenisation temperature
    double mTv = 0; // temperature at which mFv was measured
    double mFv = 0; // gas volume, percent of the inclusion volume, at mTv
    int mHomog = 1; // 1 homogenisation to liquid, 0 to vapour
    double mCO2 = 0;
    double mN2 = 0;
    double mH2S = 0;
};

// One bubble-volume measurement: gas volume percent mVolume at temperature mT.
class CVolumeRecord : public CRecord {
  public:
    CVolumeRecord() = default;
    CVolumeRecord(double t, double volume) : mT(t), mVolume(volume) {}
    // Two fields in fixed notation with 2 decimals, no line end.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;

    double mT = 0;
    double mVolume = 0;
};

// The measurements of one inclusion, in the order entered. Owns its records.
class CVolumeList : public CRecordList {
  public:
    CVolumeList() = default;
    ~CVolumeList() override { mList.DeleteAll(); }
    // The count as a long, then each pair; no line end.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;
    void RemoveAll() { mList.DeleteAll(); }
    void Add(CVolumeRecord* record) { mList.Add(record); }
    long Count() const { return mList.Count(); }

    CDataList<CVolumeRecord> mList;
};

// An inclusion with its bubble-volume measurements and the marker of its volume-temperature curve.
class CInclusionRecordEx : public CInclusionRecord {
  public:
    CInclusionRecordEx() = default;
    // Defaults, then reads the record from the stream.
    explicit CInclusionRecordEx(CDataHandleStream& stream) { Read(stream); }
    // Defaults, then CopyFrom.
    explicit CInclusionRecordEx(const CInclusionRecordEx& source) { CopyFrom(source); }
    CInclusionRecordEx& operator=(const CInclusionRecordEx&) = delete;

    // Two lines: the inclusion line, then point format, volume count and the measurements.
    // Reading replaces the measurements held so far.
    void Read(CDataHandleStream& stream) override;
    // The point format is first refreshed from the drawn curve, if any.
    void Write(CDataHandleStream& stream) override;

    // Copies the fields and the point format, clears mGraphCurve and appends a copy of every
    // measurement of the source to this record's list.
    void CopyFrom(const CInclusionRecordEx& source);
    // Ranges of temperature and volume over the measurements, each starting from 0.
    void GetMinMaxValues(double& minT, double& maxT, double& minV, double& maxV) const;

    CVolumeList mVolumeDataList;
    CPointFormat mPointFormat{3, zephon::plot::kRed, 3};
    // The curve drawn for this inclusion in a volume-temperature plot, or null. The plot view owns it.
    CGraphPointCurve* mGraphCurve = nullptr;
};

// The content of an inclusion data file.
class CInclusionList : public CRecordList {
  public:
    CInclusionList() = default;
    ~CInclusionList() override { RemoveAll(); }

    // The count and a line end, then each inclusion's two lines. The list takes ownership of what
    // it reads (mIsOwner becomes 1) and appends to what it holds.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;
    // Deletes the records when the list owns them, then empties it.
    void RemoveAll();

    void Add(CInclusionRecordEx* record) { mInclusionData.Add(record); }
    long Count() const { return mInclusionData.Count(); }
    void SetToFirstInclusion() { mInclusionData.SetToFirst(); }
    bool HasInclusions() const { return mInclusionData.Has(); }
    CInclusionRecordEx* GetInclusion() { return mInclusionData.Get(); }

    CDataList<CInclusionRecordEx> mInclusionData;
    int mIsOwner = 0;
};
