// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Inclusion lists as CSV, for spreadsheets and heating stages: one row per inclusion with the columns
// of the inclusion table, and the bubble-volume measurements as further pairs of columns "T1 (°C)",
// "% Gas 1", "T2 (°C)", "% Gas 2"... (an inclusion with fewer measurements leaves the rest empty).
// The markers of the volume-temperature plots are not part of it.

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/delimited_table.hpp"
#include "data/inclusion_record.hpp"

// The columns of the inclusion table, in order.
enum CInclusionColumn { kIncName, kIncTh, kIncFv, kIncTv, kIncHomog, kIncCO2, kIncN2, kIncH2S };
std::span<const CColumnRule> InclusionColumns();
// The columns of one bubble-volume measurement, in the volume table and in the file's pairs ('#' is the
// measurement's number in a file).
const CRepeatedColumns& VolumeColumnPairs();

// A header, then one row per inclusion; numbers as the shortest text that reads back the same. Names
// that a spreadsheet would take for a formula ("=cmd", "-FI 1") get a leading apostrophe, which
// reading takes off again (JoinCells), so every name reads back exactly.
std::string WriteInclusionsCsv(std::span<const CInclusionRecordEx* const> inclusions, char separator = ',');

// An inclusion (with the default marker) from a row read by the inclusion columns and pairs.
std::unique_ptr<CInclusionRecordEx> InclusionFromRow(const CTableRow& row);

// Reads inclusions (with the default marker). A file must start with a header; pasted text may
// leave it out. The gas columns may be left out of a header (their contents are then 0). UTF-8 or
// UTF-16 with its byte order mark; at most `limits` rows and cells. False with the problem at the
// first fault, and nothing read.
bool ReadInclusionsCsv(std::string_view text, bool headerRequired,
                       std::vector<std::unique_ptr<CInclusionRecordEx>>& inclusions, CTextProblem& problem,
                       const CTextLimits& limits = {});
