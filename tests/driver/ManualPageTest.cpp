#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "driver/HelpScreen.h"

// The manual page, docs/tavorel.1, tells what --help tells: an option added to the one and
// not to the other, or an exit code, fails here.

namespace {

using Names = std::set<std::string>;

std::string helpText() {
    std::ostringstream help;
    printHelp(help);
    return help.str();
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// The page as it reads, for the characters that options are written with: comment lines
// dropped, font changes and zero-width marks removed, roff's escaped hyphen and backslash
// undone.
std::string pageText() {
    std::ifstream page(TAVOREL_MANUAL_PAGE, std::ios::binary);
    EXPECT_TRUE(page) << TAVOREL_MANUAL_PAGE;
    std::string text;
    for (std::string line; std::getline(page, line);) {
        if (line.rfind(".\\\"", 0) == 0) continue;
        text += line + "\n";
    }
    for (const char* font : {"\\fB", "\\fI", "\\fR", "\\fP", "\\&"}) replaceAll(text, font, "");
    replaceAll(text, "\\-", "-");
    replaceAll(text, "\\e", "\\");
    return text;
}

// Every option named in `text`: a word of its own that begins with - and a letter
// (--out, -q), or a / and one or two letters, digits or ? (/g1, /?). Paths (~/Scen,
// ./-name) and hyphenated words do not begin a word so.
Names optionsIn(const std::string& text) {
    static const std::regex option(R"re((?:^|[\s\[(|,"])(--?[a-z][a-z0-9-]*|/[a-z0-9?]{1,2})(?=[\s\]),.:;|"]|$))re");
    Names names;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it)
        names.insert((*it)[1]);
    return names;
}

// The codes that `text` explains, each on a line of its own that `line` matches.
Names exitCodesIn(const std::string& text, const std::regex& line) {
    Names codes;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), line); it != std::sregex_iterator(); ++it)
        codes.insert((*it)[1]);
    return codes;
}

std::string without(const Names& names, const Names& others) {
    std::string missing;
    for (const std::string& name : names)
        if (others.count(name) == 0) missing += " " + name;
    return missing;
}

}  // namespace

TEST(ManualPage, NamesTheOptionsThatHelpNames) {
    const Names help = optionsIn(helpText());
    const Names page = optionsIn(pageText());
    // The reading finds at least what the usage line names.
    const Names usage = optionsIn(kUsageLine);
    EXPECT_FALSE(usage.empty());
    EXPECT_EQ(without(usage, help), "");
    EXPECT_EQ(without(help, page), "") << "named by --help, not by the manual page";
    EXPECT_EQ(without(page, help), "") << "named by the manual page, not by --help";
}

TEST(ManualPage, ExplainsTheExitCodesThatHelpExplains) {
    const std::string helpAll = helpText();
    const std::string help = helpAll.substr(helpAll.find("Exit codes:"));
    const std::string pageAll = pageText();
    const std::size_t status = pageAll.find(".SH EXIT STATUS");
    ASSERT_NE(status, std::string::npos);
    const std::string page = pageAll.substr(status, pageAll.find("\n.SH ", status + 1) - status);
    const Names helpCodes = exitCodesIn(help, std::regex(R"(\n +(-?[0-9]+)  )"));
    EXPECT_FALSE(helpCodes.empty());
    EXPECT_EQ(exitCodesIn(page, std::regex(R"(\n\.TP\n\.B (-?[0-9]+)\n)")), helpCodes);
}
