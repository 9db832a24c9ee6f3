#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/ScenarioEdition.h"

// Synthetic rules texts, with line feeds only (withCrLf gives the file form). Counted
// lines are those that begin with neither ";" nor ":" nor a line feed; comment, empty
// and ":" lines are sprinkled between them, and some counted lines begin with a blank.
//
// The sample world fits the merge plan: the template's sections stand at fixed counted
// lines, and a scenario of each edition carries each section that the plan pairs with one
// of the template's on the counted line that the plan pairs with it (for Classic
// "@CIVILIZE" on 23, "@CARAVAN" on 335 and, with 16 caravan lines, "@ORDERS" on 352).
// Template sections that the plan copies are the destination format's own.

struct ScenarioRulesOptions {
    ScenarioEdition edition = Classic;
    int caravanLines = 16;  // counted lines between "@CARAVAN" and "@ORDERS", 0 or more
    std::uint64_t seed = 1;
};

// A scenario rules text of the edition: "@CIVILIZE" is the 23rd counted line for Classic
// and the 24th otherwise, with no ":" line before it (the edition probe counts those); the
// 11 lines after "@TERRAIN" are terrain lines; after the last counted line that the merge
// reads come a few more.
std::string makeScenarioRules(const ScenarioRulesOptions& options);

// A scenario rules text section by section, for texts whose sections differ from what the
// plan takes, as real ones may.
struct SampleRulesSection {
    std::string header;  // empty for the lines before the first header
    int lines = 0;       // counted lines after the header
    int blankLines = 0;  // lines of blanks and tabs only, after the section's first line: of 4,
                         // 179, 180, 200 and 1000 characters in turn, through the text
};

// The sections of a scenario of the edition, in order, each with the lines that the plan
// takes from it; `caravanLines` in the caravan section.
std::vector<SampleRulesSection> planSections(ScenarioEdition edition, int caravanLines = 16);

// The text of `sections`: the k-th line of a section begins "<word> k," (its header's word
// in small letters, without "@"), but for the 11 terrain lines after "@TERRAIN". As in
// makeScenarioRules, no ":" line stands before the 24th counted line.
std::string writeSampleSections(const std::vector<SampleRulesSection>& sections, std::uint64_t seed);

// The destination format's default rules text: 560 counted lines, its terrain lines
// already carrying their "no," field.
std::string makeTemplateRules(std::uint64_t seed);
constexpr int kTemplateRulesCountedLines = 560;

std::string withCrLf(const std::string& text);
