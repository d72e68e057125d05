// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The modal "Point Settings" and "Curve Settings" dialogs: marker shape, size and colour of a point
// or list of points; thickness and colour of a curve. Each edits one graph object and changes it
// only when the person confirms.

#include <QDialog>

#include "plot/canvas.hpp"

class CGraphObject;
class QComboBox;
class QPushButton;

// The "Color" button: a swatch of the edited colour that opens the colour dialog.
class CColorButton : public QWidget {
    Q_OBJECT

  public:
    CColorButton(zephon::plot::Color color, QWidget* parent);
    zephon::plot::Color GetColor() const { return mColor; }
    void SetColor(zephon::plot::Color color);

  private:
    void Choose();

    QPushButton* mButton;
    zephon::plot::Color mColor;
};

class CPointSettingsWindow : public QDialog {
    Q_OBJECT

  public:
    CPointSettingsWindow(CGraphObject& object, QWidget* parent);
    // Runs the dialog; true when the person confirmed and the object changed.
    bool DoRun();
    // What OK would store, as the lists and the colour show it now.
    int EditedSize() const;
    int EditedSelector() const;
    zephon::plot::Color EditedColor() const;

  private:
    CGraphObject& mObject;
    QComboBox* mShape;
    QComboBox* mSize;
    CColorButton* mColor;
};

class CCurveSettingsWindow : public QDialog {
    Q_OBJECT

  public:
    CCurveSettingsWindow(CGraphObject& object, QWidget* parent);
    // Runs the dialog; true when the person confirmed and the curve changed.
    bool DoRun();
    int EditedThickness() const;
    zephon::plot::Color EditedColor() const;

  private:
    CGraphObject& mObject;
    QComboBox* mThickness;
    CColorButton* mColor;
};
