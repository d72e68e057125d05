// SPDX-License-Identifier: BSD-3-Clause
#include "gui/shell/document_layout.hpp"

#include <QMdiArea>
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
        PlaceSubWindow(window, size);
    if (auto* plot = dynamic_cast<CAlphaBetaPlotDocument*>(&document)) {
        if (settings.value("IsoGOR").toBool()) plot->ShowIsoGORCurves();
        if (settings.value("IsoAPI").toBool()) plot->ShowIsoAPICurves();
    }
}

namespace {

QRect AreaRoom(const QMdiSubWindow& window) {
    const QMdiArea* area = window.mdiArea();
    return area != nullptr ? area->viewport()->rect() : QRect();
}

} // namespace

void PlaceSubWindow(QMdiSubWindow& window, QSize wanted) {
    if (window.isMaximized() || window.isMinimized()) return;
    const QRect room = AreaRoom(window);
    if (room.isEmpty()) {
        window.resize(wanted);
        return;
    }
    const QSize size = wanted.boundedTo(room.size());
    window.resize(size);
    // Moved back inside where it would reach past the area's right or bottom edge.
    QPoint at = window.pos();
    at.setX(std::clamp(at.x(), 0, std::max(0, room.width() - size.width())));
    at.setY(std::clamp(at.y(), 0, std::max(0, room.height() - size.height())));
    window.move(at);
}

QSize NewSubWindowSize(const QMdiSubWindow& window, bool isPlot) {
    QSize size = window.sizeHint();
    const QRect room = AreaRoom(window);
    if (room.isEmpty()) return size;
    if (isPlot) size = size.expandedTo(QSize(room.width() * 3 / 5, room.height() * 3 / 4));
    return size.boundedTo(room.size());
}
