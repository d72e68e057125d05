#include "cli/cli_commands.hpp"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <exception>
#include <functional>
#include <map>
#include <ostream>

#include "cli/command_context.hpp"

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

std::string HelpText() {
    return R"(zephon-cli: Zephon's calculations on petroleum fluid inclusions, from a terminal or a script.

Usage: zephon-cli COMMAND [OPTIONS]
Units: degrees Celsius, bar, mole percent, bubble volume percent.

A fluid is chosen with
  --alpha A --beta B [--co2 P] [--n2 P] [--h2s P]   an alpha-beta oil (gases in mole %)
  --fluid FILE.flu                                  an explicit fluid model

Commands
  saturation FLUID --t T (--bubble|--dew)
      one saturation point at T: pressure, incipient phase composition, phase molar volumes
  gor FLUID
      GOR, API gravity, CH4 %, stock-tank molar weight and specific volume
  composition --alpha A --beta B [gases] [--out F.flu]
      the 17-component fluid with its constants; --out writes it as a fluid-model file
  envelope FLUID [--out F.ptd] [--svg F.svg]
      the phase envelope: both branches, critical point, GOR and API
  isochore FLUID --th T (--liquid|--vapour) [--thaq T] [--out F.ptd]
      the isochore pair through Th, bulk volume and density, and with --thaq the trapping
      pressure at the homogenisation temperature of a coexisting aqueous inclusion
  abcurve (--inc F.inc [--inclusion NAME] | --th T --fv PCT --tfv T (--liquid|--vapour) [gases])
          [--jobs N] [--out F.abp] [--svg F.svg]
      alpha-beta curves of one inclusion or of every inclusion of a file, with N workers
  render F.abp|F.ptd --svg F.svg
      draws a saved alpha-beta plot or P-T diagram
  info FILE
      what a Zephon data file holds, and whether it was read to its end
  convert IN OUT
      inclusion data between .inc and .csv, by the files' extensions; the CSV file has the
      columns of the inclusion table, then the bubble-volume measurements as pairs of columns
      T1 (°C) and % Gas 1, T2 (°C) and % Gas 2...
  demo [--out DIR] [--jobs N]
      the whole workflow on the bundled example, written to DIR (default zephon-demo/)

Every computing command takes --json and then prints one JSON object on standard output:
  saturation  {"T","P","kind","incipient":{component: mole %},"liquid_volume","vapour_volume"}
              (volumes in cm3/mol)
  gor         {"GOR","API","CH4","stock_tank_molar_weight","stock_tank_specific_volume"}
  composition {"name","components":[{"name","mole_percent","Tc","Pc","omega","Mw","Vc","Ct"}]}
  envelope    {"name","liquid":[{"T","P","skip"}],"vapour":[...],"critical":{"T","P"} or null,
               "GOR","API"}
  isochore    {"Th","homog","bulk_volume","bulk_density","biphasic":[{"T","P","V"}],
               "monophasic":[...],"trapping_pressure"}
  abcurve     {"curves":[{"inclusion","points":[{"alpha","beta"}],"code","message"}]}
  info        {"file","kind","complete","line",...}
Without --json the output is a readable table. Numbers that cannot be computed are null.

Exit codes: 0 success; 1 the calculation failed (the reason on standard error); 2 bad usage or
unreadable input (the message names the file and the line).

Long runs show their progress on standard error when it is a terminal. Ctrl-C stops a run
cleanly: what was computed so far is printed and written, and the exit code is 1. An alpha-beta
curve ends where the calculation cannot continue or after 200 points; envelope branches and
isochores after 2000 points, so no input runs forever.
)";
}

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
           bool errIsTerminal) {
    // Numbers are written and read with a decimal point whatever the user's locale is.
    std::setlocale(LC_NUMERIC, "C");
    if (arguments.empty()) {
        err << "zephon-cli: no command given\n" << HelpText();
        return kExitBadUsage;
    }
    const std::string& command = arguments.front();
    if (command == "--help" || command == "-h" || command == "help") {
        out << HelpText();
        return kExitSuccess;
    }
    static const std::map<std::string, int (*)(const std::vector<std::string>&, CCommandContext&)> commands =
        {
            {"saturation", RunSaturation},   {"gor", RunGor},
            {"composition", RunComposition}, {"envelope", RunEnvelope},
            {"isochore", RunIsochore},       {"abcurve", RunAbcurve},
            {"render", RunRender},           {"info", RunInfo},
            {"convert", RunConvert},         {"demo", RunDemo},
        };
    auto it = commands.find(command);
    if (it == commands.end()) {
        err << "zephon-cli: unknown command \"" << command << "\" (see zephon-cli --help)\n";
        return kExitBadUsage;
    }
    std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    for (const std::string& argument : rest) {
        if (argument == "--help" || argument == "-h") {
            out << HelpText();
            return kExitSuccess;
        }
    }
    CTerminalServices services(err, errIsTerminal);
    CCommandContext context{out, err, services};
    try {
        return it->second(rest, context);
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

} // namespace zephon::cli
