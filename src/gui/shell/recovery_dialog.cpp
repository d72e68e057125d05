// SPDX-License-Identifier: BSD-3-Clause
#include "gui/shell/recovery_dialog.hpp"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

CRecoveryDialog::CRecoveryDialog(const std::vector<CRecoveryCopy>& copies, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Recover Documents");
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel("Zephon ended without closing these documents. Their last changes were kept and "
                            "can be reopened; the original files were not changed.\nTicked documents "
                            "reopen as modified documents; the others are thrown away.");
    text->setWordWrap(true);
    layout->addWidget(text);

    mList = new QTreeWidget;
    mList->setRootIsDecorated(false);
    mList->setHeaderLabels({"Document", "Original file", "Last changed"});
    for (const CRecoveryCopy& copy : copies) {
        auto* item = new QTreeWidgetItem(mList);
        item->setText(0, QString::fromStdString(copy.title));
        item->setText(1, copy.original.empty() ? QString("(never saved)")
                                               : QString::fromStdString(copy.original.string()));
        item->setText(2, QDateTime::fromSecsSinceEpoch(copy.changed).toString("yyyy-MM-dd HH:mm:ss"));
        item->setCheckState(0, Qt::Checked);
    }
    mList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(mList);

    auto* buttons = new QDialogButtonBox;
    QPushButton* recover = buttons->addButton("&Recover", QDialogButtonBox::AcceptRole);
    QPushButton* discard = buttons->addButton("&Discard All", QDialogButtonBox::DestructiveRole);
    buttons->addButton("&Not Now", QDialogButtonBox::RejectRole);
    recover->setDefault(true);
    layout->addWidget(buttons);
    connect(recover, &QPushButton::clicked, this, [this] {
        std::vector<std::size_t> ticked;
        for (int row = 0; row < mList->topLevelItemCount(); ++row)
            if (mList->topLevelItem(row)->checkState(0) == Qt::Checked) ticked.push_back(std::size_t(row));
        mChoice = ticked;
        accept();
    });
    connect(discard, &QPushButton::clicked, this, [this] {
        mChoice = std::vector<std::size_t>();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(640, 280);
}
