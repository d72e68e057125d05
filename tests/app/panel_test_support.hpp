// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The application as the tool panels see it, without windows: the fake services pass every
// notification of the documents on to the application, as the desktop's services do, and a
// volume-temperature plot that is made becomes the current one, as its new window would.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/application_core.hpp"
#include "app/tool_panels.hpp"
#include "documents/alpha_beta_plot_document.hpp"
#include "documents/data_documents.hpp"
#include "documents/phase_diag_document.hpp"
#include "fake_application_services.hpp"
#include "scratch_folder.hpp"

namespace zephon::testing {

class PanelServices : public FakeApplicationServices {
  public:
    CApplicationCore* core = nullptr;

    void NotifyAlphaBetaPlotModified() override {
        Forward("AlphaBetaPlotModified", CAppNotification::AlphaBetaPlotModified);
    }
    void NotifyAlphaBetaPlotSelection() override {
        Forward("AlphaBetaPlotSelection", CAppNotification::AlphaBetaPlotSelection);
    }
    void NotifyPTPlotModified() override { Forward("PTPlotModified", CAppNotification::PTPlotModified); }
    void NotifyPTPlotSelection() override { Forward("PTPlotSelection", CAppNotification::PTPlotSelection); }
    void NotifyVTPlotSelection() override { Forward("VTPlotSelection", CAppNotification::VTPlotSelection); }
    void NotifyInclusionsDataDocModified() override {
        Forward("InclusionsDataDocModified", CAppNotification::InclusionsDataDocModified);
    }
    void NotifyFluidModelDataDocModified() override {
        Forward("FluidModelDataDocModified", CAppNotification::FluidModelDataDocModified);
    }
    void VTPlotCreated(CPhaseDiagDocument& document, CVolumePlotView& plot) override {
        FakeApplicationServices::VTPlotCreated(document, plot);
        if (core) core->SetCurrentVTPlotView(&plot);
    }
    void VTPlotDestroyed(CPhaseDiagDocument& document, CVolumePlotView& plot) override {
        FakeApplicationServices::VTPlotDestroyed(document, plot);
        if (core) core->VTPlotDestroyed(plot);
    }
    // A generated fluid model is a document of the application, as in the desktop.
    CFluidModelDataDocument* NewFluidModelDocument() override {
        if (!core) return FakeApplicationServices::NewFluidModelDocument();
        return dynamic_cast<CFluidModelDataDocument*>(core->NewDocument(CDocumentKind::FluidModel));
    }
    void SetCurrentVTPlotView(CVolumePlotView* plot) override {
        FakeApplicationServices::SetCurrentVTPlotView(plot);
        if (core) core->SetCurrentVTPlotView(plot);
    }

  private:
    void Forward(const char* name, CAppNotification notification) {
        ++notifications[name];
        if (core) core->Notify(notification);
    }
};

class PanelTest : public ::testing::Test {
  protected:
    PanelTest() : folder("zephon-panels-") {
        services.core = &core;
        services.applicationFolder = ZEPHON_RESOURCES_DIR;
    }
    ~PanelTest() override { services.core = nullptr; }

    static std::filesystem::path Example(const char* name) {
        return std::filesystem::path(ZEPHON_EXAMPLES_DIR) / name;
    }

    template <class Document> Document* Open(const char* example) {
        auto* document = dynamic_cast<Document*>(core.OpenDocument(Example(example)));
        EXPECT_NE(document, nullptr) << services.LastMessage();
        return document;
    }
    template <class Document> Document* New(CDocumentKind kind) {
        auto* document = dynamic_cast<Document*>(core.NewDocument(kind));
        core.WindowActivated(document);
        return document;
    }

    TestFolder folder;
    PanelServices services;
    CApplicationCore core{services};
};

} // namespace zephon::testing
