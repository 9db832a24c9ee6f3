#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/PathText.h"
#include "driver/RunConversion.h"
#include "kit/Files.h"
#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"
#include "report/FileLink.h"
#include "report/HtmlWriter.h"

namespace fs = std::filesystem;

namespace {

// A name no browser may take for markup, a URL's "%" and "#", a blank and a letter beyond ASCII.
const std::string kHostile = "<b>&\"x %#\xc3\xbc";
const std::string kHostileShown = "&lt;b&gt;&amp;&quot;x %#\xc3\xbc";
// A rules line in Windows-1252, as the games wrote them, with a tab, markup, a control character,
// the five bytes that code page leaves undefined and F8, which begins no UTF-8 character; and one
// in UTF-8, which shows as it is.
const std::string kLine = "Gr\xfcne Farbe,\t<i>&amp;\x01Robert\x92s \x80\x81\x8d\x8f\x90\x9d\xf8";
const std::string kLineShown = "Gr\xc3\xbcne Farbe,\t&lt;i&gt;&amp;amp;\xe2\x90\x81Robert\xe2\x80\x99s \xe2\x82\xac"
                               "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xc3\xb8";
const std::string kUtf8Line = "J\xc3\xbcrgen\xe2\x80\x99s Almanac";
// A page of the user's that begins as the report's page does, up to its own title.
const std::string kUsersPage = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>Notes</title>"
                               "</head><body></body></html>\n";

const std::set<std::string> kWrittenTags{"html", "head", "meta", "title", "style", "body", "h1", "h2", "h3", "p",
                                         "table", "tr", "th", "td", "a", "span", "ul", "li", "section", "div",
                                         "figure", "img", "figcaption"};

struct ReportCase {
    const char* what;
    bool namesOnlyPosix;  // names that Windows does not allow
    std::function<void(const fs::path& world)> make;
    std::vector<std::string> arguments;  // {W} is the world; "--report <report>" goes first
    int exitCode;
    std::vector<std::string> statuses;  // of each scenario, in order
    std::size_t pictures;
    std::vector<std::string> shows;  // as the page writes them
    const char* report = "{W}/reports/run.html";
    const char* failure = nullptr;  // the problem of a report that cannot be written
};

void scenario(const fs::path& folder, ScenarioEdition edition = Classic) {
    ScenarioFolderOptions options;
    options.scenario.edition = edition;
    writeScenarioFolder(folder, options);
}

// The scenario's @CIVILIZE gets `line` as its last line, which the conversion leaves out.
void withLastAdvance(const fs::path& rules, const std::string& line) {
    std::string text = readFileText(rules);
    const std::size_t next = text.find("\r\n@", text.find("@CIVILIZE\r\n") + 1);
    writeFileText(rules, text.insert(next + 2, line + "\r\n"));
}

std::string withWorld(std::string text, const std::string& world) {
    for (std::size_t at; (at = text.find("{W}")) != std::string::npos;) text.replace(at, 3, world);
    return text;
}

// The file a picture's address names, decoded as a browser reads it: "#" and "?" end the path.
fs::path linkedFile(const fs::path& reportFolder, std::string url) {
    url = url.substr(0, url.find_first_of("#?"));
    std::string bytes;
    for (std::size_t i = 0; i < url.size(); ++i) {
        bytes += url[i] == '%' ? static_cast<char>(std::stoi(url.substr(i + 1, 2), nullptr, 16)) : url[i];
        if (url[i] == '%') i += 2;
    }
    return bytes.rfind("file://", 0) == 0 ? pathFromUtf8(bytes.substr(7)) : reportFolder / pathFromUtf8(bytes);
}

const ReportCase kCases[] = {
    {"one scenario, complete", false, [](const fs::path& w) { scenario(w / "one"); }, {"{W}/one/Sample.scn"}, 0,
     {"complete"}, 14, {"Civ2 Classic scenario, map 80 \xc3\x97 50, 100 units, 20 cities.", "Merged by the plan.",
      // Improvements.bmp beside its template, having no scenario picture of its own
      "<figcaption>{W}/template/Improvements.bmp, 585 \xc3\x97 380</figcaption></figure><figure>"
      "<img src=\"../one/Converted/Improvements.bmp\"",
      "<tr><th>Templates</th><td>{W}/template</td></tr>", "<h3>Messages</h3><p class=\"none\">None.</p>",
      "{W}/one/Converted/Sample.scn</td><td class=\"number\">74451</td><td class=\"path\">(converted)",
      "{W}/one/Converted/City.txt</td><td class=\"number\">20</td><td class=\"path\">{W}/one/City.txt<"}},
    {"a rules line left out, told with its line", true,
     [](const fs::path& w) {
         scenario(w / "fw", FantasticWorlds);
         withLastAdvance(w / "fw" / "Rules.txt", kUtf8Line);
         withLastAdvance(w / "fw" / "Rules.txt", kLine);
         std::string extra = "@EXTRA\r\n";  // a section with no place, longer than a window of reading
         for (int n = 1; n <= 5000; ++n) extra += "Extra " + std::to_string(n) + "\r\n";
         std::string text = readFileText(w / "fw" / "Rules.txt") + extra;
         const std::size_t leader = text.find("\r\n", text.find("@LEADERS\r\n") + 10);  // one leader short
         writeFileText(w / "fw" / "Rules.txt", text.erase(leader, text.find("\r\n", leader + 2) - leader));
     },
     {"{W}/fw/Sample.scn"}, 2, {"with problems"}, 14,
     // the two lines left out are all their adjustment lists: no row of lines more
     {"Fantastic Worlds scenario, map", "<div class=\"adjustment\"><p>Warning: ", "Merged section by section",
      "<td class=\"line\">" + kUtf8Line + "</td></tr>", "<td class=\"line\">" + kLineShown + "</td></tr></table>",
      "lines 30 to 157",
      "In the converted Rules.txt: lines 40 to 165.", "<td>from the template</td>",
      "Extra 20</td></tr><tr><td colspan=\"4\" class=\"none\">\xe2\x80\xa6 4960 lines more",
      "Extra 4981</td>", "Extra 5000</td></tr></table>"}},
    {"a folder with hostile names, a scenario with problems and a refused one", true,
     [](const fs::path& w) {
         scenario(w / "c" / kHostile);
         scenario(w / "c" / "\xff\xfe");
         scenario(w / "c" / "bad");
         writeFileBytes(w / "c" / "bad" / "Units.bmp", {'B', 'M'});
         fs::create_directories(w / "c" / "broken");
         writeFileBytes(w / "c" / "broken" / "Bad.scn", {1});
     },
     {"{W}/c"}, 2, {"complete", "with problems", "refused", "complete"}, 40,
     {"<p>4 scenarios: 2 complete, 0 with notes, 1 with problems, 1 refused</p>", kHostileShown + "/Sample.scn</a>",
      "/\xef\xbf\xbd\xef\xbf\xbd/Sample.scn", "href=\"#scenario-3\""},
     "{W}/reports/r%#.html"},
    {"a quiet run keeps its notes", false, [](const fs::path& w) { writeSampleWorld(w, 3); },
     {"-q", "{W}/notes/Sample.scn"}, 0, {"with notes"}, 14,
     {"<li class=\"note\">Note: " + std::string("{W}") + "/notes/Rules.txt has 100 lines",
      "placed on a line that follows",
      "<div class=\"adjustment note\"><p>Note: "}},
    {"graphics only", false, [](const fs::path& w) { scenario(w / "g"); }, {"/g2", "{W}/g"}, 1, {"complete"}, 14,
     {"a Fantastic Worlds scenario (/g2)"}},
    {"a report in a folder that is not there", false, [](const fs::path& w) { scenario(w / "one"); },
     {"{W}/one/Sample.scn"}, 2, {}, 0, {}, "{W}/missing/run.html", "could not create {R} (No such file or directory)"},
    {"a quiet run of two scenarios whose report cannot be written: its line under no scenario's heading", false,
     [](const fs::path& w) { scenario(w / "one"), scenario(w / "two"); }, {"-q", "{W}/one/Sample.scn", "{W}/two"},
     2, {}, 0, {}, "{W}/missing/run.html", "could not create {R} (No such file or directory)"},
    {"a report that would replace a folder", false, [](const fs::path& w) { scenario(w / "one"); },
     {"{W}/one/Sample.scn"}, 2, {}, 0, {}, "{W}/reports", "could not write {R} (Is a directory)"},
    {"a report named like the scenario's rules text, which it never replaces", false,
     [](const fs::path& w) { scenario(w / "one"); }, {"{W}/one/Sample.scn"}, 2, {}, 0, {}, "{W}/one/Rules.txt",
     "{R} is no report of an earlier run"},
    {"a report named like a page of the user's", false,
     [](const fs::path& w) { scenario(w / "one"), writeFileText(w / "reports" / "notes.html", kUsersPage); },
     {"{W}/one/Sample.scn"}, 2, {}, 0, {}, "{W}/reports/notes.html", "{R} is no report of an earlier run"},
};

}  // namespace

