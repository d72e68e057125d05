// SPDX-License-Identifier: BSD-3-Clause
#include "cli/json_writer.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace zephon::cli {

void CJsonWriter::BeforeValue() {
    if (mAfterKey) {
        mAfterKey = false;
        return;
    }
    if (!mHasElements.empty()) {
        if (mHasElements.back()) mText += ',';
        mHasElements.back() = true;
    }
}

CJsonWriter& CJsonWriter::BeginObject() {
    BeforeValue();
    mText += '{';
    mHasElements.push_back(false);
    return *this;
}

CJsonWriter& CJsonWriter::EndObject() {
    mText += '}';
    if (!mHasElements.empty()) mHasElements.pop_back();
    return *this;
}

CJsonWriter& CJsonWriter::BeginArray() {
    BeforeValue();
    mText += '[';
    mHasElements.push_back(false);
    return *this;
}

CJsonWriter& CJsonWriter::EndArray() {
    mText += ']';
    if (!mHasElements.empty()) mHasElements.pop_back();
    return *this;
}

CJsonWriter& CJsonWriter::Key(std::string_view key) {
    BeforeValue();
    AppendString(mText, key);
    mText += ':';
    mAfterKey = true;
    return *this;
}

CJsonWriter& CJsonWriter::Value(double value) {
    BeforeValue();
    mText += Number(value);
    return *this;
}

CJsonWriter& CJsonWriter::Integer(long long value) {
    BeforeValue();
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    mText.append(buffer, result.ptr);
    return *this;
}

CJsonWriter& CJsonWriter::Value(bool value) {
    BeforeValue();
    mText += value ? "true" : "false";
    return *this;
}

CJsonWriter& CJsonWriter::Value(std::string_view text) {
    BeforeValue();
    AppendString(mText, text);
    return *this;
}

CJsonWriter& CJsonWriter::Null() {
    BeforeValue();
    mText += "null";
    return *this;
}

std::string CJsonWriter::Number(double value) {
    if (!std::isfinite(value)) return "null";
    if (value == 0.0) return "0"; // also -0, which JSON readers may not all keep
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

namespace {

// Length of the valid UTF-8 sequence starting at text[i], or 0.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned int codePoint = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, codePoint = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, codePoint = lead & 0x07u;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0u) != 0x80u) return 0;
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3Fu);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not valid.
    if ((length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000) || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

void CJsonWriter::AppendString(std::string& out, std::string_view text) {
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                    out += buffer;
                } else {
                    out += static_cast<char>(c);
                }
            }
            ++i;
            continue;
        }
        if (const std::size_t length = Utf8SequenceLength(text, i); length > 0) {
            out.append(text.substr(i, length));
            i += length;
            continue;
        }
        // A byte of another encoding: read as Latin-1.
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
        ++i;
    }
    out += '"';
}

} // namespace zephon::cli
