#include "cli/fluid_calculations.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "cli/data_files.hpp"
#include "cli/document_io.hpp"
#include "cli/terminal_services.hpp"
#include "thermo/alpha_beta_model_interface.hpp"

namespace zephon::cli {

namespace {

constexpr double kKelvin = 273.15;
constexpr double kAbsoluteZero = -273.15;

std::string Format(const char* format, double a, double b) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, a, b);
    return buffer;
}

std::string Format(const char* format, double a) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, a);
    return buffer;
}

} // namespace

CFluidSpec CFluidSpec::AlphaBeta(double alpha, double beta, double co2, double n2, double h2s) {
    CFluidSpec spec;
    spec.alpha = alpha, spec.beta = beta, spec.co2 = co2, spec.n2 = n2, spec.h2s = h2s;
    return spec;
}

CFluidSpec CFluidSpec::ModelFluid(std::shared_ptr<CModelFluid> fluid, std::string source) {
    CFluidSpec spec;
    spec.isModelFluid = true;
    spec.fluid = std::move(fluid);
    spec.source = std::move(source);
    return spec;
}

std::string CFluidSpec::Describe() const {
    if (isModelFluid) return "fluid model " + (fluid ? fluid->mName : std::string("?"));
    std::string text = Format("alpha %.4g beta %.4g", alpha, beta);
    if (co2 != 0 || n2 != 0 || h2s != 0) {
        char buffer[128];
        std::snprintf(buffer, sizeof buffer, " (CO2 %.4g %%, N2 %.4g %%, H2S %.4g %%)", co2, n2, h2s);
        text += buffer;
    }
    return text;
}

void AddFluidOptions(COptionSpec& spec) {
    spec.values.insert({"--alpha", "--beta", "--co2", "--n2", "--h2s", "--fluid"});
}

void CheckAlphaBeta(const std::string& command, double alpha, double beta, double co2, double n2,
                    double h2s) {
    if (!(alpha > 0 && alpha <= 2)) throw UsageError(command + ": alpha must lie in (0, 2]");
    if (!(beta >= 0 && beta <= 1)) throw UsageError(command + ": beta must lie in [0, 1]");
    for (double gas : {co2, n2, h2s})
        if (!(gas >= 0 && gas < 100))
            throw UsageError(command + ": gas contents are mole percents from 0 to 100");
    if (co2 + n2 + h2s >= 100) throw UsageError(command + ": the gas contents add up to 100 % or more");
}

void CheckTemperature(const std::string& command, const std::string& option, double celsius) {
    if (!(celsius > kAbsoluteZero && celsius < 2000))
        throw UsageError(command + ": " + option + " must be a temperature in degrees Celsius above -273.15");
}

CFluidSpec FluidFromOptions(const CCommandLine& line, CTerminalServices& services) {
    const std::string& command = line.Command();
    const bool byAlphaBeta = line.Has("--alpha") || line.Has("--beta");
    const bool byGases = line.Has("--co2") || line.Has("--n2") || line.Has("--h2s");
    if (line.Has("--fluid")) {
        if (byAlphaBeta || byGases)
            throw UsageError(command + ": give either --fluid FILE.flu or --alpha/--beta, not both");
        const std::string path = line.RequiredText("--fluid");
        auto document = OpenFluidModel(path, services);
        return CFluidSpec::ModelFluid(std::make_shared<CModelFluid>(document->mModelFluid), path);
    }
    if (!byAlphaBeta)
        throw UsageError(command +
                         ": choose a fluid with --alpha A --beta B [--co2 P] [--n2 P] [--h2s P] or --fluid "
                         "FILE.flu");
    CFluidSpec spec =
        CFluidSpec::AlphaBeta(line.RequiredNumber("--alpha"), line.RequiredNumber("--beta"),
                              line.NumberOr("--co2", 0), line.NumberOr("--n2", 0), line.NumberOr("--h2s", 0));
    CheckAlphaBeta(command, spec.alpha, spec.beta, spec.co2, spec.n2, spec.h2s);
    return spec;
}

std::vector<thermo::ModelFluidComponent> ComponentsOf(const CModelFluid& fluid) {
    std::vector<thermo::ModelFluidComponent> components;
    for (const CCompositionRecordEx* record : fluid.mList) {
        thermo::ModelFluidComponent c;
        c.name = record->mComponentName;
        c.Tc = record->mTc;
        c.Pc = record->mPc;
        c.omega = record->mOmega;
        c.Mw = record->mMw;
        c.Vc = record->mVc;
        c.Ct = record->mCt;
        c.molePercent = record->mMolePercent;
        components.push_back(std::move(c));
    }
    return components;
}

