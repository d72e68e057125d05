// SPDX-License-Identifier: BSD-3-Clause
#include "cli/command_line.hpp"

#include "base/number_field.hpp"

#include <charconv>
#include <cmath>
#include <utility>

namespace zephon::cli {

namespace {

bool IsLongOption(const std::string& argument) {
    return argument.size() > 2 && argument.compare(0, 2, "--") == 0;
}

// The name of a long option given as "--name=value", and the value; the argument itself otherwise.
std::pair<std::string, std::optional<std::string>> SplitJoinedValue(const std::string& argument) {
    const std::size_t equals = argument.find('=');
    if (equals == std::string::npos) return {argument, std::nullopt};
    return {argument.substr(0, equals), argument.substr(equals + 1)};
}

// A question anywhere among the options wins over any mistake in them, as `cmd --bad --help` asks
// for help. Values of options and what follows "--" are not looked at.
std::optional<CInfoRequest::Kind> FindInfoRequest(const std::vector<std::string>& arguments,
                                                  const COptionSpec& spec) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--") break;
        if (argument == "--help" || argument == "-h") return CInfoRequest::Kind::Help;
        if (argument == "--version") return CInfoRequest::Kind::Version;
        if (spec.values.count(argument) > 0) ++i;
    }
    return std::nullopt;
}

} // namespace

CCommandLine::CCommandLine(const std::string& command, const std::vector<std::string>& arguments,
                           const COptionSpec& spec)
    : mCommand(command) {
    if (const auto request = FindInfoRequest(arguments, spec)) throw CInfoRequest{*request, spec};
    const std::string seeHelp = " (see zephon-cli " + command + " --help)";
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && IsLongOption(argument)) {
            const auto [option, joined] = SplitJoinedValue(argument);
            if (Has(option)) throw UsageError(command + ": option " + option + " given twice");
            if (spec.flags.count(option) > 0) {
                if (joined) throw UsageError(command + ": option " + option + " takes no value");
                mFlags.insert(option);
            } else if (spec.values.count(option) > 0) {
                if (joined) {
                    mValues[option] = *joined;
                } else {
                    if (i + 1 >= arguments.size())
                        throw UsageError(command + ": option " + option + " needs a value");
                    mValues[option] = arguments[++i];
                }
            } else {
                throw UsageError(command + ": unknown option " + option + seeHelp);
            }
            continue;
        }
        if (!optionsEnded && argument.size() > 1 && argument[0] == '-' && !ParseNumber(argument))
            throw UsageError(command + ": unknown option " + argument + seeHelp);
        if (static_cast<int>(mPositional.size()) >= spec.maxPositional)
            throw UsageError(command + ": unexpected argument " + argument);
        mPositional.push_back(argument);
    }
}

std::optional<std::string> CCommandLine::Text(const std::string& option) const {
    auto it = mValues.find(option);
    if (it == mValues.end()) return std::nullopt;
    return it->second;
}

std::string CCommandLine::RequiredText(const std::string& option) const {
    auto text = Text(option);
    if (!text) throw UsageError(mCommand + ": option " + option + " is required");
    return *text;
}

std::optional<double> CCommandLine::ParseNumber(const std::string& text) {
    return ParseDecimal(text);
}

std::optional<double> CCommandLine::Number(const std::string& option) const {
    auto text = Text(option);
    if (!text) return std::nullopt;
    auto value = ParseNumber(*text);
    if (!value) throw UsageError(mCommand + ": option " + option + " needs a number, not \"" + *text + "\"");
    return value;
}

double CCommandLine::RequiredNumber(const std::string& option) const {
    auto value = Number(option);
    if (!value) throw UsageError(mCommand + ": option " + option + " is required");
    return *value;
}

double CCommandLine::NumberOr(const std::string& option, double fallback) const {
    return Number(option).value_or(fallback);
}

std::optional<long> CCommandLine::Integer(const std::string& option, long low, long high) const {
    auto text = Text(option);
    if (!text) return std::nullopt;
    long value = 0;
    const char* end = text->data() + text->size();
    const auto result = std::from_chars(text->data(), end, value);
    if (result.ec != std::errc() || result.ptr != end || value < low || value > high)
        throw UsageError(mCommand + ": option " + option + " needs a whole number from " +
                         std::to_string(low) + " to " + std::to_string(high) + ", not \"" + *text + "\"");
    return value;
}

bool CCommandLine::EitherFlag(const std::string& first, const std::string& second) const {
    const bool a = Has(first), b = Has(second);
    if (a == b) throw UsageError(mCommand + ": give exactly one of " + first + " and " + second);
    return a;
}

} // namespace zephon::cli
