// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The bundled example and the demonstration that runs the whole workflow on it.
//
// The example is a family of four oil inclusions trapped from one black oil at different
// temperatures (their alpha-beta curves cross at that oil) and one inclusion of a heavier oil, with
// their bubble-volume measurements; an alpha-beta correlation of produced oils of the same basin.
// The files in examples/ are these records as their own writers write them.

#include <filesystem>
#include <string>
#include <vector>

#include "cli/pending_outputs.hpp"
#include "data/alpha_beta_record.hpp"
#include "data/inclusion_record.hpp"
#include "documents/application_services.hpp"

namespace zephon::cli {

class CTerminalServices;

void MakeExampleInclusions(CInclusionList& list);
void MakeExampleCorrelation(CAlphaBetaCorrelation& correlation);

struct CDemoResult {
    std::vector<std::string> summary;         // the lines printed at the end
    std::vector<std::filesystem::path> files; // everything written
    CPendingOutputs outputs;                  // their texts, written once all have been made
};

// Runs the workflow and makes its documents and pictures for the folder (which it creates when
// needed); nothing is written before `outputs` is committed. Throws the tool's errors.
CDemoResult RunDemoWorkflow(const std::filesystem::path& folder, CTerminalServices& services, int jobs);

} // namespace zephon::cli
