#include "data/delimited_text.hpp"

#include <charconv>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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
                        CTextProblem& problem) {
    rows.clear();
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    long line = 1;
    std::size_t i = 0;
    const std::size_t n = text.size();
    CDelimitedRow row{line, {}};
    bool rowHasContent = false;

    auto endRow = [&] {
        if (rowHasContent) rows.push_back(std::move(row));
        row = CDelimitedRow{line, {}};
        rowHasContent = false;
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
        row.cells.push_back(std::move(cell));
        if (i < n && text[i] == separator) {
            ++i;
            if (i == n) row.cells.push_back({"", line, static_cast<long>(row.cells.size()) + 1});
            continue;
        }
        if (const std::size_t end = lineEndAt(i)) {
            i += end;
            ++line;
            endRow();
        }
    }
    endRow();
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
        line += QuoteCell(cells[i], separator);
    }
    return line + "\n";
}

std::string NumberCellText(double value) {
    if (value == 0) return "0";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}
