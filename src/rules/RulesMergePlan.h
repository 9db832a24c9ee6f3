#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/ScenarioEdition.h"

class RulesTextInput;
struct RulesPiece;

// The destination rules text is written as a fixed sequence of runs of counted lines,
// taken in turn from the scenario's rules and the template rules. Each stream is read
// strictly forward: a run passes over and copies counted lines from where the previous
// run on the same stream stopped. Below: the plan, with the run that passes over counted
// lines; which lines of the two texts the plan pairs; the places of the destination's
// layout that the pairs fill.

enum class RulesSource { Scenario, Template };

enum class RunLength {
    Counted,             // `copy` counted lines
    CaravanSection,      // as many counted lines as the scenario's caravan section holds
    EveryRemainingLine,  // to the end of the text
};

struct RulesRun {
    RulesSource source;
    std::int32_t passOver;
    std::int32_t copy;  // for RunLength::Counted
    RunLength length;
};

constexpr RulesRun fromScenario(std::int32_t copy) { return {RulesSource::Scenario, 0, copy, RunLength::Counted}; }
constexpr RulesRun fromTemplate(std::int32_t passOver, std::int32_t copy) {
    return {RulesSource::Template, passOver, copy, RunLength::Counted};
}
constexpr RulesRun scenarioCaravanSection() { return {RulesSource::Scenario, 0, 0, RunLength::CaravanSection}; }
constexpr RulesRun templateRest(std::int32_t passOver) {
    return {RulesSource::Template, passOver, 0, RunLength::EveryRemainingLine};
}

// One step of the plan with its run for each edition.
struct RulesPlanStep {
    int step;
    RulesRun classic;
    RulesRun conflicts;
    RulesRun fantasticWorlds;

    constexpr const RulesRun& runFor(ScenarioEdition edition) const {
        switch (edition) {
            case Classic: return classic;
            case FantasticWorlds: return fantasticWorlds;
            case Conflicts: break;
        }
        return conflicts;
    }
};

constexpr RulesPlanStep sameForAll(int step, RulesRun run) { return {step, run, run, run}; }

constexpr std::array<RulesPlanStep, 16> kRulesMergePlan{{
    //  step  Classic                Conflicts              FantasticWorlds
    {1, fromScenario(22), fromScenario(23), fromScenario(23)},
    {2, fromTemplate(22, 11), fromTemplate(23, 10), fromTemplate(23, 10)},
    {3, fromScenario(94), fromScenario(94), fromScenario(94)},
    {4, fromTemplate(94, 7), fromTemplate(94, 7), fromScenario(7)},
    {5, fromScenario(36), fromScenario(36), fromScenario(36)},
    {6, fromTemplate(36, 1), fromTemplate(36, 1), fromTemplate(137, 1)},
    {7, fromScenario(116), fromScenario(116), fromScenario(124)},
    {8, fromTemplate(116, 26), fromTemplate(116, 26), fromTemplate(124, 18)},
    sameForAll(9, fromScenario(34)),
    sameForAll(10, fromTemplate(34, 102)),
    sameForAll(11, fromScenario(33)),
    sameForAll(12, scenarioCaravanSection()),
    sameForAll(13, fromScenario(11)),
    sameForAll(14, fromTemplate(60, 1)),
    sameForAll(15, fromScenario(18)),
    sameForAll(16, templateRest(18)),
}};

// The caravan section that the template's fixed pass-over at step 14 is made for.
constexpr std::int32_t kUsualCaravanLines = 16;

constexpr std::int32_t copiedLines(const RulesRun& run, std::int32_t caravanLines) {
    return run.length == RunLength::CaravanSection ? caravanLines : run.copy;
}

// Counted lines of `source` passed over and copied by steps 1 to `lastStep`, when the
// scenario's caravan section holds `caravanLines`.
constexpr std::int32_t countedLinesThrough(ScenarioEdition edition, RulesSource source, int lastStep,
                                           std::int32_t caravanLines = 0) {
    std::int32_t lines = 0;
    for (const RulesPlanStep& step : kRulesMergePlan) {
        const RulesRun& run = step.runFor(edition);
        if (step.step <= lastStep && run.source == source) {
            lines += run.passOver + copiedLines(run, caravanLines);
        }
    }
    return lines;
}

// The buffer a run reads its text with: the rest copier's for the run to the end, the
// section copier's for every other. A line longer than the buffer comes in pieces, each
// counted on its own.
std::size_t lineCapacity(const RulesRun& run);

