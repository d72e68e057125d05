// SPDX-License-Identifier: BSD-3-Clause
#include "gui/tables/table_editing.hpp"

#include <QUndoCommand>

#include "documents/w_document.hpp"

namespace {

// One change of the tables as a step of the undo stack.
class CTableUndoStep : public QUndoCommand {
  public:
    explicit CTableUndoStep(std::unique_ptr<CTableChange> change)
        : QUndoCommand(QString::fromStdString(change->Text())), mChange(std::move(change)) {}
    void redo() override { mChange->Redo(); }
    void undo() override { mChange->Undo(); }

  private:
    std::unique_ptr<CTableChange> mChange;
};

} // namespace

CTableEditing::CTableEditing(CWDocument& document) : mDocument(document), mSession(document, *this) {
    // A document modified already (damaged when opened, made by a calculation) becomes clean only
    // by a save, never by taking changes back.
    if (document.IsModified()) mStack.resetClean();
    connect(&mStack, &QUndoStack::indexChanged, this, [this] {
        mDocument.SetModifiedFlag(!mStack.isClean());
        emit Changed();
    });
}

CTableEditing::~CTableEditing() {
    // The steps hold records taken out of their lists; they go (quietly) before the session they
    // tell.
    disconnect(&mStack, nullptr, this, nullptr);
    mStack.clear();
}

void CTableEditing::Execute(std::unique_ptr<CTableChange> change) {
    mStack.push(new CTableUndoStep(std::move(change)));
}

void CTableEditing::ContentReplaced() {
    const bool modified = mDocument.IsModified();
    mStack.clear();
    if (modified) mStack.resetClean();
    mDocument.SetModifiedFlag(modified);
    emit Changed();
}

void CTableEditing::DocumentSaved() {
    if (!mDocument.IsModified()) mStack.setClean();
}
