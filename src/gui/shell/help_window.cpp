// SPDX-License-Identifier: BSD-3-Clause
#include "gui/shell/help_window.hpp"

#include <QAction>
#include <QKeySequence>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

#include "gui/shell/icons.hpp"

// The resource is compiled into the static GUI library, which the linker would leave out unless
// something names it.
void LoadDocumentationResources() {
    Q_INIT_RESOURCE(zephon_manual);
}

CHelpWindow::CHelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    LoadDocumentationResources();
    setObjectName("HelpWindow");
    setWindowTitle("Zephon manual");
    setWindowIcon(ZephonIcon());
    mBrowser = new QTextBrowser(this);
    mBrowser->setObjectName("manual");
    // Links to the web open in the user's browser; the manual's own links move inside it.
    mBrowser->setOpenExternalLinks(true);
    mBrowser->setSource(QUrl(kManualUrl));

    auto* bar = new QToolBar(this);
    QAction* back = bar->addAction("&Back", mBrowser, &QTextBrowser::backward);
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    QAction* forward = bar->addAction("&Forward", mBrowser, &QTextBrowser::forward);
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    bar->addAction("&Contents", mBrowser, &QTextBrowser::home);
    QAction* close = bar->addAction("C&lose", this, &QWidget::close);
    // Not Ctrl+W: File > Close holds it in every window of the program.
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(mBrowser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(mBrowser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(mBrowser);
    resize(760, 640);
}

void ShowHelpContents(QWidget* parent) {
    auto* window = parent->findChild<CHelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (window == nullptr) window = new CHelpWindow(parent);
    window->show();
    window->raise();
    window->activateWindow();
}
