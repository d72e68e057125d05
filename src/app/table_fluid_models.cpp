// SPDX-License-Identifier: BSD-3-Clause
#include "app/table_fluid_models.hpp"

#include "app/table_formats.hpp"
#include "base/number_field.hpp"
#include "documents/data_documents.hpp"

namespace {

// The name, alpha and beta of a correlation fluid as its row shows them.
struct CPointValues {
    std::string name;
    double alpha = 0;
    double beta = 0;
};

CPointValues ValuesOf(const CAlphaBetaRecordEx& point) {
    return {point.mName, point.mAlpha, point.mBeta};
}

void AssignPoint(CAlphaBetaRecordEx& point, const CPointValues& values) {
    point.mName = values.name;
    point.mAlpha = values.alpha;
    point.mBeta = values.beta;
}

template <class Record> void AssignComponent(Record& record, const Record& values) {
    record = values;
}

template <class Record> std::string ProposedComponent(const CDataList<Record>& list) {
    std::vector<std::string> held;
    for (const Record* record : list)
        held.push_back(record->mComponentName);
    return NextComponentName(held);
}

// One step that scales the mole percentages of every row to a sum of 100; null when the sum is 0
// or less.
template <class Record>
std::unique_ptr<CTableChange> NormalizeStep(CTableSession& session, CDataList<Record>& list) {
    std::vector<double> percentages;
    for (const Record* record : list)
        percentages.push_back(record->mMolePercent);
    if (!NormalizePercentages(percentages)) return nullptr;
    auto step = std::make_unique<CCompositeChange>(session, "Normalize");
    std::size_t i = 0;
    for (Record* record : list) {
        Record after = *record;
        after.mMolePercent = percentages[i++];
        step->Add(std::make_unique<CEditRowChange<Record, Record>>(session, "Normalize", list, *record,
                                                                   *record, after, AssignComponent<Record>));
    }
    return step;
}

std::vector<CColumnRule> CorrelationColumns() {
    return {CColumnRule{"Component", CCellKind::Name}, NumberColumn("Alpha"), NumberColumn("Beta")};
}

std::vector<CColumnRule> CompositionColumns() {
    return {CColumnRule{"Component", CCellKind::Component}, PercentColumn("Mole %")};
}

std::vector<CColumnRule> FluidModelColumns() {
    CColumnRule pc = NumberColumn("Pc (bar)");
    pc.minimum = 0;
    return {CColumnRule{"Component", CCellKind::Component}, PercentColumn("Mole %"),
            TemperatureColumn("Tc (°C)"), pc, NumberColumn("Omega")};
}

} // namespace

// ---- correlation points ----

CCorrelationTableModel::CCorrelationTableModel(CTableSession& session, CAlphaBetaDataDocument& document)
    : CListTableModel(session, document.mCorrelation.mList, CorrelationColumns()) {}

std::string CCorrelationTableModel::CellText(long row, int column) const {
    const CAlphaBetaRecordEx* point = RecordAt(row);
    if (point == nullptr) return {};
    if (column == 0) return point->mName;
    return FormatWithOwnDecimals(column == 1 ? point->mAlpha : point->mBeta, 4, 6);
}

CCellValue CCorrelationTableModel::ValueAt(long row, int column) const {
    const CAlphaBetaRecordEx* point = RecordAt(row);
    if (column == 0) return {point->mName};
    return {"", column == 1 ? point->mAlpha : point->mBeta};
}

std::unique_ptr<CTableChange> CCorrelationTableModel::MakeEdit(long row, int column,
                                                               const CCellValue& value) {
    const CPointValues before = ValuesOf(*RecordAt(row));
    CPointValues after = before;
    if (column == 0)
        after.name = value.text;
    else
        (column == 1 ? after.alpha : after.beta) = value.number;
    return MakeValues<CPointValues>("Edit " + Column(column).title, row, before, after, AssignPoint);
}

std::unique_ptr<CTableChange> CCorrelationTableModel::MakeAdd() {
    auto point = std::make_unique<CAlphaBetaRecordEx>();
    point->mName = "Fluid" + std::to_string(RowCount() + 1);
    return MakeInsert("Add row", std::move(point), RowCount());
}

std::unique_ptr<CTableChange> CCorrelationTableModel::MakeOverwrite(long row, const CTableRow& values) {
    const CPointValues after{values.cells[0].text, values.cells[1].number, values.cells[2].number};
    return MakeValues<CPointValues>("Paste", row, ValuesOf(*RecordAt(row)), after, AssignPoint);
}

std::unique_ptr<CTableChange> CCorrelationTableModel::MakeAppend(long row, const CTableRow& values) {
    auto point = std::make_unique<CAlphaBetaRecordEx>();
    AssignPoint(*point, {values.cells[0].text, values.cells[1].number, values.cells[2].number});
    return MakeInsert("Paste", std::move(point), row);
}

// ---- composition of a correlation point ----

CCompositionTableModel::CCompositionTableModel(CTableSession& session, CAlphaBetaRecordEx& point)
    : CListTableModel(session, point.mCompositionList.mList, CompositionColumns()), mPoint(point) {}

std::string CCompositionTableModel::CellText(long row, int column) const {
    const CCompositionRecord* component = RecordAt(row);
    if (component == nullptr) return {};
    return column == 0 ? component->mComponentName : MolePercentText(component->mMolePercent);
}

CCellValue CCompositionTableModel::ValueAt(long row, int column) const {
    const CCompositionRecord* component = RecordAt(row);
    return column == 0 ? CCellValue{component->mComponentName} : CCellValue{"", component->mMolePercent};
}

