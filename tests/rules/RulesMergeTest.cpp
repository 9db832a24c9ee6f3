#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "RulesMergeSupport.h"

namespace {

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

// The sample world's rules of each edition fit the plan, with the usual caravan section of
// 16 lines and a longer one of 20 that shifts step 12 while step 14 still passes over 60
// lines: the lines after the caravan section take the place of the last ones passed over.
TEST(MergeRules, SampleWorldOfEachEditionGivesTheExpectedFileWithCrLf) {
    std::vector<MergeCase> cases;
    for (const ScenarioEdition edition : {Classic, Conflicts, FantasticWorlds}) {
        for (const int caravanLines : {16, 20}) {
            for (const std::uint64_t seed : {1, 7}) {
                cases.push_back({"edition " + std::to_string(edition) + ", caravan " + std::to_string(caravanLines),
                                 edition, makeScenarioRules({edition, caravanLines, seed}), makeTemplateRules(seed),
                                 caravanLines, {}});
            }
        }
    }
    expectMerges(cases);
}

// Labelled texts that end early: when the template does, whatever could be copied is
// written, and each text that ran out gets one warning line, and no other.
TEST(MergeRules, ShortTextsAndMissingCaravanSections) {
    // 365 + 16 counted scenario lines and 528 template lines, neither ending in a line feed.
    std::string exactScenario = labelledRules('S', 381, {{336, "@CARAVAN"}, {353, "@ORDERS"}});
    std::string exactTemplate = labelledRules('T', 528, {{482, "@CARAVAN"}, {499, "@ORDERS"}});
    exactScenario.erase(exactScenario.rfind("\n; the end"));
    exactTemplate.erase(exactTemplate.rfind("\n; the end"));
    const std::string scenario = labelledRules('S', 400, {{336, "@CARAVAN"}, {353, "@ORDERS"}});
    const std::string longTemplate = labelledRules('T', 560);
    expectMerges({
        {"texts that end right after their last needed line", Conflicts, exactScenario, exactTemplate, 16, {}},
        {"the template ends during step 10", Conflicts, scenario, labelledRules('T', 400), 16, {"template.txt"}},
        {"the template ends during step 10, and the scenario during step 9", Classic, labelledRules('S', 300),
         labelledRules('T', 400), -2, {"scenario.txt", "template.txt"}},
        {"both texts empty", Conflicts, "", "", -2, {"scenario.txt", "template.txt"}},
    });
}

// The scenario's terrain lines come out in the destination's layout: their own fields,
// then "no", as many fields as the template's terrain lines have.
TEST(MergeRules, TerrainLinesCarryNoAsTheirLastField) {
    for (const ScenarioEdition edition : {Classic, Conflicts, FantasticWorlds}) {
        SCOPED_TRACE(edition);
        const std::string scenarioText = makeScenarioRules({edition, 16, 5});
        const std::string templateText = makeTemplateRules(5);
        std::ostringstream console;
        ScenarioConverter converter(console);
        converter.edition = edition;
        RulesTextInput scenario(withCrLf(scenarioText), "scenario.txt");
        RulesTextInput templateRules(withCrLf(templateText), "template.txt");
        RulesTextOutput output = RulesTextOutput::inMemory("out.txt");
        converter.mergeRules(scenario, output, templateRules);
        EXPECT_EQ(console.str(), "");

        const std::vector<std::string> converted = terrainLines(output.text(), "\r\n");
        const std::vector<std::string> own = terrainLines(scenarioText, "\n");
        const std::vector<std::string> destination = terrainLines(templateText, "\n");
        ASSERT_EQ(converted.size() + own.size() + destination.size(), 33u);
        for (std::size_t i = 0; i < converted.size(); ++i) {
            std::vector<std::string> expected = fieldsOf(own[i]);
            expected.insert(expected.end() - 1, "no");
            EXPECT_EQ(fieldsOf(converted[i]), expected) << converted[i];
            EXPECT_EQ(fieldsOf(converted[i]).size(), fieldsOf(destination[i]).size()) << converted[i];
            EXPECT_EQ(converted[i].substr(converted[i].find(';')), own[i].substr(own[i].find(';')));
        }
    }
}
