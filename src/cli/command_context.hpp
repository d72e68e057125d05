// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// What every command of the tool gets: its arguments, the output streams and the terminal's
// application services.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "cli/command_line.hpp"
#include "cli/json_writer.hpp"
#include "cli/pending_outputs.hpp"
#include "cli/terminal_services.hpp"

namespace zephon::cli {

struct CCommandContext {
    std::ostream& out; // the command's report: a table or JSON (silenced once a file goes to "-")
    std::ostream& err;
    CTerminalServices& services;
    std::istream& in;             // what an input file named "-" reads
    std::ostream& standardOutput; // where an output file named "-" goes
    CPendingOutputs& outputs;     // the files the command writes, put in place when it returns
};

int RunSaturation(const std::vector<std::string>& arguments, CCommandContext& context);
int RunGor(const std::vector<std::string>& arguments, CCommandContext& context);
int RunComposition(const std::vector<std::string>& arguments, CCommandContext& context);
int RunEnvelope(const std::vector<std::string>& arguments, CCommandContext& context);
int RunIsochore(const std::vector<std::string>& arguments, CCommandContext& context);
int RunAqueous(const std::vector<std::string>& arguments, CCommandContext& context);
int RunAbcurve(const std::vector<std::string>& arguments, CCommandContext& context);
int RunCrossings(const std::vector<std::string>& arguments, CCommandContext& context);
int RunRender(const std::vector<std::string>& arguments, CCommandContext& context);
int RunInfo(const std::vector<std::string>& arguments, CCommandContext& context);
int RunConvert(const std::vector<std::string>& arguments, CCommandContext& context);
int RunDemo(const std::vector<std::string>& arguments, CCommandContext& context);

// Prints the JSON object followed by a line end.
inline void PrintJson(std::ostream& out, const CJsonWriter& json) {
    out << json.Text() << '\n';
}

} // namespace zephon::cli
