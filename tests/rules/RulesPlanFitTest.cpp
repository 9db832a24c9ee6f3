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