std::unique_ptr<thermo::CCalculationInterface> MakeCalculation(const CFluidSpec& fluid) {
    if (fluid.isModelFluid) {
        auto calculation = std::make_unique<thermo::CCalculationInterface>(0);
        const std::string where = fluid.source.empty() ? "fluid model " + fluid.fluid->mName : fluid.source;
        if (fluid.fluid->Count() == 0) throw UsageError(where + ": the fluid model has no components");
        double total = 0;
        for (const CCompositionRecordEx* record : fluid.fluid->mList) {
            if (!(record->mMolePercent >= 0))
                throw UsageError(where + ": component " + record->mComponentName +
                                 " has a negative mole percent");
            total += record->mMolePercent;
        }
        if (!(total > 0)) throw UsageError(where + ": the mole percents of the fluid model add up to 0");
        if (!calculation->SetModelFluid(ComponentsOf(*fluid.fluid)))
            throw UsageError(where +
                             ": a component's constants cannot make an equation of state (Tc and Pc must be "
                             "positive)");
        return calculation;
    }
    auto calculation = std::make_unique<thermo::CCalculationInterface>(1);
    calculation->mAlpha = fluid.alpha;
    calculation->mBeta = fluid.beta;
    calculation->mCO2 = fluid.co2 / 100.0;
    calculation->mN2 = fluid.n2 / 100.0;
    calculation->mH2S = fluid.h2s / 100.0;
    calculation->Finalize();
    return calculation;
}

CSaturationPoint CalculateSaturation(const CFluidSpec& fluid, double celsius, bool bubble) {
    auto calculation = MakeCalculation(fluid);
    thermo::Oil& oil = calculation->system();
    oil.set_type_of_problem(13);
    oil.set_the_temperature(celsius + kKelvin);
    oil.set_the_vaporization_ratio(bubble ? 0.0 : 1.0);
    oil.set_initialization_flag(2);
    oil.calculateVLE();
    const std::string failure =
        std::string("no ") + (bubble ? "bubble" : "dew") + " point found at " + Format("%.2f C", celsius);
    if (oil.errorflag != 0 || !std::isfinite(oil.P) || oil.P <= 0)
        throw CalculationError(
            failure + ": the calculation did not converge (the temperature may lie outside the phase "
                      "envelope)");
    // A flash that ends on two identical phases has found no saturation point.
    double difference = 0;
    for (short i = 0; i < oil.N; ++i)
        difference = std::max(difference, std::fabs(oil.x[i] - oil.y[i]));
    if (difference < 1e-7) throw CalculationError(failure + ": both phases are identical (critical region)");
    CSaturationPoint point;
    point.T = oil.T - kKelvin;
    point.P = oil.P / 100000.0;
    point.bubble = bubble;
    const std::vector<double>& incipient = bubble ? oil.y : oil.x;
    for (short i = 0; i < oil.N; ++i) {
        const std::string name =
            i < static_cast<short>(oil.component.size()) ? oil.component[i] : std::to_string(i);
        point.incipient.emplace_back(name, 100.0 * incipient[i]);
    }
    point.liquidVolume = oil.liquid->V * 1e6;
    point.vapourVolume = oil.vapour->V * 1e6;
    return point;
}

CStandardConditions CalculateStandardConditions(const CFluidSpec& fluid) {
    auto calculation = MakeCalculation(fluid);
    calculation->CalculateGOR();
    if (calculation->system().errorflag != 0 || !(calculation->mLiqMolarWeight > 0))
        throw CalculationError(
            "the fluid does not split into gas and stock-tank liquid at 15 C and 1 bar: no GOR "
            "or API gravity");
    CStandardConditions result;
    result.GOR = calculation->mGOR;
    result.API = calculation->mAPI;
    result.CH4 = calculation->mCH4;
    result.stockTankMolarWeight = calculation->mLiqMolarWeight;
    result.stockTankSpecificVolume = calculation->mMassVolLiq;
    result.bulkMolarWeight = calculation->system().calculateBulkMw();
    return result;
}

