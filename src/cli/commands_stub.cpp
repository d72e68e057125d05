#include "cli/command_context.hpp"
namespace zephon::cli {
int RunAbcurve(const std::vector<std::string>&, CCommandContext&) {
    throw UsageError("not yet");
}
int RunRender(const std::vector<std::string>&, CCommandContext&) {
    throw UsageError("not yet");
}
int RunInfo(const std::vector<std::string>&, CCommandContext&) {
    throw UsageError("not yet");
}
int RunDemo(const std::vector<std::string>&, CCommandContext&) {
    throw UsageError("not yet");
}
} // namespace zephon::cli
