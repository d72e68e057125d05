// SPDX-License-Identifier: BSD-3-Clause
#include "data/composition_record.hpp"

#include <array>
#include <charconv>
#include <memory>
#include <string_view>

namespace {

// Gas constant, J/(mol K), and the co-volume factor of the equation of state.
constexpr double kR = 8.31451198983133;
constexpr double kOmegaB = 0.0778;

struct DefaultConstants {
    std::string_view name;
    double tcKelvin;
    double pcBar;
    double omega;
    double mw;
    double vc;
    double shift; // dimensionless volume shift, in units of the co-volume
};

constexpr std::array<DefaultConstants, 27> kDefaults{{
    {"N2", 126.2, 33.9, 0.04, 28.01, 89, -0.1927},
    {"CO2", 304.21, 73.825, 0.225, 44.01, 93, -0.817},
    {"H2S", 373.2, 88.2, 0.105, 34.08, 117, -0.1288},
    {"C1", 190.555, 45.95, 0.013, 16.04, 99.2, -0.1595},
    {"C2", 305.4, 48.2, 0.105, 30.07, 148, -0.1134},
    {"C3", 369.95, 41.9, 0.152, 44.1, 203, -0.0863},
    {"iC4", 408.8, 35.92, 0.176, 58.12, 263, -0.073},
    {"nC4", 425.2, 37.5, 0.193, 58.12, 255, -0.073},
    {"iC5", 433.8, 31.54, 0.197, 71.95, 306, -0.046},
    {"nC5", 469.7, 33.25, 0.251, 72.15, 304, -0.046},
    {"C6", 507.4, 29.75, 0.296, 85.26, 385, 0.03},
    {"C7", 540.3, 26.98, 0.351, 98.4, 425, 0.03},
    {"C8", 568.8, 24.62, 0.394, 112, 506, 0.03},
    {"C9", 594.7, 22.5, 0.444, 126, 570, 0.03},
    {"C10", 617.9, 20.72, 0.49, 140, 630, 0.03},
    {"C11", 638.4, 19.23, 0.535, 154, 1600, 0.2},
    {"C12", 658.8, 17.86, 0.562, 168, 1600, 0.2},
    {"C13", 676, 15.57, 0.623, 182, 1600, 0.2},
    {"C14", 691.8, 15.52, 0.679, 196, 1600, 0.2},
    {"C15", 707.2, 14.6, 0.706, 210, 1600, 0.2},
    {"C17", 735, 13.24, 0.77, 238, 1600, 0.2},
    {"C20", 767, 11, 0.907, 280, 1600, 0.2},
    {"C24", 802.62, 8.85, 1.039, 386, 1600, 0.2},
    {"C30", 847, 7.6, 1.14, 422, 1600, 0.2},
    {"C35", 890, 14, 1.27, 492, 1600, 0.2},
    {"Cn1", 658.8, 17.86, 0.562, 200, 1040, 0.1},
    {"Cn2", 860, 11, 1.2, 440, 1600, 0.2},
}};

// Carbon number of "C<digits>" or "nC<digits>"; 0 for anything else.
long CarbonNumber(const std::string& name) {
    std::string_view tail;
    if (name.size() > 1 && name[0] == 'C') {
        tail = std::string_view(name).substr(1);
    } else if (name.size() > 2 && name[0] == 'n' && name[1] == 'C') {
        tail = std::string_view(name).substr(2);
    } else {
        return 0;
    }
    long n = 0;
    auto result = std::from_chars(tail.data(), tail.data() + tail.size(), n);
    if (result.ec != std::errc() || result.ptr != tail.data() + tail.size() || n < 0) return 0;
    return n;
}

} // namespace

void CCompositionRecord::Read(CDataHandleStream& stream) {
    stream >> mComponentName >> mMolePercent;
}

void CCompositionRecord::Write(CDataHandleStream& stream) {
    stream << mComponentName;
    stream.SetFormat(mMolePercent > 1 ? 1 : 0, 8);
    stream << mMolePercent;
}

void CCompositionRecordEx::Read(CDataHandleStream& stream) {
    CCompositionRecord::Read(stream);
    stream >> mTc >> mPc >> mOmega >> mMw >> mVc >> mCt;
}

