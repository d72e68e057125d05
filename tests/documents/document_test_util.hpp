// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// A fresh folder per test and small file helpers.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fake_application_services.hpp"
#include "scratch_folder.hpp"

namespace zephon::testing {

class TempFolder : public TestFolder {
  public:
    TempFolder() : TestFolder("zephon-documents-") {}
    std::filesystem::path operator/(const std::string& name) const { return Path() / name; }
};

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// The fields of a data file; line ends and blank lines aside.
inline std::vector<std::string> Tokens(const std::string& text) {
    std::vector<std::string> tokens;
    std::istringstream in(text);
    std::string token;
    while (in >> token)
        tokens.push_back(token);
    return tokens;
}

// Files of a folder other than the given ones (left-over temporary files, say).
inline int CountFiles(const std::filesystem::path& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++count;
    return count;
}

} // namespace zephon::testing
