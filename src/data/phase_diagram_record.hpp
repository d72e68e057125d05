// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Everything computed for one fluid in the pressure-temperature plane: the thermodynamic model, the
// two branches of the phase envelope, biphasic and monophasic isochores and trapping lines.
// Temperatures in degrees Celsius, pressures in bar.

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "base/data_list.hpp"
#include "base/record.hpp"
#include "data/composition_record.hpp"
#include "plot/plot_format.hpp"

class CGraphCurve;
class CGraphPoint;

class CPhaseDiagram;
class CTrappingLinesList;

// Kind tags of the curve records (CRecord::mInfo).
enum : std::int32_t { kIsoplethInfo = 1, kIsochorInfo = 2, kTrappingLineInfo = 3 };

// Upper bound on the length of a composition array read from a file.
constexpr long kMaxComponentsInFile = 10000;

// One point of an envelope branch, with the composition of the incipient phase.
class CIsoplethPoint : public CRecord {
  public:
    // T, P (f3); liquid and vapour volumes (g6); the composition size as a short and its values (g8);
    // the skip flag as a short. No line end. Reading sizes mz by the values actually read.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;

    double GetTemperature() const { return mT; }
    double GetPressure() const { return mP; }
    bool IsSkipped() const { return mSkip != 0; }
    // The component count as written: the size of mz, at most what a short holds.
    short GetN() const { return static_cast<short>(std::min<std::size_t>(mz.size(), 32767)); }

    double mT = 0;
    double mP = 0;
    double mLiquidV = 0;
    double mVapourV = 0;
    std::vector<double> mz; // composition; its size is the component count
    short mSkip = 0;        // 1: not joined to the previous point
};

// One branch of the phase envelope: liquid (bubble-point) or vapour (dew-point) side.
class CIsopleth : public CRecord {
  public:
    CIsopleth() { Initialize(); }
    ~CIsopleth() override { mList.DeleteAll(); }

    // Line width 1, blue 192, kind tag 1, empty ranges, no drawn curve.
    void Initialize();
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;

    // Appends a point and widens the ranges by it.
    void Add(CIsoplethPoint* point);
    void SetToFirstIsoplethPoint() { mList.SetToFirst(); }
    bool HasIsoplethPoints() const { return mList.Has(); }
    CIsoplethPoint* GetIsoplethPoint() { return mList.Get(); }
    long GetN() const { return static_cast<long>(mxref.size()); }

    CDataList<CIsoplethPoint> mList;
    CCurveFormat mCurveFormat{1, zephon::plot::MakeColor(0, 0, 192)};
    CGraphCurve* mGraphCurve = nullptr; // owned by the plot view
    std::string mName = "Undefined";    // never written
    double mTh = 0;
    std::vector<double> mxref; // reference (overall) composition
    int mState = 0;            // 1 liquid branch, 0 vapour branch
    double mMinT = 1000, mMaxT = -1000, mMinP = 10000, mMaxP = -10000;
    CPhaseDiagram* mPhaseDiagram = nullptr;
};

class CIsochorPoint : public CRecord {
  public:
    CIsochorPoint() = default;
    CIsochorPoint(double t, double p, double v) : mT(t), mP(p), mV(v) {}
    // T, P (f3), V (g8), a line end.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;
    double GetTemperature() const { return mT; }
    double GetPressure() const { return mP; }

    double mT = 0;
    double mP = 0;
    double mV = 0;
};

// A line of constant molar volume.
class CIsochor : public CRecord {
  public:
    CIsochor();
    ~CIsochor() override;
    CIsochor(const CIsochor&) = delete;
    CIsochor& operator=(const CIsochor&) = delete;

    // Line width 1, colour 176, kind tag 2, empty ranges, no drawn curve.
    virtual void Initialize();
    // Reading always creates the trapping-line list and links its lines to this isochore.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;

    // Appends a point and widens the temperature and volume ranges by it.
    void Add(CIsochorPoint* point);
    void SetToFirstIsochorPoint() { mList.SetToFirst(); }
    bool HasIsochorPoints() const { return mList.Has(); }
    CIsochorPoint* GetIsochorPoint() { return mList.Get(); }

