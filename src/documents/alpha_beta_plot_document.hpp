// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The alpha-beta plot document (.abp): the alpha-beta curves of inclusions, fluids shown as markers
// and correlations, over optional background curves of equal gas-oil ratio and equal API gravity.
// It drives the curve calculation one point at a time and generates fluid models from a pair.

#include <memory>
#include <string>
#include <vector>

#include "data/alpha_beta_record.hpp"
#include "data/inclusion_record.hpp"
#include "documents/document_plot_views.hpp"
#include "documents/w_document.hpp"
#include "plot/plot_format.hpp"

namespace zephon::thermo {
class CAlphaBetaModelInterface;
}

class CFluidModelDataDocument;

class CAlphaBetaPlotDocument : public CWDocument {
  public:
    // Codes of the alpha-beta engine that the end of a calculation reports.
    static constexpr char kNoConvergence = 1;
    static constexpr char kCriticalPoint = 5;
    static constexpr char kRoomTemperatureState = 6;
    static constexpr char kBubbleTooSmall = 8;
    // No curve is traced further than this many points.
    static constexpr int kMaxCurvePoints = 200;

    // What the application says about the engine's code at the end of a curve, or empty; the
    // desktop and the command-line tool both say it in these words. `homog`: 1 the inclusion
    // homogenises into the liquid, 0 into the vapour.
    static std::string CurveEndMessage(int code, bool hasCurve, int homog);

    explicit CAlphaBetaPlotDocument(CApplicationServices& services);
    ~CAlphaBetaPlotDocument() override;

    CAlphaBetaPlotView& GetPlotView() { return *mPlotView; }

    // ---- file ----

    // Curves, points, correlations, then the plot format.
    void ReadData(CDataHandleStream& stream) override;
    void SaveData(CDataHandleStream& stream) override;
    bool HasContent() const override;
    CDocumentKind Kind() const override { return CDocumentKind::AlphaBetaPlot; }
    std::string FileKind() const override { return "an alpha-beta plot file"; }

    // ---- curve calculation, one point at a time ----

    // A stored curve of an inclusion with exactly these values (degrees Celsius, percent).
    bool IsCurveAlreadyCalculated(double th, double tv, double fv, int homog, double co2, double n2,
                                  double h2s, CAlphaBetaCurve** curve) const;
    // Prepares a calculation (temperatures in K, fractions); nothing when one is prepared already.
    void PrepareCalculation(double th, double tfv, double fv, double co2, double n2, double h2s, char homog,
                            const std::string& curveName);
    bool IsCalculationPrepared() const { return mEngine != nullptr; }
    // The next point: 0 a point, 1 retry, -1 the end; the first call returns the engine's error code.
    int CalculateAlphaBetaPoint(double& alpha, double& beta);
    // Stores and draws the curve (asking its name) or reports why there is none; the calculation
    // is gone afterwards. Returns the stored curve or null. A curve whose calculation the person
    // cancelled is partial: the name question and the log say so.
    CAlphaBetaCurve* OnCalculationEnd(bool cancelled = false);
    // The curve of this plot with the name, if any; curve names are unique within a plot.
    const CAlphaBetaCurve* FindCurveNamed(const std::string& name) const;
    // The name, or the first of "name (2)", "name (3)", ... that no curve of the plot has.
    std::string UniqueCurveName(const std::string& wanted) const;
    // How the name question of a partial curve reads, and its line of the log.
    static std::string PartialCurveLabel(std::size_t points);
    static std::string PartialCurveLog(const std::string& name, std::size_t points);
    // The whole calculation of an inclusion's curve in a progress loop, as the curve page runs it:
    // prepare, points until the end (at most maxPoints), then OnCalculationEnd. The engine's code of
    // the first point is given in *code (0 when it found one).
    CAlphaBetaCurve* CalculateAlphaBetaCurve(const CInclusionRecord& inclusion,
                                             const std::string& proposedName, int maxPoints = kMaxCurvePoints,
                                             int* code = nullptr);

    // ---- records and their drawings ----

