// SPDX-License-Identifier: BSD-3-Clause
#include "gui/plot/crossings_dialog.hpp"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "documents/alpha_beta_plot_document.hpp"

namespace {

constexpr int kMarkerColumn = CCrossingsList::kColumnCount;

} // namespace

CCrossingsDialog::CCrossingsDialog(CAlphaBetaPlotDocument& document, QWidget* parent)
    : QDialog(parent), mDocument(document) {
    setObjectName("crossingsDialog");
    setWindowTitle("Find crossings");
    mCurves = new QListWidget(this);
    mCurves->setObjectName("crossingCurves");
    for (const CAlphaBetaCurve* curve : document.mAlphaBetaCurvesList.mList) {
        auto* item = new QListWidgetItem(QString::fromStdString(curve->mInclusion.mInclusionName), mCurves);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Checked);
    }
    connect(mCurves, &QListWidget::itemChanged, this, [this] { Search(); });
    mSummary = new QLabel(this);
    mTable = new QTableWidget(0, kMarkerColumn + 1, this);
    QStringList titles;
    for (int column = 0; column < CCrossingsList::kColumnCount; ++column)
        titles << QString::fromUtf8(CCrossingsList::ColumnTitle(column));
    titles << "Marker";
    mTable->setHorizontalHeaderLabels(titles);
    mTable->verticalHeader()->hide();
    mTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    mTable->setSelectionMode(QAbstractItemView::SingleSelection);
    mTable->horizontalHeader()->setSectionResizeMode(CCrossingsList::kCurves, QHeaderView::Stretch);
    connect(mTable, &QTableWidget::currentCellChanged, this, [this](int row) { ShowRow(row); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* curvesCaption = new QLabel("&Inclusions", this);
    curvesCaption->setBuddy(mCurves);
    auto* curvesColumn = new QVBoxLayout;
    curvesColumn->addWidget(curvesCaption);
    curvesColumn->addWidget(mCurves, 1);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(mSummary);
    listColumn->addWidget(mTable, 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(curvesColumn);
    columns->addLayout(listColumn, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(buttons);
    mCurves->setMaximumWidth(mCurves->fontMetrics().averageCharWidth() * 24);
    Search();
    resize(680, 340);
}

CCrossingsDialog::~CCrossingsDialog() {
    // The highlight points at a row of the list: it ends with the list.
    mDocument.GetPlotView().hilite(nullptr);
    mDocument.UpdateAllViews();
}

void CCrossingsDialog::Search() {
    // The list's rows are the plot's curves in order, and the plot does not change while the
    // dialog is open (it is modal).
    std::vector<const CAlphaBetaCurve*> chosen;
    int row = 0;
    for (const CAlphaBetaCurve* curve : mDocument.mAlphaBetaCurvesList.mList) {
        if (row < mCurves->count() && mCurves->item(row)->checkState() == Qt::Checked)
            chosen.push_back(curve);
        ++row;
    }
    // An empty choice would mean every curve to the list; nothing checked is fewer than two (a
    // curve the list leaves out at once).
    if (chosen.empty()) chosen.push_back(nullptr);
    mList = std::make_unique<CCrossingsList>(mDocument, std::move(chosen));
    Fill();
}

void CCrossingsDialog::Fill() {
    mSummary->setText(QString::fromStdString(mList->Summary()));
    mTable->setRowCount(mList->RowCount());
    for (int row = 0; row < mList->RowCount(); ++row) {
        for (int column = 0; column < CCrossingsList::kColumnCount; ++column) {
            auto* item = new QTableWidgetItem(QString::fromStdString(mList->CellText(row, column)));
            if (column != CCrossingsList::kCurves) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            mTable->setItem(row, column, item);
        }
        auto* button = new QPushButton("Set a marker", mTable);
        button->setObjectName(QString("marker%1").arg(row));
        connect(button, &QPushButton::clicked, this, [this, row] { MakeMarker(row); });
        mTable->setCellWidget(row, kMarkerColumn, button);
    }
    mTable->resizeColumnsToContents();
}

void CCrossingsDialog::ShowRow(int row) {
    mList->ShowRow(row);
    mDocument.UpdateAllViews();
}

void CCrossingsDialog::MakeMarker(int row) {
    if (mList->MakeMarker(row) == nullptr) return;
    if (auto* button = qobject_cast<QPushButton*>(mTable->cellWidget(row, kMarkerColumn))) {
        // A disabled button hands the focus on to the next row's, which would select that row and
        // show its crossing: the row acted on keeps both.
        mTable->setFocus();
        mTable->setCurrentCell(row, 0);
        button->setText("Marker set");
        button->setEnabled(false);
    }
    mDocument.UpdateAllViews();
}
