// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// What the pages of the three tool panels share, without a toolkit.
//
// A page holds what its controls show (list entries and the selected one, field texts, what is
// enabled or read-only) and the actions behind its buttons. The window that shows a page sets its
// controls from the page after every change it is told of, and hands every edit, selection and
// click back to the page; it decides nothing itself.
//
// Every page follows the application on its own, whether it is shown or not: the current plot
// documents, their changes and selections, and documents that close, so that no page ever holds a
// document or record that is gone.

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "app/application_core.hpp"
#include "documents/alpha_beta_plot_document.hpp"
#include "documents/phase_diag_document.hpp"

class CGraphObject;
class CPlotView;

struct CListControl {
    std::vector<std::string> entries;
    int selected = -1; // -1: none
    bool enabled = true;

    const std::string& SelectedText() const;
    // Entries and selection at once: the given entries, the selection kept on the entry of the same
    // text when there is one, else on `fallback` (clamped to the entries).
    void Reset(std::vector<std::string> newEntries, int fallback = 0);
};

struct CFieldControl {
    std::string text;
    bool readOnly = false;
    bool enabled = true;
};

struct CButtonControl {
    bool enabled = true;
    bool checked = false; // check boxes, toggles and radio buttons
};

// The contents of CO2, N2 and H2S, mole percent.
struct CGasContents {
    double co2 = 0;
    double n2 = 0;
    double h2s = 0;
};

class CPanelPage : public CAppListener {
  public:
    CPanelPage(CApplicationCore& core, std::string title);
    ~CPanelPage() override;
    CPanelPage(const CPanelPage&) = delete;
    CPanelPage& operator=(const CPanelPage&) = delete;

    const std::string& Title() const { return mTitle; }
    // Told after every change of what the page shows.
    void SetChangedHandler(std::function<void()> handler) { mChangedHandler = std::move(handler); }
    // After a field was refused: the field to give the focus with its whole text selected. Asking
    // forgets it.
    std::optional<int> TakeFocusRequest();
    // The page came to the front, or went out of sight (another page, or its panel closed). Only
    // the page in front highlights anything on a plot.
    void SetShown(bool shown);
    bool IsShown() const { return mShown; }
    // Builds every list again from the current documents.
    virtual void Refresh() = 0;

    void OnDocumentClosing(CWDocument& document) override;

    // Lines of the log, each ended by CR LF.
    static std::string LogLines(const std::vector<std::string>& lines);

  protected:
    virtual void OnHidden() {}
    CApplicationCore& Core() const { return mCore; }
    // The field to focus after the action (a calculation leaves the focus on its first field).
    void RequestFocus(int field) { mFocusRequest = field; }
    CApplicationServices& Services() const { return mCore.Services(); }
    void Changed();

    // The open documents of a kind, in the order they were opened, without one that is closing.
    std::vector<CWDocument*> OpenDocuments(CDocumentKind kind) const;
    template <class Document> std::vector<Document*> Open(CDocumentKind kind) const {
        std::vector<Document*> documents;
        for (CWDocument* document : OpenDocuments(kind))
            if (auto* typed = dynamic_cast<Document*>(document)) documents.push_back(typed);
        return documents;
    }
    // A document that closes: the page forgets it (and what it held of it) before it refreshes.
    virtual void ForgetDocument(CWDocument& document) = 0;

    // A number field read by the rule of the dialogs, and within the range when one is given. A
    // refused field shows the message in a warning box and asks for the focus; nothing is returned.
    std::optional<double> ReadField(int field, const std::string& text, const std::string& message,
                                    const std::function<bool(double)>& inRange = {});
    // The three gas fields: each a number in [0, 100), and together below 100 (more would leave
    // the oil a negative share).
    std::optional<CGasContents> ReadGasFields(int co2Field, const std::string& co2, int n2Field,
                                              const std::string& n2, int h2sField, const std::string& h2s);
    // The same rules without a word to anyone, for fields that are followed while typed.
    static std::optional<double> PeekField(const std::string& text,
                                           const std::function<bool(double)>& inRange = {});
    static std::optional<CGasContents> PeekGasFields(const std::string& co2, const std::string& n2,
                                                     const std::string& h2s);
    static bool IsGasContent(double value) { return value >= 0 && value < 100; }

    // Highlights the objects (none: clears every highlight) and asks the plot to repaint; nothing
    // while the page is out of sight.
    void Highlight(CPlotView& view, std::initializer_list<CGraphObject*> objects) const;

  private:
    CApplicationCore& mCore;
    std::string mTitle;
    std::function<void()> mChangedHandler;
    std::optional<int> mFocusRequest;
    CWDocument* mClosing = nullptr;
    bool mShown = false;
};

// A page of the current alpha-beta plot (CAlphaBetaPlotDocument) or of the current P-T diagram
// (CPhaseDiagDocument): it takes the new current document, refreshes when one of the given
// changes is notified, and follows the selection in the document's plot.
template <class TDocument> class CPlotDocumentPage : public CPanelPage {
  public:
    TDocument* Document() const { return mDocument; }

    void OnAppNotification(CAppNotification notification) override {
        if (notification == CAppNotification::CurrentChanged) {
            TDocument* current = Current();
            if (current == mDocument) return;
            LeaveDocument();
            mDocument = current;
            Refresh();
        } else if (notification == mSelection) {
            if (mDocument != nullptr) FollowPlotSelection();
        } else if (std::find(mRefreshOn.begin(), mRefreshOn.end(), notification) != mRefreshOn.end()) {
            Refresh();
        }
    }

  protected:
    CPlotDocumentPage(CApplicationCore& core, std::string title, CAppNotification selection,
                      std::vector<CAppNotification> refreshOn)
        : CPanelPage(core, std::move(title)), mSelection(selection), mRefreshOn(std::move(refreshOn)) {
        mDocument = Current();
    }
    // The object selected in the document's plot changed.
    virtual void FollowPlotSelection() = 0;
    // Another document becomes current: what the page showed on the one before goes.
    virtual void LeaveDocument() {}
    void ForgetDocument(CWDocument& document) override {
        if (mDocument != nullptr && static_cast<CWDocument*>(mDocument) == &document) mDocument = nullptr;
    }

    TDocument* mDocument = nullptr;

  private:
    TDocument* Current() const {
        if constexpr (std::is_same_v<TDocument, CAlphaBetaPlotDocument>)
            return Core().CurrentAlphaBetaPlotDoc();
        else
            return Core().CurrentPhaseDiagDoc();
    }

    CAppNotification mSelection;
    std::vector<CAppNotification> mRefreshOn;
};

// What refreshes a page of the phase-diagram panel: any document it lists something of.
inline std::vector<CAppNotification> PhaseDiagramPageChanges() {
    return {CAppNotification::AlphaBetaPlotModified, CAppNotification::PTPlotModified,
            CAppNotification::InclusionsDataDocModified, CAppNotification::FluidModelDataDocModified};
}

// "%.Nlf" of a value shown in a field.
std::string FieldText(double value, int digits);
// An isochore in a list: what tells it from the others first ("Th = 95.00, L  (FM 827 224 1 0 0)"
// for "FM 827 224 1 0 0 : Th = 95.00, L "), so that a narrow list cuts only its diagram's name.
std::string IsochorEntryText(const std::string& name);
// Large values with their thousands apart, as gas-oil ratios are shown: "1 234.50".
std::string GroupedFieldText(double value, int digits);
