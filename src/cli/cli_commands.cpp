// SPDX-License-Identifier: BSD-3-Clause
#include "cli/cli_commands.hpp"

#include <cerrno>
#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <sstream>

#include "cli/command_context.hpp"
#include "cli/terminal_services.hpp"

namespace zephon::cli {

std::string Printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int size = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
    if (size > 0) std::vsnprintf(text.data(), text.size() + 1, format, args);
    va_end(args);
    return text;
}

namespace {

using CommandRunner = int (*)(const std::vector<std::string>&, CCommandContext&);

// One command of the tool: how it is called and what its --help says. The options it takes are
// those its parser declares; the help below names each of them.
struct CCommandEntry {
    const char* name;
    CommandRunner run;
    const char* usage;   // what follows the command's name
    const char* summary; // what it does, for the list of commands and its own help
    const char* options; // its options, one per line
};

constexpr const char* kFluidOptions =
    "  --alpha A --beta B    an alpha-beta oil: alpha in (0, 2], beta in [0, 1]\n"
    "  --co2 P --n2 P --h2s P  its CO2, N2 and H2S contents in mole % (default 0)\n"
    "  --fluid FILE.flu      or an explicit fluid model\n";
constexpr const char* kJsonOption = "  --json                print one JSON object instead of a table\n";

const std::vector<CCommandEntry>& Commands() {
    static const std::vector<CCommandEntry> commands = {
        {"saturation", RunSaturation, "FLUID --t T (--bubble|--dew) [--json]",
         "one saturation point at T: pressure, incipient phase composition, phase molar volumes",
         "  --t T                 the temperature (C)\n"
         "  --bubble, --dew       a bubble point or a dew point\n"},
        {"gor", RunGor, "FLUID [--json]",
         "GOR, API gravity, CH4 %, stock-tank molar weight and specific volume", ""},
        {"composition", RunComposition, "--alpha A --beta B [gases] [--out F.flu] [--json]",
         "the 17-component fluid with its constants; --out writes it as a fluid-model file",
         "  --alpha A --beta B    the oil: alpha in (0, 2], beta in [0, 1]\n"
         "  --co2 P --n2 P --h2s P  its CO2, N2 and H2S contents in mole % (default 0)\n"
         "  --out F.flu           write the fluid model (- for standard output)\n"},
        {"envelope", RunEnvelope, "FLUID [--out F.ptd] [--svg F.svg] [--json]",
         "the phase envelope: both branches, the critical point (estimated where the branches end,\n"
         "and exact), cricondenbar, cricondentherm, GOR and API",
         "  --out F.ptd           write the P-T diagram (- for standard output)\n"
         "  --svg F.svg           draw it (- for standard output)\n"},
        {"isochore", RunIsochore,
         "FLUID --th T (--liquid|--vapour) [--thaq T [(--tm-ice T | --tm-halite T | --salinity S)\n"
         "        [--host none|quartz|calcite|fluorite] [--legacy] [--sd-thaq K]\n"
         "        [--sd-tm-ice K | --sd-tm-halite K | --sd-salinity S] [--sd-th K] [--sd-fv PCT [--tfv "
         "T]]\n"
         "        [--corr-th R] [--sd-brine-density PCT]]]\n"
         "        [--geotherm C/KM [--surface-t T] [--pressure-gradient P]]\n"
         "        [--out F.ptd] [--json]",
         "the isochore pair through Th, bulk volume and density, and with --thaq the trapping\n"
         "pressure at the homogenisation temperature of a coexisting aqueous inclusion; with its\n"
         "salinity also the isochore of the aqueous inclusion and where it crosses the oil's isochore:\n"
         "the trapping temperature and pressure, both slopes (bar/K) and the angle between them\n"
         "(degrees, the pressure axis scaled to their mean slope; below 5 the crossing is\n"
         "ill-conditioned); with standard uncertainties, the band of the crossing (sd of T and P,\n"
         "their correlation). The bubble fraction changes only an alpha-beta oil",
         "  --th T                the homogenisation temperature (C)\n"
         "  --liquid, --vapour    homogenisation to the liquid or to the vapour\n"
         "  --thaq T              the aqueous inclusion's homogenisation temperature (C)\n"
         "  --tm-ice T            its final ice melting temperature (0 to -21.2 C)\n"
         "  --tm-halite T         or its halite dissolution temperature (0.1 to 801 C)\n"
         "  --salinity S          or its salinity (wt% NaCl equivalent)\n"
         "  --host H              the host mineral: none, quartz, calcite or fluorite (default none)\n"
         "  --legacy              the Bodnar & Vityk (1994) aqueous isochore (legacy, overestimates P\n"
         "                        at basin conditions)\n"
         "  --sd-thaq K           standard uncertainty of --thaq (K)\n"
         "  --sd-tm-ice K, --sd-tm-halite K, --sd-salinity S  of the salinity option given\n"
         "  --sd-th K             of the oil's Th (K)\n"
         "  --sd-fv PCT           of the oil's bubble volume % (alpha-beta oil only)\n"
         "  --tfv T               where that bubble volume was measured (C, default 20)\n"
         "  --corr-th R           correlation of the errors of the two Th (-1 to 1; 1 for a shared\n"
         "                        calibration offset of the heating stage)\n"
         "  --sd-brine-density PCT  the brine density correlation's own uncertainty (%, about 0.05)\n"
         "  --geotherm G          a geotherm of G C/km: where the isochores cross it (T, P, depth)\n"
         "  --surface-t T         its surface temperature (C, default 20)\n"
         "  --pressure-gradient P  hydrostatic (default), lithostatic or P bar/km\n"
         "  --out F.ptd           write the P-T diagram (- for standard output)\n"},
        {"aqueous", RunAqueous,
         "--th T (--tm-ice T | --tm-halite T | --salinity S) [--host none|quartz|calcite|fluorite]\n"
         "        [--legacy] [--tmax T] [--geotherm C/KM [--surface-t T] [--pressure-gradient P]] [--json]",
         "the isochore of an aqueous (H2O-NaCl) inclusion: salinity, homogenisation state, and 100\n"
         "points from Th to --tmax (default 400 C) or to where it reaches 5000 bar, with the slope\n"
         "(- at Th where the brine density correlation hardly rises with pressure). A salinity above\n"
         "halite saturation at Th is refused: such an inclusion homogenises by halite dissolution",
         "  --th T                the homogenisation temperature (C)\n"
         "  --tm-ice T            the final ice melting temperature (0 to -21.2 C)\n"
         "  --tm-halite T         or the halite dissolution temperature (0.1 to 801 C)\n"
         "  --salinity S          or the salinity (wt% NaCl equivalent)\n"
         "  --host H              the host mineral: none, quartz, calcite or fluorite (default none)\n"
         "  --legacy              the Bodnar & Vityk (1994) straight line (legacy, overestimates P\n"
         "                        at basin conditions)\n"
         "  --tmax T              where the isochore ends (C, default 400)\n"
         "  --geotherm G          a geotherm of G C/km: where the isochore crosses it (T, P, depth)\n"
         "  --surface-t T         its surface temperature (C, default 20)\n"
         "  --pressure-gradient P  hydrostatic (default), lithostatic or P bar/km\n"},
        {"abcurve", RunAbcurve,
         "(--inc F.inc [--inclusion NAME] | --th T --fv PCT --tfv T (--liquid|--vapour) [gases])\n"
         "        [--jobs N] [--out F.abp] [--svg F.svg] [--json]",
         "alpha-beta curves of one inclusion or of every inclusion of a file, with N workers",
         "  --inc F.inc           the inclusions of a file\n"
         "  --inclusion NAME      only the inclusion of that name\n"
         "  --th T --fv PCT --tfv T  or one inclusion: Th (C), bubble volume % at Tv (C)\n"
         "  --liquid, --vapour    its homogenisation to the liquid or to the vapour\n"
         "  --co2 P --n2 P --h2s P  its gas contents in mole % (default 0)\n"
         "  --jobs N              workers tracing the curves (1 to 256, default 1)\n"
         "  --out F.abp           write the alpha-beta plot (- for standard output)\n"
         "  --svg F.svg           draw it (- for standard output)\n"},
        {"crossings", RunCrossings, "F.abp [--json]",
         "where the alpha-beta curves of a saved plot cross, pair by pair: alpha, beta, the two\n"
         "curves and the angle between them (a wide angle pins the trapped oil down)",
         ""},
        {"render", RunRender, "F.abp|F.ptd --svg F.svg", "draws a saved alpha-beta plot or P-T diagram",
         "  --svg F.svg           the picture (- for standard output)\n"
         "  --kind abp|ptd        what standard input holds, when the file is -\n"},
        {"info", RunInfo, "FILE [--json]",
         "what a Zephon data file holds, and whether it was read to its end",
         "  --kind inc|flu|abe|abp|ptd  what standard input holds, when FILE is -\n"},
        {"convert", RunConvert, "IN OUT",
         "inclusion data between .inc and .csv, by the files' extensions; the CSV file has the\n"
         "columns of the inclusion table, then the bubble-volume measurements as pairs of columns\n"
         "T1 (°C) and % Gas 1, T2 (°C) and % Gas 2...",
         "  IN, OUT               file names; - is standard input or output, its format the\n"
         "                        other one of the pair\n"
         "  --kind inc|csv        what standard input holds, when both are -\n"},
        {"demo", RunDemo, "[--out DIR] [--jobs N]",
         "the whole workflow on the bundled example, written to DIR (default zephon-demo/)",
         "  --out DIR             the folder of the documents and pictures\n"
         "  --jobs N              workers tracing the curves\n"},
    };
    return commands;
}

const CCommandEntry* FindCommand(const std::string& name) {
    for (const CCommandEntry& entry : Commands())
        if (name == entry.name) return &entry;
    return nullptr;
}

// The command's options, as its parser declares them: the command is asked for its help.
COptionSpec SpecOf(const CCommandEntry& entry) {
    std::ostringstream out, err;
    std::istringstream in;
    CTerminalServices services(err, false);
    CPendingOutputs outputs;
    CCommandContext context{out, err, services, in, out, outputs};
    try {
        entry.run({"--help"}, context);
    } catch (const CInfoRequest& request) {
        return request.spec;
    }
    return {};
}

bool TakesFluid(const COptionSpec& spec) {
    return spec.values.count("--fluid") > 0;
}

std::string CommandHelp(const CCommandEntry& entry, const COptionSpec& spec) {
    std::string text = std::string("Usage: zephon-cli ") + entry.name + " " + entry.usage + "\n\n" +
                       entry.summary + ".\n\nOptions:\n";
    if (TakesFluid(spec)) text += kFluidOptions;
    text += entry.options;
    if (spec.flags.count("--json") > 0) text += kJsonOption;
    text += "  --help, --version     this help, the program's version\n\n"
            "An option's value may be joined to it (--alpha=0.82); \"--\" ends the options.\n"
            "Units: degrees Celsius, bar, mole percent, bubble volume percent, wt% NaCl equivalent.\n"
            "Exit codes: 0 success; 1 the calculation failed; 2 bad usage, unreadable input or an\n"
            "output that cannot be written.\n";
    return text;
}

} // namespace

