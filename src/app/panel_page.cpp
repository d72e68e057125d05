// SPDX-License-Identifier: BSD-3-Clause
#include "app/panel_page.hpp"

#include <algorithm>

#include "base/misc_util.hpp"
#include "base/number_field.hpp"
#include "documents/w_document.hpp"
#include "plot/plot_view.hpp"

const std::string& CListControl::SelectedText() const {
    static const std::string kNone;
    return selected >= 0 && selected < static_cast<int>(entries.size()) ? entries[selected] : kNone;
}

void CListControl::Reset(std::vector<std::string> newEntries, int fallback) {
    const std::string previous = SelectedText();
    entries = std::move(newEntries);
    const auto it = std::find(entries.begin(), entries.end(), previous);
    if (!previous.empty() && it != entries.end())
        selected = static_cast<int>(it - entries.begin());
    else
        selected = entries.empty() ? -1 : std::clamp(fallback, 0, static_cast<int>(entries.size()) - 1);
}

CPanelPage::CPanelPage(CApplicationCore& core, std::string title) : mCore(core), mTitle(std::move(title)) {
    mCore.AddListener(this);
}

CPanelPage::~CPanelPage() {
    mCore.RemoveListener(this);
}

std::optional<int> CPanelPage::TakeFocusRequest() {
    auto request = mFocusRequest;
    mFocusRequest.reset();
    return request;
}

void CPanelPage::Changed() {
    if (mChangedHandler) mChangedHandler();
}

void CPanelPage::OnDocumentClosing(CWDocument& document) {
    // The document is still in the application's list while listeners are told.
    mClosing = &document;
    ForgetDocument(document);
    Refresh();
    mClosing = nullptr;
}

std::vector<CWDocument*> CPanelPage::OpenDocuments(CDocumentKind kind) const {
    std::vector<CWDocument*> documents = mCore.Documents(kind);
    std::erase(documents, mClosing);
    return documents;
}

std::string CPanelPage::LogLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::optional<double> CPanelPage::PeekField(const std::string& text,
                                            const std::function<bool(double)>& inRange) {
    const auto value = ParseNumberField(text);
    if (!value || (inRange && !inRange(*value))) return std::nullopt;
    return value;
}

std::optional<double> CPanelPage::ReadField(int field, const std::string& text, const std::string& message,
                                            const std::function<bool(double)>& inRange) {
    const auto value = PeekField(text, inRange);
    if (!value) {
        Services().ShowMessage({message, "", CMessageIcon::Warning, true});
        mFocusRequest = field;
        Changed();
    }
    return value;
}

std::optional<CGasContents> CPanelPage::PeekGasFields(const std::string& co2, const std::string& n2,
                                                      const std::string& h2s) {
    const auto a = PeekField(co2, IsGasContent), b = PeekField(n2, IsGasContent),
               c = PeekField(h2s, IsGasContent);
    if (!a || !b || !c || *a + *b + *c >= 100) return std::nullopt;
    return CGasContents{*a, *b, *c};
}

std::optional<CGasContents> CPanelPage::ReadGasFields(int co2Field, const std::string& co2, int n2Field,
                                                      const std::string& n2, int h2sField,
                                                      const std::string& h2s) {
    const auto a = ReadField(co2Field, co2, "CO2 is not a valid number.", IsGasContent);
    if (!a) return std::nullopt;
    const auto b = ReadField(n2Field, n2, "N2 is not a valid number.", IsGasContent);
    if (!b) return std::nullopt;
    const auto c = ReadField(h2sField, h2s, "H2S is not a valid number.", IsGasContent);
    if (!c) return std::nullopt;
    if (*a + *b + *c >= 100) {
        Services().ShowMessage({"The CO2 + N2 + H2S value is not valid.", "", CMessageIcon::Warning, true});
        mFocusRequest = co2Field;
        Changed();
        return std::nullopt;
    }
    return CGasContents{*a, *b, *c};
}

void CPanelPage::SetShown(bool shown) {
    mShown = shown;
    if (shown)
        Refresh();
    else
        OnHidden();
}

void CPanelPage::Highlight(CPlotView& view, std::initializer_list<CGraphObject*> objects) const {
    if (!mShown) return;
    view.hilite(nullptr);
    for (CGraphObject* object : objects)
        if (object != nullptr) view.hilite1(object);
}

std::string FieldText(double value, int digits) {
    return FormatFixed(value, digits);
}

std::string IsochorEntryText(const std::string& name) {
    const std::string separator = ": Th = ";
    const std::size_t at = name.rfind(separator);
    if (at == std::string::npos) return name;
    const auto trimmed = [](std::string text) {
        const std::size_t first = text.find_first_not_of(' ');
        if (first == std::string::npos) return std::string();
        return text.substr(first, text.find_last_not_of(' ') - first + 1);
    };
    const std::string diagram = trimmed(name.substr(0, at));
    const std::string own = trimmed(name.substr(at + 2));
    return diagram.empty() ? own : own + "  (" + diagram + ")";
}

std::string GroupedFieldText(double value, int digits) {
    return SpaceNumberInsert(FormatFixed(value, digits));
}
