#pragma once
// Text in rows and cells, as spreadsheets exchange it: CSV files and tab-separated clipboard text.
//
// Reading takes comma, semicolon or tab separators, cells in double quotes (with doubled quotes
// inside, and separators or line ends), LF, CRLF or CR line ends and a leading UTF-8 byte order
// mark. Every cell keeps the line and column where it starts, so that a refusal can name them.

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

// The separator of the first line that holds something: a tab if it has one, otherwise a
// semicolon if it has one, otherwise a comma. Quoted text is not looked at.
char DetectSeparator(std::string_view text);

// Splits the text into rows of cells. Rows whose cells are all empty are left out (spreadsheets
// write them at the end). False with the problem for a quote that is never closed or text after a
// closing quote.
bool SplitDelimitedText(std::string_view text, char separator, std::vector<CDelimitedRow>& rows,
                        CTextProblem& problem);

// A cell as it is written: in quotes (inner quotes doubled) when it holds the separator, a quote, a
// line end or blanks at either end.
std::string QuoteCell(std::string_view text, char separator);
// The cells joined by the separator, with a line end.
std::string JoinCells(std::span<const std::string> cells, char separator);
// The shortest text that reads back as the same number, with a decimal point.
std::string NumberCellText(double value);
