// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Random but valid contents of every record and list, for the round-trip and damaged-input tests.

#include <memory>
#include <random>
#include <string>

#include "data/alpha_beta_record.hpp"
#include "data/composition_record.hpp"
#include "data/inclusion_record.hpp"
#include "data/phase_diagram_record.hpp"

class Random {
  public:
    explicit Random(unsigned seed) : mEngine(seed) {}
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(mEngine); }
    double Real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(mEngine); }
    bool Coin() { return Int(0, 1) == 1; }
    // Letters, digits, blanks and underscores; sometimes empty.
    std::string Name() {
        static const std::string chars = "abcXYZ019 _-.:";
        std::string name;
        const int length = Int(0, 12);
        for (int i = 0; i < length; ++i)
            name += chars[static_cast<std::size_t>(Int(0, int(chars.size()) - 1))];
        return name;
    }
    zephon::plot::Color Color() { return static_cast<zephon::plot::Color>(Int(0, 0xFFFFFF)); }
    CPointFormat PointFormat() { return CPointFormat(short(Int(0, 12)), Color(), short(Int(1, 12))); }
    CCurveFormat CurveFormat() { return CCurveFormat(short(Int(0, 9)), Color()); }

  private:
    std::mt19937 mEngine;
};

inline void FillInclusion(Random& r, CInclusionRecord& inc) {
    inc.mInclusionName = r.Name();
    inc.mTh = r.Real(-50, 400);
    inc.mTv = r.Real(-20, 40);
    inc.mFv = r.Real(0, 100);
    inc.mHomog = r.Int(0, 1);
    inc.mCO2 = r.Real(0, 10);
    inc.mN2 = r.Real(0, 5);
    inc.mH2S = r.Real(0, 1);
}

inline std::unique_ptr<CInclusionList> RandomInclusions(Random& r) {
    auto list = std::make_unique<CInclusionList>();
    list->mIsOwner = 1;
    for (int i = r.Int(0, 4); i > 0; --i) {
        auto* inc = new CInclusionRecordEx;
        FillInclusion(r, *inc);
        inc->mPointFormat = r.PointFormat();
        for (int k = r.Int(0, 5); k > 0; --k)
            inc->mVolumeDataList.Add(new CVolumeRecord(r.Real(-20, 300), r.Real(0, 50)));
        list->Add(inc);
    }
    return list;
}

inline double MolePercent(Random& r) {
    // Values just above 1 would be written "1.00000000" and come back as 1, written "1".
    return r.Coin() ? r.Real(0, 1) : r.Real(1.001, 90);
}

inline void FillComposition(Random& r, CCompositionList& list) {
    static const char* names[] = {"CO2", "N2", "H2S", "C1", "nC4", "Cn1"};
    for (int i = r.Int(0, 6); i > 0; --i)
        list.Add(new CCompositionRecord(names[r.Int(0, 5)], MolePercent(r)));
}

inline std::unique_ptr<CModelFluid> RandomFluid(Random& r) {
    auto fluid = std::make_unique<CModelFluid>(r.Name());
    static const char* names[] = {"CO2", "C1", "C7", "C18", "nC30", "Cn2", "Other"};
    for (int i = r.Int(0, 7); i > 0; --i) {
        auto* c = new CCompositionRecordEx;
        c->mComponentName = names[r.Int(0, 6)];
        c->SetParametersByDefault();
        c->mMolePercent = MolePercent(r);
        c->mCt = r.Real(-10, 10);
        fluid->Add(c);
    }
    return fluid;
}

inline CAlphaBetaRecordEx* RandomFluidPoint(Random& r) {
    auto* fluid = new CAlphaBetaRecordEx;
    fluid->mName = r.Name();
    fluid->mAlpha = r.Real(0, 1);
    fluid->mBeta = r.Real(0, 2);
    FillComposition(r, fluid->mCompositionList);
    return fluid;
}

inline std::unique_ptr<CAlphaBetaCurvesList> RandomCurves(Random& r) {
    auto list = std::make_unique<CAlphaBetaCurvesList>();
    for (int i = r.Int(0, 3); i > 0; --i) {
        auto* curve = new CAlphaBetaCurve;
        FillInclusion(r, curve->mInclusion);
        curve->mCurveFormat = r.CurveFormat();
        for (int k = r.Int(0, 8); k > 0; --k)
            curve->Add(new CAlphaBetaRecord(r.Real(0, 1), r.Real(0, 2)));
        list->Add(curve);
    }
    return list;
}

