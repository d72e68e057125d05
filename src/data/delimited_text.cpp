// SPDX-License-Identifier: BSD-3-Clause
#include "data/delimited_text.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "base/misc_util.hpp"
#include "base/number_field.hpp"
#include "base/utf8_text.hpp"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kUtf32LeMark = std::string_view("\xFF\xFE\0\0", 4);
constexpr std::string_view kUtf32BeMark = std::string_view("\0\0\xFE\xFF", 4);

// UTF-16 code units (after the byte order mark) to UTF-8.
bool ConvertUtf16(std::string_view bytes, bool bigEndian, std::string& utf8, CTextProblem& problem) {
    const char* name = bigEndian ? "UTF-16 (big-endian)" : "UTF-16 (little-endian)";
    if (bytes.size() % 2 != 0) {
        problem = {0, 0, "", std::string("the text is ") + name + " but ends in the middle of a character"};
        return false;
    }
    auto unit = [&](std::size_t i) -> std::uint32_t {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        return bigEndian ? (first << 8 | second) : (second << 8 | first);
    };
    utf8.clear();
    utf8.reserve(bytes.size() / 2 + bytes.size() / 8);
    const std::size_t units = bytes.size() / 2;
    long line = 1;
    for (std::size_t i = 0; i < units; ++i) {
        std::uint32_t code = unit(i);
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 &&
            unit(i + 1) <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            problem = {line, 0, "",
                       std::string("the text is ") + name +
                           " but holds half of a character (a lone surrogate)"};
            return false;
        }
        if (code == '\n') ++line;
        AppendUtf8(utf8, code);
    }
    return true;
}

// Whether the first characters have a NUL byte every other byte, as ASCII in UTF-16 has: 1 for
// little-endian, 2 for big-endian, 0 otherwise.
int LooksLikeUtf16(std::string_view text) {
    const std::size_t pairs = std::min<std::size_t>(text.size() / 2, 32);
    if (pairs < 2) return 0;
    std::size_t little = 0, big = 0;
    for (std::size_t i = 0; i < pairs; ++i) {
        const char a = text[2 * i], b = text[2 * i + 1];
        little += a != '\0' && b == '\0';
        big += a == '\0' && b != '\0';
    }
    return little == pairs ? 1 : big == pairs ? 2 : 0;
}

bool IsFormulaStart(char c) {
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

bool NeedsGuard(std::string_view text) {
    if (text.empty()) return false;
    if (text.front() == '\'') return text.size() >= 2 && (IsFormulaStart(text[1]) || text[1] == '\'');
    if (!IsFormulaStart(text.front())) return false;
    // A number such as -12.5 or +3 is no formula and stays as it is.
    const bool number = text.front() != '\t' && text.front() != '\r' && ParseDecimal(text).has_value() &&
                        text.back() != ' ' && text.back() != '\t';
    return !number;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string TrimBlanks(std::string_view text, char separator) {
    // A tab that separates cells is never part of one.
    auto blank = [separator](char c) { return c == ' ' || (c == '\t' && separator != '\t'); };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

} // namespace

std::string CTextProblem::Text() const {
    std::string text;
    if (line > 0) text += "line " + std::to_string(line);
    if (column > 0) text += (text.empty() ? "column " : ", column ") + std::to_string(column);
    if (!columnTitle.empty()) text += (text.empty() ? "" : " ") + ("(" + columnTitle + ")");
    return text.empty() ? reason : text + ": " + reason;
}

bool DecodeDelimitedText(std::string_view& text, std::string& storage, CTextProblem& problem) {
    // UTF-32 first: its little-endian mark begins with that of UTF-16.
    if (text.starts_with(kUtf32LeMark) || text.starts_with(kUtf32BeMark)) {
        problem = {0, 0, "",
                   std::string("the text is UTF-32 (") + (text.starts_with(kUtf32LeMark) ? "little" : "big") +
                       "-endian), which Zephon does not read: save it as UTF-8 or UTF-16"};
        return false;
    }
    const bool little = text.starts_with(kUtf16LeMark);
    if (little || text.starts_with(kUtf16BeMark)) {
        if (!ConvertUtf16(text.substr(2), !little, storage, problem)) return false;
        text = storage;
        return true;
    }
    if (const int utf16 = LooksLikeUtf16(text)) {
        problem = {0, 0, "",
                   std::string("the text looks like UTF-16 (") + (utf16 == 1 ? "little" : "big") +
                       "-endian) without a byte order mark: save it as UTF-8, or as UTF-16 with its byte "
                       "order mark"};
        return false;
    }
    return true;
}

std::string GuardCell(std::string_view text) {
    return NeedsGuard(text) ? "'" + std::string(text) : std::string(text);
}

std::string_view UnguardCell(std::string_view text) {
    if (text.size() >= 2 && text.front() == '\'' && (IsFormulaStart(text[1]) || text[1] == '\''))
        text.remove_prefix(1);
    return text;
}

char DetectSeparator(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    bool quoted = false;
    bool semicolon = false, somethingOnLine = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            somethingOnLine = true;
            continue;
        }
        if (quoted) continue;
        if (c == '\t') return '\t';
        if (c == ';') semicolon = true;
        if (c == '\n' || c == '\r') {
            if (somethingOnLine) break;
            continue;
        }
        if (!IsBlank(c)) somethingOnLine = true;
    }
    return semicolon ? ';' : ',';
}

