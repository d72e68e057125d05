// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The options of one command: which are known, which take a value, strict number parsing, and
// the errors that end a command with its exit code.

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace zephon::cli {

// Exit codes of the tool.
enum ExitCode : int {
    kExitSuccess = 0,
    kExitCalculationFailed = 1, // the calculation failed; the reason is on standard error
    kExitBadUsage = 2,          // bad usage or unreadable input
    kExitInterrupted = 130,     // stopped by Ctrl-C, after printing and writing what it had (128 + SIGINT)
};

// Ends a command: the message goes to standard error, the code becomes the exit status.
class CCliError : public std::runtime_error {
  public:
    CCliError(int code, const std::string& message) : std::runtime_error(message), mCode(code) {}
    int Code() const { return mCode; }

  private:
    int mCode;
};

inline CCliError UsageError(const std::string& message) {
    return CCliError(kExitBadUsage, message);
}
inline CCliError CalculationError(const std::string& message) {
    return CCliError(kExitCalculationFailed, message);
}

// The options a command accepts. The command's --help and the shell completion list them from here.
struct COptionSpec {
    std::set<std::string> flags;  // options without a value, e.g. "--json"
    std::set<std::string> values; // options followed by one value, e.g. "--t"
    int maxPositional = 0;        // plain arguments (file names)
};

// Not a run but a question about the command: its help (--help, -h) or the program's version
// (--version). The parser throws it with the command's options, so that --help can list them.
struct CInfoRequest {
    enum class Kind { Help, Version };
    Kind kind;
    COptionSpec spec;
};

class CCommandLine {
  public:
    // Parses the arguments after the command name. An option's value follows it or is joined to it
    // with "=" (--alpha=0.82); after "--" every argument is a plain one; "-" alone is a plain argument
    // (standard input or output). Unknown options, a missing value, an option given twice and too
    // many plain arguments are usage errors. --help, -h and --version anywhere among the options
    // throw a CInfoRequest instead.
    CCommandLine(const std::string& command, const std::vector<std::string>& arguments,
                 const COptionSpec& spec);

    bool Has(const std::string& option) const {
        return mFlags.count(option) > 0 || mValues.count(option) > 0;
    }
    std::optional<std::string> Text(const std::string& option) const;
    std::string RequiredText(const std::string& option) const;
    // A finite decimal number ("C" conventions whatever the locale); a usage error otherwise.
    std::optional<double> Number(const std::string& option) const;
    double RequiredNumber(const std::string& option) const;
    double NumberOr(const std::string& option, double fallback) const;
    // A whole number within [low, high].
    std::optional<long> Integer(const std::string& option, long low, long high) const;
    const std::vector<std::string>& Positional() const { return mPositional; }
    const std::string& Command() const { return mCommand; }

    // Exactly one of the two flags; their names for the message.
    bool EitherFlag(const std::string& first, const std::string& second) const;

    static std::optional<double> ParseNumber(const std::string& text);

  private:
    std::string mCommand;
    std::set<std::string> mFlags;
    std::map<std::string, std::string> mValues;
    std::vector<std::string> mPositional;
};

} // namespace zephon::cli
