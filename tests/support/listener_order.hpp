// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The order in which the application's listeners hear what a document reports, for the headless
// core and for the desktop program alike: both must give the same list.

#include <string>
#include <vector>

#include "app/application_core.hpp"
#include "fake_application_services.hpp"

namespace zephon::testing {

// Writes "name:event" for every change and closing it hears.
class LoggingListener : public CAppListener {
  public:
    LoggingListener(std::string name, std::vector<std::string>& log) : mName(std::move(name)), mLog(log) {}
    void OnAppNotification(CAppNotification notification) override {
        if (notification != CAppNotification::CurrentChanged)
            mLog.push_back(mName + ":" + NotificationName(notification));
    }
    void OnDocumentClosing(CWDocument&) override { mLog.push_back(mName + ":closing"); }

  private:
    std::string mName;
    std::vector<std::string>& mLog;
};

// A fluid-model document is made through the documents' events (as generating a fluid model
// does), reports a change, and closes; two listeners (a panel, then the axis range window) log
// what reaches them.
inline void RecordListenerOrder(CApplicationCore& core, std::vector<std::string>& log) {
    LoggingListener panel("panel", log), axes("axes", log);
    core.AddListener(&panel);
    core.AddListener(&axes);
    CFluidModelDataDocument* fluid = core.Services().Events().NewFluidModelDocument();
    if (fluid != nullptr) {
        fluid->Services().Events().Notify(CAppNotification::FluidModelDataDocModified);
        core.CloseDocument(*fluid);
    }
    core.RemoveListener(&panel);
    core.RemoveListener(&axes);
}

inline const std::vector<std::string> kListenerOrder = {
    "panel:FluidModelDataDocModified",
    "axes:FluidModelDataDocModified", // made
    "panel:FluidModelDataDocModified",
    "axes:FluidModelDataDocModified", // changed
    "panel:closing",
    "axes:closing",
    "panel:FluidModelDataDocModified",
    "axes:FluidModelDataDocModified", // gone
};

} // namespace zephon::testing
