#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/ScenarioEdition.h"

class RulesTextInput;
class RulesTextOutput;
class ScenarioSectionIndex;

// A scenario rules text that does not fit the plan is written into the destination's
// layout section by section: each of the template's sections takes the scenario's section
// of the same name, wherever it stands, and the lines of each fill the places that the
// plan gives to scenario lines. What either side lacks comes from the other as far as it
// can, and every difference is told.

// --- what it changed: the adjustments, and the account of the merge ------------------------

// The first and last line numbers of some lines of a text, as an editor shows them; 0 for
// none.
struct RulesLineSpan {
    std::int64_t first = 0;
    std::int64_t last = 0;

    void add(std::int64_t line) {
        if (first == 0 || line < first) first = line;
        if (line > last) last = line;
    }
};

// A line that an adjustment concerns, where it stands in each text.
struct AdjustedLine {
    enum class Fate {
        Placed,        // a scenario line on one of the destination's lines that follow
        LeftOut,       // a scenario line not written anywhere
        FromTemplate,  // a template line in the place of a scenario line the scenario lacks
    };
    Fate fate = Fate::Placed;
    std::int64_t scenarioLine = 0;   // 0 for a template line
    std::int64_t convertedLine = 0;  // 0 for a line left out
    std::string text;                // as read, without its line feed
};

// The lines an adjustment concerns: how many, and the first and last kKept of them, so that
// a section of any length is told in little memory.
class AdjustedLines {
public:
    static constexpr std::size_t kKept = 20;

    void add(AdjustedLine::Fate fate, std::int64_t scenarioLine, std::int64_t convertedLine, std::string_view text);
    // Lines passed over between the first and the last, which kKept more added follow.
    void countUnkept(std::int64_t lines) { count_ += lines; }
    std::int64_t count() const { return count_; }
    // The first kKept lines, and the last kKept of those after them, in order.
    const std::vector<AdjustedLine>& first() const { return first_; }
    std::vector<AdjustedLine> last() const;
    // The lines between the first and the last that are not kept.
    std::int64_t notKept() const { return count_ - static_cast<std::int64_t>(first_.size() + last_.size()); }

private:
    std::vector<AdjustedLine> first_;
    std::vector<AdjustedLine> last_;  // a ring: the oldest at next_ once it is full
    std::size_t next_ = 0;
    std::int64_t count_ = 0;
};

// One difference between a scenario's rules text and the destination's layout, found by the
// section-by-section merge: a value, so that the console line and any other account of the
// run are written from the same facts. A note loses nothing (every scenario line of the
// section is in the output, in order); every other kind is a warning, for the user to check.
struct RulesAdjustment {
    enum class Kind {
        Fewer,       // the section has fewer lines than the destination takes; the rest from the template
        More,        // more lines: `placed` on the destination's lines that follow, `leftOut` not written
        Missing,     // the scenario has no such section; it comes whole from the template
        OutOfOrder,  // the section stands elsewhere in the scenario, at `lineNumber`
        NotTaken,    // a scenario section the destination has no place for, at `lineNumber`
    };
    Kind kind = Kind::Fewer;
    std::string section;           // the header word, or "(start)" for the lines before the first header
    std::int64_t has = 0;          // the scenario's lines in it (Fewer, More)
    std::int64_t takes = 0;        // the lines the destination takes (Fewer, More)
    std::int64_t placed = 0;       // More: on the destination's lines that follow
    std::int64_t leftOut = 0;      // More: not written anywhere
    std::int64_t lineNumber = 0;   // OutOfOrder, NotTaken: the header's line as an editor shows it
    bool inOrder = true;           // More: the section was matched where the scenario's order has it
    RulesLineSpan scenarioLines;   // the section in the scenario's text (none when Missing)
    RulesLineSpan convertedLines;  // the section in the converted text (none when NotTaken)
    // Fewer, Missing: the template's lines in the scenario's places; More: the lines placed,
    // then those left out; NotTaken: the section's lines, all left out.
    AdjustedLines lines;

    bool isNote() const { return kind == Kind::More && inOrder && leftOut == 0; }
};

// How the merge wrote a rules text: by the plan, or section by section.
enum class RulesMergeWay { NotMerged, ByPlan, SectionBySection };

// What a merge hands its caller: the way it took, the two texts as the user knows them, and
// what the section-by-section merge changed (nothing when the plan fitted).
struct RulesMergeAccount {
    RulesMergeWay way = RulesMergeWay::NotMerged;
    std::string scenarioPath;
    std::string templatePath;
    std::vector<RulesAdjustment> adjustments;
};

// The one console line of an adjustment, without its line feed; `scenarioPath` and
// `templatePath` name the two rules texts as the user knows them.
std::string adjustmentLine(const RulesAdjustment& adjustment, const std::string& scenarioPath,
                           const std::string& templatePath);

// --- the alignment, and what its writer wrote --------------------------------------------

// One of the template's sections: places [first, end), cut at the places of its headers.
struct TemplateSection {
    std::size_t first = 0;
    std::size_t end = 0;
    std::string word;                // as the template writes it; empty before the first header
    std::int64_t scenarioLines = 0;  // scenario places after its header
    // The template places that take the scenario's lines left over: those right after its
    // last scenario place (from its first place when it has none), up to another kind.
    std::size_t spareFirst = 0;
    std::size_t spareTemplatePlaces = 0;
    bool holdsCaravan = false;            // the caravan places lie in it
    std::int64_t placesAfterCaravan = 0;  // scenario places after the caravan places (none in the layout)
    bool templateOwn = false;             // the destination's own: no scenario place at all
    int matched = -1;                     // the scenario section it takes, or -1
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
std::vector<RulesAdjustment> alignmentAdjustments(const RulesAlignment& alignment, const ScenarioSectionIndex& scenario,
                                                  std::int32_t caravanLines, AlignedRulesWritten written);

// Writes the destination's rules text: the places in order with the caravan block among
// them, then the template after its last place. Both inputs are read from where they
// stand (the template from its start). The scenario's lines that have no place are read
// too, for what the adjustments tell of them.
AlignedRulesWritten writeAlignedRules(ScenarioEdition edition, const RulesAlignment& alignment,
                                      const ScenarioSectionIndex& scenario, std::int32_t caravanLines,
                                      RulesTextInput& scenarioRules, RulesTextInput& templateRules,
                                      RulesTextOutput& output);