    void SetBiphasic(int biphasic) { mIsBiphasic = biphasic; }
    void SetPhaseDiagram(CPhaseDiagram* diagram) { mPhaseDiagram = diagram; }
    // Pressure at T, interpolated on the first segment with T1 <= T < T2; 0 when there is none.
    double GetPressure(double t) const;
    // "<diagram name>: Th = <Th, 2 decimals>, L " (or "G ").
    void SetNameByDefault();
    // Appends a copy of every point and copies format, name, Th, type, biphasic flag, bulk values and
    // ranges; the copy has no drawn curve, no diagram and no trapping lines.
    void CopyFrom(const CIsochor& source);
    // Deletes the points and the trapping lines, empties the name and forgets the drawn curve (which
    // its plot view owns and removes).
    void Purge();
    // Appends a trapping line, creating the list when needed.
    void AddTrappingLine(class CTrappingLine* line);

    CDataList<CIsochorPoint> mList;
    CCurveFormat mCurveFormat{1, zephon::plot::MakeColor(176, 0, 0)};
    CGraphCurve* mGraphCurve = nullptr; // owned by the plot view
    std::string mName = "Undefined";
    double mTh = 0;
    int mHomog = 1;
    int mIsBiphasic = 0;
    double mBulkVolume = 0;
    double mBulkDensity = 0;
    CPhaseDiagram* mPhaseDiagram = nullptr;
    double mMinT = 1000, mMaxT = -1000, mMinFv = 10000, mMaxFv = -10000;
    std::unique_ptr<CTrappingLinesList> mTrappingLines;

  protected:
    // Trapping lines are isochores too, with trapping-line lists of their own; nested lists are read
    // only to a small depth so that a damaged file cannot recurse without end.
    virtual void ReadAtDepth(CDataHandleStream& stream, int depth);
    friend class CTrappingLinesList;
};

// The pressure at which an inclusion was trapped: a vertical line on an isochore at the
// homogenisation temperature of a coexisting aqueous inclusion.
class CTrappingLine : public CIsochor {
  public:
    CTrappingLine() { mInfo = kTrappingLineInfo; }
    // As an isochore with kind tag 3.
    void Initialize() override;
    void Write(CDataHandleStream& stream) override;
    // Builds the line on an isochore at the aqueous homogenisation temperature thaq and appends it
    // to the isochore's trapping lines; the trapping pressure is the isochore's, interpolated
    // between its points, unless the caller knows it (ptrap, bar).
    void AttachToIsochor(CIsochor* isochor, double thaq);
    void AttachToIsochor(CIsochor* isochor, double thaq, double ptrap);

    double mPtrap = 0;
    std::string mIsochorName;
    CIsochor* mIsochor = nullptr;

  protected:
    void ReadAtDepth(CDataHandleStream& stream, int depth) override;
    friend class CTrappingLinesList;
};

class CIsochorsList : public CRecordList {
  public:
    CIsochorsList() = default;
    ~CIsochorsList() override { mList.DeleteAll(); }
    // The count, a line end, each isochore.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;
    void RemoveAll() { mList.DeleteAll(); }
    void Add(CIsochor* isochor) { mList.Add(isochor); }
    long Count() const { return mList.Count(); }
    void SetToFirstIsochor() { mList.SetToFirst(); }
    bool HasIsochors() const { return mList.Has(); }
    CIsochor* GetIsochor() { return mList.Get(); }

    CDataList<CIsochor> mList;
};

class CTrappingLinesList : public CRecordList {
  public:
    CTrappingLinesList() = default;
    ~CTrappingLinesList() override { mList.DeleteAll(); }
    // The count, a line end, each trapping line.
    void Read(CDataHandleStream& stream) override { ReadAtDepth(stream, 0); }
    void Write(CDataHandleStream& stream) override;
    void RemoveAll() { mList.DeleteAll(); }
    void Add(CTrappingLine* line) { mList.Add(line); }
    long Count() const { return mList.Count(); }
    void SetToFirstTrappingLine() { mList.SetToFirst(); }
    bool HasTrappingLines() const { return mList.Has(); }
    CTrappingLine* GetTrappingLine() { return mList.Get(); }

    CDataList<CTrappingLine> mList;

  private:
    void ReadAtDepth(CDataHandleStream& stream, int depth);
    friend class CIsochor;
};

// The alpha-beta description of a fluid: alpha, beta and the gas contents in mole percent.
class CAlphaBetaModel : public CRecord {
  public:
    // Alpha, beta (f5); CO2, N2, H2S (g5). No line end.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;

    double mAlpha = 0;
    double mBeta = 0;
    double mCO2 = 0;
    double mN2 = 0;
    double mH2S = 0;
};

// The model a diagram was computed with: 1 an alpha-beta model, 2 an explicit model fluid, 0 none.
class CThermoModel : public CRecord {
  public:
    // The type as a short, the model's own form when there is one, a line end. Reading a type other
    // than 1 or 2 leaves the model as it was.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;
    virtual void Dump(std::FILE* file) const;

