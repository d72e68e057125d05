// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// A window that shows one record list of a data document as a table: the inclusions, correlation
// points and fluid-model components of a document (its main window), or the bubble-volume
// measurements of one inclusion and the composition of one correlation fluid (sub-windows).
//
// The window paints the headless table model through a table view and runs the Edit and File
// commands on it; every change is a step of the document's undo stack. A main window opens the
// sub-table of a row (once: a second request brings it to the front) and closes it before the
// row's record leaves the list; a sub-window closes with its document.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

#include "app/table_model.hpp"
#include "documents/w_document.hpp"
#include "gui/shell/document_window.hpp"

class CZephonApp;
class CTableEditing;
class CTableItemModel;
class QTableView;
class QPushButton;

class CTableWindow : public QWidget, public CDocumentWindow, public CTableListener, public CDocumentView {
    Q_OBJECT

  public:
    struct Setup {
        // The window's own title (a sub-window's record name); empty: the document's title.
        std::function<QString()> title;
        bool isSubTable = false;
        bool importExport = false; // File > Import... and Export... (inclusion tables)
    };

    CTableWindow(CZephonApp& app, std::shared_ptr<CTableEditing> editing, std::unique_ptr<CTableModel> model,
                 Setup setup);
    ~CTableWindow() override;

    CTableModel* Model() const { return mModel.get(); }
    QTableView* View() const { return mView; }
    CTableEditing* Editing() const { return mEditing.get(); }
    QPushButton* NormalizeButton() const { return mNormalizeButton; }

    // ---- CDocumentWindow ----
    CWDocument* Document() const override { return mDocument; }
    QString WindowTitle() const override;
    CWindowAbilities Abilities() const override;
    bool RunCommand(CAppCommand command) override;
    bool ClosesDocument() const override { return !mSetup.isSubTable; }
    void DetachDocument() override;
    void DocumentStateChanged() override;

    // ---- the commands ----
    // A row with the table's initial values; the focus goes to its first cell.
    void AddRow();
    // The row of the focused cell, after the question; nothing without a focused cell.
    bool DeleteCurrentRow();
    void Normalize();
    // The selected rows (or the focused one) to the clipboard, tab-separated with a header.
    void CopySelection();
    // Rows from the clipboard: over the selected rows, or appended when no whole row is selected.
    void PasteClipboard();
    void ImportFile();
    void ExportFile();

    // ---- sub-tables ----
    // Makes the window of a row's sub-table; `recordOf` names the record a row shows.
    using SubTableMaker = std::function<CTableWindow*(long row)>;
    void SetSubTables(SubTableMaker maker, std::function<const void*(long row)> recordOf);
    // Opens the row's sub-table, or brings its open window to the front.
    void OpenSubTable(long row);
    // The open sub-table window of a record, or null.
    CTableWindow* SubTableOf(const void* record) const;

    QSize sizeHint() const override;

    // ---- CDocumentView (main windows only) ----
    // The document's records were replaced as a whole (a fluid model generated into it): the
    // table shows the new rows, the sub-tables of the old ones close and Undo starts afresh.
    void OnDocumentUpdate(CWDocument& document) override;

    // Copy and Paste act on whole rows, whatever cell has an editor, when rows (or several cells)
    // are selected.
    bool RowsSelected() const;

  protected:
    void OnListEvent(const CListEvent& event) override;

  private:
    void ShowStatus(const QString& text) const;
    void Focus(long row, int column);
    // The record of this sub-window leaves its list: the window forgets it and closes.
    void CloseForGoneRecord();

    CZephonApp& mApp;
    CWDocument* mDocument;
    std::shared_ptr<CTableEditing> mEditing;
    std::unique_ptr<CTableModel> mModel;
    std::unique_ptr<CTableItemModel> mItemModel;
    Setup mSetup;
    QString mLastTitle;
    bool mClipboardHasText = false;
    QTableView* mView = nullptr;
    QPushButton* mNormalizeButton = nullptr;
    SubTableMaker mSubTableMaker;
    std::function<const void*(long row)> mRecordOf;
    std::map<const void*, QPointer<CTableWindow>> mSubTables;
};