// Drops lines until `count` counted lines have gone by, adding each counted piece to
// `countedPieces` when one is given. Lines that do not count and follow the last of them
// stay in the stream for what reads next. False when the text ends first. The plan's runs
// are ScenarioConverter::copyRulesSection and copyRulesRest, which pass over so first.
bool passOverCountedLines(RulesTextInput& input, std::int32_t count, std::size_t capacity,
                          std::vector<RulesPiece>* countedPieces);

// --- checks on the plan -----------------------------------------------------------------

namespace rules_plan_check {

constexpr ScenarioEdition kEditions[] = {Classic, Conflicts, FantasticWorlds};

constexpr bool stepsNumberedInOrder() {
    for (std::size_t i = 0; i < kRulesMergePlan.size(); ++i) {
        if (kRulesMergePlan[i].step != static_cast<int>(i) + 1) return false;
    }
    return true;
}

// The scenario rules are copied without a gap.
constexpr bool scenarioNeverPassedOver() {
    for (const RulesPlanStep& step : kRulesMergePlan) {
        for (ScenarioEdition edition : kEditions) {
            const RulesRun& run = step.runFor(edition);
            if (run.source == RulesSource::Scenario && run.passOver != 0) return false;
        }
    }
    return true;
}

// Every template run passes over what the scenario runs since the previous template run
// supplied in its place (step 14 only when the caravan section has its usual size).
constexpr bool templateKeepsPaceWithScenario(ScenarioEdition edition) {
    std::int32_t scenarioLines = 0;
    for (const RulesPlanStep& step : kRulesMergePlan) {
        const RulesRun& run = step.runFor(edition);
        if (run.source == RulesSource::Scenario) {
            scenarioLines += copiedLines(run, kUsualCaravanLines);
        } else {
            if (run.passOver != scenarioLines) return false;
            scenarioLines = 0;
        }
    }
    return true;
}

// Only the last run copies to the end, and it reads the template.
constexpr bool onlyTheLastRunCopiesTheRest() {
    for (const RulesPlanStep& step : kRulesMergePlan) {
        for (ScenarioEdition edition : kEditions) {
            const RulesRun& run = step.runFor(edition);
            const bool last = step.step == static_cast<int>(kRulesMergePlan.size());
            const bool rest = run.length == RunLength::EveryRemainingLine;
            if (rest != last || (rest && run.source != RulesSource::Template)) return false;
        }
    }
    return true;
}

static_assert(stepsNumberedInOrder());
static_assert(scenarioNeverPassedOver());
static_assert(onlyTheLastRunCopiesTheRest());
static_assert(templateKeepsPaceWithScenario(Classic));
static_assert(templateKeepsPaceWithScenario(Conflicts));
static_assert(templateKeepsPaceWithScenario(FantasticWorlds));

// Scenario counted lines copied, beside the caravan section.
static_assert(countedLinesThrough(Classic, RulesSource::Scenario, 16) == 364);
static_assert(countedLinesThrough(Conflicts, RulesSource::Scenario, 16) == 365);
static_assert(countedLinesThrough(FantasticWorlds, RulesSource::Scenario, 16) == 380);

// The template is consumed up to the same counted lines in every edition.
constexpr bool templateCheckpoint(int lastStep, std::int32_t lines) {
    for (ScenarioEdition edition : kEditions) {
        if (countedLinesThrough(edition, RulesSource::Template, lastStep) != lines) return false;
    }
    return true;
}
static_assert(templateCheckpoint(2, 33));
static_assert(templateCheckpoint(6, 171));
static_assert(templateCheckpoint(8, 313));
static_assert(templateCheckpoint(10, 449));
static_assert(templateCheckpoint(14, 510));
static_assert(templateCheckpoint(16, 528));  // the rest copied is the template after line 528
static_assert(countedLinesThrough(Classic, RulesSource::Template, 4) == 134);
static_assert(countedLinesThrough(Conflicts, RulesSource::Template, 4) == 134);
static_assert(countedLinesThrough(FantasticWorlds, RulesSource::Template, 4) == 33);

}  // namespace rules_plan_check

// --- the pairing ---------------------------------------------------------------------------

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
    std::size_t scenarioRow;  // rows of kRulesMergePlan
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

// --- the places ----------------------------------------------------------------------------