std::string VersionText() {
    return "zephon-cli (Zephon) " ZEPHON_VERSION "\n"
           "Copyright the Zephon developers.\n"
           "Released under the BSD 3-Clause licence.\n";
}

std::vector<CCommandOptions> CommandOptions() {
    std::vector<CCommandOptions> all;
    for (const CCommandEntry& entry : Commands())
        all.push_back({entry.name, SpecOf(entry), CommandHelp(entry, SpecOf(entry))});
    return all;
}

std::string HelpText() {
    std::string text =
        R"(zephon-cli: Zephon's calculations on petroleum fluid inclusions, from a terminal or a script.

Usage: zephon-cli COMMAND [OPTIONS]
       zephon-cli COMMAND --help | help COMMAND   the command's own help
       zephon-cli --version
Units: degrees Celsius, bar, mole percent, bubble volume percent, salinity in wt% NaCl equivalent.

A fluid is chosen with
  --alpha A --beta B [--co2 P] [--n2 P] [--h2s P]   an alpha-beta oil (gases in mole %)
  --fluid FILE.flu                                  an explicit fluid model

Commands
)";
    for (const CCommandEntry& entry : Commands()) {
        text += std::string("  ") + entry.name + " " + entry.usage + "\n      ";
        for (const char* c = entry.summary; *c != '\0'; ++c)
            text += *c == '\n' ? std::string("\n      ") : std::string(1, *c);
        text += '\n';
    }
    text += R"(
