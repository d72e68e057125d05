// SPDX-License-Identifier: BSD-3-Clause
#include "app/application_core.hpp"

#include <algorithm>
#include <system_error>

#include "documents/alpha_beta_plot_document.hpp"
#include "documents/data_documents.hpp"
#include "documents/phase_diag_document.hpp"

namespace fs = std::filesystem;

namespace {

// Two names of one file compare equal; a file that does not exist still has a usable name.
fs::path CanonicalName(const fs::path& path) {
    std::error_code ec;
    fs::path canonical = fs::weakly_canonical(path, ec);
    if (ec) canonical = fs::absolute(path, ec).lexically_normal();
    return canonical;
}

} // namespace

bool ShowsDocument(const CPlotView* view, CWDocument& document) {
    if (view == nullptr) return false;
    if (auto* plot = dynamic_cast<CAlphaBetaPlotDocument*>(&document)) return view == &plot->GetPlotView();
    if (auto* diagram = dynamic_cast<CPhaseDiagDocument*>(&document)) {
        if (view == &diagram->GetPlotView()) return true;
        for (const auto& vt : diagram->GetVTPlots())
            if (view == vt.get()) return true;
    }
    return false;
}

CApplicationCore::CApplicationCore(CApplicationServices& services) : mServices(services) {
    mServices.SetDocumentEvents(this);
}

CApplicationCore::~CApplicationCore() {
    DiscardAllDocuments();
    if (&mServices.Events() == this) mServices.SetDocumentEvents(nullptr);
}

void CApplicationCore::DiscardAllDocuments() {
    // The documents still go through their own close step.
    while (!mDocuments.empty())
        Discard(*mDocuments.back());
}

// ---- documents ----

CWDocument* CApplicationCore::Adopt(std::unique_ptr<CWDocument> document) {
    CWDocument* raw = document.get();
    mDocuments.push_back(std::move(document));
    const CDocumentKind kind = raw->Kind();
    if (kind == CDocumentKind::AlphaBetaPlot || kind == CDocumentKind::PhaseDiagram)
        mHistories[raw] = std::make_unique<CPlotHistory>(*raw);
    // Its volume-temperature plots opened while it was read, before it was open, so their windows'
    // activations counted for nothing: the last one becomes current as its activation would have
    // made it.
    if (auto* diagram = dynamic_cast<CPhaseDiagDocument*>(raw); diagram && !diagram->GetVTPlots().empty())
        SetCurrentVTPlotView(diagram->GetVTPlots().back().get());
    if (mWindows != nullptr) mWindows->ShowDocument(*raw);
    return raw;
}

CWDocument* CApplicationCore::NewDocument(CDocumentKind kind) {
    const CDocumentKindInfo& info = KindInfo(kind);
    auto document = info.create(mServices);
    const int number = ++mNewDocumentCount[KindIndex(kind)];
    document->SetTitle(std::string(info.newName) + std::to_string(number));
    if (auto* fluid = dynamic_cast<CFluidModelDataDocument*>(document.get()))
        fluid->mModelFluid.mName = document->GetTitle();
    CWDocument* raw = Adopt(std::move(document));
    if (kind == CDocumentKind::InclusionData) Notify(CAppNotification::InclusionsDataDocModified);
    if (kind == CDocumentKind::FluidModel) Notify(CAppNotification::FluidModelDataDocModified);
    return raw;
}

CWDocument* CApplicationCore::OpenRecovered(CDocumentKind kind, const std::string& text,
                                            const fs::path& original) {
    // Read under the name it will have, so that what it opens while reading (volume-temperature
    // plots) is named after it, not after the copy.
    const bool ownsFile = !original.empty() && FindDocument(original) == nullptr;
    auto document = KindInfo(kind).create(mServices);
    if (!document->OnOpenText(text, ownsFile ? original : fs::path("Untitled"), CUnreadableFile::Refuse)) {
        DropUnopened(std::move(document));
        return nullptr;
    }
    document->SetPathName(ownsFile ? original : fs::path());
    document->SetTitle(ownsFile ? original.filename().string() : std::string("Untitled"));
    document->SetModifiedFlag(true);
    CWDocument* raw = Adopt(std::move(document));
    if (kind == CDocumentKind::InclusionData) Notify(CAppNotification::InclusionsDataDocModified);
    return raw;
}

CWDocument* CApplicationCore::FindDocument(const fs::path& path) const {
    if (path.empty()) return nullptr;
    const fs::path wanted = CanonicalName(path);
    for (const auto& document : mDocuments)
        if (!document->GetPathName().empty() && CanonicalName(document->GetPathName()) == wanted)
            return document.get();
    return nullptr;
}