// The destination's layout, as the plan fills it: the template's counted lines up to the
// last one that the plan passes over are its places, each written by one run of the plan.
//  - A scenario place is one that a template run passes over and a scenario run fills
//    with the scenario line paired with it.
//  - A template place is one that a template run copies.
//  - A caravan place is one that a template run passes over and no scenario run pairs:
//    the template's own caravan lines, in whose stead the caravan run writes the
//    scenario's, as many as they are.
// What follows the last place is the template's rest, copied as it is.

enum class PlaceRole : std::uint8_t { Scenario, Template, Caravan };

struct RulesPlace {
    PlaceRole role = PlaceRole::Template;
    std::uint8_t run = 0;     // the row of the plan that writes it
    std::uint8_t readBy = 0;  // the template run that reads it
};

constexpr std::size_t kRulesPlaces =
    static_cast<std::size_t>(countedLinesThrough(Classic, RulesSource::Template, kRulesMergePlan.size()));

using RulesPlaces = std::array<RulesPlace, kRulesPlaces>;

constexpr std::size_t caravanRow(ScenarioEdition edition) {
    for (std::size_t row = 0; row < kRulesMergePlan.size(); ++row) {
        if (kRulesMergePlan[row].runFor(edition).length == RunLength::CaravanSection) return row;
    }
    return kRulesMergePlan.size();
}

constexpr RulesPlaces placesFor(ScenarioEdition edition) {
    RulesPlaces places{};
    std::size_t first = 0;  // the first place that a template run reads
    for (std::size_t row = 0; row < kRulesMergePlan.size(); ++row) {
        const RulesRun& run = kRulesMergePlan[row].runFor(edition);
        if (run.source != RulesSource::Template) continue;
        const std::size_t copied = run.length == RunLength::Counted ? static_cast<std::size_t>(run.copy) : 0;
        for (std::size_t i = 0; i < static_cast<std::size_t>(run.passOver) + copied; ++i) {
            const bool passedOver = i < static_cast<std::size_t>(run.passOver);
            places[first + i] = RulesPlace{passedOver ? PlaceRole::Caravan : PlaceRole::Template,
                                           static_cast<std::uint8_t>(passedOver ? caravanRow(edition) : row),
                                           static_cast<std::uint8_t>(row)};
        }
        first += static_cast<std::size_t>(run.passOver) + copied;
    }
    const RunPairings pairing = pairRuns(edition);
    for (std::size_t i = 0; i < pairing.count; ++i) {
        const RunPairing& pair = pairing.pairs[i];
        const std::size_t start = static_cast<std::size_t>(
            countedLinesThrough(edition, RulesSource::Template, static_cast<int>(pair.templateRow)) +
            pair.firstPassedOver);
        for (std::int32_t k = 0; k < pair.lines; ++k) {
            RulesPlace& place = places[start + static_cast<std::size_t>(k)];
            place.role = PlaceRole::Scenario;
            place.run = static_cast<std::uint8_t>(pair.scenarioRow);
        }
    }
    return places;
}

// --- checks on the places ------------------------------------------------------------------

namespace rules_places_check {

// The caravan places stand together, as many as the usual caravan section holds, after a
// scenario place and before another.
constexpr bool caravanPlacesTogether(ScenarioEdition edition) {
    const RulesPlaces places = placesFor(edition);
    std::size_t first = kRulesPlaces;
    std::size_t count = 0;
    for (std::size_t i = 0; i < kRulesPlaces; ++i) {
        if (places[i].role != PlaceRole::Caravan) continue;
        if (count > 0 && first + count != i) return false;
        if (count == 0) first = i;
        ++count;
    }
    return count == static_cast<std::size_t>(kUsualCaravanLines) && first > 0 && first + count < kRulesPlaces &&
           places[first - 1].role == PlaceRole::Scenario && places[first + count].role == PlaceRole::Scenario;
}
static_assert(kRulesPlaces == 528);
static_assert(caravanPlacesTogether(Classic));
static_assert(caravanPlacesTogether(Conflicts));
static_assert(caravanPlacesTogether(FantasticWorlds));
// Fantastic Worlds fills template lines 128 to 134 with its own step 4.
static_assert(placesFor(FantasticWorlds)[127].role == PlaceRole::Scenario && placesFor(FantasticWorlds)[127].run == 3);
static_assert(placesFor(Classic)[127].role == PlaceRole::Template && placesFor(Classic)[127].run == 3);

}  // namespace rules_places_check