std::unique_ptr<CModelFluid> CalculateComposition(double alpha, double beta, double co2, double n2,
                                                  double h2s) {
    const double fCO2 = co2 / 100.0, fN2 = n2 / 100.0, fH2S = h2s / 100.0;
    auto fluid = std::make_unique<CModelFluid>(CModelFluid::NameFromAlphaBeta(alpha, beta, fCO2, fN2, fH2S));
    thermo::CAlphaBetaModelInterface model;
    model.CalculateComposition(alpha, beta, fCO2, fN2, fH2S);
    const short count = model.GetNumberOfComponents();
    for (short i = 0; i < count; ++i) {
        auto record = std::make_unique<CCompositionRecordEx>();
        record->mComponentName = model.GetComponentName(i);
        record->mMolePercent = model.GetMoleFraction(i) * 100.0;
        record->mTc = model.GetTc(i) - kKelvin;
        record->mPc = model.GetPc(i) / 100000.0;
        record->mOmega = model.GetOmega(i);
        record->mMw = model.GetMw(i);
        record->mVc = model.GetVc(i) * 1e6;
        record->mCt = model.GetCt(i) * 1e6;
        fluid->Add(record.release());
    }
    return fluid;
}

namespace {

// One envelope point of the current state; the incipient phase is the vapour on the liquid branch.
void AppendIsoplethPoint(CIsopleth& isopleth, thermo::CCalculationInterface& calculation, double T, double P,
                         bool liquidBranch, bool skip) {
    auto point = std::make_unique<CIsoplethPoint>();
    point->mT = T;
    point->mP = P;
    point->mLiquidV = calculation.GetLiquidVolume();
    point->mVapourV = calculation.GetVapourVolume();
    const short n = calculation.GetNumberOfComponents();
    point->mz.resize(static_cast<std::size_t>(std::max<short>(n, 0)));
    for (short i = 0; i < n; ++i)
        point->mz[i] =
            liquidBranch ? calculation.GetVapourComposition(i) : calculation.GetLiquidComposition(i);
    point->mSkip = skip ? 1 : 0;
    isopleth.Add(point.release());
}

std::unique_ptr<CIsopleth> NewIsopleth(thermo::CCalculationInterface& calculation, bool liquidBranch) {
    auto isopleth = std::make_unique<CIsopleth>();
    isopleth->Initialize();
    const short n = calculation.GetNumberOfComponents();
    isopleth->mxref.resize(static_cast<std::size_t>(std::max<short>(n, 0)));
    for (short i = 0; i < n; ++i)
        isopleth->mxref[i] = calculation.GetIsoplethComposition(i);
    isopleth->mState = liquidBranch ? 1 : 0;
    return isopleth;
}

// Follows a branch from a first point (r = 0). Returns the last code; `lastT` is the temperature
// of the last call. Stops at a point out of range (-2), at -1, at -3 and at the point bound.
int TraceBranch(CIsopleth& isopleth, thermo::CCalculationInterface& calculation, double T, double P, int r,
                bool liquidBranch, bool skipFirst, double& lastT) {
    int points = 0;
    bool skip = skipFirst;
    while (points < kMaxEnvelopePoints) {
        if (r == 0 || r == -2) {
            AppendIsoplethPoint(isopleth, calculation, T, P, liquidBranch, skip);
            skip = false;
            ++points;
            if (r == -2) return r;
        }
        if (StopRequested()) return -1;
        r = calculation.NextIsoplethPoint(&T, &P);
        lastT = T;
        if (r == -1 || r == -3) return r;
    }
    return -1;
}

} // namespace