CWDocument* CApplicationCore::OpenDocument(const fs::path& path) {
    if (CWDocument* open = FindDocument(path)) {
        if (mWindows != nullptr) mWindows->BringToFront(*open);
        AddRecentFile(path);
        return open;
    }
    const auto kind = KindOfFile(path);
    if (!kind) {
        mServices.ShowMessage({"Zephon cannot open the file \"" + path.string() +
                                   "\": it is not an inclusion data (.inc), fluid model (.flu), alpha-beta "
                                   "correlation (.abe), alpha-beta plot (.abp) or P-T diagram (.ptd) file.",
                               "", CMessageIcon::Warning, false});
        return nullptr;
    }
    auto document = KindInfo(*kind).create(mServices);
    if (!document->OnOpenDocument(path, CUnreadableFile::Refuse)) {
        DropUnopened(std::move(document));
        return nullptr;
    }
    CWDocument* raw = Adopt(std::move(document));
    AddRecentFile(path);
    if (*kind == CDocumentKind::InclusionData) Notify(CAppNotification::InclusionsDataDocModified);
    return raw;
}

bool CApplicationCore::SaveDocument(CWDocument& document) {
    if (document.GetPathName().empty()) return SaveDocumentAs(document);
    ActiveDocumentLock lock(*this);
    const bool saved = document.OnSaveDocument(document.GetPathName());
    if (saved) MarkSaved(document);
    StateChanged(document);
    return saved;
}

bool CApplicationCore::SaveDocumentAs(CWDocument& document) {
    ActiveDocumentLock lock(*this);
    const CDocumentKindInfo& info = KindInfo(document.Kind());
    fs::path proposal = document.GetPathName();
    if (proposal.empty()) proposal = document.GetTitle() + info.extension;
    const auto path = mServices.ChooseFileToSave({"Save as", info.extension, info.filter, proposal});
    if (!path) return false;
    // Saving over another open document's file would leave two documents of one file.
    CWDocument* other = FindDocument(*path);
    if (other != nullptr && other != &document) {
        mServices.ShowMessage({"The file \"" + path->string() +
                                   "\" is open in another window. Close that window first, or choose "
                                   "another name.",
                               "", CMessageIcon::Warning, false});
        return false;
    }
    const bool saved = document.OnSaveDocument(*path);
    if (saved) {
        AddRecentFile(*path);
        MarkSaved(document);
    }
    StateChanged(document);
    return saved;
}

bool CApplicationCore::CloseDocument(CWDocument& document) {
    if (!IsOpen(&document)) return false;
    {
        ActiveDocumentLock lock(*this);
        if (document.IsModified()) {
            switch (mServices.AskSaveChanges(document.GetTitle())) {
            case CSaveAnswer::Cancel:
                return false;
            case CSaveAnswer::Save:
                if (!SaveDocument(document)) return false;
                break;
            case CSaveAnswer::Discard:
                break;
            }
        }
        Discard(document);
    }
    return true;
}

bool CApplicationCore::CloseAllDocuments() {
    // Every question first: a Cancel must find every document and window as it was.
    ActiveDocumentLock lock(*this);
    for (CWDocument* document : Documents()) {
        if (!document->IsModified()) continue;
        switch (mServices.AskSaveChanges(document->GetTitle())) {
        case CSaveAnswer::Cancel:
            return false;
        case CSaveAnswer::Save:
            if (!SaveDocument(*document)) return false;
            break;
        case CSaveAnswer::Discard:
            break;
        }
    }
    DiscardAllDocuments();
    return true;
}

std::string CApplicationCore::RevertQuestion(const std::string& title) {
    return "Do you want to discard changes made on the document \"" + title + "\" ?";
}

CWDocument* CApplicationCore::RevertDocument(CWDocument& document) {
    if (!IsOpen(&document)) return nullptr;
    ActiveDocumentLock lock(*this);
    if (document.GetPathName().empty()) {
        mServices.ShowMessage({"The document \"" + document.GetTitle() +
                                   "\" has never been saved: there is no file to go back to.",
                               "", CMessageIcon::Warning, false});
        return &document;
    }
    if (document.IsModified() && !mServices.AskYesNo(RevertQuestion(document.GetTitle()), ""))
        return &document;

    const fs::path path = document.GetPathName();
    auto fresh = KindInfo(document.Kind()).create(mServices);
    if (!fresh->OnOpenDocument(path, CUnreadableFile::Refuse)) {
        DropUnopened(std::move(fresh));
        mServices.ShowMessage(
            {"The document \"" + document.GetTitle() + "\" was not reverted and keeps its changes.", "",
             CMessageIcon::Warning, false});
        return &document;
    }
    Discard(document);
    CWDocument* raw = Adopt(std::move(fresh));
    if (raw->Kind() == CDocumentKind::InclusionData) Notify(CAppNotification::InclusionsDataDocModified);
    return raw;
}

