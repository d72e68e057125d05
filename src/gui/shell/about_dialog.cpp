#include "gui/shell/about_dialog.hpp"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
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
