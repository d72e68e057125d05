// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Records carrying alpha-beta pairs: the bare pair, a named fluid with its light components, a fluid
// drawn as a point, the curve of one inclusion and a named correlation, with their lists.

#include <string>

#include "base/data_list.hpp"
#include "base/record.hpp"
#include "data/composition_record.hpp"
#include "data/inclusion_record.hpp"
#include "plot/plot_format.hpp"

class CGraphPoint;
class CGraphCurve;
class CGraphStringPointCurve;

class CAlphaBetaRecord : public CRecord {
  public:
    CAlphaBetaRecord() = default;
    CAlphaBetaRecord(double alpha, double beta) : mAlpha(alpha), mBeta(beta) {}
    // Alpha and beta in fixed notation with 6 decimals, no line end.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;

    double mAlpha = 0;
    double mBeta = 0;
};

// A named fluid: an alpha-beta pair and the fluid's light components.
class CAlphaBetaRecordEx : public CAlphaBetaRecord {
  public:
    CAlphaBetaRecordEx() = default;
    CAlphaBetaRecordEx(const CAlphaBetaRecordEx&) = delete;
    CAlphaBetaRecordEx& operator=(const CAlphaBetaRecordEx&) = delete;

    // Name, alpha, beta, a line end, the composition list, a line end. Reading replaces the
    // composition and takes the CO2, N2 and H2S contents from it (absent gases keep their value).
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;
    void CopyFrom(const CAlphaBetaRecordEx& source);

    std::string mName;
    CCompositionList mCompositionList;
    double mCO2 = 0; // mole percents, derived from the composition list; never written
    double mN2 = 0;
    double mH2S = 0;
};

// A fluid shown as a marker in the alpha-beta plot.
class CAlphaBetaPoint : public CRecord {
  public:
    CAlphaBetaPoint() = default;
    // The fluid record, a line end, the point format (refreshed from the drawn point), a line end.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;
    // Marker size 3, red, filled square; no drawn point.
    void Initialize();

    CAlphaBetaRecordEx mAlphaBetaRecordEx;
    CPointFormat mPointFormat;
    CGraphPoint* mGraphPoint = nullptr; // owned by the plot view
};

// The beta(alpha) curve of one inclusion: every pair that reproduces its measurements.
class CAlphaBetaCurve : public CRecord {
  public:
    CAlphaBetaCurve() = default;
    ~CAlphaBetaCurve() override { mCurve.DeleteAll(); }

    // The inclusion line, the curve format (refreshed from the drawn curve), a line end, the point
    // count, a line end, each pair on its own line. Reading appends to the points held.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;
    // Line width 1, red; no drawn curve.
    void Initialize();

    void Add(CAlphaBetaRecord* point) { mCurve.Add(point); }
    void SetToFirstAlphaBetaPoint() { mCurve.SetToFirst(); }
    bool HasAlphaBetaPoints() const { return mCurve.Has(); }
    CAlphaBetaRecord* GetAlphaBetaPoint() { return mCurve.Get(); }

    // Alpha and beta of the first point (0 and 0 when empty); leaves the cursor on the second point.
    void GetFirstAlphaBeta(double& alpha, double& beta);
    // Linear interpolation along the curve; the first segment containing the value wins. -1 when
    // the curve does not reach the value.
    double GetBetaFromAlpha(double alpha) const;
    double GetAlphaFromBeta(double beta) const;

    CInclusionRecord mInclusion;
    CDataList<CAlphaBetaRecord> mCurve;
    CCurveFormat mCurveFormat{1, zephon::plot::kRed};
    CGraphCurve* mGraphCurve = nullptr; // owned by the plot view
};

// A named series of fluids: the content of an alpha-beta correlation file.
class CAlphaBetaCorrelation : public CRecord {
  public:
    CAlphaBetaCorrelation() = default;
    ~CAlphaBetaCorrelation() override { mList.DeleteAll(); }

    // Name, a line end, the point format (refreshed from the drawn series), a line end, the count,
    // a line end, each fluid. Reading appends to the fluids held.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;

    void Add(CAlphaBetaRecordEx* fluid) { mList.Add(fluid); }
    void SetToFirstAlphaBetaPoint() { mList.SetToFirst(); }
    bool HasAlphaBetaPoints() const { return mList.Has(); }
    CAlphaBetaRecordEx* GetAlphaBetaPoint() { return mList.Get(); }

    std::string mName = "Undefined";
    CDataList<CAlphaBetaRecordEx> mList;
    CPointFormat mPointFormat;
    CGraphStringPointCurve* mGraphCurve = nullptr; // owned by the plot view
};

// The three lists write the count, a line end, each item and one more line end; reading appends.
class CAlphaBetaCurvesList : public CRecordList {
  public:
    CAlphaBetaCurvesList() = default;
    ~CAlphaBetaCurvesList() override { mList.DeleteAll(); }
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;
    void RemoveAll() { mList.DeleteAll(); }
    void Add(CAlphaBetaCurve* curve) { mList.Add(curve); }
    long Count() const { return mList.Count(); }

    CDataList<CAlphaBetaCurve> mList;
};

class CAlphaBetaPointsList : public CRecordList {
  public:
    CAlphaBetaPointsList() = default;
    ~CAlphaBetaPointsList() override { RemoveAll(); }
    // Takes ownership of what it reads (mIsOwner becomes 1).
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;
    // Deletes the points when the list owns them, then empties it.
    void RemoveAll();
    void Add(CAlphaBetaPoint* point) { mList.Add(point); }
    long Count() const { return mList.Count(); }

    CDataList<CAlphaBetaPoint> mList;
    int mIsOwner = 0;
};

class CAlphaBetaCorrelationsList : public CRecordList {
  public:
    CAlphaBetaCorrelationsList() = default;
    ~CAlphaBetaCorrelationsList() override { mList.DeleteAll(); }
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;
    void RemoveAll() { mList.DeleteAll(); }
    void Add(CAlphaBetaCorrelation* correlation) { mList.Add(correlation); }
    long Count() const { return mList.Count(); }

    CDataList<CAlphaBetaCorrelation> mList;
};