void CApplicationCore::Forget(CWDocument& document) {
    if (std::find(mClosing.begin(), mClosing.end(), &document) == mClosing.end())
        mClosing.push_back(&document);
    bool currentChanged = false;
    const auto clear = [&](auto*& pointer, bool held) {
        if (!held) return;
        pointer = nullptr;
        currentChanged = true;
    };
    clear(mAlphaBetaPlotDoc, static_cast<CWDocument*>(mAlphaBetaPlotDoc) == &document);
    clear(mPhaseDiagDoc, static_cast<CWDocument*>(mPhaseDiagDoc) == &document);
    clear(mCurrentVTPlotView, ShowsDocument(mCurrentVTPlotView, document));
    clear(mCurrentPlotView, ShowsDocument(mCurrentPlotView, document));
    if (mActiveDocument == &document) mActiveDocument = nullptr;
    if (mNextActiveDocument == &document) mNextActiveDocument = nullptr;
    if (currentChanged) Notify(CAppNotification::CurrentChanged);
}

void CApplicationCore::DropUnopened(std::unique_ptr<CWDocument> document) {
    Forget(*document);
    // What it opened while reading (volume-temperature plots) goes with it.
    document->OnCloseDocument();
    std::erase(mClosing, document.get());
}

void CApplicationCore::Discard(CWDocument& document) {
    const auto it = std::find_if(mDocuments.begin(), mDocuments.end(),
                                 [&](const auto& owned) { return owned.get() == &document; });
    if (it == mDocuments.end()) return;

    Forget(document);
    const std::vector<CAppListener*> listeners = mListeners;
    for (CAppListener* listener : listeners)
        listener->OnDocumentClosing(document);
    mHistories.erase(&document);

    if (mWindows != nullptr) mWindows->CloseWindows(document);
    // Out of the list before its own close step, so that whoever is told of the closing (lists
    // of open inclusion documents) no longer finds it.
    const auto position = std::find_if(mDocuments.begin(), mDocuments.end(),
                                       [&](const auto& owned) { return owned.get() == &document; });
    std::unique_ptr<CWDocument> owned = std::move(*position);
    mDocuments.erase(position);
    owned->OnCloseDocument();
    owned.reset();
    std::erase(mClosing, &document);
    if (mWindows != nullptr) mWindows->DocumentClosed();
}

CPlotHistory* CApplicationCore::History(const CWDocument* document) const {
    const auto it = mHistories.find(document);
    return it != mHistories.end() ? it->second.get() : nullptr;
}

void CApplicationCore::MarkSaved(CWDocument& document) {
    if (CPlotHistory* history = History(&document)) history->SetClean();
}

std::vector<CWDocument*> CApplicationCore::Documents() const {
    std::vector<CWDocument*> documents;
    for (const auto& document : mDocuments)
        documents.push_back(document.get());
    return documents;
}

std::vector<CWDocument*> CApplicationCore::Documents(CDocumentKind kind) const {
    std::vector<CWDocument*> documents;
    for (const auto& document : mDocuments)
        if (document->Kind() == kind) documents.push_back(document.get());
    return documents;
}

bool CApplicationCore::IsOpen(const CWDocument* document) const {
    return std::any_of(mDocuments.begin(), mDocuments.end(),
                       [&](const auto& owned) { return owned.get() == document; });
}

bool CApplicationCore::IsLive(const CWDocument* document) const {
    return document != nullptr && IsOpen(document) &&
           std::find(mClosing.begin(), mClosing.end(), document) == mClosing.end();
}

CWDocument* CApplicationCore::DocumentOfView(const CPlotView* view) const {
    for (const auto& document : mDocuments)
        if (ShowsDocument(view, *document)) return document.get();
    return nullptr;
}

void CApplicationCore::SetRecentFiles(std::vector<fs::path> files) {
    mRecentFiles.clear();
    for (auto it = files.rbegin(); it != files.rend(); ++it)
        AddRecentFile(*it);
}

void CApplicationCore::AddRecentFile(const fs::path& path) {
    if (path.empty()) return;
    const fs::path name = CanonicalName(path);
    std::erase_if(mRecentFiles, [&](const fs::path& known) { return CanonicalName(known) == name; });
    mRecentFiles.insert(mRecentFiles.begin(), name);
    if (mRecentFiles.size() > kRecentFiles) mRecentFiles.resize(kRecentFiles);
}

void CApplicationCore::StateChanged(CWDocument& document) {
    if (mWindows != nullptr && IsOpen(&document)) mWindows->DocumentStateChanged(document);
}

