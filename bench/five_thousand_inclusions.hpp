// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// What the table and recovery benchmarks share: a file of 5 000 inclusions, written once.

#include <cstdlib>
#include <filesystem>
#include <string>

#include "documents/data_documents.hpp"
#include "silent_services.hpp"

inline constexpr long kInclusions = 5000;

// A file of 5 000 inclusions with 0 to 7 bubble-volume measurements each, written once.
inline const std::filesystem::path& InclusionFile() {
    static const std::filesystem::path path = [] {
        SilentServices services;
        CInclusionDataDocument document(services);
        for (long i = 0; i < kInclusions; ++i) {
            auto* inclusion = new CInclusionRecordEx;
            inclusion->mInclusionName = "FI-" + std::to_string(i + 1);
            inclusion->mTh = 60 + 0.01 * static_cast<double>(i % 9000);
            inclusion->mFv = 2 + static_cast<double>(i % 17);
            inclusion->mTv = 20;
            inclusion->mHomog = i % 5 != 0;
            inclusion->mCO2 = 0.1 * static_cast<double>(i % 30);
            for (long k = 0; k < i % 8; ++k)
                inclusion->mVolumeDataList.Add(new CVolumeRecord(20.0 + 15.0 * k, 10.0 - k));
            document.mInclusionList.Add(inclusion);
        }
        const auto file = std::filesystem::temp_directory_path() / "zephon-bench-5000.inc";
        if (!document.OnSaveDocument(file)) std::abort();
        return file;
    }();
    return path;
}
