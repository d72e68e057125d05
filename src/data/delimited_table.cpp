// SPDX-License-Identifier: BSD-3-Clause
#include "data/delimited_table.hpp"

#include <algorithm>
#include <cctype>
#include <map>

#include "base/utf8_text.hpp"

namespace {

// Where a header cell points: a column, one half of a numbered pair, or nothing.
struct CHeaderSlot {
    enum Kind { Column, PairFirst, PairSecond, Unknown } kind = Unknown;
    int index = 0; // the column, or the pair's number
};

// The number in `key` between the key of the pattern's text before and after '#'.
std::optional<int> PairNumber(std::string_view key, const std::string& pattern) {
    const auto hash = pattern.find('#');
    if (hash == std::string::npos) return std::nullopt;
    const std::string before = TitleKey(std::string_view(pattern).substr(0, hash));
    const std::string after = TitleKey(std::string_view(pattern).substr(hash + 1));
    if (key.size() <= before.size() + after.size() || !key.starts_with(before) || !key.ends_with(after))
        return std::nullopt;
    const std::string_view digits = key.substr(before.size(), key.size() - before.size() - after.size());
    if (digits.size() > 6 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoi(std::string(digits));
}

CHeaderSlot SlotOf(std::string_view title, std::span<const CColumnRule> columns,
                   const CRepeatedColumns* pairs) {
    const std::string key = TitleKey(title);
    if (key.empty()) return {};
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (TitleKey(columns[c].title) == key) return {CHeaderSlot::Column, static_cast<int>(c)};
    if (pairs != nullptr) {
        if (auto n = PairNumber(key, pairs->first.title)) return {CHeaderSlot::PairFirst, *n};
        if (auto n = PairNumber(key, pairs->second.title)) return {CHeaderSlot::PairSecond, *n};
    }
    return {};
}

std::string KnownTitles(std::span<const CColumnRule> columns, const CRepeatedColumns* pairs) {
    std::string list;
    for (const auto& column : columns)
        list += (list.empty() ? "" : ", ") + column.title;
    if (pairs != nullptr)
        list += ", " + PairTitle(pairs->first, 1) + ", " + PairTitle(pairs->second, 1) + ", " +
                PairTitle(pairs->first, 2) + "...";
    return list;
}

// The meaning of every cell of a row.
struct CLayout {
    std::vector<CHeaderSlot> slots;
    // Per pair number: the cell positions of its two halves.
    std::map<int, std::pair<int, int>> pairCells;
    bool fromHeader = true;
};

bool LayoutFromHeader(const CDelimitedRow& header, std::span<const CColumnRule> columns,
                      const CRepeatedColumns* pairs, CLayout& layout, CTextProblem& problem) {
    std::vector<int> seenColumn(columns.size(), -1);
    for (const CDelimitedCell& cell : header.cells) {
        const CHeaderSlot slot = SlotOf(cell.text, columns, pairs);
        const int position = static_cast<int>(layout.slots.size());
        if (slot.kind == CHeaderSlot::Unknown) {
            problem = {cell.line, cell.column, "",
                       cell.text.empty() ? "this column has no title"
                                         : "unknown column \"" + EscapeForMessage(cell.text) +
                                               "\" (the columns are " + KnownTitles(columns, pairs) + ")"};
            return false;
        }
        bool duplicate = false;
        if (slot.kind == CHeaderSlot::Column) {
            duplicate = seenColumn[static_cast<std::size_t>(slot.index)] >= 0;
            seenColumn[static_cast<std::size_t>(slot.index)] = position;
        } else {
            auto [it, added] = layout.pairCells.try_emplace(slot.index, -1, -1);
            int& half = slot.kind == CHeaderSlot::PairFirst ? it->second.first : it->second.second;
            duplicate = half >= 0;
            half = position;
        }
        if (duplicate) {
            problem = {cell.line, cell.column, "",
                       "the column \"" + EscapeForMessage(cell.text) + "\" appears twice"};
            return false;
        }
        layout.slots.push_back(slot);
    }
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (seenColumn[c] < 0 && !columns[c].optional) {
            problem = {header.line, 0, "", "the column \"" + columns[c].title + "\" is missing"};
            return false;
        }
    }
    for (const auto& [number, cells] : layout.pairCells) {
        if (cells.first < 0 || cells.second < 0) {
            const bool firstMissing = cells.first < 0;
            const std::string missing = PairTitle(firstMissing ? pairs->first : pairs->second, number);
            const std::string present = PairTitle(firstMissing ? pairs->second : pairs->first, number);
            problem = {header.line, 0, "",
                       "the column \"" + missing + "\" is missing (it goes with \"" + present + "\")"};
            return false;
        }
    }
    return true;
}

bool PositionalLayout(const CDelimitedRow& first, std::span<const CColumnRule> columns,
                      const CRepeatedColumns* pairs, CLayout& layout, CTextProblem& problem) {
    const long cells = static_cast<long>(first.cells.size());
    const long fixed = static_cast<long>(columns.size());
    const long extra = cells - fixed;
    layout.fromHeader = false;
    if (extra < 0 || (extra > 0 && (pairs == nullptr || extra % 2 != 0))) {
        problem = {first.line, 0, "",
                   "this row has " + std::to_string(cells) + " cells; the table has " +
                       std::to_string(fixed) + " columns" +
                       (pairs != nullptr ? " and pairs of further columns" : "")};
        return false;
    }
    for (int c = 0; c < fixed; ++c)
        layout.slots.push_back({CHeaderSlot::Column, c});
    for (int p = 0; p < extra / 2; ++p) {
        layout.slots.push_back({CHeaderSlot::PairFirst, p + 1});
        layout.slots.push_back({CHeaderSlot::PairSecond, p + 1});
        layout.pairCells[p + 1] = {static_cast<int>(fixed) + 2 * p, static_cast<int>(fixed) + 2 * p + 1};
    }
    return true;
}

bool IsHeader(const CDelimitedRow& row, std::span<const CColumnRule> columns, const CRepeatedColumns* pairs) {
    return std::all_of(row.cells.begin(), row.cells.end(), [&](const CDelimitedCell& cell) {
        return SlotOf(cell.text, columns, pairs).kind != CHeaderSlot::Unknown;
    });
}

bool ReadOne(const CColumnRule& rule, const CDelimitedCell& cell, bool decimalComma, CCellValue& value,
             CTextProblem& problem, const std::string& title) {
    std::string reason;
    // Text cells come without the apostrophe that guards them against spreadsheet formulas.
    const bool text = rule.kind == CCellKind::Name || rule.kind == CCellKind::Component;
    const std::string_view cellText = text ? UnguardCell(cell.text) : std::string_view(cell.text);
    if (ReadCell(rule, cellText, CNumberSource::File, decimalComma, value, reason)) return true;
    problem = {cell.line, cell.column, title, reason};
    return false;
}

bool ReadRow(const CDelimitedRow& row, const CLayout& layout, std::span<const CColumnRule> columns,
             const CRepeatedColumns* pairs, bool decimalComma, CTableRow& out, CTextProblem& problem) {
    const std::size_t width = layout.slots.size();
    if (row.cells.size() != width) {
        const long column = static_cast<long>(std::min(row.cells.size(), width)) + 1;
        problem = {row.line, column, "",
                   "this row has " + std::to_string(row.cells.size()) + " cells where the " +
                       (layout.fromHeader ? "header" : "first row") + " has " + std::to_string(width)};
        return false;
    }
    out.line = row.line;
    out.cells.assign(columns.size(), CCellValue{});
    for (std::size_t c = 0; c < columns.size(); ++c)
        out.cells[c].number = columns[c].fallback;
    for (std::size_t i = 0; i < width; ++i) {
        const CHeaderSlot& slot = layout.slots[i];
        if (slot.kind != CHeaderSlot::Column) continue;
        const CColumnRule& rule = columns[static_cast<std::size_t>(slot.index)];
        if (!ReadOne(rule, row.cells[i], decimalComma, out.cells[static_cast<std::size_t>(slot.index)],
                     problem, rule.title))
            return false;
    }
    for (const auto& [number, positions] : layout.pairCells) {
        const CDelimitedCell& first = row.cells[static_cast<std::size_t>(positions.first)];
        const CDelimitedCell& second = row.cells[static_cast<std::size_t>(positions.second)];
        if (first.text.empty() && second.text.empty()) continue;
        const std::string firstTitle = PairTitle(pairs->first, number);
        const std::string secondTitle = PairTitle(pairs->second, number);
        if (first.text.empty() || second.text.empty()) {
            const CDelimitedCell& empty = first.text.empty() ? first : second;
            problem = {empty.line, empty.column, first.text.empty() ? firstTitle : secondTitle,
                       "a measurement needs both " + firstTitle + " and " + secondTitle};
            return false;
        }
        std::pair<CCellValue, CCellValue> pair;
        if (!ReadOne(pairs->first, first, decimalComma, pair.first, problem, firstTitle) ||
            !ReadOne(pairs->second, second, decimalComma, pair.second, problem, secondTitle))
            return false;
        out.pairs.push_back(std::move(pair));
    }
    return true;
}

} // namespace

