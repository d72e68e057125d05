// SPDX-License-Identifier: BSD-3-Clause
// The table windows of the three data documents and the sub-tables their rows open.
#include "app/table_fluid_models.hpp"
#include "app/table_inclusion_models.hpp"
#include "documents/data_documents.hpp"
#include "gui/shell/window_registry.hpp"
#include "gui/tables/table_editing.hpp"
#include "gui/tables/table_window.hpp"

namespace {

QString ToQ(const std::string& text) {
    return QString::fromStdString(text);
}

// A main table window whose rows open sub-tables: `Sub` is the sub-table model of a `Record`, and
// `name` gives the sub-window's title from the record.
template <class Model, class Sub, class Record>
QWidget* MakeParentWindow(CZephonApp& app, std::shared_ptr<CTableEditing> editing,
                          std::unique_ptr<Model> model, std::string (*name)(const Record&)) {
    Model* rows = model.get();
    auto* window =
        new CTableWindow(app, editing, std::move(model), {{}, false, std::is_same_v<Sub, CVolumeTableModel>});
    window->SetSubTables(
        [&app, editing, rows, name](long row) {
            Record* record = rows->RecordAt(row);
            CTableWindow::Setup setup;
            setup.title = [record, name] { return ToQ(name(*record)); };
            setup.isSubTable = true;
            return new CTableWindow(app, editing, std::make_unique<Sub>(editing->Session(), *record), setup);
        },
        [rows](long row) -> const void* { return rows->RecordAt(row); });
    return window;
}

std::string InclusionName(const CInclusionRecordEx& inclusion) {
    return inclusion.mInclusionName;
}

std::string PointName(const CAlphaBetaRecordEx& point) {
    return point.mName;
}

} // namespace

void RegisterTableWindows(CWindowRegistry& registry) {
    registry.Register(CDocumentKind::InclusionData, [](CWDocument& document, CZephonApp& app) -> QWidget* {
        auto& inclusions = dynamic_cast<CInclusionDataDocument&>(document);
        auto editing = std::make_shared<CTableEditing>(document);
        auto model = std::make_unique<CInclusionTableModel>(editing->Session(), inclusions);
        return MakeParentWindow<CInclusionTableModel, CVolumeTableModel>(app, editing, std::move(model),
                                                                         InclusionName);
    });
    registry.Register(CDocumentKind::Correlation, [](CWDocument& document, CZephonApp& app) -> QWidget* {
        auto& correlation = dynamic_cast<CAlphaBetaDataDocument&>(document);
        auto editing = std::make_shared<CTableEditing>(document);
        auto model = std::make_unique<CCorrelationTableModel>(editing->Session(), correlation);
        return MakeParentWindow<CCorrelationTableModel, CCompositionTableModel>(app, editing,
                                                                                std::move(model), PointName);
    });
    registry.Register(CDocumentKind::FluidModel, [](CWDocument& document, CZephonApp& app) -> QWidget* {
        auto& fluid = dynamic_cast<CFluidModelDataDocument&>(document);
        auto editing = std::make_shared<CTableEditing>(document);
        return new CTableWindow(app, editing,
                                std::make_unique<CFluidModelTableModel>(editing->Session(), fluid), {});
    });
}
