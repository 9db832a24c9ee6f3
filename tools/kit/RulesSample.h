#pragma once

#include <cstdint>
#include <string>

#include "driver/ScenarioEdition.h"

// Synthetic rules texts, with line feeds only (withCrLf gives the file form). Counted
// lines are those that begin with neither ";" nor ":" nor a line feed; comment, empty
// and ":" lines are sprinkled between them, and some counted lines begin with a blank.

struct ScenarioRulesOptions {
    ScenarioEdition edition = Classic;
    int caravanLines = 16;  // counted lines between "@CARAVAN" and "@ORDERS"
    std::uint64_t seed = 1;
};

// A scenario rules text laid out as the merge expects it of each edition:
// - "@CIVILIZE" is the 23rd counted line for Classic and the 24th otherwise, with no
//   ":" line before it (the edition probe counts those);
// - "@TERRAIN" is counted line 200, followed by terrain lines that hold commas;
// - "@CARAVAN" is the last counted line that the merge copies before the caravan
//   section (335 for Classic, 336 for Conflicts, 351 for FantasticWorlds), then come
//   the caravan lines, "@ORDERS" and 28 further counted lines, and a few lines beyond
//   what the merge reads.
std::string makeScenarioRules(const ScenarioRulesOptions& options);

// Counted line number of "@CARAVAN" in makeScenarioRules.
int scenarioRulesCaravanLine(ScenarioEdition edition);

// The destination format's default rules text: 560 counted lines, with "@TERRAIN" as
// counted line 348 (the first line that the merge copies from the template after the
// scenario's own sections).
std::string makeTemplateRules(std::uint64_t seed);
constexpr int kTemplateRulesCountedLines = 560;
constexpr int kTemplateRulesTerrainLine = 348;

std::string withCrLf(const std::string& text);
