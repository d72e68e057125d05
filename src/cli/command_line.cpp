#include "cli/command_line.hpp"

#include "base/number_field.hpp"

#include <charconv>
#include <cmath>

namespace zephon::cli {

CCommandLine::CCommandLine(const std::string& command, const std::vector<std::string>& arguments,
                           const COptionSpec& spec)
    : mCommand(command) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool looksLikeOption = argument.size() > 2 && argument.compare(0, 2, "--") == 0;
        if (looksLikeOption) {
            if (Has(argument)) throw UsageError(command + ": option " + argument + " given twice");
            if (spec.flags.count(argument) > 0) {
                mFlags.insert(argument);
            } else if (spec.values.count(argument) > 0) {
                if (i + 1 >= arguments.size())
                    throw UsageError(command + ": option " + argument + " needs a value");
                mValues[argument] = arguments[++i];
            } else {
                throw UsageError(command + ": unknown option " + argument + " (see zephon-cli --help)");
            }
            continue;
        }
        if (argument.size() > 1 && argument[0] == '-' && !ParseNumber(argument))
            throw UsageError(command + ": unknown option " + argument + " (see zephon-cli --help)");
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
