// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// What the table tests share: a fixed look (style, font, 96 dpi, "C" numbers, a profile of their
// own), the application with services that answer from a script, and pictures compared with
// reviewed golden PNGs within a tolerance.

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QLocale>
#include <QStandardPaths>
#include <QStyle>
#include <QTemporaryDir>
#include <clocale>
#include <memory>

#include "app/application_core.hpp"
#include "gui/shell/zephon_app.hpp"
#include "scripted_services.hpp"

namespace zephon::testing {

// Dialogs answered from a script, and the application's notifications of data documents counted
// as the core passes them on.
class CountingServices : public CScriptedServices, public CAppListener {
  public:
    int inclusionNotifications = 0;
    int fluidNotifications = 0;

    void OnAppNotification(CAppNotification notification) override {
        inclusionNotifications += notification == CAppNotification::InclusionsDataDocModified;
        fluidNotifications += notification == CAppNotification::FluidModelDataDocModified;
    }
};

// The application without its start-up picture, its log in a folder of its own.
struct TestApplication {
    QTemporaryDir folder;
    CountingServices* services = nullptr;
    std::unique_ptr<CZephonApp> app;

    TestApplication() {
        auto scripted = std::make_unique<CountingServices>();
        services = scripted.get();
        CZephonApp::Options options;
        options.splash = false;
        options.logFolder = folder.path().toStdString();
        app = std::make_unique<CZephonApp>(options, std::move(scripted));
        app->Core().AddListener(services);
    }
    std::filesystem::path Path(const char* name) const { return (folder.path() + "/" + name).toStdString(); }
};

// Before the QApplication: offscreen unless told otherwise, and a profile that is not the user's.
inline void PrepareTestEnvironment(const QTemporaryDir& profile) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", profile.path().toLocal8Bit());
    QApplication::setAttribute(Qt::AA_Use96Dpi);
}

// After it: one style and font everywhere, numbers with a decimal point.
inline void FixTheLook() {
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    QApplication::setStyle("Fusion");
    QFont font("DejaVu Sans");
    font.setPixelSize(12);
    QApplication::setFont(font);
}

// Compares a picture with its golden PNG: the same size, and at most `share` of the pixels with a
// colour channel more than `channelTolerance` apart. A picture that differs (or has no golden yet)
// is written to the actual folder for a person to look at; the text says where.
inline bool MatchesGolden(const QImage& picture, const QString& name, QString& why, int channelTolerance = 48,
                          double share = 0.003) {
    QDir().mkpath(ZEPHON_GUI_ACTUAL_DIR);
    const QString actualPath = QString(ZEPHON_GUI_ACTUAL_DIR) + "/" + name + ".png";
    const QImage actual = picture.convertToFormat(QImage::Format_RGB32);
    const QImage golden =
        QImage(QString(ZEPHON_GUI_GOLDEN_DIR) + "/" + name + ".png").convertToFormat(QImage::Format_RGB32);
    auto keep = [&](const QString& reason) {
        actual.save(actualPath);
        why = reason + "; the picture is in " + actualPath;
        return false;
    };
    if (golden.isNull()) return keep("no golden picture " + name + ".png");
    if (golden.size() != actual.size())
        return keep(QString("size %1x%2, golden %3x%4")
                        .arg(actual.width())
                        .arg(actual.height())
                        .arg(golden.width())
                        .arg(golden.height()));
    long differing = 0;
    for (int y = 0; y < actual.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
        const auto* g = reinterpret_cast<const QRgb*>(golden.constScanLine(y));
        for (int x = 0; x < actual.width(); ++x) {
            const int d = std::max({std::abs(qRed(a[x]) - qRed(g[x])), std::abs(qGreen(a[x]) - qGreen(g[x])),
                                    std::abs(qBlue(a[x]) - qBlue(g[x]))});
            differing += d > channelTolerance;
        }
    }
    const long allowed = static_cast<long>(share * actual.width() * actual.height());
    if (differing > allowed)
        return keep(QString("%1 pixels differ (%2 allowed)").arg(differing).arg(allowed));
    return true;
}

} // namespace zephon::testing
