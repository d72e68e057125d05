// SPDX-License-Identifier: BSD-3-Clause
#include "thermo/oil2.hpp"

#include <cmath>
#include <cstring>

namespace zephon::thermo {

Oil2::Oil2(Peng& liquid, Peng& vapour) : Oil(liquid, vapour), mPengLiquid(&liquid), mPengVapour(&vapour) {}

void Oil2::number_of_components(short n) {
    Oil::number_of_components(n);
    mMethaneComponent = -1;
}

short Oil2::set_component_constants(short i, double tc, double pc, double vc, double om, double molarWeight,
                                    double shift) {
    if (i < 0 || i >= N) return 1;
    if (!std::isfinite(tc) || !(tc > 0.0) || !std::isfinite(pc) || !(pc > 0.0)) return 1;
    if (!std::isfinite(vc) || !std::isfinite(om) || !std::isfinite(molarWeight) || !std::isfinite(shift))
        return 1;
    for (Peng* phase : {mPengLiquid, mPengVapour}) {
        if (i >= phase->N) return 1;
        phase->Tc[i] = tc;
        phase->Pc[i] = pc;
        phase->Vc[i] = vc;
        phase->omega[i] = om;
        phase->mw[i] = molarWeight;
        // The phase multiplies the shift by its co-volume omega_B R Tc / Pc when it reads the
        // component.
        const double coVolume = phase->omega_B * kGasConstant * tc / pc;
        phase->c0[i] = shift / coVolume;
    }
    return 0;
}

short Oil2::read_component_data(short i, const char* name) {
    if (i < 0 || i >= N) return 0;
    if (mMethaneComponent == i) mMethaneComponent = -1; // the component is being redefined
    const IdealComponentData data = ideal_component_by_name(name);
    set_ideal_component(i, data);
    mw[i] = data.Mw;
    if (name != nullptr && std::strcmp(name, "C1") == 0) mMethaneIndex = mMethaneComponent = i;
    return 0;
}

double Oil2::GetCH4() {
    return mMethaneComponent >= 0 && mMethaneComponent < N ? z[mMethaneComponent] : 0.0;
}

} // namespace zephon::thermo