std::unique_ptr<CPhaseDiagram> CalculateEnvelope(const CFluidSpec& fluid, const std::string& name,
                                                 long number, CApplicationServices& services) {
    auto calculation = MakeCalculation(fluid);
    CWaitCursor wait(services);
    double T = 0, P = 0;

    std::unique_ptr<CIsopleth> liquid;
    calculation->mBranch = 1;
    int r = calculation->FirstIsoplethPoint(&T, &P);
    if (r == 0) {
        liquid = NewIsopleth(*calculation, true);
        double lastT = T;
        r = TraceBranch(*liquid, *calculation, T, P, 0, true, false, lastT);
        if (r == -3) {
            double Tout = 0, Pout = 0;
            calculation->FirstLLGIsoplethPoint(lastT - 50.0, &Tout, &Pout);
            if (Tout != 0 || Pout != 0) {
                TraceBranch(*liquid, *calculation, Tout, Pout, 0, true, true, lastT);
                services.ShowMessage({"Zephon has detected liquid-liquid-gas phase equilibria.", "",
                                      CMessageIcon::Warning, true});
            }
        }
    }

    std::unique_ptr<CIsopleth> vapour;
    calculation->mBranch = 0;
    r = calculation->FirstIsoplethPoint(&T, &P);
    if (r == 0) {
        vapour = NewIsopleth(*calculation, false);
        double lastT = T;
        TraceBranch(*vapour, *calculation, T, P, 0, false, false, lastT);
    }

    if (!liquid && !vapour) {
        services.ShowMessage(
            {"The program failed to calculate the P-T phase envelope.", "", CMessageIcon::Warning, true});
        return nullptr;
    }

    auto diagram = std::make_unique<CPhaseDiagram>();
    if (fluid.isModelFluid) {
        diagram->mThermoModel.SetModelFluid(std::make_unique<CModelFluid>(*fluid.fluid));
        diagram->mName = fluid.fluid->mName;
    } else {
        auto model = std::make_unique<CAlphaBetaModel>();
        model->mAlpha = fluid.alpha;
        model->mBeta = fluid.beta;
        model->mCO2 = fluid.co2 / 100.0;
        model->mN2 = fluid.n2 / 100.0;
        model->mH2S = fluid.h2s / 100.0;
        diagram->mThermoModel.SetAlphaBetaModel(std::move(model));
        if (!name.empty()) {
            diagram->mName = name;
        } else {
            diagram->SetNameByDefault(number, fluid.alpha, fluid.beta);
        }
    }
    if (liquid) liquid->mPhaseDiagram = diagram.get();
    if (vapour) vapour->mPhaseDiagram = diagram.get();
    diagram->mLiquidIsopleth = std::move(liquid);
    diagram->mVapourIsopleth = std::move(vapour);

    calculation->CalculateGOR();
    diagram->mGOR = calculation->mGOR;
    diagram->mAPI = calculation->mAPI;
    diagram->mMassVolLiq = calculation->mMassVolLiq;
    diagram->mLiqMolarWeight = calculation->mLiqMolarWeight;
    diagram->BuildCriticalPoint();
    return diagram;
}

bool CriticalPointOf(const CPhaseDiagram& diagram, double& T, double& P) {
    if (!diagram.mLiquidIsopleth || !diagram.mVapourIsopleth) return false;
    const CIsoplethPoint* a = diagram.mLiquidIsopleth->mList.Last();
    const CIsoplethPoint* b = diagram.mVapourIsopleth->mList.Last();
    if (a == nullptr || b == nullptr || a->mT != b->mT || a->mP != b->mP) return false;
    T = a->mT;
    P = a->mP;
    return true;
}

namespace {

thermo::IsoplethData IsoplethDataOf(const CIsopleth& isopleth) {
    thermo::IsoplethData data;
    data.mMinT = isopleth.mMinT;
    data.mMaxT = isopleth.mMaxT;
    data.mMaxP = isopleth.mMaxP;
    data.mxref = isopleth.mxref;
    for (const CIsoplethPoint* point : isopleth.mList)
        data.points.push_back({point->mT, point->mP, point->mz});
    return data;
}

CFluidSpec FluidOfDiagram(const CPhaseDiagram& diagram) {
    if (const CModelFluid* fluid = diagram.mThermoModel.GetModelFluid())
        return CFluidSpec::ModelFluid(std::make_shared<CModelFluid>(*fluid), "");
    if (const CAlphaBetaModel* model = diagram.mThermoModel.GetAlphaBetaModel())
        return CFluidSpec::AlphaBeta(model->mAlpha, model->mBeta, model->mCO2 * 100.0, model->mN2 * 100.0,
                                     model->mH2S * 100.0);
    throw UsageError("phase diagram " + diagram.mName + " has no thermodynamic model");
}

std::unique_ptr<CIsochor> NewIsochor(CPhaseDiagram& diagram, double th, int homog, double bulkVolume) {
    auto isochor = std::make_unique<CIsochor>();
    isochor->Initialize();
    isochor->mTh = th;
    isochor->mBulkVolume = bulkVolume;
    isochor->mHomog = homog;
    isochor->mPhaseDiagram = &diagram;
    isochor->SetNameByDefault();
    return isochor;
}

void AppendIsochorPoint(CIsochor& isochor, double T, double P, double V) {
    isochor.Add(new CIsochorPoint(T, P, V));
}

} // namespace