inline std::unique_ptr<CAlphaBetaPointsList> RandomPoints(Random& r) {
    auto list = std::make_unique<CAlphaBetaPointsList>();
    list->mIsOwner = 1;
    for (int i = r.Int(0, 3); i > 0; --i) {
        auto* point = new CAlphaBetaPoint;
        std::unique_ptr<CAlphaBetaRecordEx> fluid(RandomFluidPoint(r));
        point->mAlphaBetaRecordEx.CopyFrom(*fluid);
        point->mPointFormat = r.PointFormat();
        list->Add(point);
    }
    return list;
}

inline std::unique_ptr<CAlphaBetaCorrelationsList> RandomCorrelations(Random& r) {
    auto list = std::make_unique<CAlphaBetaCorrelationsList>();
    for (int i = r.Int(0, 3); i > 0; --i) {
        auto* correlation = new CAlphaBetaCorrelation;
        correlation->mName = r.Name();
        correlation->mPointFormat = r.PointFormat();
        for (int k = r.Int(0, 4); k > 0; --k)
            correlation->Add(RandomFluidPoint(r));
        list->Add(correlation);
    }
    return list;
}

inline void FillIsochor(Random& r, CIsochor& isochor) {
    isochor.mName = r.Name();
    isochor.mCurveFormat = r.CurveFormat();
    isochor.mTh = r.Real(0, 300);
    isochor.mHomog = r.Int(0, 1);
    isochor.mIsBiphasic = r.Int(0, 1);
    isochor.mBulkVolume = r.Real(1e-5, 1e-3);
    isochor.mBulkDensity = r.Real(100, 1000);
    for (int k = r.Int(0, 6); k > 0; --k)
        isochor.Add(new CIsochorPoint(r.Real(0, 400), r.Real(0, 2000), r.Real(0, 1)));
    isochor.mTrappingLines = std::make_unique<CTrappingLinesList>();
}

inline std::unique_ptr<CIsopleth> RandomIsopleth(Random& r) {
    auto isopleth = std::make_unique<CIsopleth>();
    isopleth->mCurveFormat = r.CurveFormat();
    isopleth->mTh = r.Real(0, 300);
    isopleth->mState = r.Int(0, 1);
    for (int i = r.Int(0, 17); i > 0; --i)
        isopleth->mxref.push_back(r.Real(0, 1));
    for (int k = r.Int(0, 6); k > 0; --k) {
        auto* point = new CIsoplethPoint;
        point->mT = r.Real(-100, 500);
        point->mP = r.Real(0, 500);
        point->mLiquidV = r.Real(1e-5, 1e-3);
        point->mVapourV = r.Real(1e-5, 1e-1);
        for (int i = r.Int(0, 17); i > 0; --i)
            point->mz.push_back(r.Real(0, 1));
        point->mSkip = short(r.Int(0, 1));
        isopleth->Add(point);
    }
    return isopleth;
}

inline std::unique_ptr<CPhaseDiagramsList> RandomDiagrams(Random& r) {
    auto list = std::make_unique<CPhaseDiagramsList>();
    for (int i = r.Int(0, 3); i > 0; --i) {
        auto* diagram = new CPhaseDiagram;
        diagram->mName = r.Name();
        const int type = r.Int(0, 2);
        if (type == 1) {
            auto model = std::make_unique<CAlphaBetaModel>();
            model->mAlpha = r.Real(0, 1);
            model->mBeta = r.Real(0, 2);
            model->mCO2 = r.Real(0, 10);
            diagram->mThermoModel.SetAlphaBetaModel(std::move(model));
        } else if (type == 2) {
            diagram->mThermoModel.SetModelFluid(RandomFluid(r));
        }
        if (r.Coin()) diagram->mLiquidIsopleth = RandomIsopleth(r);
        if (r.Coin()) diagram->mVapourIsopleth = RandomIsopleth(r);
        diagram->mGOR = r.Real(0, 5000);
        diagram->mAPI = r.Real(10, 60);
        for (auto* slot : {&diagram->mBiphIsochorsList, &diagram->mMonoIsochorsList}) {
            *slot = std::make_unique<CIsochorsList>();
            for (int k = r.Int(0, 3); k > 0; --k) {
                auto* isochor = new CIsochor;
                FillIsochor(r, *isochor);
                for (int t = r.Int(0, 2); t > 0; --t) {
                    auto* line = new CTrappingLine;
                    line->Initialize();
                    FillIsochor(r, *line);
                    line->mPtrap = r.Real(0, 3000);
                    line->mIsochorName = isochor->mName; // reading links each line to its isochore
                    isochor->mTrappingLines->Add(line);
                }
                (*slot)->Add(isochor);
            }
        }
        list->Add(diagram);
    }
    return list;
}
