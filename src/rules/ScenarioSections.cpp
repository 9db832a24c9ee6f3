#include "rules/ScenarioSections.h"

#include <algorithm>

#include "driver/ScenarioConverter.h"
#include "rules/RulesText.h"

void ScenarioSectionIndex::read(RulesTextInput& input) {
    // The text may be huge: its pieces are looked at where they lie, none is copied.
    RulesPieceView piece;
    for (;;) {
        // Most lines of a huge text are plain lines, passed over in bulk.
        const std::int64_t plain = input.skimPlainLines(kSectionLineCapacity, afterLastCounted_);
        counted_ += plain;
        sections_.back().lines += plain;
        caravan_.seePlainCountedLines(plain);
        if (!input.skimPiece(piece, kSectionLineCapacity)) break;
        const bool counted = isCountedLine(piece);
        caravan_.see(piece, counted);
        if (!counted) continue;
        const bool header = isSectionHeader(piece.body);
        if (header && sections_.size() < kMaxScenarioSections) {
            sections_.back().end = afterLastCounted_;
            sections_.push_back({headerWord(piece.body), input.lineNumber(), counted_, 0, afterLastCounted_, {}});
        } else {
            complete_ = complete_ && !header;
            ++sections_.back().lines;
        }
        ++counted_;
        afterLastCounted_ = input.position();
    }
    sections_.back().end = afterLastCounted_;
}

std::string ScenarioSectionIndex::headerAt(std::int64_t line) const {
    // The sections after the first stand in the order of their headers' lines.
    const auto after = std::upper_bound(sections_.begin() + 1, sections_.end(), line,
                                        [](std::int64_t l, const ScenarioSection& s) { return l < s.firstLine; });
    if (after == sections_.begin() + 1 || (after - 1)->firstLine != line) return {};
    return (after - 1)->word;
}

// The caravan lines are counted in the pass that indexes the sections: the run asks for
// both at once, and reads the text once.
int ScenarioConverter::countCaravanLines(RulesTextInput& scenarioRules, ScenarioSectionIndex* sections) {
    ScenarioSectionIndex ownIndex;
    ScenarioSectionIndex& index = sections != nullptr ? *sections : ownIndex;
    index.read(scenarioRules);
    scenarioRules.rewind();
    return index.caravanLines();
}
