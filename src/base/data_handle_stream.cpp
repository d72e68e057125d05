// SPDX-License-Identifier: BSD-3-Clause
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

std::string CDataHandleStream::FormatExact(double value, int digits) {
    digits = std::clamp(digits, 0, 8);
    // The fewest decimals, from `digits` on, that read back as the value; a difference in the last
    // bits only (0.1 + 0.2 is not 0.3) is rounding, not a decimal someone typed or a program
    // computed.
    constexpr int kMostDecimals = 12;
    char buffer[400];
    for (int decimals = digits; decimals <= kMostDecimals; ++decimals) {
        const auto written =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
        if (written.ec != std::errc()) break;
        double back = 0;
        const auto read = std::from_chars(buffer, written.ptr, back);
        if (read.ec == std::errc() && std::abs(back - value) <= 1e-15 * std::abs(value))
            return std::string(buffer, written.ptr);
    }
    // Otherwise the shortest fixed notation that reads back as the very same double.
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc()) return FormatDouble(value, true, digits);
    return std::string(buffer, result.ptr);
}

std::string CDataHandleStream::CurrentDoubleFormat() const {
    std::string format = "%.";
    format += static_cast<char>('0' + ClampDigits(mDigitsNumber));
    format += mTypeConversion == 0 ? 'g' : 'f';
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
    if (!std::isfinite(value)) {
        // A data file holds finite numbers only (its readers refuse anything else): the field keeps
        // its place with a 0, and the writer is told through NonFiniteWrites().
        if (mNonFiniteWrites++ == 0) mFirstNonFiniteLine = mLine;
        Put("0\t");
        return *this;
    }
    if (mTypeConversion == kExactConversion)
        Put(FormatExact(value, ClampDigits(mDigitsNumber)) + '\t');
    else
        Put(FormatDouble(value, mTypeConversion == 1, ClampDigits(mDigitsNumber)) + '\t');
    return *this;
}

CDataHandleStream& CDataHandleStream::operator<<(const char* text) {
    Put(EncodeWord(text != nullptr ? std::string_view(text) : std::string_view()) + '\t');
    return *this;
}

void CDataHandleStream::NextLine() {
    Put("\n");
    ++mLine;
}

void CDataHandleStream::DoubleLine() {
    Put("\n\n");
    mLine += 2;
}

bool CDataHandleStream::AtEnd() {
    if (mErrorFlag != 0) return true;
    EnsureInput();
    SkipSpace();
    return mPos >= mInput.size();
}

void CDataHandleStream::Fail() {
    mErrorFlag = 1;
}

void CDataHandleStream::RefuseFieldAfter(unsigned long readsBefore) {
    if (mErrorFlag == 0 && readsBefore < mSuccessfulReads) mSuccessfulReads = readsBefore;
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

bool CDataHandleStream::AtTokenEnd(std::size_t pos) const {
    return pos >= mInput.size() || IsSpace(mInput[pos]);
}

bool CDataHandleStream::ScanInteger(long long& value, long long minimum, long long maximum) {
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
    // A whole number is a whole token: "12.5", "1e999" or "3x" in a whole-number field is damage.
    if (pos == digitsBegin || !AtTokenEnd(pos)) return false;
    unsigned long long magnitude = 0;
    const auto result = std::from_chars(mInput.data() + digitsBegin, mInput.data() + pos, magnitude);
    if (result.ec != std::errc()) return false; // more digits than any field holds
    // The field's range: a value it cannot hold is damage, never cut to the nearest it can.
    if (negative) {
        const auto limit = static_cast<unsigned long long>(-(minimum + 1)) + 1ULL;
        if (magnitude > limit) return false;
        value = magnitude == 0 ? 0 : -static_cast<long long>(magnitude - 1) - 1;
    } else {
        if (magnitude > static_cast<unsigned long long>(maximum)) return false;
        value = static_cast<long long>(magnitude);
    }
    mPos = pos;
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
    // Digits with an optional decimal point. "inf", "infinity", "nan" and "nan(...)" have no digit
    // and are no numbers here: a data file holds finite decimals only.
    std::size_t mantissaDigits = 0;
    long firstSignificant = 0; // decimal exponent of the first non-zero digit, as in 1e<that>
    bool significant = false;
    long integerDigits = 0;
    while (pos < in.size() && IsDigit(in[pos])) {
        if (!significant && in[pos] != '0') {
            significant = true;
            firstSignificant = -integerDigits; // fixed up below once the integer part is known
        }
        ++pos, ++mantissaDigits, ++integerDigits;
    }
    if (significant) firstSignificant += integerDigits - 1;
    if (pos < in.size() && in[pos] == '.') {
        ++pos;
        long place = 0;
        while (pos < in.size() && IsDigit(in[pos])) {
            --place;
            if (!significant && in[pos] != '0') {
                significant = true;
                firstSignificant = place;
            }
            ++pos, ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return false;
    long exponent = 0;
    if (pos < in.size() && (in[pos] == 'e' || in[pos] == 'E')) {
        std::size_t exp = pos + 1;
        bool negativeExponent = false;
        if (exp < in.size() && (in[exp] == '+' || in[exp] == '-')) {
            negativeExponent = in[exp] == '-';
            ++exp;
        }
        if (exp < in.size() && IsDigit(in[exp])) {
            while (exp < in.size() && IsDigit(in[exp])) {
                exponent = std::min(exponent * 10 + (in[exp] - '0'), 100000L); // saturates far out
                ++exp;
            }
            if (negativeExponent) exponent = -exponent;
            pos = exp;
        }
    }
    // A number is a whole token: "12abc", "1,5" and "1e" are damage, not a number and a next field.
    if (!AtTokenEnd(pos)) return false;
    double magnitude = 0.0;
    const auto result = std::from_chars(in.data() + numberBegin, in.data() + pos, magnitude);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small for a double reads as 0; too large (1e999) is not a finite number: damage.
        if (significant && firstSignificant + exponent >= 0) return false;
        magnitude = 0.0;
    } else if (result.ec != std::errc() || result.ptr != in.data() + pos) {
        return false;
    }
    if (!std::isfinite(magnitude)) return false;
    mPos = pos;
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
    if (!ScanInteger(scanned, std::numeric_limits<Int>::min(), std::numeric_limits<Int>::max())) {
        Fail();
        return;
    }
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

bool CDataHandleStream::ReadWordIf(std::string_view word) {
    if (mErrorFlag != 0 || word.empty()) return false;
    EnsureInput();
    SkipSpace();
    const std::size_t end = mPos + word.size();
    if (std::string_view(mInput).substr(mPos, word.size()) != word ||
        (end < mInput.size() && !IsSpace(mInput[end])))
        return false;
    mPos = end;
    ++mSuccessfulReads;
    return true;
}
