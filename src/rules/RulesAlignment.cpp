#include "rules/RulesAlignment.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "rules/RulesText.h"

namespace {

const char* const kStartName = "(start)";

std::vector<TemplateSection> cutTemplateSections(const RulesPlaces& places,
                                                 const std::vector<std::string>& templateHeaders) {
    std::vector<TemplateSection> sections(1);
    for (std::size_t p = 0; p < kRulesPlaces; ++p) {
        const RulesPlace& place = places[p];
        // The template's caravan lines are the block's, and cut nothing.
        if (place.role == PlaceRole::Caravan) {
            sections.back().holdsCaravan = true;
            continue;
        }
        if (!templateHeaders[p].empty()) {
            sections.back().end = p;
            TemplateSection section;
            section.first = p;
            section.word = headerWord(templateHeaders[p]);
            sections.push_back(section);
        }
    }
    sections.back().end = kRulesPlaces;

    for (std::size_t s = 0; s < sections.size(); ++s) {
        TemplateSection& section = sections[s];
        const bool hasHeader = s > 0;
        bool anyScenarioPlace = false;
        section.spareFirst = section.first;
        bool afterCaravan = false;
        for (std::size_t p = section.first; p < section.end; ++p) {
            afterCaravan = afterCaravan || places[p].role == PlaceRole::Caravan;
            if (places[p].role != PlaceRole::Scenario) continue;
            anyScenarioPlace = true;
            section.spareFirst = p + 1;
            if (!hasHeader || p != section.first) ++section.scenarioLines;
            if (afterCaravan) ++section.placesAfterCaravan;
        }
        section.templateOwn = hasHeader && !anyScenarioPlace;
        for (std::size_t p = section.spareFirst; p < section.end && places[p].role == PlaceRole::Template; ++p) {
            ++section.spareTemplatePlaces;
        }
    }
    return sections;
}

// The first scenario section after `from` that has `key` and is not taken yet, or -1.
int nextWithKey(const std::vector<ScenarioSection>& sections, const std::vector<bool>& taken,
                const std::string& key, std::size_t from) {
    for (std::size_t j = from; j < sections.size(); ++j) {
        if (!taken[j] && sectionKey(sections[j].word) == key) return static_cast<int>(j);
    }
    return -1;
}

std::int64_t blockLines(std::int32_t caravanLines) { return std::max<std::int64_t>(caravanLines, 0); }

}  // namespace

RulesAlignment alignSections(ScenarioEdition edition, const std::vector<std::string>& templateHeaders,
                             const ScenarioSectionIndex& scenario, std::int32_t caravanLines) {
    const std::vector<ScenarioSection>& found = scenario.sections();
    RulesAlignment alignment{cutTemplateSections(placesFor(edition), templateHeaders),
                             std::vector<bool>(found.size(), false)};
    // The lines before the first header pair with each other.
    alignment.sections[0].matched = 0;
    alignment.taken[0] = true;
    std::size_t last = 0;  // the scenario section taken last
    for (std::size_t s = 1; s < alignment.sections.size(); ++s) {
        TemplateSection& section = alignment.sections[s];
        if (section.templateOwn) continue;
        const std::string key = sectionKey(section.word);
        int j = nextWithKey(found, alignment.taken, key, last + 1);
        if (j < 0) {
            j = nextWithKey(found, alignment.taken, key, 1);
            section.outOfOrder = j >= 0;
        }
        if (j < 0) continue;
        section.matched = j;
        alignment.taken[static_cast<std::size_t>(j)] = true;
        last = static_cast<std::size_t>(j);
        if (!section.holdsCaravan) continue;
        // The sections whose headers the caravan block carries are written with it; the
        // sections after the block are matched from there on.
        const std::size_t own = last;
        const std::int64_t blockEnd = found[own].firstLine + blockLines(caravanLines);  // its last line
        bool takenBefore = false;
        for (std::size_t k = own + 1; k < found.size() && found[k].firstLine <= blockEnd; ++k) {
            takenBefore = alignment.taken[k];
            alignment.taken[k] = true;
            last = k;
        }
        if (last != own && !takenBefore) {
            alignment.linesAfterBlock = std::max<std::int64_t>(found[last].firstLine + found[last].lines - blockEnd, 0);
        }
    }
    return alignment;
}

std::vector<RulesAdjustment> alignmentAdjustments(const RulesAlignment& alignment,
                                                  const ScenarioSectionIndex& scenario, std::int32_t caravanLines,
                                                  AlignedRulesWritten written) {
    const std::vector<ScenarioSection>& found = scenario.sections();
    std::vector<RulesAdjustment> adjustments;
    // The section's spans go with each of its adjustments, its lines with the last.
    auto add = [&adjustments](RulesAdjustment::Kind kind, const std::string& name,
                              SectionWritten& section) -> RulesAdjustment& {
        adjustments.push_back({});
        RulesAdjustment& adjustment = adjustments.back();
        adjustment.kind = kind;
        adjustment.section = name;
        adjustment.scenarioLines = section.scenarioLines;
        adjustment.convertedLines = section.convertedLines;
        adjustment.lines = std::move(section.lines);
        section.lines = AdjustedLines();
        return adjustment;
    };
    for (std::size_t s = 0; s < alignment.sections.size(); ++s) {
        const TemplateSection& section = alignment.sections[s];
        if (section.templateOwn) continue;
        const std::string name = s == 0 ? kStartName : section.word;
        SectionWritten& lines = written.templateSections[s];
        if (section.matched < 0) {
            add(RulesAdjustment::Kind::Missing, name, lines);
            continue;
        }
        const ScenarioSection& own = found[static_cast<std::size_t>(section.matched)];
        if (section.outOfOrder) {
            SectionWritten spansOnly{lines.scenarioLines, lines.convertedLines, {}};
            add(RulesAdjustment::Kind::OutOfOrder, name, spansOnly).lineNumber = own.lineNumber;
        }
        const std::int64_t n = own.lines;
        // The caravan block takes the scenario's caravan lines, however many; only those
        // that it leaves out are told.
        const std::int64_t m = section.holdsCaravan ? section.scenarioLines + blockLines(caravanLines)
                                                    : section.scenarioLines;
        if (n < m && !section.holdsCaravan) {
            RulesAdjustment& fewer = add(RulesAdjustment::Kind::Fewer, name, lines);
            fewer.has = n;
            fewer.takes = m;
        } else if (n > m) {
            RulesAdjustment& more = add(RulesAdjustment::Kind::More, name, lines);
            more.has = n;
            more.takes = m;
            more.placed = std::min(n - m, static_cast<std::int64_t>(section.spareTemplatePlaces));
            more.leftOut = n - m - more.placed;
            more.inOrder = !section.outOfOrder;
        }
        // The text after the caravan block starts with lines that no section takes.
        if (section.holdsCaravan && alignment.linesAfterBlock > section.placesAfterCaravan) {
            RulesAdjustment& more = add(RulesAdjustment::Kind::More, kStartName, lines);
            more.has = alignment.linesAfterBlock;
            more.takes = more.placed = section.placesAfterCaravan;
            more.leftOut = more.has - more.takes;
        }
    }
    for (std::size_t j = 1; j < found.size(); ++j) {
        if (alignment.taken[j]) continue;
        add(RulesAdjustment::Kind::NotTaken, found[j].word, written.scenarioSections[j]).lineNumber =
            found[j].lineNumber;
    }
    return adjustments;
}
