#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "RulesMergeSupport.h"

// The sample world's rules of each edition fit the plan, with the usual caravan section of
// 16 lines and a longer one of 20 that shifts step 12 while step 14 still passes over 60
// lines: the lines after the caravan section take the place of the last ones passed over.
TEST(MergeRules, SampleWorldOfEachEditionGivesTheExpectedFileWithCrLf) {
    std::vector<MergeCase> cases;
    for (const ScenarioEdition edition : {Classic, Conflicts, FantasticWorlds}) {
        for (const int caravanLines : {16, 20}) {
            for (const std::uint64_t seed : {1, 7}) {
                const std::string scenario = makeScenarioRules({edition, caravanLines, seed});
                const std::string templateText = makeTemplateRules(seed);
                const std::string expected = expectedMerge(edition, caravanLines, scenario, templateText);
                // The scenario's terrain section takes the place of the template's.
                std::size_t marks = 0;
                for (auto at = expected.find(",no,"); at != std::string::npos; at = expected.find(",no,", at + 1)) {
                    ++marks;
                }
                ASSERT_EQ(marks, 11u);
                cases.push_back({"edition " + std::to_string(edition) + ", caravan " + std::to_string(caravanLines),
                                 edition, scenario, templateText, caravanLines, {}});
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
