// SPDX-License-Identifier: BSD-3-Clause
#include "gui/shell/qt_services.hpp"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QSettings>

#include "base/program_folder.hpp"
#include "gui/shell/log_window.hpp"
#include "gui/shell/main_window.hpp"
#include "gui/shell/recovery_dialog.hpp"
#include "gui/shell/settings.hpp"
#include "gui/shell/tool_panels.hpp"
#include "gui/shell/zephon_app.hpp"

namespace {

QString ToQ(const std::string& text) {
    return QString::fromStdString(text);
}

QMessageBox::Icon ToQtIcon(CMessageIcon icon) {
    switch (icon) {
    case CMessageIcon::Information:
        return QMessageBox::Information;
    case CMessageIcon::Error:
        return QMessageBox::Critical;
    case CMessageIcon::Warning:
        break;
    }
    return QMessageBox::Warning;
}

std::filesystem::path ToPath(const QString& file) {
    return std::filesystem::path(file.toStdString());
}

} // namespace

QWidget* CQtServices::DialogParent() const {
    if (QWidget* active = QApplication::activeModalWidget()) return active;
    return mApp != nullptr ? static_cast<QWidget*>(&mApp->MainWindow()) : nullptr;
}

QString CQtServices::ToQtFilter(const std::string& filter) {
    // "Alpha-Beta plots (*.abp)|*.abp||": the name part of each pair, separated by ";;".
    QStringList names;
    const QStringList parts = ToQ(filter).split('|', Qt::SkipEmptyParts);
    for (int i = 0; i < parts.size(); i += 2)
        names << parts[i];
    if (names.isEmpty()) names << ToQ(filter);
    return names.join(";;");
}

// ---- talking to people ----

void CQtServices::ShowMessage(const CUserMessage& message) {
    QMessageBox box(ToQtIcon(message.icon),
                    message.caption.empty() ? QString("Zephon") : ToQ(message.caption), ToQ(message.text),
                    QMessageBox::Ok, DialogParent());
    if (message.systemModal) box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

bool CQtServices::AskYesNo(const std::string& question, const std::string& caption) {
    QMessageBox box(QMessageBox::Warning, caption.empty() ? QString("Zephon") : ToQ(caption), ToQ(question),
                    QMessageBox::Yes | QMessageBox::No, DialogParent());
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> CQtServices::PromptText(const std::string& title, const std::string& label,
                                                   const std::string& proposal) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(DialogParent(), ToQ(title), ToQ(label), QLineEdit::Normal, ToQ(proposal), &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}

std::optional<std::filesystem::path> CQtServices::ChooseFileToOpen(const CFileChoice& choice) {
    QSettings settings = ZephonSettings();
    const QString folder = settings.value(kLastOpenFolderKey).toString();
    const QString file =
        QFileDialog::getOpenFileName(DialogParent(), ToQ(choice.title), folder, ToQtFilter(choice.filter));
    if (file.isEmpty()) return std::nullopt;
    settings.setValue(kLastOpenFolderKey, QFileInfo(file).absolutePath());
    return ToPath(file);
}

std::optional<std::filesystem::path> CQtServices::ChooseFileToSave(const CFileSaveChoice& choice) {
    QSettings settings = ZephonSettings();
    QString proposal = ToQ(choice.proposal.string());
    if (QFileInfo(proposal).isRelative())
        proposal = QFileInfo(settings.value(kLastSaveFolderKey).toString(), proposal).filePath();
    QFileDialog dialog(DialogParent(), ToQ(choice.title), proposal, ToQtFilter(choice.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(ToQ(choice.defaultExtension).remove(0, 1));
    dialog.selectFile(proposal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString file = dialog.selectedFiles().constFirst();
    settings.setValue(kLastSaveFolderKey, QFileInfo(file).absolutePath());
    return ToPath(file);
}

CSaveAnswer CQtServices::AskSaveChanges(const std::string& documentTitle) {
    QMessageBox box(QMessageBox::Warning, "Zephon", ToQ(SaveChangesQuestion(documentTitle)),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, DialogParent());
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return CSaveAnswer::Save;
    case QMessageBox::Discard:
        return CSaveAnswer::Discard;
    default:
        return CSaveAnswer::Cancel;
    }
}

void CQtServices::BeginWaitCursor() {
    if (mWaitDepth++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CQtServices::EndWaitCursor() {
    if (mWaitDepth > 0 && --mWaitDepth == 0) QApplication::restoreOverrideCursor();
}

bool CQtServices::RunProgressLoop(const CProgressLoop& loop, const std::function<CProgressStep()>& step) {
    // A range of 0 makes the bar a busy indicator.
    QProgressDialog dialog(ToQ(loop.title), "Cancel", 0, std::max(0, loop.range), DialogParent());
    dialog.setWindowTitle(ToQ(loop.title));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    dialog.show();
    int advanced = 0;
    for (;;) {
        // Paint the dialog and take the Cancel click between two steps; the modal dialog keeps
        // every other window from being used meanwhile.
        QApplication::processEvents();
        if (dialog.wasCanceled()) return false;
        const CProgressStep result = step();
        if (!result.text.empty()) dialog.setLabelText(ToQ(result.text));
        if (result.advance && dialog.maximum() > 0) dialog.setValue(++advanced % (dialog.maximum() + 1));
        if (!result.more) return true;
    }
}

std::optional<std::vector<std::size_t>>
CQtServices::ChooseDocumentsToRecover(const std::vector<CRecoveryCopy>& copies) {
    CRecoveryDialog dialog(copies, DialogParent());
    dialog.exec();
    return dialog.Choice();
}

// ---- documents and windows ----

void CQtServices::WriteLog(const std::string& lines) {
    if (mApp != nullptr) mApp->Log().InsertText(ToQ(lines));
}

void CQtServices::ShowStatus(const std::string& text) {
    if (mApp != nullptr) mApp->MainWindow().ShowStatus(ToQ(text));
}

void CQtServices::DisplayToolPanel(CToolPanelKind kind, int page) {
    if (mApp != nullptr) mApp->Panels().Display(kind, page);
}

std::filesystem::path CQtServices::GetApplicationFolder() const {
    return FindProgramDataFolder();
}
