// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The tables of fluids: the points of an alpha-beta correlation, the composition of one point, and
// the components of a fluid model with their constants.

#include "app/table_model.hpp"
#include "data/alpha_beta_record.hpp"
#include "data/composition_record.hpp"

class CAlphaBetaDataDocument;
class CFluidModelDataDocument;

class CCorrelationTableModel : public CListTableModel<CAlphaBetaRecordEx> {
  public:
    CCorrelationTableModel(CTableSession& session, CAlphaBetaDataDocument& document);
    std::string CellText(long row, int column) const override;
    const char* SubTableButton() const override { return "Composition"; }

  protected:
    CCellValue ValueAt(long row, int column) const override;
    std::unique_ptr<CTableChange> MakeEdit(long row, int column, const CCellValue& value) override;
    std::unique_ptr<CTableChange> MakeAdd() override;
    std::unique_ptr<CTableChange> MakeOverwrite(long row, const CTableRow& values) override;
    std::unique_ptr<CTableChange> MakeAppend(long row, const CTableRow& values) override;
};

// The light components of one correlation fluid. The fluid's CO2, N2 and H2S contents follow every
// change, as reading the file would give them.
class CCompositionTableModel : public CListTableModel<CCompositionRecord> {
  public:
    CCompositionTableModel(CTableSession& session, CAlphaBetaRecordEx& point);
    CAlphaBetaRecordEx& Point() const { return mPoint; }
    std::string CellText(long row, int column) const override;
    bool CanNormalize() const override { return true; }

  protected:
    CCellValue ValueAt(long row, int column) const override;
    std::unique_ptr<CTableChange> MakeEdit(long row, int column, const CCellValue& value) override;
    std::unique_ptr<CTableChange> MakeAdd() override;
    std::unique_ptr<CTableChange> MakeNormalize() override;
    std::unique_ptr<CTableChange> MakeOverwrite(long row, const CTableRow& values) override;
    std::unique_ptr<CTableChange> MakeAppend(long row, const CTableRow& values) override;
    std::function<void()> AfterEachChange() override;

  private:
    CAlphaBetaRecordEx& mPoint;
};

// The components of a fluid model. A component named anew gets its constants from the built-in
// table, as a new row does.
class CFluidModelTableModel : public CListTableModel<CCompositionRecordEx> {
  public:
    enum FluidColumn { kComponent, kMolePercent, kTc, kPc, kOmega };
    CFluidModelTableModel(CTableSession& session, CFluidModelDataDocument& document);
    std::string CellText(long row, int column) const override;
    bool CanNormalize() const override { return true; }

  protected:
    CCellValue ValueAt(long row, int column) const override;
    std::unique_ptr<CTableChange> MakeEdit(long row, int column, const CCellValue& value) override;
    std::unique_ptr<CTableChange> MakeAdd() override;
    std::unique_ptr<CTableChange> MakeNormalize() override;
    std::unique_ptr<CTableChange> MakeOverwrite(long row, const CTableRow& values) override;
    std::unique_ptr<CTableChange> MakeAppend(long row, const CTableRow& values) override;
};
