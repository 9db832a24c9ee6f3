#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "RulesTestFiles.h"
#include "kit/RulesSample.h"

namespace {

bool counts(const std::string& line) {
    return !line.empty() && line[0] != ';' && line[0] != ':' && line[0] != '\n';
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

struct MergeResult {
    std::string written;  // CR LF form
    std::string console;
    bool problemReported;
    int caravanLineCount;
};

MergeResult runMerge(ScenarioEdition edition, const std::string& scenarioText,
                     const std::string& templateText) {
    TempFolder folder("tavorel-merge");
    writeRulesFile(folder / "scenario.txt", scenarioText);
    writeRulesFile(folder / "template.txt", templateText);
    std::ostringstream console;
    ScenarioConverter converter(console);
    converter.edition = edition;
    {
        RulesTextInput scenario(folder / "scenario.txt");
        RulesTextInput templateRules(folder / "template.txt");
        RulesTextOutput output(folder / "out.txt");
        EXPECT_EQ(converter.mergeRules(scenario, output, templateRules), 1);
        output.close();
    }
    return {readBytes(folder / "out.txt"), console.str(), converter.problemReported(),
            converter.caravanLineCount};
}

// Counted line n reads "<prefix><n>, <n>" unless `headers` puts a header there; comment
// and empty lines stand between some of them.
std::string labelledRules(char prefix, int countedLines, const std::map<int, std::string>& headers = {}) {
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

// The counted lines of a merge's output, each up to its first comma.
std::vector<std::string> countedLabels(const std::string& written) {
    std::string text;
    for (char c : written) if (c != '\r') text += c;
    std::vector<std::string> labels;
    for (const std::string& line : splitLines(text)) {
        if (counts(line)) labels.push_back(line.substr(0, line.find_first_of(",\n")));
    }
    return labels;
}

std::vector<std::string> labels(char prefix, int first, int last) {
    std::vector<std::string> result;
    for (int n = first; n <= last; ++n) result.push_back(prefix + std::to_string(n));
    return result;
}

// Where `sequence` starts in `all`, or -1.
int find(const std::vector<std::string>& all, const std::vector<std::string>& sequence) {
    for (std::size_t i = 0; i + sequence.size() <= all.size(); ++i) {
        if (std::equal(sequence.begin(), sequence.end(), all.begin() + static_cast<std::ptrdiff_t>(i))) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

TEST(MergeRules, FantasticWorldsTakesStepsThreeToFiveFromItsOwnRules) {
    const auto result = runMerge(FantasticWorlds,
                                 labelledRules('S', 400, {{351, "@CARAVAN"}, {368, "@ORDERS"}}),
                                 labelledRules('T', 560));
    const auto all = countedLabels(result.written);
    EXPECT_EQ(result.caravanLineCount, 16);
    // Steps 1 and 2, then steps 3 to 5 without a template line, then step 6 passes over
    // the template's lines 34 to 170 and copies its 171st.
    EXPECT_EQ(find(all, labels('S', 1, 23) + labels('T', 24, 33) + labels('S', 24, 160) +
                            labels('T', 171, 171) + labels('S', 161, 161)),
              0);
    EXPECT_FALSE(result.problemReported);
}

TEST(MergeRules, ALongerCaravanSectionShiftsStepTwelveButNotTheTemplate) {
    const auto result = runMerge(Conflicts, labelledRules('S', 400, {{336, "@CARAVAN"}, {357, "@ORDERS"}}),
                                 labelledRules('T', 560));
    EXPECT_EQ(result.caravanLineCount, 20);
    const auto all = countedLabels(result.written);
    // Steps 11 to 16: the caravan section's 20 lines, then the template still passes over
    // 60 counted lines at step 14.
    const auto tail = labels('T', 348, 449) + labels('S', 304, 335) + std::vector<std::string>{"@CARAVAN"} +
                      labels('S', 337, 356) + std::vector<std::string>{"@ORDERS"} + labels('S', 358, 367) +
                      labels('T', 510, 510) + labels('S', 368, 385) + labels('T', 529, 560);
    EXPECT_EQ(find(all, tail), static_cast<int>(all.size() - tail.size()));
}

TEST(MergeRules, OrdersBeforeCaravanCopiesNothingAtStepTwelve) {
    const auto result = runMerge(Conflicts, labelledRules('S', 400, {{100, "@ORDERS"}, {336, "@CARAVAN"}}),
                                 labelledRules('T', 560));
    EXPECT_EQ(result.caravanLineCount, -2);
    const auto all = countedLabels(result.written);
    EXPECT_NE(find(all, std::vector<std::string>{"@CARAVAN"} + labels('S', 337, 347) + labels('T', 510, 510) +
                            labels('S', 348, 365) + labels('T', 529, 529)),
              -1);
    EXPECT_FALSE(result.problemReported);
}

TEST(MergeRules, ATextThatRunsOutGetsOneWarningAndTheRestIsStillWritten) {
    const std::string scenario = labelledRules('S', 400, {{336, "@CARAVAN"}, {353, "@ORDERS"}});
    const auto shortTemplate = runMerge(Conflicts, scenario, labelledRules('T', 400));
    EXPECT_TRUE(shortTemplate.problemReported);
    EXPECT_EQ(std::count(shortTemplate.console.begin(), shortTemplate.console.end(), '\n'), 1);
    EXPECT_NE(shortTemplate.console.find("template.txt"), std::string::npos);
    const auto all = countedLabels(shortTemplate.written);
    EXPECT_NE(find(all, labels('T', 348, 400) + labels('S', 304, 304)), -1);
    EXPECT_EQ(all.back(), "S381");

    const auto shortScenario = runMerge(Classic, labelledRules('S', 300), labelledRules('T', 560));
    EXPECT_EQ(shortScenario.caravanLineCount, -2);
    EXPECT_EQ(shortScenario.console.find("template.txt"), std::string::npos);
    EXPECT_NE(shortScenario.console.find("scenario.txt"), std::string::npos);
    EXPECT_EQ(std::count(shortScenario.console.begin(), shortScenario.console.end(), '\n'), 1);
    EXPECT_EQ(countedLabels(shortScenario.written).back(), "T560");

    const auto bothEmpty = runMerge(Conflicts, "", "");
    EXPECT_EQ(bothEmpty.written, "");
    EXPECT_EQ(std::count(bothEmpty.console.begin(), bothEmpty.console.end(), '\n'), 2);
    EXPECT_LT(bothEmpty.console.find("scenario.txt"), bothEmpty.console.find("template.txt"));
}

TEST(MergeRules, TextsThatEndRightAfterTheirLastNeededLineAreNotShort) {
    // 365 + 16 counted scenario lines and 528 template lines, neither ending in a line feed.
    std::string scenario = labelledRules('S', 381, {{336, "@CARAVAN"}, {353, "@ORDERS"}});
    std::string templateText = labelledRules('T', 528);
    scenario.erase(scenario.rfind("\n; the end"));
    templateText.erase(templateText.rfind("\n; the end"));
    const auto result = runMerge(Conflicts, scenario, templateText);
    EXPECT_FALSE(result.problemReported);
    EXPECT_EQ(result.console, "");
    const std::string lastLine = "\r\nS381, 381";
    EXPECT_EQ(result.written.substr(result.written.size() - lastLine.size()), lastLine);
}

// --- the whole merge of the sample world, against an expectation built from the counted
// line numbers that each edition's runs take from the two texts ----------------------------

namespace {

// Block n holds counted line n and the uncounted lines just before it; the tail holds
// what follows the last counted line.
struct CountedBlocks {
    std::vector<std::string> blocks{""};
    std::string tail;
};

CountedBlocks splitAtCountedLines(const std::string& text) {
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
// their first comma.
std::string markTerrain(const std::string& run) {
    std::string result;
    int toMark = 0;
    for (std::string line : splitLines(run)) {
        if (toMark > 0) {
            --toMark;
            if (line.find(',') != std::string::npos) line.insert(line.find(',') + 1, "no,");
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
std::vector<LineRange> rangesFor(ScenarioEdition edition, int c) {
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

std::string expectedMerge(ScenarioEdition edition, int caravanLines, const std::string& scenarioText,
                          const std::string& templateText) {
    const CountedBlocks scenario = splitAtCountedLines(scenarioText);
    const CountedBlocks templateRules = splitAtCountedLines(templateText);
    std::string expected;
    for (const LineRange& range : rangesFor(edition, caravanLines)) {
        const CountedBlocks& text = range.source == 'S' ? scenario : templateRules;
        const int last = range.last == kToTheEnd ? static_cast<int>(text.blocks.size()) - 1 : range.last;
        std::string run;
        for (int n = range.first; n <= last; ++n) run += text.blocks.at(static_cast<std::size_t>(n));
        if (range.last == kToTheEnd) run += text.tail;
        expected += markTerrain(run);
    }
    return expected;
}

class SampleWorldMerge : public ::testing::TestWithParam<std::tuple<ScenarioEdition, int, int>> {};

}  // namespace

TEST_P(SampleWorldMerge, WritesTheExpectedFileWithCrLf) {
    const auto [edition, caravanLines, seed] = GetParam();
    ScenarioRulesOptions options;
    options.edition = edition;
    options.caravanLines = caravanLines;
    options.seed = static_cast<std::uint64_t>(seed);
    const std::string scenarioText = makeScenarioRules(options);
    const std::string templateText = makeTemplateRules(static_cast<std::uint64_t>(seed));
    for (const std::string& line : splitLines(scenarioText + templateText)) ASSERT_LT(line.size(), 159u);

    const std::string expected = expectedMerge(edition, caravanLines, scenarioText, templateText);
    // The scenario's and the template's terrain sections are both marked.
    std::size_t marks = 0;
    for (auto at = expected.find(",no,"); at != std::string::npos; at = expected.find(",no,", at + 1)) {
        ++marks;
    }
    ASSERT_EQ(marks, 22u);

    const auto result = runMerge(edition, scenarioText, templateText);
    EXPECT_EQ(result.caravanLineCount, caravanLines);
    EXPECT_FALSE(result.problemReported);
    EXPECT_EQ(result.written, withCrLf(expected));
}

INSTANTIATE_TEST_SUITE_P(EveryEdition, SampleWorldMerge,
                         ::testing::Combine(::testing::Values(Classic, Conflicts, FantasticWorlds),
                                            ::testing::Values(16, 20), ::testing::Values(1, 7)));
