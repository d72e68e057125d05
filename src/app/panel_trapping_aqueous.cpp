// SPDX-License-Identifier: BSD-3-Clause
// The trapping page's coeval aqueous inclusion: its salinity, host mineral and uncertainties, the
// crossing of its isochore with the selected oil isochore, the results and their log lines.

#include "app/panel_trapping.hpp"
#include "documents/phase_diag_document.hpp"

using namespace zephon::aqueous;

namespace {

constexpr HostMineral kHostsInOrder[] = {HostMineral::None, HostMineral::Quartz, HostMineral::Calcite,
                                         HostMineral::Fluorite};
constexpr SalinitySource kSourcesInOrder[] = {SalinitySource::IceMelting, SalinitySource::HaliteDissolution,
                                              SalinitySource::Typed};

bool NotNegative(double value) {
    return value >= 0;
}

} // namespace

void CTrappingPage::InitializeAqueousControls() {
    for (CFieldControl& field : mFields)
        field = {"0.0", false, true};
    mFields[kTfv].text = "20.0";
    mSources[kIceMelting].checked = true;
    std::vector<std::string> hosts;
    for (HostMineral host : kHostsInOrder)
        hosts.push_back(host_mineral_label(host));
    mHosts.Reset(std::move(hosts), 0);
    for (CFieldControl& result : mResults)
        result = {"", true, true};
}

const CFieldControl& CTrappingPage::Field(int field) const {
    return field == kThaq ? mThaq : mFields.at(field);
}

void CTrappingPage::UpdateAqueousControls() {
    const bool open = mDocument != nullptr;
    for (int f = kMeasured; f < kFieldCount; ++f)
        mFields[f].enabled = open;
    for (CButtonControl& source : mSources)
        source.enabled = open;
    mHosts.enabled = open;
    mLegacy.enabled = open;
    // The legacy lines have no host correction; only an alpha-beta oil follows its bubble.
    if (mLegacy.checked) mHosts.selected = 0;
    mHosts.enabled = open && !mLegacy.checked;
    const CIsochor* oil = SelectedIsochor();
    const bool alphaBeta = oil && oil->mPhaseDiagram && oil->mPhaseDiagram->mThermoModel.mModelType == 1;
    mFields[kSdFv].enabled = mFields[kTfv].enabled = open && alphaBeta;
    mCrossing.enabled = oil != nullptr;
}

std::optional<AqueousMeasurement> CTrappingPage::PeekMeasurement() const {
    const auto th = PeekField(mThaq.text), measured = PeekField(mFields[kMeasured].text);
    if (!th || !measured) return std::nullopt;
    AqueousMeasurement m;
    m.th = *th;
    m.measured = *measured;
    for (int s = 0; s < kSourceCount; ++s)
        if (mSources[s].checked) m.source = kSourcesInOrder[s];
    m.host = kHostsInOrder[std::clamp(mHosts.selected, 0, 3)];
    m.legacy = mLegacy.checked;
    return m;
}

CAqueousIsochor* CTrappingPage::ShownAqueousIsochor() const {
    const auto m = PeekMeasurement();
    if (mDocument == nullptr || !m) return nullptr;
    for (CAqueousIsochor* isochor : mDocument->mAqueousIsochorsList.mList)
        if (isochor->IsOf(m->th, salinity_source_word(m->source), m->measured, host_mineral_word(m->host),
                          m->legacy ? 1 : 0))
            return isochor;
    return nullptr;
}

CAqueousCrossing* CTrappingPage::ShownCrossing() const {
    const CAqueousIsochor* aqueous = ShownAqueousIsochor();
    const CIsochor* oil = SelectedIsochor();
    return aqueous && oil ? aqueous->FindCrossing(oil->mName) : nullptr;
}

