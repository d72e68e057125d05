// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The tables of an inclusion data document: the inclusions, and the bubble-volume measurements of
// one inclusion. Inclusion tables also import and export CSV files.

#include <filesystem>

#include "app/table_model.hpp"
#include "data/inclusion_record.hpp"

class CInclusionDataDocument;

class CInclusionTableModel : public CListTableModel<CInclusionRecordEx> {
  public:
    CInclusionTableModel(CTableSession& session, CInclusionDataDocument& document);

    std::string CellText(long row, int column) const override;
    const char* SubTableButton() const override { return "Volume"; }
    // The selected inclusions as an inclusion CSV with tabs, measurements included.
    std::string CopyRows(std::span<const long> rows) const override;

    // Appends the inclusions of CSV text (a header is required) as one step; a fault imports
    // nothing and says where.
    CEditOutcome Import(std::string_view csv);
    CEditOutcome ImportFile(const std::filesystem::path& path);
    // Every inclusion as CSV with commas.
    std::string ExportText() const;
    // Writes the CSV file as documents save (a complete new file or nothing); false with the reason.
    bool ExportFile(const std::filesystem::path& path, std::string& error) const;

  protected:
    CCellValue ValueAt(long row, int column) const override;
    std::unique_ptr<CTableChange> MakeEdit(long row, int column, const CCellValue& value) override;
    std::unique_ptr<CTableChange> MakeAdd() override;
    std::unique_ptr<CTableChange> MakeOverwrite(long row, const CTableRow& values) override;
    std::unique_ptr<CTableChange> MakeAppend(long row, const CTableRow& values) override;
    const CRepeatedColumns* PastedPairs() const override;
    // Two inclusions of a table never share a name: the panels tell inclusions apart by it.
    std::string RefusedNames(const std::vector<std::string>& names, long firstRow) const override;
};

class CVolumeTableModel : public CListTableModel<CVolumeRecord> {
  public:
    CVolumeTableModel(CTableSession& session, CInclusionRecordEx& inclusion);

    CInclusionRecordEx& Inclusion() const { return mInclusion; }
    std::string CellText(long row, int column) const override;

  protected:
    CCellValue ValueAt(long row, int column) const override;
    std::unique_ptr<CTableChange> MakeEdit(long row, int column, const CCellValue& value) override;
    std::unique_ptr<CTableChange> MakeAdd() override;
    std::unique_ptr<CTableChange> MakeOverwrite(long row, const CTableRow& values) override;
    std::unique_ptr<CTableChange> MakeAppend(long row, const CTableRow& values) override;

  private:
    CInclusionRecordEx& mInclusion;
};
