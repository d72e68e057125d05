#include "app/panel_phase_diagram_objects.hpp"

#include "documents/phase_diag_document.hpp"

namespace {

const void* Ref(const CRecord* record) {
    return static_cast<const void*>(record);
}

} // namespace

CPlotObjectRecord LocatePlotObject(const CPhaseDiagDocument& document, const CGraphObject* object) {
    if (object == nullptr || object->mReferenceObject == nullptr) return {};
    const void* ref = object->mReferenceObject;
    for (CPhaseDiagram* diagram : document.mPhaseDiagramsList.mList) {
        if (ref == Ref(diagram) || ref == Ref(diagram->mLiquidIsopleth.get()) ||
            ref == Ref(diagram->mVapourIsopleth.get()))
            return {diagram, nullptr, nullptr};
        for (CIsochorsList* list : {diagram->mBiphIsochorsList.get(), diagram->mMonoIsochorsList.get()}) {
            if (list == nullptr) continue;
            for (CIsochor* isochor : list->mList) {
                if (ref == Ref(isochor)) return {diagram, isochor, nullptr};
                if (!isochor->mTrappingLines) continue;
                for (CTrappingLine* line : isochor->mTrappingLines->mList)
                    if (ref == Ref(line)) return {diagram, isochor, line};
            }
        }
    }
    return {};
}

bool HoldsDiagram(const CPhaseDiagDocument& document, const CPhaseDiagram* diagram) {
    return diagram != nullptr && document.mPhaseDiagramsList.mList.Contains(diagram);
}