An option's value may follow it or be joined to it (--alpha=0.82); "--" ends the options.
A file name "-" is standard input for info, render and convert, and standard output for the
files that --out and --svg write and for the output of convert (all of them are text); the
table or JSON is then not printed.

Every computing command, and crossings, takes --json and then prints one JSON object on standard
output:
  saturation  {"T","P","kind","incipient":{component: mole %},"liquid_volume","vapour_volume"}
              (volumes in cm3/mol)
  gor         {"GOR","API","CH4","stock_tank_molar_weight","stock_tank_specific_volume"}
  composition {"name","components":[{"name","mole_percent","Tc","Pc","omega","Mw","Vc","Ct"}]}
  envelope    {"name","liquid":[{"T","P","skip"}],"vapour":[...],"critical":{"T","P"} or null,
               "critical_exact","cricondenbar","cricondentherm":{"T","P"} or null,"GOR","API"}
  isochore    {"Th","homog","bulk_volume","bulk_density","biphasic":[{"T","P","V"}],
               "monophasic":[...],"trapping_pressure"}; with an aqueous inclusion also
               "aqueous_isochore":[{"T","P"}],
               "crossing":{"T","P","slope_oil","slope_aqueous","angle"} or null, and with
               uncertainties "crossing_band":{"sd_T","sd_P","correlation"} or null
  aqueous     {"salinity_wt_pct","homogenisation":{"T","P","density"},"isochore":[{"T","P"}]}
              (density in kg/m3)
  abcurve     {"curves":[{"inclusion","points":[{"alpha","beta"}],"code","message"}]}
  crossings   {"file","curves","crossings":[{"alpha","beta","first","second","angle"}]}
              (angle in degrees, 0 to 90)
  info        {"file","kind","complete","line",...}
