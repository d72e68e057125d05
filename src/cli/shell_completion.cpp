// SPDX-License-Identifier: BSD-3-Clause
#include "cli/shell_completion.hpp"

#include <map>
#include <set>

#include "aqueous/host_mineral.hpp"
#include "cli/cli_commands.hpp"

namespace zephon::cli {

using zephon::aqueous::host_mineral_word;
using zephon::aqueous::HostMineral;

namespace {

std::string Joined(const std::set<std::string>& words) {
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : " ") + word;
    return text;
}

// What the value of an option, or a plain argument, completes to.
struct CValueCompletion {
    std::set<std::string> words;      // a choice of words ("inc|csv")
    std::set<std::string> extensions; // files of these extensions ("F.flu", "FILE.flu")
    bool folders = false;             // a folder ("DIR")
};

// The word after `at` in the text, up to a blank or a closing bracket.
std::string WordAfter(const std::string& text, std::size_t at) {
    const std::size_t end = text.find_first_of(" \n])", at);
    return text.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

// Reads a value as the help writes it: "F.abp|F.ptd", "FILE.flu", "inc|flu|abe", "DIR".
CValueCompletion ValueOf(const std::string& value) {
    CValueCompletion completion;
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t bar = value.find('|', start);
        const std::string part =
            value.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
        const std::size_t dot = part.find('.');
        if (part == "DIR")
            completion.folders = true;
        else if (dot != std::string::npos && (part.rfind("F.", 0) == 0 || part.rfind("FILE.", 0) == 0))
            completion.extensions.insert(part.substr(dot + 1));
        else if (bar != std::string::npos || start > 0)
            completion.words.insert(part);
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return completion;
}

// The completion of each option's value, as the command's help names it ("--out F.ptd",
// "--kind inc|csv"); the host minerals from the aqueous layer's own words.
std::map<std::string, CValueCompletion> OptionValues(const CCommandOptions& command) {
    std::map<std::string, CValueCompletion> values;
    for (const std::string& option : command.spec.values) {
        if (option == "--host") {
            for (HostMineral host :
                 {HostMineral::None, HostMineral::Quartz, HostMineral::Calcite, HostMineral::Fluorite})
                values[option].words.insert(host_mineral_word(host));
            continue;
        }
        for (std::size_t at = command.help.find(option + ' '); at != std::string::npos;
             at = command.help.find(option + ' ', at + 1)) {
            const CValueCompletion value = ValueOf(WordAfter(command.help, at + option.size() + 1));
            if (!value.words.empty() || !value.extensions.empty() || value.folders) {
                values[option] = value;
                break;
            }
        }
    }
    return values;
}

// The files a command takes as plain arguments: those its usage line names ("F.abp|F.ptd"), or,
// where it says only FILE or IN, the kinds its --kind tells standard input to be.
std::set<std::string> PlainFileExtensions(const CCommandOptions& command,
                                          const std::map<std::string, CValueCompletion>& values) {
    if (command.spec.maxPositional == 0) return {};
    const std::string usage = command.help.substr(0, command.help.find('\n'));
    std::set<std::string> extensions;
    for (std::size_t at = usage.find(' '); at != std::string::npos; at = usage.find(' ', at + 1)) {
        const std::string word = WordAfter(usage, at + 1);
        // A value of an option is not a plain argument.
        const std::size_t before = usage.rfind(' ', at > 0 ? at - 1 : 0);
        const std::string previous = before == std::string::npos ? "" : WordAfter(usage, before + 1);
        if (previous.rfind("--", 0) == 0 || previous.rfind("[--", 0) == 0) continue;
        const CValueCompletion value = ValueOf(word);
        extensions.insert(value.extensions.begin(), value.extensions.end());
    }
    if (extensions.empty())
        if (const auto kind = values.find("--kind"); kind != values.end()) extensions = kind->second.words;
    return extensions;
}

// One case of the script: the command's word and the option before the cursor.
std::string ValueCase(const std::string& command, const std::string& option, const CValueCompletion& value) {
    std::string reply;
    if (!value.words.empty())
        reply = "COMPREPLY=($(compgen -W \"" + Joined(value.words) + "\" -- \"$cur\"))";
    else if (!value.extensions.empty())
        reply = "_zephon_cli_files " + Joined(value.extensions);
    else
        reply = "COMPREPLY=($(compgen -d -- \"$cur\")); compopt -o filenames 2>/dev/null";
    return "        \"" + command + " " + option + "\") " + reply + "; return 0 ;;\n";
}

} // namespace

std::string BashCompletionScript() {
    const std::vector<CCommandOptions> commands = CommandOptions();
    std::set<std::string> names;
    for (const CCommandOptions& command : commands)
        names.insert(command.name);
    std::string cases, valueCases;
    for (const CCommandOptions& command : commands) {
        const std::map<std::string, CValueCompletion> values = OptionValues(command);
        cases += "        " + command.name + ") flags=\"" + Joined(command.spec.flags) + "\" values=\"" +
                 Joined(command.spec.values) + "\" files=\"" + Joined(PlainFileExtensions(command, values)) +
                 "\" ;;\n";
        for (const auto& [option, value] : values)
            valueCases += ValueCase(command.name, option, value);
    }

    return "# bash completion for zephon-cli, made from the tool's own tables of commands and options\n"
           "# Files of the given extensions, and folders to look into.\n"
           "_zephon_cli_files() {\n"
           "    local extension\n"
           "    for extension in \"$@\"; do\n"
           "        COMPREPLY+=($(compgen -f -X \"!*.$extension\" -- \"$cur\"))\n"
           "    done\n"
           "    COMPREPLY+=($(compgen -d -- \"$cur\"))\n"
           "    compopt -o filenames 2>/dev/null\n"
           "    return 0\n"
           "}\n"
           "_zephon_cli() {\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
           "    local commands=\"" +
           Joined(names) +
           "\"\n"
           "    COMPREPLY=()\n"
           "    if ((COMP_CWORD == 1)); then\n"
           "        COMPREPLY=($(compgen -W \"$commands help --help --version\" -- \"$cur\"))\n"
           "        return\n"
           "    fi\n"
           "    local flags values files\n"
           "    case ${COMP_WORDS[1]} in\n" +
           cases +
           "        help) ((COMP_CWORD == 2)) && COMPREPLY=($(compgen -W \"$commands\" -- \"$cur\")); return "
           ";;\n"
           "        *) return ;;\n"
           "    esac\n"
           "    # An option's value: its words, its files or a folder; a number or a name is the\n"
           "    # person's to type.\n"
           "    case \"${COMP_WORDS[1]} $prev\" in\n" +
           valueCases +
           "    esac\n"
           "    case \" $values \" in *\" $prev \"*) return ;; esac\n"
           "    if [[ $cur == -?* ]]; then\n"
           "        COMPREPLY=($(compgen -W \"$flags $values --help --version\" -- \"$cur\"))\n"
           "    elif [[ -n $files ]]; then\n"
           "        _zephon_cli_files $files\n"
           "    fi\n"
           "    return 0\n"
           "}\n"
           "complete -o default -F _zephon_cli zephon-cli\n";
}

} // namespace zephon::cli