void CTrappingPage::ShowCrossing() {
    for (CFieldControl& result : mResults)
        result.text.clear();
    if (const auto m = PeekMeasurement()) {
        const SalinityResult s = salinity_from(m->source, m->measured);
        if (s.ok) mResults[kSalinity].text = FieldText(s.weightPercent, 2);
    }
    const CAqueousCrossing* c = ShownCrossing();
    if (c == nullptr) return;
    mResults[kCrossingT].text = FieldText(c->mT, 2);
    mResults[kCrossingP].text = FieldText(c->mP, 1);
    if (c->mHasBand) {
        mResults[kSdT].text = FieldText(c->mSdT, 2);
        mResults[kSdP].text = FieldText(c->mSdP, 1);
        mResults[kCorrelation].text = FieldText(c->mCorrelation, 3);
    }
    mResults[kSlopes].text = FieldText(c->mSlopeOil, 2) + " / " + FieldText(c->mSlopeAqueous, 2);
    mResults[kAngle].text =
        FieldText(c->mAngle, 1) + (c->mAngle < kIllConditionedAngle ? " (ill-conditioned)" : "");
    mLog.enabled = true;
}

void CTrappingPage::EditField(int field, const std::string& text) {
    if (field == kThaq) {
        EditThaq(text);
        return;
    }
    if (mDocument == nullptr || field < kMeasured || field >= kFieldCount) return;
    mFields[field].text = text;
    ShowCrossing();
    Changed();
}

void CTrappingPage::SetSource(int source) {
    if (mDocument == nullptr || source < 0 || source >= kSourceCount) return;
    for (int s = 0; s < kSourceCount; ++s)
        mSources[s].checked = s == source;
    ShowCrossing();
    Changed();
}

void CTrappingPage::SelectHost(int index) {
    if (mDocument == nullptr || index < 0 || index >= static_cast<int>(std::size(kHostsInOrder))) return;
    mHosts.selected = index;
    ShowCrossing();
    Changed();
}

void CTrappingPage::SetLegacy(bool legacy) {
    if (mDocument == nullptr) return;
    mLegacy.checked = legacy;
    UpdateAqueousControls();
    ShowCrossing();
    Changed();
}

CAqueousCrossing* CTrappingPage::CalculateCrossing() {
    CIsochor* oil = SelectedIsochor();
    if (oil == nullptr) return nullptr;
    const auto th =
        ReadField(kThaq, mThaq.text, "The homogenisation temperature of the aqueous inclusion is not valid.");
    if (!th) return nullptr;
    const int source = mSources[kIceMelting].checked          ? kIceMelting
                       : mSources[kHaliteDissolution].checked ? kHaliteDissolution
                                                              : kTyped;
    const char* measuredMessage[kSourceCount] = {"The ice melting temperature is not valid.",
                                                 "The halite dissolution temperature is not valid.",
                                                 "The salinity is not valid."};
    const auto measured = ReadField(kMeasured, mFields[kMeasured].text, measuredMessage[source]);
    if (!measured) return nullptr;
    TrappingUncertainties sd;
    const std::pair<int, double*> uncertainties[] = {
        {kSdThaq, &sd.thAqueous}, {kSdMeasured, &sd.measured}, {kSdThOil, &sd.thOil}, {kSdFv, &sd.fv}};
    for (const auto& [field, value] : uncertainties) {
        if (!mFields[field].enabled) continue;
        const auto read = ReadField(field, mFields[field].text,
                                    "A standard uncertainty must be a number, 0 or more.", NotNegative);
        if (!read) return nullptr;
        *value = *read;
    }
    double tfv = 20;
    if (mFields[kTfv].enabled) {
        const auto read =
            ReadField(kTfv, mFields[kTfv].text, "The temperature of the bubble fraction is not valid.");
        if (!read) return nullptr;
        tfv = *read;
    }
    AqueousMeasurement m{*th, kSourcesInOrder[source], *measured,
                         kHostsInOrder[std::clamp(mHosts.selected, 0, 3)], mLegacy.checked};
    CAqueousIsochor* aqueous = mDocument->CalculateAqueousIsochor(m);
    CAqueousCrossing* crossing = aqueous ? mDocument->CalculateCrossing(aqueous, oil, sd, tfv) : nullptr;
    ShowTrapLine(false);
    ShowCrossing();
    Changed();
    return crossing;
}

namespace {
// A measurement as typed: the shortest text that gives the stored number again.
std::string Typed(double value) {
    return CDataHandleStream::FormatDouble(value, false, 8);
}
} // namespace