std::string IsochorStatusMessage(int status, int homog) {
    switch (status) {
    case kThBelowEnvelope:
    case kThAboveEnvelope:
        return "The homogenisation temperature is too high.";
    case kNoBranchForHomogenisation:
        return std::string("For the given composition, the inclusion cannot homogenize to ") +
               (homog ? "liquid." : "vapour.") + " Change the homogenisation type in the dialog box.";
    case kNearCriticalPoint:
        return "Because of numeric limitations, the software cannot calculate isochors too close from a "
               "critical "
               "point. Try to calculate the critical isochor by increasing or decreasing the homogenisation "
               "temperature by 0.5\xC2\xB0"
               "C.";
    default:
        return {};
    }
}

int CalculateIsochorPair(CPhaseDiagram& diagram, double th, int homog, double phint, CIsochorPair& pair,
                         CApplicationServices& services) {
    double density = 0, volume = 0;
    CIsochor* existing = nullptr;
    if (diagram.IsIsochorAlreadyCalculated(th, static_cast<char>(homog), density, volume, &existing, nullptr))
        return kIsochorAlreadyCalculated;

    auto report = [&](int status) {
        const std::string text = IsochorStatusMessage(status, homog);
        if (!text.empty())
            services.ShowMessage({text, "", CMessageIcon::Warning, status != kNoBranchForHomogenisation});
        return status;
    };

    const CFluidSpec fluid = FluidOfDiagram(diagram);
    auto calculation = MakeCalculation(fluid);
    calculation->mTh = th;
    calculation->mPh = phint;
    calculation->mHomog = static_cast<char>(homog);
    CIsopleth* branch = homog ? diagram.mLiquidIsopleth.get() : diagram.mVapourIsopleth.get();
    if (branch == nullptr) return report(kNoBranchForHomogenisation);
    const thermo::IsoplethData branchData = IsoplethDataOf(*branch);
    thermo::IsoplethData liquidData, vapourData;
    if (diagram.mLiquidIsopleth) liquidData = IsoplethDataOf(*diagram.mLiquidIsopleth);
    if (diagram.mVapourIsopleth) vapourData = IsoplethDataOf(*diagram.mVapourIsopleth);
    calculation->mIsopleth = &branchData;
    calculation->CalculateIsochorsLimits(diagram.mLiquidIsopleth ? &liquidData : nullptr,
                                         diagram.mVapourIsopleth ? &vapourData : nullptr);

    double T = 0, P = 0;
    int r = calculation->FirstIsochor2Point(&T, &P);
    if (r != 0) return report(r);
    const double bulkVolume = calculation->mBulkVolume;
    auto biphasic = NewIsochor(diagram, th, homog, bulkVolume);
    for (int points = 0; points < kMaxIsochorPoints && !StopRequested();) {
        if (r == 0 || r == -2) {
            AppendIsochorPoint(*biphasic, T, P, calculation->GetBubbleVolumeFraction() * 100.0);
            ++points;
            if (r == -2) break;
        }
        r = calculation->NextIsochor2Point(&T, &P);
        if (r == -1) break;
    }
    if (!diagram.mBiphIsochorsList) diagram.mBiphIsochorsList = std::make_unique<CIsochorsList>();
    biphasic->SetBiphasic(1);
    CIsochor* biphasicRaw = biphasic.get();
    diagram.mBiphIsochorsList->Add(biphasic.release());

    r = calculation->FirstIsochor1Point(&T, &P);
    if (r != 0) return report(r);
    auto monophasic = NewIsochor(diagram, th, homog, bulkVolume);
    for (int points = 0; points < kMaxIsochorPoints && !StopRequested();) {
        if (r == 0 || r == -2) {
            AppendIsochorPoint(*monophasic, T, P, 0.0);
            ++points;
            if (r == -2) break;
        }
        r = calculation->NextIsochor1Point(&T, &P);
        if (r == -1) break;
    }
    if (!diagram.mMonoIsochorsList) diagram.mMonoIsochorsList = std::make_unique<CIsochorsList>();
    monophasic->SetBiphasic(0);
    CIsochor* monophasicRaw = monophasic.get();
    diagram.mMonoIsochorsList->Add(monophasic.release());

    pair.biphasic = biphasicRaw;
    pair.monophasic = monophasicRaw;
    pair.bulkVolume = calculation->mBulkVolume * 1e6;
    pair.bulkDensity = calculation->mBulkDensity;
    for (CIsochor* isochor : {biphasicRaw, monophasicRaw}) {
        isochor->mBulkVolume = pair.bulkVolume;
        isochor->mBulkDensity = pair.bulkDensity;
    }
    return kIsochorOk;
}

} // namespace zephon::cli
