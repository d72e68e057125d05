// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// A fresh, empty folder per test, named after the test and the process and removed with it, so that
// two runs of the same suite at once (two builds, two checkouts) never share files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace zephon::testing {

class TestFolder {
  public:
    explicit TestFolder(const std::string& prefix) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        mPath =
            std::filesystem::temp_directory_path() / (prefix + std::string(info->test_suite_name()) + "-" +
                                                      info->name() + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(mPath);
        std::filesystem::create_directories(mPath);
    }
    ~TestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(mPath, ignored);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    const std::filesystem::path& Path() const { return mPath; }

  private:
    std::filesystem::path mPath;
};

} // namespace zephon::testing
