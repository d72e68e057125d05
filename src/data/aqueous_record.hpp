// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// What a P-T diagram keeps of coeval aqueous inclusions: each one's isochore (with the
// measurements it was computed from) and its crossings with oil isochores, each with the trapping
// temperature and pressure, the slopes, and the uncertainty band. Degrees Celsius, bar, wt% NaCl
// equivalent, kg/m3.
//
// In the .ptd file they form a section of their own after the phase diagrams, opened by the word
// kAqueousSectionWord and written only when there is something in it, so that a file without
// aqueous objects is written exactly as before. A reader that predates the section expects the
// count of volume-temperature plots there: it stops at the word with a read error and opens what
// came before it as a damaged file, which it says, and asks before saving over it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/data_list.hpp"
#include "base/record.hpp"
#include "plot/plot_format.hpp"

class CGraphCurve;
class CGraphPoint;
class CIsochorPoint;
class CAqueousIsochor;

// Kind tags of the aqueous records (CRecord::mInfo), after those of the diagrams' curves.
enum : std::int32_t { kAqueousIsochorInfo = 4, kAqueousCrossingInfo = 5 };

inline constexpr const char* kAqueousSectionWord = "Aqueous_isochors";

// What the aqueous section may hold beyond finite numbers in their physical ranges: the rules of
// the calculation's own inputs, which the document gives (the records know no brine model). A value
// a rule refuses makes the file damaged at that field. An empty rule accepts what the stream reads.
struct CAqueousReadRules {
    std::function<bool(double)> th;                                  // the aqueous Th (C)
    std::function<bool(const std::string&)> source;                  // the salinity-source word
    std::function<bool(const std::string& source, double)> measured; // Tm (C) or a typed salinity
    std::function<bool(const std::string&)> host;                    // the host-mineral word
    std::function<bool(const std::string&)> oilIsochor;              // a crossing's oil isochore
};

// The crossing of an aqueous isochore with a monophasic oil isochore, named as in its diagram.
class CAqueousCrossing : public CRecord {
  public:
    CAqueousCrossing() { mInfo = kAqueousCrossingInfo; }
    // The oil isochore's name, a line end; T, P, both slopes and the angle; the uncertainties the
    // band was made from and Tfv; whether there is a band, and sdT, sdP and the correlation; a line
    // end. General notation with 8 digits.
    void Read(CDataHandleStream& stream) override { ReadWith(stream, {}); }
    void ReadWith(CDataHandleStream& stream, const CAqueousReadRules& rules);
    void Write(CDataHandleStream& stream) override;

    std::string mOilIsochorName;
    double mT = 0, mP = 0;
    double mSlopeOil = 0, mSlopeAqueous = 0; // bar/K
    double mAngle = 0;                       // degrees
    // Standard uncertainties: Th (aq.) in K, the measured salinity value (K or wt%), Th (oil) in
    // K, the bubble fraction in volume percent; the temperature of the bubble fraction.
    double mSdThAqueous = 0, mSdMeasured = 0, mSdThOil = 0, mSdFv = 0;
    double mTfv = 20;
    int mHasBand = 0;
    double mSdT = 0, mSdP = 0, mCorrelation = 0;

    // Of the calculation only, not written: the band's correlation of the two Th, its brine
    // density uncertainty (percent), and the inputs it moved by less than their uncertainty.
    double mThCorrelation = 0, mSdBrineDensity = 0;
    std::vector<std::string> mHalvedInputs;

    CGraphPoint* mGraphPoint = nullptr;   // owned by the plot view; not written
    CGraphCurve* mEllipseCurve = nullptr; // owned by the plot view; not written
    CAqueousIsochor* mAqueousIsochor = nullptr;
};

class CAqueousIsochor : public CRecord {
  public:
    CAqueousIsochor() { mInfo = kAqueousIsochorInfo; }
    ~CAqueousIsochor() override;
    CAqueousIsochor(const CAqueousIsochor&) = delete;
    CAqueousIsochor& operator=(const CAqueousIsochor&) = delete;

    // Name, a line end; curve format, a line end; Th, the salinity source word, the measured value
    // and the salinity, the host word, the legacy flag, P_h and the density, the
    // point count, a line end; the points; the crossing count, a line end; the crossings. Numbers in
    // general notation with 8 digits.
    void Read(CDataHandleStream& stream) override { ReadWith(stream, {}); }
    void ReadWith(CDataHandleStream& stream, const CAqueousReadRules& rules);
    void Write(CDataHandleStream& stream) override;

    // "Aq: Th = <Th>, <S> wt%" with the host and "legacy" when they apply.
    void SetNameByDefault();
    void Add(CIsochorPoint* point) { mList.Add(point); }
    // The crossing with the oil isochore of that name, or null.
    CAqueousCrossing* FindCrossing(const std::string& oilIsochorName) const;
    // Whether the isochore was made from exactly these measurements.
    bool IsOf(double th, const std::string& source, double measured, const std::string& host,
              int legacy) const;

    std::string mName = "Undefined";
    CCurveFormat mCurveFormat{1, zephon::plot::MakeColor(0, 112, 192)};
    double mTh = 0;
    std::string mSalinitySource = "typed"; // "ice", "halite" or "typed"
    double mMeasured = 0;                  // Tm,ice or Tm,halite (C), or the typed salinity
    double mSalinity = 0;                  // wt% NaCl equivalent
    std::string mHost = "none";            // "none", "quartz", "calcite", "fluorite"
    int mLegacy = 0;                       // Bodnar & Vityk (1994) straight line
    double mPh = 0;                        // bar
    double mDensity = 0;                   // kg/m3
    CDataList<CIsochorPoint> mList;
    CDataList<CAqueousCrossing> mCrossings; // owned

    CGraphCurve* mGraphCurve = nullptr; // owned by the plot view; not written
};

class CAqueousIsochorsList : public CRecordList {
  public:
    CAqueousIsochorsList() = default;
    ~CAqueousIsochorsList() override { mList.DeleteAll(); }
    // The count, a line end, each isochore. (The section word is the document's to write.)
    void Read(CDataHandleStream& stream) override { ReadWith(stream, {}); }
    void ReadWith(CDataHandleStream& stream, const CAqueousReadRules& rules);
    void Write(CDataHandleStream& stream) override;
    void RemoveAll() { mList.DeleteAll(); }
    long Count() const { return mList.Count(); }

    CDataList<CAqueousIsochor> mList;
};
