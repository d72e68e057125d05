// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// What one cell of a data table may hold, and the reading of a typed or imported text into it.
//
// The tables, the clipboard and the CSV files of inclusions check every value by these rules, so a
// value refused in a cell is refused in a pasted row or an imported file with the same reason.

#include <limits>
#include <string>
#include <string_view>

enum class CCellKind {
    Name,      // a record's name: not empty, at most 255 characters, no tab or line end
    Number,    // a finite decimal within the column's limits
    Homog,     // the homogenisation type: L (to liquid) or G (to gas)
    Component, // a component name: not empty, at most 32 characters, no tab or line end
};

struct CColumnRule {
    std::string title; // the column's title, as shown above it and written in file headers
    CCellKind kind = CCellKind::Number;
    double minimum = -std::numeric_limits<double>::infinity();
    double maximum = std::numeric_limits<double>::infinity();
    // In a file, the column may be left out; every row then holds `fallback`.
    bool optional = false;
    double fallback = 0;
};

// Lowest temperature a measurement can have, degrees Celsius.
inline constexpr double kAbsoluteZeroCelsius = -273.15;
inline constexpr std::size_t kMaxComponentNameLength = 32;

// A temperature column: at least absolute zero.
CColumnRule TemperatureColumn(std::string title);
// A percentage column: 0 to 100.
CColumnRule PercentColumn(std::string title);
// A number column without limits.
CColumnRule NumberColumn(std::string title);

// Which reader of numbers applies: the number-field rule of typed cells (a zero starts with the
// digit 0), or plain finite decimals for files and the clipboard, where a decimal comma may be
// allowed too.
enum class CNumberSource { TypedCell, File };

struct CCellValue {
    std::string text;  // names and component names
    double number = 0; // numbers; the homogenisation type as 1 (to liquid) or 0 (to gas)
};

// Reads a text by the column's rule. False with the reason ("\"12a\" is not a number") when the
// text does not fit; the reason does not name the column. A text with a NUL byte fits no column and a
// name or component name must be UTF-8; reasons show the text with such bytes escaped ("A\0B").
bool ReadCell(const CColumnRule& rule, std::string_view text, CNumberSource source, bool decimalComma,
              CCellValue& value, std::string& reason);

// "L" or "G".
const char* HomogText(int homog);
