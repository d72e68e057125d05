// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The application as the tool panels see it, without windows: the documents report to the
// application core, as in the desktop program, and a counting listener records what the core
// passed on.

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

// Counts what the core passes on, under the names the fake services count.
class CountingListener : public CAppListener {
  public:
    explicit CountingListener(FakeApplicationServices& services) : mServices(services) {}
    void OnAppNotification(CAppNotification notification) override {
        ++mServices.notifications[NotificationName(notification)];
    }

  private:
    FakeApplicationServices& mServices;
};

class PanelTest : public ::testing::Test {
  protected:
    PanelTest() : folder("zephon-panels-") {
        services.applicationFolder = ZEPHON_RESOURCES_DIR;
        core.AddListener(&counter);
    }
    // The counter goes before the core, which still tells its listeners of the documents it closes.
    ~PanelTest() override { core.RemoveListener(&counter); }

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
    FakeApplicationServices services;
    CApplicationCore core{services};
    CountingListener counter{services};
};

} // namespace zephon::testing
