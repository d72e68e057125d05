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

namespace {

// The length of the well-formed UTF-8 sequence that starts at `pos`, 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;  // no overlong forms
        if (lead == 0xED) high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;  // no overlong forms
        if (lead == 0xF4) high = 0x8F; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (text.size() - pos < length) return 0;
    if (byte(pos + 1) < low || byte(pos + 1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(pos + i) < 0x80 || byte(pos + i) > 0xBF) return 0;
    }
    return length;
}

} // namespace

std::size_t FindInvalidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, pos);
        if (length == 0) return pos;
        pos += length;
    }
    return std::string_view::npos;
}

std::string EscapeForMessage(std::string_view text, std::size_t maxCharacters) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string shown;
    std::size_t characters = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (characters == maxCharacters) return shown + "...";
        const unsigned char c = static_cast<unsigned char>(text[pos]);
        const std::size_t length = Utf8SequenceLength(text, pos);
        if (c == 0) {
            shown += "\\0";
        } else if (c == '\t') {
            shown += "\\t";
        } else if (c == '\n') {
            shown += "\\n";
        } else if (c == '\r') {
            shown += "\\r";
        } else if (length == 0 || c < 0x20 || c == 0x7F) {
            shown += "\\x";
            shown += kHex[c >> 4];
            shown += kHex[c & 0xF];
        } else {
            shown.append(text.substr(pos, length));
            pos += length;
            ++characters;
            continue;
        }
        ++pos;
        ++characters;
    }
    return shown;
}
