#include "gui/shell/about_dialog.hpp"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

#include "gui/shell/font_families.hpp"
#include "gui/shell/icons.hpp"

void ShowAboutBox(QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName("AboutBox");
    dialog.setWindowTitle("About Zephon...");
    QFont font(ScreenFontFamily("MS Sans Serif"));
    font.setPointSize(8);
    dialog.setFont(font);

    auto* icon = new QLabel;
    icon->setPixmap(ZephonPicture(64));
    auto* title = new QLabel("Zephon version 1.0");
    QFont bold = font;
    bold.setPointSize(11);
    bold.setBold(true);
    title->setFont(bold);
    auto* frame = new QFrame;
    frame->setFrameShape(QFrame::HLine);
    frame->setFrameShadow(QFrame::Sunken);
    auto* credits = new QLabel(
        "Petroleum fluid inclusions: alpha-beta oil models, fluid models, phase envelopes,\n"
        "isochores, trapping pressures and bubble sizes, with the Peng-Robinson equation of state.\n\n"
        "Written by the Zephon team. Built with Qt " QT_VERSION_STR ".");
    credits->setFont(font);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(title, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(top);
    layout->addWidget(frame);
    layout->addWidget(credits);
    layout->addWidget(buttons);
    dialog.exec();
}

void ShowHelpContents(QWidget* parent) {
    QMessageBox::information(
        parent, "Zephon help",
        "A study in Zephon:\n\n"
        "1. Open or type the inclusion measurements (File > New, File > Open, File > Import...).\n"
        "2. Make an alpha-beta plot (Alpha-Beta Model > New Alpha-Beta Plot) and trace the curve of each "
        "inclusion on the Beta(Alpha) Curve page.\n"
        "3. Set a marker where the curves of one family cross and generate its fluid model.\n"
        "4. Make a P-T diagram (Phase Diagrams > New P-T diagram): the phase envelope of the fluid, the "
        "isochores of the inclusions and the trapping pressure at the aqueous homogenisation "
        "temperature.\n"
        "5. Compare measured and calculated bubble sizes in a V-T plot.\n\n"
        "Right-click a plot for its commands; drag a rectangle and use the zoom buttons to zoom.");
}
