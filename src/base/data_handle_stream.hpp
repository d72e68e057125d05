// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

// The text stream through which every record reads and writes itself.
//
// Output: every field is followed by one TAB. Doubles are written in fixed notation with
// mDigitsNumber decimals when mTypeConversion is 1, otherwise in general notation with mDigitsNumber
// significant digits (0 to 8; above 8 counts as 8). Strings have their blanks written as "_".
// Numbers always use the "C" conventions (a decimal point), whatever the process locale is.
//
// Input: the text is a sequence of white-space separated tokens. A number field takes one whole token
// that is a finite decimal within the field's range: "inf", "nan", "nan(1)", an overflowing exponent
// ("1e999"), a whole number too large for its field and a number glued to other characters ("12abc",
// "1,5") are damage like any other unreadable field (a value too small for a double reads as 0). The
// first failed read sets the sticky error flag; from then on every read yields 0 or an empty string
// without touching the input.
//
// Output never holds a number that input refuses: a value that is not finite (NaN, infinity) is
// written as 0, counted by NonFiniteWrites(), so that whoever writes can tell the person.
//
// A stream works either on an open FILE (not owned; it is read or written, never both) or in memory.
class CDataHandleStream {
  public:
    // Longest name a record holds (names live in 256-byte buffers).
    static constexpr std::size_t kMaxNameLength = 255;

    // Reads from or writes to an open file; the caller opens and closes it.
    explicit CDataHandleStream(std::FILE* file);
    // Writes to memory; the text is available through Text().
    CDataHandleStream();
    // Reads from the given text.
    static CDataHandleStream FromText(std::string text);

    // Text written so far in memory mode.
    const std::string& Text() const { return mOutput; }

    void SetFixed(int digits) { SetFormat(1, digits); }
    void SetGeneral(int digits) { SetFormat(0, digits); }
    // Fixed with at least `digits` decimals, and as many more as reading the value back exactly
    // needs (a constant someone typed or a program computed is kept as it was).
    void SetExact(int digits) { SetFormat(kExactConversion, digits); }
    void SetFormat(int typeConversion, int digits) {
        mTypeConversion = static_cast<char>(typeConversion);
        mDigitsNumber = static_cast<char>(digits);
    }
    bool HasError() const { return mErrorFlag != 0; }
    // Number of reads that succeeded so far; lets list readers tell whether an item got anything.
    unsigned long SuccessfulReads() const { return mSuccessfulReads; }
    // Values that were not finite numbers and were written as 0, and the line (from 1) of the first.
    unsigned long NonFiniteWrites() const { return mNonFiniteWrites; }
    long FirstNonFiniteLine() const { return mFirstNonFiniteLine; }
    // True when nothing but white space is left to read (and after an error): a reader tells the
    // end of the text from a missing field without failing.
    bool AtEnd();

    CDataHandleStream& operator<<(short value);
    CDataHandleStream& operator<<(int value);
    CDataHandleStream& operator<<(long value);
    CDataHandleStream& operator<<(double value);
    CDataHandleStream& operator<<(const char* text);
    CDataHandleStream& operator<<(const std::string& text) { return *this << text.c_str(); }
    void NextLine();
    void DoubleLine();

    CDataHandleStream& operator>>(short& value);
    CDataHandleStream& operator>>(int& value);
    CDataHandleStream& operator>>(long& value);
    CDataHandleStream& operator>>(double& value);
    // Reads one word, at most kMaxNameLength characters are kept (the rest of the token is skipped).
    CDataHandleStream& operator>>(std::string& text);
    template <std::size_t N> CDataHandleStream& operator>>(std::array<char, N>& buffer) {
        static_assert(N > 0);
        ReadWordInto(buffer.data(), N);
        return *this;
    }
    template <std::size_t N> CDataHandleStream& operator>>(char (&buffer)[N]) {
        static_assert(N > 0);
        ReadWordInto(buffer, N);
        return *this;
    }

    // Reads the next word only when it is exactly `word` (a word as written, without blanks):
    // a reader tells an optional section by its opening word from the field that older files
    // have in its place. Nothing is read, and no error is set, otherwise.
    bool ReadWordIf(std::string_view word);

    // Marks the field that followed `readsBefore` successful reads as damaged, as an unreadable
    // field would be: a reader refuses a value outside its field's range this way, and the file is
    // reported as damaged at that field.
    void RefuseFieldAfter(unsigned long readsBefore);

    // The double format the current settings select, e.g. "%.3f" or "%.8g" (for messages and tests).
    std::string CurrentDoubleFormat() const;

    // Formats a double as the stream would, without the TAB.
    static std::string FormatDouble(double value, bool fixed, int digits);
    // At least `digits` decimals, more where the value needs them to read back the same.
    static std::string FormatExact(double value, int digits);
    // Encodes a name as one token: at most kMaxNameLength characters, white space as "_", and the
    // empty name as a lone "_" so that it still occupies its field.
    static std::string EncodeWord(std::string_view text);

    static constexpr char kExactConversion = 2;
    // Public because records and formats set them directly before each group of fields.
    char mTypeConversion = 0;
    char mDigitsNumber = 3;
    char mErrorFlag = 0;

  private:
    void Put(std::string_view text);
    void Fail();
    bool EnsureInput();
    void SkipSpace();
    bool AtTokenEnd(std::size_t pos) const;
    bool ScanInteger(long long& value, long long minimum, long long maximum);
    bool ScanDouble(double& value);
    bool ScanWord(std::string& word);
    void ReadWordInto(char* buffer, std::size_t size);
    template <class Int> void ReadInteger(Int& value);

    std::FILE* mFile = nullptr;
    bool mInputLoaded = false;
    std::string mInput;
    std::size_t mPos = 0;
    std::string mOutput;
    unsigned long mSuccessfulReads = 0;
    long mLine = 1; // the line being written
    unsigned long mNonFiniteWrites = 0;
    long mFirstNonFiniteLine = 0;
};
