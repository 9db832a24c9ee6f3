#include "rules/RulesPlanFit.h"

#include <cstddef>

#include "rules/RulesPlanPairing.h"
#include "rules/SectionWord.h"

bool standForEachOther(const std::string& scenarioLine, const std::string& templateLine) {
    return sectionKey(headerWord(scenarioLine)) == sectionKey(headerWord(templateLine));
}

std::optional<RulesMisfit> findPlanMisfit(ScenarioEdition edition, const PlanRunPieces& pieces) {
    const RunPairings pairing = pairRuns(edition);
    for (std::size_t i = 0; i < pairing.count; ++i) {
        const RunPairing& pair = pairing.pairs[i];
        const std::vector<RulesPiece>& scenarioLines = pieces[pair.scenarioRow];
        const std::vector<RulesPiece>& templateLines = pieces[pair.templateRow];
        for (std::int32_t k = 0; k < pair.lines; ++k) {
            const std::size_t s = static_cast<std::size_t>(k);
            const std::size_t t = static_cast<std::size_t>(pair.firstPassedOver + k);
            // A text that ran short has no more pairs; its own warning tells of it.
            if (s >= scenarioLines.size() || t >= templateLines.size()) break;
            if (!standForEachOther(scenarioLines[s].text, templateLines[t].text)) {
                return RulesMisfit{scenarioLines[s], templateLines[t]};
            }
        }
    }
    return std::nullopt;
}
