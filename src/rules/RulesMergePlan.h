#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "base/ScenarioEdition.h"

// The destination rules text is written as a fixed sequence of runs of counted lines,
// taken in turn from the scenario's rules and the template rules. Each stream is read
// strictly forward: a run passes over and copies counted lines from where the previous
// run on the same stream stopped.

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

constexpr RulesRun fromScenario(std::int32_t copy) {
    return {RulesSource::Scenario, 0, copy, RunLength::Counted};
}
constexpr RulesRun fromTemplate(std::int32_t passOver, std::int32_t copy) {
    return {RulesSource::Template, passOver, copy, RunLength::Counted};
}
constexpr RulesRun scenarioCaravanSection() {
    return {RulesSource::Scenario, 0, 0, RunLength::CaravanSection};
}
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
    {1,      fromScenario(22),      fromScenario(23),      fromScenario(23)},
    {2,      fromTemplate(22, 11),  fromTemplate(23, 10),  fromTemplate(23, 10)},
    {3,      fromScenario(94),      fromScenario(94),      fromScenario(94)},
    {4,      fromTemplate(94, 7),   fromTemplate(94, 7),   fromScenario(7)},
    {5,      fromScenario(36),      fromScenario(36),      fromScenario(36)},
    {6,      fromTemplate(36, 1),   fromTemplate(36, 1),   fromTemplate(137, 1)},
    {7,      fromScenario(116),     fromScenario(116),     fromScenario(124)},
    {8,      fromTemplate(116, 26), fromTemplate(116, 26), fromTemplate(124, 18)},
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
