// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Fluid compositions: components with their mole percent and, in the extended form, the
// pure-component constants of the equation of state; the model fluid made of them.

#include <string>

#include "base/data_list.hpp"
#include "base/record.hpp"

// One component of a fluid and its mole percent.
class CCompositionRecord : public CRecord {
  public:
    CCompositionRecord() = default;
    CCompositionRecord(std::string name, double molePercent)
        : mComponentName(std::move(name)), mMolePercent(molePercent) {}

    // Name, then the mole percent with 8 digits: fixed notation above 1, general otherwise.
    // No line end.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;

    std::string mComponentName = "???";
    double mMolePercent = 0;
};

// A component with its constants: Tc in degrees Celsius, Pc in bar, acentric factor, molar mass in
// g/mol, critical volume and volume-translation coefficient in cm3/mol.
class CCompositionRecordEx : public CCompositionRecord {
  public:
    CCompositionRecordEx() = default;
    explicit CCompositionRecordEx(CDataHandleStream& stream) { Read(stream); }
    void CopyFrom(const CCompositionRecordEx& source) { *this = source; }

    // The two plain fields, then Tc, Pc, Omega (f3), Mw, Vc (f2), Ct (f4). No line end.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;

    // Fills the constants from the built-in table by component name. "???" and "Other" are left
    // unchanged; names not in the table get the constants of a generic heavy fraction.
    void SetParametersByDefault();

    double mTc = 0;
    double mPc = 0;
    double mOmega = 0;
    double mMw = 0;
    double mVc = 0;
    double mCt = 0;
};

// Plain components (the light ends of an alpha-beta fluid). Owns its records.
class CCompositionList : public CRecordList {
  public:
    CCompositionList() = default;
    ~CCompositionList() override { mList.DeleteAll(); }
    // The count, a line end, then every name and mole percent on one line (no line end after them).
    // Reading appends to what the list holds.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;
    void RemoveAll() { mList.DeleteAll(); }
    void Add(CCompositionRecord* record) { mList.Add(record); }
    long Count() const { return mList.Count(); }
    void CopyFrom(const CCompositionList& source);

    CDataList<CCompositionRecord> mList;
};

// Components with their constants. Owns its records.
class CCompositionExList : public CRecordList {
  public:
    CCompositionExList() = default;
    ~CCompositionExList() override { mList.DeleteAll(); }
    // The count, a line end, each record on its own line, then one more line end.
    // Reading appends to what the list holds.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;
    void RemoveAll() { mList.DeleteAll(); }
    void Add(CCompositionRecordEx* record) { mList.Add(record); }
    long Count() const { return mList.Count(); }
    // The record of the named component, or null.
    CCompositionRecordEx* Find(const std::string& componentName) const;

    CDataList<CCompositionRecordEx> mList;
};

// A named explicit fluid: the content of a fluid model file.
class CModelFluid : public CCompositionExList {
  public:
    CModelFluid() = default;
    explicit CModelFluid(std::string name) : mName(std::move(name)) {}
    // Deep copy: the name and a new record for every record of the source.
    explicit CModelFluid(const CModelFluid& source);
    CModelFluid& operator=(const CModelFluid&) = delete;

    // The name, the count and a line end, each record on its own line, one more line end.
    void Read(CDataHandleStream& stream) override;
    void Write(CDataHandleStream& stream) override;

    // The name a fluid generated from an alpha-beta model gets: "FM_<1000 alpha>_<1000 beta>", with
    // "_<CO2>_<N2>_<H2S> " (mole percents, trailing space) appended when any gas is present. The
    // gases are given as mole fractions.
    static std::string NameFromAlphaBeta(double alpha, double beta, double co2, double n2, double h2s);

    // Names the fluid by NameFromAlphaBeta and appends the components of the alpha-beta oil of the
    // pair with their constants (gases as mole fractions). Callers call it on an empty fluid.
    void CalculateFromAlphaBetaModel(double alpha, double beta, double co2, double n2, double h2s);

    std::string mName;
};
