#include "gui/plot/crossings_dialog.hpp"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "documents/alpha_beta_plot_document.hpp"

namespace {

constexpr int kMarkerColumn = CCrossingsList::kColumnCount;

} // namespace

CCrossingsDialog::CCrossingsDialog(CAlphaBetaPlotDocument& document, QWidget* parent)
    : QDialog(parent), mDocument(document), mList(document) {
    setObjectName("crossingsDialog");
    setWindowTitle("Find crossings");
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
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mSummary);
    layout->addWidget(mTable, 1);
    layout->addWidget(buttons);
    Fill();
    resize(520, 320);
}

void CCrossingsDialog::Fill() {
    mSummary->setText(QString::fromStdString(mList.Summary()));
    mTable->setRowCount(mList.RowCount());
    for (int row = 0; row < mList.RowCount(); ++row) {
        for (int column = 0; column < CCrossingsList::kColumnCount; ++column) {
            auto* item = new QTableWidgetItem(QString::fromStdString(mList.CellText(row, column)));
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
    mList.ShowRow(row);
    mDocument.UpdateAllViews();
}

void CCrossingsDialog::MakeMarker(int row) {
    if (mList.MakeMarker(row) == nullptr) return;
    if (auto* button = qobject_cast<QPushButton*>(mTable->cellWidget(row, kMarkerColumn))) {
        button->setText("Marker set");
        button->setEnabled(false);
    }
    mDocument.UpdateAllViews();
}
