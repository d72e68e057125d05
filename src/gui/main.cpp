// SPDX-License-Identifier: BSD-3-Clause
// zephon: the desktop application. Files named on the command line open as documents.
#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <clocale>
#include <cstdio>
#include <string_view>

#include "gui/shell/main_window.hpp"
#include "gui/shell/qt_services.hpp"
#include "gui/shell/termination_signals.hpp"
#include "gui/shell/zephon_app.hpp"

namespace {

// --help and --version answer without a display, as command-line programs do.
bool AnswersWithoutWindow(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--version" || argument == "-v") {
            std::printf("Zephon " ZEPHON_VERSION "\n");
            return true;
        }
        if (argument == "--help" || argument == "-h") {
            std::printf("Usage: zephon [--nosplash] [files...]\n"
                        "Zephon: petroleum fluid inclusions.\n\n"
                        "  --nosplash   start without the start-up picture\n"
                        "  files        Zephon files to open (.inc, .flu, .abe, .abp, .ptd)\n"
                        "Qt's own options (-platform, -style ...) are accepted too.\n");
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (AnswersWithoutWindow(argc, argv)) return 0;
    QApplication application(argc, argv);
    QApplication::setOrganizationName("Zephon");
    QApplication::setApplicationName("Zephon");
    QApplication::setApplicationVersion(ZEPHON_VERSION);
    // Wayland compositors and task bars match the windows to zephon.desktop by this name.
    QGuiApplication::setDesktopFileName("zephon");
    // Qt takes the process locale from the environment; numbers are read and written with a
    // decimal point whatever it is.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());

    QCommandLineParser parser;
    parser.setApplicationDescription("Zephon: petroleum fluid inclusions.");
    parser.addOption({"nosplash", "Start without the start-up picture."});
    parser.addPositionalArgument("files", "Zephon files to open (.inc, .flu, .abe, .abp, .ptd).",
                                 "[files...]");
    parser.process(application);

    CZephonApp::Options options;
    options.splash = !parser.isSet("nosplash");
    CZephonApp zephon(options);
    QuitOnTerminationSignals(zephon.MainWindow());
    zephon.StartRecovery();
    zephon.OpenStartFiles(parser.positionalArguments());
    return QApplication::exec();
}
