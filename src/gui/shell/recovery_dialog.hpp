// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The offer at start-up: the documents an earlier Zephon left recovery copies of, each with its
// name, its original file and the time of its last change, ticked to be reopened.

#include <QDialog>
#include <optional>
#include <vector>

#include "app/recovery/recovery_session.hpp"

class QTreeWidget;

class CRecoveryDialog : public QDialog {
    Q_OBJECT

  public:
    CRecoveryDialog(const std::vector<CRecoveryCopy>& copies, QWidget* parent);

    // What the person chose: the ticked rows after "Recover", none after "Discard"; nothing after
    // "Not Now" (the copies are offered again at the next start).
    std::optional<std::vector<std::size_t>> Choice() const { return mChoice; }
    QTreeWidget* List() const { return mList; }

  private:
    QTreeWidget* mList = nullptr;
    std::optional<std::vector<std::size_t>> mChoice;
};
