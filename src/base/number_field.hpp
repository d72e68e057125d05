// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Reading and showing the numbers people type: dialog fields, table cells, command-line options.
//
// Whatever the process locale is (the desktop toolkit sets it from the environment), numbers are
// read and written with a decimal point. Only finite decimals are numbers: "nan", "inf", hexadecimal
// and values that overflow are refused, so nothing that is not a measurement reaches a calculation.

#include <optional>
#include <string>
#include <string_view>

// A finite decimal number: optional blanks and tabs, an optional sign, digits with an optional
// decimal point, an optional exponent, optional blanks and tabs, and nothing else.
std::optional<double> ParseDecimal(std::string_view text);

// The rule of the number fields of dialogs and tables: a finite decimal as above, and a text whose
// value is 0 must begin (after the leading blanks) with the digit 0, so "-0", ".0" and "1e-400" are
// refused while "0", "0.0" and "00" are read as 0.
std::optional<double> ParseNumberField(std::string_view text);

// What a value that is not a finite number (NaN, infinity) shows as, wherever numbers are shown for
// people (table cells, panel fields): never "nan" or "inf". A number field refuses it as it refuses
// any other text that is not a number.
inline constexpr const char* kNotANumberText = "not a number";

// "%.*f" in the "C" locale; a value that rounds to zero is shown without a minus sign, and digits
// outside 0 to 8 show six decimals, as "%f" does. A value that is not finite shows kNotANumberText.
std::string FormatFixed(double value, int digits);

// How many decimals the value has: those of the shortest text that reads back as the same number
// (11.67 has 2, 100 has 0, 0.1 + 0.2 has 17).
int OwnDecimals(double value);

// The value with the decimals it has, at least minDecimals and at most maxDecimals (both held
// within 0 to 8): with 1 and 4, 11.67 shows as "11.67", 100 as "100.0", 1/3 as "0.3333".
std::string FormatWithOwnDecimals(double value, int minDecimals, int maxDecimals);