void CTrappingPage::FillFrom(const CAqueousIsochor& isochor, const CAqueousCrossing* crossing) {
    mThaq.text = Typed(isochor.mTh);
    SalinitySource source = SalinitySource::Typed;
    salinity_source_from_word(isochor.mSalinitySource, source);
    for (int s = 0; s < kSourceCount; ++s)
        mSources[s].checked = kSourcesInOrder[s] == source;
    mFields[kMeasured].text = Typed(isochor.mMeasured);
    HostMineral host = HostMineral::None;
    host_mineral_from_word(isochor.mHost, host);
    for (int h = 0; h < 4; ++h)
        if (kHostsInOrder[h] == host) mHosts.selected = h;
    mLegacy.checked = isochor.mLegacy != 0;
    if (crossing != nullptr) {
        mFields[kSdThaq].text = Typed(crossing->mSdThAqueous);
        mFields[kSdMeasured].text = Typed(crossing->mSdMeasured);
        mFields[kSdThOil].text = Typed(crossing->mSdThOil);
        mFields[kSdFv].text = Typed(crossing->mSdFv);
        mFields[kTfv].text = Typed(crossing->mTfv);
        for (std::size_t i = 0; i < mIsochors.size(); ++i)
            if (mIsochors[i]->mName == crossing->mOilIsochorName) mList.selected = static_cast<int>(i);
    }
    ShowTrapLine(true);
    UpdateAqueousControls();
    ShowCrossing();
    Changed();
}

std::string CTrappingPage::CrossingLogText() const {
    const CAqueousCrossing* c = ShownCrossing();
    const CAqueousIsochor* aqueous = ShownAqueousIsochor();
    if (c == nullptr || aqueous == nullptr) return "";
    const char* sources[kSourceCount] = {"Tm,ice", "Tm,halite", "typed"};
    int source = kTyped;
    for (int s = 0; s < kSourceCount; ++s)
        if (aqueous->mSalinitySource == salinity_source_word(kSourcesInOrder[s])) source = s;
    std::vector<std::string> lines{
        "Aqueous inclusion : " + aqueous->mName + "   (isochor " + mList.SelectedText() + ")",
        "       Th (aq., \xC2\xB0"
        "C) : " +
            FieldText(aqueous->mTh, 2) + ", salinity (wt% NaCl eq.) : " + FieldText(aqueous->mSalinity, 2) +
            (source == kTyped
                 ? std::string()
                 : std::string(" from ") + sources[source] + " = " + FieldText(aqueous->mMeasured, 2)),
        "       Host mineral : " + std::string(host_mineral_label([&] {
            HostMineral host = HostMineral::None;
            host_mineral_from_word(aqueous->mHost, host);
            return host;
        }())),
        aqueous->mLegacy
            ? std::string("       Aqueous isochor : Bodnar & Vityk (1994), ") + kLegacyIsochoreLabel
            : "       Aqueous isochor : IAPWS-95 water, Driesner (2007) brine",
        "       Trapping temperature (\xC2\xB0"
        "C) = " +
            FieldText(c->mT, 2) + (c->mHasBand ? " +- " + FieldText(c->mSdT, 2) : std::string()),
        "       Trapping pressure (bar) = " + FieldText(c->mP, 1) +
            (c->mHasBand ? " +- " + FieldText(c->mSdP, 1) : std::string())};
    if (c->mHasBand) {
        lines.push_back("       Correlation of T and P = " + FieldText(c->mCorrelation, 3) +
                        "   (standard uncertainties: Th (aq.) " + FieldText(c->mSdThAqueous, 2) + ", " +
                        sources[source] + " " + FieldText(c->mSdMeasured, 2) + ", Th (oil) " +
                        FieldText(c->mSdThOil, 2) + ", Fv " + FieldText(c->mSdFv, 2) + " % at " +
                        FieldText(c->mTfv, 1) +
                        " \xC2\xB0"
                        "C)");
    }
    lines.push_back("       Slopes (bar/K) : oil " + FieldText(c->mSlopeOil, 3) + ", aqueous " +
                    FieldText(c->mSlopeAqueous, 3) + "; angle " + FieldText(c->mAngle, 1) + " \xC2\xB0" +
                    (c->mAngle < kIllConditionedAngle ? " (ill-conditioned)" : ""));
    lines.push_back("");
    return LogLines(lines);
}
