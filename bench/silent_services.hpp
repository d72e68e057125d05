// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Application services for benchmarks: they answer nothing and show nothing.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "documents/application_services.hpp"

// Answers nothing and shows nothing.
class SilentServices : public CApplicationServices {
  public:
    void ShowMessage(const CUserMessage&) override {}
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> PromptText(const std::string&, const std::string&,
                                          const std::string& p) override {
        return p;
    }
    std::optional<std::filesystem::path> ChooseFileToOpen(const CFileChoice&) override {
        return std::nullopt;
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    bool RunProgressLoop(const CProgressLoop&, const std::function<CProgressStep()>& step) override {
        while (step().more) {
        }
        return true;
    }
    std::filesystem::path GetApplicationFolder() const override { return "."; }
};
