#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/ScenarioEdition.h"
#include "rules/RulesAdjustment.h"
#include "rules/RulesMergePlan.h"
#include "rules/ScenarioSections.h"

class RulesTextInput;
class RulesTextOutput;

// A scenario rules text that does not fit the plan is written into the destination's
// layout section by section: each of the template's sections takes the scenario's section
// of the same name, wherever it stands, and the lines of each fill the places that the
// plan gives to scenario lines. What either side lacks comes from the other as far as it
// can, and every difference is told.

// One of the template's sections: places [first, end), cut at the places of its headers.
struct TemplateSection {
    std::size_t first = 0;
    std::size_t end = 0;
    std::string word;               // as the template writes it; empty before the first header
    std::int64_t scenarioLines = 0;       // scenario places after its header
    // The template places that take the scenario's lines left over: those right after its
    // last scenario place (from its first place when it has none), up to another kind.
    std::size_t spareFirst = 0;
    std::size_t spareTemplatePlaces = 0;
    bool holdsCaravan = false;      // the caravan places lie in it
    std::int64_t placesAfterCaravan = 0;  // scenario places after the caravan places (none in the layout)
    bool templateOwn = false;       // the destination's own: no scenario place at all
    int matched = -1;               // the scenario section it takes, or -1
    bool outOfOrder = false;
};

struct RulesAlignment {
    std::vector<TemplateSection> sections;
    std::vector<bool> taken;  // by scenario section
    // A caravan block that ends inside a later section of the scenario, one that no other
    // template section takes, leaves the rest of it, up to the next header: the start of the
    // text after the block. Its first lines go onto the scenario places after the caravan
    // places; the others are left out.
    std::int64_t linesAfterBlock = 0;
};

// `templateHeaders` holds the header line of the template at each place, or nothing.
// `caravanLines` is the scenario's caravan count (-2 when it has none).
RulesAlignment alignSections(ScenarioEdition edition, const std::vector<std::string>& templateHeaders,
                             const ScenarioSectionIndex& scenario, std::int32_t caravanLines);

// What the writer wrote of one section: where its counted lines stand in each text, and the
// lines an adjustment of it tells of.
struct SectionWritten {
    RulesLineSpan scenarioLines;
    RulesLineSpan convertedLines;
    AdjustedLines lines;
};

struct AlignedRulesWritten {
    std::vector<SectionWritten> templateSections;  // by template section
    std::vector<SectionWritten> scenarioSections;  // by scenario section: those not taken, their lines left out
};

// The differences of an alignment, in the order of the destination's sections, then the
// scenario sections left out, in the scenario's order; each with its lines as `written`
// tells them.
std::vector<RulesAdjustment> alignmentAdjustments(const RulesAlignment& alignment,
                                                  const ScenarioSectionIndex& scenario, std::int32_t caravanLines,
                                                  AlignedRulesWritten written);

// Writes the destination's rules text: the places in order with the caravan block among
// them, then the template after its last place. Both inputs are read from where they
// stand (the template from its start). The scenario's lines that have no place are read
// too, for what the adjustments tell of them.
AlignedRulesWritten writeAlignedRules(ScenarioEdition edition, const RulesAlignment& alignment,
                                      const ScenarioSectionIndex& scenario, std::int32_t caravanLines,
                                      RulesTextInput& scenarioRules, RulesTextInput& templateRules,
                                      RulesTextOutput& output);
