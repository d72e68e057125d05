// SPDX-License-Identifier: BSD-3-Clause
#include "data/cell_rules.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "base/data_handle_stream.hpp"
#include "base/number_field.hpp"
#include "base/utf8_text.hpp"

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Shortest text that reads back as the limit ("0", "100", "-273.15").
std::string LimitText(double limit) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, limit);
    return std::string(buffer, result.ptr);
}

// The text in quotes as a message shows it: NUL bytes, control characters and bytes that are not
// UTF-8 escaped (\0, \xE9), so that the message is whole and readable.
std::string Quoted(std::string_view text) {
    return "\"" + EscapeForMessage(text, 40) + "\"";
}

bool HasLineEndOrTab(std::string_view text) {
    return text.find_first_of("\t\r\n") != std::string_view::npos;
}

bool ReadNumber(const CColumnRule& rule, std::string_view text, CNumberSource source, bool decimalComma,
                double& number, std::string& reason) {
    std::string candidate(text);
    if (decimalComma && candidate.find('.') == std::string::npos) {
        const auto comma = candidate.find(',');
        if (comma != std::string::npos && candidate.find(',', comma + 1) == std::string::npos)
            candidate[comma] = '.';
    }
    const auto decimal = ParseDecimal(candidate);
    if (!decimal) {
        reason = TrimBlanks(text).empty() ? "a number is needed" : Quoted(text) + " is not a number";
        return false;
    }
    if (source == CNumberSource::TypedCell && !ParseNumberField(candidate)) {
        reason = Quoted(text) + " is not a number (a zero is typed with the digit 0)";
        return false;
    }
    const bool bounded = std::isfinite(rule.minimum) && std::isfinite(rule.maximum);
    if (*decimal < rule.minimum || *decimal > rule.maximum) {
        const std::string shown(TrimBlanks(text));
        if (bounded)
            reason = shown + " is outside " + LimitText(rule.minimum) + " to " + LimitText(rule.maximum);
        else if (std::isfinite(rule.minimum))
            reason = shown + " is below " + LimitText(rule.minimum);
        else
            reason = shown + " is above " + LimitText(rule.maximum);
        return false;
    }
    number = *decimal == 0 ? 0.0 : *decimal; // no negative zero in a record
    return true;
}

bool ReadName(std::string_view text, std::size_t maxLength, const char* what, std::string& name,
              std::string& reason) {
    if (const std::size_t bad = FindInvalidUtf8(text); bad != std::string_view::npos) {
        reason = Quoted(text) + " is not UTF-8 text (the byte shown as " +
                 EscapeForMessage(text.substr(bad, 1)) + " is not); save the file as UTF-8";
        return false;
    }
    if (TrimBlanks(text).empty()) {
        reason = std::string(what) + " cannot be empty";
        return false;
    }
    if (HasLineEndOrTab(text)) {
        reason = std::string(what) + " cannot hold a tab or a line end";
        return false;
    }
    if (text.size() > maxLength) {
        reason = std::string(what) + " holds at most " + std::to_string(maxLength) + " characters";
        return false;
    }
    name = std::string(text);
    return true;
}

bool ReadHomog(std::string_view text, double& homog, std::string& reason) {
    const std::string word = Lower(TrimBlanks(text));
    if (word == "l" || word == "liquid") {
        homog = 1;
        return true;
    }
    if (word == "g" || word == "v" || word == "gas" || word == "vapour" || word == "vapor") {
        homog = 0;
        return true;
    }
    reason = Quoted(text) + " is not a homogenisation type (L to liquid, G to gas)";
    return false;
}

} // namespace

CColumnRule TemperatureColumn(std::string title) {
    CColumnRule rule{std::move(title)};
    rule.minimum = kAbsoluteZeroCelsius;
    return rule;
}

CColumnRule PercentColumn(std::string title) {
    CColumnRule rule{std::move(title)};
    rule.minimum = 0;
    rule.maximum = 100;
    return rule;
}

CColumnRule NumberColumn(std::string title) {
    return CColumnRule{std::move(title)};
}

bool ReadCell(const CColumnRule& rule, std::string_view text, CNumberSource source, bool decimalComma,
              CCellValue& value, std::string& reason) {
    // Whatever the column: a NUL byte is no part of a name or a number (a name would be cut at it).
    if (text.find('\0') != std::string_view::npos) {
        reason = Quoted(text) + " holds a NUL byte (shown as \\0)";
        return false;
    }
    switch (rule.kind) {
    case CCellKind::Name:
        return ReadName(text, CDataHandleStream::kMaxNameLength, "a name", value.text, reason);
    case CCellKind::Component:
        return ReadName(TrimBlanks(text), kMaxComponentNameLength, "a component name", value.text, reason);
    case CCellKind::Homog:
        return ReadHomog(text, value.number, reason);
    case CCellKind::Number:
        return ReadNumber(rule, text, source, decimalComma, value.number, reason);
    }
    return false;
}

const char* HomogText(int homog) {
    return homog != 0 ? "L" : "G";
}
