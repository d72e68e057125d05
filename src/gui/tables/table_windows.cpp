// Until the table windows exist, data documents show a read-only summary.
#include <QLabel>

#include "documents/w_document.hpp"
#include "gui/shell/document_window.hpp"
#include "gui/shell/window_registry.hpp"

namespace {

class CSummaryWindow : public QLabel, public CDocumentWindow {
  public:
    explicit CSummaryWindow(CWDocument& document) : mDocument(&document) {
        setText(QString::fromStdString(document.GetTitle()));
        setAlignment(Qt::AlignCenter);
        resize(400, 200);
    }
    CWDocument& Document() const override { return *mDocument; }

  private:
    CWDocument* mDocument;
};

} // namespace

void RegisterTableWindows(CWindowRegistry& registry) {
    for (auto kind : {CDocumentKind::InclusionData, CDocumentKind::FluidModel, CDocumentKind::Correlation})
        registry.Register(
            kind, [](CWDocument& document, CZephonApp&) -> QWidget* { return new CSummaryWindow(document); });
}
