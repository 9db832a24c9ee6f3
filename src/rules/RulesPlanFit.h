#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "driver/ScenarioEdition.h"
#include "rules/RulesLine.h"
#include "rules/RulesMergePlan.h"

// The fixed plan fits only rules texts whose sections have the line counts it assumes: a
// scenario with one advance, unit or line of blanks more or less has its later sections
// written where the template expects others. The fit is checked on the lines that stand
// for each other (rules/RulesPlanPairing.h): both must be plain lines, or both must begin
// the same section.

// The counted pieces that each run of the plan read, by row: those a scenario run copied,
// those a template run passed over (and copied). The caravan run keeps none.
using PlanRunPieces = std::array<std::vector<RulesPiece>, kRulesMergePlan.size()>;

struct RulesMisfit {
    RulesPiece scenarioLine;
    RulesPiece templateLine;
};

// True when both pieces are plain lines, or both begin a section with the same word
// ("@" up to the first blank, tab, ";" or line end), whatever its letter case.
bool standForEachOther(const std::string& scenarioLine, const std::string& templateLine);

// The first pair, in the order of the plan, whose lines do not stand for each other.
std::optional<RulesMisfit> findPlanMisfit(ScenarioEdition edition, const PlanRunPieces& pieces);
