// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// What the widgets of the tool panels' pages share: each shows one page of the application's
// logic (CPanelPage) and hands every edit, choice and click back to it; after every change the
// page reports, the widget sets its controls from the page under a guard, so that setting them
// never looks like a person's edit.

#include <QWidget>

#include "app/panel_page.hpp"

class CZephonApp;
class QAbstractButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QString;

class CPageWidget : public QWidget {
    Q_OBJECT

  public:
    CPageWidget(CPanelPage& page, CZephonApp& app);
    ~CPageWidget() override;

    CPanelPage& Page() const { return mPage; }

  protected:
    // Model to view: every control from the page.
    virtual void Sync() = 0;
    // The number field of the page's field number, for the focus after a refused field.
    virtual QLineEdit* FieldWidget(int field) const = 0;
    // The controls are made: from now on they follow the page.
    void Start();
    // Appends the lines to the log and shows the log window if it is hidden.
    void WriteLog(const std::string& text);
    CZephonApp& App() const { return mApp; }

    static void SyncList(QListWidget& list, const CListControl& control);
    static void SyncField(QLineEdit& edit, const CFieldControl& control);
    static void SyncButton(QAbstractButton& button, const CButtonControl& control);
    // Two radio buttons of which the first is checked when the control is.
    static void SyncRadioPair(QRadioButton& first, QRadioButton& second, const CButtonControl& control);
    // An edit that reports what a person types, and a list that reports what a person chooses.
    QLineEdit* MakeField(const QString& name, std::function<void(const std::string&)> edited);
    QListWidget* MakeList(const QString& name, std::function<void(int)> chosen);
    QPushButton* MakeButton(const char* caption, const char* name, std::function<void()> clicked);
    QRadioButton* MakeRadio(const char* caption, const char* name, std::function<void()> clicked);
    // A check box that reports its new state when a person clicks it.
    QCheckBox* MakeCheck(const char* caption, const char* name, std::function<void(bool)> clicked);
    // A caption in UTF-8, for the control that its mnemonic focuses.
    QLabel* Caption(const char* text, QWidget* buddy, QWidget* parent = nullptr);

  private:
    void PageChanged();

    CPanelPage& mPage;
    CZephonApp& mApp;
    bool mSyncing = false;
    bool mStarted = false;
};
