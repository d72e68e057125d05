// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// UTF-8 text: decoding one character, encoding one, finding what is not UTF-8, and showing any
// bytes in a message so that the message stays whole and readable.

#include <cstddef>
#include <string>
#include <string_view>

// One character of a text: its code point and its length in bytes. The length is 0 when the bytes
// at that place are not well-formed UTF-8 (overlong forms, surrogates and code points above
// U+10FFFF included).
struct CUtf8Character {
    char32_t code = 0;
    std::size_t length = 0;
};
CUtf8Character DecodeUtf8(std::string_view text, std::size_t pos);

// Appends the code point (at most U+10FFFF) in UTF-8.
void AppendUtf8(std::string& out, char32_t code);

// The position of the first byte that does not belong to well-formed UTF-8, or npos.
std::size_t FindInvalidUtf8(std::string_view text);

// A text as a message shows it, on one line and whole: a NUL byte as \0, a tab as \t, a line end as
// \n or \r, other control characters and bytes that are not UTF-8 as \xHH; at most `maxCharacters`
// characters are kept, followed by "..." when the text is longer.
std::string EscapeForMessage(std::string_view text, std::size_t maxCharacters = 40);