    void PlotAlphaBetaCurve(CAlphaBetaCurve* curve);
    void PlotAlphaBetaPoint(CAlphaBetaPoint* point);
    void PlotAlphaBetaCorrelation(CAlphaBetaCorrelation* correlation);
    // Removals are undoable steps (document_changes.hpp): the record and its drawing are kept.
    void RemoveAlphaBetaCurve(CAlphaBetaCurve* curve);
    void RemoveAlphaBetaPoint(CAlphaBetaPoint* point);
    void RemoveAlphaBetaCorrelation(CAlphaBetaCorrelation* correlation);

    // A marker (gases in mole percent), named by SetFluidName when the name is empty.
    CAlphaBetaPoint* AddAlphaBetaPoint(double alpha, double beta, double co2, double n2, double h2s,
                                       const std::string& name = "", const CAlphaBetaCurve* curve = nullptr);
    // The colour of a new curve: the next of the curve palette that the stored curves use least.
    zephon::plot::Color NextCurveColor() const;

    // The default name of a marker (gases in mole percent).
    static std::string SetFluidName(double alpha, double beta, double co2, double n2, double h2s,
                                    const CAlphaBetaCurve* curve);

    // A new fluid-model document holding the fluid of the pair (gases as fractions).
    CFluidModelDataDocument* GenerateFluidModel(double alpha, double beta, double co2, double n2, double h2s);

    // Asks for a correlation file and plots it; the new correlation, or null.
    CAlphaBetaCorrelation* SelectAndPlotAlphaBetaCorrelation();
    // Reads and plots a correlation file; null (the person told why) when it cannot be read.
    CAlphaBetaCorrelation* PlotAlphaBetaCorrelationFile(const std::filesystem::path& path);
    // The same for a correlation file's text read elsewhere, named `fileName` in messages.
    CAlphaBetaCorrelation* PlotAlphaBetaCorrelationText(const std::string& content,
                                                        const std::string& fileName);

    // ---- background curves ----

    void BuildIsoGORCurves();
    void ShowIsoGORCurves();
    void HideIsoGORCurves();
    void DeleteIsoGORCurves();
    void BuildIsoAPICurves();
    void ShowIsoAPICurves();
    void HideIsoAPICurves();
    void DeleteIsoAPICurves();
    const std::vector<CGraphCurve*>& GetIsoGORCurves() const { return mIsoGORCurves; }
    const std::vector<CGraphCurve*>& GetIsoAPICurves() const { return mIsoAPICurves; }

    CAlphaBetaCurvesList mAlphaBetaCurvesList;
    CAlphaBetaPointsList mAlphaBetaPointsList;
    CAlphaBetaCorrelationsList mAlphaBetaCorrelationsList;
    CPlotFormat mPlotFormat;

  private:
    // The new curve's name, asked with the proposal made unique; a name another curve has is
    // refused, naming that curve. Cancelled or empty: "Untitled", made unique.
    std::string AskCurveName(const std::string& label, const std::string& wanted);
    struct IsoFamily {
        const char* indexFile;
        const char* curvePrefix;
        int digits;
        const char* labelSuffix;
        const char* missingMessage;
    };
    static const IsoFamily& GorFamily();
    static const IsoFamily& ApiFamily();
    void BuildIsoCurves(const IsoFamily& family, std::vector<CGraphCurve*>& curves);
    void ShowIsoCurves(const IsoFamily& family, std::vector<CGraphCurve*>& curves, bool show);
    void DeleteIsoCurves(std::vector<CGraphCurve*>& curves);
    void DeleteContents();
    void Changed();
    template <class Record>
    void RemoveRecord(const char* text, CDataList<Record>& list, Record* record, CGraphObject* drawing);

    std::unique_ptr<CAlphaBetaPlotView> mPlotView;
    std::unique_ptr<zephon::thermo::CAlphaBetaModelInterface> mEngine;
    std::vector<CAlphaBetaRecord> mCurve;    // points of the calculation in progress
    std::vector<CGraphCurve*> mIsoGORCurves; // drawn by the view, which owns them
    std::vector<CGraphCurve*> mIsoAPICurves;
    std::string mCurveName;
    bool mFirstPoint = false;
};
