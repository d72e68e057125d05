// SPDX-License-Identifier: BSD-3-Clause
// The written documentation against the tool: the manual page names every command and option the
// parser knows and no option it does not, and the user manual's command lines run as shown on the
// bundled example.
#include <algorithm>
#include <regex>
#include <set>

#include "cli_test_util.hpp"

using namespace zephon::cli;
using namespace zephon::testing;

namespace {

const std::filesystem::path kDocs = ZEPHON_DOCS_DIR;

// The page's text as a reader sees it: "\-" is a hyphen, font changes vanish.
std::string ManualPageText(const std::filesystem::path& page) {
    std::string text = ReadText(page);
    text = std::regex_replace(text, std::regex(R"(\\f[BIRP])"), "");
    return std::regex_replace(text, std::regex(R"(\\-)"), "-");
}

// The page's sections and subsections by their heading (".SH FLUID", ".SS gor FLUID [--json]").
std::map<std::string, std::string> Sections(const std::string& page) {
    std::map<std::string, std::string> sections;
    std::string* current = nullptr;
    std::istringstream lines(page);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(".SH ", 0) == 0 || line.rfind(".SS ", 0) == 0)
            current = &sections[line.substr(4)];
        else if (current != nullptr)
            *current += line + "\n";
    }
    return sections;
}

// The option as a word of its own: "--t" is not found in "--th".
bool NamesOption(const std::string& text, const std::string& option) {
    return std::regex_search(text, std::regex("(^|[^-a-z0-9])" + option + "($|[^-a-z0-9])"));
}

std::set<std::string> OptionsIn(const std::string& text) {
    std::set<std::string> options;
    const std::regex word(R"(--[a-z]([-a-z0-9]*[a-z0-9])?)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), word); it != std::sregex_iterator(); ++it)
        options.insert(it->str());
    return options;
}

TEST(ManualPage, DocumentsEveryCommandAndOptionOfTheParserAndNoOther) {
    const std::string page = ManualPageText(kDocs / "man/zephon-cli.1");
    const std::map<std::string, std::string> sections = Sections(page);
    ASSERT_TRUE(sections.count("FLUID"));
    const std::string& fluid = sections.at("FLUID");
    std::set<std::string> known = {"--help", "--version"};
    for (const CCommandOptions& command : CommandOptions()) {
        // A command's subsection starts with its name; a FLUID in its heading stands for the
        // options of the FLUID section.
        auto section = std::find_if(sections.begin(), sections.end(), [&](const auto& entry) {
            return entry.first.rfind(command.name + " ", 0) == 0;
        });
        ASSERT_NE(section, sections.end()) << "no subsection for " << command.name;
        const bool takesFluid = section->first.find("FLUID") != std::string::npos;
        std::set<std::string> options = command.spec.flags;
        options.insert(command.spec.values.begin(), command.spec.values.end());
        for (const std::string& option : options) {
            known.insert(option);
            EXPECT_TRUE(NamesOption(section->first + "\n" + section->second, option) ||
                        (takesFluid && NamesOption(fluid, option)))
                << command.name << " " << option << " is not in the manual page";
        }
    }
    for (const std::string& option : OptionsIn(page))
        EXPECT_TRUE(known.count(option)) << option << " is in the manual page but no command takes it";
    EXPECT_TRUE(NamesOption(page, "--help") && NamesOption(page, "--version"));
}

// The command lines of the manual's examples ("$ zephon-cli ..." lines), in their order.
std::vector<std::vector<std::string>> ManualExamples() {
    std::string html = ReadText(kDocs / "manual/zephon-manual.html");
    for (const auto& [entity, character] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}})
        html = std::regex_replace(html, std::regex(entity), character);
    std::vector<std::vector<std::string>> examples;
    std::istringstream lines(html);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("$ zephon-cli ", 0) != 0) continue;
        std::istringstream words(line.substr(13));
        examples.emplace_back(std::istream_iterator<std::string>(words),
                              std::istream_iterator<std::string>());
    }
    return examples;
}

TEST(UserManual, CommandLineExamplesRunOnTheBundledExampleAndShowEveryCommand) {
    ScratchFolder folder;
    for (const char* name : {"inclusions.inc", "fluid_model.flu", "correlation.abe"})
        std::filesystem::copy_file(Example(name), folder.Path() / name);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    std::set<std::string> shown;
    const auto examples = ManualExamples();
    for (const std::vector<std::string>& example : examples) {
        std::string line;
        for (const std::string& word : example)
            line += " " + word;
        const CliRun run = RunTool(example);
        EXPECT_EQ(run.code, 0) << "zephon-cli" << line << "\n" << run.err;
        EXPECT_FALSE(run.out.empty()) << "zephon-cli" << line;
        shown.insert(example.front());
    }
    std::filesystem::current_path(previous);
    EXPECT_GE(examples.size(), 10u);
    for (const CCommandOptions& command : CommandOptions())
        EXPECT_TRUE(shown.count(command.name)) << command.name << " has no example in the manual";
}

TEST(UserManual, EveryLinkInsideTheManualHasItsAnchor) {
    const std::string html = ReadText(kDocs / "manual/zephon-manual.html");
    const std::regex link(R"(href="#([^"]+)\")"), anchor(R"(id="([^"]+)\")");
    std::set<std::string> anchors;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), anchor); it != std::sregex_iterator(); ++it)
        anchors.insert((*it)[1]);
    int links = 0;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), link); it != std::sregex_iterator();
         ++it, ++links)
        EXPECT_TRUE(anchors.count((*it)[1])) << "#" << (*it)[1] << " leads nowhere";
    EXPECT_GT(links, 0);
}

} // namespace
