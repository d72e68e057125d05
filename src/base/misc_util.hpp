// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include <string>
#include <string_view>

// Copies a number written in digits, with a blank between the groups of three digits of its integer
// part (the part before the first "."): "1234567.89" gives "1 234 567.89", "123.4" is unchanged.
// A leading sign is kept in front of the digits and not counted in the groups. A text whose integer
// part is not all digits ("not a number") is copied unchanged.
std::string SpaceNumberInsert(std::string_view number);

// True when the text is not empty and ends with the suffix (case-sensitive); an empty suffix on a
// non-empty text is true.
bool stringEndsWith(std::string_view text, std::string_view suffix);
