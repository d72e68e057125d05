// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// What the command-line tests share: running a command line in-process, a scratch folder, and a
// small strict JSON reader to check the tool's machine-readable output.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "cli/cli_commands.hpp"
#include "scratch_folder.hpp"

namespace zephon::testing {

struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

// `input` is what a file named "-" reads.
inline CliRun RunTool(const std::vector<std::string>& arguments, const std::string& input = "") {
    std::ostringstream out, err;
    std::istringstream in(input);
    CliRun run;
    run.code = zephon::cli::RunCli(arguments, out, err, false, &in);
    run.out = out.str();
    run.err = err.str();
    return run;
}

inline std::string Example(const std::string& name) {
    return std::string(ZEPHON_EXAMPLES_DIR) + "/" + name;
}

class ScratchFolder : public TestFolder {
  public:
    ScratchFolder() : TestFolder("zephon-cli-") {}
    std::string operator/(const std::string& name) const { return (Path() / name).string(); }
};

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// ---- a strict JSON reader (RFC 8259 grammar; numbers as doubles) ----

struct Json;
using JsonObject = std::map<std::string, Json>;
using JsonArray = std::vector<Json>;

struct Json {
    std::variant<std::nullptr_t, bool, double, std::string, JsonArray, JsonObject> value;

    bool IsNull() const { return std::holds_alternative<std::nullptr_t>(value); }
    double Number() const { return std::get<double>(value); }
    const std::string& Text() const { return std::get<std::string>(value); }
    bool Bool() const { return std::get<bool>(value); }
    const JsonArray& Array() const { return std::get<JsonArray>(value); }
    const JsonObject& Object() const { return std::get<JsonObject>(value); }
    bool Has(const std::string& key) const { return Object().count(key) > 0; }
    const Json& operator[](const std::string& key) const {
        auto it = Object().find(key);
        if (it == Object().end()) throw std::runtime_error("no key " + key);
        return it->second;
    }
    const Json& operator[](std::size_t index) const { return Array().at(index); }
};

class JsonReader {
  public:
    static Json Parse(const std::string& text) {
        JsonReader reader(text);
        Json value = reader.Value();
        reader.Space();
        if (reader.mPos != text.size()) throw std::runtime_error("text after the JSON value");
        return value;
    }

  private:
    explicit JsonReader(const std::string& text) : mText(text) {}
    void Space() {
        while (mPos < mText.size() &&
               (mText[mPos] == ' ' || mText[mPos] == '\n' || mText[mPos] == '\r' || mText[mPos] == '\t'))
            ++mPos;
    }
    char Peek() {
        Space();
        if (mPos >= mText.size()) throw std::runtime_error("unexpected end");
        return mText[mPos];
    }
    void Expect(char c) {
        if (Peek() != c)
            throw std::runtime_error(std::string("expected ") + c + " at " + std::to_string(mPos));
        ++mPos;
    }
    bool Literal(const char* word) {
        const std::string w(word);
        if (mText.compare(mPos, w.size(), w) != 0) return false;
        mPos += w.size();
        return true;
    }
    Json Value() {
        const char c = Peek();
        if (c == '{') return Object();
        if (c == '[') return Array();
        if (c == '"') return Json{String()};
        if (Literal("null")) return Json{nullptr};
        if (Literal("true")) return Json{true};
        if (Literal("false")) return Json{false};
        return Json{Number()};
    }
    Json Object() {
        Expect('{');
        JsonObject object;
        if (Peek() == '}') {
            ++mPos;
            return Json{object};
        }
        for (;;) {
            if (Peek() != '"') throw std::runtime_error("expected a key");
            std::string key = String();
            Expect(':');
            if (object.count(key)) throw std::runtime_error("duplicate key " + key);
            object[key] = Value();
            if (Peek() == ',') {
                ++mPos;
                continue;
            }
            Expect('}');
            return Json{object};
        }
    }
    Json Array() {
        Expect('[');
        JsonArray array;
        if (Peek() == ']') {
            ++mPos;
            return Json{array};
        }
        for (;;) {
            array.push_back(Value());
            if (Peek() == ',') {
                ++mPos;
                continue;
            }
            Expect(']');
            return Json{array};
        }
    }
    std::string String() {
        Expect('"');
        std::string out;
        while (mPos < mText.size()) {
            const unsigned char c = static_cast<unsigned char>(mText[mPos++]);
            if (c == '"') return out;
            if (c < 0x20) throw std::runtime_error("control character in a string");
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            const char e = mText.at(mPos++);
            switch (e) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                const unsigned code = static_cast<unsigned>(std::stoul(mText.substr(mPos, 4), nullptr, 16));
                mPos += 4;
                if (code >= 0x80) throw std::runtime_error("only ASCII escapes are expected");
                out += static_cast<char>(code);
                break;
            }
            default:
                throw std::runtime_error("bad escape");
            }
        }
        throw std::runtime_error("unterminated string");
    }
    double Number() {
        const std::size_t begin = mPos;
        if (mText[mPos] == '-') ++mPos;
        if (mPos >= mText.size() || !std::isdigit(static_cast<unsigned char>(mText[mPos])))
            throw std::runtime_error("bad value at " + std::to_string(begin));
        if (mText[mPos] == '0' && mPos + 1 < mText.size() &&
            std::isdigit(static_cast<unsigned char>(mText[mPos + 1])))
            throw std::runtime_error("leading zero");
        while (mPos < mText.size() &&
               (std::isdigit(static_cast<unsigned char>(mText[mPos])) || mText[mPos] == '.' ||
                mText[mPos] == 'e' || mText[mPos] == 'E' || mText[mPos] == '+' || mText[mPos] == '-'))
            ++mPos;
        const std::string token = mText.substr(begin, mPos - begin);
        std::istringstream in(token);
        in.imbue(std::locale::classic());
        double value = 0;
        in >> value;
        if (!in || in.peek() != EOF) throw std::runtime_error("bad number " + token);
        return value;
    }

    const std::string& mText;
    std::size_t mPos = 0;
};

// Runs the command with --json, expects success and parses its single output line.
inline Json RunJson(std::vector<std::string> arguments) {
    arguments.push_back("--json");
    const CliRun run = RunTool(arguments);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << "one line of JSON";
    return JsonReader::Parse(run.out);
}

} // namespace zephon::testing
