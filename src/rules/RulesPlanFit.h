#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/ScenarioEdition.h"
#include "rules/RulesMergePlan.h"
#include "rules/RulesText.h"
#include "rules/ScenarioSections.h"

// The fixed plan fits only rules texts whose sections have the line counts it assumes: a
// scenario with one advance or unit more or less has its later sections written where the
// template expects others. The fit is checked on the lines that stand for each other
// (the pairing in rules/RulesMergePlan.h): both must be plain lines, or both must begin the same section.

// The counted pieces that each template run of the plan reads, by row: those it passes
// over, then those it copies.
using PlanRunPieces = std::array<std::vector<RulesPiece>, kRulesMergePlan.size()>;

// Reads the template as the plan's runs of `edition` do, keeping the counted pieces that each
// template run passes over and copies; false when it ends first.
bool surveyTemplate(ScenarioEdition edition, RulesTextInput& templateRules, PlanRunPieces& pieces);

// True when both pieces are plain lines, or both begin a section with the same word
// ("@" up to the first blank, tab, ";" or line end), whatever its letter case.
bool standForEachOther(const std::string& scenarioLine, const std::string& templateLine);

// True when every scenario line that the plan puts in the place of a template line stands
// for it. The scenario's caravan run takes `caravanRun` lines; both texts hold all that the
// plan takes.
bool fitsPlan(ScenarioEdition edition, const PlanRunPieces& templatePieces, const ScenarioSectionIndex& scenario,
              std::int32_t caravanRun);
