#include "rules/RulesPlanFit.h"

#include <cstddef>

#include "rules/RulesMergePlan.h"
#include "rules/RulesText.h"

bool surveyTemplate(ScenarioEdition edition, RulesTextInput& templateRules, PlanRunPieces& pieces) {
    for (std::size_t row = 0; row < kRulesMergePlan.size(); ++row) {
        const RulesRun& run = kRulesMergePlan[row].runFor(edition);
        if (run.source != RulesSource::Template) continue;
        const std::int32_t read = run.passOver + (run.length == RunLength::Counted ? run.copy : 0);
        if (!passOverCountedLines(templateRules, read, lineCapacity(run), &pieces[row])) return false;
    }
    return true;
}

bool standForEachOther(const std::string& scenarioLine, const std::string& templateLine) {
    return sectionKey(headerWord(scenarioLine)) == sectionKey(headerWord(templateLine));
}

bool fitsPlan(ScenarioEdition edition, const PlanRunPieces& templatePieces, const ScenarioSectionIndex& scenario,
              std::int32_t caravanRun) {
    const RunPairings pairing = pairRuns(edition);
    for (std::size_t i = 0; i < pairing.count; ++i) {
        const RunPairing& pair = pairing.pairs[i];
        // The scenario runs follow each other without a gap.
        const std::int64_t first =
            countedLinesThrough(edition, RulesSource::Scenario, static_cast<int>(pair.scenarioRow), caravanRun);
        const std::vector<RulesPiece>& templateLines = templatePieces[pair.templateRow];
        for (std::int32_t k = 0; k < pair.lines; ++k) {
            const std::size_t t = static_cast<std::size_t>(pair.firstPassedOver + k);
            if (!standForEachOther(scenario.headerAt(first + k), templateLines.at(t).text)) return false;
        }
    }
    return true;
}
