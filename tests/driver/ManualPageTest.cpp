#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "driver/HelpScreen.h"

namespace {

// Every option named in `text`: a word of its own that begins with - and a letter (--out,
// -q), or a / and one or two letters, digits or ? (/g1, /?); paths and hyphenated words
// do not begin a word so.
std::set<std::string> optionsIn(const std::string& text) {
    static const std::regex option(R"re((?:^|[\s\[(|,"])(--?[a-z][a-z0-9-]*|/[a-z0-9?]{1,2})(?=[\s\]),.:;|"]|$))re");
    std::set<std::string> names;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it)
        names.insert((*it)[1]);
    return names;
}

}  // namespace

// The manual page tells what --help tells: an option added to the one and not to the
// other fails here. The page is read as it shows: font changes dropped, roff's escaped
// hyphens undone.
TEST(ManualPage, NamesTheOptionsThatHelpNames) {
    std::ifstream file(TAVOREL_MANUAL_PAGE, std::ios::binary);
    ASSERT_TRUE(file) << TAVOREL_MANUAL_PAGE;
    std::string page(std::istreambuf_iterator<char>(file), {});
    page = std::regex_replace(page, std::regex(R"(\\f[BIRP]|\\&|\.\\".*)"), "");
    page = std::regex_replace(page, std::regex(R"(\\-)"), "-");
    std::ostringstream help;
    printHelp(help);
    const std::set<std::string> named = optionsIn(help.str());
    EXPECT_TRUE(named.count("--templates") && named.count("/g2") && named.count("/?"));
    EXPECT_EQ(optionsIn(page), named);
}
