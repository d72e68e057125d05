// SPDX-License-Identifier: BSD-3-Clause
#include "gui/tables/table_window.hpp"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <set>

#include "app/table_formats.hpp"
#include "app/table_inclusion_models.hpp"
#include "documents/w_document.hpp"
#include "gui/shell/main_window.hpp"
#include "gui/shell/qt_services.hpp"
#include "gui/shell/zephon_app.hpp"
#include "gui/tables/table_delegate.hpp"
#include "gui/tables/table_editing.hpp"
#include "gui/tables/table_item_model.hpp"

namespace {

int ColumnWidth(const CColumnRule& rule) {
    switch (rule.kind) {
    case CCellKind::Name:
        return 120;
    case CCellKind::Component:
        return 90;
    case CCellKind::Homog:
        return 60;
    case CCellKind::Number:
        break;
    }
    return 76;
}

constexpr int kButtonWidth = 104;
constexpr int kRowHeight = 24;

} // namespace

CTableWindow::CTableWindow(CZephonApp& app, std::shared_ptr<CTableEditing> editing,
                           std::unique_ptr<CTableModel> model, Setup setup)
    : mApp(app), mDocument(&editing->Document()), mEditing(std::move(editing)), mModel(std::move(model)),
      mSetup(std::move(setup)) {
    mItemModel = std::make_unique<CTableItemModel>(*mModel);
    mView = new QTableView(this);
    mView->setModel(mItemModel.get());
    auto* delegate = new CTableDelegate(*mItemModel, mView);
    mView->setItemDelegate(delegate);
    // Every cell is typed in place: arriving in a cell (Up and Down included) opens its editor with
    // the text selected, as in a form.
    mView->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    mView->setSelectionBehavior(QAbstractItemView::SelectItems);
    mView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    mView->setTabKeyNavigation(true);
    mView->setWordWrap(false);
    mView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    mView->verticalHeader()->setDefaultSectionSize(kRowHeight);
    mView->horizontalHeader()->setHighlightSections(false);
    for (int c = 0; c < mModel->ColumnCount(); ++c)
        mView->setColumnWidth(c, ColumnWidth(mModel->Column(c)));
    if (mItemModel->ButtonColumn() >= 0) mView->setColumnWidth(mItemModel->ButtonColumn(), kButtonWidth);
    mView->horizontalHeader()->setStretchLastSection(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(mView);
    if (mModel->CanNormalize()) {
        auto* row = new QHBoxLayout;
        row->setContentsMargins(4, 0, 4, 4);
        row->addStretch();
        mNormalizeButton = new QPushButton("Normalize", this);
        row->addWidget(mNormalizeButton);
        layout->addLayout(row);
        connect(mNormalizeButton, &QPushButton::clicked, this, &CTableWindow::Normalize);
    }

    connect(mItemModel.get(), &CTableItemModel::Refused, this,
            [this](const QString& reason) { ShowStatus(reason); });
    // A good edit after a refused one: the reason no longer applies.
    connect(mItemModel.get(), &CTableItemModel::Accepted, this, [this] { ShowStatus({}); });
    delegate->SetRowsSelected([this] { return RowsSelected(); });
    connect(delegate, &CTableDelegate::ButtonClicked, this, [this](int row) { OpenSubTable(row); });
    // The main window follows the document: titles, its modified marker and what Undo can do.
    if (!mSetup.isSubTable)
        connect(mEditing.get(), &CTableEditing::Changed, &mApp.MainWindow(), &CMainWindow::UpdateActions);
    mEditing->Session().AddListener(this);
    if (!mSetup.isSubTable) mDocument->AddView(this);
    // The clipboard is asked when it changes, not each time the menus are updated (on X11 each
    // question goes to the program that owns it).
    QClipboard* clipboard = QGuiApplication::clipboard();
    mClipboardHasText = !clipboard->text().isEmpty();
    connect(clipboard, &QClipboard::dataChanged, this,
            [this, clipboard] { mClipboardHasText = !clipboard->text().isEmpty(); });
    mLastTitle = WindowTitle();
    resize(sizeHint());
}

CTableWindow::~CTableWindow() {
    DetachDocument();
}

QSize CTableWindow::sizeHint() const {
    // Detached from its document, the window waits to be deleted with nothing to measure.
    if (!mItemModel) return size();
    // Room for the row numbers, the frame and a vertical scroll bar.
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    int width = mView->verticalHeader()->sizeHint().width() + 2 * mView->frameWidth() + scrollBar + 4;
    for (int c = 0; c < mItemModel->columnCount(); ++c)
        width += mView->columnWidth(c);
    const int rows = mSetup.isSubTable ? 6 : 10;
    int height = mView->horizontalHeader()->sizeHint().height() + rows * kRowHeight + 2 * mView->frameWidth();
    if (mNormalizeButton != nullptr) height += mNormalizeButton->sizeHint().height() + 8;
    return {width, height};
}

void CTableWindow::DetachDocument() {
    if (!mEditing) return;
    mLastTitle = WindowTitle();
    for (auto& [record, window] : mSubTables)
        if (window) window->DetachDocument();
    mSubTables.clear();
    mEditing->Session().RemoveListener(this);
    mDocument->RemoveView(this);
    mView->setModel(nullptr);
    mItemModel.reset();
    mModel.reset();
    mEditing.reset();
    mDocument = nullptr;
}

void CTableWindow::OnDocumentUpdate(CWDocument&) {
    if (!mModel || mSetup.isSubTable) return;
    mView->setCurrentIndex({}); // an open editor writes into no row that is gone
    CTableSession& session = mEditing->Session();
    // Told as a reset of the list: the sub-tables of every old row close, the model rereads it.
    session.Broadcast({mModel->ListKey(), CListEventKind::AboutToReset, 0, mModel->RowCount()});
    mEditing->ContentReplaced();
    session.Broadcast({mModel->ListKey(), CListEventKind::Reset, 0, 0});
}

bool CTableWindow::RowsSelected() const {
    const QItemSelectionModel* selection = mView->selectionModel();
    return selection != nullptr &&
           (!selection->selectedRows().isEmpty() || selection->selectedIndexes().size() > 1);
}

QString CTableWindow::WindowTitle() const {
    if (!mEditing) return mLastTitle;
    return mSetup.title ? mSetup.title() : QString();
}

void CTableWindow::DocumentStateChanged() {
    if (mEditing) mEditing->DocumentSaved();
}

void CTableWindow::ShowStatus(const QString& text) const {
    mApp.MainWindow().ShowStatus(text);
}

void CTableWindow::Focus(long row, int column) {
    if (!mModel || row < 0 || row >= mModel->RowCount()) return;
    const QModelIndex index = mItemModel->index(static_cast<int>(row), column);
    mView->setFocus();
    mView->setCurrentIndex(index);
    mView->scrollTo(index);
}

// ---- commands ----

CWindowAbilities CTableWindow::Abilities() const {
    CWindowAbilities abilities;
    if (!mModel) return abilities;
    abilities.undo = mEditing->Stack().canUndo();
    abilities.redo = mEditing->Stack().canRedo();
    abilities.copy = mModel->RowCount() > 0;
    abilities.paste = mClipboardHasText;
    abilities.selectAll = mModel->RowCount() > 0;
    abilities.addRow = true;
    abilities.deleteRow = mView->currentIndex().isValid();
    abilities.normalize = mModel->CanNormalize();
    abilities.importExport = mSetup.importExport;
    return abilities;
}

bool CTableWindow::RunCommand(CAppCommand command) {
    if (!mModel) return false;
    switch (command) {
    case CAppCommand::EditUndo:
        mEditing->Stack().undo();
        return true;
    case CAppCommand::EditRedo:
        mEditing->Stack().redo();
        return true;
    case CAppCommand::EditCopy:
        CopySelection();
        return true;
    case CAppCommand::EditPaste:
        PasteClipboard();
        return true;
    case CAppCommand::EditSelectAll:
        mView->selectAll();
        return true;
    case CAppCommand::EditAddRow:
        AddRow();
        return true;
    case CAppCommand::EditDeleteRow:
        DeleteCurrentRow();
        return true;
    case CAppCommand::EditNormalize:
        Normalize();
        return true;
    case CAppCommand::FileImport:
        ImportFile();
        return true;
    case CAppCommand::FileExport:
        ExportFile();
        return true;
    default:
        return false;
    }
}

void CTableWindow::AddRow() {
    if (!mModel) return;
    const long row = mModel->AddRow();
    Focus(row, 0);
}

bool CTableWindow::DeleteCurrentRow() {
    if (!mModel) return false;
    const QModelIndex current = mView->currentIndex();
    if (!current.isValid()) return false;
    const long rowsBefore = mModel->RowCount();
    const int column = std::min(current.column(), mModel->ColumnCount() - 1);
    // An open editor would write into the row after it is gone.
    mView->setCurrentIndex({});
    if (!mModel->DeleteRow(current.row())) {
        Focus(current.row(), current.column());
        return false;
    }
    Focus(RowToFocusAfterDelete(current.row(), rowsBefore), column);
    return true;
}

void CTableWindow::Normalize() {
    if (!mModel) return;
    mView->setCurrentIndex({}); // an open editor keeps no old percentage
    if (!mModel->Normalize()) ShowStatus("Normalize: the mole percentages sum to 0; nothing was changed.");
}

void CTableWindow::CopySelection() {
    if (!mModel) return;
    std::set<long> rows;
    for (const QModelIndex& index : mView->selectionModel()->selectedIndexes())
        rows.insert(index.row());
    if (rows.empty() && mView->currentIndex().isValid()) rows.insert(mView->currentIndex().row());
    if (rows.empty()) return;
    const std::vector<long> ordered(rows.begin(), rows.end());
    QGuiApplication::clipboard()->setText(QString::fromStdString(mModel->CopyRows(ordered)));
    ShowStatus(QString("%1 rows copied.").arg(ordered.size()));
}

void CTableWindow::PasteClipboard() {
    if (!mModel) return;
    const std::string text = QGuiApplication::clipboard()->text().toStdString();
    long first = -1;
    for (const QModelIndex& index : mView->selectionModel()->selectedRows())
        first = first < 0 ? index.row() : std::min<long>(first, index.row());
    const long rowsBefore = mModel->RowCount();
    mView->setCurrentIndex({});
    const CEditOutcome outcome = mModel->Paste(text, first);
    if (!outcome.accepted) {
        ShowStatus(QString::fromStdString(outcome.reason));
        return;
    }
    Focus(first >= 0 ? first : rowsBefore, 0);
}

void CTableWindow::ImportFile() {
    auto* inclusions = dynamic_cast<CInclusionTableModel*>(mModel.get());
    if (inclusions == nullptr) return;
    CQtServices& services = mApp.Services();
    const auto path =
        services.ChooseFileToOpen({"Import", ".csv", "CSV files (*.csv)|*.csv|All files (*)|*||"});
    if (!path) return;
    const long rowsBefore = inclusions->RowCount();
    mView->setCurrentIndex({});
    const CEditOutcome outcome = inclusions->ImportFile(*path);
    if (!outcome.accepted) {
        services.ShowMessage({outcome.reason, "Import", CMessageIcon::Warning, false});
        return;
    }
    ShowStatus(QString("%1 inclusions imported.").arg(inclusions->RowCount() - rowsBefore));
    Focus(rowsBefore, 0);
}

void CTableWindow::ExportFile() {
    auto* inclusions = dynamic_cast<CInclusionTableModel*>(mModel.get());
    if (inclusions == nullptr) return;
    CQtServices& services = mApp.Services();
    std::filesystem::path proposal = mDocument->GetPathName();
    proposal = proposal.empty() ? std::filesystem::path(mDocument->GetTitle() + ".csv")
                                : proposal.replace_extension(".csv");
    const auto path = services.ChooseFileToSave({"Export", ".csv", "CSV files (*.csv)", proposal});
    if (!path) return;
    std::string error;
    if (!inclusions->ExportFile(*path, error)) {
        services.ShowMessage({"The inclusions could not be exported to \"" + path->string() + "\": " + error,
                              "Export", CMessageIcon::Warning, false});
        return;
    }
    ShowStatus(QString("%1 inclusions exported.").arg(inclusions->RowCount()));
}

// ---- sub-tables ----

void CTableWindow::SetSubTables(SubTableMaker maker, std::function<const void*(long row)> recordOf) {
    mSubTableMaker = std::move(maker);
    mRecordOf = std::move(recordOf);
}

CTableWindow* CTableWindow::SubTableOf(const void* record) const {
    const auto it = mSubTables.find(record);
    return it != mSubTables.end() ? it->second.data() : nullptr;
}

void CTableWindow::OpenSubTable(long row) {
    if (!mModel || !mSubTableMaker || row < 0 || row >= mModel->RowCount()) return;
    const void* record = mRecordOf(row);
    if (CTableWindow* open = SubTableOf(record)) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(open->parentWidget())) {
            if (sub->isMinimized()) sub->showNormal();
            mApp.MainWindow().MdiArea()->setActiveSubWindow(sub);
        }
        return;
    }
    CTableWindow* window = mSubTableMaker(row);
    mSubTables[record] = window;
    mApp.MainWindow().AddSubWindow(window);
}

void CTableWindow::OnListEvent(const CListEvent& event) {
    if (!mModel || event.list != mModel->ListKey() || !mRecordOf) return;
    if (event.kind != CListEventKind::AboutToRemove && event.kind != CListEventKind::AboutToReset) return;
    // Nothing may show or edit a record that leaves its list.
    for (long row = event.first; row < event.first + event.count; ++row) {
        const auto it = mSubTables.find(mRecordOf(row));
        if (it == mSubTables.end()) continue;
        if (it->second) it->second->CloseForGoneRecord();
        mSubTables.erase(it);
    }
}

void CTableWindow::CloseForGoneRecord() {
    DetachDocument();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}
