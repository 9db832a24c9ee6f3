#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "RulesMergeSupport.h"
#include "rules/RulesPlanFit.h"

namespace {

// The counted line numbers of the lines that are exactly `line`.
std::vector<int> countedLinesOf(const std::string& text, const std::string& line) {
    std::vector<int> numbers;
    int counted = 0;
    for (const std::string& piece : splitLines(text)) {
        if (counts(piece)) ++counted;
        if (piece == line + "\n") numbers.push_back(counted);
    }
    return numbers;
}

// The fields of a line before its comment, without their blanks.
std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields{""};
    for (const char c : line.substr(0, line.find(';'))) {
        if (c == ',') {
            fields.emplace_back();
        } else if (c != ' ' && c != '\r' && c != '\n') {
            fields.back() += c;
        }
    }
    return fields;  // the last one is empty: every field ends in a comma
}

// The `count` lines after the line "@TERRAIN" (with the line feed given).
std::vector<std::string> terrainLines(const std::string& text, const std::string& lineEnd, std::size_t count = 11) {
    std::vector<std::string> lines;
    std::size_t at = text.find("@TERRAIN" + lineEnd);
    if (at == std::string::npos) return lines;
    at = text.find('\n', at) + 1;
    for (; lines.size() < count && at < text.size(); at = text.find('\n', at) + 1) {
        lines.push_back(text.substr(at, text.find('\n', at) - at));
        if (!lines.back().empty() && lines.back().back() == '\r') lines.back().pop_back();
    }
    return lines;
}

}  // namespace

TEST(PlanFit, LinesStandForEachOtherWhenBothArePlainOrBothBeginTheSameSection) {
    const struct {
        const char* scenarioLine;
        const char* templateLine;
        bool same;
    } cases[] = {
        {"Warriors, 1\n", "  Phalanx, 1\n", true},   // plain lines, one blank-led
        {"@UNITS\n", "@UNITS\n", true},
        {"@units ; the units\n", "@UNITS\n", true},  // letter case and what follows the word
        {"@UNITS\t; x\n", "@Units;x\n", true},
        {"@UNITS", "@UNITS\n", true},                // a last line without its line feed
        {"@UNITS\n", "@UNITS_ADVANCED\n", false},    // one word is longer
        {"@UNITS\n", "@TERRAIN\n", false},
        {"@UNITS\n", "Warriors, 1\n", false},
        {"Warriors @UNITS\n", "@UNITS\n", false},    // only a first "@" begins a section
        {"@\n", "@ ; bare\n", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(standForEachOther(c.scenarioLine, c.templateLine), c.same) << c.scenarioLine << c.templateLine;
        EXPECT_EQ(standForEachOther(c.templateLine, c.scenarioLine), c.same) << c.scenarioLine << c.templateLine;
    }
}

// The sample rules' headers stand where the plan pairs them with the template's.
TEST(SampleRules, ScenarioHeadersStandOnTheLinesThatThePlanPairsWithTheTemplatesHeaders) {
    const struct {
        ScenarioEdition edition;
        int caravanLines;
        int civilize, caravan, orders;
    } cases[] = {
        {Classic, 16, 23, 335, 352},
        {Conflicts, 16, 24, 336, 353},
        {FantasticWorlds, 16, 24, 351, 368},
        {Classic, 20, 23, 335, 356},
        {Classic, 0, 23, 335, 336},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.edition) + ", caravan " + std::to_string(c.caravanLines));
        const std::string rules = makeScenarioRules({c.edition, c.caravanLines, 3});
        EXPECT_EQ(countedLinesOf(rules, "@CIVILIZE"), std::vector<int>{c.civilize});
        EXPECT_EQ(countedLinesOf(rules, "@CARAVAN"), std::vector<int>{c.caravan});
        EXPECT_EQ(countedLinesOf(rules, "@ORDERS"), std::vector<int>{c.orders});
    }
    const std::string templateRules = makeTemplateRules(3);
    EXPECT_EQ(countedLinesOf(templateRules, "@CIVILIZE"), std::vector<int>{34});
    EXPECT_EQ(countedLinesOf(templateRules, "@CARAVAN"), std::vector<int>{482});
    EXPECT_EQ(countedLinesOf(templateRules, "@ORDERS"), std::vector<int>{499});
}

// The scenario's terrain lines come out in the destination's layout: their own fields,
// then "no", as many fields as the template's terrain lines have.
TEST(MergeRules, TerrainLinesCarryNoAsTheirLastField) {
    for (const ScenarioEdition edition : {Classic, Conflicts, FantasticWorlds}) {
        SCOPED_TRACE(edition);
        const TempFolder folder("tavorel-terrain");
        const std::string scenarioText = makeScenarioRules({edition, 16, 5});
        const std::string templateText = makeTemplateRules(5);
        writeRulesFile(folder / "scenario.txt", scenarioText);
        writeRulesFile(folder / "template.txt", templateText);
        std::ostringstream console;
        ScenarioConverter converter(console);
        converter.edition = edition;
        RulesTextInput scenario(folder / "scenario.txt");
        RulesTextInput templateRules(folder / "template.txt");
        RulesTextOutput output(folder / "out.txt");
        converter.mergeRules(scenario, output, templateRules);
        output.close();
        EXPECT_EQ(console.str(), "");

        const std::vector<std::string> converted = terrainLines(readFileText(folder / "out.txt"), "\r\n");
        const std::vector<std::string> own = terrainLines(scenarioText, "\n");
        const std::vector<std::string> destination = terrainLines(templateText, "\n");
        ASSERT_EQ(converted.size(), 11u);
        ASSERT_EQ(own.size(), 11u);
        ASSERT_EQ(destination.size(), 11u);
        for (std::size_t i = 0; i < converted.size(); ++i) {
            std::vector<std::string> expected = fieldsOf(own[i]);
            expected.insert(expected.end() - 1, "no");
            EXPECT_EQ(fieldsOf(converted[i]), expected) << converted[i];
            EXPECT_EQ(fieldsOf(converted[i]).size(), fieldsOf(destination[i]).size()) << converted[i];
            EXPECT_EQ(converted[i].substr(converted[i].find(';')), own[i].substr(own[i].find(';')));
        }
    }
}