bool SplitDelimitedText(std::string_view text, char separator, std::vector<CDelimitedRow>& rows,
                        CTextProblem& problem, const CTextLimits& limits) {
    rows.clear();
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    long line = 1;
    std::size_t i = 0;
    const std::size_t n = text.size();
    CDelimitedRow row{line, {}};
    bool rowHasContent = false;
    std::size_t cells = 0;
    bool tooLarge = false;

    auto endRow = [&] {
        if (rowHasContent) {
            if (rows.size() == limits.maxRows) {
                problem = {row.line, 0, "",
                           "the text has more than " + SpaceNumberInsert(std::to_string(limits.maxRows)) +
                               " rows, the most Zephon reads"};
                tooLarge = true;
                return;
            }
            rows.push_back(std::move(row));
        }
        row = CDelimitedRow{line, {}};
        rowHasContent = false;
    };
    auto addCell = [&](CDelimitedCell cell) {
        if (++cells > limits.maxCells) {
            problem = {cell.line, cell.column, "",
                       "the text has more than " + SpaceNumberInsert(std::to_string(limits.maxCells)) +
                           " cells, the most Zephon reads"};
            tooLarge = true;
            return;
        }
        row.cells.push_back(std::move(cell));
    };
    // A line end at i: CRLF, LF or CR. Returns its length, 0 when there is none.
    auto lineEndAt = [&](std::size_t at) -> std::size_t {
        if (at >= n) return 0;
        if (text[at] == '\r') return (at + 1 < n && text[at + 1] == '\n') ? 2 : 1;
        return text[at] == '\n' ? 1 : 0;
    };

    while (i < n) {
        // One cell starts at i.
        CDelimitedCell cell{"", line, static_cast<long>(row.cells.size()) + 1};
        std::size_t start = i;
        while (start < n && text[start] == ' ')
            ++start;
        if (start < n && text[start] == '"') {
            i = start + 1;
            const long openedOn = line;
            for (;;) {
                if (i >= n) {
                    problem = {openedOn, cell.column, "", "a quote opened here is never closed"};
                    return false;
                }
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        cell.text += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (const std::size_t end = lineEndAt(i)) {
                    cell.text += '\n';
                    i += end;
                    ++line;
                    continue;
                }
                cell.text += text[i++];
            }
            while (i < n && text[i] == ' ')
                ++i;
            if (i < n && text[i] != separator && lineEndAt(i) == 0) {
                problem = {line, cell.column, "", "text follows the closing quote of a cell"};
                return false;
            }
            rowHasContent = true;
        } else {
            while (i < n && text[i] != separator && lineEndAt(i) == 0)
                ++i;
            cell.text = TrimBlanks(text.substr(start, i - start), separator);
            if (!cell.text.empty()) rowHasContent = true;
        }
        addCell(std::move(cell));
        if (tooLarge) break;
        if (i < n && text[i] == separator) {
            ++i;
            if (i == n) addCell({"", line, static_cast<long>(row.cells.size()) + 1});
            if (tooLarge) break;
            continue;
        }
        if (const std::size_t end = lineEndAt(i)) {
            i += end;
            ++line;
            endRow();
            if (tooLarge) break;
        }
    }
    if (!tooLarge) endRow();
    if (tooLarge) {
        rows.clear();
        return false;
    }
    return true;
}

std::string QuoteCell(std::string_view text, char separator) {
    const bool needsQuotes =
        text.find_first_of(std::string{separator, '"', '\r', '\n'}) != std::string_view::npos ||
        (!text.empty() && (IsBlank(text.front()) || IsBlank(text.back())));
    if (!needsQuotes) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string JoinCells(std::span<const std::string> cells, char separator) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) line += separator;
        line += QuoteCell(GuardCell(cells[i]), separator);
    }
    return line + "\n";
}

std::string NumberCellText(double value) {
    if (value == 0 || !std::isfinite(value)) return "0";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}
