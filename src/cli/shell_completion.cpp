// SPDX-License-Identifier: BSD-3-Clause
#include "cli/shell_completion.hpp"

#include <set>

#include "cli/cli_commands.hpp"

namespace zephon::cli {

namespace {

std::string Joined(const std::set<std::string>& words) {
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : " ") + word;
    return text;
}

} // namespace

std::string BashCompletionScript() {
    const std::vector<CCommandOptions> commands = CommandOptions();
    std::set<std::string> names;
    for (const CCommandOptions& command : commands)
        names.insert(command.name);
    std::string cases;
    for (const CCommandOptions& command : commands)
        cases += "        " + command.name + ") flags=\"" + Joined(command.spec.flags) + "\" values=\"" +
                 Joined(command.spec.values) + "\" ;;\n";

    return "# bash completion for zephon-cli, made from the tool's own tables of commands and options\n"
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
           "    local flags values\n"
           "    case ${COMP_WORDS[1]} in\n" +
           cases +
           "        help) ((COMP_CWORD == 2)) && COMPREPLY=($(compgen -W \"$commands\" -- \"$cur\")); return "
           ";;\n"
           "        *) return ;;\n"
           "    esac\n"
           "    # An option's value, or a plain argument: the shell's own completion of file names.\n"
           "    case \" $values \" in *\" $prev \"*) return ;; esac\n"
           "    [[ $cur == -?* ]] && COMPREPLY=($(compgen -W \"$flags $values --help --version\" -- "
           "\"$cur\"))\n"
           "    return 0\n"
           "}\n"
           "complete -o default -F _zephon_cli zephon-cli\n";
}

} // namespace zephon::cli
