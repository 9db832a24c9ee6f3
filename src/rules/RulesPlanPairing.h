#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "rules/RulesMergePlan.h"

// Which counted lines of the two texts stand for each other under the plan. Each template
// run passes over exactly the template lines that the scenario runs since the previous
// template run stand in for, in order: the k-th counted line that those scenario runs copy
// takes the place of the k-th counted line that the template run passes over. The caravan
// run splits its group, since its length is the scenario's own: the runs before it pair
// with the first lines passed over, the runs after it with the last, and the caravan lines
// themselves pair with nothing.

// The counted lines that one scenario run copies, paired one by one with as many of the
// counted lines that a template run passes over.
struct RunPairing {
    std::size_t scenarioRow;       // rows of kRulesMergePlan
    std::size_t templateRow;
    std::int32_t firstPassedOver;  // 0-based among the template run's passed-over lines
    std::int32_t lines;
};

// In the order of the plan: by template run, then by place in its pass-over.
struct RunPairings {
    std::array<RunPairing, kRulesMergePlan.size()> pairs{};
    std::size_t count = 0;
};

constexpr RunPairings pairRuns(ScenarioEdition edition) {
    RunPairings result;
    std::size_t groupStart = 0;  // first scenario row after the previous template run
    for (std::size_t row = 0; row < kRulesMergePlan.size(); ++row) {
        const RulesRun& templateRun = kRulesMergePlan[row].runFor(edition);
        if (templateRun.source != RulesSource::Template) continue;

        std::size_t caravanRow = row;  // none in this group
        std::int32_t linesAfterCaravan = 0;
        for (std::size_t s = groupStart; s < row; ++s) {
            const RulesRun& run = kRulesMergePlan[s].runFor(edition);
            if (run.length == RunLength::CaravanSection) {
                caravanRow = s;
                linesAfterCaravan = 0;
            } else if (caravanRow < row) {
                linesAfterCaravan += run.copy;
            }
        }
        std::int32_t place = 0;
        for (std::size_t s = groupStart; s < row; ++s) {
            if (s == caravanRow) {
                place = templateRun.passOver - linesAfterCaravan;
                continue;
            }
            const std::int32_t lines = kRulesMergePlan[s].runFor(edition).copy;
            result.pairs[result.count++] = RunPairing{s, row, place, lines};
            place += lines;
        }
        groupStart = row + 1;
    }
    return result;
}

// --- checks on the pairing ----------------------------------------------------------------

namespace rules_pairing_check {

// Every scenario run but the caravan run is paired, within its template run's pass-over,
// the pairs of one template run following each other without overlapping.
constexpr bool pairsFitThePassOvers(ScenarioEdition edition) {
    const RunPairings pairing = pairRuns(edition);
    std::size_t scenarioRuns = 0;
    for (const RulesPlanStep& step : kRulesMergePlan) {
        const RulesRun& run = step.runFor(edition);
        if (run.source == RulesSource::Scenario && run.length == RunLength::Counted) ++scenarioRuns;
    }
    if (pairing.count != scenarioRuns) return false;
    for (std::size_t i = 0; i < pairing.count; ++i) {
        const RunPairing& pair = pairing.pairs[i];
        const RulesRun& templateRun = kRulesMergePlan[pair.templateRow].runFor(edition);
        if (pair.firstPassedOver < 0 || pair.firstPassedOver + pair.lines > templateRun.passOver) return false;
        if (i > 0 && pairing.pairs[i - 1].templateRow == pair.templateRow) {
            const RunPairing& before = pairing.pairs[i - 1];
            if (before.firstPassedOver + before.lines > pair.firstPassedOver) return false;
        }
    }
    return true;
}
static_assert(pairsFitThePassOvers(Classic));
static_assert(pairsFitThePassOvers(Conflicts));
static_assert(pairsFitThePassOvers(FantasticWorlds));

// Around the caravan run: step 11 takes the first 33 of step 14's 60 lines, step 13 the last 11.
constexpr bool pairedAs(const RunPairing& pair, int scenarioStep, int templateStep, std::int32_t first,
                        std::int32_t lines) {
    return pair.scenarioRow + 1 == static_cast<std::size_t>(scenarioStep) &&
           pair.templateRow + 1 == static_cast<std::size_t>(templateStep) && pair.firstPassedOver == first &&
           pair.lines == lines;
}
static_assert(pairedAs(pairRuns(Classic).pairs[5], 11, 14, 0, 33));
static_assert(pairedAs(pairRuns(Classic).pairs[6], 13, 14, 49, 11));
// Fantastic Worlds' own lines at step 4 take the place of template lines 128 to 134.
static_assert(pairedAs(pairRuns(FantasticWorlds).pairs[1], 3, 6, 0, 94));
static_assert(pairedAs(pairRuns(FantasticWorlds).pairs[2], 4, 6, 94, 7));
static_assert(pairedAs(pairRuns(FantasticWorlds).pairs[3], 5, 6, 101, 36));

}  // namespace rules_pairing_check
