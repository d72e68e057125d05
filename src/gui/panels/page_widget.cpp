// SPDX-License-Identifier: BSD-3-Clause
#include "gui/panels/page_widget.hpp"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include "gui/shell/log_window.hpp"
#include "gui/shell/mnemonics.hpp"
#include "gui/shell/zephon_app.hpp"

CPageWidget::CPageWidget(CPanelPage& page, CZephonApp& app) : mPage(page), mApp(app) {
    mPage.SetChangedHandler([this] { PageChanged(); });
}

CPageWidget::~CPageWidget() {
    mPage.SetChangedHandler(nullptr);
}

void CPageWidget::Start() {
    mStarted = true;
    PageChanged();
    // Once the controls show the page, the read-only results among them are known.
    AssignMnemonics(*this);
}

void CPageWidget::PageChanged() {
    if (mSyncing || !mStarted) return;
    mSyncing = true;
    Sync();
    mSyncing = false;
    if (const auto field = mPage.TakeFocusRequest()) {
        if (QLineEdit* edit = FieldWidget(*field)) {
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
        }
    }
}

void CPageWidget::WriteLog(const std::string& text) {
    if (text.empty()) return;
    CLogWindow& log = mApp.Log();
    if (!log.isVisible()) log.ShowLog();
    log.InsertText(QString::fromStdString(text));
}

namespace {

// A control disabled while it has the focus hands it on along the main window's focus chain, which
// may reach a document window and bring that document to the front: the control's parent, on the
// same page, takes the focus first.
void KeepFocusOnPage(QWidget& control, bool enabled) {
    if (enabled || !control.hasFocus()) return;
    if (QWidget* parent = control.parentWidget()) parent->setFocus(Qt::OtherFocusReason);
}

} // namespace

void CPageWidget::SyncList(QListWidget& list, const CListControl& control) {
    const QSignalBlocker guard(list);
    bool same = list.count() == static_cast<int>(control.entries.size());
    for (int i = 0; same && i < list.count(); ++i)
        same = list.item(i)->text().toStdString() == control.entries[i];
    if (!same) {
        list.clear();
        for (const std::string& entry : control.entries)
            list.addItem(QString::fromStdString(entry));
    }
    list.setCurrentRow(control.selected);
    KeepFocusOnPage(list, control.enabled);
    list.setEnabled(control.enabled);
}

void CPageWidget::SyncField(QLineEdit& edit, const CFieldControl& control) {
    const QSignalBlocker guard(edit);
    const QString text = QString::fromStdString(control.text);
    // Setting the same text would move the cursor of the person typing in it.
    if (edit.text() != text) edit.setText(text);
    edit.setReadOnly(control.readOnly);
    if (control.readOnly) {
        // A result is read whole: the field grows to hold it, and shows it from its start.
        // (The line edit keeps 2 pixels beside its text, inside its frame.)
        const int needed = edit.fontMetrics().horizontalAdvance(text) + edit.textMargins().left() +
                           edit.textMargins().right() +
                           2 * edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &edit) + 6;
        if (edit.minimumWidth() < needed) edit.setMinimumWidth(needed);
        edit.setCursorPosition(0);
    }
    KeepFocusOnPage(edit, control.enabled);
    edit.setEnabled(control.enabled);
}

void CPageWidget::SyncButton(QAbstractButton& button, const CButtonControl& control) {
    const QSignalBlocker guard(button);
    KeepFocusOnPage(button, control.enabled);
    button.setEnabled(control.enabled);
    if (button.isCheckable()) button.setChecked(control.checked);
}

QLineEdit* CPageWidget::MakeField(const QString& name, std::function<void(const std::string&)> edited) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    connect(edit, &QLineEdit::textEdited, this,
            [edited](const QString& text) { edited(text.toStdString()); });
    return edit;
}

QListWidget* CPageWidget::MakeList(const QString& name, std::function<void(int)> chosen) {
    auto* list = new QListWidget(this);
    list->setObjectName(name);
    // An entry too long for the list keeps its start and its end.
    list->setTextElideMode(Qt::ElideMiddle);
    connect(list, &QListWidget::currentRowChanged, this, [chosen](int row) {
        if (row >= 0) chosen(row);
    });
    return list;
}

QPushButton* CPageWidget::MakeButton(const char* caption, const char* name, std::function<void()> clicked) {
    auto* button = new QPushButton(QString::fromUtf8(caption), this);
    button->setObjectName(name);
    connect(button, &QPushButton::clicked, this, [clicked] { clicked(); });
    return button;
}

QRadioButton* CPageWidget::MakeRadio(const char* caption, const char* name, std::function<void()> clicked) {
    auto* radio = new QRadioButton(QString::fromUtf8(caption), this);
    radio->setObjectName(name);
    connect(radio, &QRadioButton::clicked, this, [clicked] { clicked(); });
    return radio;
}

QCheckBox* CPageWidget::MakeCheck(const char* caption, const char* name, std::function<void(bool)> clicked) {
    auto* check = new QCheckBox(QString::fromUtf8(caption), this);
    check->setObjectName(name);
    connect(check, &QCheckBox::clicked, this, [clicked](bool checked) { clicked(checked); });
    return check;
}

QLabel* CPageWidget::Caption(const char* text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent ? parent : this);
    label->setBuddy(buddy);
    return label;
}

void CPageWidget::SyncRadioPair(QRadioButton& first, QRadioButton& second, const CButtonControl& control) {
    SyncButton(first, control);
    const QSignalBlocker guard(second);
    second.setChecked(!control.checked);
    KeepFocusOnPage(second, control.enabled);
    second.setEnabled(control.enabled);
}