std::unique_ptr<CTableChange> CCompositionTableModel::MakeEdit(long row, int column,
                                                               const CCellValue& value) {
    const CCompositionRecord before = *RecordAt(row);
    CCompositionRecord after = before;
    if (column == 0)
        after.mComponentName = value.text;
    else
        after.mMolePercent = value.number;
    return MakeValues<CCompositionRecord>("Edit " + Column(column).title, row, before, after,
                                          AssignComponent<CCompositionRecord>);
}

std::unique_ptr<CTableChange> CCompositionTableModel::MakeAdd() {
    return MakeInsert("Add row", std::make_unique<CCompositionRecord>(ProposedComponent(List()), 0.0),
                      RowCount());
}

std::unique_ptr<CTableChange> CCompositionTableModel::MakeNormalize() {
    return NormalizeStep(Session(), List());
}

std::unique_ptr<CTableChange> CCompositionTableModel::MakeOverwrite(long row, const CTableRow& values) {
    const CCompositionRecord after(values.cells[0].text, values.cells[1].number);
    return MakeValues<CCompositionRecord>("Paste", row, *RecordAt(row), after,
                                          AssignComponent<CCompositionRecord>);
}

std::unique_ptr<CTableChange> CCompositionTableModel::MakeAppend(long row, const CTableRow& values) {
    return MakeInsert(
        "Paste", std::make_unique<CCompositionRecord>(values.cells[0].text, values.cells[1].number), row);
}

std::function<void()> CCompositionTableModel::AfterEachChange() {
    CAlphaBetaRecordEx* point = &mPoint;
    return [point] {
        point->mCO2 = point->mN2 = point->mH2S = 0;
        for (const CCompositionRecord* component : point->mCompositionList.mList) {
            if (component->mComponentName == "CO2") point->mCO2 = component->mMolePercent;
            if (component->mComponentName == "N2") point->mN2 = component->mMolePercent;
            if (component->mComponentName == "H2S") point->mH2S = component->mMolePercent;
        }
    };
}

// ---- fluid model ----

CFluidModelTableModel::CFluidModelTableModel(CTableSession& session, CFluidModelDataDocument& document)
    : CListTableModel(session, document.mModelFluid.mList, FluidModelColumns()) {}

std::string CFluidModelTableModel::CellText(long row, int column) const {
    const CCompositionRecordEx* component = RecordAt(row);
    if (component == nullptr) return {};
    switch (column) {
    case kComponent:
        return component->mComponentName;
    case kMolePercent:
        return MolePercentText(component->mMolePercent);
    // One number of decimals per column, so that the numbers line up.
    case kTc:
        return FormatFixed(component->mTc, 2);
    case kPc:
        return FormatFixed(component->mPc, 2);
    default:
        return FormatFixed(component->mOmega, 4);
    }
}

CCellValue CFluidModelTableModel::ValueAt(long row, int column) const {
    const CCompositionRecordEx* component = RecordAt(row);
    switch (column) {
    case kComponent:
        return {component->mComponentName};
    case kMolePercent:
        return {"", component->mMolePercent};
    case kTc:
        return {"", component->mTc};
    case kPc:
        return {"", component->mPc};
    default:
        return {"", component->mOmega};
    }
}

std::unique_ptr<CTableChange> CFluidModelTableModel::MakeEdit(long row, int column, const CCellValue& value) {
    const CCompositionRecordEx before = *RecordAt(row);
    CCompositionRecordEx after = before;
    switch (column) {
    case kComponent:
        after.mComponentName = value.text;
        after.SetParametersByDefault();
        break;
    case kMolePercent:
        after.mMolePercent = value.number;
        break;
    case kTc:
        after.mTc = value.number;
        break;
    case kPc:
        after.mPc = value.number;
        break;
    default:
        after.mOmega = value.number;
        break;
    }
    return MakeValues<CCompositionRecordEx>("Edit " + Column(column).title, row, before, after,
                                            AssignComponent<CCompositionRecordEx>);
}

std::unique_ptr<CTableChange> CFluidModelTableModel::MakeAdd() {
    auto component = std::make_unique<CCompositionRecordEx>();
    component->mComponentName = ProposedComponent(List());
    component->SetParametersByDefault();
    return MakeInsert("Add row", std::move(component), RowCount());
}

std::unique_ptr<CTableChange> CFluidModelTableModel::MakeNormalize() {
    return NormalizeStep(Session(), List());
}

namespace {

// A pasted component: the constants of its name, then the pasted mole percent, Tc, Pc and omega.
CCompositionRecordEx PastedComponent(const CTableRow& values) {
    CCompositionRecordEx component;
    component.mComponentName = values.cells[CFluidModelTableModel::kComponent].text;
    component.SetParametersByDefault();
    component.mMolePercent = values.cells[CFluidModelTableModel::kMolePercent].number;
    component.mTc = values.cells[CFluidModelTableModel::kTc].number;
    component.mPc = values.cells[CFluidModelTableModel::kPc].number;
    component.mOmega = values.cells[CFluidModelTableModel::kOmega].number;
    return component;
}

} // namespace

std::unique_ptr<CTableChange> CFluidModelTableModel::MakeOverwrite(long row, const CTableRow& values) {
    return MakeValues<CCompositionRecordEx>("Paste", row, *RecordAt(row), PastedComponent(values),
                                            AssignComponent<CCompositionRecordEx>);
}

std::unique_ptr<CTableChange> CFluidModelTableModel::MakeAppend(long row, const CTableRow& values) {
    return MakeInsert("Paste", std::make_unique<CCompositionRecordEx>(PastedComponent(values)), row);
}
