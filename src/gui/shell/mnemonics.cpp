// SPDX-License-Identifier: BSD-3-Clause
#include "gui/shell/mnemonics.hpp"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <functional>
#include <vector>

namespace {

bool Usable(QChar c) {
    return c.isLetterOrNumber() && c.unicode() < 128;
}

// The position the mnemonic goes before: a free first letter of a word, else any free letter.
qsizetype FreePosition(const QString& text, const QSet<QChar>& taken) {
    for (const bool wordStartsOnly : {true, false}) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const bool wordStart = i == 0 || !text[i - 1].isLetterOrNumber();
            if (Usable(text[i]) && (wordStart || !wordStartsOnly) && !taken.contains(text[i].toLower()))
                return i;
        }
    }
    return -1;
}

// A caption of a widget or an action: how to read it and how to set it.
struct CCaption {
    QString text;
    std::function<void(const QString&)> set;
};

void Assign(const std::vector<CCaption>& captions) {
    QStringList texts;
    for (const CCaption& caption : captions)
        texts << caption.text;
    const QStringList marked = WithMnemonics(texts);
    for (std::size_t i = 0; i < captions.size(); ++i)
        if (marked[static_cast<qsizetype>(i)] != captions[i].text)
            captions[i].set(marked[static_cast<qsizetype>(i)]);
}

} // namespace

QChar MnemonicOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') return text[i + 1].toLower();
        ++i; // "&&" is an ampersand shown
    }
    return {};
}

QStringList WithMnemonics(const QStringList& texts) {
    QSet<QChar> taken;
    for (const QString& text : texts)
        if (!MnemonicOf(text).isNull()) taken.insert(MnemonicOf(text));
    QStringList marked = texts;
    for (QString& text : marked) {
        if (text.isEmpty() || !MnemonicOf(text).isNull()) continue;
        const qsizetype position = FreePosition(text, taken);
        if (position < 0) continue;
        taken.insert(text[position].toLower());
        text.insert(position, '&');
    }
    return marked;
}

void AssignMnemonics(QMenu& menu) {
    std::vector<CCaption> captions;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator() || action->text().isEmpty()) continue;
        captions.push_back({action->text(), [action](const QString& text) { action->setText(text); }});
        if (QMenu* submenu = action->menu()) AssignMnemonics(*submenu);
    }
    Assign(captions);
}

void AssignMnemonics(QMenuBar& bar) {
    std::vector<CCaption> captions;
    for (QAction* action : bar.actions()) {
        if (action->text().isEmpty()) continue;
        captions.push_back({action->text(), [action](const QString& text) { action->setText(text); }});
        if (QMenu* menu = action->menu()) AssignMnemonics(*menu);
    }
    Assign(captions);
}

void AssignMnemonics(QWidget& panel) {
    // What a person does or types first, then group boxes; the captions of results (read-only
    // fields) last: on a crowded page the letters run out there, where nothing is typed.
    std::vector<CCaption> captions, results;
    for (QAbstractButton* button : panel.findChildren<QAbstractButton*>())
        if (!button->text().isEmpty())
            captions.push_back({button->text(), [button](const QString& text) { button->setText(text); }});
    for (QLabel* label : panel.findChildren<QLabel*>()) {
        if (label->buddy() == nullptr) continue;
        auto* field = qobject_cast<QLineEdit*>(label->buddy());
        (field != nullptr && field->isReadOnly() ? results : captions)
            .push_back({label->text(), [label](const QString& text) { label->setText(text); }});
    }
    for (QGroupBox* box : panel.findChildren<QGroupBox*>())
        captions.push_back({box->title(), [box](const QString& text) { box->setTitle(text); }});
    captions.insert(captions.end(), results.begin(), results.end());
    Assign(captions);
}
