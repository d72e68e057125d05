// SPDX-License-Identifier: BSD-3-Clause
#include "base/number_field.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// from_chars also takes "inf", "nan" and "infinity"; only digits, a point, a sign and an exponent
// are decimals here.
bool HasOnlyDecimalCharacters(std::string_view text) {
    for (char c : text) {
        const bool digit = c >= '0' && c <= '9';
        if (!digit && c != '.' && c != '+' && c != '-' && c != 'e' && c != 'E') return false;
    }
    return true;
}

} // namespace

std::optional<double> ParseDecimal(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty() || !HasOnlyDecimalCharacters(text)) return std::nullopt;
    const char* begin = text.data();
    const char* end = begin + text.size();
    bool negative = false;
    if (*begin == '+' || *begin == '-') {
        negative = *begin == '-';
        ++begin;
        // A second sign ("+-1") is not a number.
        if (begin == end || *begin == '+' || *begin == '-') return std::nullopt;
    }
    double value = 0;
    const auto result = std::from_chars(begin, end, value, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

std::optional<double> ParseNumberField(std::string_view text) {
    auto value = ParseDecimal(text);
    if (!value) return std::nullopt;
    if (*value == 0 && TrimBlanks(text).front() != '0') return std::nullopt;
    return value;
}

std::string FormatFixed(double value, int digits) {
    if (digits < 0 || digits > 8) digits = 6;
    if (!std::isfinite(value)) return kNotANumberText;
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, digits);
    std::string text(buffer, result.ptr);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}

int OwnDecimals(double value) {
    if (!std::isfinite(value)) return 0;
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc()) return 0;
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t point = text.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

std::string FormatWithOwnDecimals(double value, int minDecimals, int maxDecimals) {
    minDecimals = std::clamp(minDecimals, 0, 8);
    maxDecimals = std::clamp(maxDecimals, minDecimals, 8);
    return FormatFixed(value, std::clamp(OwnDecimals(value), minDecimals, maxDecimals));
}