// ---- the active document ----

void CApplicationCore::WindowActivated(CWDocument* document) {
    // A window of a document that is closing, or not yet (or no longer) open, changes nothing.
    if (document != nullptr && !IsLive(document)) return;
    mNextActiveDocument = document;
    if (mLockedActiveDocument == 0) mActiveDocument = document;
    if (auto* plot = dynamic_cast<CAlphaBetaPlotDocument*>(document)) SetCurrentAlphaBetaPlotDoc(plot);
    if (auto* diagram = dynamic_cast<CPhaseDiagDocument*>(document)) SetCurrentPhaseDiagDoc(diagram);
}

void CApplicationCore::WindowClosed() {
    mNextActiveDocument = nullptr;
    if (mLockedActiveDocument == 0) mActiveDocument = nullptr;
}

CApplicationCore::ActiveDocumentLock::ActiveDocumentLock(CApplicationCore& core) : mCore(core) {
    ++mCore.mLockedActiveDocument;
}

CApplicationCore::ActiveDocumentLock::~ActiveDocumentLock() {
    mCore.Unlock();
}

void CApplicationCore::Unlock() {
    if (mLockedActiveDocument > 0) --mLockedActiveDocument;
    if (mLockedActiveDocument == 0)
        mActiveDocument = IsLive(mNextActiveDocument) ? mNextActiveDocument : nullptr;
}

// ---- current plots ----

void CApplicationCore::SetCurrentAlphaBetaPlotDoc(CAlphaBetaPlotDocument* document) {
    if (document == mAlphaBetaPlotDoc || (document != nullptr && !IsLive(document))) return;
    mAlphaBetaPlotDoc = document;
    Notify(CAppNotification::CurrentChanged);
}

void CApplicationCore::SetCurrentPhaseDiagDoc(CPhaseDiagDocument* document) {
    if (document == mPhaseDiagDoc || (document != nullptr && !IsLive(document))) return;
    mPhaseDiagDoc = document;
    Notify(CAppNotification::CurrentChanged);
}

void CApplicationCore::SetCurrentVTPlotView(CVolumePlotView* view) {
    if (view == mCurrentVTPlotView || (view != nullptr && !IsLive(DocumentOfView(view)))) return;
    mCurrentVTPlotView = view;
    Notify(CAppNotification::CurrentChanged);
}

void CApplicationCore::NotifyPlotWindowActivated(CPlotView* view) {
    if (view == mCurrentPlotView || (view != nullptr && !IsLive(DocumentOfView(view)))) return;
    mCurrentPlotView = view;
    Notify(CAppNotification::CurrentChanged);
}

void CApplicationCore::NotifyPlotWindowClosed(CPlotView* view) {
    ForgetView(view);
}

CFluidModelDataDocument* CApplicationCore::NewFluidModelDocument() {
    return dynamic_cast<CFluidModelDataDocument*>(NewDocument(CDocumentKind::FluidModel));
}

void CApplicationCore::VTPlotCreated(CPhaseDiagDocument& document, CVolumePlotView& view) {
    if (mWindows != nullptr) mWindows->OpenVTPlotWindow(document, view);
    // As the activation of its new window would (a plot made while its document is read is made
    // current when the document opens).
    SetCurrentVTPlotView(&view);
}

void CApplicationCore::VTPlotDestroyed(CPhaseDiagDocument& document, CVolumePlotView& view) {
    if (mWindows != nullptr) mWindows->CloseVTPlotWindow(document, view);
    if (mCurrentVTPlotView == &view) mCurrentVTPlotView = nullptr;
    ForgetView(&view);
    // The plot is no longer current: the commands of its panel page go grey now, not at the next
    // menu.
    Notify(CAppNotification::CurrentChanged);
}

void CApplicationCore::ForgetView(CPlotView* view) {
    if (view == nullptr || view != mCurrentPlotView) return;
    mCurrentPlotView = nullptr;
    Notify(CAppNotification::CurrentChanged);
}

// ---- notifications ----

void CApplicationCore::AddListener(CAppListener* listener) {
    if (listener != nullptr && std::find(mListeners.begin(), mListeners.end(), listener) == mListeners.end())
        mListeners.push_back(listener);
}

void CApplicationCore::RemoveListener(CAppListener* listener) {
    std::erase(mListeners, listener);
}

void CApplicationCore::Notify(CAppNotification notification) {
    // A listener may come or go while it is told.
    const std::vector<CAppListener*> listeners = mListeners;
    for (CAppListener* listener : listeners)
        if (std::find(mListeners.begin(), mListeners.end(), listener) != mListeners.end())
            listener->OnAppNotification(notification);
    if (mWindows != nullptr) mWindows->Notified(notification);
}
