// SPDX-License-Identifier: BSD-3-Clause
// The tool as a Unix command: --version and per-command help, --opt=value and "--", "-" as standard
// input and output, shell completion, and failed writes (a full disk, a file-size limit, a device
// or a pipe in the way) that end in a message and an exit code, never in a changed file.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "cli/command_line.hpp"
#include "cli/shell_completion.hpp"
#include "cli_test_util.hpp"

using namespace zephon::cli;
using namespace zephon::testing;

namespace {

const std::vector<std::string> kOil = {"--alpha", "0.82", "--beta", "0.2"};

std::vector<std::string> With(std::vector<std::string> head, const std::vector<std::string>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

struct ProgramRun {
    int code = -1;
    std::string err;
};

// Runs the real program: standard output into `outPath`, standard error kept; with a file-size
// limit the child may write no larger file, and SIGXFSZ is ignored so that the write fails instead
// of killing it.
ProgramRun RunProgram(const std::vector<std::string>& arguments, const std::string& outPath,
                      rlim_t fileSizeLimit = RLIM_INFINITY) {
    std::vector<std::string> words = With({ZEPHON_CLI_PROGRAM}, arguments);
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    int errPipe[2];
    if (::pipe(errPipe) != 0) return {};
    const pid_t child = ::fork();
    if (child == 0) {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(errPipe[1], STDERR_FILENO);
        ::close(errPipe[0]);
        if (fileSizeLimit != RLIM_INFINITY) {
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, SIG_IGN);
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(errPipe[1]);
    ProgramRun run;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(errPipe[0], buffer, sizeof buffer)) > 0)
        run.err.append(buffer, static_cast<std::size_t>(got));
    ::close(errPipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

// What bash offers after the words typed so far (the last one being completed).
// In a folder of a few files: a fluid model, inclusion data, a picture and a folder.
std::string Complete(const std::string& script, const std::string& words) {
    ScratchFolder folder;
    WriteText(folder / "zephon-cli.bash", script);
    for (const char* file : {"oil.flu", "field.inc", "plot.svg"})
        WriteText(folder / file, "");
    std::filesystem::create_directory(folder / "studies");
    const std::string command = "cd " + folder.Path().string() + " && bash --norc --noprofile -c 'source " +
                                (folder / "zephon-cli.bash") + " && COMP_WORDS=(" + words +
                                ") && COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) && _zephon_cli && "
                                "complete -p zephon-cli >/dev/null && echo \"${COMPREPLY[*]}\"'";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    std::string reply;
    char buffer[256];
    while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        reply += buffer;
    if (pipe == nullptr || ::pclose(pipe) != 0) return "(bash failed)";
    return reply;
}

} // namespace

TEST(CommandLine, JoinedValuesTheEndOfOptionsAndDash) {
    COptionSpec spec;
    spec.flags = {"--json"};
    spec.values = {"--t", "--out"};
    spec.maxPositional = 3;
    const CCommandLine line("cmd", {"--t=-12.5", "--out=", "-", "--", "--json", "-x"}, spec);
    EXPECT_EQ(line.RequiredNumber("--t"), -12.5);
    EXPECT_EQ(line.Text("--out"), "") << "an empty joined value is a value";
    EXPECT_FALSE(line.Has("--json")) << "after -- an option is a plain argument";
    EXPECT_EQ(line.Positional(), (std::vector<std::string>{"-", "--json", "-x"}));

    auto code = [&](std::vector<std::string> arguments) {
        try {
            CCommandLine bad("cmd", arguments, spec);
        } catch (const CCliError& error) {
            return error.Code();
        }
        return 0;
    };
    EXPECT_EQ(code({"--json=yes"}), kExitBadUsage) << "a flag takes no value";
    EXPECT_EQ(code({"--t=1", "--t", "2"}), kExitBadUsage) << "given twice, joined or not";
    EXPECT_EQ(code({"--tt=1"}), kExitBadUsage);

    // A question wins over mistakes, but not as an option's value nor after "--".
    try {
        CCommandLine asked("cmd", {"--bad", "--help"}, spec);
        ADD_FAILURE() << "no help request";
    } catch (const CInfoRequest& request) {
        EXPECT_EQ(request.kind, CInfoRequest::Kind::Help);
        EXPECT_EQ(request.spec.values, spec.values);
    }
    EXPECT_EQ(CCommandLine("cmd", {"--out", "--help"}, spec).Text("--out"), "--help");
    EXPECT_EQ(CCommandLine("cmd", {"--", "--version"}, spec).Positional().front(), "--version");
}

TEST(Conventions, VersionAndTheHelpOfEachCommand) {
    const CliRun version = RunTool({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.rfind("zephon-cli (Zephon) ", 0), 0u) << version.out;
    for (const CCommandOptions& command : CommandOptions()) {
        const CliRun after = RunTool({command.name, "--version"});
        EXPECT_EQ(after.code, 0) << command.name;
        EXPECT_EQ(after.out, version.out) << command.name;

        const CliRun help = RunTool({command.name, "--help"});
        EXPECT_EQ(help.code, 0) << command.name;
        EXPECT_EQ(help.out.rfind("Usage: zephon-cli " + command.name + " ", 0), 0u) << help.out;
        EXPECT_EQ(help.out.find("\nCommands"), std::string::npos) << "the command's help only";
        EXPECT_EQ(RunTool({"help", command.name}).out, help.out);
        // Whatever the parser accepts, the help names.
        for (const auto* options : {&command.spec.flags, &command.spec.values})
            for (const std::string& option : *options)
                EXPECT_NE(help.out.find(option), std::string::npos) << command.name << " " << option;
    }
    EXPECT_EQ(RunTool({"help", "frobnicate"}).code, kExitBadUsage);
}

TEST(Conventions, JoinedValuesAndDashDashRunCommands) {
    const Json spaced = RunJson(With({"gor"}, kOil));
    const Json joined = RunJson({"gor", "--alpha=0.82", "--beta=0.2"});
    EXPECT_EQ(joined["GOR"].Number(), spaced["GOR"].Number());

    ScratchFolder folder;
    WriteText(folder / "-odd.inc", ReadText(Example("inclusions.inc")));
    const CliRun odd = RunTool({"info", "--", folder / "-odd.inc"});
    EXPECT_EQ(odd.code, 0) << odd.err;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    const CliRun relative = RunTool({"info", "--json", "--", "-odd.inc"});
    std::filesystem::current_path(previous);
    EXPECT_EQ(relative.code, 0) << relative.err;
    EXPECT_EQ(RunTool({"info", "-odd.inc"}).code, kExitBadUsage) << "without --, an unknown option";
}

TEST(Conventions, DashReadsStandardInput) {
    const std::string inclusions = ReadText(Example("inclusions.inc"));
    const CliRun fromFile = RunTool({"info", Example("inclusions.inc")});
    const CliRun fromInput = RunTool({"info", "-", "--kind", "inc"}, inclusions);
    EXPECT_EQ(fromInput.code, 0) << fromInput.err;
    EXPECT_EQ(fromInput.out.substr(fromInput.out.find('\n')), fromFile.out.substr(fromFile.out.find('\n')));
    const CliRun noKind = RunTool({"info", "-"}, inclusions);
    EXPECT_EQ(noKind.code, kExitBadUsage);
    EXPECT_NE(noKind.err.find("--kind"), std::string::npos) << noKind.err;
    // Damaged input is refused with its line as a damaged file is.
    const CliRun cut = RunTool({"info", "-", "--kind=inc"}, inclusions.substr(0, 60));
    EXPECT_EQ(cut.code, kExitBadUsage);

    ScratchFolder folder;
    ASSERT_EQ(RunTool({"convert", "-", folder / "in.csv"}, inclusions).code, 0);
    const CliRun back = RunTool({"convert", "-", folder / "back.inc"}, ReadText(folder / "in.csv"));
    ASSERT_EQ(back.code, 0) << back.err;
    EXPECT_EQ(ReadText(folder / "back.inc"), inclusions);

    ASSERT_EQ(RunTool({"abcurve", "--inc", Example("inclusions.inc"), "--inclusion", "FI-1", "--out",
                       folder / "one.abp"})
                  .code,
              0);
    const CliRun drawn =
        RunTool({"render", "-", "--kind", "abp", "--svg", folder / "one.svg"}, ReadText(folder / "one.abp"));
    EXPECT_EQ(drawn.code, 0) << drawn.err;
    EXPECT_NE(ReadText(folder / "one.svg").find("FI-1"), std::string::npos);
}

TEST(Conventions, DashWritesTheFileAloneToStandardOutput) {
    ScratchFolder folder;
    ASSERT_EQ(RunTool(With({"composition", "--out", folder / "oil.flu"}, kOil)).code, 0);
    const CliRun toOutput = RunTool(With({"composition", "--out", "-"}, kOil));
    EXPECT_EQ(toOutput.code, 0) << toOutput.err;
    EXPECT_EQ(toOutput.out, ReadText(folder / "oil.flu")) << "no table around the file";

    const CliRun csv = RunTool({"convert", Example("inclusions.inc"), "-"});
    ASSERT_EQ(csv.code, 0) << csv.err;
    EXPECT_EQ(csv.out.rfind("Inclusion,Th (°C)", 0), 0u);

    const CliRun svg = RunTool({"render", Example("inclusions.inc"), "--svg", "-"});
    EXPECT_EQ(svg.code, kExitBadUsage) << "still only plots";

    // One standard output: not two files, not a file and JSON.
    EXPECT_EQ(RunTool(With({"composition", "--out", "-", "--json"}, kOil)).code, kExitBadUsage);
    const CliRun twice = RunTool(With({"envelope", "--out", "-", "--svg", "-"}, kOil));
    EXPECT_EQ(twice.code, kExitBadUsage);
    EXPECT_TRUE(twice.out.empty());
    EXPECT_EQ(RunTool({"demo", "--out", "-"}).code, kExitBadUsage);
}

TEST(Conventions, FilesInTheWayAreNeverReplaced) {
    ScratchFolder folder;
    // Through a link: the file it names is written and the link stays.
    WriteText(folder / "real.flu", "old");
    std::filesystem::create_symlink("real.flu", folder / "link.flu");
    const CliRun linked = RunTool(With({"composition", "--out", folder / "link.flu"}, kOil));
    ASSERT_EQ(linked.code, 0) << linked.err;
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.flu"));
    EXPECT_EQ(ReadText(folder / "real.flu").rfind("FM_820_200", 0), 0u);

    // A named pipe is refused, and stays a pipe.
    ASSERT_EQ(::mkfifo((folder / "pipe.svg").c_str(), 0644), 0);
    const CliRun piped = RunTool(With({"envelope", "--svg", folder / "pipe.svg"}, kOil));
    EXPECT_EQ(piped.code, kExitBadUsage);
    EXPECT_NE(piped.err.find("named pipe"), std::string::npos) << piped.err;
    EXPECT_TRUE(std::filesystem::is_fifo(folder / "pipe.svg"));
}

TEST(Conventions, AFullDiskFailsTheRunAndKeepsTheOldFile) {
    ScratchFolder folder;
    const ProgramRun full = RunProgram(With({"gor"}, kOil), "/dev/full");
    EXPECT_EQ(full.code, kExitBadUsage);
    EXPECT_NE(full.err.find("cannot write standard output (No space left on device)"), std::string::npos)
        << full.err;

    WriteText(folder / "oil.flu", "the previous fluid model");
    const ProgramRun limited =
        RunProgram(With({"composition", "--out", folder / "oil.flu"}, kOil), "/dev/null", 512);
    EXPECT_EQ(limited.code, kExitBadUsage);
    EXPECT_NE(limited.err.find("oil.flu: cannot write the file"), std::string::npos) << limited.err;
    EXPECT_NE(limited.err.find("File too large"), std::string::npos) << limited.err;
    EXPECT_EQ(ReadText(folder / "oil.flu"), "the previous fluid model");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1)
        << "no temporary file is left";
}

TEST(Conventions, BashCompletesCommandsAndTheirOptions) {
    const std::string script = BashCompletionScript();
    EXPECT_EQ(Complete(script, "zephon-cli abc"), "abcurve\n");
    EXPECT_EQ(Complete(script, "zephon-cli gor --js"), "--json\n");
    EXPECT_EQ(Complete(script, "zephon-cli isochore --th 80 --th"), "--th --thaq\n");
    EXPECT_EQ(Complete(script, "zephon-cli aqueous --tm-"), "--tm-halite --tm-ice\n");
    EXPECT_EQ(Complete(script, "zephon-cli isochore --sd-t"),
              "--sd-th --sd-thaq --sd-tm-halite --sd-tm-ice\n");
    EXPECT_EQ(Complete(script, "zephon-cli help env"), "envelope\n");
    // Values: the words an option takes, the files of the kind it reads, or a folder.
    EXPECT_EQ(Complete(script, "zephon-cli gor --fluid \"\""), "oil.flu studies\n");
    EXPECT_EQ(Complete(script, "zephon-cli abcurve --inc \"\""), "field.inc studies\n");
    EXPECT_EQ(Complete(script, "zephon-cli isochore --host \"\""), "calcite fluorite none quartz\n");
    EXPECT_EQ(Complete(script, "zephon-cli info --kind \"\""), "abe abp flu inc ptd\n");
    EXPECT_EQ(Complete(script, "zephon-cli convert --kind \"\""), "csv inc\n");
    EXPECT_EQ(Complete(script, "zephon-cli demo --out \"\""), "studies\n");
    EXPECT_EQ(Complete(script, "zephon-cli crossings \"\""), "studies\n") << "no .abp here";
    EXPECT_EQ(Complete(script, "zephon-cli isochore --th \"\""), "\n") << "a number is typed";
}
