// SPDX-License-Identifier: BSD-3-Clause
#include "gui/plot/settings_dialogs.hpp"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "gui/plot/qpainter_canvas.hpp"
#include "plot/graph_object.hpp"
#include "plot/settings_choices.hpp"

using namespace zephon::plot;

namespace {

// A sample of a marker shape, drawn as the plot draws it.
QIcon MarkerIcon(int selector) {
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    CQPainterCanvas canvas(painter);
    DrawPoint(canvas, selector, 5, kBlack, 7, 7);
    painter.end();
    return QIcon(QPixmap::fromImage(image));
}

QDialogButtonBox* OkCancel(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

} // namespace

// ---- colour button ----

CColorButton::CColorButton(Color color, QWidget* parent) : QWidget(parent), mColor(color) {
    mButton = new QPushButton("Color", this);
    mButton->setObjectName("color");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mButton);
    connect(mButton, &QPushButton::clicked, this, &CColorButton::Choose);
    SetColor(color);
}

void CColorButton::SetColor(Color color) {
    mColor = color;
    QPixmap swatch(16, 16);
    swatch.fill(ToQColor(color));
    mButton->setIcon(QIcon(swatch));
}

void CColorButton::Choose() {
    const QColor chosen = QColorDialog::getColor(ToQColor(mColor), this, "Color");
    if (chosen.isValid()) SetColor(FromQColor(chosen));
}

// ---- point settings ----

CPointSettingsWindow::CPointSettingsWindow(CGraphObject& object, QWidget* parent)
    : QDialog(parent), mObject(object) {
    setWindowTitle("Point Settings");
    mShape = new QComboBox(this);
    mShape->setObjectName("markerType");
    for (int selector = 1; selector <= kMarkerShapeChoices; ++selector)
        mShape->addItem(MarkerIcon(selector), MarkerName(selector));
    mShape->setCurrentIndex(ChoiceOf(object.mSelector, kMarkerShapeChoices));
    mSize = new QComboBox(this);
    mSize->setObjectName("size");
    for (int size = 1; size <= kMarkerSizeChoices; ++size)
        mSize->addItem(QString::number(size));
    mSize->setCurrentIndex(ChoiceOf(object.mSize, kMarkerSizeChoices));
    mColor = new CColorButton(object.mForeColor, this);

    auto* form = new QFormLayout(this);
    form->addRow("Marker type", mShape);
    form->addRow("", mColor);
    form->addRow("Size", mSize);
    form->addRow(OkCancel(*this));
}

int CPointSettingsWindow::EditedSize() const {
    return ValueOfChoice(mSize->currentIndex(), kMarkerSizeChoices, mObject.mSize);
}

int CPointSettingsWindow::EditedSelector() const {
    return ValueOfChoice(mShape->currentIndex(), kMarkerShapeChoices, mObject.mSelector);
}

Color CPointSettingsWindow::EditedColor() const {
    return mColor->GetColor();
}

bool CPointSettingsWindow::DoRun() {
    if (exec() != QDialog::Accepted) return false;
    const int size = EditedSize();
    const int selector = EditedSelector();
    const Color color = EditedColor();
    if (size == mObject.mSize && selector == mObject.mSelector && color == mObject.mForeColor) return false;
    mObject.mSize = size;
    mObject.mSelector = selector;
    mObject.mForeColor = color;
    return true;
}

// ---- curve settings ----

CCurveSettingsWindow::CCurveSettingsWindow(CGraphObject& object, QWidget* parent)
    : QDialog(parent), mObject(object) {
    setWindowTitle("Curve Settings");
    mThickness = new QComboBox(this);
    mThickness->setObjectName("thickness");
    for (const char* name : kThicknessNames)
        mThickness->addItem(name);
    mThickness->setCurrentIndex(ChoiceOf(object.mSize, kThicknessChoices));
    mColor = new CColorButton(object.mForeColor, this);

    auto* form = new QFormLayout(this);
    form->addRow("Thickness", mThickness);
    form->addRow("", mColor);
    form->addRow(OkCancel(*this));
}

int CCurveSettingsWindow::EditedThickness() const {
    return ValueOfChoice(mThickness->currentIndex(), kThicknessChoices, mObject.mSize);
}

Color CCurveSettingsWindow::EditedColor() const {
    return mColor->GetColor();
}

bool CCurveSettingsWindow::DoRun() {
    if (exec() != QDialog::Accepted) return false;
    const int size = EditedThickness();
    const Color color = EditedColor();
    if (size == mObject.mSize && color == mObject.mForeColor) return false;
    mObject.mSize = size;
    mObject.mForeColor = color;
    return true;
}
