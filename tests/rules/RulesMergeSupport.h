#pragma once

// The merge of two rules texts as the plan writes it, worked out from the counted line
// numbers that each edition's runs take, and a check of the merge against it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "RulesTestFiles.h"
#include "kit/RulesSample.h"

// A whole line of blanks is empty; the sample texts have no long line with a blank tail.
inline bool counts(const std::string& line) {
    return !line.empty() && line[0] != ';' && line[0] != ':' && line[0] != '\n' &&
           line.find_first_not_of(" \t\n") != std::string::npos;
}

// The lines as the section copier reads them: a line of more than 179 characters with its
// line feed comes in pieces of 179, each a line of its own.
inline std::vector<std::string> splitLines(const std::string& text) {
    constexpr std::size_t kPiece = 179;
    std::vector<std::string> lines;
    for (std::size_t start = 0, end = 0; start < text.size(); start = end) {
        end = std::min({text.find('\n', start), text.size() - 1, start + kPiece - 1}) + 1;
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

// Counted line n reads "<prefix><n>, <n>" unless `headers` puts a header there; comment
// and empty lines stand between some of them.
inline std::string labelledRules(char prefix, int countedLines, const std::map<int, std::string>& headers = {}) {
    std::string text;
    for (int n = 1; n <= countedLines; ++n) {
        if (n % 7 == 0) text += "; before " + std::to_string(n) + "\n";
        if (n % 11 == 0) text += "\n";
        const auto header = headers.find(n);
        text += header != headers.end() ? header->second + "\n"
                                        : prefix + std::to_string(n) + ", " + std::to_string(n) + "\n";
    }
    return text + "; the end\n";
}

// --- the expected merge, built from the counted line numbers that each edition's runs
// take from the two texts -------------------------------------------------------------------

// Block n holds counted line n and the uncounted lines just before it; the tail holds
// what follows the last counted line.
struct CountedBlocks {
    std::vector<std::string> blocks{""};
    std::string tail;
};

inline CountedBlocks splitAtCountedLines(const std::string& text) {
    CountedBlocks split;
    for (const std::string& line : splitLines(text)) {
        split.tail += line;
        if (counts(line)) {
            split.blocks.push_back(split.tail);
            split.tail.clear();
        }
    }
    return split;
}

// Within one run, the 11 lines after a line that is exactly "@TERRAIN" get "no," after
// the last comma before their comment.
inline std::string markTerrain(const std::string& run) {
    std::string result;
    int toMark = 0;
    for (std::string line : splitLines(run)) {
        if (toMark > 0) {
            --toMark;
            const std::size_t comma = line.substr(0, line.find(';')).rfind(',');
            if (comma != std::string::npos) line.insert(comma + 1, "no,");
        }
        result += line;
        if (line == "@TERRAIN\n") toMark = 11;
    }
    return result;
}

struct LineRange {
    char source;  // 'S' scenario, 'T' template
    int first;
    int last;     // kToTheEnd: every line after `first - 1`
};
constexpr int kToTheEnd = -1;

// The counted lines that each run takes, by line number: the scenario's follow on without
// a gap (c of them from the caravan section); the template's leave out the lines that the
// scenario supplies in their place.
inline std::vector<LineRange> rangesFor(ScenarioEdition edition, int c) {
    switch (edition) {
        case Classic:
            return {{'S', 1, 22},   {'T', 23, 33},   {'S', 23, 116},  {'T', 128, 134},
                    {'S', 117, 152}, {'T', 171, 171}, {'S', 153, 268}, {'T', 288, 313},
                    {'S', 269, 302}, {'T', 348, 449}, {'S', 303, 335}, {'S', 336, 335 + c},
                    {'S', 336 + c, 346 + c}, {'T', 510, 510}, {'S', 347 + c, 364 + c}, {'T', 529, kToTheEnd}};
        case Conflicts:
            return {{'S', 1, 23},   {'T', 24, 33},   {'S', 24, 117},  {'T', 128, 134},
                    {'S', 118, 153}, {'T', 171, 171}, {'S', 154, 269}, {'T', 288, 313},
                    {'S', 270, 303}, {'T', 348, 449}, {'S', 304, 336}, {'S', 337, 336 + c},
                    {'S', 337 + c, 347 + c}, {'T', 510, 510}, {'S', 348 + c, 365 + c}, {'T', 529, kToTheEnd}};
        case FantasticWorlds:
            return {{'S', 1, 23},   {'T', 24, 33},   {'S', 24, 117},  {'S', 118, 124},
                    {'S', 125, 160}, {'T', 171, 171}, {'S', 161, 284}, {'T', 296, 313},
                    {'S', 285, 318}, {'T', 348, 449}, {'S', 319, 351}, {'S', 352, 351 + c},
                    {'S', 352 + c, 362 + c}, {'T', 510, 510}, {'S', 363 + c, 380 + c}, {'T', 529, kToTheEnd}};
    }
    return {};
}

// A run reads on from where the previous run on its text stopped: directly after its last
// counted line. A run that meets the end of its text copies what is left, the uncounted
// lines at the end included; once a pass-over meets it, nothing is copied.
inline std::string expectedMerge(ScenarioEdition edition, int caravanLines, const std::string& scenarioText,
                          const std::string& templateText) {
    const CountedBlocks scenario = splitAtCountedLines(scenarioText);
    const CountedBlocks templateRules = splitAtCountedLines(templateText);
    std::string expected;
    for (const LineRange& range : rangesFor(edition, caravanLines)) {
        const CountedBlocks& text = range.source == 'S' ? scenario : templateRules;
        const int available = static_cast<int>(text.blocks.size()) - 1;
        if (available < range.first - 1) continue;
        std::string run;
        for (int n = range.first; n <= available && (n <= range.last || range.last == kToTheEnd); ++n) {
            run += text.blocks[static_cast<std::size_t>(n)];
        }
        if (range.last == kToTheEnd || range.last > available) run += text.tail;
        expected += markTerrain(run);
    }
    return withCrLf(expected);
}

struct MergeCase {
    std::string what;
    ScenarioEdition edition;
    std::string scenario, templateText;
    int caravanCount;
    std::vector<const char*> shortTexts;  // the texts that run out, in the order of their warnings
};

// Merges each case and holds the output against the expected merge, byte for byte.
inline void expectMerges(const std::vector<MergeCase>& cases) {
    for (const MergeCase& c : cases) {
        SCOPED_TRACE(c.what);
        const TempFolder folder("tavorel-merge");
        writeRulesFile(folder / "scenario.txt", c.scenario);
        writeRulesFile(folder / "template.txt", c.templateText);
        std::ostringstream console;
        ScenarioConverter converter(console);
        converter.edition = c.edition;
        RulesTextInput scenario(folder / "scenario.txt");
        RulesTextInput templateRules(folder / "template.txt");
        RulesTextOutput output(folder / "out.txt");
        EXPECT_EQ(converter.mergeRules(scenario, output, templateRules), 1);
        output.close();
        EXPECT_EQ(converter.caravanLineCount, c.caravanCount);
        std::string warnings;
        for (const char* name : c.shortTexts) {
            warnings += "Warning: " + (folder / name).string() +
                        " has fewer lines than the rules conversion needs, the converted Rules.txt is incomplete!\n";
        }
        EXPECT_EQ(console.str(), warnings);
        EXPECT_EQ(converter.problemReported(), !warnings.empty());
        const int caravanLines = std::max(c.caravanCount, 0);  // -2 copies no line
        EXPECT_EQ(readFileText(folder / "out.txt"), expectedMerge(c.edition, caravanLines, c.scenario, c.templateText));
    }
}

// --- locating lines of a rules text ------------------------------------------------------

// Where the line that holds `needle` begins and ends (after its line feed).
inline std::pair<std::size_t, std::size_t> lineAround(const std::string& text, const std::string& needle) {
    const std::size_t at = text.find(needle);
    if (at == std::string::npos) {
        ADD_FAILURE() << "no line holds " << needle;
        return {text.size(), text.size()};
    }
    const std::size_t start = at == 0 ? 0 : text.rfind('\n', at - 1) + 1;  // npos + 1 is 0
    const std::size_t end = std::min(text.find('\n', at), text.size() - 1) + 1;
    return {start, end};
}

// The line number, as an editor shows it, of the line that holds `needle`.
inline std::int64_t lineNumberOf(const std::string& text, const std::string& needle) {
    const std::size_t start = lineAround(text, needle).first;
    return 1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(start), '\n');
}
