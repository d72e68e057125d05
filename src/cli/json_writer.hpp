// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// A small JSON writer for the command-line tool's machine-readable output.
//
// Strings are escaped (quotes, backslashes, control characters; bytes that are not valid UTF-8
// are taken as Latin-1 so the output is always valid UTF-8). Numbers are written with the
// shortest digits that read back to the same double; NaN and infinities become null.

#include <string>
#include <string_view>
#include <vector>

namespace zephon::cli {

class CJsonWriter {
  public:
    CJsonWriter& BeginObject();
    CJsonWriter& EndObject();
    CJsonWriter& BeginArray();
    CJsonWriter& EndArray();
    // The key of the next value inside an object.
    CJsonWriter& Key(std::string_view key);

    CJsonWriter& Value(double value);
    CJsonWriter& Value(int value) { return Integer(value); }
    CJsonWriter& Value(long value) { return Integer(value); }
    CJsonWriter& Value(bool value);
    CJsonWriter& Value(std::string_view text);
    CJsonWriter& Value(const char* text) { return Value(std::string_view(text)); }
    CJsonWriter& Value(const std::string& text) { return Value(std::string_view(text)); }
    CJsonWriter& Null();

    // Key and value in one call.
    template <class T> CJsonWriter& Field(std::string_view key, const T& value) {
        Key(key);
        return Value(value);
    }

    const std::string& Text() const { return mText; }

    static std::string Number(double value);
    static void AppendString(std::string& out, std::string_view text);

  private:
    CJsonWriter& Integer(long long value);
    void BeforeValue();

    std::string mText;
    // One entry per open container: true once it holds an element.
    std::vector<bool> mHasElements;
    bool mAfterKey = false;
};

} // namespace zephon::cli
