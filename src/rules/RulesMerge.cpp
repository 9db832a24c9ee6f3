#include <cstddef>
#include <optional>
#include <string>

#include "base/PathText.h"
#include "driver/ScenarioConverter.h"
#include "rules/RulesLine.h"
#include "rules/RulesMergePlan.h"
#include "rules/RulesPlanFit.h"
#include "rules/RulesText.h"

int ScenarioConverter::mergeRules(RulesTextInput& scenarioRules, RulesTextOutput& output,
                                  RulesTextInput& templateRules) {
    // The one run whose length varies from scenario to scenario; counting leaves the
    // scenario rules at their first line again.
    caravanLineCount = countCaravanLines(scenarioRules);

    PlanRunPieces pieces;  // what each run read, for the check of the fit
    bool scenarioRanOut = false;
    bool templateRanOut = false;
    for (std::size_t row = 0; row < kRulesMergePlan.size(); ++row) {
        const RulesRun& run = kRulesMergePlan[row].runFor(edition);
        const bool fromScenario = run.source == RulesSource::Scenario;
        RulesTextInput& source = fromScenario ? scenarioRules : templateRules;
        int result = kRulesRunComplete;
        switch (run.length) {
            case RunLength::Counted:
                result = copyRulesSection(source, output, run.passOver, run.copy, &pieces[row]);
                break;
            case RunLength::CaravanSection:  // pairs with nothing: no need to keep its lines
                result = copyRulesSection(source, output, run.passOver, caravanLineCount);
                break;
            case RunLength::EveryRemainingLine:
                result = copyRulesRest(source, output, run.passOver, &pieces[row]);
                break;
        }
        // A text that has ended gives the later runs on it nothing more to read.
        if (result != kRulesRunComplete) (fromScenario ? scenarioRanOut : templateRanOut) = true;
    }

    // One line for each text that ran out, however many runs came up short on it.
    auto warnWhenShort = [this](bool ranOut, const RulesTextInput& input) {
        if (!ranOut) return;
        reportProblem("Warning: " + displayPath(input.path()) +
                      " has fewer lines than the rules conversion needs, the converted Rules.txt is "
                      "incomplete!");
    };
    warnWhenShort(scenarioRanOut, scenarioRules);
    warnWhenShort(templateRanOut, templateRules);

    // A text that ran short has said so already; the sections of whole texts are checked.
    if (!scenarioRanOut && !templateRanOut) {
        if (const std::optional<RulesMisfit> misfit = findPlanMisfit(edition, pieces)) {
            reportProblem(planMisfitWarning(displayPath(scenarioRules.path()), displayPath(templateRules.path()), *misfit));
        }
    }
    return 1;
}
