// SPDX-License-Identifier: BSD-3-Clause
#include "documents/data_documents.hpp"

CInclusionDataDocument::CInclusionDataDocument(CApplicationServices& services) : CWDocument(services) {
    mInclusionList.mIsOwner = 1;
}

void CInclusionDataDocument::ReadData(CDataHandleStream& stream) {
    mInclusionList.RemoveAll();
    mInclusionList.Read(stream);
}

void CInclusionDataDocument::SaveData(CDataHandleStream& stream) {
    mInclusionList.Write(stream);
}

void CInclusionDataDocument::OnCloseDocument() {
    CWDocument::OnCloseDocument();
    Services().Events().Notify(CAppNotification::InclusionsDataDocModified);
}

CAlphaBetaDataDocument::CAlphaBetaDataDocument(CApplicationServices& services) : CWDocument(services) {
    mCorrelation.mName = "Undefined";
    mCorrelation.mPointFormat = CPointFormat(3, zephon::plot::MakeColor(0, 0, 255), 3);
}

void CAlphaBetaDataDocument::ReadData(CDataHandleStream& stream) {
    mCorrelation.mList.DeleteAll();
    mCorrelation.Read(stream);
}

void CAlphaBetaDataDocument::SaveData(CDataHandleStream& stream) {
    mCorrelation.Write(stream);
}

CFluidModelDataDocument::CFluidModelDataDocument(CApplicationServices& services) : CWDocument(services) {}

void CFluidModelDataDocument::ReadData(CDataHandleStream& stream) {
    mModelFluid.RemoveAll();
    mModelFluid.Read(stream);
    Services().Events().Notify(CAppNotification::FluidModelDataDocModified);
}

void CFluidModelDataDocument::SaveData(CDataHandleStream& stream) {
    mModelFluid.Write(stream);
}

void CFluidModelDataDocument::OnCloseDocument() {
    CWDocument::OnCloseDocument();
    Services().Events().Notify(CAppNotification::FluidModelDataDocModified);
}
