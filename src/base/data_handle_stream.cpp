#include "base/data_handle_stream.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

namespace {

bool IsSpace(char c) {
    // The "C" locale's white space, independent of the process locale.
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(std::string_view text, std::size_t pos, std::string_view word) {
    if (text.size() - pos < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (Lower(text[pos + i]) != word[i]) return false;
    }
    return true;
}

int ClampDigits(char digits) {
    if (digits < 0) return 0;
    return digits > 8 ? 8 : digits;
}

template <class Int> std::string FormatInteger(Int value) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace

CDataHandleStream::CDataHandleStream(std::FILE* file) : mFile(file) {}

CDataHandleStream::CDataHandleStream() : mInputLoaded(true) {}

CDataHandleStream CDataHandleStream::FromText(std::string text) {
    CDataHandleStream stream;
    stream.mInput = std::move(text);
    stream.mInputLoaded = true;
    return stream;
}

std::string CDataHandleStream::FormatDouble(double value, bool fixed, int digits) {
    digits = std::clamp(digits, 0, 8);
    // The largest fixed-notation double has 309 integer digits.
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                fixed ? std::chars_format::fixed : std::chars_format::general, digits);
    if (result.ec != std::errc()) return "0";
    return std::string(buffer, result.ptr);
}

std::string CDataHandleStream::CurrentDoubleFormat() const {
    std::string format = "%.";
    format += static_cast<char>('0' + ClampDigits(mDigitsNumber));
    format += (mTypeConversion == 1) ? 'f' : 'g';
    return format;
}

std::string CDataHandleStream::EncodeWord(std::string_view text) {
    const std::size_t end = std::min({text.size(), text.find('\0'), kMaxNameLength});
    std::string word(text.substr(0, end));
    for (char& c : word) {
        if (IsSpace(c)) c = '_';
    }
    if (word.empty()) word = "_";
    return word;
}

void CDataHandleStream::Put(std::string_view text) {
    if (mFile != nullptr) {
        std::fwrite(text.data(), 1, text.size(), mFile); // write errors are not reported
    } else {
        mOutput.append(text);
    }
}

CDataHandleStream& CDataHandleStream::operator<<(short value) {
    Put(FormatInteger(value) + '\t');
    return *this;
}

CDataHandleStream& CDataHandleStream::operator<<(int value) {
    Put(FormatInteger(value) + '\t');
    return *this;
}

CDataHandleStream& CDataHandleStream::operator<<(long value) {
    Put(FormatInteger(value) + '\t');
    return *this;
}

CDataHandleStream& CDataHandleStream::operator<<(double value) {
    Put(FormatDouble(value, mTypeConversion == 1, ClampDigits(mDigitsNumber)) + '\t');
    return *this;
}

CDataHandleStream& CDataHandleStream::operator<<(const char* text) {
    Put(EncodeWord(text != nullptr ? std::string_view(text) : std::string_view()) + '\t');
    return *this;
}

void CDataHandleStream::NextLine() {
    Put("\n");
}

void CDataHandleStream::DoubleLine() {
    Put("\n\n");
}

void CDataHandleStream::Fail() {
    mErrorFlag = 1;
}

bool CDataHandleStream::EnsureInput() {
    if (!mInputLoaded) {
        mInputLoaded = true;
        if (mFile != nullptr) {
            char chunk[65536];
            std::size_t got;
            while ((got = std::fread(chunk, 1, sizeof chunk, mFile)) > 0)
                mInput.append(chunk, got);
        }
    }
    return true;
}

void CDataHandleStream::SkipSpace() {
    while (mPos < mInput.size() && IsSpace(mInput[mPos]))
        ++mPos;
}

bool CDataHandleStream::ScanInteger(long long& value) {
    EnsureInput();
    SkipSpace();
    std::size_t pos = mPos;
    bool negative = false;
    if (pos < mInput.size() && (mInput[pos] == '+' || mInput[pos] == '-')) {
        negative = mInput[pos] == '-';
        ++pos;
    }
    const std::size_t digitsBegin = pos;
    while (pos < mInput.size() && IsDigit(mInput[pos]))
        ++pos;
    if (pos == digitsBegin) return false;
    mPos = pos;
    unsigned long long magnitude = 0;
    auto result = std::from_chars(mInput.data() + digitsBegin, mInput.data() + pos, magnitude);
    const unsigned long long limit =
        negative ? static_cast<unsigned long long>(std::numeric_limits<long long>::max()) + 1ULL
                 : static_cast<unsigned long long>(std::numeric_limits<long long>::max());
    if (result.ec == std::errc::result_out_of_range || magnitude > limit) magnitude = limit;
    if (negative) {
        value =
            (magnitude == limit) ? std::numeric_limits<long long>::min() : -static_cast<long long>(magnitude);
    } else {
        value = static_cast<long long>(magnitude);
    }
    return true;
}

bool CDataHandleStream::ScanDouble(double& value) {
    EnsureInput();
    SkipSpace();
    const std::string_view in(mInput);
    std::size_t pos = mPos;
    bool negative = false;
    if (pos < in.size() && (in[pos] == '+' || in[pos] == '-')) {
        negative = in[pos] == '-';
        ++pos;
    }
    const std::size_t numberBegin = pos;
    // Infinity and not-a-number, as the standard library writes them.
    if (StartsWithNoCase(in, pos, "inf") || StartsWithNoCase(in, pos, "nan")) {
        const bool isNan = StartsWithNoCase(in, pos, "nan");
        pos += 3;
        if (!isNan && StartsWithNoCase(in, pos, "inity")) pos += 5;
        if (isNan && pos < in.size() && in[pos] == '(') {
            std::size_t close = pos + 1;
            while (close < in.size() && (IsDigit(in[close]) || in[close] == '_' ||
                                         (Lower(in[close]) >= 'a' && Lower(in[close]) <= 'z')))
                ++close;
            if (close < in.size() && in[close] == ')') pos = close + 1;
        }
        mPos = pos;
        value = isNan ? std::numeric_limits<double>::quiet_NaN() : std::numeric_limits<double>::infinity();
        if (negative) value = -value;
        return true;
    }
    std::size_t mantissaDigits = 0;
    while (pos < in.size() && IsDigit(in[pos]))
        ++pos, ++mantissaDigits;
    if (pos < in.size() && in[pos] == '.') {
        ++pos;
        while (pos < in.size() && IsDigit(in[pos]))
            ++pos, ++mantissaDigits;
    }
    if (mantissaDigits == 0) return false;
    bool negativeExponent = false;
    if (pos < in.size() && (in[pos] == 'e' || in[pos] == 'E')) {
        std::size_t exp = pos + 1;
        if (exp < in.size() && (in[exp] == '+' || in[exp] == '-')) {
            negativeExponent = in[exp] == '-';
            ++exp;
        }
        if (exp < in.size() && IsDigit(in[exp])) {
            while (exp < in.size() && IsDigit(in[exp]))
                ++exp;
            pos = exp;
        }
    }
    mPos = pos;
    double magnitude = 0.0;
    auto result = std::from_chars(in.data() + numberBegin, in.data() + pos, magnitude);
    if (result.ec == std::errc::result_out_of_range) {
        magnitude = negativeExponent ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (result.ec != std::errc()) {
        magnitude = 0.0;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

bool CDataHandleStream::ScanWord(std::string& word) {
    EnsureInput();
    SkipSpace();
    const std::size_t begin = mPos;
    while (mPos < mInput.size() && !IsSpace(mInput[mPos]))
        ++mPos;
    if (mPos == begin) return false;
    // A token longer than a name buffer is cut; its remainder is skipped so later fields stay in place.
    word.assign(mInput, begin, std::min(mPos - begin, kMaxNameLength));
    if (word == "_") {
        word.clear(); // the written form of an empty name
    } else {
        std::replace(word.begin(), word.end(), '_', ' ');
    }
    return true;
}

template <class Int> void CDataHandleStream::ReadInteger(Int& value) {
    value = 0;
    if (mErrorFlag != 0) return;
    long long scanned = 0;
    if (!ScanInteger(scanned)) {
        Fail();
        return;
    }
    scanned =
        std::clamp<long long>(scanned, std::numeric_limits<Int>::min(), std::numeric_limits<Int>::max());
    value = static_cast<Int>(scanned);
    ++mSuccessfulReads;
}

CDataHandleStream& CDataHandleStream::operator>>(short& value) {
    ReadInteger(value);
    return *this;
}

CDataHandleStream& CDataHandleStream::operator>>(int& value) {
    ReadInteger(value);
    return *this;
}

CDataHandleStream& CDataHandleStream::operator>>(long& value) {
    ReadInteger(value);
    return *this;
}

CDataHandleStream& CDataHandleStream::operator>>(double& value) {
    value = 0.0;
    if (mErrorFlag != 0) return *this;
    if (!ScanDouble(value)) {
        value = 0.0;
        Fail();
        return *this;
    }
    ++mSuccessfulReads;
    return *this;
}

CDataHandleStream& CDataHandleStream::operator>>(std::string& text) {
    text.clear();
    if (mErrorFlag != 0) return *this;
    if (!ScanWord(text)) {
        text.clear();
        Fail();
        return *this;
    }
    ++mSuccessfulReads;
    return *this;
}

void CDataHandleStream::ReadWordInto(char* buffer, std::size_t size) {
    std::string word;
    *this >> word;
    const std::size_t length = std::min(word.size(), size - 1);
    std::memcpy(buffer, word.data(), length);
    buffer[length] = '\0';
}