    // The model when it is of that type, else null.
    CAlphaBetaModel* GetAlphaBetaModel() const;
    CModelFluid* GetModelFluid() const;
    void SetAlphaBetaModel(std::unique_ptr<CAlphaBetaModel> model);
    void SetModelFluid(std::unique_ptr<CModelFluid> fluid);

    short mModelType = 0;
    std::unique_ptr<CRecord> mModel;
};

// A point of the phase envelope found by convergence, in degrees Celsius and bar.
struct CEnvelopeKeyPoint {
    bool mValid = false; // false when it could not be found
    double mT = 0;
    double mP = 0;
};

// The exact critical point, cricondenbar and cricondentherm of a diagram's envelope, kept beside
// the estimated critical point its branches end on. A P-T file keeps them in a section after
// everything readers of earlier versions read (CPhaseDiagDocument::SaveData).
struct CEnvelopeKeyPoints {
    bool mComputed = false; // false for a diagram of a file that does not keep them
    CEnvelopeKeyPoint mCritical, mCricondenbar, mCricondentherm;

    // The word "1" when computed, else "0"; then for each of the three points the word "1" and
    // its T and P (fixed, 8 decimals: converged values keep about 11 digits), or the word "0" and
    // two zeros. No line end.
    void Read(CDataHandleStream& stream);
    void Write(CDataHandleStream& stream) const;
};

class CPhaseDiagram : public CRecord {
  public:
    CPhaseDiagram() = default;
    ~CPhaseDiagram() override;
    CPhaseDiagram(const CPhaseDiagram&) = delete;
    CPhaseDiagram& operator=(const CPhaseDiagram&) = delete;

    // Reading always creates both isochore lists; an isopleth is created when its presence word is 1.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;

    // "AB<number>: <alpha> <beta>" with three decimals.
    void SetNameByDefault(long number, double alpha, double beta);
    // When the last points of both branches are within 10 degrees, appends their midpoint to both
    // so that the two curves meet at the estimated critical point.
    void BuildCriticalPoint();
    // Homogenisation pressure at T: on the bubble curve for homogenisation to liquid, on the dew
    // curve (which may cross T twice; the crossing nearer to phint wins when phint > 0) otherwise.
    double GetPh(double t, char homog, double phint) const;
    // Looks for a biphasic (and, when mono is given, a monophasic) isochore of exactly this Th and
    // homogenisation type; stores its bulk density and volume.
    bool IsIsochorAlreadyCalculated(double th, char homog, double& density, double& volume, CIsochor** biph,
                                    CIsochor** mono) const;

    std::string mName = "Undefined";
    CThermoModel mThermoModel;
    std::unique_ptr<CIsopleth> mLiquidIsopleth;
    std::unique_ptr<CIsopleth> mVapourIsopleth;
    std::unique_ptr<CIsochorsList> mBiphIsochorsList;
    std::unique_ptr<CIsochorsList> mMonoIsochorsList;
    double mGOR = 0;
    double mAPI = 0;
    double mMassVolLiq = 0;
    double mLiqMolarWeight = 0;
    CEnvelopeKeyPoints mKeyPoints;         // not written with the diagram (see the struct)
    CGraphPoint* mCriticalPoint = nullptr; // owned by the plot view; never written
};

class CPhaseDiagramsList : public CRecordList {
  public:
    CPhaseDiagramsList() = default;
    ~CPhaseDiagramsList() override { mList.DeleteAll(); }
    // The count, a line end, each diagram, a line end.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;
    void RemoveAll() { mList.DeleteAll(); }
    void Add(CPhaseDiagram* diagram) { mList.Add(diagram); }
    long Count() const { return mList.Count(); }
    void SetToFirstPhaseDiagram() { mList.SetToFirst(); }
    bool HasPhaseDiagrams() const { return mList.Has(); }
    CPhaseDiagram* GetPhaseDiagram() { return mList.Get(); }

    // The first diagram of an alpha-beta model whose five values are each within 0.001.
    bool IsPhaseDiagramAlreadyCalculated(double alpha, double beta, double co2, double n2, double h2s,
                                         CPhaseDiagram** found) const;
    // The last diagram of a model fluid with exactly this fluid's name.
    bool IsPhaseDiagramAlreadyCalculated(const CModelFluid* fluid, CPhaseDiagram** found) const;
    // The first isochore, over the diagrams in order, whose name is exactly the given one; or null.
    CIsochor* GetBiphasicIsochorByName(const std::string& name) const;
    CIsochor* GetMonophasicIsochorByName(const std::string& name) const;

    CDataList<CPhaseDiagram> mList;
};
