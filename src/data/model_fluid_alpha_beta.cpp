// SPDX-License-Identifier: BSD-3-Clause
// The model fluid of an alpha-beta pair, as the alpha-beta engine composes it.

#include <memory>

#include "data/composition_record.hpp"
#include "thermo/alpha_beta_model_interface.hpp"

void CModelFluid::CalculateFromAlphaBetaModel(double alpha, double beta, double co2, double n2, double h2s) {
    mName = NameFromAlphaBeta(alpha, beta, co2, n2, h2s);
    auto engine = std::make_unique<zephon::thermo::CAlphaBetaModelInterface>();
    engine->CalculateComposition(alpha, beta, co2, n2, h2s);
    const short count = engine->GetNumberOfComponents();
    for (short i = 0; i < count; ++i) {
        auto record = std::make_unique<CCompositionRecordEx>();
        record->mComponentName = engine->GetComponentName(i).substr(0, CDataHandleStream::kMaxNameLength);
        record->mMolePercent = engine->GetMoleFraction(i) * 100;
        record->mTc = engine->GetTc(i) - 273.15; // K to degrees Celsius
        record->mPc = engine->GetPc(i) / 100000; // Pa to bar
        record->mOmega = engine->GetOmega(i);
        record->mMw = engine->GetMw(i);
        record->mVc = engine->GetVc(i) * 1000000; // m3/mol to cm3/mol
        record->mCt = engine->GetCt(i) * 1000000;
        Add(record.release());
    }
}
