// The template rules text, counted before a run writes anything: an older edition's rules
// text, or one cut short, holds fewer counted lines than the merge takes from the template,
// and every scenario of the run would come out incomplete.
#include <cstddef>
#include <string>
#include <system_error>
#include <vector>

#include "base/FailureReason.h"
#include "base/FileLookup.h"
#include "driver/ScenarioConverter.h"
#include "rules/RulesMergePlan.h"
#include "rules/RulesPlanFit.h"
#include "rules/RulesText.h"

namespace fs = std::filesystem;

namespace {

// Every edition's plan reads the template's first 510 counted lines with the section
// copier's buffer and the next 18 with the rest copier's: one edition's runs count for all.
constexpr ScenarioEdition kAnyEdition = Classic;

// The counted lines that the plan's template runs would read, up to all they take.
std::size_t countedLinesForThePlan(RulesTextInput& rules) {
    PlanRunPieces pieces;
    surveyTemplate(kAnyEdition, rules, pieces);
    std::size_t counted = 0;
    for (const std::vector<RulesPiece>& run : pieces) counted += run.size();
    return counted;
}

constexpr std::int32_t templateLinesTaken(ScenarioEdition edition) {
    return countedLinesThrough(edition, RulesSource::Template, static_cast<int>(kRulesMergePlan.size()));
}
constexpr std::int32_t kTemplateLinesTaken = templateLinesTaken(kAnyEdition);
static_assert(kTemplateLinesTaken == templateLinesTaken(Conflicts) &&
                  kTemplateLinesTaken == templateLinesTaken(FantasticWorlds),
              "every edition takes as many lines from the template");

}  // namespace

std::vector<ScenarioConverter::TemplateProblem> ScenarioConverter::checkTemplateRules(const fs::path& templateFolder) {
    const fs::path path = findIgnoringCase(templateFolder, kRulesTextName);
    std::error_code absent;
    if (!fs::exists(path, absent)) return {};
    RulesTextInput rules(path);
    if (!rules.isOpen()) return {{path, "cannot be read" + failureReason(path, rules.readError())}};
    const std::size_t counted = countedLinesForThePlan(rules);
    if (rules.readFailed()) return {{path, "cannot be read" + failureReason(path, rules.readError())}};
    if (counted >= static_cast<std::size_t>(kTemplateLinesTaken)) return {};
    return {{path, "has " + std::to_string(counted) + " rules lines besides comments and empty lines (" +
                       std::to_string(kTemplateLinesTaken) + " needed)"}};
}