std::string TitleKey(std::string_view title) {
    std::string key;
    for (std::size_t i = 0; i < title.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(title[i]);
        if (c == 0xC2 && i + 1 < title.size() && static_cast<unsigned char>(title[i + 1]) == 0xB0) {
            ++i; // the degree sign in UTF-8
            continue;
        }
        if (c == 0xB0 || c == ' ' || c == '\t' || c == '.') continue; // and in Latin-1
        key += static_cast<char>(std::tolower(c));
    }
    return key;
}

std::string PairTitle(const CColumnRule& rule, int number) {
    std::string title = rule.title;
    const auto hash = title.find('#');
    if (hash != std::string::npos) title.replace(hash, 1, std::to_string(number));
    return title;
}

bool ReadTableRows(std::string_view text, std::span<const CColumnRule> columns,
                   const CTableReadOptions& options, CTableReading& reading, CTextProblem& problem) {
    reading = CTableReading{};
    std::string converted;
    if (!DecodeDelimitedText(text, converted, problem)) return false;
    reading.separator = options.separator.value_or(DetectSeparator(text));
    std::vector<CDelimitedRow> rows;
    if (!SplitDelimitedText(text, reading.separator, rows, problem, options.limits)) return false;
    if (rows.empty()) {
        problem = {0, 0, "", "there are no rows to read"};
        return false;
    }
    CLayout layout;
    reading.hadHeader = options.headerRequired || IsHeader(rows.front(), columns, options.pairs);
    if (reading.hadHeader) {
        if (!LayoutFromHeader(rows.front(), columns, options.pairs, layout, problem)) return false;
    } else if (!PositionalLayout(rows.front(), columns, options.pairs, layout, problem)) {
        return false;
    }
    const bool decimalComma = reading.separator == ';' || reading.separator == '\t';
    for (std::size_t r = reading.hadHeader ? 1 : 0; r < rows.size(); ++r) {
        CTableRow row;
        if (!ReadRow(rows[r], layout, columns, options.pairs, decimalComma, row, problem)) {
            reading.rows.clear();
            return false;
        }
        reading.rows.push_back(std::move(row));
    }
    return true;
}