// Each run is made twice, without the report and with it: the console is the same but for the
// one error line of a report that cannot be written, every message of it shows in the page, each
// picture's address leads to a file, and nothing from a name or a line becomes markup.
TEST(Report, TellsTheRunWithEveryMessageAndPicture) {
    for (const ReportCase& c : kCases) {
        SCOPED_TRACE(c.what);
#ifdef _WIN32
        if (c.namesOnlyPosix) continue;
#endif
        const TempFolder world("tavorel-report");
        const std::string w = displayPath(world.path());
        writeTemplateFolder(world / "template", 3);
        fs::create_directories(world / "reports");
        c.make(world.path());
        const fs::path reportFile = pathFromUtf8(withWorld(c.report, w));
        const auto bytesOf = [](const fs::path& file) {
            return fs::is_regular_file(file) ? readFileBytes(file) : std::vector<std::uint8_t>();
        };
        const std::vector<std::uint8_t> before = bytesOf(reportFile);
        std::vector<std::string> arguments{"--report", displayPath(reportFile)};
        for (const std::string& argument : c.arguments) arguments.push_back(withWorld(argument, w));

        std::ostringstream plain, reported;
        if (&c == &kCases[0]) {  // the page of an earlier run is replaced
            std::ostringstream earlier;
            ASSERT_EQ(runConversion(arguments, earlier, world / "template"), c.exitCode);
        }
        const int plainCode = runConversion({arguments.begin() + 2, arguments.end()}, plain, world / "template");
        EXPECT_EQ(runConversion(arguments, reported, world / "template"), c.exitCode);
        if (c.failure != nullptr) {
            EXPECT_EQ(plainCode, 0);
            std::string failure = c.failure;
            failure.replace(failure.find("{R}"), 3, displayPath(reportFile));
            EXPECT_EQ(reported.str(), plain.str() + "Error: " + failure + ", the report not written!\n");
            EXPECT_TRUE(fs::exists(world / "one" / "Converted" / "Sample.scn"));
            EXPECT_EQ(bytesOf(reportFile), before);  // a file of that name keeps what it held
            continue;
        }
        EXPECT_EQ(reported.str(), plain.str());
        const std::string page = readFileText(reportFile);

        std::istringstream lines(reported.str());
        for (std::string line; std::getline(lines, line);) {
            if (std::regex_search(line, std::regex("^(Warning|Error|Note)"))) {
                EXPECT_NE(page.find("<li class=\"" + std::string(line[0] == 'N' ? "note" : "problem") + "\">" +
                                    escapedHtml(line) + "</li>"),
                          std::string::npos)
                    << line;
            }
        }
        // Each status coloured by a class of its own, named as its words are: in the list and under the heading.
        std::vector<std::string> statuses;
        const std::regex status("<section[^>]*><h2>[^<]*</h2><p><span class=\"status ([a-z-]+)\">([a-z ]+)<");
        for (std::sregex_iterator at(page.begin(), page.end(), status), end; at != end; ++at) {
            statuses.push_back((*at)[2]);
            EXPECT_EQ(std::regex_replace((*at)[2].str(), std::regex(" "), "-"), (*at)[1]);
        }
        EXPECT_EQ(statuses, c.statuses);
        std::vector<std::string> listedStatuses;  // in the contents of a folder's report
        const std::regex listed("<td><span class=\"status ([a-z-]+)\">([a-z ]+)<");
        for (std::sregex_iterator at(page.begin(), page.end(), listed), end; at != end; ++at) {
            listedStatuses.push_back((*at)[2]);
            EXPECT_EQ(std::regex_replace((*at)[2].str(), std::regex(" "), "-"), (*at)[1]);
        }
        if (page.find("<table class=\"contents\">") != std::string::npos) {
            EXPECT_EQ(listedStatuses, c.statuses);
        }
        std::size_t pictures = 0;
        const std::regex source("<img src=\"([^\"]*)\"");
        for (std::sregex_iterator at(page.begin(), page.end(), source), end; at != end; ++at, ++pictures) {
            EXPECT_TRUE(fs::is_regular_file(linkedFile(reportFile.parent_path(), (*at)[1]))) << (*at)[1];
        }
        EXPECT_EQ(pictures, c.pictures);
        const std::regex tag("<([a-z0-9]+)");
        for (std::sregex_iterator at(page.begin(), page.end(), tag), end; at != end; ++at) {
            EXPECT_EQ(kWrittenTags.count((*at)[1]), 1u) << (*at)[1];
        }
        // Paths compared whatever their separators: a path named with "/" gets "\\" from the library on Windows.
        const auto slashed = [](std::string text) {
#ifdef _WIN32
            std::replace(text.begin(), text.end(), '\\', '/');
#endif
            return text;
        };
        for (const std::string& shown : c.shows) {
            EXPECT_NE(slashed(page).find(slashed(withWorld(shown, w))), std::string::npos) << shown;
        }
    }
}

// A picture's address from the report's folder: relative where a relative path leads there,
// a file: URL where none does (another drive, a network share).
TEST(Report, LinksPicturesFromItsFolder) {
    struct LinkCase {
        const char* folder;
        const char* target;
        const char* link;
    };
    const LinkCase cases[] = {
#ifdef _WIN32
        {"C:\\r", "D:\\s #\\x.bmp", "file:///D:/s%20%23/x.bmp"},
        {"C:\\r", "\\\\srv\\share\\x.bmp", "file://srv/share/x.bmp"},
        {"C:\\r\\q", "C:\\s\\x.bmp", "../../s/x.bmp"},
        {"r", "r\\x.bmp", "x.bmp"},
#else
        {"/r/q", "/s/a:b/x%.bmp", "../../s/a%3Ab/x%25.bmp"},
        {"/r", "/r/./x.bmp", "x.bmp"},
#endif
    };
    for (const LinkCase& c : cases) EXPECT_EQ(fileLink(c.folder, c.target), c.link) << c.target;
}
