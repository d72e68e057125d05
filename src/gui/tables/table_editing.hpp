// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The editing of one data document in its table windows: the document's undo stack and the session
// through which its tables change records. The document's main table window and its sub-table
// windows share it; it goes with the last of them.

#include <QObject>
#include <QUndoStack>

#include "app/table_session.hpp"

class CWDocument;

class CTableEditing : public QObject, public CChangeSink {
    Q_OBJECT

  public:
    explicit CTableEditing(CWDocument& document);
    ~CTableEditing() override;

    CWDocument& Document() const { return mDocument; }
    CTableSession& Session() { return mSession; }
    QUndoStack& Stack() { return mStack; }

    // The change becomes a step of the undo stack, which applies it.
    void Execute(std::unique_ptr<CTableChange> change) override;
    // The document was saved: the present step is its clean state.
    void DocumentSaved();
    // The document's records were replaced as a whole: no step can be taken back any more, and
    // the document keeps its modified flag.
    void ContentReplaced();

  signals:
    // A step was applied or taken back: the document's modified flag follows the stack.
    void Changed();

  private:
    CWDocument& mDocument;
    CTableSession mSession;
    QUndoStack mStack;
};
