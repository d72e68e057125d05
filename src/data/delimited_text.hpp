// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Text in rows and cells, as spreadsheets exchange it: CSV files and tab-separated clipboard text.
//
// Reading takes comma, semicolon or tab separators, cells in double quotes (with doubled quotes
// inside, and separators or line ends), LF, CRLF or CR line ends and a leading UTF-8 byte order
// mark; UTF-16 text with its byte order mark is converted to UTF-8 first (DecodeDelimitedText). Every
// cell keeps the line and column where it starts, so that a refusal can name them.
//
// Writing guards against formulas: a cell that a spreadsheet would run as a formula is written with
// a leading apostrophe, which reading takes off again (GuardCell, UnguardCell).

#include <span>
#include <string>
#include <string_view>
#include <vector>

struct CDelimitedCell {
    std::string text; // unquoted cells without their surrounding blanks
    long line = 0;    // 1-based line of the text where the cell starts
    long column = 0;  // 1-based position of the cell in its row
};

struct CDelimitedRow {
    long line = 0;
    std::vector<CDelimitedCell> cells;
};

// Where and why a text was refused. Line and column are 1-based; 0 when they do not apply.
struct CTextProblem {
    long line = 0;
    long column = 0;
    std::string columnTitle; // the column's title when known
    std::string reason;
    // "line 3, column 2 (Th (°C)): \"abc\" is not a number"
    std::string Text() const;
};

// The most a table text may hold, checked while it is split, before anything else is made of it.
struct CTextLimits {
    std::size_t maxRows = 1'000'000;
    std::size_t maxCells = 10'000'000;
};

// Makes `text` UTF-8. UTF-16 little- or big-endian with its byte order mark is converted into
// `storage` and `text` then views it. UTF-32, UTF-16 that is cut or holds a lone surrogate, and text
// that looks like UTF-16 without a byte order mark are refused, naming the encoding. Any other text
// is left as it is (a UTF-8 byte order mark is skipped by the splitting; names are checked for UTF-8
// when they are read).
bool DecodeDelimitedText(std::string_view& text, std::string& storage, CTextProblem& problem);

// The separator of the first line that holds something: a tab if it has one, otherwise a
// semicolon if it has one, otherwise a comma. Quoted text is not looked at.
char DetectSeparator(std::string_view text);

// Splits the text into rows of cells. Rows whose cells are all empty are left out (spreadsheets
// write them at the end). False with the problem for a quote that is never closed, text after a
// closing quote, or more rows or cells than the limits allow (the splitting stops there).
bool SplitDelimitedText(std::string_view text, char separator, std::vector<CDelimitedRow>& rows,
                        CTextProblem& problem, const CTextLimits& limits = {});

// The CSV-injection guard. A cell that starts with "=", "+", "-", "@", a tab or a carriage return and
// is not a number is written with a leading apostrophe, so that spreadsheets show it as text instead
// of running it as a formula. So that every text comes back exactly, a cell that starts with an
// apostrophe followed by one of those characters or by another apostrophe gets one more apostrophe.
std::string GuardCell(std::string_view text);
// The text a guarded cell stands for: one leading apostrophe less where GuardCell added one.
std::string_view UnguardCell(std::string_view text);

// A cell as it is written: in quotes (inner quotes doubled) when it holds the separator, a quote, a
// line end or blanks at either end.
std::string QuoteCell(std::string_view text, char separator);
// The cells, guarded and quoted, joined by the separator, with a line end.
std::string JoinCells(std::span<const std::string> cells, char separator);
// The shortest text that reads back as the same number, with a decimal point. A value that is not
// finite (which no reader makes) is written as 0, never as "inf" or "nan", which reading refuses.
std::string NumberCellText(double value);
