// SPDX-License-Identifier: BSD-3-Clause
#include "base/misc_util.hpp"

std::string SpaceNumberInsert(std::string_view number) {
    std::string out;
    std::size_t start = 0;
    if (!number.empty() && (number[0] == '-' || number[0] == '+')) {
        out += number[0];
        start = 1;
    }
    const std::size_t point = number.find('.', start);
    const std::size_t intEnd = (point == std::string_view::npos) ? number.size() : point;
    const std::size_t intLength = intEnd - start;
    for (std::size_t i = start; i < intEnd; ++i) {
        if (number[i] < '0' || number[i] > '9') return std::string(number); // not digits: as it is
    }
    if (intLength <= 3) {
        out.append(number.substr(start));
        return out;
    }
    std::size_t pos = start;
    const std::size_t head = intLength % 3;
    if (head != 0) {
        out.append(number.substr(pos, head));
        out += ' ';
        pos += head;
    }
    while (pos < intEnd) {
        out.append(number.substr(pos, 3));
        pos += 3;
        if (pos < intEnd) out += ' ';
    }
    out.append(number.substr(intEnd));
    return out;
}

bool stringEndsWith(std::string_view text, std::string_view suffix) {
    if (text.empty() || suffix.size() > text.size()) return false;
    return text.substr(text.size() - suffix.size()) == suffix;
}
