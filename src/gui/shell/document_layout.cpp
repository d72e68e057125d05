// SPDX-License-Identifier: BSD-3-Clause
#include "gui/shell/document_layout.hpp"

#include <QMdiSubWindow>
#include <QUrl>
#include <algorithm>

#include "documents/alpha_beta_plot_document.hpp"
#include "gui/shell/settings.hpp"

namespace {

// One group per file; the path is escaped, since a slash would open groups of its own.
QString GroupOf(const CWDocument& document) {
    const QString path = QString::fromStdString(document.GetPathName().string());
    return path.isEmpty()
               ? QString()
               : QString("%1/%2").arg(kDocumentLayoutGroup, QString(QUrl::toPercentEncoding(path)));
}

bool AnyShown(const std::vector<CGraphCurve*>& curves) {
    return std::any_of(curves.begin(), curves.end(),
                       [](const CGraphCurve* curve) { return !curve->mHidden; });
}

} // namespace

void RememberDocumentLayout(const CWDocument& document, const QMdiSubWindow& window) {
    const QString group = GroupOf(document);
    if (group.isEmpty()) return;
    QSettings settings = ZephonSettings();
    settings.beginGroup(group);
    if (!window.isMinimized() && !window.isMaximized()) settings.setValue("Size", window.size());
    if (const auto* plot = dynamic_cast<const CAlphaBetaPlotDocument*>(&document)) {
        settings.setValue("IsoGOR", AnyShown(plot->GetIsoGORCurves()));
        settings.setValue("IsoAPI", AnyShown(plot->GetIsoAPICurves()));
    }
}

void RestoreDocumentLayout(CWDocument& document, QMdiSubWindow& window) {
    const QString group = GroupOf(document);
    if (group.isEmpty()) return;
    QSettings settings = ZephonSettings();
    settings.beginGroup(group);
    const QSize size = settings.value("Size").toSize();
    if (size.width() >= window.minimumSizeHint().width() &&
        size.height() >= window.minimumSizeHint().height())
        window.resize(size);
    if (auto* plot = dynamic_cast<CAlphaBetaPlotDocument*>(&document)) {
        if (settings.value("IsoGOR").toBool()) plot->ShowIsoGORCurves();
        if (settings.value("IsoAPI").toBool()) plot->ShowIsoAPICurves();
    }
}