void CCompositionRecordEx::Write(CDataHandleStream& stream) {
    CCompositionRecord::Write(stream);
    // The constants as typed or generated: the decimals of earlier files at least, more where a
    // value has them, so that a file reopens with the very numbers it was saved with.
    stream.SetExact(3);
    stream << mTc << mPc << mOmega;
    stream.SetExact(2);
    stream << mMw << mVc;
    stream.SetExact(4);
    stream << mCt;
}

void CCompositionRecordEx::SetParametersByDefault() {
    if (mComponentName == "???" || mComponentName == "Other") return;
    double tc = 0, pc = 0, omega = 0, mw = 0, vc = 0, shift = 0;
    bool found = false;
    for (const DefaultConstants& row : kDefaults) {
        if (row.name == mComponentName) {
            tc = row.tcKelvin;
            pc = row.pcBar;
            omega = row.omega;
            mw = row.mw;
            vc = row.vc;
            shift = row.shift;
            found = true;
            break;
        }
    }
    if (!found) {
        const long n = CarbonNumber(mComponentName);
        mw = 14.0 * static_cast<double>(n) + 2.0;
        if (n < 25) {
            tc = 800, pc = 9, omega = 1.0, vc = 1040, shift = 0.1;
        } else {
            tc = 860, pc = 11, omega = 1.2, vc = 1600, shift = 0.2;
        }
    }
    mTc = tc - 273.15;
    mPc = pc;
    mOmega = omega;
    mMw = mw;
    mVc = vc;
    // The table's shift is a fraction of the co-volume omega_B R Tc / Pc; the record keeps cm3/mol.
    mCt = shift * kOmegaB * kR * tc / (pc * 1e5) * 1e6;
}

void CCompositionList::Read(CDataHandleStream& stream) {
    long count = 0;
    stream >> count;
    ReadRecordItems(
        stream, count,
        [&] {
            auto record = std::make_unique<CCompositionRecord>();
            record->Read(stream);
            return record;
        },
        [&](std::unique_ptr<CCompositionRecord> record) { mList.Add(record.release()); });
}

void CCompositionList::Write(CDataHandleStream& stream) {
    stream << mList.Count();
    stream.NextLine();
    for (CCompositionRecord* record : mList)
        record->Write(stream);
}

void CCompositionList::CopyFrom(const CCompositionList& source) {
    for (const CCompositionRecord* record : source.mList)
        mList.Add(new CCompositionRecord(record->mComponentName, record->mMolePercent));
}

void CCompositionExList::Read(CDataHandleStream& stream) {
    long count = 0;
    stream >> count;
    ReadRecordItems(
        stream, count, [&] { return std::make_unique<CCompositionRecordEx>(stream); },
        [&](std::unique_ptr<CCompositionRecordEx> record) { mList.Add(record.release()); });
}

void CCompositionExList::Write(CDataHandleStream& stream) {
    stream << mList.Count();
    stream.NextLine();
    for (CCompositionRecordEx* record : mList) {
        record->Write(stream);
        stream.NextLine();
    }
    stream.NextLine();
}

CCompositionRecordEx* CCompositionExList::Find(const std::string& componentName) const {
    for (CCompositionRecordEx* record : mList) {
        if (record->mComponentName == componentName) return record;
    }
    return nullptr;
}

CModelFluid::CModelFluid(const CModelFluid& source) : CCompositionExList(), mName(source.mName) {
    for (const CCompositionRecordEx* record : source.mList) {
        auto copy = std::make_unique<CCompositionRecordEx>();
        copy->CopyFrom(*record);
        mList.Add(copy.release());
    }
}

void CModelFluid::Read(CDataHandleStream& stream) {
    stream >> mName;
    CCompositionExList::Read(stream);
}

void CModelFluid::Write(CDataHandleStream& stream) {
    stream << mName;
    CCompositionExList::Write(stream);
}

std::string CModelFluid::NameFromAlphaBeta(double alpha, double beta, double co2, double n2, double h2s) {
    auto whole = [](double value) { return CDataHandleStream::FormatDouble(value, true, 0); };
    std::string name = "FM_" + whole(alpha * 1000) + "_" + whole(beta * 1000);
    if (co2 != 0 || n2 != 0 || h2s != 0)
        name += "_" + whole(co2 * 100) + "_" + whole(n2 * 100) + "_" + whole(h2s * 100) + " ";
    return name;
}
