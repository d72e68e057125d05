// SPDX-License-Identifier: BSD-3-Clause
#include "gui/shell/about_dialog.hpp"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/shell/font_families.hpp"
#include "gui/shell/help_window.hpp"
#include "gui/shell/icons.hpp"

namespace {

QString LicenceText() {
    LoadDocumentationResources();
    QFile licence(":/licence/LICENSE");
    return licence.open(QIODevice::ReadOnly) ? QString::fromUtf8(licence.readAll()) : QString();
}

} // namespace

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
        "Copyright the Zephon developers. Released under the BSD 3-Clause licence:\n"
        "you may use, change and share it under the terms below. Built with Qt " QT_VERSION_STR ".");
    credits->setFont(font);
    auto* licence = new QPlainTextEdit(LicenceText());
    licence->setObjectName("licence");
    licence->setReadOnly(true);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(8);
    licence->setFont(fixed);
    licence->setMinimumWidth(licence->fontMetrics().horizontalAdvance(QString(82, 'x')));

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(title, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    QPushButton* aboutQt = buttons->addButton("About &Qt", QDialogButtonBox::HelpRole);
    aboutQt->setObjectName("aboutQt");
    QObject::connect(aboutQt, &QPushButton::clicked, &dialog, [] { QApplication::aboutQt(); });
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(top);
    layout->addWidget(frame);
    layout->addWidget(credits);
    layout->addWidget(licence, 1);
    layout->addWidget(buttons);
    dialog.exec();
}
