// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The three data documents edited in tables: inclusion data (.inc), one alpha-beta correlation
// (.abe) and one fluid model (.flu).

#include "data/alpha_beta_record.hpp"
#include "data/composition_record.hpp"
#include "data/inclusion_record.hpp"
#include "documents/w_document.hpp"

class CInclusionDataDocument : public CWDocument {
  public:
    // An empty list that owns its inclusions.
    explicit CInclusionDataDocument(CApplicationServices& services);

    // Replaces the inclusions by those of the file.
    void ReadData(CDataHandleStream& stream) override;
    void SaveData(CDataHandleStream& stream) override;
    // Closes, then tells the application, so that lists of open inclusion documents refresh.
    void OnCloseDocument() override;
    bool HasContent() const override { return mInclusionList.Count() > 0; }
    CDocumentKind Kind() const override { return CDocumentKind::InclusionData; }
    std::string FileKind() const override { return "an inclusion data file"; }

    CInclusionList mInclusionList;
};

class CAlphaBetaDataDocument : public CWDocument {
  public:
    // A correlation named "Undefined" without fluids, drawn with blue markers of size 3, shape 3.
    explicit CAlphaBetaDataDocument(CApplicationServices& services);

    void ReadData(CDataHandleStream& stream) override;
    void SaveData(CDataHandleStream& stream) override;
    bool HasContent() const override { return mCorrelation.mList.Count() > 0; }
    CDocumentKind Kind() const override { return CDocumentKind::Correlation; }
    std::string FileKind() const override { return "an alpha-beta correlation file"; }

    CAlphaBetaCorrelation mCorrelation;
};

class CFluidModelDataDocument : public CWDocument {
  public:
    // A fluid named "FM" without components.
    explicit CFluidModelDataDocument(CApplicationServices& services);

    // Replaces the fluid by that of the file, then tells the application.
    void ReadData(CDataHandleStream& stream) override;
    void SaveData(CDataHandleStream& stream) override;
    // Closes, then tells the application.
    void OnCloseDocument() override;
    bool HasContent() const override { return mModelFluid.Count() > 0; }
    CDocumentKind Kind() const override { return CDocumentKind::FluidModel; }
    std::string FileKind() const override { return "a fluid model file"; }

    CModelFluid mModelFluid{"FM"};
};
