// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Reading the rows of a data table from delimited text (a CSV file, rows pasted from a spreadsheet),
// every cell checked by its column's rule.
//
// A header row names the columns in any order (titles compared without case, blanks, dots and
// degree signs, so "th (C)" names "Th (°C)"). Without a header the cells are the table's columns in
// order. Every row has as many cells as the header; numbers may have a decimal comma when the
// separator is a semicolon or a tab. The first fault ends the reading: nothing is half read.
//
// The text may be UTF-8 or UTF-16 with its byte order mark (DecodeDelimitedText). Names are cells
// of UTF-8 text; a cell that holds a NUL byte is refused whatever its column, with the NUL shown as
// \0. Name and component cells lose the apostrophe that the CSV-injection guard put before them
// (UnguardCell), so what JoinCells wrote reads back exactly.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/cell_rules.hpp"
#include "data/delimited_text.hpp"

// Numbered pairs of further columns, "T1 (°C)" and "% Gas 1", "T2 (°C)" and "% Gas 2"...: '#' in
// the two titles stands for the number. A pair left empty in a row is no pair.
struct CRepeatedColumns {
    CColumnRule first;
    CColumnRule second;
};

struct CTableReadOptions {
    bool headerRequired = true;
    const CRepeatedColumns* pairs = nullptr;
    std::optional<char> separator; // detected when not given
    CTextLimits limits;
};

struct CTableRow {
    long line = 0;
    std::vector<CCellValue> cells;                        // one per column, in the columns' order
    std::vector<std::pair<CCellValue, CCellValue>> pairs; // the filled pairs, by their numbers
};

// What a reading found besides its rows.
struct CTableReading {
    std::vector<CTableRow> rows;
    bool hadHeader = false;
    char separator = ',';
};

// False with the problem at the first fault.
bool ReadTableRows(std::string_view text, std::span<const CColumnRule> columns,
                   const CTableReadOptions& options, CTableReading& reading, CTextProblem& problem);

// The title of the pair column with '#' replaced by the number.
std::string PairTitle(const CColumnRule& rule, int number);
// What header titles are compared by: lower case, without blanks, dots and degree signs.
std::string TitleKey(std::string_view title);