Without --json the output is a readable table. Numbers that cannot be computed are null.

Exit codes: 0 success; 1 the calculation failed (the reason on standard error); 2 bad usage,
unreadable input (the message names the file and the line) or an output that cannot be written.

Long runs show their progress on standard error when it is a terminal. Ctrl-C stops a run
cleanly: what was computed so far is printed and written, and the exit code is 130. An alpha-beta
curve ends where the calculation cannot continue or after 200 points; envelope branches and
isochores after 2000 points, so no input runs forever.
)";
    return text;
}

namespace {

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   bool errIsTerminal, std::istream* in) {
    // Numbers are written and read with a decimal point whatever the user's locale is.
    std::setlocale(LC_NUMERIC, "C");
    if (arguments.empty()) {
        err << "zephon-cli: no command given\n" << HelpText();
        return kExitBadUsage;
    }
    const std::string& command = arguments.front();
    // A run whose output did not all reach standard output failed, help and version included.
    const auto flushed = [&out, &err, &command](int code) {
        errno = 0;
        if (out.flush()) return code;
        const std::string reason = errno != 0 ? " (" + std::string(std::strerror(errno)) + ")" : "";
        err << "zephon-cli " << command << ": cannot write standard output" << reason << '\n';
        return code == kExitSuccess ? kExitBadUsage : code;
    };
    if (command == "--help" || command == "-h" || (command == "help" && arguments.size() == 1)) {
        out << HelpText();
        return flushed(kExitSuccess);
    }
    if (command == "--version") {
        out << VersionText();
        return flushed(kExitSuccess);
    }
    const bool helpOfCommand = command == "help";
    const std::string& name = helpOfCommand ? arguments[1] : command;
    const CCommandEntry* entry = FindCommand(name);
    if (entry == nullptr) {
        err << "zephon-cli: unknown command \"" << name << "\" (see zephon-cli --help)\n";
        return kExitBadUsage;
    }
    if (helpOfCommand) {
        out << CommandHelp(*entry, SpecOf(*entry));
        return flushed(kExitSuccess);
    }
    std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    // The command's report shares standard output with the files written to "-"; writing such a
    // file silences the report, never the file. The files are put in place only once the command
    // has returned: one that fails leaves every file it names as it was.
    std::ostream report(out.rdbuf());
    CTerminalServices services(err, errIsTerminal);
    CPendingOutputs outputs;
    CCommandContext context{report, err, services, in != nullptr ? *in : std::cin, out, outputs};
    try {
        const int code = entry->run(rest, context);
        outputs.Commit(out, services);
        return flushed(code);
    } catch (const CInfoRequest& request) {
        out << (request.kind == CInfoRequest::Kind::Help ? CommandHelp(*entry, request.spec) : VersionText());
        return flushed(kExitSuccess);
    } catch (const CCliError& error) {
        services.EndProgress();
        std::string message = error.what();
        if (message.rfind(command + ": ", 0) == 0) message.erase(0, command.size() + 2);
        err << "zephon-cli " << command << ": " << message << '\n';
        return error.Code();
    } catch (const std::bad_alloc&) {
        services.EndProgress();
        err << "zephon-cli " << command << ": out of memory\n";
        return kExitCalculationFailed;
    } catch (const std::exception& error) {
        services.EndProgress();
        err << "zephon-cli " << command << ": " << error.what() << '\n';
        return kExitCalculationFailed;
    }
}

} // namespace

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
           bool errIsTerminal, std::istream* in) {
    const int code = RunCommandLine(arguments, out, err, errIsTerminal, in);
    // A run cut short by Ctrl-C says so as shells expect, after printing and writing what it had.
    return StopRequested() && code != kExitBadUsage ? kExitInterrupted : code;
}

} // namespace zephon::cli
