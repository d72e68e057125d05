// SPDX-License-Identifier: BSD-3-Clause
#include "python_inclusion.hpp"

#include "cli/command_line.hpp"

namespace zephon::python {

bool CPyInclusion::operator==(const CPyInclusion& o) const {
    return name == o.name && Th == o.Th && Fv == o.Fv && Tv == o.Tv && homog == o.homog && CO2 == o.CO2 &&
           N2 == o.N2 && H2S == o.H2S && volumes == o.volumes && marker.mSize == o.marker.mSize &&
           marker.mColor == o.marker.mColor && marker.mSelector == o.marker.mSelector;
}

CPyInclusion InclusionOf(const CInclusionRecord& record) {
    CPyInclusion inclusion;
    inclusion.name = record.mInclusionName;
    inclusion.Th = record.mTh, inclusion.Fv = record.mFv, inclusion.Tv = record.mTv;
    inclusion.homog = record.mHomog ? "liquid" : "vapour";
    inclusion.CO2 = record.mCO2, inclusion.N2 = record.mN2, inclusion.H2S = record.mH2S;
    return inclusion;
}

CPyInclusion InclusionOf(const CInclusionRecordEx& record) {
    CPyInclusion inclusion = InclusionOf(static_cast<const CInclusionRecord&>(record));
    for (const CVolumeRecord* volume : record.mVolumeDataList.mList)
        inclusion.volumes.emplace_back(volume->mT, volume->mVolume);
    inclusion.marker = record.mPointFormat;
    return inclusion;
}

CInclusionRecord RecordOf(const CPyInclusion& inclusion) {
    if (inclusion.homog != "liquid" && inclusion.homog != "vapour")
        throw cli::UsageError("inclusion \"" + inclusion.name + "\": homog must be 'liquid' or 'vapour'");
    CInclusionRecord record;
    record.mInclusionName = inclusion.name;
    record.mTh = inclusion.Th, record.mFv = inclusion.Fv, record.mTv = inclusion.Tv;
    record.mHomog = inclusion.homog == "liquid" ? 1 : 0;
    record.mCO2 = inclusion.CO2, record.mN2 = inclusion.N2, record.mH2S = inclusion.H2S;
    return record;
}

void FillRecord(CInclusionRecordEx& record, const CPyInclusion& inclusion) {
    record.CopyFieldsFrom(RecordOf(inclusion));
    record.mVolumeDataList.RemoveAll();
    for (const auto& [t, volume] : inclusion.volumes)
        record.mVolumeDataList.Add(new CVolumeRecord(t, volume));
    record.mPointFormat = inclusion.marker;
}

} // namespace zephon::python
