#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Copies a number written in digits, with a blank between the groups of three digits of its integer
// part (the part before the first "."): "1234567.89" gives "1 234 567.89", "123.4" is unchanged.
// A leading sign is kept in front of the digits and not counted in the groups. A text whose integer
// part is not all digits ("not a number") is copied unchanged.
std::string SpaceNumberInsert(std::string_view number);

// The position of the first byte of the text that does not belong to well-formed UTF-8 (overlong
// forms, surrogates and code points above U+10FFFF included), or npos when the whole text is UTF-8.
std::size_t FindInvalidUtf8(std::string_view text);

// A text as a message shows it, on one line and whole: a NUL byte as \0, a tab as \t, a line end as
// \n or \r, other control characters and bytes that are not UTF-8 as \xHH; at most `maxCharacters`
// characters are kept, followed by "..." when the text is longer.
std::string EscapeForMessage(std::string_view text, std::size_t maxCharacters = 40);

// True when the text is not empty and ends with the suffix (case-sensitive); an empty suffix on a
// non-empty text is true.
bool stringEndsWith(std::string_view text, std::string_view suffix);
